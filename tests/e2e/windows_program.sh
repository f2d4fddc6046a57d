#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# quillpost.exe, the Windows program, under wine on an X server of its own
# (Xvfb), driven by real X key events (xdotool): the first start with its
# language choice, a point typed and added to the route file picked in the
# chooser on a removable drive of the wine prefix that holds the card, another
# format picked, F10; the line in the route file and the settings in
# %APPDATA% are checked. Then a second start: the message box of an empty
# name, and the window closed. A third: a position pasted from the clipboard
# (set on the X side, which wine shares) into a field fills the form. A
# fourth start: another format, and the session ended under the open form.
# Last the command line: the usage, and a card named in letters beyond the
# ANSI code page.
#   QUILLPOST       the program under test (quillpost.exe)
#   QP_WINEPREFIX   the wine prefix to use; made on the first run, then kept
set -euo pipefail
: "${QUILLPOST:?QUILLPOST must name the program under test}"
source "$(dirname "$0")/wine.sh"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillpost-windows-XXXXXX")
routes="$scratch/card/MN6/Settings/Routes"
mkdir -p "$routes"
printf '[START||][0][10]|10.000000,53.550000||10.000000|53.550000|\r\n' >"$routes/Ausflug.rte"
: >"$routes/Heimweg.rte"

