#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The window as a screen reader reads it: the program on an X server of its
# own (Xvfb) with a session bus and the accessibility bus, read through
# AT-SPI (accessibility.py): every control of the language dialog and of the
# form has a name that says what it is.
set -euo pipefail
: "${QUILLPOST:?QUILLPOST must name the program under test}"
QP_TIMEOUT=${QP_TIMEOUT:-30}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillpost-a11y-XXXXXX")
mkdir -p "$scratch/config" "$scratch/card"
xvfb_pid=
app_pid=
cleanup() {
    [ -z "$app_pid" ] || kill -KILL "$app_pid" 2>/dev/null || true
    [ -z "$app_pid" ] || wait "$app_pid" 2>/dev/null || true
    [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
    [ -z "${DBUS_SESSION_BUS_PID:-}" ] || kill "$DBUS_SESSION_BUS_PID" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
source "$(dirname "$0")/display.sh"

fail() {
    echo "FAIL: $*" >&2
    cat "$scratch/app.log" >&2 2>/dev/null || true
    exit 1
}

start_x
unset WAYLAND_DISPLAY

# A session bus of the test's own; the accessibility bus starts from it on
# demand. Qt offers its widgets there when asked to, as it does when a
# screen reader runs.
eval "$(dbus-launch --sh-syntax)"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

XDG_CONFIG_HOME="$scratch/config" QUILLPOST_STORAGE_CARD="$scratch/card" "$QUILLPOST" --window \
    </dev/null >"$scratch/app.log" 2>&1 &
app_pid=$!
/usr/bin/python3 "$(dirname "$0")/accessibility.py" "$app_pid" || fail "controls without their names"
echo "accessibility: passed"
