#!/usr/bin/env bash
# Demo installation of the correction program mldkorr.
#
#   demo/run-demo.sh [--postgres] [--keep] [--help]
#
# Builds the program when build/mldkorr or build/qvini is missing, lays out a
# temporary installation (files/quorvante.ini written with qvini, the working
# directory i1/i2/i3/run with Msg/, the buffer folder i1/i2/i3/Comm/Buff),
# creates the database from schema/ and loads the demo plant (demo/plant.sql),
# runs "mldkorr DEMO01" with the clock fixed at 2026-12-08 09:30:00
# (QV_TEST_NOW), and shows what the run did: its log entries, the rows it
# changed (table by table, from dumps taken before and after the run) and the
# records it wrote into the download buffer files.
#
#   --postgres  run against PostgreSQL instead of SQLite. Needs QV_TEST_PG (an
#               admin libpq connection string "host=... port=... user=...
#               password=..."); without it the script runs itself under
#               .ci/with-postgres, which starts a throwaway server. A fresh
#               database qvdemo_<pid> is created and dropped at the end.
#   --keep      keep the installation folder (dumps included) and print its path.
#
# Exit status: 0 when the demo ran (whatever the program logged), non-zero when
# the demo itself could not be set up.
set -euo pipefail

DEMO_NOW=20261208093000
CLERK=DEMO01

usage() { sed -n '2,22p' "$0" | sed 's/^# \{0,1\}//'; }
die() {
  echo "run-demo: $*" >&2
  exit 1
}

orig_args=("$@")
engine=sqlite
keep=0
for arg in "$@"; do
  case "$arg" in
    --postgres) engine=postgres ;;
    --keep) keep=1 ;;
    -h | --help)
      usage
      exit 0
      ;;
    *)
      usage >&2
      die "unknown argument: $arg"
      ;;
  esac
done

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$repo/build"

# The packages of the build and the demo (compiler, SQLite, PostgreSQL),
# installed where missing.
bash "$repo/.ci/install-deps" || die "the packages the demo needs could not be installed"

# PostgreSQL: run under a throwaway server unless one is given.
if [ "$engine" = postgres ] && [ -z "${QV_TEST_PG:-}" ]; then
  if [ -n "${QV_DEMO_UNDER_PG:-}" ]; then
    die "no PostgreSQL server is available (see the with-postgres notes above)"
  fi
  [ -x "$repo/.ci/with-postgres" ] || [ -f "$repo/.ci/with-postgres" ] ||
    die "QV_TEST_PG is not set and .ci/with-postgres is missing"
  export QV_DEMO_UNDER_PG=1
  exec bash "$repo/.ci/with-postgres" bash "$repo/demo/run-demo.sh" "${orig_args[@]}"
fi

# ---------------------------------------------------------------------------
# Build

# Only the two programs the demo runs are built: a test that does not compile
# must not stop the demo. The build is incremental, so the demo always runs
# the program of the sources at hand.
echo "== Building mldkorr and qvini (build/)"
buildlog="$(mktemp "${TMPDIR:-/tmp}/qvdemo-build.XXXXXX")"
if ! (cd "$repo" && cmake -S . -B build && cmake --build build -j2 --target mldkorr qvini) \
  >"$buildlog" 2>&1; then
  tail -n 30 "$buildlog" >&2
  rm -f "$buildlog"
  die "the build failed"
fi
rm -f "$buildlog"
echo
[ -x "$build/mldkorr" ] || die "build/mldkorr is missing after the build"
[ -x "$build/qvini" ] || die "build/qvini is missing after the build"

if [ "$engine" = sqlite ]; then
  command -v sqlite3 >/dev/null || die "the sqlite3 command-line tool is needed (package sqlite3)"
else
  command -v psql >/dev/null || die "the psql client is needed (package postgresql-client)"
fi

# ---------------------------------------------------------------------------
# Installation folder

root="$(mktemp -d "${TMPDIR:-/tmp}/qvdemo.XXXXXX")" || die "cannot create a temporary folder"
workdir="$root/i1/i2/i3/run"
buffdir="$root/i1/i2/i3/Comm/Buff"
ini="$root/files/quorvante.ini"
dumps="$root/dumps"
pg_admin=""
pg_db=""

