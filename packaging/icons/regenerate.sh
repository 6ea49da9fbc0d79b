#!/usr/bin/env bash
# Renders the scalable icon at each fixed size of the hicolor theme into
# packaging/icons/NxN/org.zendra91.zendra91.png. Run it again after changing
# src/window/resources/zendra91.svg, and commit the PNGs: the build does not render
# them, so it needs no SVG renderer. Needs rsvg-convert (Debian's librsvg2-bin).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
svg=$here/../../src/window/resources/zendra91.svg
command -v rsvg-convert >/dev/null || { echo "$0: needs rsvg-convert (apt-get install librsvg2-bin)" >&2; exit 1; }
# Keep in step with the sizes cmake/Install.cmake installs.
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$here/${size}x${size}"
  png=$here/${size}x${size}/org.zendra91.zendra91.png
  rsvg-convert --width "$size" --height "$size" --keep-aspect-ratio --output "$png" "$svg"
done
