#include "eval/Tagschritt.h"

#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "infra/Datum.h"

std::string Tag_Plus(const std::string& datum, int tage) {
  std::string tag;
  return Datum_Plus(datum, tage, tag) ? tag : datum;
}

int Datum_Tage(int modus, int tage, const std::string& datum, std::string& datum2) {
  if (modus == 2) {
    const std::string eingabe = datum;  // datum and datum2 may be one string
    BakSatz tag;
    int st = Bak_DatumPlus(eingabe, tage, tag);
    datum2 = st == DB_OK ? tag.BakDtm : eingabe;
    return st;
  }
  if (modus == 1) {
    int anzahl = 0;
    int st = Bak_Zaehlen(datum, datum2, anzahl);
    return st == DB_OK ? anzahl : 0;
  }
  return 0;
}

std::string Kalender_Vortag(const std::string& datum) {
  std::string tag;
  return Datum_Tage(2, -1, datum, tag) == DB_OK ? tag : datum;
}
