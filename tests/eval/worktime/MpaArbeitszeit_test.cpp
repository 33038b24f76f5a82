// Work-time evaluation: net, gross, break, interruption and attendance times
// of the closed work rows of a person, and of the interruptions inside them.
#include "eval/worktime/MpaArbeitszeit.h"

#include <gtest/gtest.h>

#include "db/DbDb.h"
#include "eval/worktime/MpaAuswertung.h"
#include "eval/worktime/MpaFixture.h"
#include "main/MldKorrektur.h"

namespace {

class MpaArbeitszeitTest : public MpaTest {
 protected:
  // Inserts the messages, replays their key and evaluates the work times.
  void Auswerten(const std::vector<MelSatz>& mels) {
    for (const MelSatz& m : mels) Insert(m);
    Mpa_Auswertung(mels.front());
    Nza_MPA_Arbeitszeit(mels.front());
  }
  // The work-row durations in hundredths of the minutes.seconds form:
  // Nza|BzA|Pza|Abz|Nzu|Uza|Bzu|Ubz|Pzu, then the zeroed columns summed, Erf.
  MpaZeilen Arbeit() {
    std::string s;
    for (const char* c :
         {"NzaNza", "NzaBzA", "NzaPza", "NzaAbz", "NzaNzu", "NzaUza", "NzaBzu", "NzaUbz", "NzaPzu"})
      s += Mpa_Hundertstel(c) + ",";
    return NzaSpalten(
        1, s + Mpa_Hundertstel("NzaNzr+NzaBzr+NzaUzr+NzaRbz+NzaPzr+NzaSol+NzaIst+NzaPau+NzaRf1") +
               ",NzaErf");
  }
  // The interruption-row durations: Uza|Nzu|Bzu|Pzu|Rf1|Uzr|Ubz.
  MpaZeilen Unterbrechung() {
    std::string s;
    for (const char* c : {"NzaUza", "NzaNzu", "NzaBzu", "NzaPzu", "NzaRf1", "NzaUzr"})
      s += Mpa_Hundertstel(c) + ",";
    return NzaSpalten(2, s + Mpa_Hundertstel("NzaUbz"));
  }
};
QV_DB_TEST_SUITE(MpaArbeitszeitTest);

TEST(MpaArbeitszeitDauer, SecondsBecomeMinutesAndHundredths) {
  EXPECT_DOUBLE_EQ(Mpa_MinutenSekunden(125), 2.05);
  EXPECT_DOUBLE_EQ(Mpa_MinutenSekunden(90), 1.30);
  EXPECT_DOUBLE_EQ(Mpa_MinutenSekunden(27000), 450.0);
  EXPECT_DOUBLE_EQ(Mpa_MinutenSekunden(59), 0.59);
  EXPECT_DOUBLE_EQ(Mpa_MinutenSekunden(0), 0.0);
}

TEST_P(MpaArbeitszeitTest, WorkDayWithAShiftBreak) {
  Schichtmodell("FRUEH", 1, 360, 840, {{720, 750}});
  Auswerten({Mel(11, 1, "PA", "20261201", "080000"), Mel(12, 1, "PE", "20261201", "160000")});
  EXPECT_EQ(Arbeit(), MpaZeilen{"45000|48000|3000|0|0|0|0|0|0|0|Nza_MPA"});
  EXPECT_EQ(MltAnzahl(), "0");
  EXPECT_EQ(LogText(), "");
}

TEST_P(MpaArbeitszeitTest, BreaksOutsideTheWorkAddNothing) {
  // A break over the work begin counts from the begin; one after the end not.
  Schichtmodell("FRUEH", 1, 360, 840, {{465, 495}, {720, 750}});
  Auswerten({Mel(11, 1, "PA", "20261201", "080000"), Mel(12, 1, "PE", "20261201", "110000")});
  EXPECT_EQ(Arbeit(), MpaZeilen{"16500|18000|1500|0|0|0|0|0|0|0|Nza_MPA"});
}

TEST_P(MpaArbeitszeitTest, OddSecondsAndAnOpenRow) {
  Auswerten({Mel(11, 1, "PA", "20261201", "080000"), Mel(12, 1, "PE", "20261201", "080205"),
             Mel(13, 1, "PA", "20261201", "090000")});
  // The open row is written back unchanged.
  ASSERT_EQ(Exec("update Qvt590Nza set NzaNza=7.07 where NzaDtm='2026-12-01 09:00:00'"), "");
  Nza_MPA_Arbeitszeit(Mel(13, 1, "PA", "20261201", "090000"));
  EXPECT_EQ(Arbeit(),
            (MpaZeilen{"205|205|0|0|0|0|0|0|0|0|Nza_MPA", "707|0|0|0|0|0|0|0|0|0|MldToNza"}));
}

TEST_P(MpaArbeitszeitTest, InterruptionOverABreakIsAccountedInBothRows) {
  Parameter(5, 1, 0);
  Schichtmodell("FRUEH", 1, 360, 840, {{720, 750}});
  Auswerten({Mel(11, 1, "PA", "20261201", "080000"), Mel(12, 1, "PU", "20261201", "114500"),
             Mel(13, 1, "PW", "20261201", "124500"), Mel(14, 1, "PE", "20261201", "160000")});
  EXPECT_EQ(Arbeit(), MpaZeilen{"42000|42000|0|0|3000|3000|6000|0|3000|0|Nza_MPA"});
  EXPECT_EQ(Unterbrechung(), MpaZeilen{"3000|3000|6000|3000|0|0|0"});
  EXPECT_EQ(MltAnzahl(), "0");
}

TEST_P(MpaArbeitszeitTest, SetupInterruptionUsesTheSetupColumns) {
  Parameter(5, 1, 0);
  Schichtmodell("FRUEH", 1, 360, 840, {{720, 750}});
  MelSatz pa = Mel(11, 1, "PA", "20261201", "080000");
  pa.Sts00R = "1";
  Auswerten({pa, Mel(12, 1, "PU", "20261201", "114500"), Mel(13, 1, "PW", "20261201", "124500"),
             Mel(14, 1, "PE", "20261201", "160000")});
  EXPECT_EQ(Unterbrechung(), MpaZeilen{"0|0|0|0|0|3000|3000"});
}

TEST_P(MpaArbeitszeitTest, WithoutParameterFiveInterruptionRowsStayAsTheyAre) {
  Parameter(5, 1, 0);
  std::vector<MelSatz> mels = {
      Mel(11, 1, "PA", "20261201", "080000"), Mel(12, 1, "PU", "20261201", "100000"),
      Mel(13, 1, "PW", "20261201", "103000"), Mel(14, 1, "PE", "20261201", "120000")};
  for (const MelSatz& m : mels) Insert(m);
  Mpa_Auswertung(mels.front());
  ASSERT_EQ(Exec("delete from Qvt591Nzp"), "");
  ASSERT_EQ(Korr_ParameterLesen(), 0);
  Nza_MPA_Arbeitszeit(mels.front());
  // The interruption still counts in the work row.
  EXPECT_EQ(Arbeit(), MpaZeilen{"21000|21000|0|0|3000|3000|3000|0|0|0|Nza_MPA"});
  EXPECT_EQ(Unterbrechung(), MpaZeilen{"0|0|0|0|0|0|0"});
}

TEST_P(MpaArbeitszeitTest, TimeModelOneCountsAttendanceFromThePersonsDay) {
  Zeitmodell(1);
  TagesModell("20261201", "M1", 420, 960, "PS1");
  PausenZeile("PS1", 1, 720, 750);
  Tag("20261201", "20261201070000", "20261201160000");
  Auswerten({Mel(11, 1, "PA", "20261201", "080000"), Mel(12, 1, "PE", "20261201", "170000")});
  EXPECT_EQ(Arbeit(), MpaZeilen{"51000|54000|3000|48000|0|0|0|0|0|0|Nza_MPA"});
  // 30 November, the day before, has no day model.
  EXPECT_EQ(Rows("select ErrEdt,ErrFnr from Qvt554Err"), MpaZeilen{"2026-11-30 00:00:01|7004"});
  EXPECT_EQ(MltAnzahl(), "0");
}

TEST_P(MpaArbeitszeitTest, AttendanceOverTwoDaysOfANightShift) {
  // Time model 1 with a night target 22:00-06:00 on both days; the person
  // worked from 23:00 to 05:00 with an interruption inside the attendance.
  Zeitmodell(1);
  Parameter(5, 1, 0);
  TagesModell("20261130", "N1", 1320, 360);
  TagesModell("20261201", "N1", 1320, 360);
  Tag("20261130", "20261130220000", "20261201060000");
  Tag("20261201", "20261201220000", "20261202060000");
  Auswerten({Mel(11, 1, "PA", "20261201", "230000"), Mel(12, 1, "PU", "20261202", "010000"),
             Mel(13, 1, "PW", "20261202", "011000"), Mel(14, 1, "PE", "20261202", "050000")});
  EXPECT_EQ(Arbeit(), MpaZeilen{"35000|35000|0|35000|1000|1000|1000|1000|0|0|Nza_MPA"});
  EXPECT_EQ(Unterbrechung(), MpaZeilen{"1000|1000|1000|0|1000|0|0"});
}

TEST_P(MpaArbeitszeitTest, FailuresAreLoggedAndTheWalkGoesOn) {
  Parameter(5, 1, 0);
  Schichtmodell("FRUEH", 1, 360, 840, {{720, 750}});
  std::vector<MelSatz> mels = {
      Mel(11, 1, "PA", "20261201", "080000"), Mel(12, 1, "PU", "20261201", "100000"),
      Mel(13, 1, "PW", "20261201", "103000"), Mel(14, 1, "PE", "20261201", "160000")};
  for (const MelSatz& m : mels) Insert(m);
  Mpa_Auswertung(mels.front());
  ASSERT_EQ(Exec("update Qvt590Nza set NzaUza=9 where NzaSa=2"), "");
  DbFehlerPlan plan;
  plan.operations["Nza_PKeyReadk"] = -3114;
  plan.operations["Nza_PKeyUpd"] = -54;
  Db_SetFaultPlanForTest(plan);
  Nza_MPA_Arbeitszeit(mels.front());
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(LogText(), Korr_LogEntry("Nza_PKeyReadk", "Nza_SA_B_Readk()", -3114) +
                           Korr_LogEntry("Nza_PKeyUpd", "Nza_MPA_Arbeitszeit", -54));
  // Nothing was written: the interruption row keeps its value.
  EXPECT_EQ(NzaSpalten(2, Mpa_Hundertstel("NzaUza")), MpaZeilen{"900"});
  EXPECT_EQ(MltAnzahl(), "0");

  plan.operations.clear();
  plan.operations["Mlt_PKeyIns"] = -20000;
  Db_SetFaultPlanForTest(plan);
  ASSERT_EQ(Exec("delete from Qvt554Err"), "");
  Nza_MPA_Arbeitszeit(mels.front());
  Db_ClearFaultPlanForTest();
  const std::string log = LogText();
  for (const auto& [text, funktion] : {std::pair{"Fehler Mlt_PKeyIns(1)", "Mlt_BeginnEnde()"},
                                       {"Fehler Mlt_PKeyIns(2)", "Mlt_BeginnEnde()"},
                                       {"Fehler Mlt_PKeyIns", "Mlt_Unterbr_Nza(1)"},
                                       {"Fehler Mlt_PKeyIns", "Mlt_Unterbr_Nza(2)"},
                                       {"Fehler Mlt_PKeyIns(1)", "Mlt_ZeitDaten_Bde()"},
                                       {"Fehler Mlt_PKeyIns(2)", "Mlt_ZeitDaten_BDE()"}}) {
    EXPECT_NE(log.find(Korr_LogEntry(text, funktion, -20000)), std::string::npos) << funktion;
  }
  // Without boundaries every sum is 0.
  EXPECT_EQ(Arbeit(), MpaZeilen{"0|0|0|0|0|0|0|0|0|0|Nza_MPA"});
}

}  // namespace
