#!/bin/sh
# Fault injection on whole extractions, run by hand (as root, for the tmpfs):
#   safety.sh [DATA] [CHECK...]
#   DATA   a data set (default: the demo set written to a temporary folder)
#   CHECK  any of kill int tmpfs folder pairs rejected (default: all)
# Counts: KILLS (20) interrupted all-areas runs for kill and int, PAIRS (40) pairs
# of concurrent runs, TRIES (100) pairs of concurrent ED-list runs.
# Prints one line per check with its figures; "FAIL" marks a broken promise.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
bin=${ZENDRA91_BIN:-$here/../../build/release/bin}
work=$(mktemp -d "${TMPDIR:-/tmp}/zendra91-safety-XXXXXX")
trap 'umount "$work/small" 2>/dev/null || true; rm -rf "$work"' EXIT
if [ $# -ge 1 ] && [ -d "$1" ]; then data=$(cd "$1" && pwd); shift; else
    data=$work/data
    "$bin/zendra91-makedata" "$data" >/dev/null
fi
checks=${*:-kill int tmpfs folder pairs rejected}
out=$work/out
extract() { "$bin/zendra91-extract" --data "$data" --output "$out" --quiet "$@"; }

# Earlier files with known checksums: a one-ward extraction.
earlier() {
    rm -rf "$out" && mkdir -p "$out"
    extract --wards 1 >/dev/null 2>&1
    # The data files, the codebook and the request file: every one must survive.
    (cd "$out" && sha256sum Zen91_*) >"$work/sums"
}
intact() {
    (cd "$out" && sha256sum -c --quiet "$work/sums" >/dev/null 2>&1) \
        && [ "$(ls -A "$out" | wc -l)" -eq "$(wc -l <"$work/sums")" ]
}
used_kib() { df -k --output=used "$out" | tail -1 | tr -d ' '; }

# Interrupts an all-areas run with `signal` at a random moment of its first
# `window` seconds, KILLS times.
interrupt() {
    signal=$1
    earlier
    full=$( { /usr/bin/time -f %e "$bin/zendra91-extract" --data "$data" --output "$work/timing" --quiet >/dev/null; } 2>&1 | tail -1)
    sizes=$(cd "$work/timing" && stat -c %s Zen91_hh.txt Zen91_ind.txt | tr '\n' ' ')
    rm -rf "$work/timing"
    before=$(used_kib)
    ok=0 finished=0 broken=0 statuses=""
    i=1
    while [ "$i" -le "${KILLS:-20}" ]; do
        delay=$(python3 -c "import random; print(f'{random.uniform(0.05, $full * 0.95):.2f}')")
        # The program itself, not a subshell, must get the signal.
        "$bin/zendra91-extract" --data "$data" --output "$out" --quiet >/dev/null 2>"$work/err" &
        pid=$!
        sleep "$delay"
        kill "-$signal" "$pid" 2>/dev/null || true
        status=0
        wait "$pid" || status=$?
        statuses="$statuses $status"
        # A signal after the files took their names finds a finished extraction.
        if [ "$status" -eq 0 ] || [ "$(cd "$out" && stat -c %s Zen91_hh.txt Zen91_ind.txt | tr '\n' ' ')" = "$sizes" ]; then
            finished=$((finished + 1))
            earlier
        elif intact; then ok=$((ok + 1)); else broken=$((broken + 1)); ls -la "$out"; fi
        i=$((i + 1))
    done
    after=$(used_kib)
    echo "$signal: full run ${full}s; interrupted runs leaving earlier files intact and nothing else: $ok;" \
        "finished before the signal: $finished; broken: $broken; df used before/after: ${before}/${after} KiB;" \
        "exit statuses:$statuses"
    [ "$signal" = INT ] && echo "INT: last message: $(cat "$work/err")"
    [ "$broken" -eq 0 ] || echo "FAIL $signal"
}

for check in $checks; do
    case $check in
    kill) interrupt KILL ;;
    int) interrupt INT ;;
    tmpfs)
        mkdir -p "$work/small"
        mount -t tmpfs -o size=20m tmpfs "$work/small"
        status=0
        "$bin/zendra91-extract" --data "$data" --output "$work/small" --quiet >/dev/null 2>"$work/err" || status=$?
        echo "tmpfs: exit $status, files left: $(ls -A "$work/small" | wc -l), df used $(df -k --output=used "$work/small" | tail -1 | tr -d ' ') KiB, message: $(cat "$work/err")"
        umount "$work/small"
        [ "$status" -eq 1 ] || echo "FAIL tmpfs" ;;
    folder)
        earlier
        rm "$out/Zen91_ind.txt" && mkdir "$out/Zen91_ind.txt"
        status=0
        extract --wards 2 >/dev/null 2>"$work/err" || status=$?
        if grep -v Zen91_ind "$work/sums" | (cd "$out" && sha256sum -c --quiet) \
            && [ "$(ls -A "$out" | wc -l)" -eq "$(wc -l <"$work/sums")" ]; then
            echo "folder: exit $status, Zen91_hh.txt unchanged, nothing left; message: $(cat "$work/err")"
        else echo "FAIL folder"; ls -la "$out"; fi ;;
    pairs)
        rm -rf "$out" && mkdir -p "$out"
        mixed=0 refused=0 both=0
        i=1
        while [ "$i" -le "${PAIRS:-40}" ]; do
            rm -f "$out"/Zen91_*.txt
            sa=0 sb=0
            extract --counties 1 --hh-vars HNUM --ind-vars HNUM >/dev/null 2>&1 & a=$!
            extract --counties 1 --hh-vars HNUM,Cars --ind-vars HNUM,Age >/dev/null 2>&1 & b=$!
            wait "$a" || sa=$?
            wait "$b" || sb=$?
            [ "$sa" -ne 0 ] || [ "$sb" -ne 0 ] && refused=$((refused + 1))
            [ "$sa" -eq 0 ] && [ "$sb" -eq 0 ] && both=$((both + 1))
            hh=$(head -c 200 "$out/Zen91_hh.txt" | head -1 | grep -c Cars || true)
            ind=$(head -c 200 "$out/Zen91_ind.txt" | head -1 | grep -c Age || true)
            [ "$hh" = "$ind" ] || mixed=$((mixed + 1))
            i=$((i + 1))
        done
        echo "pairs: ${PAIRS:-40} pairs, mixed: $mixed, one run refused: $refused, both ran (one after the other): $both"
        [ "$mixed" -eq 0 ] || echo "FAIL pairs" ;;
    rejected)
        mkdir -p "$work/run"
        for folder in ProgramData SARData Zen91Data; do ln -sfn "$data/$folder" "$work/run/$folder"; done
        # Two lists with different rejected codes; a mixed report has lines of both.
        python3 -c "
