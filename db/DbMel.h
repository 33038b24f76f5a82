// Messages (Qvt560Mel), upload numbers, markers, interface, error and
// evaluation tables (Qvt590Nza, scratch list Qvt561Mlt).
#pragma once

#include <string>
#include <vector>

struct DbAnweisung;

// A message row of Qvt560Mel, in the select order of its statements.
// KeyDat ("yyyymmdd") and KeyUhr ("HH24MISS") are the date and the time of the
// one instant that both date columns hold.
struct MelSatz {
  int KeyBnr = 0;  // booking number (key, part 1)
  int KeyLfn = 0;  // running number within the booking (key, part 2)
  std::string ObjTyp;
  std::string KeyPnr;
  std::string KeyApl;
  std::string KeyApk;
  std::string KeyApp;
  std::string Sts00E, Sts00R, Sts00A, Sts00U, Sts00S;
  std::string Sts006, Sts007, Sts008, Sts009, Sts010, Sts011, Sts012, Sts013, Sts014, Sts015,
      Sts016;
  std::string KeyDat;
  std::string KeyUhr;
  std::string KeySek;
  std::string KeyUbg;
  std::string KeyAug;
  std::string MelMsk;
  std::string MelAwn;
  std::string MelFcd;
  std::string MelTrm;
  std::string MelOff;
  int MelFnr = 0;
  double MelGum = 0, MelFam = 0, MelMam = 0, MelNam = 0;
  double MelZt1 = 0, MelZt2 = 0, MelZt3 = 0;
  std::string MelMee;
  std::string MelAec;
  std::string MelTrc;
  std::string MelErf;
  std::string MelKsb;
  std::string MelKdt;  // instant "yyyymmddHH24MISS"
  std::string MelKfc;
  double MelKgm = 0, MelKfm = 0, MelKmm = 0, MelKnm = 0;
  std::string KeyTnr;
};

// Single-row writes; each commits on 0 and leaves nothing behind otherwise.
// 0 inserted; -1 the key exists already; another negative on failure.
[[nodiscard]] int Mel_PKeyIns(const MelSatz& row);
// 0 updated; 1403 no row with the key; a negative on failure.
[[nodiscard]] int Mel_PKeyUpdate(const MelSatz& row);
// 0 deleted; 1403 no row with the key; a negative on failure.
[[nodiscard]] int Mel_PKeyDel(const MelSatz& row);
// 0 and the row filled for its own KeyBnr/KeyLfn; otherwise 1403 or a
// negative, with KeyBnr, KeyLfn and the eight quantities (MelGum .. MelNam,
// MelKgm .. MelKnm) set to 0 and every other field left as it was.
[[nodiscard]] int Mel_PKeyReadk(MelSatz& row);
// Reads the correction mark (MelKsb, MelKfc) of one message and locks the
// row until the correction's transaction ends, so that no other run applies
// the same correction meanwhile. 0 with both set; 1403 when the row is gone;
// a negative status on failure (both empty).
[[nodiscard]] int Mel_PKeyLock(int bnr, int lfn, std::string& ksb, std::string& kfc);

// Cursors: Open returns 0 or a negative status; Fetch returns 0 with the next
// row, 1403 at the end or a negative (then the row as after a failed
// Mel_PKeyReadk); Close returns 0. Each delivers its rows as they stood at open.

// Rows of one clerk: MelKsb = clerk, in date, time, KeySek order.
[[nodiscard]] int Mel_KsbCurOpen(const std::string& clerk);
[[nodiscard]] int Mel_KsbCurFetch(MelSatz& row);
[[nodiscard]] int Mel_KsbCurClose();
// Rows the open clerk cursor delivers in all (0 when it is not open).
long Mel_KsbCurAnzahl();

// Rows of one booking number, in date, time, KeySek order.
[[nodiscard]] int Mel_BnrCurOpen(int bnr);
[[nodiscard]] int Mel_BnrCurFetch(MelSatz& row);
[[nodiscard]] int Mel_BnrCurClose();

// Rows of one object type at one workplace, in instant and KeySek order.
[[nodiscard]] int Mel_AplCurOpen(const std::string& objTyp, const std::string& apl);
[[nodiscard]] int Mel_AplCurFetch(MelSatz& row);
[[nodiscard]] int Mel_AplCurClose();

// Rows of one object type, workplace, order and operation.
[[nodiscard]] int Mel_AplAppCurOpen(const std::string& objTyp, const std::string& apl,
                                    const std::string& apk, const std::string& app);
[[nodiscard]] int Mel_AplAppCurFetch(MelSatz& row);
[[nodiscard]] int Mel_AplAppCurClose();

// Rows of one object type, workplace, order, operation and person.
[[nodiscard]] int Mel_PnrCurOpen(const std::string& objTyp, const std::string& apl,
                                 const std::string& apk, const std::string& app,
                                 const std::string& pnr);
