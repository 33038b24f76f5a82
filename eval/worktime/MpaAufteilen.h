// Splitting of long work and interruption spans of a person at the person's
// arrivals and departures: the boundaries inside the span are collected in a
// scratch list, walked in time order, and one evaluation row is written per
// piece (the first piece replaces the closed row).
#pragma once

#include <string>

#include "db/DbMel.h"
#include "db/Dbstd.h"

// A span longer than this many seconds is split; exactly 12 hours is not.
constexpr int kMpaSpanneMax = 43200;

enum class MpaSpanne { Arbeit, Unterbrechung };

// Splits the closed row `o` (a work row for MpaSpanne::Arbeit, an
// interruption row otherwise). Uses a scratch list of its own and deletes it
// again, whatever happens.
void Mpa_SpanneAufteilen(const NzaSatz& o, MpaSpanne art);

// Boundary writers of list `batch`; each row takes the next value of
// `zaehler`. Failed inserts are logged and the collection goes on.
// The span begin (kind NzaBmk) and end (kind NzaEmk) of `o`.
void Mlt_BeginnEnde(const std::string& batch, const NzaSatz& o, int& zaehler);
// Arrivals "KM" and departures "GH" of the person days of `o`'s person from
// the day before its begin to its end day. A day without arrival (or
// departure) gives no row for it.
void Mlt_KommenGehen(const std::string& batch, const NzaSatz& o, int& zaehler);
// The "PU" and "PW" messages of `o`'s key from its begin to its end.
void Mlt_Unterbr_Mel(const std::string& batch, const NzaSatz& o, int& zaehler);

// Writes the piece `p` with the shift model of the shift it lies in (or
// mostly lies in) and the calendar data; a piece with the key of an existing
// row replaces that row.
void TeilSchritt_Write(NzaSatz& p);

// The shift-model assignment of workplace `apl` whose shift holds the piece
// from stamp `beg` to stamp `end` (or at least half of it). 1 and `aem`
// filled when found, else 0.
int Mpa_SchichtZurSpanne(const std::string& apl, const std::string& beg, const std::string& end,
                         AemTagSatz& aem);
