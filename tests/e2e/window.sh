#!/usr/bin/env bash
# The real program in a desktop window on an X server of its own (Xvfb),
# driven by real X key and mouse events (xdotool): the first start, a point
# typed and added to the file picked in the chooser, the four formats (a
# screenshot of each goes to $QP_SHOTS), F10; then the X server going away
# under an open form.
set -euo pipefail
: "${QUILLPOST:?QUILLPOST must name the program under test}"
: "${QP_SHOTS:?QP_SHOTS must name the folder for the screenshots}"
QP_TIMEOUT=${QP_TIMEOUT:-20}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillpost-window-XXXXXX")
config="$scratch/config"
routes="$scratch/card/MN6/Settings/Routes"
ini="$config/Kvo Applications/Quillpost.ini"
mkdir -p "$config" "$routes" "$QP_SHOTS"
printf '[START||][0][10]|10.000000,53.550000||10.000000|53.550000|\r\n' >"$routes/Ausflug.rte"
: >"$routes/Heimweg.rte"

xvfb_pid=
app_pid=
cleanup() {
    [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    cat "$scratch/app.log" >&2 2>/dev/null || true
    [ -z "${DISPLAY:-}" ] || import -window root "$QP_SHOTS/failure.png" 2>/dev/null || true
    exit 1
}

until_true() {
    local what=$1
    shift
    local deadline=$((SECONDS + QP_TIMEOUT))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || fail "timed out waiting for $what"
        sleep 0.05
    done
}

# An X server on a display number it picks itself, so that test runs and
# other servers never meet.
start_x() {
    exec {display_fd}<> <(:)
    Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local number=
    read -r -t "$QP_TIMEOUT" number <&"$display_fd" || fail "Xvfb did not start"
    exec {display_fd}<&-
    export DISPLAY=":$number"
    until_true "the X server to answer" xdotool getdisplaygeometry >/dev/null 2>&1
}

start_app() {
    rm -f "$scratch/status"
    (
        status=0
        XDG_CONFIG_HOME="$config" QUILLPOST_STORAGE_CARD="$scratch/card" "$QUILLPOST" </dev/null \
            >"$scratch/app.log" 2>&1 || status=$?
        echo "$status" >"$scratch/status"
    ) &
    app_pid=$!
}

window_of() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
shown() { [ -n "$(window_of "$1")" ]; }
gone() { ! shown "$1"; }
wait_window() { until_true "the window '$1'" shown "$1"; }
ended() { [ -s "$scratch/status" ]; }
shoot() { import -window "$(window_of Quillpost)" "$QP_SHOTS/$1.png"; }
# The keys reach the window only once it is drawn and has the focus.
settle() { sleep 0.3; }

start_x
start_app
wait_window "Quillpost Language"
settle
xdotool key Tab space Tab Return
wait_window "Quillpost"
settle

xdotool type --delay 30 "Home"
xdotool key Tab
xdotool type --delay 30 "53.5"
xdotool key Tab
xdotool type --delay 30 "10"
xdotool key Tab Tab Tab Tab Return
wait_window "Routing File Dialog"
settle
# A double click on the first entry is OK.
xdotool mousemove --window "$(window_of "Routing File Dialog")" 40 22 click --repeat 2 --delay 80 1
until_true "the chooser to close" gone "Routing File Dialog"
expected='[HOME||][0][10]|10.000000,53.500000||10.000000|53.500000|'
until_true "the route point in the file" test "$(wc -l <"$routes/Ausflug.rte")" -eq 2
[ "$(tail -n 1 "$routes/Ausflug.rte" | tr -d '\r')" = "$expected" ] || fail "the line: $(tail -n 1 "$routes/Ausflug.rte")"
[ ! -s "$routes/Heimweg.rte" ] || fail "the other route file was written"

# The four formats through the drop-down list, from Add back to the list.
settle
shoot form-degrees
xdotool key shift+Tab F4 Down Return
settle
shoot form-degrees-minutes
xdotool key F4 Down Return
settle
shoot form-degrees-minutes-seconds
xdotool key F4 End Return
settle
shoot form-utm
xdotool key F10
until_true "the program to end" ended
[ "$(cat "$scratch/status")" = 0 ] || fail "exit status $(cat "$scratch/status") after F10"
grep -qx "Format=3" "$ini" || fail "settings: $(cat "$ini")"
grep -qx "Language=1" "$ini" || fail "settings: $(cat "$ini")"

# The X server goes away under the open form: the program ends at once
# with status 1, as on a hang-up, and the settings file keeps what it held.
printf '[Settings]\nLanguage=0\nFormat=1\n' >"$ini"
before=$(cat "$ini")
start_app
wait_window "Quillpost"
settle
kill "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null || true
xvfb_pid=
until_true "the program to end without its display" ended
[ "$(cat "$scratch/status")" = 1 ] || fail "exit status $(cat "$scratch/status") without a display"
[ "$(cat "$ini")" = "$before" ] || fail "settings after the display went: $(cat "$ini")"
[ "$(wc -l <"$routes/Ausflug.rte")" -eq 2 ] || fail "a route file was written without a display"
[ -z "$(find "$config" -name '*.tmp*')" ] || fail "a temporary settings file was left"
echo "window: passed"
