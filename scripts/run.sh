#!/usr/bin/env bash
# Sets up, builds and starts Orvane Dowsing from build/bin.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display found: start the program from a desktop session with $here/build/bin/Orvanelog" >&2
    exit 1
fi
exec "$here/build/bin/Orvanelog"
