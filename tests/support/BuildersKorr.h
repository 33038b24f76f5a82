// Fixture and row builders for the correction steps and handlers.
#pragma once

#include <string>

#include "support/Installation.h"
#include "support/TestDb.h"

// "Now" of every correction test, and its log stamp.
constexpr const char* kKorrNow = "20261208101500";
std::string Korr_LogEntry(const std::string& message, const std::string& function, int code);

// A connected session with a fixed clock, working in the run folder of a
// temporary installation (its log ./Msg/Vastrigon.Txt, the buffer files in
// ../Comm/Buff); the evaluation parameters are read (all off unless a test
// inserts rows and reads again).
class KorrTest : public DbTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string LogText() const;
  // The buffer file of terminal line `linie` (closing the open one first).
  std::string Puffer(int linie);
  // Inserts the parameter row of key k (valid from 2026-01-01 to 2027-12-31)
  // and reads the parameters again.
  void Parameter(int k, int aak, int mrk);
  TestInstallation inst_;
  std::string altesVerzeichnis_;
};

// An order header with sensible defaults: status `sts`, `afo` operations of
// which `eaf` are finished, closing mode `aba`, part number "T-<apk>", range
// key "F1", no download mark, actual begin and end empty.
std::string Test_ApkSql(const std::string& apk, int sts = 1, int afo = 2, int eaf = 0, int aba = 1);
// An operation with status `sts`, successor `naf`, quantities 0, range key "F1".
std::string Test_AppSql(const std::string& apk, const std::string& app, int sts = 1,
                        const std::string& naf = "00020", const std::string& zf2 = "");
// A person with badge number `awn`.
std::string Test_PrvSql(const std::string& pnr, const std::string& awn);
// A terminal line `dta` serving the range keys from `vn` to `bi`.
std::string Test_CfgSql(int dta, const std::string& vn, const std::string& bi);
// The function-code entries of the usual message kinds: order kinds ("AB",
// "RB", "AE", "RE", "AT", "AM", "AU", "AW") object type "M_A", person kinds
// ("PA", "PE", "PU", "PW") "MPA", machine kinds ("MS", "MT") "M__"; all reported
// to planning (FzuUpl 1). Function codes: "RB" A01 (setup begin), "AB" A03
// (work begin), "AM" A02 (quantity), "RE" A06 (setup end), "AE" and "AT" A07
// (end, partial end), "AU" A04 (interruption), "AW" A05 (resumption), others
// "F<kind>".
std::string Test_FzuStandardSql();
