#!/usr/bin/env bash
# The user's whole road with the real program in a real X server, from the
# keyboard: two records added (one with a tool named in the pop-up), the
# list, a record opened with Enter, edited and updated in place, then
# deleted, and the program left through its exit screen. The database file is
# read with sqlite3 after every step.
set -euo pipefail
source "$(dirname "$0")/lib.sh" "$1"

FRAME="Orvane Dowsing v1.55"
EXIT_SCREEN="Thank You For Using Orvane Dowsing"

start_xvfb
prog="$(make_program_folder)"
db="$prog/Dowsing.dll"
start_program "$prog"
pid=$PROGRAM_PID
frame="$(wait_window "$pid" "$FRAME")" || fail "the frame window did not appear"
shot 01-start

# field TEXT: types TEXT into the box that has the focus, then moves on
# with Tab.
field() {
    [[ -n "$1" ]] && type_text "$frame" "$1"
    keys "$frame" Tab
}

# --- First record: every customer box, and a tool named in the pop-up -----
keys "$frame" alt+r
field "mary jones"
field "4 Well Row"
field "bath"
field "somerset"
field "BA1 2XY"
field "01225555"
field "mary@example.org"
type_text "$frame" "north field"
keys "$frame" alt+n
# The tools page; its first control, the tool list, has the focus. "Other"
# is the fourth entry and opens the naming pop-up.
keys "$frame" Down Down Down
type_text "$frame" "Hazel Fork"
shot 02-tool-pop-up
keys "$frame" alt+o alt+n
type_text "$frame" "Water at 3 m."
shot 03-notes
keys "$frame" alt+a
answer_box "$pid" Return
row="$(sql "$db" "select Name, Address, City, State, Pin, Phone_No, Email, Location_Dowsing_Occured, Dowsing_Tool, Item_Dowsing_For, Notes from Details")"
[[ "$row" == "MARY JONES|4 Well Row|BATH|SOMERSET|BA1 2XY|01225555|mary@example.org|NORTH FIELD|Hazel Fork|water|Water at 3 m." ]] \
    || fail "the first record was not stored as typed: $row"
pass "a record typed on the three pages is stored, with the tool named in the pop-up"

# --- Second record: the list's tool ---------------------------------------
keys "$frame" alt+r
field "tom brook"
field ""
type_text "$frame" "wells"
keys "$frame" alt+n alt+n
type_text "$frame" "Dry."
keys "$frame" alt+a
answer_box "$pid" Return
[[ "$(sql "$db" "select count(*) from Details")" == 2 ]] || fail "the second record was not stored"
[[ "$(sql "$db" "select Name, City, Dowsing_Tool, Notes from Details order by IdNumber desc limit 1")" \
    == "TOM BROOK|WELLS|Rods|Dry." ]] || fail "the second record was not stored as typed"
first_id="$(sql "$db" "select IdNumber from Details where Name = 'MARY JONES'")"
second_id="$(sql "$db" "select IdNumber from Details where Name = 'TOM BROOK'")"
pass "a second record is stored after it"

# --- The list; the second row opened with Enter; edit and update ----------
keys "$frame" alt+v
sleep 0.3
shot 04-list
keys "$frame" Down Return
sleep 0.3
shot 05-record-view
keys "$frame" alt+e
sleep 0.3
shot 06-edit
# The focus stays on the left panel's "View All Records": Tab past "Exit"
# and the hint line's link into the name box, walk to the notes page and add
# to the notes.
keys "$frame" Tab Tab Tab alt+n alt+n ctrl+End
type_text "$frame" " Tried again: water at 5 m."
keys "$frame" alt+u
answer_box "$pid" Return
[[ "$(sql "$db" "select Notes from Details where IdNumber = $second_id")" \
    == "Dry. Tried again: water at 5 m." ]] || fail "the update did not reach the record it started from"
[[ "$(sql "$db" "select count(*) from Details")" == 2 ]] || fail "the update added or removed a record"
[[ "$(sql "$db" "select Notes from Details where IdNumber = $first_id")" == "Water at 3 m." ]] \
    || fail "the update changed the other record"
pass "Edit and Update rewrite the same record (IdNumber $second_id) and leave the other"
shot 07-list-after-update

# --- Delete the edited record ---------------------------------------------
keys "$frame" Down Return
sleep 0.3
keys "$frame" alt+d
answer_box "$pid" Return   # "Do You Really Want To Delete This Record ?": Yes
answer_box "$pid" Return   # "Record Deleted Succesfully !"
[[ "$(sql "$db" "select count(*) from Details where IdNumber = $second_id")" == 0 ]] \
    || fail "the deleted record is still stored"
[[ "$(sql "$db" "select Name from Details")" == "MARY JONES" ]] || fail "the other record went too"
pass "Delete removes the chosen record and leaves the other"
shot 08-list-after-delete

# --- Back to the entry window and out through the exit screen -------------
keys "$frame" alt+b
keys "$frame" alt+f x
exitw="$(wait_window "$pid" "$EXIT_SCREEN")" || fail "Exit did not show the exit screen"
shot 09-exit-screen
keys "$exitw" alt+x
wait_exit "$pid" || fail "closing the exit screen did not end the program"
[[ "$(sql "$db" "pragma integrity_check")" == ok ]] || fail "the database is damaged"
pass "the program ends through its exit screen, and the database is whole"
