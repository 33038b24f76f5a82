// Runtime evaluation driver: deletion, event list, shift entries and the
// whole rebuild of one workplace, order and operation.
#include "eval/runtime/LzaAuswertung.h"

#include <gtest/gtest.h>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "eval/runtime/LzaFixture.h"
#include "support/Builders.h"

namespace {

class LzaAuswertungTest : public LzaTest {
 protected:
  // The work record of APL01 / A1000 / 0010 as the driver builds it.
  NzaSatz Arbeit(const std::string& apl = "APL01") {
    return Test_Nza({.sa = 4, .apl = apl, .pnr = "        "});
  }
  // The shift fields of the work record's copy for model `emo` on 20261201.
  NzaSatz Kopie(const std::string& emo) {
    NzaSatz k = Arbeit();
    k.NzaEmo = emo;
    k.NzaTtp = "AT";
    k.NzaWoc = 49;
    k.NzaWtg = 2;
    k.NzaJtg = 335;
    k.NzaJwo = "2026";
    return k;
  }
  // A shift model `emo` of day type "AT" with shift text `text` and one
  // break scheme `pms` with the given breaks.
  void Modell(const std::string& emo, const std::string& text, int beg, int end,
              const std::string& pms, std::initializer_list<std::pair<int, int>> pausen) {
    std::string sql =
        Test_EmoSql({.emo = emo, .beg = beg, .end = end, .pmo = "P" + emo, .txt = text}) +
        Test_PmzSql({.pmo = "P" + emo, .pms = pms});
    for (auto [b, e] : pausen) sql += Test_PmsSql({.num = pms, .beg = b, .end = e});
    ASSERT_EQ(Exec(sql), "");
  }
  // The rows of the table apart from the change instant, in key order.
  LzaZeilen Alles() {
    return Rows(
        "select NzaSa,NzaApl,NzaApk,NzaApp,NzaPnr,NzaDtm,NzaBeg,NzaBbn,NzaBln,NzaBmk,NzaEdt,"
        "NzaEnd,NzaEbn,NzaEln,NzaEmk,NzaUbg,NzaRau,NzaVar,Nza00A,Nza00U,Nza00S,NzaEmo,NzaWtg,"
        "NzaJtg,NzaTtp,NzaJwo,NzaWoc,NzaPzm,NzaMaz,NzaNzr,NzaBzr,NzaUzr,NzaPzr,NzaRbz,NzaNza,"
        "NzaBzA,NzaUza,NzaPza,NzaAbz,NzaNzu,NzaBzu,NzaPzu,NzaUbz,NzaSol,NzaIst,NzaPau,NzaRf1,"
        "NzaRf2,NzaRf3,NzaFnr,NzaErf,NzaGum,NzaAum,NzaTnr from Qvt590Nza "
        "order by NzaSa,NzaApl,NzaPnr,NzaDtm");
  }
  // The entries of the list with instant and person/shift text only.
  LzaZeilen KurzListe() {
    return Rows("select MltObj,MltMdt,MltArg from Qvt561Mlt where MltErf='LzaStd' and MltDat='" +
                std::string(kLzaStempel) + "' order by MltMdt,MltLfn");
  }
};
QV_DB_TEST_SUITE(LzaAuswertungTest);

// Event list of the messages

TEST_P(LzaAuswertungTest, MessagesOfTheKeyFormTheListInTimeOrder) {
  Meldung(2, "AE", "20261201", "080000");
  Meldung(1, "AB", "20261201", "070000");
  Meldung(3, "AT", "20261201", "090000");
  Meldung(4, "AB", "20261201", "100000", "APL02");  // another workplace
  MelSatz mpa = Test_Mel({.bnr = 2, .uhr = "073000"});
  mpa.ObjTyp = "MPA";  // another object type
  ASSERT_EQ(Mel_PKeyIns(mpa), DB_OK);
  NzaSatz a = Arbeit();
  int zaehler = 10;
  EXPECT_EQ(Mlt_M_A_Meldung(kLzaStempel, a, zaehler), 1);
  EXPECT_EQ(zaehler, 13);
  // The "AT" after the "AE" leaves no phase open: the end is the last message.
  EXPECT_EQ(Liste(), (LzaZeilen{"11|AB|2026-12-01 07:00:00|        |<null>|<null>|0|0|0|<null>",
                                "12|AE|2026-12-01 08:00:00|        |<null>|<null>|0|0|0|<null>",
                                "13|AT|2026-12-01 09:00:00|        |<null>|<null>|0|0|0|<null>"}));
  EXPECT_EQ(Rows("select MltPnr,MltApl,MltApk,MltApp,MltUbg,Mlt00E,MltPbe from Qvt561Mlt "
                 "where MltLfn=11"),
            LzaZeilen{"        |APL01|A1000|0010|U7|<null>|<null>"});
  EXPECT_EQ(a.NzaDtmDat + a.NzaDtmUhr, "20261201070000");
  EXPECT_EQ(a.NzaEdtDat + a.NzaEdtUhr, "20261201090000");
  EXPECT_EQ(LogText(), "");
}

TEST_P(LzaAuswertungTest, OpenPhaseIsClosedAtTheRunInstant) {
  Meldung(1, "RB", "20261201", "061000");
  Meldung(2, "AT", "20261201", "090000");  // leaves the setup open
  NzaSatz a = Arbeit();
  int zaehler = 0;
  EXPECT_EQ(Mlt_M_A_Meldung(kLzaStempel, a, zaehler), 1);
  EXPECT_EQ(Liste(), (LzaZeilen{"1|RB|2026-12-01 06:10:00|        |<null>|<null>|0|0|0|<null>",
                                "2|AT|2026-12-01 09:00:00|        |<null>|<null>|0|0|0|<null>",
                                "3|AE|2026-12-08 10:15:00|        |<null>|<null>|0|0|0|<null>",
                                "4|RE|2026-12-08 10:15:00|        |<null>|<null>|0|0|0|<null>"}));
  EXPECT_EQ(Rows("select MltPnr,MltApl,MltUbg from Qvt561Mlt where MltLfn>2"),
            (LzaZeilen{"        |APL01|U7", "        |APL01|U7"}));
  EXPECT_EQ(a.NzaDtmDat + a.NzaDtmUhr, "20261201061000");
  EXPECT_EQ(a.NzaEdtDat + a.NzaEdtUhr, kLzaStempel);

  // An open work phase after an ended setup is closed by the work end alone.
  ASSERT_EQ(Exec("delete from Qvt561Mlt"), "");
  Meldung(3, "RE", "20261201", "095000");
  Meldung(4, "AB", "20261201", "100000");
  zaehler = 0;
  EXPECT_EQ(Mlt_M_A_Meldung(kLzaStempel, a, zaehler), 1);
  EXPECT_EQ(KurzListe(),
            (LzaZeilen{"RB|2026-12-01 06:10:00|        ", "AT|2026-12-01 09:00:00|        ",
                       "RE|2026-12-01 09:50:00|        ", "AB|2026-12-01 10:00:00|        ",
                       "AE|2026-12-08 10:15:00|        "}));
  EXPECT_EQ(LogText(), "");
}

TEST_P(LzaAuswertungTest, NoMessageOrAFailedCursorGivesNoList) {
  NzaSatz a = Arbeit();
  int zaehler = 0;
  EXPECT_EQ(Mlt_M_A_Meldung(kLzaStempel, a, zaehler), 0);
  EXPECT_EQ(zaehler, 0);
  EXPECT_EQ(LogText(), "");

  Meldung(1, "AB", "20261201", "070000");
  Db_SetFaultPlanForTest({0, 0, {{"Mel_AplAppCur", DB_NOT_CONNECTED}}});
  EXPECT_EQ(Mlt_M_A_Meldung(kLzaStempel, a, zaehler), 0);
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Liste(), LzaZeilen{});
  EXPECT_EQ(LogText(), Log("Mel_AplAppCur", "Mlt_M_A_Meldung", DB_NOT_CONNECTED));

