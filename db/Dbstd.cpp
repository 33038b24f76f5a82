#include "db/Dbstd.h"

#include "db/DbDb.h"
#include "db/DbStatus.h"
#include "db/DbstdZeilen.h"
#include "infra/Datum.h"

namespace {

// Function codes and evaluation parameters: the record changes only on 0.
constexpr DbFeld<FzuSatz> kFzu[] = {
    DbTx("FzuFcd", &FzuSatz::FzuFcd), DbTx("FzuMld", &FzuSatz::FzuMld, 0, DbSchl),
    DbTx("FzuBez", &FzuSatz::FzuBez), DbTx("FzuTxt", &FzuSatz::FzuTxt),
    DbNr("FzuArt", &FzuSatz::FzuArt), DbNr("FzuObj", &FzuSatz::FzuObj),
    DbNr("FzuUpl", &FzuSatz::FzuUpl), DbNr("FzuGen", &FzuSatz::FzuGen),
    DbTx("FzuZf1", &FzuSatz::FzuZf1), DbTx("FzuZf2", &FzuSatz::FzuZf2),
    DbTx("FzuZf3", &FzuSatz::FzuZf3), DbKz("FzuSta", &FzuSatz::FzuSta),
    DbTx("FzuErf", &FzuSatz::FzuErf),
};

const DbAnweisung kFzuMldRead{"Fzu_MldRead",
                              "select " + DbSpalten(kFzu) + " from Qvt553Fzu where FzuMld=:b0",
                              DbSpaltenzahl(kFzu), DbHoechsterBind(kFzu, DbSchl)};

constexpr DbFeld<NzpSatz> kNzp[] = {
    DbNr("NzpAkz", &NzpSatz::NzpAkz, 0, DbSchl),
    DbTx(DB_TAG("NzpGvn"), &NzpSatz::NzpGvn),
    DbTx(DB_TAG("NzpGbi"), &NzpSatz::NzpGbi),
    DbNr("NzpAak", &NzpSatz::NzpAak),
    DbNr("NzpAwt", &NzpSatz::NzpAwt),
    DbNr("NzpKjh", &NzpSatz::NzpKjh),
    DbNr("NzpKmn", &NzpSatz::NzpKmn),
    DbNr("NzpKwo", &NzpSatz::NzpKwo),
    DbNr("NzpKtg", &NzpSatz::NzpKtg),
    DbNr("NzpAan", &NzpSatz::NzpAan),
    DbNr("NzpVfh", &NzpSatz::NzpVfh),
    DbNr("NzpNfh", &NzpSatz::NzpNfh),
    DbTx("NzpAus", &NzpSatz::NzpAus),
    DbNr("NzpMrk", &NzpSatz::NzpMrk),
};

const DbAnweisung kNzpPKeyReadk{"Nzp_PKeyReadk",
                                "select " + DbSpalten(kNzp) +
                                    " from Qvt591Nzp where ((NzpAkz=:b0 and "
                                    "NzpGvn<trunc(sysdate)) and NzpGbi>trunc(sysdate))",
                                DbSpaltenzahl(kNzp), DbHoechsterBind(kNzp, DbSchl)};

}  // namespace

int Fzu_MldRead(FzuSatz& e) {
  return DbSatzLesen(kFzuMldRead, DbBindsAus(kFzu, e, DbSchl), kFzu, e, DbFehlRegel::Behalten);
}

int Nzp_PKeyReadk(NzpSatz& r) {
  return DbSatzLesen(kNzpPKeyReadk, DbBindsAus(kNzp, r, DbSchl), kNzp, r, DbFehlRegel::Behalten);
}

// Order headers, operations, workplaces, persons and shift models

