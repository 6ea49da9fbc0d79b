#!/bin/sh
# A user ED list of 100,000 codes against a plain read of the same household files.
# Usage: userlist.sh [DATA] [CODES]
#   DATA   a data set with a household file for every ED, such as the --full demo set
#          (default: a bench data set written to a temporary folder)
#   CODES  list length (default 100000); codes are drawn with repeats from the
#          data set's household files
# Prints the extraction's time and EDs per second, the time of cat reading the
# listed files, and the ratio extract/cat.
set -eu
count=${2:-100000}
. "$(dirname "$0")/common.sh"

# The list: codes of random household files outside the sample ward's folder.
find "$data/Zen91Data" -name '*.res' ! -path '*/BY/04BYFA*' >"$work/files"
python3 - "$work/files" "$count" "$work/EDlist.txt" "$work/paths" <<'PY'
import os, random, sys
files = open(sys.argv[1]).read().split()
random.seed(91)
chosen = [random.choice(files) for _ in range(int(sys.argv[2]))]
with open(sys.argv[3], "w", newline="") as codes, open(sys.argv[4], "w") as paths:
    for path in chosen:
        codes.write(os.path.basename(path)[:-4] + "\r\n")
        paths.write(path + "\n")
PY
mkdir -p "$work/out" "$work/run"
# A working folder of its own, so that RejectedEDs.txt does not land in DATA.
for folder in ProgramData SARData Zen91Data; do ln -s "$data/$folder" "$work/run/$folder"; done

# Warm the cache the same way for both, then time each twice and keep the faster.
xargs cat <"$work/paths" >/dev/null
best() { a=$(python3 "$here/measure.py" "$@" | cut -d' ' -f1); b=$(python3 "$here/measure.py" "$@" | cut -d' ' -f1)
         python3 -c "print(min($a, $b))"; }
ext=$(best "$bin/zendra91-extract" --data "$work/run" --ed-list "$work/EDlist.txt" --output "$work/out" --quiet)
cat_time=$(best sh -c "xargs cat <'$work/paths' >/dev/null")
echo "codes: $count"
echo "extract_s: $ext"
echo "eds_per_s: $(python3 -c "print(round($count / $ext))")"
echo "cat_s: $cat_time"
echo "extract_over_cat: $(python3 -c "print(f'{$ext / $cat_time:.2f}')")"
