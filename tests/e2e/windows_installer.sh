#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows installer under wine: a silent install puts the programs in
# Program Files, the start-menu entries and the entry in Windows' list of
# programs; the installed companion answers; a silent uninstall takes all of
# it away again.
#   QP_INSTALLER    the installer under test
#   QP_WINEPREFIX   the wine prefix to use; made on the first run, then kept
set -euo pipefail
: "${QP_INSTALLER:?QP_INSTALLER must name the installer under test}"
source "$(dirname "$0")/wine.sh"
unset DISPLAY WAYLAND_DISPLAY

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillpost-installer-XXXXXX")
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

wine_prefix

folder="$WINEPREFIX/drive_c/Program Files/Quillpost"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillpost"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillpost'
registered() { wine reg query "$key" /v DisplayName >/dev/null 2>&1; }
removed() { [ ! -e "$folder" ] && [ ! -e "$menu" ] && ! registered; }
[ ! -e "$folder" ] || fail "Quillpost is installed before the test"

wine "$QP_INSTALLER" /S </dev/null >"$scratch/install.log" 2>&1 ||
    fail "the silent install ended with status $?"
for file in quillpost.exe quillpost-geo.exe README.txt uninstall.exe; do
    [ -f "$folder/$file" ] || fail "not installed: $file"
done
for link in Quillpost.lnk "Uninstall Quillpost.lnk"; do
    [ -f "$menu/$link" ] || fail "no start-menu entry $link"
done
registered || fail "not in the list of programs"
answer=$(wine 'C:\Program Files\Quillpost\quillpost-geo.exe' utm 53.5 10 | tr -d '\r')
[ "$answer" = "32 N 566331.528 5928359.088" ] || fail "the installed companion answers '$answer'"

# The uninstaller copies itself away first and returns at once; what it
# does happens meanwhile.
wine 'C:\Program Files\Quillpost\uninstall.exe' /S </dev/null >"$scratch/uninstall.log" 2>&1 ||
    fail "the silent uninstall ended with status $?"
until_true "the uninstall to take everything away" removed
echo "windows installer: passed"
