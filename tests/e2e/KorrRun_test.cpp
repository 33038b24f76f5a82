// The five corrections end to end: the real program in a temporary
// installation with a fixed clock; rows, log and buffer files checked.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "download/DnlAuftrag.h"
#include "support/Builders.h"
#include "support/Installation.h"
#include "support/KorrFixture.h"
#include "support/TestDb.h"

namespace {

using Zeilen = std::vector<std::string>;

// One buffer-file record of line 1 (address 10.0.0.1, port 401) written at
// the fixed test time for a download of that run.
std::string Satz(const std::string& objekt, const std::string& aktion, const std::string& bild) {
  char buf[700];
  std::snprintf(buf, sizeof buf, "$%-15s%-5s%14s%3s%15s%5s%28s%4s%3s%6s%6sBDE%3s%-438s*\r\n",
                "10.0.0.1", "401", "20261208101500", "999", "10.0.0.1", "401", "", "0460",
                objekt.c_str(), "261208", "101500", aktion.c_str(), bild.c_str());
  return buf;
}

class KorrRunTest : public DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_TRUE(TestInst_Create(inst_, db_.login, db_.pass, db_.net8));
    // Order A1000 with the operations 0010 (in progress) and 0020 (the last,
    // started); three persons; workplace APL01 of group GRP1 (no shift model);
    // one terminal line for every range key.
    ASSERT_EQ(Exec(Test_FzuStandardSql() + Test_CfgSql() + Test_ApkSql() + Test_AppSql({.sts = 3}) +
                   Test_AppSql({.app = "0020", .naf = "00000"}) + Test_PrvSql() +
                   Test_PrvSql({.pnr = "P2"}) + Test_PrvSql({.pnr = "P3"}) + Test_AplSql()),
              "");
  }
  void TearDown() override {
    TestInst_Remove(inst_);
    DbTest::TearDown();
  }
  // Runs the program for `clerk`; returns the log.
  std::string Run(const std::string& clerk = "CLERK1") {
    std::string out;
    EXPECT_EQ(TestInst_Run(inst_, {clerk}, kKorrNow, out), 0);
    EXPECT_EQ(out, "");
    return Test_ReadFile(inst_.LogPath());
  }
  std::string Start(const std::string& clerk = "CLERK1") {
    return Korr_LogEntry(clerk, "Parameter (User)", -1);
  }
  std::string Puffer(int linie = 1) {
    return Test_ReadFile(inst_.BuffDir() + "/SndDnl" + std::to_string(linie) + ".buf");
  }
  // A message at the operation; `bnr`/`lfn` its key.
  MelSatz Mel(int bnr, int lfn, const std::string& msk, const std::string& obj,
              const std::string& fcd, const std::string& uhr, const std::string& pnr = "        ",
              const std::string& app = "0010") {
    MelSatz m = Test_Mel({.bnr = bnr,
                          .lfn = lfn,
                          .uhr = uhr,
                          .obj = obj,
                          .msk = msk,
                          .pnr = pnr,
                          .app = app,
                          .fcd = fcd});
    if (pnr != "        ") m.MelAwn = "AW-" + pnr;
    return m;
  }
  // The same, marked by the clerk with `kfc`.
  MelSatz Marked(MelSatz m, const std::string& kfc, const std::string& clerk = "CLERK1") {
    m.MelKsb = clerk;
    m.MelKfc = kfc;
    m.MelKdt = "20261207170000";
    return m;
  }
  void Insert(const MelSatz& m) { ASSERT_EQ(Mel_PKeyIns(m), DB_OK); }
  // A message the clerk entered by hand ("NEW"), with corrected quantities 5 and 1.
  MelSatz Neu(int bnr, const std::string& msk, const std::string& uhr,
              const std::string& pnr = "P1", const std::string& app = "0010") {
    MelSatz m = Marked(Mel(bnr, 0, msk, "", "", uhr, pnr, app), "NEW");
    m.MelAwn = "";
    m.MelKgm = 5;
    m.MelKfm = 1;
    return m;
  }
  Zeilen Pps() {
    return Rows(
        "select PpsLfn,PpsFcd,PpsPnr,PpsApp,PpsMdt,PpsMzt,PpsSts,PpsGum,PpsSto "
        "from Qvt580Pps order by PpsLfn");
  }
  Zeilen Booking(int bnr) {
    return Rows(
        "select KeyLfn,ObjTyp,MelMsk,KeySek,KeyPnr,MelAwn,MelFnr,MelAec,MelErf,MelKsb,"
        "MelKfc,MelGum,MelKgm from Qvt560Mel where KeyBnr=" +
        std::to_string(bnr) + " order by KeyLfn");
  }
  std::string ApkBild(const std::string& apk) {
    ApkSatz a;
    a.ApkApk = apk;
    EXPECT_EQ(Apk_PKeyReadk(a), DB_OK);
    return Dnl_ApkBild(a);
  }
  std::string AppBild(const std::string& apk, const std::string& app) {
    AppSatz p;
    p.AppApk = apk;
    p.AppApp = app;
    EXPECT_EQ(App_PKeyReadk(p), DB_OK);
    return Dnl_AppBild(p);
  }
  TestInstallation inst_;
};
QV_DB_TEST_SUITE(KorrRunTest);

