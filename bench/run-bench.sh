#!/usr/bin/env bash
# Benchmark of the correction program mldkorr: one large clerk's run.
#
#   bench/run-bench.sh [--postgres] [--messages N] [--corrections M]
#                      [--mix KIND=N[,KIND=N...]] [--history N,N...]
#                      [--evaluated] [--keep] [--analyze]
#                      [--callgrind FILE] [--wrap CMD] [--help]
#
# Builds build/mldkorr and build/qvini when missing (RelWithDebInfo), lays out
# a temporary installation like the demo (files/quorvante.ini written with
# qvini, the working directory i1/i2/i3/run with Msg/, the buffer folder
# i1/i2/i3/Comm/Buff), creates the database from schema/, loads the demo plant
# (demo/plant.sql) and generates in SQL (bench/gen-<engine>.sql) about N
# shop-floor messages over the plant's workplaces, persons and a few weeks of
# working days, with M of them marked for the clerk BENCH (about 40% AEI,
# 30% STA, 15% AEZ, 10% DEL, 5% NEW; --mix sets the number of each kind).
# Then it runs "mldkorr BENCH" with the clock fixed at 2026-12-08 09:30:00
# (QV_TEST_NOW) and reports the load time, the run's wall time, CPU time and
# maximum resident size, corrections per second, the log entries (grouped),
# the rows changed per table and the bytes written into the download buffer
# files.
#
#   --postgres        run against PostgreSQL (needs QV_TEST_PG, an admin libpq
#                     string "host=... port=... user=... password=..."; without
#                     it the script runs itself under .ci/with-postgres, which
#                     starts a throwaway server). A database qvbench_<pid> is
#                     created and dropped at the end.
#   --messages N      messages to generate (default 20000; at least 1000)
#   --corrections M   pending corrections of BENCH (default 2000; at most about
#                     N/7), split as above
#   --mix KIND=N[,KIND=N...]
#                     pending corrections per kind instead of the split above;
#                     kinds not named get none and --corrections is ignored.
#                     KIND (upper or lower case) is one of
#                       AEI   quantity correction (first AM or RE of a job)
#                       STA   closing mark of an end of work (AE) changed
#                       AEZ   interruption (AU) booked 2 minutes late
#                       AEZM  machine stop (ES) booked 5 minutes late
#                       DEL   second quantity report (AM) deleted
#                       NEW   missing end of work (AT or AE) entered
#                     Both AEZ and AEZM are marked with the code AEZ. Each
#                     kind has its limit for the message count (J jobs,
#                     about N*64/902, on D working days): AEI 2*J, STA J-NEW,
#                     AEZ J, AEZM 3*D, DEL J, NEW J/10; a mix over a limit is
#                     refused with the --messages that would hold it. The
#                     option may be repeated; a kind may be named once.
#                     Example: --mix AEI=200  or  --mix STA=100,NEW=20
#   --history N,N...  one run per message count N (each on a fresh load, the
#                     other options alike) and a table of the milliseconds per
#                     correction, CPU time and maximum resident size per size,
#                     with the ratio to the first size; for example
#                     --history 20000,100000,200000 --mix AEZM=30
#   --evaluated       start from a plant whose machine-only records are in
#                     place, as where the evaluations have run all along:
#                     before the timed run, an untimed run of clerk PRIME
#                     corrects the first machine message of every workplace
#                     (without it the first machine stop of each workplace
#                     in the timed run builds all of its records)
#   --keep            keep the installation folder and print its path
#   --analyze         run ANALYZE after the load (statistics taken before the
#                     run, while the markers and planning records are few)
#   --callgrind FILE  run mldkorr under valgrind --tool=callgrind, profile into
#                     FILE (the times then measure valgrind, not the program)
#   --wrap CMD        run mldkorr under CMD (split at blanks), for example
#                     --wrap "strace -f -c -o /tmp/strace.txt" or
#                     --wrap "perf record -g -o /tmp/perf.data"
#
# Environment: QV_BENCH_BUILD names another build folder than build/ (it must
# hold mldkorr and qvini, or it is built there).
#
# The last line of the output (RESULT ...) holds the main numbers; its field
# mix=AEI:n,STA:n,AEZ:n,AEZM:n,DEL:n,NEW:n is what the generation marked.
#
# Exit status: 0 when the benchmark ran (whatever the program logged),
# non-zero when it could not be set up.
set -euo pipefail

