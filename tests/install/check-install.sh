#!/usr/bin/env bash
# check-install.sh CMAKE BUILD SOURCE VERSION PROGRAMS VERSIONED WITH_HELP GUI APP_ID ICON_SIZES
# (the three program lists and the icon sizes are CMake lists, separated by semicolons)
# Installs BUILD into a temporary prefix and checks what landed there; prints every
# failure, then exits 1 if there was one.
set -uo pipefail
cmake=$1 build=$2 source=$3 version=$4 gui=$8 app_id=$9
IFS=";" read -ra programs <<<"$5"
IFS=";" read -ra versioned <<<"$6"
IFS=";" read -ra with_help <<<"$7"
IFS=";" read -ra icon_sizes <<<"${10}"

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if ! out=$("$cmake" --install "$build" --prefix "$prefix" 2>&1); then
  echo "$out"
  fail "cmake --install $build failed"
  exit 1
fi

bin=$prefix/bin man1=$prefix/share/man/man1 doc=$prefix/share/doc/zendra91

# bin holds exactly the programs: no test or benchmark slips into a package.
installed=$(ls "$bin" 2>/dev/null | sort | tr '\n' ' ')
expected=$(printf '%s\n' "${programs[@]}" | sort | tr '\n' ' ')
[ "$installed" = "$expected" ] || fail "bin holds '$installed', expected '$expected'"

for p in "${programs[@]}"; do
  [ -x "$bin/$p" ] || fail "$bin/$p is missing or not executable"
  page=$man1/$p.1.gz
  if [ ! -f "$page" ]; then
    fail "no manual page $page"
    continue
  fi
  rendered=$(MANWIDTH=80 man --warnings -l "$page" 2>"$prefix/man.err")
  [ -s "$prefix/man.err" ] && fail "man -l $page warns: $(cat "$prefix/man.err")"
  grep -A1 '^NAME' <<<"$rendered" | tail -1 | grep -qE "^ *$p +- " ||
    fail "$page: NAME does not introduce $p"
  grep -q "zendra91 $version" <<<"$rendered" || fail "$page: footer does not show version $version"
done

for p in "${with_help[@]}"; do
  if ! help=$("$bin/$p" --help 2>&1); then
    fail "installed $p --help failed: $help"
    continue
  fi
  # Every option the program lists must be described in its manual page.
  page_text=$(zcat "$man1/$p.1.gz" 2>/dev/null | sed 's/\\-/-/g')
  for option in $(grep -oE -- '--[a-z][a-z-]*' <<<"$help" | sort -u); do
    grep -qe "$option\b" <<<"$page_text" || fail "$p --help lists $option; its manual page does not"
  done
done

for p in "${versioned[@]}"; do
  got=$("$bin/$p" --version 2>&1)
  status=$?
  [ $status -eq 0 ] && [ "$got" = "$p $version" ] ||
    fail "installed $p --version printed '$got' (status $status), expected '$p $version'"
done

[ -f "$doc/README.md" ] || fail "README.md is not in $doc"
# The package's copyright carries the licence text word for word, and its changelog's
# newest entry is this version.
licence=$(tac "$doc/copyright" 2>/dev/null | sed '/^License: MIT$/q' | tac | tail -n +2 | sed 's/^ //; s/^\.$//')
[ -n "$licence" ] && [ "$licence" = "$(tail -n +5 "$source/LICENSE")" ] ||
  fail "$doc/copyright does not end in the MIT licence text of LICENSE"
head=$(zcat "$doc/changelog.gz" 2>/dev/null | head -1)
[ "$head" = "zendra91 ($version) unstable; urgency=medium" ] || fail "$doc/changelog.gz begins '$head'"
for f in "$source"/docs/*.md; do
  [ -f "$doc/$(basename "$f")" ] || fail "$(basename "$f") is not in $doc"
done

if [ "$gui" = ON ]; then
  share=$prefix/share
  desktop=$share/applications/$app_id.desktop
  installed=$(ls "$share/applications")
  [ "$installed" = "$app_id.desktop" ] || fail "applications holds '$installed', expected $app_id.desktop"
  if [ ! -f "$desktop" ]; then
    fail "no desktop entry $desktop"
  else
    # Hints count too: a clean entry shows once, in the right menu.
    report=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$report" ] ||
      fail "desktop-file-validate: $report"
    exec_line=$(sed -n 's/^Exec=//p' "$desktop")
    [ -x "$bin/${exec_line%% *}" ] || fail "desktop entry starts '${exec_line%% *}', which is not installed"
    [ "$exec_line" = "${exec_line%% *} %f" ] || fail "desktop entry's Exec=$exec_line does not pass the file opened"
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    [ "$icon" = "$app_id" ] || fail "desktop entry's icon is '$icon', expected $app_id"
  fi

  [ -f "$share/icons/hicolor/scalable/apps/$app_id.svg" ] || fail "no scalable icon $app_id.svg"
  for size in "${icon_sizes[@]}"; do
    png=$share/icons/hicolor/${size}x${size}/apps/$app_id.png
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    read -ra bytes < <(od -An -tu1 -j16 -N8 "$png" 2>/dev/null)
    width=$(((bytes[0] << 24) + (bytes[1] << 16) + (bytes[2] << 8) + bytes[3]))
    height=$(((bytes[4] << 24) + (bytes[5] << 16) + (bytes[6] << 8) + bytes[7]))
    [ ${#bytes[@]} -eq 8 ] && [ "$width x $height" = "$size x $size" ] ||
      fail "$png is missing or not $size x $size pixels"
  done

  # The software-centre entry: nothing to report even when pedantic, and it names
  # the installed desktop entry and this version.
  metainfo=$share/metainfo/$app_id.metainfo.xml
  if [ ! -f "$metainfo" ]; then
    fail "no metainfo $metainfo"
  else
    report=$(appstreamcli validate --pedantic --no-net "$metainfo" 2>&1)
    status=$?
    [ $status -eq 0 ] && ! grep -qE '^[EWIP]: ' <<<"$report" || fail "appstreamcli validate: $report"
    grep -q "<id>$app_id</id>" "$metainfo" || fail "$metainfo: its id is not $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
      fail "$metainfo: it does not launch $app_id.desktop"
    grep -q "<release version=\"$version\" date=\"[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\"/>" "$metainfo" ||
      fail "$metainfo: no release $version with a date"
  fi

  # The request file type: the MIME database takes the package without a word and
  # gives request files the type the desktop entry opens.
  if out=$(XDG_DATA_DIRS=$share update-mime-database "$share/mime" 2>&1) && [ -z "$out" ]; then
    type=$(sed -n 's/^[0-9]*:\([^:]*\):\*_request\.json$/\1/p' "$share/mime/globs2")
    [ -n "$type" ] || fail "the MIME database knows no type for *_request.json"
    grep -q "^MimeType=.*$type;" "$desktop" 2>/dev/null || fail "the desktop entry does not open $type files"
  else
    fail "update-mime-database: $out"
  fi
fi

[ $failures -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "installed tree under a temporary prefix: all checks passed"