// Time shift: a work end, its person's end and a quantity report of one
// booking; the clerk gave the work end a new instant and a new quantity.
TEST_P(KorrRunTest, TimeShiftOfAThreeMessageBooking) {
  MelSatz ae = Marked(Mel(5, 0, "AE", "M_A", "A07", "120000"), "AEZ");
  ae.KeyDat = "20261130";  // the clerk's new instant
  ae.KeyUhr = "233000";
  ae.KeySek = "99";
  ae.KeyTnr = "T-NEU";
  ae.MelAec = "1";
  ae.MelGum = 10;
  ae.MelKgm = 12;
  ae.MelFam = ae.MelKfm = 1;
  MelSatz pe = Mel(5, 1, "PE", "MPA", "FPE", "120000", "P1");
  pe.KeySek = "98";
  MelSatz am = Mel(5, 2, "AM", "M_A", "A02", "110000");
  am.MelGum = 6;
  am.MelKgm = 6;
  for (const MelSatz& m : {ae, pe, am}) Insert(m);
  // Operation 0020 was left marked by an earlier run whose download failed.
  ASSERT_EQ(Exec("update Qvt504App set AppDwn='KorrMld',AppDna='NEU' where AppApp='0020'"), "");

  EXPECT_EQ(Run(), Start());

  // Every row moved, with the new part number; only the marked one names
  // the clerk and takes over its corrected quantity.
  EXPECT_EQ(Rows("select KeyLfn,KeyDat,KeyUhr,KeyTnr,MelErf,MelKsb,MelKfc,MelGum,MelKgm "
                 "from Qvt560Mel order by KeyLfn"),
            (Zeilen{"0|2026-11-30 23:30:00|2026-11-30 23:30:00|T-NEU|CLERK1|        |   |12|0",
                    "1|2026-11-30 23:30:00|2026-11-30 23:30:00|T-NEU|TERM01|        |   |0|0",
                    "2|2026-11-30 23:30:00|2026-11-30 23:30:00|T-NEU|TERM01|        |   |6|0"}));
  // In the booking's order: the marked row "-" (old quantity, new instant)
  // and "+", then a "+" for each other row. The counter starts at 1.
  EXPECT_EQ(Pps(), (Zeilen{"1|AE|        |0010|20261130|233000|9|10|-",
                           "2|AE|        |0010|20261130|233000|9|12|+",
                           "3|AM|        |0010|20261130|233000|2|6|+",
                           "4|PE|P1|0010|20261130|233000|0|0|+"}));
  EXPECT_EQ(Rows("select BnrKey,BnrBnr,BnrEsb,BnrEdt from Qvt552Bnr"),
            Zeilen{"PPSNR|4|KorrMld|2026-12-08 10:15:00"});
  // The refresh for the marked row: end and quantity difference. The
  // booking's other rows still stood later at that moment, so the operation
  // is not closed.
  EXPECT_EQ(Rows("select AppApp,AppSts,AppEdi,AppIme,AppErf,AppDwn from Qvt504App "
                 "order by AppApp"),
            (Zeilen{"0010|6|2026-11-30 23:30:00|2|KorrMld|<null>", "0020|1|<null>|0|PLAN|<null>"}));
  EXPECT_EQ(Rows("select ApkSts,ApkIme,ApkAfo,ApkErf from Qvt501Apk"), Zeilen{"3|2|3|KorrMld"});
  // The download sent the operation that was still marked (and, being new,
  // counted it at its order).
  EXPECT_EQ(Puffer(), Satz("APP", "NEU", AppBild("A1000", "0020")));
}