  // A failed read ends the list like its end.
  Db_SetFaultPlanForTest({0, 0, {{"Mel_AplAppCur.Fetch", DB_OTHER}}});
  EXPECT_EQ(Mlt_M_A_Meldung(kLzaStempel, a, zaehler), 0);
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(LogText(), Log("Mel_AplAppCur", "Mlt_M_A_Meldung", DB_NOT_CONNECTED) +
                           Log("Cursor-Read fehlgeschlagen", "Mlt_M_A_Meldung", DB_OTHER));
}

// Shift entries

TEST_P(LzaAuswertungTest, NightShiftAndItsBreakLieOnTheNextDay) {
  Modell("NACHT", "Nacht", 1320, 300, "S2", {{60, 90}});
  int zaehler = 5;
  BDE_Eckwerte(kLzaStempel, Kopie("NACHT"), "20261201", zaehler);
  EXPECT_EQ(Liste(), (LzaZeilen{"6|KM|2026-12-01 22:00:00|Nacht|NACHT|AT|49|2|335|2026",
                                "7|GH|2026-12-02 05:00:00|Nacht|NACHT|AT|49|2|335|2026",
                                "8|BP|2026-12-02 01:00:00|Nacht|NACHT|AT|49|2|335|2026",
                                "9|EP|2026-12-02 01:30:00|Nacht|NACHT|AT|49|2|335|2026"}));
  EXPECT_EQ(Rows("select distinct MltPnr,MltApl,MltApk,MltApp,Mlt00E,Mlt00R,Mlt00A,Mlt00U,"
                 "Mlt00S,MltBkg,MltPbe,MltUbg from Qvt561Mlt"),
            LzaZeilen{"        |APL01|A1000|0010|0|0|0|0|0|0|0|<null>"});
}

