#include "eval/runtime/LzaWalk.h"

#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "eval/runtime/LzaSummen.h"
#include "infra/Datum.h"
#include "infra/Log.h"
#include "main/KorrParameter.h"

namespace {

const char* const kLzaStd = "LzaStd";

Lza_Zeitpunkt Zeitpunkt(const MltSatz& e) {
  return {e.MltMdtDat, e.MltMdtUhr};
}

bool IrgendeinSchalter(const Lza_Zustand& z) {
  return z.ruesten || z.arbeit || z.anwesend || z.unterbrochen || z.pause;
}

// Cuts the time line at `e`: books the running segment when a switch is on,
// and begins the next segment at `e`.
void Schneiden(Lza_Lauf& lauf, const Lza_Zeitpunkt& e) {
  Lza_Zustand& z = lauf.zustand;
  if (IrgendeinSchalter(z)) {
    z.segmentEnde = e;
    Lza_Segment_Buchen(lauf);
  }
  z.segmentBeginn = e;
}

// The closing events ("RE", "AE", "AT", "EP", "AW") book the segment up to
// `e` and begin the next one there. Without any switch on they book a
// segment of length 0 as if their phase had begun at `e`.
void Beenden(Lza_Lauf& lauf, const Lza_Zeitpunkt& e, int Lza_Zustand::*schalter) {
  Lza_Zustand& z = lauf.zustand;
  if (!IrgendeinSchalter(z)) {
    z.segmentBeginn = e;
    z.*schalter = 1;
  }
  z.segmentEnde = e;
  Lza_Segment_Buchen(lauf);
  z.segmentBeginn = e;
  z.*schalter = 0;
}

void Kommen(Lza_Lauf& lauf, const MltSatz& eintrag) {
  Lza_Zustand& z = lauf.zustand;
  const Lza_Zeitpunkt e = Zeitpunkt(eintrag);
  z.anwesenheitBeginn = e;
  z.anwesenheitWechsel = e;
  Schneiden(lauf, e);
  z.anwesend = 1;
}

void Gehen(Lza_Lauf& lauf, const MltSatz& eintrag) {
  Lza_Zustand& z = lauf.zustand;
  const Lza_Zeitpunkt e = Zeitpunkt(eintrag);
  z.anwesenheitWechsel = e;
  if (!IrgendeinSchalter(z)) {
    z.anwesenheitBeginn = e;
    z.segmentBeginn = e;
    z.anwesend = 1;
  }
  z.segmentEnde = e;
  Lza_Segment_Buchen(lauf);
  const long long* a = z.anwesenheit;
  if (a[kLzaNza] > 0 || a[kLzaBzA] > 0 || a[kLzaUza] > 0 || a[kLzaNzr] > 0 || a[kLzaBzr] > 0)
    Nza_ArbeitsGangSatz(lauf, eintrag);
  if (z.arbeit || z.ruesten) z.segmentBeginn = e;
  z.anwesend = 0;
  for (long long& k : z.anwesenheit) k = 0;
}

void Unterbrechen(Lza_Lauf& lauf, const MltSatz& eintrag) {
  Lza_Zustand& z = lauf.zustand;
  const Lza_Zeitpunkt e = Zeitpunkt(eintrag);
  Schneiden(lauf, e);
  for (long long& k : z.unterbrechung) k = 0;
  for (long long& k : lauf.aussen.unterbrechung) k = 0;
  z.unterbrechungBeginn = e;
  z.unterbrechungGrund = eintrag.MltUbg;
  z.unterbrochen = 1;
}

void Wiederaufnehmen(Lza_Lauf& lauf, const MltSatz& eintrag) {
  Lza_Zustand& z = lauf.zustand;
  const Lza_Zeitpunkt e = Zeitpunkt(eintrag);
  // Only an interruption that an "AU" opened has a begin and durations of its
  // own; a resumption without one closes nothing and writes no kind-3 row.
  const bool offen = z.unterbrochen != 0;
  if (!IrgendeinSchalter(z)) {
    z.segmentBeginn = e;
    z.unterbrochen = 1;
  }
  z.segmentEnde = e;
  z.unterbrechungEnde = e;
  Lza_Segment_Buchen(lauf);
  if (lauf.satz3 && offen) Nza_SA_C_Ins(lauf, eintrag);
  z.segmentBeginn = e;
  z.unterbrechungGrund = "    ";
  z.unterbrochen = 0;
}

void Buchen(Lza_Zustand& ziel, long long d, std::initializer_list<int> anwesenheit,
            std::initializer_list<int> unterbrechung) {
  for (int k : anwesenheit) ziel.anwesenheit[k] += d;
  for (int i : unterbrechung) ziel.unterbrechung[i - 1] += d;
}

// The part number of order `apk`; empty when the order cannot be read.
std::string Teilenummer(const std::string& apk) {
  ApkSatz a;
  a.ApkApk = apk;
  return Apk_PKeyReadk(a) == DB_OK ? a.ApkTnr : std::string();
}

// The 18 duration columns of a kind-4 row from presence accumulators.
void Dauern(NzaSatz& s, const long long (&a)[kLzaAnwesenheitskonten]) {
  s.NzaNza = Lza_MinSek(a[kLzaNza]);
  s.NzaBzA = Lza_MinSek(a[kLzaBzA]);
  s.NzaUza = Lza_MinSek(a[kLzaUza]);
  s.NzaAbz = Lza_MinSek(a[kLzaAbz]);
  s.NzaPza = Lza_MinSek(a[kLzaPza]);
  s.NzaNzr = Lza_MinSek(a[kLzaNzr]);
  s.NzaBzr = Lza_MinSek(a[kLzaBzr]);
  s.NzaUzr = Lza_MinSek(a[kLzaUzr]);
  s.NzaRbz = Lza_MinSek(a[kLzaRbz]);
  s.NzaPzr = Lza_MinSek(a[kLzaPzr]);
  s.NzaSol = Lza_MinSek(a[kLzaSol]);
  s.NzaIst = Lza_MinSek(a[kLzaIst]);
  s.NzaPau = Lza_MinSek(a[kLzaPau]);
  s.NzaNzu = Lza_MinSek(a[kLzaNzu]);
  s.NzaBzu = Lza_MinSek(a[kLzaBzu]);
  s.NzaUbz = Lza_MinSek(a[kLzaUbz]);
  s.NzaPzu = Lza_MinSek(a[kLzaPzu]);
  s.NzaRf1 = Lza_MinSek(a[kLzaRf1]);
}

}  // namespace

