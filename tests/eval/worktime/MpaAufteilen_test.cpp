// Splitting of long work and interruption spans at the person's arrivals and
// departures, and the shift search of a piece.
#include "eval/worktime/MpaAufteilen.h"

#include <gtest/gtest.h>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "eval/worktime/MpaFixture.h"
#include "support/Builders.h"

namespace {

class MpaAufteilenTest : public MpaTest {
 protected:
  // A closed row of P1 as the replay leaves it, stored and returned.
  NzaSatz Geschlossen(int sa, const std::string& beg, const std::string& end,
                      const std::string& bmk, const std::string& emk) {
    NzaSatz o = Test_Nza({.sa = sa,
                          .pnr = "P1",
                          .beg = beg,
                          .end = end,
                          .bmk = bmk,
                          .emk = emk,
                          .emo = "ALT",
                          .erf = "MldToNza"});
    o.NzaBeg = o.NzaEnd = 1;
    o.NzaBbn = 11;
    o.NzaBln = 1;
    o.NzaEbn = 12;
    o.NzaEln = 2;
    o.NzaRau = 3;
    o.NzaUbg = "U1";
    o.NzaTtp = "ALT";
    o.NzaMaz = 5;
    o.NzaTnr = "T-100";
    EXPECT_EQ(Nza_PKeyIns(o), DB_OK);
    return o;
  }
  // Pieces: begin|end|Bmk|Bbn|Bln|Emk|Ebn|Eln|Emo|Ttp|Jwo|Wtg|Jtg|Woc|Maz|Rau.
  MpaZeilen Stuecke(int sa) {
    return NzaSpalten(sa,
                      "NzaDtm,NzaEdt,NzaBmk,NzaBbn,NzaBln,NzaEmk,NzaEbn,NzaEln,NzaEmo,"
                      "coalesce(NzaTtp,'-'),coalesce(NzaJwo,'-'),NzaWtg,NzaJtg,NzaWoc,NzaMaz,"
                      "NzaRau");
  }
  int Gefunden(const std::string& beg, const std::string& end, AemTagSatz& a) {
    return Mpa_SchichtZurSpanne("APL01", beg, end, a);
  }
};
QV_DB_TEST_SUITE(MpaAufteilenTest);

TEST_P(MpaAufteilenTest, WorkSpanOverTwoDaysIsCutAtDepartureAndArrival) {
  Schichtmodell("FRUEH", 1, 360, 840);
  Tag("20261201", "20261201075500", "20261201163000");
  Tag("20261202", "20261202075000", "20261202171000");
  NzaSatz o = Geschlossen(1, "20261201080000", "20261202170000", "PA", "PE");
  Mpa_SpanneAufteilen(o, MpaSpanne::Arbeit);
  EXPECT_EQ(Stuecke(1),
            (MpaZeilen{"2026-12-01 08:00:00|2026-12-01 16:30:00|PA|11|1|EG|0|2|FRUEH|WT|2026|2|335|"
                       "49|5|3",
                       "2026-12-02 07:50:00|2026-12-02 17:00:00|BG|0|1|PE|12|2|FRUEH|WT|2026|3|336|"
                       "49|5|3"}));
  EXPECT_EQ(MltAnzahl(), "0");
  EXPECT_EQ(LogText(), "");
}

TEST_P(MpaAufteilenTest, SpanOverThreeDaysGivesAPiecePerAttendance) {
  Tag("20261201", "20261201070000", "20261201150000");
  Tag("20261202", "20261202070000", "20261202150000");
  Tag("20261203", "20261203070000", "20261203150000");
  NzaSatz o = Geschlossen(1, "20261201080000", "20261203120000", "PA", "PE");
  Mpa_SpanneAufteilen(o, MpaSpanne::Arbeit);
  // No shift model: blank model, no day type, calendar data of the begin day.
  EXPECT_EQ(Stuecke(1),
            (MpaZeilen{"2026-12-01 08:00:00|2026-12-01 15:00:00|PA|11|1|EG|0|2|          |-|2026|"
                       "2|335|49|5|3",
                       "2026-12-02 07:00:00|2026-12-02 15:00:00|BG|0|1|EG|0|2|          |-|2026|"
                       "3|336|49|5|3",
                       "2026-12-03 07:00:00|2026-12-03 12:00:00|BG|0|1|PE|12|2|          |-|2026|"
                       "4|337|49|5|3"}));
}

TEST_P(MpaAufteilenTest, EndWithoutArrivalSinceTheLastDepartureIsAPieceOfNoLength) {
  Tag("20261201", "20261201075500", "20261201163000");
  // The second day has an arrival only after the end, and no departure yet.
  Tag("20261202", "20261202090000", "");
  NzaSatz o = Geschlossen(1, "20261201080000", "20261202060000", "PA", "PE");
  Mpa_SpanneAufteilen(o, MpaSpanne::Arbeit);
  MpaZeilen z = NzaSpalten(1, "NzaDtm,NzaEdt,NzaBmk,NzaEmk");
  EXPECT_EQ(z, (MpaZeilen{"2026-12-01 08:00:00|2026-12-01 16:30:00|PA|EG",
                          "2026-12-02 06:00:00|2026-12-02 06:00:00|BG|PE"}));
  EXPECT_EQ(MltAnzahl(), "0");
}

TEST_P(MpaAufteilenTest, InterruptionSpanIsCutWithItsOwnMarkers) {
  Parameter(5, 1, 0);
  MelSatz pu = Mel(11, 1, "PU", "20261201", "100000");
  MelSatz pw = Mel(12, 2, "PW", "20261202", "090000");
  MelSatz pe = Mel(13, 1, "PE", "20261202", "080000");  // not an interruption message
  for (const MelSatz& m : {pu, pw, pe}) Insert(m);
  Tag("20261201", "20261201070000", "20261201160000");
  Tag("20261202", "20261202080000", "20261202170000");
  NzaSatz o = Geschlossen(2, "20261201100000", "20261202090000", "PU", "PW");
  Mpa_SpanneAufteilen(o, MpaSpanne::Unterbrechung);
  EXPECT_EQ(NzaSpalten(2, "NzaDtm,NzaEdt,NzaBmk,NzaBbn,NzaEmk,NzaEbn"),
            (MpaZeilen{"2026-12-01 10:00:00|2026-12-01 16:00:00|PU|11|WG|0",
                       "2026-12-02 08:00:00|2026-12-02 09:00:00|UG|0|PW|12"}));
  EXPECT_EQ(MltAnzahl(), "0");
}

TEST_P(MpaAufteilenTest, FailedListInsertsAreLoggedAndTheRowStaysWhole) {
  Tag("20261201", "20261201075500", "20261201163000");
  NzaSatz o = Geschlossen(1, "20261201080000", "20261202170000", "PA", "PE");
  DbFehlerPlan plan;
  plan.operations["Mlt_PKeyIns"] = -20000;
  Db_SetFaultPlanForTest(plan);
  Mpa_SpanneAufteilen(o, MpaSpanne::Arbeit);
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(NzaSpalten(1, "NzaDtm,NzaEdt,NzaBmk,NzaEmk,NzaEmo"),
            MpaZeilen{"2026-12-01 08:00:00|2026-12-02 17:00:00|PA|PE|ALT"});
  const std::string log = LogText();
  EXPECT_EQ(log, Korr_LogEntry("Fehler Mlt_PKeyIns(1)", "Mlt_BeginnEnde()", -20000) +
                     Korr_LogEntry("Fehler Mlt_PKeyIns(2)", "Mlt_BeginnEnde()", -20000) +
                     Korr_LogEntry("Fehler Mlt_PKeyIns(1)", "MltKommenGehen()", -20000) +
                     Korr_LogEntry("Fehler Mlt_PKeyIns(2)", "Mlt_KommenGehen()", -20000));
}

TEST_P(MpaAufteilenTest, PieceWriteFailuresAreLogged) {
  NzaSatz o = Geschlossen(1, "20261201080000", "20261202170000", "PA", "PE");
  DbFehlerPlan plan;
  plan.operations["Nza_PKeyUpd"] = -54;
  Db_SetFaultPlanForTest(plan);
  NzaSatz p = o;  // the first piece has the key of the row
  p.NzaEdtUhr = "160000";
  TeilSchritt_Write(p);
  plan.operations.clear();
  plan.operations["Nza_PKeyIns"] = -1400;
  Db_SetFaultPlanForTest(plan);
  NzaSatz q = o;
  q.NzaDtmDat = "20261202";
  TeilSchritt_Write(q);
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(LogText(), Korr_LogEntry("Nza_PKeyUpd", "TeilSchritt_Write", -54) +
                           Korr_LogEntry("Nza_PKeyIns", "TeilSchritt_Write", -1400));
  EXPECT_EQ(NzaSpalten(1, "NzaDtm,NzaEdt"), MpaZeilen{"2026-12-01 08:00:00|2026-12-02 17:00:00"});
}

TEST_P(MpaAufteilenTest, ShiftSearchTakesThePieceInsideCoveringOrMostlyInTheShift) {
  Schichtmodell("FRUEH", 1, 360, 840);
  AemTagSatz a;
  EXPECT_EQ(Gefunden("20261201070000", "20261201130000", a), 1);  // inside
  EXPECT_EQ(a.AemEmo, "FRUEH");
  EXPECT_EQ(a.BakJtg, 335);
  EXPECT_EQ(Gefunden("20261201050000", "20261201150000", a), 1);  // covers
  EXPECT_EQ(Gefunden("20261201100000", "20261201170000", a), 1);  // 4 of 7 hours inside
  EXPECT_EQ(Gefunden("20261201120000", "20261201170000", a), 0);  // 2 of 5 hours
  EXPECT_EQ(Gefunden("20261201030000", "20261201100000", a), 1);  // ends in, 4 of 7
  EXPECT_EQ(Gefunden("20261201010000", "20261201080000", a), 0);  // ends in, 2 of 7
  EXPECT_EQ(Gefunden("20261201130000", "20261201070000", a), 0);  // end before begin
}

TEST_P(MpaAufteilenTest, ShiftSearchLooksFromTheDayBefore) {
  Schichtmodell("NACHT", 2, 1320, 360);  // the workplace's own model
  AemTagSatz a;
  EXPECT_EQ(Gefunden("20261202010000", "20261202050000", a), 1);
  EXPECT_EQ(a.AemEmo, "NACHT");
  EXPECT_EQ(a.BakJtg, 335);  // the shift began on 1 December
}

TEST_P(MpaAufteilenTest, ShiftSearchEndsWhereTheCalendarEnds) {
  Schichtmodell("FRUEH", 1, 360, 840);
  AemTagSatz a;
  // The calendar ends on 6 December; the search must not loop on that day.
  EXPECT_EQ(Gefunden("20261206100000", "20261209100000", a), 0);
}

TEST_P(MpaAufteilenTest, NightShiftOfTheCalendarsLastDayEndsOnTheNextDate) {
  Schichtmodell("NACHT", 2, 1320, 360);
  AemTagSatz a;
  // The shift of 6 December ends at 06:00 on the 7th, which the calendar
  // does not hold; the span lies inside it.
  EXPECT_EQ(Gefunden("20261206230000", "20261207050000", a), 1);
  EXPECT_EQ(a.BakJtg, 340);
}

}  // namespace
