#!/usr/bin/env bash
# The CPU a start costs in its first three seconds, over the empty shipped
# file and over a large record file, each after a run that ended cleanly
# through the exit screen (so that an unchanged file is trusted) and after
# one that was killed (so that the file is read whole again). Medians of
# RUNS starts, in Xvfb.
#
#   bench/startcpu_bench.sh [BUILD_DIR] DATABASE [RUNS]
set -euo pipefail
build="$(cd "${1:-$(dirname "$0")/../build}" && pwd)"
database="$(realpath "$2")"
runs="${3:-5}"

scratch="$(mktemp -d /tmp/orvane-startcpu.XXXXXX)"
xvfb_pid=""
cleanup() {
    pkill -9 -f "$scratch/" 2>/dev/null || true
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do [[ -s "$scratch/display" ]] && break; sleep 0.05; done
export DISPLAY=":$(head -n 1 "$scratch/display")"
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
ticks="$(getconf CLK_TCK)"
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# start FOLDER: starts the program there; prints its pid once its window shows.
start() {
    "$1/Orvanelog" >/dev/null 2>&1 &
    local pid=$! w=""
    for _ in $(seq 1 200); do
        w="$(xdotool search --onlyvisible --pid "$pid" --name '^Orvane Dowsing v1.55$' 2>/dev/null | head -n 1)" && [[ -n "$w" ]] && break
        sleep 0.05
    done
    echo "$pid $w"
}

# cpu_ms PID: CPU the process used so far, in ms.
cpu_ms() {
    awk -v t="$ticks" '{print ($14 + $15) * 1000 / t}' "/proc/$1/stat"
}

# The exit screen's own close ends the program cleanly.
end_cleanly() {
    local pid="$1" w="$2" exitw=""
    xdotool windowfocus --sync "$w" 2>/dev/null || true
    xdotool key --clearmodifiers alt+f x
    for _ in $(seq 1 100); do
        exitw="$(xdotool search --onlyvisible --pid "$pid" --name '^Thank You For Using Orvane Dowsing$' 2>/dev/null | head -n 1)" && [[ -n "$exitw" ]] && break
        sleep 0.05
    done
    xdotool windowfocus --sync "$exitw" 2>/dev/null || true
    xdotool key --clearmodifiers alt+x
    for _ in $(seq 1 200); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.05; done
    kill -9 "$pid"
}

# measure NAME FILE: starts over FILE, RUNS times after a clean end and RUNS
# times after a kill; prints the medians.
measure() {
    local folder="$scratch/$1" clean=() killed=()
    mkdir -p "$folder/Dowsing backups"
    export XDG_CONFIG_HOME="$scratch/config-$1"
    cp "$build/bin/Orvanelog" "$folder/"
    ln -sf "$2" "$folder/Dowsing.dll"
    touch "$folder/Dowsing backups/Dowsing-$(date +%F).dll"
    # A first run, ended cleanly, leaves the file's mark.
    read -r pid w < <(start "$folder")
    sleep 4
    end_cleanly "$pid" "$w"
    for _ in $(seq 1 "$runs"); do
        local started
        started=$(date +%s%N)
        read -r pid w < <(start "$folder")
        sleep "$(awk -v s="$started" -v n="$(date +%s%N)" 'BEGIN {d = 3 - (n - s) / 1e9; print (d > 0 ? d : 0)}')"
        clean+=("$(cpu_ms "$pid")")
        sleep 2
        end_cleanly "$pid" "$w"
    done
    for _ in $(seq 1 "$runs"); do
        local started
        read -r pid w < <(start "$folder")
        kill -9 "$pid"; wait "$pid" 2>/dev/null || true
        started=$(date +%s%N)
        read -r pid w < <(start "$folder")
        sleep "$(awk -v s="$started" -v n="$(date +%s%N)" 'BEGIN {d = 3 - (n - s) / 1e9; print (d > 0 ? d : 0)}')"
        killed+=("$(cpu_ms "$pid")")
        kill -9 "$pid"; wait "$pid" 2>/dev/null || true
    done
    printf '%s: CPU in the first 3 s, median of %s: %s ms after a clean end, %s ms after a killed run\n' \
        "$1" "$runs" "$(printf '%s\n' "${clean[@]}" | median)" "$(printf '%s\n' "${killed[@]}" | median)"
}

measure empty "$build/bin/Dowsing.dll"
measure "$(sqlite3 -readonly "$database" 'SELECT count(*) FROM Details') records" "$database"
