#!/usr/bin/env bash
# Runs a 32-bit Windows program under Wine in a throwaway prefix, on a
# virtual X display of 1280x1024 with 24-bit colour (the default 8-bit
# screen would quantise the colours that pixel checks read), and ends the
# prefix's Wine processes afterwards.
#   wine_run.sh <prefix> --init               makes a fresh prefix
#   wine_run.sh <prefix> [--desktop NAME] <program.exe> [args]
#                                             runs the program; arguments
#                                             that are absolute paths are
#                                             passed in their Windows form
# --desktop runs the program inside a Wine virtual desktop of the screen's
# size, where Wine draws window frames and captions itself (Xvfb has no
# window manager), so that screenshots show title bars.
# Every Wine process has a time limit: STATS_WINE_TIMEOUT seconds (240).
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all
# No prompts to install the .NET and HTML engines into the prefix, and no
# debugger: a crash ends the process instead of waiting for someone.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
# A fixed locale, so the ANSI code page and the system's texts are the same
# on every machine.
export LANG=C LC_ALL=C
limit=${STATS_WINE_TIMEOUT:-240}
screen=1280x1024

# Runs the command on a virtual display and waits until every process of the
# prefix has ended, so none outlives the test holding the display or its
# output. The command's output goes through a file: Wine's own background
# processes must not keep the caller's pipe open.
under_display() {
    local log rc=0
    log=$(mktemp)
    xvfb-run -a -s "-screen 0 ${screen}x24" bash -c '
        log=$1 limit=$2; shift 2
        timeout -k 10 "$limit" "$@" >"$log" 2>&1; rc=$?
        [ $rc = 124 ] && echo "wine_run.sh: stopped after $limit s" >>"$log"
        timeout 60 wineserver -w || wineserver -k
        exit $rc' run "$log" "$limit" "$@" </dev/null >/dev/null 2>&1 || rc=$?
    cat "$log"
    rm -f "$log"
    return $rc
}

windows_path() {
    case "$1" in
        /*) local p=${1//\//\\}; echo "Z:$p" ;;
        *) echo "$1" ;;
    esac
}

if [ "$1" = --init ]; then
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    under_display wineboot --init
    # Wine's own TrueType fonts (fonts-wine) where its font lookup finds
    # them: without Marlett the caption buttons show letters instead of
    # their glyphs, and dialogs fall back to other faces than Tahoma.
    for font in /usr/share/wine/fonts/*.ttf; do
        [ -e "$font" ] && cp "$font" "$prefix/drive_c/windows/Fonts/"
    done
    exit 0
fi

desktop=""
if [ "$1" = --desktop ]; then
    desktop=$2
    shift 2
fi

args=()
for arg in "$@"; do
    args+=("$(windows_path "$arg")")
done

if [ -z "$desktop" ]; then
    under_display wine "${args[@]}"
    exit
fi

# Inside a virtual desktop the program is started by Wine's explorer, whose
# exit code says nothing about the program's: a batch file records it.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{
    printf '@'
    for arg in "${args[@]}"; do printf '"%s" ' "$arg"; done
    # The redirection first: "echo 1> file" would redirect stream 1.
    printf '\r\n@>"%s" echo %%ERRORLEVEL%%\r\n' "$(windows_path "$work/status")"
} >"$work/run.bat"
under_display wine explorer "/desktop=$desktop,$screen" cmd /c "$(windows_path "$work/run.bat")" || true
if [ ! -s "$work/status" ]; then
    echo "wine_run.sh: the program did not finish" >&2
    exit 1
fi
status=$(tr -dc '0-9' <"$work/status")
exit "${status:-1}"
