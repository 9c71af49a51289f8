# Helpers for end-to-end tests that drive the real program in a real X server
# (Xvfb) with xdotool, as a user would. Each test gets its own program folder,
# settings folder and runtime folder under one scratch folder.
#
#   source lib.sh BIN_DIR

E2E_BIN="$1"
E2E_ROOT="$(mktemp -d /tmp/orvane-e2e.XXXXXX)"
E2E_PIDS=()
E2E_XVFB=""
E2E_FAILED=0
E2E_SHOTS="${E2E_SHOTS:-}"

export XDG_CONFIG_HOME="$E2E_ROOT/config"
export XDG_RUNTIME_DIR="$E2E_ROOT/runtime"
export XDG_DATA_HOME="$E2E_ROOT/data"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
# No browser may open from a test: the program's web pages go nowhere.
export BROWSER=true
unset WAYLAND_DISPLAY

e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do
        kill -9 "$pid" 2>/dev/null || true
    done
    # Xvfb is asked to stop, so that it removes its lock file.
    if [[ -n "$E2E_XVFB" ]]; then
        kill "$E2E_XVFB" 2>/dev/null || true
    fi
    wait 2>/dev/null || true
    rm -rf "$E2E_ROOT"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    E2E_FAILED=1
    [[ -n "$E2E_SHOTS" ]] && shot "failure-$(date +%s%N)"
    exit 1
}

pass() {
    echo "ok: $*"
}

# Starts Xvfb on a display it picks itself (-displayfd), so that displays in
# use, or lock files left by a server that was killed, never get in the way;
# exports DISPLAY.
start_xvfb() {
    local number="$E2E_ROOT/display" i
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp \
        3>"$number" >"$E2E_ROOT/xvfb.log" 2>&1 &
    E2E_XVFB=$!
    for i in $(seq 1 200); do
        if [[ -s "$number" ]]; then
            export DISPLAY=":$(head -n 1 "$number")"
            xdpyinfo >/dev/null 2>&1 && return 0
        fi
        sleep 0.05
    done
    fail "no X server could be started: $(tail -n 3 "$E2E_ROOT/xvfb.log")"
}

# Makes a program folder with the executable and, unless told "nodb", a copy
# of the shipped database. Prints its path.
make_program_folder() {
    local dir
    dir="$(mktemp -d "$E2E_ROOT/program.XXXXXX")"
    cp "$E2E_BIN/Orvanelog" "$dir/"
    if [[ "${1:-}" != "nodb" ]]; then
        cp "$E2E_BIN/Dowsing.dll" "$dir/"
    fi
    echo "$dir"
}

# start_program DIR: starts the program in the background; sets PROGRAM_PID.
start_program() {
    "$1/Orvanelog" >>"$E2E_ROOT/program.log" 2>&1 &
    PROGRAM_PID=$!
    E2E_PIDS+=("$PROGRAM_PID")
}

# has_window PID TITLE: prints the id of a visible window of that process
# whose title is exactly TITLE.
has_window() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$1" --name "" 2>/dev/null); do
        if [[ "$(xdotool getwindowname "$w" 2>/dev/null)" == "$2" ]]; then
            echo "$w"
            return 0
        fi
    done
    return 1
}

# wait_window PID TITLE [SECONDS]
wait_window() {
    local limit="${3:-15}" i
    for i in $(seq 1 $((limit * 20))); do
        has_window "$1" "$2" && return 0
        sleep 0.05
    done
    return 1
}

# wait_no_window PID TITLE [SECONDS]
wait_no_window() {
    local limit="${3:-10}" i
    for i in $(seq 1 $((limit * 20))); do
        has_window "$1" "$2" >/dev/null || return 0
        sleep 0.05
    done
    return 1
}

# wait_exit PID [SECONDS]: true once the process has ended.
wait_exit() {
    local pid="$1" limit="${2:-15}" i
    for i in $(seq 1 $((limit * 20))); do
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid" 2>/dev/null || true
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# keys WINDOW KEY...: focuses the window, then presses each key.
keys() {
    local w="$1"
    shift
    xdotool windowfocus --sync "$w" 2>/dev/null || xdotool windowfocus "$w"
    sleep 0.1
    local k
    for k in "$@"; do
        xdotool key --clearmodifiers "$k"
        sleep 0.15
    done
}

# type_text WINDOW TEXT
type_text() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    xdotool type --delay 30 "$2"
    sleep 0.1
}

# answer_box PID KEY: waits for a message box titled "Orvane Dowsing" and
# presses KEY in it.
answer_box() {
    local w
    w="$(wait_window "$1" "Orvane Dowsing")" || fail "no message box appeared"
    keys "$w" "$2"
    wait_no_window "$1" "Orvane Dowsing" || true
}

shot() {
    [[ -n "$E2E_SHOTS" ]] || return 0
    mkdir -p "$E2E_SHOTS"
    import -window root "$E2E_SHOTS/$1.png" 2>/dev/null || true
}

sql() {
    sqlite3 "$1" "$2"
}
