#include "db/DbDb.h"

#include <memory>
#include <unordered_map>

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

int Handle(const char* op, const char* sql, int& handle) {
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

int Run(const char* op, const char* sql, const DbBinds& binds, std::vector<DbZeile>* rows,
        long long* changed) {
  int st = DB_OK;
  if (Faulted(op, st)) return st;
  int handle = -1;
  st = Handle(op, sql, handle);
  if (st != DB_OK) return st;
  return S().backend->Execute(handle, binds, rows, changed);
}

}  // namespace

int Db_Connect() {
  std::string login, pass, net8;
  Ini_ReadLogin(login, pass, net8);
  return Db_ConnectWith(login, pass, net8);
}

int Db_ConnectWith(const std::string& login, const std::string& pass, const std::string& net8) {
  Db_Disconnect();
  std::unique_ptr<DbBackend> backend;
  int st = DbBackend_Open(login, pass, net8, backend);
  if (st != DB_OK) return st;
  S().backend = std::move(backend);
  return DB_OK;
}

void Db_Commit() {
  if (S().backend) S().backend->Commit();
}

void Db_Rollback() {
  if (S().backend) S().backend->Rollback();
}

void Db_Disconnect() {
  Session& s = S();
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
  int st = s.backend->Savepoint(savepoint);
  if (st != DB_OK) return st;
  long long changed = 0;
  st = Run(op, sql, binds, nullptr, &changed);
  if (st == DB_OK && changed == 0) st = DB_NOT_FOUND;
  if (st == DB_OK) {
    int cst = s.backend->Commit();
    if (cst != DB_OK) {
      // A commit that fails leaves nothing behind either.
      s.backend->RollbackTo(savepoint);
      return cst;
    }
    return DB_OK;
  }
  s.backend->RollbackTo(savepoint);
  return st;
}

int Db_Execute(const char* op, const char* sql, const DbBinds& binds, long long* changed) {
  long long n = 0;
  int st = Run(op, sql, binds, nullptr, &n);
  if (changed) *changed = n;
  return st;
}

int Db_CursorOpen(DbCursor& c, const char* op, const char* sql, const DbBinds& binds) {
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
  if (s.planSet) {
    auto it = s.plan.operations.find(c.op + ".Fetch");
    if (it != s.plan.operations.end()) return it->second;
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
