#!/usr/bin/env bash
# Sets up and builds Orvane Dowsing with everything its tests need, then runs
# every test: unit and window tests headless, end-to-end tests in a real X
# server (Xvfb).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh" --test
cd "$here/build"
ctest --output-on-failure -j2 "$@"
