// Master data: function codes, evaluation parameters, orders, workplaces,
// persons and shift models.
#pragma once

#include <string>
#include <vector>

struct DbAnweisung;

// Function-code entry of a message kind (Qvt553Fzu).
struct FzuSatz {
  std::string FzuFcd;
  std::string FzuMld;  // message kind; the key the program reads by
  std::string FzuBez;
  std::string FzuTxt;  // object type given to messages of this kind
  int FzuArt = 0;
  int FzuObj = 0;
  int FzuUpl = 0;  // 1: messages of this kind are reported to production planning
  int FzuGen = 0;
  std::string FzuZf1, FzuZf2, FzuZf3;
  int FzuSta = 0;
  std::string FzuErf;
};

// Evaluation parameter row (Qvt591Nzp); dates as "yyyymmdd".
struct NzpSatz {
  int NzpAkz = 0;  // parameter key
  std::string NzpGvn;
  std::string NzpGbi;
  int NzpAak = 0;  // evaluation active
  int NzpAwt = 0, NzpKjh = 0, NzpKmn = 0, NzpKwo = 0, NzpKtg = 0, NzpAan = 0, NzpVfh = 0,
      NzpNfh = 0;
  std::string NzpAus;
  int NzpMrk = 0;  // markers on
};

// Reads the entry whose FzuMld equals entry.FzuMld. 0: entry filled; 1403 no
// entry; negative on failure. The entry is unchanged unless 0.
[[nodiscard]] int Fzu_MldRead(FzuSatz& entry);

// Reads the parameter row of key row.NzpAkz that is valid today (valid-from
// before today, valid-to after today, both at midnight). 0: row filled;
// 1403 none valid; -1422 more than one valid; the row unchanged unless 0.
[[nodiscard]] int Nzp_PKeyReadk(NzpSatz& row);

// Order headers, operations, workplaces, persons and shift models
//
// Dates cross as "yyyymmdd", times as "HH24MISS", instants as
// "yyyymmddHH24MISS"; a column that holds an instant of which the program
// uses date and time separately is read into a ...Dat and a ...Uhr field.
// NULL reads as empty text or 0.
//
// Single-row reads: 0 with every field filled; on any other status (1403 no
// row, a negative failure) every field but the key is cleared (texts empty,
// numbers 0). Cursor fetches: 0 with the next row; 1403 at the end, or a
// negative, with the record left as it was.

// Order header row (Qvt501Apk), key ApkApk.
struct ApkSatz {
  std::string ApkApk;  // order number (key)
  std::string ApkBz1, ApkBz2, ApkTxt;
  int ApkSts = 0;  // order status
  int ApkSis = 0;  // status before the last change
  std::string ApkKun, ApkKb1, ApkKb2;
  std::string ApkBgs, ApkEns;  // dates
  int ApkAfo = 0;              // number of operations of the order
  int ApkEaf = 0;              // number of finished operations
  std::string ApkTnr, ApkTb1, ApkTb2;
  double ApkSme = 0, ApkIme = 0;  // target and actual quantity
  std::string ApkMee;
  std::string ApkBdiDat, ApkBdiUhr;  // actual begin
  std::string ApkEdiDat, ApkEdiUhr;  // actual end
  std::string ApkFbe;                // range key of the download
  std::string ApkKst;
  std::string ApkZf1, ApkZf2, ApkZf3;
  std::string ApkKnz;
  int ApkSsn = 0;
  std::string ApkDna;  // download action ("NEU", "LOE", "STA" ...)
  std::string ApkDwn;  // download marker
  int ApkSta = 0;
  std::string ApkDat;  // change instant; filled only by the download cursor
  std::string ApkErf;
  int ApkAba = 0;  // closing mode: 1 last operation, 2 all operations
};

