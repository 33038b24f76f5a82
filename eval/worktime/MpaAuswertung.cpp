#include "eval/worktime/MpaAuswertung.h"

#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "eval/Tagschritt.h"
#include "eval/worktime/MpaAufteilen.h"
#include "eval/worktime/MpaMlt.h"
#include "eval/worktime/MpaParameter.h"
#include "infra/Datum.h"
#include "infra/Log.h"
#include "main/KorrParameter.h"

namespace {

const char* const kZehnBlanks = "          ";

bool Unterbrechungen() {
  return Korr_Parameter().auswertung[5] == 1;
}

// The latest begin message of one kind in the replay.
struct LetzterBeginn {
  std::string apl, apk, app, pnr, dat, uhr;
};

LetzterBeginn Merken(const MelSatz& r) {
  return {r.KeyApl, r.KeyApk, r.KeyApp, r.KeyPnr, r.KeyDat, r.KeyUhr};
}

void OffenerBeginn(NzaSatz& o, int sa, const LetzterBeginn& b) {
  o.NzaSa = sa;
  o.NzaApl = b.apl;
  o.NzaApk = b.apk;
  o.NzaApp = b.app;
  o.NzaPnr = b.pnr;
  o.NzaDtmDat = b.dat;
  o.NzaDtmUhr = b.uhr;
}

// NzaRau of a message: 1 setup, 3 work, 4 interruption (only for an end
// without begin), 5 none; a later flag wins over an earlier one.
int Rau(const MelSatz& r, bool mitUnterbrechung) {
  int rau = 5;
  if (r.Sts00R == "1") rau = 1;
  if (r.Sts00A == "1") rau = 3;
  if (mitUnterbrechung && r.Sts00U == "1") rau = 4;
  return rau;
}

}  // namespace

void Nza_Delete(int sa, const std::string& apl, const std::string& apk, const std::string& app,
                const std::string& pnr) {
  if (Nza_OpenPnr(sa, apl, apk, app, pnr) != DB_OK) return;
  NzaSatz row;
  while (Nza_FetchPnr(row) == DB_OK) {
    int st = Nza_PKeyDel(row);
    if (st != DB_OK) Log_Fehler("Nza_Delete", "Nza_PKeyDel", st);
  }
  (void)Nza_ClosePnr();  // read in full at its open: closing only frees the rows
}

void Mel_Fehlermeldung(const MelSatz& r, int fnr) {
  MelSatz m;
  m.KeyBnr = r.KeyBnr;
  m.KeyLfn = r.KeyLfn;
  int st = Mel_PKeyReadk(m);
  if (st != DB_OK) {
    Log_Fehler("Mel_Fehlermeldung", "Fehler bei Mel_PKeyUpd", st);
    return;
  }
  m.MelFnr = fnr;
  st = Mel_PKeyUpdate(m);
  if (st != DB_OK) Log_Fehler("Mel_Fehlermeldung", "Fehler bei Mel_PKeyUpd", st);
}

void Mpa_BeginnMeldung(const MelSatz& r) {
  NzaSatz b;
  b.NzaSa = r.MelMsk == "PA" ? 1 : 2;
  b.NzaApl = r.KeyApl;
  b.NzaApk = r.KeyApk;
  b.NzaApp = r.KeyApp;
  b.NzaPnr = r.KeyPnr;
  b.NzaDtmDat = r.KeyDat;
  b.NzaDtmUhr = r.KeyUhr;
  b.NzaTnr = r.KeyTnr;
  b.NzaUbg = r.KeyUbg;
  b.NzaBmk = r.MelMsk;
  b.NzaRau = Rau(r, false);
  b.Nza00A = b.Nza00U = b.Nza00S = 0;
  b.NzaBeg = 1;
  b.NzaBbn = r.KeyBnr;
  b.NzaBln = r.KeyLfn;
  if (b.NzaSa == 2 && !Unterbrechungen()) return;
  Nza_ArbeitBeginn(b);
}

