// Work-step replay of a person at a workplace: work and interruption rows
// rebuilt from the "MPA" messages of one key.
#include "eval/worktime/MpaAuswertung.h"

#include <gtest/gtest.h>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "eval/worktime/MpaFixture.h"
#include "main/MldKorrektur.h"
#include "support/Builders.h"

namespace {

class MpaAuswertungTest : public MpaTest {
 protected:
  // Inserts the messages and replays their key.
  void Replay(const std::vector<MelSatz>& mels) {
    for (const MelSatz& m : mels) Insert(m);
    Mpa_Auswertung(mels.front());
  }
};
QV_DB_TEST_SUITE(MpaAuswertungTest);

TEST_P(MpaAuswertungTest, WorkBeginAndEndGiveOneClosedRow) {
  Schichtmodell("FRUEH", 1, 360, 840);
  Replay({Mel(11, 1, "PA", "20261201", "080000"), Mel(12, 3, "PE", "20261201", "160000")});
  EXPECT_EQ(Nza(1), MpaZeilen{"2026-12-01 08:00:00|2026-12-01 16:00:00|1|11|1|PA|1|12|3|PE|5|0|"
                              "FRUEH|MldToNza"});
  EXPECT_EQ(NzaSpalten(1,
                       "NzaVar,NzaTtp,NzaJwo,NzaWoc,NzaWtg,NzaJtg,NzaMaz,NzaPzm,NzaUbg,NzaTnr,"
                       "Nza00A,Nza00U,Nza00S"),
            MpaZeilen{"1|WT|2026|49|2|335|7|0|U1|T-100|0|0|0"});
  EXPECT_EQ(Nza(2), MpaZeilen{});
  EXPECT_EQ(MelFnr(12, 3), "0");
  EXPECT_EQ(LogText(), "");
}

TEST_P(MpaAuswertungTest, OpenBeginRowHasNoEnd) {
  MelSatz pa = Mel(11, 1, "PA", "20261201", "080000");
  pa.Sts00R = "1";
  Replay({pa});
  EXPECT_EQ(NzaSpalten(1,
                       "NzaDtm,coalesce(cast(NzaEdt as "
                       "varchar(19)),'-'),NzaEnd,NzaEbn,NzaEln,NzaEmk,NzaRau,NzaEmo"),
            MpaZeilen{"2026-12-01 08:00:00|-|0|0|0|  |1|LMO00.00"});
}

TEST_P(MpaAuswertungTest, StatusFlagsClassifyTheRow) {
  MelSatz pa = Mel(11, 1, "PA", "20261201", "080000");
  pa.Sts00R = pa.Sts00A = "1";  // the later test wins
  pa.Sts00U = "1";              // counts only for an end without begin
  MelSatz pe = Mel(12, 1, "PE", "20261130", "160000");
  pe.Sts00R = pe.Sts00U = "1";
  Replay({pa, pe});
  EXPECT_EQ(NzaSpalten(1, "NzaDtm,NzaRau"),
            (MpaZeilen{"2026-11-30 00:00:00|4", "2026-12-01 08:00:00|3"}));
}

TEST_P(MpaAuswertungTest, EndWithoutBeginIsCompletedFromTheShiftAndMarked) {
  Schichtmodell("FRUEH", 1, 360, 840);
  Replay({Mel(12, 2, "PE", "20261201", "130000")});
  EXPECT_EQ(Nza(1), MpaZeilen{"2026-12-01 06:00:00|2026-12-01 13:00:00|0|0|0|BG|1|12|2|PE|5|5006|"
                              "FRUEH|MldToNza"});
  EXPECT_EQ(MelFnr(12, 2), "5006");
}

TEST_P(MpaAuswertungTest, EndWithoutBeginInANightShiftBeganTheDayBefore) {
  Schichtmodell("NACHT", 1, 1320, 360, {{1440 - 60, 1440 - 30}});
  Replay({Mel(12, 2, "PE", "20261201", "050000")});
  EXPECT_EQ(NzaSpalten(1, "NzaDtm,NzaEdt,NzaBmk,NzaEmo,NzaFnr"),
            MpaZeilen{"2026-11-30 22:00:00|2026-12-01 05:00:00|BG|NACHT|5006"});
}

TEST_P(MpaAuswertungTest, EndWithoutBeginOutsideEveryShiftBeginsWithItsDay) {
  Schichtmodell("FRUEH", 1, 360, 840);
  Replay({Mel(12, 2, "PE", "20261201", "200000")});
  EXPECT_EQ(NzaSpalten(1, "NzaDtm,NzaEdt,NzaBmk,NzaEmo,NzaFnr"),
            MpaZeilen{"2026-12-01 00:00:00|2026-12-01 20:00:00|BG|          |5006"});
  EXPECT_EQ(MelFnr(12, 2), "5006");
}

TEST_P(MpaAuswertungTest, EndWithoutBeginOfTimeModelOneBeginsAtTheAssumedTime) {
  Schichtmodell("FRUEH", 1, 360, 840);
  Zeitmodell(1);
  Replay({Mel(12, 2, "PE", "20261201", "130000")});
  EXPECT_EQ(NzaSpalten(1, "NzaDtm,NzaEdt,NzaBmk,NzaFnr,NzaPzm"),
            MpaZeilen{"2026-12-01 00:00:01|2026-12-01 13:00:00|BG|5006|1"});
}

TEST_P(MpaAuswertungTest, SecondBeginWinsAndASecondEndReplacesTheFirst) {
  Replay({Mel(11, 1, "PA", "20261201", "070000"), Mel(12, 1, "PA", "20261201", "080000"),
          Mel(13, 1, "PE", "20261201", "150000"), Mel(14, 1, "PE", "20261201", "160000")});
  EXPECT_EQ(
      NzaSpalten(1, "NzaDtm,coalesce(cast(NzaEdt as varchar(19)),'-'),NzaBbn,NzaEbn,NzaEmk,NzaFnr"),
      (MpaZeilen{"2026-12-01 07:00:00|-|11|0|  |5007",
                 "2026-12-01 08:00:00|2026-12-01 16:00:00|12|14|PE|5007"}));
  EXPECT_EQ(MelFnr(13, 1), "0");
  EXPECT_EQ(MelFnr(14, 1), "0");
}

TEST_P(MpaAuswertungTest, SecondBeginAtTheSameInstantMarksTheExistingRow) {
  MelSatz zweiter = Mel(12, 1, "PA", "20261201", "080000");
  zweiter.KeySek = "01";
  Replay({Mel(11, 1, "PA", "20261201", "080000"), zweiter});
  EXPECT_EQ(NzaSpalten(1, "NzaDtm,NzaBbn,NzaFnr"), MpaZeilen{"2026-12-01 08:00:00|11|5004"});
}

TEST_P(MpaAuswertungTest, InterruptionsNeedEvaluationParameterFive) {
  std::vector<MelSatz> mels = {
      Mel(11, 1, "PA", "20261201", "080000"), Mel(12, 1, "PU", "20261201", "100000"),
      Mel(13, 1, "PW", "20261201", "103000"), Mel(14, 1, "PW", "20261201", "110000"),
      Mel(15, 1, "PE", "20261201", "160000")};
  Replay(mels);
  EXPECT_EQ(Nza(2), MpaZeilen{});
  EXPECT_EQ(NzaSpalten(1, "NzaDtm,NzaEdt"), MpaZeilen{"2026-12-01 08:00:00|2026-12-01 16:00:00"});

  Parameter(5, 1, 0);
  Mpa_Auswertung(mels.front());
  // The second "PW" closes the same interruption again.
  EXPECT_EQ(Nza(2), MpaZeilen{"2026-12-01 10:00:00|2026-12-01 11:00:00|1|12|1|PU|1|14|1|PW|5|"
                              "5007|LMO00.00|MldToNza"});
  EXPECT_EQ(NzaSpalten(1, "NzaDtm,NzaEdt"), MpaZeilen{"2026-12-01 08:00:00|2026-12-01 16:00:00"});
}

TEST_P(MpaAuswertungTest, ResumptionWithoutInterruptionBeginIsMarked) {
  Parameter(5, 1, 0);
  MelSatz pw = Mel(13, 4, "PW", "20261201", "103000");
  pw.Sts00U = "1";
  Replay({pw});
  EXPECT_EQ(NzaSpalten(2, "NzaDtm,NzaEdt,NzaBmk,NzaEmk,NzaBeg,NzaEnd,NzaRau,NzaFnr"),
            MpaZeilen{"2026-12-01 00:00:00|2026-12-01 10:30:00|PU|PW|0|1|4|5006"});
  EXPECT_EQ(Nza(1), MpaZeilen{});
  EXPECT_EQ(MelFnr(13, 4), "5006");

  // Without the parameter the message is left alone.
  ASSERT_EQ(Exec("update Qvt560Mel set MelFnr=0; delete from Qvt591Nzp"), "");
  ASSERT_EQ(Korr_ParameterLesen(), 0);
  Mpa_Auswertung(pw);
  EXPECT_EQ(Nza(2), MpaZeilen{});
  EXPECT_EQ(MelFnr(13, 4), "0");
}

TEST_P(MpaAuswertungTest, TwelveHoursAreNotSplitButOneSecondMoreIs) {
  Tag("20261201", "20261201070000", "20261201160000");
  Replay({Mel(11, 1, "PA", "20261201", "080000"), Mel(12, 1, "PE", "20261201", "200000")});
  EXPECT_EQ(NzaSpalten(1, "NzaDtm,NzaEdt,NzaEmk"),
            MpaZeilen{"2026-12-01 08:00:00|2026-12-01 20:00:00|PE"});

  ASSERT_EQ(Exec("delete from Qvt560Mel"), "");
  Replay({Mel(11, 1, "PA", "20261201", "080000"), Mel(12, 1, "PE", "20261201", "200001")});
  EXPECT_EQ(NzaSpalten(1, "NzaDtm,NzaEdt,NzaBmk,NzaEmk"),
            (MpaZeilen{"2026-12-01 08:00:00|2026-12-01 16:00:00|PA|EG",
                       "2026-12-01 20:00:01|2026-12-01 20:00:01|BG|PE"}));
  EXPECT_EQ(MltAnzahl(), "0");
}

TEST_P(MpaAuswertungTest, ReplayRebuildsOnlyItsOwnKey) {
  std::vector<MelSatz> mels = {Mel(11, 1, "PA", "20261201", "080000"),
                               Mel(12, 1, "PE", "20261201", "160000")};
  MelSatz fremd = Mel(20, 1, "PA", "20261201", "090000");
  fremd.KeyPnr = "P2";
  Insert(fremd);
  Mpa_Auswertung(fremd);
  // A stale row of the key that no message supports any more.
  ASSERT_EQ(Nza_PKeyIns(Test_Nza({.pnr = "P1", .beg = "20261130050000"})), DB_OK);
  Replay(mels);
  const MpaZeilen einmal = Nza(1);
  Mpa_Auswertung(mels.back());
  EXPECT_EQ(Nza(1), einmal);
  EXPECT_EQ(Rows("select NzaPnr,NzaDtm from Qvt590Nza order by NzaPnr,NzaDtm"),
            (MpaZeilen{"P1|2026-12-01 08:00:00", "P2|2026-12-01 09:00:00"}));
}

TEST_P(MpaAuswertungTest, UnwrittenBeginIsNeitherClosedNorSplit) {
  Tag("20261201", "20261201070000", "20261201160000");
  DbFehlerPlan plan;
  plan.operations["Nza_PKeyIns"] = -20000;
  Db_SetFaultPlanForTest(plan);
  Replay({Mel(11, 1, "PA", "20261201", "080000"), Mel(12, 1, "PE", "20261202", "090000")});
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Nza(1), MpaZeilen{});
  EXPECT_EQ(MltAnzahl(), "0");
  EXPECT_EQ(LogText(), Korr_LogEntry("Fehler bei Nza_PKeyIns", "Nza_ZeileErfassen", -20000) +
                           Korr_LogEntry("Fehler bei Nza_PKeyReadk", "Nza_ArbeitEnde", 1403));
}

