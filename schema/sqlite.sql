-- Main database of the correction program, SQLite.
--
-- Load into a new, empty database file:
--   sqlite3 qv.db < schema/sqlite.sql
-- The factory calendar (QvSystem.Qvt133Bak, QvSystem.Qvt133Kal) lives in a separate
-- file QvSystem.db beside it, created by schema/sqlite_qvsystem.sql and attached by
-- the program as schema QvSystem. This file therefore creates no Qvt133 table.
--
-- Column types: texts TEXT with their width as a CHECK; whole numbers INTEGER
-- (16-bit values with their range as a CHECK); quantities and durations REAL;
-- dates, times and instants TEXT 'YYYY-MM-DD HH:MM:SS'. Empty texts are stored as
-- NULL; key columns are NOT NULL except where the program writes an empty key part.

BEGIN;

-- Shop-floor messages; a pending correction sits on the row itself
-- (clerk MelKsb, code MelKfc, corrected quantities MelKgm .. MelKnm).
-- KeyDat and KeyUhr both hold the whole instant of the message.
CREATE TABLE Qvt560Mel (
  KeyBnr INTEGER NOT NULL,
  KeyLfn INTEGER NOT NULL,
  ObjTyp TEXT CONSTRAINT ObjTyp_Width CHECK (length(ObjTyp) <= 3),
  KeyPnr TEXT CONSTRAINT KeyPnr_Width CHECK (length(KeyPnr) <= 8),
  KeyApl TEXT CONSTRAINT KeyApl_Width CHECK (length(KeyApl) <= 10),
  KeyApk TEXT CONSTRAINT KeyApk_Width CHECK (length(KeyApk) <= 12),
  KeyApp TEXT CONSTRAINT KeyApp_Width CHECK (length(KeyApp) <= 5),
  Sts00E TEXT CONSTRAINT Sts00E_Width CHECK (length(Sts00E) <= 1),
  Sts00R TEXT CONSTRAINT Sts00R_Width CHECK (length(Sts00R) <= 1),
  Sts00A TEXT CONSTRAINT Sts00A_Width CHECK (length(Sts00A) <= 1),
  Sts00U TEXT CONSTRAINT Sts00U_Width CHECK (length(Sts00U) <= 1),
  Sts00S TEXT CONSTRAINT Sts00S_Width CHECK (length(Sts00S) <= 1),
  Sts006 TEXT CONSTRAINT Sts006_Width CHECK (length(Sts006) <= 1),
  Sts007 TEXT CONSTRAINT Sts007_Width CHECK (length(Sts007) <= 1),
  Sts008 TEXT CONSTRAINT Sts008_Width CHECK (length(Sts008) <= 1),
  Sts009 TEXT CONSTRAINT Sts009_Width CHECK (length(Sts009) <= 1),
  Sts010 TEXT CONSTRAINT Sts010_Width CHECK (length(Sts010) <= 1),
  Sts011 TEXT CONSTRAINT Sts011_Width CHECK (length(Sts011) <= 1),
  Sts012 TEXT CONSTRAINT Sts012_Width CHECK (length(Sts012) <= 1),
  Sts013 TEXT CONSTRAINT Sts013_Width CHECK (length(Sts013) <= 1),
  Sts014 TEXT CONSTRAINT Sts014_Width CHECK (length(Sts014) <= 1),
  Sts015 TEXT CONSTRAINT Sts015_Width CHECK (length(Sts015) <= 1),
  Sts016 TEXT CONSTRAINT Sts016_Width CHECK (length(Sts016) <= 1),
  KeyDat TEXT CONSTRAINT KeyDat_Date CHECK (KeyDat IS NULL OR (length(KeyDat) = 19 AND KeyDat GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(KeyDat, '+0 seconds') IS KeyDat)),
  KeyUhr TEXT CONSTRAINT KeyUhr_Date CHECK (KeyUhr IS NULL OR (length(KeyUhr) = 19 AND KeyUhr GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(KeyUhr, '+0 seconds') IS KeyUhr)),
  KeySek TEXT CONSTRAINT KeySek_Width CHECK (length(KeySek) <= 2),
  KeyUbg TEXT CONSTRAINT KeyUbg_Width CHECK (length(KeyUbg) <= 5),
  KeyAug TEXT CONSTRAINT KeyAug_Width CHECK (length(KeyAug) <= 4),
  MelMsk TEXT CONSTRAINT MelMsk_Width CHECK (length(MelMsk) <= 3),
  MelAwn TEXT CONSTRAINT MelAwn_Width CHECK (length(MelAwn) <= 8),
  MelFcd TEXT CONSTRAINT MelFcd_Width CHECK (length(MelFcd) <= 3),
  MelTrm TEXT CONSTRAINT MelTrm_Width CHECK (length(MelTrm) <= 2),
  MelOff TEXT CONSTRAINT MelOff_Width CHECK (length(MelOff) <= 1),
  MelFnr INTEGER CONSTRAINT MelFnr_Range CHECK (MelFnr BETWEEN -32768 AND 32767),
  MelGum REAL,
  MelFam REAL,
  MelMam REAL,
  MelNam REAL,
  MelZt1 REAL,
  MelZt2 REAL,
  MelZt3 REAL,
  MelMee TEXT CONSTRAINT MelMee_Width CHECK (length(MelMee) <= 3),
  MelAec TEXT CONSTRAINT MelAec_Width CHECK (length(MelAec) <= 1),
  MelTrc TEXT CONSTRAINT MelTrc_Width CHECK (length(MelTrc) <= 1),
  MelErf TEXT CONSTRAINT MelErf_Width CHECK (length(MelErf) <= 8),
  MelKsb TEXT CONSTRAINT MelKsb_Width CHECK (length(MelKsb) <= 8),
  MelKdt TEXT CONSTRAINT MelKdt_Date CHECK (MelKdt IS NULL OR (length(MelKdt) = 19 AND MelKdt GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(MelKdt, '+0 seconds') IS MelKdt)),
  MelKfc TEXT CONSTRAINT MelKfc_Width CHECK (length(MelKfc) <= 3),
  MelKgm REAL,
  MelKfm REAL,
  MelKmm REAL,
  MelKnm REAL,
  KeyTnr TEXT CONSTRAINT KeyTnr_Width CHECK (length(KeyTnr) <= 20),
  MelDat TEXT CONSTRAINT MelDat_Date CHECK (MelDat IS NULL OR (length(MelDat) = 19 AND MelDat GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(MelDat, '+0 seconds') IS MelDat)),
  CONSTRAINT Qvt560Mel_PK PRIMARY KEY (KeyBnr, KeyLfn)
);
-- Pending corrections of one clerk in time order.
CREATE INDEX Qvt560Mel_Ksb ON Qvt560Mel (MelKsb, KeyDat, KeyUhr, KeySek);
-- Messages of one booking in time order.
CREATE INDEX Qvt560Mel_Bnr ON Qvt560Mel (KeyBnr, KeyDat, KeyUhr, KeySek);
-- Machine messages of one workplace.
CREATE INDEX Qvt560Mel_Apl ON Qvt560Mel (ObjTyp, KeyApl, KeyDat, KeyUhr, KeySek);
-- Messages of one workplace, order and operation.
CREATE INDEX Qvt560Mel_AplApp ON Qvt560Mel (ObjTyp, KeyApl, KeyApk, KeyApp, KeyDat, KeyUhr, KeySek);
-- Person messages of one workplace, order, operation and person (also by time window).
CREATE INDEX Qvt560Mel_Pnr ON Qvt560Mel (ObjTyp, KeyApl, KeyApk, KeyApp, KeyPnr, KeyDat, KeyUhr, KeySek);
-- Earlier and later messages at one operation.
CREATE INDEX Qvt560Mel_Vorgang ON Qvt560Mel (KeyApl, KeyApk, KeyApp, KeyDat, KeyUhr, KeySek);

