// Machine-only evaluation: the comparison with the stored records against a
// full rebuild of the workplace's records, over randomized histories.
#include "eval/machine/DlzAbgleich.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "db/DbDb.h"
#include "eval/machine/DlzFixture.h"
#include "eval/machine/DlzReplay.h"
#include "infra/Datum.h"
#include "support/Builders.h"

namespace {

class DlzAbgleichTest : public DlzTest {
 protected:
  void SetUp() override {
    DlzTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    Parameter(5, 1, 0);
  }

  // The evaluation inside one transaction, as a correction runs it.
  static void Auswertung(const MelSatz& row) {
    ASSERT_EQ(Db_KorrekturBeginn(), DB_OK);
    Dlz_Auswertung(row);
    ASSERT_EQ(Db_KorrekturCommit(), DB_OK);
  }

  // The oracle: every kind-13 record of the workplace deleted, the whole
  // time line written, replayed and removed.
  static void Vollaufbau(const MelSatz& row) {
    ASSERT_EQ(Db_KorrekturBeginn(), DB_OK);
    Neuaufbau(row);
    ASSERT_EQ(Db_KorrekturCommit(), DB_OK);
  }
  static void Neuaufbau(const MelSatz& row) {
    Dlz_Loeschen(row);
    std::string stempel, leer;
    Get_SysDatum(stempel, leer, 4);
    NzaSatz basis = Dlz_Basis(row);
    int lfn = -1;
    if (Mlt_MVon_Meldung(stempel, basis, lfn) == 0) return;
    Mlt_M_BDE(stempel, basis, lfn);
    EXPECT_EQ(Mlt_Auswerten(stempel), 0);
    EXPECT_EQ(Mlt_Entfernen(stempel), 0);
  }

  // Every column of the kind-13 records but the change time, durations in
  // hundredths.
  DlzZeilen Alle() {
    std::string dauern;
    for (const char* c :
         {"NzaNzr", "NzaBzr", "NzaUzr", "NzaPzr", "NzaRbz", "NzaNza", "NzaBzA", "NzaUza",
          "NzaPza", "NzaAbz", "NzaNzu", "NzaBzu", "NzaPzu", "NzaUbz", "NzaSol", "NzaIst",
          "NzaPau", "NzaRf1", "NzaRf2", "NzaRf3", "NzaGum", "NzaAum"})
      dauern += std::string(",cast(round(") + c + "*100) as integer)";
    return Rows(
        "select NzaSa,NzaApl,NzaApk,NzaApp,NzaPnr,NzaDtm,NzaBeg,NzaBbn,NzaBln,NzaBmk,NzaEdt,"
        "NzaEnd,NzaEbn,NzaEln,NzaEmk,NzaUbg,NzaRau,NzaVar,Nza00A,Nza00U,Nza00S,NzaEmo,NzaWtg,"
        "NzaJtg,NzaTtp,NzaJwo,NzaWoc,NzaPzm,NzaMaz,NzaFnr,NzaErf,NzaTnr" +
        dauern + " from Qvt590Nza where NzaSa=13 order by NzaApl,NzaPnr,NzaDtm");
  }

  static std::string Uhr(int minuten) { return Zwei(minuten / 60) + Zwei(minuten % 60) + "00"; }

