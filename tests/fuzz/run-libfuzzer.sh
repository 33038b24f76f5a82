#!/usr/bin/env bash
# Builds the fuzz targets for clang's libFuzzer (with AddressSanitizer and
# UndefinedBehaviorSanitizer, every module instrumented) in build-fuzz/ and
# runs each for SECONDS (default 60) on a copy of its corpus. New inputs that
# crash are left as build-fuzz/crash-*; add them to tests/fuzz/corpus/<target>/
# once fixed, so that the test suite replays them.
#
#   tests/fuzz/run-libfuzzer.sh [SECONDS] [TARGET...]     (targets: ini log mel)
set -euo pipefail
cd "$(dirname "$0")/../.."
secs="${1:-60}"
shift || true
targets=("$@")
[ "${#targets[@]}" -eq 0 ] && targets=(ini log mel)
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_TESTS=OFF \
  -DQV_LIBFUZZER=ON >/dev/null
cmake --build build-fuzz -j"$(nproc 2>/dev/null || echo 2)" --target "${targets[@]/#/fuzz_}"
for t in "${targets[@]}"; do
  work="build-fuzz/corpus-$t"
  mkdir -p "$work"
  cp -n tests/fuzz/corpus/"$t"/* "$work"/ 2>/dev/null || true
  (cd build-fuzz && ./fuzz_"$t" -max_total_time="$secs" -print_final_stats=1 "corpus-$t")
done
