#!/usr/bin/env bash
# Builds the fuzz target with clang (address and undefined-behaviour
# sanitizers) and runs it for the given number of seconds (default 600).
# Being a clang build, it also checks the lock annotations (-Wthread-safety).
# Inputs it finds interesting are kept in <build>/corpus; an input that
# breaks an invariant or crashes is written to <build>/findings/ and stops
# the run with a failure. Replay one with STATS_FUZZ_TRACE=1 to see its calls:
#   STATS_FUZZ_TRACE=1 build-fuzz/fuzz/stats_fuzzer build-fuzz/findings/crash-...
# STATS_FUZZ_BUILD names the build folder (default build-fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
root=$(pwd)
dir=${STATS_FUZZ_BUILD:-build-fuzz}
# Relative to the source tree; an absolute folder stays as it is.
case "$dir" in
  /*) ;;
  *) dir="$root/$dir" ;;
esac

CC=clang CXX=clang++ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSTATS_FUZZ=ON -DSTATS_BUILD_TESTS=OFF >/dev/null
cmake --build "$dir" --target stats_fuzzer -j 2
mkdir -p "$dir/corpus" "$dir/findings"
# The committed seeds are read, never written: new inputs go to the first
# folder only.
"$dir/fuzz/stats_fuzzer" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 \
  -print_final_stats=1 -artifact_prefix="$dir/findings/" \
  "$dir/corpus" "$root/fuzz/corpus"
