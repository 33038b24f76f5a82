// Order header, operation, workplace, person and shift-model statements
// against a fresh real database.
#include <gtest/gtest.h>

#include <cstdlib>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "support/Builders.h"
#include "support/TestDb.h"

namespace {

using Zeilen = std::vector<std::string>;

class DbstdStammTest : public DbTest {
 protected:
  void SetUp() override {
    setenv("QV_TEST_NOW", "20261201143007", 1);
    DbTest::SetUp();
  }
  void TearDown() override {
    DbTest::TearDown();
    unsetenv("QV_TEST_NOW");
  }
  // The stored instant of a date column as yyyymmddHHMMSS ("" when NULL).
  std::string Instant(const std::string& spalte, const std::string& tabelle,
                      const std::string& wo) {
    Zeilen z = Rows("select " + spalte + " from " + tabelle + " where " + wo);
    if (z.size() != 1) return "<" + std::to_string(z.size()) + " rows>";
    if (z[0] == "<null>") return "";
    std::string ziffern;
    for (char c : z[0]) {
      if (c >= '0' && c <= '9') ziffern += c;
    }
    return ziffern;
  }
};
QV_DB_TEST_SUITE(DbstdStammTest);

TEST_P(DbstdStammTest, HeaderReadUpdateDeleteRoundTrip) {
  ASSERT_EQ(Exec(Test_ApkSql({.dwn = "KorrMld", .dna = "NEU", .voll = true})), "");
  ApkSatz a;
  a.ApkApk = "A1000";
  a.ApkDat = "20250101000000";  // left from another row
  ASSERT_EQ(Apk_PKeyReadk(a), DB_OK);
  EXPECT_EQ(a.ApkBz1, "Gehaeuse Typ 4");
  EXPECT_EQ(a.ApkSts, 3);
  EXPECT_EQ(a.ApkSis, 1);
  EXPECT_EQ(a.ApkBgs, "20261130");
  EXPECT_EQ(a.ApkEns, "20261215");
  EXPECT_EQ(a.ApkAfo, 2);
  EXPECT_EQ(a.ApkSme, 1234.5);
  EXPECT_EQ(a.ApkBdiDat, "20261201");
  EXPECT_EQ(a.ApkBdiUhr, "060000");
  EXPECT_EQ(a.ApkEdiDat, "");
  EXPECT_EQ(a.ApkEdiUhr, "");
  EXPECT_EQ(a.ApkFbe, "FBE1");
  EXPECT_EQ(a.ApkDna, "NEU");
  EXPECT_EQ(a.ApkDwn, "KorrMld");
  EXPECT_EQ(a.ApkErf, "TEST");
  EXPECT_EQ(a.ApkAba, 1);
  EXPECT_EQ(a.ApkDat, "");  // the plain read does not select the change instant

  // The separate date and time are written as one instant; the change instant
  // is now; an empty begin is no instant.
  a.ApkEdiDat = "20261202";
  a.ApkEdiUhr = "171819";
  a.ApkBdiDat.clear();
  a.ApkBdiUhr.clear();
  a.ApkAfo = 7;
  a.ApkDwn.clear();
  a.ApkDna.clear();
  ASSERT_EQ(Apk_PKeyUpd(a), DB_OK);
  EXPECT_EQ(Instant("ApkEdi", "Qvt501Apk", "ApkApk='A1000'"), "20261202171819");
  EXPECT_EQ(Instant("ApkBdi", "Qvt501Apk", "ApkApk='A1000'"), "");
  EXPECT_EQ(Instant("ApkDat", "Qvt501Apk", "ApkApk='A1000'"), "20261201143007");
  EXPECT_EQ(Instant("ApkBgs", "Qvt501Apk", "ApkApk='A1000'"), "20261130000000");
  EXPECT_EQ(Rows("select ApkAfo, ApkDwn, ApkDna, ApkSme from Qvt501Apk"),
            Zeilen{"7|<null>|<null>|1234.5"});

  // A date without a time is midnight of that day.
  a.ApkBdiDat = "20261203";
  ASSERT_EQ(Apk_PKeyUpd(a), DB_OK);
  EXPECT_EQ(Instant("ApkBdi", "Qvt501Apk", "ApkApk='A1000'"), "20261203000000");

  ASSERT_EQ(Apk_PKeyDel(a), DB_OK);
  EXPECT_EQ(Rows("select count(*) from Qvt501Apk"), Zeilen{"0"});
  EXPECT_EQ(Apk_PKeyDel(a), DB_NOT_FOUND);
  EXPECT_EQ(Apk_PKeyUpd(a), DB_NOT_FOUND);
}

TEST_P(DbstdStammTest, FailedReadsKeepOnlyTheKey) {
  ApkSatz a;
  a.ApkApk = "FEHLT";
  a.ApkBz1 = "alt";
  a.ApkAfo = 4;
  a.ApkSme = 2.5;
  a.ApkBdiDat = "20261201";
  a.ApkDat = "20261201000000";
  EXPECT_EQ(Apk_PKeyReadk(a), DB_NOT_FOUND);
  EXPECT_EQ(a.ApkApk, "FEHLT");
  EXPECT_EQ(a.ApkBz1, "");
  EXPECT_EQ(a.ApkAfo, 0);
  EXPECT_EQ(a.ApkSme, 0);
  EXPECT_EQ(a.ApkBdiDat, "");
  EXPECT_EQ(a.ApkDat, "");

  AppSatz p;
  p.AppApk = "A1";
  p.AppApp = "0010";
  p.AppSts = 9;
  p.AppZf2 = "x";
  EXPECT_EQ(App_PKeyReadk(p), DB_NOT_FOUND);
  EXPECT_EQ(p.AppApk, "A1");
  EXPECT_EQ(p.AppApp, "0010");
  EXPECT_EQ(p.AppSts, 0);
  EXPECT_EQ(p.AppZf2, "");

  // A failure other than "no row" clears the same way.
  ASSERT_EQ(Exec(Test_AplSql({.apg = "APG1"})), "");
  DbFehlerPlan plan;
  plan.operations["Apl_PKeyReadk"] = DB_NOT_CONNECTED;
  Db_SetFaultPlanForTest(plan);
  AplSatz l;
  l.AplApl = "APL01";
  l.AplApg = "alt";
  l.AplKap = 3;
  EXPECT_EQ(Apl_PKeyReadk(l), DB_NOT_CONNECTED);
  EXPECT_EQ(l.AplApl, "APL01");
  EXPECT_EQ(l.AplApg, "");
  EXPECT_EQ(l.AplKap, 0);
}

TEST_P(DbstdStammTest, OperationReadUpdateDeleteKeepsEveryInstant) {
  ASSERT_EQ(Exec(Test_AppSql({.dwn = "KorrMld", .dna = "STA", .voll = true})), "");
  AppSatz p;
  p.AppApk = "A1000";
  p.AppApp = "0010";
  ASSERT_EQ(App_PKeyReadk(p), DB_OK);
  EXPECT_EQ(p.AppNaf, "00020");
  EXPECT_EQ(p.AppSts, 4);
  EXPECT_EQ(p.AppBdiDat + p.AppBdiUhr, "20261201061500");
  EXPECT_EQ(p.AppBdsDat + p.AppBdsUhr, "20261201060000");
  EXPECT_EQ(p.AppSbdDat + p.AppSbdUhr, "20261130220000");
  EXPECT_EQ(p.AppEdiDat + p.AppEdiUhr, "");
  EXPECT_EQ(p.AppSedDat + p.AppSedUhr, "20261202150000");
  EXPECT_EQ(p.AppAes, 3);
  EXPECT_EQ(p.AppIme, 120.25);
  EXPECT_EQ(p.AppStr, 30.25);
  EXPECT_EQ(p.AppKz4, "Z4");
  EXPECT_EQ(p.AppDna, "STA");
  EXPECT_EQ(p.AppDat, "20261101120000");
  EXPECT_EQ(p.AppErf, "TEST");

  p.AppEdiDat = "20261203";
  p.AppEdiUhr = "080000";
  p.AppSts = 9;
  p.AppErf = "KorrMld";
  ASSERT_EQ(App_PKeyUpd(p), DB_OK);
  AppSatz q;
  q.AppApk = "A1000";
  q.AppApp = "0010";
  ASSERT_EQ(App_PKeyReadk(q), DB_OK);
  EXPECT_EQ(q.AppEdiDat + q.AppEdiUhr, "20261203080000");
  EXPECT_EQ(q.AppBdiDat + q.AppBdiUhr, "20261201061500");
  EXPECT_EQ(q.AppSedDat + q.AppSedUhr, "20261202150000");
  EXPECT_EQ(q.AppSts, 9);
  EXPECT_EQ(q.AppErf, "KorrMld");
  EXPECT_EQ(q.AppDat, "20261201143007");

  ASSERT_EQ(App_PKeyDel(q), DB_OK);
  EXPECT_EQ(App_PKeyDel(q), DB_NOT_FOUND);
  EXPECT_EQ(App_PKeyUpd(q), DB_NOT_FOUND);
}

TEST_P(DbstdStammTest, PackageCursorSelectsItsKeyInKeyOrderAndLeavesTheRecordAtTheEnd) {
  std::string key = "         A1000 0010             ";
  key = key.substr(0, 30);
  // Every row of a package shares the key, so the order of the operations
  // (and of the interface records written for them) comes from their own key,
  // whatever order they were stored in.
  ASSERT_EQ(
      Exec(Test_AppSql({.apk = "A2000", .voll = true}) +
           Test_AppSql({.app = "0040", .voll = true}) + Test_AppSql({.app = "0030", .voll = true}) +
           Test_AppSql({.app = "0020", .voll = true}) + "update Qvt504App set AppZf2='" + key +
           "' where AppApp in ('0020','0040') or AppApk='A2000';"),
      "");
  ASSERT_EQ(App_OpenZf2(key), DB_OK);
  AppSatz p;
  Zeilen gefunden;
  int st;
  while ((st = App_FetchZf2(p)) == DB_OK) gefunden.push_back(p.AppApk + "/" + p.AppApp);
  EXPECT_EQ(st, DB_NOT_FOUND);
  EXPECT_EQ(gefunden, (Zeilen{"A1000/0020", "A1000/0040", "A2000/0010"}));
  EXPECT_EQ(p.AppZf2, key);  // the last row stays in the record
  EXPECT_EQ(p.AppSts, 4);
  EXPECT_EQ(App_CloseZf2(), DB_OK);
}

TEST_P(DbstdStammTest, WorkplaceAndPersonReads) {
  ASSERT_EQ(Exec(Test_AplSql({.apg = "APG1"}) +
                 Test_PrvSql({.pnr = "4711", .awn = "00004711", .pzm = 1, .voll = true})),
            "");
  AplSatz l;
  l.AplApl = "APL01";
  ASSERT_EQ(Apl_PKeyReadk(l), DB_OK);
  EXPECT_EQ(l.AplApg, "APG1");
  EXPECT_EQ(l.AplAaf, 8);
  EXPECT_EQ(l.AplUdt, "20261130080910");
  EXPECT_EQ(l.AplKap, 480.25);
  EXPECT_EQ(l.AplSf1, 2.5);
  EXPECT_EQ(l.AplErf, "TEST");

  PrvSatz v;
  v.PrvPnr = "4711";
  ASSERT_EQ(Prv_PKeyReadk(v), DB_OK);
  EXPECT_EQ(v.PrvAwn, "00004711");
  EXPECT_EQ(v.PrvPzm, 1);
  EXPECT_EQ(v.PrvGvo, "20260101");
  EXPECT_EQ(v.PrvAvn, "20261201053000");
  EXPECT_EQ(v.PrvAbi, "");
  EXPECT_EQ(v.PrvNam, "Muster");

  PrvSatz fehlt;
  fehlt.PrvPnr = "9999";
  fehlt.PrvPzm = 1;
  EXPECT_EQ(Prv_PKeyReadk(fehlt), DB_NOT_FOUND);
  EXPECT_EQ(fehlt.PrvPzm, 0);
  EXPECT_EQ(fehlt.PrvPnr, "9999");
}

// Shift models of workplace APL01 (kind 2) and group APG1 (kind 1) on a small
// calendar around the turn of the year.
class DbstdSchichtTest : public DbstdStammTest {
 protected:
  void SetUp() override {
    DbstdStammTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_EQ(
        Exec(Test_BakSql({.datum = "20261201", .wch = 49, .wtg = 2, .jtg = 335}) +
             Test_BakSql({.datum = "20261229", .wch = 1, .wtg = 2, .jtg = 363}) +
             Test_BakSql(
                 {.datum = "20270101", .jhr = 2027, .mon = 1, .wch = 53, .wtg = 5, .jtg = 1}) +
             Test_BakSql({.datum = "20261202", .wch = 49, .wtg = 3, .jtg = 336}) +
             Test_KalSql({.datum = "20261201"}) + Test_KalSql({.datum = "20261229"}) +
             Test_KalSql({.datum = "20270101", .btp = "FT"}) +
             Test_KalSql({.kal = "K2", .datum = "20261202"}) +
             // Two models of the workplace: FRUEH valid open-ended, SPAET
             // only until 20261201; an old one no longer valid.
             Test_AemSql({.apg = "APL01", .kng = 2, .emo = "FRUEH", .maz = 3}) +
             Test_AemSql({.apg = "APL01",
                          .kng = 2,
                          .emo = "SPAET",
                          .gvo = "20261101",
                          .gbi = "20261201",
                          .maz = 4}) +
             Test_AemSql(
                 {.apg = "APL01", .kng = 2, .emo = "ALT", .gvo = "20250101", .gbi = "20251231"}) +
             Test_AemSql({.apg = "APG1", .emo = "GRUPPE"}) +
             Test_EmoSql({.emo = "FRUEH", .beg = 360, .end = 840, .pmo = "P1"}) +
             Test_EmoSql({.emo = "SPAET", .beg = 840, .end = 1320, .pmo = "P1"}) +
             Test_EmoSql({.emo = "FRUEH", .ttp = "FT", .beg = 480, .end = 720}) +
             Test_EmoSql({.emo = "ALT", .beg = 0, .end = 480}) +
             Test_EmoSql({.emo = "GRUPPE", .beg = 300, .end = 900})),
        "");
  }
};
QV_DB_TEST_SUITE(DbstdSchichtTest);

TEST_P(DbstdSchichtTest, DayCursorGivesTheModelsOfTheDayInShiftOrder) {
  ASSERT_EQ(Aem_OpenTag("APL01", 2, "20261201"), DB_OK);
  AemTagSatz t;
  ASSERT_EQ(Aem_FetchTag(t), DB_OK);
  EXPECT_EQ(t.AemEmo, "FRUEH");
  EXPECT_EQ(t.AemApg, "APL01");
  EXPECT_EQ(t.AemGvo, "20260101");
  EXPECT_EQ(t.AemKal, "K1");
  EXPECT_EQ(t.AemLkz, 1);
  EXPECT_EQ(t.AemApp, 9);
  EXPECT_EQ(t.KalBtp, "AT");
  EXPECT_EQ(t.KalDtm, "20261201");
  EXPECT_EQ(t.BakJhr, 2026);
  EXPECT_EQ(t.BakWch, 49);
  EXPECT_EQ(t.BakWtg, 2);
  EXPECT_EQ(t.BakJtg, 335);
  EXPECT_EQ(t.AemMaz, 3);
  EXPECT_EQ(t.KwJahr, 2026);
  // The last valid day of SPAET still counts; its shift begins later.
  ASSERT_EQ(Aem_FetchTag(t), DB_OK);
  EXPECT_EQ(t.AemEmo, "SPAET");
  EXPECT_EQ(t.AemMaz, 4);
  EXPECT_EQ(Aem_FetchTag(t), DB_NOT_FOUND);
  EXPECT_EQ(t.AemEmo, "SPAET");  // untouched at the end
  EXPECT_EQ(Aem_CloseTag(), DB_OK);

  // Kind 1 of the group gives the group's model only.
  ASSERT_EQ(Aem_OpenTag("APG1", 1, "20261201"), DB_OK);
  ASSERT_EQ(Aem_FetchTag(t), DB_OK);
  EXPECT_EQ(t.AemEmo, "GRUPPE");
  EXPECT_EQ(Aem_FetchTag(t), DB_NOT_FOUND);
  EXPECT_EQ(Aem_CloseTag(), DB_OK);
  ASSERT_EQ(Aem_OpenTag("APL01", 1, "20261201"), DB_OK);
  EXPECT_EQ(Aem_FetchTag(t), DB_NOT_FOUND);
  EXPECT_EQ(Aem_CloseTag(), DB_OK);
}

TEST_P(DbstdSchichtTest, DayCursorFindsNothingWithoutACalendarEntryAndDerivesTheWeekYear) {
  // 20261202 has a calendar day, but the models' calendar K1 has no entry.
  ASSERT_EQ(Aem_OpenTag("APL01", 2, "20261202"), DB_OK);
  AemTagSatz t;
  EXPECT_EQ(Aem_FetchTag(t), DB_NOT_FOUND);
  EXPECT_EQ(Aem_CloseTag(), DB_OK);

  // Week 1 in December belongs to the next year.
  ASSERT_EQ(Aem_OpenTag("APL01", 2, "20261229"), DB_OK);
  ASSERT_EQ(Aem_FetchTag(t), DB_OK);
  EXPECT_EQ(t.AemEmo, "FRUEH");
  EXPECT_EQ(t.BakJhr, 2026);
  EXPECT_EQ(t.KwJahr, 2027);
  EXPECT_EQ(Aem_FetchTag(t), DB_NOT_FOUND);  // SPAET ended on 20261201
  EXPECT_EQ(Aem_CloseTag(), DB_OK);

  // Week 53 in January belongs to the year before; the day type comes from
  // the calendar (a holiday "FT" with its own shift).
  ASSERT_EQ(Aem_OpenTag("APL01", 2, "20270101"), DB_OK);
  ASSERT_EQ(Aem_FetchTag(t), DB_OK);
  EXPECT_EQ(t.KalBtp, "FT");
  EXPECT_EQ(t.KwJahr, 2026);
  EXPECT_EQ(Aem_CloseTag(), DB_OK);
}

TEST_P(DbstdSchichtTest, CountOfOwnAssignments) {
  int n = -5;
  ASSERT_EQ(Aem_CountKng("APL01", n), DB_OK);
  EXPECT_EQ(n, 3);
  ASSERT_EQ(Aem_CountKng("APG1", n), DB_OK);  // kind 1 only
  EXPECT_EQ(n, 0);
  ASSERT_EQ(Aem_CountKng("NIX", n), DB_OK);
  EXPECT_EQ(n, 0);
}

TEST_P(DbstdSchichtTest, BreakCursorTakesTheSchemeValidOnTheDay) {
  // Break model P1: scheme S1 in November, S2 from December on, S3 open-ended
  // (never matches).
  ASSERT_EQ(Exec(Test_PmzSql({.pmo = "P1", .pms = "S1", .gvo = "20261101", .gbi = "20261130"}) +
                 Test_PmzSql({.pmo = "P1", .pms = "S2", .gvo = "20261201", .gbi = "20261231"}) +
                 Test_PmzSql({.pmo = "P1", .pms = "S3", .gbi = ""}) +
                 Test_PmsSql({.num = "S1", .beg = 500, .end = 515}) +
                 Test_PmsSql({.num = "S2", .beg = 720, .end = 750}) +
                 Test_PmsSql({.num = "S2", .beg = 540, .end = 555}) +
                 Test_PmsSql({.num = "S3", .beg = 600, .end = 610})),
            "");
  ASSERT_EQ(Emo_OpenPms("FRUEH", "AT", "20261201"), DB_OK);
  EmoPmsSatz b;
  ASSERT_EQ(Emo_FetchPms(b), DB_OK);
  EXPECT_EQ(b.EmoEmo, "FRUEH");
  EXPECT_EQ(b.EmoBeg, 360);
  EXPECT_EQ(b.EmoEnd, 840);
  EXPECT_EQ(b.PmsNum, "S2");
  EXPECT_EQ(b.PmsBeg, 540);
  EXPECT_EQ(b.PmsEnd, 555);
  EXPECT_EQ(b.PmsPrz, 4);
  ASSERT_EQ(Emo_FetchPms(b), DB_OK);
  EXPECT_EQ(b.PmsBeg, 720);
  EXPECT_EQ(Emo_FetchPms(b), DB_NOT_FOUND);
  EXPECT_EQ(b.PmsBeg, 720);
  EXPECT_EQ(Emo_ClosePms(), DB_OK);

  // The last day of November takes S1; a day type without breaks gives nothing.
  ASSERT_EQ(Emo_OpenPms("FRUEH", "AT", "20261130"), DB_OK);
  ASSERT_EQ(Emo_FetchPms(b), DB_OK);
  EXPECT_EQ(b.PmsNum, "S1");
  EXPECT_EQ(Emo_FetchPms(b), DB_NOT_FOUND);
  EXPECT_EQ(Emo_ClosePms(), DB_OK);
  ASSERT_EQ(Emo_OpenPms("FRUEH", "FT", "20261201"), DB_OK);
  EXPECT_EQ(Emo_FetchPms(b), DB_NOT_FOUND);
  EXPECT_EQ(Emo_ClosePms(), DB_OK);
}

TEST_P(DbstdSchichtTest, ShiftCursorInBeginOrder) {
  ASSERT_EQ(Exec(Test_EmoSql({.emo = "FRUEH", .beg = 1380, .end = 120}) +
                 Test_EmoSql({.emo = "FRUEH", .beg = 0, .end = 300})),
            "");
  ASSERT_EQ(Emo_Open("FRUEH", "AT"), DB_OK);
  EmoSatz s;
  std::vector<int> beginne;
  while (Emo_Fetch(s) == DB_OK) beginne.push_back(s.EmoBeg);
  EXPECT_EQ(beginne, (std::vector<int>{0, 360, 1380}));
  EXPECT_EQ(s.EmoEnd, 120);
  EXPECT_EQ(s.EmoArt, 1);
  EXPECT_EQ(s.EmoTxt, "Schicht");
  EXPECT_EQ(Emo_Close(), DB_OK);
  EXPECT_EQ(Emo_Fetch(s), DB_CURSOR_CLOSED);
}

}  // namespace
