// Machine-only evaluation: the records of a collected time line compared
// with the stored ones, so that only the periods that differ are rebuilt.
//
// The time line spans the workplace's whole history, but a corrected machine
// message changes the records of one or two running periods. The collected
// time line is therefore replayed in memory first, in the order in which the
// table's cursor delivers it (instant, then running number). That gives the
// record of every period as the full rebuild writes it, and the replay state
// at the start of every period. A stored record that equals its rebuilt one
// in every column (the change time aside, durations to the hundredth) stays.
// A period whose record is missing or differs goes through the table as in
// the full rebuild: its entries are written to the time line, the replay
// starts at its first entry with the state that the replay in memory had
// there, writes its record, and the time line is removed. Stored kind-13
// records of the workplace that the rebuild would not write are deleted.
// The table then holds what the full rebuild gives.
#pragma once

#include <string>
#include <vector>

#include "eval/machine/DlzAuswertung.h"

// Brings the workplace's kind-13 records in step with the collected time line
// `linie` as described above. Returns false, having changed nothing, when
// the comparison cannot be made: an entry without a valid instant (the table
// may order it otherwise than the replay in memory) or stored records that
// cannot be read (logged). The caller then rebuilds everything.
bool Dlz_Abgleich(const std::string& apl, const DlzZeitlinie& linie);

// Writes the collected entries with `auswahl[i]` set (every entry when
// `auswahl` is empty) under new running numbers 0, 1, ... in the order they
// were made; a failed insert is logged under the entry's function name.
// Returns the new running number of every entry, -1 for those not written.
std::vector<int> Mlt_Schreiben(const DlzZeitlinie& linie, const std::vector<char>& auswahl);
