// Evaluation rows (Qvt590Nza) and scratch lists (Qvt561Mlt) against a fresh
// real database on every engine.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "db/DbDb.h"
#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "support/Builders.h"
#include "support/TestDb.h"

namespace {

using Zeilen = std::vector<std::string>;

class DbMelNzaTest : public DbTest {
 protected:
  void SetUp() override {
    setenv("QV_TEST_NOW", "20260312081500", 1);
    DbTest::SetUp();
  }
  void TearDown() override {
    Db_ClearFaultPlanForTest();
    DbTest::TearDown();
    unsetenv("QV_TEST_NOW");
  }
};
QV_DB_TEST_SUITE(DbMelNzaTest);

// A row of kind `sa` with a begin and an end and every other column empty or 0.
NzaSatz Nza(int sa, const std::string& apl, const std::string& apk, const std::string& app,
            const std::string& pnr, const std::string& dat, const std::string& uhr) {
  return Test_Nza({.sa = sa,
                   .apl = apl,
                   .apk = apk,
                   .app = app,
                   .pnr = pnr,
                   .beg = dat + uhr,
                   .end = dat.empty() ? "" : dat + "235959",
                   .bmk = "BG",
                   .emk = "EG",
                   .erf = "LzaStd"});
}

// Every column with its own value, so that a column read or written under
// another's name shows.
NzaSatz VollerSatz() {
  NzaSatz r = Nza(4, "APL01", "AUFTRAG00001", "00010", "SCHICHT1", "20260305", "060708");
  r.NzaBeg = 1;
  r.NzaBbn = 4711;
  r.NzaBln = 3;
  r.NzaBmk = "PA";
  r.NzaEdtDat = "20260306";
  r.NzaEdtUhr = "141516";
  r.NzaEnd = 2;
  r.NzaEbn = 4712;
  r.NzaEln = 4;
  r.NzaEmk = "PE";
  r.NzaUbg = "0007";
  r.NzaRau = 5;
  r.NzaVar = 6;
  r.Nza00A = 7;
  r.Nza00U = 8;
  r.Nza00S = 9;
  r.NzaEmo = "MODELL1";
  r.NzaWtg = 4;
  r.NzaJtg = 64;
  r.NzaTtp = "AT";
  r.NzaJwo = "2026";
  r.NzaWoc = 10;
  r.NzaPzm = 11;
  r.NzaMaz = 12;
  // Minutes.seconds values; each column gets a different one.
  double* d[] = {&r.NzaNzr, &r.NzaBzr, &r.NzaUzr, &r.NzaPzr, &r.NzaRbz, &r.NzaNza, &r.NzaBzA,
                 &r.NzaUza, &r.NzaPza, &r.NzaAbz, &r.NzaNzu, &r.NzaBzu, &r.NzaPzu, &r.NzaUbz,
                 &r.NzaSol, &r.NzaIst, &r.NzaPau, &r.NzaRf1, &r.NzaRf2, &r.NzaRf3};
  int k = 1;
  for (double* p : d) {
    *p = k * 100 + 0.25;
    ++k;
  }
  r.NzaSol = 15.15;
  r.NzaIst = 16.16;
  r.NzaFnr = 5004;
  r.NzaErf = "Nza_MPA";
  r.NzaGum = 12.5;
  r.NzaAum = 0.3;
  r.NzaTnr = "TEIL-4711-0815";
  return r;
}

void ErwarteGleich(const NzaSatz& a, const NzaSatz& b) {
  EXPECT_EQ(a.NzaSa, b.NzaSa);
  EXPECT_EQ(a.NzaApl, b.NzaApl);
  EXPECT_EQ(a.NzaApk, b.NzaApk);
  EXPECT_EQ(a.NzaApp, b.NzaApp);
  EXPECT_EQ(a.NzaPnr, b.NzaPnr);
  EXPECT_EQ(a.NzaDtmDat, b.NzaDtmDat);
  EXPECT_EQ(a.NzaDtmUhr, b.NzaDtmUhr);
  EXPECT_EQ(a.NzaBeg, b.NzaBeg);
  EXPECT_EQ(a.NzaBbn, b.NzaBbn);
  EXPECT_EQ(a.NzaBln, b.NzaBln);
  EXPECT_EQ(a.NzaBmk, b.NzaBmk);
  EXPECT_EQ(a.NzaEdtDat, b.NzaEdtDat);
  EXPECT_EQ(a.NzaEdtUhr, b.NzaEdtUhr);
  EXPECT_EQ(a.NzaEnd, b.NzaEnd);
  EXPECT_EQ(a.NzaEbn, b.NzaEbn);
  EXPECT_EQ(a.NzaEln, b.NzaEln);
  EXPECT_EQ(a.NzaEmk, b.NzaEmk);
  EXPECT_EQ(a.NzaUbg, b.NzaUbg);
  EXPECT_EQ(a.NzaRau, b.NzaRau);
  EXPECT_EQ(a.NzaVar, b.NzaVar);
  EXPECT_EQ(a.Nza00A, b.Nza00A);
  EXPECT_EQ(a.Nza00U, b.Nza00U);
  EXPECT_EQ(a.Nza00S, b.Nza00S);
  EXPECT_EQ(a.NzaEmo, b.NzaEmo);
  EXPECT_EQ(a.NzaWtg, b.NzaWtg);
  EXPECT_EQ(a.NzaJtg, b.NzaJtg);
  EXPECT_EQ(a.NzaTtp, b.NzaTtp);
  EXPECT_EQ(a.NzaJwo, b.NzaJwo);
  EXPECT_EQ(a.NzaWoc, b.NzaWoc);
  EXPECT_EQ(a.NzaPzm, b.NzaPzm);
  EXPECT_EQ(a.NzaMaz, b.NzaMaz);
  // Doubles compared exactly: a duration must come back bit for bit.
  EXPECT_EQ(a.NzaNzr, b.NzaNzr);
  EXPECT_EQ(a.NzaBzr, b.NzaBzr);
  EXPECT_EQ(a.NzaUzr, b.NzaUzr);
  EXPECT_EQ(a.NzaPzr, b.NzaPzr);
  EXPECT_EQ(a.NzaRbz, b.NzaRbz);
  EXPECT_EQ(a.NzaNza, b.NzaNza);
  EXPECT_EQ(a.NzaBzA, b.NzaBzA);
  EXPECT_EQ(a.NzaUza, b.NzaUza);
  EXPECT_EQ(a.NzaPza, b.NzaPza);
  EXPECT_EQ(a.NzaAbz, b.NzaAbz);
  EXPECT_EQ(a.NzaNzu, b.NzaNzu);
  EXPECT_EQ(a.NzaBzu, b.NzaBzu);
  EXPECT_EQ(a.NzaPzu, b.NzaPzu);
  EXPECT_EQ(a.NzaUbz, b.NzaUbz);
  EXPECT_EQ(a.NzaSol, b.NzaSol);
  EXPECT_EQ(a.NzaIst, b.NzaIst);
  EXPECT_EQ(a.NzaPau, b.NzaPau);
  EXPECT_EQ(a.NzaRf1, b.NzaRf1);
  EXPECT_EQ(a.NzaRf2, b.NzaRf2);
  EXPECT_EQ(a.NzaRf3, b.NzaRf3);
  EXPECT_EQ(a.NzaFnr, b.NzaFnr);
  EXPECT_EQ(a.NzaErf, b.NzaErf);
  EXPECT_EQ(a.NzaGum, b.NzaGum);
  EXPECT_EQ(a.NzaAum, b.NzaAum);
  EXPECT_EQ(a.NzaTnr, b.NzaTnr);
}

// The key of `r` alone, everything else left at its default.
NzaSatz NurSchluessel(const NzaSatz& r) {
  return Nza(r.NzaSa, r.NzaApl, r.NzaApk, r.NzaApp, r.NzaPnr, r.NzaDtmDat, r.NzaDtmUhr);
}

// The minutes.seconds form of T seconds.
double MinSek(int t) {
  return t / 60 + (t % 60) * 0.01;
}

// Begin stamps (date + time) of the rows a cursor delivers until it ends.
template <typename Fetch>
Zeilen Beginne(Fetch fetch) {
  Zeilen out;
  NzaSatz r;
  int st;
  while ((st = fetch(r)) == DB_OK) out.push_back(r.NzaPnr + "@" + r.NzaDtmDat + r.NzaDtmUhr);
  EXPECT_EQ(st, DB_NOT_FOUND);
  return out;
}

TEST_P(DbMelNzaTest, NzaEveryColumnRoundTrips) {
  const NzaSatz voll = VollerSatz();
  ASSERT_EQ(Nza_PKeyIns(voll), DB_OK);

  NzaSatz r = NurSchluessel(voll);
  ASSERT_EQ(Nza_PKeyReadk(r), DB_OK);
  ErwarteGleich(r, voll);
  // Two values that sit side by side in the row keep their own columns.
  EXPECT_EQ(Rows("select NzaSol,NzaIst,Nza00U,Nza00S from Qvt590Nza"), Zeilen{"15.15|16.16|8|9"});
  // The instants are stored as dates; NzaDat is the clock of the write.
  EXPECT_EQ(Rows("select NzaDtm,NzaEdt,NzaDat from Qvt590Nza"),
            Zeilen{"2026-03-05 06:07:08|2026-03-06 14:15:16|2026-03-12 08:15:00"});

  // The same through a cursor.
  ASSERT_EQ(Nza_OpenPnr(4, "APL01", "AUFTRAG00001", "00010", "SCHICHT1"), DB_OK);
  NzaSatz f;
  ASSERT_EQ(Nza_FetchPnr(f), DB_OK);
  ErwarteGleich(f, voll);
  EXPECT_EQ(Nza_FetchPnr(f), DB_NOT_FOUND);
  EXPECT_EQ(Nza_ClosePnr(), DB_OK);
}

TEST_P(DbMelNzaTest, NzaDurationsComeBackExactly) {
  // Minutes.seconds values as the evaluations compute them, and a few whose
  // binary form is long.
  const int sekunden[] = {0, 1, 59, 61, 125, 5400, 5430, 9900, 10800, 86399, 3599999};
  int tag = 1;
  for (int t : sekunden) {
    char uhr[16];
    std::snprintf(uhr, sizeof uhr, "0000%02d", tag++);
    NzaSatz r = Nza(13, "M1", "000000000000", "00000", "", "20260101", uhr);
    r.NzaUza = MinSek(t);
    r.NzaNzu = MinSek(t) + 0.01;
    r.NzaBzu = 1.0 / 3.0;
    r.NzaPzu = 0.1 + 0.2;
    r.NzaUbz = 1e-9 * t;
    ASSERT_EQ(Nza_PKeyIns(r), DB_OK) << t;
    NzaSatz z = NurSchluessel(r);
    ASSERT_EQ(Nza_PKeyReadk(z), DB_OK) << t;
    EXPECT_EQ(z.NzaUza, r.NzaUza) << t;
    EXPECT_EQ(z.NzaNzu, r.NzaNzu) << t;
    EXPECT_EQ(z.NzaBzu, r.NzaBzu) << t;
    EXPECT_EQ(z.NzaPzu, r.NzaPzu) << t;
    EXPECT_EQ(z.NzaUbz, r.NzaUbz) << t;
  }
  NzaSatz z = Nza(13, "M1", "000000000000", "00000", "", "20260101", "000006");
  ASSERT_EQ(Nza_PKeyReadk(z), DB_OK);
  EXPECT_DOUBLE_EQ(z.NzaUza, 90.0);  // 5400 s
  z = Nza(13, "M1", "000000000000", "00000", "", "20260101", "000005");
  ASSERT_EQ(Nza_PKeyReadk(z), DB_OK);
  EXPECT_DOUBLE_EQ(z.NzaUza, 2.05);  // 125 s
}

TEST_P(DbMelNzaTest, NzaDuplicateKeyIsMinusOneAndLeavesTheFirstRow) {
  NzaSatz a = Nza(1, "APL01", "A1", "10", "P1", "20260305", "080000");
  a.NzaFnr = 1;
  ASSERT_EQ(Nza_PKeyIns(a), DB_OK);
  NzaSatz b = a;
  b.NzaFnr = 2;
  b.NzaEdtDat = "20260310";
  EXPECT_EQ(Nza_PKeyIns(b), DB_DUP_KEY);
  EXPECT_EQ(Rows("select NzaFnr,NzaEdt from Qvt590Nza"), Zeilen{"1|2026-03-05 23:59:59"});

  // Each key part on its own makes another row.
  NzaSatz c = a;
  c.NzaDtmUhr = "080001";
  EXPECT_EQ(Nza_PKeyIns(c), DB_OK);
  c = a;
  c.NzaSa = 2;
  EXPECT_EQ(Nza_PKeyIns(c), DB_OK);
  c = a;
  c.NzaPnr = "P2";
  EXPECT_EQ(Nza_PKeyIns(c), DB_OK);
  c = a;
  c.NzaApl = "APL02";
  EXPECT_EQ(Nza_PKeyIns(c), DB_OK);
  c = a;
  c.NzaApk = "A2";
  EXPECT_EQ(Nza_PKeyIns(c), DB_OK);
  c = a;
  c.NzaApp = "20";
  EXPECT_EQ(Nza_PKeyIns(c), DB_OK);
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza"), Zeilen{"7"});
}

TEST_P(DbMelNzaTest, NzaMissingPersonAndBeginAreNullAndCollide) {
  // A machine-only stop without a known start: no person, no begin.
  NzaSatz a = Nza(13, "M1", "000000000000", "00000", "", "", "");
  a.NzaUbg = "    ";
  a.NzaEdtDat = "        ";
  a.NzaEdtUhr = "";
  ASSERT_EQ(Nza_PKeyIns(a), DB_OK);
  EXPECT_EQ(Rows("select NzaPnr,NzaDtm,NzaEdt from Qvt590Nza"), Zeilen{"<null>|<null>|<null>"})
      << "an empty begin and an end of blanks only are no dates";
  // A second one meets the first: NULL counts as one value in the key.
  NzaSatz b = a;
  b.NzaDtmDat = "        ";  // blanks only are empty too
  b.NzaDtmUhr = "      ";
  EXPECT_EQ(Nza_PKeyIns(b), DB_DUP_KEY);
  // A person of blanks is a person and no collision.
  NzaSatz c = a;
  c.NzaPnr = "        ";
  EXPECT_EQ(Nza_PKeyIns(c), DB_OK);
  // No person but a begin is another key as well.
  NzaSatz d = a;
  d.NzaDtmDat = "20260305";
  d.NzaDtmUhr = "070000";
  EXPECT_EQ(Nza_PKeyIns(d), DB_OK);
  d.NzaDtmUhr = "070001";
  d.NzaPnr = "";
  EXPECT_EQ(Nza_PKeyIns(d), DB_OK);
  EXPECT_EQ(Nza_PKeyIns(d), DB_DUP_KEY);
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza"), Zeilen{"4"});

  // The keyed statements find the rows without person or begin by their
  // empty key, and only them.
  NzaSatz r = Nza(13, "M1", "000000000000", "00000", "", "", "");
  ASSERT_EQ(Nza_PKeyReadk(r), DB_OK);
  EXPECT_EQ(r.NzaPnr, "");
  EXPECT_EQ(r.NzaDtmDat, "");
  EXPECT_EQ(r.NzaUbg, "    ");
  r.NzaFnr = 77;
  ASSERT_EQ(Nza_PKeyUpd(r), DB_OK);
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza where NzaFnr=77 and NzaPnr is null and "
                 "NzaDtm is null"),
            Zeilen{"1"});
  ASSERT_EQ(Nza_PKeyDel(r), DB_OK);
  EXPECT_EQ(Nza_PKeyDel(r), DB_NOT_FOUND);
  EXPECT_EQ(Rows("select coalesce(NzaPnr,'-'),NzaFnr from Qvt590Nza order by 1"),
            (Zeilen{"        |0", "-|0", "-|0"}))
      << "the row of blanks stays, and so do the rows with a begin";
}

