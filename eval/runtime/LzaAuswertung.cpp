#include "eval/runtime/LzaAuswertung.h"

#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "eval/MltEintrag.h"
#include "eval/runtime/LzaSummen.h"
#include "eval/runtime/LzaWalk.h"
#include "infra/Datum.h"
#include "infra/Log.h"
#include "main/KorrParameter.h"

namespace {

const char* const kLzaStd = "LzaStd";
const char* const kAchtBlanks = "        ";

// A list entry of this evaluation's list with the next running number.
MltSatz Eintrag(const std::string& stempel, int& zaehler) {
  MltSatz e;
  e.MltErf = kLzaStd;
  e.MltDat = stempel;
  e.MltLfn = ++zaehler;
  return e;
}

// The list entry of a message.
MltSatz Meldungseintrag(const std::string& stempel, int& zaehler, const MelSatz& m) {
  MltSatz e = Eintrag(stempel, zaehler);
  Mlt_AusMeldung(m, e);
  e.MltArg = kAchtBlanks;
  return e;
}

// Deletes every row that an opened cursor delivers; each failed delete is
// logged with `meldung`. A failed open (status `offen`) is logged under the
// cursor's name `cursor`.
template <typename Fetch, typename Close>
void ZeilenLoeschen(int offen, const char* cursor, Fetch fetch, Close close, const char* meldung) {
  if (offen != DB_OK) {
    Log_Fehler("Nza_M_A_Loeschen", cursor, offen);
    return;
  }
  NzaSatz zeile;
  int st;
  while ((st = fetch(zeile)) == DB_OK) {
    int del = Nza_PKeyDel(zeile);
    if (del != DB_OK) Log_Fehler("Nza_M_A_Loeschen", meldung, del);
  }
  if (st != DB_NOT_FOUND) Log_Fehler("Nza_M_A_Loeschen", "Cursor-Read fehlgeschlagen", st);
  close();
}

// Expands the shift models that group `apg` has with assignment kind `kng` on
// day `tag`. False when there is none (or the cursor cannot be opened).
bool SchichtmodelleDesTags(const std::string& stempel, NzaSatz& kopie, const std::string& apg,
                           int kng, const std::string& tag, int& zaehler) {
  if (Aem_OpenTag(apg, kng, tag) != DB_OK) return false;
  bool gefunden = false;
  AemTagSatz t;
  while (Aem_FetchTag(t) == DB_OK) {
    gefunden = true;
    kopie.NzaWoc = t.BakWch;
    kopie.NzaWtg = t.BakWtg;
    kopie.NzaJtg = t.BakJtg;
    kopie.NzaMaz = t.AemMaz;
    kopie.NzaJwo = kopie.NzaDtmDat.substr(0, 4);
    kopie.NzaEmo = t.AemEmo;
    kopie.NzaTtp = t.KalBtp;
    BDE_Eckwerte(stempel, kopie, tag, zaehler);
  }
  (void)Aem_CloseTag();  // read in full at its open: closing only frees the rows
  return gefunden;
}

}  // namespace

bool Lza_TagPlus(const std::string& datum, int tage, std::string& ergebnis) {
  return Datum_Plus(datum, tage, ergebnis);
}

void Nza_M_A_Loeschen(const MelSatz& m) {
  const std::string& a = m.KeyApl;
  const std::string& k = m.KeyApk;
  const std::string& p = m.KeyApp;
  if (Korr_Parameter().auswertung[5] == 1) {
    int st = Nza_SA_Del(3, k, p, a);
    if (st != DB_OK) Log_Fehler("Nza_M_A_Loeschen", "Nza_SA_Del (SA_C)", st);
  }
  ZeilenLoeschen(Nza_OpenAplApp(4, a, k, p), "Nza_OpenAplApp", Nza_FetchAplApp, Nza_CloseAplApp,
                 "Nza_PKeyDel (SA_D)");
  ZeilenLoeschen(Nza_OpenAplApp(5, a, k, p), "Nza_OpenAplApp", Nza_FetchAplApp, Nza_CloseAplApp,
                 "Nza_PKeyDel (SA_E)");
  ZeilenLoeschen(Nza_OpenApkApp(8, k, p), "Nza_OpenApkApp", Nza_FetchApkApp, Nza_CloseApkApp,
                 "Nza_PKeyDel (SA_H)");
}