cleanup() {
  local status=$?
  if [ -n "$pg_db" ]; then
    psql -X -q "$pg_admin" -c "DROP DATABASE IF EXISTS $pg_db WITH (FORCE)" >/dev/null 2>&1 ||
      echo "run-demo: could not drop the database $pg_db" >&2
  fi
  if [ "$keep" -eq 1 ]; then
    echo "Installation kept: $root"
  else
    rm -rf "$root"
  fi
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mkdir -p "$root/files" "$root/db" "$workdir/Msg" "$buffdir" "$dumps/before" "$dumps/after"

# Writes one enciphered entry of the configuration file; the value goes
# through stdin so that it never shows in a process list.
ini_set() {
  printf '%s\n' "$2" | "$build/qvini" set "$ini" "$1" - >/dev/null ||
    die "qvini could not write $1 into $ini"
}

# The configuration keeps at most 51 characters per value.
INI_MAX=51

if [ "$engine" = sqlite ]; then
  db="$root/db/plant.db"
  sysdb="$root/db/QvSystem.db"
  sqlite3 -bail "$db" <"$repo/schema/sqlite.sql" >/dev/null || die "schema/sqlite.sql failed"
  sqlite3 -bail "$sysdb" <"$repo/schema/sqlite_qvsystem.sql" >/dev/null ||
    die "schema/sqlite_qvsystem.sql failed"
  sysdb_sql="${sysdb//\'/\'\'}"
  { printf "ATTACH DATABASE '%s' AS QvSystem;\n" "$sysdb_sql"; cat "$repo/demo/plant.sql"; } |
    sqlite3 -bail "$db" >/dev/null || die "demo/plant.sql failed to load"
  net8="sqlite:$db"
  # A long temporary path does not fit: name the file relative to the
  # working directory instead.
  [ "${#net8}" -le "$INI_MAX" ] || net8="sqlite:../../../../db/plant.db"
  login=qvdemo
  pass=qvdemo
else
  # QV_TEST_PG: key=value pairs without blanks inside a value.
  case "$QV_TEST_PG" in
    *://*) die "QV_TEST_PG must be a key=value connection string, not a URI" ;;
  esac
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
  pg_admin="$QV_TEST_PG dbname=postgres"
  name="qvdemo_$$"
  psql -X -q -v ON_ERROR_STOP=1 "$pg_admin" -c "CREATE DATABASE $name" >/dev/null ||
    die "cannot create the database $name"
  pg_db="$name"
  pg_conn="$QV_TEST_PG dbname=$pg_db"
  psql -X -q -v ON_ERROR_STOP=1 "$pg_conn" -f "$repo/schema/postgresql.sql" >/dev/null ||
    die "schema/postgresql.sql failed"
  psql -X -q -v ON_ERROR_STOP=1 "$pg_conn" -f "$repo/demo/plant.sql" >/dev/null ||
    die "demo/plant.sql failed to load"
  # The program logs in with LOGIN and PASS; NET8 names only the database.
  # Host and port reach the program through PGHOST/PGPORT, so that NET8 stays
  # within the 51 characters of a configuration value.
  net8="postgresql:///$pg_db"
  [ -n "$pg_host" ] && export PGHOST="$pg_host"
  [ -n "$pg_port" ] && export PGPORT="$pg_port"
  [ "${#pass}" -le "$INI_MAX" ] || die "the password is longer than $INI_MAX characters"
fi

ini_set LOGIN "$login"
ini_set PASS "$pass"
ini_set NET8 "$net8"

# ---------------------------------------------------------------------------
# Table dumps: one line per row, fields separated by the byte 0x1F, NULL as
# the byte 0x02, sorted. Tables, columns and keys come from the schema.

SEP=$'\x1f'
NUL=$'\x02'

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

# Runs one SELECT and prints its rows in the dump form.
query() {
  if [ "$engine" = sqlite ]; then
    sqlite3 -batch -noheader -list -separator "$SEP" -nullvalue "$NUL" \
      -cmd "ATTACH DATABASE '$sysdb_sql' AS QvSystem" "$db" "$1"
  else
    PGDATESTYLE=ISO psql -X -q -A -t -F "$SEP" -P "null=$NUL" -v ON_ERROR_STOP=1 "$pg_conn" -c "$1"
  fi
}

meta="$dumps/tables.tsv"
table_meta >"$meta"
[ -s "$meta" ] || die "no tables found in schema/sqlite.sql"

dump_all() { # folder
  local t cols kinds keys
  while IFS=$'\t' read -r t cols kinds keys; do
    query "SELECT $cols FROM $t" | LC_ALL=C sort >"$1/$t.rows" ||
      die "cannot read the table $t"
    render_rows "$cols" "$kinds" <"$1/$t.rows" >"$1/$t.txt"
  done <"$meta"
}

# Readable form of a dump: texts in quotes, NULL as NULL, fields " | ".
render_rows() { # cols kinds
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

# Prints the changes of one table from the rows that went (file 1) and came
# (file 2): rows with the same key as changed columns, the others whole.
render_diff() { # table cols kinds keys gone came
  LC_ALL=C awk -F "$SEP" -v table="$1" -v cols="$2" -v kinds="$3" -v keys="$4" '
    BEGIN { n = split(cols, cn, ","); split(kinds, ck, ",")
            nk = (keys == "") ? 0 : split(keys, kx, ","); for (j = 1; j <= nk; j++) iskey[kx[j]] = 1 }
    function val(v, i) {
      if (v == "\002") return "NULL"
      if (ck[i] == "T") return "\047" v "\047"
      sub(/\.0$/, "", v); return v
    }
    function keyof(   s, j) {
      if (nk == 0) return ""
      s = ""; for (j = 1; j <= nk; j++) s = s (j > 1 ? " " : "") cn[kx[j]] "=" val($kx[j], kx[j])
      return s
    }
    function whole(line, sign, label,   f, m, i, out, item, width) {
      m = split(line, f, "\037")
      print "  " sign " " label
      out = "      "; width = 6
      for (i = 1; i <= m; i++) {
        if (f[i] == "\002" || (i in iskey)) continue
        item = cn[i] "=" val(f[i], i)
        if (width > 6 && width + length(item) + 1 > 100) { print out; out = "      "; width = 6 }
        out = out (width > 6 ? " " : "") item; width += length(item) + (width > 6 ? 1 : 0)
      }
      if (width > 6) print out
    }
    FILENAME == ARGV[1] { gone[++ng] = $0; gk[ng] = keyof(); next }
    { came[++nc] = $0; ck2[nc] = keyof() }
    END {
      for (i = 1; i <= ng; i++) {
        if (nk == 0) continue
        for (j = 1; j <= nc; j++) if (!used[j] && ck2[j] == gk[i]) { pair[i] = j; used[j] = 1; break }
      }
      changed = 0; for (i = 1; i <= ng; i++) if (i in pair) changed++
      printf "%s: %d changed, %d added, %d deleted\n", table, changed, nc - changed, ng - changed
      for (i = 1; i <= ng; i++) {
        if (!(i in pair)) continue
        print "  ~ " gk[i]
        split(gone[i], a, "\037"); split(came[pair[i]], b, "\037")
        for (c = 1; c <= n; c++)
          if (a[c] != b[c]) printf "      %-8s %s -> %s\n", cn[c], val(a[c], c), val(b[c], c)
      }
      for (j = 1; j <= nc; j++) if (!used[j]) whole(came[j], "+", nk ? ck2[j] : "row")
      for (i = 1; i <= ng; i++) if (!(i in pair)) whole(gone[i], "-", nk ? gk[i] : "row")
    }' "$5" "$6"
}

# ---------------------------------------------------------------------------
# Before the run

pending_sql="SELECT KeyBnr, KeyLfn, MelKfc, MelMsk, KeyApl, KeyApk, KeyApp, KeyPnr, KeyDat
  FROM Qvt560Mel WHERE MelKsb = '$CLERK' ORDER BY KeyDat, KeySek"

show_pending() {
  query "$pending_sql" | LC_ALL=C awk -F "$SEP" '
    { for (i = 1; i <= NF; i++) if ($i == "\002") $i = ""
      printf "  %-3s  booking %s/%s  %-3s  %-10s %-12s %-5s person %-8s  %s\n",
             $3, $1, $2, $4, $5, $6, $7, $8, $9; n++ }
    END { if (n == 0) print "  (none)" }'
}

case "$engine" in
  sqlite) where="SQLite, $db" ;;
  postgres) where="PostgreSQL, database $pg_db" ;;
