# shellcheck shell=bash
# Shared parts of demo/run-demo.sh and bench/run-bench.sh: the temporary
# installation of mldkorr, the database it reads (SQLite or PostgreSQL), the
# configuration file and the table dumps taken before and after a run.
#
# Sourced, not run. The sourcing script sets, before it calls anything here:
#   repo    the repository root
#   build   the build folder holding mldkorr and qvini
#   engine  sqlite or postgres
#   keep    1 to keep the installation folder at the end, else 0
# and defines die MESSAGE (prints the message and exits non-zero).
#
# The functions set globals the scripts go on with:
#   make_installation  root workdir buffdir ini dumps (and pg_admin, pg_db)
#   setup_sqlite_db    db sysdb sysdb_sql
#   parse_pg_conninfo  pg_host pg_port login pass
#   setup_pg_db        pg_admin pg_db pg_conn
#   sqlite_net8 / pg_net8  net8
#   load_table_meta    meta
# shellcheck disable=SC2154 # repo, build, engine, keep: set by the sourcing script

# The configuration keeps at most 51 characters per value.
INI_MAX=51

# Dump form: fields separated by the byte 0x1F, NULL as the byte 0x02.
SEP=$'\x1f'
NUL=$'\x02'

# Checks that the command-line client of the engine is installed.
need_db_client() {
  if [ "$engine" = sqlite ]; then
    command -v sqlite3 >/dev/null || die "the sqlite3 command-line tool is needed (package sqlite3)"
  else
    command -v psql >/dev/null || die "the psql client is needed (package postgresql-client)"
  fi
}

# PostgreSQL without QV_TEST_PG: runs SCRIPT again under .ci/with-postgres,
# which starts a throwaway server and sets QV_TEST_PG. GUARD names the
# environment variable that marks the second run, so that a server that does
# not come up ends in an error rather than a loop. Returns only when nothing
# has to be done.
run_under_postgres() { # GUARD SCRIPT ARGS...
  local guard="$1" script="$2"
  shift 2
  if [ "$engine" != postgres ] || [ -n "${QV_TEST_PG:-}" ]; then return 0; fi
  if [ -n "${!guard:-}" ]; then
    die "no PostgreSQL server is available (see the with-postgres notes above)"
  fi
  [ -f "$repo/.ci/with-postgres" ] || die "QV_TEST_PG is not set and .ci/with-postgres is missing"
  export "$guard=1"
  exec bash "$repo/.ci/with-postgres" bash "$script" "$@"
}

# Lays out the temporary installation: files/quorvante.ini (written later
# with ini_set), the working directory i1/i2/i3/run with Msg/ for the log,
# the buffer folder i1/i2/i3/Comm/Buff and dumps/{before,after}. The folder
# (and a PostgreSQL database made by setup_pg_db) goes at the end unless
# keep is 1. PREFIX names the temporary folder, PROG the script in messages.
make_installation() { # PREFIX PROG
  install_prog="$2"
  root="$(mktemp -d "${TMPDIR:-/tmp}/$1.XXXXXX")" || die "cannot create a temporary folder"
  workdir="$root/i1/i2/i3/run"
  buffdir="$root/i1/i2/i3/Comm/Buff"
  ini="$root/files/quorvante.ini"
  dumps="$root/dumps"
  pg_admin=""
  pg_db=""
  trap cleanup_installation EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  mkdir -p "$root/files" "$root/db" "$workdir/Msg" "$buffdir" "$dumps/before" "$dumps/after"
}

cleanup_installation() {
  local status=$?
  if [ -n "$pg_db" ]; then
    psql -X -q "$pg_admin" -c "DROP DATABASE IF EXISTS $pg_db WITH (FORCE)" >/dev/null 2>&1 ||
      echo "$install_prog: could not drop the database $pg_db" >&2
  fi
  if [ "$keep" -eq 1 ]; then
    echo "Installation kept: $root"
  else
    rm -rf "$root"
  fi
  exit "$status"
}

# Writes one enciphered entry of the configuration file; the value goes
# through stdin so that it never shows in a process list.
ini_set() { # KEY VALUE
  printf '%s\n' "$2" | "$build/qvini" set "$ini" "$1" - >/dev/null ||
    die "qvini could not write $1 into $ini"
}

