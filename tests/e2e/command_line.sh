#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The command line: --help and --version answer and end, anything else is
# refused with exit status 2, and without a terminal or, for --window,
# without a display the program says so.
set -uo pipefail
: "${QUILLPOST:?QUILLPOST must name the program under test}"
unset DISPLAY WAYLAND_DISPLAY

fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs the program; sets out, err and status.
run() {
    local scratch
    scratch=$(mktemp -d)
    "$QUILLPOST" "$@" </dev/null >"$scratch/out" 2>"$scratch/err"
    status=$?
    out=$(<"$scratch/out")
    err=$(<"$scratch/err")
    rm -rf "$scratch"
}

run --help
[[ $status == 0 && $out == "Usage: quillpost [--card DIR] [--window | --terminal] [FILE.gpx] | --help | --version"* && -z $err ]] || fail "--help: $status $out $err"
[[ $out == *"--card DIR"*"--window"*"--terminal"* ]] || fail "--help omits the card or the choice of window or terminal"
[[ $out == *QUILLPOST_STORAGE_CARD* && $out == *"Kvo Applications/Quillpost.ini"* ]] || fail "--help omits the card or the settings"
run --version
[[ $status == 0 && $out =~ ^quillpost\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version: $status $out"
run --colour
[[ $status == 2 && -z $out && $err == "quillpost: unknown argument '--colour'"* ]] || fail "unknown argument: $status $err"
run --help extra
[[ $status == 2 && $err == *"'extra'"* ]] || fail "second argument: $status $err"
run extra --version
[[ $status == 2 && $err == *"take no GPX file, not also 'extra'"* ]] || fail "a file with --version: $status $err"
run one.gpx two.gpx
[[ $status == 2 && $err == *"one GPX file, not also 'two.gpx'"* ]] || fail "two GPX files: $status $err"
run --window --terminal
[[ $status == 2 && $err == *"'--terminal'"* ]] || fail "two screens: $status $err"
run --card
[[ $status == 2 && $err == *"--card needs the folder"* ]] || fail "--card without a folder: $status $err"
run --card /nonexistent/card --terminal
[[ $status == 2 && $err == *"'/nonexistent/card' is not a folder"* ]] || fail "--card of no folder: $status $err"
run --card / --card /
[[ $status == 2 && $err == *"--card once"* ]] || fail "two cards: $status $err"
run
[[ $status == 1 && $err == *"must be a terminal"* ]] || fail "no terminal: $status $err"
run --terminal --card /
[[ $status == 1 && $err == *"must be a terminal"* ]] || fail "--card with --terminal: $status $err"
run --terminal
[[ $status == 1 && $err == *"must be a terminal"* ]] || fail "--terminal without a terminal: $status $err"
run --window
[[ $status == 1 && -z $out && $err == *"--window needs a display"* ]] || fail "--window without a display: $status $err"
# A display that is named but does not answer: the window is refused, and
# without --window the terminal is used.
DISPLAY=:99.9 run --window
[[ $status == 1 && $err == *"none can be reached"* ]] || fail "--window with a dead display: $status $err"
DISPLAY=:99.9 run
[[ $status == 1 && $err == *"must be a terminal"* ]] || fail "a dead display: $status $err"
echo "command line: passed"
