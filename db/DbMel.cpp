#include "db/DbMel.h"

#include "db/DbDb.h"
#include "db/DbSatz.h"
#include "db/DbStatus.h"

namespace {

using M = MelSatz;

// A message row in select order. Both date columns hold the one instant of
// KeyDat and KeyUhr, written from :b53. A failed read or fetch sets the key
// numbers, the quantities and the corrected quantities to 0; the rest stays.
constexpr DbFeld<M> kMel[] = {
    DbNr("KeyBnr", &M::KeyBnr, 0, DbSchl | DbLeer),
    DbNr("KeyLfn", &M::KeyLfn, 1, DbSchl | DbLeer),
    DbTx("ObjTyp", &M::ObjTyp, 2),
    DbTx("KeyPnr", &M::KeyPnr, 3),
    DbTx("KeyApl", &M::KeyApl, 4),
    DbTx("KeyApk", &M::KeyApk, 5),
    DbTx("KeyApp", &M::KeyApp, 6),
    DbTx("Sts00E", &M::Sts00E, 7),
    DbTx("Sts00R", &M::Sts00R, 8),
    DbTx("Sts00A", &M::Sts00A, 9),
    DbTx("Sts00U", &M::Sts00U, 10),
    DbTx("Sts00S", &M::Sts00S, 11),
    DbTx("Sts006", &M::Sts006, 12),
    DbTx("Sts007", &M::Sts007, 13),
    DbTx("Sts008", &M::Sts008, 14),
    DbTx("Sts009", &M::Sts009, 15),
    DbTx("Sts010", &M::Sts010, 16),
    DbTx("Sts011", &M::Sts011, 17),
    DbTx("Sts012", &M::Sts012, 18),
    DbTx("Sts013", &M::Sts013, 19),
    DbTx("Sts014", &M::Sts014, 20),
    DbTx("Sts015", &M::Sts015, 21),
    DbTx("Sts016", &M::Sts016, 22),
    DbZp(DB_TAG("KeyDat"), DB_UHR("KeyUhr"), &M::KeyDat, &M::KeyUhr, DbInstant::Gepolstert, 53),
    DbTx("KeySek", &M::KeySek, 25),
    DbTx("KeyUbg", &M::KeyUbg, 26),
    DbTx("KeyAug", &M::KeyAug, 27),
    DbTx("MelMsk", &M::MelMsk, 28),
    DbTx("MelAwn", &M::MelAwn, 29),
    DbTx("MelFcd", &M::MelFcd, 30),
    DbTx("MelTrm", &M::MelTrm, 31),
    DbTx("MelOff", &M::MelOff, 32),
    DbKz("MelFnr", &M::MelFnr, 33),
    DbRe("MelGum", &M::MelGum, 34, DbLeer),
    DbRe("MelFam", &M::MelFam, 35, DbLeer),
    DbRe("MelMam", &M::MelMam, 36, DbLeer),
    DbRe("MelNam", &M::MelNam, 37, DbLeer),
    DbRe("MelZt1", &M::MelZt1, 38),
    DbRe("MelZt2", &M::MelZt2, 39),
    DbRe("MelZt3", &M::MelZt3, 40),
    DbTx("MelMee", &M::MelMee, 41),
    DbTx("MelAec", &M::MelAec, 42),
    DbTx("MelTrc", &M::MelTrc, 43),
    DbTx("MelErf", &M::MelErf, 44),
    DbTx("MelKsb", &M::MelKsb, 45),
    DbTx(DB_ZEIT("MelKdt"), &M::MelKdt, 46),
    DbTx("MelKfc", &M::MelKfc, 47),
    DbRe("MelKgm", &M::MelKgm, 48, DbLeer),
    DbRe("MelKfm", &M::MelKfm, 49, DbLeer),
    DbRe("MelKmm", &M::MelKmm, 50, DbLeer),
    DbRe("MelKnm", &M::MelKnm, 51, DbLeer),
    DbTx("KeyTnr", &M::KeyTnr, 52),
};

constexpr int kMelSpalten = DbSpaltenzahl(kMel);
constexpr int kMelBind = DbHoechsterBind(kMel);
constexpr int kMelSchl = DbHoechsterBind(kMel, DbSchl);

const std::string kMelSelect = "select " + DbSpalten(kMel) + " from Qvt560Mel ";

const DbAnweisung kMelPKeyIns{
    "Mel_PKeyIns",
    "insert into Qvt560Mel (KeyBnr,KeyLfn,ObjTyp,KeyPnr,KeyApl,KeyApk,KeyApp,Sts00E,Sts00R,"
    "Sts00A,Sts00U,Sts00S,Sts006,Sts007,Sts008,Sts009,Sts010,Sts011,Sts012,Sts013,Sts014,"
    "Sts015,Sts016,KeyDat,KeyUhr,KeySek,KeyUbg,KeyAug,MelMsk,MelAwn,MelFcd,MelTrm,MelOff,"
    "MelFnr,MelGum,MelFam,MelMam,MelNam,MelZt1,MelZt2,MelZt3,MelMee,MelAec,MelTrc,MelErf,"
    "MelKsb,MelKdt,MelKfc,MelKgm,MelKfm,MelKmm,MelKnm,KeyTnr,MelDat) values (:b0,:b1,:b2,:b3,"
    ":b4,:b5,:b6,:b7,:b8,:b9,:b10,:b11,:b12,:b13,:b14,:b15,:b16,:b17,:b18,:b19,:b20,:b21,:b22,"
    "TO_DATE(:b53,'yyyymmddHH24MISS'),TO_DATE(:b53,'yyyymmddHH24MISS'),:b25,:b26,:b27,:b28,"
    ":b29,:b30,:b31,:b32,:b33,:b34,:b35,:b36,:b37,:b38,:b39,:b40,:b41,:b42,:b43,:b44,:b45,"
    "TO_DATE(:b46,'yyyymmddHH24MISS'),:b47,:b48,:b49,:b50,:b51,:b52,sysdate)",
    0, kMelBind};

const DbAnweisung kMelPKeyUpdate{
    "Mel_PKeyUpdate",
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
    0, kMelBind};

const DbAnweisung kMelPKeyDel{
    "Mel_PKeyDel", "delete  from Qvt560Mel  where (KeyBnr=:b0 and KeyLfn=:b1)", 0, kMelSchl};

const DbAnweisung kMelPKeyReadk{"Mel_PKeyReadk", kMelSelect + "where (KeyBnr=:b0 and KeyLfn=:b1)",
                                kMelSpalten, kMelSchl};

const DbAnweisung kMelPKeyLock{"Mel_PKeyLock",
                               "select MelKsb,MelKfc from Qvt560Mel where (KeyBnr=:b0 and "
                               "KeyLfn=:b1) for update",
                               2, -1};

const DbAnweisung kMelKsbCur{"Mel_KsbCur",
                             kMelSelect +
                                 "where MelKsb=:b0 order by MelKsb,TO_CHAR(KeyDat,'yyyymmdd'),"
                                 "TO_CHAR(KeyUhr,'HH24MISS'),KeySek",
                             kMelSpalten, -1};

const DbAnweisung kMelBnrCur{"Mel_BnrCur",
                             kMelSelect +
                                 "where KeyBnr=:b0 order by KeyBnr,TO_CHAR(KeyDat,'yyyymmdd'),"
                                 "TO_CHAR(KeyUhr,'HH24MISS'),KeySek",
                             kMelSpalten, -1};

const DbAnweisung kMelAplCur{"Mel_AplCur",
                             kMelSelect +
                                 "where (ObjTyp=:b0 and KeyApl=:b1) "
                                 "order by ObjTyp,KeyApl,KeyDat,KeyUhr,KeySek",
                             kMelSpalten, -1};

const DbAnweisung kMelAplAppCur{
    "Mel_AplAppCur",
    kMelSelect +
        "where (((ObjTyp=:b0 and KeyApl=:b1) and KeyApk=:b2) and KeyApp=:b3) "
        "order by ObjTyp,KeyApl,KeyApk,KeyApp,TO_CHAR(KeyDat,'yyyymmdd'),"
        "TO_CHAR(KeyUhr,'HH24MISS'),KeySek",
    kMelSpalten, -1};

const DbAnweisung kMelPnrCur{
    "Mel_PnrCur",
    kMelSelect +
        "where ((((ObjTyp=:b0 and KeyApl=:b1) and KeyApk=:b2) and KeyApp=:b3) and KeyPnr=:b4) "
        "order by ObjTyp,KeyApl,KeyApk,KeyApp,KeyPnr,TO_CHAR(KeyDat,'yyyymmdd'),"
        "TO_CHAR(KeyUhr,'HH24MISS'),KeySek",
    kMelSpalten, -1};

const DbAnweisung kMelPnrZeitCur{
    "Mel_PnrZeitCur",
    kMelSelect +
        "where (((((ObjTyp=:b0 and KeyApl=:b1) and KeyApk=:b2) and KeyApp=:b3) and KeyPnr=:b4) "
        "and (TO_CHAR(KeyDat,'yyyymmdd')>:b5 or (TO_CHAR(KeyDat,'yyyymmdd')=:b5 and "
        "TO_CHAR(KeyUhr,'HH24MISS')>=:b6)) and (TO_CHAR(KeyDat,'yyyymmdd')<:b7 or "
        "(TO_CHAR(KeyDat,'yyyymmdd')=:b7 and TO_CHAR(KeyUhr,'HH24MISS')<=:b8))) "
        "order by ObjTyp,KeyApl,KeyApk,KeyApp,KeyPnr,TO_CHAR(KeyDat,'yyyymmdd'),"
        "TO_CHAR(KeyUhr,'HH24MISS'),KeySek",
    kMelSpalten, -1};

const DbAnweisung kMelVorherCur{
    "Mel_VorherCur",
    kMelSelect +
        "where (((KeyApl=:b0 and KeyApk=:b1) and KeyApp=:b2) and "
        "(TO_CHAR(KeyDat,'yyyymmdd')<:b3 or (TO_CHAR(KeyDat,'yyyymmdd')=:b3 and "
        "TO_CHAR(KeyUhr,'HH24MISS')<:b4))) "
        "order by TO_CHAR(KeyDat,'yyyymmdd') desc,TO_CHAR(KeyUhr,'HH24MISS') desc,"
        "KeySek desc",
    kMelSpalten, -1};

const DbAnweisung kMelNachherCur{
    "Mel_NachherCur",
    kMelSelect +
        "where (((KeyApl=:b0 and KeyApk=:b1) and KeyApp=:b2) and "
        "(TO_CHAR(KeyDat,'yyyymmdd')>:b3 or (TO_CHAR(KeyDat,'yyyymmdd')=:b3 and "
        "TO_CHAR(KeyUhr,'HH24MISS')>:b4))) "
        "order by TO_CHAR(KeyDat,'yyyymmdd'),TO_CHAR(KeyUhr,'HH24MISS'),"
        "KeySek desc",
    kMelSpalten, -1};

[[nodiscard]] int Fetch(DbCursor& cur, MelSatz& row) {
  return DbSatzHolen(cur, kMel, row, DbFehlRegel::Markierte);
}

DbCursor gKsb, gBnr, gApl, gAplApp, gPnr, gPnrZeit, gVorher, gNachher;

}  // namespace