// Order operation row (Qvt504App), key AppApk, AppApp.
struct AppSatz {
  std::string AppApk, AppApp;  // order and operation number (key)
  std::string AppVaf, AppNaf;  // predecessor, successor ("00000": last)
  std::string AppBz1, AppBz2, AppTxt;
  int AppSts = 0;  // operation status
  int AppSis = 0;  // status before the last change
  std::string AppBdiDat, AppBdiUhr;
  std::string AppBdsDat, AppBdsUhr;
  std::string AppSbdDat, AppSbdUhr;
  std::string AppEdiDat, AppEdiUhr;
  std::string AppEdsDat, AppEdsUhr;
  std::string AppSedDat, AppSedUhr;
  std::string AppRadDat, AppRadUhr;
  std::string AppRedDat, AppRedUhr;
  int AppAgs = 0, AppAbs = 0, AppAes = 0;
  double AppSme = 0, AppIme = 0, AppAme = 0;  // target, good and scrap quantity
  std::string AppMee;
  double AppSza = 0, AppStr = 0, AppSte = 0, AppIta = 0, AppItr = 0, AppIte = 0;
  std::string AppApg, AppApl;
  std::string AppKt1, AppKz1, AppKt2, AppKz2, AppKt3, AppKz3, AppKt4, AppKz4;
  std::string AppFbe;  // range key of the download
  std::string AppKst;
  std::string AppZf1, AppZf2, AppZf3;
  std::string AppKnz;
  int AppSsn = 0;
  std::string AppDna;  // download action
  std::string AppDwn;  // download marker
  int AppSta = 0;
  std::string AppDat;  // change instant (read only; every update sets it)
  std::string AppErf;
};

// Workplace row (Qvt531Apl), key AplApl. AplApg is the workplace group.
struct AplSatz {
  std::string AplApl, AplBez, AplTxt, AplApg, AplFbe;
  int AplSts = 0, AplSis = 0;
  int AplApr = 0, AplAaf = 0;
  std::string AplUbg;
  std::string AplUdt;  // instant
  int AplTag = 0;
  double AplVrf = 0, AplRsp = 0, AplRsi = 0, AplAfp = 0, AplAfi = 0, AplPau = 0, AplUnt = 0,
         AplIak = 0;
  int AplAvt = 0;
  double AplKap = 0, AplAvr = 0, AplAvp = 0;
  std::string AplSt1, AplSt2, AplSt3;
  double AplSf1 = 0, AplSf2 = 0, AplSf3 = 0;
  std::string AplZf1, AplZf2, AplZf3;
  std::string AplDna, AplDwn;
  int AplSta = 0;
  std::string AplErf;
};

// Person row (Qvt510Prv), key PrvPnr.
struct PrvSatz {
  std::string PrvPnr;
  std::string PrvGvo, PrvGbi;  // dates
  int PrvBer = 0;
  std::string PrvKst, PrvFbe;
  int PrvMmb = 0;
  std::string PrvZf1, PrvZf2, PrvZf3;
  int PrvSta = 0;
  std::string PrvErf, PrvDna, PrvDwn;
  std::string PrvAwn;  // badge number
  int PrvAwa = 0, PrvAnw = 0, PrvApl = 0, PrvApp = 0;
  int PrvPzm = 0;              // time model of the person
  std::string PrvAvn, PrvAbi;  // instants
  std::string PrvNam, PrvStr, PrvOrt;
};

// Shift-model day row: an assignment (Qvt532Aem) with the day type its
// calendar gives the day (QvSystem.Qvt133Kal) and the calendar data of the day
// (QvSystem.Qvt133Bak).
struct AemTagSatz {
  std::string AemApg, AemEmo;
  std::string AemGvo;  // date
  std::string AemBez, AemTxt, AemKal;
  int AemLkz = 0, AemVzt = 0, AemEzt = 0, AemPrz = 0, AemAfz = 0, AemApz = 0, AemPrp = 0,
      AemAfp = 0, AemApp = 0;
  std::string KalBtp;  // day type
  std::string KalDtm;  // date
  int BakJhr = 0, BakMon = 0, BakWch = 0, BakWtg = 0, BakJtg = 0;
  int AemMaz = 0;
  // Year of the calendar week BakWch: BakJhr + 1 for week 1 in December,
  // BakJhr - 1 for week 52 or 53 in January, else BakJhr.
  int KwJahr = 0;
};

// A break of a shift (Qvt533Emo with Qvt536Pmz and Qvt535Pms). EmoBeg,
// EmoEnd, PmsBeg and PmsEnd are minutes since midnight.
struct EmoPmsSatz {
  std::string EmoEmo, EmoTtp, EmoTxt;
  int EmoBeg = 0, EmoEnd = 0;
  std::string PmsNum;
  int PmsBeg = 0, PmsEnd = 0, PmsInt = 0, PmsPse = 0, PmsBzt = 0, PmsPrz = 0;
};

// A shift of a shift model and day type (Qvt533Emo); times in minutes.
struct EmoSatz {
  std::string EmoEmo, EmoTtp, EmoTxt;
  int EmoBeg = 0, EmoEnd = 0, EmoArt = 0;
};

