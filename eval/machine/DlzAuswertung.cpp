#include "eval/machine/DlzAuswertung.h"

#include <string>
#include <tuple>

#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "eval/MltEintrag.h"
#include "eval/Tagschritt.h"
#include "eval/machine/DlzAbgleich.h"
#include "eval/machine/DlzReplay.h"
#include "eval/machine/DlzSchichten.h"
#include "infra/Datum.h"
#include "infra/Log.h"
#include "main/KorrParameter.h"

namespace {

constexpr int kDlzSa = 13;
constexpr const char* kLeseFehler = "Cursor-Read fehlgeschlagen";

// The shift models of assignment kind `kng` of `apg` on `datum`, each
// written with BDE_Eckwerte. Returns the number of day rows found.
int SchichtmodelleTag(DlzZeitlinie& linie, const NzaSatz& basis, const std::string& apg, int kng,
                      const std::string& datum) {
  int st = Aem_OpenTag(apg, kng, datum);
  if (st != DB_OK) {
    Log_Fehler("Mlt_M_BDE", "Aem_OpenTag", st);
    return 0;
  }
  int gefunden = 0;
  AemTagSatz tag;
  while ((st = Aem_FetchTag(tag)) == DB_OK) {
    ++gefunden;
    // Logs its own failures; the next shift model follows.
    (void)BDE_Eckwerte(tag, datum, basis, linie);
  }
  if (st != DB_NOT_FOUND) Log_Fehler("Mlt_M_BDE", kLeseFehler, st);
  (void)Aem_CloseTag();  // read in full at its open: closing only frees the rows
  return gefunden;
}

// Every field of two entries alike.
bool Gleich(const MltSatz& a, const MltSatz& b) {
  auto felder = [](const MltSatz& e) {
    return std::tie(e.MltErf, e.MltDat, e.MltLfn, e.MltObj, e.MltPnr, e.MltApl, e.MltApk, e.MltApp,
                    e.Mlt00E, e.Mlt00R, e.Mlt00A, e.Mlt00U, e.Mlt00S, e.MltBkg, e.MltPbe, e.MltArg,
                    e.MltEmo, e.MltTtp, e.MltWoc, e.MltWtg, e.MltJtg, e.MltJwo, e.MltMdtDat,
                    e.MltMdtUhr, e.MltUbg);
  };
  return felder(a) == felder(b);
}

// Whether a text fits into an inline field with its terminating zero. A text
// with a zero inside never does, so that it reads back unchanged.
template <size_t N>
bool Passt(const std::string& text, const char (&)[N]) {
  return text.size() < N && text.find('\0') == std::string::npos;
}

}  // namespace

DlzZeitlinie::DlzZeitlinie(std::string stempel, bool schreiben, int lfn)
    : stempel_(std::move(stempel)), schreiben_(schreiben), lfn_(lfn) {}

MltSatz DlzZeitlinie::Eintrag() const {
  MltSatz e;
  e.MltErf = kDlzErf;
  e.MltDat = stempel_;
  e.MltLfn = lfn_ + 1;
  return e;
}

MltSatz DlzZeitlinie::Eintrag(size_t i) const {
  const Kurz& k = kurz_[i];
  MltSatz e = vorlagen_[k.vorlage];
  e.MltLfn = k.lfn;
  if (k.lang == 0) {
    e.MltObj = k.obj;
    e.MltMdtDat = k.dat;
    e.MltMdtUhr = k.uhr;
  } else {
    const Lang& l = lang_[k.lang - 1];
    e.MltObj = l.obj;
    e.MltMdtDat = l.dat;
    e.MltMdtUhr = l.uhr;
  }
  return e;
}

std::string DlzZeitlinie::Datum(size_t i) const {
  const Kurz& k = kurz_[i];
  return k.lang == 0 ? std::string(k.dat) : lang_[k.lang - 1].dat;
}

std::string DlzZeitlinie::Uhr(size_t i) const {
  const Kurz& k = kurz_[i];
  return k.lang == 0 ? std::string(k.uhr) : lang_[k.lang - 1].uhr;
}