namespace {

// Read only; a failed single-row read keeps the key and clears the rest.
constexpr DbFeld<AplSatz> kApl[] = {
    DbTx("AplApl", &AplSatz::AplApl, 0, DbSchl),
    DbTx("AplBez", &AplSatz::AplBez),
    DbTx("AplTxt", &AplSatz::AplTxt),
    DbTx("AplApg", &AplSatz::AplApg),
    DbTx("AplFbe", &AplSatz::AplFbe),
    DbKz("AplSts", &AplSatz::AplSts),
    DbKz("AplSis", &AplSatz::AplSis),
    DbNr("AplApr", &AplSatz::AplApr),
    DbNr("AplAaf", &AplSatz::AplAaf),
    DbTx("AplUbg", &AplSatz::AplUbg),
    DbTx(DB_ZEIT("AplUdt"), &AplSatz::AplUdt),
    DbNr("AplTag", &AplSatz::AplTag),
    DbRe("AplVrf", &AplSatz::AplVrf),
    DbRe("AplRsp", &AplSatz::AplRsp),
    DbRe("AplRsi", &AplSatz::AplRsi),
    DbRe("AplAfp", &AplSatz::AplAfp),
    DbRe("AplAfi", &AplSatz::AplAfi),
    DbRe("AplPau", &AplSatz::AplPau),
    DbRe("AplUnt", &AplSatz::AplUnt),
    DbRe("AplIak", &AplSatz::AplIak),
    DbNr("AplAvt", &AplSatz::AplAvt),
    DbRe("AplKap", &AplSatz::AplKap),
    DbRe("AplAvr", &AplSatz::AplAvr),
    DbRe("AplAvp", &AplSatz::AplAvp),
    DbTx("AplSt1", &AplSatz::AplSt1),
    DbTx("AplSt2", &AplSatz::AplSt2),
    DbTx("AplSt3", &AplSatz::AplSt3),
    DbRe("AplSf1", &AplSatz::AplSf1),
    DbRe("AplSf2", &AplSatz::AplSf2),
    DbRe("AplSf3", &AplSatz::AplSf3),
    DbTx("AplZf1", &AplSatz::AplZf1),
    DbTx("AplZf2", &AplSatz::AplZf2),
    DbTx("AplZf3", &AplSatz::AplZf3),
    DbTx("AplDna", &AplSatz::AplDna),
    DbTx("AplDwn", &AplSatz::AplDwn),
    DbKz("AplSta", &AplSatz::AplSta),
    DbTx("AplErf", &AplSatz::AplErf),
};

constexpr DbFeld<PrvSatz> kPrv[] = {
    DbTx("PrvPnr", &PrvSatz::PrvPnr, 0, DbSchl),
    DbTx(DB_TAG("PrvGvo"), &PrvSatz::PrvGvo),
    DbTx(DB_TAG("PrvGbi"), &PrvSatz::PrvGbi),
    DbNr("PrvBer", &PrvSatz::PrvBer),
    DbTx("PrvKst", &PrvSatz::PrvKst),
    DbTx("PrvFbe", &PrvSatz::PrvFbe),
    DbNr("PrvMmb", &PrvSatz::PrvMmb),
    DbTx("PrvZf1", &PrvSatz::PrvZf1),
    DbTx("PrvZf2", &PrvSatz::PrvZf2),
    DbTx("PrvZf3", &PrvSatz::PrvZf3),
    DbKz("PrvSta", &PrvSatz::PrvSta),
    DbTx("PrvErf", &PrvSatz::PrvErf),
    DbTx("PrvDna", &PrvSatz::PrvDna),
    DbTx("PrvDwn", &PrvSatz::PrvDwn),
    DbTx("PrvAwn", &PrvSatz::PrvAwn),
    DbNr("PrvAwa", &PrvSatz::PrvAwa),
    DbNr("PrvAnw", &PrvSatz::PrvAnw),
    DbNr("PrvApl", &PrvSatz::PrvApl),
    DbNr("PrvApp", &PrvSatz::PrvApp),
    DbNr("PrvPzm", &PrvSatz::PrvPzm),
    DbTx(DB_ZEIT("PrvAvn"), &PrvSatz::PrvAvn),
    DbTx(DB_ZEIT("PrvAbi"), &PrvSatz::PrvAbi),
    DbTx("PrvNam", &PrvSatz::PrvNam),
    DbTx("PrvStr", &PrvSatz::PrvStr),
    DbTx("PrvOrt", &PrvSatz::PrvOrt),
};

using A = AemTagSatz;
// Fetched only; KwJahr is derived from the calendar columns.
constexpr DbFeld<A> kAemTag[] = {
    DbTx("AemApg", &A::AemApg),         DbTx("AemEmo", &A::AemEmo),
    DbTx(DB_TAG("AemGvo"), &A::AemGvo), DbTx("AemBez", &A::AemBez),
    DbTx("AemTxt", &A::AemTxt),         DbTx("AemKal", &A::AemKal),
    DbNr("AemLkz", &A::AemLkz),         DbNr("AemVzt", &A::AemVzt),
    DbNr("AemEzt", &A::AemEzt),         DbNr("AemPrz", &A::AemPrz),
    DbNr("AemAfz", &A::AemAfz),         DbNr("AemApz", &A::AemApz),
    DbNr("AemPrp", &A::AemPrp),         DbNr("AemAfp", &A::AemAfp),
    DbNr("AemApp", &A::AemApp),         DbTx("KalBtp", &A::KalBtp),
    DbTx(DB_TAG("KalDtm"), &A::KalDtm), DbNr("BakJhr", &A::BakJhr),
    DbNr("BakMon", &A::BakMon),         DbNr("BakWch", &A::BakWch),
    DbNr("BakWtg", &A::BakWtg),         DbNr("BakJtg", &A::BakJtg),
    DbNr("AemMaz", &A::AemMaz),
};

constexpr DbFeld<EmoPmsSatz> kEmoPms[] = {
    DbTx("EmoEmo", &EmoPmsSatz::EmoEmo), DbTx("EmoTtp", &EmoPmsSatz::EmoTtp),
    DbTx("EmoTxt", &EmoPmsSatz::EmoTxt), DbNr("EmoBeg", &EmoPmsSatz::EmoBeg),
    DbNr("EmoEnd", &EmoPmsSatz::EmoEnd), DbTx("PmsNum", &EmoPmsSatz::PmsNum),
    DbNr("PmsBeg", &EmoPmsSatz::PmsBeg), DbNr("PmsEnd", &EmoPmsSatz::PmsEnd),
    DbNr("PmsInt", &EmoPmsSatz::PmsInt), DbNr("PmsPse", &EmoPmsSatz::PmsPse),
    DbNr("PmsBzt", &EmoPmsSatz::PmsBzt), DbNr("PmsPrz", &EmoPmsSatz::PmsPrz),
};

// The columns EmoPmsGueltigSatz adds after those of EmoPmsSatz.
constexpr DbFeld<EmoPmsGueltigSatz> kEmoPmsGueltig[] = {
    DbTx(DB_TAG("PmzGvo"), &EmoPmsGueltigSatz::PmzGvo),
    DbTx(DB_TAG("PmzGbi"), &EmoPmsGueltigSatz::PmzGbi),
};

constexpr DbFeld<EmoSatz> kEmo[] = {
    DbTx("EmoEmo", &EmoSatz::EmoEmo), DbTx("EmoTtp", &EmoSatz::EmoTtp),
    DbTx("EmoTxt", &EmoSatz::EmoTxt), DbNr("EmoBeg", &EmoSatz::EmoBeg),
    DbNr("EmoEnd", &EmoSatz::EmoEnd), DbNr("EmoArt", &EmoSatz::EmoArt),
};

const std::string kAppSelect = "select " + DbSpalten(kAppZeile);
constexpr int kApkSpalten = DbSpaltenzahl(kApkZeile);
constexpr int kAppSpalten = DbSpaltenzahl(kAppZeile);

const DbAnweisung kApkPKeyReadk{
    "Apk_PKeyReadk", "select " + DbSpalten(kApkZeile) + " from Qvt501Apk where ApkApk=:b0",
    kApkSpalten, DbHoechsterBind(kApkZeile, DbSchl)};

const DbAnweisung kApkPKeyUpd{
    "Apk_PKeyUpd",
    "update Qvt501Apk set ApkApk=:b0,ApkBz1=:b1,ApkBz2=:b2,ApkTxt=:b3,ApkSts=:b4,ApkSis=:b5,"
    "ApkKun=:b6,ApkKb1=:b7,ApkKb2=:b8,ApkBgs=TO_DATE(:b9,'yyyymmdd'),"
    "ApkEns=TO_DATE(:b10,'yyyymmdd'),ApkAfo=:b11,ApkEaf=:b12,ApkTnr=:b13,ApkTb1=:b14,"
    "ApkTb2=:b15,ApkSme=:b16,ApkIme=:b17,ApkMee=:b18,"
    "ApkBdi=TO_DATE(:b19,'yyyymmddHH24MISS'),ApkEdi=TO_DATE(:b20,'yyyymmddHH24MISS'),"
    "ApkFbe=:b21,ApkKst=:b22,ApkZf1=:b23,ApkZf2=:b24,ApkZf3=:b25,ApkKnz=:b26,ApkSsn=:b27,"
    "ApkDna=:b28,ApkDwn=:b29,ApkSta=:b30,ApkErf=:b31,ApkAba=:b32,ApkDat=sysdate "
    "where ApkApk=:b0",
    0, DbHoechsterBind(kApkZeile)};

const DbAnweisung kApkPKeyDel{"Apk_PKeyDel", "delete  from Qvt501Apk  where ApkApk=:b0", 0,
                              DbHoechsterBind(kApkZeile, DbSchl)};

const DbAnweisung kAppPKeyReadk{"App_PKeyReadk",
                                kAppSelect + " from Qvt504App where (AppApk=:b0 and AppApp=:b1)",
                                kAppSpalten, DbHoechsterBind(kAppZeile, DbSchl)};

const DbAnweisung kAppPKeyUpd{
    "App_PKeyUpd",
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
    0, DbHoechsterBind(kAppZeile)};

const DbAnweisung kAppPKeyDel{"App_PKeyDel",
                              "delete  from Qvt504App  where (AppApk=:b0 and AppApp=:b1)", 0,
                              DbHoechsterBind(kAppZeile, DbSchl)};

const DbAnweisung kAppOpenZf2{
    "App_OpenZf2", kAppSelect + " from Qvt504App where AppZf2=:b0 order by AppZf2,AppApk,AppApp",
    kAppSpalten, -1};

const DbAnweisung kAplPKeyReadk{"Apl_PKeyReadk",
                                "select " + DbSpalten(kApl) + " from Qvt531Apl where AplApl=:b0",
                                DbSpaltenzahl(kApl), DbHoechsterBind(kApl, DbSchl)};

const DbAnweisung kPrvPKeyReadk{"Prv_PKeyReadk",
                                "select " + DbSpalten(kPrv) + " from Qvt510Prv where PrvPnr=:b0",
                                DbSpaltenzahl(kPrv), DbHoechsterBind(kPrv, DbSchl)};

// The calendar rows of the day are those from its midnight up to the next
// one: a range on the calendars' keys, where a comparison of the formatted
// date would read every calendar row for every day asked for.
const DbAnweisung kAemOpenTag{
    "Aem_OpenTag",
    "select " + DbSpalten(kAemTag) +
        " from Qvt532Aem,QvSystem.Qvt133Kal,QvSystem.Qvt133Bak,Qvt533Emo "
        "where ((((((((AemApg=:b0 and AemKng=:b1) and TO_CHAR(AemGvo,'yyyymmdd')<=:b2) and "
        "(TO_CHAR(AemGbi,'yyyymmdd')>=:b3 or AemGbi is null)) and KalNum=AemKal) and "
        "(KalDtm>=TO_DATE(:b4,'yyyymmdd') and KalDtm<TO_DATE(:b5,'yyyymmdd'))) and "
        "(BakDtm>=TO_DATE(:b6,'yyyymmdd') and BakDtm<TO_DATE(:b7,'yyyymmdd'))) and "
        "EmoEmo=AemEmo) and EmoTtp=KalBtp) order by EmoBeg,AemEmo",
    DbSpaltenzahl(kAemTag), -1};

const DbAnweisung kAemCountKng{
    "Aem_CountKng", "select count(*) from Qvt532Aem where (AemApg=:b0 and AemKng=2)", 1, -1};

const DbAnweisung kEmoOpenPms{"Emo_OpenPms",
                              "select " + DbSpalten(kEmoPms) +
                                  " from Qvt533Emo,Qvt536Pmz,Qvt535Pms "
                                  "where (((((EmoEmo=:b0 and EmoTtp=:b1) and PmzPmo=EmoPmo) and "
                                  "PmsNum=PmzPms) and TO_CHAR(PmzGvo,'yyyymmdd')<=:b2) and "
                                  "TO_CHAR(PmzGbi,'yyyymmdd')>=:b3) order by EmoBeg,PmsBeg",
                              DbSpaltenzahl(kEmoPms), -1};

// Aem_OpenTag over a range of calendar days: the validity of the assignment
// is compared with each calendar row's own day. The calendar-day columns of
// the record are not read here: the list has 0 in their place.
const DbAnweisung kAemOpenBereich{
    "Aem_OpenBereich",
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
    DbSpaltenzahl(kAemTag), -1};

const DbAnweisung kEmoOpenPmsAlle{"Emo_OpenPmsAlle",
                                  "select " + DbSpalten(kEmoPms) + "," + DbSpalten(kEmoPmsGueltig) +
                                      " from Qvt533Emo,Qvt536Pmz,Qvt535Pms "
                                      "where (((EmoEmo=:b0 and EmoTtp=:b1) and PmzPmo=EmoPmo) "
                                      "and PmsNum=PmzPms) order by EmoBeg,PmsBeg",
                                  DbSpaltenzahl(kEmoPms) + DbSpaltenzahl(kEmoPmsGueltig), -1};

const DbAnweisung kEmoOpen{"Emo_Open",
                           "select " + DbSpalten(kEmo) +
                               " from Qvt533Emo where (EmoEmo=:b0 and EmoTtp=:b1) order by EmoBeg",
                           DbSpaltenzahl(kEmo), -1};

DbCursor gAppZf2, gAemTag, gAemBereich, gEmoPms, gEmoPmsAlle, gEmo;

}  // namespace

