// Order header and operation downloads: data images, sending and release.
#include "download/DnlAuftrag.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "download/DnlSenden.h"
#include "support/Builders.h"
#include "support/DnlFixture.h"
#include "support/TestDb.h"

namespace {

using Zeilen = std::vector<std::string>;

// `s` left-aligned in `w` columns.
std::string P(const std::string& s, std::size_t w) {
  return s + std::string(w - s.size(), ' ');
}

// The header of Test_ApkSql as read from the database.
ApkSatz Kopf() {
  ApkSatz a;
  a.ApkApk = "A1000";
  a.ApkBz1 = "Gehaeuse Typ 4";
  a.ApkBz2 = "Serie 2026";
  a.ApkTxt = "Auftrag";
  a.ApkSts = 3;
  a.ApkBgs = "20261130";
  a.ApkEns = "20261215";
  a.ApkAfo = 2;
  a.ApkTnr = "TNR-4711";
  a.ApkTb1 = "Deckel";
  a.ApkTb2 = "Stahl";
  a.ApkSme = 1234.5;
  a.ApkMee = "STK";
  a.ApkZf1 = "Zusatz 1";
  a.ApkZf2 = "Zusatz 2";
  a.ApkZf3 = "Zusatz 3";
  return a;
}

std::string KopfBild() {
  return P("A1000", 12) + P("Gehaeuse Typ 4", 30) + P("Serie 2026", 30) + "Auftrag " +
         P("TNR-4711", 20) + P("Deckel", 30) + P("Stahl", 30) + "00001234500" + "STK" + "261130" +
         "261215" + "2    " + "3" + "Zusatz 1  " + P("Zusatz 2", 20) + P("Zusatz 3", 30) + "X" +
         "  ";
}

// The operation of Test_AppSql as read from the database.
AppSatz Vorgang() {
  AppSatz p;
  p.AppApk = "A1000";
  p.AppApp = "0010";
  p.AppVaf = "00000";
  p.AppNaf = "00020";
  p.AppBz1 = "Fraesen";
  p.AppBz2 = "Kontur";
  p.AppTxt = "AG";
  p.AppSts = 4;
  p.AppBdsDat = "20261201";
  p.AppBdsUhr = "060000";
  p.AppEdsDat = "20261202";
  p.AppEdsUhr = "140000";
  p.AppSme = 500;
  p.AppIme = 120.25;
  p.AppAme = 3;
  p.AppMee = "STK";
  p.AppSza = 15.5;
  p.AppStr = 30.25;
  p.AppSte = 1.125;
  p.AppApg = "APG1";
  p.AppZf1 = "Zusatz 1";
  p.AppZf2 = "Zusatz 2";
  p.AppZf3 = "Zusatz 3";
  return p;
}

std::string VorgangBild(const std::string& app = "0010 ") {
  return P("A1000", 12) + app + P("Fraesen", 30) + P("Kontur", 30) + "AG      " + "APG1      " +
         "00000500000" + "STK" + "0003025" + "0000112" + "0001550" + "261201" + "261202" + "00000" +
         "00020" + "4" + "Zusatz 1  " + P("Zusatz 2", 20) + P("Zusatz 3", 30) + "00000120250" +
         "00000003000" + std::string(11, ' ') + "X" + std::string(10, ' ');
}

class DnlAuftragTest : public DnlDbTest {
 protected:
  void SetUp() override {
    DnlDbTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_EQ(
        Exec(Test_CfgSql(
                 {.ip = "10.1.2.3", .prt = "4711", .vn1 = "FBE1", .bi1 = "FBE5", .voll = true}) +
             Test_CfgSql({.dta = 2,
                          .ip = "10.1.2.4",
                          .prt = "4712",
                          .vn1 = "FBE6",
                          .bi1 = "FBE9",
                          .voll = true})),
        "");
  }
  // The record that line 1 receives for an entry of this run.
  static std::string Satz1(const std::string& objekt, const std::string& aktion,
                           const std::string& bild) {
    return "$10.1.2.3       4711 20261201143007999       10.1.2.3 4711" + std::string(28, ' ') +
           "0460" + objekt + "261201143000BDE" + aktion + P(bild, 438) + "*\r\n";
  }
  [[nodiscard]] int Kopfdownload() {
    int st = Apk_Dnl("20261201", "143000", "KorrMld");
    EXPECT_EQ(Dnl_DateiSchliessen(), 0);
    return st;
  }
  [[nodiscard]] int Vorgangsdownload() {
    int st = App_Dnl("20261201", "143000", "KorrMld");
    EXPECT_EQ(Dnl_DateiSchliessen(), 0);
    return st;
  }
};
QV_DB_TEST_SUITE(DnlAuftragTest);

TEST(DnlBildTest, HeaderImageColumnByColumn) {
  std::string bild = Dnl_ApkBild(Kopf());
  ASSERT_EQ(bild.size(), kDnlApkBildLaenge);
  EXPECT_EQ(bild, KopfBild());

  // Texts are cut to their columns; 7 operations are "7" and four blanks;
  // status 10 is sent as 0; a negative quantity keeps its sign.
  ApkSatz a = Kopf();
  a.ApkTxt = "Auftrag123";
  a.ApkZf1 = "0123456789abcdefghij";
  a.ApkZf2 = "0123456789abcdefghijKLMNOPQRST";
  a.ApkAfo = 7;
  a.ApkSts = 10;
  a.ApkSme = -5.5;
  a.ApkBgs.clear();
  bild = Dnl_ApkBild(a);
  ASSERT_EQ(bild.size(), kDnlApkBildLaenge);
  EXPECT_EQ(bild.substr(72, 8), "Auftrag1");
  EXPECT_EQ(bild.substr(160, 11), "-0000005500");
  EXPECT_EQ(bild.substr(174, 12), "      261215");
  EXPECT_EQ(bild.substr(186, 6), "7    0");
  EXPECT_EQ(bild.substr(192, 30), "0123456789" + std::string("0123456789abcdefghij"));
  EXPECT_EQ(bild.substr(222), P("Zusatz 3", 30) + "X  ");
}

TEST(DnlBildTest, OperationImageColumnByColumn) {
  std::string bild = Dnl_AppBild(Vorgang());
  ASSERT_EQ(bild.size(), kDnlAppBildLaenge);
  EXPECT_EQ(bild, VorgangBild());

  AppSatz p = Vorgang();
  p.AppSts = 10;
  p.AppStr = 99999.994;  // the largest time that fits, third decimal dropped
  p.AppSme = 99999999.999;
  bild = Dnl_AppBild(p);
  EXPECT_EQ(bild.substr(95, 11), "99999999999");
  EXPECT_EQ(bild.substr(109, 7), "9999999");
  EXPECT_EQ(bild[152], '0');

  // A negative rounding residue is zero at two decimals: zeros, not a
  // marked overflow.
  p.AppSte = -0.004;
  p.AppSza = -1e-12;
  bild = Dnl_AppBild(p);
  EXPECT_EQ(bild.substr(116, 14), "00000000000000");
}

TEST_P(DnlAuftragTest, ValuesThatDoNotFitAreMarkedWithoutShiftingTheColumns) {
  AppSatz p = Vorgang();
  p.AppSme = 123456789.0;  // 12 digits
  p.AppStr = 100000;       // more than five whole digits of minutes
  p.AppSte = -1.5;         // the sign would be dropped with the leading digits
  p.AppBdsDat = "2026120";
  p.AppAme = std::nan("");
  std::string bild = Dnl_AppBild(p);
  ASSERT_EQ(bild.size(), kDnlAppBildLaenge);
  std::string erwartet = VorgangBild();
  erwartet.replace(95, 11, "***********");
  erwartet.replace(109, 7, "*******");
  erwartet.replace(116, 7, "*******");
  erwartet.replace(130, 6, "******");
  erwartet.replace(224, 11, "***********");
  EXPECT_EQ(bild, erwartet);
  EXPECT_TRUE(Geloggt("Wert zu breit fuer AppSme: A1000/0010", "App_Dnl", -1));
  EXPECT_TRUE(Geloggt("Wert zu breit fuer AppStr: A1000/0010", "App_Dnl", -1));
  EXPECT_TRUE(Geloggt("Wert zu breit fuer AppSte: A1000/0010", "App_Dnl", -1));
  EXPECT_TRUE(Geloggt("Wert zu breit fuer AppBds: A1000/0010", "App_Dnl", -1));
  EXPECT_TRUE(Geloggt("Wert zu breit fuer AppAme: A1000/0010", "App_Dnl", -1));
  EXPECT_FALSE(Geloggt("Wert zu breit fuer AppSza: A1000/0010", "App_Dnl", -1));

  // A negative time that is not zero at two decimals would lose its sign.
  p = Vorgang();
  p.AppApp = "0020";
  p.AppSza = -0.01;
  bild = Dnl_AppBild(p);
  EXPECT_EQ(bild.substr(123, 7), "*******");
  EXPECT_TRUE(Geloggt("Wert zu breit fuer AppSza: A1000/0020", "App_Dnl", -1));

  ApkSatz a = Kopf();
  a.ApkAfo = -10000;
  a.ApkSme = 1e12;
  bild = Dnl_ApkBild(a);
  erwartet = KopfBild();
  erwartet.replace(160, 11, "***********");
  erwartet.replace(186, 5, "*****");
  EXPECT_EQ(bild, erwartet);
  EXPECT_TRUE(Geloggt("Wert zu breit fuer ApkAfo: A1000", "Apk_Dnl", -1));
  EXPECT_TRUE(Geloggt("Wert zu breit fuer ApkSme: A1000", "Apk_Dnl", -1));
}

TEST_P(DnlAuftragTest, NoMarkedRowsWritesNothing) {
  ASSERT_EQ(Exec(Test_ApkSql({.apk = "A1", .dwn = "MldToNza", .dna = "STA", .voll = true}) +
                 Test_AppSql({.apk = "A1", .voll = true})),
            "");
  EXPECT_EQ(Kopfdownload(), 0);
  EXPECT_EQ(Vorgangsdownload(), 0);
  EXPECT_FALSE(PufferDa(1));
  EXPECT_EQ(Rows("select ApkDwn, ApkDna from Qvt501Apk"), Zeilen{"MldToNza|STA"});
}

TEST_P(DnlAuftragTest, HeaderIsSentAndReleased) {
  ASSERT_EQ(
      Exec(Test_ApkSql({.dwn = "KorrMld", .dna = "STA", .voll = true}) +
           Test_ApkSql(
               {.apk = "A2000", .fbe = "FBE7", .dwn = "KorrMld", .dna = "AEN", .voll = true})),
      "");
  EXPECT_EQ(Kopfdownload(), 0);
  EXPECT_EQ(Puffer(1), Satz1("APK", "STA", KopfBild()));
  std::string zwei = Puffer(2);
  ASSERT_EQ(zwei.size(), kDnlSatzLaenge);
  EXPECT_EQ(zwei.substr(108, 3 + 5), "AENA2000");
  EXPECT_EQ(Rows("select ApkApk, ApkDwn, ApkDna, ApkDat from Qvt501Apk order by ApkApk"),
            (Zeilen{"A1000|<null>|<null>|2026-12-01 14:30:07",
                    "A2000|<null>|<null>|2026-12-01 14:30:07"}));
  // Released rows are not sent again.
  EXPECT_EQ(Kopfdownload(), 0);
  EXPECT_EQ(Puffer(1).size(), kDnlSatzLaenge);
}

TEST_P(DnlAuftragTest, HeaderWithLoeIsSentThenDeleted) {
  ASSERT_EQ(Exec(Test_ApkSql({.dwn = "KorrMld", .dna = "LOE", .voll = true})), "");
  EXPECT_EQ(Kopfdownload(), 0);
  EXPECT_EQ(Puffer(1), Satz1("APK", "LOE", KopfBild()));
  EXPECT_EQ(Rows("select count(*) from Qvt501Apk"), Zeilen{"0"});
}

TEST_P(DnlAuftragTest, FailedSendEndsTheHeaderDownload) {
  // FBE0 lies in no line's range and sorts first.
  ASSERT_EQ(
      Exec(Test_ApkSql({.apk = "A1", .fbe = "FBE0", .dwn = "KorrMld", .dna = "STA", .voll = true}) +
           Test_ApkSql({.apk = "A2", .dwn = "KorrMld", .dna = "STA", .voll = true})),
      "");
  EXPECT_EQ(Kopfdownload(), 0);  // the close status
  EXPECT_TRUE(Geloggt("IP-Ermitteln", "ReadFile", DB_NOT_FOUND));
  EXPECT_TRUE(Geloggt("Fehler beim Senden von ApkS", "Apk_Dnl", DB_NOT_FOUND));
  EXPECT_FALSE(PufferDa(1));
  EXPECT_EQ(Rows("select ApkApk, ApkDwn, ApkDna from Qvt501Apk order by ApkApk"),
            (Zeilen{"A1|KorrMld|STA", "A2|KorrMld|STA"}));
}

TEST_P(DnlAuftragTest, FailedSendDoesNotEndTheOperationDownload) {
  ASSERT_EQ(Exec(Test_ApkSql({.voll = true}) +
                 Test_AppSql({.fbe = "FBE0", .dwn = "KorrMld", .dna = "STA", .voll = true}) +
                 Test_AppSql({.app = "0020", .dwn = "KorrMld", .dna = "STA", .voll = true}) +
                 Test_AppSql(
                     {.app = "0030", .fbe = "FBE6", .dwn = "KorrMld", .dna = "STA", .voll = true})),
            "");
  EXPECT_EQ(Vorgangsdownload(), 0);
  EXPECT_TRUE(Geloggt("Fehler beim Senden von AppS", "App_Dnl", DB_NOT_FOUND));
  AppSatz p = Vorgang();
  p.AppApp = "0020";
  EXPECT_EQ(Puffer(1), Satz1("APP", "STA", Dnl_AppBild(p)));
  EXPECT_EQ(Puffer(1).substr(111, 257), VorgangBild("0020 "));
  EXPECT_EQ(Puffer(2).substr(111, 17), "A1000       0030 ");
  EXPECT_EQ(Rows("select AppApp, AppDwn, AppDna from Qvt504App order by AppApp"),
            (Zeilen{"0010|KorrMld|STA", "0020|<null>|<null>", "0030|<null>|<null>"}));
}

TEST_P(DnlAuftragTest, NewAndDeletedOperationsKeepTheOperationCount) {
  ASSERT_EQ(Exec(Test_ApkSql({.voll = true}) +
                 Test_AppSql({.dwn = "KorrMld", .dna = "NEU", .voll = true}) +
                 Test_AppSql({.app = "0020", .dwn = "KorrMld", .dna = "LOE", .voll = true}) +
                 Test_AppSql({.app = "0030", .dwn = "KorrMld", .dna = "NEU", .voll = true}) +
                 Test_AppSql({.app = "0040", .dwn = "KorrMld", .dna = "STA", .voll = true})),
            "");
  EXPECT_EQ(Vorgangsdownload(), 0);
  // Every operation was sent, the deleted one too.
  std::string datei = Puffer(1);
  ASSERT_EQ(datei.size(), 4 * kDnlSatzLaenge);
  EXPECT_EQ(datei.substr(108, 3), "NEU");
  EXPECT_EQ(datei.substr(kDnlSatzLaenge + 108, 3 + 17), "LOEA1000       0020 ");
  // 2 + 1 - 1 + 1
  EXPECT_EQ(Rows("select ApkAfo from Qvt501Apk"), Zeilen{"3"});
  EXPECT_EQ(Rows("select AppApp, AppDwn, AppDna from Qvt504App order by AppApp"),
            (Zeilen{"0010|<null>|<null>", "0030|<null>|<null>", "0040|<null>|<null>"}));
}

TEST_P(DnlAuftragTest, CountOfAMissingHeaderIsLoggedAndTheOperationStaysReleased) {
  ASSERT_EQ(Exec(Test_AppSql({.apk = "A9", .dwn = "KorrMld", .dna = "NEU", .voll = true})), "");
  EXPECT_EQ(Vorgangsdownload(), 0);
  EXPECT_TRUE(Geloggt("Fehler bei Apk_PKeyRead", "App_Frei", DB_NOT_FOUND));
  EXPECT_EQ(Rows("select AppDwn, AppDna from Qvt504App"), Zeilen{"<null>|<null>"});
  EXPECT_EQ(Puffer(1).size(), kDnlSatzLaenge);
}

TEST_P(DnlAuftragTest, FailedReleaseEndsTheHeaderDownloadOnly) {
  ASSERT_EQ(
      Exec(Test_ApkSql({.apk = "A1", .dwn = "KorrMld", .dna = "STA", .voll = true}) +
           Test_ApkSql({.apk = "A2", .fbe = "FBE2", .dwn = "KorrMld", .dna = "STA", .voll = true}) +
           Test_AppSql({.apk = "A1", .dwn = "KorrMld", .dna = "STA", .voll = true}) +
           Test_AppSql({.apk = "A1", .app = "0020", .dwn = "KorrMld", .dna = "STA", .voll = true})),
      "");
  DbFehlerPlan plan;
  plan.operations["Apk_PKeyUpd"] = DB_BUSY;
  plan.operations["App_PKeyUpd"] = DB_BUSY;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Kopfdownload(), 0);
  EXPECT_TRUE(Geloggt("Fehler bei Apk_PKeyUpd", "ApkDnl", DB_BUSY));
  EXPECT_EQ(Puffer(1).size(), kDnlSatzLaenge);  // A2 was not sent
  EXPECT_EQ(Vorgangsdownload(), 0);
  EXPECT_TRUE(Geloggt("Fehler bei App_PKeyUpd", "APP_Frei", DB_BUSY));
  EXPECT_EQ(Puffer(1).size(), 3 * kDnlSatzLaenge);  // both operations were sent
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Rows("select count(*) from Qvt501Apk where ApkDwn='KorrMld'"), Zeilen{"2"});
  EXPECT_EQ(Rows("select count(*) from Qvt504App where AppDwn='KorrMld'"), Zeilen{"2"});
}

