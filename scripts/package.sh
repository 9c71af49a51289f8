#!/usr/bin/env bash
# Makes the Debian package dist/orvane-dowsing_<version>_<arch>.deb from this
# tree, on Debian 12's own packages: a Release build with Debian's hardening
# flags in build-package/, installed under /usr by CPack, stripped, its
# Depends found by dpkg-shlibdeps.
#
#   scripts/package.sh          then: apt-get install ./dist/orvane-dowsing_*.deb
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"

"$here/scripts/install-missing.sh" build-essential cmake pkg-config qt6-base-dev \
    libqt6sql6-sqlite libsqlite3-dev liblz4-dev dpkg-dev file

# Debian's build flags, every hardening feature on (the package's program
# then passes lintian's hardening checks).
eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DORVANE_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build build-package -j"$(nproc)"

mkdir -p dist
rm -f dist/orvane-dowsing_*.deb
(cd build-package && cpack -G DEB -B "$here/build-package/cpack" >/dev/null)
cp build-package/cpack/orvane-dowsing_*.deb dist/
ls dist/orvane-dowsing_*.deb
