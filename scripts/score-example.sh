#!/usr/bin/env bash
# Installs what is missing, builds the plug-in and stats-host, and scores the
# bundled 24-hour YU DX log. Any other log: scripts/score-example.sh MY.log
# Further arguments go to "stats-host score", with or without a log before
# them, e.g. scripts/score-example.sh --html page.html.
# STATS_HOST=<program> scores with that stats-host and builds nothing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
log="$root/examples/yu-dx-example.log"
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then
  log=$1
  shift
fi
# The log as given, relative to this folder; stats-host tells if it is missing.
case "$log" in
  /*) ;;
  *) log="$PWD/$log" ;;
esac

if [ -n "${STATS_HOST:-}" ]; then
  host=$STATS_HOST
  out="$PWD/stats-out"
else
  "$root/scripts/install-deps.sh" native host
  build="$root/build-example"
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DSTATS_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" --target stats-host -j 2 >/dev/null
  host="$build/stats-host"
  out="$build/stats-out"
fi
exec "$host" score "$log" --out "$out" "$@"
