// Row builders: each test states only what matters to it.
#pragma once

#include <string>

#include "db/DbMel.h"
#include "db/Dbstd.h"

// A message row with sensible defaults: no pending correction (blank clerk
// and code), object type "M_A", kind "AB", at the given instant.
MelSatz Test_Mel(int bnr, int lfn, const std::string& dat = "20261201",
                 const std::string& uhr = "080000");

// A function-code entry row inserted through plain SQL.
std::string Test_FzuSql(const std::string& mld, const std::string& txt, int upl = 1,
                        const std::string& fcd = "");
// A parameter row of key `akz` valid from `gvn` to `gbi` ("yyyymmdd").
std::string Test_NzpSql(int akz, const std::string& gvn, const std::string& gbi, int aak, int mrk);
