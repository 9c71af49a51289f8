#!/usr/bin/env bash
# Access keys pressed for real in a real X server (the offscreen tests can
# only check their values): Alt+E, the switched-off "&Edit" menu title's key,
# never presses "&Exit", which shares it, while File > Exit (Alt+F, X) and
# the exit screen's Alt+X still end the program; O in the Help menu
# chooses "&Online Help" although the switched-off "Make Money &Online" does
# too; the About box opens from the keyboard and closes with Esc or Enter;
# Enter and keypad Enter press the focused button in the frame and on the
# exit screen.
set -euo pipefail
source "$(dirname "$0")/lib.sh" "$1"

FRAME="Orvane Dowsing v1.55"
EXIT_SCREEN="Thank You For Using Orvane Dowsing"

# The pages the program asks the browser to open, one address a line.
pages="$E2E_ROOT/pages.log"
cat >"$E2E_ROOT/browser" <<SCRIPT
#!/bin/sh
echo "\$1" >>"$pages"
SCRIPT
chmod +x "$E2E_ROOT/browser"
export BROWSER="$E2E_ROOT/browser"

# count_windows PID TITLE: how many visible windows of the process carry it.
count_windows() {
    local w n=0
    for w in $(xdotool search --onlyvisible --pid "$1" --name "" 2>/dev/null); do
        [[ "$(xdotool getwindowname "$w" 2>/dev/null)" == "$2" ]] && n=$((n + 1))
    done
    echo "$n"
}

# other_window PID TITLE EXCEPT: a visible window of the process with that
# title other than EXCEPT.
other_window() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$1" --name "" 2>/dev/null); do
        if [[ "$w" != "$3" && "$(xdotool getwindowname "$w" 2>/dev/null)" == "$2" ]]; then
            echo "$w"
            return 0
        fi
    done
    return 1
}

# press KEY: presses a key in whatever window has the keyboard.
press() {
    xdotool key --clearmodifiers "$1"
    sleep 0.15
}

# wait_count PID TITLE N: true once exactly N such windows are visible.
wait_count() {
    local i
    for i in $(seq 1 200); do
        [[ "$(count_windows "$1" "$2")" == "$3" ]] && return 0
        sleep 0.05
    done
    return 1
}

start_xvfb
prog="$(make_program_folder)"
start_program "$prog"
pid=$PROGRAM_PID
frame="$(wait_window "$pid" "$FRAME")" || fail "the frame window did not appear"

# --- Help > Online Help by its letter ----------------------------------------
keys "$frame" alt+h
sleep 0.3
# The open menu has the keyboard: press the letter without focusing anew.
press o
for i in $(seq 1 100); do [[ -s "$pages" ]] && break; sleep 0.05; done
[[ "$(cat "$pages" 2>/dev/null)" == *"page=help-web-page" ]] \
    || fail "O in the Help menu did not open Online Help: $(cat "$pages" 2>/dev/null)"
[[ "$(wc -l <"$pages")" == 1 ]] || fail "O in the Help menu opened more than one page"
pass "O in the Help menu opens Online Help, despite the switched-off Make Money Online"

# --- The About box from the keyboard ----------------------------------------
for close in Escape Return; do
    keys "$frame" alt+h
    sleep 0.3
    press a
    wait_count "$pid" "$FRAME" 2 || fail "Help > About Software did not open the About box"
    about="$(other_window "$pid" "$FRAME" "$frame")" || fail "the About box cannot be found"
    # The modal box takes the focus itself; focusing it again may race with
    # that, so a failure to focus is not an error.
    xdotool windowfocus --sync "$about" 2>/dev/null || true
    press "$close"
    wait_count "$pid" "$FRAME" 1 || fail "$close did not close the About box"
done
pass "the About box opens with Alt+H, A and closes with Esc or Enter"

# --- Alt+E never reaches Exit -----------------------------------------------
# With typing in the form, as the user who reaches for the Edit menu has.
keys "$frame" alt+r
type_text "$frame" "JANE"
keys "$frame" alt+e
sleep 0.5
if has_window "$pid" "$EXIT_SCREEN" >/dev/null || has_window "$pid" "Orvane Dowsing" >/dev/null; then
    fail "Alt+E reached Exit (the exit screen or the unsaved-entry question came up)"
fi
has_window "$pid" "$FRAME" >/dev/null || fail "the frame window went after Alt+E"
# A second Alt+E, and Enter after it, press nothing either.
keys "$frame" alt+e Return
sleep 0.5
has_window "$pid" "$EXIT_SCREEN" >/dev/null && fail "Alt+E, Enter reached Exit"
pass "Alt+E, the switched-off Edit menu's key, does not reach Exit"

# File > Exit by its keys, past the question about the unsaved entry.
keys "$frame" alt+f x
answer_box "$pid" y
exitw="$(wait_window "$pid" "$EXIT_SCREEN")" || fail "File > Exit (Alt+F, X) did not end the session"
wait_no_window "$pid" "$FRAME" || fail "the frame window stayed after File > Exit"
pass "Alt+F, X leaves, after asking about the unsaved entry"

keys "$exitw" alt+x
wait_exit "$pid" || fail "Alt+X on the exit screen did not end the program"
pass "Alt+X on the exit screen ends the program"

# --- Enter presses the focused button outside dialogs -----------------------
start_program "$prog"
pid=$PROGRAM_PID
frame="$(wait_window "$pid" "$FRAME")" || fail "the frame window did not appear again"
# The keyboard starts on "Add New Record"; two Tabs reach "Exit".
keys "$frame" Tab Tab Return
exitw="$(wait_window "$pid" "$EXIT_SCREEN")" || fail "Enter on the focused Exit button did nothing"
pass "Enter presses the focused button of a window in the frame"
# The exit screen starts in its first box; six Tabs reach its "Exit".
keys "$exitw" Tab Tab Tab Tab Tab Tab KP_Enter
wait_exit "$pid" || fail "keypad Enter on the exit screen's focused Exit did not end the program"
pass "keypad Enter presses the exit screen's focused button"
