#!/usr/bin/env bash
# The plug-in's dynamic symbol table defines its eleven entry points and
# nothing else.
set -euo pipefail
library="$1"
expected="AddData0 CheckCall0 GetExchgCount0 GetNumberOfSets GetResult0 GetSetName IsValidExchg0 RemoveData0 ResetStats0 SetupSet0 setVersion"
actual=$(nm -D --defined-only "$library" | awk '{print $3}' | LC_ALL=C sort | tr '\n' ' ' | sed 's/ $//')
if [ "$actual" != "$expected" ]; then
  echo "exported: $actual" >&2
  echo "expected: $expected" >&2
  exit 1
fi
echo "the eleven entry points, and nothing else"
