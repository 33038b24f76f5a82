#include "db/Dbstd.h"

#include <vector>

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "db/DbstdZeilen.h"
#include "infra/Datum.h"

int Fzu_MldRead(FzuSatz& e) {
  DbZeile z;
  int st = Db_ReadOne("Fzu_MldRead",
                      "select FzuFcd,FzuMld,FzuBez,FzuTxt,FzuArt,FzuObj,FzuUpl,FzuGen,FzuZf1,"
                      "FzuZf2,FzuZf3,FzuSta,FzuErf from Qvt553Fzu where FzuMld=:b0",
                      {DbText(e.FzuMld)}, z);
  if (st != DB_OK) return st;
  e.FzuFcd = DbZeileText(z, 0);
  e.FzuMld = DbZeileText(z, 1);
  e.FzuBez = DbZeileText(z, 2);
  e.FzuTxt = DbZeileText(z, 3);
  e.FzuArt = DbZeileInt(z, 4);
  e.FzuObj = DbZeileInt(z, 5);
  e.FzuUpl = DbZeileInt(z, 6);
  e.FzuGen = DbZeileInt(z, 7);
  e.FzuZf1 = DbZeileText(z, 8);
  e.FzuZf2 = DbZeileText(z, 9);
  e.FzuZf3 = DbZeileText(z, 10);
  e.FzuSta = static_cast<short>(DbZeileInt(z, 11));
  e.FzuErf = DbZeileText(z, 12);
  return DB_OK;
}

int Nzp_PKeyReadk(NzpSatz& r) {
  DbZeile z;
  int st = Db_ReadOne("Nzp_PKeyReadk",
                      "select NzpAkz,TO_CHAR(NzpGvn,'yyyymmdd'),TO_CHAR(NzpGbi,'yyyymmdd'),"
                      "NzpAak,NzpAwt,NzpKjh,NzpKmn,NzpKwo,NzpKtg,NzpAan,NzpVfh,NzpNfh,NzpAus,"
                      "NzpMrk from Qvt591Nzp where ((NzpAkz=:b0 and NzpGvn<trunc(sysdate)) and "
                      "NzpGbi>trunc(sysdate))",
                      {DbInt(r.NzpAkz)}, z);
  if (st != DB_OK) return st;
  size_t i = 0;
  r.NzpAkz = DbZeileInt(z, i++);
  r.NzpGvn = DbZeileText(z, i++);
  r.NzpGbi = DbZeileText(z, i++);
  int* nums[] = {&r.NzpAak, &r.NzpAwt, &r.NzpKjh, &r.NzpKmn, &r.NzpKwo,
                 &r.NzpKtg, &r.NzpAan, &r.NzpVfh, &r.NzpNfh};
  for (int* n : nums) *n = DbZeileInt(z, i++);
  r.NzpAus = DbZeileText(z, i++);
  r.NzpMrk = DbZeileInt(z, i++);
  return DB_OK;
}

// Order headers, operations, workplaces, persons and shift models

