#include "eval/machine/DlzSchichten.h"

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "eval/MltEintrag.h"
#include "eval/Tagschritt.h"
#include "infra/Datum.h"
#include "infra/Log.h"

namespace {

using AemTage = std::map<std::string, std::vector<AemTagSatz>>;  // by day

// What the span's reads found.
struct Schichtdaten {
  std::map<std::string, std::vector<BakSatz>> kalender;  // calendar rows by day
  std::set<std::string> tage;  // days at midnight: what Datum_Tage steps to
  AemTage eigene, gruppe;      // assignments of the workplace and of its group
  int aplStatus = DB_OK;       // the read of the workplace
  bool gruppeGelesen = false;
  std::map<std::pair<std::string, std::string>, std::vector<EmoPmsGueltigSatz>> pausen;
};

bool KalenderLesen(const std::string& von, const std::string& bisAusschl, Schichtdaten& d) {
  if (Bak_OpenTage(von, bisAusschl) != DB_OK) return false;
  BakUhrSatz b;
  int st;
  while ((st = Bak_FetchTage(b)) == DB_OK) {
    d.kalender[b.BakDtm].push_back(b);
    if (b.BakUhr == "000000") d.tage.insert(b.BakDtm);
  }
  (void)Bak_CloseTage();  // read in full at its open: closing only frees the rows
  return st == DB_NOT_FOUND;
}

bool ZuordnungenLesen(const std::string& apg, int kng, const std::string& von,
                      const std::string& bisAusschl, AemTage& tage) {
  if (Aem_OpenBereich(apg, kng, von, bisAusschl) != DB_OK) return false;
  AemTagSatz a;
  int st;
  while ((st = Aem_FetchBereich(a)) == DB_OK) tage[a.KalDtm].push_back(a);
  (void)Aem_CloseBereich();  // read in full at its open: closing only frees the rows
  return st == DB_NOT_FOUND;
}

bool PausenLesen(const std::string& emo, const std::string& ttp, Schichtdaten& d) {
  auto schluessel = std::make_pair(emo, ttp);
  if (d.pausen.count(schluessel) != 0) return true;
  if (Emo_OpenPmsAlle(emo, ttp) != DB_OK) return false;
  std::vector<EmoPmsGueltigSatz>& zeilen = d.pausen[schluessel];
  EmoPmsGueltigSatz p;
  int st;
  while ((st = Emo_FetchPmsAlle(p)) == DB_OK) zeilen.push_back(p);
  (void)Emo_ClosePmsAlle();  // read in full at its open: closing only frees the rows
  return st == DB_NOT_FOUND;
}

// The shift-model day rows of `tag` as Aem_OpenTag returns them: each
// assignment row with every calendar row of the day.
std::vector<AemTagSatz> Tageszeilen(const AemTage& zuordnungen, const std::string& tag,
                                    const Schichtdaten& d) {
  std::vector<AemTagSatz> zeilen;
  auto z = zuordnungen.find(tag);
  auto k = d.kalender.find(tag);
  if (z == zuordnungen.end() || k == d.kalender.end()) return zeilen;
  for (const AemTagSatz& a : z->second) {
    for (const BakSatz& b : k->second) {
      AemTagSatz r = a;
      r.BakJhr = b.BakJhr;
      r.BakMon = b.BakMon;
      r.BakWch = b.BakWch;
      r.BakWtg = b.BakWtg;
      r.BakJtg = b.BakJtg;
      // Days around the turn of the year can belong to a week of the other year.
      r.KwJahr = r.BakJhr;
      if (r.BakMon == 12 && r.BakWch == 1) r.KwJahr = r.BakJhr + 1;
      if (r.BakMon == 1 && r.BakWch >= 52) r.KwJahr = r.BakJhr - 1;
      zeilen.push_back(r);
    }
  }
  return zeilen;
}

// The days Mlt_M_BDE steps through: from the calendar day before the first
// message (else the first message's day) to the day of the last, while the
// calendar has the next day. `ende` is set when the calendar ends first.
std::vector<std::string> Tagesfolge(const std::string& vortag, const std::string& erster,
                                    const std::string& bis, const Schichtdaten& d, int& ende) {
  std::vector<std::string> folge;
  ende = DB_OK;
  std::string tag = d.tage.count(vortag) != 0 ? vortag : erster;
  while (tag <= bis) {
    folge.push_back(tag);
    if (tag >= bis) break;
    std::string naechster;
    if (!Datum_Plus(tag, 1, naechster)) {
      ende = DB_BAD_DATE;
      break;
    }
    if (d.tage.count(naechster) == 0) {
      ende = DB_NOT_FOUND;
      break;
    }
    tag = naechster;
  }
  return folge;
}

}  // namespace

