// Person-time boundaries of time model 1: arrivals, departures and breaks
// from the person's day working-time model, booking periods and breaks.
#include "eval/worktime/MpaPersonZeit.h"

#include <gtest/gtest.h>

#include "db/DbDb.h"
#include "eval/worktime/MpaFixture.h"
#include "support/Builders.h"

namespace {

const char* const kBatch = "20261208101500";

class MpaPersonZeitTest : public MpaTest {
 protected:
  // Collects the boundaries of a work row of P1 from `beg` to `end`.
  void Grenzen(const std::string& beg, const std::string& end) {
    NzaSatz r = Test_Nza({.pnr = "P1", .beg = beg, .end = end});
    int zaehler = 0;
    Mlt_PA_PersonZeit(kBatch, r, zaehler);
  }
  // kind|instant|running number, in list order.
  MpaZeilen Liste() {
    return Rows("select MltObj,MltMdt,MltLfn from Qvt561Mlt where MltErf='Nza_MPA' and MltDat='" +
                std::string(kBatch) + "' order by MltMdt,MltLfn");
  }
  MpaZeilen Protokoll() {
    return Rows(
        "select ErrBer,ErrFun,ErrPgm,ErrEdt,ErrFnr,ErrPnr,coalesce(ErrErf,'-') from Qvt554Err "
        "order by ErrEdt");
  }
};
QV_DB_TEST_SUITE(MpaPersonZeitTest);

TEST_P(MpaPersonZeitTest, TargetTimesWithoutBookingPeriodsAndADayWithoutModel) {
  TagesModell("20261201", "M1", 420, 960);
  Tag("20261201", "20261201065500", "20261201161000");
  Grenzen("20261201080000", "20261201170000");
  EXPECT_EQ(Liste(), (MpaZeilen{"KM|2026-12-01 07:00:00|1", "GH|2026-12-01 16:00:00|1000002"}));
  EXPECT_EQ(Rows("select MltPnr,MltArg,MltEmo,MltTtp,MltWoc,MltWtg,MltJtg,MltJwo,"
                 "coalesce(MltApl,'-'),coalesce(MltApk,'-') from Qvt561Mlt where MltObj='KM'"),
            MpaZeilen{"P1|M1|GR1|FT|49|2|335|2026|-|-"});
  // 30 November, the day before the begin, has no day model.
  EXPECT_EQ(Protokoll(), MpaZeilen{"BDE|NZM|Nza_MPA|2026-11-30 00:00:01|7004|P1|-"});
}

TEST_P(MpaPersonZeitTest, NightTargetEndsOnTheNextDay) {
  TagesModell("20261130", "N1", 1320, 360);
  TagesModell("20261201", "N1", 1320, 360);
  Tag("20261130", "20261130215000", "20261201060500");
  Tag("20261201", "20261201215000", "20261202060500");
  Grenzen("20261201220000", "20261202060000");
  EXPECT_EQ(Liste(), (MpaZeilen{"KM|2026-11-30 22:00:00|1", "GH|2026-12-01 06:00:00|1000002",
                                "KM|2026-12-01 22:00:00|3", "GH|2026-12-02 06:00:00|1000004"}));
  EXPECT_EQ(Protokoll(), MpaZeilen{"BDE|NZM|Nza_MPA|2026-12-02 00:00:01|7004|P1|-"});
}

TEST_P(MpaPersonZeitTest, DayOverrideMovesTheTargetOfThatDayOnly) {
  TagesModell("20261130", "M1", 420, 960);
  TagesModell("20261201", "M1", 420, 960);
  Tag("20261130", "20261130070000", "20261130160000");
  Tag("20261201", "20261201070000", "20261201160000");
  Sql("insert into Qvt322Gaz (GazPnr,GazDtm,GazMav,GazMab,GazNov,GazNob) values ('P1'," +
      Test_DatumSql("20261201") + ",0,0,480,1020)");
  Grenzen("20261201080000", "20261201170000");
  EXPECT_EQ(Liste(), (MpaZeilen{"KM|2026-11-30 07:00:00|1", "GH|2026-11-30 16:00:00|1000002",
                                "KM|2026-12-01 08:00:00|3", "GH|2026-12-01 17:00:00|1000004"}));
  EXPECT_EQ(Protokoll(), MpaZeilen{});
}

TEST_P(MpaPersonZeitTest, BookingPeriodsGiveArrivalBreakAndDeparture) {
  TagesModell("20261201", "M1", 420, 960);
  Tag("20261201", "20261201070500", "20261201155000");
  Buchung("20261201070500", "20261201120000");
  Buchung("20261201123000", "20261201155000");
  Buchung("20261201150000", "20261201170000");  // ends after the target end: not read
  Grenzen("20261201080000", "20261201150000");
  EXPECT_EQ(Liste(), (MpaZeilen{"KM|2026-12-01 07:05:00|1", "BP|2026-12-01 12:00:00|2",
                                "EP|2026-12-01 12:30:00|3", "GH|2026-12-01 15:50:00|1000004"}));
}

TEST_P(MpaPersonZeitTest, WithoutRecordedDepartureEveryPeriodEndIsABreak) {
  TagesModell("20261201", "M1", 420, 960);
  Tag("20261201", "20261201070500", "");
  Buchung("20261201070500", "20261201120000");
  Buchung("20261201123000", "20261201155000");
  Grenzen("20261201080000", "20261201150000");
  EXPECT_EQ(Liste(), (MpaZeilen{"KM|2026-12-01 07:05:00|1", "BP|2026-12-01 12:00:00|2",
                                "EP|2026-12-01 12:30:00|3", "BP|2026-12-01 15:50:00|4"}));
}

TEST_P(MpaPersonZeitTest, OverlappingBreaksKeepTheFirstBeginAndTheLastEnd) {
  TagesModell("20261201", "M1", 420, 960, "PS1");
  Tag("20261201", "20261201070000", "20261201160000");
  PausenZeile("PS1", 1, 720, 750);
  PausenZeile("PS1", 2, 735, 765);
  Grenzen("20261201080000", "20261201150000");
  EXPECT_EQ(Liste(), (MpaZeilen{"KM|2026-12-01 07:00:00|1", "BP|2026-12-01 12:00:00|3",
                                "EP|2026-12-01 12:45:00|6", "GH|2026-12-01 16:00:00|1000002"}));
}

TEST_P(MpaPersonZeitTest, PersonsOwnBreakReplacesTheSchemeLine) {
  TagesModell("20261201", "M1", 420, 960, "PS1");
  Tag("20261201", "20261201070000", "20261201160000");
  PausenZeile("PS1", 1, 720, 750);
  PausenZeile("PS1", 2, 840, 855);
  Sql("insert into Qvt323Gps (GpsPnr,GpsDtm,GpsLfd,GpsVon,GpsBis) values ('P1'," +
      Test_DatumSql("20261201") + ",1,690,720)");
  Grenzen("20261201080000", "20261201150000");
  EXPECT_EQ(Liste(), (MpaZeilen{"KM|2026-12-01 07:00:00|1", "BP|2026-12-01 11:30:00|3",
                                "EP|2026-12-01 12:00:00|4", "BP|2026-12-01 14:00:00|5",
                                "EP|2026-12-01 14:15:00|6", "GH|2026-12-01 16:00:00|1000002"}));
}

TEST_P(MpaPersonZeitTest, BreakBeforeTheTargetBeginBelongsToTheNextDay) {
  TagesModell("20261201", "N1", 1320, 360, "PS2");
  Tag("20261201", "20261201220000", "20261202060000");
  PausenZeile("PS2", 1, 120, 150);
  Grenzen("20261201220000", "20261202050000");
  EXPECT_EQ(Liste(), (MpaZeilen{"KM|2026-12-01 22:00:00|1", "BP|2026-12-02 02:00:00|3",
                                "EP|2026-12-02 02:30:00|4", "GH|2026-12-02 06:00:00|1000002"}));
}

TEST_P(MpaPersonZeitTest, DayWithoutPersonDayGetsBreaksOnlyAndFailuresAreLogged) {
  TagesModell("20261201", "M1", 420, 960, "PS1");
  PausenZeile("PS1", 1, 720, 750);
  DbFehlerPlan plan;
  plan.operations["Err_PKeyIns"] = -12899;
  Db_SetFaultPlanForTest(plan);
  Grenzen("20261201080000", "20261201150000");
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Liste(), (MpaZeilen{"BP|2026-12-01 12:00:00|1", "EP|2026-12-01 12:30:00|2"}));
  EXPECT_EQ(LogText(), Korr_LogEntry("Err_PKeyIns", "Write_Protokoll", -12899) +
                           Korr_LogEntry("Mlt_PA_Daten_PZM", "Tag_PKeyReadk", 1403));
}

}  // namespace
