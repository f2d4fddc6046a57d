#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The route output on a card's own file system: an exFAT image made with
# mkfs.exfat, on a loop device, mounted through FUSE (exfat-fuse), as card
# readers and older desktops mount a card. Every append that the companion
# reports stays in the file exactly once and whole: with four appenders
# making one new file at once, with four appending to one file, and with the
# FUSE daemon killed in the middle (a pulled card), after which the next
# append leaves nothing beside the route files; a GPX import pulled in the
# middle leaves all its points or none. A full card refuses the
# append, says why, and leaves the file as it was.
#
# Runs as root in a mount namespace of its own; whatever happens, the mount,
# the daemon and the loop device are gone when it ends. It never skips: a
# machine that cannot mount the card fails it, with the reason.
if [ -z "${QP_OWN_MOUNTS:-}" ]; then
    export QP_OWN_MOUNTS=1
    exec unshare --mount --propagation private bash "$0" "$@" ||
        { echo "FAIL: cannot make a mount namespace of its own (needs root)" >&2; exit 1; }
fi
set -uo pipefail
: "${QUILLPOST_GEO:?QUILLPOST_GEO must name the companion under test}"

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in mkfs.exfat mount.exfat-fuse losetup mountpoint; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup installs exfat-fuse and exfatprogs)"
done
[ -c /dev/fuse ] || fail "/dev/fuse is missing: FUSE cannot mount the card"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillpost-exfat-XXXXXX")
image="$scratch/card.img"
card="$scratch/card"
routes="$card/MN6/Settings/Routes"
loop=""
daemon=""
cleanup() {
    if [ -n "$daemon" ]; then
        kill -KILL "$daemon" 2>/dev/null
        wait "$daemon" 2>/dev/null
    fi
    umount -l "$card" 2>/dev/null
    [ -z "$loop" ] || losetup -d "$loop" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

source "$(dirname "$0")/until.sh"
mounted() { mountpoint -q "$card"; }
unmounted() { ! mountpoint -q "$card"; }

mount_card() {
    # In the foreground (-d), so that the daemon is a child of this script.
    mount.exfat-fuse -d "$loop" "$card" >/dev/null 2>&1 &
    daemon=$!
    until_true "the card to be mounted through FUSE" mounted
}
# The card pulled: the daemon killed, the dead mount taken away.
pull_card() {
    kill -KILL "$daemon"
    wait "$daemon" 2>/dev/null
    daemon=""
    umount -l "$card" 2>/dev/null
    until_true "the dead mount to go" unmounted
}

truncate -s 24M "$image"
mkfs.exfat -L CARD "$image" >/dev/null || fail "mkfs.exfat cannot make the image"
loop=$(losetup --find --show "$image") || fail "cannot attach the image to a loop device"
mkdir "$card"
mount_card
mkdir -p "$routes"

line_of() { printf '[%s||][0][10]|10.000000,53.500000||10.000000|53.500000|\r' "$1"; }
# Every line whole, and each reported name in the file exactly once.
check_file() {
    local file=$1 ok=$2 name torn count
    torn=$(grep -cvE '^\[[A-Z0-9]+\|\|\]\[0\]\[10\]\|10\.000000,53\.500000\|\|10\.000000\|53\.500000\|'$'\r''$' "$file")
    [ "$torn" = 0 ] || fail "$file has $torn torn or foreign lines"
    while read -r name; do
        count=$(grep -cxF "$(line_of "$name")" "$file")
        [ "$count" = 1 ] || fail "$name was reported appended and is in $file $count times"
    done <"$ok"
}
# Appends one point; records its name when the companion reports success.
append() {
    local out
    out=$("$QUILLPOST_GEO" append "$1" "$2" deg 53.5 N 10 E 2>&1)
    [ "$out" = appended ] && echo "$2" >>"$3"
}
# Nothing but route files on the card after an append: no copy, nothing FUSE hid.
beside() { cd "$routes" && ls -A | grep -v '\.rte$'; }
nothing_beside() { [ -z "$(beside)" ]; }
check_nothing_beside() { nothing_beside || fail "left on the card: $(beside)"; }

# Four appenders making one new file at once.
for round in $(seq 25); do
    pids=()
    for k in 1 2 3 4; do
        append "$routes/new$round.rte" "N${round}X$k" "$scratch/new.ok" &
        pids+=($!)
    done
    wait "${pids[@]}"
done
[ "$(wc -l <"$scratch/new.ok")" = 100 ] || fail "only $(wc -l <"$scratch/new.ok") of 100 appends to new files succeeded"
for round in $(seq 25); do
    grep "^N${round}X" "$scratch/new.ok" >"$scratch/round.ok"
    check_file "$routes/new$round.rte" "$scratch/round.ok"
    [ "$(wc -l <"$routes/new$round.rte")" = 4 ] || fail "new$round.rte holds other than 4 lines"
done
check_nothing_beside
echo "4 appenders making one new file at once, 25 rounds: every line there once"

# Four appenders, 60 appends each, to one file.
pids=()
for k in 1 2 3 4; do
    (for i in $(seq 60); do append "$routes/shared.rte" "S${k}X$i" "$scratch/shared.ok"; done) &
    pids+=($!)
done
wait "${pids[@]}"
[ "$(wc -l <"$scratch/shared.ok")" = 240 ] || fail "only $(wc -l <"$scratch/shared.ok") of 240 appends succeeded"
check_file "$routes/shared.rte" "$scratch/shared.ok"
[ "$(wc -l <"$routes/shared.rte")" = 240 ] || fail "shared.rte holds other than 240 lines"
check_nothing_beside
echo "4 x 60 appends to one file: every line there once"

# Another program holding the route file open (a viewer following it): FUSE
# moves the held file aside when the copy replaces it; the append stays, and
# the moved-aside file goes when the holder closes it.
: >"$scratch/held.ok"
append "$routes/held.rte" HELD1 "$scratch/held.ok"
exec 3<"$routes/held.rte"
append "$routes/held.rte" HELD2 "$scratch/held.ok"
[ "$(wc -l <"$scratch/held.ok")" = 2 ] || fail "an append to a file held open failed"
check_file "$routes/held.rte" "$scratch/held.ok"
exec 3<&-
until_true "the file FUSE moved aside to go" nothing_beside
echo "an append to a file held open: there, and nothing left once it is closed"

# The card pulled while appends run: killed after a random number of them.
for round in $(seq 12); do
    : >"$scratch/pulled.ok"
    (for i in $(seq 1000); do
        append "$routes/pulled.rte" "K${round}X$i" "$scratch/pulled.ok" || break
    done) &
    appender=$!
    wanted=$((RANDOM % 4 + 1))
    enough() { [ "$(wc -l <"$scratch/pulled.ok")" -ge "$wanted" ]; }
    until_true "appends before the card is pulled" enough
    pull_card
    wait "$appender"
    cat "$scratch/pulled.ok" >>"$scratch/pulled-all.ok"
    mount_card
    check_file "$routes/pulled.rte" "$scratch/pulled-all.ok"
    append "$routes/pulled.rte" "K${round}NEXT" "$scratch/pulled-all.ok" ||
        fail "the append after the card came back failed"
    check_nothing_beside
done
echo "the card pulled during appends, 12 rounds: no success lost, nothing left beside"

# A GPX import with the card pulled in the middle: each import is one
# append, so the file holds all of an import's points or none of them, and
# every import reported stays.
awk 'BEGIN { print "<gpx>"
    for (i = 1; i <= 5000; i++) printf "<wpt lat=\"53.5\" lon=\"10\"><name>G%d</name></wpt>\n", i
    print "</gpx>" }' >"$scratch/many.gpx"
