#include "main/KorrMerker.h"

#include <cstdio>
#include <string>

#include "db/DbStatus.h"
#include "infra/Log.h"
#include "main/KorrParameter.h"

namespace {

// The message instant: date and time joined to yyyymmddHHMMSS.
std::string Zeitpunkt(const MelSatz& m) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%8s%6s", m.KeyDat.c_str(), m.KeyUhr.c_str());
  return buf;
}

// Creates the marker `key` at the message's instant, or moves an existing
// one back to it when the message is earlier. `funktion` names the step in
// the log; `insText` is that step's text for a failed insert.
void Merken(const MrkSatz& key, const MelSatz& m, const char* funktion, const char* insText) {
  const std::string t = Zeitpunkt(m);
  MrkSatz mrk = key;
  if (Mrk_PKeyReadk(mrk) == DB_OK) {
    if (mrk.MrkMdt > t) {
      mrk.MrkMdt = t;
      int st = Mrk_PKeyUpd(mrk);
      if (st != DB_OK) Log_Fehler(funktion, "Mrk_PKeyUpd", st);
    }
    return;
  }
  mrk = key;
  mrk.MrkBnr = 0;
  mrk.MrkMdt = t;
  mrk.MrkObj = m.ObjTyp;
  int st = Mrk_PKeyIns(mrk);
  if (st != DB_OK) Log_Fehler(funktion, insText, st);
}

MrkSatz Schluessel(const char* kind, const std::string& apl, const std::string& apk,
                   const std::string& app, const std::string& pnr) {
  MrkSatz k;
  k.MrkKng = kind;
  k.MrkApl = apl;
  k.MrkApk = apk;
  k.MrkApp = app;
  k.MrkPnr = pnr;
  k.MrkBnr = 0;
  return k;
}

}  // namespace

// The log texts of the failed inserts differ per step; the other programs of
// the installation search the log for them as they stand.
void Get_MerkNZM(const MelSatz& m) {
  Merken(Schluessel("NZM", m.KeyDat, "000000000000", "00000", m.KeyPnr), m, "Get_MerkNZM",
         "Mrk_PkeyIns");
}

void Get_MerkNZA(const MelSatz& m) {
  Merken(Schluessel("NZA", "0000000000", m.KeyApk, m.KeyApp, "00000000"), m, "Get_MerkNZA",
         "Mrk_PKEyIns");
}

void Get_MerkLZA(const MelSatz& m) {
  Merken(Schluessel("LZM", m.KeyApl, "000000000000", "00000", "00000000"), m, "Get_MerkLZA",
         "Mrk_PKeyIns");
}

void Get_MerkPRF(const MelSatz& m) {
  std::string apl = m.KeyApl, apk = m.KeyApk, pnr = m.KeyPnr;
  if (m.ObjTyp == "M_A") {
    pnr = "00000000";
  } else if (m.ObjTyp == "M__") {
    pnr = "00000000";
    apk = "000000000000";
    apl = "0000000000";
  }
  Merken(Schluessel("PRF", apl, apk, m.KeyApp, pnr), m, "Get_MerkPRF", "Mrk_PKeyIns");
}

void Korr_Merker(const MelSatz& m) {
  const KorrParameter& p = Korr_Parameter();
  if (p.merker[1] == 1) Get_MerkNZM(m);
  if (p.merker[9] == 1) Get_MerkPRF(m);
  if (p.merker[3] == 1) Get_MerkNZA(m);
  if (p.merker[4] == 1) Get_MerkLZA(m);
}
