-- Bench data for PostgreSQL: a large shop-floor history on top of the demo plant
-- and the pending corrections of the clerk BENCH.
--
-- Load after schema/postgresql.sql and demo/plant.sql,
-- with the temporary table bench_par created first (bench/run-bench.sh does):
--   jobs      number of jobs (one job: one order operation worked by one person
--             at one workplace in a 30-minute slot, 14 messages)
--   days      number of working days the jobs fill (64 jobs a day)
--   last_day  the last working day ('YYYY-MM-DD', a Friday before "today")
--   c_aei, c_sta, c_aez_au, c_aez_es, c_del, c_new
--             pending corrections of BENCH per kind (c_aez_au interruptions,
--             c_aez_es machine stops, both marked AEZ). Each takes a booking
--             of its own, so the data limits them: c_aei <= 2 * jobs,
--             c_sta <= jobs - c_new, c_aez_au <= jobs, c_aez_es <= 3 * days,
--             c_del <= jobs, c_new <= jobs / 10; beyond a limit fewer are
--             marked (bench/run-bench.sh refuses such numbers).
--
-- bench/gen-sqlite.sql is the same generation for SQLite; keep them in step.
-- Dates are computed as date and timestamp values (day + minutes).
--
-- The lines of the plant (64 job slots a day):
--   slot  0- 7  DRE01 Huber   06:00 14:00, every full hour
--   slot  8-15  DRE02 Huber   06:30 14:00, every half past (Huber runs both lathes)
--   slot 16-31  FRA01 Yilmaz  early shift 06:00-14:00
--   slot 32-47  FRA01 Novak   late shift 14:00-22:00 (time model 1)
--   slot 48-63  MON01 Schmid  06:00-14:00
-- A job at slot start t: RB+PA t, RE+PE t+4, AB+PA t+5, AM t+12, AU+PU t+15,
-- AW+PW t+19, AM t+24, AE+PE t+28 (minutes). Two consecutive jobs of a line
-- are the two operations 00010 and 00020 of one order. The machines DRE01,
-- DRE02 and FRA01 start (BS) before and stop (ES) after their shifts.
--
-- The corrections (one booking each, no booking corrected twice):
--   AEI  a quantity report (AM, first of the job) or a setup end (RE) with
--        corrected quantities
--   STA  an end of work (AE): closing mark 1 -> 0, or 0 -> 1 (no later message)
--   AEZ  an interruption (AU) booked 2 minutes late, or a machine stop (ES)
--        booked 5 minutes late: the clerk has moved the marked row
--   DEL  the second quantity report (AM) of a job, booked twice
--   NEW  a missing end of work (AT or AE) entered by the clerk; the job has no
--        terminal AE/PE booking

BEGIN;

-- Minutes and seconds after the start of a day.
CREATE FUNCTION pg_temp.bench_at(d date, minutes integer) RETURNS timestamp
  LANGUAGE sql IMMUTABLE AS $$ SELECT d + make_interval(mins => minutes) $$;
CREATE FUNCTION pg_temp.bench_at_s(d date, seconds integer) RETURNS timestamp
  LANGUAGE sql IMMUTABLE AS $$ SELECT d + make_interval(secs => seconds) $$;

-- Working days: the last `days` weekdays up to last_day; bench_cal holds every
-- calendar day of the range and a few before it (calendar, person time).
CREATE TEMP TABLE bench_cal AS
WITH RECURSIVE c(k) AS (
  SELECT 0 UNION ALL SELECT k + 1 FROM c, bench_par p WHERE k < p.days * 7 / 5 + 10)
SELECT CAST(p.last_day AS date) - c.k AS day FROM c, bench_par p;

CREATE TEMP TABLE bench_day AS
SELECT day, CAST(row_number() OVER (ORDER BY day) - 1 AS integer) AS w FROM (
  SELECT day FROM bench_cal WHERE extract(isodow FROM day) < 6
  ORDER BY day DESC LIMIT (SELECT days FROM bench_par)) AS d;

DELETE FROM bench_cal WHERE day < (SELECT min(day) FROM bench_day) - 3;

-- Factory calendar and day types for the days the demo plant does not cover.
INSERT INTO QvSystem.Qvt133Bak (BakDtm, BakJhr, BakMon, BakTag, BakWch, BakWtg, BakJtg)
SELECT day, extract(year FROM day), extract(month FROM day), extract(day FROM day),
       extract(week FROM day), extract(isodow FROM day), extract(doy FROM day)