[[nodiscard]] int Mel_PnrCurFetch(MelSatz& row);
[[nodiscard]] int Mel_PnrCurClose();

// As Mel_PnrCur, limited to the instants from d1/t1 to d2/t2 (both included).
[[nodiscard]] int Mel_PnrZeitCurOpen(const std::string& objTyp, const std::string& apl,
                                     const std::string& apk, const std::string& app,
                                     const std::string& pnr, const std::string& d1,
                                     const std::string& t1, const std::string& d2,
                                     const std::string& t2);
[[nodiscard]] int Mel_PnrZeitCurFetch(MelSatz& row);
[[nodiscard]] int Mel_PnrZeitCurClose();

// Rows of a workplace, order and operation strictly before d/t, latest first.
[[nodiscard]] int Mel_VorherCurOpen(const std::string& apl, const std::string& apk,
                                    const std::string& app, const std::string& d,
                                    const std::string& t);
[[nodiscard]] int Mel_VorherCurFetch(MelSatz& row);
[[nodiscard]] int Mel_VorherCurClose();

// Rows of a workplace, order and operation strictly after d/t, in date and
// time order (KeySek descending within one instant).
[[nodiscard]] int Mel_NachherCurOpen(const std::string& apl, const std::string& apk,
                                     const std::string& app, const std::string& d,
                                     const std::string& t);
[[nodiscard]] int Mel_NachherCurFetch(MelSatz& row);
[[nodiscard]] int Mel_NachherCurClose();

// ---------------------------------------------------------------------------
// Upload-number counters, production-planning interface, re-evaluation
// markers and the evaluation error list.

// Upload-number counter (Qvt552Bnr); BnrEdt is set to sysdate by every write.
struct BnrSatz {
  std::string BnrKey;  // counter name, for example "PPSNR"
  int BnrBnr = 0;      // last number given out
  std::string BnrEsb;  // program that gave it
};

// 0 and the row filled for its BnrKey; 1403 no such counter; a negative on
// failure. The row is unchanged unless 0.
[[nodiscard]] int Bnr_PKeyReadk(BnrSatz& row);
// 0 inserted; -1 the counter exists already; a negative on failure.
[[nodiscard]] int Bnr_PKeyIns(const BnrSatz& row);
// 0 updated; 1403 no such counter (nothing changed); a negative on failure.
[[nodiscard]] int Bnr_PKeyUpd(const BnrSatz& row);
// Draws the next number of counter row.BnrKey in one statement: the counter
// is raised by 1 (a NULL counter counts as 0) and row.BnrEsb recorded, and the
// new value comes back in row.BnrBnr. Two sessions drawing at the same time
// always get different numbers. 0 drawn and committed; 1403 no such counter
// (nothing changed); a negative on failure (nothing changed, row.BnrBnr kept).
[[nodiscard]] int Bnr_PKeyNext(BnrSatz& row);

// Production-planning interface record (Qvt580Pps); all texts as they stand.
struct PpsSatz {
  std::string PpsDat;  // instant of writing, yyyymmddHHMMSS
  int PpsLfn = 0;      // upload number
  std::string PpsVkz, PpsFcd, PpsPnr, PpsApl, PpsApk, PpsApp, PpsAwn;
  std::string PpsMdt;  // message date
  std::string PpsMzt;  // message time
  std::string PpsUbg, PpsAug;
  int PpsSts = 0;
  std::string PpsSto;  // sign "-" or "+"
  double PpsGum = 0, PpsFam = 0, PpsMam = 0, PpsNam = 0;
  std::string PpsMee;
  double PpsZt1 = 0, PpsZt2 = 0, PpsZt3 = 0;
  std::string PpsZf1, PpsZf2, PpsZf3;
};

// 0 inserted and committed; a negative on failure (nothing written).
[[nodiscard]] int Pps_PKeyIns(const PpsSatz& row);

// Re-evaluation marker (Qvt563Mrk); key MrkKng, MrkApl, MrkApk, MrkApp,
// MrkPnr, MrkBnr. MrkDat is set to sysdate by every write.
struct MrkSatz {
  std::string MrkKng;  // kind: "NZM", "NZA", "LZM", "PRF"
  std::string MrkApl, MrkApk, MrkApp, MrkPnr;
  std::string MrkMdt;  // re-evaluate from this instant, yyyymmddHH24MISS
  std::string MrkObj;
  int MrkBnr = 0;
};

// 0 and the row filled for its full key; 1403 no such marker; a negative on
// failure. The row is unchanged unless 0.
[[nodiscard]] int Mrk_PKeyReadk(MrkSatz& row);
// 0 inserted; -1 a marker with that key exists; a negative on failure.
[[nodiscard]] int Mrk_PKeyIns(const MrkSatz& row);
// Sets MrkMdt of the marker with the row's key. 0 updated; 1403 no such
// marker; a negative on failure.
[[nodiscard]] int Mrk_PKeyUpd(const MrkSatz& row);

