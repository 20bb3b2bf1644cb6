#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the golden files and the same random tasks through the Linux molvane-cli
# and through molvane-cli built with emscripten (the page's engine) under node,
# and compares the answers byte for byte, as text and as JSON with the formulas'
# compositions; then the texts of many numbers in every style, which the
# page's libc++ reads and writes through the C library. Both builds must exist
# (scripts/web.sh makes the WebAssembly one).
# Usage: compare-web.sh [SEED] [COUNT] [LINUX_BUILD] [WEB_BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
seed=${1:-1}
count=${2:-100000}
linux_build=${3:-build}
web_build=${4:-build-web}

for golden in tests/golden/*.golden; do
    bash tests/golden/replay.sh "$web_build/molvane-cli.js" "$golden" node
done
echo "golden files: the same under node"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Says how many of the Linux build's lines the page's build does not give, and fails on any.
compare() {
    local differences
    differences=$( (diff "$work/linux.txt" "$work/web.txt" || true) | grep -c '^<' || true)
    echo "$1: $(wc -l < "$work/linux.txt") lines, $differences differ"
    if [ "$differences" -ne 0 ]; then
        diff "$work/linux.txt" "$work/web.txt" | head -20
        exit 1
    fi
}

python3 scripts/random-tasks.py --seed "$seed" --count "$count" > "$work/tasks.txt"
# Random tasks include failing ones: exit status 1 is expected, anything higher is not.
for options in "" "--json --composition"; do
    # shellcheck disable=SC2086 # the options are words
    "$linux_build/molvane-cli" --no-config $options -f "$work/tasks.txt" > "$work/linux.txt" || [ $? -eq 1 ]
    # shellcheck disable=SC2086
    node "$web_build/molvane-cli.js" --no-config $options -f "$work/tasks.txt" > "$work/web.txt" || [ $? -eq 1 ]
    compare "seed $seed, $count tasks${options:+, $options}"
done

"$linux_build/number_texts" "$count" > "$work/linux.txt"
node "$web_build/number_texts.js" "$count" > "$work/web.txt"
compare "$count numbers written 22 ways each"
