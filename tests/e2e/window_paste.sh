#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Positions pasted into the desktop window from the clipboard (set by xclip,
# pasted with real X keys from xdotool): Ctrl+V and Shift+Insert fill the
# form, which Add then writes, and so does the field's context menu; a refused
# position is said in a message box and changes nothing.
set -euo pipefail
: "${QUILLPOST:?QUILLPOST must name the program under test}"
QP_TIMEOUT=${QP_TIMEOUT:-20}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillpost-window-paste-XXXXXX")
config="$scratch/config"
routes="$scratch/card/MN6/Settings/Routes"
mkdir -p "$config/Kvo Applications" "$routes"
printf '[Settings]\nLanguage=1\n' >"$config/Kvo Applications/Quillpost.ini"
: >"$routes/Trip.rte"

xvfb_pid=
app_pid=
cleanup() {
    [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
    [ -z "$app_pid" ] || wait "$app_pid" 2>/dev/null || true
    # xclip serves the clipboard until its X server is gone.
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    cat "$scratch/app.log" >&2 2>/dev/null || true
    exit 1
}

source "$(dirname "$0")/display.sh"

app_windows() { xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l; }
clipboard() { printf '%s' "$1" | xclip -selection clipboard; }
# From the latitude field (or, with no argument, from Add itself): Add, and
# the only route file in the chooser.
add_point() {
    [ "${1:-}" != from-latitude ] || xdotool key Tab Tab Tab Tab Tab
    xdotool key Return
    wait_focus "Routing File Dialog"
    xdotool key Home Return
    until_true "the chooser to close" gone "Routing File Dialog"
}
# The route file's line COUNT, after the paste WHAT, is LINE.
expect_line() {
    until_true "the point of $2 in the route file" lines_in "$routes/Trip.rte" "$1"
    [ "$(tail -n 1 "$routes/Trip.rte" | tr -d '\r')" = "$3" ] || fail "$2: $(cat "$routes/Trip.rte")"
}

start_x
XDG_CONFIG_HOME="$config" QUILLPOST_STORAGE_CARD="$scratch/card" "$QUILLPOST" --window </dev/null \
    >"$scratch/app.log" 2>&1 &
app_pid=$!
wait_focus Quillpost

xdotool type --delay 30 "Hafen"
xdotool key Tab
clipboard "N 53° 33.006 E 009° 59.622"
xdotool key ctrl+v
add_point from-latitude
expect_line 1 Ctrl+V '[HAFEN||][0][10]|9.993700,53.550100||9.993700|53.550100|'

# A refused position: its reason, and the form as it was.
xdotool key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
clipboard "-53.5 S, 10 E"
xdotool key ctrl+v
until_true "the message box" message_box_shown
xdotool key Return
until_true "the message box to close" message_box_gone
wait_focus Quillpost

clipboard "geo:-33.9249,18.4241"
xdotool key shift+Insert
add_point from-latitude
expect_line 2 Shift+Insert '[HAFEN||][0][10]|18.424100,-33.924900||18.424100|-33.924900|'
# The context menu of the latitude field, which lies at the same share of the
# form's width and height whatever the font: Paste, its accelerator P.
clipboard "S 33° 55.494 W 070° 38.1"
form=$(window_of Quillpost)
eval "$(xdotool getwindowgeometry --shell "$form")"
windows=$(app_windows)
xdotool mousemove --window "$form" $((WIDTH * 35 / 100)) $((HEIGHT * 545 / 1000)) click 3
menu_open() { [ "$(app_windows)" -gt "$windows" ]; }
until_true "the field's menu" menu_open
xdotool key p
# A right click moves no focus: it is still on Add, from the point before.
add_point
expect_line 3 "the context menu" '[HAFEN||][0][10]|-70.635000,-33.924900||-70.635000|-33.924900|'
echo "window_paste: passed"
