#include "db/DbBackend.h"

#include "db/DbPg.h"
#include "db/DbSqlite.h"
#include "db/DbStatus.h"

DbWert DbInt(long long v) {
  DbWert w;
  w.art = DbWert::Art::Int;
  w.i = v;
  return w;
}

DbWert DbReal(double v) {
  DbWert w;
  w.art = DbWert::Art::Real;
  w.d = v;
  return w;
}

DbWert DbText(const std::string& v) {
  DbWert w;
  if (v.empty()) return w;
  w.art = DbWert::Art::Text;
  w.s = v;
  return w;
}

std::string DbZeileText(const DbZeile& z, size_t i) {
  if (i >= z.size()) return "";
  const DbWert& w = z[i];
  switch (w.art) {
    case DbWert::Art::Text:
      return w.s;
    case DbWert::Art::Int:
      return std::to_string(w.i);
    case DbWert::Art::Real:
      return std::to_string(w.d);
    default:
      return "";
  }
}

int DbZeileInt(const DbZeile& z, size_t i) {
  if (i >= z.size()) return 0;
  const DbWert& w = z[i];
  switch (w.art) {
    case DbWert::Art::Int:
      return static_cast<int>(w.i);
    case DbWert::Art::Real:
      return static_cast<int>(w.d);
    case DbWert::Art::Text:
      return std::atoi(w.s.c_str());
    default:
      return 0;
  }
}

double DbZeileReal(const DbZeile& z, size_t i) {
  if (i >= z.size()) return 0.0;
  const DbWert& w = z[i];
  switch (w.art) {
    case DbWert::Art::Int:
      return static_cast<double>(w.i);
    case DbWert::Art::Real:
      return w.d;
    case DbWert::Art::Text:
      return std::atof(w.s.c_str());
    default:
      return 0.0;
  }
}

int DbBackend_Open(const std::string& user, const std::string& password,
                   const std::string& service, std::unique_ptr<DbBackend>& out) {
  // No default database or service: an empty service is a connect failure.
  if (service.empty()) return DB_NO_SERVICE;
  const std::string sqlite = "sqlite:";
  if (service.compare(0, sqlite.size(), sqlite) == 0) {
    return DbSqlite_Open(service.substr(sqlite.size()), out);
  }
  return DbPg_Open(user, password, service, out);
}