void Nza_ArbeitBeginn(NzaSatz b) {
  NzaSatz vorhanden;
  vorhanden.NzaSa = b.NzaSa;
  vorhanden.NzaApl = b.NzaApl;
  vorhanden.NzaApk = b.NzaApk;
  vorhanden.NzaApp = b.NzaApp;
  vorhanden.NzaPnr = b.NzaPnr;
  vorhanden.NzaDtmDat = b.NzaDtmDat;
  vorhanden.NzaDtmUhr = b.NzaDtmUhr;
  int st = Nza_PKeyReadk(vorhanden);
  if (st == DB_OK) {
    // A second begin at the same instant: the existing row is marked.
    vorhanden.NzaFnr = kNzaFnrDoppelt;
    st = Nza_PKeyUpd(vorhanden);
    if (st != DB_OK) Log_Fehler("Nza_ZeileAender", "Fehler bei Nza_PKeyUpd", st);
    return;
  }
  if (st != DB_NOT_FOUND) {
    Log_Fehler("Nza_ArbeitBeginn", "Fehler bei Nza_PKeyReadk", st);
    return;
  }
  NzaSatz n;
  n.NzaSa = b.NzaSa;
  n.NzaApl = b.NzaApl;
  n.NzaApk = b.NzaApk;
  n.NzaApp = b.NzaApp;
  n.NzaPnr = b.NzaPnr;
  n.NzaDtmDat = b.NzaDtmDat;
  n.NzaDtmUhr = b.NzaDtmUhr;
  n.NzaTnr = b.NzaTnr;
  n.NzaUbg = b.NzaUbg;
  n.NzaBmk = b.NzaBmk;
  n.NzaRau = b.NzaRau;
  n.Nza00A = b.Nza00A;
  n.Nza00U = b.Nza00U;
  n.Nza00S = b.Nza00S;
  n.NzaBeg = b.NzaBeg;
  n.NzaBbn = b.NzaBbn;
  n.NzaBln = b.NzaBln;
  n.NzaErf = kNzaErfReplay;
  n.NzaEmk = "  ";
  n.NzaEmo = kZehnBlanks;
  Nza_AuswParameter(n);
  st = Nza_PKeyIns(n);
  if (st != DB_OK) Log_Fehler("Nza_ZeileErfassen", "Fehler bei Nza_PKeyIns", st);
}

bool Nza_ArbeitEnde(const MelSatz& r, NzaSatz& o) {
  int st = Nza_PKeyReadk(o);
  if (st != DB_OK) {
    Log_Fehler("Nza_ArbeitEnde", "Fehler bei Nza_PKeyReadk", st);
    return false;
  }
  o.NzaEdtDat = r.KeyDat;
  o.NzaEdtUhr = r.KeyUhr;
  o.NzaEmk = r.MelMsk;
  o.NzaErf = kNzaErfReplay;
  o.NzaEnd = 1;
  o.NzaEbn = r.KeyBnr;
  o.NzaEln = r.KeyLfn;
  st = Nza_PKeyUpd(o);
  if (st != DB_OK) {
    Log_Fehler("Nza_ArbeitEnde", "Fehler bei Nza_PKeyUpd", st);
    return false;
  }
  return true;
}

void Nza_BeginnEndeErgaenzen(NzaSatz& n) {
  const bool ohneBeginn = n.NzaBeg == 0 && n.NzaEnd != 0;
  if (n.NzaPzm == 1) {
    // Day-program variant: no day program applies, so the times are assumed.
    if (ohneBeginn) {
      n.NzaDtmDat = n.NzaEdtDat;
      n.NzaDtmUhr = "000001";
      n.NzaBmk = "BG";
    } else {
      n.NzaEdtDat = n.NzaDtmDat;
      n.NzaEdtUhr = "235959";
      n.NzaEmk = "EG";
    }
    n.NzaFnr = kNzaFnrZeitAngenommen;
    return;
  }

  // Shift variant: the begin (or end) of the shift that holds the known time.
  std::string bezug;
  if (ohneBeginn) {
    n.NzaDtmDat = n.NzaEdtDat;
    bezug = n.NzaEdtUhr;
    n.NzaBmk = "BG";
  } else {
    n.NzaEdtDat = n.NzaDtmDat;
    n.NzaEmk = "EG";
    bezug = n.NzaDtmUhr;
    n.NzaEdtUhr = "235959";
  }
  const int t = Zeit_InMinuten(bezug);
  const int t2 = t + 1440;
  if (Emo_Open(n.NzaEmo, n.NzaTtp) != DB_OK) return;
  EmoSatz s;
  while (Emo_Fetch(s) == DB_OK) {
    const int b = s.EmoBeg;
    const int e = s.EmoEnd < b ? s.EmoEnd + 1440 : s.EmoEnd;  // a shift over midnight
    if (!((b <= t && t <= e) || (b <= t2 && t2 <= e))) continue;
    // Every matching shift is taken; a later one overrides an earlier one.
    if (ohneBeginn) {
      if (s.EmoBeg > t) n.NzaDtmDat = Tag_Plus(n.NzaEdtDat, -1);  // begun the day before
      n.NzaDtmUhr = Minuten_InZeit(b);
    } else {
      if (s.EmoEnd < t) n.NzaEdtDat = Tag_Plus(n.NzaDtmDat, 1);  // ends the next day
      // The end time of the day the shift ends on.
      n.NzaEdtUhr = Minuten_InZeit(s.EmoEnd);
    }
  }
  (void)Emo_Close();  // read in full at its open: closing only frees the rows
}

