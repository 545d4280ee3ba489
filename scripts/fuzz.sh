#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) in ./build-fuzz and
# runs each for the given seconds (default 30), starting from the seed corpus in fuzz/corpus/<target>. New inputs
# go to build-fuzz/corpus/<target>, findings to build-fuzz/findings/. Any finding fails the run.
#   scripts/fuzz.sh [seconds] [target...]        VT_FUZZ_RUNS=n stops each target after n inputs instead
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
build=build-fuzz
jobs=${VT_JOBS:-2}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DVT_FUZZ=ON -DVT_BUILD_TESTS=OFF -DVT_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" --target vt_fuzzers -j"$jobs"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(fuzz_record fuzz_identification fuzz_framing fuzz_mesreader fuzz_settings fuzz_roundtrip_rows
           fuzz_roundtrip_file)
fi
mkdir -p "$build/findings"
status=0
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t"
  log="$build/findings/$t.log"
  # These keep one state and table across inputs on purpose (no start-up per input): what an input leaves for the
  # next looks like growth to the per-input leak check, which then scans the heap after nearly every input. The
  # leak check at the end of the run stays.
  leaks=1
  case "$t" in fuzz_settings|fuzz_roundtrip_*) leaks=0 ;; esac
  if "$build/fuzz/$t" -max_total_time="$seconds" -runs="${VT_FUZZ_RUNS:--1}" -max_len=4096 -timeout=10 -rss_limit_mb=2048 -detect_leaks=$leaks \
      -dict=fuzz/vt.dict -print_final_stats=1 -artifact_prefix="$build/findings/$t-" \
      "$build/corpus/$t" "fuzz/corpus/$t" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "fuzz: $t: ${runs:-?} executions (${speed:-?}/s), no finding"
  else
    echo "fuzz: $t: FINDING (see $log and $build/findings/$t-*)" >&2
    tail -n 40 "$log" >&2
    status=1
  fi
done
exit "$status"