int Apk_PKeyReadk(ApkSatz& row) {
  // The change instant is not part of this read; a value left from another
  // row (a download fetch into the same record) must not stay behind.
  row.ApkDat.clear();
  return DbSatzLesen(kApkPKeyReadk, DbBindsAus(kApkZeile, row, DbSchl), kApkZeile, row,
                     DbFehlRegel::NurSchluessel);
}

int Apk_PKeyUpd(const ApkSatz& r) {
  return Db_Write(kApkPKeyUpd, "Apk_PKeyUpd_Sp", DbBindsAus(kApkZeile, r));
}

int Apk_PKeyDel(const ApkSatz& row) {
  return Db_Write(kApkPKeyDel, "Apk_PKeyDel_Sp", DbBindsAus(kApkZeile, row, DbSchl));
}

int App_PKeyReadk(AppSatz& row) {
  return DbSatzLesen(kAppPKeyReadk, DbBindsAus(kAppZeile, row, DbSchl), kAppZeile, row,
                     DbFehlRegel::NurSchluessel);
}

int App_PKeyUpd(const AppSatz& r) {
  return Db_Write(kAppPKeyUpd, "App_PKeyUpd_Sp", DbBindsAus(kAppZeile, r));
}

int App_PKeyDel(const AppSatz& row) {
  return Db_Write(kAppPKeyDel, "App_PKeyDel_Sp", DbBindsAus(kAppZeile, row, DbSchl));
}

