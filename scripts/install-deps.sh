#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what building and testing Molvane needs on Debian or Ubuntu, where it
# is missing, or with package names as arguments only those (the other scripts'
# own needs). Uses sudo when not run as root. Safe to run again.
set -euo pipefail

packages=("$@")
[ $# -gt 0 ] || packages=(
    cmake ninja-build g++ pkg-config libedit-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools libqt6svg6 libgl-dev poppler-utils
    locales
    dpkg-dev file desktop-file-utils appstream lintian man-db
    clang libclang-rt-dev clang-format valgrind
    librsvg2-bin icoutils nsis
    python3-mpmath
    emscripten nodejs chromium chromium-driver python3-selenium
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A decimal-comma locale, so the tests can show that answers ignore the locale.
if [ $# -eq 0 ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8 2>/dev/null || echo "note: could not generate de_DE.UTF-8"
fi