for tag in 'A', 'B':
    with open('$work/list' + tag, 'w', newline='') as f:
        f.write(''.join(f'99{tag}{n:05d}\r\n' for n in range(3000)))"
        mixed=0
        i=1
        while [ "$i" -le "${TRIES:-100}" ]; do
            (cd "$work/run" && "$bin/zendra91-extract" --data . --ed-list "$work/listA" --output "$work/outA" --quiet >/dev/null 2>&1) & a=$!
            (cd "$work/run" && "$bin/zendra91-extract" --data . --ed-list "$work/listB" --output "$work/outB" --quiet >/dev/null 2>&1) & b=$!
            wait "$a" || true
            wait "$b" || true
            lines=$(wc -l <"$work/run/RejectedEDs.txt")
            a_lines=$(grep -c '^99A' "$work/run/RejectedEDs.txt" || true)
            b_lines=$(grep -c '^99B' "$work/run/RejectedEDs.txt" || true)
            if [ "$lines" -ne 3000 ] || { [ "$a_lines" -ne 3000 ] && [ "$b_lines" -ne 3000 ]; }; then mixed=$((mixed + 1)); fi
            i=$((i + 1))
        done
        echo "rejected: ${TRIES:-100} pairs of concurrent ED-list runs, mixed or cut reports: $mixed"
        [ "$mixed" -eq 0 ] || echo "FAIL rejected" ;;
    esac
done
