#include "db/DbPg.h"

#include <fcntl.h>
#include <libpq-fe.h>
#include <unistd.h>

#include <cassert>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "db/DbStatus.h"
#include "infra/Clock.h"

namespace {

// Type identifiers of the server's built-in types (fixed in its catalog).
constexpr Oid kBool = 16;
constexpr Oid kInt8 = 20;
constexpr Oid kInt2 = 21;
constexpr Oid kInt4 = 23;
constexpr Oid kText = 25;
constexpr Oid kOid = 26;
constexpr Oid kFloat4 = 700;
constexpr Oid kFloat8 = 701;
constexpr Oid kDate = 1082;
constexpr Oid kTimestamp = 1114;
constexpr Oid kInterval = 1186;
constexpr Oid kNumeric = 1700;

// Session set-up, run once after connect: plain output forms, the system
// schema on the search path (one calendar statement names its table without
// the schema), a bounded wait for locks, and the dialect's date functions in
// the session's temporary schema (gone when the session ends).
constexpr const char* kSessionSetup = R"SQL(
SET datestyle = 'ISO, YMD';
SET intervalstyle = 'postgres';
SET extra_float_digits = 3;
SELECT set_config('search_path',
  CASE WHEN current_setting('search_path') = '' THEN 'qvsystem'
       ELSE current_setting('search_path') || ', qvsystem' END, false);
SELECT set_config('lock_timeout', '5s', false) WHERE current_setting('lock_timeout') = '0';
CREATE FUNCTION pg_temp.qv_to_date(t text, m text, n timestamp) RETURNS timestamp(0)
LANGUAGE plpgsql STABLE AS $f$
DECLARE
  mk text := lower(m);
  y int; mo int; d int; h int := 0; mi int := 0; s int := 0;
BEGIN
  IF t IS NULL OR ltrim(t, ' ') = '' THEN
    RETURN NULL;
  END IF;
  IF mk = 'yyyymmdd' AND t ~ '^[0-9]{8}$' THEN
    y := substr(t, 1, 4)::int; mo := substr(t, 5, 2)::int; d := substr(t, 7, 2)::int;
  ELSIF mk = 'hh24miss' AND t ~ '^[0-9]{6}$' THEN
    y := extract(year FROM n)::int; mo := extract(month FROM n)::int; d := 1;
    h := substr(t, 1, 2)::int; mi := substr(t, 3, 2)::int; s := substr(t, 5, 2)::int;
  ELSIF mk = 'yyyymmddhh24miss' AND t ~ '^[0-9]{14}$' THEN
    y := substr(t, 1, 4)::int; mo := substr(t, 5, 2)::int; d := substr(t, 7, 2)::int;
    h := substr(t, 9, 2)::int; mi := substr(t, 11, 2)::int; s := substr(t, 13, 2)::int;
  ELSE
    RAISE EXCEPTION 'text "%" does not match the date mask "%"', t, m USING ERRCODE = '22007';
  END IF;
  IF y < 1 OR mo < 1 OR mo > 12 OR d < 1
     OR d > extract(day FROM make_date(y, mo, 1) + interval '1 month' - interval '1 day')
     OR h > 23 OR mi > 59 OR s > 59 THEN
    RAISE EXCEPTION 'text "%" is no valid date for the mask "%"', t, m USING ERRCODE = '22008';
  END IF;
  RETURN make_timestamp(y, mo, d, h, mi, s);
END
$f$;
CREATE FUNCTION pg_temp.qv_trunc(x timestamp) RETURNS timestamp(0)
  LANGUAGE sql IMMUTABLE AS 'SELECT pg_catalog.date_trunc(''day'', x)';
CREATE FUNCTION pg_temp.qv_trunc(x date) RETURNS timestamp(0)
  LANGUAGE sql IMMUTABLE AS 'SELECT x::timestamp';
CREATE FUNCTION pg_temp.qv_trunc(x double precision) RETURNS double precision
  LANGUAGE sql IMMUTABLE AS 'SELECT pg_catalog.trunc(x)';
CREATE FUNCTION pg_temp.qv_trunc(x numeric) RETURNS numeric
  LANGUAGE sql IMMUTABLE AS 'SELECT pg_catalog.trunc(x)';
CREATE FUNCTION pg_temp.qv_trunc(x numeric, p integer) RETURNS numeric
  LANGUAGE sql IMMUTABLE AS 'SELECT pg_catalog.trunc(x, p)';
)SQL";

// The savepoint that makes one statement inside a transaction atomic.
constexpr const char* kGuard = "qv_stmt";
// Key of the advisory lock that a correction's transaction holds.
constexpr const char* kKorrLock = "5600560";

