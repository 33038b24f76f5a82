// Calendar, shift and person-time statements against a fresh real database,
// and the calendar steps of the date helpers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "eval/Tagschritt.h"
#include "support/TestDb.h"

namespace {

class DbKalenderTest : public DbTest {
 protected:
  // A calendar day "yyyymmdd" with made-up week, weekday and day-of-year.
  void Tag(const std::string& d, int wch = 9, int wtg = 4, int jtg = 60) {
    std::string iso = d.substr(0, 4) + "-" + d.substr(4, 2) + "-" + d.substr(6, 2) + " 00:00:00";
    ASSERT_EQ(Exec("insert into QvSystem.Qvt133Bak values ('" + iso + "'," + d.substr(0, 4) + "," +
                   std::to_string(std::stoi(d.substr(4, 2))) + "," +
                   std::to_string(std::stoi(d.substr(6, 2))) + "," + std::to_string(wch) + "," +
                   std::to_string(wtg) + "," + std::to_string(jtg) + ")"),
              "");
  }
  // The days 27 February to 2 March 2024 (a leap year), stored out of order.
  void Kalender() {
    for (const char* d : {"20240301", "20240227", "20240229", "20240302", "20240228"}) Tag(d);
  }
  void Sql(const std::string& s) { ASSERT_EQ(Exec(s), "") << s; }
};
QV_DB_TEST_SUITE(DbKalenderTest);

TEST_P(DbKalenderTest, DatumPlusStepsInsideTheCalendarOnly) {
  Kalender();
  BakSatz r;
  ASSERT_EQ(Bak_DatumPlus("20240228", 1, r), DB_OK);
  EXPECT_EQ(r.BakDtm, "20240229");
  EXPECT_EQ(r.BakJhr, 2024);
  EXPECT_EQ(r.BakMon, 2);
  EXPECT_EQ(r.BakTag, 29);
  EXPECT_EQ(r.BakWch, 9);
  EXPECT_EQ(r.BakWtg, 4);
  EXPECT_EQ(r.BakJtg, 60);
  ASSERT_EQ(Bak_DatumPlus("20240301", -1, r), DB_OK);
  EXPECT_EQ(r.BakDtm, "20240229");
  ASSERT_EQ(Bak_DatumPlus("20240302", 0, r), DB_OK);
  EXPECT_EQ(r.BakDtm, "20240302");
  ASSERT_EQ(Bak_DatumPlus("20240227", 4, r), DB_OK);
  EXPECT_EQ(r.BakDtm, "20240302");

  // Past either end of the calendar: no row, the record as it was.
  EXPECT_EQ(Bak_DatumPlus("20240302", 1, r), DB_NOT_FOUND);
  EXPECT_EQ(Bak_DatumPlus("20240227", -1, r), DB_NOT_FOUND);
  EXPECT_EQ(r.BakDtm, "20240302");
  EXPECT_EQ(Bak_DatumPlus("", 0, r), DB_NOT_FOUND);
  EXPECT_LT(Bak_DatumPlus("2024-3-1", 1, r), 0);
  EXPECT_EQ(Bak_DatumPlus("99991231", 1, r), DB_BAD_DATE);

  BakSatz d;
  ASSERT_EQ(Bak_DatumRead("20240229", d), DB_OK);
  EXPECT_EQ(d.BakDtm, "20240229");
  EXPECT_EQ(d.BakJtg, 60);
  EXPECT_EQ(Bak_DatumRead("20240303", d), DB_NOT_FOUND);
}

TEST_P(DbKalenderTest, DatumTageStepsOrKeepsTheInputDate) {
  Kalender();
  std::string out;
  EXPECT_EQ(Datum_Tage(2, 1, "20240228", out), DB_OK);
  EXPECT_EQ(out, "20240229");
  EXPECT_EQ(Datum_Tage(2, -1, "20240301", out), DB_OK);
  EXPECT_EQ(out, "20240229");
  // No following / preceding calendar row: the status and the date unchanged.
  EXPECT_EQ(Datum_Tage(2, 1, "20240302", out), DB_NOT_FOUND);
  EXPECT_EQ(out, "20240302");
  EXPECT_EQ(Datum_Tage(2, -1, "20240227", out), DB_NOT_FOUND);
  EXPECT_EQ(out, "20240227");
  EXPECT_LT(Datum_Tage(2, 1, "garbage!", out), 0);
  EXPECT_EQ(out, "garbage!");

  // Input and output may be the same text, as in a day loop.
  std::string d = "20240227";
  int tage = 0;
  while (Datum_Tage(2, 1, d, d) == DB_OK) ++tage;
  EXPECT_EQ(tage, 4);
  EXPECT_EQ(d, "20240302");

  // A database failure also leaves the input date.
  DbFehlerPlan plan;
  plan.operations["Bak_DatumPlus"] = DB_NOT_CONNECTED;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Datum_Tage(2, 1, "20240228", out), DB_NOT_CONNECTED);
  EXPECT_EQ(out, "20240228");
  Db_ClearFaultPlanForTest();

