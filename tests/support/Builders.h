// Row builders: one per table, so that each test states only what matters to
// it. Each takes an options struct whose members carry the row's defaults; a
// test names what it changes with designated initializers:
//   Test_ApkSql({.apk = "B1", .sts = 3, .afo = 1})
// The *Sql builders return SQL text that inserts one row (run it with
// DbTest::Exec); the record builders return the record a data-access function
// takes. Dates are "yyyymmdd", instants "yyyymmddHHMMSS"; an empty text
// inserts NULL. Every member has an initializer, so that leaving one out
// raises no missing-initializer warning.
#pragma once

#include <string>

#include "db/DbMel.h"

// SQL literal of a date "yyyymmdd" or an instant "yyyymmddHHMMSS" (NULL when empty).
std::string Test_DatumSql(const std::string& datum);

// ---------------------------------------------------------------------------
// Records

// A message of Qvt560Mel of object type `obj` and kind `msk`: a pending
// correction only when clerk `ksb` and code `kfc` say so; change instant `kdt`
// (empty: the message's own instant); the status flags "0".
struct TestMel {
  int bnr = 1, lfn = 0;
  std::string dat = "20261201", uhr = "080000";
  std::string obj = "M_A", msk = "AB", pnr = "        ";
  std::string apl = "APL01", apk = "A1000", app = "0010";
  std::string ubg = "U1", fcd = "F01";
  std::string ksb = "        ", kfc = "   ", kdt{};
};
MelSatz Test_Mel(const TestMel& m = {});

// An evaluation row of Qvt590Nza of kind `sa` from instant `beg` to `end`
// (empty: none), with begin and end kinds `bmk`, `emk`, shift model `emo` and
// producer `erf`; every other column empty or 0.
struct TestNza {
  int sa = 1;
  std::string apl = "APL01", apk = "A1000", app = "0010", pnr{};
  std::string beg{}, end{}, bmk{}, emk{}, emo{}, erf{};
};
NzaSatz Test_Nza(const TestNza& n = {});

// An entry of the scratch list `erf`/`dat` (producer, run stamp) of
// Qvt561Mlt: running number `lfn`, event key `obj` at instant `zeit`; every
// other column empty or 0.
struct TestMlt {
  std::string erf{}, dat{};
  int lfn = 0;
  std::string obj{}, zeit{};
  std::string pnr{}, apl{}, apk{}, app{}, arg{}, ubg{};
};
MltSatz Test_Mlt(const TestMlt& m);

// ---------------------------------------------------------------------------
// Master data, parameters and terminal lines
//
// The order, operation and person builders write one of two rows: the lean
// row of the correction plant (the columns the correction run reads, the rest
// NULL), or with `voll` the complete sample row that the planning system
// would keep, every column filled, for the tests that read master data back
// column by column (download records, master-data reads). Each struct says
// which members the complete row takes.

// An order header of Qvt501Apk: `afo` operations of which `eaf` are finished,
// closing mode `aba`, part number "T-<apk>", text "Auftrag <apk>", range key
// `fbe` (empty: "F1"), download mark `dwn` and action `dna`. With `voll` the
// sample header "Gehaeuse Typ 4" (status 3, part number "TNR-4711", every
// date and text filled) takes `apk`, `fbe` (empty: "FBE1"), `dwn`, `dna`.
struct TestApk {
  std::string apk = "A1000";
  int sts = 1, afo = 2, eaf = 0, aba = 1;
  std::string fbe{}, dwn{}, dna{};
  bool voll = false;
};
std::string Test_ApkSql(const TestApk& a = {});

