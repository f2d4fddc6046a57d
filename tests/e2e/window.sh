#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real program in a desktop window on an X server of its own (Xvfb),
# driven by real X key and mouse events (xdotool): the first start, a point
# typed and added to the file picked in the chooser, the four formats (a
# screenshot of each goes to $QP_SHOTS), F10; the X server going away under
# the form, the chooser and a message box; SIGTERM, SIGHUP and SIGINT; a screen
# smaller than the form.
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
    # The program itself, and then the subshell that waits for it to end, so
    # that nothing writes into the scratch folder while it is removed.
    [ ! -s "$scratch/pid" ] || kill "$(cat "$scratch/pid")" 2>/dev/null || true
    [ -z "$app_pid" ] || wait "$app_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    cat "$scratch/app.log" >&2 2>/dev/null || true
    if [ -n "${DISPLAY:-}" ]; then
        import -window root "$QP_SHOTS/failure.png" 2>/dev/null || true
        for window in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
            echo "window $window: '$(xdotool getwindowname "$window" 2>/dev/null)'" >&2
        done
    fi
    exit 1
}

source "$(dirname "$0")/display.sh"

# The program's own process id goes to $scratch/pid (quillpost becomes the
# window program in the same process), for the signals.
start_app() {
    rm -f "$scratch/status" "$scratch/pid"
    (
        status=0
        XDG_CONFIG_HOME="$config" QUILLPOST_STORAGE_CARD="$scratch/card" "$QUILLPOST" </dev/null \
            >"$scratch/app.log" 2>&1 &
        echo $! >"$scratch/pid"
        wait $! || status=$?
        echo "$status" >"$scratch/status"
    ) &
    app_pid=$!
}

wait_window() { until_true "the window '$1'" shown "$1"; }
ended() { [ -s "$scratch/status" ]; }
# The conditions are functions, so that until_true looks again each time.
shoot() { import -window "$(window_of Quillpost)" "$QP_SHOTS/$1.png"; }
# Keys go to the window that has the keyboard focus: a window that has just
# appeared is typed into only once it has taken it.
focus_away_from() { [ "$(xdotool getwindowfocus -f 2>/dev/null)" != "$1" ]; }
# The keys before a screenshot are handled in order with the drawing they
# cause, but nothing outside tells when the picture is done: the pause only
# keeps the screenshot from showing the form half drawn.
before_shot() { sleep 0.3; }

start_x
start_app
wait_focus "Quillpost Language"
xdotool key Return
wait_focus "Quillpost"

type_home_and_add
wait_focus "Routing File Dialog"
# A double click on the first entry is OK.
xdotool mousemove --window "$(window_of "Routing File Dialog")" 40 22 click --repeat 2 --delay 80 1
until_true "the chooser to close" gone "Routing File Dialog"
expected='[HOME||][0][10]|10.000000,53.500000||10.000000|53.500000|'
until_true "the route point in the file" lines_in "$routes/Ausflug.rte" 2
[ "$(tail -n 1 "$routes/Ausflug.rte" | tr -d '\r')" = "$expected" ] || fail "the line: $(tail -n 1 "$routes/Ausflug.rte")"
[ ! -s "$routes/Heimweg.rte" ] || fail "the other route file was written"

# The four formats through the drop-down list, from Add back to the list.
before_shot
shoot form-degrees
xdotool key shift+Tab F4 Down Return
before_shot
shoot form-degrees-minutes
xdotool key F4 Down Return
before_shot
shoot form-degrees-minutes-seconds
xdotool key F4 End Return
before_shot
shoot form-utm
xdotool key F10
until_true "the program to end" ended
[ "$(cat "$scratch/status")" = 0 ] || fail "exit status $(cat "$scratch/status") after F10"
grep -qx "Format=3" "$ini" || fail "settings: $(cat "$ini")"
grep -qx "Language=1" "$ini" || fail "settings: $(cat "$ini")"

# The X server goes away with the form, the chooser or a message box open:
# every dialog ends as Cancel, the form writes the settings, nothing reaches
# a route file, and the program ends with status 1.
seeded=$'[Settings]\nLanguage=1\nFormat=0'
display_goes_away() {
    local what=$1
    kill "$xvfb_pid"
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
    until_true "the program to end without its display ($what)" ended
    [ "$(cat "$scratch/status")" = 1 ] || fail "exit status $(cat "$scratch/status") when the display went ($what)"
    grep -q "the display went away" "$scratch/app.log" || fail "no word of the display ($what)"
    [ "$(head -n 3 "$ini")" = "$seeded" ] || fail "settings after the display went ($what): $(cat "$ini")"
    grep -qx "LatHemisphere=0" "$ini" || fail "the settings were not written ($what): $(cat "$ini")"
    [ "$(wc -l <"$routes/Ausflug.rte")" -eq 2 ] || fail "a route file was written without a display ($what)"
    [ ! -s "$routes/Heimweg.rte" ] || fail "a route file was written without a display ($what)"
    [ -z "$(find "$config" -name '*.tmp*')" ] || fail "a temporary settings file was left ($what)"
}
start_form() {
    printf '%s\n' "$seeded" >"$ini"
    start_x
    start_app
    wait_focus "Quillpost"
}

