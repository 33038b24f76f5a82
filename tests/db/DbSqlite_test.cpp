// The SQLite engine's date pieces and connect rules.
#include "db/DbSqlite.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "support/TestDb.h"

namespace {

TEST(DbSqliteDates, ToDateAcceptsOnlyValidTextsOfItsMask) {
  std::string out;
  ASSERT_TRUE(DbSqlite_ToDate("20040229235959", "yyyymmddHH24MISS", out));
  EXPECT_EQ(out, "2004-02-29 23:59:59");
  ASSERT_TRUE(DbSqlite_ToDate("20261208", "YYYYMMDD", out));
  EXPECT_EQ(out, "2026-12-08 00:00:00");
  for (const char* bad : {"20030229", "20261301", "20261200", "2026120", "2026120a", "202612081"})
    EXPECT_FALSE(DbSqlite_ToDate(bad, "yyyymmdd", out)) << bad;
  EXPECT_FALSE(DbSqlite_ToDate("20261208240000", "yyyymmddHH24MISS", out));
  EXPECT_FALSE(DbSqlite_ToDate("20261208", "dd.mm.yyyy", out));
}

TEST(DbSqliteDates, ToCharGivesTheThreeForms) {
  std::string out;
  ASSERT_TRUE(DbSqlite_ToChar("2026-12-08 07:05:09", "yyyymmdd", out));
  EXPECT_EQ(out, "20261208");
  ASSERT_TRUE(DbSqlite_ToChar("2026-12-08 07:05:09", "HH24MISS", out));
  EXPECT_EQ(out, "070509");
  ASSERT_TRUE(DbSqlite_ToChar("2026-12-08 07:05:09", "yyyymmddHH24MISS", out));
  EXPECT_EQ(out, "20261208070509");
  ASSERT_TRUE(DbSqlite_ToChar("2026-12-08", "HH24MISS", out));
  EXPECT_EQ(out, "000000");
  EXPECT_FALSE(DbSqlite_ToChar("08.12.2026", "yyyymmdd", out));
}

TEST(DbSqliteConnect, NeverCreatesADatabaseAndRejectsNoService) {
  std::string dir = Test_TempDir();
  EXPECT_EQ(Db_ConnectWith("u", "p", "sqlite:" + dir + "/none.db"), DB_NOT_CONNECTED);
  EXPECT_FALSE(std::filesystem::exists(dir + "/none.db"));
  EXPECT_EQ(Db_ConnectWith("u", "p", "sqlite:" + dir), DB_NOT_CONNECTED);  // a folder
  EXPECT_EQ(Db_ConnectWith("u", "p", ""), DB_NO_SERVICE);
  // A database without its system calendar file is an incomplete installation.
  TestDatenbank db;
  std::string why;
  ASSERT_TRUE(TestDb_Create(TestEngine::Sqlite, db, why)) << why;
  EXPECT_EQ(Db_ConnectWith("u", "p", db.net8), DB_OK);
  Db_Disconnect();
  std::filesystem::remove(db.dir + "/QvSystem.db");
  EXPECT_EQ(Db_ConnectWith("u", "p", db.net8), DB_NOT_CONNECTED);
  EXPECT_FALSE(std::filesystem::exists(db.dir + "/QvSystem.db"));
  // A calendar file that is empty, or holds other tables only, is no calendar.
  Test_WriteFile(db.dir + "/QvSystem.db", "");
  EXPECT_EQ(Db_ConnectWith("u", "p", db.net8), DB_NOT_CONNECTED);
  {
    sqlite3* sys = nullptr;
    ASSERT_EQ(sqlite3_open((db.dir + "/QvSystem.db").c_str(), &sys), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(sys, "create table Qvt133Bak (BakDtm text)", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(sys);
  }
  EXPECT_EQ(Db_ConnectWith("u", "p", db.net8), DB_NOT_CONNECTED) << "the factory calendar missing";
  TestDb_Drop(db);
  EXPECT_FALSE(Db_Connected());
  // Statements without a session fail cleanly.
  DbZeile z;
  EXPECT_EQ(Db_ReadOne("X", "select 1", {}, z), DB_NOT_LOGGED_ON);
  Test_RemoveTree(dir);
}

}  // namespace

TEST(DbSqliteConnect, DatabaseHeldByAnotherProgramIsBusyNotUnreachable) {
  TestDatenbank db;
  std::string why;
  ASSERT_TRUE(TestDb_Create(TestEngine::Sqlite, db, why)) << why;
  const std::string pfad = db.net8.substr(std::string("sqlite:").size());
  // Another program works on the file in rollback-journal mode and holds it.
  sqlite3* fremd = nullptr;
  ASSERT_EQ(sqlite3_open(pfad.c_str(), &fremd), SQLITE_OK);
  ASSERT_EQ(
      sqlite3_exec(fremd, "pragma journal_mode=delete; begin exclusive", nullptr, nullptr, nullptr),
      SQLITE_OK);
  EXPECT_EQ(Db_ConnectWith("u", "p", db.net8), DB_BUSY);
  sqlite3_exec(fremd, "commit", nullptr, nullptr, nullptr);
  sqlite3_close(fremd);
  EXPECT_EQ(Db_ConnectWith("u", "p", db.net8), DB_OK);
  Db_Disconnect();
  TestDb_Drop(db);
}