int App_OpenZf2(const std::string& zf2) {
  return Db_CursorOpen(gAppZf2, kAppOpenZf2, {DbText(zf2)});
}
int App_FetchZf2(AppSatz& row) {
  return DbSatzHolen(gAppZf2, kAppZeile, row, DbFehlRegel::Behalten);
}
int App_CloseZf2() {
  return Db_CursorClose(gAppZf2);
}

int Apl_PKeyReadk(AplSatz& row) {
  return DbSatzLesen(kAplPKeyReadk, DbBindsAus(kApl, row, DbSchl), kApl, row,
                     DbFehlRegel::NurSchluessel);
}

int Prv_PKeyReadk(PrvSatz& row) {
  return DbSatzLesen(kPrvPKeyReadk, DbBindsAus(kPrv, row, DbSchl), kPrv, row,
                     DbFehlRegel::NurSchluessel);
}

int Aem_OpenTag(const std::string& apg, int kng, const std::string& datum) {
  // A text that is no date finds nothing, as the formatted comparison did: it
  // binds as the empty text, which no instant equals.
  std::string tag = datum, folgetag;
  if (!Datum_Plus(datum, 1, folgetag)) tag = folgetag = "";
  return Db_CursorOpen(gAemTag, kAemOpenTag,
                       {DbText(apg), DbInt(kng), DbText(datum), DbText(datum), DbText(tag),
                        DbText(folgetag), DbText(tag), DbText(folgetag)});
}

