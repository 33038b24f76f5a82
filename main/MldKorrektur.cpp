#include "main/MldKorrektur.h"

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "download/DnlSenden.h"
#include "infra/Log.h"
#include "main/KorrLoop.h"

namespace {

KorrParameter gParameter;

}  // namespace

const KorrParameter& Korr_Parameter() {
  return gParameter;
}

int Korr_ParameterLesen() {
  gParameter = KorrParameter{};
  for (int k : {1, 2, 3, 4, 7, 5, 9}) {
    NzpSatz row;
    row.NzpAkz = k;
    int st = Nzp_PKeyReadk(row);
    if (st == DB_NOT_FOUND) continue;  // no row valid today: the key is off
    if (st == DB_TOO_MANY_ROWS) {
      // Two rows valid today: the key stays off, as the parameter table's
      // owners expect, but not unnoticed.
      Log_Fehler("Mld_Korrektur", ("Nzp_PKeyReadk " + std::to_string(k)).c_str(), st);
      continue;
    }
    if (st != DB_OK) {
      // A parameter that could not be read (a lock, a missing or damaged
      // table, a malformed date) is not a parameter switched off: corrections
      // applied now would lose their evaluations and markers for good. The
      // run ends; the next one finds them all pending.
      Log_Fehler("Mld_Korrektur", "Nzp_PKeyReadk", st);
      return st;
    }
    if (row.NzpAak == 1) gParameter.auswertung[k] = 1;
    if (row.NzpMrk == 1) gParameter.merker[k] = 1;
  }
  return DB_OK;
}

void Mld_Korrektur(const std::string& clerk) {
  if (Korr_ParameterLesen() != DB_OK) return;
  Korr_Schleife(clerk);
}

int Mld_Main(int argc, const char* const* argv) {
  Log_Open(7, "./Msg/Vastrigon.Txt");

  int st = Db_Connect();
  const std::string meldung = Db_ConnectMeldung();
  if (!meldung.empty()) Log_Fehler("dbConnect", Log_Sicher(meldung).c_str(), -1);
  if (st != DB_OK) {
    Log_Fehler("dbConnect", "Fehlerhafter Connect mit der DB ", st);
    return 0;
  }

  Log_Fehler("Parameter (User)", Log_Sicher(argc > 1 ? argv[1] : "").c_str(), -1);

  if (argc == 2) {
    std::string clerk = argv[1];
    if (clerk.size() > 8) clerk.resize(8);
    if (clerk.find_first_not_of(' ') == std::string::npos) {
      // Blanks are the mark of a message WITHOUT a pending correction: such an
      // identifier would take every uncorrected message of the plant through
      // the loop. It names no clerk, so nothing is run.
      Log_Fehler("Mld_Korrektur", "Sachbearbeiter fehlt", -1);
    } else {
      Mld_Korrektur(clerk);
    }
  } else {
    Log_Fehler("Mld_Korrektur", "Anzahl Parameter <> 2", -1);
  }

  // Releases the buffer file of the last terminal line written.
  Dnl_DateiSchliessen();
  Db_Commit();
  return 0;
}
