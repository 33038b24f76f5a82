#include "download/DnlAuftrag.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "db/DbDnl.h"
#include "db/DbStatus.h"
#include "download/DnlSenden.h"
#include "infra/Log.h"

namespace {

// Builds a data image on blanks and reports values that do not fit.
struct Bild {
  std::string text;
  const char* funktion;  // the download that logs a value that does not fit
  std::string schluessel;

  Bild(std::size_t laenge, const char* f, std::string s)
      : text(laenge, ' '), funktion(f), schluessel(std::move(s)) {}

  // Left-aligned, cut to the width.
  void Text(std::size_t pos, std::size_t breite, const std::string& wert) {
    text.replace(pos, std::min(breite, wert.size()), wert, 0, std::min(breite, wert.size()));
  }

  // A value that must fill exactly `breite` columns; otherwise the columns get
  // the overflow marker and the value is logged.
  void Genau(std::size_t pos, std::size_t breite, const std::string& wert, bool passt,
             const char* feld) {
    if (passt && wert.size() == breite) {
      text.replace(pos, breite, wert);
      return;
    }
    text.replace(pos, breite, std::string(breite, kDnlUeberlauf));
    std::string msg = std::string("Wert zu breit fuer ") + feld + ": " + schluessel;
    Log_Fehler(funktion, msg.c_str(), -1);
  }

  // A quantity "%012.3f" without its point: 11 characters, three decimals.
  void Menge(std::size_t pos, double wert, const char* feld) {
    std::string s;
    bool passt = Elf(wert, s);
    Genau(pos, 11, s, passt, feld);
  }

  // A time quantity: digits 4 to 10 of the 11 (five whole digits and two
  // decimals). The three leading digits dropped must be zeros, otherwise the
  // value (too large, or negative) would arrive as another number. A negative
  // value whose digits are all zero up to the second decimal (a rounding
  // residue such as -0.001) is zero in these columns and is sent as such.
  void Zeit7(std::size_t pos, double wert, const char* feld) {
    std::string s;
    bool passt = Elf(wert, s);
    if (passt && s[0] == '-' && s.find_first_not_of('0', 1) >= 10) s[0] = '0';
    passt = passt && s.compare(0, 3, "000") == 0;
    Genau(pos, 7, passt ? s.substr(3, 7) : s, passt, feld);
  }

  // A date "yyyymmdd" as yymmdd; no date leaves the columns blank.
  void Datum(std::size_t pos, const std::string& wert, const char* feld) {
    if (wert.empty()) return;
    bool passt = wert.size() == 8;
    Genau(pos, 6, passt ? wert.substr(2) : wert, passt, feld);
  }

  static bool Elf(double wert, std::string& out) {
    if (!std::isfinite(wert)) return false;
    char buf[400];
    std::snprintf(buf, sizeof buf, "%012.3f", wert);
    out = buf;
    std::size_t punkt = out.find('.');
    if (punkt != std::string::npos) out.erase(punkt, 1);
    return out.size() == 11;
  }
};

// The first character of the status in decimal; 10 is sent as 0.
char StatusZiffer(int sts) {
  if (sts == 10) return '0';
  return std::to_string(sts)[0];
}

bool Ist(const std::string& a, const char* b) {
  return a == b;
}

// Re-reads the order header `apk` and changes its operation count by `delta`.
[[nodiscard]] int AnzahlAendern(const std::string& apk, int delta) {
  ApkSatz a;
  a.ApkApk = apk;
  int st = Apk_PKeyReadk(a);
  if (st != DB_OK) {
    Log_Fehler("App_Frei", "Fehler bei Apk_PKeyRead", st);
    return st;
  }
  a.ApkAfo += delta;
  st = Apk_PKeyUpd(a);
  if (st != DB_OK) Log_Fehler("App_Frei", "Fehler bei Apk_PKeyUpd", st);
  return st;
}

}  // namespace

std::string Dnl_ApkBild(const ApkSatz& a) {
  Bild b(kDnlApkBildLaenge, "Apk_Dnl", a.ApkApk);
  b.Text(0, 12, a.ApkApk);
  b.Text(12, 30, a.ApkBz1);
  b.Text(42, 30, a.ApkBz2);
  b.Text(72, 8, a.ApkTxt);
  b.Text(80, 20, a.ApkTnr);
  b.Text(100, 30, a.ApkTb1);
  b.Text(130, 30, a.ApkTb2);
  b.Menge(160, a.ApkSme, "ApkSme");
  b.Text(171, 3, a.ApkMee);
  b.Datum(174, a.ApkBgs, "ApkBgs");
  b.Datum(180, a.ApkEns, "ApkEns");
  char afo[32];
  std::snprintf(afo, sizeof afo, "%-5d", a.ApkAfo);
  b.Genau(186, 5, afo, true, "ApkAfo");
  b.text[191] = StatusZiffer(a.ApkSts);
  b.Text(192, 10, a.ApkZf1);
  b.Text(202, 20, a.ApkZf2);
  b.Text(222, 30, a.ApkZf3);
  b.text[252] = 'X';
  return b.text;
}

