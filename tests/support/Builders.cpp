#include "support/Builders.h"

namespace {

// SQL literal of a text: NULL when empty, quotes doubled.
std::string Q(const std::string& s) {
  if (s.empty()) return "NULL";
  std::string out = "'";
  for (char c : s) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

std::string N(int n) {
  return std::to_string(n);
}

// An instant "yyyymmddHHMMSS" as its date and time texts (both empty when empty).
void Zerlegen(const std::string& zeit, std::string& dat, std::string& uhr) {
  dat = zeit.substr(0, 8);
  uhr = zeit.size() > 8 ? zeit.substr(8) : "";
}

}  // namespace

std::string Test_DatumSql(const std::string& d) {
  if (d.empty()) return "NULL";
  std::string t = d.size() == 8 ? d + "000000" : d;
  return "'" + t.substr(0, 4) + "-" + t.substr(4, 2) + "-" + t.substr(6, 2) + " " + t.substr(8, 2) +
         ":" + t.substr(10, 2) + ":" + t.substr(12, 2) + "'";
}

MelSatz Test_Mel(const TestMel& o) {
  MelSatz m;
  m.KeyBnr = o.bnr;
  m.KeyLfn = o.lfn;
  m.ObjTyp = o.obj;
  m.KeyPnr = o.pnr;
  m.KeyApl = o.apl;
  m.KeyApk = o.apk;
  m.KeyApp = o.app;
  for (std::string* s :
       {&m.Sts00E, &m.Sts00R, &m.Sts00A, &m.Sts00U, &m.Sts00S, &m.Sts006, &m.Sts007, &m.Sts008,
        &m.Sts009, &m.Sts010, &m.Sts011, &m.Sts012, &m.Sts013, &m.Sts014, &m.Sts015, &m.Sts016})
    *s = "0";
  m.KeyDat = o.dat;
  m.KeyUhr = o.uhr;
  m.KeySek = "00";
  m.KeyUbg = o.ubg;
  m.KeyAug = "A1";
  m.MelMsk = o.msk;
  m.MelAwn = "W1";
  m.MelFcd = o.fcd;
  m.MelTrm = "01";
  m.MelOff = "0";
  m.MelMee = "STK";
  m.MelAec = "0";
  m.MelTrc = "0";
  m.MelErf = "TERM01";
  m.MelKsb = o.ksb;
  m.MelKdt = o.kdt.empty() ? o.dat + o.uhr : o.kdt;
  m.MelKfc = o.kfc;
  m.KeyTnr = "T-100";
  return m;
}

NzaSatz Test_Nza(const TestNza& o) {
  NzaSatz r;
  r.NzaSa = o.sa;
  r.NzaApl = o.apl;
  r.NzaApk = o.apk;
  r.NzaApp = o.app;
  r.NzaPnr = o.pnr;
  Zerlegen(o.beg, r.NzaDtmDat, r.NzaDtmUhr);
  Zerlegen(o.end, r.NzaEdtDat, r.NzaEdtUhr);
  r.NzaBmk = o.bmk;
  r.NzaEmk = o.emk;
  r.NzaEmo = o.emo;
  r.NzaErf = o.erf;
  return r;
}

MltSatz Test_Mlt(const TestMlt& o) {
  MltSatz m;
  m.MltErf = o.erf;
  m.MltDat = o.dat;
  m.MltLfn = o.lfn;
  m.MltObj = o.obj;
  m.MltPnr = o.pnr;
  m.MltApl = o.apl;
  m.MltApk = o.apk;
  m.MltApp = o.app;
  m.MltArg = o.arg;
  m.MltUbg = o.ubg;
  Zerlegen(o.zeit, m.MltMdtDat, m.MltMdtUhr);
  return m;
}

std::string Test_ApkSql(const TestApk& a) {
  const std::string fbe = !a.fbe.empty() ? a.fbe : a.voll ? "FBE1" : "F1";
  if (!a.voll) {
    return "insert into Qvt501Apk (ApkApk,ApkBz1,ApkTxt,ApkSts,ApkSis,ApkAfo,ApkEaf,ApkTnr,"
           "ApkSme,ApkIme,ApkMee,ApkFbe,ApkZf3,ApkSsn,ApkSta,ApkErf,ApkAba,ApkDna,ApkDwn) values "
           "(" +
           Q(a.apk) + "," + Q("Auftrag " + a.apk) + ",'Txt'," + N(a.sts) + ",0," + N(a.afo) + "," +
           N(a.eaf) + "," + Q("T-" + a.apk) + ",100,0,'STK'," + Q(fbe) +
           ",'Zusatz drei',0,0,'PLAN'," + N(a.aba) + "," + Q(a.dna) + "," + Q(a.dwn) + ");";
  }
  return "insert into Qvt501Apk (ApkApk,ApkBz1,ApkBz2,ApkTxt,ApkSts,ApkSis,ApkKun,ApkKb1,ApkKb2,"
         "ApkBgs,ApkEns,ApkAfo,ApkEaf,ApkTnr,ApkTb1,ApkTb2,ApkSme,ApkIme,ApkMee,ApkBdi,ApkEdi,"
         "ApkFbe,ApkKst,ApkZf1,ApkZf2,ApkZf3,ApkKnz,ApkSsn,ApkDna,ApkDwn,ApkSta,ApkDat,ApkErf,"
         "ApkAba) values (" +
         Q(a.apk) + ",'Gehaeuse Typ 4','Serie 2026','Auftrag',3,1,'K0815','Kunde','Werk Nord'," +
         Test_DatumSql("20261130") + "," + Test_DatumSql("20261215") +
         ",2,0,'TNR-4711','Deckel','Stahl',1234.5,0,'STK'," + Test_DatumSql("20261201060000") +
         ",NULL," + Q(fbe) + ",'KST1','Zusatz 1','Zusatz 2','Zusatz 3','K',0," + Q(a.dna) + "," +
         Q(a.dwn) + ",0," + Test_DatumSql("20261101120000") + ",'TEST',1);";
}

std::string Test_AppSql(const TestApp& a) {
  const std::string fbe = !a.fbe.empty() ? a.fbe : a.voll ? "FBE1" : "F1";
  if (!a.voll) {
    return "insert into Qvt504App (AppApk,AppApp,AppVaf,AppNaf,AppBz1,AppTxt,AppSts,AppSis,"
           "AppAgs,AppAbs,AppAes,AppSme,AppIme,AppAme,AppMee,AppSza,AppStr,AppSte,AppIta,AppItr,"
           "AppIte,AppApg,AppApl,AppFbe,AppZf2,AppZf3,AppSsn,AppSta,AppErf,AppDna,AppDwn) values "
           "(" +
           Q(a.apk) + "," + Q(a.app) + ",'00000'," + Q(a.naf) + "," + Q("Arbeitsgang " + a.app) +
           ",'Txt'," + N(a.sts) + ",0,0,0,0,100,0,0,'STK',0,0,0,0,0,0,'GRP1','APL01'," + Q(fbe) +
           "," + Q(a.zf2) + ",'Zusatz drei',0,0,'PLAN'," + Q(a.dna) + "," + Q(a.dwn) + ");";
  }
  return "insert into Qvt504App (AppApk,AppApp,AppVaf,AppNaf,AppBz1,AppBz2,AppTxt,AppSts,AppSis,"
         "AppBdi,AppBds,AppSbd,AppEdi,AppEds,AppSed,AppRad,AppRed,AppAgs,AppAbs,AppAes,AppSme,"
         "AppIme,AppAme,AppMee,AppSza,AppStr,AppSte,AppIta,AppItr,AppIte,AppApg,AppApl,AppKt1,"
         "AppKz1,AppKt2,AppKz2,AppKt3,AppKz3,AppKt4,AppKz4,AppFbe,AppKst,AppZf1,AppZf2,AppZf3,"
         "AppKnz,AppSsn,AppDna,AppDwn,AppSta,AppDat,AppErf) values (" +
         Q(a.apk) + "," + Q(a.app) + ",'00000','00020','Fraesen','Kontur','AG',4,2," +
         Test_DatumSql("20261201061500") + "," + Test_DatumSql("20261201060000") + "," +
         Test_DatumSql("20261130220000") + ",NULL," + Test_DatumSql("20261202140000") + "," +
         Test_DatumSql("20261202150000") +
         ",NULL,NULL,1,2,3,500,120.25,3,'STK',15.5,30.25,"
         "1.125,0,0,0,'APG1','APL01','Kt1','Z1','Kt2','Z2','Kt3','Z3','Kt4','Z4'," +
         Q(fbe) + ",'KST1','Zusatz 1','Zusatz 2','Zusatz 3','K',0," + Q(a.dna) + "," + Q(a.dwn) +
         ",0," + Test_DatumSql("20261101120000") + ",'TEST');";
}

std::string Test_PrvSql(const TestPrv& p) {
  const std::string awn = p.awn.empty() ? "AW-" + p.pnr : p.awn;
  if (!p.voll) {
    return "insert into Qvt510Prv (PrvPnr,PrvBer,PrvMmb,PrvSta,PrvAwn,PrvAwa,PrvAnw,PrvApl,"
           "PrvApp,PrvPzm,PrvNam) values (" +
           Q(p.pnr) + ",0,0,0," + Q(awn) + ",0,0,0,0," + N(p.pzm) + "," + Q("Person " + p.pnr) +
           ");";
  }
  return "insert into Qvt510Prv (PrvPnr,PrvGvo,PrvGbi,PrvBer,PrvKst,PrvFbe,PrvMmb,PrvSta,PrvErf,"
         "PrvAwn,PrvPzm,PrvAvn,PrvNam) values (" +
         Q(p.pnr) + "," + Test_DatumSql("20260101") + "," + Test_DatumSql("20271231") +
         ",4,'KST1','FBE1',0,0,'TEST'," + Q(awn) + "," + N(p.pzm) + "," +
         Test_DatumSql("20261201053000") + ",'Muster');";
}

std::string Test_CfgSql(const TestCfg& c) {
  const std::string ip = c.ip.empty() ? "10.0.0." + N(c.dta) : c.ip;
  const std::string prt = c.prt.empty() ? "40" + N(c.dta) : c.prt;
  const std::string bez = c.voll ? "Linie " + N(c.dta) : "Linie";
  auto text = [&c](const char* t) { return c.voll ? Q(t) : "NULL"; };
  return "insert into Qvt557Cfg (CfgDta,CfgIP,CfgPrt,CfgBez,CfgTxt,CfgKr1,CfgVn1,CfgBi1,CfgBz1,"
         "CfgVn2,CfgBi2,CfgBz2,CfgVn3,CfgBi3,CfgBz3,CfgSta,CfgDat,CfgErf) values (" +
         N(c.dta) + "," + Q(ip) + "," + Q(prt) + "," + Q(bez) + "," + text("L") + ",0," + Q(c.vn1) +
         "," + Q(c.bi1) + "," + text("B1") + "," + Q(c.vn2) + "," + Q(c.bi2) + "," + text("B2") +
         "," + Q(c.vn3) + "," + Q(c.bi3) + "," + text("B3") + ",0," + text("x") + ",'TEST');";
}

std::string Test_AplSql(const TestApl& a) {
  return "insert into Qvt531Apl (AplApl,AplBez,AplTxt,AplApg,AplFbe,AplSts,AplSis,AplApr,AplAaf,"
         "AplUbg,AplUdt,AplTag,AplVrf,AplKap,AplSt1,AplSf1,AplZf1,AplSta,AplErf) values (" +
         Q(a.apl) + ",'Fraese 1','F1'," + Q(a.apg) + ",'FBE1',1,0,7,8,'U1'," +
         Test_DatumSql("20261130080910") + ",3,1.5,480.25,'ST1',2.5,'Zusatz',0,'TEST');";
}

std::string Test_FzuSql(const TestFzu& f) {
  return "insert into Qvt553Fzu (FzuFcd,FzuMld,FzuBez,FzuTxt,FzuArt,FzuObj,FzuUpl,FzuGen,"
         "FzuSta,FzuErf) values (" +
         Q(f.fcd.empty() ? "F" + f.mld : f.fcd) + "," + Q(f.mld) + "," + Q("Meldung " + f.mld) +
         "," + Q(f.obj) + ",1,1," + N(f.upl) + ",0,0,'TEST');";
}

std::string Test_FzuStandardSql() {
  static const TestFzu kArten[] = {{"AB", "M_A", 1, "A03"}, {"RB", "M_A", 1, "A01"},
                                   {"AM", "M_A", 1, "A02"}, {"AE", "M_A", 1, "A07"},
                                   {"RE", "M_A", 1, "A06"}, {"AT", "M_A", 1, "A07"},
                                   {"AU", "M_A", 1, "A04"}, {"AW", "M_A", 1, "A05"},
                                   {"PA", "MPA"},           {"PE", "MPA"},
                                   {"PU", "MPA"},           {"PW", "MPA"},
                                   {"MS", "M__"},           {"MT", "M__"}};
  std::string sql;
  for (const TestFzu& f : kArten) sql += Test_FzuSql(f);
  return sql;
}

std::string Test_NzpSql(const TestNzp& n) {
  return "insert into Qvt591Nzp (NzpAkz,NzpGvn,NzpGbi,NzpAak,NzpAwt,NzpKjh,NzpKmn,NzpKwo,NzpKtg,"
         "NzpAan,NzpVfh,NzpNfh,NzpAus,NzpMrk) values (" +
         N(n.akz) + "," + Test_DatumSql(n.gvn) + "," + Test_DatumSql(n.gbi) + "," + N(n.aak) +
         ",0,0,0,0,0,0,0,0,'x'," + N(n.mrk) + ");";
}

std::string Test_BakSql(const TestBak& b) {
  return "insert into QvSystem.Qvt133Bak (BakDtm,BakJhr,BakMon,BakTag,BakWch,BakWtg,BakJtg) "
         "values (" +
         Test_DatumSql(b.datum) + "," + N(b.jhr) + "," + N(b.mon) + ",1," + N(b.wch) + "," +
         N(b.wtg) + "," + N(b.jtg) + ");";
}

std::string Test_KalSql(const TestKal& k) {
  return "insert into QvSystem.Qvt133Kal (KalNum,KalDtm,KalBtp) values (" + Q(k.kal) + "," +
         Test_DatumSql(k.datum) + "," + Q(k.btp) + ");";
}

std::string Test_AemSql(const TestAem& a) {
  return "insert into Qvt532Aem (AemApg,AemKng,AemEmo,AemGvo,AemGbi,AemBez,AemTxt,AemKal,AemLkz,"
         "AemVzt,AemEzt,AemPrz,AemAfz,AemApz,AemPrp,AemAfp,AemApp,AemMaz) values (" +
         Q(a.apg) + "," + N(a.kng) + "," + Q(a.emo) + "," + Test_DatumSql(a.gvo) + "," +
         Test_DatumSql(a.gbi) + ",'Modell','M'," + Q(a.kal) + ",1,2,3,4,5,6,7,8,9," + N(a.maz) +
         ");";
}

std::string Test_EmoSql(const TestEmo& e) {
  return "insert into Qvt533Emo (EmoEmo,EmoTtp,EmoTxt,EmoBeg,EmoEnd,EmoArt,EmoPmo) values (" +
         Q(e.emo) + "," + Q(e.ttp) + "," + Q(e.txt) + "," + N(e.beg) + "," + N(e.end) + ",1," +
         Q(e.pmo) + ");";
}

std::string Test_PmzSql(const TestPmz& p) {
  return "insert into Qvt536Pmz (PmzPmo,PmzGvo,PmzPms,PmzGbi) values (" + Q(p.pmo) + "," +
         Test_DatumSql(p.gvo) + "," + Q(p.pms) + "," + Test_DatumSql(p.gbi) + ");";
}

std::string Test_PmsSql(const TestPms& p) {
  return "insert into Qvt535Pms (PmsNum,PmsBeg,PmsEnd,PmsInt,PmsPse,PmsBzt,PmsPrz) values (" +
         Q(p.num) + "," + N(p.beg) + "," + N(p.end) + ",1,2,3,4);";
}
