#!/usr/bin/env bash
# Sets up a fresh Debian or Ubuntu machine, builds Molvane and starts the calculator.
# Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j2
if [ -x build/molvane ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/molvane "$@"
fi
exec build/molvane-cli "$@"
