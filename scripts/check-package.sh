#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from the build folder (default: build), installs it on this machine
# as a user would, and checks the installed program: its version is the package's, it shows its
# window on a display, and lintian finds no error in the package. The package is removed again
# at the end. Needs root or sudo, like the installation of the build's packages.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

rm -f "$build"/lutavo_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/lutavo_*_amd64.deb)
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y -qq "$(realpath "$deb")"
trap '$SUDO apt-get remove -y -qq lutavo >/dev/null' EXIT

version=$(/usr/bin/lutavo --version)
packaged=$(dpkg-query -W -f='${Version}' lutavo)
if [ "$version" != "lutavo $packaged" ]; then
  echo "check-package: the program says '$version', the package is $packaged" >&2
  exit 1
fi

home=$(mktemp -d)
shot="$home/installed.png"
HOME="$home" XDG_CONFIG_HOME="$home" xvfb-run -a /usr/bin/lutavo --screenshot "$shot" \
  /usr/share/lutavo/songs/greensleeves.SNG
if [ "$(head -c 8 "$shot" | od -An -tx1 | tr -d ' \n')" != "89504e470d0a1a0a" ]; then
  echo "check-package: the installed program wrote no picture of its window" >&2
  exit 1
fi
rm -rf "$home"

lintian --fail-on error "$deb"
echo "check-package: $(basename "$deb") installs, starts as $version and shows its window"
