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

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=()
    if [[ $(id -u) -ne 0 ]]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
