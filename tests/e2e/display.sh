# SPDX-License-Identifier: MIT
# Shared by the end-to-end tests of the window: an X server of the test's
# own, and its windows by title. The test defines fail (which ends it),
# $scratch (its folder), $QP_TIMEOUT (seconds) and xvfb_pid (empty at first).

source "$(dirname "${BASH_SOURCE[0]}")/until.sh"

# An X server on a display number it picks itself, so that test runs and
# other servers never meet. It must not reset when its last client leaves:
# the test's own xdotool clients come and go between the program's runs,
# and a server resetting refuses the connection that follows.
start_x() {
    local screen=${1:-1024x768x24}
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid"
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    exec {display_fd}<> <(:)
    Xvfb -displayfd "$display_fd" -screen 0 "$screen" -nolisten tcp -noreset >"$scratch/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local number=
    read -r -t "$QP_TIMEOUT" number <&"$display_fd" || fail "Xvfb did not start"
    exec {display_fd}<&-
    export DISPLAY=":$number"
    until_true "the X server to answer" x_answers
}
x_answers() { xdotool getdisplaygeometry >/dev/null 2>&1; }

window_of() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
shown() { [ -n "$(window_of "$1")" ]; }
gone() { ! shown "$1"; }
has_focus() { [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$(window_of "$1")" ]; }
# Keys go to the window that has the keyboard, which a new window takes a
# moment after it is shown.
wait_focus() {
    until_true "the window '$1'" shown "$1"
    until_true "the window '$1' to take the keyboard" has_focus "$1"
}
# A message box has the title of the form it stands over.
message_box_shown() { [ "$(xdotool search --onlyvisible --name '^Quillpost$' 2>/dev/null | wc -l)" -ge 2 ]; }
message_box_gone() { ! message_box_shown; }
lines_in() { [ "$(wc -l <"$1")" -eq "$2" ]; }

# Types the point Home at 53.5 N, 10 E into the form in its first format and
# presses Add, which opens the chooser.
type_home_and_add() {
    xdotool type --delay 30 "Home"
    xdotool key Tab
    xdotool type --delay 30 "53.5"
    xdotool key Tab
    xdotool type --delay 30 "10"
    xdotool key Tab Tab Tab Tab Return
}
