#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a temporary
# folder (nothing is installed on the machine) and checks what it holds: the
# unpacked calculator answers, and the desktop entry and AppStream data validate.
# Usage: check-package.sh BUILD_FOLDER
set -euo pipefail
build=${1:-build}
(cd "$build" && rm -f molvane_*.deb && cpack -G DEB > cpack.log)
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$build"/molvane_*.deb "$unpacked"

answer=$(XDG_CONFIG_HOME="$unpacked/config" "$unpacked/usr/bin/molvane-cli" '2h2o')
if [ "$answer" != "2H2O = 36.03056" ]; then
    echo "the packaged molvane-cli answered '$answer' to 2h2o" >&2
    exit 1
fi
version_cli=$("$unpacked/usr/bin/molvane-cli" --version)
echo "packaged: $version_cli; '2h2o' gives '$answer'"
if [ -x "$unpacked/usr/bin/molvane" ]; then
    version_gui=$(QT_QPA_PLATFORM=offscreen "$unpacked/usr/bin/molvane" --version)
    if [ "${version_gui#molvane }" != "${version_cli#molvane-cli }" ]; then
        echo "versions differ: '$version_gui' and '$version_cli'" >&2
        exit 1
    fi
    desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
    appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
fi
man -l "$unpacked"/usr/share/man/man1/molvane-cli.1 > /dev/null 2>&1 || true
echo "package checks passed"
