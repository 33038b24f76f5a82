#include "db/DbDb.h"

#include <signal.h>
#include <unistd.h>

#include <cassert>
#include <memory>
#include <unordered_map>

#include "db/DbPg.h"
#include "db/DbStatus.h"
#include "infra/Ini.h"

namespace {

struct Session {
  std::unique_ptr<DbBackend> backend;
  // operation -> its statement text and the prepared handle of that text
  std::unordered_map<std::string, std::pair<std::string, int>> prepared;
  long statements = 0;
  bool planSet = false;
  DbFehlerPlan plan;
  // The open correction: its writes stay uncommitted until its end, and the
  // first environmental failure inside it ends every later statement at once.
  bool korrektur = false;
  int abbruch = DB_OK;
  std::string abbruchOp;
};

Session& S() {
  static Session s;
  return s;
}

// Counts the statement and answers with the planned status when the fault
// plan names it; returns false when the statement is to run.
bool Faulted(const char* op, int& status) {
  Session& s = S();
  ++s.statements;
  if (!s.planSet) return false;
  if (s.plan.killAt > 0 && s.statements == s.plan.killAt) {
    // The process ends here as if killed: no cleanup, no commit, no flush.
    ::kill(::getpid(), SIGKILL);
  }
  auto it = s.plan.operations.find(op);
  if (it != s.plan.operations.end()) {
    status = it->second;
    return true;
  }
  if (s.plan.nth > 0 && s.statements == s.plan.nth) {
    status = s.plan.nthStatus;
    return true;
  }
  return false;
}

[[nodiscard]] int Handle(const char* op, const char* sql, int& handle) {
  Session& s = S();
  if (!s.backend) return DB_NOT_LOGGED_ON;
  // The operation's name finds its prepared statement; the text is compared
  // too, so that two statements under one name never run each other's text.
  auto it = s.prepared.find(op);
  if (it != s.prepared.end() && it->second.first == sql) {
    handle = it->second.second;
    return DB_OK;
  }
  int st = s.backend->Prepare(sql, handle);
  if (st == DB_OK) s.prepared[op] = {sql, handle};
  return st;
}

// Inside a correction, remembers the first environmental failure; true when
// the correction is (now) to be rolled back.
bool Abgebrochen(const char* op, int st) {
  Session& s = S();
  if (!s.korrektur) return false;
  if (s.abbruch == DB_OK && Db_Umweltfehler(st)) {
    s.abbruch = st;
    s.abbruchOp = op;
  }
  return s.abbruch != DB_OK;
}

[[nodiscard]] int Run(const char* op, const char* sql, const DbBinds& binds,
                      std::vector<DbZeile>* rows, long long* changed) {
  Session& s = S();
  // After an environmental failure the correction is lost anyway: nothing
  // more of it runs, every statement answers with that failure.
  if (s.korrektur && s.abbruch != DB_OK) return s.abbruch;
  int st = DB_OK;
  if (!Faulted(op, st)) {
    int handle = -1;
    st = Handle(op, sql, handle);
    if (st == DB_OK) st = s.backend->Execute(handle, binds, rows, changed);
  }
  Abgebrochen(op, st);
  return st;
}

}  // namespace

int Db_Connect() {
  std::string login, pass, net8;
  Ini_ReadLogin(login, pass, net8);
  return Db_ConnectWith(login, pass, net8);
}

namespace {
std::string gConnectMeldung;
}

std::string Db_ConnectMeldung() {
  return gConnectMeldung;
}

int Db_ConnectWith(const std::string& login, const std::string& pass, const std::string& net8) {
  Db_Disconnect();
  std::unique_ptr<DbBackend> backend;
  DbPg_ConnectMeldung();  // nothing of an earlier connect
  int st = DbBackend_Open(login, pass, net8, backend);
  gConnectMeldung = DbPg_ConnectMeldung();
  if (st != DB_OK) return st;
  S().backend = std::move(backend);
  return DB_OK;
}

void Db_Commit() {
  // The final commit of a run: nothing is left to do about a failure (each
  // correction has committed or been rolled back on its own).
  if (S().backend) (void)S().backend->Commit();
}

int Db_KorrekturBeginn() {
  Session& s = S();
  if (!s.backend) return DB_NOT_LOGGED_ON;
  s.korrektur = false;
  s.abbruch = DB_OK;
  s.abbruchOp.clear();
  // A write outside a correction has committed already; anything else still
  // open (a read's transaction on a server) ends here; it has written
  // nothing, so its commit's status changes nothing.
  (void)s.backend->Commit();
  int st = s.backend->Begin();
  if (st == DB_OK) {
    s.korrektur = true;
  } else {
    s.abbruch = st;
    s.abbruchOp = "Begin";
  }
  return st;
}

int Db_KorrekturAbbruch(std::string* op) {
  Session& s = S();
  if (op) *op = s.abbruchOp;
  return s.abbruch;
}

