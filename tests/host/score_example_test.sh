#!/usr/bin/env bash
# scripts/score-example.sh with options and no log, and with a relative log
# path in a folder that does not exist.
#   score_example_test.sh <stats-host> <country file>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
script="$here/../../scripts/score-example.sh"
export STATS_HOST=$1
cty=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
status=0

# Options alone score the bundled example.
if ! "$script" --cty "$cty" --html page.html >out.txt 2>err.txt; then
  echo "options without a log failed:" >&2; cat err.txt >&2; status=1
elif ! grep -q "Contestant: DL6EXA" out.txt || [ ! -s page.html ]; then
  echo "options without a log did not score the example into page.html:" >&2
  cat out.txt err.txt >&2; status=1
fi

# A relative path is reported as given, from this folder.
rc=0
"$script" nodir/MY.log --cty "$cty" >out.txt 2>err.txt || rc=$?
if [ $rc != 2 ] || ! grep -q "$work/nodir/MY.log: no such file (log)" err.txt; then
  echo "a missing relative log gave status $rc:" >&2; cat err.txt >&2; status=1
fi
[ $status = 0 ] && echo "score-example.sh: options alone and relative logs work"
exit $status
