#!/usr/bin/env bash
# A sync client renames another machine's copy of Dowsing.dll over the file
# while a record's report is open, as users' synced folders do. In that copy
# the key of the record on show names someone else. Delete, then Yes, must
# not remove that other record: the program shows the record as it is now,
# and a second Delete removes exactly what was shown. The file is read with
# sqlite3 after every step.
set -euo pipefail
source "$(dirname "$0")/lib.sh" "$1"

FRAME="Orvane Dowsing v1.55"

start_xvfb
prog="$(make_program_folder)"
db="$prog/Dowsing.dll"
sql "$db" "insert into Details (Date, Name) values ('2011-06-01', 'ALICE AAA'), ('2011-06-02', 'BOB BBB'), ('2011-06-03', 'CAROL CCC')"
start_program "$prog"
pid=$PROGRAM_PID
frame="$(wait_window "$pid" "$FRAME")" || fail "the frame window did not appear"

# BOB's report, from the list.
keys "$frame" alt+v
sleep 0.3
keys "$frame" Down Return
sleep 0.3
shot 01-bob-report

# Another machine's copy, in which key 2 is ZED, renamed over the file.
cp "$db" "$prog/incoming.dll"
sql "$prog/incoming.dll" "update Details set Name = 'ZED OTHER MACHINE' where IdNumber = 2"
mv "$prog/incoming.dll" "$db"

keys "$frame" alt+d
answer_box "$pid" Return # "Do You Really Want To Delete This Record ?": Yes
w="$(wait_window "$pid" "Orvane Dowsing")" || fail "no word that the record changed"
shot 02-changed-elsewhere
keys "$w" Return
wait_no_window "$pid" "Orvane Dowsing" || true
[[ "$(sql "$db" "select group_concat(Name, ',') from Details")" \
    == "ALICE AAA,ZED OTHER MACHINE,CAROL CCC" ]] \
    || fail "a record the user never saw was deleted: $(sql "$db" "select group_concat(Name) from Details")"
[[ "$(sql "$db" "pragma integrity_check")" == ok ]] || fail "the file is damaged"
pass "Delete leaves the record the copy holds under the key, and says it changed"

# The report now shows ZED: a second Delete removes exactly that.
shot 03-zed-report
keys "$frame" alt+d
answer_box "$pid" Return
answer_box "$pid" Return # "Record Deleted Succesfully !"
sleep 0.3
[[ "$(sql "$db" "select group_concat(Name, ',') from Details")" == "ALICE AAA,CAROL CCC" ]] \
    || fail "the record shown was not deleted: $(sql "$db" "select group_concat(Name) from Details")"
shot 04-list-after
pass "Delete again removes the record now shown"

kill "$pid" 2>/dev/null || true
exit "$E2E_FAILED"
