#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A position pasted into the terminal form (bracketed paste, as terminals
# paste once the program asks for it) fills the form, line break and all; a
# refused one is said and changes nothing; a plain number pastes as text.
source "$(dirname "$0")/driver.sh"

mkdir -p "$(dirname "$QP_INI")"
printf '[Settings]\nLanguage=1\n' >"$QP_INI"

row() { qp_line "$1" | tr -s ' '; }
paste_text() {
    qp_tmux set-buffer -- "$1"
    qp_tmux paste-buffer -p
}

qp_start
qp_wait_for "Format Degree"
qp_keys Tab  # the latitude field
paste_text "N 53° 33.006
E 009° 59.622"
qp_wait_for "53.5501"
[[ "$(row "Lat ")" == *"Lat 53.5501 ° [ N ]"* ]] || fail "pasted latitude"
[[ "$(row "Long ")" == *"Long 9.9937 ° [ E ]"* ]] || fail "pasted longitude"

paste_text "-53.5 S, 10 E"
qp_wait_for "A minus sign and a hemisphere letter"
qp_keys Enter
qp_wait_gone "A minus sign"
[[ "$(row "Lat ")" == *"Lat 53.5501 ° [ N ]"* ]] || fail "a refused paste changed the latitude"

paste_text "12"
latitude_typed() { [[ "$(row "Lat ")" == *"Lat 12 °"* ]]; }
until_true "the pasted number in the latitude field" latitude_typed
[[ "$(row "Long ")" == *"Long 9.9937 ° [ E ]"* ]] || fail "a plain paste changed the longitude"

qp_keys Escape
qp_expect_exit 0 "after Esc"
echo "paste: passed"
