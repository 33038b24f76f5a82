// Machine-only evaluation: the shift part of a collected time line from a
// few reads over the whole span of days.
//
// Day by day, the shift part costs three to five statements per calendar
// day (the workplace's assignments, its group's, the breaks of every model,
// the next calendar day), so it grows with the workplace's history. Here the
// calendar days, the workplace's and its group's assignments of the span and
// the break rows of every shift model and day type are read once each; the
// days are then stepped in memory exactly as Mlt_M_BDE steps them, with the
// same entries in the same order and the same log entries (the end of the
// calendar, a workplace that cannot be read).
#pragma once

#include "db/DbMel.h"
#include "eval/machine/DlzAuswertung.h"

// Adds the shift part of the time line for the base row's days to the
// collecting time line `linie`. Returns false, having added nothing, when
// one of the reads fails or the span is not made of dates; the caller then
// builds the shift part day by day.
bool Mlt_M_BDE_Bereich(const NzaSatz& basis, DlzZeitlinie& linie);
