#include "main/KorrAuswertung.h"

#include <string>

#include "download/DnlAuftrag.h"
#include "eval/machine/DlzAuswertung.h"
#include "eval/runtime/LzaAuswertung.h"
#include "eval/worktime/MpaArbeitszeit.h"
#include "eval/worktime/MpaAuswertung.h"
#include "infra/Datum.h"
#include "infra/Log.h"
#include "main/KorrParameter.h"

namespace {

KorrAuswertungen& Aktiv() {
  static KorrAuswertungen a = Korr_AuswertungenDesProgramms();
  return a;
}

}  // namespace

KorrAuswertungen Korr_AuswertungenDesProgramms() {
  // All four evaluations of the program.
  KorrAuswertungen a;
  a.dlz = Dlz_Auswertung;
  a.lza = Lza_M_A_Auswertung;
  a.mpa = Mpa_Auswertung;
  a.mpaArbeitszeit = Nza_MPA_Arbeitszeit;
  return a;
}

void Korr_AuswertungenSetzenForTest(const KorrAuswertungen& a) {
  Aktiv() = a;
}
void Korr_AuswertungenZuruecksetzenForTest() {
  Aktiv() = Korr_AuswertungenDesProgramms();
}

void Korr_Auswertung(const MelSatz& row) {
  const KorrAuswertungen& a = Aktiv();
  if (row.ObjTyp == "MPA") {
    if (a.mpa) a.mpa(row);
    if (Korr_Parameter().auswertung[7] == 1 && a.mpaArbeitszeit) a.mpaArbeitszeit(row);
  } else if (row.ObjTyp == "M_A") {
    if (a.lza) a.lza(row);
  } else if (row.ObjTyp == "M__") {
    if (a.dlz) a.dlz(row);
  }
}

void Get_Download() {
  std::string datum, zeit;
  Get_SysDatum(datum, zeit, 3);
  int st = Apk_Dnl(datum, zeit, "KorrMld");
  if (st != 0) Log_Fehler("Get_Download", "Download->APK fehlerhaft beendet", st);
  st = App_Dnl(datum, zeit, "KorrMld");
  if (st != 0) Log_Fehler("Get_Download", "Download->APP fehlerhaft beendet", st);
}
