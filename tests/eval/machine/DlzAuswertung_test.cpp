// Machine-only evaluation: time line of messages and shift boundaries, and
// the driver.
#include "eval/machine/DlzAuswertung.h"

#include <gtest/gtest.h>

#include <string>

#include "db/DbDb.h"
#include "eval/machine/DlzFixture.h"
#include "support/Builders.h"

namespace {

// A collecting time line gives back every entry as it was made: event, day
// and time whether they fit the compact form or not (longer texts, texts with
// a zero inside, empty ones), the shared fields, and the running numbers.
TEST(DlzZeitlinieSammeln, EntriesReadBackAsMade) {
  DlzZeitlinie linie("20261208093000", false);
  const struct {
    std::string obj, dat, uhr, pbe;
  } texte[] = {{"BS", "20261201", "070000", "P1"},
               {"ES", "20261201", "100000", "P1"},
               {"BSX", "2026-12-01", "07:00:00", "P1"},
               {"", "", "", "P2"},
               {"RB",
                std::string("2026\0"
                            "1201",
                            9),
                "120000", "P2"},
               {"RE", "20261202", "1200001", "P2"}};
  for (const auto& t : texte) {
    MltSatz e = linie.Eintrag();
    e.MltObj = t.obj;
    e.MltMdtDat = t.dat;
    e.MltMdtUhr = t.uhr;
    e.MltPbe = t.pbe;
    ASSERT_EQ(linie.Neu(e, "Test"), 0);
  }
  ASSERT_EQ(linie.Anzahl(), std::size(texte));
  for (size_t i = 0; i < linie.Anzahl(); ++i) {
    const MltSatz e = linie.Eintrag(i);
    EXPECT_EQ(e.MltLfn, static_cast<int>(i));
    EXPECT_EQ(e.MltObj, texte[i].obj);
    EXPECT_EQ(e.MltMdtDat, texte[i].dat);
    EXPECT_EQ(linie.Datum(i), texte[i].dat);
    EXPECT_EQ(e.MltMdtUhr, texte[i].uhr);
    EXPECT_EQ(linie.Uhr(i), texte[i].uhr);
    EXPECT_EQ(e.MltPbe, texte[i].pbe);
    EXPECT_STREQ(linie.Funktion(i), "Test");
  }
}

class DlzZeitlinieTest : public DlzTest {
 protected:
  // The base row of a machine message of APL01 on `dat`/`uhr`, with begin
  // and end set as the message phase would set them.
  NzaSatz Basis(const std::string& von, const std::string& bis, const std::string& apl = "APL01") {
    MelSatz m = Maschine(1, "BS", von, "070000");
    m.KeyApl = apl;
    NzaSatz b = Dlz_Basis(m);
    b.NzaEdtDat = bis;
    b.NzaEdtUhr = "120000";
    return b;
  }
};
QV_DB_TEST_SUITE(DlzZeitlinieTest);

TEST_P(DlzZeitlinieTest, MessagesInInstantOrderWithAClosingStopWhileRunning) {
  Insert(Maschine(3, "BS", "20261202", "110000"));
  Insert(Maschine(2, "ES", "20261201", "100000"));
  Insert(Maschine(1, "BS", "20261201", "070000"));
  // Not of this workplace or not a machine message.
  MelSatz fremd = Maschine(5, "ES", "20261201", "080000");
  fremd.KeyApl = "APL02";
  Insert(fremd);
  MelSatz auftrag = Maschine(6, "ES", "20261201", "090000");
  auftrag.ObjTyp = "M_A";
  Insert(auftrag);

  NzaSatz b = Dlz_Basis(Maschine(2, "ES", "20261201", "100000"));
  int lfn = -1;
  EXPECT_EQ(Mlt_MVon_Meldung(kDlzStempel, b, lfn), 1);
  EXPECT_EQ(lfn, 3);
  EXPECT_EQ(b.NzaDtmDat + b.NzaDtmUhr, "20261201070000");
  EXPECT_EQ(b.NzaEdtDat + b.NzaEdtUhr, "20261208101500");
  // Message fields as the messages have them; the closing stop at the run
  // stamp with the last message's fields.
  EXPECT_EQ(Zeitlinie("MltLfn,MltObj,MltMdt,MltPnr,MltApl,MltApk,MltApp,MltUbg,MltArg,MltEmo,"
                      "Mlt00E,MltWoc"),
            (DlzZeilen{"0|BS|2026-12-01 07:00:00|        |APL01|A1000|0010|U1|<null>|<null>|"
                       "<null>|0",
                       "1|ES|2026-12-01 10:00:00|        |APL01|A1000|0010|U2|<null>|<null>|"
                       "<null>|0",
                       "2|BS|2026-12-02 11:00:00|        |APL01|A1000|0010|U3|<null>|<null>|"
                       "<null>|0",
                       "3|ES|2026-12-08 10:15:00|        |APL01|A1000|0010|U3|<null>|<null>|"
                       "<null>|0"}));
  EXPECT_EQ(LogText(), "");
}

TEST_P(DlzZeitlinieTest, StoppedMachineEndsAtItsLastMessage) {
  Insert(Maschine(1, "BS", "20261201", "070000"));
  Insert(Maschine(2, "ES", "20261201", "100000"));
  Insert(Maschine(3, "XY", "20261201", "110000"));  // another kind changes no state
  NzaSatz b = Dlz_Basis(Maschine(1, "BS", "20261201", "070000"));
  int lfn = -1;
  EXPECT_EQ(Mlt_MVon_Meldung(kDlzStempel, b, lfn), 1);
  EXPECT_EQ(b.NzaEdtDat + b.NzaEdtUhr, "20261201110000");
  EXPECT_EQ(Zeitlinie(), (DlzZeilen{"0|BS|2026-12-01 07:00:00", "1|ES|2026-12-01 10:00:00",
                                    "2|XY|2026-12-01 11:00:00"}));
}

TEST_P(DlzZeitlinieTest, WorkplaceWithoutMachineMessagesWritesNothing) {
  MelSatz auftrag = Maschine(1, "BS", "20261201", "070000");
  auftrag.ObjTyp = "M_A";
  Insert(auftrag);
  NzaSatz b = Dlz_Basis(Maschine(1, "BS", "20261205", "070000"));
  int lfn = -1;
  EXPECT_EQ(Mlt_MVon_Meldung(kDlzStempel, b, lfn), 0);
  EXPECT_EQ(lfn, -1);
  EXPECT_EQ(b.NzaDtmDat + b.NzaDtmUhr + "|" + b.NzaEdtDat, "20261205070000|");
  EXPECT_TRUE(Zeitlinie().empty());
}

TEST_P(DlzZeitlinieTest, FailedInsertIsLoggedAndLeavesTheMachineState) {
  Insert(Maschine(1, "BS", "20261201", "070000"));
  Insert(Maschine(2, "ES", "20261201", "100000"));
  Insert(Maschine(3, "BS", "20261202", "110000"));
  // Statements: the cursor's open, then one insert per message.
  DbFehlerPlan plan;
  plan.nth = 4;
  plan.nthStatus = DB_TOO_WIDE;
  Db_SetFaultPlanForTest(plan);
  NzaSatz b = Dlz_Basis(Maschine(1, "BS", "20261201", "070000"));
  int lfn = -1;
  EXPECT_EQ(Mlt_MVon_Meldung(kDlzStempel, b, lfn), 1);
  Db_ClearFaultPlanForTest();
  // The lost start does not count: no closing stop, the end is the last message.
  EXPECT_EQ(lfn, 2);
  EXPECT_EQ(b.NzaEdtDat + b.NzaEdtUhr, "20261202110000");
  EXPECT_EQ(Zeitlinie(), (DlzZeilen{"0|BS|2026-12-01 07:00:00", "1|ES|2026-12-01 10:00:00"}));
  EXPECT_EQ(LogText(), Korr_LogEntry("Mlt_PKeyIns", "Mlt_MVon_Meldung", DB_TOO_WIDE));
}

TEST_P(DlzZeitlinieTest, NoRowWrittenMeansNoEvaluation) {
  Insert(Maschine(1, "BS", "20261201", "070000"));
  DbFehlerPlan plan;
  plan.operations["Mlt_PKeyIns"] = DB_NOT_CONNECTED;
  Db_SetFaultPlanForTest(plan);
  NzaSatz b = Dlz_Basis(Maschine(1, "BS", "20261201", "070000"));
  int lfn = -1;
  EXPECT_EQ(Mlt_MVon_Meldung(kDlzStempel, b, lfn), 0);
  EXPECT_EQ(LogText(), Korr_LogEntry("Mlt_PKeyIns", "Mlt_MVon_Meldung", DB_NOT_CONNECTED));
}

TEST_P(DlzZeitlinieTest, FailingClosingStopAndFailingCursorAreLogged) {
  Insert(Maschine(1, "BS", "20261201", "070000"));
  DbFehlerPlan plan;
  plan.nth = 3;  // open, the start, the closing stop
  plan.nthStatus = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  NzaSatz b = Dlz_Basis(Maschine(1, "BS", "20261201", "070000"));
  int lfn = -1;
  EXPECT_EQ(Mlt_MVon_Meldung(kDlzStempel, b, lfn), 1);
  EXPECT_EQ(b.NzaEdtDat + b.NzaEdtUhr, "20261208101500");
  EXPECT_EQ(Zeitlinie(), DlzZeilen{"0|BS|2026-12-01 07:00:00"});

  plan = DbFehlerPlan{};
  plan.operations["Mel_AplCur"] = DB_NOT_CONNECTED;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Mlt_MVon_Meldung("20261208101501", b, lfn), 0);
  EXPECT_EQ(LogText(), Korr_LogEntry("Mlt_PKeyIns", "Mlt_M_Meldung", DB_BUSY) +
                           Korr_LogEntry("Mel_AplCur", "Mlt_MVon_Meldung", DB_NOT_CONNECTED));
}

