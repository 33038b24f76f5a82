#include "db/DbMel.h"

#include <cstdio>

#include "db/DbDb.h"
#include "db/DbStatus.h"

namespace {

// The 53 columns in select order; dates with their masks.
#define MEL_COLUMNS                                                                      \
  "KeyBnr,KeyLfn,ObjTyp,KeyPnr,KeyApl,KeyApk,KeyApp,Sts00E,Sts00R,Sts00A,Sts00U,Sts00S," \
  "Sts006,Sts007,Sts008,Sts009,Sts010,Sts011,Sts012,Sts013,Sts014,Sts015,Sts016,"        \
  "TO_CHAR(KeyDat,'yyyymmdd'),TO_CHAR(KeyUhr,'HH24MISS'),KeySek,KeyUbg,KeyAug,MelMsk,"   \
  "MelAwn,MelFcd,MelTrm,MelOff,MelFnr,MelGum,MelFam,MelMam,MelNam,MelZt1,MelZt2,MelZt3," \
  "MelMee,MelAec,MelTrc,MelErf,MelKsb,TO_CHAR(MelKdt,'yyyymmddHH24MISS'),MelKfc,MelKgm," \
  "MelKfm,MelKmm,MelKnm,KeyTnr"

#define MEL_SELECT "select " MEL_COLUMNS " from Qvt560Mel "

// Bind numbers :b0..:b52 follow the column order; :b53 is the instant written
// into both date columns.
void BindAll(const MelSatz& r, DbBinds& b) {
  char instant[32];
  std::snprintf(instant, sizeof instant, "%8s%6s", r.KeyDat.c_str(), r.KeyUhr.c_str());
  b = {DbInt(r.KeyBnr),  DbInt(r.KeyLfn),  DbText(r.ObjTyp), DbText(r.KeyPnr), DbText(r.KeyApl),
       DbText(r.KeyApk), DbText(r.KeyApp), DbText(r.Sts00E), DbText(r.Sts00R), DbText(r.Sts00A),
       DbText(r.Sts00U), DbText(r.Sts00S), DbText(r.Sts006), DbText(r.Sts007), DbText(r.Sts008),
       DbText(r.Sts009), DbText(r.Sts010), DbText(r.Sts011), DbText(r.Sts012), DbText(r.Sts013),
       DbText(r.Sts014), DbText(r.Sts015), DbText(r.Sts016), DbText(r.KeyDat), DbText(r.KeyUhr),
       DbText(r.KeySek), DbText(r.KeyUbg), DbText(r.KeyAug), DbText(r.MelMsk), DbText(r.MelAwn),
       DbText(r.MelFcd), DbText(r.MelTrm), DbText(r.MelOff), DbInt(r.MelFnr),  DbReal(r.MelGum),
       DbReal(r.MelFam), DbReal(r.MelMam), DbReal(r.MelNam), DbReal(r.MelZt1), DbReal(r.MelZt2),
       DbReal(r.MelZt3), DbText(r.MelMee), DbText(r.MelAec), DbText(r.MelTrc), DbText(r.MelErf),
       DbText(r.MelKsb), DbText(r.MelKdt), DbText(r.MelKfc), DbReal(r.MelKgm), DbReal(r.MelKfm),
       DbReal(r.MelKmm), DbReal(r.MelKnm), DbText(r.KeyTnr), DbText(instant)};
}

// One conversion for single reads and fetches. On a status other than 0 the
// numbers of the key and the quantities are cleared; the texts stay.
void Convert(int st, const DbZeile* z, MelSatz& r) {
  if (st != DB_OK || z == nullptr) {
    r.KeyBnr = r.KeyLfn = 0;
    r.MelGum = r.MelFam = r.MelMam = r.MelNam = 0;
    r.MelKgm = r.MelKfm = r.MelKmm = r.MelKnm = 0;
    return;
  }
  const DbZeile& c = *z;
  size_t i = 0;
  r.KeyBnr = DbZeileInt(c, i++);
  r.KeyLfn = DbZeileInt(c, i++);
  std::string* texts1[] = {
      &r.ObjTyp, &r.KeyPnr, &r.KeyApl, &r.KeyApk, &r.KeyApp, &r.Sts00E, &r.Sts00R, &r.Sts00A,
      &r.Sts00U, &r.Sts00S, &r.Sts006, &r.Sts007, &r.Sts008, &r.Sts009, &r.Sts010, &r.Sts011,
      &r.Sts012, &r.Sts013, &r.Sts014, &r.Sts015, &r.Sts016, &r.KeyDat, &r.KeyUhr, &r.KeySek,
      &r.KeyUbg, &r.KeyAug, &r.MelMsk, &r.MelAwn, &r.MelFcd, &r.MelTrm, &r.MelOff};
  for (std::string* t : texts1) *t = DbZeileText(c, i++);
  // The error number is a 16-bit column, widened.
  r.MelFnr = static_cast<short>(DbZeileInt(c, i++));
  double* nums1[] = {&r.MelGum, &r.MelFam, &r.MelMam, &r.MelNam, &r.MelZt1, &r.MelZt2, &r.MelZt3};
  for (double* d : nums1) *d = DbZeileReal(c, i++);
  std::string* texts2[] = {&r.MelMee, &r.MelAec, &r.MelTrc, &r.MelErf,
                           &r.MelKsb, &r.MelKdt, &r.MelKfc};
  for (std::string* t : texts2) *t = DbZeileText(c, i++);
  double* nums2[] = {&r.MelKgm, &r.MelKfm, &r.MelKmm, &r.MelKnm};
  for (double* d : nums2) *d = DbZeileReal(c, i++);
  r.KeyTnr = DbZeileText(c, i++);
}

[[nodiscard]] int Fetch(DbCursor& cur, MelSatz& row) {
  const DbZeile* z = nullptr;
  int st = Db_CursorFetch(cur, z);
  Convert(st, z, row);
  return st;
}

DbCursor gKsb, gBnr, gApl, gAplApp, gPnr, gPnrZeit, gVorher, gNachher;

}  // namespace

