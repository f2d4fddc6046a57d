#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# However the program ends (Esc, Ctrl+C, SIGTERM, SIGHUP, a crash), the
# shell it ran from gets its terminal back: line editing and echo on, the
# normal screen, no mouse reporting, the cursor shown.
source "$(dirname "$0")/driver.sh"

pidfile="$QP_SCRATCH/pid"
mkdir -p "$(dirname "$QP_INI")"
printf '[Settings]\nLanguage=1\n' >"$QP_INI"
printf "PS1='qp> '\n" >"$QP_SCRATCH/bashrc"
QP_COMMAND="bash --noprofile --rcfile $QP_SCRATCH/bashrc" qp_start
qp_wait_for "qp>"

for ending in Escape C-c TERM HUP SEGV; do
    qp_keys C-l
    qp_type "bash -c 'echo \$\$ >\"$pidfile\"; exec \"$QUILLPOST\"'"
    qp_keys Enter
    qp_wait_for "Format Degree"
    case $ending in
        Escape | C-c) qp_keys "$ending" ;;
        *) kill "-$ending" "$(cat "$pidfile")" ;;
    esac
    qp_wait_gone "Format Degree"
    qp_type "stty -a >\"$QP_SCRATCH/stty\"; echo ready-\$?"
    qp_keys Enter
    qp_wait_for "ready-0"
    for flag in " icanon " " echo " " icrnl "; do
        grep -q -- "$flag" "$QP_SCRATCH/stty" || fail "after $ending: stty lacks${flag}"
    done
    state=$(qp_pane "#{alternate_on} #{mouse_any_flag} #{cursor_flag} #{keypad_flag}")
    qp_expect_eq "$state" "0 0 1 0" "after $ending: alternate screen, mouse, cursor, keypad"
done
echo "terminal restored: passed"
