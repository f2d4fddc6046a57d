#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# "Open with" from a file manager, end to end on an X server of its own: the
# desktop entry as installed, made the handler of application/gpx+xml, opens
# a .gpx file through GIO as a file manager does; the window program says
# what it will import, the chooser picks the route file, all points are
# appended and the summary shown (screenshots in $QP_SHOTS). Cancel in the
# chooser writes nothing.
set -euo pipefail
: "${QUILLPOST:?QUILLPOST must name the program under test}"
: "${QP_SHOTS:?QP_SHOTS must name the folder for the screenshots}"
: "${QP_DESKTOP_ENTRY:?QP_DESKTOP_ENTRY must name the desktop entry}"
QP_TIMEOUT=${QP_TIMEOUT:-20}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillpost-open-with-XXXXXX")
config="$scratch/config"
data="$scratch/data"
routes="$scratch/card/MN6/Settings/Routes"
mkdir -p "$config/Kvo Applications" "$data/applications" "$routes" "$QP_SHOTS"
printf '[Settings]\nLanguage=1\n' >"$config/Kvo Applications/Quillpost.ini"
printf '[START||][0][10]|10.000000,53.550000||10.000000|53.550000|\r\n' >"$routes/Ausflug.rte"
cp "$QP_DESKTOP_ENTRY" "$data/applications/"
entry=$(basename "$QP_DESKTOP_ENTRY")
printf '[Default Applications]\napplication/gpx+xml=%s\n' "$entry" >"$config/mimeapps.list"
cat >"$scratch/Tour A.gpx" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<gpx version="1.1" creator="test" xmlns="http://www.topografix.com/GPX/1/1">
  <rte><name>Tour A</name>
    <rtept lat="53.55" lon="9.99"><name>Landungsbrücken</name></rtept>
    <rtept lat="53.5" lon="10"><name>Home</name></rtept>
  </rte>
</gpx>
EOF

xvfb_pid=
cleanup() {
    # The program GIO started, found by the scratch folder in its command line.
    for pid in $(pgrep -f "quillpost.*$scratch" 2>/dev/null); do kill "$pid" 2>/dev/null || true; done
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    cat "$scratch/gio.log" >&2 2>/dev/null || true
    [ -z "${DISPLAY:-}" ] || import -window root "$QP_SHOTS/open-with-failure.png" 2>/dev/null || true
    exit 1
}
source "$(dirname "$0")/display.sh"

running() { pgrep -f "quillpost.*$scratch" >/dev/null; }
ended() { ! running; }
# The text of a message box is drawn a moment after it takes the keyboard.
before_shot() { sleep 0.3; }

# What a file manager does: GIO finds the handler of the file's type in the
# user's mimeapps.list and runs its Exec line with the file.
open_with() {
    XDG_DATA_HOME="$data" XDG_CONFIG_HOME="$config" QUILLPOST_STORAGE_CARD="$scratch/card" \
        PATH="$(dirname "$QUILLPOST"):$PATH" gio open "$scratch/Tour A.gpx" >"$scratch/gio.log" 2>&1 ||
        fail "gio open: $(cat "$scratch/gio.log")"
}

start_x
type=$(XDG_DATA_HOME="$data" gio info -a standard::content-type "$scratch/Tour A.gpx" |
    sed -n 's/.*standard::content-type: //p')
[ "$type" = application/gpx+xml ] || fail "the file's type is '$type'"
grep -qx "MimeType=.*application/gpx+xml;.*" "$QP_DESKTOP_ENTRY" || fail "the desktop entry does not declare GPX"

open_with
wait_focus Quillpost
before_shot
import -window "$(window_of Quillpost)" "$QP_SHOTS/open-with-message.png"
xdotool key Return
wait_focus "Routing File Dialog"
xdotool key Down Return
until_true "the points in the route file" lines_in "$routes/Ausflug.rte" 3
wait_focus Quillpost
before_shot
import -window "$(window_of Quillpost)" "$QP_SHOTS/open-with-summary.png"
xdotool key Return
until_true "the program to end" ended
expected=$'[START||][0][10]|10.000000,53.550000||10.000000|53.550000|
[LANDUNGSBR\xDCCKEN||][0][10]|9.990000,53.550000||9.990000|53.550000|
[HOME||][0][10]|10.000000,53.500000||10.000000|53.500000|'
[ "$(tr -d '\r' <"$routes/Ausflug.rte")" = "$expected" ] || fail "the route file: $(cat "$routes/Ausflug.rte")"

# Cancel in the chooser: nothing written.
before=$(md5sum <"$routes/Ausflug.rte")
open_with
wait_focus Quillpost
xdotool key Return
wait_focus "Routing File Dialog"
xdotool key Escape
until_true "the program to end after Cancel" ended
[ "$(md5sum <"$routes/Ausflug.rte")" = "$before" ] || fail "Cancel wrote to the route file"
echo "gpx open with: passed"
