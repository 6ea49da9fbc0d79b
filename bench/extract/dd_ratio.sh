#!/bin/sh
# The all-areas extraction against dd writing the same number of bytes to the same
# disk, in alternating pairs (page-cache speed swings, so only the paired ratio
# means anything). Usage: dd_ratio.sh [DATA] [PAIRS]
#   DATA   a data set (default: a bench data set written to a temporary folder)
#   PAIRS  number of pairs (default 3)
# dd syncs its data at the end (conv=fdatasync), as the extraction syncs its files.
# Prints each pair's times, then the median ratio dd/extract (goal >= 0.8) and the
# extraction's peak resident memory (goal < 64 MiB).
set -eu
pairs=${2:-3}
. "$(dirname "$0")/common.sh"

# Every ward, separate files, default variables, ED code only.
extract() { python3 "$here/measure.py" "$bin/zendra91-extract" --data "$data" --output "$out" --quiet; }

first=$(extract)
bytes=$(cat "$out"/Zen91_hh.txt "$out"/Zen91_ind.txt | wc -c)
mib=$(( (bytes + 1048575) / 1048576 ))
echo "output_bytes: $bytes"
ratios=""
peak=0
i=1
while [ "$i" -le "$pairs" ]; do
    rm -f "$out"/Zen91_*.txt "$out"/dd.bin
    sync
    set -- $(extract)
    ext=$1
    [ "$2" -gt "$peak" ] && peak=$2
    rm -f "$out"/Zen91_*.txt
    sync
    dd_time=$(python3 "$here/measure.py" dd if=/dev/zero of="$out/dd.bin" bs=1M count="$mib" conv=fdatasync status=none | cut -d' ' -f1)
    ratio=$(python3 -c "print(f'{$dd_time / $ext:.2f}')")
    echo "pair $i: extract ${ext}s dd ${dd_time}s dd/extract $ratio"
    ratios="$ratios $ratio"
    i=$((i + 1))
done
rm -f "$out"/dd.bin
echo "median_dd_over_extract: $(python3 -c "import statistics,sys; print(statistics.median(map(float, sys.argv[1:])))" $ratios)"
echo "peak_rss_mib: $(python3 -c "print(f'{$peak / 1024:.1f}')")"
