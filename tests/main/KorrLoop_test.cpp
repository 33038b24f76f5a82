// The correction loop's transaction per correction, in process against a real
// database: environmental failures roll the whole correction back and leave
// it pending, failures of the data keep their per-statement outcome, a lost
// session ends the run, a row another run has taken is skipped.
#include "main/KorrLoop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/DbDb.h"
#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "main/KorrAuswertung.h"
#include "support/Builders.h"
#include "support/KorrFixture.h"

namespace {

using Zeilen = std::vector<std::string>;

// The evaluation of "M_A" messages, replaced for one test.
void (*gBeiAuswertung)(const MelSatz&) = nullptr;
void Auswertung(const MelSatz& r) {
  if (gBeiAuswertung) gBeiAuswertung(r);
}

class KorrLoopTest : public KorrTest {
 protected:
  void SetUp() override {
    KorrTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    gBeiAuswertung = nullptr;
    Korr_AuswertungenSetzenForTest({nullptr, nullptr, Auswertung, nullptr});
    ASSERT_EQ(Exec(Test_FzuStandardSql() + Test_CfgSql() + Test_ApkSql() +
                   Test_AppSql({.sts = 3, .naf = "00000"})),
              "");
  }
  void TearDown() override {
    Korr_AuswertungenZuruecksetzenForTest();
    KorrTest::TearDown();
  }
  // A quantity report of booking `bnr` (10 good), marked "AEI" with 15 good.
  void Mengenkorrektur(int bnr, const std::string& uhr = "120000") {
    MelSatz m = Test_Mel(
        {.bnr = bnr, .uhr = uhr, .msk = "AM", .fcd = "A02", .ksb = "CLERK1", .kfc = "AEI"});
    m.MelGum = 10;
    m.MelKgm = 15;
    ASSERT_EQ(Mel_PKeyIns(m), DB_OK);
  }
  Zeilen Marken() {
    return Rows("select KeyBnr,MelKsb,MelKfc,MelGum,MelErf from Qvt560Mel order by KeyBnr");
  }
  Zeilen Pps() { return Rows("select PpsLfn,PpsGum,PpsSto from Qvt580Pps order by PpsLfn"); }
  // Everything a correction can leave behind, beside the message rows.
  Zeilen Folgen() {
    Zeilen z = Pps();
    for (const std::string& r : Rows("select AppIme,AppDwn from Qvt504App")) z.push_back(r);
    for (const std::string& r : Rows("select count(*) from Qvt552Bnr")) z.push_back("Bnr " + r);
    z.push_back("Puffer " + std::to_string(Puffer(1).size()));
    return z;
  }
};
QV_DB_TEST_SUITE(KorrLoopTest);

TEST_P(KorrLoopTest, EnvironmentalFailureLeavesNothingOfTheCorrectionAndItStaysPending) {
  Mengenkorrektur(5);
  const Zeilen vorher = Folgen();
  // A lock, a deadlock, a missing right, a full disk, an I/O error: each met
  // by the message update, after the "-" record and before the "+" record.
  for (int st : {DB_BUSY, DB_DEADLOCK, DB_NO_PRIVILEGE, DB_NO_SPACE, DB_IO_ERROR}) {
    SCOPED_TRACE(st);
    Test_WriteFile(inst_.LogPath(), "");
    DbFehlerPlan plan;
    plan.operations["Mel_PKeyUpdate"] = st;
    Db_SetFaultPlanForTest(plan);
    Korr_Schleife("CLERK1");
    EXPECT_EQ(Marken(), Zeilen{"5|CLERK1|AEI|10|TERM01"});
    EXPECT_EQ(Folgen(), vorher) << "no planning record, no master data, no download";
    // Once per attempt, and none of the undone statements' own entries.
    const std::string eintrag =
        Korr_LogEntry("Korrektur 5/0 zurueckgesetzt: Mel_PKeyUpdate", "Mld_Korrektur", st);
    EXPECT_EQ(LogText(), eintrag + eintrag + eintrag);
  }
  // The next run applies it once, with the upload numbers given back.
  Db_ClearFaultPlanForTest();
  Test_WriteFile(inst_.LogPath(), "");
  Korr_Schleife("CLERK1");
  EXPECT_EQ(Marken(), Zeilen{"5|        |   |15|CLERK1"});
  EXPECT_EQ(Pps(), (Zeilen{"1|10|-", "2|15|+"}));
  EXPECT_EQ(LogText(), "");
}

TEST_P(KorrLoopTest, MissingRightOfTheDatabaseRollsTheCorrectionBack) {
  Mengenkorrektur(5);
  const Zeilen vorher = Folgen();
  // A real refusal of the engine, not the fault seam: on the server the
  // session's role loses the right to insert planning records; an SQLite
  // file that may only be read refuses every write.
  if (GetParam() == TestEngine::Postgres) {
    ASSERT_EQ(Exec("revoke insert on Qvt580Pps from current_user"), "");
  } else {
    ASSERT_EQ(Db_Execute("Test_NurLesen", "pragma query_only = 1", {}, nullptr), DB_OK);
  }
  Korr_Schleife("CLERK1");
  EXPECT_EQ(Marken(), Zeilen{"5|CLERK1|AEI|10|TERM01"});
  EXPECT_EQ(Folgen(), vorher);
  const std::string log = LogText();
  EXPECT_NE(log.find("Korrektur 5/0 zurueckgesetzt: "), std::string::npos) << log;
  EXPECT_NE(log.find("ErrorCode__: -1031"), std::string::npos) << log;
  EXPECT_EQ(log.find("Korr_"), std::string::npos) << "no entry of an undone statement: " << log;
}

TEST_P(KorrLoopTest, PassingFailureIsRetriedAndTheCorrectionAppliedOnce) {
  Mengenkorrektur(5);
  Mengenkorrektur(6, "130000");
  // Statement 1 opens the cursor, 2 locks the first row, 3 reads its
  // function code; the 5th is inside the first correction's handler.
  DbFehlerPlan plan;
  plan.nth = 5;
  plan.nthStatus = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  Korr_Schleife("CLERK1");
  EXPECT_EQ(Marken(), (Zeilen{"5|        |   |15|CLERK1", "6|        |   |15|CLERK1"}));
  EXPECT_EQ(Pps(), (Zeilen{"1|10|-", "2|15|+", "3|10|-", "4|15|+"}));
  const std::string log = LogText();
  EXPECT_NE(log.find("Korrektur 5/0 zurueckgesetzt"), std::string::npos) << log;
  EXPECT_EQ(log.find("Korrektur 6/0"), std::string::npos) << log;
  EXPECT_EQ(log.find("Korr_Inhalt"), std::string::npos) << log;
}

TEST_P(KorrLoopTest, FailureOfTheDataUndoesOnlyItsStatement) {
  Mengenkorrektur(5);
  DbFehlerPlan plan;
  plan.operations["Mel_PKeyUpdate"] = DB_NOT_NULL;
  Db_SetFaultPlanForTest(plan);
  Korr_Schleife("CLERK1");
  // As without a transaction around the correction: the "-" record stays,
  // the message keeps its mark, the handler logs and stops.
  EXPECT_EQ(Marken(), Zeilen{"5|CLERK1|AEI|10|TERM01"});
  EXPECT_EQ(Pps(), Zeilen{"1|10|-"});
  EXPECT_EQ(LogText(), Korr_LogEntry("Mel_PKeyUpdate", "Korr_Inhalt aendern", DB_NOT_NULL));
}

TEST_P(KorrLoopTest, LostSessionEndsTheRunAfterOneEntry) {
  Mengenkorrektur(5);
  Mengenkorrektur(6, "130000");
  DbFehlerPlan plan;
  plan.operations["Fzu_MldRead"] = DB_NOT_CONNECTED;
  Db_SetFaultPlanForTest(plan);
  Korr_Schleife("CLERK1");
  // Cursor, lock and function-code read of the first row; nothing after.
  EXPECT_EQ(Db_StatementCount(), 3);
  EXPECT_EQ(LogText(),
            Korr_LogEntry("Verbindung verloren: Fzu_MldRead", "Mld_Korrektur", DB_NOT_CONNECTED));
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Marken(), (Zeilen{"5|CLERK1|AEI|10|TERM01", "6|CLERK1|AEI|10|TERM01"}));
}