int Db_KorrekturCommit() {
  Session& s = S();
  if (!s.korrektur) return DB_OK;
  if (s.abbruch != DB_OK) {
    Db_KorrekturRollback();
    return s.abbruch;
  }
  s.korrektur = false;
  int st = s.backend->Commit();
  if (st != DB_OK) {
    // The commit's failure is the one reported; the rollback only clears up.
    (void)s.backend->Rollback();
    s.abbruch = st;
    s.abbruchOp = "Commit";
  }
  return st;
}

void Db_KorrekturRollback() {
  Session& s = S();
  s.korrektur = false;
  // Nothing more can be done about a failed rollback; the correction is not
  // committed either way.
  if (s.backend) (void)s.backend->Rollback();
}

void Db_Rollback() {
  // As Db_KorrekturRollback: nothing stays committed whatever it returns.
  if (S().backend) (void)S().backend->Rollback();
}

void Db_Disconnect() {
  Session& s = S();
  s.korrektur = false;
  s.abbruch = DB_OK;
  s.prepared.clear();
  s.backend.reset();
  s.statements = 0;
}

bool Db_Connected() {
  return S().backend != nullptr;
}

int Db_ReadOne(const char* op, const char* sql, const DbBinds& binds, DbZeile& row) {
  std::vector<DbZeile> rows;
  int st = Run(op, sql, binds, &rows, nullptr);
  if (st != DB_OK) return st;
  if (rows.empty()) return DB_NOT_FOUND;
  if (rows.size() > 1) return DB_TOO_MANY_ROWS;
  row = std::move(rows.front());
  return DB_OK;
}

int Db_Write(const char* op, const char* savepoint, const char* sql, const DbBinds& binds) {
  Session& s = S();
  if (!s.backend) return DB_NOT_LOGGED_ON;
  if (s.korrektur && s.abbruch != DB_OK) return s.abbruch;
  int st = s.backend->Savepoint(savepoint);
  if (st != DB_OK) {
    Abgebrochen(op, st);
    return st;
  }
  long long changed = 0;
  st = Run(op, sql, binds, nullptr, &changed);
  if (st == DB_OK && changed == 0) st = DB_NOT_FOUND;
  if (s.korrektur) {
    // The correction commits as a whole; the savepoint only undoes this
    // statement when it failed on its data.
    if (s.abbruch != DB_OK) return st;
    int rst = st == DB_OK ? s.backend->Release(savepoint) : s.backend->RollbackTo(savepoint);
    if (rst != DB_OK && Abgebrochen(op, rst) && st == DB_OK) return rst;
    return st;
  }
  if (st == DB_OK) {
    int cst = s.backend->Commit();
    if (cst != DB_OK) {
      // A commit that fails leaves nothing behind either; its status is the
      // one reported.
      (void)s.backend->RollbackTo(savepoint);
      return cst;
    }
    return DB_OK;
  }
  // The statement's own status is the one reported.
  (void)s.backend->RollbackTo(savepoint);
  return st;
}

int Db_Execute(const char* op, const char* sql, const DbBinds& binds, long long* changed) {
  long long n = 0;
  int st = Run(op, sql, binds, nullptr, &n);
  if (changed) *changed = n;
  return st;
}

int Db_CursorOpen(DbCursor& c, const char* op, const char* sql, const DbBinds& binds) {
  // Opening a cursor that is still open would drop its undelivered rows.
  assert(!c.open && "cursor opened twice");
  c.op = op;
  c.rows.clear();
  c.next = 0;
  c.open = false;
  int st = Run(op, sql, binds, &c.rows, nullptr);
  if (st != DB_OK) {
    c.rows.clear();
    return st;
  }
  c.open = true;
  return DB_OK;
}

int Db_CursorFetch(DbCursor& c, const DbZeile*& row) {
  row = nullptr;
  if (!c.open) return DB_CURSOR_CLOSED;
  Session& s = S();
  if (s.korrektur && s.abbruch != DB_OK) return s.abbruch;
  if (s.planSet) {
    auto it = s.plan.operations.find(c.op + ".Fetch");
    if (it != s.plan.operations.end()) {
      Abgebrochen((c.op + ".Fetch").c_str(), it->second);
      return it->second;
    }
  }
  if (c.next >= c.rows.size()) return DB_NOT_FOUND;
  row = &c.rows[c.next++];
  return DB_OK;
}

int Db_CursorClose(DbCursor& c) {
  if (!c.open) return DB_CURSOR_CLOSED;
  c.open = false;
  c.rows.clear();
  c.rows.shrink_to_fit();
  c.next = 0;
  return DB_OK;
}

int Db_Spalten(const DbAnweisung& a, int& spalten) {
  int handle = -1;
  int st = Handle(a.op, a.sql.c_str(), handle);
  if (st != DB_OK) return st;
  return S().backend->Spalten(handle, spalten);
}

void Db_SetFaultPlanForTest(const DbFehlerPlan& plan) {
  Session& s = S();
  s.plan = plan;
  s.planSet = true;
  s.statements = 0;
}

void Db_ClearFaultPlanForTest() {
  Session& s = S();
  s.plan = DbFehlerPlan{};
  s.planSet = false;
}

long Db_StatementCount() {
  return S().statements;
}
