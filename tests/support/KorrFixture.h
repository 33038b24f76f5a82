// Fixture of the correction steps and handlers.
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
