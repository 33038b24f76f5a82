// The person evaluations in a run of the real program.
#include <gtest/gtest.h>

#include "eval/worktime/MpaFixture.h"
#include "support/Builders.h"
#include "support/Installation.h"
#include "support/KorrFixture.h"

namespace {

class MpaLaufTest : public MpaTest {
 protected:
  void SetUp() override {
    MpaTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    Sql(Test_FzuStandardSql() + Test_CfgSql() + Test_ApkSql() +
        Test_AppSql({.sts = 3, .naf = "00000"}));
    Schichtmodell("FRUEH", 1, 360, 840);
  }
  std::string Lauf() {
    std::string out;
    EXPECT_EQ(TestInst_Run(inst_, {"CLERK1"}, kKorrNow, out), 0);
    EXPECT_EQ(out, "");
    return LogText();
  }
};
QV_DB_TEST_SUITE(MpaLaufTest);

// The clerk moves a work end of person P1 from 16:00 to 15:30: the time shift
// hands the message to the person evaluation, which rebuilds the work row.
TEST_P(MpaLaufTest, TimeShiftOfAWorkEndRebuildsTheWorkRow) {
  Insert(Mel(11, 0, "PA", "20261201", "080000"));
  MelSatz pe = Mel(12, 0, "PE", "20261201", "153000");
  pe.MelKsb = "CLERK1";
  pe.MelKfc = "AEZ";
  Insert(pe);
  // The row of the old end, left by an earlier evaluation.
  Sql("insert into Qvt590Nza (NzaSa,NzaApl,NzaApk,NzaApp,NzaPnr,NzaDtm,NzaEdt,NzaEmk) values "
      "(1,'APL01','A1000','0010','P1','2026-12-01 08:00:00','2026-12-01 16:00:00','PE')");
  const std::string log = Lauf();
  EXPECT_EQ(log.find("Nza_"), std::string::npos) << log;
  EXPECT_EQ(Nza(1), MpaZeilen{"2026-12-01 08:00:00|2026-12-01 15:30:00|1|11|0|PA|1|12|0|PE|5|0|"
                              "FRUEH|MldToNza"});
  // The part number is the begin message's.
  EXPECT_EQ(NzaSpalten(1, "NzaJtg,NzaTtp,NzaTnr"), MpaZeilen{"335|WT|T-100"});
  EXPECT_EQ(Nza(2), MpaZeilen{});
  EXPECT_EQ(MltAnzahl(), "0");
  EXPECT_EQ(MelFnr(12, 0), "0");
}

// With evaluation parameter 7 the work times of the rebuilt row follow: the
// moved end shortens the net work time; the shift break is not counted.
TEST_P(MpaLaufTest, TimeShiftWithWorkTimeEvaluation) {
  Sql(Test_NzpSql({.akz = 7, .aak = 1}));
  Insert(Mel(11, 0, "PA", "20261201", "080000"));
  MelSatz pe = Mel(12, 0, "PE", "20261201", "153000");
  pe.MelKsb = "CLERK1";
  pe.MelKfc = "AEZ";
  Insert(pe);
  const std::string log = Lauf();
  EXPECT_EQ(log.find("Nza_"), std::string::npos) << log;
  EXPECT_EQ(
      NzaSpalten(1, "NzaDtm,NzaEdt," + Mpa_Hundertstel("NzaNza") + "," + Mpa_Hundertstel("NzaBzA") +
                        "," + Mpa_Hundertstel("NzaPza") + ",NzaErf"),
      MpaZeilen{"2026-12-01 08:00:00|2026-12-01 15:30:00|42000|45000|3000|Nza_MPA"});
  EXPECT_EQ(MltAnzahl(), "0");
}

}  // namespace