int Mel_PKeyIns(const MelSatz& row) {
  return Db_Write(kMelPKeyIns, "Mel_PKeyIns_Sp", DbBindsAus(kMel, row));
}

int Mel_PKeyUpdate(const MelSatz& row) {
  return Db_Write(kMelPKeyUpdate, "Mel_PKeyUpd_Sp", DbBindsAus(kMel, row));
}

int Mel_PKeyDel(const MelSatz& row) {
  return Db_Write(kMelPKeyDel, "Mel_PKeyDel_Sp", DbBindsAus(kMel, row, DbSchl));
}

int Mel_PKeyReadk(MelSatz& row) {
  return DbSatzLesen(kMelPKeyReadk, DbBindsAus(kMel, row, DbSchl), kMel, row,
                     DbFehlRegel::Markierte);
}

int Mel_PKeyLock(int bnr, int lfn, std::string& ksb, std::string& kfc) {
  DbZeile z;
  int st = Db_ReadOne(kMelPKeyLock, {DbInt(bnr), DbInt(lfn)}, z);
  ksb = st == DB_OK ? DbZeileText(z, 0) : std::string();
  kfc = st == DB_OK ? DbZeileText(z, 1) : std::string();
  return st;
}

int Mel_KsbCurOpen(const std::string& clerk) {
  return Db_CursorOpen(gKsb, kMelKsbCur, {DbText(clerk)});
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
  return Db_CursorOpen(gBnr, kMelBnrCur, {DbInt(bnr)});
}
int Mel_BnrCurFetch(MelSatz& row) {
  return Fetch(gBnr, row);
}
int Mel_BnrCurClose() {
  return Db_CursorClose(gBnr);
}

