#!/usr/bin/env bash
# Makes the release zip from the Windows build with cpack and checks that it
# is named after the version and holds the DLL, stats-host.exe and the
# install note, that the DLL and stats-host.exe carry no debug sections, and
# that they were kept beside the build's files. Then the zipped stats-host.exe
# scores the bundled example under Wine with the zipped DLL beside it, and
# its summary must be the native build's.
#   check_release_zip.sh <objdump> <Windows build folder> <version> <scratch folder>
#                        <wine_run.sh> <Wine prefix> <native stats-host> <log> <country file>
set -euo pipefail
objdump=$1 build=$2 version=$3 out=$4
wine_run=$5 prefix=$6 native=$7 log=$8 cty=$9
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
for want in Stats.dll stats-host.exe INSTALL.txt; do
    if ! grep -qx "$want" <<<"$entries"; then
        echo "$zip does not hold $want; it holds:" >&2
        echo "$entries" >&2
        exit 1
    fi
done
debug_sections() { "$objdump" -h "$1" | awk '$2 ~ /^\.debug_/ { print $2 }'; }
mkdir -p "$out/unzipped"
(cd "$out/unzipped" && cmake -E tar xf "$zip")
size() { wc -c <"$1" | tr -d ' '; }
sizes=""
for file in Stats.dll stats-host.exe; do
    shipped=$(debug_sections "$out/unzipped/$file")
    if [ -n "$shipped" ]; then
        echo "the zip's $file carries debug sections:" $shipped >&2
        exit 1
    fi
    if ! debug_sections "$build/$file.debug" | grep -qx .debug_info; then
        echo "no debug information kept in $build/$file.debug" >&2
        exit 1
    fi
    sizes="$sizes $file $(size "$out/unzipped/$file") bytes ($(size "$build/$file.debug") in .debug),"
done

# The plug-in's summary: from its heading to its last rate line.
summary() { tr -d '\r' | sed -n '/DI-VE-RI/,/pts rate/p'; }
"$native" score "$log" --cty "$cty" --out "$out/native-run" 2>/dev/null | summary >"$out/native.txt"
# Wine hands on the program's standard output and error as one; the summary
# is written in one piece between the warnings and the closing line.
"$wine_run" "$prefix" "$out/unzipped/stats-host.exe" score "$log" --cty "$cty" \
    --out "$out/wine-run" >"$out/wine-output.txt" 2>&1 || {
    echo "the zipped stats-host.exe failed under Wine:" >&2
    cat "$out/wine-output.txt" >&2
    exit 1
}
summary <"$out/wine-output.txt" >"$out/wine.txt"
if [ ! -s "$out/native.txt" ] || ! diff -u "$out/native.txt" "$out/wine.txt" >&2; then
    echo "the zipped stats-host.exe under Wine does not give the native summary" >&2
    exit 1
fi
echo "$(basename "$zip"): $(echo $entries);$sizes" \
    "$(grep -c . "$out/wine.txt") summary lines as the native build's"
