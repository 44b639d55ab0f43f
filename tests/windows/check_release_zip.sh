#!/usr/bin/env bash
# Makes the release zip from the Windows build with cpack and checks that it
# is named after the version and holds the DLL and the install note.
#   check_release_zip.sh <Windows build folder> <version> <scratch folder>
set -euo pipefail
build=$1 version=$2 out=$3
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
echo "$(basename "$zip"): $(echo $entries)"