int Mlt_M_A_Meldung(const std::string& stempel, NzaSatz& arbeit, int& zaehler) {
  int st = Mel_AplAppCurOpen("M_A", arbeit.NzaApl, arbeit.NzaApk, arbeit.NzaApp);
  if (st != DB_OK) {
    Log_Fehler("Mlt_M_A_Meldung", "Mel_AplAppCur", st);
    return 0;
  }
  int ergebnis = 0;
  bool offen = false;    // a setup or work phase is open
  bool ruesten = false;  // a setup begun is not ended by a setup end
  bool gelesen = false;  // at least one message was fetched
  MelSatz m, letzte;
  st = Mel_AplAppCurFetch(m);
  if (st == DB_OK) {
    arbeit.NzaDtmDat = m.KeyDat;
    arbeit.NzaDtmUhr = m.KeyUhr;
  }
  while (st == DB_OK) {
    letzte = m;
    gelesen = true;
    int ins = Mlt_PKeyIns(Meldungseintrag(stempel, zaehler, m));
    if (ins != DB_OK) {
      Log_Fehler("Mlt_M_A_Meldung", "Mlt_PKeyIns", ins);
    } else {
      ergebnis = 1;
      if (m.MelMsk == "AB" || m.MelMsk == "RB") {
        offen = true;
      } else if (m.MelMsk == "AE" || m.MelMsk == "RE") {
        offen = false;
      }
      if (m.MelMsk == "RB") ruesten = true;
      if (m.MelMsk == "RE") ruesten = false;
    }
    st = Mel_AplAppCurFetch(m);
  }
  if (st != DB_NOT_FOUND) Log_Fehler("Mlt_M_A_Meldung", "Cursor-Read fehlgeschlagen", st);
  if (gelesen && !offen) {
    arbeit.NzaEdtDat = letzte.KeyDat;
    arbeit.NzaEdtUhr = letzte.KeyUhr;
  } else if (gelesen) {
    // The open phase ends at the run instant.
    MltSatz e = Eintrag(stempel, zaehler);
    Mlt_Abschluss(letzte, "AE", stempel, e);
    e.MltArg = kAchtBlanks;
    int ins = Mlt_PKeyIns(e);
    if (ins != DB_OK) Log_Fehler("Mlt_M_A_Meldung", "Mlt_PKeyIns", ins);
    // A work end leaves a setup on in the walk: an open setup is ended at the
    // run instant as well, so that no time after it is booked.
    if (ruesten) {
      e.MltLfn = ++zaehler;
      e.MltObj = "RE";
      ins = Mlt_PKeyIns(e);
      if (ins != DB_OK) Log_Fehler("Mlt_M_A_Meldung", "Mlt_PKeyIns", ins);
    }
    arbeit.NzaEdtDat = e.MltMdtDat;
    arbeit.NzaEdtUhr = e.MltMdtUhr;
  }
  (void)Mel_AplAppCurClose();  // read in full at its open: closing only frees the rows
  return ergebnis;
}

void BDE_Eckwerte(const std::string& stempel, const NzaSatz& kopie, const std::string& tag,
                  int& zaehler) {
  MltSatz e;
  e.MltErf = kLzaStd;
  e.MltDat = stempel;
  e.MltPnr = kopie.NzaPnr;
  e.MltApl = kopie.NzaApl;
  e.MltApk = kopie.NzaApk;
  e.MltApp = kopie.NzaApp;
  e.Mlt00E = e.Mlt00R = e.Mlt00A = e.Mlt00U = e.Mlt00S = e.MltBkg = e.MltPbe = "0";
  e.MltEmo = kopie.NzaEmo;
  e.MltTtp = kopie.NzaTtp;
  e.MltWoc = kopie.NzaWoc;
  e.MltWtg = kopie.NzaWtg;
  e.MltJtg = kopie.NzaJtg;
  e.MltJwo = kopie.NzaJwo;
  // Its failures are logged where they happen; the days go on.
  (void)Eckwerte_Tag(kopie.NzaEmo, kopie.NzaTtp, tag, e,
                     [&](MltSatz& g, const EmoPmsSatz& r, const char* funktion) {
                       g.MltLfn = ++zaehler;
                       g.MltArg = r.EmoTxt;
                       int st = Mlt_PKeyIns(g);
                       if (st != DB_OK) Log_Fehler(funktion, "Mlt_PKeyIns", st);
                     });
}

void Mlt_M_A_BDE(const std::string& stempel, NzaSatz& kopie, int& zaehler) {
  std::string tag;
  if (!Lza_TagPlus(kopie.NzaDtmDat, -1, tag)) return;
  const std::string ende = kopie.NzaEdtDat;
  while (tag <= ende) {
    if (!SchichtmodelleDesTags(stempel, kopie, kopie.NzaApl, 2, tag, zaehler)) {
      AplSatz apl;
      apl.AplApl = kopie.NzaApl;
      int st = Apl_PKeyReadk(apl);
      if (st != DB_OK) {
        Log_Fehler("Mlt_M_A_BDE", "Apl_PKeyReadk", st);
      } else {
        SchichtmodelleDesTags(stempel, kopie, apl.AplApg, 1, tag, zaehler);
      }
    }
    std::string naechster;
    if (!Lza_TagPlus(tag, 1, naechster)) return;
    tag = naechster;
  }
}

void Mlt_M_A_Loeschen(const std::string& stempel) {
  if (Mlt_Open(kLzaStd, stempel) != DB_OK) return;
  MltSatz e;
  // A leftover entry is removed with its list by the next run.
  while (Mlt_Fetch(e) == DB_OK) (void)Mlt_PKeyDel(e);
  (void)Mlt_Close();  // read in full at its open: closing only frees the rows
}

void Lza_M_A_Auswertung(const MelSatz& meldung) {
  std::string stempel, leer;
  Get_SysDatum(stempel, leer, 4);
  int zaehler = 0;
  NzaSatz arbeit;
  arbeit.NzaSa = 4;
  arbeit.NzaApl = meldung.KeyApl;
  arbeit.NzaApk = meldung.KeyApk;
  arbeit.NzaApp = meldung.KeyApp;
  arbeit.NzaPnr = kAchtBlanks;
  arbeit.NzaTnr = meldung.KeyTnr;

  Nza_M_A_Loeschen(meldung);
  if (Mlt_M_A_Meldung(stempel, arbeit, zaehler) == 0) {
    // No message of this workplace is left. The order total spans every
    // workplace and was deleted above: it is rebuilt from the other
    // workplaces' runtimes while there are any.
    if (Lza_LaufzeitAplVorhanden(meldung.KeyApk, meldung.KeyApp)) Nza_M_A_LaufzeitGesamt(meldung);
    return;
  }
  NzaSatz kopie = arbeit;
  Mlt_M_A_BDE(stempel, kopie, zaehler);
  Lza_M_A_Ablauf(stempel, arbeit);
  Mlt_M_A_Loeschen(stempel);
  Nza_M_A_LaufzeitApl(arbeit);
  Nza_M_A_LaufzeitGesamt(meldung);
}
