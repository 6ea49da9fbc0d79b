#!/bin/sh
# A selective all-areas extraction (persons aged 65 and over, whole households off;
# every ward, separate files, default variables, ED code only) against the unselected
# extraction of the same variables, in PAIRS alternating pairs (page-cache speed
# swings, so only the paired ratio means anything); then the size check's share: a
# dry run with the selection (which counts the selected cases exactly) less a dry run
# without it, over the selective extraction.
# Usage: select.sh [DATA] [PAIRS]
#   DATA   a data set (default: the --full demo set written to a temporary folder)
#   PAIRS  number of pairs (default 3)
# Prints each pair, median_selected_over_all (goal <= 1.0), the size check's seconds
# and size_check_share (goal <= 0.30), and peak_rss_mib of the selective run.
set -eu
pairs=${2:-3}
. "$(dirname "$0")/common.sh"
select="--select Age=65-99"

extract() { measured_extract "$@"; }

extract >/dev/null # warms the cache for the first pair
ratios=""
selected_times=""
peak=0
i=1
while [ "$i" -le "$pairs" ]; do
    set -- $(extract $select)
    selected=$1
    [ "$2" -gt "$peak" ] && peak=$2
    set -- $(extract)
    all=$1
    r=$(ratio "$selected" "$all")
    echo "pair $i: selected ${selected}s all ${all}s ratio $r"
    ratios="$ratios $r"
    selected_times="$selected_times $selected"
    i=$((i + 1))
done
echo "median_selected_over_all: $(median $ratios)"
echo "peak_rss_mib: $(python3 -c "print(f'{$peak / 1024:.1f}')")"

checks=""
i=1
while [ "$i" -le 5 ]; do
    with=$(extract --dry-run $select | cut -d' ' -f1)
    without=$(extract --dry-run | cut -d' ' -f1)
    checks="$checks $(python3 -c "print($with - $without)")"
    i=$((i + 1))
done
check=$(median $checks)
echo "size_check_s: $check"
echo "size_check_share: $(ratio "$check" "$(median $selected_times)")"
