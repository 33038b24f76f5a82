// Re-evaluation markers.
#include "main/KorrMerker.h"

#include <gtest/gtest.h>

#include "db/DbDb.h"
#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "support/Builders.h"
#include "support/KorrFixture.h"

namespace {

class KorrMerkerTest : public KorrTest {
 protected:
  std::vector<std::string> Markers() {
    return Rows(
        "select MrkKng,MrkApl,MrkApk,MrkApp,MrkPnr,MrkMdt,MrkObj,MrkBnr from Qvt563Mrk "
        "order by MrkKng,MrkApl,MrkApk,MrkApp,MrkPnr");
  }
  MelSatz Person(const std::string& dat, const std::string& uhr) {
    return Test_Mel({.dat = dat, .uhr = uhr, .obj = "MPA", .pnr = "P0000001"});
  }
};
QV_DB_TEST_SUITE(KorrMerkerTest);

TEST_P(KorrMerkerTest, EachKindHasItsKeyAndFollowsItsParameter) {
  for (int k : {1, 3, 4, 9}) Parameter(k, 0, 1);
  Korr_Merker(Person("20261201", "080000"));
  EXPECT_EQ(Markers(), (std::vector<std::string>{
                           "LZM|APL01|000000000000|00000|00000000|2026-12-01 08:00:00|MPA|0",
                           "NZA|0000000000|A1000|0010|00000000|2026-12-01 08:00:00|MPA|0",
                           "NZM|20261201|000000000000|00000|P0000001|2026-12-01 08:00:00|MPA|0",
                           "PRF|APL01|A1000|0010|P0000001|2026-12-01 08:00:00|MPA|0"}));
  EXPECT_EQ(LogText(), "");
}

TEST_P(KorrMerkerTest, NoParameterNoMarker) {
  Parameter(1, 1, 0);  // evaluation on, markers off
  Parameter(3, 0, 1);
  Korr_Merker(Person("20261201", "080000"));
  EXPECT_EQ(Markers(), std::vector<std::string>{
                           "NZA|0000000000|A1000|0010|00000000|2026-12-01 08:00:00|MPA|0"});
}

TEST_P(KorrMerkerTest, CheckMarkerKeyByObjectType) {
  Parameter(9, 0, 1);
  MelSatz m = Person("20261201", "080000");
  m.ObjTyp = "M_A";
  Korr_Merker(m);
  m.ObjTyp = "M__";
  Korr_Merker(m);
  m.ObjTyp = "MP";  // any other type keeps the whole key
  m.KeyPnr = "P0000002";
  Korr_Merker(m);
  EXPECT_EQ(Markers(), (std::vector<std::string>{
                           "PRF|0000000000|000000000000|0010|00000000|2026-12-01 08:00:00|M__|0",
                           "PRF|APL01|A1000|0010|00000000|2026-12-01 08:00:00|M_A|0",
                           "PRF|APL01|A1000|0010|P0000002|2026-12-01 08:00:00|MP|0"}));
}

TEST_P(KorrMerkerTest, MarkerKeepsTheEarliestInstant) {
  Parameter(1, 0, 1);
  Korr_Merker(Person("20261201", "100000"));
  // The earlier message of the same person and day moves the marker back.
  Korr_Merker(Person("20261201", "073000"));
  // A later one leaves it, and writes nothing.
  DbFehlerPlan count;
  Db_SetFaultPlanForTest(count);
  Korr_Merker(Person("20261201", "120000"));
  EXPECT_EQ(Db_StatementCount(), 1) << "only the read";
  Db_ClearFaultPlanForTest();
  // The same instant leaves it too.
  Korr_Merker(Person("20261201", "073000"));
  // Another day is another marker.
  Korr_Merker(Person("20261202", "060000"));
  EXPECT_EQ(
      Rows("select MrkApl,MrkMdt from Qvt563Mrk order by MrkApl"),
      (std::vector<std::string>{"20261201|2026-12-01 07:30:00", "20261202|2026-12-02 06:00:00"}));
  EXPECT_EQ(LogText(), "");
}

TEST_P(KorrMerkerTest, FailuresAreLoggedWithTheTextsOfEachStep) {
  for (int k : {1, 3, 4, 9}) Parameter(k, 0, 1);
  DbFehlerPlan plan;
  plan.operations["Mrk_PKeyIns"] = DB_DUP_KEY;
  Db_SetFaultPlanForTest(plan);
  Korr_Merker(Person("20261201", "080000"));
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(LogText(), Korr_LogEntry("Mrk_PkeyIns", "Get_MerkNZM", -1) +
                           Korr_LogEntry("Mrk_PKeyIns", "Get_MerkPRF", -1) +
                           Korr_LogEntry("Mrk_PKEyIns", "Get_MerkNZA", -1) +
                           Korr_LogEntry("Mrk_PKeyIns", "Get_MerkLZA", -1));
  EXPECT_EQ(Markers().size(), 0u);

  Korr_Merker(Person("20261201", "080000"));
  plan.operations.clear();
  plan.operations["Mrk_PKeyUpd"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  Korr_Merker(Person("20261201", "070000"));
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(LogText(), Korr_LogEntry("Mrk_PkeyIns", "Get_MerkNZM", -1) +
                           Korr_LogEntry("Mrk_PKeyIns", "Get_MerkPRF", -1) +
                           Korr_LogEntry("Mrk_PKEyIns", "Get_MerkNZA", -1) +
                           Korr_LogEntry("Mrk_PKeyIns", "Get_MerkLZA", -1) +
                           Korr_LogEntry("Mrk_PKeyUpd", "Get_MerkNZM", DB_BUSY) +
                           Korr_LogEntry("Mrk_PKeyUpd", "Get_MerkPRF", DB_BUSY) +
                           Korr_LogEntry("Mrk_PKeyUpd", "Get_MerkNZA", DB_BUSY) +
                           Korr_LogEntry("Mrk_PKeyUpd", "Get_MerkLZA", DB_BUSY));
  EXPECT_EQ(Rows("select distinct MrkMdt from Qvt563Mrk"),
            std::vector<std::string>{"2026-12-01 08:00:00"});
}

// A marker that cannot be read counts as missing: the insert then meets the
// existing marker, is refused by the database and logged; the marker stays.
TEST_P(KorrMerkerTest, UnreadableMarkerMeetsTheExistingOneAndIsLogged) {
  Parameter(3, 0, 1);
  Korr_Merker(Person("20261201", "080000"));
  DbFehlerPlan plan;
  plan.operations["Mrk_PKeyReadk"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  Korr_Merker(Person("20261201", "070000"));
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(LogText(), Korr_LogEntry("Mrk_PKEyIns", "Get_MerkNZA", DB_DUP_KEY));
  EXPECT_EQ(Markers(), std::vector<std::string>{
                           "NZA|0000000000|A1000|0010|00000000|2026-12-01 08:00:00|MPA|0"});
  // The session goes on: the next earlier message moves the marker.
  Korr_Merker(Person("20261201", "060000"));
  EXPECT_EQ(Rows("select MrkMdt from Qvt563Mrk"), std::vector<std::string>{"2026-12-01 06:00:00"});
}

}  // namespace