FROM bench_cal
WHERE NOT EXISTS (SELECT 1 FROM QvSystem.Qvt133Bak b WHERE b.BakDtm = bench_cal.day);

INSERT INTO QvSystem.Qvt133Kal (KalNum, KalDtm, KalBtp)
SELECT 'WERK', day,
       CASE extract(isodow FROM day) WHEN 6 THEN 'SA' WHEN 7 THEN 'SO' ELSE 'AT' END
FROM bench_cal
WHERE NOT EXISTS (SELECT 1 FROM QvSystem.Qvt133Kal k
                  WHERE k.KalNum = 'WERK' AND k.KalDtm = bench_cal.day);

-- Novak (time model 1): day models, person days and booking periods of every
-- day, as the demo plant has them for its weeks.
INSERT INTO Qvt329Ztg (ZtgPnr, ZtgVon, ZtgAzt, ZtgAgr, ZtgTtp)
SELECT '00001003', day,
       CASE WHEN extract(isodow FROM day) >= 6 THEN 'FREI' ELSE 'SP0800' END,
       CASE WHEN extract(isodow FROM day) >= 6 THEN 'FREI' ELSE 'SPAET' END,
       CASE extract(isodow FROM day) WHEN 6 THEN 'SA' WHEN 7 THEN 'SO' ELSE 'AT' END
FROM bench_cal
WHERE NOT EXISTS (SELECT 1 FROM Qvt329Ztg z
                  WHERE z.ZtgPnr = '00001003' AND z.ZtgVon = bench_cal.day);

INSERT INTO Qvt327Tag (TagPnr, TagTag, TagVon, TagUhr, TagBis, TagEnd, TagTgb, TagOne)
SELECT '00001003', day,
       CASE WHEN wd THEN pg_temp.bench_at(day, 833) END, CASE WHEN wd THEN pg_temp.bench_at(day, 833) END,
       CASE WHEN wd THEN pg_temp.bench_at(day, 1325) END, CASE WHEN wd THEN pg_temp.bench_at(day, 1325) END,
       CASE WHEN wd THEN 'SPAET' ELSE 'FREI' END, CASE WHEN wd THEN 0 ELSE 1 END
FROM (SELECT day, extract(isodow FROM day) < 6 AS wd FROM bench_cal) c
WHERE NOT EXISTS (SELECT 1 FROM Qvt327Tag t
                  WHERE t.TagPnr = '00001003' AND t.TagTag = c.day);

INSERT INTO Qvt328Bup (BupPnr, BupVon, BupUhr, BupFkt, BupBis, BupEnd, BupFfk, BupTvo, BupTbi, BupAvo, BupAbi, BupWzv, BupWzb)
SELECT '00001003', day, pg_temp.bench_at(day, 833), 1, day,
       pg_temp.bench_at(day, 1325), 0, 833, 1325, 840, 1320, 0, 0
FROM bench_cal
WHERE extract(isodow FROM day) < 6
  AND NOT EXISTS (SELECT 1 FROM Qvt328Bup u
                  WHERE u.BupPnr = '00001003' AND u.BupVon = bench_cal.day);

-- Lines of the plant and the jobs.
CREATE TEMP TABLE bench_line (first_s INTEGER, cnt INTEGER, apl TEXT, apg TEXT, pnr TEXT,
  awn TEXT, trm TEXT, erf TEXT, fbe TEXT, kst TEXT, start_min INTEGER, step_min INTEGER,
  txt TEXT);
INSERT INTO bench_line VALUES
  ( 0,  8, 'DRE01', 'DREH',  '00001001', '00470011', '01', 'BDE-T01', '1100', '4110', 360, 60, 'Drehen'),
  ( 8,  8, 'DRE02', 'DREH',  '00001001', '00470011', '01', 'BDE-T01', '1100', '4110', 390, 60, 'Drehen'),
  (16, 16, 'FRA01', 'FRAES', '00001002', '00470012', '02', 'BDE-T02', '1200', '4120', 360, 30, 'Fraesen'),
  (32, 16, 'FRA01', 'FRAES', '00001003', '00470013', '02', 'BDE-T02', '1200', '4120', 840, 30, 'Fraesen'),
  (48, 16, 'MON01', 'MONT',  '00001004', '00470014', '03', 'BDE-T03', '2100', '4210', 360, 30, 'Montage');

