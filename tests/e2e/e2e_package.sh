#!/usr/bin/env bash
# The Debian package as Debian and a user meet it: lintian finds nothing
# wrong, the metainfo and desktop entry validate, it holds exactly the
# program's files and depends on everything the program loads; and the
# program, started from the package as a user who may not write its folder
# (as under /usr), keeps that user's records in their data folder and ends
# cleanly on SIGTERM.
#
#   e2e_package.sh DEB
set -euo pipefail
deb="$(realpath "$1")"
source "$(dirname "$0")/lib.sh" /nonexistent
id=example.orvane.Dowsing

# --- What Debian checks ---------------------------------------------------------
lintian --fail-on error,warning "$deb" || fail "lintian found errors or warnings"
pass "lintian reports no error and no warning"

depends="$(dpkg-deb -f "$deb" Depends)"
for lib in libqt6sql6-sqlite libqt6widgets6 libqt6gui6 libqt6core6 libqt6sql6 \
           libqt6printsupport6 libsqlite3-0 liblz4-1; do
    [[ ", $depends," == *", $lib"[\ ,]* ]] || fail "Depends lacks $lib: $depends"
done
pass "Depends names every library the program loads, the SQLite driver plugin too"

root="$E2E_ROOT/root"
dpkg-deb -x "$deb" "$root"
files="$(cd "$root" && find . ! -type d | sed 's|^\.||' | sort)"
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
[[ "$files" == "$expected" ]] || fail "the package holds other files than expected:
$(diff <(echo "$expected") <(echo "$files") || true)"
[[ "$(sqlite3 "$root/usr/share/orvane-dowsing/Dowsing.dll" "select count(*) from Details")" == 0 ]] \
    || fail "the shipped database is not empty"
file -L "$root/usr/lib/orvane-dowsing/Orvanelog" | grep -q ", stripped" || fail "the program is not stripped"
pass "the package holds the program, stripped, and its files, and no records"

appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >/dev/null \
    || fail "the AppStream metainfo does not validate: $(appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml")"
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "the desktop entry is not valid"
for size in 16 22 24 32 48 64 128 256; do
    [[ "$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png")" == "${size}x${size}" ]] \
        || fail "the ${size} px icon is not ${size} px"
done
pass "the metainfo and the desktop entry validate; each icon has its folder's size"

# --- The program from the package, as a user who may not write its folder ---
# The user nobody, with a home of its own; the package's folders are root's.
home="$E2E_ROOT/home"
chmod 755 "$E2E_ROOT"
mkdir -p "$home/runtime"
chown -R nobody:nogroup "$home"
chmod 700 "$home/runtime"
start_xvfb
as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups
         env -i "DISPLAY=$DISPLAY" "HOME=$home" "XDG_RUNTIME_DIR=$home/runtime"
         QT_QPA_PLATFORM=xcb BROWSER=true PATH=/usr/bin:/bin)
"${as_user[@]}" "$root/usr/bin/orvane-dowsing" >>"$E2E_ROOT/program.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
frame="$(wait_window "$pid" "Orvane Dowsing v1.55")" || fail "the program did not start from the package: $(tail -5 "$E2E_ROOT/program.log")"
data="$home/.local/share/orvane-dowsing"
[[ -f "$data/Dowsing.dll" ]] || fail "the first start put no database in the data folder"
[[ "$(stat -c '%U %a' "$data/Dowsing.dll")" == "nobody 600" ]] \
    || fail "the user's database is not theirs alone: $(stat -c '%U %a' "$data/Dowsing.dll")"

keys "$frame" alt+r
type_text "$frame" "packaged record"
keys "$frame" alt+n alt+n alt+a
answer_box "$pid" Return
[[ "$(sqlite3 "$data/Dowsing.dll" "select Name from Details")" == "PACKAGED RECORD" ]] \
    || fail "the record typed did not land in the data folder's database"
for i in $(seq 1 100); do
    compgen -G "$data/Dowsing backups/Dowsing-*.dll" >/dev/null && break
    sleep 0.1
done
compgen -G "$data/Dowsing backups/Dowsing-*.dll" >/dev/null || fail "the day's back-up is not beside the records"
[[ "$(cd "$root" && find . ! -type d | sed 's|^\.||' | sort)" == "$expected" ]] \
    || fail "the program wrote into its own folders"
pass "from the package, the user's records and back-ups land in their data folder"

kill -TERM "$pid"
status=0
wait_exit "$pid" || fail "SIGTERM did not end the program"
wait "$pid" || status=$?
[[ "$status" == 0 ]] || fail "SIGTERM ended the program as a crash does (status $status)"
pass "SIGTERM ends the program as File > Exit does"