TEST_P(DbMelNzaTest, NzaReadOfAMissingRowKeepsTheKeyAndClearsTheNumbers) {
  ASSERT_EQ(Nza_PKeyIns(VollerSatz()), DB_OK);
  NzaSatz r = VollerSatz();
  r.NzaDtmUhr = "060709";  // one second later: no such row
  EXPECT_EQ(Nza_PKeyReadk(r), DB_NOT_FOUND);
  EXPECT_EQ(r.NzaSa, 4);
  EXPECT_EQ(r.NzaApl, "APL01");
  EXPECT_EQ(r.NzaApk, "AUFTRAG00001");
  EXPECT_EQ(r.NzaApp, "00010");
  EXPECT_EQ(r.NzaPnr, "SCHICHT1");
  EXPECT_EQ(r.NzaDtmDat, "20260305");
  EXPECT_EQ(r.NzaDtmUhr, "060709");
  EXPECT_EQ(r.NzaEmo, "MODELL1") << "other texts stay as the caller had them";
  EXPECT_EQ(r.NzaTnr, "TEIL-4711-0815");
  EXPECT_EQ(r.NzaBeg, 0);
  EXPECT_EQ(r.NzaBbn, 0);
  EXPECT_EQ(r.NzaFnr, 0);
  EXPECT_EQ(r.NzaWoc, 0);
  EXPECT_EQ(r.NzaMaz, 0);
  EXPECT_EQ(r.NzaNzr, 0.0);
  EXPECT_EQ(r.NzaRf3, 0.0);
  EXPECT_EQ(r.NzaGum, 0.0);
  EXPECT_EQ(r.NzaAum, 0.0);

  // A failing read clears the same way.
  NzaSatz f = VollerSatz();
  DbFehlerPlan plan;
  plan.operations["Nza_PKeyReadk"] = DB_NOT_CONNECTED;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Nza_PKeyReadk(f), DB_NOT_CONNECTED);
  EXPECT_EQ(f.NzaSa, 4);
  EXPECT_EQ(f.NzaPnr, "SCHICHT1");
  EXPECT_EQ(f.NzaIst, 0.0);
  EXPECT_EQ(f.NzaEnd, 0);
}

