// Evaluation dispatch and download trigger.
#include "main/KorrAuswertung.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "support/Builders.h"
#include "support/KorrFixture.h"

namespace {

std::vector<std::string> gAufrufe;

void Mpa(const MelSatz& r) {
  gAufrufe.push_back("Mpa:" + r.ObjTyp + ":" + std::to_string(r.KeyBnr));
}
void Arbeitszeit(const MelSatz& r) {
  gAufrufe.push_back("Az:" + std::to_string(r.KeyBnr));
}
void Lza(const MelSatz& r) {
  gAufrufe.push_back("Lza:" + std::to_string(r.KeyBnr));
}
void Dlz(const MelSatz& r) {
  gAufrufe.push_back("Dlz:" + std::to_string(r.KeyBnr));
}

class KorrAuswertungTest : public KorrTest {
 protected:
  void SetUp() override {
    KorrTest::SetUp();
    gAufrufe.clear();
    Korr_AuswertungenSetzenForTest({Mpa, Arbeitszeit, Lza, Dlz});
  }
  void TearDown() override {
    Korr_AuswertungenZuruecksetzenForTest();
    KorrTest::TearDown();
  }
  void Dispatch(const std::string& obj, int bnr) {
    MelSatz m = Test_Mel({.bnr = bnr});
    m.ObjTyp = obj;
    Korr_Auswertung(m);
  }
};
QV_DB_TEST_SUITE(KorrAuswertungTest);

TEST_P(KorrAuswertungTest, ObjectTypeChoosesTheEvaluation) {
  Dispatch("MPA", 1);
  Dispatch("M_A", 2);
  Dispatch("M__", 3);
  for (const char* other : {"MP", "", "mpa", "MPA ", "M_"}) Dispatch(other, 9);
  EXPECT_EQ(gAufrufe, (std::vector<std::string>{"Mpa:MPA:1", "Lza:2", "Dlz:3"}));
}

TEST_P(KorrAuswertungTest, WorkTimeFollowsThePersonEvaluationOnlyWithParameterSeven) {
  Parameter(5, 1, 1);  // another key changes nothing
  Dispatch("MPA", 1);
  Parameter(7, 1, 0);
  Dispatch("MPA", 2);
  EXPECT_EQ(gAufrufe, (std::vector<std::string>{"Mpa:MPA:1", "Mpa:MPA:2", "Az:2"}));
}

TEST_P(KorrAuswertungTest, DownloadSendsMarkedHeadersAndOperations) {
  ASSERT_EQ(
      Exec(Test_CfgSql({.dta = 3}) + Test_ApkSql() + Test_ApkSql({.apk = "A2000"}) + Test_AppSql() +
           "update Qvt501Apk set ApkDwn='KorrMld',ApkDna='STA' where ApkApk='A1000';"
           "update Qvt504App set AppDwn='KorrMld',AppDna='STA';"),
      "");
  Get_Download();
  std::string puffer = Puffer(3);
  ASSERT_EQ(puffer.size(), 2 * 552u);
  EXPECT_EQ(puffer.substr(90, 3), "APK");
  EXPECT_EQ(puffer.substr(93, 12), "261208101500") << "run date yymmdd and time";
  EXPECT_EQ(puffer.substr(108, 3 + 12), "STAA1000       ");
  EXPECT_EQ(puffer.substr(552 + 90, 3), "APP");
  EXPECT_EQ(Rows("select ApkApk,ApkDwn,ApkDna from Qvt501Apk order by ApkApk"),
            (std::vector<std::string>{"A1000|<null>|<null>", "A2000|<null>|<null>"}));
  EXPECT_EQ(Rows("select AppDwn,AppDna from Qvt504App"), std::vector<std::string>{"<null>|<null>"});
  EXPECT_EQ(LogText(), "");
}

TEST_P(KorrAuswertungTest, DownloadRunsBothEvenWhenNothingIsMarkedOrOneFails) {
  DbFehlerPlan count;
  Db_SetFaultPlanForTest(count);
  Get_Download();
  EXPECT_EQ(Db_StatementCount(), 2) << "both cursors are opened";
  Db_ClearFaultPlanForTest();

  DbFehlerPlan plan;
  plan.operations["Apk_OpenDnl"] = DB_NOT_CONNECTED;
  plan.operations["App_OpenDnl"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  Get_Download();
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(
      LogText(),
      Korr_LogEntry("fehlerhafte Apk_OpenDnl", "Apk_Dnl", DB_NOT_CONNECTED) +
          Korr_LogEntry("Download->APK fehlerhaft beendet", "Get_Download", DB_NOT_CONNECTED) +
          Korr_LogEntry("fehlerhafte App_OpenDnl", "App_Dnl", DB_BUSY) +
          Korr_LogEntry("Download->APP fehlerhaft beendet", "Get_Download", DB_BUSY));
}

}  // namespace
