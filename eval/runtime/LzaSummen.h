// Operation and order runtime sums of the machine/order runtime evaluation:
// the kind-5 row (runtime of an order operation at one workplace, the sum of
// its kind-4 rows) and the kind-8 row (runtime of the operation over all
// workplaces, the sum of its kind-5 rows), and the minutes.seconds arithmetic
// of the duration columns.
#pragma once

#include "db/DbMel.h"

// Whole seconds T as a stored duration: T / 60 minutes before the point and
// the remaining T mod 60 seconds as hundredths (5430 s is 90.30).
double Lza_MinSek(long long sekunden);

// Whole seconds of a stored duration x: 60 * (minutes of x) plus its
// hundredths read to the nearest whole second, so that a value such as 40.30,
// which a double holds as slightly less, still counts 30 seconds. A value
// that is no finite number counts 0.
long long Lza_Sekunden(double minSek);

// The sum of two stored durations, as a stored duration.
double Lza_MinSekSumme(double x, double y);

// The eight summed columns of a runtime sum row: NzaNza, NzaBzA, NzaUza,
// NzaPza, NzaNzr, NzaBzr, NzaUzr, NzaPzr.

// Sets every number of `satz` but its kind to 0 and adds up the summed
// columns of the kind-4 rows of its workplace, order and operation. Returns
// the number of rows added, or the negative status of a failed cursor open
// (logged; the sums stay 0).
[[nodiscard]] int Lza_SummeApl(NzaSatz& satz);

// Sets every number of `satz` but its kind to 0 and adds up the summed
// columns of the kind-5 rows of its order and operation over all workplaces;
// the begin becomes the begin of the first of them. Returns the number of
// rows added, or the negative status of a failed cursor open (logged).
[[nodiscard]] int Lza_SummeGesamt(NzaSatz& satz);

// Writes the kind-5 row of the work record's workplace, order and operation,
// with the begin and end the work record holds.
void Nza_M_A_LaufzeitApl(NzaSatz satz);

// Writes the kind-8 row of the message's order and operation. Nothing is
// written when the operation cannot be read (logged) or when no workplace
// has a kind-5 row of the operation: there is no runtime to total.
void Nza_M_A_LaufzeitGesamt(const MelSatz& meldung);

// True when some workplace has a kind-5 row of order `apk`, operation `app`.
bool Lza_LaufzeitAplVorhanden(const std::string& apk, const std::string& app);
