#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Keys as real terminals send them: the arrows in the language dialog's
# radio buttons; keys whose bytes arrive split over a slow link; keys and
# sequences that the terminal description does not know (TERM names another
# terminal than the one in use), which change nothing; and a lone Esc, which
# still cancels.
source "$(dirname "$0")/driver.sh"

# The arrows move between the languages and check the one they reach. The
# focus starts on English, the language offered; Down goes around to German,
# and a second Down, which arrives split after its Esc, back to English.
qp_start
qp_wait_for "Quillpost Language"
qp_expect_shown "(*) English Language" "English is not preselected"
qp_keys Down
qp_wait_for "(*) Deutsche Sprache"
qp_expect_shown "( ) English Language" "English still checked after Down"
qp_split_key 1b "4f 42"
qp_wait_for "(*) English Language"
qp_keys Tab Enter # from English to OK
qp_wait_for "Format Degree"

# Shift+Tab split after its Esc: the focus goes back from the latitude to the
# name, and nothing was cancelled or typed.
qp_keys Tab
qp_type "53.5"
qp_split_key 1b "5b 5a"
qp_type "Home"
until_true "the name to be typed" eval '[[ "$(qp_line Name)" == *"Name   Home "* ]]'
[[ "$(qp_line "Lat ")" == *"Lat    53.5 "* ]] || fail "the latitude changed"
qp_keys Escape
qp_expect_exit 0 "after a lone Esc"

# TERM names xterm inside tmux: End and Home arrive in sequences xterm's
# description lacks, PageUp and F12 in ones it knows; with two sequences no
# terminal sends they leave the field as it was, the caret at its end.
qp_start TERM=xterm-256color
qp_wait_for "Format Degree"
qp_keys Tab
qp_type "53.5"
qp_keys End Home PageUp F12
qp_keys -H 1b 5b 39 39 3b 39 7a 1b 4f 7a # Esc [ 9 9 ; 9 z and Esc O z
qp_type "7"
until_true "the digit to be typed" eval '[[ "$(qp_line "Lat ")" == *"Lat    53.57 "* ]]'
qp_keys Tab # a valid number: leaving it says nothing
qp_keys F10
qp_expect_exit 0 "after OK"
grep -qx "Format=0" "$QP_INI" || fail "settings not written: $(cat "$QP_INI")"
echo "terminal keys: passed"
