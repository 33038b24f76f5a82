// Machine-only evaluation: replay of the time line and runtime records.
//
// The time line of one evaluation (producer "DlzStd", run stamp) is read back
// in instant order (at equal instants in running-number order, so messages
// before shift boundaries) and run through three switches: in shift, machine
// running, in break. Between consecutive events the elapsed seconds count
// while the machine runs inside a shift; each machine stop ("ES") closes a
// running period and, while evaluation parameter 5 is on, writes one kind-13
// record with the period's totals.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "db/DbMel.h"

// The state of one replay; everything starts empty or 0.
struct DlzZustand {
  std::string begDat, begUhr;  // start of the current running period (last "BS")
  std::string endDat, endUhr;  // end of the period (last "ES")
  std::string vorDat, vorUhr;  // previous event
  std::string aktDat, aktUhr;  // current event
  std::string ubg;             // shift group of the starting message
  int tLauf = 0;               // seconds running inside shifts, breaks included
  int tArbeit = 0;             // seconds running inside shifts outside breaks
  int tArbeit2 = 0;            // the same, kept twice
  int tPause = 0;              // seconds running inside breaks
  int inSchicht = 0;
  int laeuft = 0;
  int inPause = 0;
};

// Seconds in the stored minutes-and-seconds form: whole minutes before the
// point, the remaining seconds as hundredths (125 s are 2.05).
double Dlz_Dauer(int sekunden);

// Runs one time-line entry through the state (entries with another event key
// are skipped). A stop writes its record with Nza_SA_M_Ins while evaluation
// parameter 5 is on; given `saetze`, the record is added there instead of
// being written.
void Dlz_Ereignis(DlzZustand& z, const MltSatz& e, std::vector<NzaSatz>* saetze = nullptr);

// Replay states by running number: the replay takes the state given for an
// entry's running number just before it runs that entry.
using DlzAnfaenge = std::map<int, DlzZustand>;

// Replays the time line of run stamp `stempel`, from the empty state or, at
// the entries named in `anfaenge`, from the state given there. Returns the
// status of the cursor's open when it fails (logged), else that of its close.
[[nodiscard]] int Mlt_Auswerten(const std::string& stempel, const DlzAnfaenge& anfaenge = {});

// Deletes the time line of run stamp `stempel` entry by entry; failures are
// logged. Returns the status of the cursor's open when it fails, else that of
// its close.
[[nodiscard]] int Mlt_Entfernen(const std::string& stempel);

// The kind-13 record of the period that the stop `e` closes.
NzaSatz Dlz_Satz(const DlzZustand& z, const MltSatz& e);

// Writes the kind-13 record of the period that the stop `e` closes. Returns
// the insert's status; a failure is logged.
[[nodiscard]] int Nza_SA_M_Ins(const DlzZustand& z, const MltSatz& e);