bool IdentStart(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool IdentChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool StartsWith(const std::string& s, const char* prefix) {
  return s.compare(0, std::strlen(prefix), prefix) == 0;
}

bool Contains(const std::string& s, const char* part) {
  return s.find(part) != std::string::npos;
}

// Index of the first character after blanks from `i`.
size_t SkipBlanks(const std::string& s, size_t i) {
  while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
  return i;
}

std::string FormatReal(double d) {
  if (std::isnan(d)) return "NaN";
  if (std::isinf(d)) return d > 0 ? "Infinity" : "-Infinity";
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, d);
  return std::string(buf, res.ptr);
}

// A text that is one number as a whole (date arithmetic with a text bind).
bool IsNumber(const std::string& s) {
  const char* begin = s.c_str();
  char* end = nullptr;
  std::strtod(begin, &end);
  if (end == begin) return false;
  return SkipBlanks(s, static_cast<size_t>(end - begin)) == s.size();
}

bool IsIntegerType(Oid t) {
  return t == kInt2 || t == kInt4 || t == kInt8 || t == kOid;
}

// The text a bound value is sent as, for the parameter type the server
// inferred. Returns false for NULL.
bool ParamText(const DbWert& w, Oid type, std::string& out) {
  switch (w.art) {
    case DbWert::Art::Null:
      return false;
    case DbWert::Art::Int:
      out = std::to_string(w.i);
      break;
    case DbWert::Art::Real:
      // An integer column rounds a fraction, as the server's own cast does.
      if (IsIntegerType(type) && std::isfinite(w.d) && std::fabs(w.d) < 9.2e18) {
        out = std::to_string(std::llrint(w.d));
      } else {
        out = FormatReal(w.d);
      }
      break;
    case DbWert::Art::Text:
      out = w.s;
      if (type == kInterval && IsNumber(out)) out += " days";
      return true;
  }
  // A number added to or taken from a date counts days.
  if (type == kInterval) out += " days";
  return true;
}

// Owns one libpq result and clears it when it goes out of scope.
struct PgResultFrei {
  void operator()(PGresult* r) const { PQclear(r); }
};
using PgResult = std::unique_ptr<PGresult, PgResultFrei>;

DbWert ColumnValue(const PGresult* r, int row, int col) {
  DbWert w;
  if (PQgetisnull(r, row, col)) return w;
  const char* v = PQgetvalue(r, row, col);
  switch (PQftype(r, col)) {
    case kInt2:
    case kInt4:
    case kInt8:
    case kOid:
      w.art = DbWert::Art::Int;
      w.i = std::strtoll(v, nullptr, 10);
      return w;
    case kBool:
      w.art = DbWert::Art::Int;
      w.i = (v[0] == 't') ? 1 : 0;
      return w;
    case kNumeric: {
      // A whole number (a sum of integers) reads as an integer.
      long long i = 0;
      const char* end = v + std::strlen(v);
      auto res = std::from_chars(v, end, i);
      if (res.ec == std::errc() && res.ptr == end) {
        w.art = DbWert::Art::Int;
        w.i = i;
        return w;
      }
      w.art = DbWert::Art::Real;
      w.d = std::strtod(v, nullptr);
      return w;
    }
    case kFloat4:
    case kFloat8:
      w.art = DbWert::Art::Real;
      w.d = std::strtod(v, nullptr);
      return w;
    case kDate:
      w.art = DbWert::Art::Text;
      w.s = std::string(v) + " 00:00:00";
      return w;
    default:
      w.art = DbWert::Art::Text;
      w.s.assign(v, static_cast<size_t>(PQgetlength(r, row, col)));
      if (w.s.empty()) w.art = DbWert::Art::Null;
      return w;
  }
}

// A savepoint name, always quoted: any name of the layer's is valid, even one
// that is a keyword of the server.
std::string Ident(PGconn* c, const std::string& name) {
  char* q = PQescapeIdentifier(c, name.c_str(), name.size());
  if (q == nullptr) return "\"\"";
  std::string out = q;
  PQfreemem(q);
  return out;
}

std::string NowText() {
  std::tm t = Clock_Now();
  char buf[80];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return buf;
}

// Number N of "$N" in an error text, 0 when there is none.
int ParamNumberIn(const char* msg) {
  if (msg == nullptr) return 0;
  const char* p = std::strchr(msg, '$');
  while (p != nullptr) {
    if (std::isdigit(static_cast<unsigned char>(p[1]))) return std::atoi(p + 1);
    p = std::strchr(p + 1, '$');
  }
  return 0;
}

void IgnoreNotice(void*, const char*) {}

