#!/usr/bin/env bash
# Start-up speed: starts the built program and a bare Qt window program
# alternately under Xvfb, each to its first drawn frame, and prints both
# medians and their ratio.
#
#   bench/startup_bench.sh [BUILD_DIR] [RUNS]
set -euo pipefail
build="$(cd "${1:-$(dirname "$0")/../build}" && pwd)"
runs="${2:-15}"
first_frame="$build/bench/orvane-first-frame"
bare="$build/bench/orvane-bare-window"
[[ -x "$first_frame" && -x "$bare" ]] || { echo "build the bench targets first" >&2; exit 2; }

scratch="$(mktemp -d /tmp/orvane-startup.XXXXXX)"
xvfb_pid=""
cleanup() { [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null; rm -rf "$scratch"; }
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do [[ -s "$scratch/display" ]] && break; sleep 0.05; done
export DISPLAY=":$(head -n 1 "$scratch/display")"
for _ in $(seq 1 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done

mkdir -p "$scratch/program" "$scratch/config" "$scratch/data"
mkdir -m 700 "$scratch/runtime"
cp "$build/bin/Orvanelog" "$build/bin/Dowsing.dll" "$scratch/program/"
export XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
export XDG_DATA_HOME="$scratch/data" QT_QPA_PLATFORM=xcb BROWSER=true

# One start of each first, to warm the file cache; not counted.
"$first_frame" "$scratch/program/Orvanelog" >/dev/null
"$first_frame" "$bare" >/dev/null

program=() ; yardstick=()
for _ in $(seq 1 "$runs"); do
    program+=("$("$first_frame" "$scratch/program/Orvanelog")")
    yardstick+=("$("$first_frame" "$bare")")
done

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
p=$(median "${program[@]}")
b=$(median "${yardstick[@]}")
echo "runs each: $runs"
echo "Orvanelog first frame, median ms: $p   (all: ${program[*]})"
echo "bare Qt window first frame, median ms: $b   (all: ${yardstick[*]})"
awk -v p="$p" -v b="$b" 'BEGIN { printf "ratio: %.2f\n", p / b }'