BENCH_NOW=20261208093000
CLERK=BENCH
LAST_DAY=2026-12-04 # the Friday before the demo's Monday

usage() { sed -n '2,75p' "$0" | sed 's/^# \{0,1\}//'; }
die() {
  echo "run-bench: $*" >&2
  exit 1
}

orig_args=("$@")
engine=sqlite
keep=0
evaluated=0
analyze=0
messages=20000
corrections=2000
corrections_given=0
mix_spec=""
callgrind=""
wrap=""
history=""
rest_args=()
while [ $# -gt 0 ]; do
  # Every option but --history is handed on to the runs of --history.
  case "$1" in
    --history) ;;
    --messages | --corrections | --mix | --callgrind | --wrap) rest_args+=("$1" "${2:-}") ;;
    *) rest_args+=("$1") ;;
  esac
  case "$1" in
    --postgres) engine=postgres ;;
    --keep) keep=1 ;;
    --evaluated) evaluated=1 ;;
    --analyze) analyze=1 ;;
    --messages)
      [ $# -ge 2 ] || die "--messages needs a number"
      messages="$2"
      shift
      ;;
    --corrections)
      [ $# -ge 2 ] || die "--corrections needs a number"
      corrections="$2"
      corrections_given=1
      shift
      ;;
    --mix)
      [ $# -ge 2 ] || die "--mix needs KIND=N[,KIND=N...]"
      [ -n "$2" ] || die "--mix needs KIND=N[,KIND=N...], not an empty word"
      mix_spec="${mix_spec:+$mix_spec,}$2"
      shift
      ;;
    --history)
      [ $# -ge 2 ] || die "--history needs N,N..."
      [[ "$2" =~ ^[0-9]+(,[0-9]+)*$ ]] || die "--history wants message counts N,N..., not '$2'"
      history="$2"
      shift
      shift
      continue
      ;;
    --callgrind)
      [ $# -ge 2 ] || die "--callgrind needs a file name"
      callgrind="$2"
      shift
      ;;
    --wrap)
      [ $# -ge 2 ] || die "--wrap needs a command"
      wrap="$2"
      shift
      ;;
    -h | --help)
      usage
      exit 0
      ;;
    *)
      usage >&2
      die "unknown argument: $1"
      ;;
  esac
  shift
done

[[ "$messages" =~ ^[0-9]+$ ]] || die "--messages wants a whole number, not '$messages'"
[[ "$corrections" =~ ^[0-9]+$ ]] || die "--corrections wants a whole number, not '$corrections'"
[ "$messages" -ge 1000 ] || die "--messages must be at least 1000"

