#!/usr/bin/env bash
# Converts the BMP screenshots that the stand-in host wrote into PNG files
# beside them (netpbm) and removes the BMPs.
#   screenshots_to_png.sh <folder>...
set -euo pipefail
status=0
for folder in "$@"; do
    while IFS= read -r -d '' bmp; do
        png=${bmp%.bmp}.png
        if bmptopnm -quiet "$bmp" | pnmtopng -quiet >"$png.tmp"; then
            mv "$png.tmp" "$png"
            rm -f "$bmp"
            echo "$png"
        else
            rm -f "$png.tmp"
            echo "cannot convert $bmp" >&2
            status=1
        fi
    done < <(find "$folder" -name '*.bmp' -print0)
done
exit $status