TEST_P(MpaAuswertungTest, EndRowThatCannotBeInsertedMarksTheMessage5004) {
  Schichtmodell("FRUEH", 1, 360, 840);
  // Both ends complete to the shift begin 06:00: the second row's key exists.
  Replay({Mel(12, 1, "PE", "20261201", "100000"), Mel(13, 1, "PE", "20261201", "110000")});
  EXPECT_EQ(NzaSpalten(1, "NzaDtm,NzaEdt,NzaEbn,NzaFnr"),
            MpaZeilen{"2026-12-01 06:00:00|2026-12-01 10:00:00|12|5006"});
  EXPECT_EQ(MelFnr(12, 1), "5006");
  EXPECT_EQ(MelFnr(13, 1), "5004");
  EXPECT_EQ(LogText(), Korr_LogEntry("Fehler bei Nza_PKeyIns", "Nza_ArbeitEndeOhneBeginn", -1));
}

TEST_P(MpaAuswertungTest, FailuresOfReadsUpdatesAndDeletesAreLogged) {
  Replay({Mel(11, 1, "PA", "20261201", "080000"), Mel(12, 1, "PE", "20261201", "160000")});
  DbFehlerPlan plan;
  plan.operations["Nza_PKeyDel"] = -54;
  plan.operations["Nza_PKeyReadk"] = -3114;
  Db_SetFaultPlanForTest(plan);
  Mpa_Auswertung(Mel(11, 1, "PA", "20261201", "080000"));
  plan.operations.clear();
  plan.operations["Nza_PKeyUpd"] = -60;
  Db_SetFaultPlanForTest(plan);
  ASSERT_EQ(Exec("delete from Qvt590Nza"), "");
  Mpa_Auswertung(Mel(11, 1, "PA", "20261201", "080000"));
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(LogText(), Korr_LogEntry("Nza_PKeyDel", "Nza_Delete", -54) +
                           Korr_LogEntry("Fehler bei Nza_PKeyReadk", "Nza_ArbeitBeginn", -3114) +
                           Korr_LogEntry("Fehler bei Nza_PKeyReadk", "Nza_ArbeitEnde", -3114) +
                           Korr_LogEntry("Fehler bei Nza_PKeyUpd", "Nza_ArbeitEnde", -60));
  // The row that could not be deleted is still there; the second run wrote
  // the begin row but could not close it.
  EXPECT_EQ(NzaSpalten(1, "NzaDtm,coalesce(cast(NzaEdt as varchar(19)),'-')"),
            MpaZeilen{"2026-12-01 08:00:00|-"});
}