namespace {

// One field of a record in select order, for the shared read conversion.
struct StammFeld {
  enum Art { Text, Zahl, Kurz, Real } art;
  void* ziel;
};
StammFeld Tx(std::string& s) {
  return {StammFeld::Text, &s};
}
StammFeld Nr(int& n) {
  return {StammFeld::Zahl, &n};
}
// A 16-bit column, widened.
StammFeld Ks(int& n) {
  return {StammFeld::Kurz, &n};
}
StammFeld Re(double& d) {
  return {StammFeld::Real, &d};
}

void StammUebernehmen(const DbZeile& z, const std::vector<StammFeld>& felder) {
  for (size_t i = 0; i < felder.size(); ++i) {
    const StammFeld& f = felder[i];
    switch (f.art) {
      case StammFeld::Text:
        *static_cast<std::string*>(f.ziel) = DbZeileText(z, i);
        break;
      case StammFeld::Zahl:
        *static_cast<int*>(f.ziel) = DbZeileInt(z, i);
        break;
      case StammFeld::Kurz:
        *static_cast<int*>(f.ziel) = static_cast<short>(DbZeileInt(z, i));
        break;
      case StammFeld::Real:
        *static_cast<double*>(f.ziel) = DbZeileReal(z, i);
        break;
    }
  }
}

// A failed single-row read leaves the first `schluessel` fields (the key) and
// clears the others.
void StammLeeren(const std::vector<StammFeld>& felder, size_t schluessel) {
  for (size_t i = schluessel; i < felder.size(); ++i) {
    const StammFeld& f = felder[i];
    if (f.art == StammFeld::Text) {
      static_cast<std::string*>(f.ziel)->clear();
    } else if (f.art == StammFeld::Real) {
      *static_cast<double*>(f.ziel) = 0;
    } else {
      *static_cast<int*>(f.ziel) = 0;
    }
  }
}

// The instant written from a separate date and time: nothing when both are
// empty, midnight when only the time is missing.
std::string StammInstant(const std::string& dat, const std::string& uhr) {
  if (dat.empty() && uhr.empty()) return "";
  return dat + (uhr.empty() ? std::string("000000") : uhr);
}

std::vector<StammFeld> ApkFelder(ApkSatz& r, bool mitApkDat) {
  std::vector<StammFeld> f = {
      Tx(r.ApkApk),    Tx(r.ApkBz1),    Tx(r.ApkBz2),    Tx(r.ApkTxt), Ks(r.ApkSts),
      Ks(r.ApkSis),    Tx(r.ApkKun),    Tx(r.ApkKb1),    Tx(r.ApkKb2), Tx(r.ApkBgs),
      Tx(r.ApkEns),    Ks(r.ApkAfo),    Ks(r.ApkEaf),    Tx(r.ApkTnr), Tx(r.ApkTb1),
      Tx(r.ApkTb2),    Re(r.ApkSme),    Re(r.ApkIme),    Tx(r.ApkMee), Tx(r.ApkBdiDat),
      Tx(r.ApkBdiUhr), Tx(r.ApkEdiDat), Tx(r.ApkEdiUhr), Tx(r.ApkFbe), Tx(r.ApkKst),
      Tx(r.ApkZf1),    Tx(r.ApkZf2),    Tx(r.ApkZf3),    Tx(r.ApkKnz), Ks(r.ApkSsn),
      Tx(r.ApkDna),    Tx(r.ApkDwn),    Ks(r.ApkSta)};
  if (mitApkDat) f.push_back(Tx(r.ApkDat));
  f.push_back(Tx(r.ApkErf));
  f.push_back(Nr(r.ApkAba));
  return f;
}

std::vector<StammFeld> AppFelder(AppSatz& r) {
  return {Tx(r.AppApk),    Tx(r.AppApp),    Tx(r.AppVaf),    Tx(r.AppNaf),    Tx(r.AppBz1),
          Tx(r.AppBz2),    Tx(r.AppTxt),    Ks(r.AppSts),    Ks(r.AppSis),    Tx(r.AppBdiDat),
          Tx(r.AppBdiUhr), Tx(r.AppBdsDat), Tx(r.AppBdsUhr), Tx(r.AppSbdDat), Tx(r.AppSbdUhr),
          Tx(r.AppEdiDat), Tx(r.AppEdiUhr), Tx(r.AppEdsDat), Tx(r.AppEdsUhr), Tx(r.AppSedDat),
          Tx(r.AppSedUhr), Tx(r.AppRadDat), Tx(r.AppRadUhr), Tx(r.AppRedDat), Tx(r.AppRedUhr),
          Nr(r.AppAgs),    Nr(r.AppAbs),    Nr(r.AppAes),    Re(r.AppSme),    Re(r.AppIme),
          Re(r.AppAme),    Tx(r.AppMee),    Re(r.AppSza),    Re(r.AppStr),    Re(r.AppSte),
          Re(r.AppIta),    Re(r.AppItr),    Re(r.AppIte),    Tx(r.AppApg),    Tx(r.AppApl),
          Tx(r.AppKt1),    Tx(r.AppKz1),    Tx(r.AppKt2),    Tx(r.AppKz2),    Tx(r.AppKt3),
          Tx(r.AppKz3),    Tx(r.AppKt4),    Tx(r.AppKz4),    Tx(r.AppFbe),    Tx(r.AppKst),
          Tx(r.AppZf1),    Tx(r.AppZf2),    Tx(r.AppZf3),    Tx(r.AppKnz),    Ks(r.AppSsn),
          Tx(r.AppDna),    Tx(r.AppDwn),    Ks(r.AppSta),    Tx(r.AppDat),    Tx(r.AppErf)};
}

std::vector<StammFeld> AplFelder(AplSatz& r) {
  return {Tx(r.AplApl), Tx(r.AplBez), Tx(r.AplTxt), Tx(r.AplApg), Tx(r.AplFbe), Ks(r.AplSts),
          Ks(r.AplSis), Nr(r.AplApr), Nr(r.AplAaf), Tx(r.AplUbg), Tx(r.AplUdt), Nr(r.AplTag),
          Re(r.AplVrf), Re(r.AplRsp), Re(r.AplRsi), Re(r.AplAfp), Re(r.AplAfi), Re(r.AplPau),
          Re(r.AplUnt), Re(r.AplIak), Nr(r.AplAvt), Re(r.AplKap), Re(r.AplAvr), Re(r.AplAvp),
          Tx(r.AplSt1), Tx(r.AplSt2), Tx(r.AplSt3), Re(r.AplSf1), Re(r.AplSf2), Re(r.AplSf3),
          Tx(r.AplZf1), Tx(r.AplZf2), Tx(r.AplZf3), Tx(r.AplDna), Tx(r.AplDwn), Ks(r.AplSta),
          Tx(r.AplErf)};
}

std::vector<StammFeld> PrvFelder(PrvSatz& r) {
  return {Tx(r.PrvPnr), Tx(r.PrvGvo), Tx(r.PrvGbi), Nr(r.PrvBer), Tx(r.PrvKst),
          Tx(r.PrvFbe), Nr(r.PrvMmb), Tx(r.PrvZf1), Tx(r.PrvZf2), Tx(r.PrvZf3),
          Ks(r.PrvSta), Tx(r.PrvErf), Tx(r.PrvDna), Tx(r.PrvDwn), Tx(r.PrvAwn),
          Nr(r.PrvAwa), Nr(r.PrvAnw), Nr(r.PrvApl), Nr(r.PrvApp), Nr(r.PrvPzm),
          Tx(r.PrvAvn), Tx(r.PrvAbi), Tx(r.PrvNam), Tx(r.PrvStr), Tx(r.PrvOrt)};
}

std::vector<StammFeld> AemTagFelder(AemTagSatz& r) {
  return {Tx(r.AemApg), Tx(r.AemEmo), Tx(r.AemGvo), Tx(r.AemBez), Tx(r.AemTxt), Tx(r.AemKal),
          Nr(r.AemLkz), Nr(r.AemVzt), Nr(r.AemEzt), Nr(r.AemPrz), Nr(r.AemAfz), Nr(r.AemApz),
          Nr(r.AemPrp), Nr(r.AemAfp), Nr(r.AemApp), Tx(r.KalBtp), Tx(r.KalDtm), Nr(r.BakJhr),
          Nr(r.BakMon), Nr(r.BakWch), Nr(r.BakWtg), Nr(r.BakJtg), Nr(r.AemMaz)};
}

std::vector<StammFeld> EmoPmsFelder(EmoPmsSatz& r) {
  return {Tx(r.EmoEmo), Tx(r.EmoTtp), Tx(r.EmoTxt), Nr(r.EmoBeg), Nr(r.EmoEnd), Tx(r.PmsNum),
          Nr(r.PmsBeg), Nr(r.PmsEnd), Nr(r.PmsInt), Nr(r.PmsPse), Nr(r.PmsBzt), Nr(r.PmsPrz)};
}

std::vector<StammFeld> EmoFelder(EmoSatz& r) {
  return {Tx(r.EmoEmo), Tx(r.EmoTtp), Tx(r.EmoTxt), Nr(r.EmoBeg), Nr(r.EmoEnd), Nr(r.EmoArt)};
}

#define STAMM_APP_SPALTEN                                                                \
  "AppApk,AppApp,AppVaf,AppNaf,AppBz1,AppBz2,AppTxt,AppSts,AppSis,"                      \
  "TO_CHAR(AppBdi,'yyyymmdd'),TO_CHAR(AppBdi,'HH24MISS'),TO_CHAR(AppBds,'yyyymmdd'),"    \
  "TO_CHAR(AppBds,'HH24MISS'),TO_CHAR(AppSbd,'yyyymmdd'),TO_CHAR(AppSbd,'HH24MISS'),"    \
  "TO_CHAR(AppEdi,'yyyymmdd'),TO_CHAR(AppEdi,'HH24MISS'),TO_CHAR(AppEds,'yyyymmdd'),"    \
  "TO_CHAR(AppEds,'HH24MISS'),TO_CHAR(AppSed,'yyyymmdd'),TO_CHAR(AppSed,'HH24MISS'),"    \
  "TO_CHAR(AppRad,'yyyymmdd'),TO_CHAR(AppRad,'HH24MISS'),TO_CHAR(AppRed,'yyyymmdd'),"    \
  "TO_CHAR(AppRed,'HH24MISS'),AppAgs,AppAbs,AppAes,AppSme,AppIme,AppAme,AppMee,AppSza,"  \
  "AppStr,AppSte,AppIta,AppItr,AppIte,AppApg,AppApl,AppKt1,AppKz1,AppKt2,AppKz2,AppKt3," \
  "AppKz3,AppKt4,AppKz4,AppFbe,AppKst,AppZf1,AppZf2,AppZf3,AppKnz,AppSsn,AppDna,AppDwn," \
  "AppSta,TO_CHAR(AppDat,'yyyymmddHH24MISS'),AppErf"

#define STAMM_APK_SPALTEN_A                                                                   \
  "ApkApk,ApkBz1,ApkBz2,ApkTxt,ApkSts,ApkSis,ApkKun,ApkKb1,ApkKb2,"                           \
  "TO_CHAR(ApkBgs,'yyyymmdd'),TO_CHAR(ApkEns,'yyyymmdd'),ApkAfo,ApkEaf,ApkTnr,ApkTb1,ApkTb2," \
  "ApkSme,ApkIme,ApkMee,TO_CHAR(ApkBdi,'yyyymmdd'),TO_CHAR(ApkBdi,'HH24MISS'),"               \
  "TO_CHAR(ApkEdi,'yyyymmdd'),TO_CHAR(ApkEdi,'HH24MISS'),ApkFbe,ApkKst,ApkZf1,ApkZf2,"        \
  "ApkZf3,ApkKnz,ApkSsn,ApkDna,ApkDwn,ApkSta,"
#define STAMM_APK_SPALTEN_B "ApkErf,ApkAba"

// Single-row read into a record whose first `schluessel` fields are the key.
template <typename Satz, typename Felder>
[[nodiscard]] int StammLesen(const char* op, const char* sql, const DbBinds& binds, Satz& r,
                             Felder felder, size_t schluessel) {
  DbZeile z;
  int st = Db_ReadOne(op, sql, binds, z);
  std::vector<StammFeld> f = felder(r);
  if (st == DB_OK) {
    StammUebernehmen(z, f);
  } else {
    StammLeeren(f, schluessel);
  }
  return st;
}

// Cursor fetch: the record changes only on 0.
template <typename Satz, typename Felder>
[[nodiscard]] int StammHolen(DbCursor& c, Satz& r, Felder felder) {
  const DbZeile* z = nullptr;
  int st = Db_CursorFetch(c, z);
  if (st == DB_OK && z != nullptr) StammUebernehmen(*z, felder(r));
  return st;
}

DbCursor gAppZf2, gAemTag, gAemBereich, gEmoPms, gEmoPmsAlle, gEmo;

}  // namespace

