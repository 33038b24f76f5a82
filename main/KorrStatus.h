// Status change of a message ("STA") and the refresh of the order master data
// that every correction runs.
#pragma once

#include "db/DbMel.h"
#include "db/Dbstd.h"

// Handler of correction code "STA": switches the closing mark MelAec of the
// message, refreshes its order and operation, writes the "+" interface record
// and downloads. A closing that a later message at the same operation forbids
// is refused: the message gets error number 2003 and nothing else happens.
void Korr_Statusaenderung(const MelSatz& m, const FzuSatz& entry);

// Brings the order header and the operation of message `m` in line with it
// (status, actual begin and end, quantities, download marks) and runs the
// package step for a package operation. Person messages ("MPA") change no
// master data. Failures are logged; a missing order or operation is skipped.
void StammTab_Akual(const MelSatz& m);

// 1 when no message follows `row` (strictly later instant) at the same
// workplace, order and operation; 0 when one does; the cursor's status (a
// negative) when it cannot be opened or its fetch fails.
[[nodiscard]] int Mel_NachherPruefen(const MelSatz& row);

// Package step for the package head operation `p` of message `m`: the
// operations of the package take over p's begin, end and status, are marked
// for download and reported to planning ("-" and "+").
void Put_Pakete(MelSatz m, const AppSatz& p);

// Counts the finished package operation `q` at its order and finishes the
// order when q closes it.
void Put_PaketeAPK(const AppSatz& q);
