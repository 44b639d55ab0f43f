#!/usr/bin/env bash
# Builds the plug-in and its benchmarks in Release, runs them, and prints one
# table row per log size and operation: the plug-in's time, the reference
# model's time and their ratio, then PASS or FAIL for each speed target.
# A report, not a test: it exits 0 whatever the figures are.
#
#   scripts/bench.sh                      all sizes (about two minutes)
#   scripts/bench.sh --benchmark_filter=/10000/    extra arguments go to both
#                                         benchmark programs
# STATS_BENCH_BUILD_DIR chooses the build folder (default build-bench),
# STATS_BENCH_JOBS the parallel build jobs (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."
dir="${STATS_BENCH_BUILD_DIR:-build-bench}"
jobs="${STATS_BENCH_JOBS:-2}"

cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" -j "$jobs" --target stats_bench stats_ui_bench >/dev/null
if [ ! -x "$dir/bench/stats_bench" ] || [ ! -x "$dir/bench/stats_ui_bench" ]; then
  echo "stats_bench was not built: is Google Benchmark installed?" \
       "(scripts/install-deps.sh native)" >&2
  exit 1
fi

json="$(mktemp)"
ui_json="$(mktemp)"
trap 'rm -f "$json" "$ui_json"' EXIT
"$dir/bench/stats_bench" --benchmark_out="$json" --benchmark_out_format=json \
  --benchmark_format=console "$@" >&2
"$dir/bench/stats_ui_bench" --benchmark_out="$ui_json" --benchmark_out_format=json \
  --benchmark_format=console "$@" >&2

python3 - "$json" "$ui_json" <<'EOF'
import json
import sys

UNIT = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}

# who -> (operation, size) -> seconds: the median of the repetitions, or the
# single run's time where the benchmark ran once.
times = {}
benchmarks = []
for path in sys.argv[1:]:
    try:
        benchmarks += json.load(open(path))["benchmarks"]
    except (OSError, ValueError, KeyError):
        pass  # a filter that matched nothing in that program
for b in benchmarks:
    if b.get("error_occurred"):
        print("ERROR", b["run_name"], b.get("error_message", ""))
        continue
    if b["run_type"] == "aggregate" and b["aggregate_name"] != "median":
        continue
    who, op, size = b["run_name"].split("/")[:3]
    seconds = b["real_time"] * UNIT[b["time_unit"]]
    times.setdefault(who, {})[(op, int(size))] = seconds


def show(seconds):
    if seconds is None:
        return "-"
    for unit, scale in (("s", 1.0), ("ms", 1e-3), ("us", 1e-6)):
        if seconds >= scale:
            return "%.3g %s" % (seconds / scale, unit)
    return "%.3g ns" % (seconds / 1e-9)


plugin = times.get("plugin", {})
model = times.get("model", {})
floor = times.get("floor", {})
ops = ["Load", "CheckCall-new", "CheckCall-dupe", "CheckCall-known", "GetResult", "RemoveData",
       "Refresh", "PaintPrevQso", "PaintDxcc"]
sizes = sorted({size for _, size in plugin})

print()
print("%8s  %-16s %12s %12s %12s" % ("QSOs", "operation", "plug-in", "model", "ratio"))
for size in sizes:
    for op in ops:
        p = plugin.get((op, size))
        m = model.get((op, size))
        ratio = "%.3g" % (p / m) if p and m else "-"
        print("%8d  %-16s %12s %12s %12s" % (size, op, show(p), show(m), ratio))
    if ("RemoveData", size) in floor:
        print("%8d  %-16s %12s" % (size, "RemoveData-floor", show(floor[("RemoveData", size)])))
print("ratio: plug-in time / model time (below 1: the plug-in is faster)")
print()


def target(name, ok, detail):
    verdict = "n/a " if ok is None else ("PASS" if ok else "FAIL")
    print("%s  %s: %s" % (verdict, name, detail))


def get(table, op, size):
    return table.get((op, size))


load100k, load10k = get(plugin, "Load", 100000), get(plugin, "Load", 10000)
target("loading 100,000 QSOs under 1 s",
       None if load100k is None else load100k < 1.0, show(load100k))
if load100k and load10k:
    target("load time(100,000) / time(10,000) at most 12",
           load100k / load10k <= 12, "%.1f" % (load100k / load10k))
else:
    target("load time(100,000) / time(10,000) at most 12", None, "not measured")
for kind in ("new", "dupe", "known"):
    op = "CheckCall-" + kind
    t = get(plugin, op, 100000)
    target("CheckCall0 (%s call) at 100,000 QSOs under 2 us" % kind,
           None if t is None else t < 2e-6, show(t))
    spread = [get(plugin, op, s) for s in (1000, 10000, 100000)]
    if all(spread):
        factor = max(spread) / min(spread)
        target("CheckCall0 (%s call) within a factor 2 from 1,000 to 100,000" % kind,
               factor <= 2, "%.2f" % factor)
t = get(plugin, "GetResult", 100000)
target("GetResult0 at 100,000 QSOs under 30 ms", None if t is None else t < 0.030, show(t))
t = get(plugin, "Refresh", 100000)
target("one refresh at 100,000 QSOs under 50 us", None if t is None else t < 50e-6, show(t))
spread = [get(plugin, "Refresh", s) for s in (1000, 10000, 100000)]
if all(spread):
    target("one refresh within a factor 2 from 1,000 to 100,000",
           max(spread) / min(spread) <= 2, "%.2f" % (max(spread) / min(spread)))
else:
    target("one refresh within a factor 2 from 1,000 to 100,000", None, "not measured")
t, f = get(plugin, "RemoveData", 100000), get(floor, "RemoveData", 100000)
target("RemoveData0 at 100,000 QSOs under rewriting the bad-QSO file plus one pass",
       None if t is None or f is None else t < f, "%s against %s" % (show(t), show(f)))
EOF

# One large log scored through stats-host, timed as a process.
scripts/bench_score.sh

# The cross-check of a whole contest through stats-host, timed as a process.
scripts/bench_check_logs.sh

# The log robot: one large log from upload to receipt, and uploads per minute.
scripts/bench_robot.sh