std::string Apk_Spalten(bool mitApkDat) {
  return mitApkDat ? STAMM_APK_SPALTEN_A "TO_CHAR(ApkDat,'yyyymmddHH24MISS')," STAMM_APK_SPALTEN_B
                   : STAMM_APK_SPALTEN_A STAMM_APK_SPALTEN_B;
}

void Apk_AusZeile(const DbZeile& zeile, ApkSatz& row, bool mitApkDat) {
  StammUebernehmen(zeile, ApkFelder(row, mitApkDat));
}

std::string App_Spalten() {
  return STAMM_APP_SPALTEN;
}

void App_AusZeile(const DbZeile& zeile, AppSatz& row) {
  StammUebernehmen(zeile, AppFelder(row));
}

int Apk_PKeyReadk(ApkSatz& row) {
  // The change instant is not part of this read; a value left from another
  // row (a download fetch into the same record) must not stay behind.
  row.ApkDat.clear();
  return StammLesen(
      "Apk_PKeyReadk",
      "select " STAMM_APK_SPALTEN_A STAMM_APK_SPALTEN_B " from Qvt501Apk where ApkApk=:b0",
      {DbText(row.ApkApk)}, row, [](ApkSatz& r) { return ApkFelder(r, false); }, 1);
}

int Apk_PKeyUpd(const ApkSatz& r) {
  return Db_Write(
      "Apk_PKeyUpd", "Apk_PKeyUpd_Sp",
      "update Qvt501Apk set ApkApk=:b0,ApkBz1=:b1,ApkBz2=:b2,ApkTxt=:b3,ApkSts=:b4,ApkSis=:b5,"
      "ApkKun=:b6,ApkKb1=:b7,ApkKb2=:b8,ApkBgs=TO_DATE(:b9,'yyyymmdd'),"
      "ApkEns=TO_DATE(:b10,'yyyymmdd'),ApkAfo=:b11,ApkEaf=:b12,ApkTnr=:b13,ApkTb1=:b14,"
      "ApkTb2=:b15,ApkSme=:b16,ApkIme=:b17,ApkMee=:b18,"
      "ApkBdi=TO_DATE(:b19,'yyyymmddHH24MISS'),ApkEdi=TO_DATE(:b20,'yyyymmddHH24MISS'),"
      "ApkFbe=:b21,ApkKst=:b22,ApkZf1=:b23,ApkZf2=:b24,ApkZf3=:b25,ApkKnz=:b26,ApkSsn=:b27,"
      "ApkDna=:b28,ApkDwn=:b29,ApkSta=:b30,ApkErf=:b31,ApkAba=:b32,ApkDat=sysdate "
      "where ApkApk=:b0",
      {DbText(r.ApkApk),
       DbText(r.ApkBz1),
       DbText(r.ApkBz2),
       DbText(r.ApkTxt),
       DbInt(r.ApkSts),
       DbInt(r.ApkSis),
       DbText(r.ApkKun),
       DbText(r.ApkKb1),
       DbText(r.ApkKb2),
       DbText(r.ApkBgs),
       DbText(r.ApkEns),
       DbInt(r.ApkAfo),
       DbInt(r.ApkEaf),
       DbText(r.ApkTnr),
       DbText(r.ApkTb1),
       DbText(r.ApkTb2),
       DbReal(r.ApkSme),
       DbReal(r.ApkIme),
       DbText(r.ApkMee),
       DbText(StammInstant(r.ApkBdiDat, r.ApkBdiUhr)),
       DbText(StammInstant(r.ApkEdiDat, r.ApkEdiUhr)),
       DbText(r.ApkFbe),
       DbText(r.ApkKst),
       DbText(r.ApkZf1),
       DbText(r.ApkZf2),
       DbText(r.ApkZf3),
       DbText(r.ApkKnz),
       DbInt(r.ApkSsn),
       DbText(r.ApkDna),
       DbText(r.ApkDwn),
       DbInt(r.ApkSta),
       DbText(r.ApkErf),
       DbInt(r.ApkAba)});
}