TEST_P(LzaAuswertungTest, ShiftToMidnightAndShiftWithTwoBreaks) {
  Modell("SPAET", "Spaet", 840, 1440, "S3", {{1080, 1110}});
  Modell("FRUEH2", "Frueh", 360, 840, "S4", {{540, 555}, {720, 750}});
  int zaehler = 0;
  BDE_Eckwerte(kLzaStempel, Kopie("SPAET"), "20261201", zaehler);
  BDE_Eckwerte(kLzaStempel, Kopie("FRUEH2"), "20261201", zaehler);
  EXPECT_EQ(KurzListe(),
            (LzaZeilen{"KM|2026-12-01 06:00:00|Frueh", "BP|2026-12-01 09:00:00|Frueh",
                       "EP|2026-12-01 09:15:00|Frueh", "BP|2026-12-01 12:00:00|Frueh",
                       "EP|2026-12-01 12:30:00|Frueh", "KM|2026-12-01 14:00:00|Spaet",
                       "GH|2026-12-01 14:00:00|Frueh", "BP|2026-12-01 18:00:00|Spaet",
                       "EP|2026-12-01 18:30:00|Spaet", "GH|2026-12-01 23:59:59|Spaet"}));
  EXPECT_EQ(zaehler, 10);
}

TEST_P(LzaAuswertungTest, ShiftEntryFailuresAreLoggedByEvent) {
  Modell("NACHT", "Nacht", 1320, 300, "S2", {{60, 90}});
  int zaehler = 0;
  Db_SetFaultPlanForTest({0, 0, {{"Mlt_PKeyIns", DB_TOO_WIDE}}});
  BDE_Eckwerte(kLzaStempel, Kopie("NACHT"), "20261201", zaehler);
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(zaehler, 4);
  EXPECT_EQ(LogText(), Log("Mlt_PKeyIns", "BDE_Eckwerte: Kommen", DB_TOO_WIDE) +
                           Log("Mlt_PKeyIns", "BDE_Eckwerte: Gehen", DB_TOO_WIDE) +
                           Log("Mlt_PKeyIns", "BDE_Eckwerte: Pausebeginn", DB_TOO_WIDE) +
                           Log("Mlt_PKeyIns", "BDE_Eckwerte: Pauseende", DB_TOO_WIDE));
}