TEST_P(DlzZeitlinieTest, NightShiftBoundariesCrossMidnight) {
  ASSERT_EQ(Exec(Test_AemSql({.apg = "APL01", .kng = 2, .emo = "NACHT"}) +
                 Modell("NACHT", 1320, 360, {{120, 150}})),
            "");
  NzaSatz b = Basis("20261202", "20261202");
  int lfn = 9;
  Mlt_M_BDE(kDlzStempel, b, lfn);
  EXPECT_EQ(lfn, 17);
  // From the day before the first message to the day of the last.
  EXPECT_EQ(Zeitlinie(), (DlzZeilen{"10|KM|2026-12-01 22:00:00", "11|GH|2026-12-02 06:00:00",
                                    "12|BP|2026-12-02 02:00:00", "13|EP|2026-12-02 02:30:00",
                                    "14|KM|2026-12-02 22:00:00", "15|GH|2026-12-03 06:00:00",
                                    "16|BP|2026-12-03 02:00:00", "17|EP|2026-12-03 02:30:00"}));
  // Shift model, day type and calendar data of the day, flags "0", order,
  // operation and person of the base row; no booked person, no shift group.
  EXPECT_EQ(Zeitlinie("MltEmo,MltTtp,MltWoc,MltWtg,MltJtg,MltJwo,Mlt00E,Mlt00R,Mlt00A,Mlt00U,"
                      "Mlt00S,MltBkg,MltPbe,MltApl,MltApk,MltApp,MltPnr,MltArg,MltUbg")[3],
            "NACHT|AT|49|2|335|2026|0|0|0|0|0|0|0|APL01|A1000|0010|00000000|<null>|<null>");
  EXPECT_EQ(LogText(), "");
}

