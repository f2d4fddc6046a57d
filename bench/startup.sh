#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Measures the real program: the time from its start to the first drawn
# entry form, and its peak memory, over several runs in tmux.
#
#   bench/startup.sh [PROGRAM] [RUNS]     defaults: build/bin/quillpost, 10
#
# Each run types the command into a waiting shell, presses Enter and watches
# the pane's output stream until the form's Add button is drawn, then quits
# with Esc; /usr/bin/time -v reports the peak resident memory. The same is
# done with a program that prints the button's text at once: its time is the
# cost of starting a program and of the measuring itself.
set -euo pipefail
cd "$(dirname "$0")/.."

program=$(realpath "${1:-build/bin/quillpost}")
runs=${2:-10}
[ -x "$program" ] || { echo "startup: no program at $program (build first)" >&2; exit 1; }

# The terminal form, also when the benchmark runs on a desktop.
unset DISPLAY WAYLAND_DISPLAY
scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillpost-bench-XXXXXX")
socket="$scratch/tmux"
output="$scratch/output"
bench_tmux() { LC_ALL=C.UTF-8 tmux -u -S "$socket" -f /dev/null "$@"; }
trap 'bench_tmux kill-server 2>/dev/null || true; rm -rf "$scratch"' EXIT

# Settings with a language, so that the form is the first thing drawn.
mkdir -p "$scratch/config/Kvo Applications" "$scratch/card"
printf '[Settings]\nLanguage=1\n' >"$scratch/config/Kvo Applications/Quillpost.ini"
printf "PS1='bench> '\n" >"$scratch/bashrc"
bench_tmux new-session -d -x 200 -y 30 \
    -e "XDG_CONFIG_HOME=$scratch/config" -e "QUILLPOST_STORAGE_CARD=$scratch/card" \
    -e LANG=C.UTF-8 -e LC_ALL=C.UTF-8 \
    "bash --noprofile --rcfile '$scratch/bashrc'"
: >"$output"
bench_tmux pipe-pane -o "cat >>'$output'"

# Waits, reading the output with shell builtins only, until it holds the text.
wait_output() {
    local deadline=$((SECONDS + 20))
    until [[ "$(<"$output")" == *"$1"* ]]; do
        [ $SECONDS -lt $deadline ] || { echo "startup: timed out waiting for '$1'" >&2; exit 1; }
    done
}
now_us() { echo $(($(date +%s%N) / 1000)); }

# Runs the command once; prints the microseconds from Enter until the Add
# button showed.
time_to_form() {
    bench_tmux send-keys -l "$1"
    wait_output "$1"
    : >"$output"
    local start end
    start=$(now_us)
    bench_tmux send-keys Enter
    wait_output "[  Add  ]"
    end=$(now_us)
    bench_tmux send-keys Escape
    wait_output "bench> "
    : >"$output"
    echo $((end - start))
}

median_ms() {
    sort -n | awk '{ v[NR] = $1 } END {
        m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; printf "%.1f", m / 1000 }'
}

# The prompt may have come before the pipe: ask for it again.
bench_tmux send-keys C-l
wait_output "bench> "
: >"$output"
program_times=()
baseline_times=()
peak_kb=0
for ((i = 0; i < runs; i++)); do
    rm -f "$scratch/time"
    program_times+=("$(time_to_form "/usr/bin/time -v -o '$scratch/time' '$program'")")
    kb=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$scratch/time")
    ((kb > peak_kb)) && peak_kb=$kb
    # The octal escape keeps the echoed command line from matching.
    baseline_times+=("$(time_to_form "/usr/bin/time -o /dev/null /usr/bin/printf '\\133  Add  ]'; read -rsn1")")
done

echo "runs: $runs"
echo "start to first drawn form: $(printf '%s\n' "${program_times[@]}" | median_ms) ms (median)"
echo "  of which starting a program and measuring: $(printf '%s\n' "${baseline_times[@]}" | median_ms) ms"
echo "peak memory: $peak_kb kB (maximum resident set size)"
