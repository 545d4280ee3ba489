#!/usr/bin/env bash
# Builds the whole project with clang, AddressSanitizer and UndefinedBehaviorSanitizer (float-to-int overflow
# included) in ./build-asan, runs the whole test suite under them, then runs each fuzz target for 30 seconds.
# Any sanitizer report fails the run: errors abort, leaks end the process with a failing status.
#   scripts/sanitize.sh [fuzz seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
fuzzSeconds=${1:-30}
build=build-asan
jobs=${VT_JOBS:-$(nproc)}
flags="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer"
supp="$PWD/scripts/lsan.supp"
# Test discovery runs the test programs while building, so the options hold from here on. Every report also goes
# to a file of its own: a report from a child process (simulator, command-line tool) fails the run even where the
# test does not look at how the child ended.
reports="$PWD/$build/sanitizer-reports"
rm -rf "$reports"
mkdir -p "$reports"
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:log_path=$reports/asan"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:log_path=$reports/ubsan"
export LSAN_OPTIONS="suppressions=$supp:print_suppressions=0"

start=$(date +%s)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_FLAGS="$flags" -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="$flags" -DCMAKE_SHARED_LINKER_FLAGS="$flags" "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$jobs"
built=$(date +%s)

export QT_QPA_PLATFORM=offscreen
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
xvfb-run -a -s "-screen 0 1600x1000x24" ctest --test-dir "$build" --output-on-failure -j"$jobs" --timeout 300 \
  | tee "$log" || status=$?
if grep -qE '\*\*\*Skipped|Not Run' "$log"; then
  echo "sanitize: tests were skipped; every test must run" >&2
  status=1
fi
tested=$(date +%s)
if [ -n "$(ls -A "$reports")" ]; then
  echo "sanitize: sanitizer reports:" >&2
  for f in "$reports"/*; do
    echo "--- $f" >&2
    cat "$f" >&2
  done
  status=1
fi

# The fuzz targets keep their own options (they must abort on a finding to keep the input).
unset ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS
scripts/fuzz.sh "$fuzzSeconds" || status=1
done=$(date +%s)
echo "sanitize: build $((built - start)) s, tests $((tested - built)) s, fuzzing $((done - tested)) s"
exit "$status"