TEST_P(DbMelNzaTest, NzaUpdateChangesEveryColumnOfItsRowOnly) {
  NzaSatz a = Nza(4, "APL01", "A1", "10", "        ", "20260305", "060000");
  NzaSatz n = a;
  n.NzaDtmUhr = "140000";
  ASSERT_EQ(Nza_PKeyIns(a), DB_OK);
  ASSERT_EQ(Nza_PKeyIns(n), DB_OK);

  setenv("QV_TEST_NOW", "20260313091011", 1);
  NzaSatz v = VollerSatz();
  v.NzaSa = a.NzaSa;
  v.NzaApl = a.NzaApl;
  v.NzaApk = a.NzaApk;
  v.NzaApp = a.NzaApp;
  v.NzaPnr = a.NzaPnr;
  v.NzaDtmDat = a.NzaDtmDat;
  v.NzaDtmUhr = a.NzaDtmUhr;
  ASSERT_EQ(Nza_PKeyUpd(v), DB_OK);
  NzaSatz r = NurSchluessel(a);
  ASSERT_EQ(Nza_PKeyReadk(r), DB_OK);
  ErwarteGleich(r, v);
  EXPECT_EQ(Rows("select NzaDtm,NzaFnr,NzaDat from Qvt590Nza order by NzaDtm"),
            (Zeilen{"2026-03-05 06:00:00|5004|2026-03-13 09:10:11",
                    "2026-03-05 14:00:00|0|2026-03-12 08:15:00"}));

  // No row with the key: nothing changes.
  NzaSatz x = v;
  x.NzaDtmUhr = "060001";
  x.NzaFnr = 9;
  EXPECT_EQ(Nza_PKeyUpd(x), DB_NOT_FOUND);
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza where NzaFnr=9"), Zeilen{"0"});
}