// The first calendar day has no day before: the days start with it.
TEST_P(DlzZeitlinieTest, MidnightShiftsAndTwoBreaksInOneShift) {
  ASSERT_EQ(Exec(Test_AemSql({.apg = "APL01", .kng = 2, .emo = "TAG"}) +
                 Test_AemSql({.apg = "APL01", .kng = 2, .emo = "FRUEH"}) +
                 Modell("TAG", 360, 1440, {{540, 555}, {720, 750}}) +
                 Modell("FRUEH", 0, 480, {{120, 135}})),
            "");
  NzaSatz b = Basis("20261128", "20261128");
  int lfn = -1;
  Mlt_M_BDE(kDlzStempel, b, lfn);
  // A shift that begins at midnight is a shift like any other.
  EXPECT_EQ(Zeitlinie("MltLfn,MltEmo,MltObj,MltMdt"),
            (DlzZeilen{"0|FRUEH|KM|2026-11-28 00:00:00", "1|FRUEH|GH|2026-11-28 08:00:00",
                       "2|FRUEH|BP|2026-11-28 02:00:00", "3|FRUEH|EP|2026-11-28 02:15:00",
                       "4|TAG|KM|2026-11-28 06:00:00", "5|TAG|GH|2026-11-28 23:59:59",
                       "6|TAG|BP|2026-11-28 09:00:00", "7|TAG|EP|2026-11-28 09:15:00",
                       "8|TAG|BP|2026-11-28 12:00:00", "9|TAG|EP|2026-11-28 12:30:00"}));
}

