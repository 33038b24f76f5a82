#include "main/KorrZeit.h"

#include <string>

#include "db/DbStatus.h"
#include "infra/Log.h"
#include "main/KorrAuswertung.h"
#include "main/KorrPps.h"
#include "main/KorrStatus.h"

namespace {

const std::string kKsbLeer = "        ";
const std::string kKfcLeer = "   ";

void MengenUebernehmen(MelSatz& r) {
  r.MelGum = r.MelKgm;
  r.MelFam = r.MelKfm;
  r.MelMam = r.MelKmm;
  r.MelNam = r.MelKnm;
}

void KorrMengenLoeschen(MelSatz& r) {
  r.MelKgm = r.MelKfm = r.MelKmm = r.MelKnm = 0;
}

}  // namespace

bool Korr_MengenArt(const std::string& msk) {
  return msk == "RE" || msk == "AE" || msk == "AM";
}

void Korr_ZeitVerschiebung(const MelSatz& m, const FzuSatz&) {
  if (Mel_BnrCurOpen(m.KeyBnr) != DB_OK) return;
  MelSatz r;
  while (Mel_BnrCurFetch(r) == DB_OK) {
    r.MelFnr = 0;
    r.KeyTnr = m.KeyTnr;
    r.KeyDat = m.KeyDat;
    r.KeyUhr = m.KeyUhr;
    // Only a row that the clerk marked names a clerk.
    if (r.MelKsb > kKsbLeer) r.MelErf = r.MelKsb;
    r.MelKsb = kKsbLeer;
    r.MelKfc = kKfcLeer;
    if (r.KeyBnr == m.KeyBnr && r.KeyLfn == m.KeyLfn && Korr_MengenArt(r.MelMsk)) {
      Korr_PpsSchnittstelle(r, "-");
      StammTab_Akual(m);
      Get_Download();
      MengenUebernehmen(r);
    }
    KorrMengenLoeschen(r);
    int st = Mel_PKeyUpdate(r);
    if (st != DB_OK) Log_Fehler("Korr_ZeitVerschiebung", "Mel_PKeyUpdate", st);
    Korr_PpsSchnittstelle(r, "+");
    Korr_Auswertung(r);
  }
  Mel_BnrCurClose();
}

void Korr_InhaltAendern(const MelSatz& m, const FzuSatz& entry) {
  MelSatz r;
  r.KeyBnr = m.KeyBnr;
  r.KeyLfn = m.KeyLfn;
  if (Mel_PKeyReadk(r) != DB_OK) return;

  ApkSatz a;
  a.ApkApk = r.KeyApk;
  if (Apk_PKeyReadk(a) == DB_OK) r.KeyTnr = a.ApkTnr;

  r.MelFnr = 0;
  r.MelErf = r.MelKsb;
  r.MelKsb = kKsbLeer;
  r.MelKdt.clear();
  r.MelKfc = kKfcLeer;
  if (Korr_MengenArt(r.MelMsk)) {
    Korr_PpsSchnittstelle(r, "-");  // the old quantities taken back
    MengenUebernehmen(r);
  }
  KorrMengenLoeschen(r);
  int st = Mel_PKeyUpdate(r);
  if (st != DB_OK) {
    Log_Fehler("Korr_Inhalt aendern", "Mel_PKeyUpdate", st);
    return;
  }
  StammTab_Akual(m);
  Get_Download();
  if (entry.FzuUpl == 1) Korr_PpsSchnittstelle(r, "+");
}
