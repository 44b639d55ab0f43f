#!/usr/bin/env bash
# Builds a fuzz target with clang (address and undefined-behaviour
# sanitizers) and runs it for the given number of seconds (default 600):
#   scripts/fuzz.sh [seconds] [stats_fuzzer | log_reader_fuzzer]
# stats_fuzzer (the default) drives the plug-in's exports; log_reader_fuzzer
# feeds arbitrary bytes to the log readers of stats-host, seeded with the
# test logs and the inputs in fuzz/log_reader_seeds that once broke an
# invariant, and keeps its inputs in <build>/corpus-log_reader.
# Being a clang build, it also checks the lock annotations (-Wthread-safety).
# Inputs it finds interesting are kept in <build>/corpus; an input that
# breaks an invariant or crashes is written to <build>/findings/ and stops
# the run with a failure. Replay one with STATS_FUZZ_TRACE=1 to see its calls:
#   STATS_FUZZ_TRACE=1 build-fuzz/fuzz/stats_fuzzer build-fuzz/findings/crash-...
# STATS_FUZZ_BUILD names the build folder (default build-fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
target=${2:-stats_fuzzer}
root=$(pwd)
dir=${STATS_FUZZ_BUILD:-build-fuzz}
# Relative to the source tree; an absolute folder stays as it is.
case "$dir" in
  /*) ;;
  *) dir="$root/$dir" ;;
esac

CC=clang CXX=clang++ cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DSTATS_FUZZ=ON -DSTATS_BUILD_TESTS=OFF >/dev/null
case "$target" in
  stats_fuzzer) corpus="$dir/corpus" seeds=("$root/fuzz/corpus") ;;
  log_reader_fuzzer)
    corpus="$dir/corpus-log_reader"
    seeds=("$root/tests/host/data/logs" "$root/fuzz/log_reader_seeds") ;;
  *) echo "fuzz.sh: no fuzz target '$target' (stats_fuzzer, log_reader_fuzzer)" >&2; exit 2 ;;
esac
cmake --build "$dir" --target "$target" -j 2
mkdir -p "$corpus" "$dir/findings"
# The committed seeds are read, never written: new inputs go to the first
# folder only.
"$dir/fuzz/$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 \
  -print_final_stats=1 -artifact_prefix="$dir/findings/" \
  "$corpus" "${seeds[@]}"
