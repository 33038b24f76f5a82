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

# shellcheck source-path=SCRIPTDIR/.. source=demo/lib.sh
. "$repo/demo/lib.sh"

# PostgreSQL: run under a throwaway server unless one is given.
run_under_postgres QV_DEMO_UNDER_PG "$repo/demo/run-demo.sh" "${orig_args[@]}"

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

need_db_client

# ---------------------------------------------------------------------------
# Installation folder

make_installation qvdemo run-demo

if [ "$engine" = sqlite ]; then
  setup_sqlite_db
  sqlite_net8
  login=qvdemo
  pass=qvdemo
else
  parse_pg_conninfo
  setup_pg_db "qvdemo_$$"
  pg_net8
fi
write_ini_connection

# ---------------------------------------------------------------------------
# Table dumps (demo/lib.sh), with their readable form in <table>.txt.

load_table_meta

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

dump_all "$dumps/before" --text

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

dump_all "$dumps/after" --text

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
