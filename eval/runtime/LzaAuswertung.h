// Machine/order runtime evaluation: for a corrected message of object type
// "M_A" (a workplace about an order operation) it rebuilds every runtime
// record of that workplace, order and operation from scratch. It deletes the
// old records, collects the key's messages and the presence events of the
// workplace's shift model into an event list (Qvt561Mlt, producer "LzaStd",
// named by a run stamp), walks the list (LzaWalk), deletes the list and writes
// the operation and order sums (LzaSummen).
#pragma once

#include <string>

#include "db/DbMel.h"

// The evaluation of one corrected "M_A" message. Failures are logged; the
// work goes on with the next row, day or kind.
void Lza_M_A_Auswertung(const MelSatz& meldung);

// Deletes the kind-4 and kind-5 rows of the message's workplace, order and
// operation, its kind-3 rows while evaluation parameter 5 is set, and the
// kind-8 rows of the order and operation (over all workplaces).
void Nza_M_A_Loeschen(const MelSatz& meldung);

// Writes one list entry per "M_A" message of the work record's workplace,
// order and operation, and a closing "AE" at the run stamp when a setup or
// work phase is still open (followed by a closing "RE" when a setup begun is
// not ended). Sets the work record's begin (first message) and
// end (last message, or the run stamp for an open phase). Returns 1 when at
// least one message entry was written, else 0. `zaehler` numbers the entries.
int Mlt_M_A_Meldung(const std::string& stempel, NzaSatz& arbeit, int& zaehler);

// Writes the shift entries ("KM", "GH", "BP", "EP") of every day from the day
// before the work record's begin up to its end: the workplace's own shift
// models (assignment kind 2), or its group's (kind 1) on a day without them.
void Mlt_M_A_BDE(const std::string& stempel, NzaSatz& kopie, int& zaehler);

// Writes the shift entries of day `tag` for the shift model and day type that
// `kopie` holds.
void BDE_Eckwerte(const std::string& stempel, const NzaSatz& kopie, const std::string& tag,
                  int& zaehler);

// Deletes the event list of the run stamp.
void Mlt_M_A_Loeschen(const std::string& stempel);

// The day step of this evaluation's walk over days: the date `tage` days
// after `datum` ("yyyymmdd") by plain date arithmetic (eval/Tagschritt), so
// the walk moves on over a day the factory calendar lacks (that day has no
// shift assignment). False when `datum` is no date.
bool Lza_TagPlus(const std::string& datum, int tage, std::string& ergebnis);
