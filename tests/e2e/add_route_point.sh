#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Add: a named position appended to the route file picked in the chooser,
# exactly as the navigation software reads it; an empty name, a read-only
# route file and a grid position UTM refuses are each said and write nothing,
# and the chooser never ends without a file but through Cancel.
source "$(dirname "$0")/driver.sh"

printf '[START||][0][10]|10.000000,53.550000||10.000000|53.550000|\r\n' >"$QP_ROUTES/Ausflug.rte"
: >"$QP_ROUTES/Heimweg.rte"
before=$(cat "$QP_ROUTES/Ausflug.rte")

qp_start
qp_wait_for "Quillpost Language"
qp_keys Enter  # English is checked and has the focus; Enter is OK
qp_wait_for "Format Degree"

qp_add_home
qp_wait_for "Routing File Dialog"
qp_expect_shown "│Ausflug.rte" "the chooser lacks Ausflug.rte"
qp_expect_shown "│Heimweg.rte" "the chooser lacks Heimweg.rte"
# Enter before a file is chosen (the list has the focus, nothing selected):
# the chooser asks for one and stays open.
qp_keys Enter
qp_wait_for "Please choose a route file from the list."
qp_keys Enter
qp_wait_gone "Please choose a route file from the list."
qp_expect_shown "Routing File Dialog" "the chooser ended without a file"
qp_keys Down Enter
qp_wait_gone "Routing File Dialog"
qp_wait_for "HOME"

expected='[HOME||][0][10]|10.000000,53.500000||10.000000|53.500000|'
until_true "the route point in the file" test "$(wc -l <"$QP_ROUTES/Ausflug.rte")" -eq 2
qp_expect_eq "$(head -n 1 "$QP_ROUTES/Ausflug.rte")" "$before" "the file's first line"
qp_expect_eq "$(tail -n 1 "$QP_ROUTES/Ausflug.rte" | tr -d '\r')" "$expected" "the appended line"
[ ! -s "$QP_ROUTES/Heimweg.rte" ] || fail "the other route file was written"

# Back to the name (marked when the focus arrives), clear it, and Add.
qp_keys Tab BSpace BTab Enter
qp_wait_for "The Name must not be empty!"
qp_keys Enter
qp_wait_gone "The Name must not be empty!"
qp_hides "Routing File Dialog" || fail "the chooser opened for an empty name"
qp_expect_eq "$(wc -l <"$QP_ROUTES/Ausflug.rte")" 2 "lines after the refused Add"

# A read-only route file: Add names it and the reason, and the file stays.
chmod a-w "$QP_ROUTES/Ausflug.rte"
written=$(cat "$QP_ROUTES/Ausflug.rte")
qp_keys Tab
qp_type "Home"
qp_keys BTab Enter
qp_wait_for "Routing File Dialog"
qp_keys Down Enter
qp_wait_for "cannot be written: Permission denied"
# Named as the user finds it here, however the box breaks the long path.
boxed=$(qp_screen | sed -n 's/^ *│ \(.*[^ ]\) *│$/\1/p' | tr -d '\n')
[[ $boxed == *"$QP_ROUTES/Ausflug.rte cannot"* ]] || fail "the message does not name the file"
qp_keys Enter
qp_wait_gone "cannot be written"
qp_expect_eq "$(cat "$QP_ROUTES/Ausflug.rte")" "$written" "the read-only file"
chmod u+w "$QP_ROUTES/Ausflug.rte"

# No route file at all: the chooser says where it looked, as this system
# names the folder, OK says it again, and Cancel leaves.
mv "$QP_ROUTES" "$QP_ROUTES.away"
qp_keys Enter
qp_wait_for "No route file (*.rte) in"
qp_keys Enter
qp_wait_for "$QP_ROUTES"
qp_keys Enter
qp_wait_gone "$QP_ROUTES"
qp_expect_shown "Routing File Dialog" "OK ended the chooser without a file"
qp_keys Escape
qp_wait_gone "Routing File Dialog"
mv "$QP_ROUTES.away" "$QP_ROUTES"
qp_expect_eq "$(cat "$QP_ROUTES/Ausflug.rte")" "$written" "the file after the empty chooser"

# In UTM, an easting of 56633 (a typo for 566332) is in the field's range but
# no grid position: Add says so, opens no chooser and writes nothing.
qp_keys BTab Enter Down Down Down Enter
qp_wait_for "Format UTM"
qp_expect_shown "566332" "the position is not shown in UTM"
qp_keys BTab BTab BTab
qp_type "56633"
qp_keys Tab Tab Tab Tab Enter
qp_wait_for "The grid position cannot be converted."
qp_keys Enter
qp_wait_gone "The grid position cannot be converted."
qp_hides "Routing File Dialog" || fail "the chooser opened for a refused grid position"
qp_expect_eq "$(cat "$QP_ROUTES/Ausflug.rte")" "$written" "the file after the refused grid position"

qp_keys Escape
qp_expect_exit 0 "after Esc"
echo "add route point: passed"
