#!/usr/bin/env bash
# Runs scripts/check-layers.py on a small made-up tree, one fault at a time, and checks
# that it passes the sound tree and names the file, the line and the include otherwise.
set -uo pipefail
check="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

make_tree() {
  rm -rf "$work/src"
  mkdir -p "$work/src"/{low,side,mid,top/sub}
  printf '%s\n' '# Layers, bottom up.' '#' \
    '#   low, side       the bottom' '#   mid             the middle' '#   top             the top' \
    'add_subdirectory(low)' > "$work/src/CMakeLists.txt"
  printf '#include "low/A.h"\n#include <sys/stat.h>\n' > "$work/src/mid/B.cpp"
  printf '#include "mid/B.h"\n#include "low/A.h"\n' > "$work/src/top/sub/C.h"
  printf '#include "A.h"\n' > "$work/src/low/A.cpp"
}

# expect NAME EXPECTED-STATUS EXPECTED-TEXT
expect() {
  out=$(python3 "$check" "$work/src" 2>&1); status=$?
  if [ "$status" -ne "$2" ] || ! grep -qF -- "$3" <<<"$out"; then
    echo "FAIL $1: status $status, wanted $2 and \"$3\" in:"; echo "$out"; failures=$((failures + 1))
  fi
}

make_tree
expect "sound tree" 0 "include only the folders below them"

make_tree; mkdir "$work/src/mid/deep"; printf '\n#include "top/sub/C.h"\n' > "$work/src/mid/deep/E.h"
expect "include from above, in a subfolder" 1 "src/mid/deep/E.h:2: mid includes top/sub/C.h, from top, a folder above it"

make_tree; printf '#include "side/D.h"\n' >> "$work/src/low/A.cpp"
expect "include from beside" 1 "src/low/A.cpp:2: low includes side/D.h, from side, a folder beside it"

make_tree; mkdir "$work/src/extra"
expect "folder not in the table" 1 "src/extra: not in the layer table"

make_tree; rmdir "$work/src/side"
expect "table names a missing folder" 1 "names side, which is not a folder"

exit $((failures > 0))
