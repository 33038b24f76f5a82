// The least-privilege login of schema/postgresql-roles.sql: the demo plant
// (every correction kind, all three evaluations) corrected by the real program
// logged in as that role ends exactly as the run of the tables' owner (rows,
// log, buffer files), and the role can do nothing beyond it. A right taken
// away shows as a privilege failure (-1031), so a missing grant fails the test.
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "support/Installation.h"
#include "support/TestDb.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kNow = "20261208093000";
const std::string kPassword = "rolle-pw";

using Abbild = std::map<std::string, std::vector<std::string>>;

std::string Datenbank(const TestDatenbank& db) {
  return db.net8.substr(db.net8.rfind('/') + 1);
}

// Every row of the schemas public and qvsystem, as text, sorted per table.
Abbild Tabellen(const TestDatenbank& db) {
  Abbild out;
  for (const std::string& t :
       TestDb_Rows(db,
                   "select table_schema||'.'||table_name from information_schema.tables where "
                   "table_schema in ('public','qvsystem') and table_type='BASE TABLE'")) {
    std::vector<std::string> z = TestDb_Rows(db, "select r::text from only " + t + " r");
    std::sort(z.begin(), z.end());
    out[t] = z;
  }
  return out;
}

// What a run leaves: the tables, the log and the buffer files.
struct Ergebnis {
  Abbild tabellen;
  std::string log;
  std::map<std::string, std::string> puffer;
};

class KorrRolleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* admin = std::getenv("QV_TEST_PG");
    if (admin == nullptr || *admin == '\0') GTEST_SKIP() << "QV_TEST_PG is not set";
    admin_ = admin;
    rolle_ = "qvkorr_t" + std::to_string(getpid());
    // Plant() and Lauf() hand out references into these.
    dbs_.reserve(4);
    insts_.reserve(4);
  }
  void TearDown() override {
    for (TestDatenbank& db : dbs_) TestDb_Drop(db);
    for (TestInstallation& i : insts_) TestInst_Remove(i);
    if (!rolle_.empty() && !admin_.empty()) Admin("drop role if exists " + rolle_);
  }
  // Runs SQL as the server's admin; empty, or the error.
  std::string Admin(const std::string& sql) { return Als(admin_, sql); }
  static std::string Als(const std::string& conninfo, const std::string& sql) {
    PGconn* c = PQconnectdb(conninfo.c_str());
    std::string err;
    if (PQstatus(c) != CONNECTION_OK) {
      err = PQerrorMessage(c);
    } else {
      PGresult* r = PQexec(c, sql.c_str());
      if (PQresultStatus(r) != PGRES_COMMAND_OK && PQresultStatus(r) != PGRES_TUPLES_OK)
        err = PQresultErrorMessage(r);
      PQclear(r);
    }
    PQfinish(c);
    return err;
  }
  // A fresh database with the demo plant, loaded by the tables' owner.
  TestDatenbank& Plant() {
    dbs_.emplace_back();
    std::string why;
    EXPECT_TRUE(TestDb_Create(TestEngine::Postgres, dbs_.back(), why)) << why;
    EXPECT_EQ(TestDb_Exec(dbs_.back(), Test_ReadFile(QV_SOURCE_DIR "/demo/plant.sql")), "");
    return dbs_.back();
  }
  // The role script, run with psql as the admin, as an operator would.
  void Rollen(const TestDatenbank& db) {
    std::string out;
    int rc = Test_RunProgram(
        "/usr/bin/env",
        {"psql", "-X", "-q", "-v", "ON_ERROR_STOP=1", "-v", "role=" + rolle_, "-v",
         "password=" + kPassword, "-f", QV_SOURCE_DIR "/schema/postgresql-roles.sql",
         admin_ + " dbname=" + Datenbank(db)},
        QV_SOURCE_DIR, "", out);
    ASSERT_EQ(rc, 0) << out;
  }
  // Runs "mldkorr DEMO01" logged in as `login`.
  Ergebnis Lauf(const TestDatenbank& db, const std::string& login, const std::string& pass) {
    insts_.emplace_back();
    TestInstallation& inst = insts_.back();
    EXPECT_TRUE(TestInst_Create(inst, login, pass, db.net8));
    std::string out;
    EXPECT_EQ(TestInst_Run(inst, {"DEMO01"}, kNow, out), 0);
    EXPECT_EQ(out, "");
    Ergebnis e{Tabellen(db), Test_ReadFile(inst.LogPath()), {}};
    for (const auto& f : fs::directory_iterator(inst.BuffDir()))
      e.puffer[f.path().filename().string()] = Test_ReadFile(f.path().string());
    return e;
  }
  std::string admin_, rolle_;
  std::vector<TestDatenbank> dbs_;
  std::vector<TestInstallation> insts_;
};

