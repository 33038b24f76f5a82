// Status change, master-data refresh and package step.
#include "main/KorrStatus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/DbDb.h"
#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "support/Builders.h"
#include "support/KorrFixture.h"

namespace {

class KorrStatusTest : public KorrTest {
 protected:
  void SetUp() override {
    KorrTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_EQ(Exec(Test_FzuStandardSql() + Test_CfgSql() + Test_ApkSql() + Test_AppSql({.sts = 3}) +
                   Test_AppSql({.app = "0020", .naf = "00000"})),
              "");
  }
  // An end message "AE" of operation `app` at `uhr`, as the clerk marked it.
  MelSatz Ende(int bnr, const std::string& app, const std::string& uhr, const std::string& aec) {
    MelSatz m = Test_Mel({.bnr = bnr,
                          .uhr = uhr,
                          .msk = "AE",
                          .app = app,
                          .fcd = "A07",
                          .ksb = "CLERK1",
                          .kfc = "STA",
                          .kdt = "20261207120000"});
    m.MelAec = aec;
    m.MelKgm = 5;
    return m;
  }
  std::vector<std::string> App(const std::string& app) {
    return Rows(
        "select AppSts,AppSis,AppEdi,AppIme,AppAme,AppDwn,AppDna,AppErf from Qvt504App "
        "where AppApp='" +
        app + "'");
  }
  std::vector<std::string> Apk() {
    return Rows(
        "select ApkSts,ApkSis,ApkEaf,ApkBdi,ApkEdi,ApkIme,ApkDwn,ApkDna,ApkErf,ApkZf3 "
        "from Qvt501Apk");
  }
  std::vector<std::string> Mel(int bnr) {
    return Rows(
        "select MelAec,MelFnr,MelErf,MelKsb,MelKfc,MelKdt,MelKgm from Qvt560Mel "
        "where KeyBnr=" +
        std::to_string(bnr));
  }
};
QV_DB_TEST_SUITE(KorrStatusTest);

TEST_P(KorrStatusTest, OpenMarkIsClosedWhenNoLaterMessageAndTheLastOperationFinishesTheOrder) {
  MelSatz m = Ende(1, "0020", "150000", "0");
  ASSERT_EQ(Mel_PKeyIns(m), DB_OK);
  // A later message at another operation does not count.
  MelSatz other = Test_Mel({.bnr = 2, .uhr = "160000"});
  ASSERT_EQ(Mel_PKeyIns(other), DB_OK);
  Korr_Statusaenderung(m, FzuSatz{});

  EXPECT_EQ(Mel(1), std::vector<std::string>{"1|0|CLERK1|        |   |<null>|0"});
  // Operation and order finished (the last operation counts twice), the
  // order's end set; both marked and then downloaded, which releases them.
  EXPECT_EQ(App("0020"),
            std::vector<std::string>{"9|0|2026-12-01 15:00:00|0|0|<null>|<null>|KorrMld"});
  EXPECT_EQ(Apk(), std::vector<std::string>{"9|1|2|<null>|2026-12-01 15:00:00|0|<null>|<null>|"
                                            "KorrMld|Zusatz drei"});
  std::string puffer = Puffer(1);
  ASSERT_EQ(puffer.size(), 2 * 552u);
  EXPECT_EQ(puffer.substr(90, 3) + puffer.substr(108, 3), "APKSTA");
  EXPECT_EQ(puffer.substr(552 + 90, 3) + puffer.substr(552 + 108, 3), "APPSTA");
  EXPECT_EQ(puffer.substr(111 + 191, 1), "9") << "order status in the header image";
  // One "+" record with quantities 0.
  EXPECT_EQ(Rows("select PpsLfn,PpsFcd,PpsSts,PpsSto,PpsGum from Qvt580Pps"),
            std::vector<std::string>{"1|AE|9|+|0"});
  EXPECT_EQ(LogText(), "");
}

TEST_P(KorrStatusTest, ClosedMarkIsOpenedWithoutCheckAndReopensTheOperation) {
  MelSatz m = Ende(1, "0010", "150000", "1");
  ASSERT_EQ(Mel_PKeyIns(m), DB_OK);
  MelSatz later = Test_Mel({.bnr = 2, .uhr = "160000"});
  later.KeyApp = "0010";
  ASSERT_EQ(Mel_PKeyIns(later), DB_OK);
  Korr_Statusaenderung(m, FzuSatz{});
  EXPECT_EQ(Mel(1), std::vector<std::string>{"0|0|CLERK1|        |   |<null>|0"});
  EXPECT_EQ(App("0010"),
            std::vector<std::string>{"6|0|2026-12-01 15:00:00|0|0|<null>|<null>|KorrMld"});
  EXPECT_EQ(Rows("select ApkSts,ApkEaf from Qvt501Apk"), std::vector<std::string>{"3|0"});
  EXPECT_EQ(Rows("select PpsFcd,PpsSts,PpsSto from Qvt580Pps"), std::vector<std::string>{"AT|6|+"});
  EXPECT_EQ(Puffer(1).size(), 2 * 552u);
}

TEST_P(KorrStatusTest, RefusedStatusChangeStoresTheErrorAndDoesNothingElse) {
  MelSatz m = Ende(1, "0010", "150000", "0");
  ASSERT_EQ(Mel_PKeyIns(m), DB_OK);
  MelSatz later = Test_Mel({.bnr = 2, .uhr = "150001"});
  later.KeyApp = "0010";
  ASSERT_EQ(Mel_PKeyIns(later), DB_OK);
  std::vector<std::string> app = App("0010"), apk = Apk();
  Korr_Statusaenderung(m, FzuSatz{});
  EXPECT_EQ(Mel(1), std::vector<std::string>{"0|2003|CLERK1|        |   |<null>|0"});
  EXPECT_EQ(App("0010"), app);
  EXPECT_EQ(Apk(), apk);
  EXPECT_EQ(Rows("select count(*) from Qvt580Pps"), std::vector<std::string>{"0"});
  EXPECT_EQ(Puffer(1), "") << "no download";
  EXPECT_EQ(LogText(), "");
}

// The closing check answers "no later message" only when its cursor says so;
// a failed fetch refuses the closing like a failed open.
TEST_P(KorrStatusTest, ClosingCheckThatCannotFetchNeverCloses) {
  MelSatz m = Ende(1, "0020", "150000", "0");
  ASSERT_EQ(Mel_PKeyIns(m), DB_OK);
  EXPECT_EQ(Mel_NachherPruefen(m), 1);
  DbFehlerPlan plan;
  plan.operations["Mel_NachherCur.Fetch"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Mel_NachherPruefen(m), DB_BUSY);
  Korr_Statusaenderung(m, FzuSatz{});
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Mel(1), std::vector<std::string>{"0|2003|CLERK1|        |   |<null>|0"});
  EXPECT_EQ(Rows("select AppSts from Qvt504App where AppApp='0020'"),
            std::vector<std::string>{"1"});