TEST_P(LzaAuswertungTest, AFailedBreakCursorIsLoggedAndTheDaysGoOn) {
  Modell("NACHT", "Nacht", 1320, 300, "S2", {{60, 90}});
  int zaehler = 0;
  Db_SetFaultPlanForTest({0, 0, {{"Emo_OpenPms", DB_NO_TABLE}}});
  BDE_Eckwerte(kLzaStempel, Kopie("NACHT"), "20261201", zaehler);
  Db_ClearFaultPlanForTest();
  BDE_Eckwerte(kLzaStempel, Kopie("NACHT"), "20261202", zaehler);
  EXPECT_EQ(zaehler, 4);
  EXPECT_EQ(KurzListe().size(), 4u);
  EXPECT_EQ(LogText(), Log("Emo_OpenPms", "BDE_Eckwerte", DB_NO_TABLE));
}

TEST_P(LzaAuswertungTest, DaysFromTheDayBeforeTheBeginToTheEnd) {
  FruehSchicht();
  NzaSatz k = Arbeit();
  k.NzaDtmDat = "20261130";
  k.NzaDtmUhr = "230000";
  k.NzaEdtDat = "20261201";
  k.NzaEdtUhr = "010000";
  int zaehler = 0;
  Mlt_M_A_BDE(kLzaStempel, k, zaehler);
  EXPECT_EQ(Liste(), (LzaZeilen{"1|KM|2026-11-29 06:00:00|Frueh|FRUEH|AT|48|7|333|2026",
                                "2|GH|2026-11-29 14:00:00|Frueh|FRUEH|AT|48|7|333|2026",
                                "3|BP|2026-11-29 09:00:00|Frueh|FRUEH|AT|48|7|333|2026",
                                "4|EP|2026-11-29 09:15:00|Frueh|FRUEH|AT|48|7|333|2026",
                                "5|KM|2026-11-30 06:00:00|Frueh|FRUEH|AT|49|1|334|2026",
                                "6|GH|2026-11-30 14:00:00|Frueh|FRUEH|AT|49|1|334|2026",
                                "7|BP|2026-11-30 09:00:00|Frueh|FRUEH|AT|49|1|334|2026",
                                "8|EP|2026-11-30 09:15:00|Frueh|FRUEH|AT|49|1|334|2026",
                                "9|KM|2026-12-01 06:00:00|Frueh|FRUEH|AT|49|2|335|2026",
                                "10|GH|2026-12-01 14:00:00|Frueh|FRUEH|AT|49|2|335|2026",
                                "11|BP|2026-12-01 09:00:00|Frueh|FRUEH|AT|49|2|335|2026",
                                "12|EP|2026-12-01 09:15:00|Frueh|FRUEH|AT|49|2|335|2026"}));
  EXPECT_EQ(LogText(), "");
}