TEST_F(KorrRolleTest, RunAsTheRoleEqualsTheOwnersRunAndTheRoleHasNoOtherRight) {
  TestDatenbank& eigen = Plant();
  TestDatenbank& rolle = Plant();
  ASSERT_FALSE(HasFailure());
  ASSERT_NO_FATAL_FAILURE(Rollen(rolle));
  ASSERT_EQ(TestDb_Rows(rolle, "select count(*) from Qvt560Mel where MelKsb='DEMO01'"),
            std::vector<std::string>{"6"});

  Ergebnis soll = Lauf(eigen, eigen.login, eigen.pass);
  Ergebnis ist = Lauf(rolle, rolle_, kPassword);
  EXPECT_EQ(ist.log.find("ErrorCode__: -1031"), std::string::npos) << ist.log;
  EXPECT_EQ(ist.log, soll.log);
  EXPECT_EQ(ist.puffer, soll.puffer);
  EXPECT_FALSE(soll.puffer.empty());
  EXPECT_EQ(TestDb_Rows(rolle, "select count(*) from Qvt560Mel where MelKsb='DEMO01'"),
            std::vector<std::string>{"0"});
  ASSERT_EQ(ist.tabellen.size(), soll.tabellen.size());
  for (const auto& [t, z] : soll.tabellen) EXPECT_EQ(ist.tabellen[t], z) << t;

  // Nothing beyond the program's statements.
  const std::string als =
      admin_ + " dbname=" + Datenbank(rolle) + " user=" + rolle_ + " password=" + kPassword;
  // The role's own reads work, so the refusals below are refusals, not a failed login.
  ASSERT_EQ(Als(als, "select count(*) from QvSystem.Qvt133Kal, Qvt553Fzu"), "");
  for (const char* sql :
       {"create table public.x (a integer)", "create table qvsystem.x (a integer)",
        "truncate Qvt561Mlt", "delete from Qvt553Fzu", "update Qvt591Nzp set NzpAak=0",
        "insert into QvSystem.Qvt133Bak select * from QvSystem.Qvt133Bak",
        "select * from Qvt580Pps", "delete from Qvt563Mrk",
        "alter table Qvt560Mel add column x integer"}) {
    EXPECT_NE(Als(als, sql), "") << sql << " is allowed";
  }
}

TEST_F(KorrRolleTest, AMissingGrantShowsAsPrivilegeFailureAndLeavesTheCorrectionPending) {
  TestDatenbank& rolle = Plant();
  ASSERT_FALSE(HasFailure());
  ASSERT_NO_FATAL_FAILURE(Rollen(rolle));
  ASSERT_EQ(TestDb_Exec(rolle, "revoke insert on Qvt580Pps from " + rolle_), "");
  Ergebnis ist = Lauf(rolle, rolle_, kPassword);
  EXPECT_NE(ist.log.find("ErrorCode__: -1031"), std::string::npos) << ist.log;
  EXPECT_TRUE(ist.tabellen["public.qvt580pps"].empty());
  EXPECT_NE(TestDb_Rows(rolle, "select count(*) from Qvt560Mel where MelKsb='DEMO01'"),
            std::vector<std::string>{"0"});
}

}  // namespace