void Lza_Segment_Buchen(Lza_Lauf& lauf) {
  Lza_Zustand& z = lauf.zustand;
  Lza_Zustand& ziel = z.anwesend ? z : lauf.aussen;
  const long long d = Zeit_Differenz(z.segmentEnde.dat + z.segmentEnde.uhr,
                                     z.segmentBeginn.dat + z.segmentBeginn.uhr);
  const bool w = z.arbeit, s = z.ruesten, p = z.pause, i = z.unterbrochen;
  if (w) {
    if (!p && !i) {
      Buchen(ziel, d, {kLzaNza, kLzaBzA}, {});
    } else if (p && !i) {
      Buchen(ziel, d, {kLzaBzA, kLzaPza}, {});
    } else if (p && i) {
      Buchen(ziel, d, {kLzaBzu, kLzaPzu}, {4, 6});
    } else {
      Buchen(ziel, d, {kLzaBzu, kLzaUza, kLzaNzu}, {4, 1, 3});
    }
  } else if (s) {
    if (!p && !i) {
      Buchen(ziel, d, {kLzaNzr, kLzaBzr}, {});
    } else if (p && !i) {
      Buchen(ziel, d, {kLzaBzr, kLzaPzr}, {});
    } else if (p && i) {
      Buchen(ziel, d, {kLzaRf1}, {7});
    } else {
      Buchen(ziel, d, {kLzaUzr}, {2});
    }
  }
}

