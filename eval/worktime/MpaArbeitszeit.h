// Work-time evaluation of the work rows of a person at a workplace: every
// boundary of a closed work row (its begin and end, the interruptions inside
// it, the breaks of the shift model or of the person's time data, and for
// time model 1 the arrivals and departures) is laid on one time line, which is
// walked in time order; each interval is added to the sums its state selects.
#pragma once

#include <string>

#include "db/DbMel.h"

// Producer of the rows the work-time evaluation writes.
constexpr const char* kNzaErfArbeitszeit = "Nza_MPA";

// Computes the time columns of every closed work row (kind 1) of the key of
// message `m` and, while evaluation parameter 5 is set, those of the
// interruption rows inside them. Open rows are written back unchanged.
void Nza_MPA_Arbeitszeit(const MelSatz& m);

// Boundary writers of list `batch`, for work row `r`:
// the interruption rows whose begin lies inside the span of `r` (its whole
// begin day when the span has no length), each with its begin and end;
void Mlt_Unterbr_Nza(const std::string& batch, const NzaSatz& r, int& zaehler);
// the breaks "BP"/"EP" of the shift model of `r` on its begin day.
void Mlt_ZeitDaten_Bde(const std::string& batch, const NzaSatz& r, int& zaehler);

// Walks list `batch` and writes the sums into `r` (and into the interruption
// rows met on the way, while evaluation parameter 5 is set).
void Mpa_ZeitLauf(const std::string& batch, NzaSatz& r);

// Duration column value of `sekunden`: whole minutes, the remaining seconds
// as hundredths (90 seconds are 1.30).
double Mpa_MinutenSekunden(long long sekunden);
