// PostgreSQL side of the test databases.
#pragma once

#include <string>
#include <vector>

#include "support/TestDb.h"

bool TestPg_Create(TestDatenbank& db, std::string& why);
void TestPg_Drop(TestDatenbank& db);
std::string TestPg_Exec(const TestDatenbank& db, const std::string& sql);
std::vector<std::string> TestPg_Rows(const TestDatenbank& db, const std::string& sql);
