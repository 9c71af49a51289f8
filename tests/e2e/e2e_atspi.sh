#!/usr/bin/env bash
# A record entered and saved through the accessibility interface only, as a
# screen reader or another assistive tool drives the program: the real
# program in a real X server, on its own D-Bus session with the accessibility
# bus, driven by e2e_atspi.py (AT-SPI); the stored record is then read from
# the database file with sqlite3. When AT-SPI cannot be brought up here the
# test says why and fails.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/lib.sh" "$1"

command -v dbus-run-session >/dev/null \
    || fail "dbus-run-session is missing: install dbus (AT-SPI needs a session bus)"
[[ -x /usr/bin/python3 ]] || fail "/usr/bin/python3 is missing: install python3"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null \
    || fail "python3-pyatspi cannot be imported by /usr/bin/python3: install python3-pyatspi"
[[ -x /usr/libexec/at-spi-bus-launcher || -x /usr/lib/at-spi2-core/at-spi-bus-launcher ]] \
    || fail "the accessibility bus launcher is missing: install at-spi2-core"

start_xvfb
prog="$(make_program_folder)"
db="$prog/Dowsing.dll"
pidfile="$E2E_ROOT/program.pid"
log="$E2E_ROOT/atspi.log"

started=$(date +%s%N)
status=0
dbus-run-session -- /usr/bin/python3 "$here/e2e_atspi.py" "$prog/Orvanelog" "$pidfile" \
    >"$log" 2>&1 || status=$?
elapsed_ms=$(( ($(date +%s%N) - started) / 1000000 ))
# Whatever happened, the program does not outlive the test.
if [[ -s "$pidfile" ]]; then
    E2E_PIDS+=("$(cat "$pidfile")")
fi
# The steps, without the buses' own chatter.
grep -v -e '^dbus-daemon\[' -e 'SpiRegistry daemon is running' "$log" || true
((status == 0)) || fail "driving the program through AT-SPI failed (see above)"

row="$(sql "$db" "select Date, Name, Address, City, State, Pin, Phone_No, Email, Time_Dowsing_Occured, Dowsing_Tool, Item_Dowsing_For, Location_Dowsing_Occured, Notes from Details")"
expected="1900-01-01|JANE DOE|12 Mill Lane
Upper Green|BATH|SOMERSET|BA1 2XY|01225.555|jane@example.org|00:00|Hazel Fork|Old Well|NORTH FIELD|Water at 3 m; strong pull."
[[ "$row" == "$expected" ]] || fail "the stored record is not what was entered through AT-SPI: $row"
[[ "$(sql "$db" "select count(*) from Details")" == 1 ]] || fail "more than one record was stored"
pass "the record entered through AT-SPI is stored as entered"
echo "AT-SPI run: ${elapsed_ms} ms"
