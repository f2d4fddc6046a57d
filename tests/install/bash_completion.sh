# SPDX-License-Identifier: MIT
# What Tab offers at each place of a quillpost-geo command line.
# $COMPLETION is the completion script, $QUILLPOST_GEO the program.
set -euo pipefail
source "$(dirname "$0")/help_lists.sh"
source "$COMPLETION"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillpost-completion-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
failures=0

# offers "WORD ... (the last one is being completed)" "EXPECTED, blank-separated"
offers() {
    local expected=$2
    read -r -a COMP_WORDS <<<"quillpost-geo $1"
    [[ $1 == *" " || -z $1 ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _quillpost_geo
    local actual
    actual=$(printf '%s\n' "${COMPREPLY[@]}" | sort -u | xargs)
    expected=$(printf '%s\n' $expected | sort -u | xargs)
    if [ "$actual" != "$expected" ]; then
        echo "FAIL: quillpost-geo $1<Tab> offers '$actual', not '$expected'" >&2
        failures=$((failures + 1))
    fi
}

commands=$(help_commands "$QUILLPOST_GEO" | xargs)
offers "" "$commands"
offers "--raw " "$commands"
offers "--" "$(help_options "$QUILLPOST_GEO" | xargs)"
offers "utm-i" "utm-inverse"
offers "utm 53.5 " ""

offers "geo 32 " "N S"
offers "utm-inverse 32 " "N S"
offers "convert " "deg dm dms utm text"
offers "convert d" "deg dm dms"
offers "convert dm " "deg dm dms utm wgs84"
offers "convert deg dm 53.5 " "N S"
offers "convert deg dm 53.5 N 10 " "E W"
offers "convert dm deg 53 30 " "N S"
offers "convert dm deg 53 30 N 10 0 " "E W"
offers "convert dms utm 53 30 0 " "N S"
offers "convert dms utm 53 30 0 N 10 0 0 " "E W"
offers "convert utm deg 32 " "N S"
offers "convert utm deg 32 N 5928359 " ""
offers "convert-on " "WGE EUR-7 DHDN"
offers "convert-on DHDN " "deg dm dms utm text"
offers "convert-on EUR-7 utm " "deg dm dms utm wgs84"
offers "convert-on WGE dm deg 53 30 " "N S"

offers "route HOME " "deg dm dms utm text"
offers "route HOME text " ""
offers "route HOME dms 53 30 0 N 10 0 0 " "E W"
offers "route HOME utm 32 " "N S"

mkdir -p "$scratch/Routes"
touch "$scratch/Ausflug.rte" "$scratch/Heimweg.rte" "$scratch/notes.txt"
cd "$scratch"
offers "append " "Ausflug.rte Heimweg.rte Routes"
offers "append A" "Ausflug.rte"
offers "append Ausflug.rte HOME " "deg dm dms utm text"
offers "append Ausflug.rte HOME dm 53 30 N 10 0 " "E W"
touch "$scratch/Tour.gpx"
offers "import " "Ausflug.rte Heimweg.rte Routes"
offers "import Ausflug.rte " "Tour.gpx Routes"
offers "import Ausflug.rte Tour.gpx " "--route --waypoints"
offers "import Ausflug.rte Tour.gpx --route " ""
offers "list H" "Heimweg.rte"
offers "list Ausflug.rte " "deg dm dms utm"
offers "export " "Ausflug.rte Heimweg.rte Routes"
offers "export Ausflug.rte " ""

[ "$failures" -eq 0 ] || exit 1
echo "completion offers what each place of the command line takes"
