# SPDX-License-Identifier: MIT
# Drives the real quillpost in a tmux server of the test's own, with a
# scratch settings folder and storage card; sourced by the end-to-end tests.
# The program under test is $QUILLPOST (set by CTest).
#
#   qp_start [-x COLS -y ROWS] [VAR=value ...]   start the program
#   qp_keys KEY ...        keys as tmux names them (Tab, BTab, Enter, F10, C-c)
#   qp_split_key HEX HEX   one key's bytes in two parts, 80 ms apart
#   qp_type TEXT           text, typed as is
#   qp_wait_for TEXT       wait until the screen shows TEXT
#   qp_expect_exit STATUS  wait until the program ends with that exit status
#   fail MESSAGE           fail the test, showing the screen
#   until_true WHAT CMD..  poll until the command holds, or fail after the timeout
set -euo pipefail

: "${QUILLPOST:?QUILLPOST must name the program under test}"
# The terminal form, also when the tests run on a desktop.
unset DISPLAY WAYLAND_DISPLAY
QP_TIMEOUT=${QP_TIMEOUT:-20}
source "$(dirname "${BASH_SOURCE[0]}")/until.sh"

QP_SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/quillpost-e2e-XXXXXX")
QP_CONFIG="$QP_SCRATCH/config"
QP_CARD="$QP_SCRATCH/card"
QP_ROUTES="$QP_CARD/MN6/Settings/Routes"
QP_INI="$QP_CONFIG/Kvo Applications/Quillpost.ini"
mkdir -p "$QP_CONFIG" "$QP_ROUTES"
printf 'set -g remain-on-exit on\n' >"$QP_SCRATCH/tmux.conf"

# Each start gets a tmux server of its own, on a socket in the scratch
# folder: a new server on the socket of one just killed may meet it still
# shutting down.
QP_STARTS=0

# tmux itself reads and writes UTF-8, whatever the program's locale is.
qp_tmux() {
    LC_ALL=C.UTF-8 tmux -u -S "$QP_SCRATCH/tmux-$QP_STARTS" -f "$QP_SCRATCH/tmux.conf" "$@"
}

# A process and all its descendants.
qp_family() {
    echo "$1"
    local child
    for child in $(pgrep -P "$1"); do qp_family "$child"; done
}
qp_alive() { [ -r "/proc/$1/status" ] && ! grep -q '^State:[[:space:]]*Z' "/proc/$1/status"; }

# Ends the tmux server and waits for the programs it ran: one that is hung up
# on writes its settings on the way out, which must neither meet the next
# start nor the removal of the scratch folder.
qp_stop() {
    local pane pids=() pid
    pane=$(qp_tmux display-message -p '#{pane_pid}' 2>/dev/null) || true
    [ -z "$pane" ] || pids=($(qp_family "$pane"))
    qp_tmux kill-server 2>/dev/null || true
    local deadline=$((SECONDS + QP_TIMEOUT))
    for pid in "${pids[@]}"; do
        while qp_alive "$pid" && [ $SECONDS -lt $deadline ]; do sleep 0.05; done
    done
}

qp_cleanup() {
    qp_stop
    rm -rf "$QP_SCRATCH"
}
trap qp_cleanup EXIT

# Starts the program (or, with QP_COMMAND set, that shell command) in a
# new tmux server; a running one is ended first. The program's exit status goes
# to a file: tmux may report a pane dead before it knows the status.
qp_start() {
    local cols=80 rows=24
    while [ $# -gt 0 ]; do
        case $1 in
            -x) cols=$2; shift 2 ;;
            -y) rows=$2; shift 2 ;;
            *) break ;;
        esac
    done
    qp_stop
    QP_STARTS=$((QP_STARTS + 1))
    local env=(-e "XDG_CONFIG_HOME=$QP_CONFIG" -e "QUILLPOST_STORAGE_CARD=$QP_CARD"
        -e LANG=C.UTF-8 -e LC_ALL=C.UTF-8)
    # The settings go on the command line: tmux would put its own TERM over one
    # given to the session.
    local settings="" setting
    for setting in "$@"; do settings+=" $(printf '%q' "$setting")"; done
    rm -f "$QP_SCRATCH/status"
    local command="env$settings '$QUILLPOST'; echo \$? >'$QP_SCRATCH/status'"
    qp_tmux new-session -d -x "$cols" -y "$rows" "${env[@]}" "${QP_COMMAND:-$command}"
}

qp_keys() { qp_tmux send-keys "$@"; }
# Sends one key's bytes (in hex) in two parts 80 ms apart, as a slow link may
# deliver them; the tmux server itself pauses between the two writes.
qp_split_key() { qp_tmux send-keys -H $1 \; run-shell "sleep 0.08" \; send-keys -H $2; }
qp_type() { qp_tmux send-keys -l "$1"; }

# Types "Home" at 53.5 N 10 E into the English form in decimal degrees and
# presses Add, blind: in the order the keys reach the form's fields.
qp_add_home() {
    qp_type "Home"
    qp_keys Tab
    qp_type "53.5"
    qp_keys Tab
    qp_type "10"
    qp_keys Tab Tab Tab Tab Enter
}
qp_screen() { qp_tmux capture-pane -p; }
qp_pane() { qp_tmux display-message -p "$1"; }

fail() {
    echo "FAIL: $*" >&2
    echo "--- screen ---" >&2
    qp_screen >&2 || true
    exit 1
}

# Screen text goes through variables, not pipes into grep -q: a reader that
# stops early would make capture-pane fail under pipefail.
qp_shows() {
    local screen
    screen=$(qp_screen)
    [[ "$screen" == *"$1"* ]]
}
qp_hides() { ! qp_shows "$1"; }
qp_wait_for() { until_true "'$1' on the screen" qp_shows "$1"; }
qp_wait_gone() { until_true "'$1' to leave the screen" qp_hides "$1"; }
# What a key or a start must bring to the screen is waited for, not looked
# for once: a redraw can reach tmux in more than one piece, and a capture
# between them shows the top of the new screen over the rest of the old.
qp_expect_shown() {
    local deadline=$((SECONDS + ${QP_TIMEOUT:-20}))
    until qp_shows "$1"; do
        [ $SECONDS -lt $deadline ] || fail "$2"
        sleep 0.05
    done
}

qp_ended() { [ -s "$QP_SCRATCH/status" ]; }
qp_expect_exit() {
    until_true "the program to end" qp_ended
    qp_expect_eq "$(cat "$QP_SCRATCH/status")" "$1" "exit status $2"
}

# The line of the screen that holds TEXT.
qp_line() {
    local screen line
    screen=$(qp_screen)
    while IFS= read -r line; do
        if [[ "$line" == *"$1"* ]]; then
            printf '%s\n' "$line"
            return
        fi
    done <<<"$screen"
}

qp_expect_eq() {
    [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"
}