  std::string zweites = "20240301";
  EXPECT_EQ(Datum_Tage(3, 1, "20240228", zweites), 0);
  EXPECT_EQ(zweites, "20240301");
}

TEST_P(DbKalenderTest, ZaehlenCountsDaysAfterTheFirstUpToTheSecond) {
  Kalender();
  int n = -1;
  ASSERT_EQ(Bak_Zaehlen("20240228", "20240228", n), DB_OK);
  EXPECT_EQ(n, 0);
  ASSERT_EQ(Bak_Zaehlen("20240228", "20240229", n), DB_OK);
  EXPECT_EQ(n, 1);
  ASSERT_EQ(Bak_Zaehlen("20240227", "20240302", n), DB_OK);
  EXPECT_EQ(n, 4);
  ASSERT_EQ(Bak_Zaehlen("20240302", "20240227", n), DB_OK);
  EXPECT_EQ(n, 0);
  // Only days the calendar holds count.
  ASSERT_EQ(Bak_Zaehlen("20240101", "20241231", n), DB_OK);
  EXPECT_EQ(n, 5);

  std::string bis = "20240301";
  EXPECT_EQ(Datum_Tage(1, 99, "20240228", bis), 2);
  EXPECT_EQ(bis, "20240301");
  DbFehlerPlan plan;
  plan.operations["Bak_Zaehlen"] = DB_NOT_CONNECTED;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Datum_Tage(1, 0, "20240227", bis), 0);
  Db_ClearFaultPlanForTest();
}

TEST_P(DbKalenderTest, BereichIncludesBothBoundsInDateOrder) {
  Kalender();
  ASSERT_EQ(Bak_OpenBereich("20240228", "20240301"), DB_OK);
  std::vector<std::string> tage;
  BakSatz r;
  int st;
  while ((st = Bak_FetchBereich(r)) == DB_OK) tage.push_back(r.BakDtm);
  EXPECT_EQ(st, DB_NOT_FOUND);
  EXPECT_EQ(r.BakDtm, "20240301");  // the last row stays in the record
  EXPECT_EQ(Bak_CloseBereich(), DB_OK);
  EXPECT_EQ(tage, (std::vector<std::string>{"20240228", "20240229", "20240301"}));

  ASSERT_EQ(Bak_OpenBereich("20240303", "20240310"), DB_OK);
  EXPECT_EQ(Bak_FetchBereich(r), DB_NOT_FOUND);
  EXPECT_EQ(Bak_CloseBereich(), DB_OK);
  EXPECT_EQ(Bak_FetchBereich(r), DB_CURSOR_CLOSED);
}

