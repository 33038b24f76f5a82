#include "infra/Datum.h"

#include <climits>
#include <cstdio>
#include <ctime>

#include "infra/Clock.h"

namespace {

// Reads up to `n` characters from `pos` of `s` as a decimal number the way
// the C library does: leading blanks, an optional sign, then digits up to the
// first non-digit. Characters past the end of `s` are not there; nothing
// readable gives 0.
int LeseZahl(const std::string& s, size_t pos, size_t n) {
  size_t end = pos + n;
  if (end > s.size()) end = s.size();
  size_t i = pos;
  while (i < end && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r' || s[i] == '\v' ||
                     s[i] == '\f'))
    ++i;
  bool negativ = false;
  if (i < end && (s[i] == '+' || s[i] == '-')) {
    negativ = s[i] == '-';
    ++i;
  }
  long long v = 0;
  while (i < end && s[i] >= '0' && s[i] <= '9') {
    v = v * 10 + (s[i] - '0');
    if (v > INT_MAX) v = INT_MAX;
    ++i;
  }
  return static_cast<int>(negativ ? -v : v);
}

// The first 14 characters of a timestamp; missing ones read as "0".
std::string Vierzehn(const std::string& stempel) {
  std::string t = stempel.substr(0, 14);
  t.resize(14, '0');
  return t;
}

// Day number of a Gregorian date (days since 1 March of year 0).
long long TagNummer(long long y, int m, int d) {
  y -= m <= 2;
  long long era = (y >= 0 ? y : y - 399) / 400;
  long long yoe = y - era * 400;
  long long mp = (m + 9) % 12;
  long long doy = (153 * mp + 2) / 5 + d - 1;
  long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

void AusTagNummer(long long z, long long& y, int& m, int& d) {
  long long era = (z >= 0 ? z : z - 146096) / 146097;
  long long doe = z - era * 146097;
  long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  long long mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = yoe + era * 400 + (m <= 2);
}

}  // namespace

int Get_SysDatum(std::string& a, std::string& b, int layout) {
  a.clear();
  b.clear();
  const char* formA = nullptr;
  const char* formB = nullptr;
  switch (layout) {
    case 1:
      formA = "%d%m20%y";
      formB = "%H%M%S";
      break;
    case 2:
      formA = "%d%m20%y%H%M%S";
      break;
    case 3:
      formA = "20%y%m%d";
      formB = "%H%M%S";
      break;
    case 4:
      formA = "20%y%m%d%H%M%S";
      break;
    default:
      return 0;
  }
  std::tm jetzt = Clock_Now();
  char puffer[40];
  if (std::strftime(puffer, sizeof puffer, formA, &jetzt) > 0) a = puffer;
  if (formB != nullptr) {
    char pufferB[9];
    if (std::strftime(pufferB, sizeof pufferB, formB, &jetzt) > 0) b = pufferB;
  }
  return 0;
}

int Zeit_InMinuten(const std::string& zeit) {
  long long stunden = LeseZahl(zeit, 0, 2);
  long long minuten = LeseZahl(zeit, 2, 2);
  return static_cast<int>(stunden * 60 + minuten);
}

std::string Minuten_InZeit(int minuten) {
  char puffer[32];
  std::snprintf(puffer, sizeof puffer, "%02d%02d00", minuten / 60, minuten % 60);
  std::string out = puffer;
  if (out == "240000") out = "235959";
  return out;
}

int Zeit_Differenz(const std::string& t1, const std::string& t2) {
  auto sekunden = [](const std::string& stempel) {
    std::string datum, zeit;
    Stempel_Zerlegen(stempel, datum, zeit);
    // "dd.mm.yyyy": the full stops end the day and the month.
    int tag = LeseZahl(datum, 0, 2);
    int monat = LeseZahl(datum, 3, 2);
    int jahr = LeseZahl(datum, 6, 4);
    return Datum_InSekunden(tag, monat, jahr) + Uhrzeit_InSekunden(zeit);
  };
  long long d = sekunden(t1) - sekunden(t2);
  if (d > INT_MAX) return INT_MAX;
  if (d < INT_MIN) return INT_MIN;
  return static_cast<int>(d);
}

void Stempel_Zerlegen(const std::string& stempel, std::string& datum, std::string& zeit) {
  const std::string t = Vierzehn(stempel);
  datum = t.substr(6, 2) + "." + t.substr(4, 2) + "." + t.substr(0, 4);
  zeit = t.substr(8, 2) + ":" + t.substr(10, 2) + ":" + t.substr(12, 2);
}

int Uhrzeit_InSekunden(const std::string& zeit) {
  long long h = LeseZahl(zeit, 0, 2);
  long long m = LeseZahl(zeit, 3, 2);
  long long s = LeseZahl(zeit, 6, 2);
  return static_cast<int>(h * 3600 + m * 60 + s);
}

long long Datum_InSekunden(int tag, int monat, int jahr) {
  if (jahr < 100) jahr += jahr < 70 ? 2000 : 1900;
  return static_cast<long long>(Tage_Zwischen(1, 1, 1970, tag, monat, jahr)) * 86400;
}

int Tage_Zwischen(int tag1, int monat1, int jahr1, int tag2, int monat2, int jahr2) {
  auto nummer = [](int d, int m, int y) {
    // Leap days of the Gregorian calendar before year y.
    long long vorher = static_cast<long long>(y) - 1;
    long long schalt = static_cast<long long>(vorher / 4 - (vorher / 100) * 0.75);
    return Tag_ImJahr(d, m, y) + 365LL * y + schalt;
  };
  long long d = nummer(tag1, monat1, jahr1) - nummer(tag2, monat2, jahr2);
  if (d < 0) d = -d;
  return d > INT_MAX ? INT_MAX : static_cast<int>(d);
}

int Tag_ImJahr(int tag, int monat, int jahr) {
  long long summe = tag;
  int bis = monat > 13 ? 13 : monat;
  for (int m = 1; m < bis; ++m) summe += Monat_Laenge(m, jahr);
  // Month numbers past December count 31 days each (see Monat_Laenge).
  if (monat > 13) summe += 31LL * (monat - 13);
  if (summe > INT_MAX) return INT_MAX;
  if (summe < INT_MIN) return INT_MIN;
  return static_cast<int>(summe);
}

int Monat_Laenge(int monat, int jahr) {
  switch (monat) {
    case 2:
      return ((jahr % 4 == 0 && jahr % 100 != 0) || jahr % 400 == 0) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    default:
      return 31;
  }
}

bool Datum_Plus(const std::string& datum, int tage, std::string& out) {
  if (datum.size() != 8) return false;
  for (char c : datum) {
    if (c < '0' || c > '9') return false;
  }
  int y = LeseZahl(datum, 0, 4);
  int m = LeseZahl(datum, 4, 2);
  int d = LeseZahl(datum, 6, 2);
  if (y < 1 || m < 1 || m > 12 || d < 1 || d > Monat_Laenge(m, y)) return false;
  long long ny = 0;
  int nm = 0, nd = 0;
  AusTagNummer(TagNummer(y, m, d) + tage, ny, nm, nd);
  if (ny < 1 || ny > 9999) return false;
  char puffer[16];
  std::snprintf(puffer, sizeof puffer, "%04lld%02d%02d", ny, nm, nd);
  out = puffer;
  return true;
}
