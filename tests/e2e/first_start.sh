#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# First start: the language dialog comes first; English gives the English
# form. Esc leaves, the settings are written, and the next start goes
# straight to the form.
source "$(dirname "$0")/driver.sh"

qp_start
qp_wait_for "Quillpost Language"
qp_expect_shown "(*) English Language" "English is not preselected"
qp_expect_shown "( ) Deutsche Sprache" "German radio button missing"
qp_keys Enter  # English is checked and has the focus; Enter is OK

qp_wait_for "Format Degree"
qp_expect_shown "[?]─[OK]─[x]─┐" "title-bar buttons missing"
for text in "Name" "Lat " "Long " "[ N ]" "[ E ]" "[  Add  ]"; do
    qp_expect_shown "$text" "the form lacks '$text'"
done
qp_hides "Quillpost Language" || fail "the language dialog is still drawn"

qp_keys Escape
qp_expect_exit 0 "after Esc"
[ -f "$QP_INI" ] || fail "no settings file at $QP_INI"
for setting in Language=1 Format=0 Datum=0 LatHemisphere=0 LongHemisphere=0; do
    grep -qx "$setting" "$QP_INI" || fail "settings lack $setting: $(cat "$QP_INI")"
done

qp_start
qp_wait_for "Format Degree"
qp_hides "Quillpost Language" || fail "the language dialog came again"
qp_keys F10
qp_expect_exit 0 "after F10"
echo "first start: passed"
