// The writer of the download buffer files: one fixed-width record per changed
// order header or operation, appended to the buffer file of the terminal line
// that serves the row's range key. A separate communication process reads the
// files and feeds the terminals.
//
// Delivery is at least once, never torn: a correction's records are written
// and brought to the device before the correction commits. A crash between
// the two rolls the correction back, and its rerun sends the records again,
// so a record may arrive twice but none is lost; a record that could not be
// written whole is cut off again, so every file stays a whole number of
// records.
//
// Record (552 bytes, columns counted from 1):
//   1 "$" | 2 address, 15 left | 17 port, 5 left | 22 now yyyymmddHHMMSS |
//   36 "999" | 39 address, 15 right | 54 port, 5 right | 59 28 blanks |
//   87 "0460" | 91 object kind | 94 run date yymmdd | 100 run time HHMMSS |
//   106 "BDE" | 109 action, 3 right | 112 data image, 438 left | 550 "*" CR LF
//
// Buffer file: ../Comm/Buff/SndDnl<line>.buf relative to the working
// directory, <line> the line number CfgDta in decimal. At most one buffer file
// is open at a time: it stays open (under an exclusive advisory lock, so the
// communication process and other runs leave it alone meanwhile) while
// records for the same line follow one another, and is closed when a record
// for another line comes or Dnl_DateiSchliessen is called at the end of the
// correction. A file locked by another process is waited for in steps of
// kDnlSperrSchrittMs, at most kDnlSperrWarteMs; then the record counts as not
// sent. Every record is appended to what the file already holds.
#pragma once

#include <cstddef>
#include <string>

#include "db/DbDnl.h"

constexpr std::size_t kDnlSatzLaenge = 552;
constexpr std::size_t kDnlDatenBreite = 438;
constexpr const char* kDnlPuffer = "../Comm/Buff/SndDnl";
constexpr int kDnlSperrSchrittMs = 20;
constexpr int kDnlSperrWarteMs = 10000;

// One prepared download entry.
struct DnlEintrag {
  std::string datum;   // run date yyyymmdd
  std::string zeit;    // run time HHMMSS
  std::string aktion;  // the row's download action ("NEU", "LOE", ...)
  std::string objekt;  // "APK" order header, "APP" operation
  std::string daten;   // the fixed-column data image of the row
};

// The buffer file name of line `linie`.
std::string Dnl_DateiName(int linie);

// Formats the record of `eintrag` for line `cfg` stamped `stempel`
// (yyyymmddHHMMSS). False, with `feld` naming the value, when a value is wider
// than its field: such a record would shift every later column, so it is not
// formed at all.
bool Dnl_SatzBilden(const DnlEintrag& eintrag, const CfgSatz& cfg, const std::string& stempel,
                    std::string& satz, std::string& feld);

// The terminal line whose first or second range holds `key`, lowest line
// number first. Returns the status: 0 with `cfg` filled; 1403 when no line
// serves the key; a negative on failure (logged as "ReadFile" /
// "IP-Ermitteln" with the status).
[[nodiscard]] int IP_Ermitteln(CfgSatz& cfg, const std::string& key);

// Appends the record of `eintrag` to the buffer file of the line that serves
// `key`. Returns 0 when the record was written; the status of the line lookup
// when it failed (nothing written); -1 when the record could not be formed or
// the file could not be opened, locked, positioned or written (logged). After
// any file failure no file is open, so the next record opens again.
[[nodiscard]] int Dnl_Senden(const DnlEintrag& eintrag, const std::string& key);

// Brings the open buffer file's records to the device and closes it, if one
// is open (end of each correction, before its commit). 0, or the failed sync's
// status (logged as "FlushFileBuffers" / "Datei sichern").
[[nodiscard]] int Dnl_DateiSchliessen();

// Test seam: another bound for the wait on a locked buffer file (a negative
// value restores kDnlSperrWarteMs).
void Dnl_SetSperrWarteForTest(int milliseconds);

// The line whose buffer file is open, or -1 when none is open.
int Dnl_OffeneLinie();
