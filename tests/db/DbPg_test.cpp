// The PostgreSQL engine: statement rewriting, status mapping, connect rules,
// transactions and value forms against a real server (skipped without one).
#include "db/DbPg.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "db/DbDb.h"
#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "db/Dbstd.h"
#include "support/Builders.h"
#include "support/TestDb.h"
#include "support/TestPg.h"

namespace {

// ---------------------------------------------------------------------------
// Statement texts in the server's form (no server needed).

TEST(DbPgText, BindsAreNumberedDenselyInOrderOfFirstUse) {
  DbPgText t;
  ASSERT_TRUE(DbPg_Rewrite("update T set A=:b3,B=:b0 where (K=:b3 and L=:b7)", t));
  EXPECT_EQ(t.sql, "update T set A=$1,B=$2 where (K=$1 and L=$3)");
  EXPECT_EQ(t.bindOf, (std::vector<int>{3, 0, 7}));
  EXPECT_FALSE(t.now);
}

TEST(DbPgText, LiteralsCastsAndCommentsStayUntouched) {
  DbPgText t;
  ASSERT_TRUE(
      DbPg_Rewrite("select ':b1 sysdate', x::bigint, \"trunc\"(y) -- :b2 sysdate\n"
                   "from T where Z = 'it''s :b3' and W=:B4",
                   t));
  EXPECT_EQ(t.sql,
            "select ':b1 sysdate', x::bigint, \"trunc\"(y) -- :b2 sysdate\n"
            "from T where Z = 'it''s :b3' and W=$1");
  EXPECT_EQ(t.bindOf, (std::vector<int>{4}));
}

TEST(DbPgText, DialectPiecesGetTheClockParameter) {
  DbPgText t;
  ASSERT_TRUE(
      DbPg_Rewrite("select X from T where ((A=:b0 and G<trunc(sysdate)) and "
                   "H>TRUNC( SYSDATE ))",
                   t));
  EXPECT_EQ(t.sql,
            "select X from T where ((A=$1 and G<pg_temp.qv_trunc($2)) and "
            "H>pg_temp.qv_trunc( $2 ))");
  EXPECT_TRUE(t.now);

  ASSERT_TRUE(
      DbPg_Rewrite("select 1 from Bak where BakDtm=(TO_DATE(:b14,'yyyymmdd')+:b15) and D=to_date ( "
                   "concat(:b1, '00'), 'HH24MISS') and E=sysdate()",
                   t));
  EXPECT_EQ(t.sql,
            "select 1 from Bak where BakDtm=(pg_temp.qv_to_date($1,'yyyymmdd',$4)+$2) and "
            "D=pg_temp.qv_to_date ( concat($3, '00'), 'HH24MISS',$4) and E=$4");
  EXPECT_EQ(t.bindOf, (std::vector<int>{14, 15, 1}));
  EXPECT_TRUE(t.now);

  // A column or qualified name that only contains the words stays as it is.
  ASSERT_TRUE(DbPg_Rewrite("select s.trunc, sysdate_x, x.sysdate from s", t));
  EXPECT_EQ(t.sql, "select s.trunc, sysdate_x, x.sysdate from s");
  EXPECT_FALSE(t.now);
}

TEST(DbPgText, UnbalancedTextsAreRefused) {
  DbPgText t;
  EXPECT_FALSE(DbPg_Rewrite("select (1", t));
  EXPECT_FALSE(DbPg_Rewrite("select 1)", t));
  EXPECT_FALSE(DbPg_Rewrite("select 'open", t));
  EXPECT_FALSE(DbPg_Rewrite("select /* open", t));
  EXPECT_FALSE(DbPg_Rewrite("select :b1x", t));
}

TEST(DbPgStatus, EachServerErrorKindHasItsDocumentedNumber) {
  const std::pair<const char*, int> cases[] = {
      {"23505", -1},     {"23502", -1400}, {"22001", -12899}, {"23514", -12899}, {"21000", -1422},
      {"55P03", -54},    {"40001", -60},   {"40P01", -60},    {"08006", -3114},  {"08001", -3114},
      {"57P01", -3114},  {"28P01", -1017}, {"28000", -1017},  {"42P01", -942},   {"3F000", -942},
      {"42703", -904},   {"22007", -1861}, {"22008", -1861},  {"3D000", -12154}, {"42601", -20000},
      {"XX000", -20000}, {"", -20000},
  };
  for (const auto& [code, status] : cases) EXPECT_EQ(DbPg_StatusOf(code), status) << code;
}

// ---------------------------------------------------------------------------
// Against the server of QV_TEST_PG.

class DbPgTest : public DbTest {
 protected:
  std::unique_ptr<DbBackend> Open() {
    std::unique_ptr<DbBackend> b;
    EXPECT_EQ(DbPg_Open(db_.login, db_.pass, db_.net8, b), DB_OK);
    return b;
  }
  [[nodiscard]] static int Run(DbBackend& b, const std::string& sql, const DbBinds& binds = {},
                               std::vector<DbZeile>* rows = nullptr, long long* changed = nullptr) {
    int h = -1;
    int st = b.Prepare(sql, h);
    if (st != DB_OK) return st;
    return b.Execute(h, binds, rows, changed);
  }
  static std::vector<std::string> Texts(DbBackend& b, const std::string& sql,
                                        const DbBinds& binds = {}) {
    std::vector<DbZeile> rows;
    int st = Run(b, sql, binds, &rows);
    if (st != DB_OK) return {"status " + std::to_string(st)};
    std::vector<std::string> out;
    for (const DbZeile& z : rows) {
      std::string line;
      for (size_t i = 0; i < z.size(); ++i) line += (i ? "|" : "") + DbZeileText(z, i);
      out.push_back(line);
    }
    return out;
  }
  std::string Fzu(const std::string& mld) { return Exec(Test_FzuSql({.mld = mld})); }
};
INSTANTIATE_TEST_SUITE_P(Pg, DbPgTest, ::testing::Values(TestEngine::Postgres), TestEngine_Name);

// Fixes the program's clock for one test.
class FixedNow {
 public:
  explicit FixedNow(const char* now) { setenv("QV_TEST_NOW", now, 1); }
  ~FixedNow() { unsetenv("QV_TEST_NOW"); }
};

TEST_P(DbPgTest, ConstraintAndNameErrorsGiveTheirStatus) {
  auto b = Open();
  ASSERT_TRUE(b);
  const char* ins = "insert into Qvt553Fzu (FzuMld,FzuBez,FzuSta) values (:b0,:b1,:b2)";
  EXPECT_EQ(Run(*b, ins, {DbText("AB"), DbText("x"), DbInt(1)}), DB_OK);
  EXPECT_EQ(Run(*b, ins, {DbText("AB"), DbText("y"), DbInt(1)}), DB_DUP_KEY);
  EXPECT_EQ(Run(*b, ins, {DbText(""), DbText("y"), DbInt(1)}), DB_NOT_NULL);
  EXPECT_EQ(Run(*b, ins, {DbText("ABCD"), DbText("y"), DbInt(1)}), DB_TOO_WIDE);
  EXPECT_EQ(Run(*b, ins, {DbText("CD"), DbText("y"), DbInt(40000)}), DB_TOO_WIDE);  // 16 bit
  EXPECT_EQ(Run(*b, ins, {DbText("CD"), DbText("y"), DbInt(1)}), DB_OK);
  EXPECT_EQ(Run(*b, "select (select FzuMld from Qvt553Fzu)"), DB_TOO_MANY_ROWS);
  EXPECT_EQ(Run(*b, "select 1 from Qvt999Xyz"), DB_NO_TABLE);
  EXPECT_EQ(Run(*b, "select 1 from NoSchema.Qvt553Fzu"), DB_NO_TABLE);
  EXPECT_EQ(Run(*b, "select FzuNix from Qvt553Fzu"), DB_NO_COLUMN);
  EXPECT_EQ(Run(*b, "select TO_DATE(:b0,'yyyymmdd')", {DbText("20041301")}), DB_BAD_DATE);
  // After every failure the session goes on.
  EXPECT_EQ(Texts(*b, "select count(*) from Qvt553Fzu"), std::vector<std::string>{"2"});
}

TEST_P(DbPgTest, ToDateIsStrictAndBlankIsNull) {
  FixedNow now("20261208101112");
  auto b = Open();
  ASSERT_TRUE(b);
  const char* sql = "select TO_CHAR(TO_DATE(:b0,:b1),'yyyymmddHH24MISS')";
  auto one = [&](const char* text, const char* mask) {
    std::vector<std::string> r = Texts(*b, sql, {DbText(text), DbText(mask)});
    return r.size() == 1 ? r[0] : "?";
  };
  EXPECT_EQ(one("20040229", "yyyymmdd"), "20040229000000");
  EXPECT_EQ(one("20040229235959", "YYYYMMDDHH24MISS"), "20040229235959");
  EXPECT_EQ(one("133005", "HH24MISS"), "20261201133005");  // first day of this month
  EXPECT_EQ(one("        ", "yyyymmdd"), "");              // blank: no date
  EXPECT_EQ(one("", "yyyymmdd"), "");
  for (const char* bad : {"20030229", "20041301", "20041200", "2004120", "2004120a", "200412011",
                          "00001201", " 0041201"}) {
    EXPECT_EQ(one(bad, "yyyymmdd"), "status -1861") << bad;
  }
  EXPECT_EQ(one("20041201240000", "yyyymmddHH24MISS"), "status -1861");
  EXPECT_EQ(one("20041201236000", "yyyymmddHH24MISS"), "status -1861");
  EXPECT_EQ(one("246000", "HH24MISS"), "status -1861");
  EXPECT_EQ(one("20041201", "dd.mm.yyyy"), "status -1861");
}

TEST_P(DbPgTest, SysdateAndTruncComeFromTheProgramClock) {
  FixedNow now("20261208101112");
  auto b = Open();
  ASSERT_TRUE(b);
  EXPECT_EQ(Texts(*b,
                  "select TO_CHAR(sysdate,'yyyymmddHH24MISS'), trunc(sysdate), "
                  "TO_CHAR(trunc(sysdate),'HH24MISS'), trunc(cast(:b0 as double precision))",
                  {DbReal(-2.7)}),
            std::vector<std::string>{"20261208101112|2026-12-08 00:00:00|000000|-2.000000"});
  // The clock is read at each execution, not at prepare.
  int h = -1;
  ASSERT_EQ(b->Prepare("select TO_CHAR(sysdate,'HH24MISS')", h), DB_OK);
  setenv("QV_TEST_NOW", "20261208235958", 1);
  std::vector<DbZeile> rows;
  ASSERT_EQ(b->Execute(h, {}, &rows, nullptr), DB_OK);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(DbZeileText(rows[0], 0), "235958");
}

TEST_P(DbPgTest, NumberAddedToADateCountsDays) {
  auto b = Open();
  ASSERT_TRUE(b);
  const char* sql = "select TO_CHAR(TO_DATE(:b0,'yyyymmdd')+:b1,'yyyymmdd')";
  EXPECT_EQ(Texts(*b, sql, {DbText("20240228"), DbInt(1)}), std::vector<std::string>{"20240229"});
  EXPECT_EQ(Texts(*b, sql, {DbText("20240301"), DbInt(-1)}), std::vector<std::string>{"20240229"});
  EXPECT_EQ(Texts(*b, sql, {DbText("20241231"), DbText("2")}),
            std::vector<std::string>{"20250102"});
  // The calendar statement as the layer writes it, through the search path.
  ASSERT_EQ(Exec("insert into QvSystem.Qvt133Bak (BakDtm, BakWtg) values "
                 "('2024-03-01 00:00:00', 5)"),
            "");
  EXPECT_EQ(Texts(*b, "select BakWtg from Qvt133Bak where BakDtm=(TO_DATE(:b14,'yyyymmdd')+:b15)",
                  {DbText("x"), DbText("20240229"), DbInt(1), DbInt(0), DbInt(0), DbInt(0),
                   DbInt(0), DbInt(0), DbInt(0), DbInt(0), DbInt(0), DbInt(0), DbInt(0), DbInt(0),
                   DbText("20240229"), DbInt(1)}),
            std::vector<std::string>{"5"});
}

TEST_P(DbPgTest, ValuesReadBackInTheLayersForms) {
  auto b = Open();
  ASSERT_TRUE(b);
  std::vector<DbZeile> rows;
  ASSERT_EQ(Run(*b,
                "select 7::integer, 2.5::double precision, 'abc'::varchar, ''::varchar, "
                "null::integer, timestamp '2026-12-08 07:05:09', count(*), sum(2), true",
                {}, &rows),
            DB_OK);
  ASSERT_EQ(rows.size(), 1u);
  const DbZeile& z = rows[0];
  ASSERT_EQ(z.size(), 9u);
  EXPECT_EQ(z[0].art, DbWert::Art::Int);
  EXPECT_EQ(z[0].i, 7);
  EXPECT_EQ(z[1].art, DbWert::Art::Real);
  EXPECT_EQ(z[1].d, 2.5);
  EXPECT_EQ(z[2].art, DbWert::Art::Text);
  EXPECT_EQ(z[2].s, "abc");
  EXPECT_EQ(z[3].art, DbWert::Art::Null);  // empty text is NULL
  EXPECT_EQ(z[4].art, DbWert::Art::Null);
  EXPECT_EQ(z[5].art, DbWert::Art::Text);
  EXPECT_EQ(z[5].s, "2026-12-08 07:05:09");
  EXPECT_EQ(z[6].art, DbWert::Art::Int);
  EXPECT_EQ(z[6].i, 1);
  EXPECT_EQ(z[7].art, DbWert::Art::Int);  // a whole sum reads as an integer
  EXPECT_EQ(z[7].i, 2);
  EXPECT_EQ(z[8].i, 1);

  // Doubles travel exactly; a fraction bound to an integer column is rounded.
  const double q = 0.1 + 0.2;
  EXPECT_EQ(Run(*b, "insert into Qvt560Mel (KeyBnr,KeyLfn,MelGum,MelFnr) values (:b0,:b1,:b2,:b3)",
                {DbInt(1), DbReal(2.0), DbReal(q), DbReal(6.6)}),
            DB_OK);
  ASSERT_EQ(
      Run(*b, "select KeyLfn, MelGum, MelFnr from Qvt560Mel where KeyBnr=:b0", {DbInt(1)}, &rows),
      DB_OK);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0][0].i, 2);
  EXPECT_EQ(rows[0][1].d, q);
  EXPECT_EQ(rows[0][2].i, 7);
}

