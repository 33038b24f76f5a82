#include "support/Builders.h"

#include <cstdio>

MelSatz Test_Mel(int bnr, int lfn, const std::string& dat, const std::string& uhr) {
  MelSatz m;
  m.KeyBnr = bnr;
  m.KeyLfn = lfn;
  m.ObjTyp = "M_A";
  m.KeyPnr = "        ";
  m.KeyApl = "APL01";
  m.KeyApk = "A1000";
  m.KeyApp = "0010";
  for (std::string* s :
       {&m.Sts00E, &m.Sts00R, &m.Sts00A, &m.Sts00U, &m.Sts00S, &m.Sts006, &m.Sts007, &m.Sts008,
        &m.Sts009, &m.Sts010, &m.Sts011, &m.Sts012, &m.Sts013, &m.Sts014, &m.Sts015, &m.Sts016})
    *s = "0";
  m.KeyDat = dat;
  m.KeyUhr = uhr;
  m.KeySek = "00";
  m.KeyUbg = "U1";
  m.KeyAug = "A1";
  m.MelMsk = "AB";
  m.MelAwn = "W1";
  m.MelFcd = "F01";
  m.MelTrm = "01";
  m.MelOff = "0";
  m.MelMee = "STK";
  m.MelAec = "0";
  m.MelTrc = "0";
  m.MelErf = "TERM01";
  m.MelKsb = "        ";
  m.MelKdt = dat + uhr;
  m.MelKfc = "   ";
  m.KeyTnr = "T-100";
  return m;
}

std::string Test_FzuSql(const std::string& mld, const std::string& txt, int upl,
                        const std::string& fcd) {
  std::string f = fcd.empty() ? "F" + mld : fcd;
  return "insert into Qvt553Fzu (FzuFcd,FzuMld,FzuBez,FzuTxt,FzuArt,FzuObj,FzuUpl,FzuGen,"
         "FzuSta,FzuErf) values ('" +
         f + "','" + mld + "','Meldung " + mld + "','" + txt + "',1,1," + std::to_string(upl) +
         ",0,0,'TEST');";
}

std::string Test_NzpSql(int akz, const std::string& gvn, const std::string& gbi, int aak, int mrk) {
  auto d = [](const std::string& s) {
    return "'" + s.substr(0, 4) + "-" + s.substr(4, 2) + "-" + s.substr(6, 2) + " 00:00:00'";
  };
  char buf[512];
  std::snprintf(buf, sizeof buf,
                "insert into Qvt591Nzp (NzpAkz,NzpGvn,NzpGbi,NzpAak,NzpAwt,NzpKjh,NzpKmn,"
                "NzpKwo,NzpKtg,NzpAan,NzpVfh,NzpNfh,NzpAus,NzpMrk) values "
                "(%d,%s,%s,%d,0,0,0,0,0,0,0,0,'x',%d);",
                akz, d(gvn).c_str(), d(gbi).c_str(), aak, mrk);
  return buf;
}
