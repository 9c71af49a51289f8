#!/usr/bin/env bash
# Start-up speed: starts the built program and a bare Qt window program
# alternately under Xvfb, each to its first painted frame, and prints the
# medians and their ratio.
#
# The bare window is measured twice: at the program's frame size (1024 x 768
# here), the ratio that counts, since filling and sending a larger frame is
# the X server's and Qt's cost, not the program's; and at 640 x 480, shown
# for comparison.
#
#   bench/startup_bench.sh [BUILD_DIR] [RUNS] [DATABASE] [BACKUP]
#
# DATABASE is the record file the program starts over (the shipped, empty
# one by default): a large one shows that its page check, which runs beside
# the first window, does not hold that window up.
#
# BACKUP "each" makes every start the first of its day, which begins the
# day's back-up of DATABASE once the first frame is painted; "done" (the
# default) puts today's back-up in place first, so that no start copies.
set -euo pipefail
build="$(cd "${1:-$(dirname "$0")/../build}" && pwd)"
runs="${2:-15}"
database="${3:-$build/bin/Dowsing.dll}"
backup="${4:-done}"
first_frame="$build/bench/orvane-first-frame"
bare="$build/bench/orvane-bare-window"
[[ -x "$first_frame" && -x "$bare" ]] || { echo "build the bench targets first" >&2; exit 2; }

scratch="$(mktemp -d /tmp/orvane-startup.XXXXXX)"
xvfb_pid=""
runtime=""
cleanup() {
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$scratch" ${runtime:+"$runtime"}
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do [[ -s "$scratch/display" ]] && break; sleep 0.05; done
export DISPLAY=":$(head -n 1 "$scratch/display")"
for _ in $(seq 1 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done

mkdir -p "$scratch/program" "$scratch/config" "$scratch/data"
cp "$build/bin/Orvanelog" "$scratch/program/"
cp "$database" "$scratch/program/Dowsing.dll"
backups="$scratch/program/Dowsing backups"
if [[ "$backup" == done ]]; then
    mkdir -p "$backups"
    : >"$backups/Dowsing-$(date +%F).dll"
fi
fresh_day() { [[ "$backup" == each ]] && rm -rf "$backups"; true; }
# The per-user runtime folder (where the single-instance lock lives) is a
# memory file system on a desktop; use one here too when there is one.
runtime="$(mktemp -d "$([[ -d /dev/shm && -w /dev/shm ]] && echo /dev/shm || echo "$scratch")/orvane-runtime.XXXXXX")"
chmod 700 "$runtime"
export XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$runtime"
export XDG_DATA_HOME="$scratch/data" QT_QPA_PLATFORM=xcb BROWSER=true

# One start of each first, to warm the file cache; not counted.
fresh_day
"$first_frame" "$scratch/program/Orvanelog" >/dev/null
rm -f "$runtime"/*.lock
"$first_frame" "$bare" --frame >/dev/null
"$first_frame" "$bare" >/dev/null

# Each start is killed once it has drawn, which leaves its single-instance
# lock behind; a program that was closed removes its lock, so remove it as
# well: each run is an ordinary start, not the recovery from a crash.
program=() ; same=() ; small=()
for _ in $(seq 1 "$runs"); do
    rm -f "$runtime"/*.lock
    fresh_day
    program+=("$("$first_frame" "$scratch/program/Orvanelog")")
    same+=("$("$first_frame" "$bare" --frame)")
    small+=("$("$first_frame" "$bare")")
done

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
p=$(median "${program[@]}")
b=$(median "${same[@]}")
s=$(median "${small[@]}")
echo "runs each: $runs   (back-up: $backup)"
echo "Orvanelog first frame, median ms: $p   (all: ${program[*]})"
echo "bare Qt window, frame size, median ms: $b   (all: ${same[*]})"
echo "bare Qt window, 640 x 480, median ms: $s   (all: ${small[*]})"
awk -v p="$p" -v b="$b" -v s="$s" 'BEGIN {
    printf "ratio: %.2f   (against the 640 x 480 window: %.2f)\n", p / b, p / s }'
