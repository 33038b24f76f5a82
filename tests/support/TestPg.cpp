#include "support/TestPg.h"

bool TestPg_Create(TestDatenbank&, std::string& why) {
  why = "PostgreSQL engine not part of this build";
  return false;
}
void TestPg_Drop(TestDatenbank&) {}
std::string TestPg_Exec(const TestDatenbank&, const std::string&) { return "no PostgreSQL"; }
std::vector<std::string> TestPg_Rows(const TestDatenbank&, const std::string&) { return {}; }
