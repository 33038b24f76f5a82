// Corrections that cannot be applied soundly leave a log entry and stay
// pending, with nothing of them written: an unreadable message, booking or
// function-code entry, a time shift without an instant. Unknown correction
// codes run nothing but are logged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/DbDb.h"
#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "main/KorrLoop.h"
#include "support/Builders.h"
#include "support/KorrFixture.h"

namespace {

using Zeilen = std::vector<std::string>;

class KorrAbweisungTest : public KorrTest {
 protected:
  void SetUp() override {
    KorrTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_EQ(Exec(Test_FzuStandardSql() + Test_CfgSql() + Test_ApkSql() +
                   Test_AppSql({.sts = 3, .naf = "00000"})),
              "");
    for (int k : {1, 3, 4, 9}) Parameter(k, 0, 1);  // every marker on
  }
  // A quantity report "AM" of booking `bnr`, running number `lfn`, marked
  // with `kfc` by CLERK1 (or unmarked when kfc is empty).
  void Meldung(int bnr, int lfn, const std::string& kfc, const std::string& dat = "20261201",
               const std::string& uhr = "110000") {
    MelSatz m = Test_Mel({.bnr = bnr,
                          .lfn = lfn,
                          .dat = dat,
                          .uhr = uhr,
                          .msk = "AM",
                          .fcd = "A02",
                          .ksb = kfc.empty() ? "        " : "CLERK1",
                          .kfc = kfc.empty() ? "   " : kfc});
    m.MelGum = 10;
    m.MelKgm = 15;
    ASSERT_EQ(Mel_PKeyIns(m), DB_OK);
  }
  // The rows with their marks, good quantity and time (as the program reads it).
  Zeilen Meldungen() {
    Zeilen z;
    for (const std::string& r :
         Rows("select KeyBnr,KeyLfn from Qvt560Mel order by KeyBnr,KeyLfn")) {
      MelSatz m;
      m.KeyBnr = std::stoi(r.substr(0, r.find('|')));
      m.KeyLfn = std::stoi(r.substr(r.find('|') + 1));
      EXPECT_EQ(Mel_PKeyReadk(m), DB_OK);
      z.push_back(r + "|" + m.MelKsb + "|" + m.MelKfc + "|" + std::to_string(int(m.MelGum)) + "|" +
                  m.KeyUhr);
    }
    return z;
  }
  // Everything a correction writes beside the message rows.
  Zeilen Folgen() {
    Zeilen z = Rows("select PpsLfn,PpsSto from Qvt580Pps order by PpsLfn");
    for (const std::string& r : Rows("select count(*) from Qvt563Mrk")) z.push_back("Mrk " + r);
    for (const std::string& r : Rows("select AppIme,AppDwn from Qvt504App")) z.push_back(r);
    z.push_back("Puffer " + std::to_string(Puffer(1).size()));
    return z;
  }
};
QV_DB_TEST_SUITE(KorrAbweisungTest);

TEST_P(KorrAbweisungTest, UnreadableMessageOrBookingIsLoggedAndTheCorrectionStaysPending) {
  struct Fall {
    const char* kfc;
    const char* operation;  // the failing statement
    const char* funktion;   // the handler's log name
    const char* message;
  };
  const Fall faelle[] = {
      {"AEI", "Mel_PKeyReadk", "Korr_Inhalt aendern", "Mel_PKeyReadk"},
      {"STA", "Mel_PKeyReadk", "Korr_Statusaenderung", "Mel_PKeyReadk"},
      {"NEW", "Mel_PKeyReadk", "Korr_Neuemeldung", "Mel_PKeyReadk"},
      {"AEZ", "Mel_BnrCur", "Korr_ZeitVerschiebung", "Mel_BnrCur"},
      {"AEZ", "Mel_BnrCur.Fetch", "Korr_ZeitVerschiebung", "Mel_BnrCur.Fetch"},
      {"DEL", "Mel_BnrCur", "Korr_Loeschen", "Mel_BnrCur"},
      {"DEL", "Mel_BnrCur.Fetch", "Korr_Loeschen", "Mel_BnrCur.Fetch"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::string(f.kfc) + " " + f.operation);
    ASSERT_EQ(Exec("delete from Qvt560Mel"), "");
    Meldung(5, 0, f.kfc);
    Meldung(5, 1, "");
    const Zeilen vorher = Meldungen();
    const Zeilen folgenVorher = Folgen();
    Test_WriteFile(inst_.LogPath(), "");
    // A failure of the data (-20000), not of the environment: the handler
    // alone has to notice it.
    DbFehlerPlan plan;
    plan.operations[f.operation] = DB_OTHER;
    Db_SetFaultPlanForTest(plan);
    Korr_Schleife("CLERK1");
    Db_ClearFaultPlanForTest();
    EXPECT_EQ(Meldungen(), vorher) << "nothing deleted or shifted, the mark stays";
    EXPECT_EQ(Folgen(), folgenVorher) << "no marker, no planning record, no download";
    EXPECT_EQ(LogText(), Korr_LogEntry(f.message, f.funktion, DB_OTHER));
  }
  // A row an earlier correction deleted (1403) stays silent, as before.
  ASSERT_EQ(Exec("delete from Qvt560Mel"), "");
  Meldung(6, 0, "DEL");
  Meldung(6, 1, "STA");
  Test_WriteFile(inst_.LogPath(), "");
  Korr_Schleife("CLERK1");
  EXPECT_EQ(Meldungen(), Zeilen{});
  EXPECT_EQ(LogText().find("Korr_Statusaenderung"), std::string::npos) << LogText();
}

TEST_P(KorrAbweisungTest, UnreadableFunctionCodeEntryLeavesTheCorrectionPending) {
  Meldung(5, 0, "AEI");
  const Zeilen vorher = Meldungen();
  const Zeilen folgenVorher = Folgen();
  DbFehlerPlan plan;
  plan.operations["Fzu_MldRead"] = DB_OTHER;
  Db_SetFaultPlanForTest(plan);
  Korr_Schleife("CLERK1");
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Meldungen(), vorher);
  EXPECT_EQ(Folgen(), folgenVorher);
  EXPECT_EQ(LogText(), Korr_LogEntry("Fzu_MldRead 5/0", "Mld_Korrektur", DB_OTHER));
  // A kind without an entry (1403) is applied with an empty entry, as before.
  ASSERT_EQ(Exec("delete from Qvt553Fzu where FzuMld='AM'"), "");
  Test_WriteFile(inst_.LogPath(), "");
  Korr_Schleife("CLERK1");
  EXPECT_EQ(Meldungen(), Zeilen{"5|0|        |   |15|110000"});
  EXPECT_EQ(LogText(), "");
}

