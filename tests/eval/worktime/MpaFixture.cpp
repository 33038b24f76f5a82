#include "eval/worktime/MpaFixture.h"

#include <gtest/gtest.h>

#include "db/DbStatus.h"
#include "support/Builders.h"

void MpaTest::SetUp() {
  KorrTest::SetUp();
  if (IsSkipped() || HasFatalFailure()) return;
  std::string sql = Test_AplSql() + Test_PrvSql({.voll = true});
  // 28 Nov 2026 is day 332 of the year, a Saturday (weekday 6) of week 48.
  const char* tage[] = {"20261128", "20261129", "20261130", "20261201", "20261202",
                        "20261203", "20261204", "20261205", "20261206"};
  for (int i = 0; i < 9; ++i) {
    const std::string d = tage[i];
    const int mon = d.substr(4, 2) == "11" ? 11 : 12;
    const int wtg = (6 + i - 1) % 7 + 1;
    const int wch = i < 2 ? 48 : 49;
    sql += Test_BakSql({.datum = d, .mon = mon, .wch = wch, .wtg = wtg, .jtg = 332 + i}) +
           Test_KalSql({.datum = d, .btp = "WT"});
  }
  Sql(sql);
}

void MpaTest::Sql(const std::string& sql) {
  ASSERT_EQ(Exec(sql), "");
}

void MpaTest::Zeitmodell(int pzm) {
  Sql("update Qvt510Prv set PrvPzm=" + std::to_string(pzm) + " where PrvPnr='P1'");
}

void MpaTest::Schichtmodell(const std::string& emo, int kng, int beg, int end,
                            const std::vector<std::pair<int, int>>& pausen, int maz) {
  Sql(Test_AemSql({.apg = kng == 2 ? "APL01" : "GRP1", .kng = kng, .emo = emo, .maz = maz}));
  Schicht(emo, beg, end, pausen);
}

void MpaTest::Schicht(const std::string& emo, int beg, int end,
                      const std::vector<std::pair<int, int>>& pausen) {
  const std::string pmo = "P" + std::to_string(++pausenModelle_);
  std::string sql = Test_EmoSql({.emo = emo, .ttp = "WT", .beg = beg, .end = end, .pmo = pmo}) +
                    Test_PmzSql({.pmo = pmo, .pms = pmo});
  for (const auto& p : pausen) sql += Test_PmsSql({.num = pmo, .beg = p.first, .end = p.second});
  Sql(sql);
}

void MpaTest::Tag(const std::string& tag, const std::string& kommt, const std::string& geht) {
  Sql("insert into Qvt327Tag (TagPnr,TagTag,TagVon,TagUhr,TagBis,TagEnd,TagTgb,TagOne) values "
      "('P1'," +
      Test_DatumSql(tag) + "," + Test_DatumSql(kommt) + "," + Test_DatumSql(kommt) + "," +
      Test_DatumSql(geht) + "," + Test_DatumSql(geht) + ",'T',0)");
}

void MpaTest::TagesModell(const std::string& tag, const std::string& azt, int nov, int nob,
                          const std::string& psm) {
  if (Rows("select count(*) from Qvt140Azv where AzvNum='" + azt + "'") == MpaZeilen{"0"}) {
    Sql("insert into Qvt140Azv (AzvNum,AzvGvo,AzvPsm,AzvMav,AzvMab,AzvNov,AzvNob,AzvGlv,AzvGlb,"
        "AzvKev,AzvKeb,AzvSol) values ('" +
        azt + "'," + Test_DatumSql("20260101") + "," + (psm.empty() ? "NULL" : "'" + psm + "'") +
        ",0,0," + std::to_string(nov) + "," + std::to_string(nob) + ",0,0,0,0,480)");
  }
  Sql("insert into Qvt329Ztg (ZtgPnr,ZtgVon,ZtgAzt,ZtgAgr,ZtgTtp) values ('P1'," +
      Test_DatumSql(tag) + ",'" + azt + "','GR1','FT')");
}

void MpaTest::PausenZeile(const std::string& psm, int lfd, int von, int bis) {
  Sql("insert into Qvt143Pse (PseNum,PseLfd,PseVon,PseBis,PseMin,PseMax,PseInt,PsePse) values ('" +
      psm + "'," + std::to_string(lfd) + "," + std::to_string(von) + "," + std::to_string(bis) +
      ",0,0,0,0)");
}

void MpaTest::Buchung(const std::string& von, const std::string& bis) {
  auto minuten = [](const std::string& s) {
    return std::to_string(std::stoi(s.substr(8, 2)) * 60 + std::stoi(s.substr(10, 2)));
  };
  Sql("insert into Qvt328Bup (BupPnr,BupVon,BupUhr,BupFkt,BupBis,BupEnd,BupTvo,BupTbi) values "
      "('P1'," +
      Test_DatumSql(von.substr(0, 8)) + "," + Test_DatumSql(von) + ",1," +
      Test_DatumSql(bis.substr(0, 8)) + "," + Test_DatumSql(bis) + "," + minuten(von) + "," +
      minuten(bis) + ")");
}

MelSatz MpaTest::Mel(int bnr, int lfn, const std::string& msk, const std::string& dat,
                     const std::string& uhr) {
  return Test_Mel(
      {.bnr = bnr, .lfn = lfn, .dat = dat, .uhr = uhr, .obj = "MPA", .msk = msk, .pnr = "P1"});
}

void MpaTest::Insert(const MelSatz& m) {
  ASSERT_EQ(Mel_PKeyIns(m), DB_OK);
}

MpaZeilen MpaTest::Nza(int sa) {
  return NzaSpalten(sa,
                    "NzaDtm,NzaEdt,NzaBeg,NzaBbn,NzaBln,NzaBmk,NzaEnd,NzaEbn,NzaEln,NzaEmk,NzaRau,"
                    "NzaFnr,NzaEmo,NzaErf");
}

MpaZeilen MpaTest::NzaSpalten(int sa, const std::string& spalten) {
  return Rows("select " + spalten + " from Qvt590Nza where NzaSa=" + std::to_string(sa) +
              " order by NzaDtm");
}

std::string MpaTest::MelFnr(int bnr, int lfn) {
  MpaZeilen z = Rows("select MelFnr from Qvt560Mel where KeyBnr=" + std::to_string(bnr) +
                     " and KeyLfn=" + std::to_string(lfn));
  return z.size() == 1 ? z[0] : "<none>";
}

bool MpaTest::Geloggt(const std::string& message, const std::string& funktion, int code) {
  return LogText().find(Korr_LogEntry(message, funktion, code)) != std::string::npos;
}

std::string MpaTest::MltAnzahl() {
  MpaZeilen z = Rows("select count(*) from Qvt561Mlt");
  return z.empty() ? "<none>" : z[0];
}

std::string Mpa_Hundertstel(const std::string& spalte) {
  return "cast(round(" + spalte + "*100) as integer)";
}
