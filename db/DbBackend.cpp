#include "db/DbBackend.h"

#include <cassert>
#include <climits>
#include <cstdlib>

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
  assert(i < z.size() && "column index beyond the select list");
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

namespace {

// A number fetched into a 32-bit field: values beyond its range are held at
// the nearest bound (and NaN reads as 0), because a row written by another
// program may hold any number and the conversion must not go wrong on it.
int IntAusGrenze(long double v) {
  if (v != v) return 0;
  if (v >= static_cast<long double>(INT_MAX)) return INT_MAX;
  if (v <= static_cast<long double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(v);
}

}  // namespace

int DbZeileInt(const DbZeile& z, size_t i) {
  assert(i < z.size() && "column index beyond the select list");
  if (i >= z.size()) return 0;
  const DbWert& w = z[i];
  switch (w.art) {
    case DbWert::Art::Int:
      return IntAusGrenze(static_cast<long double>(w.i));
    case DbWert::Art::Real:
      return IntAusGrenze(w.d);
    case DbWert::Art::Text:
      // The leading decimal number of the text, as atoi reads it.
      // (strtoll holds an overlong number at its own bounds).
      return IntAusGrenze(static_cast<long double>(std::strtoll(w.s.c_str(), nullptr, 10)));
    default:
      return 0;
  }
}

double DbZeileReal(const DbZeile& z, size_t i) {
  assert(i < z.size() && "column index beyond the select list");
  if (i >= z.size()) return 0.0;
  const DbWert& w = z[i];
  switch (w.art) {
    case DbWert::Art::Int:
      return static_cast<double>(w.i);
    case DbWert::Art::Real:
      return w.d;
    case DbWert::Art::Text:
      return std::strtod(w.s.c_str(), nullptr);
    default:
      return 0.0;
  }
}

int DbBackend_Open(const std::string& user, const std::string& password, const std::string& service,
                   std::unique_ptr<DbBackend>& out) {
  // No default database or service: an empty service is a connect failure.
  if (service.empty()) return DB_NO_SERVICE;
  const std::string sqlite = "sqlite:";
  if (service.compare(0, sqlite.size(), sqlite) == 0) {
    return DbSqlite_Open(service.substr(sqlite.size()), out);
  }
  return DbPg_Open(user, password, service, out);
}
