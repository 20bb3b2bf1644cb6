#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up a fresh Debian or Ubuntu machine, builds the two programs (no tests, no
# benchmarks) in build-run/ and starts the calculator. Every line of the setup and
# the build goes to standard error, so standard output holds only the program's.
# Without arguments the desktop program starts when the display opens, and
# molvane-cli otherwise; arguments are tasks (or options) for molvane-cli.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh >&2
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMOLVANE_BUILD_TESTS=OFF -DMOLVANE_BUILD_BENCH=OFF >&2
targets=(molvane-cli)
if grep -q '^MOLVANE_BUILD_GUI:BOOL=ON' build-run/CMakeCache.txt && [ -f build-run/build.ninja ] &&
    ninja -C build-run -t targets all 2>/dev/null | grep -q '^molvane:'; then
    targets+=(molvane)
fi
cmake --build build-run -j2 --target "${targets[@]}" >&2

if [ "$#" -eq 0 ] && [ -x build-run/molvane ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    status=0
    build-run/molvane || status=$?
    # Qt aborts (status 134) when no platform plugin can open the display.
    if [ "$status" -ne 134 ]; then exit "$status"; fi
fi
if [ "$#" -eq 0 ]; then
    echo "run.sh: no display could be opened; starting molvane-cli instead" >&2
fi
exec build-run/molvane-cli "$@"