TEST_P(LzaAuswertungTest, GroupModelOnDaysWithoutOwnModelAndUnreadableWorkplace) {
  FruehSchicht();
  // APL02 has no model of its own; its group GRP2 has one (kind 1).
  ASSERT_EQ(Exec(Test_AplSql({.apl = "APL02", .apg = "GRP2"}) +
                 Test_AemSql({.apg = "GRP2", .emo = "GRUPPE"})),
            "");
  Modell("GRUPPE", "Gruppe", 300, 900, "S5", {{600, 610}});
  // The own model ends on 20261130: from 20261201 on APL01 takes its group's
  // model, but GRP1 has none.
  ASSERT_EQ(
      Exec("update Qvt532Aem set AemGbi=" + Test_DatumSql("20261130") + " where AemApg='APL01'"),
      "");
  NzaSatz k = Arbeit("APL02");
  k.NzaDtmDat = k.NzaEdtDat = "20261201";
  int zaehler = 0;
  Mlt_M_A_BDE(kLzaStempel, k, zaehler);
  k = Arbeit("APL01");
  k.NzaDtmDat = k.NzaEdtDat = "20261201";
  Mlt_M_A_BDE(kLzaStempel, k, zaehler);
  // A workplace that cannot be read: logged once per day, no entries.
  k = Arbeit("APL09");
  k.NzaDtmDat = k.NzaEdtDat = "20261201";
  Mlt_M_A_BDE(kLzaStempel, k, zaehler);
  EXPECT_EQ(KurzListe(),
            (LzaZeilen{"KM|2026-11-30 05:00:00|Gruppe", "KM|2026-11-30 06:00:00|Frueh",
                       "BP|2026-11-30 09:00:00|Frueh", "EP|2026-11-30 09:15:00|Frueh",
                       "BP|2026-11-30 10:00:00|Gruppe", "EP|2026-11-30 10:10:00|Gruppe",
                       "GH|2026-11-30 14:00:00|Frueh", "GH|2026-11-30 15:00:00|Gruppe",
                       "KM|2026-12-01 05:00:00|Gruppe", "BP|2026-12-01 10:00:00|Gruppe",
                       "EP|2026-12-01 10:10:00|Gruppe", "GH|2026-12-01 15:00:00|Gruppe"}));
  EXPECT_EQ(LogText(), Log("Apl_PKeyReadk", "Mlt_M_A_BDE", DB_NOT_FOUND) +
                           Log("Apl_PKeyReadk", "Mlt_M_A_BDE", DB_NOT_FOUND));
}

TEST_P(LzaAuswertungTest, DaysMissingFromTheCalendarAreStillStepped) {
  FruehSchicht();
  // The calendar lacks 20261201 and everything after 20261215.
  ASSERT_EQ(Exec("delete from QvSystem.Qvt133Bak where BakDtm=" + Test_DatumSql("20261201")), "");
  std::string d;
  EXPECT_TRUE(Lza_TagPlus("20261130", 1, d));
  EXPECT_EQ(d, "20261201");
  EXPECT_TRUE(Lza_TagPlus("20261215", 1, d));
  EXPECT_EQ(d, "20261216");
  EXPECT_TRUE(Lza_TagPlus("20261202", -1, d));
  EXPECT_EQ(d, "20261201");
  EXPECT_FALSE(Lza_TagPlus("kein Tag", 1, d));

  NzaSatz k = Arbeit();
  k.NzaDtmDat = "20261201";
  k.NzaEdtDat = "20261202";
  int zaehler = 0;
  Mlt_M_A_BDE(kLzaStempel, k, zaehler);
  EXPECT_EQ(Rows("select MltMdt from Qvt561Mlt where MltObj='KM' order by MltMdt"),
            (LzaZeilen{"2026-11-30 06:00:00", "2026-12-02 06:00:00"}));
}

// Deletion

TEST_P(LzaAuswertungTest, DeletionTakesTheKindsOfTheKeyAndTheOrderTotal) {
  NzaZeile(3, "APL01", "        ", "20261201", "080000", 1);
  NzaZeile(4, "APL01", "Frueh", "20261201", "060000", 1);
  NzaZeile(4, "APL01", "00:0024:00", "20261201", "000000", 1);
  NzaZeile(4, "APL01", "", "20261202", "060000", 1);  // no shift text
  NzaZeile(5, "APL01", "        ", "20261201", "061000", 1);
  NzaZeile(8, "          ", "        ", "20261201", "061000", 1);
  NzaZeile(4, "APL02", "Frueh", "20261201", "060000", 1);                      // another workplace
  NzaZeile(5, "APL01", "        ", "20261201", "061000", 1, "A1000", "0020");  // operation
  NzaZeile(8, "          ", "        ", "20261201", "061000", 1, "A2000");     // order
  Nza_M_A_Loeschen(Aufruf());
  EXPECT_EQ(Rows("select NzaSa,NzaApl,NzaApk,NzaApp from Qvt590Nza order by NzaSa,NzaApl"),
            (LzaZeilen{"3|APL01|A1000|0010", "4|APL02|A1000|0010", "5|APL01|A1000|0020",
                       "8|          |A2000|0010"}));
  EXPECT_EQ(LogText(), "");

  // With parameter 5 the interruption rows go too; a delete that finds no
  // row reports 1403 like any other status.
  Parameter(5, 1, 0);
  Nza_M_A_Loeschen(Aufruf());
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza where NzaSa=3"), LzaZeilen{"0"});
  EXPECT_EQ(LogText(), "");
  Nza_M_A_Loeschen(Aufruf());
  EXPECT_EQ(LogText(), Log("Nza_SA_Del (SA_C)", "Nza_M_A_Loeschen", DB_NOT_FOUND));
}

