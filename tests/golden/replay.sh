#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Replays a golden file through molvane-cli and compares the output.
# A golden file holds one typed task a row, "> TASK => LINE", with the lines
# molvane-cli must print for it joined by " | " when there are several. Lines
# that begin with "#!" are comments. A comment line "#! encodings: NAME ..."
# has the tasks replayed once in each encoding named (iconv's names), and each
# time they must give the same lines; without it they are replayed in UTF-8.
# Usage: replay.sh MOLVANE_CLI GOLDEN_FILE [RUNNER]
# A RUNNER (Wine, for a cross-built molvane-cli.exe) runs the program, and the
# Windows line ends of its output are read as plain ones.
set -euo pipefail
golden=$2
tasks=$(mktemp)
encoded=$(mktemp)
actual=$(mktemp)
trap 'rm -f "$tasks" "$encoded" "$actual"' EXIT
awk '!/^#!/ && sub(/^> /, "") { sub(/ => .*/, ""); print }' "$golden" > "$tasks"
encodings=$(sed -n 's/^#! encodings: //p' "$golden")
for encoding in ${encodings:-UTF-8}; do
    iconv -f UTF-8 -t "$encoding" "$tasks" > "$encoded"
    status=0
    ${3:-} "$1" --no-config -f "$encoded" | tr -d '\r' > "$actual" || status=$?
    # A golden file may hold failing tasks: exit status 1 then, and only 0 or 1 is right.
    if [ "$status" -gt 1 ]; then
        echo "golden file $(basename "$golden") in $encoding: molvane-cli exited with $status"
        exit 1
    fi
    if ! awk '/^> / { $0 = substr($0, index($0, " => ") + 4); gsub(/ \| /, "\n"); print }' "$golden" |
        diff -u - "$actual"; then
        echo "golden file $(basename "$golden") in $encoding: output differs (- expected, + actual)"
        exit 1
    fi
done