-- Function codes of the message kinds: object type FzuTxt, function code FzuFcd,
-- planning switch FzuUpl. Read by message kind FzuMld.
CREATE TABLE Qvt553Fzu (
  FzuFcd TEXT CONSTRAINT FzuFcd_Width CHECK (length(FzuFcd) <= 3),
  FzuMld TEXT NOT NULL CONSTRAINT FzuMld_Width CHECK (length(FzuMld) <= 3),
  FzuBez TEXT CONSTRAINT FzuBez_Width CHECK (length(FzuBez) <= 30),
  FzuTxt TEXT CONSTRAINT FzuTxt_Width CHECK (length(FzuTxt) <= 10),
  FzuArt INTEGER,
  FzuObj INTEGER,
  FzuUpl INTEGER,
  FzuGen INTEGER,
  FzuZf1 TEXT CONSTRAINT FzuZf1_Width CHECK (length(FzuZf1) <= 30),
  FzuZf2 TEXT CONSTRAINT FzuZf2_Width CHECK (length(FzuZf2) <= 30),
  FzuZf3 TEXT CONSTRAINT FzuZf3_Width CHECK (length(FzuZf3) <= 30),
  FzuSta INTEGER CONSTRAINT FzuSta_Range CHECK (FzuSta BETWEEN -32768 AND 32767),
  FzuErf TEXT CONSTRAINT FzuErf_Width CHECK (length(FzuErf) <= 8),
  CONSTRAINT Qvt553Fzu_PK PRIMARY KEY (FzuMld)
);

-- Evaluation parameters; a row is valid strictly between NzpGvn and NzpGbi.
-- One version of a parameter per start day.
CREATE TABLE Qvt591Nzp (
  NzpAkz INTEGER NOT NULL,
  NzpGvn TEXT NOT NULL CONSTRAINT NzpGvn_Date CHECK (length(NzpGvn) = 19 AND NzpGvn GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(NzpGvn, '+0 seconds') IS NzpGvn),
  NzpGbi TEXT CONSTRAINT NzpGbi_Date CHECK (NzpGbi IS NULL OR (length(NzpGbi) = 19 AND NzpGbi GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(NzpGbi, '+0 seconds') IS NzpGbi)),
  NzpAak INTEGER,
  NzpAwt INTEGER,
  NzpKjh INTEGER,
  NzpKmn INTEGER,
  NzpKwo INTEGER,
  NzpKtg INTEGER,
  NzpAan INTEGER,
  NzpVfh INTEGER,
  NzpNfh INTEGER,
  NzpAus TEXT CONSTRAINT NzpAus_Width CHECK (length(NzpAus) <= 8),
  NzpMrk INTEGER,
  CONSTRAINT Qvt591Nzp_PK PRIMARY KEY (NzpAkz, NzpGvn)
);

-- Upload-number counters ("PPSNR": numbers of the planning interface).
CREATE TABLE Qvt552Bnr (
  BnrKey TEXT NOT NULL CONSTRAINT BnrKey_Width CHECK (length(BnrKey) <= 7),
  BnrBnr INTEGER,
  BnrEsb TEXT CONSTRAINT BnrEsb_Width CHECK (length(BnrEsb) <= 8),
  BnrEdt TEXT CONSTRAINT BnrEdt_Date CHECK (BnrEdt IS NULL OR (length(BnrEdt) = 19 AND BnrEdt GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(BnrEdt, '+0 seconds') IS BnrEdt)),
  CONSTRAINT Qvt552Bnr_PK PRIMARY KEY (BnrKey)
);

-- Production-planning interface: "-" takes a message's old state back, "+" reports
-- the new one. No unique key: an upload number is 0 when it could not be drawn, and
-- several rows can then carry the number 0.
CREATE TABLE Qvt580Pps (
  PpsDat TEXT CONSTRAINT PpsDat_Width CHECK (length(PpsDat) <= 14),
  PpsLfn INTEGER,
  PpsVkz TEXT CONSTRAINT PpsVkz_Width CHECK (length(PpsVkz) <= 3),
  PpsFcd TEXT CONSTRAINT PpsFcd_Width CHECK (length(PpsFcd) <= 3),
  PpsPnr TEXT CONSTRAINT PpsPnr_Width CHECK (length(PpsPnr) <= 8),
  PpsApl TEXT CONSTRAINT PpsApl_Width CHECK (length(PpsApl) <= 10),
  PpsApk TEXT CONSTRAINT PpsApk_Width CHECK (length(PpsApk) <= 12),
  PpsApp TEXT CONSTRAINT PpsApp_Width CHECK (length(PpsApp) <= 5),
  PpsAwn TEXT CONSTRAINT PpsAwn_Width CHECK (length(PpsAwn) <= 8),
  PpsMdt TEXT CONSTRAINT PpsMdt_Width CHECK (length(PpsMdt) <= 8),
  PpsMzt TEXT CONSTRAINT PpsMzt_Width CHECK (length(PpsMzt) <= 6),
  PpsUbg TEXT CONSTRAINT PpsUbg_Width CHECK (length(PpsUbg) <= 5),
  PpsAug TEXT CONSTRAINT PpsAug_Width CHECK (length(PpsAug) <= 4),
  PpsSts INTEGER,
  PpsSto TEXT CONSTRAINT PpsSto_Width CHECK (length(PpsSto) <= 1),
  PpsGum REAL,
  PpsFam REAL,
  PpsMam REAL,
  PpsNam REAL,
  PpsMee TEXT CONSTRAINT PpsMee_Width CHECK (length(PpsMee) <= 3),
  PpsZt1 REAL,
  PpsZt2 REAL,
  PpsZt3 REAL,
  PpsZf1 TEXT CONSTRAINT PpsZf1_Width CHECK (length(PpsZf1) <= 10),
  PpsZf2 TEXT CONSTRAINT PpsZf2_Width CHECK (length(PpsZf2) <= 20),
  PpsZf3 TEXT CONSTRAINT PpsZf3_Width CHECK (length(PpsZf3) <= 30)
);
-- Records by upload number, for the planning system.
CREATE INDEX Qvt580Pps_Lfn ON Qvt580Pps (PpsLfn);

-- Re-evaluation markers ("NZM", "NZA", "LZM", "PRF"): from MrkMdt on the key
-- must be evaluated again. Unused key parts hold zeros.
CREATE TABLE Qvt563Mrk (
  MrkKng TEXT NOT NULL CONSTRAINT MrkKng_Width CHECK (length(MrkKng) <= 3),
  MrkApl TEXT NOT NULL CONSTRAINT MrkApl_Width CHECK (length(MrkApl) <= 10),
  MrkApk TEXT NOT NULL CONSTRAINT MrkApk_Width CHECK (length(MrkApk) <= 12),
  MrkApp TEXT NOT NULL CONSTRAINT MrkApp_Width CHECK (length(MrkApp) <= 5),
  MrkPnr TEXT NOT NULL CONSTRAINT MrkPnr_Width CHECK (length(MrkPnr) <= 8),
  MrkMdt TEXT CONSTRAINT MrkMdt_Date CHECK (MrkMdt IS NULL OR (length(MrkMdt) = 19 AND MrkMdt GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(MrkMdt, '+0 seconds') IS MrkMdt)),
  MrkObj TEXT CONSTRAINT MrkObj_Width CHECK (length(MrkObj) <= 3),
  MrkBnr INTEGER NOT NULL,
  MrkDat TEXT CONSTRAINT MrkDat_Date CHECK (MrkDat IS NULL OR (length(MrkDat) = 19 AND MrkDat GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(MrkDat, '+0 seconds') IS MrkDat)),
  CONSTRAINT Qvt563Mrk_PK PRIMARY KEY (MrkKng, MrkApl, MrkApk, MrkApp, MrkPnr, MrkBnr)
);

