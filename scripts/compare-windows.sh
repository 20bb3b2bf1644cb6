#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the same random tasks through the Linux molvane-cli and through
# molvane-cli.exe under Wine, and compares the answers byte for byte, Windows
# line ends read as plain ones. Both builds must exist (scripts/windows.sh makes
# the Windows one).
# Usage: compare-windows.sh [SEED] [COUNT] [LINUX_BUILD] [WINDOWS_BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
seed=${1:-1}
count=${2:-100000}
linux_build=${3:-build}
windows_build=${4:-build-windows}
export WINEPREFIX=$PWD/$windows_build/wine-prefix
export WINEDEBUG=-all

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 scripts/random-tasks.py --seed "$seed" --count "$count" > "$work/tasks.txt"
# Random tasks include failing ones: exit status 1 is expected, anything higher is not.
"$linux_build/molvane-cli" --no-config -f "$work/tasks.txt" > "$work/linux.txt" || [ $? -eq 1 ]
cmake/wine-run.sh "$windows_build/molvane-cli.exe" --no-config -f "$work/tasks.txt" > "$work/windows.raw" || [ $? -eq 1 ]
sed 's/\r$//' "$work/windows.raw" > "$work/windows.txt"

differences=$( (diff "$work/linux.txt" "$work/windows.txt" || true) | grep -c '^<' || true)
echo "seed $seed: $count tasks, $(wc -l < "$work/linux.txt") answer lines, $differences differ"
if [ "$differences" -ne 0 ]; then
    diff "$work/linux.txt" "$work/windows.txt" | head -20
    exit 1
fi