int Apk_PKeyDel(const ApkSatz& row) {
  return Db_Write("Apk_PKeyDel", "Apk_PKeyDel_Sp", "delete  from Qvt501Apk  where ApkApk=:b0",
                  {DbText(row.ApkApk)});
}

int App_PKeyReadk(AppSatz& row) {
  return StammLesen("App_PKeyReadk",
                    "select " STAMM_APP_SPALTEN " from Qvt504App where (AppApk=:b0 and AppApp=:b1)",
                    {DbText(row.AppApk), DbText(row.AppApp)}, row, AppFelder, 2);
}

int App_PKeyUpd(const AppSatz& r) {
  return Db_Write(
      "App_PKeyUpd", "App_PKeyUpd_Sp",
      "update Qvt504App set AppApk=:b0,AppApp=:b1,AppVaf=:b2,AppNaf=:b3,AppBz1=:b4,AppBz2=:b5,"
      "AppTxt=:b6,AppSts=:b7,AppSis=:b8,AppBdi=TO_DATE(:b9,'yyyymmddHH24MISS'),"
      "AppBds=TO_DATE(:b10,'yyyymmddHH24MISS'),AppSbd=TO_DATE(:b11,'yyyymmddHH24MISS'),"
      "AppEdi=TO_DATE(:b12,'yyyymmddHH24MISS'),AppEds=TO_DATE(:b13,'yyyymmddHH24MISS'),"
      "AppSed=TO_DATE(:b14,'yyyymmddHH24MISS'),AppRad=TO_DATE(:b15,'yyyymmddHH24MISS'),"
      "AppRed=TO_DATE(:b16,'yyyymmddHH24MISS'),AppAgs=:b17,AppAbs=:b18,AppAes=:b19,"
      "AppSme=:b20,AppIme=:b21,AppAme=:b22,AppMee=:b23,AppSza=:b24,AppStr=:b25,AppSte=:b26,"
      "AppIta=:b27,AppItr=:b28,AppIte=:b29,AppApg=:b30,AppApl=:b31,AppKt1=:b32,AppKz1=:b33,"
      "AppKt2=:b34,AppKz2=:b35,AppKt3=:b36,AppKz3=:b37,AppKt4=:b38,AppKz4=:b39,AppFbe=:b40,"
      "AppKst=:b41,AppZf1=:b42,AppZf2=:b43,AppZf3=:b44,AppKnz=:b45,AppSsn=:b46,AppDna=:b47,"
      "AppDwn=:b48,AppSta=:b49,AppErf=:b50,AppDat=sysdate "
      "where (AppApk=:b0 and AppApp=:b1)",
      {DbText(r.AppApk),
       DbText(r.AppApp),
       DbText(r.AppVaf),
       DbText(r.AppNaf),
       DbText(r.AppBz1),
       DbText(r.AppBz2),
       DbText(r.AppTxt),
       DbInt(r.AppSts),
       DbInt(r.AppSis),
       DbText(StammInstant(r.AppBdiDat, r.AppBdiUhr)),
       DbText(StammInstant(r.AppBdsDat, r.AppBdsUhr)),
       DbText(StammInstant(r.AppSbdDat, r.AppSbdUhr)),
       DbText(StammInstant(r.AppEdiDat, r.AppEdiUhr)),
       DbText(StammInstant(r.AppEdsDat, r.AppEdsUhr)),
       DbText(StammInstant(r.AppSedDat, r.AppSedUhr)),
       DbText(StammInstant(r.AppRadDat, r.AppRadUhr)),
       DbText(StammInstant(r.AppRedDat, r.AppRedUhr)),
       DbInt(r.AppAgs),
       DbInt(r.AppAbs),
       DbInt(r.AppAes),
       DbReal(r.AppSme),
       DbReal(r.AppIme),
       DbReal(r.AppAme),
       DbText(r.AppMee),
       DbReal(r.AppSza),
       DbReal(r.AppStr),
       DbReal(r.AppSte),
       DbReal(r.AppIta),
       DbReal(r.AppItr),
       DbReal(r.AppIte),
       DbText(r.AppApg),
       DbText(r.AppApl),
       DbText(r.AppKt1),
       DbText(r.AppKz1),
       DbText(r.AppKt2),
       DbText(r.AppKz2),
       DbText(r.AppKt3),
       DbText(r.AppKz3),
       DbText(r.AppKt4),
       DbText(r.AppKz4),
       DbText(r.AppFbe),
       DbText(r.AppKst),
       DbText(r.AppZf1),
       DbText(r.AppZf2),
       DbText(r.AppZf3),
       DbText(r.AppKnz),
       DbInt(r.AppSsn),
       DbText(r.AppDna),
       DbText(r.AppDwn),
       DbInt(r.AppSta),
       DbText(r.AppErf)});
}

int App_PKeyDel(const AppSatz& row) {
  return Db_Write("App_PKeyDel", "App_PKeyDel_Sp",
                  "delete  from Qvt504App  where (AppApk=:b0 and AppApp=:b1)",
                  {DbText(row.AppApk), DbText(row.AppApp)});
}

int App_OpenZf2(const std::string& zf2) {
  return Db_CursorOpen(gAppZf2, "App_OpenZf2",
                       "select " STAMM_APP_SPALTEN
                       " from Qvt504App where AppZf2=:b0 order by AppZf2,AppApk,AppApp",
                       {DbText(zf2)});
}
int App_FetchZf2(AppSatz& row) {
  return StammHolen(gAppZf2, row, AppFelder);
}
int App_CloseZf2() {
  return Db_CursorClose(gAppZf2);
}