// Evaluation error row (Qvt554Err); ErrDat is set to sysdate by the insert.
struct ErrSatz {
  std::string ErrErf;
  std::string ErrEdt;  // instant yyyymmddHH24MISS
  std::string ErrBer, ErrPnr, ErrApl, ErrApk, ErrApp;
  int ErrFnr = 0;  // error number
  int ErrBnr = 0;
  std::string ErrPgm, ErrFun, ErrObj;
};

// 0 inserted and committed; a negative on failure (nothing written).
[[nodiscard]] int Err_PKeyIns(const ErrSatz& row);

// The highest running number KeyLfn in use in booking `bnr` (0 when the
// booking has no rows). 0 and `maxLfn` set; a negative on failure.
[[nodiscard]] int Mel_BnrMaxLfn(int bnr, int& maxLfn);

// ---------------------------------------------------------------------------
// Evaluation rows and scratch list

// An evaluation row of Qvt590Nza, in select order. Dates travel as the
// "yyyymmdd" text (...Dat) and the "HH24MISS" text (...Uhr) of one instant.
// Durations are minutes and seconds in one double (90 min 30 s is 90.30).
// NzaDat is not read; every write sets it to sysdate.
struct NzaSatz {
  int NzaSa = 0;          // record kind (16-bit column, widened)
  std::string NzaApl;     // workplace
  std::string NzaApk;     // order
  std::string NzaApp;     // operation
  std::string NzaPnr;     // person (may be empty: no person)
  std::string NzaDtmDat;  // begin date, last key column with NzaDtmUhr
  std::string NzaDtmUhr;  // begin time
  int NzaBeg = 0;         // 1 when the begin comes from a real message
  int NzaBbn = 0;         // upload number of the begin message
  int NzaBln = 0;         // running number of the begin message
  std::string NzaBmk;     // message key of the begin, or "BG"
  std::string NzaEdtDat;  // end date
  std::string NzaEdtUhr;  // end time
  int NzaEnd = 0;         // 1 when the end comes from a real message
  int NzaEbn = 0;         // upload number of the end message
  int NzaEln = 0;         // running number of the end message
  std::string NzaEmk;     // message key of the end, or "EG"
  std::string NzaUbg;     // interruption reason
  int NzaRau = 0;
  int NzaVar = 0;
  int Nza00A = 0;
  int Nza00U = 0;
  int Nza00S = 0;
  std::string NzaEmo;  // shift model
  int NzaWtg = 0;      // weekday
  int NzaJtg = 0;      // day of the year
  std::string NzaTtp;  // day type
  std::string NzaJwo;  // year and week
  int NzaWoc = 0;      // week
  int NzaPzm = 0;
  int NzaMaz = 0;
  double NzaNzr = 0, NzaBzr = 0, NzaUzr = 0, NzaPzr = 0, NzaRbz = 0;
  double NzaNza = 0, NzaBzA = 0, NzaUza = 0, NzaPza = 0, NzaAbz = 0;
  double NzaNzu = 0, NzaBzu = 0, NzaPzu = 0, NzaUbz = 0, NzaSol = 0;
  double NzaIst = 0, NzaPau = 0, NzaRf1 = 0, NzaRf2 = 0, NzaRf3 = 0;
  int NzaFnr = 0;      // error number
  std::string NzaErf;  // producer
  double NzaGum = 0;
  double NzaAum = 0;
  std::string NzaTnr;  // part number of the order
};

// A scratch list entry of Qvt561Mlt, in select order; key MltErf, MltDat,
// MltLfn. MltMdt travels as the "yyyymmdd" and "HH24MISS" texts.
struct MltSatz {
  std::string MltErf;  // producer of the list
  std::string MltDat;  // run stamp yyyymmddHHMMSS; with MltErf it names one list
  int MltLfn = 0;      // running number within the list
  std::string MltObj;  // event key
  std::string MltPnr;
  std::string MltApl;
  std::string MltApk;
  std::string MltApp;
  std::string Mlt00E, Mlt00R, Mlt00A, Mlt00U, Mlt00S, MltBkg, MltPbe;  // status flags
  std::string MltArg;     // person the derived row is booked to
  std::string MltEmo;     // shift model
  std::string MltTtp;     // day type
  int MltWoc = 0;         // week
  int MltWtg = 0;         // weekday
  int MltJtg = 0;         // day of the year
  std::string MltJwo;     // year and week
  std::string MltMdtDat;  // instant of the event: date
  std::string MltMdtUhr;  // and time
  std::string MltUbg;
};

