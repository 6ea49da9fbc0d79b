#!/bin/bash
# Extracts two wards of county 03 from the demo data with every spatial code and
# labelled variables, in separate and combined layouts, plain and compressed, then:
# the .gz files unpack to the plain files byte for byte and a second run gives the
# same bytes; the Python and R scripts load every row and named column with County as
# text and the codebook's labels; PSPP runs the SPSS script without an error and lists
# the labels. A tool that is not installed is skipped, saying so.
set -euo pipefail
makedata=$1 extract=$2 here=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# The interpreter on PATH may be a private one without pandas; Debian's has it.
python=
for candidate in python3 /usr/bin/python3; do
  if command -v "$candidate" >/dev/null && "$candidate" -c 'import pandas' 2>/dev/null; then
    python=$candidate; break
  fi
done
[ -n "$python" ] || echo "SKIP: no python3 with pandas (Debian: python3-pandas)"
command -v Rscript >/dev/null || echo "SKIP: no Rscript (Debian: r-base-core)"
command -v pspp >/dev/null || echo "SKIP: no pspp (Debian: pspp)"
[ -n "$python" ] || command -v Rscript >/dev/null || command -v pspp >/dev/null || exit 77

"$makedata" "$work/data" >/dev/null
run() { # FOLDER LAYOUT [more options]
  local out=$1 layout=$2; shift 2
  local options=(--data "$work/data" --wards 03FPFA,03FPFB --spatial country,region,county,district,ward,ed
    --output "$out" --quiet "$@")
  if [ "$layout" = combined ]; then
    options+=(--combined --hh-vars HNUM,Bath,Cars,LowFloor,Tenure --ind-vars HNUM,PNUM,Age,CoBirth,DistMove)
  fi
  "$extract" "${options[@]}" >"$out.log" 2>&1 || { cat "$out.log"; fail "extraction into $out"; }
}

checked=0
for layout in separate combined; do
  plain=$work/$layout-plain
  run "$plain" $layout
  run "$work/$layout-gz" $layout --compress
  run "$work/$layout-gz-again" $layout --compress
  for gz in "$work/$layout-gz"/*.gz; do
    name=$(basename "$gz" .gz)
    gzip -dc "$gz" | cmp -s - "$plain/$name" || fail "$gz does not unpack to $plain/$name"
    cmp -s "$gz" "$work/$layout-gz-again/$name.gz" || fail "$gz differs between two runs of one request"
  done
  for packed in plain gz; do
    out=$work/$layout-$packed
    if [ -n "$python" ]; then
      "$python" "$here/check_load.py" "$out" "$plain" || fail "Python script of $out"
      checked=$((checked + 1))
    fi
    if command -v Rscript >/dev/null; then
      Rscript "$here/check_load.R" "$out" "$plain" || fail "R script of $out"
      checked=$((checked + 1))
    fi
    if command -v pspp >/dev/null; then
      # SPSS reads no compressed text: its script says to unpack the files first.
      [ "$packed" = plain ] || gzip -dk "$out"/*.gz
      bash "$here/check-spss.sh" "$out" "$plain" || fail "SPSS script of $out"
      checked=$((checked + 1))
    fi
  done
done
echo "loading scripts checked: $checked runs"