int Apl_PKeyReadk(AplSatz& row) {
  return StammLesen(
      "Apl_PKeyReadk",
      "select AplApl,AplBez,AplTxt,AplApg,AplFbe,AplSts,AplSis,AplApr,AplAaf,AplUbg,"
      "TO_CHAR(AplUdt,'yyyymmddHH24MISS'),AplTag,AplVrf,AplRsp,AplRsi,AplAfp,AplAfi,AplPau,"
      "AplUnt,AplIak,AplAvt,AplKap,AplAvr,AplAvp,AplSt1,AplSt2,AplSt3,AplSf1,AplSf2,AplSf3,"
      "AplZf1,AplZf2,AplZf3,AplDna,AplDwn,AplSta,AplErf from Qvt531Apl where AplApl=:b0",
      {DbText(row.AplApl)}, row, AplFelder, 1);
}

int Prv_PKeyReadk(PrvSatz& row) {
  return StammLesen(
      "Prv_PKeyReadk",
      "select PrvPnr,TO_CHAR(PrvGvo,'yyyymmdd'),TO_CHAR(PrvGbi,'yyyymmdd'),PrvBer,PrvKst,"
      "PrvFbe,PrvMmb,PrvZf1,PrvZf2,PrvZf3,PrvSta,PrvErf,PrvDna,PrvDwn,PrvAwn,PrvAwa,PrvAnw,"
      "PrvApl,PrvApp,PrvPzm,TO_CHAR(PrvAvn,'yyyymmddHH24MISS'),"
      "TO_CHAR(PrvAbi,'yyyymmddHH24MISS'),PrvNam,PrvStr,PrvOrt from Qvt510Prv where PrvPnr=:b0",
      {DbText(row.PrvPnr)}, row, PrvFelder, 1);
}

int Aem_OpenTag(const std::string& apg, int kng, const std::string& datum) {
  // The calendar rows of the day are those from its midnight up to the next
  // one: a range on the calendars' keys, where a comparison of the formatted
  // date would read every calendar row for every day asked for. A text that
  // is no date finds nothing, as the formatted comparison did: it binds as
  // the empty text, which no instant equals.
  std::string tag = datum, folgetag;
  if (!Datum_Plus(datum, 1, folgetag)) tag = folgetag = "";
  return Db_CursorOpen(
      gAemTag, "Aem_OpenTag",
      "select AemApg,AemEmo,TO_CHAR(AemGvo,'yyyymmdd'),AemBez,AemTxt,AemKal,AemLkz,AemVzt,"
      "AemEzt,AemPrz,AemAfz,AemApz,AemPrp,AemAfp,AemApp,KalBtp,TO_CHAR(KalDtm,'yyyymmdd'),"
      "BakJhr,BakMon,BakWch,BakWtg,BakJtg,AemMaz "
      "from Qvt532Aem,QvSystem.Qvt133Kal,QvSystem.Qvt133Bak,Qvt533Emo "
      "where ((((((((AemApg=:b0 and AemKng=:b1) and TO_CHAR(AemGvo,'yyyymmdd')<=:b2) and "
      "(TO_CHAR(AemGbi,'yyyymmdd')>=:b3 or AemGbi is null)) and KalNum=AemKal) and "
      "(KalDtm>=TO_DATE(:b4,'yyyymmdd') and KalDtm<TO_DATE(:b5,'yyyymmdd'))) and "
      "(BakDtm>=TO_DATE(:b6,'yyyymmdd') and BakDtm<TO_DATE(:b7,'yyyymmdd'))) and "
      "EmoEmo=AemEmo) and EmoTtp=KalBtp) order by EmoBeg,AemEmo",
      {DbText(apg), DbInt(kng), DbText(datum), DbText(datum), DbText(tag), DbText(folgetag),
       DbText(tag), DbText(folgetag)});
}

int Aem_FetchTag(AemTagSatz& row) {
  int st = StammHolen(gAemTag, row, AemTagFelder);
  if (st != DB_OK) return st;
  // Days around the turn of the year can belong to a week of the other year.
  row.KwJahr = row.BakJhr;
  if (row.BakMon == 12 && row.BakWch == 1) row.KwJahr = row.BakJhr + 1;
  if (row.BakMon == 1 && row.BakWch >= 52) row.KwJahr = row.BakJhr - 1;
  return st;
}

int Aem_CloseTag() {
  return Db_CursorClose(gAemTag);
}

int Aem_CountKng(const std::string& apg, int& anzahl) {
  DbZeile z;
  int st =
      Db_ReadOne("Aem_CountKng", "select count(*) from Qvt532Aem where (AemApg=:b0 and AemKng=2)",
                 {DbText(apg)}, z);
  if (st == DB_OK) anzahl = DbZeileInt(z, 0);
  return st;
}

int Emo_OpenPms(const std::string& emo, const std::string& ttp, const std::string& datum) {
  return Db_CursorOpen(
      gEmoPms, "Emo_OpenPms",
      "select EmoEmo,EmoTtp,EmoTxt,EmoBeg,EmoEnd,PmsNum,PmsBeg,PmsEnd,PmsInt,PmsPse,PmsBzt,"
      "PmsPrz from Qvt533Emo,Qvt536Pmz,Qvt535Pms "
      "where (((((EmoEmo=:b0 and EmoTtp=:b1) and PmzPmo=EmoPmo) and PmsNum=PmzPms) and "
      "TO_CHAR(PmzGvo,'yyyymmdd')<=:b2) and TO_CHAR(PmzGbi,'yyyymmdd')>=:b3) "
      "order by EmoBeg,PmsBeg",
      {DbText(emo), DbText(ttp), DbText(datum), DbText(datum)});
}
int Emo_FetchPms(EmoPmsSatz& row) {
  return StammHolen(gEmoPms, row, EmoPmsFelder);
}
int Emo_ClosePms() {
  return Db_CursorClose(gEmoPms);
}