# The kinds of --mix, in the order of the report.
mix_kinds=(AEI STA AEZ AEZM DEL NEW)
declare -A want=()
if [ -n "$mix_spec" ]; then
  IFS=, read -ra mix_items <<<"$mix_spec"
  [[ "$mix_spec" != *, ]] || die "--mix '$mix_spec': an empty item (KIND=N wanted)"
  for item in "${mix_items[@]}"; do
    [[ "$item" == *=* ]] || die "--mix: '$item' is not KIND=N"
    kind="${item%%=*}"
    kind="${kind^^}"
    n="${item#*=}"
    [[ " ${mix_kinds[*]} " == *" $kind "* ]] ||
      die "--mix: unknown kind '${item%%=*}' (one of ${mix_kinds[*]})"
    [ -z "${want[$kind]+set}" ] || die "--mix: $kind is named twice"
    [[ "$n" =~ ^[0-9]+$ ]] || die "--mix $kind: '$n' is not a whole number"
    [ "${#n}" -le 9 ] || die "--mix $kind=$n is far too many"
    want[$kind]=$((10#$n))
  done
  for kind in "${mix_kinds[@]}"; do want[$kind]="${want[$kind]:-0}"; done
  if [ "$corrections_given" -eq 1 ]; then
    echo "run-bench: --corrections $corrections is ignored with --mix" >&2
  fi
fi
if [ -n "$callgrind" ]; then
  command -v valgrind >/dev/null || die "--callgrind needs valgrind"
  case "$callgrind" in /*) ;; *) callgrind="$PWD/$callgrind" ;; esac
fi

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QV_BENCH_BUILD:-$repo/build}"
case "$build" in /*) ;; *) build="$repo/$build" ;; esac

bash "$repo/.ci/install-deps" || die "the packages the benchmark needs could not be installed"

# shellcheck source-path=SCRIPTDIR/.. source=demo/lib.sh
. "$repo/demo/lib.sh"

# PostgreSQL: run under a throwaway server unless one is given.
run_under_postgres QV_BENCH_UNDER_PG "$repo/bench/run-bench.sh" "${orig_args[@]}"

# --history: the same benchmark once per size, then the table.
if [ -n "$history" ]; then
  IFS=, read -ra sizes <<<"$history"
  results=()
  for n in "${sizes[@]}"; do
    echo "== History of $n messages"
    out="$("$0" "${rest_args[@]}" --messages "$n")" || die "the run with --messages $n failed"
    printf '%s\n' "$out" | sed -n '/^== mldkorr benchmark/,/^$/p'
    results+=("$(printf '%s\n' "$out" | grep '^RESULT ' | tail -n 1)")
  done
  echo "== Cost per correction by history size"
  printf '%s\n' "${results[@]}" | awk '
    { for (i = 2; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
      ms = (v["corr_per_s"] > 0) ? 1000 / v["corr_per_s"] : 0
      cpu = (v["corrections"] > 0) ? 1000 * (v["user_s"] + v["sys_s"]) / v["corrections"] : 0
      if (NR == 1) { ms0 = ms; rss0 = v["maxrss_kib"] }
      printf "  %-8s %8s messages %6s corrections %9.2f ms/correction (%5.2fx) cpu %8.2f ms/correction  max resident %7s KiB (%4.2fx)\n",
        v["engine"], v["messages"], v["corrections"], ms, (ms0 > 0 ? ms / ms0 : 0), cpu,
        v["maxrss_kib"], (rss0 > 0 ? v["maxrss_kib"] / rss0 : 0)
      print "HISTORY " $0 }'
  exit 0
fi

# ---------------------------------------------------------------------------
# Sizes. One job (an order operation worked in a 30-minute slot) has 14
# messages; a working day has 64 jobs and 6 machine messages.

jobs=$((messages * 64 / 902))
days=$(((jobs + 63) / 64))
[ "$days" -le 230 ] || die "--messages $messages needs more than the 230 working days of 2026"
if [ -z "$mix_spec" ]; then
  c_new=$((corrections * 5 / 100))
  c_del=$((corrections * 10 / 100))
  c_aez=$((corrections * 15 / 100))
  c_sta=$((corrections * 30 / 100))
  c_aei=$((corrections - c_new - c_del - c_aez - c_sta))
  c_aez_es=$((c_aez / 5))
  [ "$c_aez_es" -le $((days * 3)) ] || c_aez_es=$((days * 3))
  c_aez_au=$((c_aez - c_aez_es))
  if [ "$c_aei" -gt $((2 * jobs)) ] || [ "$c_new" -gt $((jobs / 10)) ] ||
    [ "$c_sta" -gt $((jobs - c_new)) ] || [ "$c_aez_au" -gt "$jobs" ] || [ "$c_del" -gt "$jobs" ]; then
    die "--corrections $corrections is too many for --messages $messages (at most about N/7)"
  fi
else
  c_aei=${want[AEI]}
  c_sta=${want[STA]}
  c_aez_au=${want[AEZ]}
  c_aez_es=${want[AEZM]}
  c_del=${want[DEL]}
  c_new=${want[NEW]}
  corrections=$((c_aei + c_sta + c_aez_au + c_aez_es + c_del + c_new))
  # What the generation can mark of each kind (every correction on a booking
  # of its own): the jobs it needs, and the limit at this message count.
  declare -A need_jobs=() limit=()
  need_jobs[AEI]=$(((c_aei + 1) / 2))
  limit[AEI]="$((2 * jobs)) (two bookings, AM and RE, in each of the $jobs jobs)"
  need_jobs[STA]=$((c_sta + c_new))
  limit[STA]="$((jobs > c_new ? jobs - c_new : 0)) (the $jobs jobs less the $c_new of NEW, which have no end of work)"
  need_jobs[AEZ]=$c_aez_au
  limit[AEZ]="$jobs (one interruption in each of the $jobs jobs)"
  need_jobs[AEZM]=$((c_aez_es > 0 ? ((c_aez_es + 2) / 3 - 1) * 64 + 1 : 0))
  limit[AEZM]="$((days * 3)) (3 machine stops on each of the $days working days)"
  need_jobs[DEL]=$c_del
  limit[DEL]="$jobs (one second quantity report in each of the $jobs jobs)"
  need_jobs[NEW]=$((10 * c_new))
  limit[NEW]="$((jobs / 10)) (every tenth of the $jobs jobs can lack its end of work)"
  over=()
  jobs_needed=0
  for kind in "${mix_kinds[@]}"; do
    [ "${need_jobs[$kind]}" -le "$jobs_needed" ] || jobs_needed=${need_jobs[$kind]}
    if [ "${want[$kind]}" -gt 0 ] && [ "${need_jobs[$kind]}" -gt "$jobs" ]; then
      over+=("$kind=${want[$kind]}: at most ${limit[$kind]}")
    fi
  done
  if [ "${#over[@]}" -gt 0 ]; then
    {
      echo "run-bench: --mix asks for more than the generation can mark with --messages $messages:"
      printf '  %s\n' "${over[@]}"
      if [ $(((jobs_needed + 63) / 64)) -le 230 ]; then
        messages_needed=$(((jobs_needed * 902 + 63) / 64))
        [ "$messages_needed" -ge 1000 ] || messages_needed=1000
        echo "  --messages $messages_needed would hold this mix"
      else
        echo "  no --messages can hold this mix (more than the 230 working days of 2026)"
      fi
    } >&2
    exit 1
  fi
fi

# ---------------------------------------------------------------------------
# Build

if [ ! -x "$build/mldkorr" ] || [ ! -x "$build/qvini" ]; then
  echo "== Building mldkorr and qvini ($build, RelWithDebInfo)"
  buildlog="$(mktemp "${TMPDIR:-/tmp}/qvbench-build.XXXXXX")"
  if ! (cd "$repo" && cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
    cmake --build "$build" -j2 --target mldkorr qvini) >"$buildlog" 2>&1; then
    tail -n 30 "$buildlog" >&2
    rm -f "$buildlog"
    die "the build failed"
  fi
  rm -f "$buildlog"
fi
[ -x "$build/mldkorr" ] || die "$build/mldkorr is missing after the build"
[ -x "$build/qvini" ] || die "$build/qvini is missing after the build"
build_type="$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null || true)"
case "$build_type" in
  Release | RelWithDebInfo) ;;
  *) echo "run-bench: warning: $build is a '${build_type:-unknown}' build; the numbers are not" \
    "comparable with an optimised one (QV_BENCH_BUILD names another folder)" >&2 ;;
esac

need_db_client
[ -x /usr/bin/time ] || die "/usr/bin/time is needed (package time)"

# ---------------------------------------------------------------------------
# Installation folder

make_installation qvbench run-bench

now_s() { date +%s.%N; }
elapsed() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", b - a }'; }

params_sql="CREATE TEMP TABLE bench_par AS SELECT $jobs AS jobs, $days AS days,
  '$LAST_DAY' AS last_day, $c_aei AS c_aei, $c_sta AS c_sta, $c_aez_au AS c_aez_au,
  $c_aez_es AS c_aez_es, $c_del AS c_del, $c_new AS c_new;"

t0="$(now_s)"
if [ "$engine" = sqlite ]; then
  setup_sqlite_db
  t1="$(now_s)"
  {
    printf "ATTACH DATABASE '%s' AS QvSystem;\n" "$sysdb_sql"
    printf '%s\n' "$params_sql"
    cat "$repo/bench/gen-sqlite.sql"
    if [ "$analyze" -eq 1 ]; then echo "ANALYZE; ANALYZE QvSystem;"; fi
  } | sqlite3 -bail "$db" >/dev/null || die "bench/gen-sqlite.sql failed"
  t2="$(now_s)"
  sqlite_net8
  login=qvbench
  pass=qvbench
else
  parse_pg_conninfo
  setup_pg_db "qvbench_$$"
  t1="$(now_s)"
  {
    printf '%s\n' "$params_sql"
    cat "$repo/bench/gen-postgresql.sql"
    if [ "$analyze" -eq 1 ]; then echo "ANALYZE;"; fi
  } | psql -X -q -v ON_ERROR_STOP=1 "$pg_conn" >/dev/null || die "bench/gen-postgresql.sql failed"
  t2="$(now_s)"
  pg_net8
fi
write_ini_connection

# ---------------------------------------------------------------------------
# Table dumps (demo/lib.sh): one line per row, sorted, for the counts below.

load_table_meta
if [ "$evaluated" -eq 1 ]; then
  query "UPDATE Qvt560Mel SET MelKsb = 'PRIME', MelKfc = 'AEZ', MelKdt = KeyDat
         WHERE KeyLfn = 0 AND KeyBnr IN (SELECT min(KeyBnr) FROM Qvt560Mel
           WHERE ObjTyp = 'M__' AND MelKsb = '        ' GROUP BY KeyApl)" >/dev/null
  (cd "$workdir" && QV_TEST_NOW="$BENCH_NOW" "$build/mldkorr" PRIME) ||
    die "the priming run of clerk PRIME failed"
  rm -f "$workdir/Msg/Vastrigon.Txt" "$buffdir"/*
fi
dump_all "$dumps/before"
total_msgs=$(wc -l <"$dumps/before/Qvt560Mel.rows")
pending_before="$(query "SELECT count(*) FROM Qvt560Mel WHERE MelKsb = '$CLERK'")"

# Pending corrections of BENCH per kind (a machine stop is an AEZ on a row of
# object type M__), as KIND:n,... in the order of mix_kinds; codes outside
# the kinds follow.
pending_mix() {
  query "SELECT CASE WHEN MelKfc = 'AEZ' AND ObjTyp = 'M__' THEN 'AEZM' ELSE MelKfc END, count(*)
         FROM Qvt560Mel WHERE MelKsb = '$CLERK' GROUP BY 1" |
    awk -F "$SEP" -v kinds="${mix_kinds[*]}" '
      { n[$1] = $2 }
      END { k = split(kinds, order, " ")
            for (i = 1; i <= k; i++) { printf "%s%s:%d", (i > 1 ? "," : ""), order[i], n[order[i]]; delete n[order[i]] }
            for (c in n) printf ",%s:%d", c, n[c] }'
}
# KIND:n,... -> "KIND n, ..." without the kinds of none.
mix_text() { tr , '\n' <<<"$1" | awk -F : '$2 > 0 { printf "%s%s %s", (o++ ? ", " : ""), $1, $2 }'; }
mix_before="$(pending_mix)"
mix_asked="AEI:$c_aei,STA:$c_sta,AEZ:$c_aez_au,AEZM:$c_aez_es,DEL:$c_del,NEW:$c_new"
[ "$mix_before" = "$mix_asked" ] ||
  die "the generation marked $(mix_text "$mix_before") instead of $(mix_text "$mix_asked")"
mix="$(mix_text "$mix_before")"
mix="${mix:-none}"

# ---------------------------------------------------------------------------
# The run

runner=()
[ -n "$wrap" ] && read -ra runner <<<"$wrap"
[ -n "$callgrind" ] && runner+=(valgrind --tool=callgrind --callgrind-out-file="$callgrind" -q)
timefile="$root/time.txt"
set +e
r0="$(now_s)"
console="$(cd "$workdir" && QV_TEST_NOW="$BENCH_NOW" /usr/bin/time -v -o "$timefile" \
  "${runner[@]}" "$build/mldkorr" "$CLERK" 2>&1)"
rc=$?
r1="$(now_s)"
set -e

dump_all "$dumps/after"

# ---------------------------------------------------------------------------
# Report

tv() { sed -n "s/^[[:space:]]*$1: //p" "$timefile" | head -n 1; }
run_s="$(elapsed "$r0" "$r1")"
user_s="$(tv 'User time (seconds)')"
sys_s="$(tv 'System time (seconds)')"
maxrss="$(tv 'Maximum resident set size (kbytes)')"
pending_after="$(query "SELECT count(*) FROM Qvt560Mel WHERE MelKsb = '$CLERK'")"
mix_after="$(pending_mix)"
per_s="$(awk -v n="$pending_before" -v s="$run_s" 'BEGIN { if (s > 0) printf "%.1f", n / s; else print "-" }')"

logfile="$workdir/Msg/Vastrigon.Txt"
entries=0
[ -f "$logfile" ] && entries=$(LC_ALL=C tr -cd '\376' <"$logfile" | wc -c)

case "$engine" in
  sqlite) where="SQLite ($(sqlite3 --version | cut -d' ' -f1))" ;;
  postgres) where="PostgreSQL ($(psql -X -A -t "$pg_conn" -c 'SHOW server_version' | cut -d' ' -f1))" ;;
esac

echo "== mldkorr benchmark: $where, build $build (${build_type:-?})"
echo "  machine         $(nproc) cores, $(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo), $(uname -r)"
echo "  messages        $total_msgs in Qvt560Mel ($jobs jobs on $days working days up to $LAST_DAY, demo plant included)"
echo "  corrections     $pending_before pending for $CLERK: $mix"
echo "  load            schema + demo plant $(elapsed "$t0" "$t1") s, generation$([ "$analyze" -eq 1 ] && echo ' + ANALYZE') $(elapsed "$t1" "$t2") s"
[ -n "$callgrind" ] && echo "  profile         callgrind into $callgrind (times below measure valgrind)"
[ -n "$wrap" ] && echo "  wrapped         under: $wrap (times below include it)"
echo "  run             wall $run_s s, user ${user_s:-?} s, system ${sys_s:-?} s, max resident ${maxrss:-?} KiB, exit status $rc"
echo "  throughput      $per_s corrections/s"
echo "  still pending   $pending_after$([ "$pending_after" -gt 0 ] && echo ": $(mix_text "$mix_after")")"
if [ -n "$console" ]; then
  echo "  console output (the program should write none):"
  printf '%s\n' "$console" | head -n 20 | sed 's/^/    /'
fi
echo

echo "== Log: $entries entries"
if [ "$entries" -gt 0 ]; then
  # Entries start with 0xFE; lines end with CR LF. Grouped by function,
  # message and error code.
  LC_ALL=C awk 'BEGIN { RS = "\376" }
    NR > 1 { gsub(/\r/, ""); f = ""; m = ""; c = ""
             n = split($0, l, "\n")
             for (i = 1; i <= n; i++) {
               if (l[i] ~ /^Funktion___: /) f = substr(l[i], 14)
               if (l[i] ~ /^Message____: /) m = substr(l[i], 14)
               if (l[i] ~ /^ErrorCode__: /) c = substr(l[i], 14)
             }
             k = f " | " m " | " c; cnt[k]++ }
    END { for (k in cnt) printf "%8d  %s\n", cnt[k], k }' "$logfile" | sort -k1,1nr
fi
echo

echo "== Rows per table (before -> after: changed, added, deleted)"
while IFS=$'\t' read -r t _ _ keys; do
  b="$dumps/before/$t.rows"
  a="$dumps/after/$t.rows"
  nb=$(wc -l <"$b")
  na=$(wc -l <"$a")
  LC_ALL=C comm -23 "$b" "$a" >"$dumps/gone"
  LC_ALL=C comm -13 "$b" "$a" >"$dumps/came"
  ng=$(wc -l <"$dumps/gone")
  nc=$(wc -l <"$dumps/came")
  [ "$ng" -eq 0 ] && [ "$nc" -eq 0 ] && [ "$nb" -eq 0 ] && continue
  changed=0
  if [ -n "$keys" ] && [ "$ng" -gt 0 ] && [ "$nc" -gt 0 ]; then
    changed=$(LC_ALL=C comm -12 <(cut -d "$SEP" -f "$keys" "$dumps/gone" | LC_ALL=C sort -u) \
      <(cut -d "$SEP" -f "$keys" "$dumps/came" | LC_ALL=C sort -u) | wc -l)
  fi
  printf "  %-20s %7d -> %7d   %7d changed %7d added %7d deleted\n" \
    "$t" "$nb" "$na" "$changed" $((nc - changed)) $((ng - changed))
done <"$meta"
echo

echo "== Buffer files in Comm/Buff"
shopt -s nullglob
buffers=("$buffdir"/*)
shopt -u nullglob
total_bytes=0
total_records=0
for f in "${buffers[@]}"; do
  size=$(wc -c <"$f")
  records=$(wc -l <"$f")
  total_bytes=$((total_bytes + size))
  total_records=$((total_records + records))
  echo "  $(basename "$f"): $size bytes, $records records"
done
echo "  total: $total_bytes bytes, $total_records records"
echo

printf 'RESULT engine=%s messages=%s corrections=%s load_s=%s run_s=%s user_s=%s sys_s=%s maxrss_kib=%s corr_per_s=%s log_entries=%s buffer_bytes=%s pending_after=%s mix=%s\n' \
  "$engine" "$total_msgs" "$pending_before" "$(elapsed "$t0" "$t2")" "$run_s" "${user_s:-}" "${sys_s:-}" \
  "${maxrss:-}" "$per_s" "$entries" "$total_bytes" "$pending_after" "$mix_before"
