#include "db/DbDnl.h"

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "db/DbstdZeilen.h"

namespace {

DbCursor gApkDnl, gAppDnl, gCfgDnl;

}  // namespace

int Apk_OpenDnl(const std::string& marker) {
  static const std::string sql = "select " + Apk_Spalten(true) +
                                 " from Qvt501Apk where ApkDwn=:b0 order by ApkDwn,ApkFbe,ApkApk";
  return Db_CursorOpen(gApkDnl, "Apk_OpenDnl", sql.c_str(), {DbText(marker)});
}

int Apk_FetchDnl(ApkSatz& row) {
  const DbZeile* z = nullptr;
  int st = Db_CursorFetch(gApkDnl, z);
  if (st == DB_OK && z != nullptr) Apk_AusZeile(*z, row, true);
  return st;
}

int Apk_CloseDnl() {
  return Db_CursorClose(gApkDnl);
}

int App_OpenDnl(const std::string& marker) {
  static const std::string sql =
      "select " + App_Spalten() +
      " from Qvt504App where AppDwn=:b0 order by AppDwn,AppFbe,AppApk,AppApp";
  return Db_CursorOpen(gAppDnl, "App_OpenDnl", sql.c_str(), {DbText(marker)});
}

int App_FetchDnl(AppSatz& row) {
  const DbZeile* z = nullptr;
  int st = Db_CursorFetch(gAppDnl, z);
  if (st == DB_OK && z != nullptr) App_AusZeile(*z, row);
  return st;
}

int App_CloseDnl() {
  return Db_CursorClose(gAppDnl);
}

int Cfg_OpenDnl(const std::string& key) {
  return Db_CursorOpen(gCfgDnl, "Cfg_OpenDnl",
                       "select CfgDta,CfgIP,CfgPrt,CfgBez,CfgTxt,CfgKr1,CfgVn1,CfgBi1,CfgBz1,"
                       "CfgVn2,CfgBi2,CfgBz2,CfgVn3,CfgBi3,CfgBz3,CfgVn4,CfgBi4,CfgBz4,CfgVn5,"
                       "CfgBi5,CfgBz5,CfgSta,CfgDat,CfgErf from Qvt557Cfg "
                       "where ((:b0>=CfgVn1 and :b1<=CfgBi1) or (:b2>=CfgVn2 and :b3<=CfgBi2)) "
                       "order by CfgDta",
                       {DbText(key), DbText(key), DbText(key), DbText(key)});
}

int Cfg_FetchDnl(CfgSatz& r) {
  const DbZeile* z = nullptr;
  int st = Db_CursorFetch(gCfgDnl, z);
  if (st != DB_OK || z == nullptr) return st;
  const DbZeile& c = *z;
  size_t i = 0;
  r.CfgDta = DbZeileInt(c, i++);
  std::string* texte1[] = {&r.CfgIP, &r.CfgPrt, &r.CfgBez, &r.CfgTxt};
  for (std::string* t : texte1) *t = DbZeileText(c, i++);
  r.CfgKr1 = DbZeileInt(c, i++);
  std::string* bereiche[] = {&r.CfgVn1, &r.CfgBi1, &r.CfgBz1, &r.CfgVn2, &r.CfgBi2,
                             &r.CfgBz2, &r.CfgVn3, &r.CfgBi3, &r.CfgBz3, &r.CfgVn4,
                             &r.CfgBi4, &r.CfgBz4, &r.CfgVn5, &r.CfgBi5, &r.CfgBz5};
  for (std::string* t : bereiche) *t = DbZeileText(c, i++);
  r.CfgSta = DbZeileInt(c, i++);
  r.CfgDat = DbZeileText(c, i++);
  r.CfgErf = DbZeileText(c, i++);
  return st;
}

int Cfg_CloseDnl() {
  return Db_CursorClose(gCfgDnl);
}
