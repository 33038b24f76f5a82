#include "eval/runtime/LzaSummen.h"

#include <cmath>
#include <utility>

#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "infra/Log.h"

namespace {

// Sums beyond this many seconds (about 30 million years) are held at it, so
// that values written by other programs never overflow the arithmetic.
constexpr double kGrenzeSekunden = 1e15;

const char* const kLzaStd = "LzaStd";

// The summed columns of a runtime sum row.
double* Summenspalten(NzaSatz& s, int k) {
  double* spalten[] = {&s.NzaNza, &s.NzaBzA, &s.NzaUza, &s.NzaPza,
                       &s.NzaNzr, &s.NzaBzr, &s.NzaUzr, &s.NzaPzr};
  return spalten[k];
}
constexpr int kSummenspalten = 8;

void Addieren(NzaSatz& summe, NzaSatz& zeile) {
  for (int k = 0; k < kSummenspalten; ++k) {
    double* s = Summenspalten(summe, k);
    *s = Lza_MinSekSumme(*s, *Summenspalten(zeile, k));
  }
}

// Every number of the record but its kind to 0; the texts stay.
void ZahlenLoeschen(NzaSatz& s) {
  NzaSatz n;
  n.NzaSa = s.NzaSa;
  for (auto feld : {&NzaSatz::NzaApl, &NzaSatz::NzaApk, &NzaSatz::NzaApp, &NzaSatz::NzaPnr,
                    &NzaSatz::NzaDtmDat, &NzaSatz::NzaDtmUhr, &NzaSatz::NzaBmk, &NzaSatz::NzaEdtDat,
                    &NzaSatz::NzaEdtUhr, &NzaSatz::NzaEmk, &NzaSatz::NzaUbg, &NzaSatz::NzaEmo,
                    &NzaSatz::NzaTtp, &NzaSatz::NzaJwo, &NzaSatz::NzaErf, &NzaSatz::NzaTnr})
    n.*feld = std::move(s.*feld);
  s = std::move(n);
}

}  // namespace

double Lza_MinSek(long long sekunden) {
  long long minuten = sekunden / 60;
  long long rest = sekunden % 60;
  return static_cast<double>(minuten) + static_cast<double>(rest) * 0.01;
}

long long Lza_Sekunden(double x) {
  if (!std::isfinite(x)) return 0;
  double m = std::trunc(x);
  double s = 60.0 * m + std::round(100.0 * x - 100.0 * m);
  if (s > kGrenzeSekunden) return static_cast<long long>(kGrenzeSekunden);
  if (s < -kGrenzeSekunden) return -static_cast<long long>(kGrenzeSekunden);
  return static_cast<long long>(s);
}

double Lza_MinSekSumme(double x, double y) {
  return Lza_MinSek(Lza_Sekunden(x) + Lza_Sekunden(y));
}

int Lza_SummeApl(NzaSatz& satz) {
  ZahlenLoeschen(satz);
  int st = Nza_OpenAplApp(4, satz.NzaApl, satz.NzaApk, satz.NzaApp);
  if (st != DB_OK) {
    Log_Fehler("Lza_SummeApl", "Nza_OpenAplApp", st);
    return st;
  }
  int anzahl = 0;
  NzaSatz zeile;
  while ((st = Nza_FetchAplApp(zeile)) == DB_OK) {
    Addieren(satz, zeile);
    ++anzahl;
  }
  if (st != DB_NOT_FOUND) Log_Fehler("Lza_SummeApl", "Cursor-Read fehlgeschlagen", st);
  (void)Nza_CloseAplApp();  // read in full at its open: closing only frees the rows
  return anzahl;
}

int Lza_SummeGesamt(NzaSatz& satz) {
  ZahlenLoeschen(satz);
  int st = Nza_OpenApkApp(5, satz.NzaApk, satz.NzaApp);
  if (st != DB_OK) {
    Log_Fehler("Lza_SummeGesamt", "Nza_OpenApkApp", st);
    return st;
  }
  int anzahl = 0;
  NzaSatz zeile;
  while ((st = Nza_FetchApkApp(zeile)) == DB_OK) {
    if (anzahl == 0) {
      satz.NzaDtmDat = zeile.NzaDtmDat;
      satz.NzaDtmUhr = zeile.NzaDtmUhr;
    }
    Addieren(satz, zeile);
    ++anzahl;
  }
  if (st != DB_NOT_FOUND) Log_Fehler("Lza_SummeGesamt", "Cursor-Read fehlgeschlagen", st);
  (void)Nza_CloseApkApp();  // read in full at its open: closing only frees the rows
  return anzahl;
}

void Nza_M_A_LaufzeitApl(NzaSatz satz) {
  // The part number is taken whatever the read gives: a failed read leaves it empty.
  ApkSatz apk;
  apk.ApkApk = satz.NzaApk;
  (void)Apk_PKeyReadk(apk);  // a failed read leaves the fields empty, which the step accepts
  satz.NzaSa = 5;
  satz.NzaTnr = apk.ApkTnr;
  satz.NzaPnr = "        ";
  satz.NzaErf = kLzaStd;
  satz.NzaBmk = "BG";
  satz.NzaEmk = "EG";
  (void)Lza_SummeApl(satz);  // logs a failed open; the sums then stay 0
  int st = Nza_PKeyIns(satz);
  if (st != DB_OK) Log_Fehler("Nza_M_A_LaufzeitApl(SA_E)", "Nza_PKeyIns", st);
}

void Nza_M_A_LaufzeitGesamt(const MelSatz& meldung) {
  ApkSatz apk;
  apk.ApkApk = meldung.KeyApk;
  (void)Apk_PKeyReadk(apk);  // a failed read leaves the fields empty, which the step accepts
  AppSatz app;
  app.AppApk = meldung.KeyApk;
  app.AppApp = meldung.KeyApp;
  int st = App_PKeyReadk(app);
  if (st != DB_OK) {
    Log_Fehler("Nza_M_A_LaufzeitGesamt", "App_PKeyReadk", st);
    return;
  }
  NzaSatz satz;
  satz.NzaSa = 8;
  satz.NzaApl = "          ";
  satz.NzaApk = meldung.KeyApk;
  satz.NzaApp = meldung.KeyApp;
  satz.NzaTnr = apk.ApkTnr;
  satz.NzaPnr = "        ";
  satz.NzaErf = kLzaStd;
  satz.NzaBmk = "BG";
  satz.NzaEmk = "EG";
  // A failed open still writes the row (with sums 0); a cursor without rows
  // leaves nothing to total and no begin to key the row by.
  if (Lza_SummeGesamt(satz) == 0) return;
  st = Nza_PKeyIns(satz);
  if (st != DB_OK) Log_Fehler("Nza_M_A_LaufzeitGesamt", "Nza_PKeyIns", st);
}

bool Lza_LaufzeitAplVorhanden(const std::string& apk, const std::string& app) {
  if (Nza_OpenApkApp(5, apk, app) != DB_OK) return false;
  NzaSatz zeile;
  bool da = Nza_FetchApkApp(zeile) == DB_OK;
  (void)Nza_CloseApkApp();  // read in full at its open: closing only frees the rows
  return da;
}
