// Messages (Qvt560Mel) and, later, markers, interface and evaluation tables.
#pragma once

#include <string>

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
int Mel_PKeyIns(const MelSatz& row);
// 0 updated; 1403 no row with the key; a negative on failure.
int Mel_PKeyUpdate(const MelSatz& row);
// 0 deleted; 1403 no row with the key; a negative on failure.
int Mel_PKeyDel(const MelSatz& row);
// 0 and the row filled for its own KeyBnr/KeyLfn; otherwise 1403 or a
// negative, with the row's numbers set to 0 and its texts left as they were.
int Mel_PKeyReadk(MelSatz& row);

// Cursors: Open returns 0 or a negative status; Fetch returns 0 with the next
// row, 1403 at the end (then the row's numbers are 0, texts unchanged), or a
// negative; Close returns 0. Each delivers its rows as they stood at open.

// Rows of one clerk: MelKsb = clerk, in date, time, KeySek order.
int Mel_KsbCurOpen(const std::string& clerk);
int Mel_KsbCurFetch(MelSatz& row);
int Mel_KsbCurClose();

// Rows of one booking number, in date, time, KeySek order.
int Mel_BnrCurOpen(int bnr);
int Mel_BnrCurFetch(MelSatz& row);
int Mel_BnrCurClose();

// Rows of one object type at one workplace, in instant and KeySek order.
int Mel_AplCurOpen(const std::string& objTyp, const std::string& apl);
int Mel_AplCurFetch(MelSatz& row);
int Mel_AplCurClose();

// Rows of one object type, workplace, order and operation.
int Mel_AplAppCurOpen(const std::string& objTyp, const std::string& apl, const std::string& apk,
                      const std::string& app);
int Mel_AplAppCurFetch(MelSatz& row);
int Mel_AplAppCurClose();

// Rows of one object type, workplace, order, operation and person.
int Mel_PnrCurOpen(const std::string& objTyp, const std::string& apl, const std::string& apk,
                   const std::string& app, const std::string& pnr);
int Mel_PnrCurFetch(MelSatz& row);
int Mel_PnrCurClose();

// As Mel_PnrCur, limited to the instants from d1/t1 to d2/t2 (both included).
int Mel_PnrZeitCurOpen(const std::string& objTyp, const std::string& apl, const std::string& apk,
                       const std::string& app, const std::string& pnr, const std::string& d1,
                       const std::string& t1, const std::string& d2, const std::string& t2);
int Mel_PnrZeitCurFetch(MelSatz& row);
int Mel_PnrZeitCurClose();

// Rows of a workplace, order and operation strictly before d/t, latest first.
int Mel_VorherCurOpen(const std::string& apl, const std::string& apk, const std::string& app,
                      const std::string& d, const std::string& t);
int Mel_VorherCurFetch(MelSatz& row);
int Mel_VorherCurClose();

// Rows of a workplace, order and operation strictly after d/t, in date and
// time order (KeySek descending within one instant).
int Mel_NachherCurOpen(const std::string& apl, const std::string& apk, const std::string& app,
                       const std::string& d, const std::string& t);
int Mel_NachherCurFetch(MelSatz& row);
int Mel_NachherCurClose();

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
int Bnr_PKeyReadk(BnrSatz& row);
// 0 inserted; -1 the counter exists already; a negative on failure.
int Bnr_PKeyIns(const BnrSatz& row);
// 0 updated; 1403 no such counter (nothing changed); a negative on failure.
int Bnr_PKeyUpd(const BnrSatz& row);
// Draws the next number of counter row.BnrKey in one statement: the counter
// is raised by 1 (a NULL counter counts as 0) and row.BnrEsb recorded, and the
// new value comes back in row.BnrBnr. Two sessions drawing at the same time
// always get different numbers. 0 drawn and committed; 1403 no such counter
// (nothing changed); a negative on failure (nothing changed, row.BnrBnr kept).
int Bnr_PKeyNext(BnrSatz& row);

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
int Pps_PKeyIns(const PpsSatz& row);

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
int Mrk_PKeyReadk(MrkSatz& row);
// 0 inserted; -1 a marker with that key exists; a negative on failure.
int Mrk_PKeyIns(const MrkSatz& row);
// Sets MrkMdt of the marker with the row's key. 0 updated; 1403 no such
// marker; a negative on failure.
int Mrk_PKeyUpd(const MrkSatz& row);

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
int Err_PKeyIns(const ErrSatz& row);

// The highest running number KeyLfn in use in booking `bnr` (0 when the
// booking has no rows). 0 and `maxLfn` set; a negative on failure.
int Mel_BnrMaxLfn(int bnr, int& maxLfn);
