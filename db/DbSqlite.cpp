#include "db/DbSqlite.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <cctype>
#include <cstring>
#include <map>
#include <unordered_map>
#include <vector>

#include "db/DbStatus.h"
#include "infra/Clock.h"

namespace {

constexpr const char* kDateError = "QV-1861: text does not match its date mask";

std::string Lower(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool AllDigits(const std::string& s, size_t pos, size_t len) {
  if (pos + len > s.size()) return false;
  for (size_t i = pos; i < pos + len; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
  }
  return true;
}

int Num(const std::string& s, size_t pos, size_t len) {
  int v = 0;
  for (size_t i = pos; i < pos + len; ++i) v = v * 10 + (s[i] - '0');
  return v;
}

bool ValidDate(int y, int m, int d) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (y < 1 || m < 1 || m > 12 || d < 1) return false;
  int len = kDays[m - 1];
  if (m == 2 && ((y % 4 == 0 && y % 100 != 0) || y % 400 == 0)) len = 29;
  return d <= len;
}

bool ValidTime(int h, int mi, int s) {
  return h >= 0 && h <= 23 && mi >= 0 && mi <= 59 && s >= 0 && s <= 59;
}

// Appends v with exactly `width` digits (leading zeros). The date
// functions run for every date column of every row, so they format by hand.
void Digits(std::string& out, int v, int width) {
  char buf[8];
  for (int i = width - 1; i >= 0; --i) {
    buf[i] = static_cast<char>('0' + v % 10);
    v /= 10;
  }
  out.append(buf, static_cast<size_t>(width));
}

std::string Stored(int y, int m, int d, int h, int mi, int s) {
  std::string out;
  out.reserve(19);
  Digits(out, y, 4);
  out += '-';
  Digits(out, m, 2);
  out += '-';
  Digits(out, d, 2);
  out += ' ';
  Digits(out, h, 2);
  out += ':';
  Digits(out, mi, 2);
  out += ':';
  Digits(out, s, 2);
  return out;
}

// Text of the stored form split into its six numbers; accepts a bare date.
bool SplitStored(const std::string& v, int& y, int& m, int& d, int& h, int& mi, int& s) {
  if (v.size() != 10 && v.size() != 19) return false;
  if (!AllDigits(v, 0, 4) || v[4] != '-' || !AllDigits(v, 5, 2) || v[7] != '-' ||
      !AllDigits(v, 8, 2))
    return false;
  y = Num(v, 0, 4);
  m = Num(v, 5, 2);
  d = Num(v, 8, 2);
  h = mi = s = 0;
  if (v.size() == 19) {
    if (v[10] != ' ' || !AllDigits(v, 11, 2) || v[13] != ':' || !AllDigits(v, 14, 2) ||
        v[16] != ':' || !AllDigits(v, 17, 2))
      return false;
    h = Num(v, 11, 2);
    mi = Num(v, 14, 2);
    s = Num(v, 17, 2);
  }
  return ValidDate(y, m, d) && ValidTime(h, mi, s);
}

bool IsBlank(const std::string& s) {
  for (char c : s) {
    if (c != ' ') return false;
  }
  return true;
}

void FnToDate(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
    sqlite3_result_null(ctx);
    return;
  }
  const unsigned char* t = sqlite3_value_text(argv[0]);
  const unsigned char* m = sqlite3_value_text(argv[1]);
  std::string text = t ? reinterpret_cast<const char*>(t) : "";
  std::string mask = m ? reinterpret_cast<const char*>(m) : "";
  if (IsBlank(text)) {  // a blank date is no date
    sqlite3_result_null(ctx);
    return;
  }
  std::string out;
  if (!DbSqlite_ToDate(text, mask, out)) {
    sqlite3_result_error(ctx, kDateError, -1);
    return;
  }
  sqlite3_result_text(ctx, out.c_str(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

void FnToChar(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
    sqlite3_result_null(ctx);
    return;
  }
  const unsigned char* t = sqlite3_value_text(argv[0]);
  const unsigned char* m = sqlite3_value_text(argv[1]);
  std::string out;
  if (!DbSqlite_ToChar(t ? reinterpret_cast<const char*>(t) : "",
                       m ? reinterpret_cast<const char*>(m) : "", out)) {
    sqlite3_result_error(ctx, kDateError, -1);
    return;
  }
  sqlite3_result_text(ctx, out.c_str(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

void FnSysdate(sqlite3_context* ctx, int, sqlite3_value**) {
  std::tm t = Clock_Now();
  std::string out =
      Stored(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  sqlite3_result_text(ctx, out.c_str(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

void FnTrunc(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
    sqlite3_result_null(ctx);
    return;
  }
  const unsigned char* t = sqlite3_value_text(argv[0]);
  std::string v = t ? reinterpret_cast<const char*>(t) : "";
  int y, m, d, h, mi, s;
  if (!SplitStored(v, y, m, d, h, mi, s)) {
    sqlite3_result_error(ctx, kDateError, -1);
    return;
  }
  std::string out = Stored(y, m, d, 0, 0, 0);
  sqlite3_result_text(ctx, out.c_str(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

// CONCAT as the installation's statements use it: NULL counts as empty text.
void FnConcat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  std::string out;
  for (int i = 0; i < argc; ++i) {
    const unsigned char* t = sqlite3_value_text(argv[i]);
    if (t) out += reinterpret_cast<const char*>(t);
  }
  if (out.empty()) {
    sqlite3_result_null(ctx);
    return;
  }
  sqlite3_result_text(ctx, out.c_str(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

// The statement texts say `sysdate` without parentheses; on SQLite it is a
// registered function, so the bare word is rewritten to a call.
std::string RewriteSysdate(const std::string& sql) {
  std::string out;
  const std::string word = "sysdate";
  size_t i = 0;
  auto ident = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
  bool inQuote = false;
  while (i < sql.size()) {
    char c = sql[i];
    if (c == '\'') inQuote = !inQuote;
    if (!inQuote && i + word.size() <= sql.size() && Lower(sql.substr(i, word.size())) == word &&
        (i == 0 || !ident(sql[i - 1])) &&
        (i + word.size() == sql.size() || !ident(sql[i + word.size()]))) {
      size_t j = i + word.size();
      while (j < sql.size() && sql[j] == ' ') ++j;
      out += "sysdate";
      if (j >= sql.size() || sql[j] != '(') out += "()";
      i += word.size();
      continue;
    }
    out += c;
    ++i;
  }
  return out;
}

// A trailing FOR UPDATE locks the rows read on a server. SQLite has no row
// locks: a correction's transaction holds the database's write lock from its
// start, which covers every row it reads, so the clause is dropped.
std::string WithoutForUpdate(const std::string& sql) {
  size_t end = sql.find_last_not_of(" \t\r\n;");
  if (end == std::string::npos) return sql;
  const std::string tail = " for update";
  if (end + 1 < tail.size()) return sql;
  size_t start = end + 1 - tail.size();
  if (Lower(sql.substr(start, tail.size())) != tail) return sql;
  return sql.substr(0, start);
}

[[nodiscard]] int MapError(sqlite3* db, int rc) {
  int ext = sqlite3_extended_errcode(db);
  const char* msg = sqlite3_errmsg(db);
  switch (ext) {
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
      return DB_DUP_KEY;
    case SQLITE_CONSTRAINT_NOTNULL:
      return DB_NOT_NULL;
    case SQLITE_CONSTRAINT_CHECK:
      // The schema names its checks after what they guard: <col>_Width,
      // <col>_Date, <col>_Range.
      if (msg && std::strstr(msg, "_Date")) return DB_BAD_DATE;
      if (msg && std::strstr(msg, "_Range")) return DB_OUT_OF_RANGE;
      return DB_TOO_WIDE;
    default:
      break;
  }
  switch (rc & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return DB_BUSY;
    case SQLITE_CONSTRAINT:
      return DB_OTHER;
    case SQLITE_NOTADB:
    case SQLITE_CANTOPEN:
      return DB_NOT_CONNECTED;
    case SQLITE_IOERR:
    case SQLITE_CORRUPT:
      return DB_IO_ERROR;
    case SQLITE_FULL:
      return DB_NO_SPACE;
    case SQLITE_READONLY:
    case SQLITE_AUTH:
    case SQLITE_PERM:
      return DB_NO_PRIVILEGE;
    default:
      break;
  }
  if (msg) {
    if (std::strncmp(msg, "QV-1861", 7) == 0) return DB_BAD_DATE;
    if (std::strncmp(msg, "no such table", 13) == 0) return DB_NO_TABLE;
    if (std::strncmp(msg, "no such column", 14) == 0) return DB_NO_COLUMN;
  }
  return DB_OTHER;
}

struct Prepared {
  sqlite3_stmt* stmt = nullptr;
  std::vector<std::pair<int, int>> params;  // (sqlite index, bind number N of ":bN")
};

class SqliteBackend : public DbBackend {
 public:
  explicit SqliteBackend(sqlite3* db) : db_(db) {}
  ~SqliteBackend() override {
    for (auto& p : stmts_) sqlite3_finalize(p.stmt);
    for (auto& c : control_) sqlite3_finalize(c.second);
    sqlite3_close(db_);
  }

  [[nodiscard]] int Prepare(const std::string& sql, int& handle) override {
    std::string text = RewriteSysdate(WithoutForUpdate(sql));
    Prepared p;
    int rc = sqlite3_prepare_v3(db_, text.c_str(), static_cast<int>(text.size()),
                                SQLITE_PREPARE_PERSISTENT, &p.stmt, nullptr);
    if (rc != SQLITE_OK) {
      int st = MapError(db_, rc);
      sqlite3_finalize(p.stmt);
      return st;
    }
    int n = sqlite3_bind_parameter_count(p.stmt);
    for (int i = 1; i <= n; ++i) {
      const char* name = sqlite3_bind_parameter_name(p.stmt, i);
      if (name == nullptr || std::strncmp(name, ":b", 2) != 0) {
        sqlite3_finalize(p.stmt);
        return DB_OTHER;
      }
      p.params.emplace_back(i, std::atoi(name + 2));
    }
    stmts_.push_back(p);
    handle = static_cast<int>(stmts_.size()) - 1;
    return DB_OK;
  }

  [[nodiscard]] int Execute(int handle, const DbBinds& binds, std::vector<DbZeile>* rows,
                            long long* changed) override {
    if (handle < 0 || handle >= static_cast<int>(stmts_.size())) return DB_OTHER;
    Prepared& p = stmts_[handle];
    sqlite3_reset(p.stmt);
    sqlite3_clear_bindings(p.stmt);
    for (auto [index, n] : p.params) {
      if (n < 0 || n >= static_cast<int>(binds.size())) continue;  // unbound: NULL
      const DbWert& w = binds[n];
      switch (w.art) {
        case DbWert::Art::Null:
          sqlite3_bind_null(p.stmt, index);
          break;
        case DbWert::Art::Int:
          sqlite3_bind_int64(p.stmt, index, w.i);
          break;
        case DbWert::Art::Real:
          sqlite3_bind_double(p.stmt, index, w.d);
          break;
        case DbWert::Art::Text:
          sqlite3_bind_text(p.stmt, index, w.s.data(), static_cast<int>(w.s.size()),
                            SQLITE_TRANSIENT);
          break;
      }
    }
    if (rows) rows->clear();
    int cols = sqlite3_column_count(p.stmt);
    for (;;) {
      int rc = sqlite3_step(p.stmt);
      if (rc == SQLITE_DONE) break;
      if (rc != SQLITE_ROW) {
        int st = MapError(db_, rc);
        sqlite3_reset(p.stmt);
        return st;
      }
      if (!rows) continue;
      DbZeile z(static_cast<size_t>(cols));
      for (int c = 0; c < cols; ++c) {
        DbWert& w = z[static_cast<size_t>(c)];
        switch (sqlite3_column_type(p.stmt, c)) {
          case SQLITE_NULL:
            break;
          case SQLITE_INTEGER:
            w.art = DbWert::Art::Int;
            w.i = sqlite3_column_int64(p.stmt, c);
            break;
          case SQLITE_FLOAT:
            w.art = DbWert::Art::Real;
            w.d = sqlite3_column_double(p.stmt, c);
            break;
          default: {
            const unsigned char* t = sqlite3_column_text(p.stmt, c);
            w.art = DbWert::Art::Text;
            w.s.assign(t ? reinterpret_cast<const char*>(t) : "",
                       static_cast<size_t>(sqlite3_column_bytes(p.stmt, c)));
            if (w.s.empty()) w.art = DbWert::Art::Null;
            break;
          }
        }
      }
      rows->push_back(std::move(z));
    }
    if (changed) *changed = cols == 0 ? sqlite3_changes64(db_) : 0;
    sqlite3_reset(p.stmt);
    return DB_OK;
  }

  int Spalten(int handle, int& spalten) override {
    if (handle < 0 || handle >= static_cast<int>(stmts_.size())) return DB_OTHER;
    spalten = sqlite3_column_count(stmts_[handle].stmt);
    return DB_OK;
  }

  [[nodiscard]] int Begin() override {
    if (!sqlite3_get_autocommit(db_)) return DB_OTHER;
    // IMMEDIATE takes the write lock now, waiting up to the busy timeout, so
    // that no other run changes what this correction reads before it writes.
    return Exec("begin immediate");
  }

  [[nodiscard]] int Savepoint(const std::string& name) override {
    return Exec("savepoint " + name);
  }

  [[nodiscard]] int Release(const std::string& name) override { return Exec("release " + name); }

  [[nodiscard]] int RollbackTo(const std::string& name) override {
    // The statement as the installation's programs store it, two blanks included.
    int st = Exec("rollback  to " + name);
    int st2 = Exec("release " + name);
    return st != DB_OK ? st : st2;
  }

  [[nodiscard]] int Commit() override {
    if (sqlite3_get_autocommit(db_)) return DB_OK;
    return Exec("commit");
  }

  [[nodiscard]] int Rollback() override {
    if (sqlite3_get_autocommit(db_)) return DB_OK;
    return Exec("rollback");
  }

 private:
  // Savepoint, rollback and commit texts recur with every single-row write;
  // each is prepared once and kept.
  [[nodiscard]] int Exec(const std::string& sql) {
    sqlite3_stmt*& st = control_[sql];
    if (st == nullptr) {
      int rc = sqlite3_prepare_v3(db_, sql.c_str(), static_cast<int>(sql.size()),
                                  SQLITE_PREPARE_PERSISTENT, &st, nullptr);
      if (rc != SQLITE_OK) {
        int status = MapError(db_, rc);
        sqlite3_finalize(st);
        st = nullptr;
        return status;
      }
    }
    int rc = sqlite3_step(st);
    int status = rc == SQLITE_DONE || rc == SQLITE_ROW ? DB_OK : MapError(db_, rc);
    sqlite3_reset(st);
    return status;
  }

  sqlite3* db_;
  std::vector<Prepared> stmts_;
  std::unordered_map<std::string, sqlite3_stmt*> control_;
};

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

bool DbSqlite_ToDate(const std::string& text, const std::string& mask, std::string& out) {
  std::string m = Lower(mask);
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  if (m == "yyyymmdd") {
    if (text.size() != 8 || !AllDigits(text, 0, 8)) return false;
    y = Num(text, 0, 4), mo = Num(text, 4, 2), d = Num(text, 6, 2);
  } else if (m == "hh24miss") {
    // A time alone lands on the first day of the current month, as on the
    // server the statements were written for.
    if (text.size() != 6 || !AllDigits(text, 0, 6)) return false;
    std::tm t = Clock_Now();
    y = t.tm_year + 1900, mo = t.tm_mon + 1, d = 1;
    h = Num(text, 0, 2), mi = Num(text, 2, 2), s = Num(text, 4, 2);
  } else if (m == "yyyymmddhh24miss") {
    if (text.size() != 14 || !AllDigits(text, 0, 14)) return false;
    y = Num(text, 0, 4), mo = Num(text, 4, 2), d = Num(text, 6, 2);
    h = Num(text, 8, 2), mi = Num(text, 10, 2), s = Num(text, 12, 2);
  } else {
    return false;
  }
  if (!ValidDate(y, mo, d) || !ValidTime(h, mi, s)) return false;
  out = Stored(y, mo, d, h, mi, s);
  return true;
}

bool DbSqlite_ToChar(const std::string& stored, const std::string& mask, std::string& out) {
  int y, mo, d, h, mi, s;
  if (!SplitStored(stored, y, mo, d, h, mi, s)) return false;
  std::string m = Lower(mask);
  const bool datum = m == "yyyymmdd" || m == "yyyymmddhh24miss";
  const bool zeit = m == "hh24miss" || m == "yyyymmddhh24miss";
  if (!datum && !zeit) return false;
  out.clear();
  if (datum) {
    Digits(out, y, 4);
    Digits(out, mo, 2);
    Digits(out, d, 2);
  }
  if (zeit) {
    Digits(out, h, 2);
    Digits(out, mi, 2);
    Digits(out, s, 2);
  }
  return true;
}

namespace {
// The database or a table of it is held by another connection.
bool Belegt(int rc) {
  return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED;
}
}  // namespace

int DbSqlite_Open(const std::string& path, std::unique_ptr<DbBackend>& out) {
  // Never create a database: a path that names no file is a connect failure.
  if (path.empty() || !IsRegularFile(path)) return DB_NOT_CONNECTED;
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(path.c_str(), &db,
                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close(db);
    return DB_NOT_CONNECTED;
  }
  sqlite3_busy_timeout(db, 5000);
  sqlite3_extended_result_codes(db, 1);
  // A file that is no database fails here already. A database that another
  // program holds (a writer in rollback-journal mode) is only busy: after the
  // busy timeout, like any other statement, -54.
  rc = sqlite3_exec(db, "pragma journal_mode=wal", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close(db);
    return Belegt(rc) ? DB_BUSY : DB_NOT_CONNECTED;
  }
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  sqlite3_create_function(db, "TO_DATE", 2, SQLITE_UTF8, nullptr, FnToDate, nullptr, nullptr);
  sqlite3_create_function(db, "TO_CHAR", 2, flags, nullptr, FnToChar, nullptr, nullptr);
  sqlite3_create_function(db, "sysdate", 0, SQLITE_UTF8, nullptr, FnSysdate, nullptr, nullptr);
  sqlite3_create_function(db, "trunc", 1, flags, nullptr, FnTrunc, nullptr, nullptr);
  sqlite3_create_function(db, "CONCAT", -1, flags, nullptr, FnConcat, nullptr, nullptr);

  // The shared system calendar must be there: attached read-write, never
  // created. Without it the installation is incomplete and the connect fails.
  std::string dir = ".";
  size_t slash = path.rfind('/');
  if (slash != std::string::npos) dir = path.substr(0, slash == 0 ? 1 : slash);
  std::string sys = dir + "/QvSystem.db";
  std::string uri = "file:";
  for (char c : sys) {
    if (c == '%' || c == '?' || c == '#') {
      char esc[4];
      std::snprintf(esc, sizeof esc, "%%%02X", static_cast<unsigned char>(c));
      uri += esc;
    } else {
      uri += c;
    }
  }
  uri += "?mode=rw";
  sqlite3_stmt* st = nullptr;
  bool attached = false;
  if (IsRegularFile(sys) &&
      sqlite3_prepare_v2(db, "attach ?1 as QvSystem", -1, &st, nullptr) == SQLITE_OK) {
    sqlite3_bind_text(st, 1, uri.c_str(), -1, SQLITE_TRANSIENT);
    attached = sqlite3_step(st) == SQLITE_DONE;
  }
  sqlite3_finalize(st);
  st = nullptr;
  // The calendar file must hold the calendar: an empty or foreign file would
  // let the evaluations run against a missing calendar.
  if (attached) {
    rc = sqlite3_prepare_v2(db, "select 1 from QvSystem.Qvt133Bak, QvSystem.Qvt133Kal where 0", -1,
                            &st, nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_step(st);
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) {
      sqlite3_close(db);
      return Belegt(rc) ? DB_BUSY : DB_NOT_CONNECTED;
    }
  }
  if (!attached) {
    sqlite3_close(db);
    return DB_NOT_CONNECTED;
  }
  out = std::make_unique<SqliteBackend>(db);
  return DB_OK;
}