bool Nza_ArbeitEndeOhneBeginn(const MelSatz& r, NzaSatz& o) {
  NzaSatz n;
  n.NzaApl = r.KeyApl;
  n.NzaApk = r.KeyApk;
  n.NzaApp = r.KeyApp;
  n.NzaPnr = r.KeyPnr;
  n.NzaTnr = r.KeyTnr;
  n.NzaUbg = r.KeyUbg;
  n.NzaRau = Rau(r, true);
  n.NzaErf = kNzaErfReplay;
  n.NzaDtmDat = r.KeyDat;
  n.NzaEdtDat = r.KeyDat;
  n.NzaEdtUhr = r.KeyUhr;
  n.NzaEmk = r.MelMsk;
  n.NzaEmo = kZehnBlanks;
  n.NzaEnd = 1;
  // The attributes are those of the shift that holds the end: the begin is
  // not known yet and is completed from that shift.
  n.NzaDtmUhr = r.KeyUhr;
  Nza_AuswParameter(n);
  n.NzaDtmUhr.clear();
  Nza_BeginnEndeErgaenzen(n);
  // No shift holds the end: the row begins with the end's day.
  if (n.NzaDtmUhr.empty()) n.NzaDtmUhr = "000000";
  n.NzaEbn = r.KeyBnr;
  n.NzaEln = r.KeyLfn;
  n.NzaSa = 1;
  if (r.MelMsk == "PW") {
    n.NzaSa = 2;
    n.NzaBmk = "PU";
    if (!Unterbrechungen()) return false;
  }
  n.NzaFnr = kNzaFnrOhneBeginn;
  int st = Nza_PKeyIns(n);
  if (st == DB_OK) {
    Mel_Fehlermeldung(r, kNzaFnrOhneBeginn);
    return true;
  }
  Log_Fehler("Nza_ArbeitEndeOhneBeginn", "Fehler bei Nza_PKeyIns", st);
  Mel_Fehlermeldung(r, kNzaFnrDoppelt);
  o = n;
  return false;
}

void Mpa_EndeMeldung(const MelSatz& r, NzaSatz& o) {
  const bool eigenerSchluessel =
      o.NzaApl == r.KeyApl && o.NzaApk == r.KeyApk && o.NzaApp == r.KeyApp && o.NzaPnr == r.KeyPnr;
  // Only a row that this end step has closed is measured for the split: a
  // row that could not be written, or one whose begin is only assumed (an end
  // without begin), is never cut into pieces.
  if (!eigenerSchluessel) {
    Nza_ArbeitEndeOhneBeginn(r, o);
    return;
  }
  if (!Nza_ArbeitEnde(r, o)) return;
  // A row whose end lies before its begin is not split either.
  const int dauer =
      Zeit_Differenz(Mpa_Stempel(o.NzaEdtDat, o.NzaEdtUhr), Mpa_Stempel(o.NzaDtmDat, o.NzaDtmUhr));
  if (dauer > kMpaSpanneMax) {
    Mpa_SpanneAufteilen(o, r.MelMsk == "PW" ? MpaSpanne::Unterbrechung : MpaSpanne::Arbeit);
  }
}

void Mpa_Auswertung(const MelSatz& m) {
  Nza_Delete(1, m.KeyApl, m.KeyApk, m.KeyApp, m.KeyPnr);
  Nza_Delete(2, m.KeyApl, m.KeyApk, m.KeyApp, m.KeyPnr);
  if (Mel_PnrCurOpen("MPA", m.KeyApl, m.KeyApk, m.KeyApp, m.KeyPnr) != DB_OK) return;
  LetzterBeginn arbeit, unterbrechung;
  NzaSatz offen;
  MelSatz r;
  while (Mel_PnrCurFetch(r) == DB_OK) {
    if (r.MelMsk == "PA") {
      arbeit = Merken(r);
      Mpa_BeginnMeldung(r);
    } else if (r.MelMsk == "PU") {
      unterbrechung = Merken(r);
      Mpa_BeginnMeldung(r);
    } else if (r.MelMsk == "PE") {
      OffenerBeginn(offen, 1, arbeit);
      Mpa_EndeMeldung(r, offen);
    } else if (r.MelMsk == "PW") {
      OffenerBeginn(offen, 2, unterbrechung);
      if (Unterbrechungen()) Mpa_EndeMeldung(r, offen);
    }
  }
  (void)Mel_PnrCurClose();  // read in full at its open: closing only frees the rows
}
