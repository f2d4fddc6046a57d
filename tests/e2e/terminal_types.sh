#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Terminal types the form cannot use are refused on a real terminal with a
# message that names TERM and what to do, and exit status 1: a type that
# this system does not know, an empty TERM, and a terminal that cannot place
# the cursor. script(1) gives the program its terminal.
set -uo pipefail
: "${QUILLPOST:?QUILLPOST must name the program under test}"

fail() { echo "FAIL: $*" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Runs the program on a terminal of its own with TERM set; sets out and status.
run_with_term() {
    out=$(XDG_CONFIG_HOME="$scratch" QUILLPOST_STORAGE_CARD="$scratch/card" \
        script -qec "env TERM='$1' '$QUILLPOST'" /dev/null </dev/null)
    status=$?
}

expect_refusal() {
    run_with_term "$1"
    [[ $status == 1 ]] || fail "TERM='$1': exit status $status"
    [[ $out == *"quillpost: $2"* ]] || fail "TERM='$1': $out"
    [[ $out == *"for example TERM=xterm-256color"* ]] || fail "TERM='$1': no example to try: $out"
}

expect_refusal xterm-unknownterm "the terminal type 'xterm-unknownterm' (TERM) is not known"
expect_refusal "" "TERM is not set"
expect_refusal dumb "the terminal type 'dumb' (TERM) cannot place the cursor"
[ -z "$(ls -A "$scratch")" ] || fail "a refused start left files: $(ls -A "$scratch")"
echo "terminal types: passed"
