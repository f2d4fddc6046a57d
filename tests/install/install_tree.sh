# SPDX-License-Identifier: MIT
# Installs the build into a scratch prefix and uses what is there as a person
# would: the file list, both programs and the window program they start, the
# manual pages, the desktop entry, the metainfo and the shell completion.
# $BUILD_DIR is the build, $VERSION the project's version, $SOURCE_DIR the
# sources.
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
share/applications/org.quillpost.quillpost.desktop
share/bash-completion/completions/quillpost-geo
share/doc/quillpost/README.md
share/doc/quillpost/robustness.md
share/icons/hicolor/scalable/apps/quillpost.svg
share/man/man1/quillpost-geo.1.gz
share/man/man1/quillpost.1.gz
share/metainfo/org.quillpost.quillpost.metainfo.xml'
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

# The desktop entry without even a hint, and the metainfo that software
# centres read, valid and naming the entry and this release.
entry=$prefix/share/applications/org.quillpost.quillpost.desktop
desktop-file-validate "$entry" >"$scratch/desktop.log" 2>&1 ||
    { cat "$scratch/desktop.log" >&2; fail "desktop-file-validate refuses the desktop entry"; }
if [ -s "$scratch/desktop.log" ]; then cat "$scratch/desktop.log" >&2; fail "desktop-file-validate complains"; fi
grep -qx 'Icon=quillpost' "$entry" || fail "the desktop entry names another icon"
grep -qx 'Terminal=false' "$entry" ||
    fail "the desktop entry asks for a terminal, though the program opens its own window"
metainfo=$prefix/share/metainfo/org.quillpost.quillpost.metainfo.xml
appstreamcli validate --pedantic --no-net "$metainfo" >"$scratch/metainfo.log" 2>&1 ||
    { cat "$scratch/metainfo.log" >&2; fail "appstreamcli refuses the metainfo"; }
grep -q '<launchable type="desktop-id">org.quillpost.quillpost.desktop</launchable>' "$metainfo" ||
    fail "the metainfo does not launch the desktop entry"
# The release the metainfo names first is this version, and so is the newest
# entry of the Debian changelog.
release=$(grep -o -m 1 '<release version="[^"]*"' "$metainfo" | cut -d '"' -f 2)
[ "$release" = "$VERSION" ] || fail "the metainfo's newest release is $release, the program is $VERSION"
changelog=$(head -n 1 "$SOURCE_DIR/debian/changelog" | sed -n 's/^quillpost (\([^)]*\)).*/\1/p')
[ "$changelog" = "$VERSION" ] || fail "debian/changelog's newest entry is '$changelog', the program is $VERSION"
changelog_date=$(cd "$SOURCE_DIR" && date -u -d "$(dpkg-parsechangelog -S Date)" +%F)
grep -q "<release version=\"$VERSION\" date=\"$changelog_date\">" "$metainfo" ||
    fail "the metainfo's release $VERSION is not dated $changelog_date as in debian/changelog"

# Pressing Tab after the program's name offers exactly the commands --help lists.
source "$prefix/share/bash-completion/completions/quillpost-geo"
[ "$(complete -p quillpost-geo)" = "complete -F _quillpost_geo quillpost-geo" ] ||
    fail "the completion is not registered for quillpost-geo"
COMP_WORDS=(quillpost-geo "")
COMP_CWORD=1
_quillpost_geo
compare_lists "commands offered by the completion and listed by --help" \
    "$(help_commands "$prefix/bin/quillpost-geo")" "$(printf '%s\n' "${COMPREPLY[@]}" | sort -u)"
echo "installed into a scratch prefix: files, programs, manual pages, desktop entry, metainfo, completion"
