// Day stepping of the evaluations: the one place where a date is moved by
// whole days.
//
// Two kinds of "next day", deliberately apart:
//   - The day a time of day past midnight lies on (a shift end, a break or a
//     target time after midnight) is the neighbouring date: Tag_Plus, plain
//     date arithmetic. The factory calendar has no say here; a shift that
//     ends at 06:00 still ends on the next date when the calendar lacks it.
//   - A walk over the factory calendar's days steps with Datum_Tage. A day
//     the calendar does not hold (a gap, or the end of the calendar) comes
//     back as its status, with the date left as it was; each walk states
//     what a gap means to it. A walk that begins "the day before" begins
//     with Kalender_Vortag.
//
// Datum_Tage and Kalender_Vortag read the calendar; Tag_Plus does not.
#pragma once

#include <string>

// The date `tage` days after `datum` ("yyyymmdd"; a negative `tage` goes
// back): plain date arithmetic, never the calendar. `datum` itself when it is
// no date or the result lies outside the years 1 to 9999.
std::string Tag_Plus(const std::string& datum, int tage);

// Mode 2: steps `datum` by `tage` days through the factory calendar and
// writes the new date to `datum2`; returns 0, or the status of the calendar
// read (1403 when the calendar has no row for that day, a negative on a
// database failure or for a text that is no date) with `datum` copied
// unchanged into `datum2`.
// Mode 1: the number of calendar days after `datum` up to and including
// `datum2` (an input here); 0 when the count fails. `tage` is not used.
// Any other mode returns 0 and touches nothing.
[[nodiscard]] int Datum_Tage(int modus, int tage, const std::string& datum, std::string& datum2);

// The first day of a walk over the calendar's days that begins the day
// before `datum`: the calendar's day before, or `datum` itself when the
// calendar lacks it (or cannot be read).
std::string Kalender_Vortag(const std::string& datum);