int Aem_FetchTag(AemTagSatz& row) {
  int st = DbSatzHolen(gAemTag, kAemTag, row, DbFehlRegel::Behalten);
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
  int st = Db_ReadOne(kAemCountKng, {DbText(apg)}, z);
  if (st == DB_OK) anzahl = DbZeileInt(z, 0);
  return st;
}

int Emo_OpenPms(const std::string& emo, const std::string& ttp, const std::string& datum) {
  return Db_CursorOpen(gEmoPms, kEmoOpenPms,
                       {DbText(emo), DbText(ttp), DbText(datum), DbText(datum)});
}
int Emo_FetchPms(EmoPmsSatz& row) {
  return DbSatzHolen(gEmoPms, kEmoPms, row, DbFehlRegel::Behalten);
}
int Emo_ClosePms() {
  return Db_CursorClose(gEmoPms);
}

int Aem_OpenBereich(const std::string& apg, int kng, const std::string& von,
                    const std::string& bisAusschl) {
  return Db_CursorOpen(gAemBereich, kAemOpenBereich,
                       {DbText(apg), DbInt(kng), DbText(von), DbText(bisAusschl)});
}
int Aem_FetchBereich(AemTagSatz& row) {
  return DbSatzHolen(gAemBereich, kAemTag, row, DbFehlRegel::Behalten);
}
int Aem_CloseBereich() {
  return Db_CursorClose(gAemBereich);
}

int Emo_OpenPmsAlle(const std::string& emo, const std::string& ttp) {
  return Db_CursorOpen(gEmoPmsAlle, kEmoOpenPmsAlle, {DbText(emo), DbText(ttp)});
}
int Emo_FetchPmsAlle(EmoPmsGueltigSatz& row) {
  const DbZeile* z = nullptr;
  int st = Db_CursorFetch(gEmoPmsAlle, z);
  if (st != DB_OK || z == nullptr) return st;
  DbZeileIn(kEmoPms, *z, static_cast<EmoPmsSatz&>(row));
  DbZeileIn(kEmoPmsGueltig, *z, row, DbSpaltenzahl(kEmoPms));
  return st;
}
int Emo_ClosePmsAlle() {
  return Db_CursorClose(gEmoPmsAlle);
}

int Emo_Open(const std::string& emo, const std::string& ttp) {
  return Db_CursorOpen(gEmo, kEmoOpen, {DbText(emo), DbText(ttp)});
}
int Emo_Fetch(EmoSatz& row) {
  return DbSatzHolen(gEmo, kEmo, row, DbFehlRegel::Behalten);
}
int Emo_Close() {
  return Db_CursorClose(gEmo);
}

// Calendar, shift and person-time tables: read only; the record changes
// only on 0.

