// Event walk: segments, accumulators and the kind-4, kind-3 and outside rows.
#include "eval/runtime/LzaWalk.h"

#include <gtest/gtest.h>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "eval/runtime/LzaFixture.h"
#include "support/Builders.h"

namespace {

const char* const kFrueh = "Frueh";

class LzaWalkTest : public LzaTest {
 protected:
  void Ablauf() {
    NzaSatz arbeit = Test_Nza({.sa = 4, .pnr = "        "});
    Lza_M_A_Ablauf(kLzaStempel, arbeit);
  }
  // A shift "Frueh" on `dat` from `von` to `bis`.
  void Kommen(const std::string& dat, const std::string& von) { Eintrag("KM", dat, von, kFrueh); }
  void Gehen(const std::string& dat, const std::string& bis) { Eintrag("GH", dat, bis, kFrueh); }
};
QV_DB_TEST_SUITE(LzaWalkTest);

TEST_P(LzaWalkTest, SetupAndWorkInsideOneShift) {
  Kommen("20261201", "060000");
  Eintrag("RB", "20261201", "061000");
  Eintrag("RE", "20261201", "064000");
  Eintrag("AB", "20261201", "064000");
  Eintrag("AE", "20261201", "080000");
  Gehen("20261201", "140000");
  Ablauf();
  // 06:00 to 06:10 and 08:00 to 14:00 are booked nowhere.
  EXPECT_EQ(Kopf(4), LzaZeilen{"APL01|Frueh|2026-12-01 06:00:00|2026-12-01 14:00:00|BG|EG|0000|"
                               "M1|AT|2026|49|2|335|LzaStd|T-A1000"});
  EXPECT_EQ(Dauern(4), LzaZeilen{"Frueh 2026-12-01 06:00:00: Nzr=30 Bzr=30 Nza=80 BzA=80"});
  EXPECT_EQ(NichtNull(4), LzaZeilen{});
  EXPECT_EQ(Rows("select NzaMaz from Qvt590Nza"), LzaZeilen{"0"});
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza where NzaSa<>4"), LzaZeilen{"0"});
  EXPECT_EQ(LogText(), "");
}

TEST_P(LzaWalkTest, WorkThroughABreakCountsAsPauseNotAsNetTime) {
  Kommen("20261201", "060000");
  Eintrag("AB", "20261201", "070000");
  Eintrag("BP", "20261201", "090000", kFrueh);
  Eintrag("EP", "20261201", "091500", kFrueh);
  Eintrag("AE", "20261201", "100030");
  Gehen("20261201", "140000");
  Ablauf();
  // 07:00-09:00 and 09:15-10:00:30 net, 09:00-09:15 a break of the work.
  EXPECT_EQ(Dauern(4), LzaZeilen{"Frueh 2026-12-01 06:00:00: Nza=165.3 BzA=180.3 Pza=15"});
}

TEST_P(LzaWalkTest, EverySwitchCombinationOfWorkBooksItsColumns) {
  Parameter(5, 1, 0);
  Kommen("20261201", "060000");
  Eintrag("AB", "20261201", "060000");
  Eintrag("AU", "20261201", "061000", "        ", "U7");
  Eintrag("BP", "20261201", "062000", kFrueh);
  Eintrag("EP", "20261201", "063000", kFrueh);
  Eintrag("AW", "20261201", "064000");
  Eintrag("AE", "20261201", "070000");
  Gehen("20261201", "140000");
  Ablauf();
  // W 06:00-06:10 and 06:40-07:00; W+I 06:10-06:20 and 06:30-06:40;
  // W+P+I 06:20-06:30.
  EXPECT_EQ(Dauern(4), LzaZeilen{"Frueh 2026-12-01 06:00:00: Nza=30 BzA=30 Uza=20 Nzu=20 "
                                 "Bzu=30 Pzu=10"});
  // The interruption: I1 = I3 = 20, I4 = 30, I6 = 10; Ubz = I4 + I7 + I2.
  EXPECT_EQ(Kopf(3), LzaZeilen{"APL01|        |2026-12-01 06:10:00|2026-12-01 06:40:00|BG|EG|U7|"
                               "<null>|<null>|<null>|0|0|0|LzaStd|T-A1000"});
  EXPECT_EQ(Dauern(3),
            LzaZeilen{"         2026-12-01 06:10:00: Uza=20 Nzu=20 Bzu=30 Pzu=10 Ubz=30"});
  EXPECT_EQ(NichtNull(3), LzaZeilen{});
  EXPECT_EQ(LogText(), "");
}

TEST_P(LzaWalkTest, EverySwitchCombinationOfSetupBooksItsColumns) {
  Parameter(5, 1, 0);
  Kommen("20261201", "060000");
  Eintrag("RB", "20261201", "060000");
  Eintrag("AU", "20261201", "061000", "        ", "U8");
  Eintrag("BP", "20261201", "062000", kFrueh);
  Eintrag("EP", "20261201", "063000", kFrueh);
  Eintrag("AW", "20261201", "064000");
  Eintrag("BP", "20261201", "065000", kFrueh);
  Eintrag("EP", "20261201", "065500", kFrueh);
  Eintrag("RE", "20261201", "070000");
  Gehen("20261201", "140000");
  Ablauf();
  // S 06:00-06:10, 06:40-06:50, 06:55-07:00; S+I 06:10-06:20, 06:30-06:40;
  // S+P+I 06:20-06:30; S+P 06:50-06:55.
  EXPECT_EQ(Dauern(4), LzaZeilen{"Frueh 2026-12-01 06:00:00: Nzr=25 Bzr=30 Uzr=20 Pzr=5 Rf1=10"});
  // I2 = 20, I7 = 10.
  EXPECT_EQ(Dauern(3), LzaZeilen{"         2026-12-01 06:10:00: Uzr=20 Ubz=30 Rf1=10"});
}

TEST_P(LzaWalkTest, InterruptionRowsOnlyWithParameterFive) {
  Kommen("20261201", "060000");
  Eintrag("AB", "20261201", "070000");
  Eintrag("AU", "20261201", "080000", "        ", "U7");
  Eintrag("AW", "20261201", "083000");
  Eintrag("AE", "20261201", "090000");
  Gehen("20261201", "140000");
  Ablauf();
  EXPECT_EQ(Kopf(3), LzaZeilen{});
  EXPECT_EQ(Dauern(4), LzaZeilen{"Frueh 2026-12-01 06:00:00: Nza=90 BzA=90 Uza=30 Nzu=30 Bzu=30"});
}

TEST_P(LzaWalkTest, InterruptionAcrossTheShiftEndKeepsBothParts) {
  Parameter(5, 1, 0);
  Kommen("20261201", "060000");
  Eintrag("AB", "20261201", "130000");
  Eintrag("AU", "20261201", "133000", "        ", "U7");
  Gehen("20261201", "140000");
  Eintrag("AW", "20261201", "142000");
  Eintrag("AE", "20261201", "144000");
  Ablauf();
  // 30 minutes inside the shift and 20 after it.
  EXPECT_EQ(Dauern(3), LzaZeilen{"         2026-12-01 13:30:00: Uza=50 Nzu=50 Bzu=50 Ubz=50"});
  // The shift row holds its part; the time after the shift lands in the
  // day's outside row.
  EXPECT_EQ(Dauern(4),
            (LzaZeilen{"00:0024:00 2026-12-01 00:00:00: Nza=20 BzA=20 Uza=20 Nzu=20 "
                       "Bzu=20",
                       "Frueh 2026-12-01 06:00:00: Nza=30 BzA=30 Uza=30 Nzu=30 Bzu=30"}));
}

TEST_P(LzaWalkTest, ResumptionWithoutInterruptionWritesNoInterruptionRow) {
  Parameter(5, 1, 0);
  Kommen("20261201", "060000");
  Eintrag("AB", "20261201", "070000");
  Eintrag("AU", "20261201", "080000", "        ", "U7");
  Eintrag("AW", "20261201", "083000");
  Eintrag("AW", "20261201", "084000");  // while working: closes no interruption
  Eintrag("AE", "20261201", "090000");
  Gehen("20261201", "140000");
  Eintrag("AW", "20261201", "150000");  // with every switch off
  Ablauf();
  EXPECT_EQ(Rows("select NzaDtm,NzaEdt from Qvt590Nza where NzaSa=3"),
            LzaZeilen{"2026-12-01 08:00:00|2026-12-01 08:30:00"});
  EXPECT_EQ(Dauern(4), LzaZeilen{"Frueh 2026-12-01 06:00:00: Nza=90 BzA=90 Uza=30 Nzu=30 Bzu=30"});
  EXPECT_EQ(LogText(), "");
}

TEST_P(LzaWalkTest, WorkOutsideEveryShiftGoesIntoTheDaysOutsideRow) {
  Eintrag("AB", "20261201", "150000");
  Eintrag("AE", "20261201", "163020");
  Ablauf();
  EXPECT_EQ(Kopf(4), LzaZeilen{"APL01|00:0024:00|2026-12-01 00:00:00|2026-12-01 23:59:59|BG|EG|"
                               "0000|Dummy|<null>|<null>|0|0|0|LzaStd|T-A1000"});
  EXPECT_EQ(Dauern(4), LzaZeilen{"00:0024:00 2026-12-01 00:00:00: Nza=90.2 BzA=90.2"});
  EXPECT_EQ(NichtNull(4), LzaZeilen{});
}

TEST_P(LzaWalkTest, OutsideSegmentOverMidnightCountsToTheDayItBegan) {
  Eintrag("RB", "20261201", "220000");
  Eintrag("RE", "20261202", "020000");
  Eintrag("AB", "20261202", "030000");
  Eintrag("AE", "20261202", "031000");
  Ablauf();
  EXPECT_EQ(Dauern(4), (LzaZeilen{"00:0024:00 2026-12-01 00:00:00: Nzr=240 Bzr=240",
                                  "00:0024:00 2026-12-02 00:00:00: Nza=10 BzA=10"}));
}

TEST_P(LzaWalkTest, ClosingEventsWithoutAnOpenPhaseBookNothing) {
  Parameter(5, 1, 0);
  for (const char* k : {"RE", "AE", "AT", "EP", "AW"}) Eintrag(k, "20261201", "080000");
  // Every switch is off again: the later segment is not booked.
  Eintrag("AE", "20261201", "090000");
  Ablauf();
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza"), LzaZeilen{"0"});
  EXPECT_EQ(LogText(), "");
}

TEST_P(LzaWalkTest, ShiftWithoutBookedTimeWritesNoRow) {
  Kommen("20261201", "060000");
  Eintrag("BP", "20261201", "090000", kFrueh);
  Eintrag("EP", "20261201", "091500", kFrueh);
  Gehen("20261201", "140000");
  Eintrag("XX", "20261201", "150000");  // a key without a handler
  Ablauf();
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza"), LzaZeilen{"0"});
}

TEST_P(LzaWalkTest, MessageBeforeShiftAtTheSameInstantStartsWorkBeforePresence) {
  Eintrag("AB", "20261201", "060000");
  Kommen("20261201", "060000");
  Eintrag("AE", "20261201", "070000");
  Gehen("20261201", "140000");
  Ablauf();
  // The segment of length 0 between them goes outside and books nothing.
  EXPECT_EQ(Dauern(4), LzaZeilen{"Frueh 2026-12-01 06:00:00: Nza=60 BzA=60"});
}

TEST_P(LzaWalkTest, ShiftRowsSpanDaysAndPartialEndClosesWork) {
  Kommen("20261201", "220000");
  Eintrag("AB", "20261201", "230000");
  Eintrag("AT", "20261202", "040000");
  Gehen("20261202", "050000");
  Ablauf();
  EXPECT_EQ(Rows("select NzaDtm,NzaEdt from Qvt590Nza"),
            LzaZeilen{"2026-12-01 22:00:00|2026-12-02 05:00:00"});
  EXPECT_EQ(Dauern(4), LzaZeilen{"Frueh 2026-12-01 22:00:00: Nza=300 BzA=300"});
}

TEST_P(LzaWalkTest, SecondWalkReplacesTheDurationsOfExistingRows) {
  NzaZeile(4, "APL01", "Frueh", "20261201", "060000", 999);
  NzaZeile(4, "APL01", "00:0024:00", "20261201", "000000", 999);
  Kommen("20261201", "060000");
  Eintrag("AB", "20261201", "070000");
  Eintrag("AE", "20261201", "080000");
  Gehen("20261201", "140000");
  Eintrag("AB", "20261201", "150000");
  Eintrag("AE", "20261201", "151000");
  Ablauf();
  EXPECT_EQ(Dauern(4), (LzaZeilen{"00:0024:00 2026-12-01 00:00:00: Nza=10 BzA=10",
                                  "Frueh 2026-12-01 06:00:00: Nza=60 BzA=60"}));
  // Every other column stays as it was stored.
  EXPECT_EQ(Rows("select NzaEmo,NzaErf,NzaEdt from Qvt590Nza order by NzaPnr"),
            (LzaZeilen{"ALT|ALT|2026-12-01 23:59:59", "ALT|ALT|2026-12-01 23:59:59"}));
  EXPECT_EQ(LogText(), "");
}

TEST_P(LzaWalkTest, FailuresAreLoggedAndTheWalkGoesOn) {
  Kommen("20261201", "060000");
  Eintrag("AB", "20261201", "070000");
  Eintrag("AE", "20261201", "080000");
  Gehen("20261201", "140000");
  Eintrag("AB", "20261201", "150000");
  Eintrag("AE", "20261201", "151000");
  Db_SetFaultPlanForTest({0, 0, {{"Nza_PKeyIns", DB_NOT_NULL}}});
  Ablauf();
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(LogText(), Log("Nza_PKeyIns", "Nza_ArbeitsGangSatz()", DB_NOT_NULL) +
                           Log("Nza_PKeyIns", "Nza_WriteDummy", DB_NOT_NULL));

  // An existing row whose update fails.
  NzaZeile(4, "APL01", "Frueh", "20261201", "060000", 999);
  Db_SetFaultPlanForTest({0, 0, {{"Nza_PKeyUpd", DB_BUSY}}});
  Ablauf();
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Dauern(4), (LzaZeilen{"00:0024:00 2026-12-01 00:00:00: Nza=10 BzA=10",
                                  "Frueh 2026-12-01 06:00:00: Nza=999 BzA=999"}));
  EXPECT_EQ(LogText(), Log("Nza_PKeyIns", "Nza_ArbeitsGangSatz()", DB_NOT_NULL) +
                           Log("Nza_PKeyIns", "Nza_WriteDummy", DB_NOT_NULL) +
                           Log("Nza_PKeyUpd", "Nza_ArbeitsGangSatz", DB_BUSY));
}

