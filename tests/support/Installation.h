// A temporary installation folder for end-to-end runs of the real program:
//   <root>/files/quorvante.ini        configuration (written with qvini)
//   <root>/i1/i2/i3/run/              working directory of the run
//   <root>/i1/i2/i3/run/Msg/          log folder
//   <root>/i1/i2/i3/Comm/Buff/        terminal buffer files
#pragma once

#include <string>
#include <vector>

#include "support/TestDb.h"

struct TestInstallation {
  std::string root;
  std::string workdir;
  std::string LogPath() const { return workdir + "/Msg/Vastrigon.Txt"; }
  std::string BuffDir() const { return root + "/i1/i2/i3/Comm/Buff"; }
  std::string IniPath() const { return root + "/files/quorvante.ini"; }
};

// Creates the folders and writes LOGIN, PASS and NET8 with the qvini tool.
// Returns false when a step fails.
bool TestInst_Create(TestInstallation& inst, const std::string& login, const std::string& pass,
                     const std::string& net8);
void TestInst_Remove(TestInstallation& inst);

// Runs a program with the given arguments (passed as they are, any bytes) in
// `workdir`, with QV_TEST_NOW=now when `now` is not empty. Captures stdout and
// stderr together into `output`. Returns the exit status, or -1.
[[nodiscard]] int Test_RunProgram(const std::string& program, const std::vector<std::string>& args,
                                  const std::string& workdir, const std::string& now,
                                  std::string& output);

// Runs build/mldkorr in the installation.
[[nodiscard]] int TestInst_Run(const TestInstallation& inst, const std::vector<std::string>& args,
                               const std::string& now, std::string& output);

// One log entry as the program writes it; date "DD.MM.YY", time "HH:MM:SS".
std::string Test_LogEntry(const std::string& date, const std::string& time,
                          const std::string& message, const std::string& function, int code);
