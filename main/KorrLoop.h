// The correction loop over one clerk's pending corrections.
#pragma once

#include <string>

#include "db/DbMel.h"
#include "db/Dbstd.h"

// A correction handler: called with the row as the clerk cursor delivered it
// and the function-code entry of its message kind.
using KorrHandler = void (*)(const MelSatz& row, const FzuSatz& entry);

// The handler of a correction code, or nullptr when the code has none.
KorrHandler Korr_HandlerFuer(const std::string& code);

// Refusal of the current correction: a step that finds the correction cannot
// be applied soundly (its message or function-code entry unreadable, a time
// shift without a valid instant) logs why and calls Korr_Abweisen. The loop
// then rolls the correction back, keeps its log entries, runs no marker step
// and leaves the row pending for the next run.
// Korr_AbweisungLoeschen starts a correction unrefused.
void Korr_Abweisen();
bool Korr_Abgewiesen();
void Korr_AbweisungLoeschen();

// Reads the row of corrected message `m` (booking and running number) into
// `r`. A row an earlier correction deleted (1403) is no failure: false,
// silently. Any other failure is logged under `funktion` and refuses the
// correction: false.
bool Korr_MeldungLesen(const MelSatz& m, const char* funktion, MelSatz& r);

// Attempts of one correction that an environmental failure rolled back, and
// the pause after the first one (it grows with each attempt).
constexpr int kKorrVersuche = 3;
constexpr int kKorrPauseMs = 100;

// Walks the clerk's marked rows in time order. Each row is one transaction:
// the row is locked and applied only while it still carries its mark
// (another run may have taken it); function-code lookup, handler of the
// correction code, object type from the entry, marker step; then commit. An
// environmental failure rolls the whole correction back and logs it once; the
// correction is tried again up to kKorrVersuche times and then left pending.
// A lost session ends the loop after its one entry.
//
// `zaehler`, when given, receives what became of the clerk's rows: read (the
// rows the clerk cursor delivers), applied (committed), skipped (taken by
// another run meanwhile); the rest stays pending.
struct KorrZaehler {
  long gelesen = 0;
  long angewandt = 0;
  long uebersprungen = 0;
};
void Korr_Schleife(const std::string& clerk, KorrZaehler* zaehler = nullptr);
