# SPDX-License-Identifier: MIT
# Shared by the end-to-end tests: until_true WHAT COMMAND... polls until the
# command holds, and fails the test through its own fail function (which
# ends it) once $QP_TIMEOUT seconds have gone by. The command is run anew
# each time: a function, so that it looks again.

until_true() {
    local what=$1
    shift
    local deadline=$((SECONDS + ${QP_TIMEOUT:-20}))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || fail "timed out waiting for $what"
        sleep 0.05
    done
}
