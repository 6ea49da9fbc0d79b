#!/bin/sh
# The all-areas extraction (every ward, separate files, default variables, ED code
# only) to Stata and to SPSS files against the CSV of the same request, and the CSV
# extraction against itself without ROOT_request.json (ZENDRA91_BENCH_NO_REQUEST_FILE
# leaves out the file and the hashing it needs). Each comparison runs in PAIRS
# alternating pairs, since page-cache speed swings from minute to minute.
# Usage: formats.sh [DATA] [PAIRS]
#   DATA   a data set (default: the --full demo set written to a temporary folder)
#   PAIRS  number of pairs per comparison (default 5)
# Prints each pair, then median_dta_over_csv and median_sav_over_csv (goal <= 3),
# each format's peak resident memory (goal < 64 MiB) and median_request_overhead_pct
# (goal <= 20).
set -eu
pairs=${2:-5}
. "$(dirname "$0")/common.sh"

# One extraction in FORMAT into an emptied folder; prints "seconds peak_rss_kib".
extract() { measured_extract --format "$1"; }
mib() { python3 -c "print(f'{$1 / 1024:.1f}')"; }

extract csv >/dev/null # warms the cache for the first pair
echo "output_bytes_csv: $(cat "$out"/Zen91_hh.txt "$out"/Zen91_ind.txt | wc -c)"
peak_csv=0
for format in dta sav; do
    ratios=""
    peak=0
    i=1
    while [ "$i" -le "$pairs" ]; do
        set -- $(extract csv)
        csv=$1
        [ "$2" -gt "$peak_csv" ] && peak_csv=$2
        set -- $(extract "$format")
        [ "$2" -gt "$peak" ] && peak=$2
        r=$(ratio "$1" "$csv")
        echo "pair $i: csv ${csv}s $format ${1}s $format/csv $r"
        ratios="$ratios $r"
        i=$((i + 1))
    done
    echo "output_bytes_$format: $(cat "$out"/Zen91_hh."$format" "$out"/Zen91_ind."$format" | wc -c)"
    echo "median_${format}_over_csv: $(median $ratios)"
    echo "peak_rss_mib_$format: $(mib "$peak")"
done
echo "peak_rss_mib_csv: $(mib "$peak_csv")"

overheads=""
i=1
while [ "$i" -le "$pairs" ]; do
    with=$(extract csv | cut -d' ' -f1)
    [ -f "$out"/Zen91_request.json ] || { echo "no request file written" >&2; exit 1; }
    without=$(ZENDRA91_BENCH_NO_REQUEST_FILE=1 extract csv | cut -d' ' -f1)
    [ ! -f "$out"/Zen91_request.json ] || { echo "a request file was written" >&2; exit 1; }
    pct=$(python3 -c "print(f'{($with / $without - 1) * 100:.1f}')")
    echo "pair $i: with request ${with}s without ${without}s overhead ${pct}%"
    overheads="$overheads $pct"
    i=$((i + 1))
done
echo "median_request_overhead_pct: $(median $overheads)"
