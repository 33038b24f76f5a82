// The metrics file of a run (QV_METRICS_FILE) end to end, on the demo plant
// (one pending correction of every kind for DEMO01).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "main/MldKorrektur.h"
#include "support/Installation.h"
#include "support/TestDb.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kNow = "20261208093000";

// Sets an environment variable for the runs of one test.
struct Umgebung {
  Umgebung(const char* name, const std::string& wert) : name_(name) {
    setenv(name, wert.c_str(), 1);
  }
  ~Umgebung() { unsetenv(name_); }
  const char* name_;
};

long long Sekunden(const char* instant) {
  std::string s = instant;
  std::tm t{};
  t.tm_year = std::stoi(s.substr(0, 4)) - 1900;
  t.tm_mon = std::stoi(s.substr(4, 2)) - 1;
  t.tm_mday = std::stoi(s.substr(6, 2));
  t.tm_hour = std::stoi(s.substr(8, 2));
  t.tm_min = std::stoi(s.substr(10, 2));
  t.tm_sec = std::stoi(s.substr(12, 2));
  t.tm_isdst = -1;
  return static_cast<long long>(std::mktime(&t));
}

// The log's entries counted by function, read from the file itself.
std::map<std::string, int> JeFunktion(const std::string& log) {
  std::map<std::string, int> out;
  const std::string label = "\r\nFunktion___: ";
  for (size_t p = log.find(label); p != std::string::npos; p = log.find(label, p + 1)) {
    size_t a = p + label.size();
    ++out[log.substr(a, log.find('\r', a) - a)];
  }
  return out;
}

// The file the run must write, its duration replaced by "D".
std::string Erwartet(const std::string& clerk, bool verbunden, long gelesen, long angewandt,
                     long offen, const std::map<std::string, int>& eintraege) {
  const std::string l = "{clerk=\"" + clerk + "\"}";
  auto g = [](const std::string& name, const std::string& hilfe) {
    return "# HELP mldkorr_" + name + " " + hilfe + "\n# TYPE mldkorr_" + name + " gauge\n";
  };
  std::string out =
      g("run_start_time_seconds", "Start of the last correction run, seconds since 1970.") +
      "mldkorr_run_start_time_seconds" + l + " " + std::to_string(Sekunden(kNow)) + "\n" +
      g("run_duration_seconds", "Duration of the last correction run in seconds.") +
      "mldkorr_run_duration_seconds" + l + " D\n" +
      g("run_connected", "1 when the last run could connect to the database, else 0.") +
      "mldkorr_run_connected" + l + (verbunden ? " 1\n" : " 0\n") +
      g("corrections_read", "Pending corrections the last run found for its clerk.") +
      "mldkorr_corrections_read" + l + " " + std::to_string(gelesen) + "\n" +
      g("corrections_applied", "Corrections the last run applied.") +
      "mldkorr_corrections_applied" + l + " " + std::to_string(angewandt) + "\n" +
      g("corrections_skipped", "Corrections another run took while the last run went on.") +
      "mldkorr_corrections_skipped" + l + " 0\n" +
      g("corrections_pending",
        "Corrections the last run left pending (rolled back or not reached).") +
      "mldkorr_corrections_pending" + l + " " + std::to_string(offen) + "\n" +
      g("log_entries", "Log entries the last run wrote, by reporting function.");
  for (const auto& [f, n] : eintraege) {
    out += "mldkorr_log_entries{clerk=\"" + clerk + "\",function=\"" + f + "\"} " +
           std::to_string(n) + "\n";
  }
  return out;
}

// The metrics file with its duration checked (a number of seconds under a
// minute) and replaced by "D".
std::string Gelesen(const std::string& path) {
  std::string text = Test_ReadFile(path);
  std::smatch m;
  std::regex dauer(R"((mldkorr_run_duration_seconds\{[^}]*\} )([0-9]+\.[0-9]{3})\n)");
  if (!std::regex_search(text, m, dauer)) return "no duration in:\n" + text;
  if (std::stod(m[2]) >= 60) return "duration " + m[2].str();
  return m.prefix().str() + m[1].str() + "D\n" + m.suffix().str();
}

class KorrMetrikTest : public DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_EQ(Exec(Test_ReadFile(QV_SOURCE_DIR "/demo/plant.sql")), "");
    ASSERT_TRUE(TestInst_Create(inst_, db_.login, db_.pass, db_.net8));
    // The test process keeps no session of its own: a child made by fork()
    // must never share its connection.
    Db_Disconnect();
    datei_ = inst_.workdir + "/mldkorr.prom";
  }
  void TearDown() override {
    TestInst_Remove(inst_);
    DbTest::TearDown();
  }
  std::string Pending() { return Rows("select count(*) from Qvt560Mel where MelKsb='DEMO01'")[0]; }
  TestInstallation inst_;
  std::string datei_;
};
QV_DB_TEST_SUITE(KorrMetrikTest);

