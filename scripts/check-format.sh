#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Fails when a C++ file of the project is not laid out as .clang-format says.
# Run `clang-format -i FILE` on the files it names.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h')
unformatted=()
for file in "${files[@]}"; do
    if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then unformatted+=("$file"); fi
done
if [ "${#unformatted[@]}" -gt 0 ]; then
    echo "Not formatted as .clang-format says (run clang-format -i on them):"
    printf '  %s\n' "${unformatted[@]}"
    exit 1
fi
echo "All ${#files[@]} C++ files are formatted."
