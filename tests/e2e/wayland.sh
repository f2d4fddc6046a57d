#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The real program in a window on a Wayland compositor without a seat
# (weston's headless backend): the form comes up and draws its fields, a
# screenshot of it goes to $QP_SHOTS; then the compositor is killed under the
# open form, which ends as Cancel does: the settings are written, the exit
# status is 1 and the program says why.
set -euo pipefail
: "${QUILLPOST:?QUILLPOST must name the program under test}"
: "${QP_SHOTS:?QP_SHOTS must name the folder for the screenshots}"
QP_TIMEOUT=${QP_TIMEOUT:-30}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillpost-wayland-XXXXXX")
config="$scratch/config"
ini="$config/Kvo Applications/Quillpost.ini"
export XDG_RUNTIME_DIR="$scratch/run"
mkdir -p "$config/Kvo Applications" "$scratch/card" "$XDG_RUNTIME_DIR" "$QP_SHOTS"
chmod 700 "$XDG_RUNTIME_DIR"
# A settings file the program has not written: only the language.
printf '[Settings]\nLanguage=1\n' >"$ini"

weston_pid=
app_pid=
cleanup() {
    [ -z "$app_pid" ] || kill -KILL "$app_pid" 2>/dev/null || true
    [ -z "$app_pid" ] || wait "$app_pid" 2>/dev/null || true
    [ -z "$weston_pid" ] || kill "$weston_pid" 2>/dev/null || true
    [ -z "$weston_pid" ] || wait "$weston_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    grep -v '^\[' "$scratch/app.log" >&2 2>/dev/null || true
    tail -n 20 "$scratch/weston.log" >&2 2>/dev/null || true
    exit 1
}

source "$(dirname "$0")/until.sh"

socket="quillpost-$$"
weston --backend=headless-backend.so --use-pixman --no-config --idle-time=0 --debug \
    --socket="$socket" --width=800 --height=600 >"$scratch/weston.log" 2>&1 &
weston_pid=$!
compositor_up() { [ -S "$XDG_RUNTIME_DIR/$socket" ]; }
until_true "weston to listen" compositor_up

# The protocol log of the program (WAYLAND_DEBUG) tells when its form has
# drawn a frame: a buffer attached to a surface after the form's title.
unset DISPLAY
WAYLAND_DISPLAY="$socket" WAYLAND_DEBUG=client XDG_CONFIG_HOME="$config" \
    QUILLPOST_STORAGE_CARD="$scratch/card" "$QUILLPOST" --window </dev/null \
    >"$scratch/app.log" 2>&1 &
app_pid=$!
form_drawn() {
    sed -n '/set_title("Quillpost")/,$p' "$scratch/app.log" | grep -q 'wl_surface@[0-9]*\.commit()'
}
running() { kill -0 "$app_pid" 2>/dev/null; }
until_true "the form to be drawn" form_drawn
# The crash came when a field drew its caret, which happens once the form is shown.
sleep 1
running || fail "the program died with the form open"

(cd "$scratch" && WAYLAND_DISPLAY="$socket" timeout 10 weston-screenshooter >/dev/null 2>&1) || true
shot=$(find "$scratch" -maxdepth 1 -name 'wayland-screenshot*.png' | head -n 1)
[ -z "$shot" ] || mv "$shot" "$QP_SHOTS/wayland-form.png"

kill "$weston_pid"
wait "$weston_pid" 2>/dev/null || true
weston_pid=
status=0
wait "$app_pid" || status=$?
app_pid=
[ "$status" -eq 1 ] || fail "exit status $status after the compositor went away, not 1"
grep -q "the display went away; the form was closed as with Cancel" "$scratch/app.log" ||
    fail "the program did not say why it ended"
for setting in Language=1 Format=0 Datum=0 LatHemisphere=0 LongHemisphere=0; do
    grep -qx "$setting" "$ini" || fail "settings lack $setting: $(cat "$ini")"
done
echo "wayland: passed"
