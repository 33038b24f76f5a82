// Event walk of the machine/order runtime evaluation: walks the event list of
// one workplace, order and operation in time order, cuts the time line at
// every event into segments, books each segment's seconds by the phase
// switches that are on, and writes the kind-4 row of every presence interval
// (shift), one kind-4 row per day for the time outside presence, and (while
// evaluation parameter 5 is set) the kind-3 row of every interruption.
#pragma once

#include <string>

#include "db/DbMel.h"

// An instant as its date "yyyymmdd" and time "HHMMSS".
struct Lza_Zeitpunkt {
  std::string dat;
  std::string uhr;
};

// The presence accumulators, one per duration column of the kind-4 row.
enum Lza_Anwesenheitskonto {
  kLzaNza,
  kLzaBzA,
  kLzaUza,
  kLzaAbz,
  kLzaPza,
  kLzaNzr,
  kLzaBzr,
  kLzaUzr,
  kLzaRbz,
  kLzaPzr,
  kLzaSol,
  kLzaIst,
  kLzaPau,
  kLzaNzu,
  kLzaBzu,
  kLzaUbz,
  kLzaPzu,
  kLzaRf1,
  kLzaAnwesenheitskonten
};

// The interruption accumulators I1 ... I7 are unterbrechung[0] ... [6].
constexpr int kLzaUnterbrechungskonten = 7;

// State of a walk. Accumulators hold whole seconds.
struct Lza_Zustand {
  Lza_Zeitpunkt anwesenheitBeginn;   // begin of the current presence
  Lza_Zeitpunkt anwesenheitWechsel;  // last presence change
  Lza_Zeitpunkt segmentBeginn;
  Lza_Zeitpunkt segmentEnde;
  Lza_Zeitpunkt unterbrechungBeginn;
  Lza_Zeitpunkt unterbrechungEnde;
  std::string unterbrechungGrund;
  long long anwesenheit[kLzaAnwesenheitskonten] = {};
  long long unterbrechung[kLzaUnterbrechungskonten] = {};
  int ruesten = 0;
  int arbeit = 0;
  int anwesend = 0;
  int unterbrochen = 0;
  int pause = 0;
};

// One walk: its own state, and the outside block whose accumulators collect
// the time booked while presence is off.
struct Lza_Lauf {
  Lza_Zustand zustand;
  Lza_Zustand aussen;
  bool satz3 = false;  // kind-3 rows are written (evaluation parameter 5)
};

// Walks the list ("LzaStd", run stamp) for the workplace, order and operation
// of the work record.
void Lza_M_A_Ablauf(const std::string& stempel, NzaSatz& arbeit);

// Handles one list entry by its event key; keys without a handler do nothing.
void Lza_Ereignis(Lza_Lauf& lauf, const MltSatz& eintrag);

// Books the segment from segment begin to segment end into the accumulators
// that the switches choose: the state's own while presence is on, else the
// outside block's.
void Lza_Segment_Buchen(Lza_Lauf& lauf);

// Writes (or rewrites) the kind-4 row of the presence interval that ends
// with `eintrag`.
void Nza_ArbeitsGangSatz(const Lza_Lauf& lauf, const MltSatz& eintrag);

// Writes the kind-3 row of the interruption that `eintrag` ends.
void Nza_SA_C_Ins(const Lza_Lauf& lauf, const MltSatz& eintrag);

// Writes (or rewrites) the kind-4 row of the time outside presence on `tag`,
// unless the outside block holds no time.
void Nza_WriteDummy(const Lza_Lauf& lauf, const NzaSatz& arbeit, const std::string& tag);
