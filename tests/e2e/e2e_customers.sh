#!/usr/bin/env bash
# A customer's history from the keyboard with the real program in a real X
# server, on a D-Bus session of its own: File > Customers in the entry
# window, the find bar narrows the customers to one, Enter shows the list of
# exactly their records, Enter opens a report, Back returns to that list,
# and a delete from the report comes back to the same customer's list. That
# the list holds exactly the customer's records (told apart by name and
# phone number whatever their case) is shown by deleting from it until it is
# empty: exactly those records leave the database.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh" "$1"

command -v dbus-run-session >/dev/null || fail "dbus-run-session is missing: install dbus"
FRAME="Orvane Dowsing v1.55"

start_xvfb
prog="$(make_program_folder)"
db="$prog/Dowsing.dll"
sql "$db" "insert into Details (Date, Name, Phone_No, City, Dowsing_Tool, Notes) values
    ('2009-03-05', 'JOHN SMITH', '0123.456', 'BATH', 'Rods', 'first'),
    ('2010-01-02', 'MARY JONES', '555.1', 'WELLS', 'Branch', 'other customer'),
    ('2011-06-07', 'John Smith', '0123.456', 'BATH', 'Rods', 'case differs'),
    ('2012-08-09', 'JOHN SMITH', '999', 'YORK', 'Rods', 'same name, other phone'),
    ('2013-02-01', '', '', 'LEEDS', 'Pendulam', 'no name, no phone'),
    ('2014-04-04', 'JOHN SMITH', '0123.456', 'BATH', 'Branch', 'last')"

pidfile="$E2E_ROOT/program.pid"
# The program on a session bus of its own, as a desktop would start it.
dbus-run-session -- bash -c 'echo $$ >"$1"; exec "$2"' _ "$pidfile" "$prog/Orvanelog" \
    >>"$E2E_ROOT/program.log" 2>&1 &
E2E_PIDS+=("$!")
for _ in $(seq 1 100); do [[ -s "$pidfile" ]] && break; sleep 0.05; done
pid="$(cat "$pidfile")"
E2E_PIDS+=("$pid")
frame="$(wait_window "$pid" "$FRAME")" || fail "the frame window did not appear"

# File > Customers (Alt+F, C); the find bar (Ctrl+F) and the phone number.
keys "$frame" alt+f c
sleep 1
shot 01-customers
keys "$frame" ctrl+f
type_text "$frame" "0123"
sleep 1
shot 02-customer-found
keys "$frame" Return
sleep 1
shot 03-customer-records
pass "File > Customers, the find bar and Enter show a customer's records"

# Enter opens the first record's report, Back returns to the same list.
keys "$frame" Return
sleep 0.5
shot 04-report
keys "$frame" alt+b
sleep 0.5
pass "the report's Back returns to the customer's records"

# Each delete from a report comes back to the customer's list; the fourth
# Enter finds it empty and opens nothing.
for n in 1 2 3 4; do
    keys "$frame" Return
    sleep 0.7
    keys "$frame" alt+d
    if [[ $n == 4 ]]; then
        # No report is on show: Alt+D is the list's, and nothing is asked.
        sleep 0.5
        has_window "$pid" "Orvane Dowsing" >/dev/null && fail "a fourth record was offered"
        break
    fi
    answer_box "$pid" Return   # "Do You Really Want To Delete This Record ?": Yes
    answer_box "$pid" Return   # "Record Deleted Succesfully !"
    sleep 0.7
done
left="$(sql "$db" "select group_concat(Notes, ';') from (select Notes from Details order by IdNumber)")"
[[ "$left" == "other customer;same name, other phone;no name, no phone" ]] \
    || fail "the customer's list did not hold exactly their records: left $left"
pass "the customer's list held exactly their three records, and came back after each delete"
[[ "$(sql "$db" "pragma integrity_check")" == ok ]] || fail "the database is damaged"
