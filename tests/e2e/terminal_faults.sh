#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What the terminal may do to the program, seen from the files it leaves: a
# Latin-1 terminal under a German locale, a hang-up and Ctrl+C in the middle
# of the work, a terminal far too small for the form and one resized while a
# dialog or message box is open.
source "$(dirname "$0")/driver.sh"

route="$QP_ROUTES/Trip.rte"
settings='[Settings]\nLatHemisphere=0\nLongHemisphere=0\nFormat=0\nDatum=0\nLanguage=1\n'
mkdir -p "$(dirname "$QP_INI")"
printf "$settings" >"$QP_INI"
: >"$route"
home='[HOME||][0][10]|10.000000,53.500000||10.000000|53.500000|\r\n' # as printf takes it

route_is() { cmp -s "$route" <(printf "$1"); }
expect_route() { until_true "the route file to hold $1" route_is "$1"; }

# A German Latin-1 terminal: the keyboard sends one byte per umlaut and the
# locale's decimal separator is the comma. The name reaches the route file
# in Windows-1252, and every number keeps its point.
qp_start LANG=de_DE.ISO-8859-1 LC_ALL=de_DE.ISO-8859-1
qp_wait_for "Format Degree"
qp_keys Tab
qp_type "53.50"
qp_keys Tab
qp_type "10.0"
qp_keys BTab BTab
qp_keys -H 4d fc 68 6c 65 # "Mühle" in Latin-1
qp_keys Tab                # leaving the name writes the numbers anew
qp_wait_for "53.5 "
qp_hides "53,5" || fail "a number written with the locale's comma"
qp_keys Tab Tab Tab Tab Tab Enter # from the latitude to Add
qp_wait_for "Routing File Dialog"
qp_keys Down Enter
expect_route "[M\xdcHLE||][0][10]|10.000000,53.500000||10.000000|53.500000|\r\n"
qp_keys Escape
qp_expect_exit 0 "under a Latin-1 locale"
: >"$route"

# A hang-up or Ctrl+C in the middle of an Add ends the program as Cancel
# does: the open chooser adds nothing, what was added before stays, the
# settings are written as at any end (the format now degrees and minutes),
# no temporary file is left beside them, and the exit status names the
# signal as a shell would.
pidfile="$QP_SCRATCH/pid"
for ending in HUP C-c; do
    printf "$settings" >"$QP_INI"
    QP_COMMAND="bash -c 'echo \$\$ >\"$pidfile\"; exec \"$QUILLPOST\"'; echo \$? >'$QP_SCRATCH/status'"
    qp_start
    qp_wait_for "Format Degree"
    qp_add_home
    qp_wait_for "Routing File Dialog"
    qp_keys Down Enter
    qp_wait_gone "Routing File Dialog"
    qp_keys BTab Enter Down Enter # from Add back to the format list: degrees and minutes
    qp_wait_for "Format Deg Min"
    qp_keys Tab Enter # Add again
    qp_wait_for "Routing File Dialog"
    case $ending in
        HUP) kill -HUP "$(cat "$pidfile")" ; status=129 ;;
        *) qp_keys "$ending" ; status=130 ;;
    esac
    qp_expect_exit $status "after $ending"
    expect_route "$home"
    grep -qx "Format=1" "$QP_INI" || fail "after $ending: settings $(cat "$QP_INI")"
    leftovers=$(find "$(dirname "$QP_INI")" -type f ! -name Quillpost.ini)
    [ -z "$leftovers" ] || fail "after $ending: left behind $leftovers"
    : >"$route"
done
unset QP_COMMAND
printf "$settings" >"$QP_INI"

# Far too small for the form: it is clipped, and a blind Add still works,
# down to a single cell.
qp_start
qp_wait_for "Format Degree"
qp_tmux resize-window -x 20 -y 4
qp_add_home
qp_keys Down Enter
expect_route "$home"
qp_tmux resize-window -x 1 -y 1
qp_expect_eq "$(qp_pane '#{window_width}x#{window_height}')" 1x1 "the terminal's size"
qp_keys Enter Down Enter # Add, which kept the focus, and the same file
expect_route "$home$home"
qp_keys F10
qp_expect_exit 0 "in a terminal of one cell"
: >"$route"

# Resized while the chooser and while a message box is open: redrawn, and
# the dialog goes on where it was.
qp_start
qp_wait_for "Format Degree"
qp_add_home
qp_wait_for "Routing File Dialog"
qp_tmux resize-window -x 30 -y 8
qp_tmux resize-window -x 100 -y 30
qp_wait_for "Routing File Dialog"
qp_expect_shown "Trip.rte" "the chooser lost its list in the resize"
qp_keys Down Enter
expect_route "$home"
qp_keys Tab BSpace BTab Enter # the name cleared (marked as the focus arrives), then Add
qp_wait_for "The Name must not be empty!"
qp_tmux resize-window -x 40 -y 10
qp_tmux resize-window -x 80 -y 24
qp_wait_for "The Name must not be empty!"
qp_keys Enter
qp_wait_gone "The Name must not be empty!"
qp_keys F10
qp_expect_exit 0 "after the resizes"
expect_route "$home"
echo "terminal faults: passed"
