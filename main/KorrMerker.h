// Re-evaluation markers (Qvt563Mrk) for the evaluations that run outside the
// correction run: per person and day ("NZM"), per order operation ("NZA"),
// per workplace ("LZM") and for checks ("PRF").
#pragma once

#include "db/DbMel.h"

// Runs the marker steps for the loop's row `m` (whose ObjTyp already holds
// the function-code entry's object type), each only while its marker
// parameter is set: "NZM" (1), "PRF" (9), "NZA" (3), "LZM" (4).
void Korr_Merker(const MelSatz& m);

// One marker each: created with the message instant, or moved back to it
// when the message is earlier than the marker. Failures are logged.
void Get_MerkNZM(const MelSatz& m);
void Get_MerkNZA(const MelSatz& m);
void Get_MerkLZA(const MelSatz& m);  // kind "LZM"
void Get_MerkPRF(const MelSatz& m);
