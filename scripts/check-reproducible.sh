#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the packages a second time and compares them, byte for byte, with
# those of an earlier build of the same commit: the second build is made from
# a copy of the tracked files in another folder (their modification times the
# time of copying), later, with only the packaged programs built. Prints the
# checksums and how long the second build took; fails when a package differs.
# Usage: check-reproducible.sh deb FIRST_BUILD      (the two Debian packages)
#        check-reproducible.sh windows FIRST_BUILD  (the installer and the zip)
# FIRST_BUILD must hold the packages already (check-package.sh and
# windows-smoke.sh leave them there); the second build takes its options.
set -euo pipefail
cd "$(dirname "$0")/.."
kind=${1:?usage: check-reproducible.sh deb|windows FIRST_BUILD}
first=${2:?usage: check-reproducible.sh deb|windows FIRST_BUILD}
case "$kind" in
    deb)
        patterns=(molvane-cli_*.deb molvane_*.deb)
        generators=DEB
        ;;
    windows)
        patterns=(molvane-*-win64.exe molvane-*-win64.zip)
        generators="NSIS;ZIP"
        ;;
    *) echo "check-reproducible.sh: no package kind '$kind'" >&2; exit 2 ;;
esac
# The options that change what is built; tests and benchmarks are left out.
cached() { sed -n "s/^$1:[A-Z]*=//p" "$first/CMakeCache.txt"; }
options=()
for option in CMAKE_BUILD_TYPE MOLVANE_BUILD_GUI MOLVANE_HARDENING MOLVANE_WERROR; do
    options+=("-D$option=$(cached $option)")
done
toolchain=$(cached CMAKE_TOOLCHAIN_FILE)
[ -z "$toolchain" ] || options+=("-DCMAKE_TOOLCHAIN_FILE=cmake/$(basename "$toolchain")")
checksums() (cd "$1" && for pattern in "${patterns[@]}"; do sha256sum $pattern; done)
first_sums=$(checksums "$first") || { echo "check-reproducible.sh: no packages in $first" >&2; exit 1; }

started=$(date +%s)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/molvane"
# The files of the commit, with the changes not yet committed, if any.
git ls-files -z --cached --others --exclude-standard |
    tar --null -T - --ignore-failed-read -cf - 2> /dev/null | tar -xmf - -C "$work/molvane"
# The copy is no git checkout: the packages' time is given as the first
# build took it, from the last commit.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
(
    cd "$work/molvane"
    cmake -S . -B build -G Ninja "${options[@]}" -DMOLVANE_BUILD_TESTS=OFF -DMOLVANE_BUILD_BENCH=OFF > /dev/null
    cmake --build build -j2 > build.log 2>&1 || { cat build.log >&2; exit 1; }
    cd build && cpack -G "$generators" > cpack.log 2>&1 || { cat cpack.log >&2; exit 1; }
)
second_sums=$(checksums "$work/molvane/build")
echo "first build ($first):"
echo "$first_sums"
echo "second build, in another folder, later ($(($(date +%s) - started)) s):"
echo "$second_sums"
if [ "$first_sums" != "$second_sums" ]; then
    echo "check-reproducible.sh: the two builds differ; diffoscope shows where" >&2
    mkdir -p "$first/reproducible"
    cp "$work"/molvane/build/molvane*.* "$first/reproducible/" 2> /dev/null || true
    echo "(the second build's packages are kept in $first/reproducible)" >&2
    exit 1
fi
echo "reproducible: the $kind packages of both builds are byte for byte the same"
