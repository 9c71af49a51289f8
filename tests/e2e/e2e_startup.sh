#!/usr/bin/env bash
# The real program in a real X server: a second copy is refused, a lock left
# by a killed copy does not block, a missing database ends the program through
# the exit screen without creating the file, and a record entered from the
# keyboard after "Add New Record" reaches the database.
set -euo pipefail
source "$(dirname "$0")/lib.sh" "$1"

FRAME="Orvane Dowsing v1.55"
EXIT_SCREEN="Thank You For Using Orvane Dowsing"

start_xvfb

# --- A record entered from the keyboard ---------------------------------
prog="$(make_program_folder)"
start_program "$prog"
first=$PROGRAM_PID
frame="$(wait_window "$first" "$FRAME")" || fail "the frame window did not appear"
pass "the program starts with its frame window"
shot start

keys "$frame" alt+r
type_text "$frame" "john smith"
keys "$frame" alt+n alt+n
type_text "$frame" "Found water at 3m."
keys "$frame" alt+a
answer_box "$first" Return
[[ "$(sql "$prog/Dowsing.dll" "select Name from Details")" == "JOHN SMITH" ]] \
    || fail "the record typed after Add New Record was not stored"
[[ "$(sql "$prog/Dowsing.dll" "select Notes from Details")" == "Found water at 3m." ]] \
    || fail "the notes were not stored"
pass "Add New Record unlocks the pages; a typed record is saved with capital letters"

# --- A second copy is refused --------------------------------------------
start_program "$prog"
second=$PROGRAM_PID
answer_box "$second" Return
wait_exit "$second" || fail "the second copy did not end"
kill -0 "$first" 2>/dev/null || fail "the first copy ended too"
has_window "$first" "$FRAME" >/dev/null || fail "the first copy's window went away"
pass "a second copy says it is already running and ends; the first keeps going"

# --- A lock left by a killed copy does not block --------------------------
kill -9 "$first"
wait_exit "$first"
start_program "$prog"
third=$PROGRAM_PID
frame="$(wait_window "$third" "$FRAME")" || fail "a stale lock blocked the next start"
pass "a copy killed with SIGKILL does not block the next start"

# --- Exit from the File menu ends through the exit screen -----------------
keys "$frame" alt+f x
exitw="$(wait_window "$third" "$EXIT_SCREEN")" || fail "Exit did not show the exit screen"
wait_no_window "$third" "$FRAME" || fail "the frame window stayed after Exit"
shot exit-screen
keys "$exitw" alt+x
wait_exit "$third" || fail "closing the exit screen did not end the program"
pass "File > Exit shows the exit screen; closing it ends the program"

# --- A missing database ---------------------------------------------------
nodb="$(make_program_folder nodb)"
start_program "$nodb"
missing=$PROGRAM_PID
answer_box "$missing" Return
exitw="$(wait_window "$missing" "$EXIT_SCREEN")" || fail "no exit screen after the missing-file message"
has_window "$missing" "$FRAME" >/dev/null && fail "the frame window was shown without a database"
keys "$exitw" alt+x
wait_exit "$missing" || fail "the program did not end after the exit screen"
[[ ! -e "$nodb/Dowsing.dll" ]] || fail "the program created Dowsing.dll"
pass "a missing database is reported, the program ends through the exit screen, no file is made"