// An operation of Qvt504App with status `sts`, successor `naf`, additional
// field 2 `zf2`, quantities 0, at APL01 of group GRP1, text "Arbeitsgang
// <app>", range key `fbe` (empty: "F1"). With `voll` the sample operation
// "Fraesen" (status 4, every date, quantity and time filled) takes `apk`,
// `app`, `fbe` (empty: "FBE1"), `dwn` and `dna`.
struct TestApp {
  std::string apk = "A1000", app = "0010";
  int sts = 1;
  std::string naf = "00020", zf2{};
  std::string fbe{}, dwn{}, dna{};
  bool voll = false;
};
std::string Test_AppSql(const TestApp& a = {});

// A person of Qvt510Prv with badge number `awn` (empty: "AW-<pnr>"), time
// model `pzm` and name "Person <pnr>". With `voll` the sample person "Muster"
// (valid 2026 and 2027, range key FBE1) takes `pnr`, `awn` and `pzm`.
struct TestPrv {
  std::string pnr = "P1", awn{};
  int pzm = 0;
  bool voll = false;
};
std::string Test_PrvSql(const TestPrv& p = {});

// A terminal line of Qvt557Cfg serving the ranges `vn1`..`bi1` (and the
// second and third when given), address `ip` (empty: "10.0.0.<dta>"), port
// `prt` (empty: "40<dta>"). Its name is "Linie"; with `voll` "Linie <dta>",
// and the texts of the line and its ranges are filled.
struct TestCfg {
  int dta = 1;
  std::string ip{}, prt{};
  std::string vn1 = "F0", bi1 = "F9", vn2{}, bi2{}, vn3{}, bi3{};
  bool voll = false;
};
std::string Test_CfgSql(const TestCfg& c = {});

// A workplace of Qvt531Apl of group `apg`.
struct TestApl {
  std::string apl = "APL01", apg = "GRP1";
};
std::string Test_AplSql(const TestApl& a = {});

// A function-code entry of Qvt553Fzu: message kind `mld` gives object type
// `obj`, function code `fcd` (empty: "F<mld>") and planning switch `upl`.
struct TestFzu {
  std::string mld = "AB", obj = "M_A";
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
  std::string gvn = "20260101", gbi = "20271231";
  int aak = 0, mrk = 0;
};
std::string Test_NzpSql(const TestNzp& n);

// ---------------------------------------------------------------------------
// Calendar and shift models

// A calendar day of QvSystem.Qvt133Bak: year, month, week, weekday (1 is
// Monday) and day of the year.
struct TestBak {
  std::string datum{};
  int jhr = 2026, mon = 12, wch = 0, wtg = 0, jtg = 0;
};
std::string Test_BakSql(const TestBak& b);

// Day type `btp` of calendar `kal` on `datum` (QvSystem.Qvt133Kal).
struct TestKal {
  std::string kal = "K1", datum{}, btp = "AT";
};
std::string Test_KalSql(const TestKal& k);

// Assignment of shift model `emo` of calendar `kal` to the group or
// workplace `apg` with kind `kng` (1 group, 2 workplace), valid `gvo` to `gbi`
// (empty: open), machine-assignment number `maz`.
struct TestAem {
  std::string apg = "GRP1";
  int kng = 1;
  std::string emo{}, gvo = "20260101", gbi{}, kal = "K1";
  int maz = 0;
};
std::string Test_AemSql(const TestAem& a);

// A shift of model `emo` for day type `ttp` from `beg` to `end` (minutes),
// break model `pmo`, text `txt`.
struct TestEmo {
  std::string emo{}, ttp = "AT";
  int beg = 0, end = 0;
  std::string pmo{}, txt = "Schicht";
};
std::string Test_EmoSql(const TestEmo& e);

// Break model `pmo` uses break scheme `pms` from `gvo` to `gbi`.
struct TestPmz {
  std::string pmo{}, pms{}, gvo = "20260101", gbi = "20271231";
};
std::string Test_PmzSql(const TestPmz& p);

// A break of scheme `num` from `beg` to `end` (minutes).
struct TestPms {
  std::string num{};
  int beg = 0, end = 0;
};
std::string Test_PmsSql(const TestPms& p);
