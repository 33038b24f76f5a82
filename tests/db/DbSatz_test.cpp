// Row descriptions: the table-driven conversion itself, every statement of the
// data-access modules against its record's table on each engine, and a message
// row whose every column differs coming back as it went in.
#include "db/DbSatz.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>

#include "db/DbDnl.h"
#include "db/DbMel.h"
#include "db/Dbstd.h"
#include "support/Builders.h"
#include "support/TestDb.h"

namespace {

struct Probe {
  std::string key, text, tag, uhr;
  int zahl = 0, kurz = 0;
  double real = 0;
};

// Select order differs from bind order on purpose: the real before the text.
constexpr DbFeld<Probe> kProbe[] = {
    DbTx("K", &Probe::key, 0, DbSchl),
    DbNr("Z", &Probe::zahl, 1, DbLeer),
    DbKz("S", &Probe::kurz, 2),
    DbRe("R", &Probe::real, 4, DbLeer),
    DbTx("T", &Probe::text, 3, DbZusatz),
    DbZp(DB_TAG("D"), DB_UHR("D"), &Probe::tag, &Probe::uhr, DbInstant::LeerIstNull, 6),
};

TEST(DbSatzTest, ListCountBindsAndConversionFollowTheTable) {
  EXPECT_EQ(DbSpalten(kProbe), "K,Z,S,R,TO_CHAR(D,'yyyymmdd'),TO_CHAR(D,'HH24MISS')");
  EXPECT_EQ(DbSpalten(kProbe, true), "K,Z,S,R,T,TO_CHAR(D,'yyyymmdd'),TO_CHAR(D,'HH24MISS')");
  EXPECT_EQ(DbSpaltenzahl(kProbe), 6);
  EXPECT_EQ(DbSpaltenzahl(kProbe, true), 7);
  EXPECT_EQ(DbHoechsterBind(kProbe), 6);
  EXPECT_EQ(DbHoechsterBind(kProbe, DbSchl), 0);

  Probe p{"k1", "t1", "20261208", "093000", 7, 8, 2.5};
  DbBinds b = DbBindsAus(kProbe, p);
  ASSERT_EQ(b.size(), 7u);
  EXPECT_EQ(b[0].s, "k1");
  EXPECT_EQ(b[1].i, 7);
  EXPECT_EQ(b[2].i, 8);
  EXPECT_EQ(b[3].s, "t1");
  EXPECT_EQ(b[4].d, 2.5);
  EXPECT_EQ(b[5].art, DbWert::Art::Null);  // no row binds :b5
  EXPECT_EQ(b[6].s, "20261208093000");
  EXPECT_EQ(DbBindsAus(kProbe, p, DbSchl).size(), 1u);

  // A 16-bit column is cut to 16 bits; a DbZusatz column is read only when
  // the list has it.
  DbZeile z = {DbText("k2"), DbInt(3),           DbInt(70000),    DbReal(1.25),
               DbText("t2"), DbText("20261209"), DbText("101500")};
  Probe q;
  q.text = "alt";
  DbZeileIn(kProbe, z, q, 0, true);
  EXPECT_EQ(q.text, "t2");
  EXPECT_EQ(q.kurz, static_cast<short>(70000));
  EXPECT_EQ(q.tag + q.uhr, "20261209101500");
  z.erase(z.begin() + 4);
  q.text = "alt";
  DbZeileIn(kProbe, z, q);
  EXPECT_EQ(q.text, "alt");
  EXPECT_EQ(q.tag, "20261209");
}

TEST(DbSatzTest, FailedReadRulesAndInstantRules) {
  Probe p{"k", "t", "20261208", "093000", 7, 8, 2.5};
  Probe q = p;
  DbSatzLeeren(kProbe, q, DbFehlRegel::Behalten);
  EXPECT_EQ(q.zahl + q.kurz, 15);
  DbSatzLeeren(kProbe, q, DbFehlRegel::Markierte);
  EXPECT_EQ(q.zahl, 0);
  EXPECT_EQ(q.real, 0);
  EXPECT_EQ(q.kurz, 8);
  EXPECT_EQ(q.text, "t");
  q = p;
  DbSatzLeeren(kProbe, q, DbFehlRegel::NurSchluessel);
  EXPECT_EQ(q.key, "k");
  EXPECT_EQ(q.text + q.tag + q.uhr, "");
  EXPECT_EQ(q.kurz, 0);

  EXPECT_EQ(DbInstantText("", "", DbInstant::Gepolstert), std::string(14, ' '));
  EXPECT_EQ(DbInstantText("", "", DbInstant::LeerIstNull), "");
  EXPECT_EQ(DbInstantText("20261208", "", DbInstant::LeerIstNull), "20261208      ");
  EXPECT_EQ(DbInstantText("20261208", "", DbInstant::Mitternacht), "20261208000000");
  EXPECT_EQ(DbInstantText("", "", DbInstant::Mitternacht), "");
}

std::vector<const DbAnweisung*> Katalog() {
  std::vector<const DbAnweisung*> alle = DbMel_Anweisungen();
  for (auto* liste : {Dbstd_Anweisungen, DbDnl_Anweisungen}) {
    std::vector<const DbAnweisung*> teil = liste();
    alle.insert(alle.end(), teil.begin(), teil.end());
  }
  return alle;
}

// The highest N of ":bN" in a statement text (-1: none).
int HoechsterBindIn(const std::string& sql) {
  int h = -1;
  for (size_t p = sql.find(":b"); p != std::string::npos; p = sql.find(":b", p + 2)) {
    if (p + 2 < sql.size() && std::isdigit(static_cast<unsigned char>(sql[p + 2]))) {
      h = std::max(h, std::atoi(sql.c_str() + p + 2));
    }
  }
  return h;
}

class DbKatalogTest : public DbTest {};
QV_DB_TEST_SUITE(DbKatalogTest);

TEST_P(DbKatalogTest, EveryStatementPreparesAndMatchesItsRecordsTable) {
  std::vector<const DbAnweisung*> alle = Katalog();
  EXPECT_GE(alle.size(), 70u);
  std::set<std::string> namen;
  for (const DbAnweisung* a : alle) {
    SCOPED_TRACE(a->op);
    // One operation name, one prepared statement: a name used twice would
    // make the session prepare the two texts in turn.
    EXPECT_TRUE(namen.insert(a->op).second);
    int spalten = -1;
    ASSERT_EQ(Db_Spalten(*a, spalten), DB_OK) << a->sql;
    EXPECT_EQ(spalten, a->spalten) << a->sql;
    if (a->bind >= 0) {
      EXPECT_EQ(HoechsterBindIn(a->sql), a->bind) << a->sql;
    }
  }
}

TEST_P(DbKatalogTest, MessageWithEveryColumnDifferentComesBackAsWritten) {
  MelSatz m = Test_Mel({.bnr = 4711, .lfn = 3, .dat = "20261130", .uhr = "235958"});
  const char* flags = "ABCDEFGHIJKLMNOP";
  std::string* sts[] = {&m.Sts00E, &m.Sts00R, &m.Sts00A, &m.Sts00U, &m.Sts00S, &m.Sts006,
                        &m.Sts007, &m.Sts008, &m.Sts009, &m.Sts010, &m.Sts011, &m.Sts012,
                        &m.Sts013, &m.Sts014, &m.Sts015, &m.Sts016};
  for (int i = 0; i < 16; ++i) *sts[i] = std::string(1, flags[i]);
  m.ObjTyp = "OBJ";
  m.KeyPnr = "P0000001";
  m.KeySek = "07";
  m.MelOff = "1";
  m.MelAec = "2";
  m.MelTrc = "3";
  m.MelKsb = "KSB00001";
  m.MelKdt = "20261201061530";
  m.MelKfc = "AEZ";
  m.MelFnr = 5009;
  double* zahlen[] = {&m.MelGum, &m.MelFam, &m.MelMam, &m.MelNam, &m.MelZt1, &m.MelZt2,
                      &m.MelZt3, &m.MelKgm, &m.MelKfm, &m.MelKmm, &m.MelKnm};
  for (int i = 0; i < 11; ++i) *zahlen[i] = 1.5 + i;
  ASSERT_EQ(Mel_PKeyIns(m), DB_OK);

  MelSatz r;
  r.KeyBnr = 4711;
  r.KeyLfn = 3;
  ASSERT_EQ(Mel_PKeyReadk(r), DB_OK);
  for (int i = 0; i < 16; ++i) {
    std::string* rs[] = {&r.Sts00E, &r.Sts00R, &r.Sts00A, &r.Sts00U, &r.Sts00S, &r.Sts006,
                         &r.Sts007, &r.Sts008, &r.Sts009, &r.Sts010, &r.Sts011, &r.Sts012,
                         &r.Sts013, &r.Sts014, &r.Sts015, &r.Sts016};
    EXPECT_EQ(*rs[i], *sts[i]) << i;
  }
  double* gelesen[] = {&r.MelGum, &r.MelFam, &r.MelMam, &r.MelNam, &r.MelZt1, &r.MelZt2,
                       &r.MelZt3, &r.MelKgm, &r.MelKfm, &r.MelKmm, &r.MelKnm};
  for (int i = 0; i < 11; ++i) EXPECT_EQ(*gelesen[i], 1.5 + i) << i;
  EXPECT_EQ(r.ObjTyp + r.KeyPnr + r.KeyApl + r.KeyApk + r.KeyApp,
            m.ObjTyp + m.KeyPnr + m.KeyApl + m.KeyApk + m.KeyApp);
  EXPECT_EQ(r.KeyDat + r.KeyUhr + r.KeySek, "2026113023595807");
  EXPECT_EQ(r.KeyUbg + r.KeyAug + r.MelMsk + r.MelAwn + r.MelFcd + r.MelTrm + r.MelOff,
            m.KeyUbg + m.KeyAug + m.MelMsk + m.MelAwn + m.MelFcd + m.MelTrm + m.MelOff);
  EXPECT_EQ(r.MelFnr, 5009);
  EXPECT_EQ(r.MelMee + r.MelAec + r.MelTrc + r.MelErf + r.MelKsb + r.MelKdt + r.MelKfc,
            m.MelMee + m.MelAec + m.MelTrc + m.MelErf + m.MelKsb + m.MelKdt + m.MelKfc);
  EXPECT_EQ(r.KeyTnr, m.KeyTnr);

  // A failed read clears the key numbers and the quantities, and keeps the
  // error number, the further values and every text.
  r.KeyLfn = 4;
  EXPECT_EQ(Mel_PKeyReadk(r), DB_NOT_FOUND);
  EXPECT_EQ(r.KeyBnr + r.KeyLfn, 0);
  EXPECT_EQ(r.MelGum + r.MelNam + r.MelKgm + r.MelKnm, 0);
  EXPECT_EQ(r.MelFnr, 5009);
  EXPECT_EQ(r.MelZt3, 7.5);
  EXPECT_EQ(r.MelKfc, "AEZ");
}

}  // namespace
