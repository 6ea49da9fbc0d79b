#!/usr/bin/env bash
# Usage: bench/window/a11y.sh BUILD/bin DATA
# Opens the window on DATA under a virtual display and an accessibility bus, presses
# Extract with the defaults (every area, CSV) and measures, while it writes, how long
# listing the window's windows over the bus takes and how soon Cancel works.
# Needs xvfb, at-spi2-core and python3-pyatspi.
set -euo pipefail
bin=$(cd "$1" && pwd)
data=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
display=:77
Xvfb $display -screen 0 1366x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
dbus-run-session -- bash -c "
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  sleep 1
  cd '$data'
  DISPLAY=$display QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 ASAN_OPTIONS=detect_leaks=0 '$bin/zendra91' >/dev/null 2>&1 &
  window=\$!
  sleep 5
  /usr/bin/python3 '$here/a11y_during_extract.py'
  kill \$window 2>/dev/null || true
"
