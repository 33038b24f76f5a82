// The session's statement runner and the reading of fetched values.
#include "db/DbDb.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "db/DbBackend.h"
#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "support/Builders.h"
#include "support/TestDb.h"

namespace {

class DbDbTest : public DbTest {};
QV_DB_TEST_SUITE(DbDbTest);

// Statements are prepared once per operation name; a second text under the
// same name must run as written, not as the text prepared first.
TEST_P(DbDbTest, OperationNameNeverRunsAnotherStatementsText) {
  ASSERT_EQ(
      Exec(Test_FzuSql() + Test_FzuSql({.mld = "AE"}) + Test_FzuSql({.mld = "PA", .obj = "MPA"})),
      "");
  DbZeile z;
  ASSERT_EQ(Db_ReadOne("DbDbTest_Zaehlen", "select count(*) from Qvt553Fzu", {}, z), DB_OK);
  EXPECT_EQ(DbZeileInt(z, 0), 3);
  ASSERT_EQ(Db_ReadOne("DbDbTest_Zaehlen", "select count(*) from Qvt553Fzu where FzuTxt=:b0",
                       {DbText("MPA")}, z),
            DB_OK);
  EXPECT_EQ(DbZeileInt(z, 0), 1);
  // And back to the first text, still right.
  ASSERT_EQ(Db_ReadOne("DbDbTest_Zaehlen", "select count(*) from Qvt553Fzu", {}, z), DB_OK);
  EXPECT_EQ(DbZeileInt(z, 0), 3);
}

// A number column that another program filled beyond the 32-bit range reads
// as the range's bound, never as a wrapped or undefined value.
// Only SQLite lets another program store such a value in an integer column.
class DbDbSqliteTest : public DbTest {};
INSTANTIATE_TEST_SUITE_P(Engines, DbDbSqliteTest, ::testing::Values(TestEngine::Sqlite),
                         TestEngine_Name);

TEST_P(DbDbSqliteTest, OversizedNumberOfAnotherProgramReadsAsTheBound) {
  ASSERT_EQ(Exec(Test_FzuSql()), "");
  ASSERT_EQ(Exec("update Qvt553Fzu set FzuArt=1e20, FzuObj=-1e20, FzuUpl=5000000000, "
                 "FzuGen='77777777777'"),
            "");
  FzuSatz e;
  e.FzuMld = "AB";
  ASSERT_EQ(Fzu_MldRead(e), DB_OK);
  EXPECT_EQ(e.FzuArt, INT_MAX);
  EXPECT_EQ(e.FzuObj, INT_MIN);
  EXPECT_EQ(e.FzuUpl, INT_MAX);
  EXPECT_EQ(e.FzuGen, INT_MAX);
  EXPECT_EQ(e.FzuTxt, "M_A");
}

TEST(DbBackendZeile, NumbersAreHeldInsideTheIntRange) {
  DbZeile z = {DbReal(1e20),
               DbReal(-1e20),
               DbInt(1LL << 40),
               DbInt(-(1LL << 40)),
               DbReal(std::nan("")),
               DbText("-99999999999x"),
               DbText("12 Stueck"),
               DbReal(-7.9),
               DbInt(42),
               DbWert{}};
  EXPECT_EQ(DbZeileInt(z, 0), INT_MAX);
  EXPECT_EQ(DbZeileInt(z, 1), INT_MIN);
  EXPECT_EQ(DbZeileInt(z, 2), INT_MAX);
  EXPECT_EQ(DbZeileInt(z, 3), INT_MIN);
  EXPECT_EQ(DbZeileInt(z, 4), 0);
  EXPECT_EQ(DbZeileInt(z, 5), INT_MIN);
  EXPECT_EQ(DbZeileInt(z, 6), 12);
  EXPECT_EQ(DbZeileInt(z, 7), -7);
  EXPECT_EQ(DbZeileInt(z, 8), 42);
  EXPECT_EQ(DbZeileInt(z, 9), 0);
  EXPECT_EQ(DbZeileReal(z, 6), 12.0);
  EXPECT_EQ(DbZeileReal(z, 9), 0.0);
#ifdef NDEBUG
  EXPECT_EQ(DbZeileInt(z, 10), 0);  // past the row
#else
  // A column index past the select list is a fault of the statement's
  // description: the checking build stops on it.
  EXPECT_DEATH((void)DbZeileInt(z, 10), "column index beyond the select list");
#endif
}

}  // namespace
