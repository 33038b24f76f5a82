// Upload-number counter, planning interface, marker and error statements
// against a fresh real database.
#include <gtest/gtest.h>

#include <cstdlib>

#include "db/DbDb.h"
#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "support/Builders.h"
#include "support/TestDb.h"

namespace {

class DbMelPpsTest : public DbTest {
 protected:
  void SetUp() override {
    setenv("QV_TEST_NOW", "20261208101500", 1);
    DbTest::SetUp();
  }
  void TearDown() override {
    DbTest::TearDown();
    unsetenv("QV_TEST_NOW");
  }
};
QV_DB_TEST_SUITE(DbMelPpsTest);

TEST_P(DbMelPpsTest, CounterReadInsertUpdate) {
  BnrSatz b;
  b.BnrKey = "PPSNR";
  b.BnrBnr = 77;
  EXPECT_EQ(Bnr_PKeyReadk(b), DB_NOT_FOUND);
  EXPECT_EQ(b.BnrBnr, 77) << "a failed read leaves the record";
  // An update of a counter that does not exist changes nothing.
  EXPECT_EQ(Bnr_PKeyUpd(b), DB_NOT_FOUND);
  EXPECT_EQ(Rows("select count(*) from Qvt552Bnr"), std::vector<std::string>{"0"});

  b.BnrBnr = 5;
  b.BnrEsb = "KorrMld";
  ASSERT_EQ(Bnr_PKeyIns(b), DB_OK);
  EXPECT_EQ(Bnr_PKeyIns(b), DB_DUP_KEY);
  b.BnrBnr = 6;
  ASSERT_EQ(Bnr_PKeyUpd(b), DB_OK);
  BnrSatz r;
  r.BnrKey = "PPSNR";
  ASSERT_EQ(Bnr_PKeyReadk(r), DB_OK);
  EXPECT_EQ(r.BnrBnr, 6);
  EXPECT_EQ(r.BnrEsb, "KorrMld");
  EXPECT_EQ(Rows("select BnrEdt from Qvt552Bnr"), std::vector<std::string>{"2026-12-08 10:15:00"});
}

TEST_P(DbMelPpsTest, NextRaisesTheCounterAndReturnsTheNewValue) {
  BnrSatz b;
  b.BnrKey = "PPSNR";
  b.BnrEsb = "KorrMld";
  b.BnrBnr = 9;
  EXPECT_EQ(Bnr_PKeyNext(b), DB_NOT_FOUND);
  EXPECT_EQ(b.BnrBnr, 9);
  EXPECT_EQ(Rows("select count(*) from Qvt552Bnr"), std::vector<std::string>{"0"});

  ASSERT_EQ(Exec("insert into Qvt552Bnr (BnrKey,BnrBnr,BnrEsb) values ('PPSNR',41,'OTHER');"
                 "insert into Qvt552Bnr (BnrKey,BnrBnr,BnrEsb) values ('XNR',500,'OTHER');"),
            "");
  ASSERT_EQ(Bnr_PKeyNext(b), DB_OK);
  EXPECT_EQ(b.BnrBnr, 42);
  ASSERT_EQ(Bnr_PKeyNext(b), DB_OK);
  EXPECT_EQ(b.BnrBnr, 43);
  EXPECT_EQ(
      Rows("select BnrKey,BnrBnr,BnrEsb,BnrEdt from Qvt552Bnr order by BnrKey"),
      (std::vector<std::string>{"PPSNR|43|KorrMld|2026-12-08 10:15:00", "XNR|500|OTHER|<null>"}));

  // A counter that another program left empty counts from 0.
  ASSERT_EQ(Exec("update Qvt552Bnr set BnrBnr=NULL where BnrKey='PPSNR'"), "");
  ASSERT_EQ(Bnr_PKeyNext(b), DB_OK);
  EXPECT_EQ(b.BnrBnr, 1);

  // A failed draw changes nothing and keeps the record's number.
  b.BnrEsb = "MUCHTOOLONG";
  EXPECT_LT(Bnr_PKeyNext(b), 0);
  EXPECT_EQ(b.BnrBnr, 1);
  EXPECT_EQ(Rows("select BnrBnr,BnrEsb from Qvt552Bnr where BnrKey='PPSNR'"),
            std::vector<std::string>{"1|KorrMld"});
}

TEST_P(DbMelPpsTest, InterfaceRecordKeepsEveryColumn) {
  PpsSatz p;
  p.PpsDat = "20261208101500";
  p.PpsLfn = 12;
  p.PpsVkz = "*NO";
  p.PpsFcd = "AT";
  p.PpsPnr = "P0000001";
  p.PpsApl = "APL01";
  p.PpsApk = "A1000";
  p.PpsApp = "0010";
  p.PpsAwn = "W1";
  p.PpsMdt = "20261201";
  p.PpsMzt = "080000";
  p.PpsUbg = "U1";
  p.PpsAug = "A1";
  p.PpsSts = 6;
  p.PpsSto = "-";
  p.PpsGum = 10.5;
  p.PpsFam = 1;
  p.PpsMam = 2;
  p.PpsNam = 3;
  p.PpsMee = "STK";
  p.PpsZt1 = 4;
  p.PpsZt2 = 5;
  p.PpsZt3 = 6;
  ASSERT_EQ(Pps_PKeyIns(p), DB_OK);
  EXPECT_EQ(Rows("select * from Qvt580Pps"),
            std::vector<std::string>{"20261208101500|12|*NO|AT|P0000001|APL01|A1000|0010|W1|"
                                     "20261201|080000|U1|A1|6|-|10.5|1|2|3|STK|4|5|6|<null>|"
                                     "<null>|<null>"});
  p.PpsSto = "+-";  // wider than its column
  EXPECT_EQ(Pps_PKeyIns(p), DB_TOO_WIDE);
  EXPECT_EQ(Rows("select count(*) from Qvt580Pps"), std::vector<std::string>{"1"});
}

TEST_P(DbMelPpsTest, MarkerInsertReadUpdateAndDuplicate) {
  MrkSatz m;
  m.MrkKng = "NZM";
  m.MrkApl = "20261201";
  m.MrkApk = "000000000000";
  m.MrkApp = "00000";
  m.MrkPnr = "P0000001";
  m.MrkMdt = "20261201080000";
  m.MrkObj = "MPA";
  MrkSatz r = m;
  r.MrkMdt = "x";
  EXPECT_EQ(Mrk_PKeyReadk(r), DB_NOT_FOUND);
  EXPECT_EQ(r.MrkMdt, "x");
  EXPECT_EQ(Mrk_PKeyUpd(m), DB_NOT_FOUND);

  ASSERT_EQ(Mrk_PKeyIns(m), DB_OK);
  // A marker that exists already is refused and leaves the first as it was.
  MrkSatz dup = m;
  dup.MrkMdt = "20261130080000";
  EXPECT_EQ(Mrk_PKeyIns(dup), DB_DUP_KEY);
  ASSERT_EQ(Mrk_PKeyReadk(r), DB_OK);
  EXPECT_EQ(r.MrkMdt, "20261201080000");
  EXPECT_EQ(r.MrkObj, "MPA");
  EXPECT_EQ(r.MrkBnr, 0);

  // Another kind of the same key is another marker.
  MrkSatz other = m;
  other.MrkKng = "PRF";
  ASSERT_EQ(Mrk_PKeyIns(other), DB_OK);

  m.MrkMdt = "20261130070000";
  ASSERT_EQ(Mrk_PKeyUpd(m), DB_OK);
  EXPECT_EQ(Rows("select MrkKng,MrkMdt,MrkDat from Qvt563Mrk order by MrkKng"),
            (std::vector<std::string>{"NZM|2026-11-30 07:00:00|2026-12-08 10:15:00",
                                      "PRF|2026-12-01 08:00:00|2026-12-08 10:15:00"}));
  m.MrkMdt = "20261131070000";  // no such day
  EXPECT_EQ(Mrk_PKeyUpd(m), DB_BAD_DATE);
}

TEST_P(DbMelPpsTest, ErrorRowIsInserted) {
  ErrSatz e;
  e.ErrErf = "MldToNza";
  e.ErrEdt = "20261201000000";
  e.ErrBer = "NZA";
  e.ErrPnr = "P0000001";
  e.ErrApl = "APL01";
  e.ErrApk = "A1000";
  e.ErrApp = "0010";
  e.ErrFnr = 7004;
  e.ErrBnr = 0;
  e.ErrPgm = "MldKorr";
  e.ErrFun = "NZA";
  e.ErrObj = "MPA";
  ASSERT_EQ(Err_PKeyIns(e), DB_OK);
  ASSERT_EQ(Err_PKeyIns(e), DB_OK) << "the error list has no key";
  EXPECT_EQ(Rows("select ErrErf,ErrEdt,ErrFnr,ErrPgm,ErrDat,ErrObj from Qvt554Err"),
            (std::vector<std::string>(2,
                                      "MldToNza|2026-12-01 00:00:00|7004|MldKorr|"
                                      "2026-12-08 10:15:00|MPA")));
}

TEST_P(DbMelPpsTest, HighestRunningNumberOfABooking) {
  int max = -1;
  ASSERT_EQ(Mel_BnrMaxLfn(5, max), DB_OK);
  EXPECT_EQ(max, 0);
  for (int lfn : {0, 4, 2}) ASSERT_EQ(Mel_PKeyIns(Test_Mel({.bnr = 5, .lfn = lfn})), DB_OK);
  ASSERT_EQ(Mel_PKeyIns(Test_Mel({.bnr = 6, .lfn = 9})), DB_OK);
  ASSERT_EQ(Mel_BnrMaxLfn(5, max), DB_OK);
  EXPECT_EQ(max, 4);
}

}  // namespace