struct Statement {
  std::string name;
  DbPgText text;
  std::vector<Oid> types;  // parameter types as the server resolved them
  int spalten = 0;         // columns of the result
};

class PgBackend : public DbBackend {
 public:
  explicit PgBackend(PGconn* c) : conn_(c) {}
  ~PgBackend() override { PQfinish(conn_); }

  [[nodiscard]] int Prepare(const std::string& sql, int& handle) override {
    Statement s;
    if (!DbPg_Rewrite(sql, s.text)) return DB_OTHER;
    s.name = "qv" + std::to_string(++named_);
    const int n = static_cast<int>(s.text.bindOf.size()) + (s.text.now ? 1 : 0);
    std::vector<Oid> types(static_cast<size_t>(n), 0);
    if (s.text.now) types.back() = kTimestamp;
    // The server infers each parameter's type from its place in the text; a
    // parameter it cannot place (an argument of CONCAT) is sent as text.
    int st = DB_OTHER;
    for (int attempt = 0; attempt <= n; ++attempt) {
      int retry = 0;
      st = Atomic([&](const std::vector<std::string>& vorab) {
        if (!vorab.empty()) {
          int vst = Simple(Joined(vorab));
          if (vst != DB_OK) return vst;
        }
        PgResult r(PQprepare(conn_, s.name.c_str(), s.text.sql.c_str(), n, types.data()));
        int rst = ResultStatus(r.get());
        if (rst != DB_OK) {
          const char* code = r ? PQresultErrorField(r.get(), PG_DIAG_SQLSTATE) : nullptr;
          if (code != nullptr && std::strcmp(code, "42P18") == 0) {
            retry = ParamNumberIn(PQresultErrorField(r.get(), PG_DIAG_MESSAGE_PRIMARY));
          }
          return rst;
        }
        // The types the server settled on, for converting the values.
        PgResult d(PQdescribePrepared(conn_, s.name.c_str()));
        rst = ResultStatus(d.get());
        if (rst == DB_OK) {
          for (int i = 0; i < PQnparams(d.get()); ++i) s.types.push_back(PQparamtype(d.get(), i));
          s.spalten = PQnfields(d.get());
        }
        return rst;
      });
      if (st == DB_OK || retry < 1 || retry > n || types[static_cast<size_t>(retry - 1)] != 0)
        break;
      types[static_cast<size_t>(retry - 1)] = kText;
    }
    if (st != DB_OK) return st;
    stmts_.push_back(std::move(s));
    handle = static_cast<int>(stmts_.size()) - 1;
    return DB_OK;
  }

  [[nodiscard]] int Execute(int handle, const DbBinds& binds, std::vector<DbZeile>* rows,
                            long long* changed) override {
    if (rows) rows->clear();
    if (changed) *changed = 0;
    if (handle < 0 || handle >= static_cast<int>(stmts_.size())) return DB_OTHER;
    const Statement& s = stmts_[static_cast<size_t>(handle)];
    const size_t n = s.types.size();
    std::vector<std::string> texts(n);
    std::vector<const char*> values(n, nullptr);
    for (size_t k = 0; k < s.text.bindOf.size() && k < n; ++k) {
      size_t b = static_cast<size_t>(s.text.bindOf[k]);
      if (b < binds.size() && ParamText(binds[b], s.types[k], texts[k])) {
        values[k] = texts[k].c_str();
      }
    }
    if (s.text.now && n > 0) {
      texts[n - 1] = NowText();
      values[n - 1] = texts[n - 1].c_str();
    }
    return Atomic([&](const std::vector<std::string>& vorab) {
      PgResult r;
      int st = DB_OK;
      if (vorab.empty()) {
        r.reset(PQexecPrepared(conn_, s.name.c_str(), static_cast<int>(n), values.data(), nullptr,
                               nullptr, 0));
        st = ResultStatus(r.get());
      } else {
        // The savepoint commands and the statement go out in one round trip.
        st = Pipeline(
            vorab,
            [&] {
              return PQsendQueryPrepared(conn_, s.name.c_str(), static_cast<int>(n), values.data(),
                                         nullptr, nullptr, 0);
            },
            r);
      }
      if (st == DB_OK && PQresultStatus(r.get()) == PGRES_TUPLES_OK) {
        if (rows) {
          const int nrows = PQntuples(r.get());
          const int ncols = PQnfields(r.get());
          rows->reserve(static_cast<size_t>(nrows));
          for (int i = 0; i < nrows; ++i) {
            DbZeile z;
            z.reserve(static_cast<size_t>(ncols));
            for (int c = 0; c < ncols; ++c) z.push_back(ColumnValue(r.get(), i, c));
            rows->push_back(std::move(z));
          }
        }
      } else if (st == DB_OK && changed) {
        *changed = std::atoll(PQcmdTuples(r.get()));
      }
      return st;
    });
  }

