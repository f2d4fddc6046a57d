# SPDX-License-Identifier: MIT
# The manual pages and the programs' --help must not drift apart: the same
# commands and the same options in both, whatever the wording around them.
# $QUILLPOST and $QUILLPOST_GEO are the programs, $MANUAL_PAGES the roff sources.
set -euo pipefail
source "$(dirname "$0")/help_lists.sh"

commands=$(help_commands "$QUILLPOST_GEO")
# A parser that finds nothing would make every comparison pass.
for command in utm geo convert convert-on route append tm-set datum-find; do
    grep -qx -- "$command" <<<"$commands" || { echo "FAIL: --help lists no '$command'" >&2; exit 1; }
done
compare_lists "quillpost-geo's commands in --help and in quillpost-geo(1)" \
    "$commands" "$(manual_commands "$MANUAL_PAGES/quillpost-geo.1")"

for program in "$QUILLPOST" "$QUILLPOST_GEO"; do
    name=$(basename "$program")
    options=$(help_options "$program")
    grep -qx -- --version <<<"$options" || { echo "FAIL: $name --help lists no --version" >&2; exit 1; }
    compare_lists "$name's options in --help and in $name(1)" \
        "$options" "$(manual_options "$MANUAL_PAGES/$name.1")"
done
echo "manual pages and --help list the same commands and options"
