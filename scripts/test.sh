#!/usr/bin/env bash
# Sets up and builds Orvane Dowsing with everything its tests need, then runs
# every test: unit and window tests headless, end-to-end tests in a real X
# server (Xvfb).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh" --test
cd "$here/build"
ctest --output-on-failure -j2 "$@"

# The tests of files other programs wrote, again under the address and
# undefined-behaviour sanitizers: a fault there ends the test.
cmake -S "$here" -B "$here/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_SANITIZE=ON >/dev/null
cmake --build "$here/build-sanitize" -j"$(nproc)" --target tst_hostileindex
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir "$here/build-sanitize" --output-on-failure -R '^tst_hostileindex$'