  int Spalten(int handle, int& spalten) override {
    if (handle < 0 || handle >= static_cast<int>(stmts_.size())) return DB_OTHER;
    spalten = stmts_[static_cast<size_t>(handle)].spalten;
    return DB_OK;
  }

  [[nodiscard]] int Begin() override {
    if (!Alive()) return DB_NOT_CONNECTED;
    if (PQtransactionStatus(conn_) != PQTRANS_IDLE) return DB_OTHER;
    Ended();
    // One advisory lock serialises the corrections of every run of the
    // program (the lock is released with the transaction). Read committed
    // then sees, after the wait, every row the other run committed, so no run
    // writes back an order or operation row read before another run changed
    // it. The wait is bounded by the session's lock_timeout (then -54).
    int st = Simple(std::string("BEGIN; SELECT pg_advisory_xact_lock(") + kKorrLock + ")");
    if (st != DB_OK) {
      // Best effort: the failure before it is the one reported.
      if (Alive() && PQtransactionStatus(conn_) != PQTRANS_IDLE) (void)Simple("ROLLBACK");
      Ended();
    }
    return st;
  }

  [[nodiscard]] int Release(const std::string& name) override {
    if (!Alive()) return DB_NOT_CONNECTED;
    for (size_t k = savepoints_.size(); k-- > 0;) {
      if (savepoints_[k].name != name) continue;
      if (savepoints_[k].began) return DB_OTHER;  // a write outside a correction commits instead
      // Sent with the next statement: saves a round trip per write. The
      // release takes the statement guard set after the savepoint with it.
      if (!Unsent(name)) vorab_.push_back("RELEASE SAVEPOINT " + Ident(conn_, name));
      savepoints_.resize(k);
      guard_ = fresh_ = false;
      return DB_OK;
    }
    return DB_OTHER;
  }

  [[nodiscard]] int Savepoint(const std::string& name) override {
    if (!Alive()) return DB_NOT_CONNECTED;
    std::string sql;
    bool began = false;
    switch (PQtransactionStatus(conn_)) {
      case PQTRANS_IDLE:
        sql = "BEGIN; ";
        began = true;
        break;
      case PQTRANS_INTRANS:
        // Inside a transaction the savepoint goes out with the next
        // statement, in the same round trip. A statement guard below it would
        // take it along when released later: it is released first.
        if (guard_) vorab_.push_back(std::string("RELEASE SAVEPOINT ") + kGuard);
        vorab_.push_back("SAVEPOINT " + Ident(conn_, name));
        guard_ = fresh_ = false;
        savepoints_.push_back({name, false});
        return DB_OK;
      default:
        return DB_OTHER;
    }
    // The guard of the next statement is set in the same round trip.
    sql += "SAVEPOINT " + Ident(conn_, name) + "; SAVEPOINT " + kGuard;
    int st = Simple(sql);
    if (st != DB_OK) {
      // Best effort: the failure before it is the one reported.
      if (began && PQtransactionStatus(conn_) != PQTRANS_IDLE) (void)Simple("ROLLBACK");
      if (PQtransactionStatus(conn_) == PQTRANS_IDLE) Ended();
      return st;
    }
    guard_ = true;
    fresh_ = true;
    savepoints_.push_back({name, began});
    return DB_OK;
  }

  [[nodiscard]] int RollbackTo(const std::string& name) override {
    if (!Alive()) return DB_NOT_CONNECTED;
    if (PQtransactionStatus(conn_) == PQTRANS_IDLE) {
      Ended();
      return DB_OTHER;  // no transaction, so no such savepoint
    }
    size_t at = savepoints_.size();
    for (size_t k = savepoints_.size(); k-- > 0;) {
      if (savepoints_[k].name == name) {
        at = k;
        break;
      }
    }
    if (at < savepoints_.size() && savepoints_[at].began) {
      // The savepoint was set right when the transaction began: rolling back
      // to it and ending the then empty transaction is rolling back the
      // transaction, in one round trip.
      int st = Simple("ROLLBACK");
      Ended();
      return st;
    }
    if (at < savepoints_.size() && Unsent(name)) {
      // Never sent, so nothing to undo on the server.
      savepoints_.resize(at);
      guard_ = fresh_ = false;
      return DB_OK;
    }
    const std::string id = Ident(conn_, name);
    int st = Atomic([&](const std::vector<std::string>& vorab) {
      return Simple(Joined(vorab) + "ROLLBACK TO SAVEPOINT " + id + "; RELEASE SAVEPOINT " + id);
    });
    if (st != DB_OK) return st;
    guard_ = fresh_ = false;  // the rollback took the guard with it
    if (at < savepoints_.size()) savepoints_.resize(at);
    return DB_OK;
  }

