#include "eval/worktime/MpaMlt.h"

#include <cstdio>
#include <vector>

#include "db/DbStatus.h"
#include "infra/Datum.h"
#include "infra/Log.h"

std::string Mpa_Stempel(const std::string& datum, const std::string& zeit) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%8s%6s", datum.c_str(), zeit.c_str());
  return buf;
}

std::string Mpa_BatchKey() {
  std::string stempel, leer;
  Get_SysDatum(stempel, leer, 4);
  return stempel;
}

MltSatz Mpa_Grenze(const std::string& batch, const std::string& obj, const std::string& datum,
                   const std::string& zeit, const NzaSatz& row) {
  MltSatz m;
  m.MltErf = kMpaMltErf;
  m.MltDat = batch;
  m.MltObj = obj;
  m.MltPnr = row.NzaPnr;
  m.MltApl = row.NzaApl;
  m.MltApk = row.NzaApk;
  m.MltApp = row.NzaApp;
  m.MltMdtDat = datum;
  m.MltMdtUhr = zeit;
  return m;
}

int Mpa_GrenzeSchreiben(MltSatz& m, int& zaehler) {
  if (m.MltMdtDat.find_first_not_of(' ') == std::string::npos) return DB_OK;
  m.MltLfn = ++zaehler;
  return Mlt_PKeyIns(m);
}

void Mpa_BatchLoeschen(const std::string& batch, const char* funktion) {
  // The list is read completely first; each entry is then deleted by its key.
  std::vector<MltSatz> liste;
  if (Mlt_Open(kMpaMltErf, batch) == DB_OK) {
    MltSatz m;
    while (Mlt_Fetch(m) == DB_OK) liste.push_back(m);
    (void)Mlt_Close();  // read in full at its open: closing only frees the rows
  }
  for (const MltSatz& m : liste) {
    int st = Mlt_PKeyDel(m);
    if (st != DB_OK) Log_Fehler(funktion, "Mlt_PKeyDel", st);
  }
}
