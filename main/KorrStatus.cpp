#include "main/KorrStatus.h"

#include <cstdio>
#include <string>

#include "db/DbStatus.h"
#include "infra/Log.h"
#include "main/KorrAuswertung.h"
#include "main/KorrLoop.h"
#include "main/KorrPps.h"

namespace {

const std::string kKsbLeer = "        ";
const std::string kKfcLeer = "   ";

// Overwrites the first three characters of a free text with those of `text`.
void Zf3Markieren(std::string& zf3, const char* text) {
  std::string kopf = std::string(text).substr(0, 3);
  zf3 = kopf + (zf3.size() > 3 ? zf3.substr(3) : "");
}

bool BeginntMit(const std::string& s, const char* prefix) {
  return s.compare(0, std::string(prefix).size(), prefix) == 0;
}

// Moves the order's actual begin back to the message's instant when the
// message is earlier. An order without an actual begin takes the message's.
void BeginnVorziehen(ApkSatz& a, const MelSatz& m) {
  bool frueher = a.ApkBdiDat > m.KeyDat || (a.ApkBdiDat == m.KeyDat && a.ApkBdiUhr > m.KeyUhr);
  if (frueher || a.ApkBdiDat.empty()) {
    a.ApkBdiDat = m.KeyDat;
    a.ApkBdiUhr = m.KeyUhr;
  }
}

void StatusRegeln(const MelSatz& m, ApkSatz& a, AppSatz& p) {
  if (m.MelKfc == "STA") {
    a.ApkDna = p.AppDna = "STA";
    a.ApkDwn = p.AppDwn = kKorrProgramm;
  }
  if (m.MelKfc == "AEI") {
    a.ApkDna = p.AppDna = "AEN";
    a.ApkDwn = p.AppDwn = kKorrProgramm;
  }
  if (m.MelFcd == "A01") {
    BeginnVorziehen(a, m);
    if (a.ApkSts < 1) {
      a.ApkSis = a.ApkSts;
      a.ApkSts = 1;
    }
  }
  if (m.MelFcd == "A03") {
    BeginnVorziehen(a, m);
    if (a.ApkSts < 3) {
      a.ApkSis = a.ApkSts;
      a.ApkSts = 3;
    }
  }
  if (m.MelFcd == "A02" && p.AppSts == 1) {
    p.AppSis = p.AppSts;
    p.AppSts = 2;
  }
  if (m.MelFcd == "A04" && p.AppSts == 3) {
    p.AppSis = p.AppSts;
    p.AppSts = 4;
  }
  if (m.MelFcd == "A05" && p.AppSts == 4) p.AppSts = p.AppSis;
  if (m.MelFcd == "A07") {
    if (p.AppEdiDat < m.KeyDat || (p.AppEdiDat == m.KeyDat && p.AppEdiUhr < m.KeyUhr)) {
      p.AppEdiDat = m.KeyDat;
      p.AppEdiUhr = m.KeyUhr;
    }
    if (m.MelAec == "1" && Mel_NachherPruefen(m) == 1) {
      a.ApkEaf += 1;
      p.AppSts = 9;
      if (a.ApkAba == 1 && p.AppNaf == "00000") {
        a.ApkEaf += 1;
        a.ApkSis = a.ApkSts;
        a.ApkSts = 9;
        a.ApkEdiDat = m.KeyDat;
        a.ApkEdiUhr = m.KeyUhr;
      }
      if (a.ApkAba == 2 && a.ApkEaf == a.ApkAfo) {
        a.ApkSis = a.ApkSts;
        a.ApkSts = 9;
      }
    } else {
      p.AppSts = 6;
      a.ApkSts = 3;
    }
  }
}

}  // namespace

int Mel_NachherPruefen(const MelSatz& row) {
  int st = Mel_NachherCurOpen(row.KeyApl, row.KeyApk, row.KeyApp, row.KeyDat, row.KeyUhr);
  if (st != DB_OK) return st;
  MelSatz naechste;
  st = Mel_NachherCurFetch(naechste);
  (void)Mel_NachherCurClose();  // read in full at its open: closing only frees the rows
  if (st == DB_OK) return 0;
  if (st == DB_NOT_FOUND) return 1;
  // A failed fetch proves nothing: like a failed open, it never lets the
  // message close its operation.
  return st;
}

