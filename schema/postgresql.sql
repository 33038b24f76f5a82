-- Database of the correction program, PostgreSQL 15 or later.
--
-- Load into a new, empty database as the owner of the program's tables:
--   psql -v ON_ERROR_STOP=1 -d <database> -f schema/postgresql.sql
-- The program's tables go into the first schema of the search path (normally public);
-- the factory calendar goes into the schema QvSystem (folded to qvsystem). The
-- program's session puts qvsystem on its search path, because one calendar statement
-- names Qvt133Bak without its schema.
--
-- Column types: varchar(n) with byte-wise comparison and order (COLLATE "C");
-- integer (16-bit values with their range as a CHECK); double precision;
-- timestamp(0) for dates, times and instants. Empty texts are stored as NULL; key
-- columns are NOT NULL except where the program writes an empty key part.

BEGIN;

CREATE SCHEMA QvSystem;

-- Shop-floor messages; a pending correction sits on the row itself
-- (clerk MelKsb, code MelKfc, corrected quantities MelKgm .. MelKnm).
-- KeyDat and KeyUhr both hold the whole instant of the message.
CREATE TABLE Qvt560Mel (
  KeyBnr integer NOT NULL,
  KeyLfn integer NOT NULL,
  ObjTyp varchar(3) COLLATE "C",
  KeyPnr varchar(8) COLLATE "C",
  KeyApl varchar(10) COLLATE "C",
  KeyApk varchar(12) COLLATE "C",
  KeyApp varchar(5) COLLATE "C",
  Sts00E varchar(1) COLLATE "C",
  Sts00R varchar(1) COLLATE "C",
  Sts00A varchar(1) COLLATE "C",
  Sts00U varchar(1) COLLATE "C",
  Sts00S varchar(1) COLLATE "C",
  Sts006 varchar(1) COLLATE "C",
  Sts007 varchar(1) COLLATE "C",
  Sts008 varchar(1) COLLATE "C",
  Sts009 varchar(1) COLLATE "C",
  Sts010 varchar(1) COLLATE "C",
  Sts011 varchar(1) COLLATE "C",
  Sts012 varchar(1) COLLATE "C",
  Sts013 varchar(1) COLLATE "C",
  Sts014 varchar(1) COLLATE "C",
  Sts015 varchar(1) COLLATE "C",
  Sts016 varchar(1) COLLATE "C",
  KeyDat timestamp(0),
  KeyUhr timestamp(0),
  KeySek varchar(2) COLLATE "C",
  KeyUbg varchar(5) COLLATE "C",
  KeyAug varchar(4) COLLATE "C",
  MelMsk varchar(3) COLLATE "C",
  MelAwn varchar(8) COLLATE "C",
  MelFcd varchar(3) COLLATE "C",
  MelTrm varchar(2) COLLATE "C",
  MelOff varchar(1) COLLATE "C",
  MelFnr integer CONSTRAINT MelFnr_Range CHECK (MelFnr BETWEEN -32768 AND 32767),
  MelGum double precision,
  MelFam double precision,
  MelMam double precision,
  MelNam double precision,
  MelZt1 double precision,
  MelZt2 double precision,
  MelZt3 double precision,
  MelMee varchar(3) COLLATE "C",
  MelAec varchar(1) COLLATE "C",
  MelTrc varchar(1) COLLATE "C",
  MelErf varchar(8) COLLATE "C",
  MelKsb varchar(8) COLLATE "C",
  MelKdt timestamp(0),
  MelKfc varchar(3) COLLATE "C",
  MelKgm double precision,
  MelKfm double precision,
  MelKmm double precision,
  MelKnm double precision,
  KeyTnr varchar(20) COLLATE "C",
  MelDat timestamp(0),
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
  FzuFcd varchar(3) COLLATE "C",
  FzuMld varchar(3) COLLATE "C" NOT NULL,
  FzuBez varchar(30) COLLATE "C",
  FzuTxt varchar(10) COLLATE "C",
  FzuArt integer,
  FzuObj integer,
  FzuUpl integer,
  FzuGen integer,
  FzuZf1 varchar(30) COLLATE "C",
  FzuZf2 varchar(30) COLLATE "C",
  FzuZf3 varchar(30) COLLATE "C",
  FzuSta integer CONSTRAINT FzuSta_Range CHECK (FzuSta BETWEEN -32768 AND 32767),
  FzuErf varchar(8) COLLATE "C",
  CONSTRAINT Qvt553Fzu_PK PRIMARY KEY (FzuMld)
);

