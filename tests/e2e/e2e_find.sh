#!/usr/bin/env bash
# Finding a record from the keyboard with the real program in a real X
# server: Ctrl+F in the entry window opens the list with its find bar, the
# text typed leaves one record, and Enter opens its report. That the report
# is the found record's is shown by deleting it from there: exactly that
# record leaves the database.
set -euo pipefail
source "$(dirname "$0")/lib.sh" "$1"

FRAME="Orvane Dowsing v1.55"

start_xvfb
prog="$(make_program_folder)"
db="$prog/Dowsing.dll"
sql "$db" "insert into Details (Date, Name, City, Notes) values
    ('2009-03-05', 'MARY JONES', 'BATH', 'Water at 3 m.'),
    ('2010-01-02', 'TOM BROOK', 'WELLS', 'Dry.'),
    ('2011-06-07', 'ANNA STONE', 'YORK', 'Oil at the brook.'),
    ('2012-08-09', 'BEN WATERS', 'LEEDS', 'None.')"
found_id="$(sql "$db" "select IdNumber from Details where Name = 'ANNA STONE'")"

start_program "$prog"
pid=$PROGRAM_PID
frame="$(wait_window "$pid" "$FRAME")" || fail "the frame window did not appear"

# Ctrl+F: the list with the find bar, the cursor in its box.
keys "$frame" ctrl+f
sleep 0.5
shot 01-find-bar
type_text "$frame" "stone"
sleep 1
shot 02-found
keys "$frame" Return
sleep 0.5
shot 03-report
pass "Ctrl+F, the text, and Enter open a report"

# The report on show is the found record's: Delete removes it and no other.
keys "$frame" alt+d
answer_box "$pid" Return   # "Do You Really Want To Delete This Record ?": Yes
answer_box "$pid" Return   # "Record Deleted Succesfully !"
[[ "$(sql "$db" "select count(*) from Details where IdNumber = $found_id")" == 0 ]] \
    || fail "the report opened was not the found record's"
[[ "$(sql "$db" "select count(*) from Details")" == 3 ]] || fail "another record went too"
pass "the report opened with Enter is the found record's (IdNumber $found_id)"
[[ "$(sql "$db" "pragma integrity_check")" == ok ]] || fail "the database is damaged"
