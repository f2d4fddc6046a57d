#!/usr/bin/env bash
# The command line: --help and --version answer and end, anything else is
# refused with exit status 2, and without a terminal the program says so.
set -uo pipefail
: "${QUILLPOST:?QUILLPOST must name the program under test}"

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
[[ $status == 0 && $out == "Usage: quillpost [--help | --version]"* && -z $err ]] || fail "--help: $status $out $err"
[[ $out == *QUILLPOST_STORAGE_CARD* && $out == *"Kvo Applications/Quillpost.ini"* ]] || fail "--help omits the card or the settings"
run --version
[[ $status == 0 && $out =~ ^quillpost\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version: $status $out"
run --colour
[[ $status == 2 && -z $out && $err == "quillpost: unknown argument '--colour'"* ]] || fail "unknown argument: $status $err"
run --help extra
[[ $status == 2 && $err == *"'extra'"* ]] || fail "second argument: $status $err"
run
[[ $status == 1 && $err == *"must be a terminal"* ]] || fail "no terminal: $status $err"
echo "command line: passed"
