#include "db/DbDnl.h"

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "db/DbstdZeilen.h"

namespace {

constexpr DbFeld<CfgSatz> kCfg[] = {
    DbNr("CfgDta", &CfgSatz::CfgDta), DbTx("CfgIP", &CfgSatz::CfgIP),
    DbTx("CfgPrt", &CfgSatz::CfgPrt), DbTx("CfgBez", &CfgSatz::CfgBez),
    DbTx("CfgTxt", &CfgSatz::CfgTxt), DbNr("CfgKr1", &CfgSatz::CfgKr1),
    DbTx("CfgVn1", &CfgSatz::CfgVn1), DbTx("CfgBi1", &CfgSatz::CfgBi1),
    DbTx("CfgBz1", &CfgSatz::CfgBz1), DbTx("CfgVn2", &CfgSatz::CfgVn2),
    DbTx("CfgBi2", &CfgSatz::CfgBi2), DbTx("CfgBz2", &CfgSatz::CfgBz2),
    DbTx("CfgVn3", &CfgSatz::CfgVn3), DbTx("CfgBi3", &CfgSatz::CfgBi3),
    DbTx("CfgBz3", &CfgSatz::CfgBz3), DbTx("CfgVn4", &CfgSatz::CfgVn4),
    DbTx("CfgBi4", &CfgSatz::CfgBi4), DbTx("CfgBz4", &CfgSatz::CfgBz4),
    DbTx("CfgVn5", &CfgSatz::CfgVn5), DbTx("CfgBi5", &CfgSatz::CfgBi5),
    DbTx("CfgBz5", &CfgSatz::CfgBz5), DbNr("CfgSta", &CfgSatz::CfgSta),
    DbTx("CfgDat", &CfgSatz::CfgDat), DbTx("CfgErf", &CfgSatz::CfgErf),
};

// The download lists carry the header's change instant (DbZusatz).
const DbAnweisung kApkOpenDnl{"Apk_OpenDnl",
                              "select " + DbSpalten(kApkZeile, true) +
                                  " from Qvt501Apk where ApkDwn=:b0 order by ApkDwn,ApkFbe,ApkApk",
                              DbSpaltenzahl(kApkZeile, true), -1};

const DbAnweisung kAppOpenDnl{
    "App_OpenDnl",
    "select " + DbSpalten(kAppZeile) +
        " from Qvt504App where AppDwn=:b0 order by AppDwn,AppFbe,AppApk,AppApp",
    DbSpaltenzahl(kAppZeile), -1};

const DbAnweisung kCfgOpenDnl{
    "Cfg_OpenDnl",
    "select " + DbSpalten(kCfg) +
        " from Qvt557Cfg where ((:b0>=CfgVn1 and :b1<=CfgBi1) or (:b2>=CfgVn2 and :b3<=CfgBi2)) "
        "order by CfgDta",
    DbSpaltenzahl(kCfg), -1};

DbCursor gApkDnl, gAppDnl, gCfgDnl;

}  // namespace

int Apk_OpenDnl(const std::string& marker) {
  return Db_CursorOpen(gApkDnl, kApkOpenDnl, {DbText(marker)});
}

int Apk_FetchDnl(ApkSatz& row) {
  return DbSatzHolen(gApkDnl, kApkZeile, row, DbFehlRegel::Behalten, true);
}

int Apk_CloseDnl() {
  return Db_CursorClose(gApkDnl);
}

int App_OpenDnl(const std::string& marker) {
  return Db_CursorOpen(gAppDnl, kAppOpenDnl, {DbText(marker)});
}

int App_FetchDnl(AppSatz& row) {
  return DbSatzHolen(gAppDnl, kAppZeile, row, DbFehlRegel::Behalten);
}

int App_CloseDnl() {
  return Db_CursorClose(gAppDnl);
}

int Cfg_OpenDnl(const std::string& key) {
  return Db_CursorOpen(gCfgDnl, kCfgOpenDnl, {DbText(key), DbText(key), DbText(key), DbText(key)});
}

int Cfg_FetchDnl(CfgSatz& r) {
  return DbSatzHolen(gCfgDnl, kCfg, r, DbFehlRegel::Behalten);
}

int Cfg_CloseDnl() {
  return Db_CursorClose(gCfgDnl);
}

std::vector<const DbAnweisung*> DbDnl_Anweisungen() {
  return {&kApkOpenDnl, &kAppOpenDnl, &kCfgOpenDnl};
}