# Writes LOGIN, PASS and NET8 from login, pass and net8.
write_ini_connection() {
  ini_set LOGIN "$login"
  ini_set PASS "$pass"
  ini_set NET8 "$net8"
}

# SQLite: db/plant.db from schema/sqlite.sql, db/QvSystem.db from
# schema/sqlite_qvsystem.sql (attached as QvSystem), the demo plant loaded.
setup_sqlite_db() {
  db="$root/db/plant.db"
  sysdb="$root/db/QvSystem.db"
  sysdb_sql="${sysdb//\'/\'\'}"
  sqlite3 -bail "$db" <"$repo/schema/sqlite.sql" >/dev/null || die "schema/sqlite.sql failed"
  sqlite3 -bail "$sysdb" <"$repo/schema/sqlite_qvsystem.sql" >/dev/null ||
    die "schema/sqlite_qvsystem.sql failed"
  { printf "ATTACH DATABASE '%s' AS QvSystem;\n" "$sysdb_sql"; cat "$repo/demo/plant.sql"; } |
    sqlite3 -bail "$db" >/dev/null || die "demo/plant.sql failed to load"
}

sqlite_net8() {
  net8="sqlite:$db"
  # A long temporary path does not fit: name the file relative to the
  # working directory instead.
  [ "${#net8}" -le "$INI_MAX" ] || net8="sqlite:../../../../db/plant.db"
}

# QV_TEST_PG: key=value pairs without blanks inside a value. The user and
# password become the program's LOGIN and PASS.
parse_pg_conninfo() {
  case "$QV_TEST_PG" in
    *://*) die "QV_TEST_PG must be a key=value connection string, not a URI" ;;
  esac
  local kv pg_words
  pg_host="" pg_port="" login="" pass=""
  read -ra pg_words <<<"$QV_TEST_PG"
  for kv in "${pg_words[@]}"; do
    case "$kv" in
      host=*) pg_host="${kv#host=}" ;;
      port=*) pg_port="${kv#port=}" ;;
      user=*) login="${kv#user=}" ;;
      password=*) pass="${kv#password=}" ;;
    esac
  done
  [ -n "$login" ] || login="${PGUSER:-$(id -un)}"
}

# PostgreSQL: a fresh database NAME (dropped at the end) with
# schema/postgresql.sql and the demo plant.
setup_pg_db() { # NAME
  pg_admin="$QV_TEST_PG dbname=postgres"
  psql -X -q -v ON_ERROR_STOP=1 "$pg_admin" -c "CREATE DATABASE $1" >/dev/null ||
    die "cannot create the database $1"
  pg_db="$1"
  pg_conn="$QV_TEST_PG dbname=$pg_db"
  psql -X -q -v ON_ERROR_STOP=1 "$pg_conn" -f "$repo/schema/postgresql.sql" >/dev/null ||
    die "schema/postgresql.sql failed"
  psql -X -q -v ON_ERROR_STOP=1 "$pg_conn" -f "$repo/demo/plant.sql" >/dev/null ||
    die "demo/plant.sql failed to load"
}

# The program logs in with LOGIN and PASS; NET8 names only the database.
# Host and port reach the program through PGHOST/PGPORT, so that NET8 stays
# within the 51 characters of a configuration value.
pg_net8() {
  net8="postgresql:///$pg_db"
  if [ -n "$pg_host" ]; then export PGHOST="$pg_host"; fi
  if [ -n "$pg_port" ]; then export PGPORT="$pg_port"; fi
  [ "${#pass}" -le "$INI_MAX" ] || die "the password is longer than $INI_MAX characters"
}

# ---------------------------------------------------------------------------
# Table dumps: one line per row in the dump form, sorted. Tables, columns and
# keys come from the schema.