TEST_P(DbPgTest, RepeatedAndSparseBindsAndConcatArguments) {
  auto b = Open();
  ASSERT_TRUE(b);
  EXPECT_EQ(Texts(*b, "select :b2::text, :b0::integer + 1, :b2::text",
                  {DbInt(41), DbText("unused"), DbText("x")}),
            std::vector<std::string>{"x|42|x"});
  // CONCAT gives its arguments no type: they go as text.
  EXPECT_EQ(Texts(*b, "select CONCAT(:b0, :b1)", {DbText("20261208"), DbText("101112")}),
            std::vector<std::string>{"20261208101112"});
  // A bind number beyond the given values is NULL.
  EXPECT_EQ(Texts(*b, "select coalesce(:b5::text, 'none')", {DbInt(1)}),
            std::vector<std::string>{"none"});
}

TEST_P(DbPgTest, SavepointRollbackToAndCommitBehaveAsOnTheOriginalServer) {
  auto b = Open();
  ASSERT_TRUE(b);
  const char* ins = "insert into Qvt553Fzu (FzuMld,FzuBez) values (:b0,:b1)";
  auto names = [&] { return Rows("select FzuMld from Qvt553Fzu order by FzuMld"); };

  // Rolled back to its savepoint, a write leaves nothing, not even an open transaction.
  ASSERT_EQ(b->Savepoint("Fzu_Ins_Sp"), DB_OK);
  ASSERT_EQ(Run(*b, ins, {DbText("A1"), DbText("x")}), DB_OK);
  ASSERT_EQ(b->RollbackTo("Fzu_Ins_Sp"), DB_OK);
  EXPECT_EQ(names(), std::vector<std::string>{});
  EXPECT_EQ(Rows("select count(*) from pg_stat_activity where datname=current_database() "
                 "and state like 'idle in transaction%'"),
            std::vector<std::string>{"0"});

  // Nested: the inner rollback keeps the outer work, commit makes it visible.
  ASSERT_EQ(b->Savepoint("Outer"), DB_OK);
  ASSERT_EQ(Run(*b, ins, {DbText("B1"), DbText("x")}), DB_OK);
  ASSERT_EQ(b->Savepoint("Inner"), DB_OK);
  ASSERT_EQ(Run(*b, ins, {DbText("B2"), DbText("x")}), DB_OK);
  EXPECT_EQ(names(), std::vector<std::string>{});  // nothing committed yet
  ASSERT_EQ(b->RollbackTo("Inner"), DB_OK);
  ASSERT_EQ(b->Commit(), DB_OK);
  EXPECT_EQ(names(), std::vector<std::string>{"B1"});

  // A failed statement inside a transaction undoes only itself.
  ASSERT_EQ(b->Savepoint("Sp"), DB_OK);
  ASSERT_EQ(Run(*b, ins, {DbText("C1"), DbText("x")}), DB_OK);
  EXPECT_EQ(Run(*b, ins, {DbText("B1"), DbText("x")}), DB_DUP_KEY);
  EXPECT_EQ(Run(*b, "select 1 from Qvt999Xyz"), DB_NO_TABLE);
  ASSERT_EQ(Run(*b, ins, {DbText("C2"), DbText("x")}), DB_OK);
  ASSERT_EQ(b->Commit(), DB_OK);
  EXPECT_EQ(names(), (std::vector<std::string>{"B1", "C1", "C2"}));

  // Unknown savepoint: an error, and the transaction stays usable.
  ASSERT_EQ(b->Savepoint("Sp"), DB_OK);
  ASSERT_EQ(Run(*b, ins, {DbText("D1"), DbText("x")}), DB_OK);
  EXPECT_LT(b->RollbackTo("Nowhere"), 0);
  ASSERT_EQ(b->Commit(), DB_OK);
  EXPECT_EQ(names(), (std::vector<std::string>{"B1", "C1", "C2", "D1"}));

  // Rollback ends an open transaction; commit and rollback without one are no-ops.
  ASSERT_EQ(b->Savepoint("Sp"), DB_OK);
  ASSERT_EQ(Run(*b, ins, {DbText("E1"), DbText("x")}), DB_OK);
  EXPECT_EQ(b->Rollback(), DB_OK);
  EXPECT_EQ(b->Commit(), DB_OK);
  EXPECT_EQ(b->Rollback(), DB_OK);
  EXPECT_EQ(names(), (std::vector<std::string>{"B1", "C1", "C2", "D1"}));
  EXPECT_LT(b->RollbackTo("Sp"), 0);  // no transaction, no savepoint
}

