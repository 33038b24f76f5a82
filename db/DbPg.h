// PostgreSQL engine of the data-access layer.
#pragma once

#include <memory>
#include <string>

#include "db/DbBackend.h"

// Connects with `conninfo` (a postgresql:// URI or a libpq connection string),
// user and password given separately.
int DbPg_Open(const std::string& user, const std::string& password, const std::string& conninfo,
              std::unique_ptr<DbBackend>& out);