TEST_P(DbMelNzaTest, NzaFailedWritesLeaveTheTableAsItWas) {
  NzaSatz a = Nza(1, "APL01", "A1", "10", "P1", "20260305", "080000");
  ASSERT_EQ(Nza_PKeyIns(a), DB_OK);

  NzaSatz breit = a;
  breit.NzaDtmUhr = "090000";
  breit.NzaErf = "VIEL_ZU_LANG";
  EXPECT_EQ(Nza_PKeyIns(breit), DB_TOO_WIDE);
  NzaSatz datum = a;
  datum.NzaDtmUhr = "250000";
  EXPECT_EQ(Nza_PKeyIns(datum), DB_BAD_DATE);
  NzaSatz ohneSa = a;
  ohneSa.NzaApl = "";  // workplace is NOT NULL
  EXPECT_EQ(Nza_PKeyIns(ohneSa), DB_NOT_NULL);
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza"), Zeilen{"1"});

  NzaSatz upd = a;
  upd.NzaEmk = "ZULANG";
  EXPECT_EQ(Nza_PKeyUpd(upd), DB_TOO_WIDE);
  EXPECT_EQ(Rows("select NzaEmk from Qvt590Nza"), Zeilen{"EG"});

  DbFehlerPlan plan;
  plan.operations["Nza_PKeyDel"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Nza_PKeyDel(a), DB_BUSY);
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza"), Zeilen{"1"});
  // The session is still usable after the failures.
  EXPECT_EQ(Nza_PKeyDel(a), DB_OK);
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza"), Zeilen{"0"});
}