xvfb_pid=
app_pid=
cleanup() {
    [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
    [ -z "$app_pid" ] || wait "$app_pid" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -f "$WINEPREFIX/dosdevices/q:"
    rm -rf "$scratch"
}
trap cleanup EXIT

report() {
    cat "$scratch/app.log" >&2 2>/dev/null || true
    if [ -n "${DISPLAY:-}" ]; then
        for window in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
            echo "window $window: '$(xdotool getwindowname "$window" 2>/dev/null)'" >&2
        done
    fi
}
wine_report=report

source "$(dirname "$0")/display.sh"
start_x

wine_prefix
# The card: drive Q: of the prefix, which wine reports as a removable drive.
ln -sfn "$scratch/card" "$WINEPREFIX/dosdevices/q:"
wine reg add 'HKLM\Software\Wine\Drives' /v 'q:' /d floppy /f >/dev/null 2>&1 ||
    fail "the card's drive type cannot be set"
# Wine's mount manager reads the drive types when it starts: started anew.
wineserver -k
wineserver -w
wine_server
appdata=$(find "$WINEPREFIX/drive_c/users" -mindepth 3 -maxdepth 3 -path '*/AppData/Roaming' \
    -not -path '*/Public/*' | head -n 1)
[ -n "$appdata" ] || fail "no AppData\\Roaming in the prefix"
ini="$appdata/Kvo Applications/Quillpost.ini"
rm -rf "$appdata/Kvo Applications"

ended() { [ -s "$scratch/status" ]; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$(window_of "$1")" ]; }
# Without a window manager nobody gives a new window the keyboard: the test
# does, as a user's click on it would.
take_focus() {
    until_true "the window '$1'" shown "$1"
    xdotool windowfocus "$(window_of "$1")" 2>/dev/null || true
    until_true "the window '$1' to take the keyboard" has_focus "$1"
}

start_app() {
    rm -f "$scratch/status"
    (
        status=0
        wine "$QUILLPOST" </dev/null >"$scratch/app.log" 2>&1 || status=$?
        echo "$status" >"$scratch/status"
    ) &
    app_pid=$!
}
windows_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
message_box_shown() { [ "$(windows_named Quillpost)" -ge 2 ]; }
message_box_gone() { [ "$(windows_named Quillpost)" -eq 1 ]; }

start_app

# The first start asks for the language: English.
take_focus "Quillpost Language"
xdotool key Return  # English is checked and has the focus; Enter is OK
take_focus "Quillpost"

type_home_and_add
take_focus "Routing File Dialog"
xdotool key Home Return
until_true "the chooser to close" gone "Routing File Dialog"
expected='[HOME||][0][10]|10.000000,53.500000||10.000000|53.500000|'
until_true "the route point in the file" lines_in "$routes/Ausflug.rte" 2
[ "$(tail -n 1 "$routes/Ausflug.rte" | tr -d '\r')" = "$expected" ] ||
    fail "the line: $(tail -n 1 "$routes/Ausflug.rte")"
[ ! -s "$routes/Heimweg.rte" ] || fail "the other route file was written"

# From Add back to the format list, one format on, and the title bar's OK.
take_focus "Quillpost"
xdotool key shift+Tab F4 Down Return F10
until_true "the program to end" ended
[ "$(cat "$scratch/status")" = 0 ] || fail "exit status $(cat "$scratch/status") after F10"
[ -f "$ini" ] || fail "no settings in $appdata"
tr -d '\r' <"$ini" | grep -qx "Format=1" || fail "settings: $(cat "$ini")"
tr -d '\r' <"$ini" | grep -qx "Language=1" || fail "settings: $(cat "$ini")"

# The second start shows the stored format at once. Add with an empty name
# answers with the system's message box over the form; closing the window
# (Alt+F4, as the title bar's close button does) is Cancel, which keeps the
# settings and writes no route point.
start_app
take_focus "Quillpost"
form=$(window_of Quillpost)
xdotool key shift+Tab Return
until_true "the message box" message_box_shown
box=$(xdotool search --onlyvisible --name '^Quillpost$' | grep -vx "$form" | head -n 1)
xdotool windowfocus "$box" 2>/dev/null || true
xdotool key Return
until_true "the message box to close" message_box_gone
xdotool windowfocus "$form" 2>/dev/null || true
xdotool key alt+F4
until_true "the program to end" ended
[ "$(cat "$scratch/status")" = 0 ] || fail "exit status $(cat "$scratch/status") after closing"
tr -d '\r' <"$ini" | grep -qx "Format=1" || fail "settings after closing: $(cat "$ini")"
[ "$(wc -l <"$routes/Ausflug.rte")" -eq 2 ] || fail "a route point was written without a name"

# A position pasted into a field fills the form.
start_app
take_focus "Quillpost"
xdotool type --delay 30 "Hafen"
xdotool key Tab
printf '%s' "N 53° 33.006 E 009° 59.622" | xclip -selection clipboard
xdotool key ctrl+v shift+Tab shift+Tab Return  # from the field past the name to Add
take_focus "Routing File Dialog"
xdotool key Home Return
until_true "the chooser to close" gone "Routing File Dialog"
expected='[HAFEN||][0][10]|9.993700,53.550100||9.993700|53.550100|'
until_true "the pasted point in the file" lines_in "$routes/Ausflug.rte" 3
[ "$(tail -n 1 "$routes/Ausflug.rte" | tr -d '\r')" = "$expected" ] ||
    fail "the pasted line: $(tail -n 1 "$routes/Ausflug.rte")"
take_focus "Quillpost"
xdotool key Escape
until_true "the program to end" ended

# Logging off with the form open: the system tells the program, and ends it
# once it has answered (wineboot does as Windows does). The format changed
# in the form is kept.
start_app
take_focus "Quillpost"
xdotool key shift+Tab shift+Tab F4 Down Return
wineboot --end-session </dev/null >/dev/null 2>&1 || fail "wineboot --end-session"
until_true "the program to end" ended
tr -d '\r' <"$ini" | grep -qx "Format=2" || fail "settings after the log-off: $(cat "$ini")"

# The usage tells what the Windows program does, and lists the card's drive
# as Windows names it.
wine "$QUILLPOST" --help >"$scratch/help.txt" 2>&1 || fail "--help: $(cat "$scratch/help.txt")"
grep -q 'LOCALAPPDATA' "$scratch/help.txt" || fail "--help: $(cat "$scratch/help.txt")"
! grep -q 'DISPLAY\|--terminal\|/media' "$scratch/help.txt" || fail "--help: $(cat "$scratch/help.txt")"
tr -d '\r' <"$scratch/help.txt" | grep -qx '  Q:\\' || fail "--help lists no Q: drive: $(cat "$scratch/help.txt")"

# A card whose folder name the ANSI code page lacks.
mkdir -p "$scratch/Łódź/MN6/Settings/Routes"
card=$(LC_ALL=C.UTF-8 winepath -w "$scratch/Łódź")
LC_ALL=C.UTF-8 wine "$QUILLPOST" --card "$card" --version >"$scratch/card.txt" 2>&1 ||
    fail "--card with a wide name: $(cat "$scratch/card.txt")"
echo "windows program: passed"
