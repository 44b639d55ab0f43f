#!/usr/bin/env bash
# Times stats-host score of one generated 100,000-QSO log in Release: the
# median of several runs' wall time, CPU time (user+sys) and peak memory,
# the median cost of each stage (--timings), and the same with every output
# file written; then PASS or FAIL against 0.5 s and 200 MB. The log is
# generated once into the build folder and kept for later runs.
# A report, not a test: it exits 0 whatever the figures are.
#
#   scripts/bench_score.sh                (scripts/bench.sh runs it too)
# STATS_BENCH_BUILD_DIR chooses the build folder (default build-bench),
# STATS_BENCH_JOBS the parallel build jobs (default 2), STATS_BENCH_RUNS
# the runs of each kind (default 7).
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${STATS_BENCH_RUNS:-7}"
qsos=100000

if [ ! -x /usr/bin/time ]; then
  echo "n/a   score: /usr/bin/time is missing (apt-get install time)"
  exit 0
fi
. scripts/bench_build.sh stats-host yu_dx_log_generator

log="$dir/score-bench-$qsos.log"
if [ ! -f "$log" ]; then
  "$dir/tools/yu_dx_log_generator" --qsos "$qsos" --seed 7 --out "$log.tmp" >/dev/null
  mv "$log.tmp" "$log"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# kind: "score" alone, or "all" with the problems list, JSON, page and HTML.
for n in $(seq "$runs"); do
  for kind in score all; do
    extra=()
    if [ "$kind" = all ]; then
      extra=(--problems "$work/p.txt" --json "$work/s.json" --page "$work/page.html"
             --html "$work/s.html")
    fi
    rm -rf "$work/out"
    /usr/bin/time -f "%e %U %S %M" -o "$work/$kind-$n.time" "$host" score "$log" \
      --out "$work/out" --cty "$cty" --timings "${extra[@]}" >/dev/null 2>"$work/$kind-$n.err" ||
      { echo "FAIL  score did not finish:"; tail -3 "$work/$kind-$n.err"; exit 0; }
  done
done

python3 - "$work" "$runs" "$qsos" <<'EOF'
import re
import statistics
import sys

work, runs, qsos = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
STAGE = re.compile(r"timing: (\S+) +([0-9.]+) s wall, CPU +([0-9.]+) s here.*peak ([0-9]+) MB")


def runs_of(kind):
    """(wall, cpu, peak MB) of each run, and each stage's (wall, cpu) lists."""
    totals, stages, order = [], {}, []
    for n in range(1, runs + 1):
        wall, user, system, kb = open("%s/%s-%d.time" % (work, kind, n)).read().split()
        totals.append((float(wall), float(user) + float(system), int(kb) / 1024))
        for line in open("%s/%s-%d.err" % (work, kind, n)):
            m = STAGE.search(line)
            if m:
                if m.group(1) not in stages:
                    order.append(m.group(1))
                stages.setdefault(m.group(1), []).append((float(m.group(2)), float(m.group(3))))
    return totals, [(name, stages[name]) for name in order]


def median(values):
    return statistics.median(values)


results = {}
for kind, title in (("score", "score alone"), ("all", "score with --problems --json --page --html")):
    totals, stages = runs_of(kind)
    wall = median(t[0] for t in totals)
    cpu = median(t[1] for t in totals)
    peak = median(t[2] for t in totals)
    results[kind] = (wall, cpu, peak)
    print()
    print("stats-host %s of a %d-QSO log, median of %d runs" % (title, qsos, runs))
    print("  wall %.3f s, CPU (user+sys) %.3f s, peak %.0f MB" % (wall, cpu, peak))
    for name, values in stages:
        print("  %-10s wall %.3f s  CPU %.3f s" % (name, median(v[0] for v in values),
                                                  median(v[1] for v in values)))
wall, cpu, peak = results["score"]
print()
print("%s  score of a %d-QSO log in at most 0.5 s: %.3f s wall (CPU %.3f s; a loaded machine"
      " adds wall time)" % ("PASS" if wall <= 0.5 else "FAIL", qsos, wall, cpu))
print("%s  score of a %d-QSO log in at most 200 MB: %.0f MB"
      % ("PASS" if 0 < peak <= 200 else "FAIL", qsos, peak))
EOF