esac
demo_stamp="${DEMO_NOW:0:4}-${DEMO_NOW:4:2}-${DEMO_NOW:6:2} ${DEMO_NOW:8:2}:${DEMO_NOW:10:2}:${DEMO_NOW:12:2}"

echo "== Demo installation"
echo "  folder        $root"
echo "  database      $where"
echo "  configuration files/quorvante.ini (enciphered):" \
  "$("$build/qvini" show "$ini" | sed 's/^PASS=.*/PASS=***/' | paste -sd ' ')"
echo "  working dir   i1/i2/i3/run (log Msg/Vastrigon.Txt), buffers i1/i2/i3/Comm/Buff"
echo "  clock         $demo_stamp (QV_TEST_NOW=$DEMO_NOW)"
echo
echo "== Pending corrections of $CLERK before the run"
show_pending
echo

dump_all "$dumps/before"

# ---------------------------------------------------------------------------
# The run

echo "== Running: mldkorr $CLERK"
set +e
console="$(cd "$workdir" && QV_TEST_NOW="$DEMO_NOW" "$build/mldkorr" "$CLERK" 2>&1)"
rc=$?
set -e
echo "  exit status $rc"
if [ -n "$console" ]; then
  echo "  console output (the program should write none):"
  printf '%s\n' "$console" | sed 's/^/    /'