namespace {

constexpr DbFeld<BakSatz> kBak[] = {
    DbTx(DB_TAG("BakDtm"), &BakSatz::BakDtm), DbNr("BakJhr", &BakSatz::BakJhr),
    DbNr("BakMon", &BakSatz::BakMon),         DbNr("BakTag", &BakSatz::BakTag),
    DbNr("BakWch", &BakSatz::BakWch),         DbNr("BakWtg", &BakSatz::BakWtg),
    DbNr("BakJtg", &BakSatz::BakJtg),
};

// The column BakUhrSatz adds after those of BakSatz.
constexpr DbFeld<BakUhrSatz> kBakUhr[] = {DbTx(DB_UHR("BakDtm"), &BakUhrSatz::BakUhr)};

constexpr DbFeld<TagSatz> kTag[] = {
    DbTx("TagPnr", &TagSatz::TagPnr),         DbTx(DB_TAG("TagVon"), &TagSatz::TagVon),
    DbTx(DB_UHR("TagUhr"), &TagSatz::TagUhr), DbTx(DB_TAG("TagBis"), &TagSatz::TagBis),
    DbTx(DB_UHR("TagEnd"), &TagSatz::TagEnd), DbTx("TagTgb", &TagSatz::TagTgb),
    DbNr("TagOne", &TagSatz::TagOne),
};

constexpr DbFeld<BupSatz> kBup[] = {
    DbTx("BupPnr", &BupSatz::BupPnr),         DbTx(DB_TAG("BupVon"), &BupSatz::BupVon),
    DbTx(DB_UHR("BupUhr"), &BupSatz::BupUhr), DbNr("BupFkt", &BupSatz::BupFkt),
    DbTx(DB_TAG("BupBis"), &BupSatz::BupBis), DbTx(DB_UHR("BupEnd"), &BupSatz::BupEnd),
    DbNr("BupFfk", &BupSatz::BupFfk),         DbNr("BupTvo", &BupSatz::BupTvo),
    DbNr("BupTbi", &BupSatz::BupTbi),         DbNr("BupAvo", &BupSatz::BupAvo),
    DbNr("BupAbi", &BupSatz::BupAbi),         DbNr("BupWzv", &BupSatz::BupWzv),
    DbNr("BupWzb", &BupSatz::BupWzb),
};

using Z = ZtgAzvSatz;
constexpr DbFeld<Z> kZtgAzv[] = {
    DbTx("ZtgPnr", &Z::ZtgPnr), DbTx(DB_TAG("ZtgVon"), &Z::ZtgVon), DbTx("ZtgAzt", &Z::ZtgAzt),
    DbTx("AzvPsm", &Z::AzvPsm), DbNr("AzvMav", &Z::AzvMav),         DbNr("AzvMab", &Z::AzvMab),
    DbNr("AzvNov", &Z::AzvNov), DbNr("AzvNob", &Z::AzvNob),         DbNr("AzvGlv", &Z::AzvGlv),
    DbNr("AzvGlb", &Z::AzvGlb), DbNr("AzvKev", &Z::AzvKev),         DbNr("AzvKeb", &Z::AzvKeb),
    DbTx("ZtgAgr", &Z::ZtgAgr), DbTx("ZtgTtp", &Z::ZtgTtp),         DbNr("AzvSol", &Z::AzvSol),
    DbNr("BakWch", &Z::BakWch), DbNr("BakWtg", &Z::BakWtg),         DbNr("BakJtg", &Z::BakJtg),
};

constexpr DbFeld<PseSatz> kPse[] = {
    DbTx("PseNum", &PseSatz::PseNum), DbNr("PseLfd", &PseSatz::PseLfd),
    DbNr("PseVon", &PseSatz::PseVon), DbNr("PseBis", &PseSatz::PseBis),
    DbNr("PseMin", &PseSatz::PseMin), DbNr("PseMax", &PseSatz::PseMax),
    DbNr("PseInt", &PseSatz::PseInt), DbNr("PsePse", &PseSatz::PsePse),
};

constexpr DbFeld<GpsSatz> kGps[] = {
    DbTx("GpsPnr", &GpsSatz::GpsPnr), DbTx(DB_TAG("GpsDtm"), &GpsSatz::GpsDtm),
    DbNr("GpsLfd", &GpsSatz::GpsLfd), DbNr("GpsVon", &GpsSatz::GpsVon),
    DbNr("GpsBis", &GpsSatz::GpsBis), DbNr("GpsMin", &GpsSatz::GpsMin),
    DbNr("GpsMax", &GpsSatz::GpsMax), DbNr("GpsInt", &GpsSatz::GpsInt),
    DbNr("GpsPse", &GpsSatz::GpsPse),
};

constexpr DbFeld<GazSatz> kGaz[] = {
    DbTx("GazPnr", &GazSatz::GazPnr), DbTx(DB_TAG("GazDtm"), &GazSatz::GazDtm),
    DbNr("GazMav", &GazSatz::GazMav), DbNr("GazMab", &GazSatz::GazMab),
    DbNr("GazNov", &GazSatz::GazNov), DbNr("GazNob", &GazSatz::GazNob),
    DbNr("GazKev", &GazSatz::GazKev), DbNr("GazGlv", &GazSatz::GazGlv),
    DbNr("GazGlb", &GazSatz::GazGlb), DbNr("GazKeb", &GazSatz::GazKeb),
    DbNr("GazSol", &GazSatz::GazSol),
};

constexpr DbFeld<MapSatz> kMap[] = {
    DbNr("MapBnr", &MapSatz::MapBnr),         DbTx("MapObj", &MapSatz::MapObj),
    DbTx("MapPnr", &MapSatz::MapPnr),         DbTx("MapApl", &MapSatz::MapApl),
    DbTx("MapApk", &MapSatz::MapApk),         DbTx("MapApp", &MapSatz::MapApp),
    DbTx("Map00E", &MapSatz::Map00E),         DbTx("Map00R", &MapSatz::Map00R),
    DbTx("Map00A", &MapSatz::Map00A),         DbTx("Map00U", &MapSatz::Map00U),
    DbTx("Map00S", &MapSatz::Map00S),         DbTx("Map006", &MapSatz::Map006),
    DbTx("Map007", &MapSatz::Map007),         DbTx("Map008", &MapSatz::Map008),
    DbTx("Map009", &MapSatz::Map009),         DbTx("Map010", &MapSatz::Map010),
    DbTx("Map011", &MapSatz::Map011),         DbTx("Map012", &MapSatz::Map012),
    DbTx("Map013", &MapSatz::Map013),         DbTx("Map014", &MapSatz::Map014),
    DbTx("Map015", &MapSatz::Map015),         DbTx("Map016", &MapSatz::Map016),
    DbTx(DB_TAG("MapMdt"), &MapSatz::MapMdt), DbTx(DB_UHR("MapMzt"), &MapSatz::MapMzt),
    DbTx("MapErf", &MapSatz::MapErf),         DbTx("MapSts", &MapSatz::MapSts),
    DbTx("MapUbg", &MapSatz::MapUbg),         DbTx("MapTnr", &MapSatz::MapTnr),
};

const std::string kBakSelect = "select " + DbSpalten(kBak) + " from ";
const std::string kTagSelect = "select " + DbSpalten(kTag) + " from Qvt327Tag ";
constexpr int kBakSpalten = DbSpaltenzahl(kBak);
constexpr int kTagSpalten = DbSpaltenzahl(kTag);

const DbAnweisung kBakDatumPlus{
    "Bak_DatumPlus", kBakSelect + "QvSystem.Qvt133Bak where BakDtm=TO_DATE(:b0,'yyyymmdd')",
    kBakSpalten, -1};

const DbAnweisung kBakZaehlen{"Bak_Zaehlen",
                              "select count(*) from Qvt133Bak where (BakDtm>TO_DATE(:b0,"
                              "'yyyymmdd') and BakDtm<=TO_DATE(:b1,'yyyymmdd'))",
                              1, -1};

const DbAnweisung kBakBereich{"Bak_Bereich",
                              kBakSelect +
                                  "QvSystem.Qvt133Bak where (TO_CHAR(BakDtm,'yyyymmdd')>=:b0 and "
                                  "TO_CHAR(BakDtm,'yyyymmdd')<=:b1) order by BakDtm",
                              kBakSpalten, -1};

const DbAnweisung kBakOpenTage{"Bak_OpenTage",
                               "select " + DbSpalten(kBak) + "," + DbSpalten(kBakUhr) +
                                   " from QvSystem.Qvt133Bak "
                                   "where (BakDtm>=TO_DATE(:b0,'yyyymmdd') and "
                                   "BakDtm<TO_DATE(:b1,'yyyymmdd')) order by BakDtm",
                               kBakSpalten + DbSpaltenzahl(kBakUhr), -1};

const DbAnweisung kBakDatumRead{
    "Bak_DatumRead", kBakSelect + "QvSystem.Qvt133Bak where TO_CHAR(BakDtm,'yyyymmdd')=:b0",
    kBakSpalten, -1};

const DbAnweisung kTagPKeyReadk{
    "Tag_PKeyReadk", kTagSelect + "where (TagPnr=:b0 and TO_CHAR(TagTag,'yyyymmdd')=:b1)",
    kTagSpalten, -1};

const DbAnweisung kTagBereich{"Tag_Bereich",
                              kTagSelect +
                                  "where (((TagPnr=:b0 and TO_CHAR(TagTag,'yyyymmdd')>=:b1) and "
                                  "TO_CHAR(TagTag,'yyyymmdd')<=:b2) and TAGONE=0) order by "
                                  "TagVon,TagUhr",
                              kTagSpalten, -1};

const DbAnweisung kBupAbrTagRead{
    "Bup_AbrTag_Read",
    "select " + DbSpalten(kBup) +
        " from Qvt328Bup where ((BupPnr=:b0 and "
        "CONCAT(TO_CHAR(BupVon,'yyyymmdd'),TO_CHAR(BupUhr,'HH24MISS'))>=:b1) and "
        "CONCAT(TO_CHAR(BupBis,'yyyymmdd'),TO_CHAR(BupEnd,'HH24MISS'))<=:b2) "
        "order by BupPnr,BupVon,BupUhr",
    DbSpaltenzahl(kBup), -1};

const DbAnweisung kZtgAzvOpen{
    "Ztg_Azv",
    "select " + DbSpalten(kZtgAzv) +
        " from Qvt329Ztg,Qvt140Azv,QvSystem.Qvt133Bak where ((((ZtgPnr=:b0 "
        "and ZtgVon=TO_DATE(:b1,'yyyymmdd')) and "
        "BakDtm=TO_DATE(:b2,'yyyymmdd')) and ZtgAzt=AzvNum) and "
        "AzvGvo<=TO_DATE(:b3,'yyyymmdd')) order by AzvGvo desc",
    DbSpaltenzahl(kZtgAzv), -1};

const DbAnweisung kPsePKeyRead{
    "Pse_PKey_Read",
    "select " + DbSpalten(kPse) + " from Qvt143Pse where PseNum=:b0 order by PseNum,PseLfd",
    DbSpaltenzahl(kPse), -1};

const DbAnweisung kGpsPKeyReadk{"Gps_PKeyReadk",
                                "select " + DbSpalten(kGps) +
                                    " from Qvt323Gps where ((GpsPnr=:b0 and "
                                    "TO_CHAR(GpsDtm,'yyyymmdd')=:b1) and GpsLfd=:b2)",
                                DbSpaltenzahl(kGps), -1};

const DbAnweisung kGazPKeyReadk{"Gaz_PKeyReadk",
                                "select " + DbSpalten(kGaz) +
                                    " from Qvt322Gaz where (GazPnr=:b0 and "
                                    "TO_CHAR(GazDtm,'yyyymmdd')=:b1)",
                                DbSpaltenzahl(kGaz), -1};

const DbAnweisung kMapPnr{"Map_Pnr",
                          "select " + DbSpalten(kMap) +
                              " from Qvt565Map where (MapObj=:b0 and MapPnr=:b1) order by "
                              "MapObj,MapPnr,MapMdt,MapMzt",
                          DbSpaltenzahl(kMap), -1};

DbCursor gKalBakBereich, gKalBakTage, gKalTagBereich, gKalBup, gKalZtgAzv, gKalPse, gKalMap;

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
  return DbSatzLesen(kBakDatumPlus, {DbText(ziel)}, kBak, row, DbFehlRegel::Behalten);
}