TEST_P(KorrLoopTest, ServerThatEndsTheSessionEndsTheRun) {
  if (GetParam() != TestEngine::Postgres) GTEST_SKIP() << "an SQLite file has no server to lose";
  Mengenkorrektur(5);
  Mengenkorrektur(6, "130000");
  Mengenkorrektur(7, "140000");
  // The server ends the session in the middle of the first correction, as
  // on a shutdown or restart.
  gBeiAuswertung = [](const MelSatz&) {
    // The statement ends its own session, so its status is the lost connection.
    (void)Db_Execute("Test_Ende", "select pg_terminate_backend(pg_backend_pid())", {}, nullptr);
  };
  ASSERT_EQ(Exec("update Qvt560Mel set MelKfc='AEZ' where KeyBnr=5"), "");
  Korr_Schleife("CLERK1");
  gBeiAuswertung = nullptr;
  const std::string log = LogText();
  EXPECT_NE(log.find("Message____: Verbindung verloren: "), std::string::npos) << log;
  EXPECT_NE(log.find("ErrorCode__: -3114"), std::string::npos) << log;
  EXPECT_EQ(log.find("\xFE", 1), std::string::npos) << "one entry, not one per remaining row";
  EXPECT_EQ(Marken(),
            (Zeilen{"5|CLERK1|AEZ|10|TERM01", "6|CLERK1|AEI|10|TERM01", "7|CLERK1|AEI|10|TERM01"}));
  EXPECT_EQ(Pps(), Zeilen{});
}