TEST_P(LzaAuswertungTest, DeletionFailuresAreLoggedAndTheNextRowIsTried) {
  Parameter(5, 1, 0);
  NzaZeile(3, "APL01", "        ", "20261201", "080000", 1);
  NzaZeile(4, "APL01", "Frueh", "20261201", "060000", 1);
  NzaZeile(4, "APL01", "Frueh", "20261202", "060000", 1);
  NzaZeile(5, "APL01", "        ", "20261201", "061000", 1);
  NzaZeile(8, "          ", "        ", "20261201", "061000", 1);
  Db_SetFaultPlanForTest({0, 0, {{"Nza_PKeyDel", DB_BUSY}, {"Nza_SA_Del", DB_BUSY}}});
  Nza_M_A_Loeschen(Aufruf());
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza"), LzaZeilen{"5"});
  EXPECT_EQ(LogText(), Log("Nza_SA_Del (SA_C)", "Nza_M_A_Loeschen", DB_BUSY) +
                           Log("Nza_PKeyDel (SA_D)", "Nza_M_A_Loeschen", DB_BUSY) +
                           Log("Nza_PKeyDel (SA_D)", "Nza_M_A_Loeschen", DB_BUSY) +
                           Log("Nza_PKeyDel (SA_E)", "Nza_M_A_Loeschen", DB_BUSY) +
                           Log("Nza_PKeyDel (SA_H)", "Nza_M_A_Loeschen", DB_BUSY));
}

// The whole rebuild