int Mel_PKeyIns(const MelSatz& row) {
  DbBinds b;
  BindAll(row, b);
  return Db_Write(
      "Mel_PKeyIns", "Mel_PKeyIns_Sp",
      "insert into Qvt560Mel (KeyBnr,KeyLfn,ObjTyp,KeyPnr,KeyApl,KeyApk,KeyApp,Sts00E,Sts00R,"
      "Sts00A,Sts00U,Sts00S,Sts006,Sts007,Sts008,Sts009,Sts010,Sts011,Sts012,Sts013,Sts014,"
      "Sts015,Sts016,KeyDat,KeyUhr,KeySek,KeyUbg,KeyAug,MelMsk,MelAwn,MelFcd,MelTrm,MelOff,"
      "MelFnr,MelGum,MelFam,MelMam,MelNam,MelZt1,MelZt2,MelZt3,MelMee,MelAec,MelTrc,MelErf,"
      "MelKsb,MelKdt,MelKfc,MelKgm,MelKfm,MelKmm,MelKnm,KeyTnr,MelDat) values (:b0,:b1,:b2,:b3,"
      ":b4,:b5,:b6,:b7,:b8,:b9,:b10,:b11,:b12,:b13,:b14,:b15,:b16,:b17,:b18,:b19,:b20,:b21,:b22,"
      "TO_DATE(:b53,'yyyymmddHH24MISS'),TO_DATE(:b53,'yyyymmddHH24MISS'),:b25,:b26,:b27,:b28,"
      ":b29,:b30,:b31,:b32,:b33,:b34,:b35,:b36,:b37,:b38,:b39,:b40,:b41,:b42,:b43,:b44,:b45,"
      "TO_DATE(:b46,'yyyymmddHH24MISS'),:b47,:b48,:b49,:b50,:b51,:b52,sysdate)",
      b);
}

int Mel_PKeyUpdate(const MelSatz& row) {
  DbBinds b;
  BindAll(row, b);
  return Db_Write(
      "Mel_PKeyUpdate", "Mel_PKeyUpd_Sp",
      "update Qvt560Mel set KeyBnr=:b0,KeyLfn=:b1,ObjTyp=:b2,KeyPnr=:b3,KeyApl=:b4,KeyApk=:b5,"
      "KeyApp=:b6,Sts00E=:b7,Sts00R=:b8,Sts00A=:b9,Sts00U=:b10,Sts00S=:b11,Sts006=:b12,"
      "Sts007=:b13,Sts008=:b14,Sts009=:b15,Sts010=:b16,Sts011=:b17,Sts012=:b18,Sts013=:b19,"
      "Sts014=:b20,Sts015=:b21,Sts016=:b22,KeyDat=TO_DATE(:b53,'yyyymmddHH24MISS'),"
      "KeyUhr=TO_DATE(:b53,'yyyymmddHH24MISS'),KeySek=:b25,KeyUbg=:b26,KeyAug=:b27,"
      "MelMsk=:b28,MelAwn=:b29,MelFcd=:b30,MelTrm=:b31,MelOff=:b32,MelFnr=:b33,MelGum=:b34,"
      "MelFam=:b35,MelMam=:b36,MelNam=:b37,MelZt1=:b38,MelZt2=:b39,MelZt3=:b40,MelMee=:b41,"
      "MelAec=:b42,MelTrc=:b43,MelErf=:b44,MelKsb=:b45,"
      "MelKdt=TO_DATE(:b46,'yyyymmddHH24MISS'),MelKfc=:b47,MelKgm=:b48,MelKfm=:b49,"
      "MelKmm=:b50,MelKnm=:b51,KeyTnr=:b52,MelDat=sysdate where (KeyBnr=:b0 and KeyLfn=:b1)",
      b);
}

int Mel_PKeyDel(const MelSatz& row) {
  return Db_Write("Mel_PKeyDel", "Mel_PKeyDel_Sp",
                  "delete  from Qvt560Mel  where (KeyBnr=:b0 and KeyLfn=:b1)",
                  {DbInt(row.KeyBnr), DbInt(row.KeyLfn)});
}

int Mel_PKeyReadk(MelSatz& row) {
  DbZeile z;
  int st = Db_ReadOne("Mel_PKeyReadk", MEL_SELECT "where (KeyBnr=:b0 and KeyLfn=:b1)",
                      {DbInt(row.KeyBnr), DbInt(row.KeyLfn)}, z);
  Convert(st, &z, row);
  return st;
}

int Mel_PKeyLock(int bnr, int lfn, std::string& ksb, std::string& kfc) {
  DbZeile z;
  int st = Db_ReadOne("Mel_PKeyLock",
                      "select MelKsb,MelKfc from Qvt560Mel where (KeyBnr=:b0 and KeyLfn=:b1) "
                      "for update",
                      {DbInt(bnr), DbInt(lfn)}, z);
  ksb = st == DB_OK ? DbZeileText(z, 0) : std::string();
  kfc = st == DB_OK ? DbZeileText(z, 1) : std::string();
  return st;
}

int Mel_KsbCurOpen(const std::string& clerk) {
  return Db_CursorOpen(gKsb, "Mel_KsbCur",
                       MEL_SELECT
                       "where MelKsb=:b0 order by MelKsb,TO_CHAR(KeyDat,'yyyymmdd'),"
                       "TO_CHAR(KeyUhr,'HH24MISS'),KeySek",
                       {DbText(clerk)});
}
int Mel_KsbCurFetch(MelSatz& row) {
  return Fetch(gKsb, row);
}
int Mel_KsbCurClose() {
  return Db_CursorClose(gKsb);
}
long Mel_KsbCurAnzahl() {
  return gKsb.open ? static_cast<long>(gKsb.rows.size()) : 0;
}

int Mel_BnrCurOpen(int bnr) {
  return Db_CursorOpen(gBnr, "Mel_BnrCur",
                       MEL_SELECT
                       "where KeyBnr=:b0 order by KeyBnr,TO_CHAR(KeyDat,'yyyymmdd'),"
                       "TO_CHAR(KeyUhr,'HH24MISS'),KeySek",
                       {DbInt(bnr)});
}
int Mel_BnrCurFetch(MelSatz& row) {
  return Fetch(gBnr, row);
}
int Mel_BnrCurClose() {
  return Db_CursorClose(gBnr);
}

int Mel_AplCurOpen(const std::string& objTyp, const std::string& apl) {
  return Db_CursorOpen(gApl, "Mel_AplCur",
                       MEL_SELECT
                       "where (ObjTyp=:b0 and KeyApl=:b1) "
                       "order by ObjTyp,KeyApl,KeyDat,KeyUhr,KeySek",
                       {DbText(objTyp), DbText(apl)});
}
int Mel_AplCurFetch(MelSatz& row) {
  return Fetch(gApl, row);
}
int Mel_AplCurClose() {
  return Db_CursorClose(gApl);
}

