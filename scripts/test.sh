#!/usr/bin/env bash
# Sets up a fresh Debian or Ubuntu machine, builds Molvane and runs every test:
# once as built for users (and packaged, and its cost per task counted against
# the budgets in bench/budgets.txt), once cross-built for Windows and run
# under Wine, once as a Release build with AddressSanitizer and
# UndefinedBehaviorSanitizer; then
# each fuzz target briefly, and the CLI under valgrind.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1

echo "== Layout of the C++ files =="
bash scripts/check-format.sh

echo "== Share of tests in the code =="
bash scripts/test-share.sh

echo "== Build and test =="
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOLVANE_WERROR=ON > /dev/null
cmake --build build-test -j2
ctest --test-dir build-test --output-on-failure -j2

echo "== Cost per task against the budgets in bench/budgets.txt (callgrind) =="
python3 bench/check_budgets.py build-test

echo "== Debian package =="
bash scripts/check-package.sh build-test

echo "== Windows build under Wine, and the same answers as on Linux =="
bash scripts/windows.sh
bash scripts/compare-windows.sh 1 100000 build-test build-windows

# The sanitizer build is also the Release build with -Werror: the optimiser's
# warnings differ by build type, and this way every run meets them at no cost.
echo "== Build (Release, -Werror) and test with AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Release -DMOLVANE_SANITIZE=ON \
      -DMOLVANE_BUILD_BENCH=OFF -DMOLVANE_WERROR=ON > /dev/null
cmake --build build-sanitize -j2
ctest --test-dir build-sanitize --output-on-failure -j2

echo "== Fuzz targets, 30 seconds each =="
bash scripts/fuzz.sh 30

echo "== molvane-cli under valgrind memcheck =="
bash scripts/valgrind-cli.sh
