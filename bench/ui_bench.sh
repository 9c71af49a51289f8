#!/usr/bin/env bash
# Finding and sorting as the user waits for them: the real program over a
# record file, in Xvfb, driven by keys, each figure from the last key press to
# the window's last paint that answers it (orvane-ui-wait). The sqlite3
# shell's answer to the same question on the same file is timed in the same
# run, for comparison.
#
#   bench/ui_bench.sh [BUILD_DIR] DATABASE [RUNS] [TEXT]
#
# DATABASE is a record file (orvane-store-bench ROWS DIR leaves one in DIR);
# it is used where it lies, and no record is written. TEXT is what is found
# ("hazel" by default). Prints medians of RUNS (default 7) program starts.
set -euo pipefail
build="$(cd "${1:-$(dirname "$0")/../build}" && pwd)"
database="$(realpath "$2")"
runs="${3:-7}"
text="${4:-hazel}"
wait_paint="$build/bench/orvane-ui-wait"
[[ -x "$wait_paint" ]] || { echo "build orvane-ui-wait first (it needs libxtst-dev)" >&2; exit 2; }

scratch="$(mktemp -d /tmp/orvane-ui.XXXXXX)"
xvfb_pid=""
program_pid=""
cleanup() {
    [[ -n "$program_pid" ]] && kill -9 "$program_pid" 2>/dev/null
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do [[ -s "$scratch/display" ]] && break; sleep 0.05; done
export DISPLAY=":$(head -n 1 "$scratch/display")"
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

# The program folder: the executable beside the file, and today's back-up
# in place so that no start copies the file meanwhile.
program="$scratch/program"
mkdir -p "$program/Dowsing backups"
cp "$build/bin/Orvanelog" "$program/"
ln -s "$database" "$program/Dowsing.dll"
touch "$program/Dowsing backups/Dowsing-$(date +%F).dll"

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

: >"$scratch/find"
: >"$scratch/sort"
: >"$scratch/list"
for run in $(seq 1 "$runs"); do
    "$program/Orvanelog" >/dev/null 2>&1 &
    program_pid=$!
    window=""
    for _ in $(seq 1 200); do
        window="$(xdotool search --onlyvisible --pid "$program_pid" --name '^Orvane Dowsing v1.55$' 2>/dev/null | head -n 1)" && [[ -n "$window" ]] && break
        sleep 0.05
    done
    [[ -n "$window" ]] || { echo "the program did not show its window" >&2; exit 1; }
    xdotool windowfocus --sync "$window"
    # The page check of a file the last run did not close (each run here is
    # killed) runs beside the first window: let it end, as it does while the
    # user reads the screen, however long the file takes to read. Idle is
    # half a second with at most a tick of processor time.
    idle=0
    last=""
    for _ in $(seq 1 120); do
        now="$(awk '{print $14 + $15}' "/proc/$program_pid/stat")"
        if [[ -n "$last" ]] && ((now - last <= 1)); then
            ((++idle >= 2)) && break
        else
            idle=0
        fi
        last="$now"
        sleep 0.25
    done
    # File > Find Records: the list, read, with its find bar.
    "$wait_paint" "$window" 1500 ctrl+f >>"$scratch/list"
    # The text, one key at a time; the figure is from the last key.
    keys=()
    for ((i = 0; i < ${#text}; ++i)); do keys+=("${text:i:1}"); done
    "$wait_paint" "$window" 1500 "${keys[@]}" >>"$scratch/find"
    # Every record again, then the name column sorted from the keyboard.
    "$wait_paint" "$window" 1500 Escape >/dev/null
    "$wait_paint" "$window" 1500 Right ctrl+shift+s >>"$scratch/sort"
    kill -9 "$program_pid" 2>/dev/null
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
done

like=""
for field in Date Name Address City State Pin Phone_No Email Time_Dowsing_Occured Dowsing_Tool \
    Item_Dowsing_For Location_Dowsing_Occured Notes; do
    like+="${like:+ OR }$field LIKE '%$text%'"
done
: >"$scratch/sqlfind"
: >"$scratch/sqlsort"
for run in $(seq 1 "$runs"); do
    start=$(date +%s%N)
    sqlite3 -readonly "$database" "SELECT count(*) FROM Details WHERE $like" >/dev/null
    echo "$((($(date +%s%N) - start) / 1000000))" >>"$scratch/sqlfind"
    start=$(date +%s%N)
    sqlite3 -readonly "$database" "SELECT IdNumber FROM Details ORDER BY Name" >/dev/null
    echo "$((($(date +%s%N) - start) / 1000000))" >>"$scratch/sqlsort"
done

rows="$(sqlite3 -readonly "$database" "SELECT count(*) FROM Details")"
printf 'over %s records, medians of %s runs:\n' "$rows" "$runs"
printf '  the list with its find bar, to its first paint: %s ms\n' "$(median <"$scratch/list")"
printf '  find "%s", last key to the found list painted: %s ms (sqlite3 LIKE over every field: %s ms)\n' \
    "$text" "$(median <"$scratch/find")" "$(median <"$scratch/sqlfind")"
printf '  sort by name, key to the sorted grid painted: %s ms (sqlite3 ORDER BY Name: %s ms)\n' \
    "$(median <"$scratch/sort")" "$(median <"$scratch/sqlsort")"
