-- Demo plant: a small machining shop with a lathe, a machining centre and an
-- assembly place, two days of shop-floor messages and the pending corrections
-- of the clerk DEMO01.
--
-- "Today" is Tuesday 2026-12-08, 09:30 (the demo runs the program with
-- QV_TEST_NOW=20261208093000). Monday 2026-12-07 was a normal working day;
-- the early shift of today is under way.
--
-- Plain SQL for both engines: load it after schema/sqlite.sql (with QvSystem.db
-- attached as QvSystem) or after schema/postgresql.sql. Dates are written as
-- 'YYYY-MM-DD HH:MM:SS'; a date alone at 00:00:00. Empty texts are NULL; the
-- system writes blanks where it means "no value" in a key (no pending
-- correction: MelKsb 8 blanks, MelKfc 3 blanks).
--
-- Who is who:
--   workplaces  DRE01 CNC lathe (group DREH), DRE02 second lathe (DREH),
--               FRA01 machining centre (group FRAES, own two-shift model),
--               MON01 assembly place (group MONT)
--   persons     00001001 Huber (lathe), 00001002 Yilmaz (machining, early
--               shift), 00001003 Novak (machining, late shift, works by his own
--               day working-time model: time model 1), 00001004 Schmid (assembly)
--   orders      A26-004711 drive shaft, 3 operations (00010 turning at DRE01)
--               A26-004712 flange, 2 operations (00010 milling at FRA01)
--               A26-004713 gearbox assembly, 1 operation (00010 at MON01)
--   terminal lines  1 serves the ranges 1000-1999 (turning 1100, milling
--               1200) and 0000-0999, 2 serves 2000-2999 (assembly 2100)
--
-- Pending corrections of DEMO01, in the order the run takes them:
--   AEI  4810104  DRE01 quantity 2026-12-07 10:00: 120 good -> 125 good, 2 scrap
--   AEZ  4810105  DRE01 interruption began at 10:40, not 11:00
--   STA  4810302  MON01 end of 13:45 closes the operation (closing mark 0 -> 1)
--   AEZ  4810109  DRE01 machine stop at 13:48, not 13:58
--   NEW  4810900  FRA01 end of Novak's work at 21:50 with 55 good pieces (missing)
--   DEL  4810212  FRA01 work begin of 2026-12-08 06:06 booked twice: delete it
-- A pending AEI of the clerk KLEIN (4810213) must stay untouched.

BEGIN;

-- Factory calendar (16 Nov 2026 to 10 Jan 2027): day, year, month, day of the
-- month, ISO week, weekday (1 Monday .. 7 Sunday), day of the year.
INSERT INTO QvSystem.Qvt133Bak (BakDtm, BakJhr, BakMon, BakTag, BakWch, BakWtg, BakJtg) VALUES
  ('2026-11-16 00:00:00', 2026, 11, 16, 47, 1, 320),
  ('2026-11-17 00:00:00', 2026, 11, 17, 47, 2, 321),
  ('2026-11-18 00:00:00', 2026, 11, 18, 47, 3, 322),
  ('2026-11-19 00:00:00', 2026, 11, 19, 47, 4, 323),
  ('2026-11-20 00:00:00', 2026, 11, 20, 47, 5, 324),
  ('2026-11-21 00:00:00', 2026, 11, 21, 47, 6, 325),
  ('2026-11-22 00:00:00', 2026, 11, 22, 47, 7, 326),
  ('2026-11-23 00:00:00', 2026, 11, 23, 48, 1, 327),
  ('2026-11-24 00:00:00', 2026, 11, 24, 48, 2, 328),
  ('2026-11-25 00:00:00', 2026, 11, 25, 48, 3, 329),
  ('2026-11-26 00:00:00', 2026, 11, 26, 48, 4, 330),
  ('2026-11-27 00:00:00', 2026, 11, 27, 48, 5, 331),
  ('2026-11-28 00:00:00', 2026, 11, 28, 48, 6, 332),
  ('2026-11-29 00:00:00', 2026, 11, 29, 48, 7, 333),
  ('2026-11-30 00:00:00', 2026, 11, 30, 49, 1, 334),
  ('2026-12-01 00:00:00', 2026, 12,  1, 49, 2, 335),
  ('2026-12-02 00:00:00', 2026, 12,  2, 49, 3, 336),
  ('2026-12-03 00:00:00', 2026, 12,  3, 49, 4, 337),
  ('2026-12-04 00:00:00', 2026, 12,  4, 49, 5, 338),
  ('2026-12-05 00:00:00', 2026, 12,  5, 49, 6, 339),
  ('2026-12-06 00:00:00', 2026, 12,  6, 49, 7, 340),
  ('2026-12-07 00:00:00', 2026, 12,  7, 50, 1, 341),
  ('2026-12-08 00:00:00', 2026, 12,  8, 50, 2, 342),
  ('2026-12-09 00:00:00', 2026, 12,  9, 50, 3, 343),
  ('2026-12-10 00:00:00', 2026, 12, 10, 50, 4, 344),
  ('2026-12-11 00:00:00', 2026, 12, 11, 50, 5, 345),
  ('2026-12-12 00:00:00', 2026, 12, 12, 50, 6, 346),
  ('2026-12-13 00:00:00', 2026, 12, 13, 50, 7, 347),
  ('2026-12-14 00:00:00', 2026, 12, 14, 51, 1, 348),
  ('2026-12-15 00:00:00', 2026, 12, 15, 51, 2, 349),
  ('2026-12-16 00:00:00', 2026, 12, 16, 51, 3, 350),
  ('2026-12-17 00:00:00', 2026, 12, 17, 51, 4, 351),
  ('2026-12-18 00:00:00', 2026, 12, 18, 51, 5, 352),
  ('2026-12-19 00:00:00', 2026, 12, 19, 51, 6, 353),
  ('2026-12-20 00:00:00', 2026, 12, 20, 51, 7, 354),
  ('2026-12-21 00:00:00', 2026, 12, 21, 52, 1, 355),
  ('2026-12-22 00:00:00', 2026, 12, 22, 52, 2, 356),
  ('2026-12-23 00:00:00', 2026, 12, 23, 52, 3, 357),
  ('2026-12-24 00:00:00', 2026, 12, 24, 52, 4, 358),
  ('2026-12-25 00:00:00', 2026, 12, 25, 52, 5, 359),
  ('2026-12-26 00:00:00', 2026, 12, 26, 52, 6, 360),
  ('2026-12-27 00:00:00', 2026, 12, 27, 52, 7, 361),
  ('2026-12-28 00:00:00', 2026, 12, 28, 53, 1, 362),
  ('2026-12-29 00:00:00', 2026, 12, 29, 53, 2, 363),
  ('2026-12-30 00:00:00', 2026, 12, 30, 53, 3, 364),
  ('2026-12-31 00:00:00', 2026, 12, 31, 53, 4, 365),
  ('2027-01-01 00:00:00', 2027,  1,  1, 53, 5,   1),
  ('2027-01-02 00:00:00', 2027,  1,  2, 53, 6,   2),
  ('2027-01-03 00:00:00', 2027,  1,  3, 53, 7,   3),
  ('2027-01-04 00:00:00', 2027,  1,  4,  1, 1,   4),
  ('2027-01-05 00:00:00', 2027,  1,  5,  1, 2,   5),
  ('2027-01-06 00:00:00', 2027,  1,  6,  1, 3,   6),
  ('2027-01-07 00:00:00', 2027,  1,  7,  1, 4,   7),
  ('2027-01-08 00:00:00', 2027,  1,  8,  1, 5,   8),
  ('2027-01-09 00:00:00', 2027,  1,  9,  1, 6,   9),
  ('2027-01-10 00:00:00', 2027,  1, 10,  1, 7,  10);