for round in $(seq 8); do
    # A route file of its own each round, removed after it: imports add up
    # quickly, and the copy of a large file would find the small card full.
    file="$routes/imported$round.rte"
    : >"$scratch/imports.ok"
    (for i in $(seq 200); do
        out=$("$QUILLPOST_GEO" import "$file" "$scratch/many.gpx" 2>&1) || break
        [[ $out == "5000 points"* ]] && echo ok >>"$scratch/imports.ok"
    done) &
    importer=$!
    imported() { [ -s "$scratch/imports.ok" ]; }
    until_true "an import before the card is pulled" imported
    sleep "0.0$((RANDOM % 10))"
    pull_card
    wait "$importer"
    reported=$(wc -l <"$scratch/imports.ok")
    mount_card
    lines=$(wc -l <"$file")
    torn=$(grep -cvE '^\[G[0-9]+\|\|\]\[0\]\[10\]\|10\.000000,53\.500000\|\|10\.000000\|53\.500000\|'$'\r''$' "$file")
    [ "$torn" = 0 ] || fail "$file has $torn torn lines"
    [ $((lines % 5000)) = 0 ] || fail "$file holds $lines lines, part of an import"
    # The pull may come after an import's rename and before its report.
    [ $((lines / 5000)) -ge "$reported" ] && [ $((lines / 5000)) -le $((reported + 1)) ] ||
        fail "$file holds $((lines / 5000)) imports, $reported were reported"
    "$QUILLPOST_GEO" import "$file" "$scratch/many.gpx" >/dev/null ||
        fail "the import after the card came back failed"
    check_nothing_beside
    rm "$file"
done
echo "the card pulled during GPX imports, 8 rounds: all points of an import or none"

# A full card: the copy has no room. The route file stays as it was, and the
# message says that the copy needs the file's size.
for i in $(seq 2000); do line_of "FULL$i"; echo; done >"$routes/full.rte"
before=$(md5sum <"$routes/full.rte")
kb=$((($(stat -c %s "$routes/full.rte") + 1023) / 1024))
dd if=/dev/zero of="$card/filler" bs=64k 2>/dev/null
out=$("$QUILLPOST_GEO" append "$routes/full.rte" HOME deg 53.5 N 10 E 2>&1)
status=$?
[ $status = 1 ] || fail "append to a full card: status $status, $out"
[[ $out == *"No space left on device"*"copy of the whole route file, which needs $kb KB free"* ]] ||
    fail "the full card's message: $out"
[ "$(md5sum <"$routes/full.rte")" = "$before" ] || fail "the route file changed on a full card"
check_nothing_beside
echo "a full card: refused, unchanged, said why"
echo "exfat card: passed"
