#include "support/TestPg.h"

#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

namespace {

constexpr const char* kAppRole = "qv_test_app";
constexpr const char* kAppPassword = "qvtest";
constexpr const char* kUriPrefix = "postgresql:///";
// Serialises the one-time set-up of role and template between test processes.
constexpr long long kSetupLock = 0x51565447;  // "QVTG"

void IgnoreNotice(void*, const char*) {}

std::uint64_t Fnv1a(const std::string& s) {
  std::uint64_t h = 1469598103934665603ull;
  for (unsigned char c : s) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

std::string Hex(std::uint64_t v, int digits) {
  static const char* kDigits = "0123456789abcdef";
  std::string out(static_cast<size_t>(digits), '0');
  for (int i = digits - 1; i >= 0; --i, v >>= 4) out[static_cast<size_t>(i)] = kDigits[v & 15];
  return out;
}

// The text of a failed result or connection; empty on success.
std::string ErrorOf(PGconn* c, PGresult* r) {
  if (r != nullptr) {
    ExecStatusType st = PQresultStatus(r);
    if (st == PGRES_COMMAND_OK || st == PGRES_TUPLES_OK || st == PGRES_EMPTY_QUERY) return "";
    std::string m = PQresultErrorMessage(r);
    return m.empty() ? "error" : m;
  }
  std::string m = PQerrorMessage(c);
  return m.empty() ? "error" : m;
}

std::string Run(PGconn* c, const std::string& sql) {
  PGresult* r = PQexec(c, sql.c_str());
  std::string err = ErrorOf(c, r);
  PQclear(r);
  return err;
}

std::string Scalar(PGconn* c, const std::string& sql, std::string& err) {
  PGresult* r = PQexec(c, sql.c_str());
  err = ErrorOf(c, r);
  std::string v;
  if (err.empty() && PQntuples(r) > 0 && PQnfields(r) > 0) v = PQgetvalue(r, 0, 0);
  PQclear(r);
  return v;
}

std::string Quoted(PGconn* c, const std::string& name) {
  char* q = PQescapeIdentifier(c, name.c_str(), name.size());
  std::string out = q ? q : "\"\"";
  PQfreemem(q);
  return out;
}

std::string Literal(PGconn* c, const std::string& v) {
  char* q = PQescapeLiteral(c, v.c_str(), v.size());
  std::string out = q ? q : "''";
  PQfreemem(q);
  return out;
}

// The process-wide state: the admin session and the template of this schema.
struct PgEnv {
  bool done = false;
  std::string skip;  // no server: the tests are skipped with this reason
  std::string fail;  // the set-up itself failed: the tests fail with this
  std::string admin;
  PGconn* conn = nullptr;
  std::string appRole, appPassword;
  std::string templ;
  std::string prefix;  // of this process's test databases
  int counter = 0;
  std::map<std::string, PGconn*> sessions;  // test database -> checking session
};

PgEnv& Env() {
  static PgEnv env;
  return env;
}

// Connects to `database` with the admin string's other options.
PGconn* ConnectTo(const std::string& database, const std::string& user,
                  const std::string& password) {
  const char* keys[] = {"dbname", "dbname", "user", "password", nullptr};
  const char* values[] = {Env().admin.c_str(), database.c_str(), user.c_str(), password.c_str(),
                          nullptr};
  PGconn* c = PQconnectdbParams(keys, values, 1);
  if (c != nullptr) PQsetNoticeProcessor(c, IgnoreNotice, nullptr);
  return c;
}

// Exports the connection details of the admin string (host, port, TLS ...)
// as the libpq environment; user, password and database are left out.
void ExportEnvironment(PQconninfoOption* opts) {
  for (PQconninfoOption* o = opts; o->keyword != nullptr; ++o) {
    if (o->val == nullptr || o->envvar == nullptr || o->val[0] == '\0') continue;
    const std::string k = o->keyword;
    if (k == "user" || k == "password" || k == "dbname" || k == "passfile" || k == "service")
      continue;
    setenv(o->envvar, o->val, 1);
  }
}

// Drops the test databases that processes of this host left behind when
// they died.
void DropOrphans(PGconn* c, const std::string& hostTag) {
  PGresult* r = PQexec(
      c,
      ("select datname from pg_database where datname like 'qvt\\_" + hostTag + "\\_%'").c_str());
  if (PQresultStatus(r) != PGRES_TUPLES_OK) {
    PQclear(r);
    return;
  }
  std::vector<std::string> names;
  for (int i = 0; i < PQntuples(r); ++i) names.push_back(PQgetvalue(r, i, 0));
  PQclear(r);
  const std::string head = "qvt_" + hostTag + "_";
  for (const std::string& n : names) {
    long pid = std::atol(n.c_str() + head.size());
    if (pid <= 0 || pid == getpid()) continue;
    if (kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH) continue;
    Run(c, "drop database if exists " + Quoted(c, n) + " with (force)");
  }
}

void SetUpEnv() {
  PgEnv& e = Env();
  e.done = true;
  const char* v = std::getenv("QV_TEST_PG");
  if (v == nullptr || *v == '\0') {
    e.skip =
        "QV_TEST_PG is not set: no PostgreSQL server for these tests (run them under "
        ".ci/with-postgres)";
    return;
  }
  e.admin = v;
  char* err = nullptr;
  PQconninfoOption* opts = PQconninfoParse(v, &err);
  if (opts == nullptr) {
    e.fail = std::string("QV_TEST_PG is no connection string: ") + (err ? err : "");
    PQfreemem(err);
    return;
  }
  ExportEnvironment(opts);
  PQconninfoFree(opts);

  e.conn = PQconnectdb(v);
  if (PQstatus(e.conn) != CONNECTION_OK) {
    e.skip = "PostgreSQL of QV_TEST_PG not reachable: " + std::string(PQerrorMessage(e.conn));
    PQfinish(e.conn);
    e.conn = nullptr;
    return;
  }
  PQsetNoticeProcessor(e.conn, IgnoreNotice, nullptr);

  const std::string schema = Test_ReadFile(QV_SOURCE_DIR "/schema/postgresql.sql");
  if (schema.empty()) {
    e.fail = "schema/postgresql.sql is missing or empty";
    return;
  }
  e.templ = "qvtpl_" + Hex(Fnv1a(schema), 12);
  char host[256] = {0};
  gethostname(host, sizeof host - 1);
  const std::string hostTag = Hex(Fnv1a(host), 4);
  e.prefix = "qvt_" + hostTag + "_" + std::to_string(getpid()) + "_";

  std::string fail;
  Run(e.conn, "select pg_advisory_lock(" + std::to_string(kSetupLock) + ")");
  do {
    // The role the tests connect as: an ordinary login with a password.
    std::string have = Scalar(
        e.conn, std::string("select count(*) from pg_roles where rolname = '") + kAppRole + "'",
        fail);
    if (!fail.empty()) break;
    e.appRole = kAppRole;
    e.appPassword = kAppPassword;
    if (have == "0") {
      std::string rc = Run(e.conn, std::string("create role ") + kAppRole + " login password " +
                                       Literal(e.conn, kAppPassword));
      if (!rc.empty()) {
        // Without the right to make roles the tests use the admin role.
        PQconninfoOption* o = PQconninfo(e.conn);
        for (PQconninfoOption* p = o; p && p->keyword; ++p) {
          if (std::strcmp(p->keyword, "user") == 0 && p->val) e.appRole = p->val;
          if (std::strcmp(p->keyword, "password") == 0) e.appPassword = p->val ? p->val : "";
        }
        PQconninfoFree(o);
      }
    }
    DropOrphans(e.conn, hostTag);
    std::string exists = Scalar(
        e.conn, "select count(*) from pg_database where datname = " + Literal(e.conn, e.templ),
        fail);
    if (!fail.empty() || exists != "0") break;

    // Load the schema into a new database, then give it the template's name.
    const std::string building = e.templ + "_new";
    Run(e.conn, "drop database if exists " + Quoted(e.conn, building) + " with (force)");
    fail = Run(e.conn, "create database " + Quoted(e.conn, building) + " owner " +
                           Quoted(e.conn, e.appRole) +
                           " template template0 encoding 'UTF8' lc_collate 'C' lc_ctype 'C'");
    if (!fail.empty()) break;
    PGconn* load = ConnectTo(building, e.appRole, e.appPassword);
    if (PQstatus(load) != CONNECTION_OK) {
      fail = "cannot connect to the new template: " + std::string(PQerrorMessage(load));
      PQfinish(load);
      break;
    }
    std::string loaded = Run(load, schema);
    PQfinish(load);
    if (!loaded.empty()) {
      fail = "schema/postgresql.sql does not load: " + loaded;
      Run(e.conn, "drop database if exists " + Quoted(e.conn, building) + " with (force)");
      break;
    }
    fail = Run(e.conn, "alter database " + Quoted(e.conn, building) + " rename to " +
                           Quoted(e.conn, e.templ));
    if (!fail.empty()) break;
    // Templates of earlier schema texts are not needed any more.
    PGresult* r = PQexec(e.conn, ("select datname from pg_database where datname like "
                                  "'qvtpl\\_%' and datname <> " +
                                  Literal(e.conn, e.templ))
                                     .c_str());
    std::vector<std::string> old;
    if (PQresultStatus(r) == PGRES_TUPLES_OK) {
      for (int i = 0; i < PQntuples(r); ++i) old.push_back(PQgetvalue(r, i, 0));
    }
    PQclear(r);
    for (const std::string& n : old) Run(e.conn, "drop database if exists " + Quoted(e.conn, n));
  } while (false);
  Run(e.conn, "select pg_advisory_unlock(" + std::to_string(kSetupLock) + ")");
  if (!fail.empty()) e.fail = "PostgreSQL test set-up: " + fail;
}

PgEnv& Ready() {
  PgEnv& e = Env();
  if (!e.done) SetUpEnv();
  return e;
}

std::string DatabaseOf(const TestDatenbank& db) {
  const std::string prefix = kUriPrefix;
  if (db.net8.compare(0, prefix.size(), prefix) != 0) return "";
  return db.net8.substr(prefix.size());
}

// The checking session of a test database (cached until the database is dropped).
PGconn* Session(const TestDatenbank& db, std::string& err) {
  PgEnv& e = Ready();
  const std::string name = DatabaseOf(db);
  auto it = e.sessions.find(name);
  if (it != e.sessions.end()) {
    if (PQstatus(it->second) == CONNECTION_OK) return it->second;
    PQfinish(it->second);
    e.sessions.erase(it);
  }
  PGconn* c = ConnectTo(name, db.login, db.pass);
  if (PQstatus(c) != CONNECTION_OK) {
    err = "cannot connect to " + name + ": " + PQerrorMessage(c);
    PQfinish(c);
    return nullptr;
  }
  err = Run(c,
            "set datestyle = 'ISO, YMD'; set extra_float_digits = 3; "
            "select set_config('search_path', current_setting('search_path') || ', qvsystem', "
            "false)");
  e.sessions[name] = c;
  return c;
}

void CloseSession(const std::string& name) {
  PgEnv& e = Env();
  auto it = e.sessions.find(name);
  if (it == e.sessions.end()) return;
  PQfinish(it->second);
  e.sessions.erase(it);
}

}  // namespace

bool TestPg_Create(TestDatenbank& db, std::string& why) {
  db.engine = TestEngine::Postgres;
  PgEnv& e = Ready();
  if (!e.skip.empty()) {
    why = e.skip;
    return false;
  }
  if (!e.fail.empty()) {
    // A server that is there but cannot take the schema is a fault, not a skip.
    ADD_FAILURE() << e.fail;
    why = e.fail;
    return false;
  }
  const std::string name = e.prefix + std::to_string(++e.counter);
  std::string err =
      Run(e.conn, "create database " + Quoted(e.conn, name) + " template " +
                      Quoted(e.conn, e.templ) + " owner " + Quoted(e.conn, e.appRole));
  if (!err.empty()) {
    if (PQstatus(e.conn) != CONNECTION_OK) {
      why = "PostgreSQL of QV_TEST_PG went away: " + err;
      return false;
    }
    ADD_FAILURE() << "cannot create the test database: " << err;
    why = err;
    return false;
  }
  db.dir.clear();
  db.login = e.appRole;
  db.pass = e.appPassword;
  db.net8 = kUriPrefix + name;
  return true;
}

void TestPg_Drop(TestDatenbank& db) {
  const std::string name = DatabaseOf(db);
  if (name.empty()) return;
  CloseSession(name);
  PgEnv& e = Env();
  if (e.conn != nullptr) {
    Run(e.conn, "drop database if exists " + Quoted(e.conn, name) + " with (force)");
  }
  db.net8.clear();
}

std::string TestPg_Exec(const TestDatenbank& db, const std::string& sql) {
  std::string err;
  PGconn* c = Session(db, err);
  if (c == nullptr) return err;
  return Run(c, sql);
}

std::vector<std::string> TestPg_Rows(const TestDatenbank& db, const std::string& sql) {
  std::string err;
  PGconn* c = Session(db, err);
  if (c == nullptr) return {"<error " + err + ">"};
  PGresult* r = PQexec(c, sql.c_str());
  std::vector<std::string> out;
  if (PQresultStatus(r) != PGRES_TUPLES_OK) {
    out.push_back("<error " + std::string(PQresultErrorMessage(r)) + ">");
    PQclear(r);
    return out;
  }
  // The same text forms as the embedded engine's rows: numbers with a
  // fraction in the stream's default form, NULL as "<null>".
  for (int i = 0; i < PQntuples(r); ++i) {
    std::string line;
    for (int col = 0; col < PQnfields(r); ++col) {
      if (col) line += '|';
      if (PQgetisnull(r, i, col)) {
        line += "<null>";
        continue;
      }
      const char* v = PQgetvalue(r, i, col);
      switch (PQftype(r, col)) {
        case 700:     // float4
        case 701:     // float8
        case 1700: {  // numeric
          std::ostringstream os;
          os << std::strtod(v, nullptr);
          line += os.str();
          break;
        }
        case 16:  // bool
          line += (v[0] == 't') ? "1" : "0";
          break;
        default:
          line += v;
      }
    }
    out.push_back(line);
  }
  PQclear(r);
  return out;
}