-- Day types of the works calendar WERK: AT working day, SA Saturday,
-- SO Sunday, FT public holiday.
INSERT INTO QvSystem.Qvt133Kal (KalNum, KalDtm, KalBtp) VALUES
  ('WERK', '2026-11-16 00:00:00', 'AT'),
  ('WERK', '2026-11-17 00:00:00', 'AT'),
  ('WERK', '2026-11-18 00:00:00', 'AT'),
  ('WERK', '2026-11-19 00:00:00', 'AT'),
  ('WERK', '2026-11-20 00:00:00', 'AT'),
  ('WERK', '2026-11-21 00:00:00', 'SA'),
  ('WERK', '2026-11-22 00:00:00', 'SO'),
  ('WERK', '2026-11-23 00:00:00', 'AT'),
  ('WERK', '2026-11-24 00:00:00', 'AT'),
  ('WERK', '2026-11-25 00:00:00', 'AT'),
  ('WERK', '2026-11-26 00:00:00', 'AT'),
  ('WERK', '2026-11-27 00:00:00', 'AT'),
  ('WERK', '2026-11-28 00:00:00', 'SA'),
  ('WERK', '2026-11-29 00:00:00', 'SO'),
  ('WERK', '2026-11-30 00:00:00', 'AT'),
  ('WERK', '2026-12-01 00:00:00', 'AT'),
  ('WERK', '2026-12-02 00:00:00', 'AT'),
  ('WERK', '2026-12-03 00:00:00', 'AT'),
  ('WERK', '2026-12-04 00:00:00', 'AT'),
  ('WERK', '2026-12-05 00:00:00', 'SA'),
  ('WERK', '2026-12-06 00:00:00', 'SO'),
  ('WERK', '2026-12-07 00:00:00', 'AT'),
  ('WERK', '2026-12-08 00:00:00', 'AT'),
  ('WERK', '2026-12-09 00:00:00', 'AT'),
  ('WERK', '2026-12-10 00:00:00', 'AT'),
  ('WERK', '2026-12-11 00:00:00', 'AT'),
  ('WERK', '2026-12-12 00:00:00', 'SA'),
  ('WERK', '2026-12-13 00:00:00', 'SO'),
  ('WERK', '2026-12-14 00:00:00', 'AT'),
  ('WERK', '2026-12-15 00:00:00', 'AT'),
  ('WERK', '2026-12-16 00:00:00', 'AT'),
  ('WERK', '2026-12-17 00:00:00', 'AT'),
  ('WERK', '2026-12-18 00:00:00', 'AT'),
  ('WERK', '2026-12-19 00:00:00', 'SA'),
  ('WERK', '2026-12-20 00:00:00', 'SO'),
  ('WERK', '2026-12-21 00:00:00', 'AT'),
  ('WERK', '2026-12-22 00:00:00', 'AT'),
  ('WERK', '2026-12-23 00:00:00', 'AT'),
  ('WERK', '2026-12-24 00:00:00', 'AT'),
  ('WERK', '2026-12-25 00:00:00', 'FT'),
  ('WERK', '2026-12-26 00:00:00', 'FT'),
  ('WERK', '2026-12-27 00:00:00', 'SO'),
  ('WERK', '2026-12-28 00:00:00', 'AT'),
  ('WERK', '2026-12-29 00:00:00', 'AT'),
  ('WERK', '2026-12-30 00:00:00', 'AT'),
  ('WERK', '2026-12-31 00:00:00', 'AT'),
  ('WERK', '2027-01-01 00:00:00', 'FT'),
  ('WERK', '2027-01-02 00:00:00', 'SA'),
  ('WERK', '2027-01-03 00:00:00', 'SO'),
  ('WERK', '2027-01-04 00:00:00', 'AT'),
  ('WERK', '2027-01-05 00:00:00', 'AT'),
  ('WERK', '2027-01-06 00:00:00', 'AT'),
  ('WERK', '2027-01-07 00:00:00', 'AT'),
  ('WERK', '2027-01-08 00:00:00', 'AT'),
  ('WERK', '2027-01-09 00:00:00', 'SA'),
  ('WERK', '2027-01-10 00:00:00', 'SO');

-- Function codes of the message kinds: function code, object type ("M_A"
-- workplace and order, "MPA" person at a workplace on an order, "M__" machine
-- alone) and the planning switch FzuUpl (1: reported to production planning).
INSERT INTO Qvt553Fzu (FzuFcd, FzuMld, FzuBez, FzuTxt, FzuArt, FzuObj, FzuUpl, FzuGen, FzuZf1, FzuZf2, FzuZf3, FzuSta, FzuErf) VALUES
  ('A01', 'RB', 'Ruestbeginn',              'M_A', 1, 2, 1, 1, NULL, NULL, NULL, 1, 'ADMIN'),
  ('A02', 'RE', 'Ruestende mit Menge',      'M_A', 2, 2, 1, 1, NULL, NULL, NULL, 1, 'ADMIN'),
  ('A03', 'AB', 'Arbeitsbeginn',            'M_A', 1, 2, 1, 1, NULL, NULL, NULL, 1, 'ADMIN'),
  ('A04', 'AU', 'Unterbrechung',            'M_A', 1, 2, 1, 1, NULL, NULL, NULL, 1, 'ADMIN'),
  ('A05', 'AW', 'Wiederaufnahme',           'M_A', 2, 2, 1, 1, NULL, NULL, NULL, 1, 'ADMIN'),
  ('A06', 'AM', 'Mengenmeldung',            'M_A', 3, 2, 1, 0, NULL, NULL, NULL, 1, 'ADMIN'),
  ('A07', 'AE', 'Arbeitsende',              'M_A', 2, 2, 1, 1, NULL, NULL, NULL, 1, 'ADMIN'),
  ('A07', 'AT', 'Teilende',                 'M_A', 2, 2, 1, 1, NULL, NULL, NULL, 1, 'ADMIN'),
  ('P01', 'PA', 'Person Arbeitsbeginn',     'MPA', 1, 3, 1, 0, NULL, NULL, NULL, 1, 'ADMIN'),
  ('P02', 'PE', 'Person Arbeitsende',       'MPA', 2, 3, 1, 0, NULL, NULL, NULL, 1, 'ADMIN'),
  ('P03', 'PU', 'Person Unterbrechung',     'MPA', 1, 3, 0, 0, NULL, NULL, NULL, 1, 'ADMIN'),
  ('P04', 'PW', 'Person Wiederaufnahme',    'MPA', 2, 3, 0, 0, NULL, NULL, NULL, 1, 'ADMIN'),
  ('M01', 'BS', 'Maschine Start',           'M__', 1, 1, 0, 0, NULL, NULL, NULL, 1, 'ADMIN'),
  ('M02', 'ES', 'Maschine Stopp',           'M__', 2, 1, 0, 0, NULL, NULL, NULL, 1, 'ADMIN');