void Lza_Ereignis(Lza_Lauf& lauf, const MltSatz& eintrag) {
  const std::string& k = eintrag.MltObj;
  const Lza_Zeitpunkt e = Zeitpunkt(eintrag);
  Lza_Zustand& z = lauf.zustand;
  if (k == "KM") {
    Kommen(lauf, eintrag);
  } else if (k == "GH") {
    Gehen(lauf, eintrag);
  } else if (k == "RB") {
    Schneiden(lauf, e);
    z.ruesten = 1;
  } else if (k == "RE") {
    Beenden(lauf, e, &Lza_Zustand::ruesten);
  } else if (k == "AB") {
    Schneiden(lauf, e);
    z.arbeit = 1;
  } else if (k == "AE" || k == "AT") {
    Beenden(lauf, e, &Lza_Zustand::arbeit);
  } else if (k == "BP") {
    Schneiden(lauf, e);
    z.pause = 1;
  } else if (k == "EP") {
    Beenden(lauf, e, &Lza_Zustand::pause);
  } else if (k == "AU") {
    Unterbrechen(lauf, eintrag);
  } else if (k == "AW") {
    Wiederaufnehmen(lauf, eintrag);
  }
}

void Nza_ArbeitsGangSatz(const Lza_Lauf& lauf, const MltSatz& eintrag) {
  const Lza_Zustand& z = lauf.zustand;
  NzaSatz s;
  s.NzaSa = 4;
  s.NzaApl = eintrag.MltApl;
  s.NzaApk = eintrag.MltApk;
  s.NzaApp = eintrag.MltApp;
  s.NzaPnr = eintrag.MltArg;
  s.NzaDtmDat = z.anwesenheitBeginn.dat;
  s.NzaDtmUhr = z.anwesenheitBeginn.uhr;
  NzaSatz gelesen = s;
  if (Nza_PKeyReadk(gelesen) != DB_OK) {
    s.NzaEmo = eintrag.MltEmo;
    s.NzaTtp = eintrag.MltTtp;
    s.NzaJwo = eintrag.MltJwo;
    s.NzaWoc = eintrag.MltWoc;
    s.NzaWtg = eintrag.MltWtg;
    s.NzaJtg = eintrag.MltJtg;
    s.NzaBmk = "BG";
    s.NzaEdtDat = z.anwesenheitWechsel.dat;
    s.NzaEdtUhr = z.anwesenheitWechsel.uhr;
    s.NzaEmk = "EG";
    s.NzaUbg = "0000";
    s.NzaErf = kLzaStd;
    s.NzaTnr = Teilenummer(s.NzaApk);
    Dauern(s, z.anwesenheit);
    int st = Nza_PKeyIns(s);
    if (st != DB_OK) Log_Fehler("Nza_ArbeitsGangSatz()", "Nza_PKeyIns", st);
    return;
  }
  Dauern(gelesen, z.anwesenheit);
  int st = Nza_PKeyUpd(gelesen);
  if (st != DB_OK) Log_Fehler("Nza_ArbeitsGangSatz", "Nza_PKeyUpd", st);
}