int Mel_AplAppCurOpen(const std::string& objTyp, const std::string& apl, const std::string& apk,
                      const std::string& app) {
  return Db_CursorOpen(gAplApp, "Mel_AplAppCur",
                       MEL_SELECT
                       "where (((ObjTyp=:b0 and KeyApl=:b1) and KeyApk=:b2) and KeyApp=:b3) "
                       "order by ObjTyp,KeyApl,KeyApk,KeyApp,TO_CHAR(KeyDat,'yyyymmdd'),"
                       "TO_CHAR(KeyUhr,'HH24MISS'),KeySek",
                       {DbText(objTyp), DbText(apl), DbText(apk), DbText(app)});
}
int Mel_AplAppCurFetch(MelSatz& row) {
  return Fetch(gAplApp, row);
}
int Mel_AplAppCurClose() {
  return Db_CursorClose(gAplApp);
}

int Mel_PnrCurOpen(const std::string& objTyp, const std::string& apl, const std::string& apk,
                   const std::string& app, const std::string& pnr) {
  return Db_CursorOpen(
      gPnr, "Mel_PnrCur",
      MEL_SELECT
      "where ((((ObjTyp=:b0 and KeyApl=:b1) and KeyApk=:b2) and KeyApp=:b3) and KeyPnr=:b4) "
      "order by ObjTyp,KeyApl,KeyApk,KeyApp,KeyPnr,TO_CHAR(KeyDat,'yyyymmdd'),"
      "TO_CHAR(KeyUhr,'HH24MISS'),KeySek",
      {DbText(objTyp), DbText(apl), DbText(apk), DbText(app), DbText(pnr)});
}
int Mel_PnrCurFetch(MelSatz& row) {
  return Fetch(gPnr, row);
}
int Mel_PnrCurClose() {
  return Db_CursorClose(gPnr);
}

int Mel_PnrZeitCurOpen(const std::string& objTyp, const std::string& apl, const std::string& apk,
                       const std::string& app, const std::string& pnr, const std::string& d1,
                       const std::string& t1, const std::string& d2, const std::string& t2) {
  return Db_CursorOpen(
      gPnrZeit, "Mel_PnrZeitCur",
      MEL_SELECT
      "where (((((ObjTyp=:b0 and KeyApl=:b1) and KeyApk=:b2) and KeyApp=:b3) and KeyPnr=:b4) "
      "and (TO_CHAR(KeyDat,'yyyymmdd')>:b5 or (TO_CHAR(KeyDat,'yyyymmdd')=:b5 and "
      "TO_CHAR(KeyUhr,'HH24MISS')>=:b6)) and (TO_CHAR(KeyDat,'yyyymmdd')<:b7 or "
      "(TO_CHAR(KeyDat,'yyyymmdd')=:b7 and TO_CHAR(KeyUhr,'HH24MISS')<=:b8))) "
      "order by ObjTyp,KeyApl,KeyApk,KeyApp,KeyPnr,TO_CHAR(KeyDat,'yyyymmdd'),"
      "TO_CHAR(KeyUhr,'HH24MISS'),KeySek",
      {DbText(objTyp), DbText(apl), DbText(apk), DbText(app), DbText(pnr), DbText(d1), DbText(t1),
       DbText(d2), DbText(t2)});
}
int Mel_PnrZeitCurFetch(MelSatz& row) {
  return Fetch(gPnrZeit, row);
}
int Mel_PnrZeitCurClose() {
  return Db_CursorClose(gPnrZeit);
}

int Mel_VorherCurOpen(const std::string& apl, const std::string& apk, const std::string& app,
                      const std::string& d, const std::string& t) {
  return Db_CursorOpen(gVorher, "Mel_VorherCur",
                       MEL_SELECT
                       "where (((KeyApl=:b0 and KeyApk=:b1) and KeyApp=:b2) and "
                       "(TO_CHAR(KeyDat,'yyyymmdd')<:b3 or (TO_CHAR(KeyDat,'yyyymmdd')=:b3 and "
                       "TO_CHAR(KeyUhr,'HH24MISS')<:b4))) "
                       "order by TO_CHAR(KeyDat,'yyyymmdd') desc,TO_CHAR(KeyUhr,'HH24MISS') desc,"
                       "KeySek desc",
                       {DbText(apl), DbText(apk), DbText(app), DbText(d), DbText(t)});
}
int Mel_VorherCurFetch(MelSatz& row) {
  return Fetch(gVorher, row);
}
int Mel_VorherCurClose() {
  return Db_CursorClose(gVorher);
}

int Mel_NachherCurOpen(const std::string& apl, const std::string& apk, const std::string& app,
                       const std::string& d, const std::string& t) {
  return Db_CursorOpen(gNachher, "Mel_NachherCur",
                       MEL_SELECT
                       "where (((KeyApl=:b0 and KeyApk=:b1) and KeyApp=:b2) and "
                       "(TO_CHAR(KeyDat,'yyyymmdd')>:b3 or (TO_CHAR(KeyDat,'yyyymmdd')=:b3 and "
                       "TO_CHAR(KeyUhr,'HH24MISS')>:b4))) "
                       "order by TO_CHAR(KeyDat,'yyyymmdd'),TO_CHAR(KeyUhr,'HH24MISS'),"
                       "KeySek desc",
                       {DbText(apl), DbText(apk), DbText(app), DbText(d), DbText(t)});
}
int Mel_NachherCurFetch(MelSatz& row) {
  return Fetch(gNachher, row);
}
int Mel_NachherCurClose() {
  return Db_CursorClose(gNachher);
}

// ---------------------------------------------------------------------------
// Upload-number counters, production-planning interface, re-evaluation
// markers and the evaluation error list.

int Bnr_PKeyReadk(BnrSatz& row) {
  DbZeile z;
  int st =
      Db_ReadOne("Bnr_PKeyReadk", "select BnrKey ,BnrBnr ,BnrEsb from Qvt552Bnr where BnrKey=:b0",
                 {DbText(row.BnrKey)}, z);
  if (st != DB_OK) return st;
  row.BnrKey = DbZeileText(z, 0);
  row.BnrBnr = DbZeileInt(z, 1);
  row.BnrEsb = DbZeileText(z, 2);
  return DB_OK;
}