CREATE TEMP TABLE bench_job AS
SELECT n.j AS j, d.day AS day, l.apl AS apl, l.apg AS apg, l.pnr AS pnr, l.awn AS awn,
       l.trm AS trm, l.erf AS erf, l.fbe AS fbe, l.kst AS kst, l.txt AS txt,
       l.start_min + l.step_min * (n.j % 64 - l.first_s) AS t0,
       'B26-' || lpad(CAST(n.j / 2 AS text), 6, '0') AS apk,
       CASE n.j % 2 WHEN 0 THEN '00010' ELSE '00020' END AS app,
       'T-' || lpad(CAST((n.j / 2) % 400 AS text), 4, '0') AS tnr,
       -- every other order ends its second operation with a partial end
       CASE WHEN n.j % 4 = 3 THEN '0' ELSE '1' END AS aec,
       0 AS newend
FROM generate_series(0, (SELECT jobs FROM bench_par) - 1) AS n(j)
JOIN bench_day d ON d.w = n.j / 64
JOIN bench_line l ON n.j % 64 BETWEEN l.first_s AND l.first_s + l.cnt - 1;

-- Jobs whose end of work the terminal never got (NEW corrections).
UPDATE bench_job SET newend = 1 WHERE j IN (
  SELECT j FROM bench_job WHERE j % 10 = 9 ORDER BY (j * 6151) % 10007, j
  LIMIT (SELECT c_new FROM bench_par));

-- Message templates of one job: booking b (KeyBnr = 60000000 + 10 * job + b).
CREATE TEMP TABLE bench_tpl (b INTEGER, lfn INTEGER, obj TEXT, msk TEXT, fcd TEXT, sek TEXT,
  off INTEGER, r TEXT, a TEXT, u TEXT, ubg TEXT);
INSERT INTO bench_tpl VALUES
  (1, 0, 'M_A', 'RB', 'A01', '01',  0, '1', '0', '0', '    '),
  (1, 1, 'MPA', 'PA', 'P01', '02',  0, '1', '0', '0', '    '),
  (2, 0, 'M_A', 'RE', 'A02', '99',  4, '0', '0', '0', '    '),
  (2, 1, 'MPA', 'PE', 'P02', '98',  4, '0', '0', '0', '    '),
  (3, 0, 'M_A', 'AB', 'A03', '01',  5, '0', '1', '0', '    '),
  (3, 1, 'MPA', 'PA', 'P01', '02',  5, '0', '1', '0', '    '),
  (4, 0, 'M_A', 'AM', 'A06', '50', 12, '0', '1', '0', '    '),
  (5, 0, 'M_A', 'AU', 'A04', '04', 15, '0', '1', '1', '0012'),
  (5, 1, 'MPA', 'PU', 'P03', '05', 15, '0', '1', '1', '0012'),
  (6, 0, 'M_A', 'AW', 'A05', '96', 19, '0', '1', '0', '    '),
  (6, 1, 'MPA', 'PW', 'P04', '95', 19, '0', '1', '0', '    '),
  (7, 0, 'M_A', 'AM', 'A06', '50', 24, '0', '1', '0', '    '),
  (8, 0, 'M_A', 'AE', 'A07', '99', 28, '0', '0', '0', '    '),
  (8, 1, 'MPA', 'PE', 'P02', '98', 28, '0', '0', '0', '    ');

INSERT INTO Qvt560Mel (KeyBnr, KeyLfn, ObjTyp, KeyPnr, KeyApl, KeyApk, KeyApp, Sts00E, Sts00R, Sts00A, Sts00U, Sts00S, Sts006, Sts007, Sts008, Sts009, Sts010, Sts011, Sts012, Sts013, Sts014, Sts015, Sts016, KeyDat, KeyUhr, KeySek, KeyUbg, MelMsk, MelAwn, MelFcd, MelTrm, MelOff, MelFnr, MelGum, MelFam, MelMam, MelNam, MelZt1, MelZt2, MelZt3, MelMee, MelAec, MelTrc, MelErf, MelKsb, MelKdt, MelKfc, MelKgm, MelKfm, MelKmm, MelKnm, KeyTnr, MelDat)
SELECT 60000000 + 10 * j.j + t.b, t.lfn, t.obj, j.pnr, j.apl, j.apk, j.app,
       '1', t.r, t.a, t.u, '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0',
       pg_temp.bench_at(j.day, j.t0 + t.off), pg_temp.bench_at(j.day, j.t0 + t.off),
       t.sek, t.ubg, t.msk, j.awn, t.fcd, j.trm, 'O', 0,
       CASE WHEN t.lfn <> 0 THEN 0
            WHEN t.b = 4 THEN 10 + (j.j * 7) % 15
            WHEN t.b = 7 THEN 8 + (j.j * 3) % 10
            WHEN t.b = 8 THEN 5 + j.j % 9
            ELSE 0 END,
       CASE WHEN t.lfn <> 0 THEN 0
            WHEN t.b = 2 AND j.j % 5 = 0 THEN 1
            WHEN t.b = 8 AND j.j % 13 = 0 THEN 1
            ELSE 0 END,
       0, 0, 0, 0, 0, 'ST', CASE WHEN t.msk = 'AE' THEN j.aec ELSE '0' END, '0', j.erf,
       '        ', NULL, '   ', 0, 0, 0, 0, j.tnr,
       pg_temp.bench_at_s(j.day, (j.t0 + t.off) * 60 + 3)
