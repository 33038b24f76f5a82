// Message table statements against a fresh real database.
#include "db/DbMel.h"

#include <gtest/gtest.h>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "support/Builders.h"
#include "support/TestDb.h"

namespace {

class DbMelTest : public DbTest {};
QV_DB_TEST_SUITE(DbMelTest);

TEST_P(DbMelTest, InsertReadUpdateDeleteKeepTheRowAndItsInstant) {
  MelSatz m = Test_Mel({.bnr = 100, .lfn = 1, .uhr = "133005"});
  m.MelGum = 12.5;
  m.MelFnr = 2003;
  m.MelKdt = "20261202091500";
  ASSERT_EQ(Mel_PKeyIns(m), DB_OK);

  // Both date columns hold the one instant; MelDat is set by the statement.
  std::vector<std::string> stored;
  if (GetParam() == TestEngine::Sqlite) {
    stored = Rows("select KeyDat, KeyUhr, MelKdt, MelDat is not null from Qvt560Mel");
    EXPECT_EQ(stored, std::vector<std::string>{"2026-12-01 13:30:05|2026-12-01 13:30:05|"
                                               "2026-12-02 09:15:00|1"});
  }

  MelSatz r;
  r.KeyBnr = 100;
  r.KeyLfn = 1;
  ASSERT_EQ(Mel_PKeyReadk(r), DB_OK);
  EXPECT_EQ(r.KeyDat, "20261201");
  EXPECT_EQ(r.KeyUhr, "133005");
  EXPECT_EQ(r.MelKdt, "20261202091500");
  EXPECT_EQ(r.MelGum, 12.5);
  EXPECT_EQ(r.MelFnr, 2003);
  EXPECT_EQ(r.MelKsb, "        ");
  EXPECT_EQ(r.MelKfc, "   ");
  EXPECT_EQ(r.KeyTnr, "T-100");

  // Written back unchanged, the row keeps its instant.
  r.MelErf = "CLERK1";
  ASSERT_EQ(Mel_PKeyUpdate(r), DB_OK);
  MelSatz again;
  again.KeyBnr = 100;
  again.KeyLfn = 1;
  ASSERT_EQ(Mel_PKeyReadk(again), DB_OK);
  EXPECT_EQ(again.KeyDat, "20261201");
  EXPECT_EQ(again.KeyUhr, "133005");
  EXPECT_EQ(again.MelErf, "CLERK1");

  ASSERT_EQ(Mel_PKeyDel(again), DB_OK);
  EXPECT_EQ(Mel_PKeyDel(again), DB_NOT_FOUND);
  EXPECT_EQ(Mel_PKeyUpdate(again), DB_NOT_FOUND);
}

TEST_P(DbMelTest, FailedReadClearsNumbersAndKeepsTexts) {
  MelSatz r = Test_Mel({.bnr = 7, .lfn = 3});
  r.MelGum = 4;
  r.MelKgm = 5;
  EXPECT_EQ(Mel_PKeyReadk(r), DB_NOT_FOUND);
  EXPECT_EQ(r.KeyBnr, 0);
  EXPECT_EQ(r.KeyLfn, 0);
  EXPECT_EQ(r.MelGum, 0);
  EXPECT_EQ(r.MelKgm, 0);
  EXPECT_EQ(r.KeyApl, "APL01");
  EXPECT_EQ(r.MelMsk, "AB");
}

TEST_P(DbMelTest, DuplicateInsertFailsAndLeavesNothingBehind) {
  MelSatz m = Test_Mel({.bnr = 5, .lfn = 1});
  ASSERT_EQ(Mel_PKeyIns(m), DB_OK);
  m.MelMsk = "AE";
  EXPECT_EQ(Mel_PKeyIns(m), DB_DUP_KEY);
  EXPECT_EQ(Rows("select MelMsk from Qvt560Mel"), std::vector<std::string>{"AB"});
  // The session goes on normally after the failure.
  EXPECT_EQ(Mel_PKeyIns(Test_Mel({.bnr = 5, .lfn = 2})), DB_OK);
  EXPECT_EQ(Rows("select count(*) from Qvt560Mel"), std::vector<std::string>{"2"});
}

TEST_P(DbMelTest, OverWideTextAndEmptyKeyAndBadDateFail) {
  MelSatz m = Test_Mel({.bnr = 6, .lfn = 1});
  m.KeyApl = "WORKPLACE-11";  // 12 characters into a 10-character column
  EXPECT_EQ(Mel_PKeyIns(m), DB_TOO_WIDE);
  m = Test_Mel({.bnr = 6, .lfn = 1});
  m.KeyUhr = "256000";  // no valid time
  EXPECT_EQ(Mel_PKeyIns(m), DB_BAD_DATE);
  EXPECT_EQ(Rows("select count(*) from Qvt560Mel"), std::vector<std::string>{"0"});
}

TEST_P(DbMelTest, NullTextsReadAsEmpty) {
  ASSERT_EQ(Exec("insert into Qvt560Mel (KeyBnr,KeyLfn,KeyDat,KeyUhr,KeySek,MelKsb) values "
                 "(9,1,'2026-12-01 08:00:00','2026-12-01 08:00:00','00','CLERK9')"),
            "");
  MelSatz r = Test_Mel({.bnr = 9, .lfn = 1});
  ASSERT_EQ(Mel_PKeyReadk(r), DB_OK);
  EXPECT_EQ(r.MelMsk, "");
  EXPECT_EQ(r.MelKdt, "");
  EXPECT_EQ(r.MelGum, 0);
}

// Rows of two clerks at shuffled instants; the clerk cursor selects one clerk
// and orders by date, time, KeySek.
TEST_P(DbMelTest, ClerkCursorSelectsAndOrdersAndSurvivesOwnWrites) {
  struct R {
    int bnr, lfn;
    const char *ksb, *dat, *uhr, *sek;
  } rows[] = {{1, 1, "CLERK1", "20261202", "070000", "00"},
              {1, 2, "CLERK1", "20261201", "230000", "01"},
              {2, 1, "CLERK1", "20261201", "230000", "00"},
              {3, 1, "CLERK2", "20261130", "060000", "00"},
              {4, 1, "        ", "20261130", "050000", "00"}};
  for (const R& x : rows) {
    MelSatz m = Test_Mel({.bnr = x.bnr, .lfn = x.lfn, .dat = x.dat, .uhr = x.uhr});
    m.MelKsb = x.ksb;
    m.KeySek = x.sek;
    ASSERT_EQ(Mel_PKeyIns(m), DB_OK);
  }
  ASSERT_EQ(Mel_KsbCurOpen("CLERK1"), DB_OK);
  MelSatz f;
  ASSERT_EQ(Mel_KsbCurFetch(f), DB_OK);
  EXPECT_EQ(f.KeyBnr * 10 + f.KeyLfn, 21);
  // The run deletes and changes rows that the cursor has still to deliver.
  MelSatz gone = Test_Mel({.lfn = 2});
  ASSERT_EQ(Mel_PKeyDel(gone), DB_OK);
  MelSatz changed = Test_Mel({.lfn = 1, .dat = "20261202", .uhr = "070000"});
  changed.MelKsb = "CLERK1";
  changed.MelMsk = "AE";
  ASSERT_EQ(Mel_PKeyUpdate(changed), DB_OK);

  ASSERT_EQ(Mel_KsbCurFetch(f), DB_OK);
  EXPECT_EQ(f.KeyBnr * 10 + f.KeyLfn, 12);  // deleted, still delivered
  ASSERT_EQ(Mel_KsbCurFetch(f), DB_OK);
  EXPECT_EQ(f.KeyBnr * 10 + f.KeyLfn, 11);
  EXPECT_EQ(f.MelMsk, "AB");  // as it stood at open
  f.MelGum = 3;
  EXPECT_EQ(Mel_KsbCurFetch(f), DB_NOT_FOUND);
  // End of the cursor: numbers cleared, texts of the last row kept.
  EXPECT_EQ(f.KeyBnr, 0);
  EXPECT_EQ(f.MelGum, 0);
  EXPECT_EQ(f.KeyDat, "20261202");
  EXPECT_EQ(Mel_KsbCurClose(), DB_OK);
  EXPECT_EQ(Mel_KsbCurFetch(f), DB_CURSOR_CLOSED);
}

TEST_P(DbMelTest, WorkplaceCursorsSelectTheirKeysInTimeOrder) {
  auto add = [](int bnr, const char* obj, const char* apl, const char* apk, const char* app,
                const char* pnr, const char* dat, const char* uhr, const char* sek) {
    MelSatz m = Test_Mel({.bnr = bnr, .lfn = 1, .dat = dat, .uhr = uhr});
    m.ObjTyp = obj;
    m.KeyApl = apl;
    m.KeyApk = apk;
    m.KeyApp = app;
    m.KeyPnr = pnr;
    m.KeySek = sek;
    return Mel_PKeyIns(m);
  };
  ASSERT_EQ(add(1, "MPA", "APL01", "A1", "0010", "P1", "20261201", "100000", "00"), 0);
  ASSERT_EQ(add(2, "MPA", "APL01", "A1", "0010", "P1", "20261201", "080000", "00"), 0);
  ASSERT_EQ(add(3, "MPA", "APL01", "A1", "0010", "P2", "20261201", "090000", "02"), 0);
  ASSERT_EQ(add(4, "M_A", "APL01", "A1", "0010", "        ", "20261201", "090000", "01"), 0);
  ASSERT_EQ(add(5, "M_A", "APL01", "A1", "0010", "        ", "20261201", "090000", "00"), 0);
  ASSERT_EQ(add(6, "M_A", "APL01", "A1", "0020", "        ", "20261130", "090000", "00"), 0);
  ASSERT_EQ(add(7, "M_A", "APL02", "A1", "0010", "        ", "20261201", "070000", "00"), 0);
  ASSERT_EQ(add(8, "MPA", "APL01", "A1", "0010", "P1", "20261202", "060000", "00"), 0);

  auto drain = [](int (*fetch)(MelSatz&), int (*close)()) {
    std::vector<int> out;
    MelSatz m;
    while (fetch(m) == DB_OK) out.push_back(m.KeyBnr);
    close();
    return out;
  };
  ASSERT_EQ(Mel_AplCurOpen("M_A", "APL01"), 0);
  EXPECT_EQ(drain(Mel_AplCurFetch, Mel_AplCurClose), (std::vector<int>{6, 5, 4}));
  ASSERT_EQ(Mel_AplAppCurOpen("M_A", "APL01", "A1", "0010"), 0);
  EXPECT_EQ(drain(Mel_AplAppCurFetch, Mel_AplAppCurClose), (std::vector<int>{5, 4}));
  ASSERT_EQ(Mel_PnrCurOpen("MPA", "APL01", "A1", "0010", "P1"), 0);
  EXPECT_EQ(drain(Mel_PnrCurFetch, Mel_PnrCurClose), (std::vector<int>{2, 1, 8}));
  // Both bounds included.
  ASSERT_EQ(Mel_PnrZeitCurOpen("MPA", "APL01", "A1", "0010", "P1", "20261201", "080000", "20261201",
                               "100000"),
            0);
  EXPECT_EQ(drain(Mel_PnrZeitCurFetch, Mel_PnrZeitCurClose), (std::vector<int>{2, 1}));
  ASSERT_EQ(Mel_PnrZeitCurOpen("MPA", "APL01", "A1", "0010", "P1", "20261201", "080001", "20261202",
                               "060000"),
            0);
  EXPECT_EQ(drain(Mel_PnrZeitCurFetch, Mel_PnrZeitCurClose), (std::vector<int>{1, 8}));
  // Before 10:00 on 1 December, latest first, any object type.
  ASSERT_EQ(Mel_VorherCurOpen("APL01", "A1", "0010", "20261201", "100000"), 0);
  EXPECT_EQ(drain(Mel_VorherCurFetch, Mel_VorherCurClose), (std::vector<int>{3, 4, 5, 2}));
  // After 08:00: date and time ascending, KeySek descending.
  ASSERT_EQ(Mel_NachherCurOpen("APL01", "A1", "0010", "20261201", "080000"), 0);
  EXPECT_EQ(drain(Mel_NachherCurFetch, Mel_NachherCurClose), (std::vector<int>{3, 4, 5, 1, 8}));
}

TEST_P(DbMelTest, FaultSeamFailsANamedOperationAndTheNthStatement) {
  DbFehlerPlan plan;
  plan.operations["Mel_PKeyIns"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Mel_PKeyIns(Test_Mel({.lfn = 1})), DB_BUSY);
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Rows("select count(*) from Qvt560Mel"), std::vector<std::string>{"0"});

  DbFehlerPlan nth;
  nth.nth = 2;
  nth.nthStatus = -3114;
  Db_SetFaultPlanForTest(nth);
  EXPECT_EQ(Mel_PKeyIns(Test_Mel({.lfn = 1})), DB_OK);
  EXPECT_EQ(Mel_PKeyIns(Test_Mel({.lfn = 2})), -3114);
  EXPECT_EQ(Mel_PKeyIns(Test_Mel({.lfn = 3})), DB_OK);
  EXPECT_EQ(Db_StatementCount(), 3);
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Rows("select KeyLfn from Qvt560Mel order by KeyLfn"),
            (std::vector<std::string>{"1", "3"}));

  DbFehlerPlan fetch;
  fetch.operations["Mel_BnrCur.Fetch"] = -3114;
  Db_SetFaultPlanForTest(fetch);
  ASSERT_EQ(Mel_BnrCurOpen(1), DB_OK);
  MelSatz f;
  EXPECT_EQ(Mel_BnrCurFetch(f), -3114);
  EXPECT_EQ(Mel_BnrCurClose(), DB_OK);
}

}  // namespace
