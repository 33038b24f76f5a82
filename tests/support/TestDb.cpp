#include "support/TestDb.h"

#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "db/DbDb.h"
#include "support/TestPg.h"

namespace fs = std::filesystem;

std::string Test_TempDir() {
  std::string templ = (fs::temp_directory_path() / "qvtest.XXXXXX").string();
  std::vector<char> buf(templ.begin(), templ.end());
  buf.push_back('\0');
  char* d = mkdtemp(buf.data());
  return d ? std::string(d) : std::string();
}

void Test_RemoveTree(const std::string& path) {
  std::error_code ec;
  if (!path.empty()) fs::remove_all(path, ec);
}

std::string Test_ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void Test_WriteFile(const std::string& path, const std::string& content) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

std::string TestEngine_Name(const ::testing::TestParamInfo<TestEngine>& info) {
  return info.param == TestEngine::Sqlite ? "Sqlite" : "Postgres";
}

std::vector<TestEngine> TestEngine_All() {
  return {TestEngine::Sqlite, TestEngine::Postgres};
}

namespace {

std::string SqliteExec(const std::string& file, const std::string& sql) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
      SQLITE_OK) {
    sqlite3_close(db);
    return "cannot open " + file;
  }
  sqlite3_busy_timeout(db, 5000);
  char* err = nullptr;
  std::string out;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
    out = err ? err : "error";
  }
  sqlite3_free(err);
  sqlite3_close(db);
  return out;
}

}  // namespace

bool TestDb_Create(TestEngine engine, TestDatenbank& db, std::string& why) {
  db.engine = engine;
  if (engine == TestEngine::Postgres) return TestPg_Create(db, why);
  db.dir = Test_TempDir();
  std::string main = db.dir + "/plant.db";
  std::string err = SqliteExec(main, Test_ReadFile(QV_SOURCE_DIR "/schema/sqlite.sql"));
  if (err.empty()) {
    err = SqliteExec(db.dir + "/QvSystem.db",
                     Test_ReadFile(QV_SOURCE_DIR "/schema/sqlite_qvsystem.sql"));
  }
  if (!err.empty()) {
    why = "schema: " + err;
    return false;
  }
  db.login = "qv";
  db.pass = "qv";
  db.net8 = "sqlite:" + main;
  return true;
}

void TestDb_Drop(TestDatenbank& db) {
  if (db.engine == TestEngine::Postgres) {
    TestPg_Drop(db);
    return;
  }
  Test_RemoveTree(db.dir);
  db.dir.clear();
}

std::string TestDb_Exec(const TestDatenbank& db, const std::string& sql) {
  if (db.engine == TestEngine::Postgres) return TestPg_Exec(db, sql);
  // The main file with the system calendar attached, as the program sees it.
  return SqliteExec(db.dir + "/plant.db", "attach '" + db.dir + "/QvSystem.db' as QvSystem;" + sql);
}

std::vector<std::string> TestDb_Rows(const TestDatenbank& db, const std::string& sql) {
  if (db.engine == TestEngine::Postgres) return TestPg_Rows(db, sql);
  std::vector<std::string> out;
  sqlite3* h = nullptr;
  if (sqlite3_open_v2((db.dir + "/plant.db").c_str(), &h, SQLITE_OPEN_READONLY, nullptr) !=
      SQLITE_OK) {
    sqlite3_close(h);
    return {"<cannot open>"};
  }
  sqlite3_exec(h, ("attach '" + db.dir + "/QvSystem.db' as QvSystem").c_str(), nullptr, nullptr,
               nullptr);
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(h, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
    out.push_back(std::string("<error ") + sqlite3_errmsg(h) + ">");
    sqlite3_close(h);
    return out;
  }
  while (sqlite3_step(st) == SQLITE_ROW) {
    std::string line;
    for (int c = 0; c < sqlite3_column_count(st); ++c) {
      if (c) line += '|';
      if (sqlite3_column_type(st, c) == SQLITE_NULL) {
        line += "<null>";
      } else if (sqlite3_column_type(st, c) == SQLITE_FLOAT) {
        std::ostringstream os;
        os << sqlite3_column_double(st, c);
        line += os.str();
      } else {
        line += reinterpret_cast<const char*>(sqlite3_column_text(st, c));
      }
    }
    out.push_back(line);
  }
  sqlite3_finalize(st);
  sqlite3_close(h);
  return out;
}

void DbTest::SetUp() {
  std::string why;
  if (!TestDb_Create(GetParam(), db_, why)) GTEST_SKIP() << why;
  ASSERT_EQ(Db_ConnectWith(db_.login, db_.pass, db_.net8), 0);
}

void DbTest::TearDown() {
  Db_ClearFaultPlanForTest();
  Db_Disconnect();
  TestDb_Drop(db_);
}