TEST_P(KorrRunTest, ContentChangeOfAKindNotReportedToPlanning) {
  ASSERT_EQ(Exec("update Qvt553Fzu set FzuUpl=0 where FzuMld='AM'"), "");
  MelSatz am = Marked(Mel(6, 0, "AM", "M_A", "A02", "100000"), "AEI");
  am.KeyTnr = "ALT";
  am.MelGum = 4;
  am.MelKgm = 7;
  Insert(am);
  EXPECT_EQ(Run(), Start());
  EXPECT_EQ(Rows("select KeyTnr,MelErf,MelKsb,MelKfc,MelKdt,MelGum,MelKgm from Qvt560Mel"),
            Zeilen{"T-A1000|CLERK1|        |   |<null>|7|0"});
  // Neither "-" nor "+": the kind is not reported, and no number is drawn.
  EXPECT_EQ(Rows("select count(*) from Qvt580Pps"), Zeilen{"0"});
  EXPECT_EQ(Rows("select count(*) from Qvt552Bnr"), Zeilen{"0"});
  // Order and operation marked as changed ("AEN"), sent and released.
  EXPECT_EQ(Rows("select AppIme,AppDna,AppDwn,AppErf from Qvt504App where AppApp='0010'"),
            Zeilen{"3|<null>|<null>|KorrMld"});
  EXPECT_EQ(Puffer(),
            Satz("APK", "AEN", ApkBild("A1000")) + Satz("APP", "AEN", AppBild("A1000", "0010")));
}

TEST_P(KorrRunTest, NewWorkBeginWithItsPersonsBegin) {
  MelSatz m = Neu(20, "AB", "080000");
  Insert(m);
  EXPECT_EQ(Run(), Start());
  EXPECT_EQ(Booking(20), (Zeilen{"0|M_A|AB|01|P1|AW-P1|0|0|CLERK1|        |   |0|0",
                                 "1|MPA|PA|02|P1|AW-P1|0|0|MldGen|        |   |0|0"}));
  EXPECT_EQ(Rows("select Sts00E,Sts00A,MelFcd,MelTrm,MelOff,KeyTnr from Qvt560Mel "
                 "order by KeyLfn"),
            (Zeilen{"1|1|A03|00|K|T-A1000", "1|1|FPA|00|K|T-A1000"}));
  // The first numbers ever drawn: the counter is created.
  EXPECT_EQ(Pps(),
            (Zeilen{"1|PA|P1|0010|20261201|080000|0|0|+", "2|AB|P1|0010|20261201|080000|3|0|+"}));
  EXPECT_EQ(Rows("select BnrKey,BnrBnr,BnrEsb from Qvt552Bnr"), Zeilen{"PPSNR|2|KorrMld"});
  EXPECT_EQ(Rows("select ApkSts,ApkSis,ApkBdi from Qvt501Apk"), Zeilen{"3|1|2026-12-01 08:00:00"});
  EXPECT_EQ(Puffer(), "") << "a new message marks nothing for download";
}

