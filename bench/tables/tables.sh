#!/bin/sh
# Tables against the extraction they stand for and against pandas.
# Usage: tables.sh [DATA] [PAIRS]
#   DATA   a data set (default: the --full demo set written to a temporary folder)
#   PAIRS  alternating pairs of the table and the extraction (default 5)
# Debian's python3-pandas is used (/usr/bin/python3), whatever python3 is on PATH.
# Prints each pair, then:
#   median_table_over_extract   Age by Sex of persons over all areas against the
#                               all-areas CSV extraction of Age and Sex (goal <= 0.25)
#   pandas_over_table           read_csv of that extraction's two columns and a
#                               crosstab, against the table (goal >= 30)
#   table_peak_rss_mib          the table command's peak resident memory (goal < 64)
# and bench_tables' engine-only medians (a two-way table of one district: goal < 100 ms).
set -eu
pairs=${2:-5}
. "$(dirname "$0")/../extract/common.sh"
measure=$here/../extract/measure.py
out=$work/out
mkdir -p "$out"

table() { python3 "$measure" "$bin/zendra91-extract" --data "$data" --table Age,Sex; }
extract() {
    python3 "$measure" "$bin/zendra91-extract" --data "$data" --ind-vars Age,Sex --hh-vars none \
        --output "$out" --quiet
}

"$bin/zendra91-extract" --data "$data" --table Age,Sex >"$work/table.csv"
ratios=""
peak=0
i=1
while [ "$i" -le "$pairs" ]; do
    rm -f "$out"/Zen91_*
    sync
    ext=$(extract | cut -d' ' -f1)
    set -- $(table)
    tab=$1
    [ "$2" -gt "$peak" ] && peak=$2
    ratio=$(python3 -c "print(f'{$tab / $ext:.4f}')")
    echo "pair $i: extract ${ext}s table ${tab}s table/extract $ratio"
    ratios="$ratios $ratio"
    i=$((i + 1))
done
echo "median_table_over_extract: $(python3 -c "import statistics,sys; print(statistics.median(map(float, sys.argv[1:])))" $ratios)"

# pandas reads the person file the last extraction wrote; the interpreter's start and
# the import are left out. The crosstab must equal the table.
pandas=$(/usr/bin/python3 - "$out/Zen91_ind.txt" "$work/table.csv" <<'PY'
import sys, time
import pandas as pd
start = time.monotonic()
d = pd.read_csv(sys.argv[1], usecols=["Age", "Sex"])
cross = pd.crosstab(d.Age, d.Sex)
elapsed = time.monotonic() - start
table = pd.read_csv(sys.argv[2]).pivot(index="rows", columns="columns", values="count")
same = table.reindex_like(cross).fillna(0).astype("int64").equals(cross.astype("int64"))
print(f"{elapsed:.3f} {'equal' if same else 'DIFFERENT'}")
PY
)
tab=$(table | cut -d' ' -f1)
set -- $pandas
echo "pandas ${1}s (crosstab $2 to the table) table ${tab}s"
echo "pandas_over_table: $(python3 -c "print(f'{$1 / $tab:.1f}')")"
echo "table_peak_rss_mib: $(python3 -c "print(f'{$peak / 1024:.1f}')")"
(cd "$data" && "$bin/bench_tables" 20)
