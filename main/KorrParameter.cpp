#include "main/KorrParameter.h"

#include <string>

#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "infra/Log.h"

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
