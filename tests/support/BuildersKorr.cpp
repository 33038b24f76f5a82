#include "support/BuildersKorr.h"

#include <unistd.h>

#include <cstdlib>

#include "download/DnlSenden.h"
#include "infra/Log.h"
#include "main/MldKorrektur.h"
#include "support/Builders.h"

std::string Korr_LogEntry(const std::string& message, const std::string& function, int code) {
  return Test_LogEntry("08.12.26", "10:15:00", message, function, code);
}

void KorrTest::SetUp() {
  setenv("QV_TEST_NOW", kKorrNow, 1);
  DbTest::SetUp();
  if (IsSkipped() || HasFatalFailure()) return;
  ASSERT_TRUE(TestInst_Create(inst_, db_.login, db_.pass, db_.net8));
  char* cwd = getcwd(nullptr, 0);
  altesVerzeichnis_ = cwd ? cwd : ".";
  free(cwd);
  ASSERT_EQ(chdir(inst_.workdir.c_str()), 0);
  Log_ResetForTest();
  Log_Open(7, "./Msg/Vastrigon.Txt");
  ASSERT_EQ(Korr_ParameterLesen(), 0);
}

void KorrTest::TearDown() {
  // Cleanup only: a test may have failed the buffer file on purpose.
  (void)Dnl_DateiSchliessen();
  Log_ResetForTest();
  if (!altesVerzeichnis_.empty() && chdir(altesVerzeichnis_.c_str()) != 0) {
    ADD_FAILURE() << "cannot return to " << altesVerzeichnis_;
  }
  TestInst_Remove(inst_);
  DbTest::TearDown();
  // Sets every flag back to 0 first; without a session the read then fails.
  (void)Korr_ParameterLesen();
  unsetenv("QV_TEST_NOW");
}

std::string KorrTest::LogText() const {
  return Test_ReadFile(inst_.LogPath());
}

std::string KorrTest::Puffer(int linie) {
  EXPECT_EQ(Dnl_DateiSchliessen(), 0);
  return Test_ReadFile(inst_.BuffDir() + "/SndDnl" + std::to_string(linie) + ".buf");
}

void KorrTest::Parameter(int k, int aak, int mrk) {
  ASSERT_EQ(TestDb_Exec(db_, Test_NzpSql(k, "20260101", "20271231", aak, mrk)), "");
  ASSERT_EQ(Korr_ParameterLesen(), 0);
}

std::string Test_ApkSql(const std::string& apk, int sts, int afo, int eaf, int aba) {
  return "insert into Qvt501Apk (ApkApk,ApkBz1,ApkTxt,ApkSts,ApkSis,ApkAfo,ApkEaf,ApkTnr,"
         "ApkSme,ApkIme,ApkMee,ApkFbe,ApkZf3,ApkSsn,ApkSta,ApkErf,ApkAba) values ('" +
         apk + "','Auftrag " + apk + "','Txt'," + std::to_string(sts) + ",0," +
         std::to_string(afo) + "," + std::to_string(eaf) + ",'T-" + apk +
         "',100,0,'STK','F1','Zusatz drei',0,0,'PLAN'," + std::to_string(aba) + ");";
}

std::string Test_AppSql(const std::string& apk, const std::string& app, int sts,
                        const std::string& naf, const std::string& zf2) {
  return "insert into Qvt504App (AppApk,AppApp,AppVaf,AppNaf,AppBz1,AppTxt,AppSts,AppSis,"
         "AppAgs,AppAbs,AppAes,AppSme,AppIme,AppAme,AppMee,AppSza,AppStr,AppSte,AppIta,AppItr,"
         "AppIte,AppApg,AppApl,AppFbe,AppZf2,AppZf3,AppSsn,AppSta,AppErf) values ('" +
         apk + "','" + app + "','00000','" + naf + "','Arbeitsgang " + app + "','Txt'," +
         std::to_string(sts) + ",0,0,0,0,100,0,0,'STK',0,0,0,0,0,0,'GRP1','APL01','F1'," +
         (zf2.empty() ? std::string("NULL") : "'" + zf2 + "'") + ",'Zusatz drei',0,0,'PLAN');";
}

std::string Test_PrvSql(const std::string& pnr, const std::string& awn) {
  return "insert into Qvt510Prv (PrvPnr,PrvBer,PrvMmb,PrvSta,PrvAwn,PrvAwa,PrvAnw,PrvApl,"
         "PrvApp,PrvPzm,PrvNam) values ('" +
         pnr + "',0,0,0,'" + awn + "',0,0,0,0,0,'Person " + pnr + "');";
}

std::string Test_CfgSql(int dta, const std::string& vn, const std::string& bi) {
  return "insert into Qvt557Cfg (CfgDta,CfgIP,CfgPrt,CfgBez,CfgKr1,CfgVn1,CfgBi1,CfgSta,"
         "CfgErf) values (" +
         std::to_string(dta) + ",'10.0.0." + std::to_string(dta) + "','40" + std::to_string(dta) +
         "','Linie',0,'" + vn + "','" + bi + "',0,'TEST');";
}

std::string Test_FzuStandardSql() {
  return Test_FzuSql("AB", "M_A", 1, "A03") + Test_FzuSql("RB", "M_A", 1, "A01") +
         Test_FzuSql("AM", "M_A", 1, "A02") + Test_FzuSql("AE", "M_A", 1, "A07") +
         Test_FzuSql("RE", "M_A", 1, "A06") + Test_FzuSql("AT", "M_A", 1, "A07") +
         Test_FzuSql("AU", "M_A", 1, "A04") + Test_FzuSql("AW", "M_A", 1, "A05") +
         Test_FzuSql("PA", "MPA") + Test_FzuSql("PE", "MPA") + Test_FzuSql("PU", "MPA") +
         Test_FzuSql("PW", "MPA") + Test_FzuSql("MS", "M__") + Test_FzuSql("MT", "M__");
}
