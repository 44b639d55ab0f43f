#!/usr/bin/env bash
# Runs a 32-bit Windows program under Wine in a throwaway prefix, on a
# virtual X display, and ends the prefix's Wine processes afterwards.
#   wine_run.sh <prefix> --init                 makes a fresh prefix
#   wine_run.sh <prefix> <program.exe> [args]   runs the program; arguments
#                                               that are absolute paths are
#                                               passed in their Windows form
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all
# No prompts to install the .NET and HTML engines into the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
# A fixed locale, so the ANSI code page and the system's texts are the same
# on every machine.
export LANG=C LC_ALL=C

# Runs the command on a virtual display and waits until every process of the
# prefix has ended, so none outlives the test holding the display or its
# output. The command's output goes through a file: Wine's own background
# processes must not keep the caller's pipe open.
under_display() {
    local log rc=0
    log=$(mktemp)
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        log=$1; shift
        "$@" >"$log" 2>&1; rc=$?
        timeout 60 wineserver -w || wineserver -k
        exit $rc' run "$log" "$@" </dev/null >/dev/null 2>&1 || rc=$?
    cat "$log"
    rm -f "$log"
    return $rc
}

if [ "$1" = --init ]; then
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    under_display wineboot --init
    exit 0
fi

args=()
for arg in "$@"; do
    case "$arg" in
        /*) arg="Z:${arg//\//\\}" ;;
    esac
    args+=("$arg")
done
under_display wine "${args[@]}"
