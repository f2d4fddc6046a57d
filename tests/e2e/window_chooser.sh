#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The route file chooser in a desktop window on an X server of its own
# (Xvfb), driven by real X keys (xdotool): Enter before a file is chosen asks
# for one and leaves the chooser open; with no route file at all the chooser
# says where it looked, OK says it again, and only Cancel ends it without a
# file. Nothing reaches a route file. The screenshots go to $QP_SHOTS.
set -euo pipefail
: "${QUILLPOST:?QUILLPOST must name the program under test}"
: "${QP_SHOTS:?QP_SHOTS must name the folder for the screenshots}"
QP_TIMEOUT=${QP_TIMEOUT:-20}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillpost-chooser-XXXXXX")
config="$scratch/config"
routes="$scratch/card/MN6/Settings/Routes"
mkdir -p "$config/Kvo Applications" "$routes" "$QP_SHOTS"
printf '[Settings]\nLanguage=1\nFormat=0\n' >"$config/Kvo Applications/Quillpost.ini"
printf 'x\r\n' >"$routes/Ausflug.rte"

xvfb_pid=
app_pid=
cleanup() {
    [ ! -s "$scratch/pid" ] || kill "$(cat "$scratch/pid")" 2>/dev/null || true
    [ -z "$app_pid" ] || wait "$app_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    cat "$scratch/app.log" >&2 2>/dev/null || true
    [ -z "${DISPLAY:-}" ] || import -window root "$QP_SHOTS/chooser-failure.png" 2>/dev/null || true
    exit 1
}

source "$(dirname "$0")/display.sh"

start_app() {
    (
        status=0
        XDG_CONFIG_HOME="$config" QUILLPOST_STORAGE_CARD="$scratch/card" "$QUILLPOST" --window \
            </dev/null >"$scratch/app.log" 2>&1 &
        echo $! >"$scratch/pid"
        wait $! || status=$?
        echo "$status" >"$scratch/status"
    ) &
    app_pid=$!
}

ended() { [ -s "$scratch/status" ]; }
# A message box is titled Quillpost, as the form is.
focus_away_from() { [ "$(xdotool getwindowfocus -f 2>/dev/null)" != "$1" ]; }
# Nothing outside tells when a picture is done; the pause only keeps the
# screenshot from showing a window half drawn.
shoot() { sleep 0.3; import -window root "$QP_SHOTS/$1.png"; }

# OK in the chooser (Enter, or a click on the button) asks and keeps it open.
ok_is_refused() {
    local what=$1 chooser
    chooser=$(window_of "Routing File Dialog")
    xdotool key Return
    until_true "the message box ($what)" message_box_shown
    until_true "the message box to take the keyboard ($what)" focus_away_from "$chooser"
    shoot "chooser-$what"
    xdotool key Return
    until_true "the message box to close ($what)" message_box_gone
    shown "Routing File Dialog" || fail "the chooser ended without a file ($what)"
    until_true "the keyboard back in the chooser ($what)" has_focus "Routing File Dialog"
    xdotool key Escape
    until_true "the chooser to close ($what)" gone "Routing File Dialog"
}

start_x
start_app
wait_focus "Quillpost"
type_home_and_add
wait_focus "Routing File Dialog"
ok_is_refused "no-selection"

# No route file at all: the note stands where the list would be.
mv "$routes" "$routes.away"
wait_focus "Quillpost"
xdotool key Return
wait_focus "Routing File Dialog"
shoot "chooser-no-route-file"
ok_is_refused "no-route-file-ok"
mv "$routes.away" "$routes"

wait_focus "Quillpost"
xdotool key Escape
until_true "the program to end" ended
[ "$(cat "$scratch/status")" = 0 ] || fail "exit status $(cat "$scratch/status")"
[ "$(cat "$routes/Ausflug.rte")" = $'x\r' ] || fail "the route file was written: $(cat "$routes/Ausflug.rte")"
echo "window chooser: passed"