TEST_P(KorrAbweisungTest, UnknownCodeIsLoggedOnceAndRunsNoHandler) {
  Meldung(1, 0, "XYZ", "20261201", "080000");
  Meldung(2, 0, "aei", "20261201", "090000");
  Meldung(3, 0, "   ", "20261201", "100000");
  Korr_Schleife("CLERK1");
  EXPECT_EQ(Meldungen(), (Zeilen{"1|0|CLERK1|XYZ|10|080000", "2|0|CLERK1|aei|10|090000",
                                 "3|0|CLERK1|   |10|100000"}));
  EXPECT_EQ(LogText(),
            Korr_LogEntry("Unbekannter Korrekturcode 'XYZ': 1/0", "Mld_Korrektur", -1) +
                Korr_LogEntry("Unbekannter Korrekturcode 'aei': 2/0", "Mld_Korrektur", -1) +
                Korr_LogEntry("Unbekannter Korrekturcode '   ': 3/0", "Mld_Korrektur", -1));
  // The marker step still runs for such a row.
  EXPECT_NE(Rows("select count(*) from Qvt563Mrk"), Zeilen{"0"});
}

TEST_P(KorrAbweisungTest, TimeShiftWithoutAnInstantIsRefused) {
  Meldung(5, 0, "AEZ", "", "");  // date and time NULL
  Meldung(5, 1, "");
  const Zeilen vorher = Meldungen();
  ASSERT_EQ(vorher.size(), 2u);
  ASSERT_EQ(vorher[1], "5|1|        |   |10|110000");
  const Zeilen folgenVorher = Folgen();
  Korr_Schleife("CLERK1");
  EXPECT_EQ(Meldungen(), vorher) << "the other row keeps its time";
  EXPECT_EQ(Folgen(), folgenVorher);
  EXPECT_EQ(LogText(), Korr_LogEntry("Kein gueltiger Zeitpunkt: 5/0", "Korr_ZeitVerschiebung", -1));
}

}  // namespace