-- Evaluation parameters, valid strictly between NzpGvn and NzpGbi. Key 2 is
-- switched off; key 5 had no interruption evaluation before 2026.
INSERT INTO Qvt591Nzp (NzpAkz, NzpGvn, NzpGbi, NzpAak, NzpAwt, NzpKjh, NzpKmn, NzpKwo, NzpKtg, NzpAan, NzpVfh, NzpNfh, NzpAus, NzpMrk) VALUES
  (1, '2020-01-01 00:00:00', '2099-12-31 00:00:00', 1, 1, 0, 0, 0, 14, 0, 0, 0, 'NZM',    1),
  (2, '2020-01-01 00:00:00', '2099-12-31 00:00:00', 0, 0, 0, 0, 0,  0, 0, 0, 0, NULL,     0),
  (3, '2020-01-01 00:00:00', '2099-12-31 00:00:00', 1, 1, 0, 0, 0, 14, 0, 0, 0, 'NZA',    1),
  (4, '2020-01-01 00:00:00', '2099-12-31 00:00:00', 1, 1, 0, 0, 0, 14, 0, 0, 0, 'LZM',    1),
  (5, '2020-01-01 00:00:00', '2026-01-01 00:00:00', 0, 1, 0, 0, 0, 14, 0, 0, 0, NULL,     0),
  (5, '2025-12-31 00:00:00', '2099-12-31 00:00:00', 1, 1, 0, 0, 0, 14, 0, 0, 0, NULL,     0),
  (7, '2020-01-01 00:00:00', '2099-12-31 00:00:00', 1, 1, 0, 0, 0, 14, 0, 0, 0, NULL,     0),
  (9, '2020-01-01 00:00:00', '2099-12-31 00:00:00', 1, 1, 0, 0, 0, 14, 0, 0, 0, 'PRF',    1);

-- Upload-number counter of the planning interface.
INSERT INTO Qvt552Bnr (BnrKey, BnrBnr, BnrEsb, BnrEdt) VALUES
  ('PPSNR', 4711, 'KorrMld', '2026-12-04 16:20:11');

-- A re-evaluation marker left by an earlier correction and not yet consumed:
-- Huber's day 2026-12-07 is to be evaluated again from 06:05 on.
INSERT INTO Qvt563Mrk (MrkKng, MrkApl, MrkApk, MrkApp, MrkPnr, MrkMdt, MrkObj, MrkBnr, MrkDat) VALUES
  ('NZM', '20261207', '000000000000', '00000', '00001001', '2026-12-07 06:05:00', 'MPA', 0, '2026-12-07 15:02:40');

-- Workplaces; AplApg is the workplace group, AplFbe the range key.
INSERT INTO Qvt531Apl (AplApl, AplBez, AplTxt, AplApg, AplFbe, AplSts, AplSis, AplApr, AplAaf, AplUbg, AplUdt, AplTag, AplVrf, AplRsp, AplRsi, AplAfp, AplAfi, AplPau, AplUnt, AplIak, AplAvt, AplKap, AplAvr, AplAvp, AplSt1, AplSt2, AplSt3, AplSf1, AplSf2, AplSf3, AplZf1, AplZf2, AplZf3, AplDna, AplDwn, AplSta, AplErf) VALUES
  ('DRE01', 'CNC-Drehmaschine 1',     'Drehen 1', 'DREH',  '1100', 3, 2, 0, 0, '    ', NULL, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 100, 0, NULL, NULL, NULL, 0, 0, 0, 'Halle 1, Feld A3', NULL, NULL, NULL, NULL, 1, 'ADMIN'),
  ('DRE02', 'CNC-Drehmaschine 2',     'Drehen 2', 'DREH',  '1100', 0, 0, 0, 0, '    ', NULL, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 100, 0, NULL, NULL, NULL, 0, 0, 0, 'Halle 1, Feld A4', NULL, NULL, NULL, NULL, 1, 'ADMIN'),
  ('FRA01', 'Bearbeitungszentrum 1',  'Fraesen 1', 'FRAES', '1200', 3, 2, 0, 0, '    ', NULL, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 100, 0, NULL, NULL, NULL, 0, 0, 0, 'Halle 1, Feld C1', NULL, NULL, NULL, NULL, 1, 'ADMIN'),
  ('MON01', 'Montageplatz 1',         'Montage 1', 'MONT',  '2100', 0, 3, 0, 0, '    ', NULL, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 100, 0, NULL, NULL, NULL, 0, 0, 0, 'Halle 2', NULL, NULL, NULL, NULL, 1, 'ADMIN');

-- Persons; PrvAwn is the badge number, PrvPzm the time model (1: the person's
-- own day working-time model, 2: the shift model of the workplace).
INSERT INTO Qvt510Prv (PrvPnr, PrvGvo, PrvGbi, PrvBer, PrvKst, PrvFbe, PrvMmb, PrvZf1, PrvZf2, PrvZf3, PrvSta, PrvErf, PrvDna, PrvDwn, PrvAwn, PrvAwa, PrvAnw, PrvApl, PrvApp, PrvPzm, PrvAvn, PrvAbi, PrvNam, PrvStr, PrvOrt) VALUES
  ('00001001', '2011-03-01 00:00:00', '2099-12-31 00:00:00', 1, '4110', '1100', 0, NULL, NULL, NULL, 1, 'ADMIN', NULL, NULL, '00470011', 1, 1, 0, 0, 2, NULL, NULL, 'Huber, Josef',  'Lindenweg 4',     'Ostheim'),
  ('00001002', '2019-09-01 00:00:00', '2099-12-31 00:00:00', 1, '4120', '1200', 0, NULL, NULL, NULL, 1, 'ADMIN', NULL, NULL, '00470012', 1, 1, 0, 0, 2, NULL, NULL, 'Yilmaz, Aylin', 'Bahnhofstr. 17',  'Ostheim'),
  ('00001003', '2022-02-01 00:00:00', '2099-12-31 00:00:00', 1, '4120', '1200', 0, NULL, NULL, NULL, 1, 'ADMIN', NULL, NULL, '00470013', 1, 0, 0, 0, 1, NULL, NULL, 'Novak, Petr',   'Am Muehlbach 2',  'Riedheim'),
  ('00001004', '2016-05-15 00:00:00', '2099-12-31 00:00:00', 1, '4210', '2100', 0, NULL, NULL, NULL, 1, 'ADMIN', NULL, NULL, '00470014', 1, 0, 0, 0, 2, NULL, NULL, 'Schmid, Anna',  'Kirchgasse 9',    'Ostheim');

-- Shift models per day type (minutes since midnight): one early shift, and the
-- two shifts of the machining centre. EmoPmo names the break model.
INSERT INTO Qvt533Emo (EmoEmo, EmoTtp, EmoTxt, EmoBeg, EmoEnd, EmoArt, EmoPmo) VALUES
  ('1S-FRUEH', 'AT', 'Frueh', 360,  840, 1, 'PM-FRUEH'),
  ('2S-BAZ',   'AT', 'Frueh', 360,  840, 1, 'PM-FRUEH'),
  ('2S-BAZ',   'AT', 'Spaet', 840, 1320, 1, 'PM-SPAET');

-- Break models to break schemes, and the breaks of each scheme.
INSERT INTO Qvt536Pmz (PmzPmo, PmzGvo, PmzPms, PmzGbi) VALUES
  ('PM-FRUEH', '2026-01-01 00:00:00', 'PF01', '2099-12-31 00:00:00'),
  ('PM-SPAET', '2026-01-01 00:00:00', 'PS01', '2099-12-31 00:00:00');

INSERT INTO Qvt535Pms (PmsNum, PmsBeg, PmsEnd, PmsInt, PmsPse, PmsBzt, PmsPrz) VALUES
  ('PF01',  540,  555, 0, 1, 15, 100),
  ('PF01',  720,  750, 0, 0, 30, 100),
  ('PS01', 1080, 1110, 0, 0, 30, 100),
  ('PS01', 1230, 1240, 0, 1, 10, 100);