int Bnr_PKeyIns(const BnrSatz& row) {
  return Db_Write("Bnr_PKeyIns", "Bnr_PKeyIns_Sp",
                  "insert into Qvt552Bnr (BnrKey,BnrBnr,BnrEdt,BnrEsb) values "
                  "(:b0,:b1,sysdate,:b2)",
                  {DbText(row.BnrKey), DbInt(row.BnrBnr), DbText(row.BnrEsb)});
}

int Bnr_PKeyUpd(const BnrSatz& row) {
  return Db_Write("Bnr_PKeyUpd", "Bnr_PKeyUpd_Sp",
                  "update QVT552Bnr  set BnrKey=:b0,BnrBnr=:b1,BnrEdt=sysdate,BnrEsb=:b2 "
                  "where BnrKey=:b0",
                  {DbText(row.BnrKey), DbInt(row.BnrBnr), DbText(row.BnrEsb)});
}

int Bnr_PKeyNext(BnrSatz& row) {
  // Raising the counter and reading the new value is one statement: the
  // engine's row lock (or database write lock) orders concurrent drawers, so
  // no two of them can see the same value. Outside a transaction the
  // statement commits by itself, and a failing one changes nothing.
  DbZeile z;
  int st = Db_ReadOne("Bnr_PKeyNext",
                      "update Qvt552Bnr set BnrBnr=coalesce(BnrBnr,0)+1,BnrEdt=sysdate,"
                      "BnrEsb=:b1 where BnrKey=:b0 returning BnrBnr",
                      {DbText(row.BnrKey), DbText(row.BnrEsb)}, z);
  if (st != DB_OK) return st;
  row.BnrBnr = DbZeileInt(z, 0);
  return DB_OK;
}

int Pps_PKeyIns(const PpsSatz& r) {
  return Db_Write(
      "Pps_PKeyIns", "Pps_PKeyIns_Sp",
      "insert into Qvt580Pps (PpsDat,PpsLfn,PpsVkz,PpsFcd,PpsPnr,PpsApl,PpsApk,PpsApp,PpsAwn,"
      "PpsMdt,PpsMzt,PpsUbg,PpsAug,PpsSts,PpsSto,PpsGum,PpsFam,PpsMam,PpsNam,PpsMee,PpsZt1,"
      "PpsZt2,PpsZt3,PpsZf1,PpsZf2,PpsZf3) values (:b0,:b1,:b2,:b3,:b4,:b5,:b6,:b7,:b8,:b9,"
      ":b10,:b11,:b12,:b13,:b14,:b15,:b16,:b17,:b18,:b19,:b20,:b21,:b22,:b23,:b24,:b25)",
      {DbText(r.PpsDat), DbInt(r.PpsLfn),  DbText(r.PpsVkz), DbText(r.PpsFcd), DbText(r.PpsPnr),
       DbText(r.PpsApl), DbText(r.PpsApk), DbText(r.PpsApp), DbText(r.PpsAwn), DbText(r.PpsMdt),
       DbText(r.PpsMzt), DbText(r.PpsUbg), DbText(r.PpsAug), DbInt(r.PpsSts),  DbText(r.PpsSto),
       DbReal(r.PpsGum), DbReal(r.PpsFam), DbReal(r.PpsMam), DbReal(r.PpsNam), DbText(r.PpsMee),
       DbReal(r.PpsZt1), DbReal(r.PpsZt2), DbReal(r.PpsZt3), DbText(r.PpsZf1), DbText(r.PpsZf2),
       DbText(r.PpsZf3)});
}

namespace {

DbBinds MrkKey(const MrkSatz& r) {
  return {DbText(r.MrkKng), DbText(r.MrkApl), DbText(r.MrkApk),
          DbText(r.MrkApp), DbText(r.MrkPnr), DbInt(r.MrkBnr)};
}

#define MRK_KEY_WHERE                                                                          \
  "where (((((MrkKng=:b0 and MrkApl=:b1) and MrkApk=:b2) and MrkApp=:b3) and MrkPnr=:b4) and " \
  "MrkBnr=:b5)"

}  // namespace

int Mrk_PKeyReadk(MrkSatz& row) {
  DbZeile z;
  int st =
      Db_ReadOne("Mrk_PKeyReadk",
                 "select MrkKng,MrkApl,MrkApk,MrkApp,MrkPnr,"
                 "TO_CHAR(MrkMdt,'yyyymmddHH24MISS'),MrkObj,MrkBnr from Qvt563Mrk " MRK_KEY_WHERE,
                 MrkKey(row), z);
  if (st != DB_OK) return st;
  size_t i = 0;
  for (std::string* t :
       {&row.MrkKng, &row.MrkApl, &row.MrkApk, &row.MrkApp, &row.MrkPnr, &row.MrkMdt, &row.MrkObj})
    *t = DbZeileText(z, i++);
  row.MrkBnr = DbZeileInt(z, i++);
  return DB_OK;
}

int Mrk_PKeyIns(const MrkSatz& row) {
  DbBinds b = MrkKey(row);
  b.push_back(DbText(row.MrkMdt));  // :b6
  b.push_back(DbText(row.MrkObj));  // :b7
  return Db_Write("Mrk_PKeyIns", "Mrk_PKeyIns_Sp",
                  "insert into Qvt563Mrk (MrkKng,MrkApl,MrkApk,MrkApp,MrkPnr,MrkMdt,MrkDat,"
                  "MrkObj,MrkBnr) values (:b0,:b1,:b2,:b3,:b4,TO_DATE(:b6,'yyyymmddHH24MISS'),"
                  "sysdate,:b7,:b5)",
                  b);
}

int Mrk_PKeyUpd(const MrkSatz& row) {
  DbBinds b = MrkKey(row);
  b.push_back(DbText(row.MrkMdt));  // :b6
  return Db_Write(
      "Mrk_PKeyUpd", "Mrk_PKeyUpd_Sp",
      "update Qvt563Mrk  set MrkMdt=TO_DATE(:b6,'yyyymmddHH24MISS'),MrkDat=sysdate " MRK_KEY_WHERE,
      b);
}

int Err_PKeyIns(const ErrSatz& r) {
  return Db_Write("Err_PKeyIns", "Err_PKeyIns_Sp",
                  "insert into Qvt554Err (ErrErf,ErrEdt,ErrBer,ErrPnr,ErrApl,ErrApk,ErrApp,"
                  "ErrFnr,ErrBnr,ErrPgm,ErrFun,ErrDat,ErrObj) values (:b0,"
                  "TO_DATE(:b1,'yyyymmddHH24MISS'),:b2,:b3,:b4,:b5,:b6,:b7,:b8,:b9,:b10,sysdate,"
                  ":b11)",
                  {DbText(r.ErrErf), DbText(r.ErrEdt), DbText(r.ErrBer), DbText(r.ErrPnr),
                   DbText(r.ErrApl), DbText(r.ErrApk), DbText(r.ErrApp), DbInt(r.ErrFnr),
                   DbInt(r.ErrBnr), DbText(r.ErrPgm), DbText(r.ErrFun), DbText(r.ErrObj)});
}

