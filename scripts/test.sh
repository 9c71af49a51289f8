#!/usr/bin/env bash
# Sets up and builds Orvane Dowsing with everything its tests need, then runs
# every test: unit and window tests headless, end-to-end tests in a real X
# server (Xvfb).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh" --test
cd "$here/build"
ctest --output-on-failure -j2 "$@"

# The tests of files other programs wrote, and of the find's byte search
# (it reads sixteen bytes at a time), again under the address and
# undefined-behaviour sanitizers: a fault there ends the test.
cmake -S "$here" -B "$here/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_SANITIZE=ON >/dev/null
cmake --build "$here/build-sanitize" -j"$(nproc)" --target tst_hostileindex tst_findindex
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir "$here/build-sanitize" --output-on-failure -R '^(tst_hostileindex|tst_findindex)$'

# The store reads keys and rows straight from the engine where Qt's driver
# uses the system's SQLite (as on Linux), and through the driver elsewhere.
# Build the second road too and run the tests of what it reads and writes.
driver_tests=(tst_recordstore tst_keyindex tst_findlist tst_findindex tst_hostileindex tst_customers tst_import tst_dailybackup tst_otherprograms)
cmake -S "$here" -B "$here/build-driver" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_ENGINE_KEYS=OFF >/dev/null
cmake --build "$here/build-driver" -j"$(nproc)" --target "${driver_tests[@]}"
ctest --test-dir "$here/build-driver" --output-on-failure -j2 \
  -R "^($(IFS='|'; echo "${driver_tests[*]}"))\$"

# The Debian package, made from this tree as ./scripts/package.sh makes it,
# checked as Debian checks one (lintian, appstreamcli, desktop-file-validate)
# and started as a user who may not write the program's folder.
"$here/scripts/install-missing.sh" lintian appstream desktop-file-utils file
"$here/scripts/package.sh" >/dev/null
deb=("$here"/dist/orvane-dowsing_*.deb)
bash "$here/tests/e2e/e2e_package.sh" "${deb[0]}"
