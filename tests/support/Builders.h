// Row builders: one per table, so that each test states only what matters to
// it. Each takes an options struct whose members have the defaults of the
// row; a test names the members it changes with designated initializers:
//   Test_ApkSql({.apk = "B1", .sts = 3, .afo = 1})
// The *Sql builders return SQL text that inserts one row (run it with
// DbTest::Exec); the record builders return the record a data-access function
// takes. Dates are given as "yyyymmdd", instants as "yyyymmddHHMMSS"; an empty
// text inserts NULL.
#pragma once

#include <string>

#include "db/DbMel.h"

// SQL literal of a date "yyyymmdd" or an instant "yyyymmddHHMMSS" (NULL when empty).
std::string Test_DatumSql(const std::string& datum);

// ---------------------------------------------------------------------------
// Records

// A message of Qvt560Mel with sensible values in every column: a pending
// correction only when `ksb` and `kfc` say so; change instant `kdt` (empty:
// the message's own instant); the status flags "0".
struct TestMel {
  int bnr = 1;
  int lfn = 0;
  std::string dat = "20261201";
  std::string uhr = "080000";
  std::string obj = "M_A";  // object type
  std::string msk = "AB";   // message kind
  std::string pnr = "        ";
  std::string apl = "APL01";
  std::string apk = "A1000";
  std::string app = "0010";
  std::string ubg = "U1";
  std::string fcd = "F01";
  std::string ksb = "        ";  // clerk of a pending correction
  std::string kfc = "   ";       // correction code
  std::string kdt{};
};
MelSatz Test_Mel(const TestMel& m = {});

// An evaluation row of Qvt590Nza of kind `sa` with begin `beg` and end `end`
// (instants; empty for none); every column not named here empty or 0.
struct TestNza {
  int sa = 1;
  std::string apl = "APL01";
  std::string apk = "A1000";
  std::string app = "0010";
  std::string pnr{};
  std::string beg{};
  std::string end{};
  std::string bmk{};  // message kind of the begin
  std::string emk{};  // and of the end
  std::string emo{};  // shift model
  std::string erf{};  // producer
};
NzaSatz Test_Nza(const TestNza& n = {});

// An entry of the scratch list (`erf`, `dat`) of Qvt561Mlt: running number
// `lfn`, event key `obj` at instant `zeit`; every column not named here empty
// or 0.
struct TestMlt {
  std::string erf{};  // producer of the list
  std::string dat{};  // run stamp
  int lfn = 0;
  std::string obj{};
  std::string zeit{};
  std::string pnr{};
  std::string apl{};
  std::string apk{};
  std::string app{};
  std::string arg{};
  std::string ubg{};
};
MltSatz Test_Mlt(const TestMlt& m);

// ---------------------------------------------------------------------------
// Master data, parameters and terminal lines
//
// The order, operation and person builders write one of two rows: the lean
// row of the correction plant (the columns the correction run reads, the rest
// NULL), or with `voll` the complete sample row that the planning system
// would keep, every column filled, for the tests that read master data back
// column by column (download records, master-data reads). Which members a
// `voll` row takes is said at each struct.

// An order header of Qvt501Apk: `afo` operations of which `eaf` are finished,
// closing mode `aba`, part number "T-<apk>", text "Auftrag <apk>", range key
// `fbe`, download mark `dwn` and action `dna`. With `voll` the sample header
// "Gehaeuse Typ 4" (status 3, part number "TNR-4711", every date and text
// filled) takes only `apk`, `fbe`, `dwn` and `dna`.
struct TestApk {
  std::string apk = "A1000";
  int sts = 1;
  int afo = 2;
  int eaf = 0;
  int aba = 1;
  std::string fbe = "F1";
  std::string dwn{};
  std::string dna{};
  bool voll = false;
};
std::string Test_ApkSql(const TestApk& a = {});

// An operation of Qvt504App with status `sts`, successor `naf`, additional
// field 2 `zf2`, quantities 0, at APL01 of group GRP1, text "Arbeitsgang
// <app>". With `voll` the sample operation "Fraesen" (status 4, every date,
// quantity and time filled) takes only `apk`, `app`, `fbe`, `dwn` and `dna`.
struct TestApp {
  std::string apk = "A1000";
  std::string app = "0010";
  int sts = 1;
  std::string naf = "00020";
  std::string zf2{};
  std::string fbe = "F1";
  std::string dwn{};
  std::string dna{};
  bool voll = false;
};
std::string Test_AppSql(const TestApp& a = {});