int Mel_BnrMaxLfn(int bnr, int& maxLfn) {
  DbZeile z;
  int st = Db_ReadOne("Mel_BnrMaxLfn", "select max(KeyLfn) from Qvt560Mel where KeyBnr=:b0",
                      {DbInt(bnr)}, z);
  if (st != DB_OK) return st;
  maxLfn = DbZeileInt(z, 0);
  return DB_OK;
}

// ---------------------------------------------------------------------------
// Evaluation rows and scratch list

namespace {

// The 56 columns of an evaluation row in select order; each date column is
// read as its date text and its time text.
#define NZA_COLUMNS                                                                             \
  "NzaSa,NzaApl,NzaApk,NzaApp,NzaPnr,TO_CHAR(NzaDtm,'yyyymmdd'),TO_CHAR(NzaDtm,'HH24MISS'),"    \
  "NzaBeg,NzaBbn,NzaBln,NzaBmk,TO_CHAR(NzaEdt,'yyyymmdd'),TO_CHAR(NzaEdt,'HH24MISS'),NzaEnd,"   \
  "NzaEbn,NzaEln,NzaEmk,NzaUbg,NzaRau,NzaVar,Nza00A,Nza00U,Nza00S,NzaEmo,NzaWtg,NzaJtg,NzaTtp," \
  "NzaJwo,NzaWoc,NzaPzm,NzaMaz,NzaNzr,NzaBzr,NzaUzr,NzaPzr,NzaRbz,NzaNza,NzaBzA,NzaUza,"        \
  "NzaPza,NzaAbz,NzaNzu,NzaBzu,NzaPzu,NzaUbz,NzaSol,NzaIst,NzaPau,NzaRf1,NzaRf2,NzaRf3,"        \
  "NzaFnr,NzaErf,NzaGum,NzaAum,NzaTnr"

#define NZA_SELECT "select " NZA_COLUMNS " from Qvt590Nza "

// The key of a row. A row without person or without begin (NULL) is found by
// an empty person or an empty begin, as the table's unique key counts NULL as
// one value; the person comparison is the key index's own expression.
#define NZA_KEY_WHERE                                                        \
  "where ((((NzaSa=:b0 and NzaApl=:b1) and NzaApk=:b2) and NzaApp=:b3) and " \
  "coalesce(NzaPnr,'')=coalesce(:b4,'') and "                                \
  "coalesce(TO_CHAR(NzaDtm,'yyyymmddHH24MISS'),'')=coalesce(:b5,''))"

// Person selection of the cursors, with the same NULL rule as the key.
#define NZA_PNR_EQ "coalesce(NzaPnr,'')=coalesce(:b4,'')"

#define NZA_PNR_ORDER " order by NzaSa,NzaApl,NzaApk,NzaApp,NzaPnr,NzaDtm"

// The instant "yyyymmddHH24MISS" of a date text and a time text, formatted
// "%8s%6s". A date and time of blanks only is no instant: it binds as NULL.
std::string Instant(const std::string& dat, const std::string& uhr) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%8s%6s", dat.c_str(), uhr.c_str());
  std::string s = buf;
  if (s.find_first_not_of(' ') == std::string::npos) return std::string();
  return s;
}

// Binds :b0..:b53 in select order; the two date columns bind one instant
// each (:b5 begin, :b10 end).
DbBinds NzaBinds(const NzaSatz& r) {
  return {DbInt(r.NzaSa),
          DbText(r.NzaApl),
          DbText(r.NzaApk),
          DbText(r.NzaApp),
          DbText(r.NzaPnr),
          DbText(Instant(r.NzaDtmDat, r.NzaDtmUhr)),
          DbInt(r.NzaBeg),
          DbInt(r.NzaBbn),
          DbInt(r.NzaBln),
          DbText(r.NzaBmk),
          DbText(Instant(r.NzaEdtDat, r.NzaEdtUhr)),
          DbInt(r.NzaEnd),
          DbInt(r.NzaEbn),
          DbInt(r.NzaEln),
          DbText(r.NzaEmk),
          DbText(r.NzaUbg),
          DbInt(r.NzaRau),
          DbInt(r.NzaVar),
          DbInt(r.Nza00A),
          DbInt(r.Nza00U),
          DbInt(r.Nza00S),
          DbText(r.NzaEmo),
          DbInt(r.NzaWtg),
          DbInt(r.NzaJtg),
          DbText(r.NzaTtp),
          DbText(r.NzaJwo),
          DbInt(r.NzaWoc),
          DbInt(r.NzaPzm),
          DbInt(r.NzaMaz),
          DbReal(r.NzaNzr),
          DbReal(r.NzaBzr),
          DbReal(r.NzaUzr),
          DbReal(r.NzaPzr),
          DbReal(r.NzaRbz),
          DbReal(r.NzaNza),
          DbReal(r.NzaBzA),
          DbReal(r.NzaUza),
          DbReal(r.NzaPza),
          DbReal(r.NzaAbz),
          DbReal(r.NzaNzu),
          DbReal(r.NzaBzu),
          DbReal(r.NzaPzu),
          DbReal(r.NzaUbz),
          DbReal(r.NzaSol),
          DbReal(r.NzaIst),
          DbReal(r.NzaPau),
          DbReal(r.NzaRf1),
          DbReal(r.NzaRf2),
          DbReal(r.NzaRf3),
          DbInt(r.NzaFnr),
          DbText(r.NzaErf),
          DbReal(r.NzaGum),
          DbReal(r.NzaAum),
          DbText(r.NzaTnr)};
}

DbBinds NzaKeyBinds(const NzaSatz& r) {
  return {DbInt(r.NzaSa),   DbText(r.NzaApl), DbText(r.NzaApk),
          DbText(r.NzaApp), DbText(r.NzaPnr), DbText(Instant(r.NzaDtmDat, r.NzaDtmUhr))};
}

