// New message and deletion.
#include "main/KorrNeu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/DbDb.h"
#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "main/KorrAuswertung.h"
#include "main/KorrLoop.h"
#include "support/Builders.h"
#include "support/KorrFixture.h"

namespace {

std::vector<std::string> gAusgewertet;
void Merken(const MelSatz& r) {
  gAusgewertet.push_back(r.ObjTyp + ":" + std::to_string(r.KeyBnr) + "/" +
                         std::to_string(r.KeyLfn) + ":" + r.MelMsk + ":" + r.KeyPnr);
}

class KorrNeuTest : public KorrTest {
 protected:
  void SetUp() override {
    KorrTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    gAusgewertet.clear();
    Korr_AuswertungenSetzenForTest({Merken, nullptr, Merken, Merken});
    ASSERT_EQ(Exec(Test_FzuStandardSql() + Test_CfgSql() + Test_ApkSql() +
                   Test_AppSql({.sts = 3, .naf = "00000"}) + Test_PrvSql() +
                   Test_PrvSql({.pnr = "P2"}) + Test_PrvSql({.pnr = "P3"})),
              "");
  }
  void TearDown() override {
    Korr_AuswertungenZuruecksetzenForTest();
    KorrTest::TearDown();
  }
  // A message as the clerk enters it: kind, person, instant; corrected
  // quantities 5 and 1; the rest as the clerk's application leaves it.
  MelSatz Neu(int bnr, int lfn, const std::string& msk, const std::string& uhr,
              const std::string& pnr = "P1") {
    MelSatz m = Test_Mel({.bnr = bnr,
                          .lfn = lfn,
                          .uhr = uhr,
                          .msk = msk,
                          .pnr = pnr,
                          .fcd = "",
                          .ksb = "CLERK1",
                          .kfc = "NEW",
                          .kdt = "20261207090000"});
    m.KeyTnr = "ALT";
    m.MelAwn = "";
    m.MelGum = 9;
    m.MelKgm = 5;
    m.MelKfm = 1;
    m.Sts00R = m.Sts00A = m.Sts00U = "X";
    return m;
  }
  FzuSatz Entry(const std::string& msk) {
    FzuSatz e;
    e.FzuMld = msk;
    EXPECT_EQ(Fzu_MldRead(e), DB_OK);
    return e;
  }
  void Insert(const MelSatz& m) { ASSERT_EQ(Mel_PKeyIns(m), DB_OK); }
  // A message already stored at the operation (terminal message).
  void Frueher(int bnr, const std::string& msk, const std::string& obj, const std::string& uhr,
               const std::string& pnr, const std::string& sek = "00") {
    MelSatz m = Test_Mel({.bnr = bnr, .uhr = uhr, .obj = obj, .msk = msk, .pnr = pnr});
    m.MelAwn = "AW-" + pnr;
    m.KeySek = sek;
    m.Sts00E = "1";
    m.Sts00A = obj == "M_A" ? "1" : "0";
    Insert(m);
  }
  std::vector<std::string> Booking(int bnr) {
    return Rows(
        "select KeyLfn,ObjTyp,MelMsk,MelFcd,KeySek,KeyPnr,MelAwn,MelFnr,MelAec,MelErf,MelKsb,"
        "MelKfc,MelKdt,MelGum,MelFam,MelKgm,Sts00E||Sts00R||Sts00A||Sts00U||Sts00S,MelTrm,"
        "MelOff,KeyTnr from Qvt560Mel where KeyBnr=" +
        std::to_string(bnr) + " order by KeyLfn");
  }
  std::vector<std::string> Pps() {
    return Rows("select PpsLfn,PpsFcd,PpsPnr,PpsGum,PpsSto from Qvt580Pps order by PpsLfn");
  }
};
QV_DB_TEST_SUITE(KorrNeuTest);

TEST_P(KorrNeuTest, NewWorkBeginGeneratesThePersonsBegin) {
  MelSatz m = Neu(20, 0, "AB", "080000");
  Insert(m);
  Korr_Neuemeldung(m, Entry("AB"));
  // The begin clears the corrected quantities before they are taken over.
  EXPECT_EQ(Booking(20),
            (std::vector<std::string>{
                "0|M_A|AB|A03|01|P1|AW-P1|0|0|CLERK1|        |   |<null>|0|0|0|10100|00|K|"
                "T-A1000",
                "1|MPA|PA|FPA|02|P1|AW-P1|0|0|MldGen|        |   |<null>|0|0|0|10100|00|K|"
                "T-A1000"}));
  EXPECT_EQ(Pps(), (std::vector<std::string>{"1|PA|P1|0|+", "2|AB|P1|0|+"}));
  EXPECT_EQ(Rows("select ApkSts,ApkBdi from Qvt501Apk"),
            std::vector<std::string>{"3|2026-12-01 08:00:00"});
  // The generated message is evaluated first, then the loop's row as it came.
  EXPECT_EQ(gAusgewertet, (std::vector<std::string>{"MPA:20/1:PA:P1", "M_A:20/0:AB:P1"}));
  EXPECT_EQ(LogText(), "");
}

TEST_P(KorrNeuTest, NewPartialEndIsStoredAsAnOpenWorkEndWithItsQuantities) {
  MelSatz m = Neu(21, 0, "AT", "150000");
  Insert(m);
  Korr_Neuemeldung(m, Entry("AT"));
  EXPECT_EQ(Booking(21),
            (std::vector<std::string>{
                "0|M_A|AE|A07|99|P1|AW-P1|0|0|CLERK1|        |   |<null>|5|1|0|10000|00|K|"
                "T-A1000",
                "1|MPA|PE|FPE|98|P1|AW-P1|0|0|MldGen|        |   |<null>|0|0|0|10000|00|K|"
                "T-A1000"}));
  // "+" records: the person's end, then the work end as a partial end.
  EXPECT_EQ(Pps(), (std::vector<std::string>{"1|PE|P1|0|+", "2|AT|P1|5|+"}));
  EXPECT_EQ(Rows("select AppSts,AppIme,AppAme from Qvt504App"), std::vector<std::string>{"6|5|1"});
}

TEST_P(KorrNeuTest, NewWorkEndClosesOnlyWithoutALaterMessage) {
  MelSatz m = Neu(22, 0, "AE", "150000");
  Insert(m);
  Korr_Neuemeldung(m, Entry("AE"));
  EXPECT_EQ(Rows("select MelAec,MelFnr,MelGum from Qvt560Mel where KeyBnr=22 and KeyLfn=0"),
            std::vector<std::string>{"1|0|5"});
  EXPECT_EQ(Rows("select AppSts,AppIme from Qvt504App"), std::vector<std::string>{"9|5"});

  Frueher(30, "AM", "M_A", "170000", "P2");
  MelSatz spaet = Neu(23, 0, "AE", "160000");
  Insert(spaet);
  Korr_Neuemeldung(spaet, Entry("AE"));
  EXPECT_EQ(Rows("select MelAec,MelFnr from Qvt560Mel where KeyBnr=23 order by KeyLfn"),
            (std::vector<std::string>{"0|2003", "0|2003"}));
}

// A setup begin sets its own flag; every further flag is cleared. The
// evaluation at the end gets the loop's row as it came (here with the object
// type the clerk's application stored), not the completed one.
TEST_P(KorrNeuTest, NewSetupBeginSetsItsFlagAndClearsTheOthers) {
  MelSatz m = Neu(27, 0, "RB", "060000");
  m.ObjTyp = "M__";
  for (std::string* s : {&m.Sts00S, &m.Sts006, &m.Sts007, &m.Sts008, &m.Sts009, &m.Sts010,
                         &m.Sts011, &m.Sts012, &m.Sts013, &m.Sts014, &m.Sts015, &m.Sts016})
    *s = "X";
  m.MelAec = "1";
  m.MelTrm = "07";
  Insert(m);
  Korr_Neuemeldung(m, Entry("RB"));
  EXPECT_EQ(Rows("select KeyLfn,ObjTyp,MelMsk,MelFcd,KeySek,MelAec,MelTrm,MelOff,"
                 "Sts00E||Sts00R||Sts00A||Sts00U||Sts00S||Sts006||Sts007||Sts008||Sts009||"
                 "Sts010||Sts011||Sts012||Sts013||Sts014||Sts015||Sts016 "
                 "from Qvt560Mel where KeyBnr=27 order by KeyLfn"),
            (std::vector<std::string>{"0|M_A|RB|A01|01|0|00|K|1100000000000000",
                                      "1|MPA|PA|FPA|02|0|00|K|1100000000000000"}));
  EXPECT_EQ(gAusgewertet, (std::vector<std::string>{"MPA:27/1:PA:P1", "M__:27/0:RB:P1"}));
}

// A setup end stays "RE" and gets the person's end; a quantity report
// generates nothing and keeps the clerk's quantities.
TEST_P(KorrNeuTest, NewSetupEndAndQuantityReport) {
  MelSatz re = Neu(28, 0, "RE", "100000");
  re.MelAec = "1";
  Insert(re);
  Korr_Neuemeldung(re, Entry("RE"));
  MelSatz am = Neu(29, 0, "AM", "110000");
  am.KeySek = "50";
  Insert(am);
  Korr_Neuemeldung(am, Entry("AM"));
  EXPECT_EQ(Rows("select KeyBnr,KeyLfn,MelMsk,KeySek,MelAec,MelGum,MelFam,MelKgm,MelErf "
                 "from Qvt560Mel order by KeyBnr,KeyLfn"),
            (std::vector<std::string>{"28|0|RE|99|0|5|1|0|CLERK1", "28|1|PE|98|0|0|0|0|MldGen",
                                      "29|0|AM|50|0|5|1|0|CLERK1"}));
  EXPECT_EQ(LogText(), "");
}

// The generated row is inserted before the new message is written back; a
// failed write ends the handler before its "+" record and its evaluation.
TEST_P(KorrNeuTest, NewMessageThatCannotBeStoredLeavesItsGeneratedRow) {
  MelSatz m = Neu(20, 0, "AB", "080000");
  Insert(m);
  DbFehlerPlan plan;
  plan.operations["Mel_PKeyUpdate"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  Korr_Neuemeldung(m, Entry("AB"));
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(LogText(), Korr_LogEntry("Mel_PKeyUpdate", "Korr_Neuemeldung", DB_BUSY));
  EXPECT_EQ(Rows("select KeyLfn,MelMsk,MelKsb,MelKfc from Qvt560Mel order by KeyLfn"),
            (std::vector<std::string>{"0|AB|CLERK1|NEW", "1|PA|        |   "}));
  EXPECT_EQ(Pps(), std::vector<std::string>{"1|PA|P1|0|+"});
  EXPECT_EQ(gAusgewertet, std::vector<std::string>{"MPA:20/1:PA:P1"});
}

// The first person message that cannot be inserted ends the generation: the
// persons after it get none. The interruption itself is still stored.
TEST_P(KorrNeuTest, InterruptionStopsAtTheFirstFailedInsert) {
  Frueher(31, "PA", "MPA", "070001", "P1");
  Frueher(32, "PA", "MPA", "070500", "P2");
  MelSatz m = Neu(40, 0, "AU", "090000", "P1");
  Insert(m);
  DbFehlerPlan plan;
  plan.operations["Mel_PKeyIns"] = DB_TOO_WIDE;
  Db_SetFaultPlanForTest(plan);
  Korr_Neuemeldung(m, Entry("AU"));
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(LogText(), Korr_LogEntry("Mel_PKeyIns", "Korr_ZeitVerschiebung", DB_TOO_WIDE));
  EXPECT_EQ(Rows("select KeyLfn,MelMsk,MelKfc from Qvt560Mel where KeyBnr=40"),
            std::vector<std::string>{"0|AU|   "});
  EXPECT_EQ(gAusgewertet, std::vector<std::string>{"M_A:40/0:AU:P1"});
}

TEST_P(KorrNeuTest, MissingPersonIsMarkedAndTheMessageStillStored) {
  MelSatz m = Neu(24, 0, "AB", "080000", "P9");
  Insert(m);
  Korr_Neuemeldung(m, Entry("AB"));
  EXPECT_EQ(Rows("select KeyLfn,MelAwn,MelFnr,MelErf from Qvt560Mel order by KeyLfn"),
            (std::vector<std::string>{"0|99999999|6001|CLERK1", "1|99999999|6001|MldGen"}));
  EXPECT_EQ(LogText(), Korr_LogEntry("Prv_PKeyRead", "Korr_AusweisNummer", 1403));
}

TEST_P(KorrNeuTest, GeneratedMessageThatCannotBeInsertedIsLoggedAndTheNewOneStored) {
  // The clerk's application numbered the new message 1: the person's begin
  // (running number 1) meets it.
  MelSatz m = Neu(25, 1, "AB", "080000");
  Insert(m);
  Korr_Neuemeldung(m, Entry("AB"));
  EXPECT_EQ(LogText(), Korr_LogEntry("Mel_PKeyIns", "Korr_ZeitVerschiebung", DB_DUP_KEY));
  EXPECT_EQ(Rows("select KeyLfn,MelMsk,MelErf from Qvt560Mel"),
            std::vector<std::string>{"1|AB|CLERK1"});
  // The same for an end ("Korr_AT_AENeu").
  MelSatz e = Neu(26, 1, "RE", "090000");
  Insert(e);
  Korr_Neuemeldung(e, Entry("RE"));
  EXPECT_EQ(LogText(), Korr_LogEntry("Mel_PKeyIns", "Korr_ZeitVerschiebung", DB_DUP_KEY) +
                           Korr_LogEntry("Mel_PKeyIns", "Korr_AT_AENeu", DB_DUP_KEY));
}

TEST_P(KorrNeuTest, NewInterruptionAfterTheWorkEndedGeneratesNothing) {
  Frueher(30, "AB", "M_A", "070000", "P1", "01");
  Frueher(31, "PA", "MPA", "070000", "P1", "02");
  Frueher(32, "AE", "M_A", "120000", "P1", "99");
  MelSatz m = Neu(40, 0, "AU", "130000", "P1");
  Insert(m);
  Korr_Neuemeldung(m, Entry("AU"));
  EXPECT_EQ(Rows("select KeyLfn,MelFnr,KeySek,Sts00U,MelGum,MelFam from Qvt560Mel "
                 "where KeyBnr=40"),
            std::vector<std::string>{"0|5009|04|1|5|1"});
}

// Persons at the operation before the interruption at 09:00: P1 working, P2
// who has left, P3 already interrupted; the workplace's begin before them.
TEST_P(KorrNeuTest, InterruptionGeneratesOneMessagePerPersonPresent) {
  Frueher(30, "AB", "M_A", "070000", "P0", "01");
  Frueher(31, "PA", "MPA", "070001", "P1");
  Frueher(32, "PA", "MPA", "070500", "P2");
  Frueher(33, "PA", "MPA", "071000", "P3");
  Frueher(34, "PE", "MPA", "080000", "P2");
  Frueher(35, "PU", "MPA", "083000", "P3");
  // The new interruption, numbered 2 in its booking by the clerk's application.
  MelSatz m = Neu(40, 2, "AU", "090000", "P1");
  Insert(m);
  Korr_Neuemeldung(m, Entry("AU"));
  // P3 (newest message first) is interrupted already: error 5009. P2 has left
  // and gets nothing; P1 still gets its message, without P3's error. The
  // running numbers follow the highest in the booking.
  EXPECT_EQ(Rows("select KeyLfn,ObjTyp,MelMsk,KeySek,KeyPnr,MelAwn,MelFnr,MelErf,"
                 "Sts00E||Sts00R||Sts00A||Sts00U from Qvt560Mel where KeyBnr=40 order by KeyLfn"),
            (std::vector<std::string>{"2|M_A|AU|04|P1|AW-P1|0|CLERK1|1011",
                                      "3|MPA|PU|05|P3|AW-P3|5009|MldGen|1001",
                                      "4|MPA|PU|05|P1|AW-P1|0|MldGen|1001"}));
  EXPECT_EQ(gAusgewertet,
            (std::vector<std::string>{"MPA:40/3:PU:P3", "MPA:40/4:PU:P1", "M_A:40/2:AU:P1"}));
  EXPECT_EQ(LogText(), "");
}

TEST_P(KorrNeuTest, ResumptionMarksPersonsThatWereNotInterrupted) {
  Frueher(31, "PA", "MPA", "070001", "P1");
  Frueher(32, "PU", "MPA", "080000", "P2");
  MelSatz m = Neu(40, 0, "AW", "090000", "P1");
  Insert(m);
  Korr_Neuemeldung(m, Entry("AW"));
  EXPECT_EQ(Rows("select KeyLfn,MelMsk,KeySek,KeyPnr,MelFnr,Sts00U from Qvt560Mel "
                 "where KeyBnr=40 order by KeyLfn"),
            (std::vector<std::string>{"0|AW|96|P1|0|0", "1|PW|95|P2|0|0", "2|PW|95|P1|5010|0"}));
}

TEST_P(KorrNeuTest, InterruptionListsAtMostTenPersons) {
  for (int i = 1; i <= 12; ++i) {
    char pnr[16], uhr[16];
    std::snprintf(pnr, sizeof pnr, "Q%02d", i);
    std::snprintf(uhr, sizeof uhr, "07%02d00", i);
    Frueher(100 + i, "PA", "MPA", uhr, pnr);
  }
  MelSatz m = Neu(40, 0, "AU", "090000", "Q01");
  Insert(m);
  Korr_Neuemeldung(m, Entry("AU"));
  // The ten newest persons, newest first.
  std::vector<std::string> got =
      Rows("select KeyPnr from Qvt560Mel where KeyBnr=40 and MelMsk='PU' order by KeyLfn");
  EXPECT_EQ(got, (std::vector<std::string>{"Q12", "Q11", "Q10", "Q09", "Q08", "Q07", "Q06", "Q05",
                                           "Q04", "Q03"}));
}

TEST_P(KorrNeuTest, DeletionRemovesTheBookingAndTakesTheLoopRowBack) {
  MelSatz ab = Test_Mel({.bnr = 50});
  ab.MelMsk = "AM";
  ab.MelFcd = "A02";
  ab.MelGum = 4;
  ab.MelKgm = 0;
  ab.MelKsb = "CLERK1";
  ab.MelKfc = "DEL";
  Insert(ab);
  MelSatz pa = Test_Mel({.bnr = 50, .lfn = 1});
  pa.MelMsk = "PA";
  pa.ObjTyp = "MPA";
  pa.KeySek = "02";
  Insert(pa);
  MelSatz x = Test_Mel({.bnr = 50, .lfn = 2, .uhr = "090000"});
  Insert(x);
  Insert(Test_Mel({.bnr = 51}));  // another booking
  ASSERT_EQ(Exec("update Qvt504App set AppIme=10"), "");
  Korr_Loeschen(ab, FzuSatz{});
  EXPECT_EQ(Rows("select KeyBnr from Qvt560Mel"), std::vector<std::string>{"51"});
  EXPECT_EQ(gAusgewertet, (std::vector<std::string>{"M_A:50/0:AM:        ", "MPA:50/1:PA:        ",
                                                    "M_A:50/2:AB:        "}));
  EXPECT_EQ(Pps(), std::vector<std::string>{"1|AM|        |4|-"});
  EXPECT_EQ(Rows("select AppIme from Qvt504App"), std::vector<std::string>{"6"});

  // A second mark of the same booking finds nothing to delete.
  gAusgewertet.clear();
  Korr_Loeschen(pa, FzuSatz{});
  EXPECT_TRUE(gAusgewertet.empty());
  EXPECT_EQ(Pps(), (std::vector<std::string>{"1|AM|        |4|-", "2|PA|        |0|-"}));
  EXPECT_EQ(LogText(), "");
}

// A booking that cannot be read is not deleted; the master data, the
// download and the "-" record of the loop's row still follow.
TEST_P(KorrNeuTest, DeletionWhoseBookingCannotBeReadIsRefusedAndLogged) {
  MelSatz am = Test_Mel({.bnr = 50});
  am.MelMsk = "AM";
  am.MelFcd = "A02";
  am.MelGum = 4;
  am.MelKsb = "CLERK1";
  am.MelKfc = "DEL";
  Insert(am);
  ASSERT_EQ(Exec("update Qvt504App set AppIme=10"), "");
  DbFehlerPlan plan;
  plan.operations["Mel_BnrCur"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  Korr_Loeschen(am, FzuSatz{});
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Rows("select count(*) from Qvt560Mel"), std::vector<std::string>{"1"});
  EXPECT_TRUE(gAusgewertet.empty());
  // No "-" record and no master-data change for a booking that was not read.
  EXPECT_EQ(Pps(), std::vector<std::string>{});
  EXPECT_EQ(Rows("select AppIme from Qvt504App"), std::vector<std::string>{"10"});
  EXPECT_TRUE(Korr_Abgewiesen());
  EXPECT_EQ(LogText(), Korr_LogEntry("Mel_BnrCur", "Korr_Loeschen", DB_BUSY));
}

TEST_P(KorrNeuTest, FailedDeletionIsLoggedWithItsFixedText) {
  MelSatz ab = Test_Mel({.bnr = 50});
  Insert(ab);
  DbFehlerPlan plan;
  plan.operations["Mel_PKeyDel"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  Korr_Loeschen(ab, FzuSatz{});
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(LogText(), Korr_LogEntry("Mel_PKeyUpdate", "Korr_ZeitVerschiebung", DB_BUSY));
  EXPECT_EQ(Rows("select count(*) from Qvt560Mel"), std::vector<std::string>{"1"});
}

}  // namespace
