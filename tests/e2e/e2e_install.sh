#!/usr/bin/env bash
# A real install, as a packager and a user make one: a staged install puts
# every file under DESTDIR once; a one-user install lays out the program,
# its command, desktop entry, metainfo, icons and manual; the installed
# program copies the shipped empty database beside itself at its first
# start and uses it; installing again, and uninstalling by the manifest,
# leave the records.
#
#   e2e_install.sh BIN_DIR BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/lib.sh" "$1"
build="$2"
id=example.orvane.Dowsing

# --- A staged install honours DESTDIR once -----------------------------------
DESTDIR="$E2E_ROOT/stage" cmake --install "$build" --prefix /usr >/dev/null
expected="/usr/bin/orvane-dowsing
/usr/lib/orvane-dowsing/Orvanelog
/usr/share/applications/$id.desktop
/usr/share/doc/orvane-dowsing/changelog.gz
/usr/share/doc/orvane-dowsing/copyright
/usr/share/icons/hicolor/128x128/apps/$id.png
/usr/share/icons/hicolor/16x16/apps/$id.png
/usr/share/icons/hicolor/22x22/apps/$id.png
/usr/share/icons/hicolor/24x24/apps/$id.png
/usr/share/icons/hicolor/256x256/apps/$id.png
/usr/share/icons/hicolor/32x32/apps/$id.png
/usr/share/icons/hicolor/48x48/apps/$id.png
/usr/share/icons/hicolor/64x64/apps/$id.png
/usr/share/man/man1/orvane-dowsing.1.gz
/usr/share/metainfo/$id.metainfo.xml
/usr/share/orvane-dowsing/Dowsing.dll"
staged="$(cd "$E2E_ROOT/stage" && find . ! -type d | sed 's|^\.||' | sort)"
[[ "$staged" == "$expected" ]] || fail "the staged install holds other files than expected:
$(diff <(echo "$expected") <(echo "$staged") || true)"
[[ "$(readlink "$E2E_ROOT/stage/usr/bin/orvane-dowsing")" == "../lib/orvane-dowsing/Orvanelog" ]] \
    || fail "the command does not lead to the program"
grep -qx 'Exec="/usr/bin/orvane-dowsing"' "$E2E_ROOT/stage/usr/share/applications/$id.desktop" \
    || fail "the staged desktop entry does not start the installed command"
pass "a staged install puts each file under DESTDIR once, and no records file"

# --- A one-user install -------------------------------------------------------
prefix="$E2E_ROOT/prefix"
program_dir="$prefix/lib/orvane-dowsing"
# What the earlier rules installed, which the menu would show beside the new entry.
mkdir -p "$prefix/share/applications" "$program_dir"
touch "$prefix/share/applications/orvane-dowsing.desktop" "$program_dir/orvane-dowsing.png"
cmake --install "$build" --prefix "$prefix" >/dev/null
[[ ! -e "$prefix/share/applications/orvane-dowsing.desktop" && ! -e "$program_dir/orvane-dowsing.png" ]] \
    || fail "the earlier install's desktop entry or icon was left beside the new ones"
manifest="$(sort "$build/install_manifest.txt")"
[[ "$manifest" == "$(echo "$expected" | sed "s|^/usr|$prefix|" | sort)" ]] \
    || fail "the manifest lists other files than those installed"
desktop="$prefix/share/applications/$id.desktop"
grep -qx "Exec=\"$prefix/bin/orvane-dowsing\"" "$desktop" || fail "the desktop entry does not start the installed program"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon by the application id"
grep -qx "StartupWMClass=$id" "$desktop" || fail "the desktop entry does not name the window class"
desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
pass "a one-user install lays out the program, its command and desktop entry, all in the manifest"

# The installed program copies the shipped database beside itself (the
# user may write there) and keeps its records in it.
[[ ! -e "$program_dir/Dowsing.dll" ]] || fail "the install itself put a records file in place"
start_xvfb
"$prefix/bin/orvane-dowsing" >>"$E2E_ROOT/program.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
frame="$(wait_window "$pid" "Orvane Dowsing v1.55")" || fail "the installed program did not start"
[[ "$(xprop -id "$frame" WM_CLASS)" == *"\"$id\""* ]] || fail "the window's class is not the application id: $(xprop -id "$frame" WM_CLASS)"
kill "$pid"; wait_exit "$pid" || fail "the installed program did not end on SIGTERM"
cmp -s "$program_dir/Dowsing.dll" "$prefix/share/orvane-dowsing/Dowsing.dll" \
    || fail "the first start did not copy the shipped database beside the program"
[[ ! -e "$XDG_DATA_HOME/orvane-dowsing" ]] || fail "a one-user install kept its records in the data folder"
pass "the installed program starts, copying the shipped database beside itself; its window carries the application id"

# A record in the installed database survives a second install and an
# uninstall by the manifest.
sqlite3 "$program_dir/Dowsing.dll" \
    "insert into Details (Date, Name) values ('2009-03-07', 'KEPT RECORD')"
cmake --install "$build" --prefix "$prefix" >/dev/null
[[ "$(sqlite3 "$program_dir/Dowsing.dll" "select Name from Details")" == "KEPT RECORD" ]] \
    || fail "installing again overwrote the database with its records"
xargs rm < "$build/install_manifest.txt"
[[ "$(sqlite3 "$program_dir/Dowsing.dll" "select Name from Details")" == "KEPT RECORD" ]] \
    || fail "the uninstall by the manifest removed the records"
# What the program wrote there is the user's: the records, their notes,
# the daily back-ups.
left="$(cd "$prefix" && find . ! -type d | grep -v '^\./lib/orvane-dowsing/Dowsing' || true)"
[[ -z "$left" ]] || fail "the uninstall left files of its own: $left"
pass "installing again and uninstalling by the manifest keep the records, and only them"
