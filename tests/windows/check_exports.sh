#!/usr/bin/env bash
# The DLL exports exactly the eleven plain names and their decorated aliases,
# and each alias leads to the same address as its plain name.
#   check_exports.sh <objdump> <Stats.dll>
set -euo pipefail
objdump=$1 dll=$2
pairs="GetNumberOfSets ?GetNumberOfSets@@YAHXZ
GetSetName ?GetSetName@@YAPBDH@Z
SetupSet0 ?SetupSet0@@YAXXZ
setVersion ?setVersion@@YAKPBD@Z
ResetStats0 ?ResetStats0@@YAHPBDH0PAVCOleDateTime@@10000000000HHHNN000@Z
AddData0 ?AddData0@@YAHPBD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z
RemoveData0 ?RemoveData0@@YAHPBD0PAVCOleDateTime@@111II000000000000000HHHNN00000@Z
CheckCall0 ?CheckCallFunc0@@YAHPBDII00000000000HHHNN0000000PAD1@Z
GetExchgCount0 ?StatsGetExchgCount0@@YAHPBD00@Z
IsValidExchg0 ?StatsIsValidExchg0@@YAHPBD000HHH@Z
GetResult0 ?GetResult0@@YAPBDPAH@Z"

# "name address" for every exported name.
exports=$("$objdump" -p "$dll" | awk '
    /^Export Address Table --/ { table = "address"; next }
    /^\[Ordinal\/Name Pointer\] Table/ { table = "name"; next }
    /^$/ { table = "" }
    table == "address" && match($0, /^\t\[ *[0-9]+\] \+base\[ *[0-9]+\] +[0-9a-f]+/) {
        split(substr($0, RSTART, RLENGTH), f, /[][ \t]+/); rva[f[2]] = f[length(f)] }
    table == "name" && match($0, /^\t\[ *[0-9]+\] /) {
        index_ = substr($0, RSTART, RLENGTH); gsub(/[^0-9]/, "", index_)
        name[substr($0, RSTART + RLENGTH)] = index_ }
    END { for (n in name) print n, rva[name[n]] }' | sort)

expected=$(printf '%s\n' "$pairs" | tr ' ' '\n' | sort)
actual=$(printf '%s\n' "$exports" | cut -d' ' -f1)
if [ "$expected" != "$actual" ]; then
    echo "export names differ from the expected 22:" >&2
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual") >&2 || true
    exit 1
fi
address() { printf '%s\n' "$exports" | awk -v n="$1" '$1 == n { print $2 }'; }
status=0
while read -r plain alias; do
    a=$(address "$plain") b=$(address "$alias")
    if [ -z "$a" ] || [ "$a" != "$b" ]; then
        echo "$alias is at ${b:-nowhere}, $plain at ${a:-nowhere}" >&2
        status=1
    fi
done <<< "$pairs"
[ $status = 0 ] && echo "22 exports, every alias at its plain name's address"
exit $status
