#!/usr/bin/env bash
# Copies screenshots that the window tests under Wine took into docs/images/,
# for the README. Run the tests first (scripts/run-tests.sh, or ctest -L
# windows in the native build that knows the Windows build).
#   update-screenshots.sh [--build DIR] NAME...   NAME.png of any test's
#                                                 work folder; DIR defaults
#                                                 to build-test-winnative
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-test-winnative
if [ "${1:-}" = --build ]; then
    build=$2
    shift 2
fi
[ $# -gt 0 ] || { echo "usage: update-screenshots.sh [--build DIR] NAME..." >&2; exit 2; }
mkdir -p docs/images
status=0
for name in "$@"; do
    found=$(find "$build/tests/windows/ui" -name "$name.png" -print -quit 2>/dev/null || true)
    if [ -z "$found" ]; then
        echo "no $name.png under $build/tests/windows/ui" >&2
        status=1
        continue
    fi
    cp "$found" "docs/images/$name.png"
    echo "docs/images/$name.png"
done
exit $status