TEST_P(DbMelNzaTest, NzaDeleteByKeyTakesExactlyItsRow) {
  NzaSatz a = Nza(2, "APL01", "A1", "10", "P1", "20260305", "080000");
  ASSERT_EQ(Nza_PKeyIns(a), DB_OK);
  NzaSatz s = a;
  s.NzaDtmUhr = "080001";
  ASSERT_EQ(Nza_PKeyIns(s), DB_OK);
  NzaSatz t = a;
  t.NzaDtmDat = "20260306";
  ASSERT_EQ(Nza_PKeyIns(t), DB_OK);
  NzaSatz k = a;
  k.NzaSa = 1;
  ASSERT_EQ(Nza_PKeyIns(k), DB_OK);

  EXPECT_EQ(Nza_PKeyDel(a), DB_OK);
  EXPECT_EQ(Nza_PKeyDel(a), DB_NOT_FOUND);
  EXPECT_EQ(Rows("select NzaSa,NzaDtm from Qvt590Nza order by NzaSa,NzaDtm"),
            (Zeilen{"1|2026-03-05 08:00:00", "2|2026-03-05 08:00:01", "2|2026-03-06 08:00:00"}));
}

TEST_P(DbMelNzaTest, NzaKindDeleteTakesOneKindAndOperationAtOneWorkplace) {
  ASSERT_EQ(Nza_PKeyIns(Nza(3, "APL01", "A1", "10", "        ", "20260305", "080000")), DB_OK);
  ASSERT_EQ(Nza_PKeyIns(Nza(3, "APL01", "A1", "10", "        ", "20260306", "080000")), DB_OK);
  ASSERT_EQ(Nza_PKeyIns(Nza(3, "APL01", "A1", "10", "", "", "")), DB_OK);
  ASSERT_EQ(Nza_PKeyIns(Nza(4, "APL01", "A1", "10", "        ", "20260305", "080000")), DB_OK);
  ASSERT_EQ(Nza_PKeyIns(Nza(3, "APL02", "A1", "10", "        ", "20260305", "080000")), DB_OK);
  ASSERT_EQ(Nza_PKeyIns(Nza(3, "APL01", "A2", "10", "        ", "20260305", "080000")), DB_OK);
  ASSERT_EQ(Nza_PKeyIns(Nza(3, "APL01", "A1", "20", "        ", "20260305", "080000")), DB_OK);

  // Order, operation, workplace in this order of the arguments.
  EXPECT_EQ(Nza_SA_Del(3, "A1", "10", "APL01"), DB_OK);
  EXPECT_EQ(Rows("select NzaSa,NzaApl,NzaApk,NzaApp from Qvt590Nza "
                 "order by NzaSa,NzaApl,NzaApk,NzaApp"),
            (Zeilen{"3|APL01|A1|20", "3|APL01|A2|10", "3|APL02|A1|10", "4|APL01|A1|10"}));
  // Nothing left to delete.
  EXPECT_EQ(Nza_SA_Del(3, "A1", "10", "APL01"), DB_NOT_FOUND);
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza"), Zeilen{"4"});
}

TEST_P(DbMelNzaTest, NzaCursorsSelectAndOrder) {
  // Inserted out of order; the year change checks that the order is by instant.
  const char* beginne[][2] = {{"20260102", "000000"},
                              {"20251231", "235959"},
                              {"20260101", "120000"},
                              {"20251231", "060000"}};
  for (const auto& b : beginne) {
    ASSERT_EQ(Nza_PKeyIns(Nza(1, "APL01", "A1", "10", "P2", b[0], b[1])), DB_OK);
    ASSERT_EQ(Nza_PKeyIns(Nza(1, "APL01", "A1", "10", "P1", b[0], b[1])), DB_OK);
  }
  // Neighbours that no cursor below may deliver.
  ASSERT_EQ(Nza_PKeyIns(Nza(2, "APL01", "A1", "10", "P1", "20260101", "000000")), DB_OK);
  ASSERT_EQ(Nza_PKeyIns(Nza(1, "APL09", "A1", "10", "P1", "20260101", "000000")), DB_OK);
  ASSERT_EQ(Nza_PKeyIns(Nza(1, "APL01", "A9", "10", "P1", "20260101", "000000")), DB_OK);
  ASSERT_EQ(Nza_PKeyIns(Nza(1, "APL01", "A1", "90", "P1", "20260101", "000000")), DB_OK);

  ASSERT_EQ(Nza_OpenPnr(1, "APL01", "A1", "10", "P1"), DB_OK);
  EXPECT_EQ(Beginne(Nza_FetchPnr), (Zeilen{"P1@20251231060000", "P1@20251231235959",
                                           "P1@20260101120000", "P1@20260102000000"}));
  EXPECT_EQ(Nza_ClosePnr(), DB_OK);

  // The window includes both ends.
  ASSERT_EQ(Nza_PKeyVon_Open(1, "APL01", "A1", "10", "P1", "20251231235959", "20260102000000"),
            DB_OK);
  EXPECT_EQ(Beginne(Nza_PKeyVon_Read),
            (Zeilen{"P1@20251231235959", "P1@20260101120000", "P1@20260102000000"}));
  EXPECT_EQ(Nza_PKeyVon_Close(), DB_OK);
  ASSERT_EQ(Nza_PKeyVon_Open(1, "APL01", "A1", "10", "P1", "20251231235960", "20260102000000"),
            DB_OK);
  EXPECT_EQ(Beginne(Nza_PKeyVon_Read), (Zeilen{"P1@20260101120000", "P1@20260102000000"}));
  EXPECT_EQ(Nza_PKeyVon_Close(), DB_OK);

  // Every person of the operation, by person and begin.
  ASSERT_EQ(Nza_OpenAplApp(1, "APL01", "A1", "10"), DB_OK);
  EXPECT_EQ(
      Beginne(Nza_FetchAplApp),
      (Zeilen{"P1@20251231060000", "P1@20251231235959", "P1@20260101120000", "P1@20260102000000",
              "P2@20251231060000", "P2@20251231235959", "P2@20260101120000", "P2@20260102000000"}));
  EXPECT_EQ(Nza_CloseAplApp(), DB_OK);

  // Over all workplaces of the operation.
  ASSERT_EQ(Nza_OpenApkApp(1, "A1", "10"), DB_OK);
  Zeilen plaetze;
  NzaSatz r;
  while (Nza_FetchApkApp(r) == DB_OK) plaetze.push_back(r.NzaApl + "/" + r.NzaPnr);
  EXPECT_EQ(Nza_CloseApkApp(), DB_OK);
  EXPECT_EQ(plaetze, (Zeilen{"APL01/P1", "APL01/P1", "APL01/P1", "APL01/P1", "APL01/P2", "APL01/P2",
                             "APL01/P2", "APL01/P2", "APL09/P1"}));

  // Nothing selected: the first fetch ends.
  ASSERT_EQ(Nza_OpenPnr(1, "APL01", "A1", "10", "P3"), DB_OK);
  EXPECT_EQ(Beginne(Nza_FetchPnr), Zeilen{});
  EXPECT_EQ(Nza_ClosePnr(), DB_OK);
}

