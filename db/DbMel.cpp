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

int Fetch(DbCursor& cur, MelSatz& row) {
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
