#include "eval/MltEintrag.h"

#include "infra/Datum.h"

void Mlt_AusMeldung(const MelSatz& m, MltSatz& e) {
  e.MltObj = m.MelMsk;
  e.MltPnr = m.KeyPnr;
  e.MltApl = m.KeyApl;
  e.MltApk = m.KeyApk;
  e.MltApp = m.KeyApp;
  e.MltMdtDat = m.KeyDat;
  e.MltMdtUhr = m.KeyUhr;
  e.MltUbg = m.KeyUbg;
}

void Mlt_Abschluss(const MelSatz& letzte, const char* obj, const std::string& stempel, MltSatz& e) {
  Mlt_AusMeldung(letzte, e);
  e.MltObj = obj;
  e.MltMdtDat = stempel.substr(0, 8);
  e.MltMdtUhr = stempel.size() > 8 ? stempel.substr(8, 6) : std::string();
}

void Mlt_Grenze(const char* obj, const std::string& datum, int minuten, MltSatz& e) {
  e.MltObj = obj;
  e.MltMdtDat = datum;
  e.MltMdtUhr = Minuten_InZeit(minuten);
}
