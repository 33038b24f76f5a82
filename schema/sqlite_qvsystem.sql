-- System calendar database of the correction program, SQLite: the file QvSystem.db in
-- the folder of the main database file. The program attaches it as schema QvSystem.
--
-- Load into a new, empty database file:
--   sqlite3 QvSystem.db < schema/sqlite_qvsystem.sql
--
-- Dates are TEXT 'YYYY-MM-DD HH:MM:SS' (a calendar day at 00:00:00).

BEGIN;

-- Factory calendar: one row per calendar day (BakDtm at midnight).
CREATE TABLE Qvt133Bak (
  BakDtm TEXT NOT NULL CONSTRAINT BakDtm_Date CHECK (length(BakDtm) = 19 AND BakDtm GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(BakDtm, '+0 seconds') IS BakDtm),
  BakJhr INTEGER,
  BakMon INTEGER,
  BakTag INTEGER,
  BakWch INTEGER,
  BakWtg INTEGER,
  BakJtg INTEGER,
  CONSTRAINT Qvt133Bak_PK PRIMARY KEY (BakDtm)
);

-- Calendars of the shift-model assignments: day type KalBtp of calendar KalNum
-- on day KalDtm.
CREATE TABLE Qvt133Kal (
  KalNum TEXT NOT NULL CONSTRAINT KalNum_Width CHECK (length(KalNum) <= 5),
  KalDtm TEXT NOT NULL CONSTRAINT KalDtm_Date CHECK (length(KalDtm) = 19 AND KalDtm GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' AND datetime(KalDtm, '+0 seconds') IS KalDtm),
  KalBtp TEXT CONSTRAINT KalBtp_Width CHECK (length(KalBtp) <= 3),
  CONSTRAINT Qvt133Kal_PK PRIMARY KEY (KalNum, KalDtm)
);

COMMIT;
