# SPDX-License-Identifier: MIT
# What a program's --help and its manual page list, as sorted names one per
# line, so that tests compare the lists rather than the wording around them.
# Sourced by the install tests.

# The commands quillpost-geo --help lists: the indented lines that give a
# command's name and its upper-case arguments.
help_commands() {
    "$1" --help | awk '/^  [a-z][a-z0-9-]*( [A-Z]|$)/ { print $1 }' | sort -u
}

# The long options of a program's usage lines (from "Usage:" to the first
# blank line); options of a command, such as import's --route, are the
# command's arguments.
help_options() {
    "$1" --help | sed -n '/^Usage:/,/^$/p' | grep -o -- '--[a-z][a-z-]*' | sort -u
}

# The lines of a manual page's section (roff source), without the heading.
manual_section() {
    awk -v name="$2" '/^\.SH / { inside = ($0 == ".SH " name || $0 == ".SH \"" name "\"") ; next }
                      inside' "$1"
}

# The commands a manual page describes: each .BI "name " "ARGS" line of COMMANDS.
manual_commands() {
    manual_section "$1" COMMANDS | sed -n 's/^\.BI "\([a-z][a-z0-9\\-]*\) .*/\1/p' |
        sed 's/\\-/-/g' | sort -u
}

# The long options of a manual page's OPTIONS section.
manual_options() {
    manual_section "$1" OPTIONS | grep -o -- '\\-\\-[a-z][a-z\\-]*' | sed 's/\\-/-/g' | sort -u
}

# Fails the test with a message and the difference of two lists.
compare_lists() {
    local what=$1 expected=$2 actual=$3
    if [ "$expected" != "$actual" ]; then
        echo "FAIL: $what differ (< expected, > actual):" >&2
        diff <(echo "$expected") <(echo "$actual") >&2 || true
        return 1
    fi
}