TEST_P(KorrRunTest, NewPartialEndIsStoredAsAnOpenWorkEnd) {
  Insert(Neu(21, "AT", "150000"));
  EXPECT_EQ(Run(), Start());
  EXPECT_EQ(Booking(21), (Zeilen{"0|M_A|AE|99|P1|AW-P1|0|0|CLERK1|        |   |5|0",
                                 "1|MPA|PE|98|P1|AW-P1|5006|0|MldGen|        |   |0|0"}));
  EXPECT_EQ(Pps(),
            (Zeilen{"1|PE|P1|0010|20261201|150000|0|0|+", "2|AT|P1|0010|20261201|150000|6|5|+"}));
  EXPECT_EQ(Rows("select AppSts,AppIme,AppAme,AppEdi from Qvt504App where AppApp='0010'"),
            Zeilen{"6|5|1|2026-12-01 15:00:00"});
}

TEST_P(KorrRunTest, NewWorkEndsWithAndWithoutALaterMessage) {
  Insert(Neu(22, "AE", "150000", "P1", "0010"));
  Insert(Neu(23, "AE", "160000", "P2", "0020"));
  Insert(Mel(30, 0, "AM", "M_A", "A02", "170000", "        ", "0020"));
  EXPECT_EQ(Run(), Start());
  EXPECT_EQ(Rows("select KeyBnr,KeyLfn,MelMsk,MelAec,MelFnr,MelGum from Qvt560Mel "
                 "where KeyBnr in (22,23) order by KeyBnr,KeyLfn"),
            (Zeilen{"22|0|AE|1|0|5", "22|1|PE|1|5006|0", "23|0|AE|0|2003|5", "23|1|PE|0|5006|0"}));
  // 0010 is finished and counted; 0020 with a later message stays open.
  EXPECT_EQ(Rows("select AppApp,AppSts,AppIme from Qvt504App order by AppApp"),
            (Zeilen{"0010|9|5", "0020|6|5"}));
  EXPECT_EQ(Rows("select ApkSts,ApkEaf,ApkIme from Qvt501Apk"), Zeilen{"3|1|5"});
}

TEST_P(KorrRunTest, NewMessageOfAnUnknownPersonIsMarkedAndStored) {
  Insert(Neu(24, "AB", "080000", "99"));
  EXPECT_EQ(Run(), Start() + Korr_LogEntry("Prv_PKeyRead", "Korr_AusweisNummer", 1403));
  EXPECT_EQ(Rows("select KeyLfn,KeyPnr,MelAwn,MelFnr from Qvt560Mel order by KeyLfn"),
            (Zeilen{"0|99|99999999|6001", "1|99|99999999|6001"}));
}

TEST_P(KorrRunTest, NewInterruptionAfterTheWorkEnded) {
  Insert(Mel(30, 0, "PA", "MPA", "FPA", "070000", "P1"));
  MelSatz ae = Mel(31, 0, "AE", "M_A", "A07", "120000");
  ae.KeySek = "99";
  Insert(ae);
  Insert(Neu(40, "AU", "130000"));
  EXPECT_EQ(Run(), Start());
  EXPECT_EQ(Booking(40), Zeilen{"0|M_A|AU|04|P1|AW-P1|5009|0|CLERK1|        |   |5|0"});
  EXPECT_EQ(Pps(), Zeilen{"1|AU|P1|0010|20261201|130000|4|5|+"});
}