TEST_P(DbMelNzaTest, NzaWindowCursorsTakeBeginOrEnd) {
  // Person P1: work rows (kind 1) at two workplaces and an interruption row.
  NzaSatz vorher = Nza(1, "APL01", "A1", "10", "P1", "20260305", "060000");
  vorher.NzaEdtDat = "20260305";
  vorher.NzaEdtUhr = "080000";  // ends on the window's first second
  NzaSatz ueber = Nza(1, "APL02", "A2", "20", "P1", "20260305", "070000");
  ueber.NzaEdtDat = "20260306";
  ueber.NzaEdtUhr = "070000";  // spans the whole window: neither end inside
  NzaSatz drin = Nza(1, "APL02", "A2", "20", "P1", "20260305", "120000");
  drin.NzaEdtDat = "20260305";
  drin.NzaEdtUhr = "130000";
  NzaSatz nachher = Nza(1, "APL01", "A1", "10", "P1", "20260305", "160000");
  nachher.NzaEdtDat = "20260305";
  nachher.NzaEdtUhr = "170000";  // begins on the window's last second
  NzaSatz spaet = Nza(1, "APL01", "A1", "10", "P1", "20260305", "160001");
  NzaSatz anderer = Nza(1, "APL01", "A1", "10", "P2", "20260305", "120000");
  NzaSatz unterbr = Nza(2, "APL02", "A2", "20", "P1", "20260305", "123000");
  unterbr.NzaEdtDat = "20260305";
  unterbr.NzaEdtUhr = "124500";
  NzaSatz unterbrVorher = Nza(2, "APL02", "A2", "20", "P1", "20260304", "123000");
  unterbrVorher.NzaEdtDat = "20260304";
  unterbrVorher.NzaEdtUhr = "124500";
  NzaSatz unterbrAnders = Nza(2, "APL01", "A2", "20", "P1", "20260305", "123000");
  for (const NzaSatz* r : {&vorher, &ueber, &drin, &nachher, &spaet, &anderer, &unterbr,
                           &unterbrVorher, &unterbrAnders})
    ASSERT_EQ(Nza_PKeyIns(*r), DB_OK);

  ASSERT_EQ(Nza_OpenSa1Zeit("P1", "20260305080000", "20260305160000"), DB_OK);
  EXPECT_EQ(Beginne(Nza_FetchSa1Zeit),
            (Zeilen{"P1@20260305060000", "P1@20260305120000", "P1@20260305160000"}));
  EXPECT_EQ(Nza_CloseSa1Zeit(), DB_OK);

  ASSERT_EQ(Nza_OpenSa2Zeit("APL02", "A2", "20", "P1", "20260305000000", "20260305235959"), DB_OK);
  EXPECT_EQ(Beginne(Nza_FetchSa2Zeit), Zeilen{"P1@20260305123000"});
  EXPECT_EQ(Nza_CloseSa2Zeit(), DB_OK);
}

TEST_P(DbMelNzaTest, NzaCursorEndAndFailure) {
  NzaSatz a = VollerSatz();
  ASSERT_EQ(Nza_PKeyIns(a), DB_OK);
  ASSERT_EQ(Nza_OpenAplApp(4, "APL01", "AUFTRAG00001", "00010"), DB_OK);
  NzaSatz r;
  ASSERT_EQ(Nza_FetchAplApp(r), DB_OK);
  EXPECT_EQ(Nza_FetchAplApp(r), DB_NOT_FOUND);
  // At the end the record keeps the texts of the last row; the numbers but
  // the kind are 0.
  EXPECT_EQ(r.NzaSa, 4);
  EXPECT_EQ(r.NzaPnr, "SCHICHT1");
  EXPECT_EQ(r.NzaDtmUhr, "060708");
  EXPECT_EQ(r.NzaEmo, "MODELL1");
  EXPECT_EQ(r.NzaBbn, 0);
  EXPECT_EQ(r.NzaNzr, 0.0);
  EXPECT_EQ(r.NzaAum, 0.0);
  EXPECT_EQ(Nza_CloseAplApp(), DB_OK);
  EXPECT_EQ(Nza_FetchAplApp(r), DB_CURSOR_CLOSED);
  EXPECT_EQ(Nza_CloseAplApp(), DB_CURSOR_CLOSED);

  DbFehlerPlan plan;
  plan.operations["Nza_OpenApkApp"] = DB_NOT_CONNECTED;
  plan.operations["Nza_OpenPnr.Fetch"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Nza_OpenApkApp(4, "AUFTRAG00001", "00010"), DB_NOT_CONNECTED);
  EXPECT_EQ(Nza_FetchApkApp(r), DB_CURSOR_CLOSED);
  ASSERT_EQ(Nza_OpenPnr(4, "APL01", "AUFTRAG00001", "00010", "SCHICHT1"), DB_OK);
  EXPECT_EQ(Nza_FetchPnr(r), DB_BUSY);
  EXPECT_EQ(Nza_ClosePnr(), DB_OK);
}

