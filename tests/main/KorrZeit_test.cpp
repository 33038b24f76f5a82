// Time shift and content change.
#include "main/KorrZeit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/DbDb.h"
#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "main/KorrAuswertung.h"
#include "main/KorrLoop.h"
#include "support/Builders.h"
#include "support/KorrFixture.h"

namespace {

std::vector<std::string> gAusgewertet;
void Merken(const MelSatz& r) {
  gAusgewertet.push_back(r.ObjTyp + ":" + std::to_string(r.KeyBnr) + "/" +
                         std::to_string(r.KeyLfn) + "@" + r.KeyDat + r.KeyUhr);
}

class KorrZeitTest : public KorrTest {
 protected:
  void SetUp() override {
    KorrTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    gAusgewertet.clear();
    Korr_AuswertungenSetzenForTest({Merken, nullptr, Merken, Merken});
    ASSERT_EQ(Exec(Test_FzuStandardSql() + Test_CfgSql() + Test_ApkSql() +
                   Test_AppSql({.sts = 3, .naf = "00000"})),
              "");
  }
  void TearDown() override {
    Korr_AuswertungenZuruecksetzenForTest();
    KorrTest::TearDown();
  }
  MelSatz Zeile(int lfn, const std::string& msk, const std::string& obj, const std::string& fcd,
                const std::string& uhr, const std::string& sek) {
    MelSatz m = Test_Mel({.bnr = 5,
                          .lfn = lfn,
                          .uhr = uhr,
                          .obj = obj,
                          .msk = msk,
                          .pnr = obj == "MPA" ? "P1" : "        ",
                          .fcd = fcd});
    m.KeySek = sek;
    return m;
  }
  std::vector<std::string> Booking() {
    return Rows(
        "select KeyLfn,KeyDat,KeyTnr,MelErf,MelKsb,MelKfc,MelFnr,MelGum,MelFam,MelKgm,MelKfm "
        "from Qvt560Mel where KeyBnr=5 order by KeyLfn");
  }
};
QV_DB_TEST_SUITE(KorrZeitTest);

// A booking of three messages, the work end marked by the clerk with a new
// instant and new quantities.
TEST_P(KorrZeitTest, ShiftMovesTheWholeBookingAndReportsEachRow) {
  MelSatz ae = Zeile(0, "AE", "M_A", "A07", "120000", "99");
  ae.MelAec = "1";
  ae.MelGum = 10;
  ae.MelFam = 1;
  ae.MelKgm = 12;
  ae.MelKfm = 0.5;
  ae.MelKsb = "CLERK1";
  ae.MelKfc = "AEZ";
  MelSatz pe = Zeile(1, "PE", "MPA", "FPE", "120000", "98");
  pe.MelGum = 3;
  pe.MelKgm = 4;  // not marked: its corrected quantities are dropped
  MelSatz am = Zeile(2, "AM", "M_A", "A02", "110000", "50");
  am.MelGum = 6;
  am.MelKgm = 8;
  for (const MelSatz& m : {ae, pe, am}) ASSERT_EQ(Mel_PKeyIns(m), DB_OK);
  // The operation left marked by an earlier run is sent with this one.
  ASSERT_EQ(Exec("update Qvt504App set AppDwn='KorrMld',AppDna='NEU',AppIme=100"), "");

  MelSatz m = ae;  // as the clerk cursor delivers it, with the new instant
  m.KeyDat = "20261130";
  m.KeyUhr = "233000";
  m.KeyTnr = "T-NEU";
  Korr_ZeitVerschiebung(m, FzuSatz{});

  EXPECT_EQ(Booking(), (std::vector<std::string>{
                           "0|2026-11-30 23:30:00|T-NEU|CLERK1|        |   |0|12|0.5|0|0",
                           "1|2026-11-30 23:30:00|T-NEU|TERM01|        |   |0|3|0|0|0",
                           "2|2026-11-30 23:30:00|T-NEU|TERM01|        |   |0|6|0|0|0"}));
  // Rows in the booking's time order (within one instant by KeySek): "+" for
  // each, and before its "+" a "-" for the marked row only (new instant, old
  // quantities).
  EXPECT_EQ(Rows("select PpsLfn,PpsFcd,PpsMdt,PpsMzt,PpsGum,PpsSto from Qvt580Pps "
                 "order by PpsLfn"),
            (std::vector<std::string>{"1|AM|20261130|233000|6|+", "2|PE|20261130|233000|3|+",
                                      "3|AE|20261130|233000|10|-", "4|AE|20261130|233000|12|+"}));
  // The refresh took the quantity difference of the marked row.
  EXPECT_EQ(Rows("select AppIme,AppErf from Qvt504App"), std::vector<std::string>{"102|KorrMld"});
  EXPECT_EQ(Puffer(1).substr(90, 3), "APP") << "the download ran";
  EXPECT_EQ(gAusgewertet,
            (std::vector<std::string>{"M_A:5/2@20261130233000", "MPA:5/1@20261130233000",
                                      "M_A:5/0@20261130233000"}));
  EXPECT_EQ(LogText(), "");
}

TEST_P(KorrZeitTest, ShiftOfARowWithoutQuantitiesDoesNoRefresh) {
  MelSatz pa = Zeile(1, "PA", "MPA", "FPA", "080000", "02");
  pa.MelGum = 2;
  pa.MelKgm = 9;
  pa.MelKsb = "CLERK1";
  pa.MelKfc = "AEZ";
  ASSERT_EQ(Mel_PKeyIns(pa), DB_OK);
  MelSatz m = pa;
  m.KeyUhr = "081500";
  DbFehlerPlan count;
  Db_SetFaultPlanForTest(count);
  Korr_ZeitVerschiebung(m, FzuSatz{});
  // Cursor, update, the "+" record (entry, draw that finds no counter, the
  // counter's creation, insert): no master data.
  EXPECT_EQ(Db_StatementCount(), 1 + 1 + 4);
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Rows("select KeyUhr,MelErf,MelGum,MelKgm from Qvt560Mel"),
            std::vector<std::string>{"2026-12-01 08:15:00|CLERK1|2|0"});
  EXPECT_EQ(Rows("select PpsSto from Qvt580Pps"), std::vector<std::string>{"+"});
}