TEST_P(LzaAuswertungTest, RebuildOfShiftRowsAndSums) {
  FruehSchicht();
  Meldung(0, "RB", "20261201", "061000");
  Meldung(1, "RE", "20261201", "064000");
  Meldung(2, "AB", "20261201", "064000");
  Meldung(3, "AE", "20261201", "080000");
  NzaZeile(4, "APL01", "Frueh", "20261125", "060000", 500);  // stale
  NzaZeile(5, "APL01", "        ", "20261125", "060000", 500);
  NzaZeile(8, "          ", "        ", "20261125", "060000", 500);
  NzaZeile(5, "APL02", "        ", "20261130", "070000", 10.30);  // another workplace
  // A list of another run and of another evaluation stays.
  MltSatz fremd = Test_Mlt({.erf = "LzaStd", .dat = "20261208101459", .lfn = 1});
  ASSERT_EQ(Mlt_PKeyIns(fremd), DB_OK);
  fremd.MltErf = "DlzStd";
  fremd.MltDat = kLzaStempel;
  ASSERT_EQ(Mlt_PKeyIns(fremd), DB_OK);

  Lza_M_A_Auswertung(Aufruf());

  EXPECT_EQ(Kopf(4), LzaZeilen{"APL01|Frueh|2026-12-01 06:00:00|2026-12-01 14:00:00|BG|EG|0000|"
                               "FRUEH|AT|2026|49|2|335|LzaStd|T-A1000"});
  EXPECT_EQ(Dauern(4), LzaZeilen{"Frueh 2026-12-01 06:00:00: Nzr=30 Bzr=30 Nza=80 BzA=80"});
  EXPECT_EQ(Kopf(5), (LzaZeilen{"APL01|        |2026-12-01 06:10:00|2026-12-01 08:00:00|BG|EG|"
                                "<null>|<null>|<null>|<null>|0|0|0|LzaStd|T-A1000",
                                "APL02|        |2026-11-30 07:00:00|2026-11-30 23:59:59|<null>|"
                                "<null>|<null>|ALT|<null>|<null>|0|0|0|ALT|<null>"}));
  EXPECT_EQ(Dauern(5), (LzaZeilen{"         2026-12-01 06:10:00: Nzr=30 Bzr=30 Nza=80 BzA=80",
                                  "         2026-11-30 07:00:00: Nza=10.3 BzA=10.3"}));
  // The order total takes the other workplace's row as stored; its begin is
  // the first row's in workplace order.
  EXPECT_EQ(Kopf(8), LzaZeilen{"          |        |2026-12-01 06:10:00|<null>|BG|EG|<null>|"
                               "<null>|<null>|<null>|0|0|0|LzaStd|T-A1000"});
  EXPECT_EQ(Dauern(8), LzaZeilen{"         2026-12-01 06:10:00: Nzr=30 Bzr=30 Nza=90.3 BzA=90.3"});
  for (int sa : {4, 5, 8}) EXPECT_EQ(NichtNull(sa), LzaZeilen{}) << sa;
  EXPECT_EQ(Rows("select MltErf,MltDat from Qvt561Mlt order by MltErf"),
            (LzaZeilen{"DlzStd|20261208101500", "LzaStd|20261208101459"}));
  EXPECT_EQ(LogText(), "");

  // A second evaluation gives the very same rows.
  LzaZeilen erste = Alles();
  Lza_M_A_Auswertung(Aufruf());
  EXPECT_EQ(Alles(), erste);
  EXPECT_EQ(LogText(), "");
}

TEST_P(LzaAuswertungTest, OpenWorkRunsUntilTheRunInstantOverDaysAndNights) {
  FruehSchicht();
  Meldung(0, "RB", "20261201", "061000");
  Meldung(1, "AB", "20261201", "064000");
  Lza_M_A_Auswertung(Aufruf());
  LzaZeilen erwartet;
  for (int t = 1; t <= 7; ++t)  // the nights outside the shift
    erwartet.push_back("00:0024:00 2026-12-0" + std::to_string(t) + " 00:00:00: Nza=960 BzA=960");
  erwartet.push_back("Frueh 2026-12-01 06:00:00: Nzr=30 Bzr=30 Nza=425 BzA=440 Pza=15");
  for (int t = 2; t <= 7; ++t)
    erwartet.push_back("Frueh 2026-12-0" + std::to_string(t) + " 06:00:00: Nza=465 BzA=480 Pza=15");
  erwartet.push_back("Frueh 2026-12-08 06:00:00: Nza=240 BzA=255 Pza=15");
  EXPECT_EQ(Dauern(4), erwartet);
  EXPECT_EQ(Rows("select NzaDtm,NzaEdt from Qvt590Nza where NzaSa=5"),
            LzaZeilen{"2026-12-01 06:10:00|2026-12-08 10:15:00"});
  // 06:40 on the 1st to 10:15 on the 8th is 10295 minutes of work, of which
  // eight breaks of 15 minutes.
  EXPECT_EQ(Dauern(5), LzaZeilen{"         2026-12-01 06:10:00: Nzr=30 Bzr=30 Nza=10175 "
                                 "BzA=10295 Pza=120"});
  EXPECT_EQ(Dauern(8), LzaZeilen{"         2026-12-01 06:10:00: Nzr=30 Bzr=30 Nza=10175 "
                                 "BzA=10295 Pza=120"});
  EXPECT_EQ(Rows("select count(*) from Qvt561Mlt"), LzaZeilen{"0"});
  EXPECT_EQ(LogText(), "");
}