TEST_P(DbKalenderTest, PersonDaysSkipMarkedDaysInArrivalOrder) {
  // A night worker: the day 2 March begins with an arrival on 1 March late,
  // after the arrival of the day 1 March; 3 March is marked (TagOne 1).
  Sql("insert into Qvt327Tag values ('P1','2024-03-02 00:00:00','2024-03-01 00:00:00',"
      "'2024-03-01 22:00:00','2024-03-02 00:00:00','2024-03-02 06:00:00','N',0)");
  Sql("insert into Qvt327Tag values ('P1','2024-03-01 00:00:00','2024-03-01 00:00:00',"
      "'2024-03-01 06:30:00','2024-03-01 00:00:00','2024-03-01 14:00:00','F',0)");
  Sql("insert into Qvt327Tag values ('P1','2024-03-03 00:00:00','2024-03-03 00:00:00',"
      "'2024-03-03 06:00:00','2024-03-03 00:00:00','2024-03-03 14:00:00','F',1)");
  Sql("insert into Qvt327Tag values ('P1','2024-02-29 00:00:00','2024-02-29 00:00:00',"
      "'2024-02-29 07:00:00','2024-02-29 00:00:00','2024-02-29 15:00:00','F',0)");
  Sql("insert into Qvt327Tag values ('P1','2024-03-04 00:00:00','2024-03-04 00:00:00',"
      "'2024-03-04 07:00:00','2024-03-04 00:00:00','2024-03-04 15:00:00','F',0)");
  Sql("insert into Qvt327Tag values ('P2','2024-03-01 00:00:00','2024-03-01 00:00:00',"
      "'2024-03-01 05:00:00','2024-03-01 00:00:00','2024-03-01 13:00:00','F',0)");

  ASSERT_EQ(Tag_OpenBereich("P1", "20240301", "20240303"), DB_OK);
  std::vector<std::string> seen;
  TagSatz t;
  while (Tag_FetchBereich(t) == DB_OK) {
    seen.push_back(t.TagPnr + " " + t.TagVon + t.TagUhr + "-" + t.TagBis + t.TagEnd + " " +
                   t.TagTgb + std::to_string(t.TagOne));
  }
  EXPECT_EQ(Tag_CloseBereich(), DB_OK);
  EXPECT_EQ(seen, (std::vector<std::string>{"P1 20240301063000-20240301140000 F0",
                                            "P1 20240301220000-20240302060000 N0"}));

  TagSatz k;
  ASSERT_EQ(Tag_PKeyReadk("P1", "20240302", k), DB_OK);
  EXPECT_EQ(k.TagUhr, "220000");
  EXPECT_EQ(k.TagBis, "20240302");
  EXPECT_EQ(k.TagTgb, "N");
  EXPECT_EQ(Tag_PKeyReadk("P2", "20240302", k), DB_NOT_FOUND);
  EXPECT_EQ(k.TagPnr, "P1");  // unchanged
}

