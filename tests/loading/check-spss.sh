#!/bin/bash
# Runs FOLDER's SPSS script in PSPP from that folder and checks that it reads every
# row of each data file (counted in the plain extract PLAIN) and lists the labels.
set -euo pipefail
out=$1 plain=$2
cd "$out"
syntax=$(mktemp --suffix=.sps -p "$out")
listing=$(mktemp --suffix=.csv -p "$out")
cp Zen91_load.sps "$syntax"
expected=()
for data in "$plain"/Zen91_hh.txt "$plain"/Zen91_ind.txt "$plain"/Zen91_hhind.txt; do
  [ -f "$data" ] || continue
  case $data in *_hh.txt) dataset=households ;; *_ind.txt) dataset=persons ;; *) dataset=combined ;; esac
  printf 'DATASET ACTIVATE %s.\nSHOW N.\nDISPLAY DICTIONARY.\n' $dataset >>"$syntax"
  expected+=("N is $(($(wc -l <"$data") - 1))")
done
pspp -O format=csv -o "$listing" "$syntax" >/dev/null 2>&1 || { cat "$listing"; echo "pspp failed"; exit 1; }
if grep -qiE '(error|warning)' "$listing"; then cat "$listing"; echo "pspp reported a problem"; exit 1; fi
for text in "${expected[@]}" "County code: the first 2 characters of the ED code" "owner occupied, buying"; do
  grep -qF "$text" "$listing" || { head -60 "$listing"; echo "expected '$text' in the listing"; exit 1; }
done