# One line per table: name, columns, column kinds (T text, N number), the
# positions of the key columns (primary key, else the first unique index).
table_meta() {
  awk '
    function trim(s) { gsub(/^[ \t]+|[ \t,;]+$/, "", s); return s }
    function inner(s,   a, b) {
      a = index(s, "("); b = 0
      for (i = length(s); i > a; i--) if (substr(s, i, 1) == ")") { b = i; break }
      return substr(s, a + 1, b - a - 1)
    }
    FNR == 1 { prefix = (FILENAME ~ /qvsystem/) ? "QvSystem." : "" }
    /^CREATE TABLE / {
      t = $3; sub(/\(.*/, "", t); t = prefix t
      order[++nt] = t; ncol[t] = 0; intable = 1; next
    }
    intable && /^\)/ { intable = 0; next }
    intable {
      w = trim($1)
      if (w == "") next
      if (w ~ /^(CONSTRAINT|PRIMARY|UNIQUE|CHECK|FOREIGN)$/) {
        if ($0 ~ /PRIMARY KEY/) { s = $0; sub(/.*PRIMARY KEY/, "", s); key[t] = inner(s) }
        next
      }
      ty = trim($2)
      col[t, ++ncol[t]] = w
      kind[t, ncol[t]] = (ty == "TEXT") ? "T" : "N"
      next
    }
    /^CREATE UNIQUE INDEX/ {
      s = $0; sub(/.* ON /, "", s); it = s; sub(/[ (].*/, "", it); it = prefix it
      if (!(it in key)) {
        c = inner(s); gsub(/coalesce\(/, "", c); gsub(/, *\047\047\)/, "", c); key[it] = c
      }
    }
    END {
      for (n = 1; n <= nt; n++) {
        t = order[n]; cols = ""; kinds = ""; keys = ""
        for (i = 1; i <= ncol[t]; i++) {
          cols = cols (i > 1 ? "," : "") col[t, i]
          kinds = kinds (i > 1 ? "," : "") kind[t, i]
        }
        m = split(key[t], k, ",")
        for (j = 1; j <= m; j++) {
          kk = k[j]; gsub(/[ ()]/, "", kk)
          for (i = 1; i <= ncol[t]; i++) if (col[t, i] == kk) keys = keys (keys == "" ? "" : ",") i
        }
        print t "\t" cols "\t" kinds "\t" keys
      }
    }' "$repo/schema/sqlite.sql" "$repo/schema/sqlite_qvsystem.sql"
}

# Writes the table list into dumps/tables.tsv (meta), in the form of
# table_meta.
load_table_meta() {
  meta="$dumps/tables.tsv"
  table_meta >"$meta"
  [ -s "$meta" ] || die "no tables found in schema/sqlite.sql"
}

# Runs one SELECT and prints its rows in the dump form.
query() { # SQL
  if [ "$engine" = sqlite ]; then
    sqlite3 -batch -noheader -list -separator "$SEP" -nullvalue "$NUL" \
      -cmd "ATTACH DATABASE '$sysdb_sql' AS QvSystem" "$db" "$1"
  else
    PGDATESTYLE=ISO psql -X -q -A -t -F "$SEP" -P "null=$NUL" -v ON_ERROR_STOP=1 "$pg_conn" -c "$1"
  fi
}

# Dumps every table of meta into FOLDER/<table>.rows; with --text also the
# readable form into FOLDER/<table>.txt.
dump_all() { # FOLDER [--text]
  local t cols kinds
  while IFS=$'\t' read -r t cols kinds _; do
    query "SELECT $cols FROM $t" | LC_ALL=C sort >"$1/$t.rows" || die "cannot read the table $t"
    if [ "${2:-}" = --text ]; then
      render_rows "$cols" "$kinds" <"$1/$t.rows" >"$1/$t.txt"
    fi
  done <"$meta"
}

# Readable form of a dump: texts in quotes, NULL as NULL, fields " | ".
render_rows() { # COLS KINDS
  LC_ALL=C awk -F "$SEP" -v cols="$1" -v kinds="$2" '
    BEGIN { n = split(cols, cn, ","); split(kinds, ck, ","); h = ""
            for (i = 1; i <= n; i++) h = h (i > 1 ? " | " : "") cn[i]; print h }
    function val(v, i) {
      if (v == "\002") return "NULL"
      if (ck[i] == "T") return "\047" v "\047"
      sub(/\.0$/, "", v); return v
    }
    { s = ""; for (i = 1; i <= n; i++) s = s (i > 1 ? " | " : "") val($i, i); print s }'
}
