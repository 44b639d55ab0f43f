#!/usr/bin/env bash
# Installs what is missing, builds the plug-in and stats-host, and scores the
# bundled 24-hour YU DX log. Any other log: scripts/score-example.sh MY.log
# (further arguments go to "stats-host score", e.g. --html page.html).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
log="${1:-$root/examples/yu-dx-example.log}"
[ $# -gt 0 ] && shift
log="$(cd "$(dirname "$log")" && pwd)/$(basename "$log")"

"$root/scripts/install-deps.sh" native host
build="$root/build-example"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DSTATS_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target stats-host -j 2 >/dev/null
"$build/stats-host" score "$log" --out "$build/stats-out" "$@"