int Aem_OpenBereich(const std::string& apg, int kng, const std::string& von,
                    const std::string& bisAusschl) {
  // Aem_OpenTag over a range of calendar days: the validity of the
  // assignment is compared with each calendar row's own day.
  return Db_CursorOpen(
      gAemBereich, "Aem_OpenBereich",
      "select AemApg,AemEmo,TO_CHAR(AemGvo,'yyyymmdd'),AemBez,AemTxt,AemKal,AemLkz,AemVzt,"
      "AemEzt,AemPrz,AemAfz,AemApz,AemPrp,AemAfp,AemApp,KalBtp,TO_CHAR(KalDtm,'yyyymmdd'),"
      "0,0,0,0,0,AemMaz "
      "from Qvt532Aem,QvSystem.Qvt133Kal,Qvt533Emo "
      "where ((((((AemApg=:b0 and AemKng=:b1) and KalNum=AemKal) and "
      "(KalDtm>=TO_DATE(:b2,'yyyymmdd') and KalDtm<TO_DATE(:b3,'yyyymmdd'))) and "
      "TO_CHAR(AemGvo,'yyyymmdd')<=TO_CHAR(KalDtm,'yyyymmdd')) and "
      "(TO_CHAR(AemGbi,'yyyymmdd')>=TO_CHAR(KalDtm,'yyyymmdd') or AemGbi is null)) and "
      "(EmoEmo=AemEmo and EmoTtp=KalBtp)) "
      "order by TO_CHAR(KalDtm,'yyyymmdd'),EmoBeg,AemEmo",
      {DbText(apg), DbInt(kng), DbText(von), DbText(bisAusschl)});
}
int Aem_FetchBereich(AemTagSatz& row) {
  return StammHolen(gAemBereich, row, AemTagFelder);
}
int Aem_CloseBereich() {
  return Db_CursorClose(gAemBereich);
}

int Emo_OpenPmsAlle(const std::string& emo, const std::string& ttp) {
  return Db_CursorOpen(
      gEmoPmsAlle, "Emo_OpenPmsAlle",
      "select EmoEmo,EmoTtp,EmoTxt,EmoBeg,EmoEnd,PmsNum,PmsBeg,PmsEnd,PmsInt,PmsPse,PmsBzt,"
      "PmsPrz,TO_CHAR(PmzGvo,'yyyymmdd'),TO_CHAR(PmzGbi,'yyyymmdd') "
      "from Qvt533Emo,Qvt536Pmz,Qvt535Pms "
      "where (((EmoEmo=:b0 and EmoTtp=:b1) and PmzPmo=EmoPmo) and PmsNum=PmzPms) "
      "order by EmoBeg,PmsBeg",
      {DbText(emo), DbText(ttp)});
}
int Emo_FetchPmsAlle(EmoPmsGueltigSatz& row) {
  return StammHolen(gEmoPmsAlle, row, [](EmoPmsGueltigSatz& r) {
    std::vector<StammFeld> f = EmoPmsFelder(r);
    f.push_back(Tx(r.PmzGvo));
    f.push_back(Tx(r.PmzGbi));
    return f;
  });
}
int Emo_ClosePmsAlle() {
  return Db_CursorClose(gEmoPmsAlle);
}

int Emo_Open(const std::string& emo, const std::string& ttp) {
  return Db_CursorOpen(gEmo, "Emo_Open",
                       "select EmoEmo,EmoTtp,EmoTxt,EmoBeg,EmoEnd,EmoArt from Qvt533Emo "
                       "where (EmoEmo=:b0 and EmoTtp=:b1) order by EmoBeg",
                       {DbText(emo), DbText(ttp)});
}
int Emo_Fetch(EmoSatz& row) {
  return StammHolen(gEmo, row, EmoFelder);
}
int Emo_Close() {
  return Db_CursorClose(gEmo);
}

// Calendar, shift and person-time tables

namespace {

DbCursor gKalBakBereich, gKalBakTage, gKalTagBereich, gKalBup, gKalZtgAzv, gKalPse, gKalMap;

#define KAL_BAK_SELECT \
  "select TO_CHAR(BakDtm,'yyyymmdd'),BakJhr,BakMon,BakTag,BakWch,BakWtg,BakJtg from "

void KalBakAus(const DbZeile& z, BakSatz& r) {
  r.BakDtm = DbZeileText(z, 0);
  int* nums[] = {&r.BakJhr, &r.BakMon, &r.BakTag, &r.BakWch, &r.BakWtg, &r.BakJtg};
  size_t i = 1;
  for (int* n : nums) *n = DbZeileInt(z, i++);
}

#define KAL_TAG_SELECT                                                   \
  "select TagPnr,TO_CHAR(TagVon,'yyyymmdd'),TO_CHAR(TagUhr,'HH24MISS')," \
  "TO_CHAR(TagBis,'yyyymmdd'),TO_CHAR(TagEnd,'HH24MISS'),TagTgb,TagOne from Qvt327Tag "

void KalTagAus(const DbZeile& z, TagSatz& r) {
  r.TagPnr = DbZeileText(z, 0);
  r.TagVon = DbZeileText(z, 1);
  r.TagUhr = DbZeileText(z, 2);
  r.TagBis = DbZeileText(z, 3);
  r.TagEnd = DbZeileText(z, 4);
  r.TagTgb = DbZeileText(z, 5);
  r.TagOne = DbZeileInt(z, 6);
}

void KalBupAus(const DbZeile& z, BupSatz& r) {
  r.BupPnr = DbZeileText(z, 0);
  r.BupVon = DbZeileText(z, 1);
  r.BupUhr = DbZeileText(z, 2);
  r.BupFkt = DbZeileInt(z, 3);
  r.BupBis = DbZeileText(z, 4);
  r.BupEnd = DbZeileText(z, 5);
  int* nums[] = {&r.BupFfk, &r.BupTvo, &r.BupTbi, &r.BupAvo, &r.BupAbi, &r.BupWzv, &r.BupWzb};
  size_t i = 6;
  for (int* n : nums) *n = DbZeileInt(z, i++);
}

void KalZtgAzvAus(const DbZeile& z, ZtgAzvSatz& r) {
  size_t i = 0;
  r.ZtgPnr = DbZeileText(z, i++);
  r.ZtgVon = DbZeileText(z, i++);
  r.ZtgAzt = DbZeileText(z, i++);
  r.AzvPsm = DbZeileText(z, i++);
  int* azv[] = {&r.AzvMav, &r.AzvMab, &r.AzvNov, &r.AzvNob,
                &r.AzvGlv, &r.AzvGlb, &r.AzvKev, &r.AzvKeb};
  for (int* n : azv) *n = DbZeileInt(z, i++);
  r.ZtgAgr = DbZeileText(z, i++);
  r.ZtgTtp = DbZeileText(z, i++);
  int* rest[] = {&r.AzvSol, &r.BakWch, &r.BakWtg, &r.BakJtg};
  for (int* n : rest) *n = DbZeileInt(z, i++);
}

void KalPseAus(const DbZeile& z, PseSatz& r) {
  r.PseNum = DbZeileText(z, 0);
  int* nums[] = {&r.PseLfd, &r.PseVon, &r.PseBis, &r.PseMin, &r.PseMax, &r.PseInt, &r.PsePse};
  size_t i = 1;
  for (int* n : nums) *n = DbZeileInt(z, i++);
}

void KalMapAus(const DbZeile& z, MapSatz& r) {
  size_t i = 0;
  r.MapBnr = DbZeileInt(z, i++);
  std::string* texte[] = {&r.MapObj, &r.MapPnr, &r.MapApl, &r.MapApk, &r.MapApp, &r.Map00E,
                          &r.Map00R, &r.Map00A, &r.Map00U, &r.Map00S, &r.Map006, &r.Map007,
                          &r.Map008, &r.Map009, &r.Map010, &r.Map011, &r.Map012, &r.Map013,
                          &r.Map014, &r.Map015, &r.Map016, &r.MapMdt, &r.MapMzt, &r.MapErf,
                          &r.MapSts, &r.MapUbg, &r.MapTnr};
  for (std::string* t : texte) *t = DbZeileText(z, i++);
}

// One fetch of a cursor into a record; the record is filled only on 0.
template <typename Satz>
[[nodiscard]] int KalFetch(DbCursor& c, Satz& row, void (*aus)(const DbZeile&, Satz&)) {
  const DbZeile* z = nullptr;
  int st = Db_CursorFetch(c, z);
  if (st == DB_OK && z != nullptr) aus(*z, row);
  return st;
}

}  // namespace

