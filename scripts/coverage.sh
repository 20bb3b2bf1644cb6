#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds Molvane with gcov instrumentation (gcc), runs the whole test suite and
# prints the line and branch coverage of engine/, chemistry/, settings/, cli/
# and ui/ (when it exists). Installs gcovr when it is missing (sudo when not root).
# Exits nonzero only when the build or a test fails; the figures are for reading.
# Usage: scripts/coverage.sh      (BUILD_DIR defaults to build-coverage;
#                                  GUI=ON also builds and measures the Qt program)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-coverage}
gui=${GUI:-OFF}

if ! command -v gcovr > /dev/null; then
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
    echo "Installing gcovr"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends gcovr
fi

CC=gcc CXX=g++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMOLVANE_COVERAGE=ON \
    -DMOLVANE_BUILD_GUI="$gui" -DMOLVANE_BUILD_BENCH=OFF -DMOLVANE_WERROR=ON > /dev/null
cmake --build "$build" -j "${JOBS:-2}"

# Counts from an earlier run would add up with this one's.
find "$build" -name '*.gcda' -delete
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "${JOBS:-2}"

# One pass over the gcov data, then a summary for each folder.
# Exception paths that the compiler adds to every call are not branches of ours.
data=$build/coverage.json
gcovr --root . --object-directory "$build" --exclude-throw-branches --exclude-unreachable-branches \
    --filter 'engine/' --filter 'chemistry/' --filter 'settings/' --filter 'cli/' --filter 'ui/' \
    --json "$data"

echo
echo "== Coverage by the test suite =="
printf '%-12s %-32s %s\n' folder lines branches
for folder in engine chemistry settings cli ui; do
    [ -d "$folder" ] || continue
    # gcovr replaces its output file rather than writing into it: never hand it
    # /dev/null, which it would turn into a plain file for the whole machine.
    summary=$(gcovr --root . --add-tracefile "$data" --filter "$folder/" --print-summary \
        --output "$build/coverage-$folder.txt")
    lines=$(sed -n 's/^lines: *//p' <<< "$summary")
    branches=$(sed -n 's/^branches: *//p' <<< "$summary")
    printf '%-12s %-32s %s\n' "$folder/" "$lines" "$branches"
done
echo
echo "Files under 95% of lines:"
gcovr --root . --add-tracefile "$data" --filter 'engine/' --filter 'chemistry/' --filter 'settings/' \
    --filter 'cli/' --filter 'ui/' --sort-percentage 2>/dev/null |
    awk '$4 ~ /%$/ && $4+0 < 95' || true
