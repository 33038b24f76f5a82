// SQLite engine of the data-access layer (the embedded default).
//
// The database is one file named by the service "sqlite:<path>" (relative to
// the working directory). Opening never creates a file: a wrong path is a
// connect failure. The calendar of the shared system schema lives in the file
// "QvSystem.db" in the same folder and is attached as schema QvSystem; a
// missing calendar file is a connect failure. The installation's date pieces
// are registered as SQL functions: TO_CHAR(date, mask), TO_DATE(text, mask),
// sysdate() (the statement text's bare `sysdate` is rewritten to it),
// trunc(date) and CONCAT(a, b). Dates are stored as text
// 'YYYY-MM-DD HH:MM:SS'.
#pragma once

#include <memory>
#include <string>

#include "db/DbBackend.h"

[[nodiscard]] int DbSqlite_Open(const std::string& path, std::unique_ptr<DbBackend>& out);

// Date helpers of the SQLite functions, exposed for tests.
// "20040301133000" with mask 'yyyymmddHH24MISS' -> "2004-03-01 13:30:00".
// Returns false for text that does not match the mask or is no valid date.
bool DbSqlite_ToDate(const std::string& text, const std::string& mask, std::string& out);
// "2004-03-01 13:30:00" with mask 'HH24MISS' -> "133000".
bool DbSqlite_ToChar(const std::string& stored, const std::string& mask, std::string& out);