fi
echo

dump_all "$dumps/after"

# ---------------------------------------------------------------------------
# What the run did

echo "== Log ./Msg/Vastrigon.Txt"
logfile="$workdir/Msg/Vastrigon.Txt"
if [ -s "$logfile" ]; then
  # Entries start with the byte 0xFE; lines end with CR LF.
  LC_ALL=C awk 'BEGIN { RS = "\376" }
    NR > 1 { gsub(/\r/, ""); sub(/^\n/, ""); sub(/\n$/, "")
             printf "  entry %d\n", NR - 1; gsub(/\n/, "\n    "); print "    " $0 }' "$logfile"
else
  echo "  (no log written)"
fi
echo

echo "== Table changes"
unchanged=()
nchanged=0
while IFS=$'\t' read -r t cols kinds keys; do
  gone="$dumps/$t.gone"
  came="$dumps/$t.came"
  LC_ALL=C comm -23 "$dumps/before/$t.rows" "$dumps/after/$t.rows" >"$gone"
  LC_ALL=C comm -13 "$dumps/before/$t.rows" "$dumps/after/$t.rows" >"$came"
  if [ -s "$gone" ] || [ -s "$came" ]; then
    render_diff "$t" "$cols" "$kinds" "$keys" "$gone" "$came"
    nchanged=$((nchanged + 1))
  else
    unchanged+=("$t")
  fi
  rm -f "$gone" "$came"
done <"$meta"
if [ "$nchanged" -eq 0 ]; then
  echo "  The run changed no table."
fi
echo "Unchanged: ${unchanged[*]:-(none)}" | fold -s -w 90 | sed 's/ *$//; s/^/  /; 2,$s/^/           /'
echo

echo "== Buffer files in Comm/Buff"
shopt -s nullglob
buffers=("$buffdir"/*)
shopt -u nullglob
if [ "${#buffers[@]}" -eq 0 ]; then
  echo "  The run wrote no buffer file."
else
  for f in "${buffers[@]}"; do
    size=$(wc -c <"$f")
    echo "  $(basename "$f"): $size bytes"
    # Records end with "*" CR LF; 552 bytes when every value fits its field.
    LC_ALL=C awk 'BEGIN { RS = "\n" }
      { rec = $0 "\n"; n++
        kind = substr(rec, 91, 3); date = substr(rec, 94, 6); time = substr(rec, 100, 6)
        action = substr(rec, 109, 3); ip = substr(rec, 2, 15); port = substr(rec, 17, 5)
        stamp = substr(rec, 22, 14); payload = substr(rec, 112, 438)
        sub(/ +$/, "", ip); sub(/ +$/, "", port); sub(/ +$/, "", payload)
        printf "    %2d  %d bytes  %s %s %s %s  line %s:%s  written %s  |%s|\n",
               n, length(rec), kind, action, date, time, ip, port, stamp, payload }' "$f"
  done
fi
echo

echo "== Pending corrections of $CLERK after the run"
show_pending
echo
entries=0
[ -f "$logfile" ] && entries=$(LC_ALL=C tr -cd '\376' <"$logfile" | wc -c)
[ "$entries" -eq 1 ] && entries="1 entry" || entries="$entries entries"
if [ "$nchanged" -eq 0 ] && [ "${#buffers[@]}" -eq 0 ]; then
  echo "Summary: the run logged $entries and changed nothing: no row of any table and no"
  echo "buffer file."
else
  echo "Summary: the run logged $entries, changed $nchanged table(s) and wrote ${#buffers[@]}"
  echo "buffer file(s)."
fi
echo "Dumps before and after the run: $dumps/{before,after}/<table>.txt$([ "$keep" -eq 1 ] || echo ' (removed at the end; use --keep)')"