-- Evaluation parameters; a row is valid strictly between NzpGvn and NzpGbi.
-- One version of a parameter per start day.
CREATE TABLE Qvt591Nzp (
  NzpAkz integer NOT NULL,
  NzpGvn timestamp(0) NOT NULL,
  NzpGbi timestamp(0),
  NzpAak integer,
  NzpAwt integer,
  NzpKjh integer,
  NzpKmn integer,
  NzpKwo integer,
  NzpKtg integer,
  NzpAan integer,
  NzpVfh integer,
  NzpNfh integer,
  NzpAus varchar(8) COLLATE "C",
  NzpMrk integer,
  CONSTRAINT Qvt591Nzp_PK PRIMARY KEY (NzpAkz, NzpGvn)
);

-- Upload-number counters ("PPSNR": numbers of the planning interface).
CREATE TABLE Qvt552Bnr (
  BnrKey varchar(7) COLLATE "C" NOT NULL,
  BnrBnr integer,
  BnrEsb varchar(8) COLLATE "C",
  BnrEdt timestamp(0),
  CONSTRAINT Qvt552Bnr_PK PRIMARY KEY (BnrKey)
);

-- Production-planning interface: "-" takes a message's old state back, "+" reports
-- the new one. No unique key: an upload number is 0 when it could not be drawn, and
-- several rows can then carry the number 0.
CREATE TABLE Qvt580Pps (
  PpsDat varchar(14) COLLATE "C",
  PpsLfn integer,
  PpsVkz varchar(3) COLLATE "C",
  PpsFcd varchar(3) COLLATE "C",
  PpsPnr varchar(8) COLLATE "C",
  PpsApl varchar(10) COLLATE "C",
  PpsApk varchar(12) COLLATE "C",
  PpsApp varchar(5) COLLATE "C",
  PpsAwn varchar(8) COLLATE "C",
  PpsMdt varchar(8) COLLATE "C",
  PpsMzt varchar(6) COLLATE "C",
  PpsUbg varchar(5) COLLATE "C",
  PpsAug varchar(4) COLLATE "C",
  PpsSts integer,
  PpsSto varchar(1) COLLATE "C",
  PpsGum double precision,
  PpsFam double precision,
  PpsMam double precision,
  PpsNam double precision,
  PpsMee varchar(3) COLLATE "C",
  PpsZt1 double precision,
  PpsZt2 double precision,
  PpsZt3 double precision,
  PpsZf1 varchar(10) COLLATE "C",
  PpsZf2 varchar(20) COLLATE "C",
  PpsZf3 varchar(30) COLLATE "C"
);
-- Records by upload number, for the planning system.
CREATE INDEX Qvt580Pps_Lfn ON Qvt580Pps (PpsLfn);

-- Re-evaluation markers ("NZM", "NZA", "LZM", "PRF"): from MrkMdt on the key
-- must be evaluated again. Unused key parts hold zeros.
CREATE TABLE Qvt563Mrk (
  MrkKng varchar(3) COLLATE "C" NOT NULL,
  MrkApl varchar(10) COLLATE "C" NOT NULL,
  MrkApk varchar(12) COLLATE "C" NOT NULL,
  MrkApp varchar(5) COLLATE "C" NOT NULL,
  MrkPnr varchar(8) COLLATE "C" NOT NULL,
  MrkMdt timestamp(0),
  MrkObj varchar(3) COLLATE "C",
  MrkBnr integer NOT NULL,
  MrkDat timestamp(0),
  CONSTRAINT Qvt563Mrk_PK PRIMARY KEY (MrkKng, MrkApl, MrkApk, MrkApp, MrkPnr, MrkBnr)
);

