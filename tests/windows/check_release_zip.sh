#!/usr/bin/env bash
# Makes the release zip from the Windows build with cpack and checks that it
# is named after the version and holds the DLL and the install note, that
# the DLL carries no debug sections, and that they were kept beside the
# build's DLL.
#   check_release_zip.sh <objdump> <Windows build folder> <version> <scratch folder>
set -euo pipefail
objdump=$1 build=$2 version=$3 out=$4
rm -rf "$out"
mkdir -p "$out"
cpack -G ZIP --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || {
    cat "$out/cpack.log" >&2
    exit 1
}
zip=$out/Stats-$version-win32.zip
if [ ! -f "$zip" ]; then
    echo "cpack made no $zip:" >&2
    ls "$out" >&2
    exit 1
fi
entries=$(cd "$out" && cmake -E tar tf "$zip")
for want in Stats.dll INSTALL.txt; do
    if ! grep -qx "$want" <<<"$entries"; then
        echo "$zip does not hold $want; it holds:" >&2
        echo "$entries" >&2
        exit 1
    fi
done
debug_sections() { "$objdump" -h "$1" | awk '$2 ~ /^\.debug_/ { print $2 }'; }
(cd "$out" && cmake -E tar xf "$zip" Stats.dll)
shipped=$(debug_sections "$out/Stats.dll")
if [ -n "$shipped" ]; then
    echo "the zip's Stats.dll carries debug sections:" $shipped >&2
    exit 1
fi
if ! debug_sections "$build/Stats.dll.debug" | grep -qx .debug_info; then
    echo "no debug information kept in $build/Stats.dll.debug" >&2
    exit 1
fi
size() { wc -c <"$1" | tr -d ' '; }
echo "$(basename "$zip"): $(echo $entries); Stats.dll $(size "$out/Stats.dll") bytes," \
    "Stats.dll.debug $(size "$build/Stats.dll.debug") bytes"