int DlzZeitlinie::Neu(const MltSatz& e, const char* funktion) {
  lfn_ = e.MltLfn;
  if (!schreiben_) {
    MltSatz vorlage = e;
    vorlage.MltLfn = 0;
    vorlage.MltObj = vorlage.MltMdtDat = vorlage.MltMdtUhr = "";
    if (vorlagen_.empty() || !Gleich(vorlagen_.back(), vorlage)) vorlagen_.push_back(vorlage);
    Kurz k{static_cast<uint32_t>(vorlagen_.size() - 1), e.MltLfn, funktion, 0, {}, {}, {}};
    if (Passt(e.MltObj, k.obj) && Passt(e.MltMdtDat, k.dat) && Passt(e.MltMdtUhr, k.uhr)) {
      e.MltObj.copy(k.obj, e.MltObj.size());
      e.MltMdtDat.copy(k.dat, e.MltMdtDat.size());
      e.MltMdtUhr.copy(k.uhr, e.MltMdtUhr.size());
    } else {
      lang_.push_back({e.MltObj, e.MltMdtDat, e.MltMdtUhr});
      k.lang = static_cast<uint32_t>(lang_.size());
    }
    kurz_.push_back(k);
    return DB_OK;
  }
  int st = Mlt_PKeyIns(e);
  if (st != DB_OK) Log_Fehler(funktion, "Mlt_PKeyIns", st);
  return st;
}

NzaSatz Dlz_Basis(const MelSatz& row) {
  NzaSatz b;
  b.NzaSa = kDlzSa;
  b.NzaApl = row.KeyApl;
  b.NzaApk = row.KeyApk;
  b.NzaApp = row.KeyApp;
  b.NzaTnr = row.KeyTnr;
  b.NzaPnr = "00000000";
  b.NzaDtmDat = row.KeyDat;
  b.NzaDtmUhr = row.KeyUhr;
  return b;
}

void Dlz_Loeschen(const MelSatz& row) {
  if (Korr_Parameter().auswertung[5] != 1) return;
  int st = Nza_SA_Del(kDlzSa, kDlzApk, kDlzApp, row.KeyApl);
  if (st != DB_OK) Log_Fehler("Nza_M_A_Loeschen", "Nza_SA_Del (SA_M)", st);
}

int Mlt_MVon_Meldung(const std::string& stempel, NzaSatz& basis, int& lfn) {
  DlzZeitlinie linie(stempel, true, lfn);
  int ergebnis = Mlt_MVon_Meldung(basis, linie);
  lfn = linie.Lfn();
  return ergebnis;
}

int Mlt_MVon_Meldung(NzaSatz& basis, DlzZeitlinie& linie) {
  int st = Mel_AplCurOpen("M__", basis.NzaApl);
  if (st != DB_OK) {
    // Without the messages nothing can be rebuilt; say so, as the
    // workplace's old records are gone already.
    Log_Fehler("Mlt_MVon_Meldung", "Mel_AplCur", st);
    return 0;
  }
  int ergebnis = 0;
  bool erste = true;
  bool laeuft = false;
  MelSatz m, letzte;
  while ((st = Mel_AplCurFetch(m)) == DB_OK) {
    if (erste) {
      basis.NzaDtmDat = m.KeyDat;
      basis.NzaDtmUhr = m.KeyUhr;
      erste = false;
    }
    letzte = m;
    MltSatz e = linie.Eintrag();
    Mlt_AusMeldung(m, e);
    if (linie.Neu(e, "Mlt_MVon_Meldung") != DB_OK) continue;
    if (m.MelMsk == "BS") laeuft = true;
    if (m.MelMsk == "ES") laeuft = false;
    ergebnis = 1;
  }
  if (st != DB_NOT_FOUND) Log_Fehler("Mlt_MVon_Meldung", kLeseFehler, st);

  if (laeuft) {
    // Still running: the period ends now, at the run stamp.
    MltSatz e = linie.Eintrag();
    Mlt_Abschluss(letzte, "ES", linie.Stempel(), e);
    (void)linie.Neu(e, "Mlt_M_Meldung");  // logs its own failure; the time line goes on
    basis.NzaEdtDat = e.MltMdtDat;
    basis.NzaEdtUhr = e.MltMdtUhr;
  } else if (!erste) {
    basis.NzaEdtDat = letzte.KeyDat;
    basis.NzaEdtUhr = letzte.KeyUhr;
  }
  (void)Mel_AplCurClose();  // read in full at its open: closing only frees the rows
  return ergebnis;
}

void Mlt_M_BDE(const std::string& stempel, const NzaSatz& basis, int& lfn) {
  DlzZeitlinie linie(stempel, true, lfn);
  Mlt_M_BDE(basis, linie);
  lfn = linie.Lfn();
}

