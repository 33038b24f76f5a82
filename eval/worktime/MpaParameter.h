// Evaluation attributes of a new work or interruption row of a person: shift
// model and day type at the row's begin, calendar year, week, weekday and day
// of the year, machine-assignment number and the person's time model.
#pragma once

#include "db/DbMel.h"

// Error number of a row whose workplace group has no shift-model assignment.
constexpr int kNzaFnrKeinSchichtmodell = 5007;
// Placeholder shift model of such a row.
constexpr const char* kNzaEmoPlatzhalter = "LMO00.00";

// Fills NzaVar, NzaEmo, NzaTtp, NzaJwo, NzaWoc, NzaWtg, NzaJtg, NzaMaz, NzaPzm
// (and NzaFnr 5007 when the group has no assignment) from the begin date and
// time of the row (NzaDtmDat/NzaDtmUhr), its workplace and person. The
// workplace's own assignments (kind 2) are used when it has any on that day,
// otherwise those of its workplace group (kind 1). NzaEmo stays as the caller
// set it when assignments exist but no shift contains the begin. Writes
// nothing to the database; logs a workplace that cannot be read.
void Nza_AuswParameter(NzaSatz& row);
