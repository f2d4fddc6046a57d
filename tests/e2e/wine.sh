# SPDX-License-Identifier: MIT
# What the end-to-end tests of the Windows build share; sourced by them.
#   fail MESSAGE           fail the test, with the test's own report first
#   until_true WHAT CMD..  poll until the command holds, or fail after the timeout
#   wine_prefix            make the prefix $QP_WINEPREFIX on the first run and
#                          start its server for the test's run
#   wine_server            start the prefix's server, unless it runs
# Each test sets wine_report to a function that tells more on a failure.
set -euo pipefail
: "${QP_WINEPREFIX:?QP_WINEPREFIX must name the wine prefix of the test}"
QP_TIMEOUT=${QP_TIMEOUT:-60}
source "$(dirname "${BASH_SOURCE[0]}")/until.sh"
export WINEPREFIX=$QP_WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine_report=true

fail() {
    echo "FAIL: $*" >&2
    "$wine_report" || true
    exit 1
}

# One server for the whole run (unless one runs already), so that each wine
# command does not start one anew; the prefix is kept for the next run.
# The server and what wineboot starts outlive the command that started them:
# they must not hold the test's output open, which CTest waits on.
wine_prefix() {
    mkdir -p "$WINEPREFIX"
    wine_server
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        local log="$WINEPREFIX/wineboot.log"
        wineboot -i </dev/null >"$log" 2>&1 || fail "wineboot: $(cat "$log")"
    fi
}

wine_server() {
    wineserver -p </dev/null >/dev/null 2>&1 || true
}