// After a read or fetch that does not return 0, an NzaSatz keeps its key
// (NzaSa and the key texts) and every other text; all its other numbers are
// 0. An MltSatz keeps its texts; all its numbers are 0.

// Writes commit on 0 and leave the table as it was otherwise.
// 0 inserted; -1 a row with the key exists already; another negative on failure.
[[nodiscard]] int Nza_PKeyIns(const NzaSatz& row);
// Every column of the row with the record's key. 0 updated; 1403 no such row;
// a negative on failure.
[[nodiscard]] int Nza_PKeyUpd(const NzaSatz& row);
// 0 deleted; 1403 no row with the record's key; a negative on failure.
[[nodiscard]] int Nza_PKeyDel(const NzaSatz& row);
// 0 and the row filled for its key; 1403 no such row, a negative on failure
// (then the record as after every failed read, see above).
[[nodiscard]] int Nza_PKeyReadk(NzaSatz& row);
// Deletes every row of kind `sa` of order `apk`, operation `app` at workplace
// `apl`. 0 deleted at least one; 1403 there was none; a negative on failure.
[[nodiscard]] int Nza_SA_Del(int sa, const std::string& apk, const std::string& app,
                             const std::string& apl);

// Cursors: Open returns 0 or a negative status; Fetch returns 0 with the next
// row, 1403 at the end or a negative (record as after a failed read); Close
// returns 0 (-1001 when not open). Each delivers its rows as at open. The
// fault seam knows an open by its function's name ("Nza_OpenPnr") and its
// fetches by that name with ".Fetch".

// Kind, workplace, order, operation and person; in begin order.
[[nodiscard]] int Nza_OpenPnr(int sa, const std::string& apl, const std::string& apk,
                              const std::string& app, const std::string& pnr);
[[nodiscard]] int Nza_FetchPnr(NzaSatz& row);
[[nodiscard]] int Nza_ClosePnr();

// As Nza_OpenPnr, begin from stamp `von` to stamp `bis` (14 digits, both included).
[[nodiscard]] int Nza_PKeyVon_Open(int sa, const std::string& apl, const std::string& apk,
                                   const std::string& app, const std::string& pnr,
                                   const std::string& von, const std::string& bis);
[[nodiscard]] int Nza_PKeyVon_Read(NzaSatz& row);
[[nodiscard]] int Nza_PKeyVon_Close();

// Kind, workplace, order and operation; in person and begin order.
[[nodiscard]] int Nza_OpenAplApp(int sa, const std::string& apl, const std::string& apk,
                                 const std::string& app);
[[nodiscard]] int Nza_FetchAplApp(NzaSatz& row);
[[nodiscard]] int Nza_CloseAplApp();

// Kind, order and operation over all workplaces.
[[nodiscard]] int Nza_OpenApkApp(int sa, const std::string& apk, const std::string& app);
[[nodiscard]] int Nza_FetchApkApp(NzaSatz& row);
[[nodiscard]] int Nza_CloseApkApp();

// Kind-1 rows of a person whose begin or end lies from stamp `von` to stamp
// `bis` (14 digits, both included); in begin order.
[[nodiscard]] int Nza_OpenSa1Zeit(const std::string& pnr, const std::string& von,
                                  const std::string& bis);
[[nodiscard]] int Nza_FetchSa1Zeit(NzaSatz& row);
[[nodiscard]] int Nza_CloseSa1Zeit();

// Kind-2 rows of a workplace, order, operation and person whose begin or end
// lies from stamp `von` to stamp `bis` (both included); in begin order.
[[nodiscard]] int Nza_OpenSa2Zeit(const std::string& apl, const std::string& apk,
                                  const std::string& app, const std::string& pnr,
                                  const std::string& von, const std::string& bis);
[[nodiscard]] int Nza_FetchSa2Zeit(NzaSatz& row);
[[nodiscard]] int Nza_CloseSa2Zeit();

// 0 inserted; -1 the list has that running number already; another negative on failure.
[[nodiscard]] int Mlt_PKeyIns(const MltSatz& row);
// 0 deleted; 1403 no entry with the record's key; a negative on failure.
[[nodiscard]] int Mlt_PKeyDel(const MltSatz& row);

// The entries of one list (producer `erf`, run stamp `dat`), in instant and
// running-number order.
[[nodiscard]] int Mlt_Open(const std::string& erf, const std::string& dat);
[[nodiscard]] int Mlt_Fetch(MltSatz& row);
[[nodiscard]] int Mlt_Close();

// The highest running number of one list. 0 and `maxLfn` set; 1403 the list
// is empty (`maxLfn` unchanged); a negative on failure (`maxLfn` unchanged).
[[nodiscard]] int Mlt_MaxLfn(const std::string& erf, const std::string& dat, int& maxLfn);

// Every statement of this module, for the test that holds each against its
// record's row description.
std::vector<const DbAnweisung*> DbMel_Anweisungen();