  // A random plant: one or two shift models (own or group assignment, day
  // or night shifts, up to two breaks, some across midnight), days of
  // another day type without shifts, calendar days missing, and a machine's
  // starts and stops with the odd repeated start, stop or other code.
  void Zufallswerk(std::mt19937& rnd, int& bnr) {
    auto zahl = [&](int von, int bis) { return std::uniform_int_distribution<>(von, bis)(rnd); };
    std::string sql;
    const int modelle = zahl(1, 2);
    for (int m = 0; m < modelle; ++m) {
      const std::string emo = m == 0 ? "MOD0" : "MOD1";
      int beg = zahl(0, 47) * 30;
      int end = zahl(0, 3) == 0 ? 1440 : zahl(0, 47) * 30;
      std::vector<std::pair<int, int>> pausen;
      for (int p = zahl(0, 2); p > 0; --p) {
        int b = zahl(0, 95) * 15;
        pausen.emplace_back(b, std::min(1440, b + zahl(1, 4) * 15));
      }
      // The break model valid throughout, for some days only, or open-ended
      // (which no day matches).
      const std::string pmo = emo + "M", pms = emo + "P";
      sql += Test_EmoSql({.emo = emo, .beg = beg, .end = end, .pmo = pmo});
      int gueltig = zahl(0, 4);
      int von = zahl(0, 12);
      sql += Test_PmzSql(
          {.pmo = pmo,
           .pms = pms,
           .gvo = gueltig < 3 ? "20260101" : Tag(von),
           .gbi = gueltig < 3 ? "20271231" : (gueltig == 3 ? Tag(std::min(12, von + 4)) : "")});
      for (auto [b, e] : pausen) sql += Test_PmsSql({.num = pms, .beg = b, .end = e});
      // Group assignment for the whole period, or the workplace's own for a
      // few days (which hides the group's on those days).
      if (m == 0 || zahl(0, 1) == 0) {
        sql += Test_AemSql({.emo = emo});
      } else {
        int von = zahl(1, 11);
        sql += Test_AemSql({.apg = "APL01",
                            .kng = 2,
                            .emo = emo,
                            .gvo = Tag(von),
                            .gbi = Tag(std::min(12, von + zahl(0, 3)))});
      }
    }
    for (int i = 0; i < 13; ++i) {
      int r = zahl(0, 19);
      if (r == 0)
        sql +=
            "update QvSystem.Qvt133Kal set KalBtp='FR' where KalDtm=" + Test_DatumSql(Tag(i)) + ";";
      if (r == 1)
        sql += "delete from QvSystem.Qvt133Kal where KalDtm=" + Test_DatumSql(Tag(i)) + ";";
      if (r == 2 && i > 9)
        sql += "delete from QvSystem.Qvt133Bak where BakDtm=" + Test_DatumSql(Tag(i)) + ";";
    }
    ASSERT_EQ(Exec(sql), "");
    const char* andere[] = {"BS", "ES", "XY"};
    bool laeuft = false;
    std::vector<MelSatz> neue;
    for (int n = zahl(1, 24); n > 0; --n) {
      std::string msk = zahl(0, 9) == 0 ? andere[zahl(0, 2)] : (laeuft ? "ES" : "BS");
      laeuft = msk == "BS" || (laeuft && msk != "ES");
      neue.push_back(Maschine(++bnr, msk, Tag(zahl(1, 11)), Uhr(zahl(0, 1439))));
    }
    Einfuegen(neue);
  }

  // The messages in one transaction.
  void Einfuegen(const std::vector<MelSatz>& neue) {
    ASSERT_EQ(Db_KorrekturBeginn(), DB_OK);
    for (const MelSatz& m : neue) Insert(m);
    ASSERT_EQ(Db_KorrekturCommit(), DB_OK);
  }

