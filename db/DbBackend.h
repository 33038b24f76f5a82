// The small interface between the session module and one database engine.
//
// Statement texts are written once, in the dialect the installation's
// statements use: positional binds ":b0", ":b1", ... (a number may appear more
// than once and then binds the same value), TO_CHAR / TO_DATE with the masks
// 'yyyymmdd', 'HH24MISS' and 'yyyymmddHH24MISS', `sysdate` and
// `trunc(sysdate)`. Each engine makes these pieces work its own way.
//
// Every call returns a status of DbStatus.h; no exception leaves a backend.
#pragma once

#include <memory>
#include <string>
#include <vector>

// One bound or fetched value. An empty text is NULL, as on the server the
// installation grew up with: it binds as NULL, and NULL reads back as empty
// text (numbers: 0).
struct DbWert {
  enum class Art { Null, Int, Real, Text };
  Art art = Art::Null;
  long long i = 0;
  double d = 0.0;
  std::string s;
};

DbWert DbInt(long long v);
DbWert DbReal(double v);
DbWert DbText(const std::string& v);  // empty text becomes NULL

using DbZeile = std::vector<DbWert>;
using DbBinds = std::vector<DbWert>;

// Reading a fetched column: NULL gives empty text or 0. A number beyond the
// int range reads as the nearest bound (NaN as 0), never as a wrapped value.
// The index lies within the row (asserted); a build without assertions reads
// a column beyond it as NULL.
std::string DbZeileText(const DbZeile& z, size_t i);
int DbZeileInt(const DbZeile& z, size_t i);
double DbZeileReal(const DbZeile& z, size_t i);

class DbBackend {
 public:
  virtual ~DbBackend() = default;

  // Prepares a statement once; `handle` identifies it for Execute.
  [[nodiscard]] virtual int Prepare(const std::string& sql, int& handle) = 0;

  // Runs a prepared statement with binds ":b0".. taken from binds[0]...
  // A query delivers every row into `rows` (materialised at once, so the
  // result stands as of this call whatever the session commits afterwards).
  // A write reports the number of rows it touched in `changed`.
  [[nodiscard]] virtual int Execute(int handle, const DbBinds& binds, std::vector<DbZeile>* rows,
                                    long long* changed) = 0;

  // Opens the transaction of one correction and takes the lock that keeps
  // other runs' corrections out until it ends (SQLite: the database's write
  // lock; PostgreSQL: one transaction-level advisory lock). 0, or the status
  // of the failure (-54 when the lock was not granted within the wait bound);
  // on a failure no transaction stays open.
  [[nodiscard]] virtual int Begin() = 0;

  // The number of columns of a prepared statement's result (0: a write).
  virtual int Spalten(int handle, int& spalten) = 0;

  [[nodiscard]] virtual int Savepoint(const std::string& name) = 0;
  // Keeps what was done since the savepoint and forgets the savepoint (the
  // transaction goes on). An engine may defer the release to its next
  // statement.
  [[nodiscard]] virtual int Release(const std::string& name) = 0;
  // Undoes everything since the savepoint; nothing stays pending afterwards.
  [[nodiscard]] virtual int RollbackTo(const std::string& name) = 0;
  [[nodiscard]] virtual int Commit() = 0;
  [[nodiscard]] virtual int Rollback() = 0;
};

// Opens the engine that the service part of the connect string names.
// `service` is what follows "@": "sqlite:<path>" for an SQLite file, or a
// PostgreSQL URI / connection string. Returns the status and the backend.
[[nodiscard]] int DbBackend_Open(const std::string& user, const std::string& password,
                                 const std::string& service, std::unique_ptr<DbBackend>& out);
