#!/usr/bin/env bash
# Times the log robot (stats-host serve) on loopback: one 5,000-QSO log from
# upload to receipt (the median of 5 uploads), and uploads per minute of
# the bundled example log (2,212 QSO lines) from 4 clients at once.
# A report, not a test: it exits 0 whatever the figures are.
#
#   scripts/bench_robot.sh                (scripts/bench.sh runs it too)
# STATS_BENCH_BUILD_DIR chooses the build folder (default build-bench),
# STATS_BENCH_JOBS the parallel build jobs (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v curl >/dev/null; then
  echo "n/a   log robot: curl is missing (apt-get install curl)"
  exit 0
fi
. scripts/bench_build.sh stats-host yu_dx_log_generator

work=$(mktemp -d)
robot=""
cleanup() {
  [ -z "$robot" ] || { kill "$robot" 2>/dev/null; wait "$robot" 2>/dev/null || true; }
  rm -rf "$work"
}
trap cleanup EXIT
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$host" serve "$work/contest" --listen "127.0.0.1:$port" --cty "$cty" 2>"$work/robot.err" &
robot=$!
for _ in $(seq 100); do
  curl -s -o /dev/null "http://127.0.0.1:$port/" && break
  sleep 0.05
done

# Logs that differ in their own call, so that none is "unchanged".
own_call() { grep -m1 '^CALLSIGN:' "$1" | awk '{print $2}'; }
variant() {  # log, n, out: the log under the n-th call DB<n%10>AA..
  local call
  call="DB$(($2 % 10))$(printf "\\x$(printf %x $((65 + $2 / 10 % 26)))")A"
  sed "s/$(own_call "$1")/$call/g" "$1" >"$3"
}

"$dir/tools/yu_dx_log_generator" --qsos 5000 --seed 5 --out "$work/big.log" >/dev/null
times=()
for n in 1 2 3 4 5; do
  variant "$work/big.log" "$n" "$work/big-$n.log"
  t=$(curl -s -o "$work/answer.json" -w '%{time_total}' --data-binary "@$work/big-$n.log" \
        "http://127.0.0.1:$port/api/logs")
  grep -q '"receipt"' "$work/answer.json" || { echo "FAIL  log robot: no receipt"; cat "$work/answer.json"; exit 0; }
  times+=("$t")
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)
qsos=$(grep -c '^QSO:' "$work/big.log")

uploads=40
for n in $(seq 100 $((100 + uploads - 1))); do
  variant examples/yu-dx-example.log "$n" "$work/u-$n.log"
done
start=$(date +%s.%N)
seq 100 $((100 + uploads - 1)) | xargs -P 4 -I{} curl -s -o /dev/null -w '%{http_code}\n' \
  --data-binary "@$work/u-{}.log" "http://127.0.0.1:$port/api/logs" >"$work/codes"
end=$(date +%s.%N)
accepted=$(grep -c '^201$' "$work/codes" || true)
python3 - "$median" "$qsos" "$start" "$end" "$uploads" "$accepted" "$(nproc)" <<'PY'
import sys
median, qsos, start, end, uploads, accepted, cores = sys.argv[1:8]
seconds = float(end) - float(start)
print()
print("log robot on loopback (%s cores)" % cores)
print("  one %s-QSO log, upload to receipt: %.0f ms (median of 5)" % (qsos, float(median) * 1000))
print("  %s uploads of the example log from 4 clients: %s accepted in %.1f s, %.0f uploads per minute"
      % (uploads, accepted, seconds, int(accepted) / seconds * 60))
PY
