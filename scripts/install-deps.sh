#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build, the tests, the demo and the package checks need; only
# the missing ones.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config clang-format ccache
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libqt6sql6-sqlite libqt6opengl6-dev
  libgl-dev libgtest-dev libgmock-dev
  libical-dev clang libclang-rt-14-dev
  xvfb xauth poppler-utils imagemagick fonts-liberation
  librsvg2-bin dpkg-dev fakeroot file lintian desktop-file-utils appstream
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update
  $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
