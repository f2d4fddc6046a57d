#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A hang-up or SIGTERM ends the program as Cancel does: the choices of the
# session, German and UTM, are written, and the next start opens with them,
# without the language dialog. The exit status names the signal as a shell
# would. The hang-up comes as a signal, and as the real thing: the terminal
# closed under the shell the program was started from.
source "$(dirname "$0")/driver.sh"

pidfile="$QP_SCRATCH/pid"
printf "PS1='qp> '\n" >"$QP_SCRATCH/bashrc"

# The first start: German, then the format list from the name backwards: UTM.
choose_german_and_utm() {
    qp_wait_for "Quillpost Language"
    qp_keys Up Enter  # the arrow moves to German and checks it; Enter is OK
    qp_wait_for "Format Grad"
    qp_keys BTab BTab Enter End Enter
    qp_wait_for "Format UTM"
}

expect_german_utm_at_next_start() {
    qp_start
    qp_wait_for "Format UTM"
    qp_hides "Quillpost Language" || fail "after $1: the language dialog came again"
    qp_expect_shown "Nord" "after $1: the form is not German"
    qp_keys Escape
    qp_expect_exit 0 "after Esc"
}

for signal in HUP TERM; do
    rm -f "$QP_INI"
    QP_COMMAND="bash -c 'echo \$\$ >\"$pidfile\"; exec \"$QUILLPOST\"'; echo \$? >'$QP_SCRATCH/status'"
    qp_start
    unset QP_COMMAND
    choose_german_and_utm
    kill "-$signal" "$(cat "$pidfile")"
    qp_expect_exit "$(($(kill -l "$signal") + 128))" "after SIG$signal"
    expect_german_utm_at_next_start "SIG$signal"
done

rm -f "$QP_INI"
QP_COMMAND="bash --noprofile --rcfile $QP_SCRATCH/bashrc" qp_start
qp_wait_for "qp>"
qp_type "'$QUILLPOST'"
qp_keys Enter
choose_german_and_utm
qp_stop # closes the terminal and waits for the program to end
expect_german_utm_at_next_start "the terminal closed"
echo "ending signals: passed"