TEST_P(LzaAuswertungTest, InterruptionRowsAreRebuiltWithParameterFive) {
  Parameter(5, 1, 0);
  FruehSchicht();
  Meldung(0, "AB", "20261201", "070000");
  Meldung(1, "AU", "20261201", "080000");
  Meldung(2, "AW", "20261201", "082000");
  Meldung(3, "AE", "20261201", "090000");
  Lza_M_A_Auswertung(Aufruf());
  Lza_M_A_Auswertung(Aufruf());
  EXPECT_EQ(Kopf(3), LzaZeilen{"APL01|        |2026-12-01 08:00:00|2026-12-01 08:20:00|BG|EG|U7|"
                               "<null>|<null>|<null>|0|0|0|LzaStd|T-A1000"});
  EXPECT_EQ(Dauern(3), LzaZeilen{"         2026-12-01 08:00:00: Uza=20 Nzu=20 Bzu=20 Ubz=20"});
  EXPECT_EQ(Dauern(4),
            LzaZeilen{"Frueh 2026-12-01 06:00:00: Nza=100 BzA=100 Uza=20 Nzu=20 Bzu=20"});
  // The sums take the eight summed columns only.
  EXPECT_EQ(Dauern(5), LzaZeilen{"         2026-12-01 07:00:00: Nza=100 BzA=100 Uza=20"});
  // The first evaluation found no interruption row to delete.
  EXPECT_EQ(LogText(), Log("Nza_SA_Del (SA_C)", "Nza_M_A_Loeschen", DB_NOT_FOUND));
}

TEST_P(LzaAuswertungTest, LastMessageGoneLeavesOnlyTheOtherWorkplacesTotal) {
  Parameter(5, 1, 0);
  NzaZeile(3, "APL01", "        ", "20261201", "080000", 1);
  NzaZeile(4, "APL01", "Frueh", "20261201", "060000", 1);
  NzaZeile(5, "APL01", "        ", "20261201", "061000", 20.15);
  NzaZeile(8, "          ", "        ", "20261201", "061000", 30.45);
  Lza_M_A_Auswertung(Aufruf());
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza"), LzaZeilen{"0"});
  EXPECT_EQ(LogText(), "");

  // Another workplace still has a runtime of the operation: its total stays.
  NzaZeile(4, "APL01", "Frueh", "20261201", "060000", 1);
  NzaZeile(5, "APL01", "        ", "20261201", "061000", 20.15);
  NzaZeile(5, "APL02", "        ", "20261130", "070000", 10.30);
  NzaZeile(8, "          ", "        ", "20261130", "061000", 30.45);
  Lza_M_A_Auswertung(Aufruf());
  EXPECT_EQ(Rows("select NzaSa,NzaApl from Qvt590Nza order by NzaSa"),
            (LzaZeilen{"5|APL02", "8|          "}));
  EXPECT_EQ(Dauern(8), LzaZeilen{"         2026-11-30 07:00:00: Nza=10.3 BzA=10.3"});
  EXPECT_EQ(LogText(), Log("Nza_SA_Del (SA_C)", "Nza_M_A_Loeschen", DB_NOT_FOUND));
}

TEST_P(LzaAuswertungTest, FailingListEntriesStopTheRebuildAfterTheDeletion) {
  FruehSchicht();
  Meldung(0, "AB", "20261201", "070000");
  Meldung(1, "AE", "20261201", "080000");
  NzaZeile(4, "APL01", "Frueh", "20261201", "060000", 1);
  Db_SetFaultPlanForTest({0, 0, {{"Mlt_PKeyIns", DB_NOT_NULL}}});
  Lza_M_A_Auswertung(Aufruf());
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza"), LzaZeilen{"0"});
  EXPECT_EQ(Rows("select count(*) from Qvt561Mlt"), LzaZeilen{"0"});
  EXPECT_EQ(LogText(), Log("Mlt_PKeyIns", "Mlt_M_A_Meldung", DB_NOT_NULL) +
                           Log("Mlt_PKeyIns", "Mlt_M_A_Meldung", DB_NOT_NULL));
}

}  // namespace
