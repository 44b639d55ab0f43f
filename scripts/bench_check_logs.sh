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
# The run's memory is sampled as it goes: the proportional set size (shared
# pages split among the processes sharing them) of stats-host and its worker
# processes together, every tenth of a second.
/usr/bin/time -v -o "$work/time.txt" "$host" check-logs "$contest/logs" --out "$work/out" \
  --json "$work/results.json" >"$work/table.txt" 2>"$work/stderr.txt" &
timer=$!
peak=0
tree() {
  local p
  for p in $(pgrep -P "$1"); do
    echo "$p"
    tree "$p"
  done
}
while kill -0 "$timer" 2>/dev/null; do
  sum=0
  for p in $(tree "$timer"); do
    kb=$(awk '/^Pss:/ { print $2 }' "/proc/$p/smaps_rollup" 2>/dev/null || true)
    sum=$((sum + ${kb:-0}))
  done
  [ "$sum" -gt "$peak" ] && peak=$sum
  sleep 0.1
done
if ! wait "$timer"; then
  echo "FAIL  check-logs did not finish:"
  tail -5 "$work/stderr.txt"
  exit 0
fi

python3 - "$work/time.txt" "$contest" "$peak" <<'EOF'
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
# The largest resident set of one process, and the sampled peak of all of
# them together (their proportional set sizes: pages the workers share with
# the main process counted once).
largest = int(field("Maximum resident set size (kbytes)")) * 1024
together = int(sys.argv[3]) * 1024
lines = sum(1 for _ in open(sys.argv[2] + "/answers.tsv"))

print()
print("check-logs over %d QSO lines (%s)" % (lines, sys.argv[2]))
print("  wall %.2f s, CPU (user+sys, all processes) %.2f s, memory %.0f MB together"
      " (largest process %.0f MB)" % (wall, cpu, together / 2**20, largest / 2**20))
verdict = "PASS" if wall <= 10 else "FAIL"
print("%s  check-logs over 2,000 logs, 1,000,000 QSOs in at most 10 s: %.2f s wall"
      " (CPU %.2f s over 2 worker processes and the main one; a loaded machine adds"
      " wall time)" % (verdict, wall, cpu))
verdict = "PASS" if 0 < together <= 2 * 2**30 else "FAIL"
print("%s  check-logs in at most 2 GB: %.0f MB" % (verdict, together / 2**20))
EOF