void Nza_SA_C_Ins(const Lza_Lauf& lauf, const MltSatz& eintrag) {
  const Lza_Zustand& z = lauf.zustand;
  NzaSatz s;
  s.NzaSa = 3;
  s.NzaApl = eintrag.MltApl;
  s.NzaApk = eintrag.MltApk;
  s.NzaApp = eintrag.MltApp;
  s.NzaEmo = eintrag.MltEmo;
  s.NzaTtp = eintrag.MltTtp;
  s.NzaJwo = eintrag.MltJwo;
  s.NzaWoc = eintrag.MltWoc;
  s.NzaWtg = eintrag.MltWtg;
  s.NzaJtg = eintrag.MltJtg;
  s.NzaPnr = eintrag.MltArg;
  s.NzaDtmDat = z.unterbrechungBeginn.dat;
  s.NzaDtmUhr = z.unterbrechungBeginn.uhr;
  s.NzaEdtDat = z.unterbrechungEnde.dat;
  s.NzaEdtUhr = z.unterbrechungEnde.uhr;
  s.NzaBmk = "BG";
  s.NzaEmk = "EG";
  s.NzaUbg = z.unterbrechungGrund;
  s.NzaErf = kLzaStd;
  s.NzaTnr = Teilenummer(s.NzaApk);
  // An interruption that spans a presence change has booked its time partly
  // into the state and partly into the outside block: the row takes both.
  long long I[kLzaUnterbrechungskonten + 1] = {};
  for (int i = 1; i <= kLzaUnterbrechungskonten; ++i)
    I[i] = z.unterbrechung[i - 1] + lauf.aussen.unterbrechung[i - 1];
  s.NzaUza = Lza_MinSek(I[1]);
  s.NzaUzr = Lza_MinSek(I[2]);
  s.NzaNzu = Lza_MinSek(I[3]);
  s.NzaBzu = Lza_MinSek(I[4]);
  s.NzaPzu = Lza_MinSek(I[6]);
  s.NzaRf1 = Lza_MinSek(I[7]);
  s.NzaUbz = Lza_MinSek(I[4] + I[7] + I[2]);
  int st = Nza_PKeyIns(s);
  if (st != DB_OK) Log_Fehler("Nza_SA_C_Ins()", "Nza_PKeyIns", st);
}

void Nza_WriteDummy(const Lza_Lauf& lauf, const NzaSatz& arbeit, const std::string& tag) {
  const Lza_Zustand& a = lauf.aussen;
  long long summe = 0;
  for (long long k : a.anwesenheit) summe += k;
  if (summe == 0) return;
  NzaSatz s;
  s.NzaSa = 4;
  s.NzaApl = arbeit.NzaApl;
  s.NzaApk = arbeit.NzaApk;
  s.NzaApp = arbeit.NzaApp;
  s.NzaPnr = "00:0024:00";
  s.NzaDtmDat = tag;
  s.NzaDtmUhr = "000000";
  NzaSatz gelesen = s;
  if (Nza_PKeyReadk(gelesen) != DB_OK) {
    s.NzaBmk = "BG";
    s.NzaEmk = "EG";
    s.NzaUbg = "0000";
    s.NzaErf = kLzaStd;
    s.NzaEmo = "Dummy";
    s.NzaEdtDat = tag;
    s.NzaEdtUhr = "235959";
    s.NzaTnr = Teilenummer(s.NzaApk);
    Dauern(s, a.anwesenheit);
    int st = Nza_PKeyIns(s);
    if (st != DB_OK) Log_Fehler("Nza_WriteDummy", "Nza_PKeyIns", st);
    return;
  }
  Dauern(gelesen, a.anwesenheit);
  int st = Nza_PKeyUpd(gelesen);
  if (st != DB_OK) Log_Fehler("Nza_WriteDummy", "Nza_PKeyUpd", st);
}

void Lza_M_A_Ablauf(const std::string& stempel, NzaSatz& arbeit) {
  Lza_Lauf lauf;
  lauf.satz3 = Korr_Parameter().auswertung[5] == 1;
  std::string tag = stempel.substr(0, 8);
  int st = Mlt_Open(kLzaStd, stempel);
  if (st != DB_OK) {
    Log_Fehler("Lza_M_A_Ablauf", "Mlt_Open", st);
  } else {
    MltSatz eintrag;
    while ((st = Mlt_Fetch(eintrag)) == DB_OK) {
      Lza_Ereignis(lauf, eintrag);
      // The day's outside time is written once the walk has passed the day:
      // a segment that the event closes still counts to the day it began on.
      if (eintrag.MltMdtDat != tag) {
        Nza_WriteDummy(lauf, arbeit, tag);
        for (long long& k : lauf.aussen.anwesenheit) k = 0;
        tag = eintrag.MltMdtDat;
      }
    }
    if (st != DB_NOT_FOUND) Log_Fehler("Lza_M_A_Ablauf", "Cursor-Read fehlgeschlagen", st);
    (void)Mlt_Close();  // read in full at its open: closing only frees the rows
  }
  Nza_WriteDummy(lauf, arbeit, tag);
}
