#include "db/DbSatz.h"

#include <cstdio>

std::string DbInstantText(const std::string& tag, const std::string& uhr, DbInstant art) {
  if (art == DbInstant::Mitternacht) {
    if (tag.empty() && uhr.empty()) return std::string();
    return tag + (uhr.empty() ? std::string("000000") : uhr);
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%8s%6s", tag.c_str(), uhr.c_str());
  std::string s = buf;
  if (art == DbInstant::LeerIstNull && s.find_first_not_of(' ') == std::string::npos) {
    return std::string();
  }
  return s;
}

void DbZeileTextIn(const DbZeile& z, size_t i, std::string& out) {
  if (i < z.size() && z[i].art == DbWert::Art::Text) {
    out.assign(z[i].s);
  } else if (i >= z.size() || z[i].art == DbWert::Art::Null) {
    out.clear();
  } else {
    out = DbZeileText(z, i);
  }
}

void DbSpalteAnhaengen(std::string& liste, const char* spalte) {
  if (!liste.empty()) liste += ',';
  liste += spalte;
}