  [[nodiscard]] int Commit() override {
    if (!Alive()) {
      Ended();
      return DB_NOT_CONNECTED;
    }
    WaechterPruefen();
    switch (PQtransactionStatus(conn_)) {
      case PQTRANS_IDLE:
        Ended();
        return DB_OK;
      case PQTRANS_INERROR:
        // Not reached while every statement is guarded; never report a
        // rolled-back transaction as committed.
        (void)Simple("ROLLBACK");  // best effort: the failure before it is the one reported
        Ended();
        return DB_OTHER;
      default:
        break;
    }
    PgResult r(PQexec(conn_, "COMMIT"));
    int st = ResultStatus(r.get());
    if (st == DB_OK && std::strcmp(PQcmdStatus(r.get()), "COMMIT") != 0) st = DB_OTHER;
    Ended();
    return st;
  }

  [[nodiscard]] int Rollback() override {
    if (!Alive()) {
      Ended();
      return DB_NOT_CONNECTED;
    }
    int st = DB_OK;
    if (PQtransactionStatus(conn_) != PQTRANS_IDLE) st = Simple("ROLLBACK");
    Ended();
    return st;
  }

 private:
  struct Named {
    std::string name;
    bool began;  // this savepoint opened the transaction
  };

  bool Alive() const { return PQstatus(conn_) == CONNECTION_OK; }

  // The statement guard's flags: it is fresh only while it is set, and it is
  // set only inside a transaction (every end of one clears both).
  void WaechterPruefen() const {
    assert((guard_ || !fresh_) && "statement guard fresh but not set");
    assert((!guard_ || PQtransactionStatus(conn_) != PQTRANS_IDLE) &&
           "statement guard set outside a transaction");
  }

  void Ended() {
    savepoints_.clear();
    vorab_.clear();
    guard_ = fresh_ = false;
  }

  [[nodiscard]] int ResultStatus(PGresult* r) {
    if (r == nullptr) return Alive() ? DB_OTHER : DB_NOT_CONNECTED;
    switch (PQresultStatus(r)) {
      case PGRES_COMMAND_OK:
      case PGRES_TUPLES_OK:
      case PGRES_EMPTY_QUERY:
        return DB_OK;
      default:
        break;
    }
    if (!Alive()) return DB_NOT_CONNECTED;
    const char* code = PQresultErrorField(r, PG_DIAG_SQLSTATE);
    return code ? DbPg_StatusOf(code) : DB_OTHER;
  }

  // True when "SAVEPOINT name" waits in vorab_ unsent; it is dropped with
  // everything queued after it.
  bool Unsent(const std::string& name) {
    const std::string cmd = "SAVEPOINT " + Ident(conn_, name);
    for (size_t k = vorab_.size(); k-- > 0;) {
      if (vorab_[k] == cmd) {
        vorab_.resize(k);
        return true;
      }
    }
    return false;
  }

  static std::string Joined(const std::vector<std::string>& cmds) {
    std::string sql;
    for (const std::string& c : cmds) sql += c + "; ";
    return sql;
  }

  // Sends `vorab` and then the statement (`send`, a PQsend... call) in one
  // round trip. The status is the first failure among them; `r` receives the
  // statement's own result (nullptr when it did not run).
  template <class Send>
  [[nodiscard]] int Pipeline(const std::vector<std::string>& vorab, Send&& send, PgResult& r) {
    r.reset();
    if (PQenterPipelineMode(conn_) != 1) return Alive() ? DB_OTHER : DB_NOT_CONNECTED;
    bool sent = true;
    for (const std::string& c : vorab) {
      sent = sent &&
             PQsendQueryParams(conn_, c.c_str(), 0, nullptr, nullptr, nullptr, nullptr, 0) == 1;
    }
    sent = sent && send() == 1 && PQpipelineSync(conn_) == 1;
    int st = sent ? DB_OK : DB_NOT_CONNECTED;
    size_t query = 0;  // the command whose results come now; each ends with nullptr
    while (sent) {
      PgResult x(PQgetResult(conn_));
      if (x == nullptr) {
        if (!Alive()) {
          st = DB_NOT_CONNECTED;
          break;
        }
        ++query;
        continue;
      }
      const ExecStatusType es = PQresultStatus(x.get());
      if (es == PGRES_PIPELINE_SYNC) break;
      if (es == PGRES_PIPELINE_ABORTED) continue;
      if (query < vorab.size()) {
        const int cst = ResultStatus(x.get());
        if (st == DB_OK) st = cst;
      } else {
        r = std::move(x);
      }
    }
    PQexitPipelineMode(conn_);
    if (!Alive()) st = DB_NOT_CONNECTED;
    if (st == DB_OK && r == nullptr) st = DB_OTHER;
    if (st == DB_OK) st = ResultStatus(r.get());
    return st;
  }