-- Evaluation error protocol (for example 7004: no day model for a person's day).
-- A protocol without a key: a later evaluation may report the same day again.
CREATE TABLE Qvt554Err (
  ErrErf TEXT CONSTRAINT ErrErf_Width CHECK (length(ErrErf) <= 8),
  ErrEdt TEXT CONSTRAINT ErrEdt_Date CHECK (ErrEdt IS NULL OR (length(ErrEdt) = 19 AND ErrEdt GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(ErrEdt, '+0 seconds') IS ErrEdt)),
  ErrBer TEXT CONSTRAINT ErrBer_Width CHECK (length(ErrBer) <= 3),
  ErrPnr TEXT CONSTRAINT ErrPnr_Width CHECK (length(ErrPnr) <= 8),
  ErrApl TEXT CONSTRAINT ErrApl_Width CHECK (length(ErrApl) <= 10),
  ErrApk TEXT CONSTRAINT ErrApk_Width CHECK (length(ErrApk) <= 12),
  ErrApp TEXT CONSTRAINT ErrApp_Width CHECK (length(ErrApp) <= 5),
  ErrFnr INTEGER,
  ErrBnr INTEGER,
  ErrPgm TEXT CONSTRAINT ErrPgm_Width CHECK (length(ErrPgm) <= 10),
  ErrFun TEXT CONSTRAINT ErrFun_Width CHECK (length(ErrFun) <= 3),
  ErrDat TEXT CONSTRAINT ErrDat_Date CHECK (ErrDat IS NULL OR (length(ErrDat) = 19 AND ErrDat GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(ErrDat, '+0 seconds') IS ErrDat)),
  ErrObj TEXT CONSTRAINT ErrObj_Width CHECK (length(ErrObj) <= 3)
);

-- Order headers. ApkDwn/ApkDna mark a header for download to the terminals.
CREATE TABLE Qvt501Apk (
  ApkApk TEXT NOT NULL CONSTRAINT ApkApk_Width CHECK (length(ApkApk) <= 12),
  ApkBz1 TEXT CONSTRAINT ApkBz1_Width CHECK (length(ApkBz1) <= 30),
  ApkBz2 TEXT CONSTRAINT ApkBz2_Width CHECK (length(ApkBz2) <= 30),
  ApkTxt TEXT CONSTRAINT ApkTxt_Width CHECK (length(ApkTxt) <= 10),
  ApkSts INTEGER CONSTRAINT ApkSts_Range CHECK (ApkSts BETWEEN -32768 AND 32767),
  ApkSis INTEGER CONSTRAINT ApkSis_Range CHECK (ApkSis BETWEEN -32768 AND 32767),
  ApkKun TEXT CONSTRAINT ApkKun_Width CHECK (length(ApkKun) <= 7),
  ApkKb1 TEXT CONSTRAINT ApkKb1_Width CHECK (length(ApkKb1) <= 30),
  ApkKb2 TEXT CONSTRAINT ApkKb2_Width CHECK (length(ApkKb2) <= 30),
  ApkBgs TEXT CONSTRAINT ApkBgs_Date CHECK (ApkBgs IS NULL OR (length(ApkBgs) = 19 AND ApkBgs GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(ApkBgs, '+0 seconds') IS ApkBgs)),
  ApkEns TEXT CONSTRAINT ApkEns_Date CHECK (ApkEns IS NULL OR (length(ApkEns) = 19 AND ApkEns GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(ApkEns, '+0 seconds') IS ApkEns)),
  ApkAfo INTEGER CONSTRAINT ApkAfo_Range CHECK (ApkAfo BETWEEN -32768 AND 32767),
  ApkEaf INTEGER CONSTRAINT ApkEaf_Range CHECK (ApkEaf BETWEEN -32768 AND 32767),
  ApkTnr TEXT CONSTRAINT ApkTnr_Width CHECK (length(ApkTnr) <= 20),
  ApkTb1 TEXT CONSTRAINT ApkTb1_Width CHECK (length(ApkTb1) <= 30),
  ApkTb2 TEXT CONSTRAINT ApkTb2_Width CHECK (length(ApkTb2) <= 30),
  ApkSme REAL,
  ApkIme REAL,
  ApkMee TEXT CONSTRAINT ApkMee_Width CHECK (length(ApkMee) <= 3),
  ApkBdi TEXT CONSTRAINT ApkBdi_Date CHECK (ApkBdi IS NULL OR (length(ApkBdi) = 19 AND ApkBdi GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(ApkBdi, '+0 seconds') IS ApkBdi)),
  ApkEdi TEXT CONSTRAINT ApkEdi_Date CHECK (ApkEdi IS NULL OR (length(ApkEdi) = 19 AND ApkEdi GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(ApkEdi, '+0 seconds') IS ApkEdi)),
  ApkFbe TEXT CONSTRAINT ApkFbe_Width CHECK (length(ApkFbe) <= 10),
  ApkKst TEXT CONSTRAINT ApkKst_Width CHECK (length(ApkKst) <= 10),
  ApkZf1 TEXT CONSTRAINT ApkZf1_Width CHECK (length(ApkZf1) <= 30),
  ApkZf2 TEXT CONSTRAINT ApkZf2_Width CHECK (length(ApkZf2) <= 30),
  ApkZf3 TEXT CONSTRAINT ApkZf3_Width CHECK (length(ApkZf3) <= 30),
  ApkKnz TEXT CONSTRAINT ApkKnz_Width CHECK (length(ApkKnz) <= 1),
  ApkSsn INTEGER CONSTRAINT ApkSsn_Range CHECK (ApkSsn BETWEEN -32768 AND 32767),
  ApkDna TEXT CONSTRAINT ApkDna_Width CHECK (length(ApkDna) <= 3),
  ApkDwn TEXT CONSTRAINT ApkDwn_Width CHECK (length(ApkDwn) <= 8),
  ApkSta INTEGER CONSTRAINT ApkSta_Range CHECK (ApkSta BETWEEN -32768 AND 32767),
  ApkDat TEXT CONSTRAINT ApkDat_Date CHECK (ApkDat IS NULL OR (length(ApkDat) = 19 AND ApkDat GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(ApkDat, '+0 seconds') IS ApkDat)),
  ApkErf TEXT CONSTRAINT ApkErf_Width CHECK (length(ApkErf) <= 8),
  ApkAba INTEGER,
  CONSTRAINT Qvt501Apk_PK PRIMARY KEY (ApkApk)
);
-- Headers marked for download, by range key.
CREATE INDEX Qvt501Apk_Dnl ON Qvt501Apk (ApkDwn, ApkFbe);

-- Order operations. AppZf2 of a package operation holds the package key;
-- AppDwn/AppDna mark an operation for download.
CREATE TABLE Qvt504App (
  AppApk TEXT NOT NULL CONSTRAINT AppApk_Width CHECK (length(AppApk) <= 12),
  AppApp TEXT NOT NULL CONSTRAINT AppApp_Width CHECK (length(AppApp) <= 5),
  AppVaf TEXT CONSTRAINT AppVaf_Width CHECK (length(AppVaf) <= 5),
  AppNaf TEXT CONSTRAINT AppNaf_Width CHECK (length(AppNaf) <= 5),
  AppBz1 TEXT CONSTRAINT AppBz1_Width CHECK (length(AppBz1) <= 30),
  AppBz2 TEXT CONSTRAINT AppBz2_Width CHECK (length(AppBz2) <= 30),
  AppTxt TEXT CONSTRAINT AppTxt_Width CHECK (length(AppTxt) <= 10),
  AppSts INTEGER CONSTRAINT AppSts_Range CHECK (AppSts BETWEEN -32768 AND 32767),
  AppSis INTEGER CONSTRAINT AppSis_Range CHECK (AppSis BETWEEN -32768 AND 32767),
  AppBdi TEXT CONSTRAINT AppBdi_Date CHECK (AppBdi IS NULL OR (length(AppBdi) = 19 AND AppBdi GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(AppBdi, '+0 seconds') IS AppBdi)),
  AppBds TEXT CONSTRAINT AppBds_Date CHECK (AppBds IS NULL OR (length(AppBds) = 19 AND AppBds GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(AppBds, '+0 seconds') IS AppBds)),
  AppSbd TEXT CONSTRAINT AppSbd_Date CHECK (AppSbd IS NULL OR (length(AppSbd) = 19 AND AppSbd GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(AppSbd, '+0 seconds') IS AppSbd)),
  AppEdi TEXT CONSTRAINT AppEdi_Date CHECK (AppEdi IS NULL OR (length(AppEdi) = 19 AND AppEdi GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(AppEdi, '+0 seconds') IS AppEdi)),
  AppEds TEXT CONSTRAINT AppEds_Date CHECK (AppEds IS NULL OR (length(AppEds) = 19 AND AppEds GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(AppEds, '+0 seconds') IS AppEds)),
  AppSed TEXT CONSTRAINT AppSed_Date CHECK (AppSed IS NULL OR (length(AppSed) = 19 AND AppSed GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(AppSed, '+0 seconds') IS AppSed)),
  AppRad TEXT CONSTRAINT AppRad_Date CHECK (AppRad IS NULL OR (length(AppRad) = 19 AND AppRad GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(AppRad, '+0 seconds') IS AppRad)),
  AppRed TEXT CONSTRAINT AppRed_Date CHECK (AppRed IS NULL OR (length(AppRed) = 19 AND AppRed GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(AppRed, '+0 seconds') IS AppRed)),
  AppAgs INTEGER,
  AppAbs INTEGER,
  AppAes INTEGER,
  AppSme REAL,
  AppIme REAL,
  AppAme REAL,
  AppMee TEXT CONSTRAINT AppMee_Width CHECK (length(AppMee) <= 3),
  AppSza REAL,
  AppStr REAL,
  AppSte REAL,
  AppIta REAL,
  AppItr REAL,
  AppIte REAL,
  AppApg TEXT CONSTRAINT AppApg_Width CHECK (length(AppApg) <= 10),
  AppApl TEXT CONSTRAINT AppApl_Width CHECK (length(AppApl) <= 10),
  AppKt1 TEXT CONSTRAINT AppKt1_Width CHECK (length(AppKt1) <= 15),
  AppKz1 TEXT CONSTRAINT AppKz1_Width CHECK (length(AppKz1) <= 3),
  AppKt2 TEXT CONSTRAINT AppKt2_Width CHECK (length(AppKt2) <= 15),
  AppKz2 TEXT CONSTRAINT AppKz2_Width CHECK (length(AppKz2) <= 3),
  AppKt3 TEXT CONSTRAINT AppKt3_Width CHECK (length(AppKt3) <= 15),
  AppKz3 TEXT CONSTRAINT AppKz3_Width CHECK (length(AppKz3) <= 3),
  AppKt4 TEXT CONSTRAINT AppKt4_Width CHECK (length(AppKt4) <= 15),
  AppKz4 TEXT CONSTRAINT AppKz4_Width CHECK (length(AppKz4) <= 3),
  AppFbe TEXT CONSTRAINT AppFbe_Width CHECK (length(AppFbe) <= 10),
  AppKst TEXT CONSTRAINT AppKst_Width CHECK (length(AppKst) <= 10),
  AppZf1 TEXT CONSTRAINT AppZf1_Width CHECK (length(AppZf1) <= 30),
  AppZf2 TEXT CONSTRAINT AppZf2_Width CHECK (length(AppZf2) <= 30),
  AppZf3 TEXT CONSTRAINT AppZf3_Width CHECK (length(AppZf3) <= 30),
  AppKnz TEXT CONSTRAINT AppKnz_Width CHECK (length(AppKnz) <= 1),
  AppSsn INTEGER CONSTRAINT AppSsn_Range CHECK (AppSsn BETWEEN -32768 AND 32767),
  AppDna TEXT CONSTRAINT AppDna_Width CHECK (length(AppDna) <= 3),
  AppDwn TEXT CONSTRAINT AppDwn_Width CHECK (length(AppDwn) <= 8),
  AppSta INTEGER CONSTRAINT AppSta_Range CHECK (AppSta BETWEEN -32768 AND 32767),
  AppDat TEXT CONSTRAINT AppDat_Date CHECK (AppDat IS NULL OR (length(AppDat) = 19 AND AppDat GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(AppDat, '+0 seconds') IS AppDat)),
  AppErf TEXT CONSTRAINT AppErf_Width CHECK (length(AppErf) <= 8),
  CONSTRAINT Qvt504App_PK PRIMARY KEY (AppApk, AppApp)
);
-- Operations marked for download, by range key.
CREATE INDEX Qvt504App_Dnl ON Qvt504App (AppDwn, AppFbe);
-- Operations of one package.
CREATE INDEX Qvt504App_Zf2 ON Qvt504App (AppZf2);

-- Workplaces; AplApg is the workplace group.
CREATE TABLE Qvt531Apl (
  AplApl TEXT NOT NULL CONSTRAINT AplApl_Width CHECK (length(AplApl) <= 10),
  AplBez TEXT CONSTRAINT AplBez_Width CHECK (length(AplBez) <= 30),
  AplTxt TEXT CONSTRAINT AplTxt_Width CHECK (length(AplTxt) <= 10),
  AplApg TEXT CONSTRAINT AplApg_Width CHECK (length(AplApg) <= 10),
  AplFbe TEXT CONSTRAINT AplFbe_Width CHECK (length(AplFbe) <= 10),
  AplSts INTEGER CONSTRAINT AplSts_Range CHECK (AplSts BETWEEN -32768 AND 32767),
  AplSis INTEGER CONSTRAINT AplSis_Range CHECK (AplSis BETWEEN -32768 AND 32767),
  AplApr INTEGER,
  AplAaf INTEGER,
  AplUbg TEXT CONSTRAINT AplUbg_Width CHECK (length(AplUbg) <= 4),
  AplUdt TEXT CONSTRAINT AplUdt_Date CHECK (AplUdt IS NULL OR (length(AplUdt) = 19 AND AplUdt GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(AplUdt, '+0 seconds') IS AplUdt)),
  AplTag INTEGER,
  AplVrf REAL,
  AplRsp REAL,
  AplRsi REAL,
  AplAfp REAL,
  AplAfi REAL,
  AplPau REAL,
  AplUnt REAL,
  AplIak REAL,
  AplAvt INTEGER,
  AplKap REAL,
  AplAvr REAL,
  AplAvp REAL,
  AplSt1 TEXT CONSTRAINT AplSt1_Width CHECK (length(AplSt1) <= 10),
  AplSt2 TEXT CONSTRAINT AplSt2_Width CHECK (length(AplSt2) <= 10),
  AplSt3 TEXT CONSTRAINT AplSt3_Width CHECK (length(AplSt3) <= 10),
  AplSf1 REAL,
  AplSf2 REAL,
  AplSf3 REAL,
  AplZf1 TEXT CONSTRAINT AplZf1_Width CHECK (length(AplZf1) <= 30),
  AplZf2 TEXT CONSTRAINT AplZf2_Width CHECK (length(AplZf2) <= 30),
  AplZf3 TEXT CONSTRAINT AplZf3_Width CHECK (length(AplZf3) <= 30),
  AplDna TEXT CONSTRAINT AplDna_Width CHECK (length(AplDna) <= 3),
  AplDwn TEXT CONSTRAINT AplDwn_Width CHECK (length(AplDwn) <= 8),
  AplSta INTEGER CONSTRAINT AplSta_Range CHECK (AplSta BETWEEN -32768 AND 32767),
  AplErf TEXT CONSTRAINT AplErf_Width CHECK (length(AplErf) <= 8),
  CONSTRAINT Qvt531Apl_PK PRIMARY KEY (AplApl)
);

-- Persons; PrvAwn is the badge number, PrvPzm the person's time model.
CREATE TABLE Qvt510Prv (
  PrvPnr TEXT NOT NULL CONSTRAINT PrvPnr_Width CHECK (length(PrvPnr) <= 8),
  PrvGvo TEXT CONSTRAINT PrvGvo_Date CHECK (PrvGvo IS NULL OR (length(PrvGvo) = 19 AND PrvGvo GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(PrvGvo, '+0 seconds') IS PrvGvo)),
  PrvGbi TEXT CONSTRAINT PrvGbi_Date CHECK (PrvGbi IS NULL OR (length(PrvGbi) = 19 AND PrvGbi GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(PrvGbi, '+0 seconds') IS PrvGbi)),
  PrvBer INTEGER,
  PrvKst TEXT CONSTRAINT PrvKst_Width CHECK (length(PrvKst) <= 10),
  PrvFbe TEXT CONSTRAINT PrvFbe_Width CHECK (length(PrvFbe) <= 10),
  PrvMmb INTEGER,
  PrvZf1 TEXT CONSTRAINT PrvZf1_Width CHECK (length(PrvZf1) <= 30),
  PrvZf2 TEXT CONSTRAINT PrvZf2_Width CHECK (length(PrvZf2) <= 30),
  PrvZf3 TEXT CONSTRAINT PrvZf3_Width CHECK (length(PrvZf3) <= 30),
  PrvSta INTEGER CONSTRAINT PrvSta_Range CHECK (PrvSta BETWEEN -32768 AND 32767),
  PrvErf TEXT CONSTRAINT PrvErf_Width CHECK (length(PrvErf) <= 8),
  PrvDna TEXT CONSTRAINT PrvDna_Width CHECK (length(PrvDna) <= 3),
  PrvDwn TEXT CONSTRAINT PrvDwn_Width CHECK (length(PrvDwn) <= 8),
  PrvAwn TEXT CONSTRAINT PrvAwn_Width CHECK (length(PrvAwn) <= 8),
  PrvAwa INTEGER,
  PrvAnw INTEGER,
  PrvApl INTEGER,
  PrvApp INTEGER,
  PrvPzm INTEGER,
  PrvAvn TEXT CONSTRAINT PrvAvn_Date CHECK (PrvAvn IS NULL OR (length(PrvAvn) = 19 AND PrvAvn GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(PrvAvn, '+0 seconds') IS PrvAvn)),
  PrvAbi TEXT CONSTRAINT PrvAbi_Date CHECK (PrvAbi IS NULL OR (length(PrvAbi) = 19 AND PrvAbi GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(PrvAbi, '+0 seconds') IS PrvAbi)),
  PrvNam TEXT CONSTRAINT PrvNam_Width CHECK (length(PrvNam) <= 50),
  PrvStr TEXT CONSTRAINT PrvStr_Width CHECK (length(PrvStr) <= 50),
  PrvOrt TEXT CONSTRAINT PrvOrt_Width CHECK (length(PrvOrt) <= 50),
  CONSTRAINT Qvt510Prv_PK PRIMARY KEY (PrvPnr)
);

-- Shift-model assignments: AemKng 2 assigns to a workplace (AemApg = workplace),
-- 1 to a workplace group; valid from AemGvo to AemGbi (open when NULL).
-- AemKal names the calendar (QvSystem.Qvt133Kal) that gives the day type.
CREATE TABLE Qvt532Aem (
  AemApg TEXT NOT NULL CONSTRAINT AemApg_Width CHECK (length(AemApg) <= 10),
  AemKng INTEGER NOT NULL,
  AemEmo TEXT NOT NULL CONSTRAINT AemEmo_Width CHECK (length(AemEmo) <= 10),
  AemGvo TEXT NOT NULL CONSTRAINT AemGvo_Date CHECK (length(AemGvo) = 19 AND AemGvo GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(AemGvo, '+0 seconds') IS AemGvo),
  AemGbi TEXT CONSTRAINT AemGbi_Date CHECK (AemGbi IS NULL OR (length(AemGbi) = 19 AND AemGbi GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(AemGbi, '+0 seconds') IS AemGbi)),
  AemBez TEXT CONSTRAINT AemBez_Width CHECK (length(AemBez) <= 30),
  AemTxt TEXT CONSTRAINT AemTxt_Width CHECK (length(AemTxt) <= 10),
  AemKal TEXT CONSTRAINT AemKal_Width CHECK (length(AemKal) <= 5),
  AemLkz INTEGER,
  AemVzt INTEGER,
  AemEzt INTEGER,
  AemPrz INTEGER,
  AemAfz INTEGER,
  AemApz INTEGER,
  AemPrp INTEGER,
  AemAfp INTEGER,
  AemApp INTEGER,
  AemMaz INTEGER,
  CONSTRAINT Qvt532Aem_PK PRIMARY KEY (AemApg, AemKng, AemGvo, AemEmo)
);

-- Shifts of a shift model per day type; EmoBeg/EmoEnd in minutes since midnight
-- (an end not after the begin lies on the next day). EmoPmo names the break model.
CREATE TABLE Qvt533Emo (
  EmoEmo TEXT NOT NULL CONSTRAINT EmoEmo_Width CHECK (length(EmoEmo) <= 10),
  EmoTtp TEXT NOT NULL CONSTRAINT EmoTtp_Width CHECK (length(EmoTtp) <= 3),
  EmoTxt TEXT CONSTRAINT EmoTxt_Width CHECK (length(EmoTxt) <= 10),
  EmoBeg INTEGER NOT NULL,
  EmoEnd INTEGER,
  EmoArt INTEGER,
  EmoPmo TEXT CONSTRAINT EmoPmo_Width CHECK (length(EmoPmo) <= 10),
  CONSTRAINT Qvt533Emo_PK PRIMARY KEY (EmoEmo, EmoTtp, EmoBeg)
);

-- Break model to break scheme, valid from PmzGvo to PmzGbi (a NULL end never matches).
CREATE TABLE Qvt536Pmz (
  PmzPmo TEXT NOT NULL CONSTRAINT PmzPmo_Width CHECK (length(PmzPmo) <= 10),
  PmzGvo TEXT NOT NULL CONSTRAINT PmzGvo_Date CHECK (length(PmzGvo) = 19 AND PmzGvo GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(PmzGvo, '+0 seconds') IS PmzGvo),
  PmzPms TEXT NOT NULL CONSTRAINT PmzPms_Width CHECK (length(PmzPms) <= 5),
  PmzGbi TEXT CONSTRAINT PmzGbi_Date CHECK (PmzGbi IS NULL OR (length(PmzGbi) = 19 AND PmzGbi GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(PmzGbi, '+0 seconds') IS PmzGbi)),
  CONSTRAINT Qvt536Pmz_PK PRIMARY KEY (PmzPmo, PmzGvo, PmzPms)
);

-- Breaks of a break scheme; PmsBeg/PmsEnd in minutes since midnight.
CREATE TABLE Qvt535Pms (
  PmsNum TEXT NOT NULL CONSTRAINT PmsNum_Width CHECK (length(PmsNum) <= 5),
  PmsBeg INTEGER NOT NULL,
  PmsEnd INTEGER,
  PmsInt INTEGER,
  PmsPse INTEGER,
  PmsBzt INTEGER,
  PmsPrz INTEGER,
  CONSTRAINT Qvt535Pms_PK PRIMARY KEY (PmsNum, PmsBeg)
);

-- Evaluation records; NzaSa is the record kind (1, 2 work and interruption of a person;
-- 3, 4, 5, 8 runtimes; 13 machine-only). Durations are minutes.seconds (90.30 = 90 min 30 s).
-- A machine-only record may carry no person and, for a stop without a known start, no
-- begin: NzaPnr and NzaDtm may be NULL, and the key treats NULL as equal to NULL.
CREATE TABLE Qvt590Nza (
  NzaSa INTEGER NOT NULL CONSTRAINT NzaSa_Range CHECK (NzaSa BETWEEN -32768 AND 32767),
  NzaApl TEXT NOT NULL CONSTRAINT NzaApl_Width CHECK (length(NzaApl) <= 10),
  NzaApk TEXT NOT NULL CONSTRAINT NzaApk_Width CHECK (length(NzaApk) <= 12),
  NzaApp TEXT NOT NULL CONSTRAINT NzaApp_Width CHECK (length(NzaApp) <= 5),
  NzaPnr TEXT CONSTRAINT NzaPnr_Width CHECK (length(NzaPnr) <= 10),
  NzaDtm TEXT CONSTRAINT NzaDtm_Date CHECK (NzaDtm IS NULL OR (length(NzaDtm) = 19 AND NzaDtm GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(NzaDtm, '+0 seconds') IS NzaDtm)),
  NzaBeg INTEGER,
  NzaBbn INTEGER,
  NzaBln INTEGER,
  NzaBmk TEXT CONSTRAINT NzaBmk_Width CHECK (length(NzaBmk) <= 3),
  NzaEdt TEXT CONSTRAINT NzaEdt_Date CHECK (NzaEdt IS NULL OR (length(NzaEdt) = 19 AND NzaEdt GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(NzaEdt, '+0 seconds') IS NzaEdt)),
  NzaEnd INTEGER,
  NzaEbn INTEGER,
  NzaEln INTEGER,
  NzaEmk TEXT CONSTRAINT NzaEmk_Width CHECK (length(NzaEmk) <= 3),
  NzaUbg TEXT CONSTRAINT NzaUbg_Width CHECK (length(NzaUbg) <= 5),
  NzaRau INTEGER,
  NzaVar INTEGER,
  Nza00A INTEGER,
  Nza00U INTEGER,
  Nza00S INTEGER,
  NzaEmo TEXT CONSTRAINT NzaEmo_Width CHECK (length(NzaEmo) <= 10),
  NzaWtg INTEGER,
  NzaJtg INTEGER,
  NzaTtp TEXT CONSTRAINT NzaTtp_Width CHECK (length(NzaTtp) <= 3),
  NzaJwo TEXT CONSTRAINT NzaJwo_Width CHECK (length(NzaJwo) <= 4),
  NzaWoc INTEGER,
  NzaPzm INTEGER,
  NzaMaz INTEGER,
  NzaNzr REAL,
  NzaBzr REAL,
  NzaUzr REAL,
  NzaPzr REAL,
  NzaRbz REAL,
  NzaNza REAL,
  NzaBzA REAL,
  NzaUza REAL,
  NzaPza REAL,
  NzaAbz REAL,
  NzaNzu REAL,
  NzaBzu REAL,
  NzaPzu REAL,
  NzaUbz REAL,
  NzaSol REAL,
  NzaIst REAL,
  NzaPau REAL,
  NzaRf1 REAL,
  NzaRf2 REAL,
  NzaRf3 REAL,
  NzaFnr INTEGER,
  NzaDat TEXT CONSTRAINT NzaDat_Date CHECK (NzaDat IS NULL OR (length(NzaDat) = 19 AND NzaDat GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(NzaDat, '+0 seconds') IS NzaDat)),
  NzaErf TEXT CONSTRAINT NzaErf_Width CHECK (length(NzaErf) <= 8),
  NzaGum REAL,
  NzaAum REAL,
  NzaTnr TEXT CONSTRAINT NzaTnr_Width CHECK (length(NzaTnr) <= 20)
);
-- The key; a NULL person or begin counts as one value.
CREATE UNIQUE INDEX Qvt590Nza_Key ON Qvt590Nza (NzaSa, NzaApl, NzaApk, NzaApp, coalesce(NzaPnr, ''), coalesce(NzaDtm, ''));
-- Records of one kind at one workplace, order, operation (and person), by begin.
CREATE INDEX Qvt590Nza_Pnr ON Qvt590Nza (NzaSa, NzaApl, NzaApk, NzaApp, NzaPnr, NzaDtm);
-- Records of one kind and operation over all workplaces.
CREATE INDEX Qvt590Nza_ApkApp ON Qvt590Nza (NzaSa, NzaApk, NzaApp);
-- Records of one kind and person, by begin.
CREATE INDEX Qvt590Nza_PnrZeit ON Qvt590Nza (NzaSa, NzaPnr, NzaDtm);

-- Scratch event lists of the evaluations, one list per producer MltErf and run
-- stamp MltDat (14 digits, text); deleted again by the run that wrote them.
CREATE TABLE Qvt561Mlt (
  MltErf TEXT NOT NULL CONSTRAINT MltErf_Width CHECK (length(MltErf) <= 8),
  MltDat TEXT NOT NULL CONSTRAINT MltDat_Width CHECK (length(MltDat) <= 14),
  MltLfn INTEGER NOT NULL,
  MltObj TEXT CONSTRAINT MltObj_Width CHECK (length(MltObj) <= 3),
  MltPnr TEXT CONSTRAINT MltPnr_Width CHECK (length(MltPnr) <= 8),
  MltApl TEXT CONSTRAINT MltApl_Width CHECK (length(MltApl) <= 10),
  MltApk TEXT CONSTRAINT MltApk_Width CHECK (length(MltApk) <= 12),
  MltApp TEXT CONSTRAINT MltApp_Width CHECK (length(MltApp) <= 5),
  Mlt00E TEXT CONSTRAINT Mlt00E_Width CHECK (length(Mlt00E) <= 1),
  Mlt00R TEXT CONSTRAINT Mlt00R_Width CHECK (length(Mlt00R) <= 1),
  Mlt00A TEXT CONSTRAINT Mlt00A_Width CHECK (length(Mlt00A) <= 1),
  Mlt00U TEXT CONSTRAINT Mlt00U_Width CHECK (length(Mlt00U) <= 1),
  Mlt00S TEXT CONSTRAINT Mlt00S_Width CHECK (length(Mlt00S) <= 1),
  MltBkg TEXT CONSTRAINT MltBkg_Width CHECK (length(MltBkg) <= 1),
  MltPbe TEXT CONSTRAINT MltPbe_Width CHECK (length(MltPbe) <= 1),
  MltArg TEXT CONSTRAINT MltArg_Width CHECK (length(MltArg) <= 10),
  MltEmo TEXT CONSTRAINT MltEmo_Width CHECK (length(MltEmo) <= 10),
  MltTtp TEXT CONSTRAINT MltTtp_Width CHECK (length(MltTtp) <= 3),
  MltWoc INTEGER,
  MltWtg INTEGER,
  MltJtg INTEGER,
  MltJwo TEXT CONSTRAINT MltJwo_Width CHECK (length(MltJwo) <= 4),
  MltMdt TEXT CONSTRAINT MltMdt_Date CHECK (MltMdt IS NULL OR (length(MltMdt) = 19 AND MltMdt GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(MltMdt, '+0 seconds') IS MltMdt)),
  MltUbg TEXT CONSTRAINT MltUbg_Width CHECK (length(MltUbg) <= 5),
  CONSTRAINT Qvt561Mlt_PK PRIMARY KEY (MltErf, MltDat, MltLfn)
);
-- One list in time order.
CREATE INDEX Qvt561Mlt_Mdt ON Qvt561Mlt (MltErf, MltDat, MltMdt, MltLfn);

-- Person days: arrival TagVon/TagUhr, departure TagBis/TagEnd of the day TagTag;
-- only days with TagOne 0 count.
CREATE TABLE Qvt327Tag (
  TagPnr TEXT NOT NULL CONSTRAINT TagPnr_Width CHECK (length(TagPnr) <= 8),
  TagTag TEXT NOT NULL CONSTRAINT TagTag_Date CHECK (length(TagTag) = 19 AND TagTag GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(TagTag, '+0 seconds') IS TagTag),
  TagVon TEXT CONSTRAINT TagVon_Date CHECK (TagVon IS NULL OR (length(TagVon) = 19 AND TagVon GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(TagVon, '+0 seconds') IS TagVon)),
  TagUhr TEXT CONSTRAINT TagUhr_Date CHECK (TagUhr IS NULL OR (length(TagUhr) = 19 AND TagUhr GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(TagUhr, '+0 seconds') IS TagUhr)),
  TagBis TEXT CONSTRAINT TagBis_Date CHECK (TagBis IS NULL OR (length(TagBis) = 19 AND TagBis GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(TagBis, '+0 seconds') IS TagBis)),
  TagEnd TEXT CONSTRAINT TagEnd_Date CHECK (TagEnd IS NULL OR (length(TagEnd) = 19 AND TagEnd GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(TagEnd, '+0 seconds') IS TagEnd)),
  TagTgb TEXT CONSTRAINT TagTgb_Width CHECK (length(TagTgb) <= 5),
  TagOne INTEGER,
  CONSTRAINT Qvt327Tag_PK PRIMARY KEY (TagPnr, TagTag)
);
-- Days of one person in arrival order.
CREATE INDEX Qvt327Tag_Von ON Qvt327Tag (TagPnr, TagVon, TagUhr);

-- Booking periods of a person; BupTvo/BupTbi in minutes since midnight.
-- No key: periods of different functions may start at the same instant.
CREATE TABLE Qvt328Bup (
  BupPnr TEXT CONSTRAINT BupPnr_Width CHECK (length(BupPnr) <= 8),
  BupVon TEXT CONSTRAINT BupVon_Date CHECK (BupVon IS NULL OR (length(BupVon) = 19 AND BupVon GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(BupVon, '+0 seconds') IS BupVon)),
  BupUhr TEXT CONSTRAINT BupUhr_Date CHECK (BupUhr IS NULL OR (length(BupUhr) = 19 AND BupUhr GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(BupUhr, '+0 seconds') IS BupUhr)),
  BupFkt INTEGER,
  BupBis TEXT CONSTRAINT BupBis_Date CHECK (BupBis IS NULL OR (length(BupBis) = 19 AND BupBis GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(BupBis, '+0 seconds') IS BupBis)),
  BupEnd TEXT CONSTRAINT BupEnd_Date CHECK (BupEnd IS NULL OR (length(BupEnd) = 19 AND BupEnd GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(BupEnd, '+0 seconds') IS BupEnd)),
  BupFfk INTEGER,
  BupTvo INTEGER,
  BupTbi INTEGER,
  BupAvo INTEGER,
  BupAbi INTEGER,
  BupWzv INTEGER,
  BupWzb INTEGER
);
-- Periods of one person in time order.
CREATE INDEX Qvt328Bup_Pnr ON Qvt328Bup (BupPnr, BupVon, BupUhr);

-- Day working-time model of a person: model ZtgAzt for the day ZtgVon.
CREATE TABLE Qvt329Ztg (
  ZtgPnr TEXT NOT NULL CONSTRAINT ZtgPnr_Width CHECK (length(ZtgPnr) <= 8),
  ZtgVon TEXT NOT NULL CONSTRAINT ZtgVon_Date CHECK (length(ZtgVon) = 19 AND ZtgVon GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(ZtgVon, '+0 seconds') IS ZtgVon),
  ZtgAzt TEXT CONSTRAINT ZtgAzt_Width CHECK (length(ZtgAzt) <= 7),
  ZtgAgr TEXT CONSTRAINT ZtgAgr_Width CHECK (length(ZtgAgr) <= 5),
  ZtgTtp TEXT CONSTRAINT ZtgTtp_Width CHECK (length(ZtgTtp) <= 3),
  CONSTRAINT Qvt329Ztg_PK PRIMARY KEY (ZtgPnr, ZtgVon)
);

-- Versions of a working-time model, valid from AzvGvo; minute values since midnight.
CREATE TABLE Qvt140Azv (
  AzvNum TEXT NOT NULL CONSTRAINT AzvNum_Width CHECK (length(AzvNum) <= 7),
  AzvGvo TEXT NOT NULL CONSTRAINT AzvGvo_Date CHECK (length(AzvGvo) = 19 AND AzvGvo GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(AzvGvo, '+0 seconds') IS AzvGvo),
  AzvPsm TEXT CONSTRAINT AzvPsm_Width CHECK (length(AzvPsm) <= 5),
  AzvMav INTEGER,
  AzvMab INTEGER,
  AzvNov INTEGER,
  AzvNob INTEGER,
  AzvGlv INTEGER,
  AzvGlb INTEGER,
  AzvKev INTEGER,
  AzvKeb INTEGER,
  AzvSol INTEGER,
  CONSTRAINT Qvt140Azv_PK PRIMARY KEY (AzvNum, AzvGvo)
);

-- Lines of a break scheme; minute values since midnight.
CREATE TABLE Qvt143Pse (
  PseNum TEXT NOT NULL CONSTRAINT PseNum_Width CHECK (length(PseNum) <= 5),
  PseLfd INTEGER NOT NULL,
  PseVon INTEGER,
  PseBis INTEGER,
  PseMin INTEGER,
  PseMax INTEGER,
  PseInt INTEGER,
  PsePse INTEGER,
  CONSTRAINT Qvt143Pse_PK PRIMARY KEY (PseNum, PseLfd)
);

-- Breaks of a person on one day, per line of the break scheme.
CREATE TABLE Qvt323Gps (
  GpsPnr TEXT NOT NULL CONSTRAINT GpsPnr_Width CHECK (length(GpsPnr) <= 8),
  GpsDtm TEXT NOT NULL CONSTRAINT GpsDtm_Date CHECK (length(GpsDtm) = 19 AND GpsDtm GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(GpsDtm, '+0 seconds') IS GpsDtm),
  GpsLfd INTEGER NOT NULL,
  GpsVon INTEGER,
  GpsBis INTEGER,
  GpsMin INTEGER,
  GpsMax INTEGER,
  GpsInt INTEGER,
  GpsPse INTEGER,
  CONSTRAINT Qvt323Gps_PK PRIMARY KEY (GpsPnr, GpsDtm, GpsLfd)
);

-- Working-time values of a person on one day (override the day model).
CREATE TABLE Qvt322Gaz (
  GazPnr TEXT NOT NULL CONSTRAINT GazPnr_Width CHECK (length(GazPnr) <= 8),
  GazDtm TEXT NOT NULL CONSTRAINT GazDtm_Date CHECK (length(GazDtm) = 19 AND GazDtm GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(GazDtm, '+0 seconds') IS GazDtm),
  GazMav INTEGER,
  GazMab INTEGER,
  GazNov INTEGER,
  GazNob INTEGER,
  GazKev INTEGER,
  GazGlv INTEGER,
  GazGlb INTEGER,
  GazKeb INTEGER,
  GazSol INTEGER,
  CONSTRAINT Qvt322Gaz_PK PRIMARY KEY (GazPnr, GazDtm)
);

-- Message archive of persons. No key: the archive may hold several messages
-- of one booking.
CREATE TABLE Qvt565Map (
  MapBnr INTEGER,
  MapObj TEXT CONSTRAINT MapObj_Width CHECK (length(MapObj) <= 3),
  MapPnr TEXT CONSTRAINT MapPnr_Width CHECK (length(MapPnr) <= 8),
  MapApl TEXT CONSTRAINT MapApl_Width CHECK (length(MapApl) <= 10),
  MapApk TEXT CONSTRAINT MapApk_Width CHECK (length(MapApk) <= 12),
  MapApp TEXT CONSTRAINT MapApp_Width CHECK (length(MapApp) <= 5),
  Map00E TEXT CONSTRAINT Map00E_Width CHECK (length(Map00E) <= 1),
  Map00R TEXT CONSTRAINT Map00R_Width CHECK (length(Map00R) <= 1),
  Map00A TEXT CONSTRAINT Map00A_Width CHECK (length(Map00A) <= 1),
  Map00U TEXT CONSTRAINT Map00U_Width CHECK (length(Map00U) <= 1),
  Map00S TEXT CONSTRAINT Map00S_Width CHECK (length(Map00S) <= 1),
  Map006 TEXT CONSTRAINT Map006_Width CHECK (length(Map006) <= 1),
  Map007 TEXT CONSTRAINT Map007_Width CHECK (length(Map007) <= 1),
  Map008 TEXT CONSTRAINT Map008_Width CHECK (length(Map008) <= 1),
  Map009 TEXT CONSTRAINT Map009_Width CHECK (length(Map009) <= 1),
  Map010 TEXT CONSTRAINT Map010_Width CHECK (length(Map010) <= 1),
  Map011 TEXT CONSTRAINT Map011_Width CHECK (length(Map011) <= 1),
  Map012 TEXT CONSTRAINT Map012_Width CHECK (length(Map012) <= 1),
  Map013 TEXT CONSTRAINT Map013_Width CHECK (length(Map013) <= 1),
  Map014 TEXT CONSTRAINT Map014_Width CHECK (length(Map014) <= 1),
  Map015 TEXT CONSTRAINT Map015_Width CHECK (length(Map015) <= 1),
  Map016 TEXT CONSTRAINT Map016_Width CHECK (length(Map016) <= 1),
  MapMdt TEXT CONSTRAINT MapMdt_Date CHECK (MapMdt IS NULL OR (length(MapMdt) = 19 AND MapMdt GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(MapMdt, '+0 seconds') IS MapMdt)),
  MapMzt TEXT CONSTRAINT MapMzt_Date CHECK (MapMzt IS NULL OR (length(MapMzt) = 19 AND MapMzt GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(MapMzt, '+0 seconds') IS MapMzt)),
  MapErf TEXT CONSTRAINT MapErf_Width CHECK (length(MapErf) <= 8),
  MapSts TEXT CONSTRAINT MapSts_Width CHECK (length(MapSts) <= 1),
  MapUbg TEXT CONSTRAINT MapUbg_Width CHECK (length(MapUbg) <= 5),
  MapTnr TEXT CONSTRAINT MapTnr_Width CHECK (length(MapTnr) <= 20)
);
-- Archive of one person in time order.
CREATE INDEX Qvt565Map_Pnr ON Qvt565Map (MapObj, MapPnr, MapMdt, MapMzt);

-- Terminal lines: a row serves the range keys from CfgVnN to CfgBiN; its line number
-- CfgDta names the buffer file SndDnl<CfgDta>.buf.
CREATE TABLE Qvt557Cfg (
  CfgDta INTEGER NOT NULL,
  CfgIP TEXT CONSTRAINT CfgIP_Width CHECK (length(CfgIP) <= 15),
  CfgPrt TEXT CONSTRAINT CfgPrt_Width CHECK (length(CfgPrt) <= 5),
  CfgBez TEXT CONSTRAINT CfgBez_Width CHECK (length(CfgBez) <= 30),
  CfgTxt TEXT CONSTRAINT CfgTxt_Width CHECK (length(CfgTxt) <= 10),
  CfgKr1 INTEGER,
  CfgVn1 TEXT CONSTRAINT CfgVn1_Width CHECK (length(CfgVn1) <= 10),
  CfgBi1 TEXT CONSTRAINT CfgBi1_Width CHECK (length(CfgBi1) <= 10),
  CfgBz1 TEXT CONSTRAINT CfgBz1_Width CHECK (length(CfgBz1) <= 30),
  CfgVn2 TEXT CONSTRAINT CfgVn2_Width CHECK (length(CfgVn2) <= 10),
  CfgBi2 TEXT CONSTRAINT CfgBi2_Width CHECK (length(CfgBi2) <= 10),
  CfgBz2 TEXT CONSTRAINT CfgBz2_Width CHECK (length(CfgBz2) <= 30),
  CfgVn3 TEXT CONSTRAINT CfgVn3_Width CHECK (length(CfgVn3) <= 10),
  CfgBi3 TEXT CONSTRAINT CfgBi3_Width CHECK (length(CfgBi3) <= 10),
  CfgBz3 TEXT CONSTRAINT CfgBz3_Width CHECK (length(CfgBz3) <= 30),
  CfgVn4 TEXT CONSTRAINT CfgVn4_Width CHECK (length(CfgVn4) <= 10),
  CfgBi4 TEXT CONSTRAINT CfgBi4_Width CHECK (length(CfgBi4) <= 10),
  CfgBz4 TEXT CONSTRAINT CfgBz4_Width CHECK (length(CfgBz4) <= 30),
  CfgVn5 TEXT CONSTRAINT CfgVn5_Width CHECK (length(CfgVn5) <= 10),
  CfgBi5 TEXT CONSTRAINT CfgBi5_Width CHECK (length(CfgBi5) <= 10),
  CfgBz5 TEXT CONSTRAINT CfgBz5_Width CHECK (length(CfgBz5) <= 30),
  CfgSta INTEGER,
  CfgDat TEXT CONSTRAINT CfgDat_Width CHECK (length(CfgDat) <= 29),
  CfgErf TEXT CONSTRAINT CfgErf_Width CHECK (length(CfgErf) <= 8),
  CONSTRAINT Qvt557Cfg_PK PRIMARY KEY (CfgDta)
);

COMMIT;