TEST_P(DlzZeitlinieTest, OwnAssignmentHidesTheGroupsForThatDay) {
  ASSERT_EQ(
      Exec(Test_AemSql({.emo = "GRP"}) +
           Test_AemSql(
               {.apg = "APL01", .kng = 2, .emo = "EIG", .gvo = "20261202", .gbi = "20261202"}) +
           Modell("GRP", 360, 840, {{540, 555}}) + Modell("EIG", 480, 960, {{600, 610}})),
      "");
  NzaSatz b = Basis("20261202", "20261203");
  int lfn = -1;
  Mlt_M_BDE(kDlzStempel, b, lfn);
  EXPECT_EQ(Zeitlinie("MltEmo,MltObj,MltMdt"),
            (DlzZeilen{"GRP|KM|2026-12-01 06:00:00", "GRP|GH|2026-12-01 14:00:00",
                       "GRP|BP|2026-12-01 09:00:00", "GRP|EP|2026-12-01 09:15:00",
                       "EIG|KM|2026-12-02 08:00:00", "EIG|GH|2026-12-02 16:00:00",
                       "EIG|BP|2026-12-02 10:00:00", "EIG|EP|2026-12-02 10:10:00",
                       "GRP|KM|2026-12-03 06:00:00", "GRP|GH|2026-12-03 14:00:00",
                       "GRP|BP|2026-12-03 09:00:00", "GRP|EP|2026-12-03 09:15:00"}));
}

TEST_P(DlzZeitlinieTest, UnknownWorkplaceIsLoggedForEachDay) {
  NzaSatz b = Basis("20261202", "20261202", "APL99");
  int lfn = -1;
  Mlt_M_BDE(kDlzStempel, b, lfn);
  EXPECT_TRUE(Zeitlinie().empty());
  std::string eintrag = Korr_LogEntry("Apl_PKeyReadk", "Mlt_M_BDE", DB_NOT_FOUND);
  EXPECT_EQ(LogText(), eintrag + eintrag);
}

TEST_P(DlzZeitlinieTest, EndOfTheCalendarEndsTheDays) {
  ASSERT_EQ(Exec(Test_AemSql({.emo = "GRP"}) + Modell("GRP", 360, 840, {{540, 555}})), "");
  NzaSatz b = Basis("20261209", "20261212");
  int lfn = -1;
  Mlt_M_BDE(kDlzStempel, b, lfn);
  EXPECT_EQ(Rows("select MltMdt from Qvt561Mlt where MltObj='KM' order by MltMdt"),
            (DlzZeilen{"2026-12-08 06:00:00", "2026-12-09 06:00:00", "2026-12-10 06:00:00"}));
  EXPECT_EQ(LogText(), Korr_LogEntry("Datum_Tage", "Mlt_M_BDE", DB_NOT_FOUND));
}

