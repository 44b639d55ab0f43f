#!/usr/bin/env bash
# A Windows DLL or program needs nothing beside it: every DLL it imports
# from is part of Windows (the C and C++ runtimes are linked in).
#   check_imports.sh <objdump> <Stats.dll or program.exe>
set -euo pipefail
objdump=$1 dll=$2
system="kernel32.dll user32.dll gdi32.dll msvcrt.dll advapi32.dll ole32.dll oleaut32.dll
comctl32.dll comdlg32.dll shell32.dll version.dll"
imports=$("$objdump" -p "$dll" | awk '/DLL Name:/ { print tolower($3) }')
if [ -z "$imports" ]; then
    echo "no import table found in $dll" >&2
    exit 1
fi
status=0
for name in $imports; do
    case " $(echo $system) " in
        *" $name "*) ;;
        *) echo "imports $name, which is not a system DLL" >&2; status=1 ;;
    esac
done
[ $status = 0 ] && echo "imports only system DLLs: $(echo $imports)"
exit $status