  // The refresh of a closing end keeps the operation open as well.
  m.MelAec = "1";
  Db_SetFaultPlanForTest(plan);
  StammTab_Akual(m);
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Rows("select AppSts from Qvt504App where AppApp='0020'"),
            std::vector<std::string>{"6"});
  EXPECT_EQ(Rows("select ApkSts,ApkEaf from Qvt501Apk"), std::vector<std::string>{"3|0"});
}

TEST_P(KorrStatusTest, MissingMessageEndsSilentlyAndFailedUpdateIsLogged) {
  MelSatz m = Ende(1, "0010", "150000", "0");
  Korr_Statusaenderung(m, FzuSatz{});
  EXPECT_EQ(LogText(), "");
  ASSERT_EQ(Mel_PKeyIns(m), DB_OK);
  DbFehlerPlan plan;
  plan.operations["Mel_PKeyUpdate"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  Korr_Statusaenderung(m, FzuSatz{});
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(LogText(), Korr_LogEntry("Mel_PKeyUpdate", "Korr_Statusaenderung", DB_BUSY));
  EXPECT_EQ(Mel(1), std::vector<std::string>{"0|0|TERM01|CLERK1|STA|2026-12-07 12:00:00|5"});
  EXPECT_EQ(Rows("select count(*) from Qvt580Pps"), std::vector<std::string>{"0"});
}

TEST_P(KorrStatusTest, PersonMessageChangesNoMasterData) {
  MelSatz m = Ende(1, "0010", "150000", "1");
  m.ObjTyp = "MPA";
  std::vector<std::string> app = App("0010"), apk = Apk();
  DbFehlerPlan count;
  Db_SetFaultPlanForTest(count);
  StammTab_Akual(m);
  EXPECT_EQ(Db_StatementCount(), 0);
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(App("0010"), app);
  EXPECT_EQ(Apk(), apk);
}

TEST_P(KorrStatusTest, QuantityDifferenceIsAddedToTheOperation) {
  ASSERT_EQ(Exec("update Qvt504App set AppSts=1,AppIme=40,AppAme=3 where AppApp='0010'"), "");
  MelSatz m = Test_Mel();
  m.MelMsk = "AM";
  m.MelFcd = "A02";
  m.MelGum = 10;
  m.MelKgm = 12;
  m.MelFam = 2;
  m.MelKfm = 1;
  StammTab_Akual(m);
  EXPECT_EQ(App("0010"), std::vector<std::string>{"2|1|<null>|42|2|<null>|<null>|KorrMld"});
  EXPECT_EQ(Rows("select ApkIme from Qvt501Apk"), std::vector<std::string>{"0"})
      << "the order's quantity follows only a closing message";
  m.MelMsk = "RE";
  m.MelFcd = "A06";
  m.MelAec = "1";
  StammTab_Akual(m);
  EXPECT_EQ(Rows("select AppIme,AppAme from Qvt504App where AppApp='0010'"),
            std::vector<std::string>{"44|1"});
  EXPECT_EQ(Rows("select ApkIme from Qvt501Apk"), std::vector<std::string>{"44"});
  m.MelFcd = "A03";  // no quantities for other codes
  StammTab_Akual(m);
  EXPECT_EQ(Rows("select AppIme from Qvt504App where AppApp='0010'"),
            std::vector<std::string>{"44"});
}

TEST_P(KorrStatusTest, BeginIsMovedOnlyBackAndStatusOnlyUp) {
  ASSERT_EQ(Exec("update Qvt501Apk set ApkSts=0"), "");
  MelSatz m = Test_Mel({.dat = "20261202"});
  m.MelFcd = "A01";
  StammTab_Akual(m);  // no begin yet: the message's
  EXPECT_EQ(Rows("select ApkSts,ApkSis,ApkBdi from Qvt501Apk"),
            std::vector<std::string>{"1|0|2026-12-02 08:00:00"});
  m.KeyUhr = "070000";
  m.MelFcd = "A03";
  StammTab_Akual(m);
  EXPECT_EQ(Rows("select ApkSts,ApkSis,ApkBdi from Qvt501Apk"),
            std::vector<std::string>{"3|1|2026-12-02 07:00:00"});
  m.KeyDat = "20261203";
  m.KeyUhr = "060000";
  m.MelFcd = "A01";
  StammTab_Akual(m);
  EXPECT_EQ(Rows("select ApkSts,ApkSis,ApkBdi from Qvt501Apk"),
            std::vector<std::string>{"3|1|2026-12-02 07:00:00"});
  // Interruption and resumption of the operation.
  m.MelFcd = "A04";
  StammTab_Akual(m);
  EXPECT_EQ(Rows("select AppSts,AppSis from Qvt504App where AppApp='0010'"),
            std::vector<std::string>{"4|3"});
  m.MelFcd = "A05";
  StammTab_Akual(m);
  EXPECT_EQ(Rows("select AppSts,AppSis from Qvt504App where AppApp='0010'"),
            std::vector<std::string>{"3|3"});
  // Only "STA" and "AEI" corrections mark the rows for download.
  EXPECT_EQ(Rows("select count(*) from Qvt501Apk where ApkDwn is not null"),
            std::vector<std::string>{"0"});
  m.MelKfc = "AEI";
  StammTab_Akual(m);
  EXPECT_EQ(Rows("select ApkDwn,ApkDna from Qvt501Apk"), std::vector<std::string>{"KorrMld|AEN"});
  EXPECT_EQ(Rows("select AppDwn,AppDna from Qvt504App where AppApp='0010'"),
            std::vector<std::string>{"KorrMld|AEN"});
}

TEST_P(KorrStatusTest, AllOperationsModeFinishesTheOrderWithTheLastCount) {
  ASSERT_EQ(Exec("update Qvt501Apk set ApkAba=2,ApkAfo=2,ApkEaf=1,ApkSts=3"), "");
  MelSatz m = Ende(1, "0010", "150000", "1");
  StammTab_Akual(m);
  EXPECT_EQ(Rows("select ApkSts,ApkSis,ApkEaf,ApkEdi from Qvt501Apk"),
            std::vector<std::string>{"9|3|2|<null>"});
  EXPECT_EQ(Rows("select AppSts from Qvt504App where AppApp='0010'"),
            std::vector<std::string>{"9"});
}

TEST_P(KorrStatusTest, MissingOrderIsLoggedAndTheOperationStillRefreshed) {
  ASSERT_EQ(Exec("delete from Qvt501Apk"), "");
  MelSatz m = Ende(1, "0010", "150000", "1");
  StammTab_Akual(m);
  m.KeyApp = "0099";
  ASSERT_EQ(Exec(Test_ApkSql()), "");
  StammTab_Akual(m);
  EXPECT_EQ(LogText(), Korr_LogEntry("Apk_PKeyReadk", "StammTab_Akual", 1403) +
                           Korr_LogEntry("App_PKeyReadk", "StammTab_Akual", 1403));
  EXPECT_EQ(Rows("select AppSts,AppErf from Qvt504App where AppApp='0010'"),
            std::vector<std::string>{"9|KorrMld"});
  EXPECT_EQ(Rows("select ApkEaf,ApkErf from Qvt501Apk"), std::vector<std::string>{"1|KorrMld"});
}

TEST_P(KorrStatusTest, FinishedPackageHeadPassesItsStateToThePackage) {
  // Head 0010 of order A1000 and two package operations in other orders.
  ASSERT_EQ(
      Exec("update Qvt504App set AppZf2='*PKT_KOPF* head',AppBdi='2026-12-01 06:00:00' "
           "where AppApp='0010';" +
           Test_ApkSql({.apk = "B1", .sts = 3, .afo = 1}) +
           Test_AppSql(
               {.apk = "B1", .sts = 3, .naf = "00000", .zf2 = "       A1000 0010             "}) +
           Test_ApkSql({.apk = "B2", .sts = 3, .eaf = 1, .aba = 2}) +
           Test_AppSql({.apk = "B2",
                        .app = "0030",
                        .sts = 3,
                        .naf = "00040",
                        .zf2 = "       A1000 0010             "}) +
           "update Qvt504App set AppIme=7 where AppApk='B1';"
           "update Qvt504App set AppIme=8 where AppApk='B2';"),
      "");
  MelSatz m = Ende(1, "0010", "150000", "1");
  m.MelKfc = "STA";
  StammTab_Akual(m);
  EXPECT_EQ(Rows("select AppApk,AppSts,AppBdi,AppEdi,AppDwn,AppDna,AppZf3 from Qvt504App "
                 "where AppApk<>'A1000' order by AppApk"),
            (std::vector<std::string>{
                "B1|9|2026-12-01 06:00:00|2026-12-01 15:00:00|KorrMld|STA|Dowatz drei",
                "B2|9|2026-12-01 06:00:00|2026-12-01 15:00:00|KorrMld|STA|Dowatz drei"}));
  // B1 (closing mode 1, last operation) counts twice and is finished; B2
  // (mode 2) has all its operations finished and goes to the other job.
  EXPECT_EQ(Rows("select ApkApk,ApkSts,ApkSis,ApkEaf,ApkEdi,ApkIme,ApkDwn,ApkDna,ApkZf3 "
                 "from Qvt501Apk where ApkApk<>'A1000' order by ApkApk"),
            (std::vector<std::string>{"B1|9|3|2|2026-12-01 15:00:00|7|KorrMld|STA|Dowatz drei",
                                      "B2|9|3|2|<null>|8|MldToNza|STA|Dowatz drei"}));
  // Each package operation is reported "-" and "+" with its own key and quantity.
  EXPECT_EQ(Rows("select PpsLfn,PpsApk,PpsApp,PpsGum,PpsSto from Qvt580Pps order by PpsLfn"),
            (std::vector<std::string>{"1|B1|0010|7|-", "2|B1|0010|7|+", "3|B2|0030|8|-",
                                      "4|B2|0030|8|+"}));
  EXPECT_EQ(LogText(), "");
}

TEST_P(KorrStatusTest, RunningPackageProgramIsPassedOnWithoutQuantities) {
  ASSERT_EQ(
      Exec("update Qvt504App set AppZf2='*PKT_PROG*' where AppApp='0010';" +
           Test_ApkSql({.apk = "B1", .sts = 3, .afo = 1}) +
           Test_AppSql({.apk = "B1", .naf = "00000", .zf2 = "       A1000 0010             "})),
      "");
  MelSatz m = Test_Mel();
  m.MelFcd = "A04";
  m.MelGum = 5;
  StammTab_Akual(m);
  EXPECT_EQ(Rows("select AppSts,AppDwn from Qvt504App where AppApk='B1'"),
            std::vector<std::string>{"4|KorrMld"});
  EXPECT_EQ(Rows("select ApkEaf,ApkSts from Qvt501Apk where ApkApk='B1'"),
            std::vector<std::string>{"0|3"});
  EXPECT_EQ(Rows("select PpsApk,PpsGum,PpsSto from Qvt580Pps order by PpsLfn"),
            (std::vector<std::string>{"B1|0|-", "B1|0|+"}));
  // A head that is not finished starts no package step.
  ASSERT_EQ(Exec("update Qvt504App set AppZf2='*PKT_KOPF*' where AppApp='0010'"), "");
  StammTab_Akual(m);
  EXPECT_EQ(Rows("select count(*) from Qvt580Pps"), std::vector<std::string>{"2"});
}

}  // namespace