// Before the interruption at 09:00: the workplace's begin, then P1, P2, P3
// begin work; P2 leaves; P3 is interrupted already.
TEST_P(KorrRunTest, InterruptionWithPersonsPresentAndOneWhoLeft) {
  MelSatz ab = Mel(30, 0, "AB", "M_A", "A03", "070000");
  ab.Sts00E = ab.Sts00A = "1";
  Insert(ab);
  int bnr = 31;
  for (auto [msk, uhr, pnr] : {std::tuple{"PA", "070001", "P1"},
                               {"PA", "070500", "P2"},
                               {"PA", "071000", "P3"},
                               {"PE", "080000", "P2"},
                               {"PU", "083000", "P3"}}) {
    MelSatz p = Mel(bnr++, 0, msk, "MPA", std::string("F") + msk, uhr, pnr);
    p.Sts00E = "1";
    Insert(p);
  }
  // The clerk's application numbered the interruption 1 in its booking.
  MelSatz au = Neu(40, "AU", "090000");
  au.KeyLfn = 1;
  Insert(au);
  EXPECT_EQ(Run(), Start());
  // P3 (newest first) gets its interruption with error 5009; P2 has left and
  // gets none; P1 still gets one, without P3's error. Their running numbers
  // follow the highest of the booking.
  EXPECT_EQ(Booking(40), (Zeilen{"1|M_A|AU|04|P1|AW-P1|0|0|CLERK1|        |   |5|0",
                                 "2|MPA|PU|05|P3|AW-P3|5009|0|MldGen|        |   |0|0",
                                 "3|MPA|PU|05|P1|AW-P1|0|0|MldGen|        |   |0|0"}));
  EXPECT_EQ(Rows("select KeyLfn,Sts00E||Sts00R||Sts00A||Sts00U from Qvt560Mel where KeyBnr=40 "
                 "order by KeyLfn"),
            (Zeilen{"1|1011", "2|1001", "3|1001"}));
  // Person interruptions are not reported; the workplace's is.
  EXPECT_EQ(Pps(), Zeilen{"1|AU|P1|0010|20261201|090000|4|5|+"});
  EXPECT_EQ(Rows("select AppSts,AppSis from Qvt504App where AppApp='0010'"), Zeilen{"4|3"});
}

TEST_P(KorrRunTest, DeletionOfAThreeRowBooking) {
  MelSatz am = Marked(Mel(50, 0, "AM", "M_A", "A02", "080000"), "DEL");
  am.MelGum = 4;
  Insert(am);
  Insert(Mel(50, 1, "PA", "MPA", "FPA", "080000", "P1"));
  Insert(Mel(50, 2, "PE", "MPA", "FPE", "090000", "P1"));
  Insert(Mel(51, 0, "AB", "M_A", "A03", "070000"));
  ASSERT_EQ(Exec("update Qvt504App set AppIme=10 where AppApp='0010'"), "");
  EXPECT_EQ(Run(), Start());
  EXPECT_EQ(Rows("select KeyBnr,KeyLfn from Qvt560Mel"), Zeilen{"51|0"});
  EXPECT_EQ(Pps(), Zeilen{"1|AM|        |0010|20261201|080000|2|4|-"});
  EXPECT_EQ(Rows("select AppIme,AppErf from Qvt504App where AppApp='0010'"), Zeilen{"6|KorrMld"});
}

TEST_P(KorrRunTest, TwoDeletionMarksOfOneBooking) {
  MelSatz am = Marked(Mel(50, 0, "AM", "M_A", "A02", "080000"), "DEL");
  am.MelGum = 4;
  Insert(am);
  Insert(Marked(Mel(50, 1, "PA", "MPA", "FPA", "080001", "P1"), "DEL"));
  EXPECT_EQ(Run(), Start());
  EXPECT_EQ(Rows("select count(*) from Qvt560Mel"), Zeilen{"0"});
  // The second mark finds nothing left to delete; each takes its row back.
  EXPECT_EQ(Pps(), (Zeilen{"1|AM|        |0010|20261201|080000|2|4|-",
                           "2|PA|P1|0010|20261201|080001|0|0|-"}));
}

// The clerk argument counts with its first 8 characters; rows of a clerk
// whose identifier only starts like it stay untouched.
TEST_P(KorrRunTest, TwelveCharacterArgumentSelectsItsFirstEightCharacters) {
  Insert(Marked(Mel(50, 0, "AB", "M_A", "A03", "080000"), "DEL", "ABCDEFGH"));
  Insert(Marked(Mel(51, 0, "AB", "M_A", "A03", "081000"), "DEL", "ABCDEFG"));
  EXPECT_EQ(Run("ABCDEFGHIJKL"), Korr_LogEntry("ABCDEFGHIJKL", "Parameter (User)", -1));
  EXPECT_EQ(Rows("select KeyBnr,MelKsb from Qvt560Mel"), Zeilen{"51|ABCDEFG"});
}

