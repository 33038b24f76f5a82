// Date and time helpers: the clock as text, and conversions between the text
// forms of dates and times and plain numbers.
//
// Text forms: a date "yyyymmdd", a time "HHMMSS", a timestamp "yyyymmddHHMMSS".
// Times of day in shift and break definitions are whole minutes since midnight
// (1440 is the end of the day); measured intervals are whole seconds.
//
// Nothing here logs. Malformed digits read as 0; a text shorter than its form
// reads as if the missing characters were "0", so no helper reads past a text.
#pragma once

#include <string>

// The current local date and time (from Clock_Now) in one of four layouts.
// Both outputs are cleared first; a layout that does not fill one leaves it
// empty, as does any layout number other than 1 to 4.
//   1: a = "ddmm20yy",             b = "HHMMSS"
//   2: a = "ddmm20yyHHMMSS",       b = ""
//   3: a = "20yymmdd" (a date),    b = "HHMMSS" (a time)
//   4: a = "20yymmddHHMMSS" (a timestamp), b = ""
// The century is the literal "20" in front of the two-digit year, so the
// texts are right for the years 2000 to 2099 only. Always returns 0.
int Get_SysDatum(std::string& a, std::string& b, int layout);

// Minutes since midnight of a time text beginning HHMM: hours * 60 + minutes.
// Each pair is read as a decimal number (leading blanks and a sign accepted,
// reading stops at the first non-digit, an empty or non-numeric pair is 0).
// Seconds are ignored; no range check.
int Zeit_InMinuten(const std::string& zeit);

// The time "HHMM00" of a minute count; 1440 (the end of the day) gives
// "235959". Other values are formatted without check: 1500 gives "250000".
std::string Minuten_InZeit(int minuten);

// Mode 2: steps `datum` by `tage` calendar days through the factory calendar
// and writes the new date to `datum2`; returns 0, or the status of the
// calendar read (1403 when the calendar has no row for that day, a negative
// on a database failure) with `datum` copied unchanged into `datum2`.
// Mode 1: the number of calendar days after `datum` up to and including
// `datum2` (an input here); 0 when the count fails. `tage` is not used.
// Any other mode returns 0 and touches nothing.
[[nodiscard]] int Datum_Tage(int modus, int tage, const std::string& datum, std::string& datum2);

// Seconds from timestamp t2 to timestamp t1 (t1 - t2; negative when t1 is
// earlier). Only the first 14 characters of each text are read. Differences
// beyond the int range are limited to INT_MIN / INT_MAX.
int Zeit_Differenz(const std::string& t1, const std::string& t2);

// Splits a timestamp into the dotted date "dd.mm.yyyy" and the colon time
// "HH:MM:SS".
void Stempel_Zerlegen(const std::string& stempel, std::string& datum, std::string& zeit);

// Seconds since midnight of a colon time "HH:MM:SS".
int Uhrzeit_InSekunden(const std::string& zeit);

// Seconds from 1 January 1970 to the given date at midnight. Two-digit years
// 00-69 mean 2000-2069, 70-99 mean 1970-1999. Dates before 1970 yield the
// value of the date equally far after it. 64-bit, so that dates after 2038
// are counted right.
long long Datum_InSekunden(int tag, int monat, int jahr);

// Absolute number of days between two dates of the Gregorian calendar.
int Tage_Zwischen(int tag1, int monat1, int jahr1, int tag2, int monat2, int jahr2);

// Ordinal day within the year (1 January is 1). Month numbers above 12 count
// 31 days for each month past December; month numbers below 2 add nothing.
int Tag_ImJahr(int tag, int monat, int jahr);

// Days in a month: February 28 or 29 (Gregorian leap years), April, June,
// September and November 30, every other month number 31.
int Monat_Laenge(int monat, int jahr);

// Plain Gregorian arithmetic: the date `tage` days after the valid date
// `datum` ("yyyymmdd"). False when `datum` is no valid date or the result
// falls outside the years 1 to 9999; `out` is then unchanged.
bool Datum_Plus(const std::string& datum, int tage, std::string& out);
