#!/usr/bin/env bash
# Builds everything and runs every test suite:
#   the native build and its tests, the same tests under AddressSanitizer with
#   UndefinedBehaviorSanitizer and under ThreadSanitizer, the fuzz target's
#   clang build (which also checks the lock annotations) and a short fuzz run,
#   and the Windows DLL with its tests under Wine.
# Set STATS_SKIP_WINDOWS=1 to leave out the Windows part.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

kinds=(native host browser robot)
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
# Its clang build of every engine source is also the check of the lock
# annotations: -Wthread-safety with warnings as errors.
echo "== fuzz target (clang, with the lock annotations checked), short run"
STATS_FUZZ_BUILD=build-test-fuzz scripts/fuzz.sh 60
echo "== log reader fuzz target, short run"
STATS_FUZZ_BUILD=build-test-fuzz scripts/fuzz.sh 30 log_reader_fuzzer
# end of fuzz-section

echo "== the lock annotations are checked"
# The clang build above ran with -Wthread-safety, and the annotations are not
# empty for clang: reading the log without the engine lock must not compile.
grep -q -- "-Wthread-safety" build-test-fuzz/compile_commands.json ||
  { echo "the clang build ran without -Wthread-safety" >&2; exit 1; }
unguarded=$(printf '#include "scoring/engine_state.h"\nsize_t Unguarded() { return g_log.size(); }\n' |
  clang++ -std=c++17 -I. -Wthread-safety -Werror -fsyntax-only -x c++ - 2>&1 || true)
case "$unguarded" in
  *"requires holding mutex 'g_engineMutex'"*) ;;
  *) echo "reading g_log without the engine lock was not rejected: $unguarded" >&2; exit 1 ;;
esac

if [ "${STATS_SKIP_WINDOWS:-0}" != 1 ]; then
  echo "== Windows DLL (mingw-w64 i686) and its tests under Wine"
  cmake -S . -B build-test-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build-test-win -j "$jobs"
  # The native side of the comparison; it runs the tests labelled windows.
  cmake -S . -B build-test-winnative -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSTATS_WINDOWS_BUILD_DIR="$PWD/build-test-win" >/dev/null
  cmake --build build-test-winnative -j "$jobs" --target Stats scenario_host stats-host
  # One at a time: the tests share one Wine prefix.
  (cd build-test-winnative && ctest --output-on-failure -j 1 -L windows)
fi
echo "all test suites passed"
