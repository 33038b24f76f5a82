// Evaluation attributes of a new work row: shift model, day type, calendar
// data, machine-assignment number and time model.
#include "eval/worktime/MpaParameter.h"

#include <gtest/gtest.h>

#include "eval/worktime/MpaFixture.h"
#include "support/Builders.h"

namespace {

class MpaParameterTest : public MpaTest {
 protected:
  // A new row of P1 at APL01 beginning at `dat`/`uhr`, as the replay builds it.
  NzaSatz Zeile(const std::string& dat, const std::string& uhr) {
    return Test_Nza({.pnr = "P1", .beg = dat + uhr, .emo = "          "});
  }
};
QV_DB_TEST_SUITE(MpaParameterTest);

TEST_P(MpaParameterTest, GroupAssignmentGivesShiftModelAndCalendarData) {
  Schichtmodell("FRUEH", 1, 360, 840, {{720, 750}}, 7);
  Zeitmodell(3);
  NzaSatz n = Zeile("20261201", "080000");
  Nza_AuswParameter(n);
  EXPECT_EQ(n.NzaVar, 1);
  EXPECT_EQ(n.NzaEmo, "FRUEH");
  EXPECT_EQ(n.NzaTtp, "WT");
  EXPECT_EQ(n.NzaJwo, "2026");
  EXPECT_EQ(n.NzaWoc, 49);
  EXPECT_EQ(n.NzaWtg, 2);  // Tuesday
  EXPECT_EQ(n.NzaJtg, 335);
  EXPECT_EQ(n.NzaMaz, 7);
  EXPECT_EQ(n.NzaPzm, 3);
  EXPECT_EQ(n.NzaFnr, 0);
}

TEST_P(MpaParameterTest, OwnAssignmentIsNeverLeftForTheGroup) {
  // The group's model holds 08:00, the workplace's own model does not.
  Schichtmodell("FRUEH", 1, 360, 840, {{720, 750}}, 7);
  Schichtmodell("SPAET", 2, 840, 1320, {{1080, 1110}}, 4);
  NzaSatz n = Zeile("20261201", "080000");
  Nza_AuswParameter(n);
  EXPECT_EQ(n.NzaEmo, "          ");
  EXPECT_EQ(n.NzaTtp, "WT");
  EXPECT_EQ(n.NzaMaz, 4);
  EXPECT_EQ(n.NzaJtg, 335);
  EXPECT_EQ(n.NzaFnr, 0);
}

TEST_P(MpaParameterTest, LaterAssignmentRowsFindTheShiftButKeepTheFirstRowsData) {
  Schichtmodell("AFRUEH", 1, 360, 840, {{720, 750}}, 1);
  Schichtmodell("BSPAET", 1, 840, 1320, {{1080, 1110}}, 2);
  NzaSatz n = Zeile("20261201", "150000");
  Nza_AuswParameter(n);
  EXPECT_EQ(n.NzaEmo, "BSPAET");
  EXPECT_EQ(n.NzaMaz, 1);  // from the first row fetched
}

TEST_P(MpaParameterTest, NoAssignmentMarksTheRowWithThePlaceholderModel) {
  NzaSatz n = Zeile("20261203", "080000");
  Nza_AuswParameter(n);
  EXPECT_EQ(n.NzaFnr, 5007);
  EXPECT_EQ(n.NzaEmo, "LMO00.00");
  EXPECT_EQ(n.NzaTtp, "XXX");
  EXPECT_EQ(n.NzaMaz, 0);
  EXPECT_EQ(n.NzaJwo, "2026");
  EXPECT_EQ(n.NzaWoc, 49);
  EXPECT_EQ(n.NzaWtg, 4);
  EXPECT_EQ(n.NzaJtg, 337);
  EXPECT_EQ(n.NzaPzm, 0);

  // A day the calendar does not know: the calendar numbers are 0.
  NzaSatz fremd = Zeile("20270615", "080000");
  fremd.NzaWoc = fremd.NzaWtg = fremd.NzaJtg = 9;
  Nza_AuswParameter(fremd);
  EXPECT_EQ(fremd.NzaFnr, 5007);
  EXPECT_EQ(fremd.NzaJwo, "2027");
  EXPECT_EQ(fremd.NzaWoc, 0);
  EXPECT_EQ(fremd.NzaWtg, 0);
  EXPECT_EQ(fremd.NzaJtg, 0);
}

TEST_P(MpaParameterTest, NightShiftHoldsTimesBeforeAndAfterMidnight) {
  Schichtmodell("NACHT", 1, 1320, 360, {{1440 - 60, 1440 - 30}});
  for (const char* uhr : {"233000", "020000", "220000", "060000"}) {
    NzaSatz n = Zeile("20261201", uhr);
    Nza_AuswParameter(n);
    EXPECT_EQ(n.NzaEmo, "NACHT") << uhr;
  }
  NzaSatz tag = Zeile("20261201", "120000");
  Nza_AuswParameter(tag);
  EXPECT_EQ(tag.NzaEmo, "          ");
  EXPECT_EQ(tag.NzaTtp, "WT");
}

TEST_P(MpaParameterTest, ShiftWhoseBeginEqualsItsEndLastsADay) {
  Schichtmodell("RUND", 1, 360, 360, {{720, 750}});
  NzaSatz n = Zeile("20261201", "030000");
  Nza_AuswParameter(n);
  EXPECT_EQ(n.NzaEmo, "RUND");
}

TEST_P(MpaParameterTest, ShiftWithoutValidBreakSchemeIsNotFound) {
  Schichtmodell("FRUEH", 1, 360, 840, {{720, 750}});
  Sql("update Qvt536Pmz set PmzGbi=" + Test_DatumSql("20261130"));
  NzaSatz n = Zeile("20261201", "080000");
  Nza_AuswParameter(n);
  EXPECT_EQ(n.NzaEmo, "          ");
  EXPECT_EQ(n.NzaTtp, "WT");
}

TEST_P(MpaParameterTest, MissingPersonAndWorkplace) {
  Schichtmodell("FRUEH", 1, 360, 840);
  NzaSatz n = Zeile("20261201", "080000");
  n.NzaPnr = "P9";
  n.NzaApl = "APL99";
  Nza_AuswParameter(n);
  EXPECT_EQ(n.NzaPzm, 2);
  // The unknown workplace has no group and so no assignment.
  EXPECT_EQ(n.NzaFnr, 5007);
  EXPECT_EQ(n.NzaEmo, "LMO00.00");
  EXPECT_TRUE(Geloggt("Apl_PKeyReadk", "Nza _AuswParameter/Kommld", 1403));
}

}  // namespace
