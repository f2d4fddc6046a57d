#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# quillpost FILE.gpx in the terminal: the message says what will be imported
# (in the language chosen on the first start), the chooser picks the route
# file as for Add, all points are appended and the summary says what was
# made of them; Cancel in the chooser writes nothing; a file that cannot be
# imported is said and opens no chooser; German speaks of one point as one.
source "$(dirname "$0")/driver.sh"

printf '[START||][0][10]|10.000000,53.550000||10.000000|53.550000|\r\n' >"$QP_ROUTES/Ausflug.rte"
: >"$QP_ROUTES/Heimweg.rte"
cat >"$QP_SCRATCH/tour.gpx" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<gpx version="1.1" creator="test" xmlns="http://www.topografix.com/GPX/1/1">
  <rte>
    <name>Tour A</name>
    <rtept lat="53.55" lon="9.99"><name>Landungsbrücken</name></rtept>
    <rtept lat="53.5" lon="10"><cmt>Home</cmt></rtept>
    <rtept lat="-34.6037" lon="-58.3815666"><name>Łódź</name></rtept>
  </rte>
</gpx>
EOF
start_import() {
    QP_COMMAND="env XDG_CONFIG_HOME='$QP_CONFIG' QUILLPOST_STORAGE_CARD='$QP_CARD' LANG=C.UTF-8 LC_ALL=C.UTF-8 '$QUILLPOST' '$1'; echo \$? >'$QP_SCRATCH/status'" qp_start -x 100
}

# A message box wraps its text, and breaks a path longer than its lines
# where a line ends: what it says is its lines joined, compared without
# blanks.
said_text() { qp_screen | sed -E 's/[│]//g' | tr -d ' \n'; }
says() { [[ "$(said_text)" == *"${1// /}"* ]]; }
wait_said() { until_true "the message '$1'" says "$1"; }

# First start: the language is asked first, and the message speaks it.
start_import "$QP_SCRATCH/tour.gpx"
qp_wait_for "Quillpost Language"
qp_keys Enter
wait_said "3 route points of 'Tour A' will be appended to the route file you choose next."
qp_keys Enter
qp_wait_for "Routing File Dialog"
qp_keys Down Enter
wait_said "3 points were appended to $QP_ROUTES/Ausflug.rte. Names made (from cmt, desc or a number): 1. Characters replaced by '?' that the device cannot show: 2."
qp_keys Enter
qp_expect_exit 0 "after the import"
expected=$'[START||][0][10]|10.000000,53.550000||10.000000|53.550000|
[LANDUNGSBR\xDCCKEN||][0][10]|9.990000,53.550000||9.990000|53.550000|
[HOME||][0][10]|10.000000,53.500000||10.000000|53.500000|
[?\xD3D?||][0][10]|-58.381567,-34.603700||-58.381567|-34.603700|'
qp_expect_eq "$(tr -d '\r' <"$QP_ROUTES/Ausflug.rte")" "$expected" "the route file"
[ ! -s "$QP_ROUTES/Heimweg.rte" ] || fail "the other route file was written"
grep -qx "Language=1" "$QP_INI" || fail "the language was not kept: $(cat "$QP_INI")"

# Cancel in the chooser: nothing written, nothing more said.
before=$(md5sum <"$QP_ROUTES/Ausflug.rte")
start_import "$QP_SCRATCH/tour.gpx"
wait_said "3 route points of 'Tour A'"
qp_keys Enter
qp_wait_for "Routing File Dialog"
qp_keys Escape
qp_expect_exit 0 "after Cancel"
qp_expect_eq "$(md5sum <"$QP_ROUTES/Ausflug.rte")" "$before" "the route file after Cancel"

# A file that cannot be imported: said, in German too, and no chooser.
printf '[Settings]\nLanguage=0\n' >"$QP_INI"
printf '<gpx><wpt lat="53,5" lon="10"/></gpx>' >"$QP_SCRATCH/komma.gpx"
start_import "$QP_SCRATCH/komma.gpx"
wait_said "Die Datei 'komma.gpx' kann nicht importiert werden: line 1: lat='53,5' is not a decimal number."
qp_keys Enter
qp_expect_exit 0 "after the refusal"
qp_expect_eq "$(md5sum <"$QP_ROUTES/Ausflug.rte")" "$before" "the route file after the refusal"

# One waypoint, in German: one point, not "1 points".
printf '<gpx><wpt lat="53.5" lon="10"><name>Heim</name></wpt></gpx>' >"$QP_SCRATCH/heim.gpx"
start_import "$QP_SCRATCH/heim.gpx"
wait_said "1 Wegpunkt wird an die Routendatei angehängt, die Sie als Nächstes wählen."
qp_keys Enter
qp_wait_for "Routing File Dialog"
qp_keys Down Enter
wait_said "1 Punkt wurde an $QP_ROUTES/Ausflug.rte angehängt."
qp_keys Enter
qp_expect_exit 0 "after the German import"
qp_expect_eq "$(tail -n 1 "$QP_ROUTES/Ausflug.rte" | tr -d '\r')" '[HEIM||][0][10]|10.000000,53.500000||10.000000|53.500000|' "the waypoint's line"
echo "gpx import: passed"
