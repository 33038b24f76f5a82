// Evaluation parameters and the correction loop, in process against a real
// database.
#include "main/MldKorrektur.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "db/DbDb.h"
#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "infra/Log.h"
#include "main/KorrLoop.h"
#include "support/Builders.h"
#include "support/Installation.h"
#include "support/TestDb.h"

namespace {

class MldKorrekturTest : public DbTest {
 protected:
  void SetUp() override {
    setenv("QV_TEST_NOW", "20261208101500", 1);
    DbTest::SetUp();
  }
  void TearDown() override {
    DbTest::TearDown();
    unsetenv("QV_TEST_NOW");
  }
};
QV_DB_TEST_SUITE(MldKorrekturTest);

TEST_P(MldKorrekturTest, ParametersCountOnlyStrictlyBetweenTheirDates) {
  std::string sql =
      Test_NzpSql({.gvn = "20261207", .gbi = "20261209", .aak = 1, .mrk = 1}) +  // valid
      Test_NzpSql(
          {.akz = 3, .gvn = "20261208", .gbi = "20261231", .aak = 1, .mrk = 1}) +  // starts today
      Test_NzpSql({.akz = 4, .gbi = "20261208", .aak = 1, .mrk = 1}) +             // ends today
      Test_NzpSql({.akz = 5, .gbi = "20261231", .aak = 1}) +                       // two valid rows
      Test_NzpSql({.akz = 5, .gvn = "20260201", .gbi = "20261230", .aak = 1}) +
      Test_NzpSql({.akz = 7, .aak = 1}) + Test_NzpSql({.akz = 9, .mrk = 1}) +
      Test_NzpSql({.akz = 2, .aak = 2, .mrk = 2});  // only 1 switches on
  ASSERT_EQ(Exec(sql), "");
  ASSERT_EQ(Korr_ParameterLesen(), 0);
  const KorrParameter& p = Korr_Parameter();
  EXPECT_EQ(p.auswertung[1], 1);
  EXPECT_EQ(p.merker[1], 1);
  for (int k : {2, 3, 4, 5}) {
    EXPECT_EQ(p.auswertung[k], 0) << k;
    EXPECT_EQ(p.merker[k], 0) << k;
  }
  EXPECT_EQ(p.auswertung[7], 1);
  EXPECT_EQ(p.merker[7], 0);
  EXPECT_EQ(p.auswertung[9], 0);
  EXPECT_EQ(p.merker[9], 1);

  // A later run with no parameter rows starts from all flags off.
  ASSERT_EQ(Exec("delete from Qvt591Nzp"), "");
  ASSERT_EQ(Korr_ParameterLesen(), 0);
  EXPECT_EQ(Korr_Parameter().auswertung[1], 0);
  EXPECT_EQ(Korr_Parameter().merker[9], 0);
}

TEST_P(MldKorrekturTest, ParameterThatCannotBeReadEndsTheRunBeforeTheLoop) {
  MelSatz m = Test_Mel();
  m.MelKsb = "ABCDEFGH";
  ASSERT_EQ(Mel_PKeyIns(m), 0);
  // A lock on the parameter table: no correction may run with its
  // evaluations switched off by the failure.
  DbFehlerPlan plan;
  plan.operations["Nzp_PKeyReadk"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Korr_ParameterLesen(), DB_BUSY);
  Db_SetFaultPlanForTest(plan);
  Mld_Korrektur("ABCDEFGH");
  EXPECT_EQ(Db_StatementCount(), 1) << "the first read fails, nothing after it runs";
  // A failure of the data (two rows valid today) leaves that key off and the
  // run goes on: seven reads, the cursor, the row's lock and function code.
  plan.operations["Nzp_PKeyReadk"] = DB_TOO_MANY_ROWS;
  Db_SetFaultPlanForTest(plan);
  Mld_Korrektur("ABCDEFGH");
  EXPECT_EQ(Db_StatementCount(), 7 + 1 + 2);
  // Any other failure (a missing table, a malformed date) ends the run as
  // well, with its entry: the evaluations are never switched off unnoticed.
  const std::string dir = Test_TempDir();
  Log_ResetForTest();
  Log_Open(7, (dir + "/log.txt").c_str());
  for (int st : {DB_TOO_MANY_ROWS, DB_BUSY}) {
    plan.operations["Nzp_PKeyReadk"] = st;
    Db_SetFaultPlanForTest(plan);
    Mld_Korrektur("ABCDEFGH");
  }
  for (int st : {DB_NO_TABLE, DB_BAD_DATE, DB_OTHER}) {
    plan.operations["Nzp_PKeyReadk"] = st;
    Db_SetFaultPlanForTest(plan);
    Mld_Korrektur("ABCDEFGH");
    EXPECT_EQ(Db_StatementCount(), 1) << st;
  }
  Db_ClearFaultPlanForTest();
  const std::string log = Test_ReadFile(dir + "/log.txt");
  Log_ResetForTest();
  Test_RemoveTree(dir);
  EXPECT_NE(
      log.find("Message____: Nzp_PKeyReadk 1\r\nFunktion___: Mld_Korrektur\r\nErrorCode__: -1422"),
      std::string::npos)
      << log;
  for (const char* code : {"-54", "-942", "-1861", "-20000"}) {
    EXPECT_NE(log.find(std::string("Message____: Nzp_PKeyReadk\r\nFunktion___: Mld_Korrektur\r\n"
                                   "ErrorCode__: ") +
                       code + "\r\n"),
              std::string::npos)
        << code;
  }
}

TEST_P(MldKorrekturTest, LoopVisitsEachRowOfTheClerkOnceWithItsFunctionCode) {
  ASSERT_EQ(Exec(Test_FzuSql()), "");
  for (int i = 1; i <= 3; ++i) {
    MelSatz m = Test_Mel({.bnr = i, .lfn = 1, .uhr = "08000" + std::to_string(i)});
    m.MelKsb = "ABCDEFGH";
    m.MelKfc = i == 1 ? "AEN" : "   ";
    m.MelMsk = i == 3 ? "ZZ" : "AB";  // ZZ has no function-code entry
    ASSERT_EQ(Mel_PKeyIns(m), 0);
  }
  MelSatz other = Test_Mel({.bnr = 9, .lfn = 1});
  other.MelKsb = "ABCDEFGX";
  ASSERT_EQ(Mel_PKeyIns(other), 0);

  // One cursor open and, per row, the locking read of its mark and the
  // function-code read, nothing else; a row without an entry does not stop
  // the loop.
  DbFehlerPlan count;
  Db_SetFaultPlanForTest(count);
  Korr_Schleife("ABCDEFGH");
  EXPECT_EQ(Db_StatementCount(), 1 + 2 * 3);
  EXPECT_EQ(Korr_HandlerFuer("AEN"), nullptr);
  EXPECT_EQ(Korr_HandlerFuer("   "), nullptr);
}

TEST_P(MldKorrekturTest, MainUsesTheFirstEightCharactersOfTheArgument) {
  ASSERT_EQ(Exec(Test_FzuSql()), "");
  for (int i = 1; i <= 2; ++i) {
    MelSatz m = Test_Mel({.bnr = i, .lfn = 1});
    m.MelKsb = i == 1 ? "ABCDEFGH" : "ABCDEFG";
    ASSERT_EQ(Mel_PKeyIns(m), 0);
  }
  TestInstallation inst;
  ASSERT_TRUE(TestInst_Create(inst, db_.login, db_.pass, db_.net8));
  char* old = getcwd(nullptr, 0);
  ASSERT_EQ(chdir(inst.workdir.c_str()), 0);
  auto statements = [](const char* arg) {
    DbFehlerPlan count;
    Db_SetFaultPlanForTest(count);
    const char* argv[] = {"mldkorr", arg};
    EXPECT_EQ(Mld_Main(2, argv), 0);
    return Db_StatementCount();
  };
  // 7 parameter reads, the cursor open, per row the locking read of its mark
  // and the function-code read.
  EXPECT_EQ(statements("ABCDEFGHIJKL"), 7 + 1 + 2);
  EXPECT_EQ(statements("ABCDEFG"), 7 + 1 + 2);
  EXPECT_EQ(statements("ABCDEF"), 7 + 1);
  ASSERT_EQ(chdir(old), 0);
  free(old);
  TestInst_Remove(inst);
}

}  // namespace