TEST_P(MpaAuswertungTest, MessageMarkNeedsTheStoredMessage) {
  Mel_Fehlermeldung(Mel(99, 9, "PE", "20261201", "100000"), 5006);
  DbFehlerPlan plan;
  plan.operations["Mel_PKeyUpdate"] = -54;
  Db_SetFaultPlanForTest(plan);
  MelSatz m = Mel(12, 1, "PE", "20261201", "100000");
  Insert(m);
  Mel_Fehlermeldung(m, 5006);
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(LogText(), Korr_LogEntry("Fehler bei Mel_PKeyUpd", "Mel_Fehlermeldung", 1403) +
                           Korr_LogEntry("Fehler bei Mel_PKeyUpd", "Mel_Fehlermeldung", -54));
  EXPECT_EQ(MelFnr(12, 1), "0");
}

TEST_P(MpaAuswertungTest, BeginWithoutEndIsCompletedToTheShiftEnd) {
  Schichtmodell("NACHT", 1, 1320, 360, {{1440 - 60, 1440 - 30}});
  NzaSatz n;
  n.NzaBeg = 1;
  n.NzaDtmDat = "20261201";
  n.NzaDtmUhr = "230000";
  n.NzaEmo = "NACHT";
  n.NzaTtp = "WT";
  Nza_BeginnEndeErgaenzen(n);
  EXPECT_EQ(n.NzaEdtDat, "20261202");
  EXPECT_EQ(n.NzaEdtUhr, "060000");
  EXPECT_EQ(n.NzaEmk, "EG");
  EXPECT_EQ(n.NzaFnr, 0);

  NzaSatz ohneSchicht = n;
  ohneSchicht.NzaEmo = "KEINES";
  Nza_BeginnEndeErgaenzen(ohneSchicht);
  EXPECT_EQ(ohneSchicht.NzaEdtDat, "20261201");
  EXPECT_EQ(ohneSchicht.NzaEdtUhr, "235959");

  NzaSatz tagesprogramm = n;
  tagesprogramm.NzaPzm = 1;
  Nza_BeginnEndeErgaenzen(tagesprogramm);
  EXPECT_EQ(tagesprogramm.NzaEdtDat, "20261201");
  EXPECT_EQ(tagesprogramm.NzaEdtUhr, "235959");
  EXPECT_EQ(tagesprogramm.NzaEmk, "EG");
  EXPECT_EQ(tagesprogramm.NzaFnr, 5008);
}

}  // namespace
