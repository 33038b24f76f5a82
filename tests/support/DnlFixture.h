// Fixture of the download tests.
#pragma once

#include <string>

#include "support/TestDb.h"

// A database test that runs in a temporary working directory whose
// ../Comm/Buff holds the buffer files, with the log in ./Msg and "now" fixed
// at 2026-12-01 14:30:07. The working directory is restored afterwards and no
// buffer file stays open.
class DnlDbTest : public DbTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The content of buffer file SndDnl<linie>.buf ("" when missing).
  std::string Puffer(int linie) const;
  bool PufferDa(int linie) const;
  // The log written so far.
  std::string Protokoll() const;
  // True when the log holds an FMSG entry with this message, function and code.
  bool Geloggt(const std::string& message, const std::string& funktion, int code) const;

  std::string root_;  // the installation folder: work/, Comm/Buff/
  std::string alt_;   // the working directory before the test
};
