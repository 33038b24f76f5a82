// PostgreSQL side of the test databases.
//
// The server comes from the environment variable QV_TEST_PG: a libpq
// connection string of a role that may create roles and databases (the one
// .ci/with-postgres exports). Without it, or when the server cannot be
// reached, the PostgreSQL tests are skipped; a schema that does not load is a
// failure.
//
// Once per server and schema text, schema/postgresql.sql is loaded into a
// template database (qvtpl_<hash of the schema>), owned by the role
// qv_test_app that the tests connect as; each test then gets a fresh copy
// (CREATE DATABASE ... TEMPLATE), dropped again at its end. The connection
// details of QV_TEST_PG other than user, password and database are exported
// as the libpq environment (PGHOST, PGPORT, ...), so that a test's NET8 is
// the short "postgresql:///<database>" (configuration values are at most 51
// characters) and a program started by a test finds the same server.
#pragma once

#include <string>
#include <vector>

#include "support/TestDb.h"

bool TestPg_Create(TestDatenbank& db, std::string& why);
void TestPg_Drop(TestDatenbank& db);
std::string TestPg_Exec(const TestDatenbank& db, const std::string& sql);
std::vector<std::string> TestPg_Rows(const TestDatenbank& db, const std::string& sql);