TEST_P(DbPgTest, WritesReportTheRowsTheyTouchedAndReadsRunInAutocommit) {
  auto b = Open();
  ASSERT_TRUE(b);
  ASSERT_EQ(Fzu("AB"), "");
  ASSERT_EQ(Fzu("AE"), "");
  long long changed = -1;
  EXPECT_EQ(Run(*b, "update Qvt553Fzu set FzuBez=:b0", {DbText("neu")}, nullptr, &changed), 0);
  EXPECT_EQ(changed, 2);
  EXPECT_EQ(Run(*b, "delete from Qvt553Fzu where FzuMld=:b0", {DbText("ZZ")}, nullptr, &changed),
            0);
  EXPECT_EQ(changed, 0);
  // A failed read outside a transaction leaves nothing open.
  EXPECT_EQ(Run(*b, "select FzuNix from Qvt553Fzu"), DB_NO_COLUMN);
  EXPECT_EQ(Texts(*b, "select count(*) from Qvt553Fzu where FzuBez=:b0", {DbText("neu")}),
            std::vector<std::string>{"2"});
  EXPECT_EQ(Rows("select FzuBez from Qvt553Fzu where FzuMld='AB'"),
            std::vector<std::string>{"neu"});
}

TEST_P(DbPgTest, RowLockedByAnotherSessionIsBusy) {
  // A short lock wait for this database, so that the test does not wait long.
  ASSERT_EQ(Exec("alter database " + db_.net8.substr(db_.net8.rfind('/') + 1) +
                 " set lock_timeout = '300ms'"),
            "");
  ASSERT_EQ(Fzu("AB"), "");
  auto b = Open();
  ASSERT_TRUE(b);
  ASSERT_EQ(Exec("begin; update Qvt553Fzu set FzuBez='held' where FzuMld='AB'"), "");
  ASSERT_EQ(b->Savepoint("Fzu_Upd_Sp"), DB_OK);
  EXPECT_EQ(
      Run(*b, "update Qvt553Fzu set FzuBez=:b0 where FzuMld=:b1", {DbText("mine"), DbText("AB")}),
      DB_BUSY);
  EXPECT_EQ(b->RollbackTo("Fzu_Upd_Sp"), DB_OK);
  ASSERT_EQ(Exec("rollback"), "");
  EXPECT_EQ(Texts(*b, "select FzuBez from Qvt553Fzu"), std::vector<std::string>{"Meldung AB"});
}

