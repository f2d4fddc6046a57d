#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The storage card found by itself: with QUILLPOST_STORAGE_CARD unset, a card
# mounted under /media (its route folder in a FAT card's lower case, a blank
# in its label) is listed in the chooser and written to; with two cards the
# one mounted last is used and the chooser's title names it, and it stays in
# use while a third is plugged in; --card wins.
# Also: settings that cannot be saved are said on standard error once the
# terminal is given back.
#
# Runs in a mount namespace of its own, so that its cards are seen by no
# other test and go away with it whatever happens.
if [ -z "${QP_OWN_MOUNTS:-}" ]; then
    export QP_OWN_MOUNTS=1
    exec unshare --mount --propagation private bash "$0" "$@" ||
        { echo "FAIL: cannot make a mount namespace of its own (needs root)" >&2; exit 1; }
fi
source "$(dirname "$0")/driver.sh"

mount -t tmpfs media /media || fail "cannot mount a tmpfs on /media"
first="/media/tester/MY CARD"
second="/media/tester/ÜBRIG"
mkdir -p "$first" "$second"
mount -t tmpfs card1 "$first" || fail "cannot mount the first card"
mkdir -p "$first/mn6/settings/routes"
: >"$first/mn6/settings/routes/Tour.rte"

# The program as a user starts it: no card named anywhere.
start_unnamed() {
    QP_COMMAND="env -u QUILLPOST_STORAGE_CARD XDG_CONFIG_HOME='$QP_CONFIG' LANG=C.UTF-8 \
LC_ALL=C.UTF-8 '$QUILLPOST' $* 2>'$QP_SCRATCH/err'; echo \$? >'$QP_SCRATCH/status'" qp_start
}
# Name and position typed, then Add: the chooser opens.
add_home() {
    qp_wait_for "Format Degree"
    qp_add_home
    qp_wait_for "Routing File Dialog"
}

start_unnamed
qp_wait_for "Quillpost Language"
qp_keys Enter  # English is checked and has the focus; Enter is OK
add_home
qp_expect_shown "│Tour.rte" "the chooser does not list the mounted card's route file"
qp_hides "Routing File Dialog -" || fail "one card, and the title names it"
qp_keys Down Enter
qp_wait_gone "Routing File Dialog"
until_true "the route point on the card" test -s "$first/mn6/settings/routes/Tour.rte"
qp_expect_eq "$(tr -d '\r' <"$first/mn6/settings/routes/Tour.rte")" \
    '[HOME||][0][10]|10.000000,53.500000||10.000000|53.500000|' "the line on the card"
qp_keys Escape
qp_expect_exit 0 "after Cancel"
qp_expect_eq "$(cat "$QP_SCRATCH/err")" "" "standard error"

# A second card, mounted later, is the one used, and the title says so.
mount -t tmpfs card2 "$second" || fail "cannot mount the second card"
mkdir -p "$second/MN6/Settings/Routes"
: >"$second/MN6/Settings/Routes/Other.rte"
help=$("$QUILLPOST" --help)
[[ $help == *"the first is used):"$'\n'"  $second"$'\n'"  $first" ]] ||
    fail "--help does not list the two cards, the later first: $help"
start_unnamed
add_home
qp_wait_for "Routing File Dialog - ÜBRIG"
qp_expect_shown "│Other.rte" "the chooser does not list the later card's file"
qp_hides "Tour.rte" || fail "the chooser lists the other card's file too"

# A card plugged in while the chooser is open would now come first: the line
# still goes to the card whose files the chooser lists.
third="/media/tester/DRITTE"
mkdir -p "$third"
mount -t tmpfs card3 "$third" || fail "cannot mount the third card"
mkdir -p "$third/MN6/Settings/Routes"
: >"$third/MN6/Settings/Routes/Other.rte"
qp_keys Down Enter
qp_wait_gone "Routing File Dialog"
until_true "the route point on the card listed" test -s "$second/MN6/Settings/Routes/Other.rte"
[ -s "$third/MN6/Settings/Routes/Other.rte" ] && fail "the card plugged in later got the line"
umount "$third" || fail "cannot unmount the third card"

# --card names the other one.
start_unnamed --card "'$first'"
add_home
qp_expect_shown "│Tour.rte" "--card did not win over the card mounted last"
qp_hides "Routing File Dialog -" || fail "a card named by --card needs no note"
qp_keys Escape
qp_wait_gone "Routing File Dialog"
qp_keys Escape
qp_expect_exit 0 "with --card"

# A read-only settings file: the format changed in the form cannot be kept,
# and the user is told where and why once the form is gone.
chmod 0444 "$QP_INI"
start_unnamed
qp_wait_for "Format Degree"
qp_keys Escape
qp_expect_exit 0 "with read-only settings"
qp_expect_eq "$(cat "$QP_SCRATCH/err")" \
    "quillpost: the settings were not saved to '$QP_INI': the file is read-only" "standard error"
echo "card found: passed"
