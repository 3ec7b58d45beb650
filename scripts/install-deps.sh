#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that building, testing and running Lutavo needs.
# Quick when everything is already present: apt is only called for what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev libqt6opengl6-dev
  libfluidsynth-dev librtmidi-dev libpulse-dev libdbus-1-dev timgm6mb-soundfont
  libpugixml-dev libminizip-dev libsqlite3-dev libaubio-dev libasound2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core lilypond-fonts poppler-utils python3-fonttools
  xvfb xauth sox python3 python3-numpy pulseaudio pulseaudio-utils clang-format
  desktop-file-utils appstream dpkg-dev lintian
  clang libclang-rt-14-dev
  musescore3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
