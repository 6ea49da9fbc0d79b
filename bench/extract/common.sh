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
