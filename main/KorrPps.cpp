#include "main/KorrPps.h"

#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "infra/Datum.h"
#include "infra/Log.h"

namespace {

// Planning status of a message by its function code.
int PpsStatus(const MelSatz& m) {
  if (m.MelFcd == "A01") return 1;
  if (m.MelFcd == "A02") return 2;
  if (m.MelFcd == "A03") return 3;
  if (m.MelFcd == "A04") return 4;
  if (m.MelFcd == "A05") return 3;
  if (m.MelFcd == "A07") return m.MelAec == "0" ? 6 : 9;
  return 0;
}

// How often a first use of the counter that met another run's insert draws
// again before it gives up.
constexpr int kZiehVersuche = 3;

}  // namespace

void UploadNummer(PpsSatz& record) {
  BnrSatz bnr;
  bnr.BnrKey = kPpsZaehler;
  bnr.BnrEsb = kKorrProgramm;
  int st = DB_OK;
  for (int versuch = 0; versuch < kZiehVersuche; ++versuch) {
    // Raise and read the counter in one statement, so that two runs drawing
    // at the same time never get the same number.
    st = Bnr_PKeyNext(bnr);
    if (st == DB_OK) {
      record.PpsLfn = bnr.BnrBnr;
      return;
    }
    if (st != DB_NOT_FOUND) break;
    // No counter yet: the first number creates it.
    bnr.BnrBnr = 1;
    st = Bnr_PKeyIns(bnr);
    if (st == DB_OK) {
      record.PpsLfn = 1;
      return;
    }
    // Another run created the counter meanwhile: draw from it.
    if (st != DB_DUP_KEY) break;
  }
  Log_Fehler("UploadNummer", "Get,Ins,Upd", st);
}

void Korr_PpsSchnittstelle(const MelSatz& m, const std::string& sign) {
  FzuSatz entry;
  entry.FzuMld = m.MelMsk;
  if (Fzu_MldRead(entry) != DB_OK || entry.FzuUpl != 1) return;

  PpsSatz r;
  std::string leer;
  Get_SysDatum(r.PpsDat, leer, 4);
  r.PpsVkz = "*NO";
  r.PpsFcd = (m.MelFcd == "A07" && m.MelAec == "0") ? "AT" : m.MelMsk;
  r.PpsPnr = m.KeyPnr;
  r.PpsApl = m.KeyApl;
  r.PpsApk = m.KeyApk;
  r.PpsApp = m.KeyApp;
  r.PpsAwn = m.MelAwn;
  r.PpsMdt = m.KeyDat;
  r.PpsMzt = m.KeyUhr;
  r.PpsUbg = m.KeyUbg;
  r.PpsAug = m.KeyAug;
  r.PpsSts = PpsStatus(m);
  r.PpsSto = sign;
  r.PpsGum = m.MelGum;
  r.PpsFam = m.MelFam;
  r.PpsMam = m.MelMam;
  r.PpsNam = m.MelNam;
  r.PpsMee = m.MelMee;
  r.PpsZt1 = m.MelZt1;
  r.PpsZt2 = m.MelZt2;
  r.PpsZt3 = m.MelZt3;

  UploadNummer(r);

  int st = Pps_PKeyIns(r);
  if (st != DB_OK) Log_Fehler("Korr_PpsSchnittstelle", "Pps_PKeyIns", st);
}