// One conversion for single reads and fetches. On a status other than 0 the
// record keeps its kind and every text (its key among them); every other
// number is 0.
void NzaConvert(int st, const DbZeile* z, NzaSatz& r) {
  int* ints[] = {&r.NzaBeg, &r.NzaBbn, &r.NzaBln, &r.NzaEnd, &r.NzaEbn, &r.NzaEln,
                 &r.NzaRau, &r.NzaVar, &r.Nza00A, &r.Nza00U, &r.Nza00S, &r.NzaWtg,
                 &r.NzaJtg, &r.NzaWoc, &r.NzaPzm, &r.NzaMaz, &r.NzaFnr};
  double* reals[] = {&r.NzaNzr, &r.NzaBzr, &r.NzaUzr, &r.NzaPzr, &r.NzaRbz, &r.NzaNza,
                     &r.NzaBzA, &r.NzaUza, &r.NzaPza, &r.NzaAbz, &r.NzaNzu, &r.NzaBzu,
                     &r.NzaPzu, &r.NzaUbz, &r.NzaSol, &r.NzaIst, &r.NzaPau, &r.NzaRf1,
                     &r.NzaRf2, &r.NzaRf3, &r.NzaGum, &r.NzaAum};
  if (st != DB_OK || z == nullptr) {
    for (int* i : ints) *i = 0;
    for (double* d : reals) *d = 0;
    return;
  }
  const DbZeile& c = *z;
  size_t i = 0;
  r.NzaSa = DbZeileInt(c, i++);
  for (std::string* t : {&r.NzaApl, &r.NzaApk, &r.NzaApp, &r.NzaPnr, &r.NzaDtmDat, &r.NzaDtmUhr})
    *t = DbZeileText(c, i++);
  r.NzaBeg = DbZeileInt(c, i++);
  r.NzaBbn = DbZeileInt(c, i++);
  r.NzaBln = DbZeileInt(c, i++);
  r.NzaBmk = DbZeileText(c, i++);
  r.NzaEdtDat = DbZeileText(c, i++);
  r.NzaEdtUhr = DbZeileText(c, i++);
  r.NzaEnd = DbZeileInt(c, i++);
  r.NzaEbn = DbZeileInt(c, i++);
  r.NzaEln = DbZeileInt(c, i++);
  r.NzaEmk = DbZeileText(c, i++);
  r.NzaUbg = DbZeileText(c, i++);
  for (int* n : {&r.NzaRau, &r.NzaVar, &r.Nza00A, &r.Nza00U, &r.Nza00S}) *n = DbZeileInt(c, i++);
  r.NzaEmo = DbZeileText(c, i++);
  r.NzaWtg = DbZeileInt(c, i++);
  r.NzaJtg = DbZeileInt(c, i++);
  r.NzaTtp = DbZeileText(c, i++);
  r.NzaJwo = DbZeileText(c, i++);
  for (int* n : {&r.NzaWoc, &r.NzaPzm, &r.NzaMaz}) *n = DbZeileInt(c, i++);
  // The twenty durations, in the order of the reals above.
  for (size_t k = 0; k < 20; ++k) *reals[k] = DbZeileReal(c, i++);
  r.NzaFnr = DbZeileInt(c, i++);
  r.NzaErf = DbZeileText(c, i++);
  r.NzaGum = DbZeileReal(c, i++);
  r.NzaAum = DbZeileReal(c, i++);
  r.NzaTnr = DbZeileText(c, i++);
}

[[nodiscard]] int NzaFetch(DbCursor& cur, NzaSatz& row) {
  const DbZeile* z = nullptr;
  int st = Db_CursorFetch(cur, z);
  NzaConvert(st, z, row);
  return st;
}

// The 25 columns of a list entry in select order.
#define MLT_SELECT                                                                       \
  "select MltErf,MltDat,MltLfn,MltObj,MltPnr,MltApl,MltApk,MltApp,Mlt00E,Mlt00R,Mlt00A," \
  "Mlt00U,Mlt00S,MltBkg,MltPbe,MltArg,MltEmo,MltTtp,MltWoc,MltWtg,MltJtg,MltJwo,"        \
  "TO_CHAR(MltMdt,'yyyymmdd'),TO_CHAR(MltMdt,'HH24MISS'),MltUbg from Qvt561Mlt "

// On a status other than 0 the entry keeps its texts; its numbers are 0.
void MltConvert(int st, const DbZeile* z, MltSatz& r) {
  if (st != DB_OK || z == nullptr) {
    r.MltLfn = r.MltWoc = r.MltWtg = r.MltJtg = 0;
    return;
  }
  const DbZeile& c = *z;
  size_t i = 0;
  r.MltErf = DbZeileText(c, i++);
  r.MltDat = DbZeileText(c, i++);
  r.MltLfn = DbZeileInt(c, i++);
  for (std::string* t :
       {&r.MltObj, &r.MltPnr, &r.MltApl, &r.MltApk, &r.MltApp, &r.Mlt00E, &r.Mlt00R, &r.Mlt00A,
        &r.Mlt00U, &r.Mlt00S, &r.MltBkg, &r.MltPbe, &r.MltArg, &r.MltEmo, &r.MltTtp})
    *t = DbZeileText(c, i++);
  r.MltWoc = DbZeileInt(c, i++);
  r.MltWtg = DbZeileInt(c, i++);
  r.MltJtg = DbZeileInt(c, i++);
  r.MltJwo = DbZeileText(c, i++);
  r.MltMdtDat = DbZeileText(c, i++);
  r.MltMdtUhr = DbZeileText(c, i++);
  r.MltUbg = DbZeileText(c, i++);
}

DbCursor gNzaPnr, gNzaVon, gNzaAplApp, gNzaApkApp, gNzaSa1, gNzaSa2, gMlt;

}  // namespace