-- Shift-model assignments: AemKng 1 to a workplace group, 2 to one workplace
-- (the machining centre runs two shifts, its group one).
INSERT INTO Qvt532Aem (AemApg, AemKng, AemEmo, AemGvo, AemGbi, AemBez, AemTxt, AemKal, AemLkz, AemVzt, AemEzt, AemPrz, AemAfz, AemApz, AemPrp, AemAfp, AemApp, AemMaz) VALUES
  ('DREH',  1, '1S-FRUEH', '2026-01-01 00:00:00', NULL, 'Einschicht Dreherei',  '1-Schicht', 'WERK', 0, 0, 0, 100, 0, 0, 0, 0, 0, 1),
  ('FRAES', 1, '1S-FRUEH', '2026-01-01 00:00:00', NULL, 'Einschicht Fraeserei', '1-Schicht', 'WERK', 0, 0, 0, 100, 0, 0, 0, 0, 0, 1),
  ('FRA01', 2, '2S-BAZ',   '2026-01-01 00:00:00', NULL, 'Zweischicht BAZ 1',    '2-Schicht', 'WERK', 0, 0, 0, 100, 0, 0, 0, 0, 0, 1),
  ('MONT',  1, '1S-FRUEH', '2026-01-01 00:00:00', NULL, 'Einschicht Montage',   '1-Schicht', 'WERK', 0, 0, 0, 100, 0, 0, 0, 0, 0, 2);

-- Novak's day working-time models: late shift 14:00-22:00 (target 450 minutes)
-- with the break scheme PS14 on working days, FREI on weekends; assigned day by
-- day for three weeks.
INSERT INTO Qvt140Azv (AzvNum, AzvGvo, AzvPsm, AzvMav, AzvMab, AzvNov, AzvNob, AzvGlv, AzvGlb, AzvKev, AzvKeb, AzvSol) VALUES
  ('SP0800', '2026-01-01 00:00:00', 'PS14', 810, 1350, 840, 1320, 0, 0, 840, 1320, 450),
  ('FREI',   '2026-01-01 00:00:00', NULL,     0,    0,   0,    0, 0, 0,   0,    0,   0);

INSERT INTO Qvt143Pse (PseNum, PseLfd, PseVon, PseBis, PseMin, PseMax, PseInt, PsePse) VALUES
  ('PS14', 1, 1080, 1110, 30, 30, 0, 0),
  ('PS14', 2, 1230, 1240, 10, 10, 0, 1);

INSERT INTO Qvt329Ztg (ZtgPnr, ZtgVon, ZtgAzt, ZtgAgr, ZtgTtp) VALUES
  ('00001003', '2026-11-30 00:00:00', 'SP0800', 'SPAET', 'AT'),
  ('00001003', '2026-12-01 00:00:00', 'SP0800', 'SPAET', 'AT'),
  ('00001003', '2026-12-02 00:00:00', 'SP0800', 'SPAET', 'AT'),
  ('00001003', '2026-12-03 00:00:00', 'SP0800', 'SPAET', 'AT'),
  ('00001003', '2026-12-04 00:00:00', 'SP0800', 'SPAET', 'AT'),
  ('00001003', '2026-12-05 00:00:00', 'FREI',   'FREI',  'SA'),
  ('00001003', '2026-12-06 00:00:00', 'FREI',   'FREI',  'SO'),
  ('00001003', '2026-12-07 00:00:00', 'SP0800', 'SPAET', 'AT'),
  ('00001003', '2026-12-08 00:00:00', 'SP0800', 'SPAET', 'AT'),
  ('00001003', '2026-12-09 00:00:00', 'SP0800', 'SPAET', 'AT'),
  ('00001003', '2026-12-10 00:00:00', 'SP0800', 'SPAET', 'AT'),
  ('00001003', '2026-12-11 00:00:00', 'SP0800', 'SPAET', 'AT'),
  ('00001003', '2026-12-12 00:00:00', 'FREI',   'FREI',  'SA'),
  ('00001003', '2026-12-13 00:00:00', 'FREI',   'FREI',  'SO'),
  ('00001003', '2026-12-14 00:00:00', 'SP0800', 'SPAET', 'AT'),
  ('00001003', '2026-12-15 00:00:00', 'SP0800', 'SPAET', 'AT'),
  ('00001003', '2026-12-16 00:00:00', 'SP0800', 'SPAET', 'AT'),
  ('00001003', '2026-12-17 00:00:00', 'SP0800', 'SPAET', 'AT'),
  ('00001003', '2026-12-18 00:00:00', 'SP0800', 'SPAET', 'AT'),
  ('00001003', '2026-12-19 00:00:00', 'FREI',   'FREI',  'SA'),
  ('00001003', '2026-12-20 00:00:00', 'FREI',   'FREI',  'SO');

-- Friday 2026-12-04 ended an hour early; on 2026-12-07 Novak took his first
-- break half an hour later.
INSERT INTO Qvt322Gaz (GazPnr, GazDtm, GazMav, GazMab, GazNov, GazNob, GazKev, GazGlv, GazGlb, GazKeb, GazSol) VALUES
  ('00001003', '2026-12-04 00:00:00', 810, 1290, 840, 1260, 840, 0, 0, 1260, 390);

INSERT INTO Qvt323Gps (GpsPnr, GpsDtm, GpsLfd, GpsVon, GpsBis, GpsMin, GpsMax, GpsInt, GpsPse) VALUES
  ('00001003', '2026-12-07 00:00:00', 1, 1110, 1140, 30, 30, 0, 0);

-- Novak's attendance: person days (arrival, departure; TagOne 1 on a day off)
-- and booking periods (minutes since midnight; BupAvo/BupAbi the counted target
-- window).
INSERT INTO Qvt327Tag (TagPnr, TagTag, TagVon, TagUhr, TagBis, TagEnd, TagTgb, TagOne) VALUES
  ('00001003', '2026-11-30 00:00:00', '2026-11-30 13:52:00', '2026-11-30 13:52:00', '2026-11-30 22:04:00', '2026-11-30 22:04:00', 'SPAET', 0),
  ('00001003', '2026-12-01 00:00:00', '2026-12-01 13:55:00', '2026-12-01 13:55:00', '2026-12-01 22:02:00', '2026-12-01 22:02:00', 'SPAET', 0),
  ('00001003', '2026-12-02 00:00:00', '2026-12-02 13:49:00', '2026-12-02 13:49:00', '2026-12-02 22:06:00', '2026-12-02 22:06:00', 'SPAET', 0),
  ('00001003', '2026-12-03 00:00:00', '2026-12-03 13:58:00', '2026-12-03 13:58:00', '2026-12-03 22:01:00', '2026-12-03 22:01:00', 'SPAET', 0),
  ('00001003', '2026-12-04 00:00:00', '2026-12-04 13:51:00', '2026-12-04 13:51:00', '2026-12-04 21:02:00', '2026-12-04 21:02:00', 'SPAET', 0),
  ('00001003', '2026-12-05 00:00:00', NULL, NULL, NULL, NULL, 'FREI', 1),
  ('00001003', '2026-12-06 00:00:00', NULL, NULL, NULL, NULL, 'FREI', 1),
  ('00001003', '2026-12-07 00:00:00', '2026-12-07 13:53:00', '2026-12-07 13:53:00', '2026-12-07 22:05:00', '2026-12-07 22:05:00', 'SPAET', 0);