bool Mlt_M_BDE_Bereich(const NzaSatz& basis, DlzZeitlinie& linie) {
  const std::string& erster = basis.NzaDtmDat;
  const std::string& bis = basis.NzaEdtDat;
  std::string vortag, nachBis;
  if (!Datum_Plus(erster, -1, vortag) || !Datum_Plus(bis, 1, nachBis)) return false;

  // Every read first: a failed one leaves the time line as it was.
  Schichtdaten d;
  if (!KalenderLesen(vortag, nachBis, d)) return false;
  if (!ZuordnungenLesen(basis.NzaApl, 2, vortag, nachBis, d.eigene)) return false;
  int ende = DB_OK;
  const std::vector<std::string> folge = Tagesfolge(vortag, erster, bis, d, ende);
  std::vector<std::vector<AemTagSatz>> modelle;
  std::vector<char> ohneEigene;
  for (const std::string& tag : folge) {
    modelle.push_back(Tageszeilen(d.eigene, tag, d));
    ohneEigene.push_back(modelle.back().empty());
    if (!modelle.back().empty() || d.gruppeGelesen) continue;
    // A day without assignments of its own uses the group's: the workplace
    // is read once, and a failure is logged for every such day below.
    d.gruppeGelesen = true;
    AplSatz apl;
    apl.AplApl = basis.NzaApl;
    d.aplStatus = Apl_PKeyReadk(apl);
    if (d.aplStatus == DB_OK && !ZuordnungenLesen(apl.AplApg, 1, vortag, nachBis, d.gruppe)) {
      return false;
    }
  }
  for (size_t i = 0; i < folge.size(); ++i) {
    if (ohneEigene[i] && d.aplStatus == DB_OK) modelle[i] = Tageszeilen(d.gruppe, folge[i], d);
    for (const AemTagSatz& m : modelle[i]) {
      if (!PausenLesen(m.AemEmo, m.KalBtp, d)) return false;
    }
  }

  for (size_t i = 0; i < folge.size(); ++i) {
    const std::string& tag = folge[i];
    if (ohneEigene[i] && d.aplStatus != DB_OK) {
      Log_Fehler("Mlt_M_BDE", "Apl_PKeyReadk", d.aplStatus);
    }
    const std::string folgetag = Tag_Plus(tag, 1);
    for (const AemTagSatz& m : modelle[i]) {
      // Emo_OpenPms of the day: the break rows whose break model is valid on it.
      MltSatz e = Dlz_Grenzvorlage(linie, m, tag, basis);
      auto neu = [&linie](MltSatz& g, const EmoPmsSatz&, const char* funktion) {
        Dlz_Grenze(g, linie, funktion);
      };
      EckwerteSchicht schicht;
      for (const EmoPmsGueltigSatz& p : d.pausen[std::make_pair(m.AemEmo, m.KalBtp)]) {
        if (p.PmzGvo.empty() || p.PmzGbi.empty() || p.PmzGvo > tag || p.PmzGbi < tag) continue;
        Eckwerte_Pause(p, tag, folgetag, schicht, e, neu);
      }
    }
  }
  if (ende != DB_OK) Log_Fehler("Mlt_M_BDE", "Datum_Tage", ende);
  return true;
}
