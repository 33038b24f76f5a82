// Download cursors and terminal-line lookup against a fresh real database.
#include "db/DbDnl.h"

#include <gtest/gtest.h>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "support/Builders.h"
#include "support/TestDb.h"

namespace {

using Zeilen = std::vector<std::string>;

class DbDnlTest : public DbTest {};
QV_DB_TEST_SUITE(DbDnlTest);

TEST_P(DbDnlTest, HeaderCursorSelectsTheMarkerInRangeKeyOrderWithTheChangeInstant) {
  ASSERT_EQ(
      Exec(
          Test_ApkSql({.apk = "A3", .fbe = "FBE2", .dwn = "KorrMld", .dna = "STA", .voll = true}) +
          Test_ApkSql({.apk = "A1", .fbe = "FBE9", .dwn = "KorrMld", .dna = "NEU", .voll = true}) +
          Test_ApkSql({.apk = "A2", .dwn = "KorrMld", .dna = "LOE", .voll = true}) +
          Test_ApkSql({.apk = "A4", .fbe = "FBE0", .dwn = "MldToNza", .dna = "STA", .voll = true}) +
          Test_ApkSql({.apk = "A5", .fbe = "FBE0", .voll = true})),
      "");
  ASSERT_EQ(Apk_OpenDnl("KorrMld"), DB_OK);
  ApkSatz a;
  Zeilen gesehen;
  int st;
  while ((st = Apk_FetchDnl(a)) == DB_OK) gesehen.push_back(a.ApkApk + "/" + a.ApkDna);
  EXPECT_EQ(st, DB_NOT_FOUND);
  EXPECT_EQ(gesehen, (Zeilen{"A2/LOE", "A3/STA", "A1/NEU"}));
  // The download row carries every field and the change instant.
  EXPECT_EQ(a.ApkDat, "20261101120000");
  EXPECT_EQ(a.ApkErf, "TEST");
  EXPECT_EQ(a.ApkAba, 1);
  EXPECT_EQ(a.ApkBdiDat + a.ApkBdiUhr, "20261201060000");
  EXPECT_EQ(a.ApkSme, 1234.5);
  EXPECT_EQ(Apk_CloseDnl(), DB_OK);
  EXPECT_EQ(Apk_FetchDnl(a), DB_CURSOR_CLOSED);
}

TEST_P(DbDnlTest, OperationCursorSelectsTheMarkerAndSurvivesOwnDeletes) {
  ASSERT_EQ(Exec(Test_AppSql({.apk = "A1",
                              .app = "0020",
                              .fbe = "FBE2",
                              .dwn = "KorrMld",
                              .dna = "NEU",
                              .voll = true}) +
                 Test_AppSql({.apk = "A1", .dwn = "KorrMld", .dna = "STA", .voll = true}) +
                 Test_AppSql({.apk = "A1", .app = "0030", .voll = true})),
            "");
  ASSERT_EQ(App_OpenDnl("KorrMld"), DB_OK);
  // Rows changed by the session while the cursor is open are still delivered.
  AppSatz weg;
  weg.AppApk = "A1";
  weg.AppApp = "0020";
  ASSERT_EQ(App_PKeyDel(weg), DB_OK);
  AppSatz p;
  ASSERT_EQ(App_FetchDnl(p), DB_OK);
  EXPECT_EQ(p.AppApp, "0010");
  EXPECT_EQ(p.AppDwn, "KorrMld");
  EXPECT_EQ(p.AppSedDat + p.AppSedUhr, "20261202150000");
  ASSERT_EQ(App_FetchDnl(p), DB_OK);
  EXPECT_EQ(p.AppApp, "0020");
  EXPECT_EQ(App_FetchDnl(p), DB_NOT_FOUND);
  EXPECT_EQ(p.AppApp, "0020");
  EXPECT_EQ(App_CloseDnl(), DB_OK);
}

// Line 1 serves A..F and H..K, line 2 D..M, line 3 only in its third range.
class DbDnlCfgTest : public DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_EQ(
        Exec(Test_CfgSql({.dta = 2, .prt = "5002", .vn1 = "D", .bi1 = "M", .voll = true}) +
             Test_CfgSql(
                 {.prt = "5001", .vn1 = "A", .bi1 = "F", .vn2 = "H", .bi2 = "K", .voll = true}) +
             Test_CfgSql({.dta = 3,
                          .prt = "5003",
                          .vn1 = "X1",
                          .bi1 = "X2",
                          .vn3 = "P",
                          .bi3 = "R",
                          .voll = true})),
        "");
  }
  // The line numbers that serve `key`, in fetch order.
  std::vector<int> Linien(const std::string& key) {
    std::vector<int> out;
    EXPECT_EQ(Cfg_OpenDnl(key), DB_OK);
    CfgSatz c;
    while (Cfg_FetchDnl(c) == DB_OK) out.push_back(c.CfgDta);
    EXPECT_EQ(Cfg_CloseDnl(), DB_OK);
    return out;
  }
};
QV_DB_TEST_SUITE(DbDnlCfgTest);

TEST_P(DbDnlCfgTest, BothBoundsAreInsideAndTheLowestLineComesFirst) {
  EXPECT_EQ(Linien("A"), (std::vector<int>{1}));     // from-value of range 1
  EXPECT_EQ(Linien("F"), (std::vector<int>{1, 2}));  // to-value of range 1
  EXPECT_EQ(Linien("M"), (std::vector<int>{2}));     // to-value of range 1 of line 2
  EXPECT_EQ(Linien("H"), (std::vector<int>{1, 2}));  // from-value of range 2
  EXPECT_EQ(Linien("K"), (std::vector<int>{1, 2}));
  EXPECT_EQ(Linien("G"), (std::vector<int>{2}));
  EXPECT_EQ(Linien("Mz"), (std::vector<int>{}));  // after "M" as text
  EXPECT_EQ(Linien("B7"), (std::vector<int>{1}));
}

TEST_P(DbDnlCfgTest, ThirdRangeIsNotSearchedAndNoKeyFindsNothing) {
  EXPECT_EQ(Linien("Q"), (std::vector<int>{}));
  EXPECT_EQ(Linien("X1"), (std::vector<int>{3}));
  EXPECT_EQ(Linien(""), (std::vector<int>{}));
}

TEST_P(DbDnlCfgTest, FetchFillsTheWholeLineRowAndLeavesItAtTheEnd) {
  ASSERT_EQ(Cfg_OpenDnl("H"), DB_OK);
  CfgSatz c;
  ASSERT_EQ(Cfg_FetchDnl(c), DB_OK);
  EXPECT_EQ(c.CfgDta, 1);
  EXPECT_EQ(c.CfgIP, "10.0.0.1");
  EXPECT_EQ(c.CfgPrt, "5001");
  EXPECT_EQ(c.CfgBez, "Linie 1");
  EXPECT_EQ(c.CfgVn2, "H");
  EXPECT_EQ(c.CfgBi2, "K");
  EXPECT_EQ(c.CfgBz3, "B3");
  EXPECT_EQ(c.CfgVn3, "");
  EXPECT_EQ(c.CfgErf, "TEST");
  ASSERT_EQ(Cfg_FetchDnl(c), DB_OK);
  EXPECT_EQ(c.CfgDta, 2);
  EXPECT_EQ(Cfg_FetchDnl(c), DB_NOT_FOUND);
  EXPECT_EQ(c.CfgDta, 2);
  EXPECT_EQ(c.CfgIP, "10.0.0.2");
  EXPECT_EQ(Cfg_CloseDnl(), DB_OK);
}

}  // namespace
