// The process-wide evaluation parameters of a correction run.
#pragma once

// The fourteen process-wide evaluation flags: for each parameter key k in
// {1, 2, 3, 4, 5, 7, 9} an evaluation flag and a marker flag. Set once before
// the loop, read by the correction steps and the evaluations.
struct KorrParameter {
  int auswertung[10] = {};  // evaluation parameter k is 1 when NzpAak = 1
  int merker[10] = {};      // marker parameter k is 1 when NzpMrk = 1
};

const KorrParameter& Korr_Parameter();

// Reads the parameter rows valid today into the process-wide flags. A key
// without a row valid today, or with two (-1422, logged "Mld_Korrektur" /
// "Nzp_PKeyReadk <key>"), has its flags at 0. Returns 0, or the status of any
// other failed read (logged "Mld_Korrektur" / "Nzp_PKeyReadk"), after which
// the run must not correct anything.
[[nodiscard]] int Korr_ParameterLesen();
