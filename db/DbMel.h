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
