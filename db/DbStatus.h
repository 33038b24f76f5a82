// Status codes of the data-access layer.
//
// Every data-access function returns one of these. The numbering follows the
// database client the installation's other programs use, because callers and
// the log rely on it: 0 success, 1403 no row / end of cursor, negatives for
// failures. A backend turns its own error codes into exactly these numbers.
//
//   status   meaning
//   -------  -----------------------------------------------------------------
//        0   success
//     1403   no row found, end of cursor, update/delete that touched no row
//       -1   unique key violated (an insert that meets an existing key)
//      -54   resource busy: the database or a row is locked by another session
//      -60   deadlock / serialisation failure detected
//     -904   a column named in a statement does not exist
//     -942   a table named in a statement does not exist
//    -1001   cursor not open (fetch or close without a successful open)
//    -1012   not logged on: a statement ran without a connected session
//    -1017   login refused (wrong user or password)
//    -1031   the session lacks the right for the statement (privilege, read-only)
//    -1400   NOT NULL column would receive NULL (an empty text binds as NULL)
//    -1422   a single-row read found more than one row
//    -1438   number outside the range of its column (16-bit columns)
//    -1653   no space left: the disk or another resource of the server is full
//    -1861   text does not match its date mask, or is no valid date
//    -3114   not connected: the database cannot be reached or was lost
//   -12154   connect string without a usable service (empty or unknown engine)
//   -12899   value wider than its column (or otherwise failing a column check)
//   -27072   I/O error reading or writing the database files (or a damaged file)
//   -20000   any other database failure (reported with this one number)
#pragma once

constexpr int DB_OK = 0;
constexpr int DB_NOT_FOUND = 1403;
constexpr int DB_DUP_KEY = -1;
constexpr int DB_BUSY = -54;
constexpr int DB_DEADLOCK = -60;
constexpr int DB_NO_COLUMN = -904;
constexpr int DB_NO_TABLE = -942;
constexpr int DB_CURSOR_CLOSED = -1001;
constexpr int DB_NOT_LOGGED_ON = -1012;
constexpr int DB_LOGIN_REFUSED = -1017;
constexpr int DB_NOT_NULL = -1400;
constexpr int DB_TOO_MANY_ROWS = -1422;
constexpr int DB_OUT_OF_RANGE = -1438;
constexpr int DB_BAD_DATE = -1861;
constexpr int DB_NOT_CONNECTED = -3114;
constexpr int DB_NO_SERVICE = -12154;
constexpr int DB_TOO_WIDE = -12899;
constexpr int DB_OTHER = -20000;
constexpr int DB_NO_PRIVILEGE = -1031;
constexpr int DB_NO_SPACE = -1653;
constexpr int DB_IO_ERROR = -27072;

// Failures of the environment, not of the data: a lock held by another
// session (-54), a deadlock or serialisation failure (-60), a lost or missing
// connection (-3114, -1012), a missing right (-1031), a full disk (-1653) and
// an I/O error (-27072). Run again later, the same statement may well
// succeed. Inside a correction such a failure rolls the whole correction back
// (it stays pending); every other status, the catch-all -20000 included, is a
// failure of the data and undoes only its own statement.
constexpr bool Db_Umweltfehler(int status) {
  switch (status) {
    case DB_BUSY:
    case DB_DEADLOCK:
    case DB_NOT_CONNECTED:
    case DB_NOT_LOGGED_ON:
    case DB_NO_PRIVILEGE:
    case DB_NO_SPACE:
    case DB_IO_ERROR:
      return true;
    default:
      return false;
  }
}

// The session itself is gone: nothing more can be done in this run.
constexpr bool Db_Verbindungsverlust(int status) {
  return status == DB_NOT_CONNECTED || status == DB_NOT_LOGGED_ON;
}
