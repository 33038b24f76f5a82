#include "support/BuildersStamm.h"

#include <unistd.h>

#include <filesystem>

#include "download/DnlSenden.h"
#include "infra/File.h"
#include "infra/Log.h"

namespace {

std::string Q(const std::string& s) {
  if (s.empty()) return "NULL";
  std::string out = "'";
  for (char c : s) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

}  // namespace

std::string Test_DatumSql(const std::string& d) {
  if (d.empty()) return "NULL";
  std::string t = d.size() == 8 ? d + "000000" : d;
  return "'" + t.substr(0, 4) + "-" + t.substr(4, 2) + "-" + t.substr(6, 2) + " " + t.substr(8, 2) +
         ":" + t.substr(10, 2) + ":" + t.substr(12, 2) + "'";
}

std::string Test_ApkSql(const std::string& apk, const std::string& fbe, const std::string& dwn,
                        const std::string& dna) {
  return "insert into Qvt501Apk (ApkApk,ApkBz1,ApkBz2,ApkTxt,ApkSts,ApkSis,ApkKun,ApkKb1,ApkKb2,"
         "ApkBgs,ApkEns,ApkAfo,ApkEaf,ApkTnr,ApkTb1,ApkTb2,ApkSme,ApkIme,ApkMee,ApkBdi,ApkEdi,"
         "ApkFbe,ApkKst,ApkZf1,ApkZf2,ApkZf3,ApkKnz,ApkSsn,ApkDna,ApkDwn,ApkSta,ApkDat,ApkErf,"
         "ApkAba) values (" +
         Q(apk) + ",'Gehaeuse Typ 4','Serie 2026','Auftrag',3,1,'K0815','Kunde','Werk Nord'," +
         Test_DatumSql("20261130") + "," + Test_DatumSql("20261215") +
         ",2,0,'TNR-4711','Deckel','Stahl',1234.5,0,'STK'," + Test_DatumSql("20261201060000") +
         ",NULL," + Q(fbe) + ",'KST1','Zusatz 1','Zusatz 2','Zusatz 3','K',0," + Q(dna) + "," +
         Q(dwn) + ",0," + Test_DatumSql("20261101120000") + ",'TEST',1);";
}

std::string Test_AppSql(const std::string& apk, const std::string& app, const std::string& fbe,
                        const std::string& dwn, const std::string& dna) {
  return "insert into Qvt504App (AppApk,AppApp,AppVaf,AppNaf,AppBz1,AppBz2,AppTxt,AppSts,AppSis,"
         "AppBdi,AppBds,AppSbd,AppEdi,AppEds,AppSed,AppRad,AppRed,AppAgs,AppAbs,AppAes,AppSme,"
         "AppIme,AppAme,AppMee,AppSza,AppStr,AppSte,AppIta,AppItr,AppIte,AppApg,AppApl,AppKt1,"
         "AppKz1,AppKt2,AppKz2,AppKt3,AppKz3,AppKt4,AppKz4,AppFbe,AppKst,AppZf1,AppZf2,AppZf3,"
         "AppKnz,AppSsn,AppDna,AppDwn,AppSta,AppDat,AppErf) values (" +
         Q(apk) + "," + Q(app) + ",'00000','00020','Fraesen','Kontur','AG',4,2," +
         Test_DatumSql("20261201061500") + "," + Test_DatumSql("20261201060000") + "," +
         Test_DatumSql("20261130220000") + ",NULL," + Test_DatumSql("20261202140000") + "," +
         Test_DatumSql("20261202150000") +
         ",NULL,NULL,1,2,3,500,120.25,3,'STK',15.5,30.25,"
         "1.125,0,0,0,'APG1','APL01','Kt1','Z1','Kt2','Z2','Kt3','Z3','Kt4','Z4'," +
         Q(fbe) + ",'KST1','Zusatz 1','Zusatz 2','Zusatz 3','K',0," + Q(dna) + "," + Q(dwn) +
         ",0," + Test_DatumSql("20261101120000") + ",'TEST');";
}

std::string Test_CfgSql(int dta, const std::string& ip, const std::string& prt,
                        const std::string& vn1, const std::string& bi1, const std::string& vn2,
                        const std::string& bi2, const std::string& vn3, const std::string& bi3) {
  return "insert into Qvt557Cfg (CfgDta,CfgIP,CfgPrt,CfgBez,CfgTxt,CfgKr1,CfgVn1,CfgBi1,CfgBz1,"
         "CfgVn2,CfgBi2,CfgBz2,CfgVn3,CfgBi3,CfgBz3,CfgSta,CfgDat,CfgErf) values (" +
         std::to_string(dta) + "," + Q(ip) + "," + Q(prt) + ",'Linie " + std::to_string(dta) +
         "','L',0," + Q(vn1) + "," + Q(bi1) + ",'B1'," + Q(vn2) + "," + Q(bi2) + ",'B2'," + Q(vn3) +
         "," + Q(bi3) + ",'B3',0,'x','TEST');";
}

std::string Test_AplSql(const std::string& apl, const std::string& apg) {
  return "insert into Qvt531Apl (AplApl,AplBez,AplTxt,AplApg,AplFbe,AplSts,AplSis,AplApr,AplAaf,"
         "AplUbg,AplUdt,AplTag,AplVrf,AplKap,AplSt1,AplSf1,AplZf1,AplSta,AplErf) values (" +
         Q(apl) + ",'Fraese 1','F1'," + Q(apg) + ",'FBE1',1,0,7,8,'U1'," +
         Test_DatumSql("20261130080910") + ",3,1.5,480.25,'ST1',2.5,'Zusatz',0,'TEST');";
}

std::string Test_PrvSql(const std::string& pnr, const std::string& awn, int pzm) {
  return "insert into Qvt510Prv (PrvPnr,PrvGvo,PrvGbi,PrvBer,PrvKst,PrvFbe,PrvMmb,PrvSta,PrvErf,"
         "PrvAwn,PrvPzm,PrvAvn,PrvNam) values (" +
         Q(pnr) + "," + Test_DatumSql("20260101") + "," + Test_DatumSql("20271231") +
         ",4,'KST1','FBE1',0,0,'TEST'," + Q(awn) + "," + std::to_string(pzm) + "," +
         Test_DatumSql("20261201053000") + ",'Muster');";
}

std::string Test_BakSql(const std::string& datum, int jhr, int mon, int wch, int wtg, int jtg) {
  return "insert into QvSystem.Qvt133Bak (BakDtm,BakJhr,BakMon,BakTag,BakWch,BakWtg,BakJtg) "
         "values (" +
         Test_DatumSql(datum) + "," + std::to_string(jhr) + "," + std::to_string(mon) + ",1," +
         std::to_string(wch) + "," + std::to_string(wtg) + "," + std::to_string(jtg) + ");";
}

std::string Test_KalSql(const std::string& kal, const std::string& datum, const std::string& btp) {
  return "insert into QvSystem.Qvt133Kal (KalNum,KalDtm,KalBtp) values (" + Q(kal) + "," +
         Test_DatumSql(datum) + "," + Q(btp) + ");";
}

std::string Test_AemSql(const std::string& apg, int kng, const std::string& emo,
                        const std::string& gvo, const std::string& gbi, const std::string& kal,
                        int maz) {
  return "insert into Qvt532Aem (AemApg,AemKng,AemEmo,AemGvo,AemGbi,AemBez,AemTxt,AemKal,AemLkz,"
         "AemVzt,AemEzt,AemPrz,AemAfz,AemApz,AemPrp,AemAfp,AemApp,AemMaz) values (" +
         Q(apg) + "," + std::to_string(kng) + "," + Q(emo) + "," + Test_DatumSql(gvo) + "," +
         Test_DatumSql(gbi) + ",'Modell','M'," + Q(kal) + ",1,2,3,4,5,6,7,8,9," +
         std::to_string(maz) + ");";
}

std::string Test_EmoSql(const std::string& emo, const std::string& ttp, int beg, int end,
                        const std::string& pmo) {
  return "insert into Qvt533Emo (EmoEmo,EmoTtp,EmoTxt,EmoBeg,EmoEnd,EmoArt,EmoPmo) values (" +
         Q(emo) + "," + Q(ttp) + ",'Schicht'," + std::to_string(beg) + "," + std::to_string(end) +
         ",1," + Q(pmo) + ");";
}

std::string Test_PmzSql(const std::string& pmo, const std::string& gvo, const std::string& pms,
                        const std::string& gbi) {
  return "insert into Qvt536Pmz (PmzPmo,PmzGvo,PmzPms,PmzGbi) values (" + Q(pmo) + "," +
         Test_DatumSql(gvo) + "," + Q(pms) + "," + Test_DatumSql(gbi) + ");";
}

std::string Test_PmsSql(const std::string& num, int beg, int end) {
  return "insert into Qvt535Pms (PmsNum,PmsBeg,PmsEnd,PmsInt,PmsPse,PmsBzt,PmsPrz) values (" +
         Q(num) + "," + std::to_string(beg) + "," + std::to_string(end) + ",1,2,3,4);";
}

void DnlDbTest::SetUp() {
  DbTest::SetUp();
  if (IsSkipped() || HasFatalFailure()) return;
  root_ = Test_TempDir();
  std::filesystem::create_directories(root_ + "/work/Msg");
  std::filesystem::create_directories(root_ + "/Comm/Buff");
  char buf[4096];
  alt_ = getcwd(buf, sizeof buf) ? buf : "";
  ASSERT_EQ(chdir((root_ + "/work").c_str()), 0);
  setenv("QV_TEST_NOW", "20261201143007", 1);
  Log_ResetForTest();
  Log_Open(7, "./Msg/Vastrigon.Txt");
}

void DnlDbTest::TearDown() {
  // Cleanup only: a test may have failed the buffer file on purpose.
  (void)Dnl_DateiSchliessen();
  File_SetOpsForTest(nullptr);
  Log_ResetForTest();
  unsetenv("QV_TEST_NOW");
  if (!alt_.empty()) {
    EXPECT_EQ(chdir(alt_.c_str()), 0);
  }
  Test_RemoveTree(root_);
  DbTest::TearDown();
}

std::string DnlDbTest::Puffer(int linie) const {
  return Test_ReadFile(root_ + "/Comm/Buff/SndDnl" + std::to_string(linie) + ".buf");
}

bool DnlDbTest::PufferDa(int linie) const {
  return std::filesystem::exists(root_ + "/Comm/Buff/SndDnl" + std::to_string(linie) + ".buf");
}

std::string DnlDbTest::Protokoll() const {
  return Test_ReadFile(root_ + "/work/Msg/Vastrigon.Txt");
}

bool DnlDbTest::Geloggt(const std::string& message, const std::string& funktion, int code) const {
  std::string eintrag = "MsgArt_____: FMSG \r\nMessage____: " + message +
                        "\r\nFunktion___: " + funktion +
                        "\r\nErrorCode__: " + std::to_string(code) + "\r\n";
  return Protokoll().find(eintrag) != std::string::npos;
}