int Bak_Zaehlen(const std::string& von, const std::string& bis, int& anzahl) {
  DbZeile z;
  int st = Db_ReadOne(kBakZaehlen, {DbText(von), DbText(bis)}, z);
  if (st == DB_OK) anzahl = DbZeileInt(z, 0);
  return st;
}

int Bak_OpenBereich(const std::string& von, const std::string& bis) {
  return Db_CursorOpen(gKalBakBereich, kBakBereich, {DbText(von), DbText(bis)});
}
int Bak_FetchBereich(BakSatz& row) {
  return DbSatzHolen(gKalBakBereich, kBak, row, DbFehlRegel::Behalten);
}
int Bak_CloseBereich() {
  return Db_CursorClose(gKalBakBereich);
}

int Bak_OpenTage(const std::string& von, const std::string& bisAusschl) {
  return Db_CursorOpen(gKalBakTage, kBakOpenTage, {DbText(von), DbText(bisAusschl)});
}
int Bak_FetchTage(BakUhrSatz& row) {
  const DbZeile* z = nullptr;
  int st = Db_CursorFetch(gKalBakTage, z);
  if (st != DB_OK || z == nullptr) return st;
  DbZeileIn(kBak, *z, static_cast<BakSatz&>(row));
  DbZeileIn(kBakUhr, *z, row, kBakSpalten);
  return st;
}
int Bak_CloseTage() {
  return Db_CursorClose(gKalBakTage);
}