TEST_P(KorrRunTest, RefusedStatusChange) {
  MelSatz ae = Marked(Mel(60, 0, "AE", "M_A", "A07", "150000"), "STA");
  ae.MelAec = "0";
  Insert(ae);
  Insert(Mel(61, 0, "AM", "M_A", "A02", "150001"));
  EXPECT_EQ(Run(), Start());
  EXPECT_EQ(Booking(60), Zeilen{"0|M_A|AE|00|        |W1|2003|0|CLERK1|        |   |0|0"});
  EXPECT_EQ(Rows("select AppSts,AppErf from Qvt504App where AppApp='0010'"), Zeilen{"3|PLAN"});
  EXPECT_EQ(Rows("select count(*) from Qvt580Pps"), Zeilen{"0"});
  EXPECT_EQ(Puffer(), "");
}

TEST_P(KorrRunTest, StatusChangeClosingTheLastOperationFinishesTheOrder) {
  MelSatz ae = Marked(Mel(60, 0, "AE", "M_A", "A07", "150000", "        ", "0020"), "STA");
  ae.MelAec = "0";
  ae.MelGum = 8;
  Insert(ae);
  EXPECT_EQ(Run(), Start());
  EXPECT_EQ(Booking(60), Zeilen{"0|M_A|AE|00|        |W1|0|1|CLERK1|        |   |8|0"});
  EXPECT_EQ(Rows("select AppSts,AppSis,AppEdi,AppDwn,AppDna from Qvt504App "
                 "where AppApp='0020'"),
            Zeilen{"9|0|2026-12-01 15:00:00|<null>|<null>"});
  EXPECT_EQ(Rows("select ApkSts,ApkSis,ApkEaf,ApkEdi,ApkDwn from Qvt501Apk"),
            Zeilen{"9|1|2|2026-12-01 15:00:00|<null>"});
  EXPECT_EQ(Pps(), Zeilen{"1|AE|        |0020|20261201|150000|9|0|+"});
  std::string puffer = Puffer();
  EXPECT_EQ(puffer,
            Satz("APK", "STA", ApkBild("A1000")) + Satz("APP", "STA", AppBild("A1000", "0020")));
  EXPECT_EQ(puffer.substr(111 + 191, 1), "9") << "the order goes out finished";
  EXPECT_EQ(puffer.substr(552 + 111 + 152, 1), "9") << "and so does the operation";
}

TEST_P(KorrRunTest, StatusChangeOfAPackageHead) {
  ASSERT_EQ(
      Exec("update Qvt504App set AppZf2='*PKT_KOPF*',AppNaf='00000' where AppApp='0010';" +
           Test_ApkSql({.apk = "B1", .sts = 3, .afo = 1}) +
           Test_AppSql(
               {.apk = "B1", .sts = 3, .naf = "00000", .zf2 = "       A1000 0010             "}) +
           "update Qvt504App set AppIme=7 where AppApk='B1';"),
      "");
  MelSatz ae = Marked(Mel(60, 0, "AE", "M_A", "A07", "150000"), "STA");
  ae.MelAec = "0";
  Insert(ae);
  EXPECT_EQ(Run(), Start());
  EXPECT_EQ(
      Rows("select AppApk,AppSts,AppEdi,AppZf3 from Qvt504App where AppApp='0010' "
           "order by AppApk"),
      (Zeilen{"A1000|9|2026-12-01 15:00:00|Zusatz drei", "B1|9|2026-12-01 15:00:00|Dowatz drei"}));
  EXPECT_EQ(Rows("select ApkApk,ApkSts,ApkEaf,ApkIme from Qvt501Apk order by ApkApk"),
            (Zeilen{"A1000|9|2|0", "B1|9|2|7"}));
  // The package operation "-" and "+" with its own order and quantity, then
  // the head's "+".
  EXPECT_EQ(Rows("select PpsLfn,PpsApk,PpsGum,PpsSto from Qvt580Pps order by PpsLfn"),
            (Zeilen{"1|B1|7|-", "2|B1|7|+", "3|A1000|0|+"}));
  // Both orders and both operations go to the terminals.
  EXPECT_EQ(Puffer(), Satz("APK", "STA", ApkBild("A1000")) + Satz("APK", "STA", ApkBild("B1")) +
                          Satz("APP", "STA", AppBild("A1000", "0010")) +
                          Satz("APP", "STA", AppBild("B1", "0010")));
}