// Only a row that names a clerk gets him as recorder; an empty identifier is
// no clerk. Every row loses its error number and its pending mark (also one
// of another clerk) but keeps the instant of its correction.
TEST_P(KorrZeitTest, ShiftNamesOnlyARealClerkAndKeepsTheCorrectionInstant) {
  MelSatz pa = Zeile(0, "PA", "MPA", "FPA", "080000", "02");
  pa.MelKsb = "CLERK1";
  pa.MelKfc = "AEZ";
  pa.MelKdt = "20261207090000";
  pa.MelFnr = 2003;
  MelSatz ohne = Zeile(1, "PU", "MPA", "FPU", "090000", "05");
  ohne.MelKsb = "";  // stored as NULL
  ohne.MelKdt = "";
  MelSatz fremd = Zeile(2, "PW", "MPA", "FPW", "100000", "95");
  fremd.MelKsb = "CLERK2";
  fremd.MelKfc = "AEI";
  fremd.MelKdt = "20261206080000";
  fremd.MelFnr = 5010;
  for (const MelSatz& m : {pa, ohne, fremd}) ASSERT_EQ(Mel_PKeyIns(m), DB_OK);
  MelSatz m = pa;
  m.KeyUhr = "081500";
  Korr_ZeitVerschiebung(m, FzuSatz{});
  EXPECT_EQ(Rows("select KeyLfn,KeyUhr,MelErf,MelKsb,MelKfc,MelFnr,MelKdt from Qvt560Mel "
                 "order by KeyLfn"),
            (std::vector<std::string>{
                "0|2026-12-01 08:15:00|CLERK1|        |   |0|2026-12-07 09:00:00",
                "1|2026-12-01 08:15:00|TERM01|        |   |0|<null>",
                "2|2026-12-01 08:15:00|CLERK2|        |   |0|2026-12-06 08:00:00"}));
  EXPECT_EQ(LogText(), "");
}

TEST_P(KorrZeitTest, ShiftWhoseBookingCannotBeReadChangesNothing) {
  MelSatz ae = Zeile(0, "AE", "M_A", "A07", "120000", "99");
  ae.MelKsb = "CLERK1";
  ae.MelKfc = "AEZ";
  ae.MelKgm = 3;
  ASSERT_EQ(Mel_PKeyIns(ae), DB_OK);
  DbFehlerPlan plan;
  plan.operations["Mel_BnrCur"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  MelSatz m = ae;
  m.KeyUhr = "130000";
  Korr_ZeitVerschiebung(m, FzuSatz{});
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Rows("select KeyUhr,MelKsb,MelKfc,MelKgm from Qvt560Mel"),
            std::vector<std::string>{"2026-12-01 12:00:00|CLERK1|AEZ|3"});
  EXPECT_EQ(Rows("select count(*) from Qvt580Pps"), std::vector<std::string>{"0"});
  EXPECT_EQ(Rows("select AppErf from Qvt504App"), std::vector<std::string>{"PLAN"});
  EXPECT_TRUE(gAusgewertet.empty());
  EXPECT_TRUE(Korr_Abgewiesen()) << "the loop leaves the row pending";
  EXPECT_EQ(LogText(), Korr_LogEntry("Mel_BnrCur", "Korr_ZeitVerschiebung", DB_BUSY));
}

