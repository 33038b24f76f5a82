// The shared scratch-list entries: the shift and break boundaries of a shift
// model on a day, and the day they lie on.
#include "eval/MltEintrag.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/DbDb.h"
#include "eval/Tagschritt.h"
#include "eval/machine/DlzFixture.h"

namespace {

using EckwerteTest = DlzTest;
QV_DB_TEST_SUITE(EckwerteTest);

// Event, instant, logging name and shift text of every boundary handed on.
int Grenzen(const std::string& emo, const std::string& tag, MltSatz& e, DlzZeilen& aus) {
  return Eckwerte_Tag(emo, "AT", tag, e, [&](MltSatz& g, const EmoPmsSatz& r, const char* f) {
    aus.push_back(g.MltObj + "|" + g.MltMdtDat + g.MltMdtUhr + "|" + f + "|" + r.EmoEmo);
  });
}

// A time past midnight lies on the next date, also on the calendar's last
// day (2026-12-10): the factory calendar does not move boundaries.
TEST_P(EckwerteTest, BoundariesPastMidnightLieOnTheNextDateAlsoAfterTheCalendar) {
  ASSERT_EQ(Exec(Modell("NACHT", 1320, 360, {{120, 150}, {1380, 1390}})), "");
  MltSatz e;
  e.MltApl = "APL01";
  DlzZeilen aus;
  EXPECT_EQ(Grenzen("NACHT", "20261210", e, aus), DB_OK);
  EXPECT_EQ(aus, (DlzZeilen{"KM|20261210220000|BDE_Eckwerte: Kommen|NACHT",
                            "GH|20261211060000|BDE_Eckwerte: Gehen|NACHT",
                            "BP|20261211020000|BDE_Eckwerte: Pausebeginn|NACHT",
                            "EP|20261211023000|BDE_Eckwerte: Pauseende|NACHT",
                            "BP|20261210230000|BDE_Eckwerte: Pausebeginn|NACHT",
                            "EP|20261210231000|BDE_Eckwerte: Pauseende|NACHT"}));
  EXPECT_EQ(e.MltApl, "APL01");  // the caller's fields stay
  EXPECT_EQ(LogText(), "");
  EXPECT_EQ(Tag_Plus("20261210", 1), "20261211");
  EXPECT_EQ(Tag_Plus("20261201", -1), "20261130");
  EXPECT_EQ(Tag_Plus("kein Tag", 1), "kein Tag");
  // A walk over the calendar's days keeps to them: before its first day
  // (2026-11-28) it begins with that day.
  EXPECT_EQ(Kalender_Vortag("20261201"), "20261130");
  EXPECT_EQ(Kalender_Vortag("20261128"), "20261128");
}

TEST_P(EckwerteTest, AFailedOpenOrReadOfTheBreaksIsLogged) {
  ASSERT_EQ(Exec(Modell("FRUEH", 360, 840, {{540, 555}})), "");
  MltSatz e;
  DlzZeilen aus;
  DbFehlerPlan plan;
  plan.operations["Emo_OpenPms"] = DB_NO_TABLE;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Grenzen("FRUEH", "20261201", e, aus), DB_NO_TABLE);
  plan.operations = {{"Emo_OpenPms.Fetch", DB_OTHER}};
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Grenzen("FRUEH", "20261201", e, aus), DB_OK);
  Db_ClearFaultPlanForTest();
  EXPECT_TRUE(aus.empty());
  EXPECT_EQ(LogText(), Korr_LogEntry("Emo_OpenPms", "BDE_Eckwerte", DB_NO_TABLE) +
                           Korr_LogEntry("Cursor-Read fehlgeschlagen", "BDE_Eckwerte", DB_OTHER));
}

}  // namespace