TEST_P(DnlAuftragTest, CursorFailuresAreLogged) {
  ASSERT_EQ(Exec(Test_ApkSql({.apk = "A1", .dwn = "KorrMld", .dna = "STA", .voll = true}) +
                 Test_AppSql({.apk = "A1", .dwn = "KorrMld", .dna = "STA", .voll = true})),
            "");
  DbFehlerPlan plan;
  plan.operations["Apk_OpenDnl"] = DB_NOT_CONNECTED;
  plan.operations["App_OpenDnl.Fetch"] = DB_OTHER;
  Db_SetFaultPlanForTest(plan);
  EXPECT_EQ(Kopfdownload(), DB_NOT_CONNECTED);
  EXPECT_TRUE(Geloggt("fehlerhafte Apk_OpenDnl", "Apk_Dnl", DB_NOT_CONNECTED));
  EXPECT_EQ(Vorgangsdownload(), 0);
  EXPECT_TRUE(Geloggt("fehlerhafte App_FetchDnl", "App_Dnl", DB_OTHER));
  EXPECT_FALSE(PufferDa(1));
  Db_ClearFaultPlanForTest();
  EXPECT_EQ(Rows("select count(*) from Qvt504App where AppDwn='KorrMld'"), Zeilen{"1"});
}

}  // namespace
