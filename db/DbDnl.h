// Download data: the order headers and operations marked for download, and the
// terminal lines (Qvt557Cfg) that serve the ranges of their keys.
#pragma once

#include <string>
#include <vector>

#include "db/Dbstd.h"

// Terminal line row of Qvt557Cfg: the line number, its address and port, and
// five ranges of keys (from-value, to-value, description).
struct CfgSatz {
  int CfgDta = 0;      // line number; names the buffer file SndDnl<n>.buf
  std::string CfgIP;   // network address of the line
  std::string CfgPrt;  // port
  std::string CfgBez, CfgTxt;
  int CfgKr1 = 0;
  std::string CfgVn1, CfgBi1, CfgBz1;
  std::string CfgVn2, CfgBi2, CfgBz2;
  std::string CfgVn3, CfgBi3, CfgBz3;
  std::string CfgVn4, CfgBi4, CfgBz4;
  std::string CfgVn5, CfgBi5, CfgBz5;
  int CfgSta = 0;
  std::string CfgDat;
  std::string CfgErf;
};

// Cursors: Open returns 0 or a negative status; Fetch returns 0 with the next
// row, 1403 at the end or a negative, and leaves the record as it was unless
// 0; Close returns 0 (-1001 when not open). Each delivers its rows as they
// stood at open, whatever the session writes meanwhile.

// Order headers with ApkDwn = marker, ordered by ApkDwn, ApkFbe (and ApkApk,
// so that the order is the same on every engine). The fetch
// fills every field of the header record including the change instant ApkDat.
[[nodiscard]] int Apk_OpenDnl(const std::string& marker);
[[nodiscard]] int Apk_FetchDnl(ApkSatz& row);
[[nodiscard]] int Apk_CloseDnl();

// Operations with AppDwn = marker, ordered by AppDwn, AppFbe (then by key).
[[nodiscard]] int App_OpenDnl(const std::string& marker);
[[nodiscard]] int App_FetchDnl(AppSatz& row);
[[nodiscard]] int App_CloseDnl();

// Terminal lines whose first or second range holds `key` (text comparison,
// both bounds included; ranges 3 to 5 are not searched), lowest CfgDta first.
[[nodiscard]] int Cfg_OpenDnl(const std::string& key);
[[nodiscard]] int Cfg_FetchDnl(CfgSatz& row);
[[nodiscard]] int Cfg_CloseDnl();

// Every statement of this module, for the test that holds each against its
// record's row description.
std::vector<const DbAnweisung*> DbDnl_Anweisungen();