int Mel_AplCurOpen(const std::string& objTyp, const std::string& apl) {
  return Db_CursorOpen(gApl, kMelAplCur, {DbText(objTyp), DbText(apl)});
}
int Mel_AplCurFetch(MelSatz& row) {
  return Fetch(gApl, row);
}
int Mel_AplCurClose() {
  return Db_CursorClose(gApl);
}

int Mel_AplAppCurOpen(const std::string& objTyp, const std::string& apl, const std::string& apk,
                      const std::string& app) {
  return Db_CursorOpen(gAplApp, kMelAplAppCur,
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
  return Db_CursorOpen(gPnr, kMelPnrCur,
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
  return Db_CursorOpen(gPnrZeit, kMelPnrZeitCur,
                       {DbText(objTyp), DbText(apl), DbText(apk), DbText(app), DbText(pnr),
                        DbText(d1), DbText(t1), DbText(d2), DbText(t2)});
}
int Mel_PnrZeitCurFetch(MelSatz& row) {
  return Fetch(gPnrZeit, row);
}
int Mel_PnrZeitCurClose() {
  return Db_CursorClose(gPnrZeit);
}

int Mel_VorherCurOpen(const std::string& apl, const std::string& apk, const std::string& app,
                      const std::string& d, const std::string& t) {
  return Db_CursorOpen(gVorher, kMelVorherCur,
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
  return Db_CursorOpen(gNachher, kMelNachherCur,
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

namespace {

// The select list keeps the blanks its statement has always had.
constexpr DbFeld<BnrSatz> kBnr[] = {
    DbTx("BnrKey ", &BnrSatz::BnrKey, 0, DbSchl),
    DbNr("BnrBnr ", &BnrSatz::BnrBnr, 1),
    DbTx("BnrEsb", &BnrSatz::BnrEsb, 2),
};

const DbAnweisung kBnrPKeyReadk{"Bnr_PKeyReadk",
                                "select " + DbSpalten(kBnr) + " from Qvt552Bnr where BnrKey=:b0",
                                DbSpaltenzahl(kBnr), DbHoechsterBind(kBnr, DbSchl)};
const DbAnweisung kBnrPKeyIns{"Bnr_PKeyIns",
                              "insert into Qvt552Bnr (BnrKey,BnrBnr,BnrEdt,BnrEsb) values "
                              "(:b0,:b1,sysdate,:b2)",
                              0, DbHoechsterBind(kBnr)};
const DbAnweisung kBnrPKeyUpd{"Bnr_PKeyUpd",
                              "update QVT552Bnr  set BnrKey=:b0,BnrBnr=:b1,BnrEdt=sysdate,"
                              "BnrEsb=:b2 where BnrKey=:b0",
                              0, DbHoechsterBind(kBnr)};
// Binds the counter name (:b0) and the program (:b1), not the record's order.
const DbAnweisung kBnrPKeyNext{"Bnr_PKeyNext",
                               "update Qvt552Bnr set BnrBnr=coalesce(BnrBnr,0)+1,BnrEdt=sysdate,"
                               "BnrEsb=:b1 where BnrKey=:b0 returning BnrBnr",
                               1, -1};

using P = PpsSatz;
// Written only; the names are its insert's columns.
constexpr DbFeld<P> kPps[] = {
    DbTx("PpsDat", &P::PpsDat, 0),  DbNr("PpsLfn", &P::PpsLfn, 1),  DbTx("PpsVkz", &P::PpsVkz, 2),
    DbTx("PpsFcd", &P::PpsFcd, 3),  DbTx("PpsPnr", &P::PpsPnr, 4),  DbTx("PpsApl", &P::PpsApl, 5),
    DbTx("PpsApk", &P::PpsApk, 6),  DbTx("PpsApp", &P::PpsApp, 7),  DbTx("PpsAwn", &P::PpsAwn, 8),
    DbTx("PpsMdt", &P::PpsMdt, 9),  DbTx("PpsMzt", &P::PpsMzt, 10), DbTx("PpsUbg", &P::PpsUbg, 11),
    DbTx("PpsAug", &P::PpsAug, 12), DbNr("PpsSts", &P::PpsSts, 13), DbTx("PpsSto", &P::PpsSto, 14),
    DbRe("PpsGum", &P::PpsGum, 15), DbRe("PpsFam", &P::PpsFam, 16), DbRe("PpsMam", &P::PpsMam, 17),
    DbRe("PpsNam", &P::PpsNam, 18), DbTx("PpsMee", &P::PpsMee, 19), DbRe("PpsZt1", &P::PpsZt1, 20),
    DbRe("PpsZt2", &P::PpsZt2, 21), DbRe("PpsZt3", &P::PpsZt3, 22), DbTx("PpsZf1", &P::PpsZf1, 23),
    DbTx("PpsZf2", &P::PpsZf2, 24), DbTx("PpsZf3", &P::PpsZf3, 25),
};

const DbAnweisung kPpsPKeyIns{
    "Pps_PKeyIns",
    "insert into Qvt580Pps (PpsDat,PpsLfn,PpsVkz,PpsFcd,PpsPnr,PpsApl,PpsApk,PpsApp,PpsAwn,"
    "PpsMdt,PpsMzt,PpsUbg,PpsAug,PpsSts,PpsSto,PpsGum,PpsFam,PpsMam,PpsNam,PpsMee,PpsZt1,"
    "PpsZt2,PpsZt3,PpsZf1,PpsZf2,PpsZf3) values (:b0,:b1,:b2,:b3,:b4,:b5,:b6,:b7,:b8,:b9,"
    ":b10,:b11,:b12,:b13,:b14,:b15,:b16,:b17,:b18,:b19,:b20,:b21,:b22,:b23,:b24,:b25)",
    0, DbHoechsterBind(kPps)};

// Key MrkKng .. MrkPnr and MrkBnr (:b0 to :b5); MrkMdt is :b6, MrkObj :b7.
constexpr DbFeld<MrkSatz> kMrk[] = {
    DbTx("MrkKng", &MrkSatz::MrkKng, 0, DbSchl), DbTx("MrkApl", &MrkSatz::MrkApl, 1, DbSchl),
    DbTx("MrkApk", &MrkSatz::MrkApk, 2, DbSchl), DbTx("MrkApp", &MrkSatz::MrkApp, 3, DbSchl),
    DbTx("MrkPnr", &MrkSatz::MrkPnr, 4, DbSchl), DbTx(DB_ZEIT("MrkMdt"), &MrkSatz::MrkMdt, 6),
    DbTx("MrkObj", &MrkSatz::MrkObj, 7),         DbNr("MrkBnr", &MrkSatz::MrkBnr, 5, DbSchl),
};

#define MRK_KEY_WHERE                                                                          \
  "where (((((MrkKng=:b0 and MrkApl=:b1) and MrkApk=:b2) and MrkApp=:b3) and MrkPnr=:b4) and " \
  "MrkBnr=:b5)"

const DbAnweisung kMrkPKeyReadk{"Mrk_PKeyReadk",
                                "select " + DbSpalten(kMrk) + " from Qvt563Mrk " MRK_KEY_WHERE,
                                DbSpaltenzahl(kMrk), DbHoechsterBind(kMrk, DbSchl)};
const DbAnweisung kMrkPKeyIns{"Mrk_PKeyIns",
                              "insert into Qvt563Mrk (MrkKng,MrkApl,MrkApk,MrkApp,MrkPnr,MrkMdt,"
                              "MrkDat,MrkObj,MrkBnr) values (:b0,:b1,:b2,:b3,:b4,"
                              "TO_DATE(:b6,'yyyymmddHH24MISS'),sysdate,:b7,:b5)",
                              0, DbHoechsterBind(kMrk)};
// Sets MrkMdt (:b6) only; MrkObj (:b7) is bound but not used.
const DbAnweisung kMrkPKeyUpd{
    "Mrk_PKeyUpd",
    "update Qvt563Mrk  set MrkMdt=TO_DATE(:b6,'yyyymmddHH24MISS'),MrkDat=sysdate " MRK_KEY_WHERE, 0,
    -1};

using E = ErrSatz;
// Written only; the names are its insert's columns.
constexpr DbFeld<E> kErr[] = {
    DbTx("ErrErf", &E::ErrErf, 0), DbTx("ErrEdt", &E::ErrEdt, 1),  DbTx("ErrBer", &E::ErrBer, 2),
    DbTx("ErrPnr", &E::ErrPnr, 3), DbTx("ErrApl", &E::ErrApl, 4),  DbTx("ErrApk", &E::ErrApk, 5),
    DbTx("ErrApp", &E::ErrApp, 6), DbNr("ErrFnr", &E::ErrFnr, 7),  DbNr("ErrBnr", &E::ErrBnr, 8),
    DbTx("ErrPgm", &E::ErrPgm, 9), DbTx("ErrFun", &E::ErrFun, 10), DbTx("ErrObj", &E::ErrObj, 11),
};

const DbAnweisung kErrPKeyIns{"Err_PKeyIns",
                              "insert into Qvt554Err (ErrErf,ErrEdt,ErrBer,ErrPnr,ErrApl,ErrApk,"
                              "ErrApp,ErrFnr,ErrBnr,ErrPgm,ErrFun,ErrDat,ErrObj) values (:b0,"
                              "TO_DATE(:b1,'yyyymmddHH24MISS'),:b2,:b3,:b4,:b5,:b6,:b7,:b8,:b9,"
                              ":b10,sysdate,:b11)",
                              0, DbHoechsterBind(kErr)};

const DbAnweisung kMelBnrMaxLfn{"Mel_BnrMaxLfn",
                                "select max(KeyLfn) from Qvt560Mel where KeyBnr=:b0", 1, -1};

}  // namespace

int Bnr_PKeyReadk(BnrSatz& row) {
  return DbSatzLesen(kBnrPKeyReadk, DbBindsAus(kBnr, row, DbSchl), kBnr, row,
                     DbFehlRegel::Behalten);
}

int Bnr_PKeyIns(const BnrSatz& row) {
  return Db_Write(kBnrPKeyIns, "Bnr_PKeyIns_Sp", DbBindsAus(kBnr, row));
}

int Bnr_PKeyUpd(const BnrSatz& row) {
  return Db_Write(kBnrPKeyUpd, "Bnr_PKeyUpd_Sp", DbBindsAus(kBnr, row));
}

int Bnr_PKeyNext(BnrSatz& row) {
  // Raising the counter and reading the new value is one statement: the
  // engine's row lock (or database write lock) orders concurrent drawers, so
  // no two of them can see the same value. Outside a transaction the
  // statement commits by itself, and a failing one changes nothing.
  DbZeile z;
  int st = Db_ReadOne(kBnrPKeyNext, {DbText(row.BnrKey), DbText(row.BnrEsb)}, z);
  if (st != DB_OK) return st;
  row.BnrBnr = DbZeileInt(z, 0);
  return DB_OK;
}

int Pps_PKeyIns(const PpsSatz& r) {
  return Db_Write(kPpsPKeyIns, "Pps_PKeyIns_Sp", DbBindsAus(kPps, r));
}

int Mrk_PKeyReadk(MrkSatz& row) {
  return DbSatzLesen(kMrkPKeyReadk, DbBindsAus(kMrk, row, DbSchl), kMrk, row,
                     DbFehlRegel::Behalten);
}

int Mrk_PKeyIns(const MrkSatz& row) {
  return Db_Write(kMrkPKeyIns, "Mrk_PKeyIns_Sp", DbBindsAus(kMrk, row));
}

int Mrk_PKeyUpd(const MrkSatz& row) {
  return Db_Write(kMrkPKeyUpd, "Mrk_PKeyUpd_Sp", DbBindsAus(kMrk, row));
}

int Err_PKeyIns(const ErrSatz& r) {
  return Db_Write(kErrPKeyIns, "Err_PKeyIns_Sp", DbBindsAus(kErr, r));
}

int Mel_BnrMaxLfn(int bnr, int& maxLfn) {
  DbZeile z;
  int st = Db_ReadOne(kMelBnrMaxLfn, {DbInt(bnr)}, z);
  if (st != DB_OK) return st;
  maxLfn = DbZeileInt(z, 0);
  return DB_OK;
}

// ---------------------------------------------------------------------------
// Evaluation rows and scratch list

namespace {

using N = NzaSatz;

// An evaluation row in select order; each date column is read as its date
// text and its time text and bound as one instant (blanks only: NULL). The
// key is kind, workplace, order, operation, person and begin (:b0 to :b5).
// A failed read or fetch sets every number but the kind to 0.
constexpr unsigned char L = DbLeer;
constexpr DbFeld<N> kNza[] = {
    DbNr("NzaSa", &N::NzaSa, 0, DbSchl),
    DbTx("NzaApl", &N::NzaApl, 1, DbSchl),
    DbTx("NzaApk", &N::NzaApk, 2, DbSchl),
    DbTx("NzaApp", &N::NzaApp, 3, DbSchl),
    DbTx("NzaPnr", &N::NzaPnr, 4, DbSchl),
    DbZp(DB_TAG("NzaDtm"), DB_UHR("NzaDtm"), &N::NzaDtmDat, &N::NzaDtmUhr, DbInstant::LeerIstNull,
         5, DbSchl),
    DbNr("NzaBeg", &N::NzaBeg, 6, L),
    DbNr("NzaBbn", &N::NzaBbn, 7, L),
    DbNr("NzaBln", &N::NzaBln, 8, L),
    DbTx("NzaBmk", &N::NzaBmk, 9),
    DbZp(DB_TAG("NzaEdt"), DB_UHR("NzaEdt"), &N::NzaEdtDat, &N::NzaEdtUhr, DbInstant::LeerIstNull,
         10),
    DbNr("NzaEnd", &N::NzaEnd, 11, L),
    DbNr("NzaEbn", &N::NzaEbn, 12, L),
    DbNr("NzaEln", &N::NzaEln, 13, L),
    DbTx("NzaEmk", &N::NzaEmk, 14),
    DbTx("NzaUbg", &N::NzaUbg, 15),
    DbNr("NzaRau", &N::NzaRau, 16, L),
    DbNr("NzaVar", &N::NzaVar, 17, L),
    DbNr("Nza00A", &N::Nza00A, 18, L),
    DbNr("Nza00U", &N::Nza00U, 19, L),
    DbNr("Nza00S", &N::Nza00S, 20, L),
    DbTx("NzaEmo", &N::NzaEmo, 21),
    DbNr("NzaWtg", &N::NzaWtg, 22, L),
    DbNr("NzaJtg", &N::NzaJtg, 23, L),
    DbTx("NzaTtp", &N::NzaTtp, 24),
    DbTx("NzaJwo", &N::NzaJwo, 25),
    DbNr("NzaWoc", &N::NzaWoc, 26, L),
    DbNr("NzaPzm", &N::NzaPzm, 27, L),
    DbNr("NzaMaz", &N::NzaMaz, 28, L),
    DbRe("NzaNzr", &N::NzaNzr, 29, L),
    DbRe("NzaBzr", &N::NzaBzr, 30, L),
    DbRe("NzaUzr", &N::NzaUzr, 31, L),
    DbRe("NzaPzr", &N::NzaPzr, 32, L),
    DbRe("NzaRbz", &N::NzaRbz, 33, L),
    DbRe("NzaNza", &N::NzaNza, 34, L),
    DbRe("NzaBzA", &N::NzaBzA, 35, L),
    DbRe("NzaUza", &N::NzaUza, 36, L),
    DbRe("NzaPza", &N::NzaPza, 37, L),
    DbRe("NzaAbz", &N::NzaAbz, 38, L),
    DbRe("NzaNzu", &N::NzaNzu, 39, L),
    DbRe("NzaBzu", &N::NzaBzu, 40, L),
    DbRe("NzaPzu", &N::NzaPzu, 41, L),
    DbRe("NzaUbz", &N::NzaUbz, 42, L),
    DbRe("NzaSol", &N::NzaSol, 43, L),
    DbRe("NzaIst", &N::NzaIst, 44, L),
    DbRe("NzaPau", &N::NzaPau, 45, L),
    DbRe("NzaRf1", &N::NzaRf1, 46, L),
    DbRe("NzaRf2", &N::NzaRf2, 47, L),
    DbRe("NzaRf3", &N::NzaRf3, 48, L),
    DbNr("NzaFnr", &N::NzaFnr, 49, L),
    DbTx("NzaErf", &N::NzaErf, 50),
    DbRe("NzaGum", &N::NzaGum, 51, L),
    DbRe("NzaAum", &N::NzaAum, 52, L),
    DbTx("NzaTnr", &N::NzaTnr, 53),
};

constexpr int kNzaSpalten = DbSpaltenzahl(kNza);
constexpr int kNzaBind = DbHoechsterBind(kNza);
constexpr int kNzaSchl = DbHoechsterBind(kNza, DbSchl);

const std::string kNzaSelect = "select " + DbSpalten(kNza) + " from Qvt590Nza ";

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

// Begin or end within the window :b<v> to :b<b>, both ends included.
#define NZA_WINDOW(v, b)                                                                       \
  "((TO_CHAR(NzaDtm,'yyyymmddHH24MISS')>=:b" v " and TO_CHAR(NzaDtm,'yyyymmddHH24MISS')<=:b" b \
  ") or (TO_CHAR(NzaEdt,'yyyymmddHH24MISS')>=:b" v                                             \
  " and "                                                                                      \
  "TO_CHAR(NzaEdt,'yyyymmddHH24MISS')<=:b" b "))"

const DbAnweisung kNzaPKeyIns{
    "Nza_PKeyIns",
    "insert into Qvt590Nza (NzaSa,NzaApl,NzaApk,NzaApp,NzaPnr,NzaDtm,NzaBeg,NzaBbn,NzaBln,"
    "NzaBmk,NzaEdt,NzaEnd,NzaEbn,NzaEln,NzaEmk,NzaUbg,NzaRau,NzaVar,Nza00A,Nza00U,Nza00S,"
    "NzaEmo,NzaWtg,NzaJtg,NzaTtp,NzaJwo,NzaWoc,NzaPzm,NzaMaz,NzaNzr,NzaBzr,NzaUzr,NzaPzr,"
    "NzaRbz,NzaNza,NzaBzA,NzaUza,NzaPza,NzaAbz,NzaNzu,NzaBzu,NzaPzu,NzaUbz,NzaSol,NzaIst,"
    "NzaPau,NzaRf1,NzaRf2,NzaRf3,NzaFnr,NzaDat,NzaErf,NzaGum,NzaAum,NzaTnr) values (:b0,:b1,"
    ":b2,:b3,:b4,TO_DATE(:b5,'yyyymmddHH24MISS'),:b6,:b7,:b8,:b9,"
    "TO_DATE(:b10,'yyyymmddHH24MISS'),:b11,:b12,:b13,:b14,:b15,:b16,:b17,:b18,:b19,:b20,:b21,"
    ":b22,:b23,:b24,:b25,:b26,:b27,:b28,:b29,:b30,:b31,:b32,:b33,:b34,:b35,:b36,:b37,:b38,"
    ":b39,:b40,:b41,:b42,:b43,:b44,:b45,:b46,:b47,:b48,:b49,sysdate,:b50,:b51,:b52,:b53)",
    0, kNzaBind};

const DbAnweisung kNzaPKeyUpd{
    "Nza_PKeyUpd",
    "update Qvt590Nza  set NzaSa=:b0,NzaApl=:b1,NzaApk=:b2,NzaApp=:b3,NzaPnr=:b4,"
    "NzaDtm=TO_DATE(:b5,'yyyymmddHH24MISS'),NzaBeg=:b6,NzaBbn=:b7,NzaBln=:b8,NzaBmk=:b9,"
    "NzaEdt=TO_DATE(:b10,'yyyymmddHH24MISS'),NzaEnd=:b11,NzaEbn=:b12,NzaEln=:b13,NzaEmk=:b14,"
    "NzaUbg=:b15,NzaRau=:b16,NzaVar=:b17,Nza00A=:b18,Nza00U=:b19,Nza00S=:b20,NzaWtg=:b22,"
    "NzaJtg=:b23,NzaTtp=:b24,NzaEmo=:b21,NzaJwo=:b25,NzaWoc=:b26,NzaPzm=:b27,NzaMaz=:b28,"
    "NzaNzr=:b29,NzaBzr=:b30,NzaUzr=:b31,NzaPzr=:b32,NzaRbz=:b33,NzaNza=:b34,NzaBzA=:b35,"
    "NzaUza=:b36,NzaPza=:b37,NzaAbz=:b38,NzaNzu=:b39,NzaBzu=:b40,NzaPzu=:b41,NzaUbz=:b42,"
    "NzaSol=:b43,NzaIst=:b44,NzaPau=:b45,NzaRf1=:b46,NzaRf2=:b47,NzaRf3=:b48,NzaFnr=:b49,"
    "NzaDat=sysdate,NzaErf=:b50,NzaGum=:b51,NzaAum=:b52,NzaTnr=:b53 " NZA_KEY_WHERE,
    0, kNzaBind};

const DbAnweisung kNzaPKeyDel{"Nza_PKeyDel", "delete  from Qvt590Nza  " NZA_KEY_WHERE, 0, kNzaSchl};

const DbAnweisung kNzaPKeyReadk{"Nza_PKeyReadk", kNzaSelect + NZA_KEY_WHERE, kNzaSpalten, kNzaSchl};

// Many rows, one statement: committed together or not at all.
const DbAnweisung kNzaSADel{"Nza_SA_Del",
                            "delete  from Qvt590Nza  where (((NzaSa=:b0 and NzaApk=:b1) and "
                            "NzaApp=:b2) and NzaApl=:b3)",
                            0, -1};

const DbAnweisung kNzaOpenPnr{"Nza_OpenPnr",
                              kNzaSelect +
                                  "where ((((NzaSa=:b0 and NzaApl=:b1) and NzaApk=:b2) and "
                                  "NzaApp=:b3) and " NZA_PNR_EQ ")" NZA_PNR_ORDER,
                              kNzaSpalten, -1};

const DbAnweisung kNzaPKeyVonOpen{
    "Nza_PKeyVon_Open",
    kNzaSelect +
        "where ((((NzaSa=:b0 and NzaApl=:b1) and NzaApk=:b2) and NzaApp=:b3) and " NZA_PNR_EQ
        " and (TO_CHAR(NzaDtm,'yyyymmddHH24MISS')>=:b5 and "
        "TO_CHAR(NzaDtm,'yyyymmddHH24MISS')<=:b6))" NZA_PNR_ORDER,
    kNzaSpalten, -1};

const DbAnweisung kNzaOpenAplApp{
    "Nza_OpenAplApp",
    kNzaSelect + "where (((NzaSa=:b0 and NzaApl=:b1) and NzaApk=:b2) and NzaApp=:b3)" NZA_PNR_ORDER,
    kNzaSpalten, -1};

// Workplace, person and begin break the ties, so that every engine delivers
// the same order.
const DbAnweisung kNzaOpenApkApp{"Nza_OpenApkApp",
                                 kNzaSelect +
                                     "where ((NzaSa=:b0 and NzaApk=:b1) and NzaApp=:b2) "
                                     "order by NzaApk,NzaApp,NzaApl,NzaPnr,NzaDtm",
                                 kNzaSpalten, -1};

// Workplace, order and operation break ties of one begin.
const DbAnweisung kNzaOpenSa1Zeit{
    "Nza_OpenSa1Zeit",
    kNzaSelect + "where ((NzaSa=1 and coalesce(NzaPnr,'')=coalesce(:b0,'')) and " NZA_WINDOW(
                     "1", "2") ") order by NzaDtm,NzaApl,NzaApk,NzaApp",
    kNzaSpalten, -1};

const DbAnweisung kNzaOpenSa2Zeit{
    "Nza_OpenSa2Zeit",
    kNzaSelect +
        "where ((((NzaSa=2 and NzaApl=:b0) and NzaApk=:b1) and NzaApp=:b2) and "
        "coalesce(NzaPnr,'')=coalesce(:b3,'') and " NZA_WINDOW("4", "5") ") order by NzaDtm",
    kNzaSpalten, -1};

[[nodiscard]] int NzaFetch(DbCursor& cur, NzaSatz& row) {
  return DbSatzHolen(cur, kNza, row, DbFehlRegel::Markierte);
}

using T = MltSatz;

// A list entry in select order; its insert writes Mlt00S before Mlt00U. The
// key is MltErf, MltDat, MltLfn (:b0 to :b2). A failed fetch sets the numbers
// to 0.
constexpr DbFeld<T> kMlt[] = {
    DbTx("MltErf", &T::MltErf, 0, DbSchl),
    DbTx("MltDat", &T::MltDat, 1, DbSchl),
    DbNr("MltLfn", &T::MltLfn, 2, DbSchl | DbLeer),
    DbTx("MltObj", &T::MltObj, 3),
    DbTx("MltPnr", &T::MltPnr, 4),
    DbTx("MltApl", &T::MltApl, 5),
    DbTx("MltApk", &T::MltApk, 6),
    DbTx("MltApp", &T::MltApp, 7),
    DbTx("Mlt00E", &T::Mlt00E, 8),
    DbTx("Mlt00R", &T::Mlt00R, 9),
    DbTx("Mlt00A", &T::Mlt00A, 10),
    DbTx("Mlt00U", &T::Mlt00U, 12),
    DbTx("Mlt00S", &T::Mlt00S, 11),
    DbTx("MltBkg", &T::MltBkg, 13),
    DbTx("MltPbe", &T::MltPbe, 14),
    DbTx("MltArg", &T::MltArg, 15),
    DbTx("MltEmo", &T::MltEmo, 16),
    DbTx("MltTtp", &T::MltTtp, 17),
    DbNr("MltWoc", &T::MltWoc, 18, DbLeer),
    DbNr("MltWtg", &T::MltWtg, 19, DbLeer),
    DbNr("MltJtg", &T::MltJtg, 20, DbLeer),
    DbTx("MltJwo", &T::MltJwo, 21),
    DbZp(DB_TAG("MltMdt"), DB_UHR("MltMdt"), &T::MltMdtDat, &T::MltMdtUhr, DbInstant::LeerIstNull,
         22),
    DbTx("MltUbg", &T::MltUbg, 23),
};

const DbAnweisung kMltPKeyIns{
    "Mlt_PKeyIns",
    "insert into Qvt561Mlt (MltErf,MltDat,MltLfn,MltObj,MltPnr,MltApl,MltApk,MltApp,Mlt00E,"
    "Mlt00R,Mlt00A,Mlt00S,Mlt00U,MltBkg,MltPbe,MltArg,MltEmo,MltTtp,MltWoc,MltWtg,MltJtg,"
    "MltJwo,MltMdt,MltUbg) values (:b0,:b1,:b2,:b3,:b4,:b5,:b6,:b7,:b8,:b9,:b10,:b11,:b12,"
    ":b13,:b14,:b15,:b16,:b17,:b18,:b19,:b20,:b21,TO_DATE(:b22,'yyyymmddHH24MISS'),:b23)",
    0, DbHoechsterBind(kMlt)};

const DbAnweisung kMltPKeyDel{
    "Mlt_PKeyDel", "delete  from Qvt561Mlt  where ((MltErf=:b0 and MltDat=:b1) and MltLfn=:b2)", 0,
    DbHoechsterBind(kMlt, DbSchl)};

const DbAnweisung kMltOpen{"Mlt_Open",
                           "select " + DbSpalten(kMlt) +
                               " from Qvt561Mlt where (MltErf=:b0 and MltDat=:b1) order by "
                               "MltErf,MltDat,MltMdt,MltLfn",
                           DbSpaltenzahl(kMlt), -1};

const DbAnweisung kMltMaxLfn{
    "Mlt_MaxLfn", "select max(MLTLFN) from Qvt561Mlt where (MltErf=:b0 and MltDat=:b1)", 1, -1};

DbCursor gNzaPnr, gNzaVon, gNzaAplApp, gNzaApkApp, gNzaSa1, gNzaSa2, gMlt;

}  // namespace

int Nza_PKeyIns(const NzaSatz& row) {
  return Db_Write(kNzaPKeyIns, "Nza_PKeyIns_Sp", DbBindsAus(kNza, row));
}

int Nza_PKeyUpd(const NzaSatz& row) {
  return Db_Write(kNzaPKeyUpd, "Nza_PKeyUpd_Sp", DbBindsAus(kNza, row));
}

int Nza_PKeyDel(const NzaSatz& row) {
  return Db_Write(kNzaPKeyDel, "Nza_PKeyDel_Sp", DbBindsAus(kNza, row, DbSchl));
}

int Nza_PKeyReadk(NzaSatz& row) {
  return DbSatzLesen(kNzaPKeyReadk, DbBindsAus(kNza, row, DbSchl), kNza, row,
                     DbFehlRegel::Markierte);
}

int Nza_SA_Del(int sa, const std::string& apk, const std::string& app, const std::string& apl) {
  return Db_Write(kNzaSADel, "Nza_SA_Del_Sp", {DbInt(sa), DbText(apk), DbText(app), DbText(apl)});
}

int Nza_OpenPnr(int sa, const std::string& apl, const std::string& apk, const std::string& app,
                const std::string& pnr) {
  return Db_CursorOpen(gNzaPnr, kNzaOpenPnr,
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
      gNzaVon, kNzaPKeyVonOpen,
      {DbInt(sa), DbText(apl), DbText(apk), DbText(app), DbText(pnr), DbText(von), DbText(bis)});
}
int Nza_PKeyVon_Read(NzaSatz& row) {
  return NzaFetch(gNzaVon, row);
}
int Nza_PKeyVon_Close() {
  return Db_CursorClose(gNzaVon);
}

int Nza_OpenAplApp(int sa, const std::string& apl, const std::string& apk, const std::string& app) {
  return Db_CursorOpen(gNzaAplApp, kNzaOpenAplApp,
                       {DbInt(sa), DbText(apl), DbText(apk), DbText(app)});
}
int Nza_FetchAplApp(NzaSatz& row) {
  return NzaFetch(gNzaAplApp, row);
}
int Nza_CloseAplApp() {
  return Db_CursorClose(gNzaAplApp);
}

int Nza_OpenApkApp(int sa, const std::string& apk, const std::string& app) {
  return Db_CursorOpen(gNzaApkApp, kNzaOpenApkApp, {DbInt(sa), DbText(apk), DbText(app)});
}
int Nza_FetchApkApp(NzaSatz& row) {
  return NzaFetch(gNzaApkApp, row);
}
int Nza_CloseApkApp() {
  return Db_CursorClose(gNzaApkApp);
}

int Nza_OpenSa1Zeit(const std::string& pnr, const std::string& von, const std::string& bis) {
  return Db_CursorOpen(gNzaSa1, kNzaOpenSa1Zeit, {DbText(pnr), DbText(von), DbText(bis)});
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
      gNzaSa2, kNzaOpenSa2Zeit,
      {DbText(apl), DbText(apk), DbText(app), DbText(pnr), DbText(von), DbText(bis)});
}
int Nza_FetchSa2Zeit(NzaSatz& row) {
  return NzaFetch(gNzaSa2, row);
}
int Nza_CloseSa2Zeit() {
  return Db_CursorClose(gNzaSa2);
}

int Mlt_PKeyIns(const MltSatz& r) {
  return Db_Write(kMltPKeyIns, "Mlt_PKeyIns_Sp", DbBindsAus(kMlt, r));
}

int Mlt_PKeyDel(const MltSatz& r) {
  return Db_Write(kMltPKeyDel, "Mlt_PKeyDel_Sp", DbBindsAus(kMlt, r, DbSchl));
}

int Mlt_Open(const std::string& erf, const std::string& dat) {
  return Db_CursorOpen(gMlt, kMltOpen, {DbText(erf), DbText(dat)});
}
int Mlt_Fetch(MltSatz& row) {
  return DbSatzHolen(gMlt, kMlt, row, DbFehlRegel::Markierte);
}
int Mlt_Close() {
  return Db_CursorClose(gMlt);
}

int Mlt_MaxLfn(const std::string& erf, const std::string& dat, int& maxLfn) {
  DbZeile z;
  int st = Db_ReadOne(kMltMaxLfn, {DbText(erf), DbText(dat)}, z);
  if (st != DB_OK) return st;
  // The maximum of an empty list is NULL: no number to hand over.
  if (z.empty() || z[0].art == DbWert::Art::Null) return DB_NOT_FOUND;
  maxLfn = DbZeileInt(z, 0);
  return DB_OK;
}

std::vector<const DbAnweisung*> DbMel_Anweisungen() {
  return {&kMelPKeyIns,    &kMelPKeyUpdate, &kMelPKeyDel,     &kMelPKeyReadk,   &kMelPKeyLock,
          &kMelKsbCur,     &kMelBnrCur,     &kMelAplCur,      &kMelAplAppCur,   &kMelPnrCur,
          &kMelPnrZeitCur, &kMelVorherCur,  &kMelNachherCur,  &kBnrPKeyReadk,   &kBnrPKeyIns,
          &kBnrPKeyUpd,    &kBnrPKeyNext,   &kPpsPKeyIns,     &kMrkPKeyReadk,   &kMrkPKeyIns,
          &kMrkPKeyUpd,    &kErrPKeyIns,    &kMelBnrMaxLfn,   &kNzaPKeyIns,     &kNzaPKeyUpd,
          &kNzaPKeyDel,    &kNzaPKeyReadk,  &kNzaSADel,       &kNzaOpenPnr,     &kNzaPKeyVonOpen,
          &kNzaOpenAplApp, &kNzaOpenApkApp, &kNzaOpenSa1Zeit, &kNzaOpenSa2Zeit, &kMltPKeyIns,
          &kMltPKeyDel,    &kMltOpen,       &kMltMaxLfn};
}