TEST_P(KorrLoopTest, RowTakenByAnotherRunIsSkippedWithoutEffect) {
  Mengenkorrektur(5);
  Mengenkorrektur(6, "130000");
  // The first correction's evaluation stands in for another run that takes
  // the second row meanwhile (its mark moved to the clerk, as applied).
  gBeiAuswertung = [](const MelSatz&) {
    EXPECT_EQ(Db_Execute("Test_Fremd",
                         "update Qvt560Mel set MelKsb='        ',MelKfc='   ',MelErf='OTHER' "
                         "where KeyBnr=6",
                         {}, nullptr),
              0);
  };
  Test_WriteFile(inst_.LogPath(), "");
  // Time shift of the first booking runs the "M_A" evaluation.
  ASSERT_EQ(Exec("update Qvt560Mel set MelKfc='AEZ' where KeyBnr=5"), "");
  Korr_Schleife("CLERK1");
  gBeiAuswertung = nullptr;
  EXPECT_EQ(Marken(), (Zeilen{"5|        |   |15|CLERK1", "6|        |   |10|OTHER"}));
  EXPECT_EQ(Pps(), (Zeilen{"1|10|-", "2|15|+"})) << "nothing of the second correction";
  EXPECT_EQ(LogText(),
            Korr_LogEntry("Korrektur in anderem Lauf ausgefuehrt: 6/0", "Mld_Korrektur", -1));
}

TEST_P(KorrLoopTest, OneCorrectionIsInvisibleToOthersUntilItCommits) {
  Mengenkorrektur(5);
  ASSERT_EQ(Db_KorrekturBeginn(), DB_OK);
  MelSatz m = Test_Mel({.bnr = 7});
  ASSERT_EQ(Mel_PKeyIns(m), DB_OK);
  // A failure of the data inside the correction undoes only its statement.
  EXPECT_EQ(Mel_PKeyIns(m), DB_DUP_KEY);
  EXPECT_EQ(Db_KorrekturAbbruch(), DB_OK);
  EXPECT_EQ(Rows("select count(*) from Qvt560Mel where KeyBnr=7"), Zeilen{"0"});
  EXPECT_EQ(Db_KorrekturCommit(), DB_OK);
  EXPECT_EQ(Rows("select count(*) from Qvt560Mel where KeyBnr=7"), Zeilen{"1"});

  // After an environmental failure nothing more runs, and nothing stays.
  ASSERT_EQ(Db_KorrekturBeginn(), DB_OK);
  ASSERT_EQ(Mel_PKeyIns(Test_Mel({.bnr = 8})), DB_OK);
  DbFehlerPlan plan;
  plan.operations["Mel_PKeyDel"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Mel_PKeyDel(m), DB_BUSY);
  EXPECT_EQ(Mel_PKeyIns(Test_Mel({.bnr = 9})), DB_BUSY);
  EXPECT_EQ(Db_StatementCount(), 1) << "the insert after the failure did not run";
  std::string op;
  EXPECT_EQ(Db_KorrekturAbbruch(&op), DB_BUSY);
  EXPECT_EQ(op, "Mel_PKeyDel");
  EXPECT_EQ(Db_KorrekturCommit(), DB_BUSY);
  EXPECT_EQ(Rows("select KeyBnr from Qvt560Mel order by KeyBnr"), (Zeilen{"5", "7"}));
}

TEST(KorrLoopStatus, OnlyFailuresOfTheEnvironmentRollACorrectionBack) {
  for (int st : {DB_BUSY, DB_DEADLOCK, DB_NOT_CONNECTED, DB_NOT_LOGGED_ON, DB_NO_PRIVILEGE,
                 DB_NO_SPACE, DB_IO_ERROR}) {
    EXPECT_TRUE(Db_Umweltfehler(st)) << st;
  }
  for (int st : {DB_OK, DB_NOT_FOUND, DB_DUP_KEY, DB_NOT_NULL, DB_TOO_WIDE, DB_BAD_DATE,
                 DB_TOO_MANY_ROWS, DB_OUT_OF_RANGE, DB_NO_TABLE, DB_NO_COLUMN, DB_OTHER}) {
    EXPECT_FALSE(Db_Umweltfehler(st)) << st;
  }
  EXPECT_TRUE(Db_Verbindungsverlust(DB_NOT_CONNECTED));
  EXPECT_FALSE(Db_Verbindungsverlust(DB_BUSY));
}

}  // namespace
