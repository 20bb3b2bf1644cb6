#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Cross-builds the library, the settings, molvane-cli and the portable test suites
# for 64-bit Windows with mingw-w64, and runs every test under Wine: the GoogleTest
# suites, the golden replays through molvane-cli.exe and the desktop program's
# real window on a virtual X display (Xvfb). Then builds the installer and the
# portable zip and tries them as a user would (scripts/windows-smoke.sh). Builds
# build-windows/ from scratch or incrementally, and prints how long each step took.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-windows
started=$(date +%s)
step_started=$started
step() {
    local now
    now=$(date +%s)
    echo "== $1: $((now - step_started)) s =="
    step_started=$now
}

packages=(g++-mingw-w64-x86-64-posix wine wine64 googletest cmake ninja-build python3 xvfb
          librsvg2-bin icoutils nsis imagemagick unzip openbox)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2> /dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" > /dev/null
fi
step "install"

# Wine keeps its prefix inside the build folder, made once; its first start is slow.
mkdir -p "$build"
export WINEPREFIX=$PWD/$build/wine-prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i > /dev/null 2>&1 < /dev/null
    wineserver -w
fi
# Windows need a display: one virtual X screen for the whole run, of the size
# a typical small laptop has. Wine reads DISPLAY as each program starts.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$display_file" > /dev/null 2>&1 &
xvfb_pid=$!
wm_pid=""
trap 'wineserver -k > /dev/null 2>&1 || true; kill $wm_pid "$xvfb_pid" 2> /dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$display_file")
# A window manager frames and focuses the test's windows as a desktop does:
# some faults (a shown window taking the keys) only show under one.
openbox > /dev/null 2>&1 &
wm_pid=$!
# One Wine server for the whole run, so that each test does not start its own;
# one left from an earlier run would keep that run's display, so it is ended first.
wineserver -k > /dev/null 2>&1 || true
wineserver -w > /dev/null 2>&1 || true
wineserver -p > /dev/null 2>&1 < /dev/null || true
step "toolchain"

cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOLVANE_BUILD_GUI=OFF -DMOLVANE_BUILD_BENCH=OFF \
      -DMOLVANE_WERROR=ON > /dev/null
cmake --build "$build" -j2
step "build"

status=0
ctest --test-dir "$build" --output-on-failure -j2 || status=$?
wineserver -k || true
# The installer's check starts a window manager of its own.
kill "$wm_pid" 2> /dev/null || true
wait "$wm_pid" 2> /dev/null || true
step "tests"

bash scripts/windows-smoke.sh "$build" || status=$?
step "installer"
echo "== Windows steps in all: $(($(date +%s) - started)) s =="
exit "$status"
