# Installs the build into a scratch prefix and uses what is there as a person
# would: the file list, both programs and the window program they start, the
# manual pages, the desktop entry and the shell completion. $BUILD_DIR is the
# build, $VERSION the project's version.
set -euo pipefail
source "$(dirname "$0")/help_lists.sh"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillpost-install-XXXXXX")
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$BUILD_DIR" --prefix "$prefix" >"$scratch/install.log" ||
    { cat "$scratch/install.log" >&2; fail "cmake --install failed"; }

expected_files='bin/quillpost
bin/quillpost-geo
libexec/quillpost/quillpost-window
share/applications/quillpost.desktop
share/bash-completion/completions/quillpost-geo
share/doc/quillpost/README.md
share/doc/quillpost/robustness.md
share/icons/hicolor/scalable/apps/quillpost.svg
share/man/man1/quillpost-geo.1.gz
share/man/man1/quillpost.1.gz'
compare_lists "installed files" "$expected_files" "$(cd "$prefix" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)"

# The programs run from the prefix, with nothing of the build tree around.
cd "$scratch"
for program in quillpost quillpost-geo; do
    version=$(env -i "$prefix/bin/$program" --version) || fail "$program --version failed"
    [ "$version" = "$program $VERSION" ] || fail "$program --version says '$version'"
done
[ "$(env -i "$prefix/bin/quillpost-geo" utm 53.5 10)" = "32 N 566331.528 5928359.088" ] ||
    fail "the installed quillpost-geo converts wrongly"

# The installed quillpost hands the window to the installed window program.
# A display that is named but does not answer (a socket path in the scratch
# folder that nothing listens on) lets the window program itself refuse
# --window, in words that quillpost alone never uses.
refusal=$(env -i WAYLAND_DISPLAY="$scratch/no-display" "$prefix/bin/quillpost" --window 2>&1 >/dev/null) &&
    fail "quillpost --window without a reachable display succeeded"
[ "$refusal" = "quillpost: --window needs a display, and none can be reached (DISPLAY or WAYLAND_DISPLAY)" ] ||
    fail "the installed quillpost did not start the installed window program: '$refusal'"

for page in quillpost quillpost-geo; do
    MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" >"$scratch/$page.txt" 2>"$scratch/$page.warnings" ||
        fail "man could not render $page(1)"
    if [ -s "$scratch/$page.warnings" ]; then
        cat "$scratch/$page.warnings" >&2
        fail "man warns about $page(1)"
    fi
    grep -q '^NAME' "$scratch/$page.txt" || fail "$page(1) renders without a NAME section"
done

desktop-file-validate "$prefix/share/applications/quillpost.desktop" >"$scratch/desktop.log" 2>&1 ||
    { cat "$scratch/desktop.log" >&2; fail "desktop-file-validate refuses the desktop entry"; }
if grep -E 'error|warning' "$scratch/desktop.log" >&2; then fail "desktop-file-validate complains"; fi
grep -qx 'Icon=quillpost' "$prefix/share/applications/quillpost.desktop" || fail "the desktop entry names another icon"
grep -qx 'Terminal=false' "$prefix/share/applications/quillpost.desktop" ||
    fail "the desktop entry asks for a terminal, though the program opens its own window"

# Pressing Tab after the program's name offers exactly the commands --help lists.
source "$prefix/share/bash-completion/completions/quillpost-geo"
[ "$(complete -p quillpost-geo)" = "complete -F _quillpost_geo quillpost-geo" ] ||
    fail "the completion is not registered for quillpost-geo"
COMP_WORDS=(quillpost-geo "")
COMP_CWORD=1
_quillpost_geo
compare_lists "commands offered by the completion and listed by --help" \
    "$(help_commands "$prefix/bin/quillpost-geo")" "$(printf '%s\n' "${COMPREPLY[@]}" | sort -u)"
echo "installed into a scratch prefix: files, programs, manual pages, desktop entry, completion"
