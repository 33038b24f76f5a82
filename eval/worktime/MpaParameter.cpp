#include "eval/worktime/MpaParameter.h"

#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "infra/Datum.h"
#include "infra/Log.h"

namespace {

// True when a shift of model `emo` and day type `ttp` (with a break scheme
// valid on `datum`) contains minute `t` of the day or, for a shift over
// midnight, minute `t` of the following day; the row then gets that model.
bool SchichtSuche(const std::string& emo, const std::string& ttp, const std::string& datum, int t,
                  NzaSatz& row) {
  if (Emo_OpenPms(emo, ttp, datum) != DB_OK) return false;
  const int t2 = t + 1440;
  bool gefunden = false;
  EmoPmsSatz s;
  while (!gefunden && Emo_FetchPms(s) == DB_OK) {
    const int b = s.EmoBeg;
    // A shift whose end is not after its begin runs over midnight; one whose
    // begin equals its end lasts 24 hours.
    const int e = s.EmoEnd <= b ? s.EmoEnd + 1440 : s.EmoEnd;
    if ((b <= t && t <= e) || (b <= t2 && t2 <= e)) {
      row.NzaEmo = s.EmoEmo;
      gefunden = true;
    }
  }
  (void)Emo_ClosePms();  // read in full at its open: closing only frees the rows
  return gefunden;
}

void TagDaten(const AemTagSatz& a, const std::string& datum, NzaSatz& row) {
  row.NzaWoc = a.BakWch;
  row.NzaWtg = a.BakWtg;
  row.NzaJtg = a.BakJtg;
  row.NzaMaz = a.AemMaz;
  row.NzaJwo = datum.substr(0, 4);
  row.NzaTtp = a.KalBtp;
}

// Walks the rows of the open assignment cursor, starting with the row `a`
// already fetched, until a shift contains the begin; the first row gives the
// calendar data of the day, later rows do not change them.
void ZuordnungenDurchsuchen(const std::string& datum, int t, NzaSatz& row, AemTagSatz& a) {
  TagDaten(a, datum, row);
  while (!SchichtSuche(a.AemEmo, a.KalBtp, datum, t, row) && Aem_FetchTag(a) == DB_OK) {
  }
}

}  // namespace

void Nza_AuswParameter(NzaSatz& row) {
  const std::string datum = row.NzaDtmDat;
  const int t = Zeit_InMinuten(row.NzaDtmUhr);
  row.NzaVar = 1;
  bool zuordnung = false;

  // The workplace's own assignments.
  if (Aem_OpenTag(row.NzaApl, 2, datum) == DB_OK) {
    AemTagSatz a;
    if (Aem_FetchTag(a) == DB_OK) {
      zuordnung = true;
      ZuordnungenDurchsuchen(datum, t, row, a);
    }
    (void)Aem_CloseTag();  // read in full at its open: closing only frees the rows
  }

  // Only without them: the assignments of the workplace group.
  if (!zuordnung) {
    AplSatz apl;
    apl.AplApl = row.NzaApl;
    int st = Apl_PKeyReadk(apl);
    if (st != DB_OK) Log_Fehler("Nza _AuswParameter/Kommld", "Apl_PKeyReadk", st);
    if (Aem_OpenTag(apl.AplApg, 1, datum) == DB_OK) {
      AemTagSatz a;
      st = Aem_FetchTag(a);
      if (st == DB_NOT_FOUND) {
        row.NzaFnr = kNzaFnrKeinSchichtmodell;
        BakSatz bak;
        if (Bak_DatumPlus(datum, 0, bak) == DB_OK) {
          row.NzaWoc = bak.BakWch;
          row.NzaWtg = bak.BakWtg;
          row.NzaJtg = bak.BakJtg;
        } else {
          row.NzaWoc = row.NzaWtg = row.NzaJtg = 0;
        }
        row.NzaJwo = datum.substr(0, 4);
        row.NzaEmo = kNzaEmoPlatzhalter;
        row.NzaMaz = 0;
        row.NzaTtp = "XXX";
      } else if (st == DB_OK) {
        ZuordnungenDurchsuchen(datum, t, row, a);
      }
      (void)Aem_CloseTag();  // read in full at its open: closing only frees the rows
    }
  }

  PrvSatz prv;
  prv.PrvPnr = row.NzaPnr;
  row.NzaPzm = Prv_PKeyReadk(prv) == DB_OK ? prv.PrvPzm : 2;
}
