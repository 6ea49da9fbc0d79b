#!/bin/sh
# The compressed all-areas extraction (every ward, separate files, default variables,
# ED code only, --compress) against the plain CSV extraction of the same request
# followed by pigz -p 2 at its default level 6, in PAIRS alternating pairs (page-cache
# speed swings, so only the paired ratio means anything); then what the loading scripts
# add, on a one-ward extraction run with and without them.
# Usage: compress.sh [DATA] [PAIRS]
#   DATA   a data set (default: the --full demo set written to a temporary folder)
#   PAIRS  number of pairs (default 3)
# Prints each pair, median_compressed_over_pigz (goal <= 0.5), the bytes of both and
# bytes_over_pigz (goal <= 1.05), compression_ratio (plain bytes over compressed bytes),
# peak_rss_mib (goal < 64) and median_scripts_ms (goal < 50).
set -eu
pairs=${2:-3}
. "$(dirname "$0")/common.sh"
command -v pigz >/dev/null || { echo "pigz is needed (Debian: pigz)" >&2; exit 1; }

extract() { measured_extract "$@"; }

extract >/dev/null # warms the cache for the first pair
plain_bytes=$(cat "$out"/Zen91_hh.txt "$out"/Zen91_ind.txt | wc -c)
ratios=""
peak=0
i=1
while [ "$i" -le "$pairs" ]; do
    set -- $(extract --compress)
    ours=$1
    [ "$2" -gt "$peak" ] && peak=$2
    ours_bytes=$(cat "$out"/Zen91_hh.txt.gz "$out"/Zen91_ind.txt.gz | wc -c)
    set -- $(extract)
    csv=$1
    pigz_time=$(python3 "$here/measure.py" pigz -p 2 -6 "$out"/Zen91_hh.txt "$out"/Zen91_ind.txt | cut -d' ' -f1)
    pigz_bytes=$(cat "$out"/Zen91_hh.txt.gz "$out"/Zen91_ind.txt.gz | wc -c)
    total=$(python3 -c "print(f'{$csv + $pigz_time:.3f}')")
    r=$(ratio "$ours" "$total")
    echo "pair $i: compressed ${ours}s csv ${csv}s + pigz ${pigz_time}s = ${total}s ratio $r"
    ratios="$ratios $r"
    i=$((i + 1))
done
echo "plain_bytes: $plain_bytes"
echo "compressed_bytes: $ours_bytes"
echo "pigz_bytes: $pigz_bytes"
echo "bytes_over_pigz: $(ratio "$ours_bytes" "$pigz_bytes")"
echo "compression_ratio: $(ratio "$plain_bytes" "$ours_bytes")"
echo "median_compressed_over_pigz: $(median $ratios)"
echo "peak_rss_mib: $(python3 -c "print(f'{$peak / 1024:.1f}')")"

# The scripts' cost is far below the noise of a long run: a one-ward extraction,
# alternately with and without them, many times.
ward=$(head -1 "$data/EDlist.txt" | cut -c1-6)
diffs=""
i=1
while [ "$i" -le 15 ]; do
    with=$(extract --wards "$ward" | cut -d' ' -f1)
    without=$(extract --wards "$ward" --no-scripts | cut -d' ' -f1)
    diffs="$diffs $(python3 -c "print(($with - $without) * 1000)")"
    i=$((i + 1))
done
echo "median_scripts_ms: $(median $diffs)"