TEST_P(DbKalenderTest, BookingPeriodsWhollyInsideTheWindow) {
  auto bup = [&](const std::string& pnr, const std::string& von, const std::string& bis, int fkt) {
    Sql("insert into Qvt328Bup (BupPnr,BupVon,BupUhr,BupFkt,BupBis,BupEnd,BupTvo,BupTbi) "
        "values ('" +
        pnr + "','" + von.substr(0, 10) + " 00:00:00','" + von + "'," + std::to_string(fkt) + ",'" +
        bis.substr(0, 10) + " 00:00:00','" + bis + "',360,840)");
  };
  bup("P1", "2024-03-01 12:00:00", "2024-03-01 13:00:00", 3);
  bup("P1", "2024-03-01 06:00:00", "2024-03-01 09:00:00", 1);  // starts at the window begin
  bup("P1", "2024-03-01 10:00:00", "2024-03-01 14:00:00", 2);  // ends at the window end
  bup("P1", "2024-03-01 05:59:59", "2024-03-01 07:00:00", 8);  // starts before
  bup("P1", "2024-03-01 13:30:00", "2024-03-01 14:00:01", 9);  // ends after
  bup("P2", "2024-03-01 07:00:00", "2024-03-01 08:00:00", 7);

  ASSERT_EQ(Bup_AbrTag_ReadOpen("P1", "20240301060000", "20240301140000"), DB_OK);
  std::vector<int> fkt;
  BupSatz b;
  while (Bup_AbrTag_ReadFetch(b) == DB_OK) fkt.push_back(b.BupFkt);
  EXPECT_EQ(Bup_AbrTag_ReadClose(), DB_OK);
  EXPECT_EQ(fkt, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(b.BupPnr, "P1");
  EXPECT_EQ(b.BupVon, "20240301");
  EXPECT_EQ(b.BupUhr, "120000");
  EXPECT_EQ(b.BupEnd, "130000");
  EXPECT_EQ(b.BupTvo, 360);
  EXPECT_EQ(b.BupTbi, 840);
  EXPECT_EQ(b.BupWzb, 0);  // NULL reads as 0
}

TEST_P(DbKalenderTest, DayModelNewestValidVersionFirst) {
  Tag("20240229", 9, 4, 60);
  Sql("insert into Qvt329Ztg values ('P1','2024-02-29 00:00:00','M1','GR1','FT')");
  Sql("insert into Qvt329Ztg values ('P2','2024-02-29 00:00:00','M2','GR2','XT')");
  Sql("insert into Qvt329Ztg values ('P1','2024-03-01 00:00:00','M1','GR1','FT')");
  auto azv = [&](const std::string& num, const std::string& gvo, int nov) {
    Sql("insert into Qvt140Azv values ('" + num + "','" + gvo + " 00:00:00','PS1',1,2," +
        std::to_string(nov) + ",960,5,6,7,8,480)");
  };
  azv("M1", "2024-01-01", 400);
  azv("M1", "2024-02-29", 420);  // valid from the day itself
  azv("M1", "2024-02-15", 410);
  azv("M1", "2024-03-01", 430);  // not yet valid
  azv("M2", "2024-02-28", 999);

  ASSERT_EQ(Ztg_AzvOpen("P1", "20240229"), DB_OK);
  std::vector<int> nov;
  ZtgAzvSatz z;
  ASSERT_EQ(Ztg_AzvFetch(z), DB_OK);
  EXPECT_EQ(z.ZtgPnr, "P1");
  EXPECT_EQ(z.ZtgVon, "20240229");
  EXPECT_EQ(z.ZtgAzt, "M1");
  EXPECT_EQ(z.AzvPsm, "PS1");
  EXPECT_EQ(z.AzvMav, 1);
  EXPECT_EQ(z.AzvMab, 2);
  EXPECT_EQ(z.AzvNob, 960);
  EXPECT_EQ(z.AzvKeb, 8);
  EXPECT_EQ(z.ZtgAgr, "GR1");
  EXPECT_EQ(z.ZtgTtp, "FT");
  EXPECT_EQ(z.AzvSol, 480);
  EXPECT_EQ(z.BakWch, 9);
  EXPECT_EQ(z.BakWtg, 4);
  EXPECT_EQ(z.BakJtg, 60);
  nov.push_back(z.AzvNov);
  while (Ztg_AzvFetch(z) == DB_OK) nov.push_back(z.AzvNov);
  EXPECT_EQ(Ztg_AzvClose(), DB_OK);
  EXPECT_EQ(nov, (std::vector<int>{420, 410, 400}));

  // A day the calendar does not hold, or without a day model: no row.
  ASSERT_EQ(Ztg_AzvOpen("P1", "20240301"), DB_OK);
  EXPECT_EQ(Ztg_AzvFetch(z), DB_NOT_FOUND);
  EXPECT_EQ(Ztg_AzvClose(), DB_OK);
  ASSERT_EQ(Ztg_AzvOpen("P3", "20240229"), DB_OK);
  EXPECT_EQ(Ztg_AzvFetch(z), DB_NOT_FOUND);
  EXPECT_EQ(Ztg_AzvClose(), DB_OK);
}

TEST_P(DbKalenderTest, BreakSchemeAndPersonBreaksAndDayValues) {
  Sql("insert into Qvt143Pse values ('PS1',3,900,915,0,0,0,0)");
  Sql("insert into Qvt143Pse values ('PS1',1,540,555,10,15,1,1)");
  Sql("insert into Qvt143Pse values ('PS1',2,720,750,0,0,0,0)");
  Sql("insert into Qvt143Pse values ('PS2',1,600,630,0,0,0,0)");
  ASSERT_EQ(Pse_PKey_ReadOpen("PS1"), DB_OK);
  std::vector<int> von;
  PseSatz p;
  while (Pse_PKey_ReadFetch(p) == DB_OK) {
    EXPECT_EQ(p.PseNum, "PS1");
    von.push_back(p.PseVon);
  }
  EXPECT_EQ(Pse_PKey_ReadClose(), DB_OK);
  EXPECT_EQ(von, (std::vector<int>{540, 720, 900}));

  Sql("insert into Qvt323Gps values ('P1','2024-03-01 00:00:00',2,730,760,1,2,3,4)");
  Sql("insert into Qvt323Gps values ('P1','2024-03-02 00:00:00',2,700,710,0,0,0,0)");
  GpsSatz g;
  ASSERT_EQ(Gps_PKeyReadk("P1", "20240301", 2, g), DB_OK);
  EXPECT_EQ(g.GpsPnr, "P1");
  EXPECT_EQ(g.GpsDtm, "20240301");
  EXPECT_EQ(g.GpsLfd, 2);
  EXPECT_EQ(g.GpsVon, 730);
  EXPECT_EQ(g.GpsBis, 760);
  EXPECT_EQ(g.GpsPse, 4);
  EXPECT_EQ(Gps_PKeyReadk("P1", "20240301", 1, g), DB_NOT_FOUND);
  EXPECT_EQ(g.GpsVon, 730);  // unchanged

  Sql("insert into Qvt322Gaz (GazPnr,GazDtm,GazMav,GazNov,GazNob,GazSol) values "
      "('P1','2024-03-01 00:00:00',300,360,840,480)");
  GazSatz z;
  ASSERT_EQ(Gaz_PKeyReadk("P1", "20240301", z), DB_OK);
  EXPECT_EQ(z.GazDtm, "20240301");
  EXPECT_EQ(z.GazMav, 300);
  EXPECT_EQ(z.GazMab, 0);
  EXPECT_EQ(z.GazNov, 360);
  EXPECT_EQ(z.GazNob, 840);
  EXPECT_EQ(z.GazSol, 480);
  EXPECT_EQ(Gaz_PKeyReadk("P1", "20240302", z), DB_NOT_FOUND);
  EXPECT_EQ(z.GazDtm, "20240301");
}

TEST_P(DbKalenderTest, ArchiveOfAPersonInMessageTimeOrder) {
  auto map = [&](int bnr, const std::string& obj, const std::string& pnr, const std::string& mdt) {
    Sql("insert into Qvt565Map (MapBnr,MapObj,MapPnr,MapApl,MapApk,MapApp,Map00E,Map016,MapMdt,"
        "MapMzt,MapErf,MapSts,MapUbg,MapTnr) values (" +
        std::to_string(bnr) + ",'" + obj + "','" + pnr + "','APL1','A-1','0010','E','Z','" +
        mdt.substr(0, 10) + " 00:00:00','" + mdt + "','ERF','S','UBG','TNR-1')");
  };
  map(3, "MPA", "P1", "2024-03-02 06:00:00");
  map(1, "MPA", "P1", "2024-03-01 14:00:00");
  map(2, "MPA", "P1", "2024-03-01 14:00:01");
  map(9, "M_A", "P1", "2024-03-01 08:00:00");
  map(8, "MPA", "P2", "2024-03-01 08:00:00");

  ASSERT_EQ(Map_OpenPnr("MPA", "P1"), DB_OK);
  std::vector<int> bnr;
  MapSatz m;
  while (Map_FetchPnr(m) == DB_OK) bnr.push_back(m.MapBnr);
  EXPECT_EQ(Map_ClosePnr(), DB_OK);
  EXPECT_EQ(bnr, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(m.MapObj, "MPA");
  EXPECT_EQ(m.MapApl, "APL1");
  EXPECT_EQ(m.MapApk, "A-1");
  EXPECT_EQ(m.MapApp, "0010");
  EXPECT_EQ(m.Map00E, "E");
  EXPECT_EQ(m.Map00R, "");
  EXPECT_EQ(m.Map016, "Z");
  EXPECT_EQ(m.MapMdt, "20240302");
  EXPECT_EQ(m.MapMzt, "060000");
  EXPECT_EQ(m.MapErf, "ERF");
  EXPECT_EQ(m.MapSts, "S");
  EXPECT_EQ(m.MapUbg, "UBG");
  EXPECT_EQ(m.MapTnr, "TNR-1");
}

}  // namespace
