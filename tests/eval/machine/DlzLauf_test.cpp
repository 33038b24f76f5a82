// Machine-only evaluation end to end: the real program corrects a machine
// message and rebuilds the workplace's machine runtimes.
#include <gtest/gtest.h>

#include <string>

#include "eval/machine/DlzFixture.h"
#include "support/Builders.h"
#include "support/Installation.h"

namespace {

class DlzLaufTest : public DlzTest {};
QV_DB_TEST_SUITE(DlzLaufTest);

// The machine started at 07:00 and stopped at 09:00; the clerk moves the
// stop to 10:00. Shift 06:00-14:00 with a break 09:00-09:15.
TEST_P(DlzLaufTest, TimeShiftOfAMachineStopRebuildsItsRuntime) {
  Parameter(5, 1, 0);
  ASSERT_EQ(Exec(Test_FzuSql({.mld = "BS", .obj = "M__", .upl = 0}) +
                 Test_FzuSql({.mld = "ES", .obj = "M__", .upl = 0}) + Test_AemSql({.emo = "GRP"}) +
                 Modell("GRP", 360, 840, {{540, 555}}) +
                 // The record of the stop's old instant.
                 "insert into Qvt590Nza (NzaSa,NzaApl,NzaApk,NzaApp,NzaPnr,NzaDtm,NzaEdt,NzaBzu,"
                 "NzaErf) values (13,'APL01','000000000000','00000',NULL,'2026-12-01 07:00:00',"
                 "'2026-12-01 09:00:00',120,'DlzStd');"),
            "");
  Insert(Maschine(1, "BS", "20261201", "070000"));
  MelSatz stopp = Maschine(2, "ES", "20261201", "100000");  // the clerk's new instant
  stopp.MelKsb = "CLERK1";
  stopp.MelKfc = "AEZ";
  stopp.MelKdt = "20261207170000";
  Insert(stopp);

  std::string out;
  EXPECT_EQ(TestInst_Run(inst_, {"CLERK1"}, kKorrNow, out), 0);
  EXPECT_EQ(out, "");

  EXPECT_EQ(LogText(), Korr_LogEntry("CLERK1", "Parameter (User)", -1));
  EXPECT_EQ(Rows("select MelErf,MelKsb,MelKfc,KeyUhr from Qvt560Mel where KeyBnr=2"),
            DlzZeilen{"CLERK1|        |   |2026-12-01 10:00:00"});
  EXPECT_EQ(Saetze(), DlzZeilen{"APL01|000000000000|00000|<null>|2026-12-01 07:00:00|BG|"
                                "2026-12-01 10:00:00|EG|U1|16500|16500|18000|1500|18000|DlzStd"});
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza"), DlzZeilen{"1"});
  EXPECT_EQ(Rows("select count(*) from Qvt561Mlt"), DlzZeilen{"0"});
}

}  // namespace