FROM bench_job j, bench_tpl t
WHERE NOT (j.newend = 1 AND t.b = 8);

-- Machine start and stop of DRE01, DRE02 and FRA01 on every day with jobs
-- (KeyBnr = 70000000 + 10 * day + k).
CREATE TEMP TABLE bench_mach (k INTEGER, apl TEXT, msk TEXT, fcd TEXT, sek TEXT, min INTEGER,
  trm TEXT, erf TEXT);
INSERT INTO bench_mach VALUES
  (1, 'DRE01', 'BS', 'M01', '01',  358, '01', 'BDE-T01'),
  (2, 'DRE01', 'ES', 'M02', '99',  842, '01', 'BDE-T01'),
  (3, 'DRE02', 'BS', 'M01', '01',  388, '01', 'BDE-T01'),
  (4, 'DRE02', 'ES', 'M02', '99',  845, '01', 'BDE-T01'),
  (5, 'FRA01', 'BS', 'M01', '01',  355, '02', 'BDE-T02'),
  (6, 'FRA01', 'ES', 'M02', '99', 1323, '02', 'BDE-T02');

INSERT INTO Qvt560Mel (KeyBnr, KeyLfn, ObjTyp, KeyPnr, KeyApl, KeyApk, KeyApp, Sts00E, Sts00R, Sts00A, Sts00U, Sts00S, Sts006, Sts007, Sts008, Sts009, Sts010, Sts011, Sts012, Sts013, Sts014, Sts015, Sts016, KeyDat, KeyUhr, KeySek, KeyUbg, MelMsk, MelAwn, MelFcd, MelTrm, MelOff, MelFnr, MelGum, MelFam, MelMam, MelNam, MelZt1, MelZt2, MelZt3, MelMee, MelAec, MelTrc, MelErf, MelKsb, MelKdt, MelKfc, MelKgm, MelKfm, MelKmm, MelKnm, KeyTnr, MelDat)
SELECT 70000000 + 10 * d.w + m.k, 0, 'M__', '00000000', m.apl, '000000000000', '00000',
       '1', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0',
       pg_temp.bench_at(d.day, m.min), pg_temp.bench_at(d.day, m.min),
       m.sek, '    ', m.msk, NULL, m.fcd, m.trm, 'O', 0, 0, 0, 0, 0, 0, 0, 0, 'ST', '0', '0',
       m.erf, '        ', NULL, '   ', 0, 0, 0, 0, NULL,
       pg_temp.bench_at_s(d.day, m.min * 60 + 2)
FROM bench_day d, bench_mach m
WHERE d.w * 64 < (SELECT jobs FROM bench_par);

-- The missing ends of work, as the clerk's application writes them: only what
-- the clerk entered (the correction completes the message).
INSERT INTO Qvt560Mel (KeyBnr, KeyLfn, KeyPnr, KeyApl, KeyApk, KeyApp, KeyDat, KeyUhr, MelMsk, MelFnr, MelGum, MelFam, MelMee, MelKsb, MelKdt, MelKfc, MelKgm, MelKfm, MelDat)
SELECT 60000000 + 10 * j + 8, 0, pnr, apl, apk, app,
       pg_temp.bench_at(day, t0 + 28), pg_temp.bench_at(day, t0 + 28),
       CASE WHEN j % 20 = 19 THEN 'AE' ELSE 'AT' END, 0, 0, 0, 'ST', 'BENCH',
       TIMESTAMP '2026-12-08 07:40:00', 'NEW', 5 + j % 9, 0, TIMESTAMP '2026-12-08 07:40:00'
