// PostgreSQL engine of the data-access layer (the database server).
//
// The session speaks libpq. Each statement text is rewritten once, prepared
// once per session and executed with its bind values as text:
// - ":bN" binds become $1, $2, ... in order of first appearance; a number that
//   repeats binds the same value, gaps in the numbering are allowed;
// - `sysdate` becomes one extra parameter that carries the program's clock
//   (Clock_Now) at every execution, typed timestamp;
// - TO_DATE(text, mask) becomes pg_temp.qv_to_date(text, mask, <now>), a
//   strict conversion created in the session's temporary schema at connect:
//   blank text is NULL, a text that does not match its mask or is no valid
//   date fails with -1861, 'HH24MISS' alone lands on the first day of the
//   current month;
// - trunc(x) becomes pg_temp.qv_trunc(x): the day of a timestamp, the integral
//   part of a number;
// - TO_CHAR(date, mask) and CONCAT are the server's own.
// A number bound where the server expects an interval (date + :bN) counts
// days, as in the installation's dialect.
//
// Savepoints work inside explicit transactions: Savepoint() opens one when
// none is open; every statement run inside a transaction is atomic on its own
// (a failed statement undoes only itself, the transaction stays usable);
// RollbackTo() leaves nothing pending; Commit() ends the transaction. Outside
// a write the session runs in autocommit.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "db/DbBackend.h"

// Connects with `conninfo` (the NET8 part: a postgresql:// or postgres:// URI,
// a keyword=value connection string, or a bare word naming a service of the
// libpq service file), user and password given separately (each only when not
// empty: an empty one leaves what the connection string or the libpq
// environment gives). 0 and `out` set when connected; otherwise -12154 for an
// unusable connection string, unknown service, host or database, -1017 for a
// refused login, -3114 for a server that cannot be reached.
[[nodiscard]] int DbPg_Open(const std::string& user, const std::string& password,
                            const std::string& conninfo, std::unique_ptr<DbBackend>& out);

// What the client library printed while the last DbPg_Open connected (for
// example that a password file others may read was ignored); empty when
// nothing. It never reaches the console: the caller logs it. Reading it
// clears it.
std::string DbPg_ConnectMeldung();

// A statement text in the server's form (see above), exposed for tests.
struct DbPgText {
  std::string sql;
  std::vector<int> bindOf;  // parameter $k+1 takes the value of ":b<bindOf[k]>"
  bool now = false;         // the last parameter carries `sysdate`
};
// False for a text whose parentheses or quotes do not balance.
bool DbPg_Rewrite(const std::string& sql, DbPgText& out);

// The status for a server error's SQLSTATE (five characters); see DbStatus.h.
[[nodiscard]] int DbPg_StatusOf(const std::string& sqlstate);