TEST_P(DbPgTest, LostConnectionIsNotConnectedForEveryLaterCall) {
  MelSatz m = Test_Mel({.lfn = 1});
  ASSERT_EQ(Mel_PKeyIns(m), DB_OK);
  ASSERT_EQ(Rows("select count(pg_terminate_backend(pid)) from pg_stat_activity where "
                 "datname=current_database() and pid<>pg_backend_pid()"),
            std::vector<std::string>{"1"});
  // Give the server a moment to end the session.
  for (int i = 0; i < 50; ++i) {
    if (Rows("select count(*) from pg_stat_activity where datname=current_database() and "
             "pid<>pg_backend_pid()") == std::vector<std::string>{"0"})
      break;
    usleep(20000);
  }
  MelSatz r = Test_Mel({.lfn = 1});
  EXPECT_EQ(Mel_PKeyReadk(r), DB_NOT_CONNECTED);
  EXPECT_EQ(Mel_PKeyIns(Test_Mel({.lfn = 2})), DB_NOT_CONNECTED);
  EXPECT_EQ(Mel_KsbCurOpen("CLERK"), DB_NOT_CONNECTED);
  Db_Commit();
  EXPECT_EQ(Mel_PKeyDel(m), DB_NOT_CONNECTED);
}

TEST_P(DbPgTest, ConnectFailuresHaveNegativeStatuses) {
  std::unique_ptr<DbBackend> b;
  // Server down: nothing listens at that socket folder or port.
  EXPECT_EQ(DbPg_Open(db_.login, db_.pass, "host=/tmp/qv-no-server-here dbname=x", b),
            DB_NOT_CONNECTED);
  EXPECT_EQ(DbPg_Open(db_.login, db_.pass, "postgresql://127.0.0.1:1/x", b), DB_NOT_CONNECTED);
  // Connection strings that cannot be used.
  EXPECT_EQ(DbPg_Open(db_.login, db_.pass, "postgresql://[bad/x", b), DB_NO_SERVICE);
  EXPECT_EQ(DbPg_Open(db_.login, db_.pass, "nosuchoption=1 dbname=x", b), DB_NO_SERVICE);
  EXPECT_EQ(DbPg_Open(db_.login, db_.pass, "dbname='open", b), DB_NO_SERVICE);
  EXPECT_EQ(DbPg_Open(db_.login, db_.pass, "postgresql:///qv_no_such_database", b), DB_NO_SERVICE);
  EXPECT_EQ(Db_ConnectWith(db_.login, db_.pass, ""), DB_NO_SERVICE);
  EXPECT_FALSE(b);
  // The test database itself connects.
  EXPECT_EQ(DbPg_Open(db_.login, db_.pass, db_.net8, b), DB_OK);
  EXPECT_TRUE(b);
  // Without the system calendar the installation is incomplete.
  b.reset();
  Db_Disconnect();
  ASSERT_EQ(Exec("DROP SCHEMA qvsystem CASCADE"), "");
  EXPECT_EQ(DbPg_Open(db_.login, db_.pass, db_.net8, b), DB_NOT_CONNECTED);
  EXPECT_FALSE(b);
}

