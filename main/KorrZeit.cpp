#include "main/KorrZeit.h"

#include <string>

#include "db/DbStatus.h"
#include "infra/Datum.h"
#include "infra/Log.h"
#include "main/KorrAuswertung.h"
#include "main/KorrLoop.h"
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

bool Ziffern(const std::string& s, size_t n) {
  if (s.size() != n) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// A date yyyymmdd and a time HHMMSS that name a real instant.
bool GueltigerZeitpunkt(const std::string& dat, const std::string& uhr) {
  if (!Ziffern(dat, 8) || !Ziffern(uhr, 6)) return false;
  const int jahr = std::stoi(dat.substr(0, 4)), monat = std::stoi(dat.substr(4, 2));
  const int tag = std::stoi(dat.substr(6, 2));
  if (monat < 1 || monat > 12 || tag < 1 || tag > Monat_Laenge(monat, jahr)) return false;
  return std::stoi(uhr.substr(0, 2)) < 24 && std::stoi(uhr.substr(2, 2)) < 60 &&
         std::stoi(uhr.substr(4, 2)) < 60;
}

std::string Schluessel(const MelSatz& m) {
  return std::to_string(m.KeyBnr) + "/" + std::to_string(m.KeyLfn);
}

}  // namespace

bool Korr_MengenArt(const std::string& msk) {
  return msk == "RE" || msk == "AE" || msk == "AM";
}

void Korr_ZeitVerschiebung(const MelSatz& m, const FzuSatz&) {
  // Without the instant to move to (a NULL date or time), every row of the
  // booking would lose its time: refused.
  if (!GueltigerZeitpunkt(m.KeyDat, m.KeyUhr)) {
    Log_Fehler("Korr_ZeitVerschiebung", ("Kein gueltiger Zeitpunkt: " + Schluessel(m)).c_str(), -1);
    Korr_Abweisen();
    return;
  }
  int st = Mel_BnrCurOpen(m.KeyBnr);
  if (st != DB_OK) {
    Log_Fehler("Korr_ZeitVerschiebung", "Mel_BnrCur", st);
    Korr_Abweisen();
    return;
  }
  MelSatz r;
  while ((st = Mel_BnrCurFetch(r)) == DB_OK) {
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
    int stU = Mel_PKeyUpdate(r);
    if (stU != DB_OK) Log_Fehler("Korr_ZeitVerschiebung", "Mel_PKeyUpdate", stU);
    Korr_PpsSchnittstelle(r, "+");
    Korr_Auswertung(r);
  }
  if (st != DB_NOT_FOUND) {
    // The rest of the booking is unknown: the shift is not applied in part.
    Log_Fehler("Korr_ZeitVerschiebung", "Mel_BnrCur.Fetch", st);
    Korr_Abweisen();
  }
  (void)Mel_BnrCurClose();  // read in full at its open: closing only frees the rows
}

void Korr_InhaltAendern(const MelSatz& m, const FzuSatz& entry) {
  MelSatz r;
  if (!Korr_MeldungLesen(m, "Korr_Inhalt aendern", r)) return;

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