TEST_P(KorrMetrikTest, RunWritesItsMetricsAtItsEndAndNothingWithoutTheVariable) {
  ASSERT_EQ(Pending(), "6");
  std::string out;
  {
    Umgebung u("QV_METRICS_FILE", "mldkorr.prom");
    ASSERT_EQ(TestInst_Run(inst_, {"DEMO01"}, kNow, out), 0);
  }
  EXPECT_EQ(out, "");
  EXPECT_EQ(Pending(), "0");
  std::map<std::string, int> eintraege = JeFunktion(Test_ReadFile(inst_.LogPath()));
  ASSERT_EQ(eintraege["Parameter (User)"], 1);
  EXPECT_EQ(Gelesen(datei_), Erwartet("DEMO01", true, 6, 6, 0, eintraege));
  // Only the file itself: the temporary file is gone.
  EXPECT_EQ(std::distance(fs::directory_iterator(inst_.workdir), fs::directory_iterator()), 2);

  // Without the variable the next run leaves the file as it was.
  std::string vorher = Test_ReadFile(datei_);
  fs::remove(inst_.LogPath());
  ASSERT_EQ(TestInst_Run(inst_, {"DEMO01"}, kNow, out), 0);
  EXPECT_EQ(Test_ReadFile(datei_), vorher);
  EXPECT_EQ(Test_ReadFile(inst_.LogPath()),
            Test_LogEntry("08.12.26", "09:30:00", "DEMO01", "Parameter (User)", -1));
}

// Every planning record fails with a held lock: the corrections that write one
// are rolled back after their attempts and stay pending; the file says how many.
TEST_P(KorrMetrikTest, RolledBackCorrectionsAreCountedAsPending) {
  std::fflush(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(inst_.workdir.c_str()) != 0) _exit(126);
    setenv("QV_TEST_NOW", kNow, 1);
    setenv("QV_METRICS_FILE", "mldkorr.prom", 1);
    DbFehlerPlan plan;
    plan.operations["Pps_PKeyIns"] = DB_BUSY;
    Db_SetFaultPlanForTest(plan);
    const char* argv[] = {"mldkorr", "DEMO01"};
    _exit(Mld_Main(2, argv));
  }
  int status = -1;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const long offen = std::stol(Pending());
  ASSERT_GT(offen, 0);
  ASSERT_LT(offen, 6);
  std::string log = Test_ReadFile(inst_.LogPath());
  std::map<std::string, int> eintraege = JeFunktion(log);
  // Each rolled-back correction is logged once per attempt.
  EXPECT_EQ(eintraege["Mld_Korrektur"], 3 * offen) << log;
  EXPECT_EQ(Gelesen(datei_), Erwartet("DEMO01", true, 6, 6 - offen, offen, eintraege));
}

TEST(KorrMetrikOhneDb, ConnectFailureAndAFileThatCannotBeWritten) {
  TestInstallation inst;
  ASSERT_TRUE(TestInst_Create(inst, "qv", "qv", "sqlite:/nowhere/qv.db"));
  std::string out;
  {
    Umgebung u("QV_METRICS_FILE", inst.root + "/clerk.prom");
    ASSERT_EQ(TestInst_Run(inst, {"C\"1\\x"}, kNow, out), 0);
  }
  EXPECT_EQ(Gelesen(inst.root + "/clerk.prom"),
            Erwartet("C\\\"1\\\\x", false, 0, 0, 0, {{"dbConnect", 1}}));

  // A folder that does not exist: logged, nothing else changes.
  fs::remove(inst.LogPath());
  {
    Umgebung u("QV_METRICS_FILE", inst.root + "/none/clerk.prom");
    ASSERT_EQ(TestInst_Run(inst, {"C1"}, kNow, out), 0);
  }
  EXPECT_EQ(out, "");
  EXPECT_EQ(Test_ReadFile(inst.LogPath()),
            Test_LogEntry("08.12.26", "09:30:00", "Fehlerhafter Connect mit der DB ", "dbConnect",
                          -3114) +
                Test_LogEntry("08.12.26", "09:30:00",
                              "Metrikdatei oeffnen: " + inst.root + "/none/clerk.prom",
                              "Metrik_Schreiben", 2));
  TestInst_Remove(inst);
}

}  // namespace