// Reads the header row.ApkApk. 0 filled; 1403 no such order; negative on
// failure; otherwise only ApkApk stays. ApkDat is not read and comes back empty.
[[nodiscard]] int Apk_PKeyReadk(ApkSatz& row);
// Writes every column of the header by ApkApk (ApkBdi/ApkEdi from date and
// time; empty date and time write no instant), ApkDat = now. 0 updated and
// committed; 1403 no such order; negative on failure (nothing changed).
[[nodiscard]] int Apk_PKeyUpd(const ApkSatz& row);
// 0 deleted and committed; 1403 no such order; negative on failure.
[[nodiscard]] int Apk_PKeyDel(const ApkSatz& row);

// Reads the operation row.AppApk/row.AppApp. 0 filled; 1403 none; negative
// on failure; otherwise only the key stays.
[[nodiscard]] int App_PKeyReadk(AppSatz& row);
// Writes every column but AppDat by key, AppDat = now. 0 updated and
// committed; 1403 no such operation; negative on failure (nothing changed).
[[nodiscard]] int App_PKeyUpd(const AppSatz& row);
// 0 deleted and committed; 1403 no such operation; negative on failure.
[[nodiscard]] int App_PKeyDel(const AppSatz& row);
// The operations whose AppZf2 equals `zf2` (the package key), in key order
// (AppApk, AppApp), as every row shares the same AppZf2. Open: 0 or a
// negative; Fetch: 0, 1403 at the end, negative; Close: 0.
[[nodiscard]] int App_OpenZf2(const std::string& zf2);
[[nodiscard]] int App_FetchZf2(AppSatz& row);
[[nodiscard]] int App_CloseZf2();

// Reads the workplace row.AplApl. 0 filled; 1403 none; negative on failure;
// otherwise only AplApl stays.
[[nodiscard]] int Apl_PKeyReadk(AplSatz& row);
// Reads the person row.PrvPnr. 0 filled; 1403 none; negative on failure;
// otherwise only PrvPnr stays.
[[nodiscard]] int Prv_PKeyReadk(PrvSatz& row);

// Shift-model day rows of assignment kind `kng` of `apg` valid on `datum`
// ("yyyymmdd"), one per shift of each model, with the day type the
// assignment's calendar gives that day, in shift-begin order. A day missing
// from the calendar gives no row. Open: 0 or a negative; Fetch: 0 (KwJahr
// derived), 1403 at the end, negative; Close: 0.
[[nodiscard]] int Aem_OpenTag(const std::string& apg, int kng, const std::string& datum);
[[nodiscard]] int Aem_FetchTag(AemTagSatz& row);
[[nodiscard]] int Aem_CloseTag();

// Counts the assignments of kind 2 of `apg` into `anzahl`. 0 counted;
// negative on failure (`anzahl` unchanged).
[[nodiscard]] int Aem_CountKng(const std::string& apg, int& anzahl);

// The breaks of shift model `emo`, day type `ttp` whose break scheme is valid
// on `datum` ("yyyymmdd"; an open end never matches), in shift-begin order.
// Open: 0 or a negative; Fetch: 0, 1403 at the end, negative; Close: 0.
[[nodiscard]] int Emo_OpenPms(const std::string& emo, const std::string& ttp,
                              const std::string& datum);
[[nodiscard]] int Emo_FetchPms(EmoPmsSatz& row);
[[nodiscard]] int Emo_ClosePms();

// The shift-model days of Aem_OpenTag for every day from `von` up to but not
// including `bisAusschl` ("yyyymmdd" both), in day order and within a day in
// Aem_OpenTag's order. The calendar-day columns (BakJhr .. BakJtg) are not
// read and come back 0: the caller joins the calendar days (Bak_OpenTage).
[[nodiscard]] int Aem_OpenBereich(const std::string& apg, int kng, const std::string& von,
                                  const std::string& bisAusschl);
[[nodiscard]] int Aem_FetchBereich(AemTagSatz& row);
[[nodiscard]] int Aem_CloseBereich();

// Every break row of Emo_OpenPms for shift model `emo` and day type `ttp`,
// whatever the day, with the validity of its break model ("yyyymmdd", empty
// when NULL): Emo_OpenPms of day D returns the rows with PmzGvo <= D <=
// PmzGbi, both set, in the same order.
struct EmoPmsGueltigSatz : EmoPmsSatz {
  std::string PmzGvo, PmzGbi;
};
[[nodiscard]] int Emo_OpenPmsAlle(const std::string& emo, const std::string& ttp);
[[nodiscard]] int Emo_FetchPmsAlle(EmoPmsGueltigSatz& row);
[[nodiscard]] int Emo_ClosePmsAlle();

