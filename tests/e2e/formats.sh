#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A position typed in degrees with a southern hemisphere, shown in all four
# formats; the format and hemisphere are kept for the next start.
source "$(dirname "$0")/driver.sh"

mkdir -p "$(dirname "$QP_INI")"
printf '[Settings]\nLanguage=1\n' >"$QP_INI"

# Opens the format list, moves in it with the given keys and picks.
pick_format() {
    qp_keys Enter "$@" Enter
}

row() { qp_line "$1" | tr -s ' '; }

qp_start
qp_wait_for "Format Degree"
qp_keys Tab
qp_type "53.5"
qp_keys Tab
qp_type "10"
qp_keys Tab Enter  # the latitude hemisphere button
qp_wait_for "[ S ]"
qp_keys Tab Tab  # to the format list

pick_format Down
qp_wait_for "Format Deg Min"
[[ "$(row "Lat ")" == *"Lat 53 ° 30 ' [ S ]"* ]] || fail "latitude in degrees and minutes"
[[ "$(row "Long ")" == *"Long 10 ° 0 ' [ E ]"* ]] || fail "longitude in degrees and minutes"

pick_format Down
qp_wait_for "Format Deg Min Sec"
[[ "$(row "Lat ")" == *"Lat 53 ° 30 ' 0 \" [ S ]"* ]] || fail "latitude in degrees, minutes and seconds"

pick_format Home
qp_wait_for "Format Degree"
[[ "$(row "Lat ")" == *"Lat 53.5 ° [ S ]"* ]] || fail "latitude back in degrees"

pick_format End
qp_wait_for "Format UTM"
[[ "$(row "North ")" == *"North 4071641 [S]"* ]] || fail "UTM northing and hemisphere"
[[ "$(row "East ")" == *"East 566332 32 "* ]] || fail "UTM easting and zone"
qp_expect_shown "Zone" "zone label missing"
qp_hides "Lat " || fail "latitude row shown in UTM"

qp_keys F10
qp_expect_exit 0 "after F10"
grep -qx "Format=3" "$QP_INI" || fail "format not kept: $(cat "$QP_INI")"
grep -qx "LatHemisphere=1" "$QP_INI" || fail "hemisphere not kept: $(cat "$QP_INI")"

qp_start
qp_wait_for "Format UTM"
[[ "$(row "North ")" == *"North 0 [S]"* ]] || fail "second start: format or hemisphere"
qp_keys Escape
qp_expect_exit 0 "after Esc"
echo "formats: passed"