int Bak_DatumPlus(const std::string& datum, int tage, BakSatz& row) {
  // The day is computed here and bound as a date, so every engine compares
  // the same value; a text that is no date goes to the engine unchanged,
  // which rejects it (or finds nothing for an empty one).
  std::string ziel;
  if (!Datum_Plus(datum, tage, ziel)) {
    std::string gleich;
    // A date, but the day lies outside the years any calendar can hold.
    if (Datum_Plus(datum, 0, gleich)) return DB_BAD_DATE;
    ziel = datum;
  }
  DbZeile z;
  int st = Db_ReadOne("Bak_DatumPlus",
                      KAL_BAK_SELECT "QvSystem.Qvt133Bak where BakDtm=TO_DATE(:b0,'yyyymmdd')",
                      {DbText(ziel)}, z);
  if (st == DB_OK) KalBakAus(z, row);
  return st;
}

int Bak_Zaehlen(const std::string& von, const std::string& bis, int& anzahl) {
  DbZeile z;
  int st = Db_ReadOne("Bak_Zaehlen",
                      "select count(*) from Qvt133Bak where (BakDtm>TO_DATE(:b0,'yyyymmdd') and "
                      "BakDtm<=TO_DATE(:b1,'yyyymmdd'))",
                      {DbText(von), DbText(bis)}, z);
  if (st == DB_OK) anzahl = DbZeileInt(z, 0);
  return st;
}

int Bak_OpenBereich(const std::string& von, const std::string& bis) {
  return Db_CursorOpen(gKalBakBereich, "Bak_Bereich",
                       KAL_BAK_SELECT
                       "QvSystem.Qvt133Bak where (TO_CHAR(BakDtm,'yyyymmdd')>=:b0 and "
                       "TO_CHAR(BakDtm,'yyyymmdd')<=:b1) order by BakDtm",
                       {DbText(von), DbText(bis)});
}
int Bak_FetchBereich(BakSatz& row) {
  return KalFetch(gKalBakBereich, row, KalBakAus);
}
int Bak_CloseBereich() {
  return Db_CursorClose(gKalBakBereich);
}

int Bak_OpenTage(const std::string& von, const std::string& bisAusschl) {
  return Db_CursorOpen(gKalBakTage, "Bak_OpenTage",
                       "select TO_CHAR(BakDtm,'yyyymmdd'),BakJhr,BakMon,BakTag,BakWch,BakWtg,"
                       "BakJtg,TO_CHAR(BakDtm,'HH24MISS') from QvSystem.Qvt133Bak "
                       "where (BakDtm>=TO_DATE(:b0,'yyyymmdd') and "
                       "BakDtm<TO_DATE(:b1,'yyyymmdd')) order by BakDtm",
                       {DbText(von), DbText(bisAusschl)});
}
int Bak_FetchTage(BakUhrSatz& row) {
  return KalFetch(
      gKalBakTage, row, +[](const DbZeile& z, BakUhrSatz& r) {
        KalBakAus(z, r);
        r.BakUhr = DbZeileText(z, 7);
      });
}
int Bak_CloseTage() {
  return Db_CursorClose(gKalBakTage);
}

int Bak_DatumRead(const std::string& datum, BakSatz& row) {
  DbZeile z;
  int st = Db_ReadOne("Bak_DatumRead",
                      KAL_BAK_SELECT "QvSystem.Qvt133Bak where TO_CHAR(BakDtm,'yyyymmdd')=:b0",
                      {DbText(datum)}, z);
  if (st == DB_OK) KalBakAus(z, row);
  return st;
}

int Tag_PKeyReadk(const std::string& pnr, const std::string& tag, TagSatz& row) {
  DbZeile z;
  int st = Db_ReadOne("Tag_PKeyReadk",
                      KAL_TAG_SELECT "where (TagPnr=:b0 and TO_CHAR(TagTag,'yyyymmdd')=:b1)",
                      {DbText(pnr), DbText(tag)}, z);
  if (st == DB_OK) KalTagAus(z, row);
  return st;
}

int Tag_OpenBereich(const std::string& pnr, const std::string& von, const std::string& bis) {
  return Db_CursorOpen(gKalTagBereich, "Tag_Bereich",
                       KAL_TAG_SELECT
                       "where (((TagPnr=:b0 and TO_CHAR(TagTag,'yyyymmdd')>=:b1) and "
                       "TO_CHAR(TagTag,'yyyymmdd')<=:b2) and TAGONE=0) order by TagVon,TagUhr",
                       {DbText(pnr), DbText(von), DbText(bis)});
}
int Tag_FetchBereich(TagSatz& row) {
  return KalFetch(gKalTagBereich, row, KalTagAus);
}
int Tag_CloseBereich() {
  return Db_CursorClose(gKalTagBereich);
}