  // Changes as corrections make them: a message moved to another instant, one
  // deleted, one entered; and stored records that no longer fit.
  void Aendern(std::mt19937& rnd, int& bnr) {
    auto zahl = [&](int von, int bis) { return std::uniform_int_distribution<>(von, bis)(rnd); };
    DlzZeilen zeilen =
        Rows("select KeyBnr,MelMsk from Qvt560Mel where ObjTyp='M__' order by KeyBnr");
    std::string sql;
    std::vector<MelSatz> neue;
    for (int n = zahl(1, 3); n > 0 && !zeilen.empty(); --n) {
      const std::string& z = zeilen[zahl(0, static_cast<int>(zeilen.size()) - 1)];
      const std::string b = z.substr(0, z.find('|')), msk = z.substr(z.find('|') + 1);
      switch (zahl(0, 2)) {
        case 0:
          // Moved: the same message at another instant.
          sql += "delete from Qvt560Mel where KeyBnr=" + b + ";";
          neue.push_back(Maschine(std::stoi(b), msk, Tag(zahl(1, 11)), Uhr(zahl(0, 1439))));
          break;
        case 1:
          sql += "delete from Qvt560Mel where KeyBnr=" + b + ";";
          break;
        default:
          Insert(
              Maschine(++bnr, zahl(0, 1) == 0 ? "BS" : "ES", Tag(zahl(1, 11)), Uhr(zahl(0, 1439))));
      }
    }
    switch (zahl(0, 3)) {
      case 0:
        sql +=
            "delete from Qvt590Nza where NzaSa=13 and NzaDtm=(select min(NzaDtm) from "
            "Qvt590Nza where NzaSa=13);";
        break;
      case 1:
        sql +=
            "update Qvt590Nza set NzaBzu=NzaBzu+1 where NzaSa=13 and NzaDtm=(select "
            "max(NzaDtm) from Qvt590Nza where NzaSa=13);";
        break;
      case 2:
        sql +=
            "insert into Qvt590Nza (NzaSa,NzaApl,NzaApk,NzaApp,NzaPnr,NzaDtm,NzaErf) values "
            "(13,'APL01','000000000000','00000','P1'," +
            Test_DatumSql("20261203123456") + ",'Fremd');";
        break;
      default:
        break;
    }
    ASSERT_EQ(Exec(sql), "");
    Einfuegen(neue);
  }
};
QV_DB_TEST_SUITE(DlzAbgleichTest);

// Over randomized histories, the evaluation leaves exactly the records of a
// full rebuild; with nothing changed it writes no time line at all.
TEST_P(DlzAbgleichTest, SameRecordsAsAFullRebuild) {
  const unsigned faelle = 20;
  const MelSatz korrigiert = Maschine(0, "ES", "20261201", "100000");
  for (unsigned fall = 0; fall < faelle; ++fall) {
    SCOPED_TRACE("seed " + std::to_string(fall));
    ASSERT_EQ(Exec("delete from Qvt560Mel; delete from Qvt590Nza; delete from Qvt532Aem;"
                   "delete from Qvt533Emo; delete from Qvt536Pmz; delete from Qvt535Pms;"
                   "delete from QvSystem.Qvt133Kal; delete from QvSystem.Qvt133Bak;" +
                   KalenderSql()),
              "");
    std::mt19937 rnd(fall);
    int bnr = 0;
    ASSERT_NO_FATAL_FAILURE(Zufallswerk(rnd, bnr));

    Vollaufbau(korrigiert);
    const DlzZeilen voll = Alle();
    const size_t logVorher = LogText().size();
    // Nothing changed: the stored records are kept and no entry is written
    // (the time line's own messages, such as the end of the calendar, recur).
    DbFehlerPlan plan;
    plan.operations["Mlt_PKeyIns"] = DB_TOO_WIDE;
    plan.operations["Nza_PKeyDel"] = DB_TOO_WIDE;
    Db_SetFaultPlanForTest(plan);
    Auswertung(korrigiert);
    Db_ClearFaultPlanForTest();
    EXPECT_EQ(Alle(), voll);
    const std::string neu = LogText().substr(logVorher);
    EXPECT_EQ(neu.find("Mlt_PKeyIns"), std::string::npos) << neu;
    EXPECT_EQ(neu.find("Nza_PKeyDel"), std::string::npos) << neu;

    ASSERT_NO_FATAL_FAILURE(Aendern(rnd, bnr));
    Auswertung(korrigiert);
    const DlzZeilen abgleich = Alle();
    EXPECT_EQ(Rows("select count(*) from Qvt561Mlt"), DlzZeilen{"0"});
    Vollaufbau(korrigiert);
    EXPECT_EQ(abgleich, Alle());
  }
}

// An entry without a valid instant cannot be ordered in memory as the table
// orders it: the whole time line is rebuilt, as without the comparison.
TEST_P(DlzAbgleichTest, MessageWithoutInstantRebuildsEverything) {
  ASSERT_EQ(Exec(Test_AemSql({.emo = "GRP"}) + Modell("GRP", 360, 840, {{540, 555}})), "");
  Insert(Maschine(1, "BS", "20261201", "070000"));
  Insert(Maschine(2, "ES", "20261201", "100000"));
  MelSatz ohne = Maschine(3, "BS", "", "");
  Insert(ohne);
  const MelSatz korrigiert = Maschine(2, "ES", "20261201", "100000");
  Vollaufbau(korrigiert);
  const DlzZeilen voll = Alle();
  ASSERT_FALSE(voll.empty());
  ASSERT_EQ(Exec("update Qvt590Nza set NzaBzu=1"), "");
  Auswertung(korrigiert);
  EXPECT_EQ(Alle(), voll);
  EXPECT_EQ(Rows("select count(*) from Qvt561Mlt"), DlzZeilen{"0"});
}

// Stored records that cannot be read: logged, and the full rebuild runs.
TEST_P(DlzAbgleichTest, UnreadableStoredRecordsRebuildEverything) {
  ASSERT_EQ(Exec(Test_AemSql({.emo = "GRP"}) + Modell("GRP", 360, 840, {{540, 555}})), "");
  Insert(Maschine(1, "BS", "20261201", "070000"));
  Insert(Maschine(2, "ES", "20261201", "100000"));
  const MelSatz korrigiert = Maschine(2, "ES", "20261201", "100000");
  Vollaufbau(korrigiert);
  const DlzZeilen voll = Alle();
  ASSERT_EQ(Exec("delete from Qvt590Nza"), "");
  const size_t logVorher = LogText().size();
  DbFehlerPlan plan;
  plan.operations["Nza_OpenAplApp"] = DB_NO_TABLE;
  Db_SetFaultPlanForTest(plan);
  Auswertung(korrigiert);
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Alle(), voll);
  EXPECT_EQ(LogText().substr(logVorher),
            Korr_LogEntry("Nza_OpenAplApp", "Dlz_Abgleich", DB_NO_TABLE) +
                Korr_LogEntry("Nza_SA_Del (SA_M)", "Nza_M_A_Loeschen", DB_NOT_FOUND));
}

}  // namespace
