#include "db/DbPg.h"

#include "db/DbStatus.h"

int DbPg_Open(const std::string&, const std::string&, const std::string&,
              std::unique_ptr<DbBackend>&) {
  return DB_NO_SERVICE;
}