void StammTab_Akual(const MelSatz& m) {
  if (m.ObjTyp == "MPA") return;

  ApkSatz a;
  a.ApkApk = m.KeyApk;
  int stA = Apk_PKeyReadk(a);
  if (stA != DB_OK) Log_Fehler("StammTab_Akual", "Apk_PKeyReadk", stA);

  AppSatz p;
  p.AppApk = m.KeyApk;
  p.AppApp = m.KeyApp;
  int stP = App_PKeyReadk(p);
  if (stP != DB_OK) Log_Fehler("StammTab_Akual", "App_PKeyReadk", stP);

  StatusRegeln(m, a, p);

  if (m.MelFcd == "A02" || m.MelFcd == "A06" || m.MelFcd == "A07") {
    // The difference between the corrected and the old quantities.
    p.AppIme += m.MelKgm - m.MelGum;
    p.AppAme += m.MelKfm - m.MelFam;
    if (m.MelAec == "1") a.ApkIme = p.AppIme;
  }

  if (stA == DB_OK) {
    a.ApkErf = kKorrProgramm;
    int st = Apk_PKeyUpd(a);
    if (st != DB_OK) Log_Fehler("StammTab_Akual", "Apk_PKeyUpd", st);
  }
  if (stP == DB_OK) {
    p.AppErf = kKorrProgramm;
    int st = App_PKeyUpd(p);
    if (st != DB_OK) Log_Fehler("StammTab_Akual", "App_PKeyUpd", st);
    if ((p.AppSts == 9 && BeginntMit(p.AppZf2, "*PKT_KOPF*")) ||
        BeginntMit(p.AppZf2, "*PKT_PROG*")) {
      Put_Pakete(m, p);
    }
  }
}

void Put_Pakete(MelSatz m, const AppSatz& p) {
  char schluessel[64];
  std::snprintf(schluessel, sizeof schluessel, "%12s%5s%13s", p.AppApk.c_str(), p.AppApp.c_str(),
                "");
  if (App_OpenZf2(schluessel) != DB_OK) return;
  AppSatz q;
  while (App_FetchZf2(q) == DB_OK) {
    q.AppBdiDat = p.AppBdiDat;
    q.AppBdiUhr = p.AppBdiUhr;
    q.AppEdiDat = p.AppEdiDat;
    q.AppEdiUhr = p.AppEdiUhr;
    q.AppSts = p.AppSts;
    if (p.AppSts == 9) {
      m.MelGum = q.AppIme;
      Put_PaketeAPK(q);
    } else {
      m.MelGum = m.MelFam = m.MelMam = m.MelNam = 0;
    }
    m.KeyApk = q.AppApk;
    m.KeyApp = q.AppApp;
    q.AppDwn = kKorrProgramm;
    q.AppDna = "STA";
    Zf3Markieren(q.AppZf3, "Download VASTRIGON");
    int st = App_PKeyUpd(q);
    if (st != DB_OK) Log_Fehler("Put_Pakete", "App_PKeyUpd", st);
    Korr_PpsSchnittstelle(m, "-");
    Korr_PpsSchnittstelle(m, "+");
  }
  (void)App_CloseZf2();  // read in full at its open: closing only frees the rows
}

void Put_PaketeAPK(const AppSatz& q) {
  ApkSatz a;
  a.ApkApk = q.AppApk;
  int st = Apk_PKeyReadk(a);
  if (st != DB_OK) {
    Log_Fehler("Put_PaketeAPK", "Apk_PKeyReadk", st);
    return;
  }
  a.ApkEaf += 1;
  if (a.ApkAba == 1 && q.AppNaf == "00000") {
    a.ApkEaf += 1;
    a.ApkSis = a.ApkSts;
    a.ApkSts = 9;
    a.ApkEdiDat = q.AppEdiDat;
    a.ApkEdiUhr = q.AppEdiUhr;
    a.ApkIme = q.AppIme;
    a.ApkDwn = kKorrProgramm;
    a.ApkDna = "STA";
    Zf3Markieren(a.ApkZf3, "Download VASTRIGON");
  }
  if (a.ApkAba == 2 && a.ApkEaf == a.ApkAfo) {
    a.ApkSis = a.ApkSts;
    a.ApkSts = 9;
    a.ApkIme = q.AppIme;
    a.ApkDwn = "MldToNza";
    a.ApkDna = "STA";
    Zf3Markieren(a.ApkZf3, "Download PELUNTARA");
  }
  st = Apk_PKeyUpd(a);
  if (st != DB_OK) Log_Fehler("Put_PaketeAPK", "Apk_PKeyUpd", st);
}

void Korr_Statusaenderung(const MelSatz& m, const FzuSatz&) {
  MelSatz r;
  if (!Korr_MeldungLesen(m, "Korr_Statusaenderung", r)) return;

  r.MelFnr = 0;
  r.MelErf = r.MelKsb;
  r.MelKsb = kKsbLeer;
  r.MelKdt.clear();
  r.MelKfc = kKfcLeer;
  if (r.MelAec == "1") {
    r.MelAec = "0";
  } else if (Mel_NachherPruefen(m) == 1) {
    r.MelAec = "1";
  } else {
    r.MelFnr = 2003;
  }
  r.MelKgm = r.MelKfm = r.MelKmm = r.MelKnm = 0;
  int st = Mel_PKeyUpdate(r);
  if (st != DB_OK) {
    Log_Fehler("Korr_Statusaenderung", "Mel_PKeyUpdate", st);
    return;
  }
  if (r.MelFnr != 0) return;  // a refused status change has no follow-up

  r.MelKfc = m.MelKfc;
  r.MelGum = r.MelFam = r.MelMam = r.MelNam = 0;
  StammTab_Akual(r);
  Korr_PpsSchnittstelle(r, "+");
  Get_Download();
}