TEST_P(KorrRunTest, UploadNumbersContinueTheCounter) {
  ASSERT_EQ(Exec("insert into Qvt552Bnr (BnrKey,BnrBnr,BnrEsb) values ('PPSNR',41,'PPSUPL');"), "");
  Insert(Marked(Mel(70, 0, "AM", "M_A", "A02", "100000"), "AEI"));
  EXPECT_EQ(Run(), Start());
  EXPECT_EQ(Rows("select PpsLfn,PpsSto from Qvt580Pps order by PpsLfn"), (Zeilen{"42|-", "43|+"}));
  EXPECT_EQ(Rows("select BnrBnr,BnrEsb from Qvt552Bnr"), Zeilen{"43|KorrMld"});
}

// Markers: every row of the loop leaves them, whatever its correction code.
TEST_P(KorrRunTest, MarkersKeepTheEarliestInstant) {
  for (int k : {1, 3, 4, 9}) ASSERT_EQ(Exec(Test_NzpSql({.akz = k, .mrk = 1})), "");
  Insert(Marked(Mel(80, 0, "PA", "MPA", "FPA", "100000", "P1"), "XYZ"));
  // A code without a handler is logged in each run; the row stays pending.
  auto unbekannt = [](const std::string& code, const std::string& key) {
    return Korr_LogEntry("Unbekannter Korrekturcode '" + code + "': " + key, "Mld_Korrektur", -1);
  };
  const std::string lauf1 = Start() + unbekannt("XYZ", "80/0");
  EXPECT_EQ(Run(), lauf1);
  Insert(Marked(Mel(81, 0, "PE", "MPA", "FPE", "080000", "P1"), "   "));
  Insert(Marked(Mel(82, 0, "PU", "MPA", "FPU", "120000", "P1"), "   "));
  EXPECT_EQ(Run(), lauf1 + Start() + unbekannt("   ", "81/0") + unbekannt("XYZ", "80/0") +
                       unbekannt("   ", "82/0"));
  EXPECT_EQ(Rows("select MrkKng,MrkApl,MrkApk,MrkApp,MrkPnr,MrkMdt,MrkObj,MrkBnr "
                 "from Qvt563Mrk order by MrkKng"),
            (Zeilen{"LZM|APL01|000000000000|00000|00000000|2026-12-01 08:00:00|MPA|0",
                    "NZA|0000000000|A1000|0010|00000000|2026-12-01 08:00:00|MPA|0",
                    "NZM|20261201|000000000000|00000|P1|2026-12-01 08:00:00|MPA|0",
                    "PRF|APL01|A1000|0010|P1|2026-12-01 08:00:00|MPA|0"}));
}

TEST_P(KorrRunTest, CheckMarkersOfMachineAndOrderMessages) {
  ASSERT_EQ(Exec(Test_NzpSql({.akz = 9, .mrk = 1})), "");
  // The object type comes from the function code of the kind, not the row.
  Insert(Marked(Mel(90, 0, "MS", "", "FMS", "060000", "P1"), "   "));
  Insert(Marked(Mel(91, 0, "AB", "", "A03", "070000", "P1"), "   "));
  EXPECT_EQ(Run(), Start() +
                       Korr_LogEntry("Unbekannter Korrekturcode '   ': 90/0", "Mld_Korrektur", -1) +
                       Korr_LogEntry("Unbekannter Korrekturcode '   ': 91/0", "Mld_Korrektur", -1));
  EXPECT_EQ(Rows("select MrkApl,MrkApk,MrkApp,MrkPnr,MrkMdt,MrkObj from Qvt563Mrk "
                 "where MrkKng='PRF' order by MrkObj"),
            (Zeilen{"APL01|A1000|0010|00000000|2026-12-01 07:00:00|M_A",
                    "0000000000|000000000000|0010|00000000|2026-12-01 06:00:00|M__"}));
}

}  // namespace
