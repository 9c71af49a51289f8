#!/usr/bin/env bash
# A real install: cmake --install lays out a self-contained program folder and
# a desktop entry; the installed program starts from its command and uses the
# database in its own folder; installing again keeps a database with records.
#
#   e2e_install.sh BIN_DIR BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh" "$1"
build="$2"
prefix="$E2E_ROOT/prefix"
program_dir="$prefix/lib/orvane-dowsing"

cmake --install "$build" --prefix "$prefix" >/dev/null
for f in Orvanelog Dowsing.dll orvane-dowsing.png; do
    [[ -f "$program_dir/$f" ]] || fail "the install has no $f in its program folder"
done
[[ -x "$prefix/bin/orvane-dowsing" ]] || fail "the install has no command bin/orvane-dowsing"
desktop="$prefix/share/applications/orvane-dowsing.desktop"
[[ -f "$desktop" ]] || fail "the install has no desktop entry"
grep -qx "Exec=\"$program_dir/Orvanelog\"" "$desktop" || fail "the desktop entry does not start the installed program"
grep -qx "Icon=$program_dir/orvane-dowsing.png" "$desktop" || fail "the desktop entry has no icon"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
fi
pass "the install lays out the program folder, a command and a desktop entry"

# The installed program starts from its command and finds its own database.
start_xvfb
"$prefix/bin/orvane-dowsing" >>"$E2E_ROOT/program.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
wait_window "$pid" "Orvane Dowsing v1.55" >/dev/null || fail "the installed program did not start"
kill "$pid"; wait_exit "$pid" || true
pass "the installed program starts"

# A record in the installed database survives a second install.
sqlite3 "$program_dir/Dowsing.dll" \
    "insert into Details (Date, Name) values ('2009-03-07', 'KEPT RECORD')"
cmake --install "$build" --prefix "$prefix" >/dev/null
[[ "$(sqlite3 "$program_dir/Dowsing.dll" "select Name from Details")" == "KEPT RECORD" ]] \
    || fail "installing again overwrote the database with its records"
pass "installing again keeps the installed database and its records"