  [[nodiscard]] int Simple(const std::string& sql) {
    PgResult r(PQexec(conn_, sql.c_str()));
    return ResultStatus(r.get());
  }

  // Runs one statement so that, inside a transaction, its failure undoes only
  // the statement itself and leaves the transaction usable, as the
  // installation's programs expect; outside one the server's autocommit does
  // the same.
  template <class F>
  [[nodiscard]] int Atomic(F&& run) {
    if (!Alive()) {
      Ended();
      return DB_NOT_CONNECTED;
    }
    WaechterPruefen();
    const bool tx = PQtransactionStatus(conn_) == PQTRANS_INTRANS;
    std::vector<std::string> vorab;
    if (tx) {
      vorab.swap(vorab_);
      if (!(guard_ && fresh_)) {
        if (guard_) vorab.push_back(std::string("RELEASE SAVEPOINT ") + kGuard);
        vorab.push_back(std::string("SAVEPOINT ") + kGuard);
        guard_ = true;
      }
    }
    fresh_ = false;
    int st = run(vorab);
    if (st != DB_OK && tx && Alive() && PQtransactionStatus(conn_) == PQTRANS_INERROR) {
      // Back to the state before the statement; the guard may serve the next one.
      fresh_ = Simple(std::string("ROLLBACK TO SAVEPOINT ") + kGuard) == DB_OK;
    }
    if (!Alive() || PQtransactionStatus(conn_) == PQTRANS_IDLE) Ended();
    return st;
  }

  PGconn* conn_;
  std::vector<Statement> stmts_;
  int named_ = 0;  // statement names given out in this session
  std::vector<Named> savepoints_;
  // Savepoint commands still to be sent, ahead of the next statement.
  std::vector<std::string> vorab_;
  bool guard_ = false;  // the statement guard is set in the open transaction
  bool fresh_ = false;  // ... and nothing has run since it was set
};

// The status of a connect that failed. libpq runs in the program's C locale,
// so its own texts are English; a server's texts may be translated, so a
// login that failed after a password was asked for counts as refused too.
[[nodiscard]] int ConnectFailure(PGconn* c) {
  const std::string m = PQerrorMessage(c);
  if (Contains(m, "authentication failed") || Contains(m, "no password supplied") ||
      Contains(m, "pg_hba.conf") || Contains(m, "is not permitted to log in") ||
      (Contains(m, "role \"") && Contains(m, "does not exist"))) {
    return DB_LOGIN_REFUSED;
  }
  if (Contains(m, "definition of service") || Contains(m, "service file") ||
      Contains(m, "could not translate host name") ||
      (Contains(m, "database \"") && Contains(m, "does not exist")) || Contains(m, "invalid")) {
    return DB_NO_SERVICE;
  }
  if (PQconnectionNeedsPassword(c) || PQconnectionUsedPassword(c)) return DB_LOGIN_REFUSED;
  return DB_NOT_CONNECTED;
}

// What libpq printed on stderr during the last connect.
std::string gConnectMeldung;

// libpq writes a few warnings straight to stderr while it connects (a
// password file that others may read, for one). The program has no console:
// for the time of the connect stderr goes into an anonymous temporary file
// (or /dev/null when none can be made), and its text is kept for the log.
class StderrFang {
 public:
  StderrFang() {
    std::fflush(stderr);
    datei_ = std::tmpfile();
    int ziel = datei_ ? fileno(datei_) : ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    alt_ = ::fcntl(2, F_DUPFD_CLOEXEC, 3);
    if (ziel >= 0) ::dup2(ziel, 2);
    if (!datei_ && ziel >= 0) ::close(ziel);
  }
  ~StderrFang() {
    std::fflush(stderr);
    if (alt_ >= 0) {
      ::dup2(alt_, 2);
      ::close(alt_);
    } else {
      ::close(2);  // stderr was closed before: so it stays
    }
    if (datei_) std::fclose(datei_);
  }
  std::string Text() {
    std::fflush(stderr);
    std::string text;
    if (!datei_) return text;
    std::rewind(datei_);
    char buf[512];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, datei_)) > 0 && text.size() < 4000)
      text.append(buf, n);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    for (char& ch : text) {
      if (ch == '\n' || ch == '\r') ch = ' ';  // one line in the log
    }
    return text;
  }

 private:
  std::FILE* datei_ = nullptr;
  int alt_ = -1;
};

}  // namespace