INSERT INTO Qvt328Bup (BupPnr, BupVon, BupUhr, BupFkt, BupBis, BupEnd, BupFfk, BupTvo, BupTbi, BupAvo, BupAbi, BupWzv, BupWzb) VALUES
  ('00001003', '2026-11-30 00:00:00', '2026-11-30 13:52:00', 1, '2026-11-30 00:00:00', '2026-11-30 22:04:00', 0, 832, 1324, 840, 1320, 0, 0),
  ('00001003', '2026-12-01 00:00:00', '2026-12-01 13:55:00', 1, '2026-12-01 00:00:00', '2026-12-01 22:02:00', 0, 835, 1322, 840, 1320, 0, 0),
  ('00001003', '2026-12-02 00:00:00', '2026-12-02 13:49:00', 1, '2026-12-02 00:00:00', '2026-12-02 22:06:00', 0, 829, 1326, 840, 1320, 0, 0),
  ('00001003', '2026-12-03 00:00:00', '2026-12-03 13:58:00', 1, '2026-12-03 00:00:00', '2026-12-03 22:01:00', 0, 838, 1321, 840, 1320, 0, 0),
  ('00001003', '2026-12-04 00:00:00', '2026-12-04 13:51:00', 1, '2026-12-04 00:00:00', '2026-12-04 21:02:00', 0, 831, 1262, 840, 1260, 0, 0),
  ('00001003', '2026-12-07 00:00:00', '2026-12-07 13:53:00', 1, '2026-12-07 00:00:00', '2026-12-07 22:05:00', 0, 833, 1325, 840, 1320, 0, 0);

-- Order headers. ApkAba 1: the last operation closes the order.
INSERT INTO Qvt501Apk (ApkApk, ApkBz1, ApkBz2, ApkTxt, ApkSts, ApkSis, ApkKun, ApkKb1, ApkKb2, ApkBgs, ApkEns, ApkAfo, ApkEaf, ApkTnr, ApkTb1, ApkTb2, ApkSme, ApkIme, ApkMee, ApkBdi, ApkEdi, ApkFbe, ApkKst, ApkZf1, ApkZf2, ApkZf3, ApkKnz, ApkSsn, ApkDna, ApkDwn, ApkSta, ApkDat, ApkErf, ApkAba) VALUES
  ('A26-004711', 'Antriebswelle D40x220', 'Serie KW 50', 'Welle', 3, 1, '10023', 'Maschinenbau Ostheim GmbH', 'Werk Nord', '2026-12-07 00:00:00', '2026-12-18 00:00:00', 3, 0, 'T-100-2201', 'Antriebswelle', 'C45, verguetet', 500, 0, 'ST', '2026-12-07 06:05:00', NULL, '1100', '4110', NULL, NULL, NULL, '0', 0, NULL, NULL, 1, '2026-12-08 06:02:05', 'BDE', 1),
  ('A26-004712', 'Flansch DN50 PN16', 'Abruf 3/5', 'Flansch', 3, 1, '10087', 'Pumpenbau Riedel KG', NULL, '2026-12-07 00:00:00', '2026-12-11 00:00:00', 2, 0, 'T-200-0450', 'Flansch DN50', 'S235JR', 240, 0, 'ST', '2026-12-07 06:10:00', NULL, '1200', '4120', NULL, NULL, NULL, '0', 0, NULL, NULL, 1, '2026-12-08 06:05:04', 'BDE', 1),
  ('A26-004713', 'Getriebe-Baugruppe GB-7', NULL, 'Getriebe', 3, 1, '10023', 'Maschinenbau Ostheim GmbH', 'Werk Nord', '2026-12-07 00:00:00', '2026-12-09 00:00:00', 1, 0, 'B-700-0007', 'Getriebe GB-7', 'Baugruppe', 40, 0, 'ST', '2026-12-07 07:00:00', NULL, '2100', '4210', NULL, NULL, NULL, '0', 0, NULL, NULL, 1, '2026-12-07 13:45:06', 'BDE', 1);

-- Operations. Status: 0 not started, 1 in setup, 2 set up, 3 in work,
-- 4 interrupted, 6 partly reported, 9 finished. AppNaf "00000" marks the last
-- operation of an order. Quantities so far: AppIme good, AppAme scrap.
INSERT INTO Qvt504App (AppApk, AppApp, AppVaf, AppNaf, AppBz1, AppBz2, AppTxt, AppSts, AppSis, AppBdi, AppBds, AppSbd, AppEdi, AppEds, AppSed, AppRad, AppRed, AppAgs, AppAbs, AppAes, AppSme, AppIme, AppAme, AppMee, AppSza, AppStr, AppSte, AppIta, AppItr, AppIte, AppApg, AppApl, AppKt1, AppKz1, AppKt2, AppKz2, AppKt3, AppKz3, AppKt4, AppKz4, AppFbe, AppKst, AppZf1, AppZf2, AppZf3, AppKnz, AppSsn, AppDna, AppDwn, AppSta, AppDat, AppErf) VALUES
  ('A26-004711', '00010', '00000', '00020', 'Drehen komplett', '2 Aufspannungen', 'Drehen', 3, 2, '2026-12-07 06:05:00', '2026-12-07 06:00:00', '2026-12-07 06:00:00', NULL, '2026-12-09 14:00:00', '2026-12-09 14:00:00', '2026-12-07 06:05:00', '2026-12-07 06:40:00', 0, 0, 0, 500, 275, 3, 'ST', 1, 45, 1.2, 0, 0, 0, 'DREH', 'DRE01', 'Drehmeissel', 'WZ', NULL, NULL, NULL, NULL, NULL, NULL, '1100', '4110', NULL, NULL, NULL, '0', 0, NULL, NULL, 1, '2026-12-08 08:45:03', 'BDE'),
  ('A26-004711', '00020', '00010', '00030', 'Schleifen Lagersitze', NULL, 'Schleifen', 0, 0, NULL, '2026-12-10 06:00:00', '2026-12-10 06:00:00', NULL, '2026-12-11 14:00:00', '2026-12-11 14:00:00', NULL, NULL, 0, 0, 0, 500, 0, 0, 'ST', 1, 30, 0.8, 0, 0, 0, 'SCHL', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '1100', '4130', NULL, NULL, NULL, '0', 0, NULL, NULL, 1, '2026-12-01 10:12:00', 'PPS'),
  ('A26-004711', '00030', '00020', '00000', 'Endkontrolle', 'Stichprobe 5%', 'Pruefen', 0, 0, NULL, '2026-12-14 06:00:00', '2026-12-14 06:00:00', NULL, '2026-12-14 14:00:00', '2026-12-14 14:00:00', NULL, NULL, 0, 0, 0, 500, 0, 0, 'ST', 1, 10, 0.2, 0, 0, 0, 'PRUEF', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '1100', '4190', NULL, NULL, NULL, '0', 0, NULL, NULL, 1, '2026-12-01 10:12:00', 'PPS'),
  ('A26-004712', '00010', '00000', '00020', 'Fraesen Flanschkontur', 'Bohrbild 4x M16', 'Fraesen', 3, 6, '2026-12-07 06:10:00', '2026-12-07 06:00:00', '2026-12-07 06:00:00', '2026-12-07 13:50:00', '2026-12-08 22:00:00', '2026-12-08 22:00:00', '2026-12-07 06:10:00', '2026-12-07 07:05:00', 0, 0, 0, 240, 60, 1, 'ST', 1, 55, 3.5, 0, 0, 0, 'FRAES', 'FRA01', 'Messerkopf D80', 'WZ', NULL, NULL, NULL, NULL, NULL, NULL, '1200', '4120', NULL, NULL, NULL, '0', 0, NULL, NULL, 1, '2026-12-08 06:06:02', 'BDE'),
  ('A26-004712', '00020', '00010', '00000', 'Entgraten, Bohrungen pruefen', NULL, 'Entgraten', 0, 0, NULL, '2026-12-09 06:00:00', '2026-12-09 06:00:00', NULL, '2026-12-10 14:00:00', '2026-12-10 14:00:00', NULL, NULL, 0, 0, 0, 240, 0, 0, 'ST', 1, 5, 0.5, 0, 0, 0, 'FRAES', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '1200', '4120', NULL, NULL, NULL, '0', 0, NULL, NULL, 1, '2026-12-01 10:12:00', 'PPS'),
  ('A26-004713', '00010', '00000', '00000', 'Montage Getriebe GB-7', 'nach Montageplan MP-7', 'Montage', 6, 3, '2026-12-07 07:00:00', '2026-12-07 06:00:00', '2026-12-07 06:00:00', '2026-12-07 13:45:00', '2026-12-08 14:00:00', '2026-12-08 14:00:00', NULL, NULL, 0, 0, 0, 40, 40, 0, 'ST', 1, 0, 9.5, 0, 0, 0, 'MONT', 'MON01', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, '2100', '4210', NULL, NULL, NULL, '0', 0, NULL, NULL, 1, '2026-12-07 13:45:06', 'BDE');

