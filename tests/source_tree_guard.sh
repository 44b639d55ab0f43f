#!/usr/bin/env bash
# Catches a test that writes into the source tree. Run first, it lists every
# file and folder of the tree with its size and modification time; run last,
# it lists them again and fails on any difference. Build trees (folders
# with a CMakeCache.txt, wherever they are), .git and the editors' .cache
# are left out, so a build inside the source tree does not count.
#   source_tree_guard.sh snapshot|compare <source tree> <listing file>
set -euo pipefail
mode=$1 tree=$2 listing=$3

list_tree() {
  (cd "$tree" && find . -path ./.git -prune -o \
     -path ./.cache -prune -o -type d -exec test -e '{}/CMakeCache.txt' ';' -prune -o \
     -type d -printf 'd %p\n' -o -printf '%y %p %s %T@\n') | LC_ALL=C sort
}

case "$mode" in
  snapshot)
    list_tree >"$listing"
    echo "source tree listed: $(wc -l <"$listing") entries"
    ;;
  compare)
    if [ ! -f "$listing" ]; then
      echo "no listing taken before the tests: $listing" >&2
      exit 1
    fi
    if ! changes=$(list_tree | diff "$listing" -); then
      echo "the tests wrote into the source tree $tree:" >&2
      echo "$changes" | grep '^[<>]' >&2
      exit 1
    fi
    echo "the source tree is as it was before the tests"
    ;;
  *)
    echo "usage: source_tree_guard.sh snapshot|compare <source tree> <listing file>" >&2
    exit 2
    ;;
esac
