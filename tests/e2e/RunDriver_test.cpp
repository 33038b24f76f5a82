// The program run end to end: the real binary in a temporary installation.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "db/DbDb.h"
#include "db/DbMel.h"
#include "support/Builders.h"
#include "support/Installation.h"
#include "support/TestDb.h"

namespace {

const char* kNow = "20261208101500";
const std::string kDate = "08.12.26";
const std::string kTime = "10:15:00";

std::string Entry(const std::string& message, const std::string& function, int code) {
  return Test_LogEntry(kDate, kTime, message, function, code);
}

class RunDriverTest : public DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_TRUE(TestInst_Create(inst_, db_.login, db_.pass, db_.net8));
  }
  void TearDown() override {
    TestInst_Remove(inst_);
    DbTest::TearDown();
  }
  std::string Run(const std::vector<std::string>& args) {
    std::string out;
    EXPECT_EQ(TestInst_Run(inst_, args, kNow, out), 0);
    EXPECT_EQ(out, "") << "the program writes nothing to the console";
    return Test_ReadFile(inst_.LogPath());
  }
  TestInstallation inst_;
};
QV_DB_TEST_SUITE(RunDriverTest);

TEST_P(RunDriverTest, WrongArgumentCountIsLoggedAfterTheParameterEntry) {
  EXPECT_EQ(Run({}), Entry("", "Parameter (User)", -1) +
                         Entry("Anzahl Parameter <> 2", "Mld_Korrektur", -1));
  std::filesystem::remove(inst_.LogPath());
  EXPECT_EQ(Run({"CLERK1", "CLERK2"}), Entry("CLERK1", "Parameter (User)", -1) +
                                           Entry("Anzahl Parameter <> 2", "Mld_Korrektur", -1));
}

TEST_P(RunDriverTest, ClerkWithoutRowsLogsOnlyTheParameterEntry) {
  EXPECT_EQ(Run({"NOBODY"}), Entry("NOBODY", "Parameter (User)", -1));
  // A second run appends to the same log.
  EXPECT_EQ(Run({"NOBODY"}),
            Entry("NOBODY", "Parameter (User)", -1) + Entry("NOBODY", "Parameter (User)", -1));
}

// Blanks mark messages without a pending correction; a blank or empty
// identifier names no clerk and must not take the uncorrected messages
// through the loop.
TEST_P(RunDriverTest, BlankOrEmptyClerkRunsNothing) {
  MelSatz m = Test_Mel({.lfn = 1});  // no pending correction: MelKsb is 8 blanks
  ASSERT_EQ(Mel_PKeyIns(m), 0);
  ASSERT_EQ(Exec(Test_NzpSql({.aak = 1, .mrk = 1})), "");
  for (std::string arg : {std::string(8, ' '), std::string(12, ' '), std::string()}) {
    std::filesystem::remove(inst_.LogPath());
    EXPECT_EQ(Run({arg}), Entry(arg, "Parameter (User)", -1) +
                              Entry("Sachbearbeiter fehlt", "Mld_Korrektur", -1));
  }
  EXPECT_EQ(Rows("select count(*) from Qvt563Mrk"), std::vector<std::string>{"0"});
  EXPECT_EQ(Rows("select MelKsb, ObjTyp from Qvt560Mel"), std::vector<std::string>{"        |M_A"});
}

TEST_P(RunDriverTest, ArgumentsOfAnyBytesAndLengthAreHandledSafely) {
  std::string wild;
  for (int c = 1; c < 256; ++c) wild += static_cast<char>(c);
  std::string logged = wild;
  for (char& c : logged) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u == 0xFE || u == '\r' || u == '\n') c = '?';
  }
  EXPECT_EQ(Run({wild}), Entry(logged, "Parameter (User)", -1));
  std::filesystem::remove(inst_.LogPath());
  std::string quote = "x' or '1'='1";
  EXPECT_EQ(Run({quote}), Entry(quote, "Parameter (User)", -1));
  std::filesystem::remove(inst_.LogPath());
  std::string huge(100000, 'K');
  EXPECT_EQ(Run({huge}), Entry(huge, "Parameter (User)", -1));
}