int Bak_DatumRead(const std::string& datum, BakSatz& row) {
  return DbSatzLesen(kBakDatumRead, {DbText(datum)}, kBak, row, DbFehlRegel::Behalten);
}

int Tag_PKeyReadk(const std::string& pnr, const std::string& tag, TagSatz& row) {
  return DbSatzLesen(kTagPKeyReadk, {DbText(pnr), DbText(tag)}, kTag, row, DbFehlRegel::Behalten);
}

int Tag_OpenBereich(const std::string& pnr, const std::string& von, const std::string& bis) {
  return Db_CursorOpen(gKalTagBereich, kTagBereich, {DbText(pnr), DbText(von), DbText(bis)});
}
int Tag_FetchBereich(TagSatz& row) {
  return DbSatzHolen(gKalTagBereich, kTag, row, DbFehlRegel::Behalten);
}
int Tag_CloseBereich() {
  return Db_CursorClose(gKalTagBereich);
}

int Bup_AbrTag_ReadOpen(const std::string& pnr, const std::string& von, const std::string& bis) {
  return Db_CursorOpen(gKalBup, kBupAbrTagRead, {DbText(pnr), DbText(von), DbText(bis)});
}
int Bup_AbrTag_ReadFetch(BupSatz& row) {
  return DbSatzHolen(gKalBup, kBup, row, DbFehlRegel::Behalten);
}
int Bup_AbrTag_ReadClose() {
  return Db_CursorClose(gKalBup);
}

int Ztg_AzvOpen(const std::string& pnr, const std::string& tag) {
  return Db_CursorOpen(gKalZtgAzv, kZtgAzvOpen,
                       {DbText(pnr), DbText(tag), DbText(tag), DbText(tag)});
}
int Ztg_AzvFetch(ZtgAzvSatz& row) {
  return DbSatzHolen(gKalZtgAzv, kZtgAzv, row, DbFehlRegel::Behalten);
}
int Ztg_AzvClose() {
  return Db_CursorClose(gKalZtgAzv);
}

int Pse_PKey_ReadOpen(const std::string& num) {
  return Db_CursorOpen(gKalPse, kPsePKeyRead, {DbText(num)});
}
int Pse_PKey_ReadFetch(PseSatz& row) {
  return DbSatzHolen(gKalPse, kPse, row, DbFehlRegel::Behalten);
}
int Pse_PKey_ReadClose() {
  return Db_CursorClose(gKalPse);
}

int Gps_PKeyReadk(const std::string& pnr, const std::string& tag, int lfd, GpsSatz& row) {
  return DbSatzLesen(kGpsPKeyReadk, {DbText(pnr), DbText(tag), DbInt(lfd)}, kGps, row,
                     DbFehlRegel::Behalten);
}

int Gaz_PKeyReadk(const std::string& pnr, const std::string& tag, GazSatz& row) {
  return DbSatzLesen(kGazPKeyReadk, {DbText(pnr), DbText(tag)}, kGaz, row, DbFehlRegel::Behalten);
}

int Map_OpenPnr(const std::string& obj, const std::string& pnr) {
  return Db_CursorOpen(gKalMap, kMapPnr, {DbText(obj), DbText(pnr)});
}
int Map_FetchPnr(MapSatz& row) {
  return DbSatzHolen(gKalMap, kMap, row, DbFehlRegel::Behalten);
}
int Map_ClosePnr() {
  return Db_CursorClose(gKalMap);
}

std::vector<const DbAnweisung*> Dbstd_Anweisungen() {
  return {&kFzuMldRead,     &kNzpPKeyReadk, &kApkPKeyReadk, &kApkPKeyUpd,   &kApkPKeyDel,
          &kAppPKeyReadk,   &kAppPKeyUpd,   &kAppPKeyDel,   &kAppOpenZf2,   &kAplPKeyReadk,
          &kPrvPKeyReadk,   &kAemOpenTag,   &kAemCountKng,  &kEmoOpenPms,   &kAemOpenBereich,
          &kEmoOpenPmsAlle, &kEmoOpen,      &kBakDatumPlus, &kBakZaehlen,   &kBakBereich,
          &kBakOpenTage,    &kBakDatumRead, &kTagPKeyReadk, &kTagBereich,   &kBupAbrTagRead,
          &kZtgAzvOpen,     &kPsePKeyRead,  &kGpsPKeyReadk, &kGazPKeyReadk, &kMapPnr};
}
