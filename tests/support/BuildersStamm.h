// Builders for order headers, operations, shift models, calendar days and
// terminal lines, and the fixture of the download tests.
//
// Each builder returns SQL text that inserts one row with sensible values in
// every column; a test changes the columns that matter to it with an update.
// Dates are given as "yyyymmdd", instants as "yyyymmddHHMMSS"; an empty text
// inserts NULL.
#pragma once

#include <string>
#include <vector>

#include "support/TestDb.h"

// SQL literal of a date "yyyymmdd" or an instant "yyyymmddHHMMSS" (NULL when empty).
std::string Test_DatumSql(const std::string& datum);

// Order header `apk` with range key `fbe`, download marker `dwn`, action `dna`.
std::string Test_ApkSql(const std::string& apk, const std::string& fbe = "FBE1",
                        const std::string& dwn = "", const std::string& dna = "");
// Operation `apk`/`app` with range key `fbe`, download marker and action.
std::string Test_AppSql(const std::string& apk, const std::string& app,
                        const std::string& fbe = "FBE1", const std::string& dwn = "",
                        const std::string& dna = "");
// Terminal line `dta` with address and port and the first three ranges.
std::string Test_CfgSql(int dta, const std::string& ip, const std::string& prt,
                        const std::string& vn1, const std::string& bi1, const std::string& vn2 = "",
                        const std::string& bi2 = "", const std::string& vn3 = "",
                        const std::string& bi3 = "");
// Workplace `apl` of group `apg`.
std::string Test_AplSql(const std::string& apl, const std::string& apg);
// Person `pnr` with badge number `awn` and time model `pzm`.
std::string Test_PrvSql(const std::string& pnr, const std::string& awn, int pzm);
// Calendar day `datum` (QvSystem.Qvt133Bak) with year, month, week, weekday, day of year.
std::string Test_BakSql(const std::string& datum, int jhr, int mon, int wch, int wtg, int jtg);
// Day type `btp` of calendar `kal` on `datum` (QvSystem.Qvt133Kal).
std::string Test_KalSql(const std::string& kal, const std::string& datum, const std::string& btp);
// Assignment of shift model `emo` to `apg` with kind `kng`, valid `gvo` to `gbi`.
std::string Test_AemSql(const std::string& apg, int kng, const std::string& emo,
                        const std::string& gvo, const std::string& gbi, const std::string& kal,
                        int maz = 0);
// Shift of model `emo` for day type `ttp` from `beg` to `end` minutes, break model `pmo`.
std::string Test_EmoSql(const std::string& emo, const std::string& ttp, int beg, int end,
                        const std::string& pmo = "");
// Break model `pmo` uses break scheme `pms` from `gvo` to `gbi`.
std::string Test_PmzSql(const std::string& pmo, const std::string& gvo, const std::string& pms,
                        const std::string& gbi);
// Break of scheme `num` from `beg` to `end` minutes.
std::string Test_PmsSql(const std::string& num, int beg, int end);

// A database test that runs in a temporary working directory whose
// ../Comm/Buff holds the buffer files, with the log in ./Msg and "now" fixed
// at 2026-12-01 14:30:07. The working directory is restored afterwards and no
// buffer file stays open.
class DnlDbTest : public DbTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The content of buffer file SndDnl<linie>.buf ("" when missing).
  std::string Puffer(int linie) const;
  bool PufferDa(int linie) const;
  // The log written so far.
  std::string Protokoll() const;
  // True when the log holds an FMSG entry with this message, function and code.
  bool Geloggt(const std::string& message, const std::string& funktion, int code) const;

  std::string root_;  // the installation folder: work/, Comm/Buff/
  std::string alt_;   // the working directory before the test
};
