#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures the real program in a desktop window on an X server of its own
# (Xvfb): the time from its start until the form's window is shown, and its
# peak memory, over several runs.
#
#   bench/window_startup.sh [PROGRAM] [RUNS]     defaults: build/bin/quillpost, 10
#
# Each run starts the program under /usr/bin/time -v (quillpost hands over
# to quillpost-window in the same process, so both count), polls the server
# until the form's window is mapped and viewable, and takes a picture of it,
# which returns once the server holds the drawn frame; then Esc ends the
# program. The time of one poll and picture of a window already shown is
# given beside it: it is the measuring's own share.
set -euo pipefail
cd "$(dirname "$0")/.."

program=$(realpath "${1:-build/bin/quillpost}")
runs=${2:-10}
[ -x "$program" ] || { echo "window_startup: no program at $program (build first)" >&2; exit 1; }

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillpost-window-bench-XXXXXX")
xvfb_pid=
trap '[ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT

# -noreset: the program's probe of the display must not make the server reset.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp -noreset >"$scratch/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 20 number <&"$display_fd" || { echo "window_startup: Xvfb did not start" >&2; exit 1; }
exec {display_fd}<&-
export DISPLAY=":$number"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# Settings with a language, so that the form is the first window shown.
mkdir -p "$scratch/config/Kvo Applications" "$scratch/card"
printf '[Settings]\nLanguage=1\n' >"$scratch/config/Kvo Applications/Quillpost.ini"
export XDG_CONFIG_HOME="$scratch/config" QUILLPOST_STORAGE_CARD="$scratch/card"

form() { xdotool search --onlyvisible --name '^Quillpost$' 2>/dev/null | head -n 1 || true; }
now_us() { echo $(($(date +%s%N) / 1000)); }

# Prints the microseconds from the start until the form was shown and drawn.
time_to_form() {
    local start window= deadline=$((SECONDS + 20))
    start=$(now_us)
    /usr/bin/time -v -o "$scratch/time" "$program" </dev/null >/dev/null 2>&1 &
    local pid=$!
    until [ -n "$window" ]; do
        [ $SECONDS -lt $deadline ] || { echo "window_startup: no form" >&2; exit 1; }
        window=$(form)
    done
    import -window "$window" "$scratch/frame.png"
    echo $(($(now_us) - start))
    xdotool key Escape
    wait "$pid"
}

# One poll and picture of a window already shown.
measuring() {
    local start window
    start=$(now_us)
    window=$(form)
    import -window "$window" "$scratch/frame.png"
    echo $(($(now_us) - start))
}

median_ms() {
    sort -n | awk '{ v[NR] = $1 } END {
        m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.1f", m / 1000 }'
}

times=()
overhead=()
peak_kb=0
time_to_form >/dev/null  # the first run fills the file system's caches
for ((i = 0; i < runs; i++)); do
    times+=("$(time_to_form)")
    kb=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$scratch/time")
    ((kb > peak_kb)) && peak_kb=$kb
done
"$program" </dev/null >/dev/null 2>&1 &
pid=$!
until [ -n "$(form)" ]; do sleep 0.05; done
for ((i = 0; i < runs; i++)); do
    overhead+=("$(measuring)")
done
xdotool key Escape
wait "$pid"

echo "runs: $runs"
echo "start to the form shown and drawn: $(printf '%s\n' "${times[@]}" | median_ms) ms (median)"
echo "  of which one poll and picture: $(printf '%s\n' "${overhead[@]}" | median_ms) ms"
echo "peak memory: $peak_kb kB (maximum resident set size)"
