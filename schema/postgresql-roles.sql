-- Login role of the correction program with exactly the rights its statements
-- need, PostgreSQL 15 or later. A psql script (it uses psql variables and \gexec).
--
-- Run it in the program's database, after schema/postgresql.sql, as the owner
-- of the tables (or a superuser), with a role that may create roles:
--   psql -v ON_ERROR_STOP=1 -v role=qvkorr -d <database> -f schema/postgresql-roles.sql
-- and give the role its password afterwards (psql asks, nothing shows in a
-- process list):
--   psql -d <database> -c '\password qvkorr'
-- or, for scripts, add -v password=... to the first command.
--
-- The role is created when it does not exist (LOGIN, nothing else: no
-- superuser, no right to create databases or roles). Running the script again
-- first takes back every right the role has on the program's tables and the
-- calendar, then grants the list below again, so it always ends with exactly
-- these rights (also after a change of this file).
--
-- What the rights cover, table by table (the program's statements):
--   read only            parameters, function codes, master data, shift and
--                        person-time tables, terminal lines, the calendar
--   read and change      messages, evaluation rows, scratch list, order
--                        headers and operations, upload numbers, markers
--   insert only          planning interface records, error list
-- Nothing else: no TRUNCATE, REFERENCES or TRIGGER, no right on any other
-- table, no CREATE in any schema. The session's date functions live in its
-- temporary schema, hence TEMPORARY on the database. The correction's advisory
-- lock (pg_advisory_xact_lock) is a function every role may call.

\if :{?role}
\else
  \echo 'postgresql-roles.sql: name the login role with -v role=NAME'
  \quit
\endif

BEGIN;

SELECT format('CREATE ROLE %I LOGIN NOSUPERUSER NOCREATEDB NOCREATEROLE NOINHERIT', :'role')
WHERE NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = :'role')
\gexec

\if :{?password}
ALTER ROLE :"role" PASSWORD :'password';
\endif

-- The database and the schemas: connect, temporary functions, find the tables.
SELECT format('GRANT CONNECT, TEMPORARY ON DATABASE %I TO %I', current_database(), :'role')
\gexec
SELECT format('GRANT USAGE ON SCHEMA %I TO %I', current_schema(), :'role')
\gexec
GRANT USAGE ON SCHEMA QvSystem TO :"role";

-- Start from nothing on the program's tables and the calendar.
SELECT format('REVOKE ALL ON ALL TABLES IN SCHEMA %I FROM %I', current_schema(), :'role')
\gexec
REVOKE ALL ON ALL TABLES IN SCHEMA QvSystem FROM :"role";

-- Read only.
GRANT SELECT ON
  Qvt553Fzu, Qvt591Nzp, Qvt531Apl, Qvt510Prv, Qvt532Aem, Qvt533Emo, Qvt535Pms,
  Qvt536Pmz, Qvt327Tag, Qvt328Bup, Qvt329Ztg, Qvt140Azv, Qvt143Pse, Qvt323Gps,
  Qvt322Gaz, Qvt565Map, Qvt557Cfg
TO :"role";
GRANT SELECT ON QvSystem.Qvt133Bak, QvSystem.Qvt133Kal TO :"role";

-- Messages and evaluation rows: read, insert, change, delete. The row lock of
-- a correction (select ... for update) needs UPDATE.
GRANT SELECT, INSERT, UPDATE, DELETE ON Qvt560Mel, Qvt590Nza TO :"role";
-- Scratch list: written, read in order and deleted, never changed.
GRANT SELECT, INSERT, DELETE ON Qvt561Mlt TO :"role";
-- Order headers and operations: read, changed, a finished one deleted.
GRANT SELECT, UPDATE, DELETE ON Qvt501Apk, Qvt504App TO :"role";
-- Upload-number counters (update ... returning) and re-evaluation markers.
GRANT SELECT, INSERT, UPDATE ON Qvt552Bnr, Qvt563Mrk TO :"role";
-- Planning interface records and the error list are only ever inserted.
GRANT INSERT ON Qvt580Pps, Qvt554Err TO :"role";

COMMIT;
