#!/usr/bin/env bash
# Runs one script of the stand-in host for the windows in a fresh work
# folder, inside a Wine virtual desktop so that screenshots show title bars,
# and turns the screenshots it wrote into PNG files.
#   run_ui_host.sh <prefix> <ui_host.exe> <script> <Stats.dll> <work folder>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1 program=$2 script=$3 dll=$4 work=$5
rm -rf "$work"
mkdir -p "$work"
rc=0
"$here/wine_run.sh" "$prefix" --desktop "stats-$(basename "$work")" \
    "$program" "$script" "$dll" "$work" || rc=$?
"$here/screenshots_to_png.sh" "$work" || rc=1
exit $rc
