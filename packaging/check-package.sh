#!/usr/bin/env bash
# check-package.sh DEB APP_ID ICON_SIZES GUI
# Checks a built package: lintian finds no error or warning, and the package holds
# the desktop integration (when built with the window). Prints every failure, then
# exits 1 if there was one.
set -uo pipefail
deb=$1 app_id=$2 gui=$4
IFS=";" read -ra icon_sizes <<<"$3"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Run as root in containers and CI; lintian only advises against it.
report=$(lintian --fail-on error,warning "$deb" 2>&1)
status=$?
[ "$status" -eq 0 ] || fail "lintian (status $status):"$'\n'"$(grep -v '^running with root' <<<"$report")"

contents=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
expected=(./usr/share/doc/zendra91/copyright ./usr/share/doc/zendra91/changelog.gz)
if [ "$gui" = ON ]; then
  expected+=(./usr/share/metainfo/$app_id.metainfo.xml ./usr/share/mime/packages/$app_id.xml
    ./usr/share/applications/$app_id.desktop ./usr/share/icons/hicolor/scalable/apps/$app_id.svg)
  for size in "${icon_sizes[@]}"; do
    expected+=(./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png)
  done
fi
for path in "${expected[@]}"; do
  grep -qxF "$path" <<<"$contents" || fail "$deb does not hold $path"
done

[ $failures -eq 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "$deb: lintian reports no error or warning; it holds ${#expected[@]} expected files"
