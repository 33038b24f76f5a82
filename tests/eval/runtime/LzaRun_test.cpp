// The runtime evaluation end to end: the real program corrects a message of
// object type "M_A" and rebuilds the runtime rows of its operation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "eval/runtime/LzaFixture.h"
#include "support/Builders.h"
#include "support/Installation.h"

namespace {

class LzaRunTest : public LzaTest {
 protected:
  // A message of booking `bnr` at the operation, at 20261201 `uhr`.
  MelSatz Mel(int bnr, int lfn, const std::string& msk, const std::string& fcd,
              const std::string& uhr) {
    return Test_Mel({.bnr = bnr, .lfn = lfn, .uhr = uhr, .msk = msk, .fcd = fcd});
  }
};
QV_DB_TEST_SUITE(LzaRunTest);

TEST_P(LzaRunTest, TimeShiftOfAWorkEndRebuildsTheRuntimes) {
  FruehSchicht();
  ASSERT_EQ(Exec(Test_FzuStandardSql() + Test_CfgSql() + Test_NzpSql({.akz = 5, .aak = 1})), "");
  for (const MelSatz& m : {Mel(1, 0, "RB", "A01", "061000"), Mel(2, 0, "RE", "A06", "064000"),
                           Mel(3, 0, "AB", "A03", "064000"), Mel(4, 0, "AU", "A04", "070000"),
                           Mel(5, 0, "AW", "A05", "072000"), Mel(6, 1, "AM", "A02", "080000")})
    ASSERT_EQ(Mel_PKeyIns(m), DB_OK);
  // The clerk moves the work end of booking 6 from 08:00 to 09:00; the
  // booking's quantity report moves with it.
  MelSatz ae = Mel(6, 0, "AE", "A07", "090000");
  ae.MelKsb = "CLERK1";
  ae.MelKfc = "AEZ";
  ae.MelKdt = "20261207170000";
  ASSERT_EQ(Mel_PKeyIns(ae), DB_OK);
  // Rows of an earlier evaluation, to be replaced.
  NzaZeile(3, "APL01", "        ", "20261125", "070000", 5);
  NzaZeile(4, "APL01", "Frueh", "20261125", "060000", 5);
  NzaZeile(5, "APL01", "        ", "20261125", "061000", 5);
  NzaZeile(8, "          ", "        ", "20261125", "061000", 5);

  std::string out;
  EXPECT_EQ(TestInst_Run(inst_, {"CLERK1"}, kKorrNow, out), 0);
  EXPECT_EQ(out, "");
  EXPECT_EQ(LogText(), Log("CLERK1", "Parameter (User)", -1));

  EXPECT_EQ(Rows("select KeyLfn,MelMsk,KeyUhr from Qvt560Mel where KeyBnr=6 order by KeyLfn"),
            (LzaZeilen{"0|AE|2026-12-01 09:00:00", "1|AM|2026-12-01 09:00:00"}));
  // The shift 06:00-14:00: setup 06:10-06:40, work 06:40-09:00 of which
  // 07:00-07:20 interrupted; the break 09:00-09:15 comes after the work end.
  EXPECT_EQ(Kopf(4), LzaZeilen{"APL01|Frueh|2026-12-01 06:00:00|2026-12-01 14:00:00|BG|EG|0000|"
                               "FRUEH|AT|2026|49|2|335|LzaStd|T-A1000"});
  EXPECT_EQ(Dauern(4), LzaZeilen{"Frueh 2026-12-01 06:00:00: Nzr=30 Bzr=30 Nza=120 BzA=120 "
                                 "Uza=20 Nzu=20 Bzu=20"});
  EXPECT_EQ(Kopf(3), LzaZeilen{"APL01|        |2026-12-01 07:00:00|2026-12-01 07:20:00|BG|EG|U1|"
                               "<null>|<null>|<null>|0|0|0|LzaStd|T-A1000"});
  EXPECT_EQ(Dauern(3), LzaZeilen{"         2026-12-01 07:00:00: Uza=20 Nzu=20 Bzu=20 Ubz=20"});
  EXPECT_EQ(Kopf(5), LzaZeilen{"APL01|        |2026-12-01 06:10:00|2026-12-01 09:00:00|BG|EG|"
                               "<null>|<null>|<null>|<null>|0|0|0|LzaStd|T-A1000"});
  EXPECT_EQ(Dauern(5),
            LzaZeilen{"         2026-12-01 06:10:00: Nzr=30 Bzr=30 Nza=120 BzA=120 Uza=20"});
  EXPECT_EQ(Kopf(8), LzaZeilen{"          |        |2026-12-01 06:10:00|<null>|BG|EG|<null>|"
                               "<null>|<null>|<null>|0|0|0|LzaStd|T-A1000"});
  EXPECT_EQ(Dauern(8),
            LzaZeilen{"         2026-12-01 06:10:00: Nzr=30 Bzr=30 Nza=120 BzA=120 Uza=20"});
  for (int sa : {3, 4, 5, 8}) EXPECT_EQ(NichtNull(sa), LzaZeilen{}) << sa;
  EXPECT_EQ(Rows("select count(*) from Qvt561Mlt"), LzaZeilen{"0"});
}

TEST_P(LzaRunTest, DeletedWorkEndLeavesTheWorkOpenUntilTheRun) {
  // A workplace without any shift model: all time is outside presence.
  ASSERT_EQ(Exec(Test_FzuStandardSql() + Test_CfgSql()), "");
  ASSERT_EQ(Mel_PKeyIns(Mel(1, 0, "AB", "A03", "070000")), DB_OK);
  MelSatz ae = Mel(2, 0, "AE", "A07", "080000");
  ae.MelKsb = "CLERK1";
  ae.MelKfc = "DEL";
  ASSERT_EQ(Mel_PKeyIns(ae), DB_OK);

  std::string out;
  EXPECT_EQ(TestInst_Run(inst_, {"CLERK1"}, kKorrNow, out), 0);
  EXPECT_EQ(out, "");
  EXPECT_EQ(LogText(), Log("CLERK1", "Parameter (User)", -1));

  EXPECT_EQ(Rows("select KeyBnr from Qvt560Mel"), LzaZeilen{"1"});
  // The work runs from 07:00 on the 1st to the run at 10:15 on the 8th; the
  // one segment counts to the day it began on.
  EXPECT_EQ(Kopf(4), LzaZeilen{"APL01|00:0024:00|2026-12-01 00:00:00|2026-12-01 23:59:59|BG|EG|"
                               "0000|Dummy|<null>|<null>|0|0|0|LzaStd|T-A1000"});
  EXPECT_EQ(Dauern(4), LzaZeilen{"00:0024:00 2026-12-01 00:00:00: Nza=10275 BzA=10275"});
  EXPECT_EQ(Rows("select NzaSa,NzaDtm,NzaEdt,NzaNza from Qvt590Nza where NzaSa<>4 order by NzaSa"),
            (LzaZeilen{"5|2026-12-01 07:00:00|2026-12-08 10:15:00|10275",
                       "8|2026-12-01 07:00:00|<null>|10275"}));
}

}  // namespace
