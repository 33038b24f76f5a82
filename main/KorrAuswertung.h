// Evaluation dispatch and download trigger, run by the correction handlers
// after they have changed messages.
#pragma once

#include "db/DbMel.h"

// Hands the corrected message to the evaluation of its object type:
// "MPA" the person evaluation, then (while evaluation parameter 7 is set) the
// work-time evaluation; "M_A" the machine/order runtime evaluation; "M__" the
// machine-only evaluation; any other object type nothing. The evaluations log
// their own failures.
void Korr_Auswertung(const MelSatz& row);

// Sends the order headers and operations that the run marked "KorrMld" to the
// terminals: the order-header download, then the operation download, each
// with the current date and time. A failing download is logged; the
// operation download runs in any case.
void Get_Download();

// The evaluations the dispatch calls, one per object type (the work-time
// evaluation beside the person evaluation). An empty entry runs nothing:
// tests empty the ones they do not want to run.
using KorrAuswertungFn = void (*)(const MelSatz& row);
struct KorrAuswertungen {
  KorrAuswertungFn mpa = nullptr;             // person work steps ("MPA")
  KorrAuswertungFn mpaArbeitszeit = nullptr;  // work times ("MPA", parameter 7)
  KorrAuswertungFn lza = nullptr;             // machine/order runtimes ("M_A")
  KorrAuswertungFn dlz = nullptr;             // machine-only runtimes ("M__")
};

// The evaluations of the program.
KorrAuswertungen Korr_AuswertungenDesProgramms();

// Test seam: replaces the evaluations the dispatch calls (until reset).
void Korr_AuswertungenSetzenForTest(const KorrAuswertungen& a);
void Korr_AuswertungenZuruecksetzenForTest();
