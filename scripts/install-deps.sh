#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need, once.
set -euo pipefail
packages=(cmake ninja-build g++ make libgtest-dev libgmock-dev
          qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins libgl-dev
          libcli11-dev nlohmann-json3-dev libreadstat-dev libssl-dev
          qt6-charts-dev libqt6opengl6-dev libdeflate-dev
          desktop-file-utils man-db appstream shared-mime-info
          python3-pandas pspp r-base-core)
# The install test validates the desktop entry, the metainfo and the MIME package and
# renders the manual pages (above); the loading-script tests run the real R, pandas
# and PSPP; the Debian package reads its dependencies with dpkg-shlibdeps, which needs
# `file`, and is checked with lintian. Qt Charts' CMake package needs Qt OpenGL's,
# which Debian 12's qt6-charts-dev does not pull in.
case "${1:-}" in
  --gui-run) packages+=(xvfb xauth imagemagick) ;;
  --package) packages+=(dpkg-dev file lintian) ;;
  --bench) packages+=(pigz python3-pandas) ;;
esac
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
