#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Molvane's page with Debian's emscripten into build-web/site/, static
# files that any web server can serve as they are, and molvane-cli for node
# beside it (build-web/molvane-cli.js) to compare the page's engine with the
# Linux build's. With --serve, then serves the site on http://127.0.0.1:8000
# until stopped. Installs what it needs where it is missing; downloads nothing
# while building.
# Usage: web.sh [--serve]
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-web
serve=false
case "${1:-}" in
    --serve) serve=true ;;
    "") ;;
    *) echo "usage: $0 [--serve]" >&2; exit 2 ;;
esac

bash scripts/install-deps.sh emscripten nodejs cmake ninja-build librsvg2-bin python3 > /dev/null

# emscripten's tools need Debian's node modules (acorn), which a node from
# elsewhere does not look for.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
# The first build also compiles emscripten's C and C++ libraries into its cache.
emcmake cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMOLVANE_WERROR=ON -DMOLVANE_BUILD_TESTS=OFF \
    -DMOLVANE_BUILD_BENCH=OFF -DMOLVANE_BUILD_GUI=OFF > /dev/null
cmake --build "$build" -j2 --target molvane_site molvane-cli number_texts
echo "The site is in $build/site/"

if $serve; then
    echo "Serving it on http://127.0.0.1:8000/ (Ctrl+C stops)"
    exec python3 -m http.server 8000 --bind 127.0.0.1 --directory "$build/site"
fi
