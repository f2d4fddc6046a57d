#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a Windows test program that opens real dialogs under wine, on an X
# server of its own: the server first, then the wine prefix, whose desktop
# takes the display it finds when the prefix's server starts.
#   QP_PROGRAM      the test program (.exe)
#   QP_WINEPREFIX   the wine prefix to use; made on the first run, then kept
set -euo pipefail
: "${QP_PROGRAM:?QP_PROGRAM must name the test program}"
source "$(dirname "$0")/../../e2e/wine.sh"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillpost-dialogs-XXXXXX")
xvfb_pid=
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

source "$(dirname "$0")/../../e2e/display.sh"
start_x
wine_prefix
wine "$QP_PROGRAM" "$@"
