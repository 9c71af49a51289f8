#!/usr/bin/env bash
# Installs whatever this Debian 12 machine is missing to build Orvane Dowsing
# (and, with --test, to run every test), then configures and builds it into
# ./build. Safe to run again: it installs nothing that is already there.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

build_packages=(build-essential cmake pkg-config qt6-base-dev qt6-l10n-tools libqt6sql6-sqlite
                libsqlite3-dev liblz4-dev fonts-dejavu-core qt6-charts-dev)
test_packages=(xvfb xauth xdotool x11-utils imagemagick unrtf poppler-utils sqlite3
               dbus at-spi2-core python3 python3-pyatspi libx11-dev libxdamage-dev libxtst-dev
               desktop-file-utils libreoffice-calc-nogui)

packages=("${build_packages[@]}")
if [[ "${1:-}" == "--test" ]]; then
    packages+=("${test_packages[@]}")
fi

"$here/scripts/install-missing.sh" "${packages[@]}"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
