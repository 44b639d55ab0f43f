#!/usr/bin/env bash
# Replays the scenarios natively and under Wine and compares everything both
# runs left behind, byte for byte.
#   compare_scenarios.sh <prefix> <native host> <native library>
#                        <Windows host> <Windows DLL> <output folder>
set -euo pipefail
prefix=$1 native_host=$2 native_lib=$3 win_host=$4 win_dll=$5 out=$6
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$out"
mkdir -p "$out"
"$native_host" "$native_lib" "$out/native"
"$here/wine_run.sh" "$prefix" "$win_host" "$win_dll" "$out/windows"
if ! diff -r -u "$out/native" "$out/windows"; then
    echo "the Windows build's outputs differ from the native build's (left: native)" >&2
    exit 1
fi
echo "$(find "$out/native" -type f | wc -l) files equal"
