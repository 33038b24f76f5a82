// Row descriptions: one table per record of the data-access modules.
//
// A record's table lists its members in the select order of its statements,
// each with the kind of its column, its select expression and the bind number
// ":bN" it takes in the record's writes. From that one table come the select
// list, the conversion of a fetched row into the record, the bind values of
// the record's writes and keys, and what a failed read leaves in the record.
// A new column is one new row of its record's table (plus the statement texts
// that write it and the schema).
//
// The tables are constexpr arrays of member pointers: converting a row walks
// the array once, with no allocation and no lookup by name.
#pragma once

#include <cstddef>
#include <string>

#include "db/DbBackend.h"
#include "db/DbDb.h"
#include "db/DbStatus.h"

// Select expressions of a date column read with one of the masks.
#define DB_TAG(spalte) "TO_CHAR(" spalte ",'yyyymmdd')"
#define DB_UHR(spalte) "TO_CHAR(" spalte ",'HH24MISS')"
#define DB_ZEIT(spalte) "TO_CHAR(" spalte ",'yyyymmddHH24MISS')"

enum class DbArt : unsigned char {
  Text,       // std::string
  Zahl,       // int
  Kurz,       // int of a 16-bit column: the value read is cut to 16 bits, widened
  Real,       // double
  Zeitpunkt,  // one instant as a date text and a time text: two select
              // columns (date, time), one bind value (see DbInstant)
};

// How the date and time texts of a Zeitpunkt become its bind value.
enum class DbInstant : unsigned char {
  Gepolstert,   // "%8s%6s" as it stands
  LeerIstNull,  // "%8s%6s"; blanks only bind as NULL (no instant)
  Mitternacht,  // date and time; no time is midnight, neither is NULL
};

// Marks of a table row.
constexpr unsigned char DbSchl = 1;    // key: bound by the key reads and deletes
constexpr unsigned char DbLeer = 2;    // cleared by a failed read under DbFehlRegel::Markierte
constexpr unsigned char DbZusatz = 4;  // only in the select lists that ask for it

// What a read or fetch that does not return 0 leaves in the record.
enum class DbFehlRegel : unsigned char {
  Behalten,       // the record stays as it was
  Markierte,      // the rows marked DbLeer are cleared, the others stay
  NurSchluessel,  // every row but the key is cleared (texts empty, numbers 0)
};

template <typename S>
struct DbFeld {
  DbArt art = DbArt::Text;
  const char* spalte = nullptr;   // select expression (Zeitpunkt: of the date)
  const char* spalte2 = nullptr;  // Zeitpunkt: select expression of the time
  int bind = -1;                  // N of ":bN" in the record's writes; -1: not written
  unsigned char merkmal = 0;      // DbSchl, DbLeer, DbZusatz
  DbInstant instant = DbInstant::Gepolstert;
  std::string S::*text = nullptr;  // Text; Zeitpunkt: the date
  std::string S::*uhr = nullptr;   // Zeitpunkt: the time
  int S::*zahl = nullptr;          // Zahl, Kurz
  double S::*real = nullptr;       // Real
};

template <typename S>
constexpr DbFeld<S> DbTx(const char* spalte, std::string S::*m, int bind = -1,
                         unsigned char merkmal = 0) {
  DbFeld<S> f;
  f.spalte = spalte;
  f.bind = bind;
  f.merkmal = merkmal;
  f.text = m;
  return f;
}

template <typename S>
constexpr DbFeld<S> DbNr(const char* spalte, int S::*m, int bind = -1, unsigned char merkmal = 0,
                         DbArt art = DbArt::Zahl) {
  DbFeld<S> f;
  f.art = art;
  f.spalte = spalte;
  f.bind = bind;
  f.merkmal = merkmal;
  f.zahl = m;
  return f;
}

// A 16-bit column, widened.
template <typename S>
constexpr DbFeld<S> DbKz(const char* spalte, int S::*m, int bind = -1, unsigned char merkmal = 0) {
  return DbNr(spalte, m, bind, merkmal, DbArt::Kurz);
}

template <typename S>
constexpr DbFeld<S> DbRe(const char* spalte, double S::*m, int bind = -1,
                         unsigned char merkmal = 0) {
  DbFeld<S> f;
  f.art = DbArt::Real;
  f.spalte = spalte;
  f.bind = bind;
  f.merkmal = merkmal;
  f.real = m;
  return f;
}

template <typename S>
constexpr DbFeld<S> DbZp(const char* spalteTag, const char* spalteUhr, std::string S::*tag,
                         std::string S::*uhr, DbInstant instant, int bind = -1,
                         unsigned char merkmal = 0) {
  DbFeld<S> f;
  f.art = DbArt::Zeitpunkt;
  f.spalte = spalteTag;
  f.spalte2 = spalteUhr;
  f.bind = bind;
  f.merkmal = merkmal;
  f.instant = instant;
  f.text = tag;
  f.uhr = uhr;
  return f;
}

// The bind value "yyyymmddHH24MISS" of a date text and a time text.
std::string DbInstantText(const std::string& tag, const std::string& uhr, DbInstant art);

// Column i of a fetched row as text into `out` (NULL: empty), reusing its
// storage.
void DbZeileTextIn(const DbZeile& z, size_t i, std::string& out);

// Joins select expressions with ",".
void DbSpalteAnhaengen(std::string& liste, const char* spalte);