std::string Dnl_AppBild(const AppSatz& p) {
  Bild b(kDnlAppBildLaenge, "App_Dnl", p.AppApk + "/" + p.AppApp);
  b.Text(0, 12, p.AppApk);
  b.Text(12, 5, p.AppApp);
  b.Text(17, 30, p.AppBz1);
  b.Text(47, 30, p.AppBz2);
  b.Text(77, 8, p.AppTxt);
  b.Text(85, 10, p.AppApg);
  b.Menge(95, p.AppSme, "AppSme");
  b.Text(106, 3, p.AppMee);
  b.Zeit7(109, p.AppStr, "AppStr");
  b.Zeit7(116, p.AppSte, "AppSte");
  b.Zeit7(123, p.AppSza, "AppSza");
  b.Datum(130, p.AppBdsDat, "AppBds");
  b.Datum(136, p.AppEdsDat, "AppEds");
  b.Text(142, 5, p.AppVaf);
  b.Text(147, 5, p.AppNaf);
  b.text[152] = StatusZiffer(p.AppSts);
  b.Text(153, 10, p.AppZf1);
  b.Text(163, 20, p.AppZf2);
  b.Text(183, 30, p.AppZf3);
  b.Menge(213, p.AppIme, "AppIme");
  b.Menge(224, p.AppAme, "AppAme");
  b.text[246] = 'X';
  return b.text;
}

int Apk_Frei(const ApkSatz& row) {
  ApkSatz a;
  a.ApkApk = row.ApkApk;
  int st = Apk_PKeyReadk(a);
  if (st != DB_OK) {
    Log_Fehler("ApkDnl", "Fehler bei Apk_PKeyRead", st);
    return st;
  }
  if (Ist(row.ApkDna, "LOE")) {
    st = Apk_PKeyDel(a);
    if (st != DB_OK) Log_Fehler("ApkDnl", "Fehler bei Apk_PKeyDel", st);
    return st;
  }
  a.ApkDwn.clear();
  a.ApkDna.clear();
  st = Apk_PKeyUpd(a);
  if (st != DB_OK) Log_Fehler("ApkDnl", "Fehler bei Apk_PKeyUpd", st);
  return st;
}

int App_Frei(const AppSatz& row) {
  AppSatz p;
  p.AppApk = row.AppApk;
  p.AppApp = row.AppApp;
  int st = App_PKeyReadk(p);
  if (st != DB_OK) {
    Log_Fehler("App_Frei", "Fehler bei App_PKeyRead", st);
    return st;
  }
  if (Ist(row.AppDna, "LOE")) {
    st = App_PKeyDel(p);
    if (st != DB_OK) {
      Log_Fehler("App_Frei", "Fehler bei App_PKeyDel", st);
      return st;
    }
    return AnzahlAendern(row.AppApk, -1);
  }
  p.AppDwn.clear();
  p.AppDna.clear();
  st = App_PKeyUpd(p);
  if (st != DB_OK) {
    Log_Fehler("APP_Frei", "Fehler bei App_PKeyUpd", st);
    return st;
  }
  if (Ist(row.AppDna, "NEU")) return AnzahlAendern(row.AppApk, +1);
  return st;
}

int Apk_Dnl(const std::string& datum, const std::string& zeit, const std::string& marker) {
  int st = Apk_OpenDnl(marker);
  if (st != DB_OK) {
    Log_Fehler("Apk_Dnl", "fehlerhafte Apk_OpenDnl", st);
    return st;
  }
  ApkSatz a;
  while ((st = Apk_FetchDnl(a)) == DB_OK) {
    DnlEintrag e{datum, zeit, a.ApkDna, "APK", Dnl_ApkBild(a)};
    int sst = Dnl_Senden(e, a.ApkFbe);
    if (sst != 0) {
      Log_Fehler("Apk_Dnl", "Fehler beim Senden von ApkS", sst);
      break;
    }
    if (Apk_Frei(a) != DB_OK) break;
  }
  // The end of the rows is the normal end; a failed fetch leaves the rest
  // marked and is logged, as the close status says nothing about it.
  if (st != DB_OK && st != DB_NOT_FOUND) Log_Fehler("Apk_Dnl", "fehlerhafte Apk_FetchDnl", st);
  return Apk_CloseDnl();
}

int App_Dnl(const std::string& datum, const std::string& zeit, const std::string& marker) {
  int st = App_OpenDnl(marker);
  if (st != DB_OK) {
    Log_Fehler("App_Dnl", "fehlerhafte App_OpenDnl", st);
    return st;
  }
  AppSatz p;
  while ((st = App_FetchDnl(p)) == DB_OK) {
    DnlEintrag e{datum, zeit, p.AppDna, "APP", Dnl_AppBild(p)};
    int sst = Dnl_Senden(e, p.AppFbe);
    if (sst != 0) {
      Log_Fehler("App_Dnl", "Fehler beim Senden von AppS", sst);
      continue;
    }
    // A failed release is logged by App_Frei; the next operation follows.
    (void)App_Frei(p);
  }
  if (st != DB_OK && st != DB_NOT_FOUND) Log_Fehler("App_Dnl", "fehlerhafte App_FetchDnl", st);
  return App_CloseDnl();
}
