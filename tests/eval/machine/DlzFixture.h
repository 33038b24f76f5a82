// Fixture of the machine-only evaluation tests: a connected session with a
// fixed clock (run stamp 20261208101500), the log, a factory calendar "K1"
// from 2026-11-28 to 2026-12-10 (day type "AT"), and workplace APL01 of
// group GRP1.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "db/DbMel.h"
#include "db/DbStatus.h"
#include "support/Builders.h"
#include "support/KorrFixture.h"
#include "support/TestDb.h"

using DlzZeilen = std::vector<std::string>;

constexpr const char* kDlzStempel = "20261208101500";

class DlzTest : public KorrTest {
 protected:
  void SetUp() override {
    KorrTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    ASSERT_EQ(Exec(KalenderSql() + Test_AplSql()), "");
  }

  // The calendar days of K1, 2026-11-28 to 2026-12-10, all of day type "AT".
  static std::string KalenderSql() {
    std::string sql;
    // 2026-11-28 is a Saturday (week 48, day 332 of the year).
    for (int i = 0; i < 13; ++i) {
      int tag = 28 + i;
      std::string d = Tag(i);
      int wtg = (5 + i) % 7 + 1;
      int wch = 48 + (i + 5) / 7;
      sql += Test_BakSql(
          {.datum = d, .mon = tag <= 30 ? 11 : 12, .wch = wch, .wtg = wtg, .jtg = 332 + i});
      sql += Test_KalSql({.datum = d});
    }
    return sql;
  }
  // Day `i` of the calendar (0 is 2026-11-28) as "yyyymmdd".
  static std::string Tag(int i) {
    int tag = 28 + i;
    return tag <= 30 ? "202611" + Zwei(tag) : "202612" + Zwei(tag - 30);
  }

  static std::string Zwei(int n) {
    char b[16];
    std::snprintf(b, sizeof b, "%02d", n);
    return b;
  }

  // A machine message ("M__") of APL01 with kind `msk` at `dat`/`uhr`.
  static MelSatz Maschine(int bnr, const std::string& msk, const std::string& dat,
                          const std::string& uhr) {
    return Test_Mel({.bnr = bnr,
                     .dat = dat,
                     .uhr = uhr,
                     .obj = "M__",
                     .msk = msk,
                     .ubg = "U" + std::to_string(bnr)});
  }
  void Insert(const MelSatz& m) { ASSERT_EQ(Mel_PKeyIns(m), DB_OK); }

  // Shift model `emo` ("AT" days) with one shift from `beg` to `end` minutes
  // and its breaks, valid the whole test period.
  std::string Modell(const std::string& emo, int beg, int end,
                     const std::vector<std::pair<int, int>>& pausen) {
    const std::string pmo = emo.substr(0, 4) + "M", pms = emo.substr(0, 4) + "P";
    std::string sql = Test_EmoSql({.emo = emo, .beg = beg, .end = end, .pmo = pmo}) +
                      Test_PmzSql({.pmo = pmo, .pms = pms});
    for (auto [b, e] : pausen) sql += Test_PmsSql({.num = pms, .beg = b, .end = e});
    return sql;
  }

  // The time line entries of the run stamp, in running-number order.
  DlzZeilen Zeitlinie(const std::string& felder = "MltLfn,MltObj,MltMdt") {
    return Rows("select " + felder + " from Qvt561Mlt where MltErf='DlzStd' and MltDat='" +
                kDlzStempel + "' order by MltLfn");
  }

  // The kind-13 records this evaluation wrote: key, begin, end, marks, shift group, and the five
  // durations in hundredths (minutes.seconds x 100), in order of their ends.
  DlzZeilen Saetze() {
    return Rows(
        "select NzaApl,NzaApk,NzaApp,NzaPnr,NzaDtm,NzaBmk,NzaEdt,NzaEmk,NzaUbg,"
        "cast(round(NzaUza*100) as integer),cast(round(NzaNzu*100) as integer),"
        "cast(round(NzaBzu*100) as integer),cast(round(NzaPzu*100) as integer),"
        "cast(round(NzaUbz*100) as integer),NzaErf from Qvt590Nza "
        "where NzaSa=13 and NzaErf='DlzStd' "
        "order by NzaApl,NzaEdt");
  }

  bool Geloggt(const std::string& message, const std::string& funktion, int code) {
    return LogText().find(Korr_LogEntry(message, funktion, code)) != std::string::npos;
  }
};