TEST_P(DbMelNzaTest, NzaCursorDeliversRowsDeletedWhileItIsOpen) {
  // The runtime evaluation deletes the rows of its own cursor one by one.
  for (const char* uhr : {"060000", "140000", "220000"})
    ASSERT_EQ(Nza_PKeyIns(Nza(4, "APL01", "A1", "10", "        ", "20260305", uhr)), DB_OK);
  ASSERT_EQ(Nza_PKeyIns(Nza(4, "APL01", "A1", "10", "00:0024:00", "20260305", "000000")), DB_OK);
  ASSERT_EQ(Nza_OpenAplApp(4, "APL01", "A1", "10"), DB_OK);
  NzaSatz r;
  int n = 0;
  while (Nza_FetchAplApp(r) == DB_OK) {
    EXPECT_EQ(Nza_PKeyDel(r), DB_OK) << r.NzaPnr << r.NzaDtmUhr;
    ++n;
  }
  EXPECT_EQ(Nza_CloseAplApp(), DB_OK);
  EXPECT_EQ(n, 4);
  EXPECT_EQ(Rows("select count(*) from Qvt590Nza"), Zeilen{"0"});
}

// ---------------------------------------------------------------------------
// Scratch lists

MltSatz Mlt(const std::string& erf, const std::string& dat, int lfn, const std::string& obj,
            const std::string& mdtDat, const std::string& mdtUhr) {
  return Test_Mlt({.erf = erf, .dat = dat, .lfn = lfn, .obj = obj, .zeit = mdtDat + mdtUhr});
}

// Running numbers of a list as its cursor delivers them.
Zeilen Liste(const std::string& erf, const std::string& dat) {
  Zeilen out;
  EXPECT_EQ(Mlt_Open(erf, dat), DB_OK);
  MltSatz m;
  int st;
  while ((st = Mlt_Fetch(m)) == DB_OK) out.push_back(std::to_string(m.MltLfn) + m.MltObj);
  EXPECT_EQ(st, DB_NOT_FOUND);
  EXPECT_EQ(Mlt_Close(), DB_OK);
  return out;
}

TEST_P(DbMelNzaTest, MltEveryColumnRoundTrips) {
  MltSatz m = Mlt("LzaStd", "20260312081500", 7, "KM", "20260305", "220000");
  m.MltPnr = "PERS0001";
  m.MltApl = "APL01";
  m.MltApk = "AUFTRAG00001";
  m.MltApp = "00010";
  m.Mlt00E = "1";
  m.Mlt00R = "2";
  m.Mlt00A = "3";
  m.Mlt00U = "4";
  m.Mlt00S = "5";
  m.MltBkg = "6";
  m.MltPbe = "7";
  m.MltArg = "Frueh";
  m.MltEmo = "MODELL1";
  m.MltTtp = "AT";
  m.MltWoc = 10;
  m.MltWtg = 4;
  m.MltJtg = 64;
  m.MltJwo = "2026";
  m.MltUbg = "0007";
  ASSERT_EQ(Mlt_PKeyIns(m), DB_OK);
  EXPECT_EQ(Rows("select Mlt00U,Mlt00S,MltMdt from Qvt561Mlt"), Zeilen{"4|5|2026-03-05 22:00:00"});

  ASSERT_EQ(Mlt_Open("LzaStd", "20260312081500"), DB_OK);
  MltSatz r;
  ASSERT_EQ(Mlt_Fetch(r), DB_OK);
  EXPECT_EQ(r.MltErf, m.MltErf);
  EXPECT_EQ(r.MltDat, m.MltDat);
  EXPECT_EQ(r.MltLfn, 7);
  EXPECT_EQ(r.MltObj, "KM");
  EXPECT_EQ(r.MltPnr, m.MltPnr);
  EXPECT_EQ(r.MltApl, m.MltApl);
  EXPECT_EQ(r.MltApk, m.MltApk);
  EXPECT_EQ(r.MltApp, m.MltApp);
  EXPECT_EQ(r.Mlt00E + r.Mlt00R + r.Mlt00A + r.Mlt00U + r.Mlt00S + r.MltBkg + r.MltPbe, "1234567");
  EXPECT_EQ(r.MltArg, "Frueh");
  EXPECT_EQ(r.MltEmo, "MODELL1");
  EXPECT_EQ(r.MltTtp, "AT");
  EXPECT_EQ(r.MltWoc, 10);
  EXPECT_EQ(r.MltWtg, 4);
  EXPECT_EQ(r.MltJtg, 64);
  EXPECT_EQ(r.MltJwo, "2026");
  EXPECT_EQ(r.MltMdtDat, "20260305");
  EXPECT_EQ(r.MltMdtUhr, "220000");
  EXPECT_EQ(r.MltUbg, "0007");
  // At the end the texts stay, the numbers are 0.
  EXPECT_EQ(Mlt_Fetch(r), DB_NOT_FOUND);
  EXPECT_EQ(r.MltErf, "LzaStd");
  EXPECT_EQ(r.MltObj, "KM");
  EXPECT_EQ(r.MltLfn, 0);
  EXPECT_EQ(r.MltWoc, 0);
  EXPECT_EQ(r.MltJtg, 0);
  EXPECT_EQ(Mlt_Close(), DB_OK);

  // The same running number again in the same list is the duplicate key.
  MltSatz d = Mlt("LzaStd", "20260312081500", 7, "GH", "20260306", "060000");
  EXPECT_EQ(Mlt_PKeyIns(d), DB_DUP_KEY);
  EXPECT_EQ(Rows("select count(*) from Qvt561Mlt"), Zeilen{"1"});
}

