# Shared by the extraction benchmarks: sets here, bin, work (removed on exit) and
# data, from the first argument or, without one, the --full demo set written to work.
here=$(cd "$(dirname "$0")" && pwd)
bin=${ZENDRA91_BIN:-$here/../../build/release/bin}
work=$(mktemp -d "${TMPDIR:-/tmp}/zendra91-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
if [ $# -ge 1 ] && [ -n "$1" ]; then
    data=$(cd "$1" && pwd)
else
    data=$work/data
    "$bin/zendra91-makedata" "$data" --full >/dev/null
fi
out=$work/out
mkdir -p "$out"

# Seconds, then peak resident KiB, of one extraction with OPTIONS into the emptied $out.
measured_extract() {
    rm -f "$out"/Zen91_*
    sync
    python3 "$here/measure.py" "$bin/zendra91-extract" --data "$data" --output "$out" --quiet "$@"
}
median() { python3 -c "import statistics,sys; print(f'{statistics.median(map(float, sys.argv[1:])):.3f}')" "$@"; }
ratio() { python3 -c "print(f'{$1 / $2:.3f}')"; }
