// Planning interface records and upload numbers.
#include "main/KorrPps.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>
#include <vector>

#include "db/DbDb.h"
#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "support/Builders.h"
#include "support/KorrFixture.h"

namespace {

class KorrPpsTest : public KorrTest {};
QV_DB_TEST_SUITE(KorrPpsTest);

TEST_P(KorrPpsTest, FirstRecordCreatesTheCounterAndNumbersFollowOneApart) {
  ASSERT_EQ(Exec(Test_FzuSql({.mld = "AE", .fcd = "A07"})), "");
  MelSatz m = Test_Mel({.bnr = 10, .uhr = "093000"});
  m.MelMsk = "AE";
  m.MelFcd = "A07";
  m.MelAec = "1";
  m.KeyPnr = "P1";
  m.MelGum = 12;
  m.MelFam = 1.5;
  m.MelZt1 = 7;
  Korr_PpsSchnittstelle(m, "-");
  Korr_PpsSchnittstelle(m, "+");
  EXPECT_EQ(Rows("select BnrKey,BnrBnr,BnrEsb,BnrEdt from Qvt552Bnr"),
            std::vector<std::string>{"PPSNR|2|KorrMld|2026-12-08 10:15:00"});
  EXPECT_EQ(Rows("select * from Qvt580Pps order by PpsLfn"),
            (std::vector<std::string>{
                "20261208101500|1|*NO|AE|P1|APL01|A1000|0010|W1|20261201|093000|U1|A1|9|-|12|1.5|"
                "0|0|STK|7|0|0|<null>|<null>|<null>",
                "20261208101500|2|*NO|AE|P1|APL01|A1000|0010|W1|20261201|093000|U1|A1|9|+|12|1.5|"
                "0|0|STK|7|0|0|<null>|<null>|<null>"}));
  EXPECT_EQ(LogText(), "");
}

TEST_P(KorrPpsTest, StatusAndKindFollowTheFunctionCode) {
  ASSERT_EQ(Exec(Test_FzuStandardSql()), "");
  struct Fall {
    const char* msk;
    const char* fcd;
    const char* aec;
    const char* fcdPps;
    int sts;
  };
  const Fall faelle[] = {
      {"RB", "A01", "0", "RB", 1}, {"AM", "A02", "0", "AM", 2}, {"AB", "A03", "0", "AB", 3},
      {"AU", "A04", "0", "AU", 4}, {"AW", "A05", "0", "AW", 3}, {"RE", "A06", "0", "RE", 0},
      {"AE", "A07", "0", "AT", 6}, {"AE", "A07", "1", "AE", 9}, {"AT", "A07", "", "AT", 9},
  };
  for (const Fall& f : faelle) {
    MelSatz m = Test_Mel();
    m.MelMsk = f.msk;
    m.MelFcd = f.fcd;
    m.MelAec = f.aec;
    ASSERT_EQ(Exec("delete from Qvt580Pps"), "");
    Korr_PpsSchnittstelle(m, "+");
    EXPECT_EQ(Rows("select PpsFcd,PpsSts from Qvt580Pps"),
              std::vector<std::string>{std::string(f.fcdPps) + "|" + std::to_string(f.sts)})
        << f.msk << " " << f.fcd << " " << f.aec;
  }
}

TEST_P(KorrPpsTest, KindNotReportedWritesNothingAndDrawsNoNumber) {
  ASSERT_EQ(Exec(Test_FzuSql({.mld = "PA", .obj = "MPA", .upl = 0})), "");
  MelSatz m = Test_Mel();
  m.MelMsk = "PA";
  Korr_PpsSchnittstelle(m, "+");
  m.MelMsk = "ZZ";  // no function-code entry at all
  Korr_PpsSchnittstelle(m, "+");
  EXPECT_EQ(Rows("select count(*) from Qvt580Pps"), std::vector<std::string>{"0"});
  EXPECT_EQ(Rows("select count(*) from Qvt552Bnr"), std::vector<std::string>{"0"});
  EXPECT_EQ(LogText(), "");
}

TEST_P(KorrPpsTest, FailedDrawLeavesNumberZeroAndCounterUnchanged) {
  ASSERT_EQ(Exec(Test_FzuSql({.fcd = "A03"}) +
                 "insert into Qvt552Bnr (BnrKey,BnrBnr,BnrEsb) values ('PPSNR',7,'X');"),
            "");
  DbFehlerPlan plan;
  plan.operations["Bnr_PKeyNext"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  Korr_PpsSchnittstelle(Test_Mel(), "+");
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Rows("select PpsLfn,PpsSto from Qvt580Pps"), std::vector<std::string>{"0|+"});
  EXPECT_EQ(Rows("select BnrBnr from Qvt552Bnr"), std::vector<std::string>{"7"});
  EXPECT_EQ(LogText(), Korr_LogEntry("Get,Ins,Upd", "UploadNummer", DB_BUSY));

  // A record that cannot be stored has drawn its number: a gap, logged.
  plan.operations.clear();
  plan.operations["Pps_PKeyIns"] = DB_TOO_WIDE;
  Db_SetFaultPlanForTest(plan);
  Korr_PpsSchnittstelle(Test_Mel(), "+");
  Db_ClearFaultPlanForTest();
  Korr_PpsSchnittstelle(Test_Mel(), "+");
  EXPECT_EQ(Rows("select PpsLfn from Qvt580Pps order by PpsLfn"),
            (std::vector<std::string>{"0", "9"}));
  EXPECT_EQ(LogText(), Korr_LogEntry("Get,Ins,Upd", "UploadNummer", DB_BUSY) +
                           Korr_LogEntry("Pps_PKeyIns", "Korr_PpsSchnittstelle", DB_TOO_WIDE));
}

TEST_P(KorrPpsTest, CounterCreatedByAnotherRunMeanwhileIsDrawnFrom) {
  // The first draw finds no counter; before this run's insert another run
  // creates it: the insert meets the key and the run draws from the counter.
  ASSERT_EQ(Exec("insert into Qvt552Bnr (BnrKey,BnrBnr,BnrEsb) values ('PPSNR',1,'OTHER');"), "");
  DbFehlerPlan plan;
  plan.nth = 1;
  plan.nthStatus = DB_NOT_FOUND;  // the first Bnr_PKeyNext "finds" nothing
  Db_SetFaultPlanForTest(plan);
  PpsSatz r;
  UploadNummer(r);
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(r.PpsLfn, 2);
  EXPECT_EQ(Rows("select BnrBnr,BnrEsb from Qvt552Bnr"), std::vector<std::string>{"2|KorrMld"});
  EXPECT_EQ(LogText(), "");
}

// Two programs drawing upload numbers at the same moment, each with its own
// session, never get the same number, also when the counter does not exist
// yet and both try to create it.
TEST_P(KorrPpsTest, ConcurrentRunsNeverShareANumber) {
  constexpr int kKinder = 2;
  constexpr int kJe = 1000;
  Db_Disconnect();
  int go[2];
  ASSERT_EQ(pipe(go), 0);
  std::vector<int> lesen;
  std::vector<pid_t> kinder;
  for (int k = 0; k < kKinder; ++k) {
    int out[2];
    ASSERT_EQ(pipe(out), 0);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      close(go[1]);
      close(out[0]);
      if (Db_ConnectWith(db_.login, db_.pass, db_.net8) != DB_OK) _exit(3);
      char c;
      if (read(go[0], &c, 1) < 0) _exit(4);  // wait until both are connected
      for (int i = 0; i < kJe; ++i) {
        PpsSatz r;
        UploadNummer(r);
        if (write(out[1], &r.PpsLfn, sizeof r.PpsLfn) != sizeof r.PpsLfn) _exit(5);
      }
      Db_Disconnect();
      _exit(0);
    }
    close(out[1]);
    lesen.push_back(out[0]);
    kinder.push_back(pid);
  }
  close(go[0]);
  usleep(200000);
  close(go[1]);  // both start drawing now
  std::vector<int> alle;
  for (int fd : lesen) {
    int n;
    while (read(fd, &n, sizeof n) == sizeof n) alle.push_back(n);
    close(fd);
  }
  for (pid_t pid : kinder) {
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
  ASSERT_EQ(alle.size(), static_cast<size_t>(kKinder * kJe));
  std::set<int> verschieden(alle.begin(), alle.end());
  EXPECT_EQ(verschieden.size(), alle.size()) << "two runs got the same upload number";
  EXPECT_EQ(*verschieden.begin(), 1);
  EXPECT_EQ(*verschieden.rbegin(), kKinder * kJe);
  EXPECT_EQ(Rows("select BnrBnr from Qvt552Bnr where BnrKey='PPSNR'"),
            std::vector<std::string>{std::to_string(kKinder * kJe)});
  EXPECT_EQ(LogText(), "");
  ASSERT_EQ(Db_ConnectWith(db_.login, db_.pass, db_.net8), DB_OK);
}

}  // namespace
