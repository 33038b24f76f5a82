#include "eval/machine/DlzAuswertung.h"

#include <string>
#include <tuple>

#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "eval/machine/DlzAbgleich.h"
#include "eval/machine/DlzReplay.h"
#include "eval/machine/DlzSchichten.h"
#include "infra/Datum.h"
#include "infra/Log.h"
#include "main/KorrParameter.h"

namespace {

constexpr int kDlzSa = 13;
constexpr const char* kLeseFehler = "Cursor-Read fehlgeschlagen";

// Writes one shift or break boundary; a failed insert is logged under
// `funktion` and the boundaries that follow are still written.
void Grenze(DlzZeitlinie& linie, const AemTagSatz& tag, const std::string& datum,
            const NzaSatz& basis, const char* obj, const std::string& mdtDat, int minuten,
            const char* funktion) {
  MltSatz e = linie.Eintrag();
  e.MltObj = obj;
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
  e.MltMdtDat = mdtDat;
  e.MltMdtUhr = Minuten_InZeit(minuten);
  (void)linie.Neu(e, funktion);  // logs its own failure; the time line goes on
}

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

}  // namespace

std::string Folgetag(const std::string& datum) {
  std::string n;
  return Datum_Plus(datum, 1, n) ? n : datum;
}

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
  e.MltObj = k.obj;
  e.MltMdtDat = k.dat;
  e.MltMdtUhr = k.uhr;
  return e;
}

int DlzZeitlinie::Neu(const MltSatz& e, const char* funktion) {
  lfn_ = e.MltLfn;
  if (!schreiben_) {
    MltSatz vorlage = e;
    vorlage.MltLfn = 0;
    vorlage.MltObj = vorlage.MltMdtDat = vorlage.MltMdtUhr = "";
    if (vorlagen_.empty() || !Gleich(vorlagen_.back(), vorlage)) vorlagen_.push_back(vorlage);
    kurz_.push_back({vorlagen_.size() - 1, e.MltLfn, e.MltObj, e.MltMdtDat, e.MltMdtUhr, funktion});
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
    e.MltObj = m.MelMsk;
    e.MltPnr = m.KeyPnr;
    e.MltApl = m.KeyApl;
    e.MltApk = m.KeyApk;
    e.MltApp = m.KeyApp;
    e.MltMdtDat = m.KeyDat;
    e.MltMdtUhr = m.KeyUhr;
    e.MltUbg = m.KeyUbg;
    if (linie.Neu(e, "Mlt_MVon_Meldung") != DB_OK) continue;
    if (m.MelMsk == "BS") laeuft = true;
    if (m.MelMsk == "ES") laeuft = false;
    ergebnis = 1;
  }
  if (st != DB_NOT_FOUND) Log_Fehler("Mlt_MVon_Meldung", kLeseFehler, st);

  if (laeuft) {
    // Still running: the period ends now, at the run stamp.
    const std::string& stempel = linie.Stempel();
    MltSatz e = linie.Eintrag();
    e.MltObj = "ES";
    e.MltPnr = letzte.KeyPnr;
    e.MltApl = letzte.KeyApl;
    e.MltApk = letzte.KeyApk;
    e.MltApp = letzte.KeyApp;
    e.MltMdtDat = stempel.substr(0, 8);
    e.MltMdtUhr = stempel.size() >= 14 ? stempel.substr(8, 6) : "";
    e.MltUbg = letzte.KeyUbg;
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
  // From the day before the first message, so that a night shift begun the
  // day before is known; the calendar decides what "the day before" is.
  std::string tag;
  (void)Datum_Tage(2, -1, basis.NzaDtmDat, tag);  // without a calendar day the date stays as it is
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
    if (st != DB_OK || naechster <= tag) {
      // The calendar ends (or fails) before the last day: the days after
      // cannot be stepped to, so the shift part ends here.
      Log_Fehler("Mlt_M_BDE", "Datum_Tage", st != DB_OK ? st : DB_NOT_FOUND);
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

void BDE_Pause(const AemTagSatz& tag, const std::string& datum, const std::string& folgetag,
               const NzaSatz& basis, const EmoPmsSatz& r, DlzSchicht& schicht,
               DlzZeitlinie& linie) {
  // Each row is one break of a shift; a new shift begin starts a new shift.
  // The first row always starts one, also for a shift that begins at
  // midnight (begin 0).
  if (!schicht.gesehen || r.EmoBeg != schicht.beginn) {
    schicht.gesehen = true;
    schicht.beginn = r.EmoBeg;
    Grenze(linie, tag, datum, basis, "KM", datum, r.EmoBeg, "BDE_Eckwerte: Kommen");
    Grenze(linie, tag, datum, basis, "GH", r.EmoBeg >= r.EmoEnd ? folgetag : datum, r.EmoEnd,
           "BDE_Eckwerte: Gehen");
  }
  Grenze(linie, tag, datum, basis, "BP", r.EmoBeg >= r.PmsBeg ? folgetag : datum, r.PmsBeg,
         "BDE_Eckwerte: Pausebeginn");
  Grenze(linie, tag, datum, basis, "EP", r.EmoBeg >= r.PmsEnd ? folgetag : datum, r.PmsEnd,
         "BDE_Eckwerte: Pauseende");
}

int BDE_Eckwerte(const AemTagSatz& tag, const std::string& datum, const NzaSatz& basis,
                 DlzZeitlinie& linie) {
  int st = Emo_OpenPms(tag.AemEmo, tag.KalBtp, datum);
  if (st != DB_OK) {
    Log_Fehler("BDE_Eckwerte", "Emo_OpenPms", st);
    return st;
  }
  const std::string folgetag = Folgetag(datum);
  DlzSchicht schicht;
  EmoPmsSatz r;
  while ((st = Emo_FetchPms(r)) == DB_OK) BDE_Pause(tag, datum, folgetag, basis, r, schicht, linie);
  if (st != DB_NOT_FOUND) Log_Fehler("BDE_Eckwerte", kLeseFehler, st);
  return Emo_ClosePms();
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