// A person of Qvt510Prv with badge number `awn` (empty: "AW-<pnr>"), time
// model `pzm` and name "Person <pnr>". With `voll` the sample person "Muster"
// (valid 2026 and 2027, range key FBE1) takes `pnr`, `awn` and `pzm`.
struct TestPrv {
  std::string pnr = "P1";
  std::string awn{};
  int pzm = 0;
  bool voll = false;
};
std::string Test_PrvSql(const TestPrv& p = {});

// A terminal line of Qvt557Cfg serving the ranges `vn1`..`bi1` (and the
// second and third when given), with address `ip` (empty: "10.0.0.<dta>") and
// port `prt` (empty: "40<dta>"). With `voll` its name is "Linie <dta>" and the
// texts of the line and its ranges are filled; otherwise it is named "Linie".
struct TestCfg {
  int dta = 1;
  std::string ip{};
  std::string prt{};
  std::string vn1 = "F0";
  std::string bi1 = "F9";
  std::string vn2{}, bi2{}, vn3{}, bi3{};
  bool voll = false;
};
std::string Test_CfgSql(const TestCfg& c = {});

// A workplace of Qvt531Apl of group `apg`.
struct TestApl {
  std::string apl = "APL01";
  std::string apg = "GRP1";
};
std::string Test_AplSql(const TestApl& a = {});

// A function-code entry of Qvt553Fzu: message kind `mld` gives object type
// `obj`, function code `fcd` (empty: "F<mld>") and planning switch `upl`.
struct TestFzu {
  std::string mld = "AB";
  std::string obj = "M_A";
  int upl = 1;
  std::string fcd{};
};
std::string Test_FzuSql(const TestFzu& f = {});

// The function-code entries of the usual message kinds: order kinds ("AB",
// "RB", "AE", "RE", "AT", "AM", "AU", "AW") object type "M_A", person kinds
// ("PA", "PE", "PU", "PW") "MPA", machine kinds ("MS", "MT") "M__"; all reported
// to planning (FzuUpl 1). Function codes: "RB" A01 (setup begin), "AB" A03
// (work begin), "AM" A02 (quantity), "RE" A06 (setup end), "AE" and "AT" A07
// (end, partial end), "AU" A04 (interruption), "AW" A05 (resumption), others
// "F<kind>".
std::string Test_FzuStandardSql();

// An evaluation parameter row of Qvt591Nzp: key `akz` valid from `gvn` to
// `gbi`, evaluation flag `aak` and marker flag `mrk`.
struct TestNzp {
  int akz = 1;
  std::string gvn = "20260101";
  std::string gbi = "20271231";
  int aak = 0;
  int mrk = 0;
};
std::string Test_NzpSql(const TestNzp& n);

// ---------------------------------------------------------------------------
// Calendar and shift models

// A calendar day of QvSystem.Qvt133Bak: year, month, week, weekday (1 is
// Monday) and day of the year.
struct TestBak {
  std::string datum{};
  int jhr = 2026;
  int mon = 12;
  int wch = 0;
  int wtg = 0;
  int jtg = 0;
};
std::string Test_BakSql(const TestBak& b);

// Day type `btp` of calendar `kal` on `datum` (QvSystem.Qvt133Kal).
struct TestKal {
  std::string kal = "K1";
  std::string datum{};
  std::string btp = "AT";
};
std::string Test_KalSql(const TestKal& k);

// Assignment of shift model `emo` of calendar `kal` to the group or
// workplace `apg` with kind `kng` (1 group, 2 workplace), valid `gvo` to `gbi`
// (empty: open), machine-assignment number `maz`.
struct TestAem {
  std::string apg = "GRP1";
  int kng = 1;
  std::string emo{};
  std::string gvo = "20260101";
  std::string gbi{};
  std::string kal = "K1";
  int maz = 0;
};
std::string Test_AemSql(const TestAem& a);

// A shift of model `emo` for day type `ttp` from `beg` to `end` (minutes),
// text `txt`, break model `pmo`.
struct TestEmo {
  std::string emo{};
  std::string ttp = "AT";
  int beg = 0;
  int end = 0;
  std::string pmo{};
  std::string txt = "Schicht";
};
std::string Test_EmoSql(const TestEmo& e);

// Break model `pmo` uses break scheme `pms` from `gvo` to `gbi`.
struct TestPmz {
  std::string pmo{};
  std::string pms{};
  std::string gvo = "20260101";
  std::string gbi = "20271231";
};
std::string Test_PmzSql(const TestPmz& p);

// A break of scheme `num` from `beg` to `end` (minutes).
struct TestPms {
  std::string num{};
  int beg = 0;
  int end = 0;
};
std::string Test_PmsSql(const TestPms& p);
