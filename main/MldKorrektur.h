// The correction run of one clerk and the program's start (Mld_Main).
#pragma once

#include <string>

#include "db/DbMel.h"
#include "db/Dbstd.h"
#include "main/KorrLoop.h"
#include "main/KorrParameter.h"

// Runs the correction run for one clerk identifier (at most 8 characters);
// `zaehler`, when given, receives what became of the clerk's rows.
void Mld_Korrektur(const std::string& clerk, KorrZaehler* zaehler = nullptr);

// The program's start: log, connect, argument check, run, final commit, and
// the run's metrics file when the environment names one (QV_METRICS_FILE,
// see infra/Metrik.h). Returns the exit status, which is always 0.
[[nodiscard]] int Mld_Main(int argc, const char* const* argv);
