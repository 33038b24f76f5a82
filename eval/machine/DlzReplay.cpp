#include "eval/machine/DlzReplay.h"

#include <string>

#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "eval/machine/DlzAuswertung.h"
#include "infra/Datum.h"
#include "infra/Log.h"
#include "main/KorrParameter.h"

namespace {

constexpr const char* kLeseFehler = "Cursor-Read fehlgeschlagen";

bool Frisch(const DlzZustand& z) {
  return z.inSchicht == 0 && z.laeuft == 0 && z.inPause == 0;
}

void Vorher(DlzZustand& z, const MltSatz& e) {
  z.vorDat = e.MltMdtDat;
  z.vorUhr = e.MltMdtUhr;
}

// Makes `e` the current event and adds the seconds since the previous one:
// only while the machine runs inside a shift, to the break total inside a
// break and to the work totals outside.
void Buchen(DlzZustand& z, const MltSatz& e) {
  z.aktDat = e.MltMdtDat;
  z.aktUhr = e.MltMdtUhr;
  if (z.inSchicht == 0 || z.laeuft == 0) return;
  int sekunden = Zeit_Differenz(z.aktDat + z.aktUhr, z.vorDat + z.vorUhr);
  z.tLauf += sekunden;
  if (z.inPause != 0) {
    z.tPause += sekunden;
  } else {
    z.tArbeit += sekunden;
    z.tArbeit2 += sekunden;
  }
}

// The usual step of an event: a fresh state only starts counting from here.
void Schritt(DlzZustand& z, const MltSatz& e) {
  if (!Frisch(z)) Buchen(z, e);
  Vorher(z, e);
}

}  // namespace

double Dlz_Dauer(int sekunden) {
  return sekunden / 60 + (sekunden % 60) * 0.01;
}

void Dlz_Ereignis(DlzZustand& z, const MltSatz& e, std::vector<NzaSatz>* saetze) {
  const std::string& obj = e.MltObj;
  if (obj == "KM") {
    Schritt(z, e);
    z.inSchicht = 1;
  } else if (obj == "GH") {
    if (Frisch(z)) {
      // A shift end without a known begin counts nothing.
      Vorher(z, e);
      z.inSchicht = 1;
    }
    Buchen(z, e);
    z.inSchicht = 0;
  } else if (obj == "BP") {
    Schritt(z, e);
    z.inPause = 1;
  } else if (obj == "EP") {
    if (Frisch(z)) z.inPause = 1;
    Buchen(z, e);
    Vorher(z, e);
    z.inPause = 0;
  } else if (obj == "BS") {
    Schritt(z, e);
    if (z.laeuft == 0) {
      // A start while the machine runs already (its stop is missing) goes
      // on counting in the running period; the period keeps its start, so
      // that the record's span holds the time it reports.
      z.begDat = e.MltMdtDat;
      z.begUhr = e.MltMdtUhr;
      z.ubg = e.MltUbg;
    }
    z.laeuft = 1;
  } else if (obj == "ES") {
    if (Frisch(z)) {
      // A stop without a known start counts nothing.
      Vorher(z, e);
      z.laeuft = 1;
    }
    z.endDat = e.MltMdtDat;
    z.endUhr = e.MltMdtUhr;
    Buchen(z, e);
    if (Korr_Parameter().auswertung[5] == 1) {
      if (saetze != nullptr) {
        saetze->push_back(Dlz_Satz(z, e));
      } else {
        (void)Nza_SA_M_Ins(z, e);  // logs its own failure; the replay goes on
      }
    }
    z.tLauf = z.tArbeit = z.tArbeit2 = z.tPause = 0;
    Vorher(z, e);
    z.ubg = "    ";
    z.laeuft = 0;
  }
}

NzaSatz Dlz_Satz(const DlzZustand& z, const MltSatz& e) {
  NzaSatz n;
  n.NzaSa = 13;
  n.NzaApl = e.MltApl;
  n.NzaApk = kDlzApk;
  n.NzaApp = kDlzApp;
  n.NzaPnr = e.MltArg;
  n.NzaDtmDat = z.begDat;
  n.NzaDtmUhr = z.begUhr;
  n.NzaBmk = "BG";
  n.NzaEdtDat = z.endDat;
  n.NzaEdtUhr = z.endUhr;
  n.NzaEmk = "EG";
  n.NzaUbg = z.ubg;
  n.NzaEmo = e.MltEmo;
  n.NzaTtp = e.MltTtp;
  n.NzaJwo = e.MltJwo;
  n.NzaWtg = e.MltWtg;
  n.NzaJtg = e.MltJtg;
  n.NzaWoc = e.MltWoc;
  n.NzaUza = Dlz_Dauer(z.tArbeit);
  n.NzaNzu = Dlz_Dauer(z.tArbeit2);
  n.NzaBzu = Dlz_Dauer(z.tLauf);
  n.NzaPzu = Dlz_Dauer(z.tPause);
  n.NzaUbz = Dlz_Dauer(z.tArbeit + z.tPause);
  n.NzaErf = kDlzErf;
  return n;
}

int Nza_SA_M_Ins(const DlzZustand& z, const MltSatz& e) {
  int st = Nza_PKeyIns(Dlz_Satz(z, e));
  if (st != DB_OK) Log_Fehler("Nza_SA_M_Ins()", "Nza_PKeyIns", st);
  return st;
}

int Mlt_Auswerten(const std::string& stempel, const DlzAnfaenge& anfaenge) {
  int st = Mlt_Open(kDlzErf, stempel);
  if (st != DB_OK) {
    Log_Fehler("Mlt_Auswerten", "Mlt_Open", st);
    return st;
  }
  DlzZustand z;
  MltSatz e;
  while ((st = Mlt_Fetch(e)) == DB_OK) {
    auto anfang = anfaenge.find(e.MltLfn);
    if (anfang != anfaenge.end()) z = anfang->second;
    Dlz_Ereignis(z, e);
  }
  if (st != DB_NOT_FOUND) Log_Fehler("Mlt_Auswerten", kLeseFehler, st);
  return Mlt_Close();
}

int Mlt_Entfernen(const std::string& stempel) {
  int st = Mlt_Open(kDlzErf, stempel);
  if (st != DB_OK) {
    Log_Fehler("Mlt_Entfernen", "Mlt_Open", st);
    return st;
  }
  MltSatz e;
  while ((st = Mlt_Fetch(e)) == DB_OK) {
    int del = Mlt_PKeyDel(e);
    if (del != DB_OK) Log_Fehler("Mlt_Entfernen", "Mlt_PKeyDel", del);
  }
  if (st != DB_NOT_FOUND) Log_Fehler("Mlt_Entfernen", kLeseFehler, st);
  return Mlt_Close();
}