// The shifts of shift model `emo` and day type `ttp` in begin order.
// Open: 0 or a negative; Fetch: 0, 1403 at the end, negative; Close: 0.
[[nodiscard]] int Emo_Open(const std::string& emo, const std::string& ttp);
[[nodiscard]] int Emo_Fetch(EmoSatz& row);
[[nodiscard]] int Emo_Close();

// Calendar, shift and person-time tables
//
// Read-only statements. Dates travel as "yyyymmdd" text, times as "HHMMSS"
// text; a NULL column reads as empty text or 0. Single-row reads and fetches
// fill the caller's record only on status 0 and leave it unchanged otherwise.
// Cursors hold their rows as they stood at open; Open returns 0 or a negative
// status, Fetch 0 with the next row, 1403 at the end or a negative (-1001 when
// not open), Close 0 (-1001 when not open). The fault seam knows the cursors
// as "Bak_Bereich", "Tag_Bereich", "Bup_AbrTag_Read", "Ztg_Azv",
// "Pse_PKey_Read" and "Map_Pnr".

// Calendar day (QvSystem.Qvt133Bak).
struct BakSatz {
  std::string BakDtm;  // the day, "yyyymmdd"
  int BakJhr = 0;      // year
  int BakMon = 0;      // month
  int BakTag = 0;      // day of month
  int BakWch = 0;      // calendar week
  int BakWtg = 0;      // weekday
  int BakJtg = 0;      // day of the year
};

// Person day (Qvt327Tag): arrival and departure of one person on one day.
struct TagSatz {
  std::string TagPnr;
  std::string TagVon;  // arrival date
  std::string TagUhr;  // arrival time
  std::string TagBis;  // departure date
  std::string TagEnd;  // departure time
  std::string TagTgb;
  int TagOne = 0;
};

// Booking period of a person (Qvt328Bup); BupTvo/BupTbi in minutes.
struct BupSatz {
  std::string BupPnr;
  std::string BupVon;  // begin date
  std::string BupUhr;  // begin time
  int BupFkt = 0;
  std::string BupBis;  // end date
  std::string BupEnd;  // end time
  int BupFfk = 0, BupTvo = 0, BupTbi = 0, BupAvo = 0, BupAbi = 0, BupWzv = 0, BupWzb = 0;
};

// Day working-time model of a person: Qvt329Ztg with its model version
// (Qvt140Azv) and the calendar day (QvSystem.Qvt133Bak). Minute values.
struct ZtgAzvSatz {
  std::string ZtgPnr;
  std::string ZtgVon;  // the day, "yyyymmdd"
  std::string ZtgAzt;  // working-time model
  std::string AzvPsm;  // break scheme
  int AzvMav = 0, AzvMab = 0, AzvNov = 0, AzvNob = 0, AzvGlv = 0, AzvGlb = 0, AzvKev = 0,
      AzvKeb = 0;
  std::string ZtgAgr;
  std::string ZtgTtp;
  int AzvSol = 0;
  int BakWch = 0, BakWtg = 0, BakJtg = 0;
};

// Line of a break scheme (Qvt143Pse); minute values.
struct PseSatz {
  std::string PseNum;
  int PseLfd = 0, PseVon = 0, PseBis = 0, PseMin = 0, PseMax = 0, PseInt = 0, PsePse = 0;
};

// Break of a person on one day (Qvt323Gps); minute values.
struct GpsSatz {
  std::string GpsPnr;
  std::string GpsDtm;  // "yyyymmdd"
  int GpsLfd = 0, GpsVon = 0, GpsBis = 0, GpsMin = 0, GpsMax = 0, GpsInt = 0, GpsPse = 0;
};

// Working-time values of a person on one day (Qvt322Gaz); minute values.
struct GazSatz {
  std::string GazPnr;
  std::string GazDtm;  // "yyyymmdd"
  int GazMav = 0, GazMab = 0, GazNov = 0, GazNob = 0, GazKev = 0, GazGlv = 0, GazGlb = 0,
      GazKeb = 0, GazSol = 0;
};

// Archived message of a person (Qvt565Map).
struct MapSatz {
  int MapBnr = 0;
  std::string MapObj, MapPnr, MapApl, MapApk, MapApp;
  std::string Map00E, Map00R, Map00A, Map00U, Map00S;
  std::string Map006, Map007, Map008, Map009, Map010, Map011, Map012, Map013, Map014, Map015,
      Map016;
  std::string MapMdt;  // message date, "yyyymmdd"
  std::string MapMzt;  // message time, "HHMMSS"
  std::string MapErf, MapSts, MapUbg, MapTnr;
};

