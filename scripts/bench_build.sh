# Sourced by the bench scripts from the top of the tree: builds the targets
# named in Release and sets dir (the build folder), host (stats-host in it)
# and cty (the country file to score with).
#   . scripts/bench_build.sh TARGET...
# STATS_BENCH_BUILD_DIR chooses the build folder (default build-bench),
# STATS_BENCH_JOBS the parallel build jobs (default 2).
dir="${STATS_BENCH_BUILD_DIR:-build-bench}"
jobs="${STATS_BENCH_JOBS:-2}"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" -j "$jobs" --target "$@" >/dev/null
host="$dir/stats-host"
cty=/usr/share/hamradio-files/cty.dat
[ -r "$cty" ] || cty=tests/host/data/cty.dat
