// The database session: connect, final commit, rollback, and the statement
// runner every data-access module uses.
//
// There is one session per process. Each data-access function names its
// operation (for example "Mel_PKeyIns") and gives its statement text; the
// session prepares the text once, on first use, and reuses it for the rest of
// the run.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "db/DbBackend.h"

// Reads LOGIN, PASS and NET8 from the configuration file and connects.
// 0 when connected; a negative status otherwise (see DbStatus.h).
[[nodiscard]] int Db_Connect();

// Connects with the three parts of the connect string LOGIN/PASS@NET8.
[[nodiscard]] int Db_ConnectWith(const std::string& login, const std::string& pass,
                                 const std::string& net8);

// What a client library had to say while the last connect ran (for example
// that a password file others may read was ignored), or empty. Libraries
// never write to the console; the caller logs this text.
std::string Db_ConnectMeldung();

// Commits the open transaction; reports nothing.
void Db_Commit();
// Rolls back the open transaction; reports nothing.
void Db_Rollback();
// One correction is one transaction. Db_KorrekturBeginn opens it and takes
// the lock that keeps the corrections of other runs out until it ends: 0, or
// the failure's status (-54 when another run held the lock beyond the wait
// bound); then no correction is open. Inside it a single-row write keeps its
// savepoint (a failure of the data undoes only the statement) but commits
// nothing. The first environmental failure (Db_Umweltfehler) dooms the
// correction: every later statement returns that status without running.
[[nodiscard]] int Db_KorrekturBeginn();
// The environmental failure that doomed the current or last correction (0:
// none), and the operation that met it ("Begin" for the start, "Commit" for
// the commit).
[[nodiscard]] int Db_KorrekturAbbruch(std::string* op = nullptr);
// Commits the correction: 0; or, when it is doomed or the commit fails, rolls
// it back and returns the status (Db_KorrekturAbbruch names the operation).
[[nodiscard]] int Db_KorrekturCommit();
// Rolls the open correction back: nothing of it stays.
void Db_KorrekturRollback();

// Ends the session (tests and tools; the program ends with the process).
void Db_Disconnect();
bool Db_Connected();

// Single-row read: 0 with `row` filled, 1403 when no row, -1422 when more
// than one row qualifies, a negative status on failure.
[[nodiscard]] int Db_ReadOne(const char* op, const char* sql, const DbBinds& binds, DbZeile& row);

// Single-row write: savepoint "<savepoint>", statement, commit on success
// (inside a correction: release of the savepoint, the correction commits),
// rollback to the savepoint otherwise. Returns the statement's own status;
// an update or delete that touched no row returns 1403 (and is rolled back,
// which changes nothing).
[[nodiscard]] int Db_Write(const char* op, const char* savepoint, const char* sql,
                           const DbBinds& binds);

// A statement outside the single-row pattern (a delete of many rows, for
// example); no savepoint, no commit. `changed` receives the rows touched.
[[nodiscard]] int Db_Execute(const char* op, const char* sql, const DbBinds& binds,
                             long long* changed);

// A cursor holds the rows of its result as they stood at open, whatever the
// session changes and commits while it is open.
struct DbCursor {
  std::string op;
  std::vector<DbZeile> rows;
  size_t next = 0;
  bool open = false;
};

// Opens a closed cursor (opening an open one is a fault, asserted).
[[nodiscard]] int Db_CursorOpen(DbCursor& c, const char* op, const char* sql, const DbBinds& binds);
// 0 and `row` set to the next row; 1403 at the end; -1001 when not open.
// The fault seam can fail fetches of a cursor by naming "<operation>.Fetch".
[[nodiscard]] int Db_CursorFetch(DbCursor& c, const DbZeile*& row);
// 0; -1001 when not open.
[[nodiscard]] int Db_CursorClose(DbCursor& c);

// One statement of a data-access module: its operation name, its text, and
// what the row description of its record expects of it. Every module lists
// its statements (DbMel_Anweisungen ...), so that a test can prepare each one
// on each engine and hold it against its record.
struct DbAnweisung {
  const char* op;
  std::string sql;
  int spalten;  // select columns the record's conversion reads (0: none)
  int bind;     // highest ":bN" the record's binds fill; -1: bound otherwise
};

[[nodiscard]] inline int Db_ReadOne(const DbAnweisung& a, const DbBinds& binds, DbZeile& row) {
  return Db_ReadOne(a.op, a.sql.c_str(), binds, row);
}
[[nodiscard]] inline int Db_Write(const DbAnweisung& a, const char* savepoint,
                                  const DbBinds& binds) {
  return Db_Write(a.op, savepoint, a.sql.c_str(), binds);
}
[[nodiscard]] inline int Db_CursorOpen(DbCursor& c, const DbAnweisung& a, const DbBinds& binds) {
  return Db_CursorOpen(c, a.op, a.sql.c_str(), binds);
}
// The number of columns the statement's result has (0 for a write), as the
// engine prepares it: 0 and `spalten` set, or the prepare's failure.
[[nodiscard]] int Db_Spalten(const DbAnweisung& a, int& spalten);

// Test-only fault seam. A plan makes the Nth statement of the session (counted
// from 1 over every data-access statement run since the plan was set), or
// every run of a named operation, return the given status instead of running.
// Unset, it costs one branch per statement.
// A plan can also end the process abruptly (SIGKILL, no cleanup) just before
// its Nth statement runs: a crash at that point.
struct DbFehlerPlan {
  long nth = 0;
  int nthStatus = 0;
  std::map<std::string, int> operations;
  long killAt = 0;
};
void Db_SetFaultPlanForTest(const DbFehlerPlan& plan);
void Db_ClearFaultPlanForTest();
// Statements run since connect (or since the last plan was set).
long Db_StatementCount();
