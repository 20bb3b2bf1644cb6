#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Sets up a fresh Debian or Ubuntu machine, builds Molvane and runs every test:
# once as built for users (and packaged, and the packages built again in
# another folder to show they come out the same, and its cost per task counted
# against the budgets in bench/budgets.txt), once cross-built for Windows and
# run under Wine, once as a Release build with AddressSanitizer and
# UndefinedBehaviorSanitizer; then
# each fuzz target briefly, and the CLI under valgrind. Every function's answers
# are checked against 40-digit values (Debian's python3-mpmath).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1

echo "== Layout of the C++ files =="
bash scripts/check-format.sh

echo "== Licence line in every source file =="
bash scripts/check-licence.sh

echo "== Share of tests in the code =="
bash scripts/test-share.sh

echo "== Build and test =="
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOLVANE_WERROR=ON > /dev/null
cmake --build build-test -j2
ctest --test-dir build-test --output-on-failure -j2

# 60,000 seeded single-function tasks against 40-digit values: about 6 seconds on an
# idle machine, 13 on a busy one.
echo "== Every function correctly rounded, against mpmath =="
/usr/bin/python3 scripts/check-rounding.py --cli build-test/molvane-cli \
    --values build-test/bench/molvane_function_values --seed 1 --count 60000

echo "== Cost per task against the budgets in bench/budgets.txt (callgrind) =="
python3 bench/check_budgets.py build-test

echo "== Debian package =="
bash scripts/check-package.sh build-test

echo "== The Debian packages, built again in another folder, are the same =="
bash scripts/check-reproducible.sh deb build-test

echo "== Windows build under Wine, and the same answers as on Linux =="
bash scripts/windows.sh
bash scripts/compare-windows.sh 1 100000 build-test build-windows
# Built twice by hand they are the same too (check-reproducible.sh windows
# build-windows); here one build's checksums are shown, to compare with another's.
(cd build-windows && sha256sum molvane-*-win64.exe molvane-*-win64.zip)

echo "== The page: built with emscripten, the same answers as on Linux, and used in headless Chromium =="
web_started=$SECONDS
bash scripts/web.sh
bash scripts/compare-web.sh 1 100000 build-test build-web
/usr/bin/python3 tests/web/page_test.py build-web/site build-test/tests/web/web_expectations build-test/molvane-cli \
    build-test/web-pictures
echo "The page's steps took $((SECONDS - web_started)) s"

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