start_form
display_goes_away "the form"

start_form
xdotool type --delay 30 "Gone"
xdotool key Tab Tab Tab Tab Tab Tab Return
wait_focus "Routing File Dialog"
display_goes_away "the chooser"

# A number refused on leaving its field: after the message the keyboard is
# back in the field, also without a window manager, with the text marked, so
# that typing replaces it and F10 is then taken.
start_form
form=$(window_of Quillpost)
xdotool key Tab
xdotool type --delay 30 "abc"
xdotool key Tab
until_true "the message box" message_box_shown
until_true "the message box to take the keyboard" focus_away_from "$form"
xdotool key Return
until_true "the message box to close" message_box_gone
until_true "the form to take the keyboard back" has_focus Quillpost
xdotool type --delay 30 "5"
xdotool key F10
until_true "the program to end after F10" ended
[ "$(cat "$scratch/status")" = 0 ] || fail "exit status $(cat "$scratch/status") after the corrected field"

# An empty name: Add answers with a message box, titled as the form is.
start_form
xdotool key Tab Tab Tab Tab Tab Tab Return
until_true "the message box" message_box_shown
display_goes_away "a message box"

# SIGTERM (a kill, the desktop logging out) with the form open, SIGHUP with
# the chooser open and SIGINT (Ctrl+C in the terminal it was started from)
# with a message box open end the program as Cancel does: the format chosen in
# this session reaches the settings, nothing reaches a route file, and the
# exit status names the signal as a shell would.
choose_degrees_minutes() { xdotool key Tab Tab Tab Tab Tab F4 Down Return; }
signal_ends() {
    local signal=$1 what=$2
    kill "-$signal" "$(cat "$scratch/pid")"
    until_true "the program to end on SIG$signal ($what)" ended
    local expected=$((128 + $(kill -l "$signal")))
    [ "$(cat "$scratch/status")" = "$expected" ] || fail "exit status $(cat "$scratch/status") on SIG$signal ($what)"
    grep -qx "Format=1" "$ini" || fail "the settings of the session were not written on SIG$signal ($what): $(cat "$ini")"
    grep -qx "Language=1" "$ini" || fail "settings on SIG$signal ($what): $(cat "$ini")"
    [ "$(wc -l <"$routes/Ausflug.rte")" -eq 2 ] || fail "a route file was written on SIG$signal ($what)"
    [ ! -s "$routes/Heimweg.rte" ] || fail "a route file was written on SIG$signal ($what)"
    [ -z "$(find "$config" -name '*.tmp*')" ] || fail "a temporary settings file was left on SIG$signal ($what)"
}

# Keys are handled in order, so once the message box of the empty name has
# come and gone again, the format has changed before the signal comes.
start_form
form=$(window_of Quillpost)
choose_degrees_minutes
xdotool key Tab Return
until_true "the message box" message_box_shown
until_true "the message box to take the keyboard" focus_away_from "$form"
xdotool key Return
until_true "the message box to close" message_box_gone
signal_ends TERM "the form"

start_form
xdotool type --delay 30 "Hangup"
choose_degrees_minutes
xdotool key Tab Return
wait_focus "Routing File Dialog"
signal_ends HUP "the chooser"

start_form
choose_degrees_minutes
xdotool key Tab Return
until_true "the message box" message_box_shown
signal_ends INT "a message box"

# A screen smaller than the form: the form at the top left of the screen,
# its keys working on what lies beyond the edge. An Add typed blind reaches
# the route file, and F10 ends the program normally.
rm -f "$ini"
start_x 240x120x24
start_app
wait_focus "Quillpost Language"
xdotool key Return
wait_focus "Quillpost"
eval "$(xdotool getwindowgeometry --shell "$(window_of Quillpost)")"
[ "$X" -eq 0 ] && [ "$Y" -eq 0 ] || fail "the form at $X,$Y on a 240 x 120 screen"
[ "$WIDTH" -gt 240 ] && [ "$HEIGHT" -gt 120 ] || fail "the form shrank to $WIDTH x $HEIGHT"
shoot small-screen
xdotool type --delay 30 "Small"
xdotool key Tab Tab Tab Tab Tab Tab Return
wait_focus "Routing File Dialog"
xdotool key Home Return
until_true "the chooser to close" gone "Routing File Dialog"
until_true "the route point in the file" lines_in "$routes/Ausflug.rte" 3
tail -n 1 "$routes/Ausflug.rte" | grep -q '^\[SMALL||\]' || fail "the line: $(tail -n 1 "$routes/Ausflug.rte")"
xdotool key F10
until_true "the program to end" ended
[ "$(cat "$scratch/status")" = 0 ] || fail "exit status $(cat "$scratch/status") on a small screen"
echo "window: passed"
