#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Prints the share of test lines in the code and fails above a ceiling.
# Counted lines: not blank, not a // comment, not a preprocessor line (nor a
# shell or Python comment), in the C, C++, JavaScript, Python, shell, resource
# and golden files that git tracks. Product code is engine, chemistry,
# settings, session, ui and cli (front ends included, the page's script too);
# tests are everything under tests/.
# Usage: test-share.sh [CEILING_PERCENT]
# The default ceiling is the aim itself: a change that adds more test than
# code past it should merge cases into tables or test behaviour instead.
set -euo pipefail
cd "$(dirname "$0")/.."
ceiling=${1:-35}

count() {
    git ls-files -- "$@" | grep -E '\.(c|cc|cpp|cxx|h|hh|hpp|js|py|sh|rc|golden)$' | tr '\n' '\0' |
        xargs -0 -r cat 2>/dev/null | grep -c -v -E '^\s*($|//|#[^!])' || true
}

code=$(count engine chemistry settings session ui cli)
tests=$(count tests)
if [ "$code" -eq 0 ]; then
    echo "No product code found: run this inside the git checkout." >&2
    exit 1
fi
share=$((100 * tests / code))
echo "Tests: $tests lines against $code lines of code ($share%; the aim is at most 35%)"
if [ "$share" -gt "$ceiling" ]; then
    echo "More than $ceiling%: test behaviour rather than internals, and merge cases into tables." >&2
    exit 1
fi