// The calendar day `tage` days after `datum` ("yyyymmdd"; negative: before).
// 0: row filled; 1403 the calendar has no such day (also for an empty date);
// -1861 `datum` is no date or the day lies outside the years 1 to 9999.
[[nodiscard]] int Bak_DatumPlus(const std::string& datum, int tage, BakSatz& row);

// The number of calendar days after `von` up to and including `bis`.
// 0: `anzahl` set; negative on failure (`anzahl` unchanged).
[[nodiscard]] int Bak_Zaehlen(const std::string& von, const std::string& bis, int& anzahl);

// Calendar days from `von` to `bis` (both included), in date order.
[[nodiscard]] int Bak_OpenBereich(const std::string& von, const std::string& bis);
[[nodiscard]] int Bak_FetchBereich(BakSatz& row);
[[nodiscard]] int Bak_CloseBereich();
// The calendar days from `von` up to but not including `bisAusschl`
// ("yyyymmdd" both), in instant order; BakUhr is the time of the row
// ("HH24MISS"), which is "000000" for a day as Bak_DatumPlus finds it.
struct BakUhrSatz : BakSatz {
  std::string BakUhr;
};
[[nodiscard]] int Bak_OpenTage(const std::string& von, const std::string& bisAusschl);
[[nodiscard]] int Bak_FetchTage(BakUhrSatz& row);
[[nodiscard]] int Bak_CloseTage();

// The calendar day `datum`. 0: row filled; 1403 no such day; negative on failure.
[[nodiscard]] int Bak_DatumRead(const std::string& datum, BakSatz& row);

// The person day of `pnr` on `tag`. 0: row filled; 1403 none; negative on failure.
[[nodiscard]] int Tag_PKeyReadk(const std::string& pnr, const std::string& tag, TagSatz& row);

// Person days of `pnr` from `von` to `bis` (both included) whose TagOne is 0,
// in arrival order (TagVon, TagUhr).
[[nodiscard]] int Tag_OpenBereich(const std::string& pnr, const std::string& von,
                                  const std::string& bis);
[[nodiscard]] int Tag_FetchBereich(TagSatz& row);
[[nodiscard]] int Tag_CloseBereich();

// Booking periods of `pnr` beginning at or after `von` and ending at or before
// `bis` (timestamps "yyyymmddHHMMSS"), in begin order.
[[nodiscard]] int Bup_AbrTag_ReadOpen(const std::string& pnr, const std::string& von,
                                      const std::string& bis);
[[nodiscard]] int Bup_AbrTag_ReadFetch(BupSatz& row);
[[nodiscard]] int Bup_AbrTag_ReadClose();

// Day model of `pnr` for `tag`: the versions of the day's working-time model
// valid on or before `tag`, the newest first (so the first fetch gives the
// version valid on the day), each with the calendar columns of the day.
[[nodiscard]] int Ztg_AzvOpen(const std::string& pnr, const std::string& tag);
[[nodiscard]] int Ztg_AzvFetch(ZtgAzvSatz& row);
[[nodiscard]] int Ztg_AzvClose();

// Lines of break scheme `num`, in line order.
[[nodiscard]] int Pse_PKey_ReadOpen(const std::string& num);
[[nodiscard]] int Pse_PKey_ReadFetch(PseSatz& row);
[[nodiscard]] int Pse_PKey_ReadClose();

// The break of `pnr` on `tag` with line number `lfd`. 0: row filled; 1403
// none; negative on failure.
[[nodiscard]] int Gps_PKeyReadk(const std::string& pnr, const std::string& tag, int lfd,
                                GpsSatz& row);

// The working-time values of `pnr` on `tag`. 0: row filled; 1403 none;
// negative on failure.
[[nodiscard]] int Gaz_PKeyReadk(const std::string& pnr, const std::string& tag, GazSatz& row);

// Archived messages of object type `obj` and person `pnr`, in message date
// and time order.
[[nodiscard]] int Map_OpenPnr(const std::string& obj, const std::string& pnr);
[[nodiscard]] int Map_FetchPnr(MapSatz& row);
[[nodiscard]] int Map_ClosePnr();

// Every statement of this module, for the test that holds each against its
// record's row description.
std::vector<const DbAnweisung*> Dbstd_Anweisungen();
