// Person-time boundaries for persons with time model 1: arrivals "KM",
// departures "GH", break begins "BP" and break ends "EP" taken from the
// person's day working-time model, booking periods, break scheme and own
// breaks, written as boundary rows into a list of the work-time evaluation.
#pragma once

#include <string>

#include "db/DbMel.h"
#include "db/Dbstd.h"

// Departure rows take running numbers from this base on, so that they sort
// after every other row of the same instant and stay unique in their list.
constexpr int kMpaLfnAbgang = 1000000;
// Error number of the protocol row of a day without day model.
constexpr int kErrFnrKeinTagesModell = 7004;

// The boundary rows of every calendar day from the day before the begin of
// work row `r` to its end day, into list `batch`; `zaehler` gives the running
// numbers. A day without day model is written to the error protocol.
void Mlt_PA_PersonZeit(const std::string& batch, const NzaSatz& r, int& zaehler);

// The day model of `pnr` for `tag` (newest valid version, target times of the
// day's override Qvt322Gaz applied) into `z`. 1 when the day is to be
// evaluated; 0 when it has no day model (protocol row written) or the model
// cannot be read (logged).
int Mlt_PA_TagesModell(const std::string& pnr, const std::string& tag, ZtgAzvSatz& z);

// Arrival and departure rows of the day of `z` from its booking periods
// inside the target working time (or the target times when there are none).
void Mlt_PA_Daten_PZM(const std::string& batch, const ZtgAzvSatz& z, int& zaehler);
// Break rows of the day of `z` from its break scheme (the person's own breaks
// of the day replacing the scheme's times), then the merge of the list:
// of two neighbouring rows of one kind only the first begin and the last end
// stay.
void Mlt_PA_Pausen_PZM(const std::string& batch, const ZtgAzvSatz& z, int& zaehler);

// Writes the error-protocol row; a failure is logged.
void Write_Protokoll(const ErrSatz& err);