std::string DbPg_ConnectMeldung() {
  std::string text;
  text.swap(gConnectMeldung);
  return text;
}

bool DbPg_Rewrite(const std::string& in, DbPgText& out) {
  out = DbPgText{};
  std::string sql;
  std::vector<size_t> nowAt;   // places that receive the `sysdate` parameter
  std::vector<bool> parens;    // open parentheses; true: a TO_DATE call
  std::vector<int> numberOf;   // bind number -> parameter number (1-based), 0: none yet
  bool pendingToDate = false;  // TO_DATE seen, its "(" still to come
  size_t i = 0;
  const size_t n = in.size();
  while (i < n) {
    const char c = in[i];
    if (c == '\'' || c == '"') {
      // A literal or quoted name: copied unchanged (a doubled quote stays inside).
      size_t j = i + 1;
      for (;;) {
        if (j >= n) return false;
        if (in[j] == c) {
          if (j + 1 < n && in[j + 1] == c) {
            j += 2;
            continue;
          }
          break;
        }
        ++j;
      }
      sql.append(in, i, j + 1 - i);
      i = j + 1;
      continue;
    }
    if (c == '-' && i + 1 < n && in[i + 1] == '-') {
      size_t j = in.find('\n', i);
      if (j == std::string::npos) j = n;
      sql.append(in, i, j - i);
      i = j;
      continue;
    }
    if (c == '/' && i + 1 < n && in[i + 1] == '*') {
      size_t j = in.find("*/", i + 2);
      if (j == std::string::npos) return false;
      sql.append(in, i, j + 2 - i);
      i = j + 2;
      continue;
    }
    if (c == ':' && i + 2 < n && (in[i + 1] == 'b' || in[i + 1] == 'B') &&
        std::isdigit(static_cast<unsigned char>(in[i + 2])) && (i == 0 || in[i - 1] != ':')) {
      size_t j = i + 2;
      while (j < n && std::isdigit(static_cast<unsigned char>(in[j]))) ++j;
      if (j < n && IdentChar(in[j])) return false;  // ":b1x" is no bind
      int number = std::atoi(in.c_str() + i + 2);
      if (number < 0 || number > 100000) return false;
      if (static_cast<size_t>(number) >= numberOf.size()) numberOf.resize(number + 1, 0);
      if (numberOf[number] == 0) {
        out.bindOf.push_back(number);
        numberOf[number] = static_cast<int>(out.bindOf.size());
      }
      sql += "$" + std::to_string(numberOf[number]);
      i = j;
      continue;
    }
    if (IdentStart(c) && (i == 0 || (!IdentChar(in[i - 1]) && in[i - 1] != '.'))) {
      size_t j = i;
      while (j < n && IdentChar(in[j])) ++j;
      const std::string word = Lower(in.substr(i, j - i));
      const size_t next = SkipBlanks(in, j);
      const bool call = next < n && in[next] == '(';
      if (word == "sysdate") {
        nowAt.push_back(sql.size());
        out.now = true;
        i = j;
        // "sysdate()" is the same.
        if (call) {
          size_t close = SkipBlanks(in, next + 1);
          if (close < n && in[close] == ')') i = close + 1;
        }
        continue;
      }
      if (word == "to_date" && call) {
        sql += "pg_temp.qv_to_date";
        pendingToDate = true;
        out.now = true;
        i = j;
        continue;
      }
      if (word == "trunc" && call) {
        sql += "pg_temp.qv_trunc";
        i = j;
        continue;
      }
      sql.append(in, i, j - i);
      i = j;
      continue;
    }
    if (c == '(') {
      parens.push_back(pendingToDate);
      pendingToDate = false;
    } else if (c == ')') {
      if (parens.empty()) return false;
      if (parens.back()) {
        sql += ",";
        nowAt.push_back(sql.size());
      }
      parens.pop_back();
    }
    sql += c;
    ++i;
  }
  if (!parens.empty()) return false;
  if (out.now) {
    const std::string p = "$" + std::to_string(out.bindOf.size() + 1);
    for (size_t k = nowAt.size(); k-- > 0;) sql.insert(nowAt[k], p);
  }
  out.sql = std::move(sql);
  return true;
}

