#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# German texts with their umlauts in a UTF-8 terminal; plain ASCII under a
# locale without UTF-8; a terminal too small for the form, which is
# clipped, keeps working and is redrawn in full after a resize.
source "$(dirname "$0")/driver.sh"

qp_start
qp_wait_for "Quillpost Language"
qp_keys Up Enter  # the arrow moves to German and checks it; Enter is OK
qp_wait_for "Format Grad"
for text in "Breite" "Länge" "[ N ]" "[ O ]" "[ Hinzu ]"; do
    qp_expect_shown "$text" "the German form lacks '$text'"
done
qp_keys Escape
qp_expect_exit 0 "after Esc"
grep -qx "Language=0" "$QP_INI" || fail "German not kept: $(cat "$QP_INI")"

qp_start LANG=C LC_ALL=C
qp_wait_for "+ Quillpost -"
for text in "|  Breite 0" "Lange" "[ Hinzu ]" "-[?]-[OK]-[x]-+"; do
    qp_expect_shown "$text" "the ASCII form lacks '$text'"
done
qp_keys Escape
qp_expect_exit 0 "under the C locale"

qp_start -x 24 -y 6
qp_wait_for "┌ Quillpost"
qp_hides "Hinzu" || fail "the small terminal shows the whole form"
qp_tmux resize-window -x 80 -y 24
qp_wait_for "[ Hinzu ]"
qp_expect_shown "[?]─[OK]─[x]─┐" "the title bar is not redrawn in full"
qp_tmux resize-window -x 20 -y 4
qp_wait_gone "[ Hinzu ]"
qp_keys F10
qp_expect_exit 0 "in a small terminal"
echo "screen conditions: passed"
