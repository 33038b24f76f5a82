#include "support/KorrFixture.h"

#include <unistd.h>

#include <cstdlib>

#include "download/DnlSenden.h"
#include "infra/Log.h"
#include "main/MldKorrektur.h"
#include "support/Builders.h"

std::string Korr_LogEntry(const std::string& message, const std::string& function, int code) {
  return Test_LogEntry("08.12.26", "10:15:00", message, function, code);
}

void KorrTest::SetUp() {
  setenv("QV_TEST_NOW", kKorrNow, 1);
  DbTest::SetUp();
  if (IsSkipped() || HasFatalFailure()) return;
  ASSERT_TRUE(TestInst_Create(inst_, db_.login, db_.pass, db_.net8));
  char* cwd = getcwd(nullptr, 0);
  altesVerzeichnis_ = cwd ? cwd : ".";
  free(cwd);
  ASSERT_EQ(chdir(inst_.workdir.c_str()), 0);
  Log_ResetForTest();
  Log_Open(7, "./Msg/Vastrigon.Txt");
  ASSERT_EQ(Korr_ParameterLesen(), 0);
}

void KorrTest::TearDown() {
  // Cleanup only: a test may have failed the buffer file on purpose.
  (void)Dnl_DateiSchliessen();
  Log_ResetForTest();
  if (!altesVerzeichnis_.empty() && chdir(altesVerzeichnis_.c_str()) != 0) {
    ADD_FAILURE() << "cannot return to " << altesVerzeichnis_;
  }
  TestInst_Remove(inst_);
  DbTest::TearDown();
  // Sets every flag back to 0 first; without a session the read then fails.
  (void)Korr_ParameterLesen();
  unsetenv("QV_TEST_NOW");
}

std::string KorrTest::LogText() const {
  return Test_ReadFile(inst_.LogPath());
}

std::string KorrTest::Puffer(int linie) {
  EXPECT_EQ(Dnl_DateiSchliessen(), 0);
  return Test_ReadFile(inst_.BuffDir() + "/SndDnl" + std::to_string(linie) + ".buf");
}

void KorrTest::Parameter(int k, int aak, int mrk) {
  ASSERT_EQ(TestDb_Exec(db_, Test_NzpSql({.akz = k, .aak = aak, .mrk = mrk})), "");
  ASSERT_EQ(Korr_ParameterLesen(), 0);
}