TEST_P(DbPgTest, RefusedLoginIsLoginRefused) {
  std::unique_ptr<DbBackend> b;
  if (DbPg_Open(db_.login, "wrong-password", db_.net8, b) == DB_OK) {
    GTEST_SKIP() << "this server does not check passwords";
  }
  EXPECT_EQ(DbPg_Open(db_.login, "wrong-password", db_.net8, b), DB_LOGIN_REFUSED);
  EXPECT_EQ(DbPg_Open("qv_no_such_user", "x", db_.net8, b), DB_LOGIN_REFUSED);
  // LOGIN and PASS win over a user and password inside the connection string.
  EXPECT_EQ(DbPg_Open(db_.login, db_.pass, db_.net8 + "?user=nobody&password=nothing", b), DB_OK);
  EXPECT_EQ(DbPg_Open(db_.login, "wrong-password", db_.net8 + "?password=" + db_.pass, b),
            DB_LOGIN_REFUSED);
  EXPECT_EQ(Db_ConnectWith(db_.login, "wrong-password", db_.net8), DB_LOGIN_REFUSED);
  EXPECT_FALSE(Db_Connected());
}

TEST_P(DbPgTest, BareNet8NamesAServiceOfTheServiceFile) {
  const std::string dir = Test_TempDir();
  const std::string file = dir + "/pg_service.conf";
  const std::string name = db_.net8.substr(db_.net8.rfind('/') + 1);
  Test_WriteFile(file, "[plant]\ndbname=" + name + "\n");
  const char* old = std::getenv("PGSERVICEFILE");
  const std::string saved = old ? old : "";
  setenv("PGSERVICEFILE", file.c_str(), 1);
  std::unique_ptr<DbBackend> b;
  EXPECT_EQ(DbPg_Open(db_.login, db_.pass, "plant", b), DB_OK);
  EXPECT_TRUE(b);
  b.reset();
  EXPECT_EQ(DbPg_Open(db_.login, db_.pass, "noplant", b), DB_NO_SERVICE);
  EXPECT_EQ(DbPg_Open(db_.login, db_.pass, "service=plant", b), DB_OK);
  if (old) {
    setenv("PGSERVICEFILE", saved.c_str(), 1);
  } else {
    unsetenv("PGSERVICEFILE");
  }
  Test_RemoveTree(dir);
}

TEST_P(DbPgTest, StatementsArePreparedOncePerSession) {
  ASSERT_EQ(Fzu("AB"), "");
  FzuSatz e;
  for (int i = 0; i < 3; ++i) {
    e.FzuMld = "AB";
    ASSERT_EQ(Fzu_MldRead(e), DB_OK);
    EXPECT_EQ(e.FzuTxt, "M_A");
  }
  // The session holds one prepared statement for the three reads, and one
  // for the question itself.
  DbZeile z;
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(Db_ReadOne("Test_Prepared", "select count(*) from pg_prepared_statements", {}, z),
              DB_OK);
    EXPECT_EQ(DbZeileInt(z, 0), 2);
  }
}

}  // namespace