FROM bench_job WHERE newend = 1;

-- Orders (two operations each) and operations, in the state the messages left
-- them.
INSERT INTO Qvt501Apk (ApkApk, ApkBz1, ApkBz2, ApkTxt, ApkSts, ApkSis, ApkKun, ApkKb1, ApkKb2, ApkBgs, ApkEns, ApkAfo, ApkEaf, ApkTnr, ApkTb1, ApkTb2, ApkSme, ApkIme, ApkMee, ApkBdi, ApkEdi, ApkFbe, ApkKst, ApkZf1, ApkZf2, ApkZf3, ApkKnz, ApkSsn, ApkDna, ApkDwn, ApkSta, ApkDat, ApkErf, ApkAba)
SELECT f.apk, 'Serienteil ' || f.tnr, NULL, f.txt,
       CASE WHEN l.aec = '1' AND l.newend = 0 THEN 9 ELSE 3 END,
       CASE WHEN l.aec = '1' AND l.newend = 0 THEN 3 ELSE 1 END,
       '10023', 'Maschinenbau Ostheim GmbH', NULL, f.day, l.day,
       2, CASE WHEN l.aec = '1' AND l.newend = 0 THEN 3 WHEN f.newend = 0 THEN 1 ELSE 0 END,
       f.tnr, 'Serienteil', NULL, 40, 0, 'ST',
       pg_temp.bench_at(f.day, f.t0),
       CASE WHEN l.aec = '1' AND l.newend = 0 THEN pg_temp.bench_at(l.day, l.t0 + 28) END,
       f.fbe, f.kst, NULL, NULL, NULL, '0', 0, NULL, NULL, 1,
       pg_temp.bench_at_s(l.day, (l.t0 + 28) * 60 + 5), 'BDE', 1
FROM bench_job f JOIN bench_job l ON l.j = f.j + 1
WHERE f.j % 2 = 0;

-- A first operation without its second one (odd number of jobs): one order
-- with that operation alone.
INSERT INTO Qvt501Apk (ApkApk, ApkBz1, ApkTxt, ApkSts, ApkSis, ApkKun, ApkKb1, ApkBgs, ApkEns, ApkAfo, ApkEaf, ApkTnr, ApkTb1, ApkSme, ApkIme, ApkMee, ApkBdi, ApkFbe, ApkKst, ApkKnz, ApkSsn, ApkSta, ApkDat, ApkErf, ApkAba)
SELECT f.apk, 'Serienteil ' || f.tnr, f.txt, 3, 1, '10023', 'Maschinenbau Ostheim GmbH',
       f.day, f.day, 2, 0, f.tnr, 'Serienteil', 40, 0, 'ST',
       pg_temp.bench_at(f.day, f.t0), f.fbe, f.kst, '0', 0, 1,
       pg_temp.bench_at(f.day, f.t0), 'BDE', 1
FROM bench_job f
WHERE f.j % 2 = 0 AND NOT EXISTS (SELECT 1 FROM bench_job l WHERE l.j = f.j + 1);

INSERT INTO Qvt504App (AppApk, AppApp, AppVaf, AppNaf, AppBz1, AppBz2, AppTxt, AppSts, AppSis, AppBdi, AppBds, AppSbd, AppEdi, AppEds, AppSed, AppRad, AppRed, AppAgs, AppAbs, AppAes, AppSme, AppIme, AppAme, AppMee, AppSza, AppStr, AppSte, AppIta, AppItr, AppIte, AppApg, AppApl, AppKt1, AppKz1, AppKt2, AppKz2, AppKt3, AppKz3, AppKt4, AppKz4, AppFbe, AppKst, AppZf1, AppZf2, AppZf3, AppKnz, AppSsn, AppDna, AppDwn, AppSta, AppDat, AppErf)
SELECT j.apk, j.app, CASE j.app WHEN '00010' THEN '00000' ELSE '00010' END,
       CASE j.app WHEN '00010' THEN '00020' ELSE '00000' END,
       j.txt || ' ' || CASE j.app WHEN '00010' THEN 'vor' ELSE 'fertig' END, NULL, j.txt,
       CASE WHEN j.newend = 1 THEN 3 WHEN j.aec = '1' THEN 9 ELSE 6 END,
       CASE WHEN j.newend = 1 THEN 2 ELSE 3 END,
       pg_temp.bench_at(j.day, j.t0), pg_temp.bench_at(j.day, 360), pg_temp.bench_at(j.day, 360),
       CASE WHEN j.newend = 0 THEN pg_temp.bench_at(j.day, j.t0 + 28) END,
       pg_temp.bench_at(j.day, 1320), pg_temp.bench_at(j.day, 1320),
       pg_temp.bench_at(j.day, j.t0), pg_temp.bench_at(j.day, j.t0 + 4),
       0, 0, 0, 40,
       10 + (j.j * 7) % 15 + 8 + (j.j * 3) % 10 + CASE WHEN j.newend = 0 THEN 5 + j.j % 9 ELSE 0 END,
       CASE WHEN j.j % 5 = 0 THEN 1 ELSE 0 END + CASE WHEN j.newend = 0 AND j.j % 13 = 0 THEN 1 ELSE 0 END,
       'ST', 1, 4, 0.6, 0, 0, 0, j.apg, j.apl, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,
       j.fbe, j.kst, NULL, NULL, NULL, '0', 0, NULL, NULL, 1,
       pg_temp.bench_at_s(j.day, (j.t0 + 28) * 60 + 5), 'BDE'
