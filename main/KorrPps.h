// Records for the production-planning interface (Qvt580Pps), numbered from
// the upload-number counter "PPSNR".
#pragma once

#include <string>

#include "db/DbMel.h"

// Writes one interface record for message `m` with sign "-" (the old state
// taken back) or "+" (the new state), when messages of m's kind are reported
// to planning (FzuUpl 1). Failures are logged; nothing is returned.
void Korr_PpsSchnittstelle(const MelSatz& m, const std::string& sign);

// Draws the next upload number of counter "PPSNR" into record.PpsLfn; the
// first number ever drawn creates the counter with 1. On failure the failure
// is logged and PpsLfn stays as it was. Concurrent runs never share a number.
void UploadNummer(PpsSatz& record);

// The counter name of the planning interface and the program that draws.
constexpr const char* kPpsZaehler = "PPSNR";
constexpr const char* kKorrProgramm = "KorrMld";
