#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the two Debian packages (molvane-cli and molvane) from a build folder,
# has lintian check them, unpacks both into one scratch root (nothing is
# installed on the machine) and checks what they hold: the unpacked programs
# run and answer, the man pages format, the desktop entry and AppStream data
# validate. Any failed check fails the script.
# Usage: check-package.sh BUILD_FOLDER
set -euo pipefail
build=${1:-build}
(cd "$build" && rm -f ./*.deb && cpack -G DEB > cpack.log 2>&1)
cli_deb=$(echo "$build"/molvane-cli_*.deb)
gui_deb=$(echo "$build"/molvane_*.deb)
fail() {
    echo "check-package: $*" >&2
    exit 1
}
[ -f "$cli_deb" ] || fail "no molvane-cli package in $build"

# Any error or warning fails. Information tags are shown; the ones expected are:
# - hardening-no-fortify-functions: the programs are built with
#   -D_FORTIFY_SOURCE=2 and do call checked functions (__memmove_chk), but
#   lintian's list leaves memmove out and counts fread, which reads into
#   buffers whose size only shows at run time and so has no checked form.
packages=("$cli_deb")
if [ -f "$gui_deb" ]; then packages+=("$gui_deb"); fi
lintian_status=0
report=$(lintian --display-info --fail-on error,warning "${packages[@]}" 2>&1) || lintian_status=$?
grep -v 'running with root privileges' <<< "$report" || true
[ "$lintian_status" -eq 0 ] || fail "lintian found errors or warnings"

if dpkg-deb -f "$cli_deb" Depends | grep -qi qt; then
    fail "molvane-cli depends on Qt: $(dpkg-deb -f "$cli_deb" Depends)"
fi

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
for package in "${packages[@]}"; do dpkg-deb -x "$package" "$root"; done
for program in "$root"/usr/bin/*; do
    if ldd "$program" | grep -q 'not found'; then fail "$(basename "$program") misses libraries"; fi
done

# One task of each kind on one record: arithmetic, a function in radians, a
# formula, an equation, and a directive that makes the next sine take degrees.
export XDG_CONFIG_HOME="$root/config"
answers=$("$root/usr/bin/molvane-cli" --no-config '2+3' '2sin(pi/6)' 'h2so4' 'x^2-3x+2' '#deg' '2sin30')
expected=$(printf '%s\n' '2+3 = 5' '2:sin(:pi/6) = 1' 'H2SO4 = 98.07848' 'x^2-3x+2 = 0' \
    $'x1 = \t1' $'x2 = \t2' '#deg = 2' '2:sin30 = 1')
if [ "$answers" != "$expected" ]; then
    fail "the packaged molvane-cli answered:"$'\n'"$answers"$'\n'"instead of:"$'\n'"$expected"
fi
version_cli=$("$root/usr/bin/molvane-cli" --version)
echo "packaged: $version_cli; six tasks answered as expected"
version=${version_cli#molvane-cli }
for package in "${packages[@]}"; do
    [ "$(dpkg-deb -f "$package" Version)" = "$version" ] || fail "$(basename "$package") is not version $version"
done

pages=("$root"/usr/share/man/man1/molvane-cli.1.gz)
if [ -f "$gui_deb" ]; then
    version_gui=$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/molvane" --version)
    if [ "${version_gui#molvane }" != "${version_cli#molvane-cli }" ]; then
        fail "versions differ: '$version_gui' and '$version_cli'"
    fi
    # The About box names the release (major.minor) of the same version.
    grep -qaF "Molvane ver. ${version%.*}" "$root/usr/bin/molvane" || fail "the About box names no release ${version%.*}"
    desktop-file-validate "$root"/usr/share/applications/*.desktop
    appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
    pages+=("$root"/usr/share/man/man1/molvane.1.gz)
fi

# A page must format without a single complaint from man or groff, and
# show its NAME section.
for page in "${pages[@]}"; do
    [ -f "$page" ] || fail "missing man page $page"
    complaints=$(MANWIDTH=80 man --warnings=w -l "$page" 2>&1 > "$root/page.txt") || fail "man -l failed on $page"
    [ -z "$complaints" ] || fail "man -l complains about $(basename "$page"): $complaints"
    grep -q '^NAME' "$root/page.txt" || fail "$(basename "$page") shows no NAME section"
done
echo "package checks passed: $(basename "$cli_deb") $([ -f "$gui_deb" ] && basename "$gui_deb")"