int Bup_AbrTag_ReadOpen(const std::string& pnr, const std::string& von, const std::string& bis) {
  return Db_CursorOpen(
      gKalBup, "Bup_AbrTag_Read",
      "select BupPnr,TO_CHAR(BupVon,'yyyymmdd'),TO_CHAR(BupUhr,'HH24MISS'),BupFkt,"
      "TO_CHAR(BupBis,'yyyymmdd'),TO_CHAR(BupEnd,'HH24MISS'),BupFfk,BupTvo,BupTbi,BupAvo,"
      "BupAbi,BupWzv,BupWzb from Qvt328Bup where ((BupPnr=:b0 and "
      "CONCAT(TO_CHAR(BupVon,'yyyymmdd'),TO_CHAR(BupUhr,'HH24MISS'))>=:b1) and "
      "CONCAT(TO_CHAR(BupBis,'yyyymmdd'),TO_CHAR(BupEnd,'HH24MISS'))<=:b2) "
      "order by BupPnr,BupVon,BupUhr",
      {DbText(pnr), DbText(von), DbText(bis)});
}
int Bup_AbrTag_ReadFetch(BupSatz& row) {
  return KalFetch(gKalBup, row, KalBupAus);
}
int Bup_AbrTag_ReadClose() {
  return Db_CursorClose(gKalBup);
}

int Ztg_AzvOpen(const std::string& pnr, const std::string& tag) {
  return Db_CursorOpen(
      gKalZtgAzv, "Ztg_Azv",
      "select ZtgPnr,TO_CHAR(ZtgVon,'yyyymmdd'),ZtgAzt,AzvPsm,AzvMav,AzvMab,AzvNov,AzvNob,"
      "AzvGlv,AzvGlb,AzvKev,AzvKeb,ZtgAgr,ZtgTtp,AzvSol,BakWch,BakWtg,BakJtg from Qvt329Ztg,"
      "Qvt140Azv,QvSystem.Qvt133Bak where ((((ZtgPnr=:b0 and "
      "ZtgVon=TO_DATE(:b1,'yyyymmdd')) and BakDtm=TO_DATE(:b2,'yyyymmdd')) and "
      "ZtgAzt=AzvNum) and AzvGvo<=TO_DATE(:b3,'yyyymmdd')) order by AzvGvo desc",
      {DbText(pnr), DbText(tag), DbText(tag), DbText(tag)});
}
int Ztg_AzvFetch(ZtgAzvSatz& row) {
  return KalFetch(gKalZtgAzv, row, KalZtgAzvAus);
}
int Ztg_AzvClose() {
  return Db_CursorClose(gKalZtgAzv);
}

int Pse_PKey_ReadOpen(const std::string& num) {
  return Db_CursorOpen(gKalPse, "Pse_PKey_Read",
                       "select PseNum,PseLfd,PseVon,PseBis,PseMin,PseMax,PseInt,PsePse from "
                       "Qvt143Pse where PseNum=:b0 order by PseNum,PseLfd",
                       {DbText(num)});
}
int Pse_PKey_ReadFetch(PseSatz& row) {
  return KalFetch(gKalPse, row, KalPseAus);
}
int Pse_PKey_ReadClose() {
  return Db_CursorClose(gKalPse);
}

int Gps_PKeyReadk(const std::string& pnr, const std::string& tag, int lfd, GpsSatz& row) {
  DbZeile z;
  int st = Db_ReadOne("Gps_PKeyReadk",
                      "select GpsPnr,TO_CHAR(GpsDtm,'yyyymmdd'),GpsLfd,GpsVon,GpsBis,GpsMin,"
                      "GpsMax,GpsInt,GpsPse from Qvt323Gps where ((GpsPnr=:b0 and "
                      "TO_CHAR(GpsDtm,'yyyymmdd')=:b1) and GpsLfd=:b2)",
                      {DbText(pnr), DbText(tag), DbInt(lfd)}, z);
  if (st != DB_OK) return st;
  row.GpsPnr = DbZeileText(z, 0);
  row.GpsDtm = DbZeileText(z, 1);
  int* nums[] = {&row.GpsLfd, &row.GpsVon, &row.GpsBis, &row.GpsMin,
                 &row.GpsMax, &row.GpsInt, &row.GpsPse};
  size_t i = 2;
  for (int* n : nums) *n = DbZeileInt(z, i++);
  return DB_OK;
}

int Gaz_PKeyReadk(const std::string& pnr, const std::string& tag, GazSatz& row) {
  DbZeile z;
  int st = Db_ReadOne("Gaz_PKeyReadk",
                      "select GazPnr,TO_CHAR(GazDtm,'yyyymmdd'),GazMav,GazMab,GazNov,GazNob,"
                      "GazKev,GazGlv,GazGlb,GazKeb,GazSol from Qvt322Gaz where (GazPnr=:b0 and "
                      "TO_CHAR(GazDtm,'yyyymmdd')=:b1)",
                      {DbText(pnr), DbText(tag)}, z);
  if (st != DB_OK) return st;
  row.GazPnr = DbZeileText(z, 0);
  row.GazDtm = DbZeileText(z, 1);
  int* nums[] = {&row.GazMav, &row.GazMab, &row.GazNov, &row.GazNob, &row.GazKev,
                 &row.GazGlv, &row.GazGlb, &row.GazKeb, &row.GazSol};
  size_t i = 2;
  for (int* n : nums) *n = DbZeileInt(z, i++);
  return DB_OK;
}

int Map_OpenPnr(const std::string& obj, const std::string& pnr) {
  return Db_CursorOpen(
      gKalMap, "Map_Pnr",
      "select MapBnr,MapObj,MapPnr,MapApl,MapApk,MapApp,Map00E,Map00R,Map00A,Map00U,Map00S,"
      "Map006,Map007,Map008,Map009,Map010,Map011,Map012,Map013,Map014,Map015,Map016,"
      "TO_CHAR(MapMdt,'yyyymmdd'),TO_CHAR(MapMzt,'HH24MISS'),MapErf,MapSts,MapUbg,MapTnr "
      "from Qvt565Map where (MapObj=:b0 and MapPnr=:b1) order by MapObj,MapPnr,MapMdt,MapMzt",
      {DbText(obj), DbText(pnr)});
}
int Map_FetchPnr(MapSatz& row) {
  return KalFetch(gKalMap, row, KalMapAus);
}
int Map_ClosePnr() {
  return Db_CursorClose(gKalMap);
}