int DbPg_StatusOf(const std::string& code) {
  struct Map {
    const char* code;
    int status;
  };
  static const Map kMap[] = {
      {"23505", DB_DUP_KEY},       {"23502", DB_NOT_NULL},      {"22001", DB_TOO_WIDE},
      {"23514", DB_TOO_WIDE},      {"22003", DB_TOO_WIDE},      {"21000", DB_TOO_MANY_ROWS},
      {"55P03", DB_BUSY},          {"55006", DB_BUSY},          {"40001", DB_DEADLOCK},
      {"40P01", DB_DEADLOCK},      {"42P01", DB_NO_TABLE},      {"3F000", DB_NO_TABLE},
      {"42703", DB_NO_COLUMN},     {"22007", DB_BAD_DATE},      {"22008", DB_BAD_DATE},
      {"28000", DB_LOGIN_REFUSED}, {"28P01", DB_LOGIN_REFUSED}, {"57P01", DB_NOT_CONNECTED},
      {"57P02", DB_NOT_CONNECTED}, {"57P03", DB_NOT_CONNECTED}, {"3D000", DB_NO_SERVICE},
      {"42501", DB_NO_PRIVILEGE},  {"25006", DB_NO_PRIVILEGE},  {"58030", DB_IO_ERROR},
      {"XX001", DB_IO_ERROR},      {"XX002", DB_IO_ERROR},
  };
  for (const Map& m : kMap) {
    if (code == m.code) return m.status;
  }
  // Class 08: the connection failed or was lost.
  if (code.size() == 5 && code.compare(0, 2, "08") == 0) return DB_NOT_CONNECTED;
  // Class 53: the server ran out of disk, memory or connections.
  if (code.size() == 5 && code.compare(0, 2, "53") == 0) return DB_NO_SPACE;
  return DB_OTHER;
}

int DbPg_Open(const std::string& user, const std::string& password, const std::string& conninfo,
              std::unique_ptr<DbBackend>& out) {
  gConnectMeldung.clear();
  if (conninfo.empty()) return DB_NO_SERVICE;
  const bool uri = StartsWith(conninfo, "postgresql://") || StartsWith(conninfo, "postgres://");
  const bool pairs = !uri && conninfo.find('=') != std::string::npos;
  std::vector<const char*> keys;
  std::vector<const char*> values;
  // Defaults first: the connection string may override them.
  keys.push_back("connect_timeout");
  values.push_back("10");
  keys.push_back("fallback_application_name");
  values.push_back("mldkorr");
  if (uri || pairs) {
    char* err = nullptr;
    PQconninfoOption* parsed = PQconninfoParse(conninfo.c_str(), &err);
    if (err != nullptr) PQfreemem(err);
    if (parsed == nullptr) return DB_NO_SERVICE;
    PQconninfoFree(parsed);
    keys.push_back("dbname");  // expanded: every keyword of the string applies
  } else {
    // A bare name is a service of the libpq service file, as the
    // installation's network service names are.
    keys.push_back("service");
  }
  values.push_back(conninfo.c_str());
  // LOGIN and PASS come after the connection string and so win over it.
  if (!user.empty()) {
    keys.push_back("user");
    values.push_back(user.c_str());
  }
  if (!password.empty()) {
    keys.push_back("password");
    values.push_back(password.c_str());
  }
  keys.push_back(nullptr);
  values.push_back(nullptr);
  PGconn* c = nullptr;
  {
    StderrFang fang;
    c = PQconnectdbParams(keys.data(), values.data(), 1);
    gConnectMeldung = fang.Text();
  }
  if (c == nullptr) return DB_NOT_CONNECTED;
  if (PQstatus(c) != CONNECTION_OK) {
    int st = ConnectFailure(c);
    PQfinish(c);
    return st;
  }
  // No console output: server notices are dropped.
  PQsetNoticeProcessor(c, IgnoreNotice, nullptr);
  PgResult r(PQexec(c, kSessionSetup));
  const ExecStatusType rs = r ? PQresultStatus(r.get()) : PGRES_FATAL_ERROR;
  int st = DB_OK;
  if (rs != PGRES_COMMAND_OK && rs != PGRES_TUPLES_OK) {
    const char* code = r ? PQresultErrorField(r.get(), PG_DIAG_SQLSTATE) : nullptr;
    st = PQstatus(c) != CONNECTION_OK ? DB_NOT_CONNECTED : code ? DbPg_StatusOf(code) : DB_OTHER;
    if (st == DB_OK) st = DB_OTHER;
  }
  if (st == DB_OK) {
    // The shared system calendar belongs to a complete installation; without
    // it the connect fails, as on an SQLite installation without its file.
    r.reset(PQexec(c, "SELECT 1 FROM QvSystem.Qvt133Bak, QvSystem.Qvt133Kal WHERE false"));
    if (r == nullptr || PQresultStatus(r.get()) != PGRES_TUPLES_OK) st = DB_NOT_CONNECTED;
  }
  if (st != DB_OK) {
    PQfinish(c);
    return st;
  }
  out = std::make_unique<PgBackend>(c);
  return DB_OK;
}
