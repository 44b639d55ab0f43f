#!/usr/bin/env bash
# Times stats-host check-logs over a large generated contest (2,000 stations,
# about 1,000,000 QSO lines) and prints its wall time, CPU time and peak
# memory, then PASS or FAIL against 10 s and 2 GB. The contest is generated
# once into the build folder and kept for later runs.
# A report, not a test: it exits 0 whatever the figures are.
#
#   scripts/bench_check_logs.sh           (scripts/bench.sh runs it too)
# STATS_BENCH_BUILD_DIR chooses the build folder (default build-bench),
# STATS_BENCH_JOBS the parallel build jobs (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${STATS_BENCH_BUILD_DIR:-build-bench}"
jobs="${STATS_BENCH_JOBS:-2}"
stations=2000
qsos=550  # per station: about 974,000 QSO lines in the logs sent

if [ ! -x /usr/bin/time ]; then
  echo "n/a   check-logs: /usr/bin/time is missing (apt-get install time)"
  exit 0
fi
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" -j "$jobs" --target stats-host yu_dx_contest_generator >/dev/null
host="$dir/stats-host"
generator="$dir/tools/yu_dx_contest_generator"

contest="$dir/check-logs-contest-$stations-$qsos"
if [ ! -f "$contest/answers.tsv" ]; then
  echo "generating the contest once into $contest ..." >&2
  rm -rf "$contest" "$contest.tmp"
  mkdir -p "$contest.tmp/logs"
  "$generator" --out "$contest.tmp/logs" --stations "$stations" --qsos "$qsos" --seed 1 \
    --answers "$contest.tmp/answers.tsv"
  mv "$contest.tmp" "$contest"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
/usr/bin/time -v "$host" check-logs "$contest/logs" --out "$work/out" \
  --json "$work/results.json" >"$work/table.txt" 2>"$work/stderr.txt" || {
  echo "FAIL  check-logs did not finish:"
  tail -5 "$work/stderr.txt"
  exit 0
}

python3 - "$work/stderr.txt" "$contest" <<'EOF'
import re
import sys

text = open(sys.argv[1]).read()


def field(name):
    m = re.search(r"^\s*" + re.escape(name) + r": (.*)$", text, re.M)
    return m.group(1).strip() if m else None


clock = field("Elapsed (wall clock) time (h:mm:ss or m:ss)")
parts = [float(p) for p in clock.split(":")]
wall = sum(p * 60 ** i for i, p in enumerate(reversed(parts)))
cpu = float(field("User time (seconds)")) + float(field("System time (seconds)"))
# The largest resident set of the run's processes: the main process, or one
# of the two workers forked from it (sharing its pages until they write).
peak = int(field("Maximum resident set size (kbytes)")) * 1024
together = 3 * peak  # an upper bound for the three processes at once
lines = sum(1 for _ in open(sys.argv[2] + "/answers.tsv"))

print()
print("check-logs over %d QSO lines (%s)" % (lines, sys.argv[2]))
print("  wall %.2f s, CPU (user+sys, all processes) %.2f s, peak %.0f MB per process"
      % (wall, cpu, peak / 2**20))
verdict = "PASS" if wall <= 10 else "FAIL"
print("%s  check-logs over 2,000 logs, 1,000,000 QSOs in at most 10 s: %.2f s wall"
      " (CPU %.2f s: on a loaded machine the wall time exceeds CPU / 2)" % (verdict, wall, cpu))
verdict = "PASS" if together <= 2 * 2**30 else "FAIL"
print("%s  check-logs in at most 2 GB: at most %.0f MB (3 processes x %.0f MB)"
      % (verdict, together / 2**20, peak / 2**20))
EOF
