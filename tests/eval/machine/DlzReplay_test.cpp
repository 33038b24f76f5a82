// Machine-only evaluation: replay of the time line and runtime records.
#include "eval/machine/DlzReplay.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "db/DbDb.h"
#include "eval/machine/DlzFixture.h"
#include "support/Builders.h"

namespace {

TEST(DlzDauerTest, MinutesBeforeThePointSecondsAsHundredths) {
  EXPECT_DOUBLE_EQ(Dlz_Dauer(0), 0.0);
  EXPECT_DOUBLE_EQ(Dlz_Dauer(59), 0.59);
  EXPECT_DOUBLE_EQ(Dlz_Dauer(125), 2.05);
  EXPECT_DOUBLE_EQ(Dlz_Dauer(3661), 61.01);
  EXPECT_DOUBLE_EQ(Dlz_Dauer(5400), 90.0);
}

class DlzReplayTest : public DlzTest {
 protected:
  // One time-line entry of this run: running number, event key, instant
  // "yyyymmddHHMMSS" (all on 1 December unless it has 14 digits).
  using Ereignis = std::tuple<int, std::string, std::string>;

  void Zeitlinie(const std::vector<Ereignis>& ereignisse, const std::string& stempel = kDlzStempel,
                 const std::string& erf = "DlzStd") {
    for (const auto& [lfn, obj, zeit] : ereignisse) {
      std::string t = zeit.size() == 14 ? zeit : "20261201" + zeit;
      const bool maschine = obj == "BS" || obj == "ES";
      ASSERT_EQ(Mlt_PKeyIns(Test_Mlt({.erf = erf,
                                      .dat = stempel,
                                      .lfn = lfn,
                                      .obj = obj,
                                      .zeit = t,
                                      .apl = "APL01",
                                      .ubg = maschine ? "U" + std::to_string(lfn) : ""})),
                DB_OK);
    }
  }
  // Replays this run's time line and returns the records it wrote.
  DlzZeilen Replay() {
    EXPECT_EQ(Mlt_Auswerten(kDlzStempel), DB_OK);
    return Saetze();
  }
  // A record: begin, end, shift group, then the five durations in hundredths.
  static std::string Satz(const std::string& beg, const std::string& end, const std::string& ubg,
                          int uza, int bzu, int pzu) {
    return "APL01|000000000000|00000|<null>|" + beg + "|BG|" + end + "|EG|" + ubg + "|" +
           std::to_string(uza) + "|" + std::to_string(uza) + "|" + std::to_string(bzu) + "|" +
           std::to_string(pzu) + "|" + std::to_string(uza + pzu) + "|DlzStd";
  }
};
QV_DB_TEST_SUITE(DlzReplayTest);

// Machine start 07:00, break 09:00-09:15, stop 10:00, shift 06:00-14:00:
// 3 h running of which 2 h 45 min work and 15 min break.
TEST_P(DlzReplayTest, RunningTimeInsideAShiftWithABreak) {
  Parameter(5, 1, 0);
  Zeitlinie({{0, "BS", "070000"},
             {1, "ES", "100000"},
             {10, "KM", "060000"},
             {11, "GH", "140000"},
             {12, "BP", "090000"},
             {13, "EP", "091500"}});
  EXPECT_EQ(Replay(), DlzZeilen{Satz("2026-12-01 07:00:00", "2026-12-01 10:00:00", "U0", 16500,
                                     18000, 1500)});
  EXPECT_EQ(LogText(), "");
}

TEST_P(DlzReplayTest, TimeOutsideTheShiftWindowsCountsNothing) {
  Parameter(5, 1, 0);
  // Started before the shift, running across its end into the next one.
  Zeitlinie({{0, "BS", "050000"},
             {1, "ES", "230000"},
             {10, "KM", "060000"},
             {11, "GH", "140000"},
             {12, "KM", "220000"},
             {13, "GH", "20261202060000"}});
  EXPECT_EQ(Replay(),
            DlzZeilen{Satz("2026-12-01 05:00:00", "2026-12-01 23:00:00", "U0", 54000, 54000, 0)});
}

TEST_P(DlzReplayTest, StartAndStopInsideBreaks) {
  Parameter(5, 1, 0);
  // Break time 09:05-09:15 and 12:00-12:10, work 09:15-12:00.
  Zeitlinie({{0, "BS", "090500"},
             {1, "ES", "121000"},
             {10, "KM", "060000"},
             {11, "GH", "140000"},
             {12, "BP", "090000"},
             {13, "EP", "091500"},
             {14, "BP", "120000"},
             {15, "EP", "123000"}});
  EXPECT_EQ(Replay(), DlzZeilen{Satz("2026-12-01 09:05:00", "2026-12-01 12:10:00", "U0", 16500,
                                     18500, 2000)});
}

// Each stop closes its period and starts the next with zero totals; a stop
// as the very first event has no start and counts nothing.
TEST_P(DlzReplayTest, EveryStopWritesItsPeriod) {
  Parameter(5, 1, 0);
  Zeitlinie({{0, "ES", "050000"},
             {1, "BS", "070000"},
             {2, "ES", "080000"},
             {3, "BS", "090000"},
             {4, "ES", "093010"},
             {10, "KM", "060000"},
             {11, "GH", "140000"}});
  EXPECT_EQ(Replay(),
            (DlzZeilen{"APL01|000000000000|00000|<null>|<null>|BG|2026-12-01 05:00:00|EG|<null>|"
                       "0|0|0|0|0|DlzStd",
                       Satz("2026-12-01 07:00:00", "2026-12-01 08:00:00", "U1", 6000, 6000, 0),
                       Satz("2026-12-01 09:00:00", "2026-12-01 09:30:10", "U3", 3010, 3010, 0)}));
}

// A second start while the machine runs (its stop was lost) does not cut
// the period: the record keeps the first start, so that its span holds the
// running time it reports.
TEST_P(DlzReplayTest, SecondStartWhileRunningKeepsThePeriodsStart) {
  Parameter(5, 1, 0);
  Zeitlinie({{0, "BS", "070000"},
             {1, "BS", "080000"},
             {2, "ES", "100000"},
             {10, "KM", "060000"},
             {11, "GH", "140000"}});
  EXPECT_EQ(Replay(),
            DlzZeilen{Satz("2026-12-01 07:00:00", "2026-12-01 10:00:00", "U0", 18000, 18000, 0)});
}

// A second stop while the machine stands has no period of its own: its
// record would repeat the last period's key and is refused by the table.
TEST_P(DlzReplayTest, SecondStopMeetsTheLastPeriodsKey) {
  Parameter(5, 1, 0);
  Zeitlinie({{0, "BS", "070000"},
             {1, "ES", "080000"},
             {2, "ES", "090000"},
             {10, "KM", "060000"},
             {11, "GH", "140000"}});
  EXPECT_EQ(Replay(),
            DlzZeilen{Satz("2026-12-01 07:00:00", "2026-12-01 08:00:00", "U0", 6000, 6000, 0)});
  EXPECT_EQ(LogText(), Korr_LogEntry("Nza_PKeyIns", "Nza_SA_M_Ins()", DB_DUP_KEY));
}

TEST_P(DlzReplayTest, ShiftEndWithoutBeginAndBreakEndWithoutBeginCountNothing) {
  Parameter(5, 1, 0);
  Zeitlinie({{10, "EP", "040000"},
             {11, "GH", "050000"},
             {0, "BS", "053000"},
             {1, "ES", "070000"},
             {12, "KM", "063000"}});
  EXPECT_EQ(Replay(),
            DlzZeilen{Satz("2026-12-01 05:30:00", "2026-12-01 07:00:00", "U0", 3000, 3000, 0)});
}

// At equal instants messages come first: a stop at the shift end still
// counts up to it, a start at the shift begin counts from it.
TEST_P(DlzReplayTest, EqualInstantsInRunningNumberOrder) {
  Parameter(5, 1, 0);
  Zeitlinie({{0, "BS", "060000"}, {1, "ES", "140000"}, {10, "KM", "060000"}, {11, "GH", "140000"}});
  EXPECT_EQ(Replay(),
            DlzZeilen{Satz("2026-12-01 06:00:00", "2026-12-01 14:00:00", "U0", 48000, 48000, 0)});
}

TEST_P(DlzReplayTest, WithoutParameterFiveNothingIsWritten) {
  Zeitlinie({{0, "BS", "070000"}, {1, "ES", "100000"}, {10, "KM", "060000"}});
  EXPECT_EQ(Replay(), DlzZeilen{});
  EXPECT_EQ(LogText(), "");
}

TEST_P(DlzReplayTest, RecordCopiesTheStopsShiftData) {
  Parameter(5, 1, 0);
  MltSatz stopp;
  stopp.MltApl = "APL07";
  stopp.MltArg = "P9";
  stopp.MltEmo = "EM1";
  stopp.MltTtp = "AT";
  stopp.MltJwo = "2026";
  stopp.MltWtg = 2;
  stopp.MltJtg = 335;
  stopp.MltWoc = 49;
  DlzZustand z;
  z.begDat = "20261201";
  z.begUhr = "070000";
  z.endDat = "20261201";
  z.endUhr = "081005";
  z.ubg = "U7";
  z.tLauf = 4205;
  z.tArbeit = z.tArbeit2 = 3605;
  z.tPause = 600;
  EXPECT_EQ(Nza_SA_M_Ins(z, stopp), DB_OK);
  EXPECT_EQ(Rows("select NzaApl,NzaPnr,NzaDtm,NzaEdt,NzaUbg,NzaEmo,NzaTtp,NzaJwo,NzaWtg,NzaJtg,"
                 "NzaWoc,cast(round(NzaUza*100) as integer),cast(round(NzaNzu*100) as integer),"
                 "cast(round(NzaBzu*100) as integer),cast(round(NzaPzu*100) as integer),"
                 "cast(round(NzaUbz*100) as integer) from Qvt590Nza"),
            DlzZeilen{"APL07|P9|2026-12-01 07:00:00|2026-12-01 08:10:05|U7|EM1|AT|2026|2|335|49|"
                      "6005|6005|7005|1000|7005"});
  // The same key again is refused and logged.
  EXPECT_EQ(Nza_SA_M_Ins(z, stopp), DB_DUP_KEY);
  EXPECT_EQ(LogText(), Korr_LogEntry("Nza_PKeyIns", "Nza_SA_M_Ins()", DB_DUP_KEY));
}

TEST_P(DlzReplayTest, FailedRecordIsLoggedAndTheReplayGoesOn) {
  Parameter(5, 1, 0);
  Zeitlinie({{0, "BS", "070000"},
             {1, "ES", "080000"},
             {2, "BS", "090000"},
             {3, "ES", "100000"},
             {10, "KM", "060000"}});
  DbFehlerPlan plan;
  plan.nth = 2;  // the cursor's open, then the first record
  plan.nthStatus = DB_TOO_WIDE;
  Db_SetFaultPlanForTest(plan);
  DlzZeilen saetze = Replay();
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(saetze,
            DlzZeilen{Satz("2026-12-01 09:00:00", "2026-12-01 10:00:00", "U2", 6000, 6000, 0)});
  EXPECT_EQ(LogText(), Korr_LogEntry("Nza_PKeyIns", "Nza_SA_M_Ins()", DB_TOO_WIDE));
}

TEST_P(DlzReplayTest, RemovalTakesOnlyThisRunsList) {
  Zeitlinie({{0, "BS", "070000"}, {1, "ES", "100000"}, {2, "KM", "060000"}});
  Zeitlinie({{0, "BS", "070000"}}, "20261208101459");
  Zeitlinie({{0, "BS", "070000"}}, kDlzStempel, "LzaStd");
  EXPECT_EQ(Mlt_Entfernen(kDlzStempel), DB_OK);
  EXPECT_EQ(Rows("select MltErf,MltDat,MltLfn from Qvt561Mlt order by MltErf,MltDat"),
            (DlzZeilen{"DlzStd|20261208101459|0", "LzaStd|20261208101500|0"}));
  EXPECT_EQ(LogText(), "");
}

TEST_P(DlzReplayTest, CursorAndDeleteFailuresAreLogged) {
  Zeitlinie({{0, "BS", "070000"}, {1, "ES", "100000"}});
  DbFehlerPlan plan;
  plan.operations["Mlt_Open"] = DB_NOT_CONNECTED;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Mlt_Auswerten(kDlzStempel), DB_NOT_CONNECTED);
  EXPECT_EQ(Mlt_Entfernen(kDlzStempel), DB_NOT_CONNECTED);
  plan = DbFehlerPlan{};
  plan.operations["Mlt_Open.Fetch"] = DB_NOT_CONNECTED;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Mlt_Auswerten(kDlzStempel), DB_OK);
  plan = DbFehlerPlan{};
  plan.operations["Mlt_PKeyDel"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Mlt_Entfernen(kDlzStempel), DB_OK);
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Rows("select count(*) from Qvt561Mlt"), DlzZeilen{"2"});
  std::string loeschen = Korr_LogEntry("Mlt_PKeyDel", "Mlt_Entfernen", DB_BUSY);
  EXPECT_EQ(LogText(),
            Korr_LogEntry("Mlt_Open", "Mlt_Auswerten", DB_NOT_CONNECTED) +
                Korr_LogEntry("Mlt_Open", "Mlt_Entfernen", DB_NOT_CONNECTED) +
                Korr_LogEntry("Cursor-Read fehlgeschlagen", "Mlt_Auswerten", DB_NOT_CONNECTED) +
                loeschen + loeschen);
}

}  // namespace
