#include "infra/Clock.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool ParseFixedNow(const char* text, std::tm& out) {
  if (text == nullptr || std::strlen(text) != 14) return false;
  for (int i = 0; i < 14; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  auto num = [&](int pos, int len) {
    int v = 0;
    for (int i = 0; i < len; ++i) v = v * 10 + (text[pos + i] - '0');
    return v;
  };
  std::tm t{};
  t.tm_year = num(0, 4) - 1900;
  t.tm_mon = num(4, 2) - 1;
  t.tm_mday = num(6, 2);
  t.tm_hour = num(8, 2);
  t.tm_min = num(10, 2);
  t.tm_sec = num(12, 2);
  t.tm_isdst = -1;
  // Normalise and fill weekday and day of year.
  std::time_t when = std::mktime(&t);
  if (when == static_cast<std::time_t>(-1)) return false;
  localtime_r(&when, &out);
  return true;
}

}  // namespace

std::tm Clock_Now() {
  std::tm out{};
  if (ParseFixedNow(std::getenv("QV_TEST_NOW"), out)) return out;
  std::time_t now = std::time(nullptr);
  localtime_r(&now, &out);
  return out;
}

std::string Clock_Instant() {
  std::tm t = Clock_Now();
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return buf;
}