-- Evaluation error protocol (for example 7004: no day model for a person's day).
-- A protocol without a key: a later evaluation may report the same day again.
CREATE TABLE Qvt554Err (
  ErrErf varchar(8) COLLATE "C",
  ErrEdt timestamp(0),
  ErrBer varchar(3) COLLATE "C",
  ErrPnr varchar(8) COLLATE "C",
  ErrApl varchar(10) COLLATE "C",
  ErrApk varchar(12) COLLATE "C",
  ErrApp varchar(5) COLLATE "C",
  ErrFnr integer,
  ErrBnr integer,
  ErrPgm varchar(10) COLLATE "C",
  ErrFun varchar(3) COLLATE "C",
  ErrDat timestamp(0),
  ErrObj varchar(3) COLLATE "C"
);

-- Order headers. ApkDwn/ApkDna mark a header for download to the terminals.
CREATE TABLE Qvt501Apk (
  ApkApk varchar(12) COLLATE "C" NOT NULL,
  ApkBz1 varchar(30) COLLATE "C",
  ApkBz2 varchar(30) COLLATE "C",
  ApkTxt varchar(10) COLLATE "C",
  ApkSts integer CONSTRAINT ApkSts_Range CHECK (ApkSts BETWEEN -32768 AND 32767),
  ApkSis integer CONSTRAINT ApkSis_Range CHECK (ApkSis BETWEEN -32768 AND 32767),
  ApkKun varchar(7) COLLATE "C",
  ApkKb1 varchar(30) COLLATE "C",
  ApkKb2 varchar(30) COLLATE "C",
  ApkBgs timestamp(0),
  ApkEns timestamp(0),
  ApkAfo integer CONSTRAINT ApkAfo_Range CHECK (ApkAfo BETWEEN -32768 AND 32767),
  ApkEaf integer CONSTRAINT ApkEaf_Range CHECK (ApkEaf BETWEEN -32768 AND 32767),
  ApkTnr varchar(20) COLLATE "C",
  ApkTb1 varchar(30) COLLATE "C",
  ApkTb2 varchar(30) COLLATE "C",
  ApkSme double precision,
  ApkIme double precision,
  ApkMee varchar(3) COLLATE "C",
  ApkBdi timestamp(0),
  ApkEdi timestamp(0),
  ApkFbe varchar(10) COLLATE "C",
  ApkKst varchar(10) COLLATE "C",
  ApkZf1 varchar(30) COLLATE "C",
  ApkZf2 varchar(30) COLLATE "C",
  ApkZf3 varchar(30) COLLATE "C",
  ApkKnz varchar(1) COLLATE "C",
  ApkSsn integer CONSTRAINT ApkSsn_Range CHECK (ApkSsn BETWEEN -32768 AND 32767),
  ApkDna varchar(3) COLLATE "C",
  ApkDwn varchar(8) COLLATE "C",
  ApkSta integer CONSTRAINT ApkSta_Range CHECK (ApkSta BETWEEN -32768 AND 32767),
  ApkDat timestamp(0),
  ApkErf varchar(8) COLLATE "C",
  ApkAba integer,
  CONSTRAINT Qvt501Apk_PK PRIMARY KEY (ApkApk)
);
-- Headers marked for download, by range key.
CREATE INDEX Qvt501Apk_Dnl ON Qvt501Apk (ApkDwn, ApkFbe);

-- Order operations. AppZf2 of a package operation holds the package key;
-- AppDwn/AppDna mark an operation for download.
CREATE TABLE Qvt504App (
  AppApk varchar(12) COLLATE "C" NOT NULL,
  AppApp varchar(5) COLLATE "C" NOT NULL,
  AppVaf varchar(5) COLLATE "C",
  AppNaf varchar(5) COLLATE "C",
  AppBz1 varchar(30) COLLATE "C",
  AppBz2 varchar(30) COLLATE "C",
  AppTxt varchar(10) COLLATE "C",
  AppSts integer CONSTRAINT AppSts_Range CHECK (AppSts BETWEEN -32768 AND 32767),
  AppSis integer CONSTRAINT AppSis_Range CHECK (AppSis BETWEEN -32768 AND 32767),
  AppBdi timestamp(0),
  AppBds timestamp(0),
  AppSbd timestamp(0),
  AppEdi timestamp(0),
  AppEds timestamp(0),
  AppSed timestamp(0),
  AppRad timestamp(0),
  AppRed timestamp(0),
  AppAgs integer,
  AppAbs integer,
  AppAes integer,
  AppSme double precision,
  AppIme double precision,
  AppAme double precision,
  AppMee varchar(3) COLLATE "C",
  AppSza double precision,
  AppStr double precision,
  AppSte double precision,
  AppIta double precision,
  AppItr double precision,
  AppIte double precision,
  AppApg varchar(10) COLLATE "C",
  AppApl varchar(10) COLLATE "C",
  AppKt1 varchar(15) COLLATE "C",
  AppKz1 varchar(3) COLLATE "C",
  AppKt2 varchar(15) COLLATE "C",
  AppKz2 varchar(3) COLLATE "C",
  AppKt3 varchar(15) COLLATE "C",
  AppKz3 varchar(3) COLLATE "C",
  AppKt4 varchar(15) COLLATE "C",
  AppKz4 varchar(3) COLLATE "C",
  AppFbe varchar(10) COLLATE "C",
  AppKst varchar(10) COLLATE "C",
  AppZf1 varchar(30) COLLATE "C",
  AppZf2 varchar(30) COLLATE "C",
  AppZf3 varchar(30) COLLATE "C",
  AppKnz varchar(1) COLLATE "C",
  AppSsn integer CONSTRAINT AppSsn_Range CHECK (AppSsn BETWEEN -32768 AND 32767),
  AppDna varchar(3) COLLATE "C",
  AppDwn varchar(8) COLLATE "C",
  AppSta integer CONSTRAINT AppSta_Range CHECK (AppSta BETWEEN -32768 AND 32767),
  AppDat timestamp(0),
  AppErf varchar(8) COLLATE "C",
  CONSTRAINT Qvt504App_PK PRIMARY KEY (AppApk, AppApp)
);
-- Operations marked for download, by range key.
CREATE INDEX Qvt504App_Dnl ON Qvt504App (AppDwn, AppFbe);
-- Operations of one package.
CREATE INDEX Qvt504App_Zf2 ON Qvt504App (AppZf2);

-- Workplaces; AplApg is the workplace group.
CREATE TABLE Qvt531Apl (
  AplApl varchar(10) COLLATE "C" NOT NULL,
  AplBez varchar(30) COLLATE "C",
  AplTxt varchar(10) COLLATE "C",
  AplApg varchar(10) COLLATE "C",
  AplFbe varchar(10) COLLATE "C",
  AplSts integer CONSTRAINT AplSts_Range CHECK (AplSts BETWEEN -32768 AND 32767),
  AplSis integer CONSTRAINT AplSis_Range CHECK (AplSis BETWEEN -32768 AND 32767),
  AplApr integer,
  AplAaf integer,
  AplUbg varchar(4) COLLATE "C",
  AplUdt timestamp(0),
  AplTag integer,
  AplVrf double precision,
  AplRsp double precision,
  AplRsi double precision,
  AplAfp double precision,
  AplAfi double precision,
  AplPau double precision,
  AplUnt double precision,
  AplIak double precision,
  AplAvt integer,
  AplKap double precision,
  AplAvr double precision,
  AplAvp double precision,
  AplSt1 varchar(10) COLLATE "C",
  AplSt2 varchar(10) COLLATE "C",
  AplSt3 varchar(10) COLLATE "C",
  AplSf1 double precision,
  AplSf2 double precision,
  AplSf3 double precision,
  AplZf1 varchar(30) COLLATE "C",
  AplZf2 varchar(30) COLLATE "C",
  AplZf3 varchar(30) COLLATE "C",
  AplDna varchar(3) COLLATE "C",
  AplDwn varchar(8) COLLATE "C",
  AplSta integer CONSTRAINT AplSta_Range CHECK (AplSta BETWEEN -32768 AND 32767),
  AplErf varchar(8) COLLATE "C",
  CONSTRAINT Qvt531Apl_PK PRIMARY KEY (AplApl)
);

-- Persons; PrvAwn is the badge number, PrvPzm the person's time model.
CREATE TABLE Qvt510Prv (
  PrvPnr varchar(8) COLLATE "C" NOT NULL,
  PrvGvo timestamp(0),
  PrvGbi timestamp(0),
  PrvBer integer,
  PrvKst varchar(10) COLLATE "C",
  PrvFbe varchar(10) COLLATE "C",
  PrvMmb integer,
  PrvZf1 varchar(30) COLLATE "C",
  PrvZf2 varchar(30) COLLATE "C",
  PrvZf3 varchar(30) COLLATE "C",
  PrvSta integer CONSTRAINT PrvSta_Range CHECK (PrvSta BETWEEN -32768 AND 32767),
  PrvErf varchar(8) COLLATE "C",
  PrvDna varchar(3) COLLATE "C",
  PrvDwn varchar(8) COLLATE "C",
  PrvAwn varchar(8) COLLATE "C",
  PrvAwa integer,
  PrvAnw integer,
  PrvApl integer,
  PrvApp integer,
  PrvPzm integer,
  PrvAvn timestamp(0),
  PrvAbi timestamp(0),
  PrvNam varchar(50) COLLATE "C",
  PrvStr varchar(50) COLLATE "C",
  PrvOrt varchar(50) COLLATE "C",
  CONSTRAINT Qvt510Prv_PK PRIMARY KEY (PrvPnr)
);

-- Shift-model assignments: AemKng 2 assigns to a workplace (AemApg = workplace),
-- 1 to a workplace group; valid from AemGvo to AemGbi (open when NULL).
-- AemKal names the calendar (QvSystem.Qvt133Kal) that gives the day type.
CREATE TABLE Qvt532Aem (
  AemApg varchar(10) COLLATE "C" NOT NULL,
  AemKng integer NOT NULL,
  AemEmo varchar(10) COLLATE "C" NOT NULL,
  AemGvo timestamp(0) NOT NULL,
  AemGbi timestamp(0),
  AemBez varchar(30) COLLATE "C",
  AemTxt varchar(10) COLLATE "C",
  AemKal varchar(5) COLLATE "C",
  AemLkz integer,
  AemVzt integer,
  AemEzt integer,
  AemPrz integer,
  AemAfz integer,
  AemApz integer,
  AemPrp integer,
  AemAfp integer,
  AemApp integer,
  AemMaz integer,
  CONSTRAINT Qvt532Aem_PK PRIMARY KEY (AemApg, AemKng, AemGvo, AemEmo)
);

-- Shifts of a shift model per day type; EmoBeg/EmoEnd in minutes since midnight
-- (an end not after the begin lies on the next day). EmoPmo names the break model.
CREATE TABLE Qvt533Emo (
  EmoEmo varchar(10) COLLATE "C" NOT NULL,
  EmoTtp varchar(3) COLLATE "C" NOT NULL,
  EmoTxt varchar(10) COLLATE "C",
  EmoBeg integer NOT NULL,
  EmoEnd integer,
  EmoArt integer,
  EmoPmo varchar(10) COLLATE "C",
  CONSTRAINT Qvt533Emo_PK PRIMARY KEY (EmoEmo, EmoTtp, EmoBeg)
);

-- Break model to break scheme, valid from PmzGvo to PmzGbi (a NULL end never matches).
CREATE TABLE Qvt536Pmz (
  PmzPmo varchar(10) COLLATE "C" NOT NULL,
  PmzGvo timestamp(0) NOT NULL,
  PmzPms varchar(5) COLLATE "C" NOT NULL,
  PmzGbi timestamp(0),
  CONSTRAINT Qvt536Pmz_PK PRIMARY KEY (PmzPmo, PmzGvo, PmzPms)
);

-- Breaks of a break scheme; PmsBeg/PmsEnd in minutes since midnight.
CREATE TABLE Qvt535Pms (
  PmsNum varchar(5) COLLATE "C" NOT NULL,
  PmsBeg integer NOT NULL,
  PmsEnd integer,
  PmsInt integer,
  PmsPse integer,
  PmsBzt integer,
  PmsPrz integer,
  CONSTRAINT Qvt535Pms_PK PRIMARY KEY (PmsNum, PmsBeg)
);

-- Evaluation records; NzaSa is the record kind (1, 2 work and interruption of a person;
-- 3, 4, 5, 8 runtimes; 13 machine-only). Durations are minutes.seconds (90.30 = 90 min 30 s).
-- A machine-only record may carry no person and, for a stop without a known start, no
-- begin: NzaPnr and NzaDtm may be NULL, and the key treats NULL as equal to NULL.
CREATE TABLE Qvt590Nza (
  NzaSa integer NOT NULL CONSTRAINT NzaSa_Range CHECK (NzaSa BETWEEN -32768 AND 32767),
  NzaApl varchar(10) COLLATE "C" NOT NULL,
  NzaApk varchar(12) COLLATE "C" NOT NULL,
  NzaApp varchar(5) COLLATE "C" NOT NULL,
  NzaPnr varchar(10) COLLATE "C",
  NzaDtm timestamp(0),
  NzaBeg integer,
  NzaBbn integer,
  NzaBln integer,
  NzaBmk varchar(3) COLLATE "C",
  NzaEdt timestamp(0),
  NzaEnd integer,
  NzaEbn integer,
  NzaEln integer,
  NzaEmk varchar(3) COLLATE "C",
  NzaUbg varchar(5) COLLATE "C",
  NzaRau integer,
  NzaVar integer,
  Nza00A integer,
  Nza00U integer,
  Nza00S integer,
  NzaEmo varchar(10) COLLATE "C",
  NzaWtg integer,
  NzaJtg integer,
  NzaTtp varchar(3) COLLATE "C",
  NzaJwo varchar(4) COLLATE "C",
  NzaWoc integer,
  NzaPzm integer,
  NzaMaz integer,
  NzaNzr double precision,
  NzaBzr double precision,
  NzaUzr double precision,
  NzaPzr double precision,
  NzaRbz double precision,
  NzaNza double precision,
  NzaBzA double precision,
  NzaUza double precision,
  NzaPza double precision,
  NzaAbz double precision,
  NzaNzu double precision,
  NzaBzu double precision,
  NzaPzu double precision,
  NzaUbz double precision,
  NzaSol double precision,
  NzaIst double precision,
  NzaPau double precision,
  NzaRf1 double precision,
  NzaRf2 double precision,
  NzaRf3 double precision,
  NzaFnr integer,
  NzaDat timestamp(0),
  NzaErf varchar(8) COLLATE "C",
  NzaGum double precision,
  NzaAum double precision,
  NzaTnr varchar(20) COLLATE "C",
  CONSTRAINT Qvt590Nza_Key UNIQUE NULLS NOT DISTINCT (NzaSa, NzaApl, NzaApk, NzaApp, NzaPnr, NzaDtm)
);
-- Records of one kind and operation over all workplaces.
CREATE INDEX Qvt590Nza_ApkApp ON Qvt590Nza (NzaSa, NzaApk, NzaApp);
-- Records of one kind and person, by begin.
CREATE INDEX Qvt590Nza_PnrZeit ON Qvt590Nza (NzaSa, NzaPnr, NzaDtm);

-- Scratch event lists of the evaluations, one list per producer MltErf and run
-- stamp MltDat (14 digits, text); deleted again by the run that wrote them.
CREATE TABLE Qvt561Mlt (
  MltErf varchar(8) COLLATE "C" NOT NULL,
  MltDat varchar(14) COLLATE "C" NOT NULL,
  MltLfn integer NOT NULL,
  MltObj varchar(3) COLLATE "C",
  MltPnr varchar(8) COLLATE "C",
  MltApl varchar(10) COLLATE "C",
  MltApk varchar(12) COLLATE "C",
  MltApp varchar(5) COLLATE "C",
  Mlt00E varchar(1) COLLATE "C",
  Mlt00R varchar(1) COLLATE "C",
  Mlt00A varchar(1) COLLATE "C",
  Mlt00U varchar(1) COLLATE "C",
  Mlt00S varchar(1) COLLATE "C",
  MltBkg varchar(1) COLLATE "C",
  MltPbe varchar(1) COLLATE "C",
  MltArg varchar(10) COLLATE "C",
  MltEmo varchar(10) COLLATE "C",
  MltTtp varchar(3) COLLATE "C",
  MltWoc integer,
  MltWtg integer,
  MltJtg integer,
  MltJwo varchar(4) COLLATE "C",
  MltMdt timestamp(0),
  MltUbg varchar(5) COLLATE "C",
  CONSTRAINT Qvt561Mlt_PK PRIMARY KEY (MltErf, MltDat, MltLfn)
);
-- One list in time order.
CREATE INDEX Qvt561Mlt_Mdt ON Qvt561Mlt (MltErf, MltDat, MltMdt, MltLfn);

-- Person days: arrival TagVon/TagUhr, departure TagBis/TagEnd of the day TagTag;
-- only days with TagOne 0 count.
CREATE TABLE Qvt327Tag (
  TagPnr varchar(8) COLLATE "C" NOT NULL,
  TagTag timestamp(0) NOT NULL,
  TagVon timestamp(0),
  TagUhr timestamp(0),
  TagBis timestamp(0),
  TagEnd timestamp(0),
  TagTgb varchar(5) COLLATE "C",
  TagOne integer,
  CONSTRAINT Qvt327Tag_PK PRIMARY KEY (TagPnr, TagTag)
);
-- Days of one person in arrival order.
CREATE INDEX Qvt327Tag_Von ON Qvt327Tag (TagPnr, TagVon, TagUhr);

-- Booking periods of a person; BupTvo/BupTbi in minutes since midnight.
-- No key: periods of different functions may start at the same instant.
CREATE TABLE Qvt328Bup (
  BupPnr varchar(8) COLLATE "C",
  BupVon timestamp(0),
  BupUhr timestamp(0),
  BupFkt integer,
  BupBis timestamp(0),
  BupEnd timestamp(0),
  BupFfk integer,
  BupTvo integer,
  BupTbi integer,
  BupAvo integer,
  BupAbi integer,
  BupWzv integer,
  BupWzb integer
);
-- Periods of one person in time order.
CREATE INDEX Qvt328Bup_Pnr ON Qvt328Bup (BupPnr, BupVon, BupUhr);

-- Day working-time model of a person: model ZtgAzt for the day ZtgVon.
CREATE TABLE Qvt329Ztg (
  ZtgPnr varchar(8) COLLATE "C" NOT NULL,
  ZtgVon timestamp(0) NOT NULL,
  ZtgAzt varchar(7) COLLATE "C",
  ZtgAgr varchar(5) COLLATE "C",
  ZtgTtp varchar(3) COLLATE "C",
  CONSTRAINT Qvt329Ztg_PK PRIMARY KEY (ZtgPnr, ZtgVon)
);

-- Versions of a working-time model, valid from AzvGvo; minute values since midnight.
CREATE TABLE Qvt140Azv (
  AzvNum varchar(7) COLLATE "C" NOT NULL,
  AzvGvo timestamp(0) NOT NULL,
  AzvPsm varchar(5) COLLATE "C",
  AzvMav integer,
  AzvMab integer,
  AzvNov integer,
  AzvNob integer,
  AzvGlv integer,
  AzvGlb integer,
  AzvKev integer,
  AzvKeb integer,
  AzvSol integer,
  CONSTRAINT Qvt140Azv_PK PRIMARY KEY (AzvNum, AzvGvo)
);

-- Lines of a break scheme; minute values since midnight.
CREATE TABLE Qvt143Pse (
  PseNum varchar(5) COLLATE "C" NOT NULL,
  PseLfd integer NOT NULL,
  PseVon integer,
  PseBis integer,
  PseMin integer,
  PseMax integer,
  PseInt integer,
  PsePse integer,
  CONSTRAINT Qvt143Pse_PK PRIMARY KEY (PseNum, PseLfd)
);

-- Breaks of a person on one day, per line of the break scheme.
CREATE TABLE Qvt323Gps (
  GpsPnr varchar(8) COLLATE "C" NOT NULL,
  GpsDtm timestamp(0) NOT NULL,
  GpsLfd integer NOT NULL,
  GpsVon integer,
  GpsBis integer,
  GpsMin integer,
  GpsMax integer,
  GpsInt integer,
  GpsPse integer,
  CONSTRAINT Qvt323Gps_PK PRIMARY KEY (GpsPnr, GpsDtm, GpsLfd)
);

-- Working-time values of a person on one day (override the day model).
CREATE TABLE Qvt322Gaz (
  GazPnr varchar(8) COLLATE "C" NOT NULL,
  GazDtm timestamp(0) NOT NULL,
  GazMav integer,
  GazMab integer,
  GazNov integer,
  GazNob integer,
  GazKev integer,
  GazGlv integer,
  GazGlb integer,
  GazKeb integer,
  GazSol integer,
  CONSTRAINT Qvt322Gaz_PK PRIMARY KEY (GazPnr, GazDtm)
);

-- Message archive of persons. No key: the archive may hold several messages
-- of one booking.
CREATE TABLE Qvt565Map (
  MapBnr integer,
  MapObj varchar(3) COLLATE "C",
  MapPnr varchar(8) COLLATE "C",
  MapApl varchar(10) COLLATE "C",
  MapApk varchar(12) COLLATE "C",
  MapApp varchar(5) COLLATE "C",
  Map00E varchar(1) COLLATE "C",
  Map00R varchar(1) COLLATE "C",
  Map00A varchar(1) COLLATE "C",
  Map00U varchar(1) COLLATE "C",
  Map00S varchar(1) COLLATE "C",
  Map006 varchar(1) COLLATE "C",
  Map007 varchar(1) COLLATE "C",
  Map008 varchar(1) COLLATE "C",
  Map009 varchar(1) COLLATE "C",
  Map010 varchar(1) COLLATE "C",
  Map011 varchar(1) COLLATE "C",
  Map012 varchar(1) COLLATE "C",
  Map013 varchar(1) COLLATE "C",
  Map014 varchar(1) COLLATE "C",
  Map015 varchar(1) COLLATE "C",
  Map016 varchar(1) COLLATE "C",
  MapMdt timestamp(0),
  MapMzt timestamp(0),
  MapErf varchar(8) COLLATE "C",
  MapSts varchar(1) COLLATE "C",
  MapUbg varchar(5) COLLATE "C",
  MapTnr varchar(20) COLLATE "C"
);
-- Archive of one person in time order.
CREATE INDEX Qvt565Map_Pnr ON Qvt565Map (MapObj, MapPnr, MapMdt, MapMzt);

-- Terminal lines: a row serves the range keys from CfgVnN to CfgBiN; its line number
-- CfgDta names the buffer file SndDnl<CfgDta>.buf.
CREATE TABLE Qvt557Cfg (
  CfgDta integer NOT NULL,
  CfgIP varchar(15) COLLATE "C",
  CfgPrt varchar(5) COLLATE "C",
  CfgBez varchar(30) COLLATE "C",
  CfgTxt varchar(10) COLLATE "C",
  CfgKr1 integer,
  CfgVn1 varchar(10) COLLATE "C",
  CfgBi1 varchar(10) COLLATE "C",
  CfgBz1 varchar(30) COLLATE "C",
  CfgVn2 varchar(10) COLLATE "C",
  CfgBi2 varchar(10) COLLATE "C",
  CfgBz2 varchar(30) COLLATE "C",
  CfgVn3 varchar(10) COLLATE "C",
  CfgBi3 varchar(10) COLLATE "C",
  CfgBz3 varchar(30) COLLATE "C",
  CfgVn4 varchar(10) COLLATE "C",
  CfgBi4 varchar(10) COLLATE "C",
  CfgBz4 varchar(30) COLLATE "C",
  CfgVn5 varchar(10) COLLATE "C",
  CfgBi5 varchar(10) COLLATE "C",
  CfgBz5 varchar(30) COLLATE "C",
  CfgSta integer,
  CfgDat varchar(29) COLLATE "C",
  CfgErf varchar(8) COLLATE "C",
  CONSTRAINT Qvt557Cfg_PK PRIMARY KEY (CfgDta)
);

-- The factory calendar, shared by the programs of the installation, in the
-- schema QvSystem.

-- Factory calendar: one row per calendar day (BakDtm at midnight).
CREATE TABLE QvSystem.Qvt133Bak (
  BakDtm timestamp(0) NOT NULL,
  BakJhr integer,
  BakMon integer,
  BakTag integer,
  BakWch integer,
  BakWtg integer,
  BakJtg integer,
  CONSTRAINT Qvt133Bak_PK PRIMARY KEY (BakDtm)
);

-- Calendars of the shift-model assignments: day type KalBtp of calendar KalNum
-- on day KalDtm.
CREATE TABLE QvSystem.Qvt133Kal (
  KalNum varchar(5) COLLATE "C" NOT NULL,
  KalDtm timestamp(0) NOT NULL,
  KalBtp varchar(3) COLLATE "C",
  CONSTRAINT Qvt133Kal_PK PRIMARY KEY (KalNum, KalDtm)
);

COMMIT;