int Nza_PKeyIns(const NzaSatz& row) {
  return Db_Write(
      "Nza_PKeyIns", "Nza_PKeyIns_Sp",
      "insert into Qvt590Nza (NzaSa,NzaApl,NzaApk,NzaApp,NzaPnr,NzaDtm,NzaBeg,NzaBbn,NzaBln,"
      "NzaBmk,NzaEdt,NzaEnd,NzaEbn,NzaEln,NzaEmk,NzaUbg,NzaRau,NzaVar,Nza00A,Nza00U,Nza00S,"
      "NzaEmo,NzaWtg,NzaJtg,NzaTtp,NzaJwo,NzaWoc,NzaPzm,NzaMaz,NzaNzr,NzaBzr,NzaUzr,NzaPzr,"
      "NzaRbz,NzaNza,NzaBzA,NzaUza,NzaPza,NzaAbz,NzaNzu,NzaBzu,NzaPzu,NzaUbz,NzaSol,NzaIst,"
      "NzaPau,NzaRf1,NzaRf2,NzaRf3,NzaFnr,NzaDat,NzaErf,NzaGum,NzaAum,NzaTnr) values (:b0,:b1,"
      ":b2,:b3,:b4,TO_DATE(:b5,'yyyymmddHH24MISS'),:b6,:b7,:b8,:b9,"
      "TO_DATE(:b10,'yyyymmddHH24MISS'),:b11,:b12,:b13,:b14,:b15,:b16,:b17,:b18,:b19,:b20,:b21,"
      ":b22,:b23,:b24,:b25,:b26,:b27,:b28,:b29,:b30,:b31,:b32,:b33,:b34,:b35,:b36,:b37,:b38,"
      ":b39,:b40,:b41,:b42,:b43,:b44,:b45,:b46,:b47,:b48,:b49,sysdate,:b50,:b51,:b52,:b53)",
      NzaBinds(row));
}

int Nza_PKeyUpd(const NzaSatz& row) {
  return Db_Write(
      "Nza_PKeyUpd", "Nza_PKeyUpd_Sp",
      "update Qvt590Nza  set NzaSa=:b0,NzaApl=:b1,NzaApk=:b2,NzaApp=:b3,NzaPnr=:b4,"
      "NzaDtm=TO_DATE(:b5,'yyyymmddHH24MISS'),NzaBeg=:b6,NzaBbn=:b7,NzaBln=:b8,NzaBmk=:b9,"
      "NzaEdt=TO_DATE(:b10,'yyyymmddHH24MISS'),NzaEnd=:b11,NzaEbn=:b12,NzaEln=:b13,NzaEmk=:b14,"
      "NzaUbg=:b15,NzaRau=:b16,NzaVar=:b17,Nza00A=:b18,Nza00U=:b19,Nza00S=:b20,NzaWtg=:b22,"
      "NzaJtg=:b23,NzaTtp=:b24,NzaEmo=:b21,NzaJwo=:b25,NzaWoc=:b26,NzaPzm=:b27,NzaMaz=:b28,"
      "NzaNzr=:b29,NzaBzr=:b30,NzaUzr=:b31,NzaPzr=:b32,NzaRbz=:b33,NzaNza=:b34,NzaBzA=:b35,"
      "NzaUza=:b36,NzaPza=:b37,NzaAbz=:b38,NzaNzu=:b39,NzaBzu=:b40,NzaPzu=:b41,NzaUbz=:b42,"
      "NzaSol=:b43,NzaIst=:b44,NzaPau=:b45,NzaRf1=:b46,NzaRf2=:b47,NzaRf3=:b48,NzaFnr=:b49,"
      "NzaDat=sysdate,NzaErf=:b50,NzaGum=:b51,NzaAum=:b52,NzaTnr=:b53 " NZA_KEY_WHERE,
      NzaBinds(row));
}

int Nza_PKeyDel(const NzaSatz& row) {
  return Db_Write("Nza_PKeyDel", "Nza_PKeyDel_Sp", "delete  from Qvt590Nza  " NZA_KEY_WHERE,
                  NzaKeyBinds(row));
}

int Nza_PKeyReadk(NzaSatz& row) {
  DbZeile z;
  int st = Db_ReadOne("Nza_PKeyReadk", NZA_SELECT NZA_KEY_WHERE, NzaKeyBinds(row), z);
  NzaConvert(st, &z, row);
  return st;
}

int Nza_SA_Del(int sa, const std::string& apk, const std::string& app, const std::string& apl) {
  // Many rows, one statement: committed together or not at all.
  return Db_Write("Nza_SA_Del", "Nza_SA_Del_Sp",
                  "delete  from Qvt590Nza  where (((NzaSa=:b0 and NzaApk=:b1) and NzaApp=:b2) "
                  "and NzaApl=:b3)",
                  {DbInt(sa), DbText(apk), DbText(app), DbText(apl)});
}

int Nza_OpenPnr(int sa, const std::string& apl, const std::string& apk, const std::string& app,
                const std::string& pnr) {
  return Db_CursorOpen(
      gNzaPnr, "Nza_OpenPnr",
      NZA_SELECT
      "where ((((NzaSa=:b0 and NzaApl=:b1) and NzaApk=:b2) and NzaApp=:b3) and " NZA_PNR_EQ
      ")" NZA_PNR_ORDER,
      {DbInt(sa), DbText(apl), DbText(apk), DbText(app), DbText(pnr)});
}
int Nza_FetchPnr(NzaSatz& row) {
  return NzaFetch(gNzaPnr, row);
}
int Nza_ClosePnr() {
  return Db_CursorClose(gNzaPnr);
}

int Nza_PKeyVon_Open(int sa, const std::string& apl, const std::string& apk, const std::string& app,
                     const std::string& pnr, const std::string& von, const std::string& bis) {
  return Db_CursorOpen(
      gNzaVon, "Nza_PKeyVon_Open",
      NZA_SELECT
      "where ((((NzaSa=:b0 and NzaApl=:b1) and NzaApk=:b2) and NzaApp=:b3) and " NZA_PNR_EQ
      " and (TO_CHAR(NzaDtm,'yyyymmddHH24MISS')>=:b5 and "
      "TO_CHAR(NzaDtm,'yyyymmddHH24MISS')<=:b6))" NZA_PNR_ORDER,
      {DbInt(sa), DbText(apl), DbText(apk), DbText(app), DbText(pnr), DbText(von), DbText(bis)});
}
int Nza_PKeyVon_Read(NzaSatz& row) {
  return NzaFetch(gNzaVon, row);
}
int Nza_PKeyVon_Close() {
  return Db_CursorClose(gNzaVon);
}

int Nza_OpenAplApp(int sa, const std::string& apl, const std::string& apk, const std::string& app) {
  return Db_CursorOpen(
      gNzaAplApp, "Nza_OpenAplApp",
      NZA_SELECT "where (((NzaSa=:b0 and NzaApl=:b1) and NzaApk=:b2) and NzaApp=:b3)" NZA_PNR_ORDER,
      {DbInt(sa), DbText(apl), DbText(apk), DbText(app)});
}
int Nza_FetchAplApp(NzaSatz& row) {
  return NzaFetch(gNzaAplApp, row);
}
int Nza_CloseAplApp() {
  return Db_CursorClose(gNzaAplApp);
}

