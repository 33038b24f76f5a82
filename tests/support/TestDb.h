// Fresh real databases for tests, on every engine the program supports.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

enum class TestEngine { Sqlite, Postgres };

std::string TestEngine_Name(const ::testing::TestParamInfo<TestEngine>& info);
// Every engine; a test on an engine that cannot be reached is skipped.
std::vector<TestEngine> TestEngine_All();

// A fresh database with the whole schema and no rows.
// `net8` receives the service part of the connect string, `login`/`pass`
// the credentials to connect with. Returns false with `why` set when the
// engine is not available here.
struct TestDatenbank {
  TestEngine engine = TestEngine::Sqlite;
  std::string dir;  // temporary folder of the SQLite files
  std::string login, pass, net8;
};
bool TestDb_Create(TestEngine engine, TestDatenbank& db, std::string& why);
void TestDb_Drop(TestDatenbank& db);

// Runs SQL text outside the program's statements (set-up and checks only).
// Returns an empty string on success, else the engine's message.
std::string TestDb_Exec(const TestDatenbank& db, const std::string& sql);
// The rows of a query as text, columns joined by '|', NULL as "<null>".
std::vector<std::string> TestDb_Rows(const TestDatenbank& db, const std::string& sql);

// Creates a temporary folder and returns its path.
std::string Test_TempDir();
void Test_RemoveTree(const std::string& path);
std::string Test_ReadFile(const std::string& path);
void Test_WriteFile(const std::string& path, const std::string& content);

// Fixture: a connected session on a fresh database of the test's engine.
class DbTest : public ::testing::TestWithParam<TestEngine> {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::string Exec(const std::string& sql) { return TestDb_Exec(db_, sql); }
  std::vector<std::string> Rows(const std::string& sql) { return TestDb_Rows(db_, sql); }
  TestDatenbank db_;
};

#define QV_DB_TEST_SUITE(Suite) \
  INSTANTIATE_TEST_SUITE_P(Engines, Suite, ::testing::ValuesIn(TestEngine_All()), TestEngine_Name)
