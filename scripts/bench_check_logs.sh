#!/usr/bin/env bash
# Times stats-host check-logs over two generated contests and prints wall
# time, CPU time, peak memory and each stage's cost, then PASS or FAIL:
#  - 2,000 stations, about 1,000,000 QSO lines in the 1,800 logs sent: at
#    most 3 s wall and 1 GB in the largest process;
#  - the same lines of a 1,000-station contest (about 460,000) once spread
#    over its logs and once mostly in one log beside 40 normal ones
#    (scripts/bench_big_log.py): the one log at most 1.5 times the spread
#    time, under 1 GB.
# The contests are generated once into the build folder and kept.
# A report, not a test: it exits 0 whatever the figures are.
#
#   scripts/bench_check_logs.sh           (scripts/bench.sh runs it too)
# STATS_BENCH_BUILD_DIR chooses the build folder (default build-bench),
# STATS_BENCH_JOBS the parallel build jobs (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ ! -x /usr/bin/time ]; then
  echo "n/a   check-logs: /usr/bin/time is missing (apt-get install time)"
  exit 0
fi
. scripts/bench_build.sh stats-host yu_dx_contest_generator
generator="$dir/tools/yu_dx_contest_generator"

# generate FOLDER STATIONS QSOS SEED: a contest's logs in FOLDER/logs and its
# answers in FOLDER/answers.tsv, made once.
generate() {
  if [ ! -f "$1/answers.tsv" ]; then
    echo "generating a contest once into $1 ..." >&2
    rm -rf "$1" "$1.tmp"
    mkdir -p "$1.tmp/logs"
    "$generator" --out "$1.tmp/logs" --stations "$2" --qsos "$3" --seed "$4" \
      --answers "$1.tmp/answers.tsv"
    mv "$1.tmp" "$1"
  fi
}
contest="$dir/check-logs-contest-2000-550"
generate "$contest" 2000 550 1
spread="$dir/check-logs-contest-1000-550"
generate "$spread" 1000 550 2
if [ ! -d "$spread/big" ]; then
  rm -rf "$spread/big.tmp"
  python3 scripts/bench_big_log.py "$spread/logs" "$spread/big.tmp" 40 >&2
  mv "$spread/big.tmp" "$spread/big"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

tree() {
  local p
  for p in $(pgrep -P "$1"); do
    echo "$p"
    tree "$p"
  done
}

# measure NAME LOGS: runs check-logs over LOGS with --json and --timings and
# writes NAME.time (GNU time's report), NAME.peak (the sampled memory of all
# processes together) and NAME.err (standard error, with the stages).
measure() {
  # The run's memory is sampled as it goes: the proportional set size
  # (shared pages split among the processes sharing them) of stats-host and
  # its worker processes together, every tenth of a second.
  /usr/bin/time -v -o "$work/$1.time" "$host" check-logs "$2" --out "$work/$1-out" \
    --json "$work/$1.json" --timings >"$work/$1.table" 2>"$work/$1.err" &
  local timer=$! peak=0 sum kb p
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
    echo "FAIL  check-logs over $2 did not finish:"
    tail -5 "$work/$1.err"
    exit 0
  fi
  echo "$peak" >"$work/$1.peak"
}

measure contest "$contest/logs"
measure spread "$spread/logs"
measure big "$spread/big"

python3 - "$work" "$contest" <<'EOF'
import re
import sys

work, contest = sys.argv[1], sys.argv[2]


def run(name):
    text = open("%s/%s.time" % (work, name)).read()

    def field(label):
        m = re.search(r"^\s*" + re.escape(label) + r": (.*)$", text, re.M)
        return m.group(1).strip() if m else None

    clock = field("Elapsed (wall clock) time (h:mm:ss or m:ss)")
    parts = [float(p) for p in clock.split(":")]
    wall = sum(p * 60 ** i for i, p in enumerate(reversed(parts)))
    cpu = float(field("User time (seconds)")) + float(field("System time (seconds)"))
    # The largest resident set of one process, and the sampled peak of all of
    # them together (pages the workers share with the main process once).
    largest = int(field("Maximum resident set size (kbytes)")) * 1024
    together = int(open("%s/%s.peak" % (work, name)).read()) * 1024
    stages = [l.split("timing:", 1)[1].rstrip() for l in open("%s/%s.err" % (work, name))
              if "timing:" in l]
    return wall, cpu, largest, together, stages


def show(title, figures):
    wall, cpu, largest, together, stages = figures
    print("%s" % title)
    print("  wall %.2f s, CPU (user+sys, all processes) %.2f s, largest process %.0f MB,"
          " %.0f MB together" % (wall, cpu, largest / 2**20, together / 2**20))
    for stage in stages:
        print("   " + stage)


def verdict(ok):
    return "PASS" if ok else "FAIL"


lines = sum(1 for _ in open(contest + "/answers.tsv"))
main = run("contest")
spread, big = run("spread"), run("big")
print()
show("check-logs over %d QSO lines (%s)" % (lines, contest), main)
show("the 1,000-station contest, its lines spread over its logs", spread)
show("the same lines mostly in one log beside 40 others", big)
print()
print("%s  check-logs over 2,000 logs, 1,000,000 QSOs in at most 3 s: %.2f s wall"
      " (a loaded machine adds wall time)" % (verdict(main[0] <= 3), main[0]))
print("%s  check-logs in at most 1 GB in its largest process: %.0f MB"
      % (verdict(0 < main[2] <= 2**30), main[2] / 2**20))
ratio = big[0] / spread[0]
print("%s  one long log at most 1.5 times the same lines spread: %.2f s against %.2f s (%.2f)"
      % (verdict(ratio <= 1.5), big[0], spread[0], ratio))
print("%s  one long log in at most 1 GB in its largest process: %.0f MB"
      % (verdict(0 < big[2] <= 2**30), big[2] / 2**20))
EOF