TEST_P(DlzZeitlinieTest, EachFailedBoundaryIsLoggedAndTheOthersWritten) {
  ASSERT_EQ(Exec(Modell("GRP", 360, 840, {{540, 555}})), "");
  AemTagSatz tag;
  tag.AemEmo = "GRP";
  tag.KalBtp = "AT";
  NzaSatz b = Basis("20261201", "20261201");
  const char* namen[] = {"BDE_Eckwerte: Kommen", "BDE_Eckwerte: Gehen", "BDE_Eckwerte: Pausebeginn",
                         "BDE_Eckwerte: Pauseende"};
  std::string log;
  for (int i = 0; i < 4; ++i) {
    ASSERT_EQ(Exec("delete from Qvt561Mlt"), "");
    DbFehlerPlan plan;
    plan.nth = 2 + i;  // the open, then KM, GH, BP, EP
    plan.nthStatus = DB_TOO_WIDE;
    Db_SetFaultPlanForTest(plan);
    int lfn = -1;
    EXPECT_EQ(BDE_Eckwerte(kDlzStempel, tag, "20261201", b, lfn), DB_OK);
    Db_ClearFaultPlanForTest();
    EXPECT_EQ(lfn, 3);
    DlzZeilen alle{"0|KM|2026-12-01 06:00:00", "1|GH|2026-12-01 14:00:00",
                   "2|BP|2026-12-01 09:00:00", "3|EP|2026-12-01 09:15:00"};
    alle.erase(alle.begin() + i);
    EXPECT_EQ(Zeitlinie(), alle) << namen[i];
    log += Korr_LogEntry("Mlt_PKeyIns", namen[i], DB_TOO_WIDE);
  }
  EXPECT_EQ(LogText(), log);

  DbFehlerPlan plan;
  plan.operations["Emo_OpenPms"] = DB_NO_TABLE;
  Db_SetFaultPlanForTest(plan);
  int lfn = -1;
  EXPECT_EQ(BDE_Eckwerte(kDlzStempel, tag, "20261201", b, lfn), DB_NO_TABLE);
  EXPECT_EQ(LogText(), log + Korr_LogEntry("Emo_OpenPms", "BDE_Eckwerte", DB_NO_TABLE));
}

// The driver ---------------------------------------------------------------

class DlzAuswertungTest : public DlzTest {
 protected:
  // A record of another evaluation run, to be replaced or kept.
  std::string Alt(int sa, const std::string& apl, const std::string& dtm) {
    return "insert into Qvt590Nza (NzaSa,NzaApl,NzaApk,NzaApp,NzaPnr,NzaDtm,NzaErf) values (" +
           std::to_string(sa) + ",'" + apl + "','000000000000','00000',NULL,'" + dtm + "','ALT');";
  }
  DlzZeilen AlteSaetze() {
    return Rows(
        "select NzaSa,NzaApl,NzaDtm from Qvt590Nza where NzaErf='ALT' "
        "order by NzaSa,NzaApl");
  }
};
QV_DB_TEST_SUITE(DlzAuswertungTest);