TEST_P(DbMelNzaTest, MltListsAreSeparateAndOrderedByInstantThenNumber) {
  const std::string t = "20260312081500";
  // Same instant: the running numbers decide, whatever the insert order.
  ASSERT_EQ(Mlt_PKeyIns(Mlt("DlzStd", t, 3, "KM", "20260305", "060000")), DB_OK);
  ASSERT_EQ(Mlt_PKeyIns(Mlt("DlzStd", t, 1, "BS", "20260305", "060000")), DB_OK);
  ASSERT_EQ(Mlt_PKeyIns(Mlt("DlzStd", t, 0, "ES", "20260305", "100000")), DB_OK);
  ASSERT_EQ(Mlt_PKeyIns(Mlt("DlzStd", t, 2, "GH", "20260306", "000000")), DB_OK);
  ASSERT_EQ(Mlt_PKeyIns(Mlt("DlzStd", t, 4, "BP", "20260304", "235959")), DB_OK);
  // Another run of the same producer, and another producer of the same run.
  ASSERT_EQ(Mlt_PKeyIns(Mlt("DlzStd", "20260312081501", 1, "BS", "20260305", "050000")), DB_OK);
  ASSERT_EQ(Mlt_PKeyIns(Mlt("LzaStd", t, 1, "AB", "20260305", "050000")), DB_OK);

  EXPECT_EQ(Liste("DlzStd", t), (Zeilen{"4BP", "1BS", "3KM", "0ES", "2GH"}));
  EXPECT_EQ(Liste("LzaStd", t), Zeilen{"1AB"});
  EXPECT_EQ(Liste("DlzStd", "20260312081502"), Zeilen{});

  int max = -5;
  ASSERT_EQ(Mlt_MaxLfn("DlzStd", t, max), DB_OK);
  EXPECT_EQ(max, 4);
  ASSERT_EQ(Mlt_MaxLfn("LzaStd", t, max), DB_OK);
  EXPECT_EQ(max, 1);
  max = 17;
  EXPECT_EQ(Mlt_MaxLfn("Nza_MPA", t, max), DB_NOT_FOUND) << "an empty list has no maximum";
  EXPECT_EQ(max, 17);

  // Deleting the list as the evaluations do, through its own cursor, leaves
  // the other lists alone.
  ASSERT_EQ(Mlt_Open("DlzStd", t), DB_OK);
  MltSatz m;
  while (Mlt_Fetch(m) == DB_OK) EXPECT_EQ(Mlt_PKeyDel(m), DB_OK) << m.MltLfn;
  EXPECT_EQ(Mlt_Close(), DB_OK);
  EXPECT_EQ(Liste("DlzStd", t), Zeilen{});
  EXPECT_EQ(Rows("select MltErf,MltDat,MltLfn from Qvt561Mlt order by MltErf"),
            (Zeilen{"DlzStd|20260312081501|1", "LzaStd|20260312081500|1"}));
  EXPECT_EQ(Mlt_PKeyDel(Mlt("DlzStd", t, 1, "", "", "")), DB_NOT_FOUND);
  max = 3;
  EXPECT_EQ(Mlt_MaxLfn("DlzStd", t, max), DB_NOT_FOUND);
  EXPECT_EQ(max, 3);
}

TEST_P(DbMelNzaTest, MltFailedWritesLeaveTheListAsItWas) {
  const std::string t = "20260312081500";
  EXPECT_EQ(Mlt_PKeyIns(Mlt("Nza_MPA", t, 1, "KOMMT", "20260305", "060000")), DB_TOO_WIDE);
  EXPECT_EQ(Mlt_PKeyIns(Mlt("Nza_MPA", t, 1, "KM", "20260230", "060000")), DB_BAD_DATE);
  EXPECT_EQ(Mlt_PKeyIns(Mlt("", t, 1, "KM", "20260305", "060000")), DB_NOT_NULL);
  EXPECT_EQ(Rows("select count(*) from Qvt561Mlt"), Zeilen{"0"});
  // An entry without instant is kept with none.
  ASSERT_EQ(Mlt_PKeyIns(Mlt("Nza_MPA", t, 1, "KM", "", "")), DB_OK);
  EXPECT_EQ(Rows("select MltMdt from Qvt561Mlt"), Zeilen{"<null>"});

  DbFehlerPlan plan;
  plan.operations["Mlt_MaxLfn"] = DB_NOT_CONNECTED;
  plan.operations["Mlt_Open"] = DB_NOT_CONNECTED;
  Db_SetFaultPlanForTest(plan);
  int max = 9;
  EXPECT_EQ(Mlt_MaxLfn("Nza_MPA", t, max), DB_NOT_CONNECTED);
  EXPECT_EQ(max, 9);
  EXPECT_EQ(Mlt_Open("Nza_MPA", t), DB_NOT_CONNECTED);
  MltSatz m;
  EXPECT_EQ(Mlt_Fetch(m), DB_CURSOR_CLOSED);
}

}  // namespace