TEST_P(RunDriverTest, DatabaseWithoutTablesIsLoggedNotMistakenForAnEmptyRun) {
  ASSERT_EQ(Exec("drop table Qvt560Mel"), "");
  EXPECT_EQ(Run({"CLERK1"}),
            Entry("CLERK1", "Parameter (User)", -1) + Entry("Mel_KsbCur", "Mld_Korrektur", -942));
}

// Connect failures need no database of the test's engine.
class RunDriverConnectTest : public ::testing::Test {
 protected:
  void TearDown() override { TestInst_Remove(inst_); }
  TestInstallation inst_;
};

TEST_F(RunDriverConnectTest, MissingDatabaseFileIsAConnectFailureAndCreatesNothing) {
  std::string dir = Test_TempDir();
  std::string missing = dir + "/nothere.db";
  ASSERT_TRUE(TestInst_Create(inst_, "qv", "qv", "sqlite:" + missing));
  std::string out;
  ASSERT_EQ(TestInst_Run(inst_, {"CLERK1"}, kNow, out), 0);
  EXPECT_EQ(out, "");
  EXPECT_EQ(Test_ReadFile(inst_.LogPath()),
            Entry("Fehlerhafter Connect mit der DB ", "dbConnect", -3114));
  EXPECT_FALSE(std::filesystem::exists(missing));
  Test_RemoveTree(dir);
}

TEST_F(RunDriverConnectTest, FileThatIsNoDatabaseIsAConnectFailure) {
  std::string dir = Test_TempDir();
  Test_WriteFile(dir + "/junk.db", "this is not a database file, just text\n");
  ASSERT_TRUE(TestInst_Create(inst_, "qv", "qv", "sqlite:" + dir + "/junk.db"));
  std::string out;
  ASSERT_EQ(TestInst_Run(inst_, {"CLERK1"}, kNow, out), 0);
  EXPECT_EQ(Test_ReadFile(inst_.LogPath()),
            Entry("Fehlerhafter Connect mit der DB ", "dbConnect", -3114));
  EXPECT_EQ(Test_ReadFile(dir + "/junk.db"), "this is not a database file, just text\n");
  Test_RemoveTree(dir);
}

TEST_F(RunDriverConnectTest, MissingConfigurationIsAConnectFailure) {
  ASSERT_TRUE(TestInst_Create(inst_, "qv", "qv", "sqlite:/nowhere.db"));
  std::filesystem::remove(inst_.IniPath());
  std::string out;
  ASSERT_EQ(TestInst_Run(inst_, {"CLERK1"}, kNow, out), 0);
  EXPECT_EQ(Test_ReadFile(inst_.LogPath()),
            Entry("Fehlerhafter Connect mit der DB ", "dbConnect", -12154));
}

}  // namespace

namespace {

// A password file that others may read: the client library warns about it on
// stderr while it connects. Nothing may reach the console; the warning goes
// into the log before the connect failure it explains.
TEST_P(RunDriverTest, LibraryWarningsGoToTheLogNeverToTheConsole) {
  if (GetParam() != TestEngine::Postgres) GTEST_SKIP() << "a client-library warning";
  TestInst_Remove(inst_);
  ASSERT_TRUE(TestInst_Create(inst_, db_.login, "", db_.net8));  // empty PASS
  const std::string passfile = inst_.root + "/pgpass";
  Test_WriteFile(passfile, "*:*:*:*:" + db_.pass + "\n");
  ASSERT_EQ(chmod(passfile.c_str(), 0644), 0);
  setenv("PGPASSFILE", passfile.c_str(), 1);
  const std::string log = Run({"CLERK1"});  // checks that the console stays empty
  unsetenv("PGPASSFILE");
  const std::string warnung = "Message____: WARNING: password file \"" + passfile + "\" has group";
  const size_t w = log.find(warnung);
  EXPECT_NE(w, std::string::npos) << log;
  EXPECT_NE(log.find("Funktion___: dbConnect\r\nErrorCode__: -1\r\n"), std::string::npos) << log;
  const size_t c = log.find("Fehlerhafter Connect mit der DB ");
  EXPECT_NE(c, std::string::npos) << log;
  EXPECT_LT(w, c);
}

}  // namespace
