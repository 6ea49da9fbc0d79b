#!/usr/bin/env bash
# check-install.sh CMAKE BUILD SOURCE VERSION PROGRAMS VERSIONED WITH_HELP GUI
# (the three program lists are CMake lists, separated by semicolons)
# Installs BUILD into a temporary prefix and checks what landed there; prints every
# failure, then exits 1 if there was one.
set -uo pipefail
cmake=$1 build=$2 source=$3 version=$4 gui=$8
IFS=";" read -ra programs <<<"$5"
IFS=";" read -ra versioned <<<"$6"
IFS=";" read -ra with_help <<<"$7"

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
  page=$man1/$p.1
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
  page_text=$(sed 's/\\-/-/g' "$man1/$p.1" 2>/dev/null)
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
for f in "$source"/docs/*.md; do
  [ -f "$doc/$(basename "$f")" ] || fail "$(basename "$f") is not in $doc"
done

if [ "$gui" = ON ]; then
  desktop=$prefix/share/applications/zendra91.desktop
  if [ ! -f "$desktop" ]; then
    fail "no desktop entry $desktop"
  else
    # Hints count too: a clean entry shows once, in the right menu.
    report=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$report" ] ||
      fail "desktop-file-validate: $report"
    exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
    [ -x "$bin/$exec_program" ] || fail "desktop entry starts '$exec_program', which is not installed"
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    [ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
      fail "desktop entry's icon '$icon' is not in the hicolor theme"
  fi
fi

[ $failures -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "installed tree under a temporary prefix: all checks passed"