// The number of select columns of a table (with or without its DbZusatz rows).
template <typename S, size_t N>
constexpr int DbSpaltenzahl(const DbFeld<S> (&t)[N], bool zusatz = false) {
  int n = 0;
  for (const DbFeld<S>& f : t) {
    if ((f.merkmal & DbZusatz) && !zusatz) continue;
    n += f.art == DbArt::Zeitpunkt ? 2 : 1;
  }
  return n;
}

// The highest bind number of the rows that carry every mark of `nur` (-1: none).
template <typename S, size_t N>
constexpr int DbHoechsterBind(const DbFeld<S> (&t)[N], unsigned char nur = 0) {
  int h = -1;
  for (const DbFeld<S>& f : t) {
    if ((f.merkmal & nur) == nur && f.bind > h) h = f.bind;
  }
  return h;
}

// The select list of a table: its expressions in order, joined by ",".
template <typename S, size_t N>
std::string DbSpalten(const DbFeld<S> (&t)[N], bool zusatz = false) {
  std::string liste;
  for (const DbFeld<S>& f : t) {
    if ((f.merkmal & DbZusatz) && !zusatz) continue;
    DbSpalteAnhaengen(liste, f.spalte);
    if (f.art == DbArt::Zeitpunkt) DbSpalteAnhaengen(liste, f.spalte2);
  }
  return liste;
}

// The bind values of the record: value of row k at its bind number, of the
// rows that carry every mark of `nur` (DbSchl: the key only). Numbers not
// given by any row bind NULL.
template <typename S, size_t N>
DbBinds DbBindsAus(const DbFeld<S> (&t)[N], const S& r, unsigned char nur = 0) {
  DbBinds b(static_cast<size_t>(DbHoechsterBind(t, nur) + 1));
  for (const DbFeld<S>& f : t) {
    if (f.bind < 0 || (f.merkmal & nur) != nur) continue;
    DbWert& w = b[static_cast<size_t>(f.bind)];
    switch (f.art) {
      case DbArt::Text:
        w = DbText(r.*f.text);
        break;
      case DbArt::Zahl:
      case DbArt::Kurz:
        w = DbInt(r.*f.zahl);
        break;
      case DbArt::Real:
        w = DbReal(r.*f.real);
        break;
      case DbArt::Zeitpunkt:
        w = DbText(DbInstantText(r.*f.text, r.*f.uhr, f.instant));
        break;
    }
  }
  return b;
}

// Copies a fetched row into the record, from column `ab` on.
template <typename S, size_t N>
void DbZeileIn(const DbFeld<S> (&t)[N], const DbZeile& z, S& r, size_t ab = 0,
               bool zusatz = false) {
  size_t i = ab;
  for (const DbFeld<S>& f : t) {
    if ((f.merkmal & DbZusatz) && !zusatz) continue;
    switch (f.art) {
      case DbArt::Text:
        DbZeileTextIn(z, i++, r.*f.text);
        break;
      case DbArt::Zahl:
        r.*f.zahl = DbZeileInt(z, i++);
        break;
      case DbArt::Kurz:
        r.*f.zahl = static_cast<short>(DbZeileInt(z, i++));
        break;
      case DbArt::Real:
        r.*f.real = DbZeileReal(z, i++);
        break;
      case DbArt::Zeitpunkt:
        DbZeileTextIn(z, i++, r.*f.text);
        DbZeileTextIn(z, i++, r.*f.uhr);
        break;
    }
  }
}

// Applies the rule of a failed read to the record.
template <typename S, size_t N>
void DbSatzLeeren(const DbFeld<S> (&t)[N], S& r, DbFehlRegel regel) {
  if (regel == DbFehlRegel::Behalten) return;
  for (const DbFeld<S>& f : t) {
    bool leeren =
        regel == DbFehlRegel::Markierte ? (f.merkmal & DbLeer) != 0 : (f.merkmal & DbSchl) == 0;
    if (!leeren) continue;
    switch (f.art) {
      case DbArt::Text:
        (r.*f.text).clear();
        break;
      case DbArt::Zahl:
      case DbArt::Kurz:
        r.*f.zahl = 0;
        break;
      case DbArt::Real:
        r.*f.real = 0;
        break;
      case DbArt::Zeitpunkt:
        (r.*f.text).clear();
        (r.*f.uhr).clear();
        break;
    }
  }
}

// The outcome of one read or fetch into the record: the row on 0, the rule
// of a failed read otherwise.
template <typename S, size_t N>
void DbSatzNach(const DbFeld<S> (&t)[N], int st, const DbZeile* z, S& r, DbFehlRegel regel,
                bool zusatz = false) {
  if (st == DB_OK && z != nullptr) {
    DbZeileIn(t, *z, r, 0, zusatz);
  } else {
    DbSatzLeeren(t, r, regel);
  }
}

// A cursor fetch into the record.
template <typename S, size_t N>
[[nodiscard]] int DbSatzHolen(DbCursor& c, const DbFeld<S> (&t)[N], S& r, DbFehlRegel regel,
                              bool zusatz = false) {
  const DbZeile* z = nullptr;
  int st = Db_CursorFetch(c, z);
  DbSatzNach(t, st, z, r, regel, zusatz);
  return st;
}

// A single-row read into the record.
template <typename S, size_t N>
[[nodiscard]] int DbSatzLesen(const DbAnweisung& a, const DbBinds& binds, const DbFeld<S> (&t)[N],
                              S& r, DbFehlRegel regel) {
  DbZeile z;
  int st = Db_ReadOne(a, binds, z);
  DbSatzNach(t, st, &z, r, regel);
  return st;
}