TEST_P(KorrZeitTest, FailedUpdateIsLoggedAndTheRowStillReported) {
  MelSatz ae = Zeile(0, "PA", "MPA", "FPA", "120000", "02");
  ae.MelKsb = "CLERK1";
  ae.MelKfc = "AEZ";
  ASSERT_EQ(Mel_PKeyIns(ae), DB_OK);
  DbFehlerPlan plan;
  plan.operations["Mel_PKeyUpdate"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  Korr_ZeitVerschiebung(ae, FzuSatz{});
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(LogText(), Korr_LogEntry("Mel_PKeyUpdate", "Korr_ZeitVerschiebung", DB_BUSY));
  EXPECT_EQ(Rows("select MelKfc from Qvt560Mel"), std::vector<std::string>{"AEZ"});
  EXPECT_EQ(Rows("select PpsSto from Qvt580Pps"), std::vector<std::string>{"+"});
  EXPECT_EQ(gAusgewertet.size(), 1u);
}

TEST_P(KorrZeitTest, ContentChangeTakesOverTheQuantitiesAndMarksTheOrder) {
  MelSatz ae = Zeile(0, "AE", "M_A", "A07", "120000", "99");
  ae.MelAec = "1";
  ae.MelGum = 10;
  ae.MelKgm = 15;
  ae.MelKsb = "CLERK1";
  ae.MelKfc = "AEI";
  ae.MelKdt = "20261207090000";
  ae.KeyTnr = "ALT";
  ASSERT_EQ(Mel_PKeyIns(ae), DB_OK);
  FzuSatz entry;
  entry.FzuUpl = 1;
  Korr_InhaltAendern(ae, entry);
  EXPECT_EQ(Rows("select KeyTnr,MelErf,MelKsb,MelKdt,MelKfc,MelGum,MelKgm from Qvt560Mel"),
            std::vector<std::string>{"T-A1000|CLERK1|        |<null>|   |15|0"});
  EXPECT_EQ(Rows("select PpsLfn,PpsGum,PpsSto from Qvt580Pps order by PpsLfn"),
            (std::vector<std::string>{"1|10|-", "2|15|+"}));
  // Marked "AEN" for download and sent, which released the marks.
  std::string puffer = Puffer(1);
  ASSERT_EQ(puffer.size(), 2 * 552u);
  EXPECT_EQ(puffer.substr(108, 3) + puffer.substr(552 + 108, 3), "AENAEN");
  EXPECT_EQ(Rows("select AppIme,AppSts,AppDwn from Qvt504App"),
            std::vector<std::string>{"5|9|<null>"});
  EXPECT_TRUE(gAusgewertet.empty()) << "a content change runs no evaluation";
  EXPECT_EQ(LogText(), "");
}

TEST_P(KorrZeitTest, ContentChangeOfAKindNotReportedWritesNoRecordAndKeepsThePartNumber) {
  ASSERT_EQ(Exec("update Qvt553Fzu set FzuUpl=0 where FzuMld='AM'; delete from Qvt501Apk"), "");
  MelSatz am = Zeile(0, "AM", "M_A", "A02", "120000", "50");
  am.MelGum = 1;
  am.MelKgm = 2;
  am.MelKsb = "CLERK1";
  am.MelKfc = "AEI";
  am.KeyTnr = "ALT";
  ASSERT_EQ(Mel_PKeyIns(am), DB_OK);
  FzuSatz entry;
  entry.FzuUpl = 0;
  Korr_InhaltAendern(am, entry);
  EXPECT_EQ(Rows("select KeyTnr,MelGum,MelKgm from Qvt560Mel"),
            std::vector<std::string>{"ALT|2|0"});
  EXPECT_EQ(Rows("select count(*) from Qvt580Pps"), std::vector<std::string>{"0"});
  EXPECT_EQ(LogText(), Korr_LogEntry("Apk_PKeyReadk", "StammTab_Akual", 1403));
}

TEST_P(KorrZeitTest, ContentChangeThatCannotBeStoredStopsAfterTheMinusRecord) {
  MelSatz ae = Zeile(0, "AE", "M_A", "A07", "120000", "99");
  ae.MelKsb = "CLERK1";
  ae.MelKfc = "AEI";
  FzuSatz entry;
  entry.FzuUpl = 1;
  Korr_InhaltAendern(ae, entry);  // no such row: nothing, no log
  EXPECT_EQ(LogText(), "");
  ASSERT_EQ(Mel_PKeyIns(ae), DB_OK);
  DbFehlerPlan plan;
  plan.operations["Mel_PKeyUpdate"] = DB_TOO_WIDE;
  Db_SetFaultPlanForTest(plan);
  Korr_InhaltAendern(ae, entry);
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(LogText(), Korr_LogEntry("Mel_PKeyUpdate", "Korr_Inhalt aendern", DB_TOO_WIDE));
  EXPECT_EQ(Rows("select PpsSto from Qvt580Pps"), std::vector<std::string>{"-"});
  EXPECT_EQ(Rows("select AppErf from Qvt504App"), std::vector<std::string>{"PLAN"});
}

}  // namespace
