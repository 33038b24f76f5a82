// Operation and order runtime sums, and the minutes.seconds arithmetic.
#include "eval/runtime/LzaSummen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "eval/runtime/LzaFixture.h"
#include "support/Builders.h"

TEST(LzaMinSek, SecondsAndStoredDurations) {
  EXPECT_DOUBLE_EQ(Lza_MinSek(5430), 90.30);
  EXPECT_DOUBLE_EQ(Lza_MinSek(59), 0.59);
  EXPECT_DOUBLE_EQ(Lza_MinSek(60), 1.0);
  EXPECT_DOUBLE_EQ(Lza_MinSek(0), 0.0);
  EXPECT_EQ(Lza_Sekunden(90.30), 5430);
  EXPECT_EQ(Lza_Sekunden(0.59), 59);
  // Hundredths that a double holds slightly low still count whole seconds.
  EXPECT_EQ(Lza_Sekunden(0.29), 29);
  EXPECT_EQ(Lza_Sekunden(40.30), 2430);
  EXPECT_EQ(Lza_Sekunden(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(Lza_Sekunden(std::numeric_limits<double>::infinity()), 0);
  EXPECT_GT(Lza_Sekunden(1e300), 0);  // held at its bound, no overflow
}

TEST(LzaMinSek, SumsCarrySecondsIntoMinutes) {
  EXPECT_DOUBLE_EQ(Lza_MinSekSumme(40.50, 20.25), 61.15);  // 2450 s + 1225 s = 3675 s
  // 2430 s + 1245 s: no second is lost to the binary form of 40.30.
  EXPECT_DOUBLE_EQ(Lza_MinSekSumme(40.30, 20.45), 61.15);
  EXPECT_DOUBLE_EQ(Lza_MinSekSumme(0.59, 0.01), 1.0);
  EXPECT_DOUBLE_EQ(Lza_MinSekSumme(0, 0), 0.0);
  // Many small values keep their exact total: 100 times 0.29 is 2900 s.
  double s = 0;
  for (int i = 0; i < 100; ++i) s = Lza_MinSekSumme(s, 0.29);
  EXPECT_DOUBLE_EQ(s, 48.20);
}

class LzaSummenTest : public LzaTest {
 protected:
  // The work record as the driver hands it over after the walk.
  NzaSatz Arbeit(const std::string& apl = "APL01") {
    NzaSatz a = Test_Nza(
        {.sa = 4, .apl = apl, .pnr = "        ", .beg = "20261201061000", .end = "20261202080000"});
    a.NzaTnr = "T-100";
    a.NzaWoc = 5;  // numbers of the work record do not reach the sum row
    return a;
  }
  // A kind-`sa` row with durations in several summed and unsummed columns.
  void Zeile(int sa, const std::string& apl, const std::string& pnr, const std::string& dat,
             double nza, double nzr, double uzr = 0) {
    NzaSatz s = Test_Nza({.sa = sa, .apl = apl, .pnr = pnr, .beg = dat + "060000"});
    s.NzaNza = s.NzaBzA = nza;
    s.NzaNzr = s.NzaBzr = nzr;
    s.NzaUzr = uzr;
    s.NzaPza = s.NzaUza = s.NzaPzr = 0.01;
    s.NzaBzu = s.NzaRf1 = s.NzaUbz = 5;  // not summed
    s.NzaMaz = 3;
    ASSERT_EQ(Nza_PKeyIns(s), DB_OK);
  }
};
QV_DB_TEST_SUITE(LzaSummenTest);

TEST_P(LzaSummenTest, OperationRowSumsTheKindFourRowsOfItsWorkplace) {
  Zeile(4, "APL01", "Frueh", "20261201", 40.50, 10.59, 1.30);
  Zeile(4, "APL01", "00:0024:00", "20261201", 20.25, 0.01);
  Zeile(4, "APL02", "Frueh", "20261201", 99, 99);     // another workplace
  Zeile(3, "APL01", "        ", "20261201", 99, 99);  // another kind
  Nza_M_A_LaufzeitApl(Arbeit());
  EXPECT_EQ(Kopf(5), LzaZeilen{"APL01|        |2026-12-01 06:10:00|2026-12-02 08:00:00|BG|EG|"
                               "<null>|<null>|<null>|<null>|0|0|0|LzaStd|T-A1000"});
  EXPECT_EQ(Dauern(5), LzaZeilen{"         2026-12-01 06:10:00: Nzr=11 Bzr=11 Uzr=1.3 Pzr=0.02 "
                                 "Nza=61.15 BzA=61.15 Uza=0.02 Pza=0.02"});
  EXPECT_EQ(NichtNull(5), LzaZeilen{});
  EXPECT_EQ(Rows("select NzaMaz from Qvt590Nza where NzaSa=5"), LzaZeilen{"0"});
  EXPECT_EQ(LogText(), "");
}

TEST_P(LzaSummenTest, OperationRowWithoutRowsOrOrderIsStillWritten) {
  // No kind-4 row and no order header: sums 0, no part number.
  ASSERT_EQ(Exec("delete from Qvt501Apk"), "");
  Nza_M_A_LaufzeitApl(Arbeit());
  EXPECT_EQ(Kopf(5), LzaZeilen{"APL01|        |2026-12-01 06:10:00|2026-12-02 08:00:00|BG|EG|"
                               "<null>|<null>|<null>|<null>|0|0|0|LzaStd|<null>"});
  EXPECT_EQ(Dauern(5), LzaZeilen{"         2026-12-01 06:10:00:"});
  EXPECT_EQ(LogText(), "");
}

TEST_P(LzaSummenTest, OperationRowFailuresAreLogged) {
  Zeile(4, "APL01", "Frueh", "20261201", 40.50, 0);
  Db_SetFaultPlanForTest({0, 0, {{"Nza_OpenAplApp", DB_NOT_CONNECTED}}});
  Nza_M_A_LaufzeitApl(Arbeit());
  Db_ClearFaultPlanForTest();
  // A failed open leaves the sums 0 and still writes the row.
  EXPECT_EQ(Dauern(5), LzaZeilen{"         2026-12-01 06:10:00:"});
  EXPECT_EQ(LogText(), Log("Nza_OpenAplApp", "Lza_SummeApl", DB_NOT_CONNECTED));

  // The same row again meets the stored one.
  Nza_M_A_LaufzeitApl(Arbeit());
  EXPECT_EQ(LogText(), Log("Nza_OpenAplApp", "Lza_SummeApl", DB_NOT_CONNECTED) +
                           Log("Nza_PKeyIns", "Nza_M_A_LaufzeitApl(SA_E)", DB_DUP_KEY));
}

TEST_P(LzaSummenTest, OrderRowSumsTheOperationRowsOfEveryWorkplace) {
  Zeile(5, "APL00", "        ", "20261203", 40.30, 1);
  Zeile(5, "APL01", "        ", "20261201", 20.45, 2);
  Zeile(5, "APL01", "        ", "20261202", 0.15, 0);  // a second row of one workplace
  Zeile(4, "APL01", "Frueh", "20261201", 99, 99);      // another kind
  Zeile(5, "APL01", "        ", "20261204", 99, 99);   // another operation:
  ASSERT_EQ(Exec("update Qvt590Nza set NzaApp='0020' where NzaNza=99 and NzaSa=5"), "");
  MelSatz m = Aufruf();
  m.KeyTnr = "T-MELDUNG";
  Nza_M_A_LaufzeitGesamt(m);
  // The begin of the first row in workplace order (not the earliest); no
  // end; ten blanks as workplace; the order's part number.
  EXPECT_EQ(Kopf(8), LzaZeilen{"          |        |2026-12-03 06:00:00|<null>|BG|EG|<null>|"
                               "<null>|<null>|<null>|0|0|0|LzaStd|T-A1000"});
  EXPECT_EQ(Dauern(8), LzaZeilen{"         2026-12-03 06:00:00: Nzr=3 Bzr=3 Pzr=0.03 Nza=61.3 "
                                 "BzA=61.3 Uza=0.03 Pza=0.03"});
  EXPECT_EQ(NichtNull(8), LzaZeilen{});
  EXPECT_EQ(LogText(), "");
}

TEST_P(LzaSummenTest, OrderRowNeedsTheOperationAndAnOperationRow) {
  // No kind-5 row anywhere: nothing to total, nothing written, nothing logged.
  Nza_M_A_LaufzeitGesamt(Aufruf());
  EXPECT_EQ(Kopf(8), LzaZeilen{});
  EXPECT_EQ(LogText(), "");
  EXPECT_FALSE(Lza_LaufzeitAplVorhanden("A1000", "0010"));

  // An operation that cannot be read keeps no kind-8 row.
  Zeile(5, "APL01", "        ", "20261201", 1, 0);
  EXPECT_TRUE(Lza_LaufzeitAplVorhanden("A1000", "0010"));
  ASSERT_EQ(Exec("delete from Qvt504App"), "");
  Nza_M_A_LaufzeitGesamt(Aufruf());
  EXPECT_EQ(Kopf(8), LzaZeilen{});
  EXPECT_EQ(LogText(), Log("App_PKeyReadk", "Nza_M_A_LaufzeitGesamt", DB_NOT_FOUND));
}

TEST_P(LzaSummenTest, OrderRowWithAFailedCursorOrInsertIsLogged) {
  Zeile(5, "APL01", "        ", "20261201", 1, 0);
  Db_SetFaultPlanForTest({0, 0, {{"Nza_OpenApkApp", DB_OTHER}}});
  Nza_M_A_LaufzeitGesamt(Aufruf());
  Db_ClearFaultPlanForTest();
  // The row is still written, with sums 0 and without a begin.
  EXPECT_EQ(Dauern(8), LzaZeilen{"         <null>:"});
  std::string log = Log("Nza_OpenApkApp", "Lza_SummeGesamt", DB_OTHER);
  EXPECT_EQ(LogText(), log);

  ASSERT_EQ(Exec("delete from Qvt590Nza where NzaSa=8"), "");
  Db_SetFaultPlanForTest({0, 0, {{"Nza_PKeyIns", DB_TOO_WIDE}}});
  Nza_M_A_LaufzeitGesamt(Aufruf());
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Kopf(8), LzaZeilen{});
  EXPECT_EQ(LogText(), log + Log("Nza_PKeyIns", "Nza_M_A_LaufzeitGesamt", DB_TOO_WIDE));
}