-- Terminal lines: a line serves the range keys (ApkFbe, AppFbe) of its first
-- two ranges; its number names the buffer file Comm/Buff/SndDnl<n>.buf.
INSERT INTO Qvt557Cfg (CfgDta, CfgIP, CfgPrt, CfgBez, CfgTxt, CfgKr1, CfgVn1, CfgBi1, CfgBz1, CfgVn2, CfgBi2, CfgBz2, CfgVn3, CfgBi3, CfgBz3, CfgVn4, CfgBi4, CfgBz4, CfgVn5, CfgBi5, CfgBz5, CfgSta, CfgDat, CfgErf) VALUES
  (1, '192.168.10.21', '4001', 'Terminallinie Halle 1', 'Halle 1', 1, '1000', '1999', 'Fertigung', '0000', '0999', 'Werkzeugbau', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 1, '2026-11-02 07:00:00', 'ADMIN'),
  (2, '192.168.10.22', '4001', 'Terminallinie Halle 2', 'Halle 2', 1, '2000', '2999', 'Montage', NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 1, '2026-11-02 07:00:00', 'ADMIN');

-- Shop-floor messages of Monday and of this morning. A terminal booking is a
-- workplace message (KeyLfn 0) with, for a person's work, the person's own
-- message (KeyLfn 1) in the same booking number KeyBnr. KeyDat and KeyUhr both
-- hold the instant. KeySek orders the messages of one instant.
INSERT INTO Qvt560Mel (KeyBnr, KeyLfn, ObjTyp, KeyPnr, KeyApl, KeyApk, KeyApp, Sts00E, Sts00R, Sts00A, Sts00U, Sts00S, KeyDat, KeyUhr, KeySek, KeyUbg, MelMsk, MelAwn, MelFcd, MelTrm, MelOff, MelFnr, MelGum, MelFam, MelMee, MelAec, MelErf, MelKsb, MelKdt, MelKfc, MelKgm, MelKfm, KeyTnr, MelDat) VALUES
  -- DRE01, order A26-004711 operation 00010, Huber: Monday
  (4810101, 0, 'M_A', '00001001', 'DRE01', 'A26-004711', '00010', '1', '1', '0', '0', '0', '2026-12-07 06:05:00', '2026-12-07 06:05:00', '01', '    ', 'RB', '00470011', 'A01', '01', 'O', 0, 0, 0, 'ST', '0', 'BDE-T01', '        ', NULL, '   ', 0, 0, 'T-100-2201', '2026-12-07 06:05:00'),
  (4810101, 1, 'MPA', '00001001', 'DRE01', 'A26-004711', '00010', '1', '1', '0', '0', '0', '2026-12-07 06:05:00', '2026-12-07 06:05:00', '02', '    ', 'PA', '00470011', 'P01', '01', 'O', 0, 0, 0, 'ST', '0', 'BDE-T01', '        ', NULL, '   ', 0, 0, 'T-100-2201', '2026-12-07 06:05:00'),
  (4810102, 0, 'M_A', '00001001', 'DRE01', 'A26-004711', '00010', '1', '0', '0', '0', '0', '2026-12-07 06:40:00', '2026-12-07 06:40:00', '99', '    ', 'RE', '00470011', 'A02', '01', 'O', 0, 0, 2, 'ST', '0', 'BDE-T01', '        ', NULL, '   ', 0, 0, 'T-100-2201', '2026-12-07 06:40:00'),
  (4810102, 1, 'MPA', '00001001', 'DRE01', 'A26-004711', '00010', '1', '0', '0', '0', '0', '2026-12-07 06:40:00', '2026-12-07 06:40:00', '98', '    ', 'PE', '00470011', 'P02', '01', 'O', 0, 0, 0, 'ST', '0', 'BDE-T01', '        ', NULL, '   ', 0, 0, 'T-100-2201', '2026-12-07 06:40:00'),
  (4810103, 0, 'M_A', '00001001', 'DRE01', 'A26-004711', '00010', '1', '0', '1', '0', '0', '2026-12-07 06:41:00', '2026-12-07 06:41:00', '01', '    ', 'AB', '00470011', 'A03', '01', 'O', 0, 0, 0, 'ST', '0', 'BDE-T01', '        ', NULL, '   ', 0, 0, 'T-100-2201', '2026-12-07 06:41:00'),
  (4810103, 1, 'MPA', '00001001', 'DRE01', 'A26-004711', '00010', '1', '0', '1', '0', '0', '2026-12-07 06:41:00', '2026-12-07 06:41:00', '02', '    ', 'PA', '00470011', 'P01', '01', 'O', 0, 0, 0, 'ST', '0', 'BDE-T01', '        ', NULL, '   ', 0, 0, 'T-100-2201', '2026-12-07 06:41:00'),
  -- pending AEI: 120 good pieces were in fact 125 good and 2 scrap
  (4810104, 0, 'M_A', '00001001', 'DRE01', 'A26-004711', '00010', '1', '0', '1', '0', '0', '2026-12-07 10:00:00', '2026-12-07 10:00:00', '50', '    ', 'AM', '00470011', 'A06', '01', 'O', 0, 120, 0, 'ST', '0', 'BDE-T01', 'DEMO01', '2026-12-08 08:10:00', 'AEI', 125, 2, 'T-100-2201', '2026-12-08 08:10:00'),
  -- pending AEZ: the interruption began at 10:40, not 11:00 (the clerk has
  -- moved the marked row; the person's PU of the booking still says 11:00)
  (4810105, 0, 'M_A', '00001001', 'DRE01', 'A26-004711', '00010', '1', '0', '1', '1', '0', '2026-12-07 10:40:00', '2026-12-07 10:40:00', '04', '0012', 'AU', '00470011', 'A04', '01', 'O', 0, 0, 0, 'ST', '0', 'BDE-T01', 'DEMO01', '2026-12-08 08:12:00', 'AEZ', 0, 0, 'T-100-2201', '2026-12-08 08:12:00'),
  (4810105, 1, 'MPA', '00001001', 'DRE01', 'A26-004711', '00010', '1', '0', '1', '1', '0', '2026-12-07 11:00:00', '2026-12-07 11:00:00', '05', '0012', 'PU', '00470011', 'P03', '01', 'O', 0, 0, 0, 'ST', '0', 'BDE-T01', '        ', NULL, '   ', 0, 0, 'T-100-2201', '2026-12-07 11:00:00'),
  (4810106, 0, 'M_A', '00001001', 'DRE01', 'A26-004711', '00010', '1', '0', '1', '0', '0', '2026-12-07 11:25:00', '2026-12-07 11:25:00', '96', '    ', 'AW', '00470011', 'A05', '01', 'O', 0, 0, 0, 'ST', '0', 'BDE-T01', '        ', NULL, '   ', 0, 0, 'T-100-2201', '2026-12-07 11:25:00'),
  (4810106, 1, 'MPA', '00001001', 'DRE01', 'A26-004711', '00010', '1', '0', '1', '0', '0', '2026-12-07 11:25:00', '2026-12-07 11:25:00', '95', '    ', 'PW', '00470011', 'P04', '01', 'O', 0, 0, 0, 'ST', '0', 'BDE-T01', '        ', NULL, '   ', 0, 0, 'T-100-2201', '2026-12-07 11:25:00'),
  (4810107, 0, 'M_A', '00001001', 'DRE01', 'A26-004711', '00010', '1', '0', '0', '0', '0', '2026-12-07 13:55:00', '2026-12-07 13:55:00', '99', '    ', 'AE', '00470011', 'A07', '01', 'O', 0, 60, 1, 'ST', '0', 'BDE-T01', '        ', NULL, '   ', 0, 0, 'T-100-2201', '2026-12-07 13:55:00'),
  (4810107, 1, 'MPA', '00001001', 'DRE01', 'A26-004711', '00010', '1', '0', '0', '0', '0', '2026-12-07 13:55:00', '2026-12-07 13:55:00', '98', '    ', 'PE', '00470011', 'P02', '01', 'O', 0, 0, 0, 'ST', '0', 'BDE-T01', '        ', NULL, '   ', 0, 0, 'T-100-2201', '2026-12-07 13:55:00'),
  -- DRE01 machine: started after setup, stopped at the end of the shift
  (4810108, 0, 'M__', '00000000', 'DRE01', '000000000000', '00000', '1', '0', '0', '0', '0', '2026-12-07 06:38:00', '2026-12-07 06:38:00', '01', '    ', 'BS', NULL, 'M01', '01', 'O', 0, 0, 0, 'ST', '0', 'BDE-T01', '        ', NULL, '   ', 0, 0, NULL, '2026-12-07 06:38:00'),
  -- pending AEZ: the machine stopped at 13:48 (the stop was booked late)
  (4810109, 0, 'M__', '00000000', 'DRE01', '000000000000', '00000', '1', '0', '0', '0', '0', '2026-12-07 13:48:00', '2026-12-07 13:48:00', '99', '    ', 'ES', NULL, 'M02', '01', 'O', 0, 0, 0, 'ST', '0', 'BDE-T01', 'DEMO01', '2026-12-08 08:14:00', 'AEZ', 0, 0, NULL, '2026-12-08 08:14:00'),
  -- DRE01: Tuesday, today
  (4810111, 0, 'M_A', '00001001', 'DRE01', 'A26-004711', '00010', '1', '0', '1', '0', '0', '2026-12-08 06:02:00', '2026-12-08 06:02:00', '01', '    ', 'AB', '00470011', 'A03', '01', 'O', 0, 0, 0, 'ST', '0', 'BDE-T01', '        ', NULL, '   ', 0, 0, 'T-100-2201', '2026-12-08 06:02:00'),
  (4810111, 1, 'MPA', '00001001', 'DRE01', 'A26-004711', '00010', '1', '0', '1', '0', '0', '2026-12-08 06:02:00', '2026-12-08 06:02:00', '02', '    ', 'PA', '00470011', 'P01', '01', 'O', 0, 0, 0, 'ST', '0', 'BDE-T01', '        ', NULL, '   ', 0, 0, 'T-100-2201', '2026-12-08 06:02:00'),
  (4810113, 0, 'M__', '00000000', 'DRE01', '000000000000', '00000', '1', '0', '0', '0', '0', '2026-12-08 06:01:00', '2026-12-08 06:01:00', '01', '    ', 'BS', NULL, 'M01', '01', 'O', 0, 0, 0, 'ST', '0', 'BDE-T01', '        ', NULL, '   ', 0, 0, NULL, '2026-12-08 06:01:00'),
  (4810112, 0, 'M_A', '00001001', 'DRE01', 'A26-004711', '00010', '1', '0', '1', '0', '0', '2026-12-08 08:45:00', '2026-12-08 08:45:00', '50', '    ', 'AM', '00470011', 'A06', '01', 'O', 0, 95, 0, 'ST', '0', 'BDE-T01', '        ', NULL, '   ', 0, 0, 'T-100-2201', '2026-12-08 08:45:00'),
  -- FRA01, order A26-004712 operation 00010: Yilmaz early shift, Novak late shift
  (4810201, 0, 'M_A', '00001002', 'FRA01', 'A26-004712', '00010', '1', '1', '0', '0', '0', '2026-12-07 06:10:00', '2026-12-07 06:10:00', '01', '    ', 'RB', '00470012', 'A01', '02', 'O', 0, 0, 0, 'ST', '0', 'BDE-T02', '        ', NULL, '   ', 0, 0, 'T-200-0450', '2026-12-07 06:10:00'),
  (4810201, 1, 'MPA', '00001002', 'FRA01', 'A26-004712', '00010', '1', '1', '0', '0', '0', '2026-12-07 06:10:00', '2026-12-07 06:10:00', '02', '    ', 'PA', '00470012', 'P01', '02', 'O', 0, 0, 0, 'ST', '0', 'BDE-T02', '        ', NULL, '   ', 0, 0, 'T-200-0450', '2026-12-07 06:10:00'),
  (4810202, 0, 'M_A', '00001002', 'FRA01', 'A26-004712', '00010', '1', '0', '0', '0', '0', '2026-12-07 07:05:00', '2026-12-07 07:05:00', '99', '    ', 'RE', '00470012', 'A02', '02', 'O', 0, 0, 1, 'ST', '0', 'BDE-T02', '        ', NULL, '   ', 0, 0, 'T-200-0450', '2026-12-07 07:05:00'),
  (4810202, 1, 'MPA', '00001002', 'FRA01', 'A26-004712', '00010', '1', '0', '0', '0', '0', '2026-12-07 07:05:00', '2026-12-07 07:05:00', '98', '    ', 'PE', '00470012', 'P02', '02', 'O', 0, 0, 0, 'ST', '0', 'BDE-T02', '        ', NULL, '   ', 0, 0, 'T-200-0450', '2026-12-07 07:05:00'),
  (4810203, 0, 'M_A', '00001002', 'FRA01', 'A26-004712', '00010', '1', '0', '1', '0', '0', '2026-12-07 07:06:00', '2026-12-07 07:06:00', '01', '    ', 'AB', '00470012', 'A03', '02', 'O', 0, 0, 0, 'ST', '0', 'BDE-T02', '        ', NULL, '   ', 0, 0, 'T-200-0450', '2026-12-07 07:06:00'),
  (4810203, 1, 'MPA', '00001002', 'FRA01', 'A26-004712', '00010', '1', '0', '1', '0', '0', '2026-12-07 07:06:00', '2026-12-07 07:06:00', '02', '    ', 'PA', '00470012', 'P01', '02', 'O', 0, 0, 0, 'ST', '0', 'BDE-T02', '        ', NULL, '   ', 0, 0, 'T-200-0450', '2026-12-07 07:06:00'),
  (4810204, 0, 'M_A', '00001002', 'FRA01', 'A26-004712', '00010', '1', '0', '0', '0', '0', '2026-12-07 13:50:00', '2026-12-07 13:50:00', '99', '    ', 'AE', '00470012', 'A07', '02', 'O', 0, 60, 0, 'ST', '0', 'BDE-T02', '        ', NULL, '   ', 0, 0, 'T-200-0450', '2026-12-07 13:50:00'),
  (4810204, 1, 'MPA', '00001002', 'FRA01', 'A26-004712', '00010', '1', '0', '0', '0', '0', '2026-12-07 13:50:00', '2026-12-07 13:50:00', '98', '    ', 'PE', '00470012', 'P02', '02', 'O', 0, 0, 0, 'ST', '0', 'BDE-T02', '        ', NULL, '   ', 0, 0, 'T-200-0450', '2026-12-07 13:50:00'),
  -- Novak started at 14:05 and left without booking the end of his work
  (4810205, 0, 'M_A', '00001003', 'FRA01', 'A26-004712', '00010', '1', '0', '1', '0', '0', '2026-12-07 14:05:00', '2026-12-07 14:05:00', '01', '    ', 'AB', '00470013', 'A03', '02', 'O', 0, 0, 0, 'ST', '0', 'BDE-T02', '        ', NULL, '   ', 0, 0, 'T-200-0450', '2026-12-07 14:05:00'),
  (4810205, 1, 'MPA', '00001003', 'FRA01', 'A26-004712', '00010', '1', '0', '1', '0', '0', '2026-12-07 14:05:00', '2026-12-07 14:05:00', '02', '    ', 'PA', '00470013', 'P01', '02', 'O', 0, 0, 0, 'ST', '0', 'BDE-T02', '        ', NULL, '   ', 0, 0, 'T-200-0450', '2026-12-07 14:05:00'),
  -- FRA01: Tuesday, today
  (4810211, 0, 'M_A', '00001002', 'FRA01', 'A26-004712', '00010', '1', '0', '1', '0', '0', '2026-12-08 06:05:00', '2026-12-08 06:05:00', '01', '    ', 'AB', '00470012', 'A03', '02', 'O', 0, 0, 0, 'ST', '0', 'BDE-T02', '        ', NULL, '   ', 0, 0, 'T-200-0450', '2026-12-08 06:05:00'),
  (4810211, 1, 'MPA', '00001002', 'FRA01', 'A26-004712', '00010', '1', '0', '1', '0', '0', '2026-12-08 06:05:00', '2026-12-08 06:05:00', '02', '    ', 'PA', '00470012', 'P01', '02', 'O', 0, 0, 0, 'ST', '0', 'BDE-T02', '        ', NULL, '   ', 0, 0, 'T-200-0450', '2026-12-08 06:05:00'),
  -- pending DEL: the work begin was booked twice; the clerk deletes the second booking
  (4810212, 0, 'M_A', '00001002', 'FRA01', 'A26-004712', '00010', '1', '0', '1', '0', '0', '2026-12-08 06:06:00', '2026-12-08 06:06:00', '01', '    ', 'AB', '00470012', 'A03', '02', 'O', 0, 0, 0, 'ST', '0', 'BDE-T02', 'DEMO01', '2026-12-08 08:20:00', 'DEL', 0, 0, 'T-200-0450', '2026-12-08 08:20:00'),
  (4810212, 1, 'MPA', '00001002', 'FRA01', 'A26-004712', '00010', '1', '0', '1', '0', '0', '2026-12-08 06:06:00', '2026-12-08 06:06:00', '02', '    ', 'PA', '00470012', 'P01', '02', 'O', 0, 0, 0, 'ST', '0', 'BDE-T02', '        ', NULL, '   ', 0, 0, 'T-200-0450', '2026-12-08 06:06:00'),
  -- pending correction of another clerk (KLEIN): not part of DEMO01's run
  (4810213, 0, 'M_A', '00001002', 'FRA01', 'A26-004712', '00010', '1', '0', '1', '0', '0', '2026-12-08 09:10:00', '2026-12-08 09:10:00', '50', '    ', 'AM', '00470012', 'A06', '02', 'O', 0, 28, 0, 'ST', '0', 'BDE-T02', 'KLEIN', '2026-12-08 09:15:00', 'AEI', 30, 0, 'T-200-0450', '2026-12-08 09:15:00'),
  -- MON01, order A26-004713 operation 00010 (the order's only operation), Schmid
  (4810301, 0, 'M_A', '00001004', 'MON01', 'A26-004713', '00010', '1', '0', '1', '0', '0', '2026-12-07 07:00:00', '2026-12-07 07:00:00', '01', '    ', 'AB', '00470014', 'A03', '03', 'O', 0, 0, 0, 'ST', '0', 'BDE-T03', '        ', NULL, '   ', 0, 0, 'B-700-0007', '2026-12-07 07:00:00'),
  (4810301, 1, 'MPA', '00001004', 'MON01', 'A26-004713', '00010', '1', '0', '1', '0', '0', '2026-12-07 07:00:00', '2026-12-07 07:00:00', '02', '    ', 'PA', '00470014', 'P01', '03', 'O', 0, 0, 0, 'ST', '0', 'BDE-T03', '        ', NULL, '   ', 0, 0, 'B-700-0007', '2026-12-07 07:00:00'),
  -- pending STA: the end was booked as a partial end (closing mark 0), but the
  -- operation is finished: the clerk switches the closing mark
  (4810302, 0, 'M_A', '00001004', 'MON01', 'A26-004713', '00010', '1', '0', '0', '0', '0', '2026-12-07 13:45:00', '2026-12-07 13:45:00', '99', '    ', 'AE', '00470014', 'A07', '03', 'O', 0, 40, 0, 'ST', '0', 'BDE-T03', 'DEMO01', '2026-12-08 08:25:00', 'STA', 0, 0, 'B-700-0007', '2026-12-08 08:25:00'),
  (4810302, 1, 'MPA', '00001004', 'MON01', 'A26-004713', '00010', '1', '0', '0', '0', '0', '2026-12-07 13:45:00', '2026-12-07 13:45:00', '98', '    ', 'PE', '00470014', 'P02', '03', 'O', 0, 0, 0, 'ST', '0', 'BDE-T03', '        ', NULL, '   ', 0, 0, 'B-700-0007', '2026-12-07 13:45:00');

-- Pending NEW of DEMO01: Novak's end of work on Monday, entered by the clerk.
-- The clerk's application writes only what the clerk entered; the correction
-- completes the message (status flags, object type, function code, badge).
INSERT INTO Qvt560Mel (KeyBnr, KeyLfn, KeyPnr, KeyApl, KeyApk, KeyApp, KeyDat, KeyUhr, MelMsk, MelFnr, MelGum, MelFam, MelMee, MelKsb, MelKdt, MelKfc, MelKgm, MelKfm, MelDat) VALUES
  (4810900, 0, '00001003', 'FRA01', 'A26-004712', '00010', '2026-12-07 21:50:00', '2026-12-07 21:50:00', 'AT', 0, 0, 0, 'ST', 'DEMO01', '2026-12-08 08:18:00', 'NEW', 55, 0, '2026-12-08 08:18:00');

-- What every terminal writes the same way.
UPDATE Qvt560Mel SET Sts006 = '0', Sts007 = '0', Sts008 = '0', Sts009 = '0', Sts010 = '0',
  Sts011 = '0', Sts012 = '0', Sts013 = '0', Sts014 = '0', Sts015 = '0', Sts016 = '0',
  MelMam = 0, MelNam = 0, MelZt1 = 0, MelZt2 = 0, MelZt3 = 0, MelTrc = '0',
  MelKmm = 0, MelKnm = 0;

COMMIT;
