#include "eval/runtime/LzaFixture.h"

#include <string>

#include "db/DbStatus.h"
#include "infra/Datum.h"
#include "support/Builders.h"

void LzaTest::SetUp() {
  KorrTest::SetUp();
  if (IsSkipped() || HasFatalFailure()) return;
  lfn_ = 0;
  std::string sql = Test_ApkSql() + Test_AppSql() + Test_AplSql();
  std::string tag = "20261120";
  while (tag <= "20261215") {
    const int monat = std::stoi(tag.substr(4, 2));
    const int t = std::stoi(tag.substr(6, 2));
    const int jtg = Tag_ImJahr(t, monat, 2026);
    const int abMontag = jtg - 334;  // 20261130, a Monday, is day 334
    const int woche = 49 + (abMontag >= 0 ? abMontag / 7 : -1 - (-abMontag - 1) / 7);
    const int wtg = 1 + ((abMontag % 7) + 7) % 7;
    sql += Test_BakSql({.datum = tag, .mon = monat, .wch = woche, .wtg = wtg, .jtg = jtg}) +
           Test_KalSql({.datum = tag});
    std::string naechster;
    ASSERT_TRUE(Datum_Plus(tag, 1, naechster));
    tag = naechster;
  }
  ASSERT_EQ(Exec(sql), "");
}

void LzaTest::FruehSchicht(const std::string& apl) {
  ASSERT_EQ(
      Exec(Test_AemSql({.apg = apl, .kng = 2, .emo = "FRUEH", .maz = 7}) +
           Test_EmoSql({.emo = "FRUEH", .beg = 360, .end = 840, .pmo = "P1", .txt = "Frueh"}) +
           Test_PmzSql({.pmo = "P1", .pms = "S1"}) +
           Test_PmsSql({.num = "S1", .beg = 540, .end = 555})),
      "");
}

void LzaTest::Meldung(int lfn, const std::string& msk, const std::string& dat,
                      const std::string& uhr, const std::string& apl) {
  ASSERT_EQ(Mel_PKeyIns(Test_Mel(
                {.lfn = lfn, .dat = dat, .uhr = uhr, .msk = msk, .apl = apl, .ubg = "U7"})),
            DB_OK);
}

MelSatz LzaTest::Aufruf(const std::string& apl) const {
  return Test_Mel({.apl = apl});
}

void LzaTest::Eintrag(const std::string& obj, const std::string& dat, const std::string& uhr,
                      const std::string& arg, const std::string& ubg) {
  MltSatz e = Test_Mlt({.erf = "LzaStd",
                        .dat = kLzaStempel,
                        .lfn = ++lfn_,
                        .obj = obj,
                        .zeit = dat + uhr,
                        .pnr = "        ",
                        .apl = "APL01",
                        .apk = "A1000",
                        .app = "0010",
                        .arg = arg,
                        .ubg = ubg});
  if (arg != "        ") {
    e.MltEmo = "M1";
    e.MltTtp = "AT";
    e.MltWoc = 49;
    e.MltWtg = 2;
    e.MltJtg = 335;
    e.MltJwo = "2026";
  }
  ASSERT_EQ(Mlt_PKeyIns(e), DB_OK);
}

void LzaTest::NzaZeile(int sa, const std::string& apl, const std::string& pnr,
                       const std::string& dat, const std::string& uhr, double wert,
                       const std::string& apk, const std::string& app) {
  NzaSatz s = Test_Nza({.sa = sa,
                        .apl = apl,
                        .apk = apk,
                        .app = app,
                        .pnr = pnr,
                        .beg = dat + uhr,
                        .end = dat + "235959",
                        .emo = "ALT",
                        .erf = "ALT"});
  s.NzaNza = s.NzaBzA = wert;
  ASSERT_EQ(Nza_PKeyIns(s), DB_OK);
}

LzaZeilen LzaTest::Kopf(int sa) {
  return Rows(
      "select NzaApl,NzaPnr,NzaDtm,NzaEdt,NzaBmk,NzaEmk,NzaUbg,NzaEmo,NzaTtp,NzaJwo,NzaWoc,"
      "NzaWtg,NzaJtg,NzaErf,NzaTnr from Qvt590Nza where NzaSa=" +
      std::to_string(sa) + " order by NzaApl,NzaPnr,NzaDtm");
}

LzaZeilen LzaTest::Dauern(int sa) {
  static const char* const namen[] = {"Nzr", "Bzr", "Uzr", "Pzr", "Rbz", "Nza", "BzA",
                                      "Uza", "Pza", "Abz", "Nzu", "Bzu", "Pzu", "Ubz",
                                      "Sol", "Ist", "Pau", "Rf1", "Rf2", "Rf3"};
  LzaZeilen roh = Rows(
      "select NzaPnr,NzaDtm,NzaNzr,NzaBzr,NzaUzr,NzaPzr,NzaRbz,NzaNza,NzaBzA,NzaUza,NzaPza,"
      "NzaAbz,NzaNzu,NzaBzu,NzaPzu,NzaUbz,NzaSol,NzaIst,NzaPau,NzaRf1,NzaRf2,NzaRf3 "
      "from Qvt590Nza where NzaSa=" +
      std::to_string(sa) + " order by NzaApl,NzaPnr,NzaDtm");
  LzaZeilen out;
  for (const std::string& z : roh) {
    std::vector<std::string> f;
    size_t a = 0;
    for (size_t b; (b = z.find('|', a)) != std::string::npos; a = b + 1)
      f.push_back(z.substr(a, b - a));
    f.push_back(z.substr(a));
    std::string zeile = f[0] + " " + f[1] + ":";
    for (size_t k = 2; k < f.size(); ++k)
      if (f[k] != "0") zeile += " " + std::string(namen[k - 2]) + "=" + f[k];
    out.push_back(zeile);
  }
  return out;
}

LzaZeilen LzaTest::NichtNull(int sa) {
  return Rows("select NzaPnr,NzaDtm from Qvt590Nza where NzaSa=" + std::to_string(sa) +
              " and not (NzaBeg=0 and NzaBbn=0 and NzaBln=0 and NzaEnd=0 and NzaEbn=0 and "
              "NzaEln=0 and NzaRau=0 and NzaVar=0 and Nza00A=0 and Nza00U=0 and Nza00S=0 and "
              "NzaPzm=0 and NzaFnr=0 and NzaGum=0 and NzaAum=0 and NzaRf2=0 and NzaRf3=0)");
}

LzaZeilen LzaTest::Liste(const std::string& stempel) {
  return Rows(
      "select MltLfn,MltObj,MltMdt,MltArg,MltEmo,MltTtp,MltWoc,MltWtg,MltJtg,MltJwo "
      "from Qvt561Mlt where MltErf='LzaStd' and MltDat='" +
      stempel + "' order by MltLfn");
}