void Mlt_M_BDE(const NzaSatz& basis, DlzZeitlinie& linie) {
  // A collected time line reads the calendar and the shift models of all its
  // days at once where it can.
  if (!linie.Schreibend() && Mlt_M_BDE_Bereich(basis, linie)) return;
  // A walk over the calendar's days from the day before the first message,
  // so that a night shift begun the day before is known (from the first
  // day when the calendar lacks the day before).
  std::string tag = Kalender_Vortag(basis.NzaDtmDat);
  const std::string& bis = basis.NzaEdtDat;
  while (tag <= bis) {
    if (SchichtmodelleTag(linie, basis, basis.NzaApl, 2, tag) == 0) {
      AplSatz apl;
      apl.AplApl = basis.NzaApl;
      int st = Apl_PKeyReadk(apl);
      if (st != DB_OK) {
        Log_Fehler("Mlt_M_BDE", "Apl_PKeyReadk", st);
      } else {
        SchichtmodelleTag(linie, basis, apl.AplApg, 1, tag);
      }
    }
    if (tag >= bis) break;
    std::string naechster;
    int st = Datum_Tage(2, 1, tag, naechster);
    if (st != DB_OK) {
      // A gap: the calendar ends (or fails) before the last day, so the
      // shift part ends here.
      Log_Fehler("Mlt_M_BDE", "Datum_Tage", st);
      break;
    }
    tag = naechster;
  }
}

int BDE_Eckwerte(const std::string& stempel, const AemTagSatz& tag, const std::string& datum,
                 const NzaSatz& basis, int& lfn) {
  DlzZeitlinie linie(stempel, true, lfn);
  int st = BDE_Eckwerte(tag, datum, basis, linie);
  lfn = linie.Lfn();
  return st;
}

MltSatz Dlz_Grenzvorlage(const DlzZeitlinie& linie, const AemTagSatz& tag, const std::string& datum,
                         const NzaSatz& basis) {
  MltSatz e = linie.Eintrag();
  e.MltPnr = basis.NzaPnr;
  e.MltApl = basis.NzaApl;
  e.MltApk = basis.NzaApk;
  e.MltApp = basis.NzaApp;
  e.Mlt00E = e.Mlt00R = e.Mlt00A = e.Mlt00U = e.Mlt00S = e.MltBkg = e.MltPbe = "0";
  e.MltEmo = tag.AemEmo;
  e.MltTtp = tag.KalBtp;
  e.MltWoc = tag.BakWch;
  e.MltWtg = tag.BakWtg;
  e.MltJtg = tag.BakJtg;
  e.MltJwo = datum.substr(0, 4);
  return e;
}

void Dlz_Grenze(MltSatz& e, DlzZeitlinie& linie, const char* funktion) {
  e.MltLfn = linie.Lfn() + 1;
  (void)linie.Neu(e, funktion);  // logs its own failure; the time line goes on
}

int BDE_Eckwerte(const AemTagSatz& tag, const std::string& datum, const NzaSatz& basis,
                 DlzZeitlinie& linie) {
  MltSatz e = Dlz_Grenzvorlage(linie, tag, datum, basis);
  return Eckwerte_Tag(tag.AemEmo, tag.KalBtp, datum, e,
                      [&linie](MltSatz& g, const EmoPmsSatz&, const char* funktion) {
                        Dlz_Grenze(g, linie, funktion);
                      });
}

void Dlz_Auswertung(const MelSatz& row) {
  std::string stempel, leer;
  Get_SysDatum(stempel, leer, 4);
  NzaSatz basis = Dlz_Basis(row);
  // With records to keep in step the time line is collected first, so that
  // only the periods whose records differ need to go through the table.
  const bool abgleich = Korr_Parameter().auswertung[5] == 1;
  DlzZeitlinie linie(stempel, !abgleich);
  if (abgleich) {
    if (Mlt_MVon_Meldung(basis, linie) == 0) {
      Dlz_Loeschen(row);
      return;
    }
    Mlt_M_BDE(basis, linie);
    if (Dlz_Abgleich(basis.NzaApl, linie)) return;
    // Not decidable: the whole time line, as without the comparison.
    Dlz_Loeschen(row);
    Mlt_Schreiben(linie, {});
  } else {
    if (Mlt_MVon_Meldung(basis, linie) == 0) return;
    Mlt_M_BDE(basis, linie);
  }
  (void)Mlt_Auswerten(stempel);  // logs its own failures; the evaluation goes on
  (void)Mlt_Entfernen(stempel);  // logs its own failures; the evaluation goes on
}