FROM bench_job j;

-- The pending corrections of BENCH: one booking each.
CREATE TEMP TABLE bench_corr (bnr INTEGER PRIMARY KEY, kfc TEXT);

INSERT INTO bench_corr
SELECT 60000000 + 10 * j + b, 'AEI' FROM (
  SELECT j, b FROM bench_job, (SELECT 4 AS b UNION ALL SELECT 2) AS bb
  ORDER BY (j * 7919 + b * 104729) % 10007, j, b
  LIMIT (SELECT c_aei FROM bench_par)) AS s;

INSERT INTO bench_corr
SELECT 60000000 + 10 * j + 8, 'STA' FROM (
  SELECT j FROM bench_job WHERE newend = 0 ORDER BY (j * 4099) % 10009, j
  LIMIT (SELECT c_sta FROM bench_par)) AS s;

INSERT INTO bench_corr
SELECT 60000000 + 10 * j + 5, 'AEZ' FROM (
  SELECT j FROM bench_job ORDER BY (j * 3571) % 10037, j
  LIMIT (SELECT c_aez_au FROM bench_par)) AS s;

INSERT INTO bench_corr
SELECT 70000000 + 10 * w + k, 'AEZ' FROM (
  SELECT d.w AS w, m.k AS k FROM bench_day d, bench_mach m
  WHERE m.msk = 'ES' AND d.w * 64 < (SELECT jobs FROM bench_par)
  ORDER BY (d.w * 2311 + m.k * 613) % 1009, d.w, m.k
  LIMIT (SELECT c_aez_es FROM bench_par)) AS s;

INSERT INTO bench_corr
SELECT 60000000 + 10 * j + 7, 'DEL' FROM (
  SELECT j FROM bench_job ORDER BY (j * 5003) % 10039, j
  LIMIT (SELECT c_del FROM bench_par)) AS s;

-- Mark the rows as the clerk's application does: the workplace row of the
-- booking (KeyLfn 0) gets the clerk, the correction code and the corrected
-- quantities; a time shift moves the marked row to the corrected time.
UPDATE Qvt560Mel
SET MelKsb = 'BENCH',
    MelKdt = TIMESTAMP '2026-12-08 07:30:00',
    MelKfc = (SELECT kfc FROM bench_corr c WHERE c.bnr = Qvt560Mel.KeyBnr),
    MelKgm = CASE WHEN MelMsk = 'AM' AND KeyBnr % 10 = 4 THEN MelGum + (KeyBnr / 10) % 5 - 2
                  ELSE 0 END,
    MelKfm = CASE WHEN MelMsk = 'AM' AND KeyBnr % 10 = 4 THEN (KeyBnr / 10) % 2
                  WHEN MelMsk = 'RE' THEN 1 - MelFam ELSE 0 END,
    KeyDat = CASE WHEN MelMsk = 'AU' THEN KeyDat - INTERVAL '2 minutes'
                  WHEN MelMsk = 'ES' THEN KeyDat - INTERVAL '5 minutes' ELSE KeyDat END,
    KeyUhr = CASE WHEN MelMsk = 'AU' THEN KeyUhr - INTERVAL '2 minutes'
                  WHEN MelMsk = 'ES' THEN KeyUhr - INTERVAL '5 minutes' ELSE KeyUhr END
WHERE KeyLfn = 0 AND KeyBnr IN (SELECT bnr FROM bench_corr);

COMMIT;