// Shift 06:00-14:00 with a break 09:00-09:15 every day. The machine runs
// 07:00-10:00 on 1 December, and from 13:00 on 2 December until now
// (8 December 10:15).
TEST_P(DlzAuswertungTest, RebuildsTheWorkplacesRecords) {
  Parameter(5, 1, 0);
  ASSERT_EQ(Exec(Test_AemSql({.emo = "GRP"}) + Modell("GRP", 360, 840, {{540, 555}}) +
                 Alt(13, "APL01", "2026-11-01 07:00:00") + Alt(13, "APL02", "2026-11-01 07:00:00") +
                 Alt(4, "APL01", "2026-11-01 07:00:00")),
            "");
  Insert(Maschine(1, "BS", "20261201", "070000"));
  Insert(Maschine(2, "ES", "20261201", "100000"));
  Insert(Maschine(3, "BS", "20261202", "130000"));

  Dlz_Auswertung(Maschine(2, "ES", "20261201", "100000"));

  // Second period: 1 h on 2 December, 8 h (15 min break) on each of the
  // five days 3 to 7 December, 4 h 15 min (15 min break) on 8 December.
  // Running 162900 s = 2715 min, break 5400 s = 90 min, work 2625 min.
  EXPECT_EQ(Saetze(),
            (DlzZeilen{"APL01|000000000000|00000|<null>|2026-12-01 07:00:00|BG|"
                       "2026-12-01 10:00:00|EG|U1|16500|16500|18000|1500|18000|DlzStd",
                       "APL01|000000000000|00000|<null>|2026-12-02 13:00:00|BG|"
                       "2026-12-08 10:15:00|EG|U3|262500|262500|271500|9000|271500|DlzStd"}));
  // Every other field 0 or empty; the stops were messages, without shift data.
  EXPECT_EQ(Rows("select NzaBeg,NzaBbn,NzaEnd,NzaRau,NzaFnr,NzaEmo,NzaTtp,NzaJwo,NzaWtg,NzaNzr,"
                 "NzaSol,NzaTnr from Qvt590Nza where NzaErf='DlzStd' order by NzaEdt"),
            (DlzZeilen{"0|0|0|0|0|<null>|<null>|<null>|0|0|0|<null>",
                       "0|0|0|0|0|<null>|<null>|<null>|0|0|0|<null>"}));
  // The workplace's old kind-13 record is gone, the others stay.
  EXPECT_EQ(AlteSaetze(),
            (DlzZeilen{"4|APL01|2026-11-01 07:00:00", "13|APL02|2026-11-01 07:00:00"}));
  EXPECT_EQ(Rows("select count(*) from Qvt561Mlt"), DlzZeilen{"0"});
  EXPECT_EQ(LogText(), "");
}

TEST_P(DlzAuswertungTest, WithoutParameterFiveNoRecordIsWrittenOrDeleted) {
  ASSERT_EQ(Exec(Test_AemSql({.emo = "GRP"}) + Modell("GRP", 360, 840, {{540, 555}}) +
                 Alt(13, "APL01", "2026-11-01 07:00:00")),
            "");
  Insert(Maschine(1, "BS", "20261201", "070000"));
  Insert(Maschine(2, "ES", "20261201", "100000"));
  Dlz_Auswertung(Maschine(1, "BS", "20261201", "070000"));
  EXPECT_EQ(AlteSaetze(), DlzZeilen{"13|APL01|2026-11-01 07:00:00"});
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza"), DlzZeilen{"1"});
  EXPECT_EQ(Rows("select count(*) from Qvt561Mlt"), DlzZeilen{"0"});
  EXPECT_EQ(LogText(), "");
}

TEST_P(DlzAuswertungTest, WorkplaceWithoutMachineMessagesOnlyLosesItsRecords) {
  Parameter(5, 1, 0);
  ASSERT_EQ(Exec(Alt(13, "APL01", "2026-11-01 07:00:00")), "");
  Dlz_Auswertung(Maschine(1, "BS", "20261201", "070000"));
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza"), DlzZeilen{"0"});
  EXPECT_EQ(Rows("select count(*) from Qvt561Mlt"), DlzZeilen{"0"});
  EXPECT_EQ(LogText(), "");
  // Nothing left to delete: the delete's "no row" is reported.
  Dlz_Loeschen(Maschine(1, "BS", "20261201", "070000"));
  EXPECT_EQ(LogText(), Korr_LogEntry("Nza_SA_Del (SA_M)", "Nza_M_A_Loeschen", DB_NOT_FOUND));
}

}  // namespace