TEST_P(LzaWalkTest, FailedListOpenOrReadIsLogged) {
  Eintrag("AB", "20261201", "150000");
  Eintrag("AE", "20261201", "151000");
  Db_SetFaultPlanForTest({0, 0, {{"Mlt_Open", DB_NOT_CONNECTED}}});
  Ablauf();
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza"), LzaZeilen{"0"});
  std::string log = Log("Mlt_Open", "Lza_M_A_Ablauf", DB_NOT_CONNECTED);
  EXPECT_EQ(LogText(), log);

  // A failed read ends the walk like the end of the list.
  Db_SetFaultPlanForTest({0, 0, {{"Mlt_Open.Fetch", DB_OTHER}}});
  Ablauf();
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(LogText(), log + Log("Cursor-Read fehlgeschlagen", "Lza_M_A_Ablauf", DB_OTHER));
}

TEST_P(LzaWalkTest, OnlyTheRunsOwnListIsWalked) {
  Eintrag("AB", "20261201", "150000");
  Eintrag("AE", "20261201", "151000");
  MltSatz fremd = Test_Mlt({.erf = "LzaStd",
                            .dat = "20261208101459",
                            .lfn = 1,
                            .obj = "AB",
                            .zeit = "20261201140000",
                            .apl = "APL01",
                            .apk = "A1000",
                            .app = "0010"});
  ASSERT_EQ(Mlt_PKeyIns(fremd), DB_OK);
  fremd.MltErf = "DlzStd";
  fremd.MltDat = kLzaStempel;
  ASSERT_EQ(Mlt_PKeyIns(fremd), DB_OK);
  Ablauf();
  EXPECT_EQ(Dauern(4), LzaZeilen{"00:0024:00 2026-12-01 00:00:00: Nza=10 BzA=10"});
}

}  // namespace