int Nza_OpenApkApp(int sa, const std::string& apk, const std::string& app) {
  // Workplace, person and begin break the ties, so that every engine delivers
  // the same order.
  return Db_CursorOpen(gNzaApkApp, "Nza_OpenApkApp",
                       NZA_SELECT
                       "where ((NzaSa=:b0 and NzaApk=:b1) and NzaApp=:b2) "
                       "order by NzaApk,NzaApp,NzaApl,NzaPnr,NzaDtm",
                       {DbInt(sa), DbText(apk), DbText(app)});
}
int Nza_FetchApkApp(NzaSatz& row) {
  return NzaFetch(gNzaApkApp, row);
}
int Nza_CloseApkApp() {
  return Db_CursorClose(gNzaApkApp);
}

// Begin or end within the window :b<v> to :b<b>, both ends included.
#define NZA_WINDOW(v, b)                                                                       \
  "((TO_CHAR(NzaDtm,'yyyymmddHH24MISS')>=:b" v " and TO_CHAR(NzaDtm,'yyyymmddHH24MISS')<=:b" b \
  ") or (TO_CHAR(NzaEdt,'yyyymmddHH24MISS')>=:b" v                                             \
  " and "                                                                                      \
  "TO_CHAR(NzaEdt,'yyyymmddHH24MISS')<=:b" b "))"

int Nza_OpenSa1Zeit(const std::string& pnr, const std::string& von, const std::string& bis) {
  // Workplace, order and operation break ties of one begin.
  return Db_CursorOpen(gNzaSa1, "Nza_OpenSa1Zeit",
                       NZA_SELECT
                       "where ((NzaSa=1 and coalesce(NzaPnr,'')=coalesce(:b0,'')) and " NZA_WINDOW(
                           "1", "2") ") order by NzaDtm,NzaApl,NzaApk,NzaApp",
                       {DbText(pnr), DbText(von), DbText(bis)});
}
int Nza_FetchSa1Zeit(NzaSatz& row) {
  return NzaFetch(gNzaSa1, row);
}
int Nza_CloseSa1Zeit() {
  return Db_CursorClose(gNzaSa1);
}

int Nza_OpenSa2Zeit(const std::string& apl, const std::string& apk, const std::string& app,
                    const std::string& pnr, const std::string& von, const std::string& bis) {
  return Db_CursorOpen(
      gNzaSa2, "Nza_OpenSa2Zeit",
      NZA_SELECT
      "where ((((NzaSa=2 and NzaApl=:b0) and NzaApk=:b1) and NzaApp=:b2) and "
      "coalesce(NzaPnr,'')=coalesce(:b3,'') and " NZA_WINDOW("4", "5") ") order by NzaDtm",
      {DbText(apl), DbText(apk), DbText(app), DbText(pnr), DbText(von), DbText(bis)});
}
int Nza_FetchSa2Zeit(NzaSatz& row) {
  return NzaFetch(gNzaSa2, row);
}
int Nza_CloseSa2Zeit() {
  return Db_CursorClose(gNzaSa2);
}

int Mlt_PKeyIns(const MltSatz& r) {
  return Db_Write(
      "Mlt_PKeyIns", "Mlt_PKeyIns_Sp",
      "insert into Qvt561Mlt (MltErf,MltDat,MltLfn,MltObj,MltPnr,MltApl,MltApk,MltApp,Mlt00E,"
      "Mlt00R,Mlt00A,Mlt00S,Mlt00U,MltBkg,MltPbe,MltArg,MltEmo,MltTtp,MltWoc,MltWtg,MltJtg,"
      "MltJwo,MltMdt,MltUbg) values (:b0,:b1,:b2,:b3,:b4,:b5,:b6,:b7,:b8,:b9,:b10,:b11,:b12,"
      ":b13,:b14,:b15,:b16,:b17,:b18,:b19,:b20,:b21,TO_DATE(:b22,'yyyymmddHH24MISS'),:b23)",
      {DbText(r.MltErf),
       DbText(r.MltDat),
       DbInt(r.MltLfn),
       DbText(r.MltObj),
       DbText(r.MltPnr),
       DbText(r.MltApl),
       DbText(r.MltApk),
       DbText(r.MltApp),
       DbText(r.Mlt00E),
       DbText(r.Mlt00R),
       DbText(r.Mlt00A),
       DbText(r.Mlt00S),
       DbText(r.Mlt00U),
       DbText(r.MltBkg),
       DbText(r.MltPbe),
       DbText(r.MltArg),
       DbText(r.MltEmo),
       DbText(r.MltTtp),
       DbInt(r.MltWoc),
       DbInt(r.MltWtg),
       DbInt(r.MltJtg),
       DbText(r.MltJwo),
       DbText(Instant(r.MltMdtDat, r.MltMdtUhr)),
       DbText(r.MltUbg)});
}

int Mlt_PKeyDel(const MltSatz& r) {
  return Db_Write("Mlt_PKeyDel", "Mlt_PKeyDel_Sp",
                  "delete  from Qvt561Mlt  where ((MltErf=:b0 and MltDat=:b1) and MltLfn=:b2)",
                  {DbText(r.MltErf), DbText(r.MltDat), DbInt(r.MltLfn)});
}

int Mlt_Open(const std::string& erf, const std::string& dat) {
  return Db_CursorOpen(gMlt, "Mlt_Open",
                       MLT_SELECT
                       "where (MltErf=:b0 and MltDat=:b1) order by MltErf,MltDat,MltMdt,MltLfn",
                       {DbText(erf), DbText(dat)});
}
int Mlt_Fetch(MltSatz& row) {
  const DbZeile* z = nullptr;
  int st = Db_CursorFetch(gMlt, z);
  MltConvert(st, z, row);
  return st;
}
int Mlt_Close() {
  return Db_CursorClose(gMlt);
}

int Mlt_MaxLfn(const std::string& erf, const std::string& dat, int& maxLfn) {
  DbZeile z;
  int st = Db_ReadOne("Mlt_MaxLfn",
                      "select max(MLTLFN) from Qvt561Mlt where (MltErf=:b0 and MltDat=:b1)",
                      {DbText(erf), DbText(dat)}, z);
  if (st != DB_OK) return st;
  // The maximum of an empty list is NULL: no number to hand over.
  if (z.empty() || z[0].art == DbWert::Art::Null) return DB_NOT_FOUND;
  maxLfn = DbZeileInt(z, 0);
  return DB_OK;
}
