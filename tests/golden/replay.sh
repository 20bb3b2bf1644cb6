#!/usr/bin/env bash
# Replays a golden file through molvane-cli and compares the output.
# A golden file holds typed tasks on lines that begin with "> " and, after each,
# the lines molvane-cli must print for it; a task may be written with its lines
# on one row as "> TASK => LINE | LINE ...". Lines that begin with "#!" are comments.
# Usage: replay.sh MOLVANE_CLI GOLDEN_FILE [RUNNER]
# A RUNNER (Wine, for a cross-built molvane-cli.exe) runs the program, and the
# Windows line ends of its output are read as plain ones.
set -euo pipefail
cli=$1
golden=$2
runner=${3:-}
tasks=$(mktemp)
expected=$(mktemp)
actual=$(mktemp)
trap 'rm -f "$tasks" "$expected" "$actual" "$actual.raw"' EXIT
awk '!/^#!/ && sub(/^> /, "") { sub(/ => .*/, ""); print }' "$golden" > "$tasks"
awk '/^#!/ { next } /^> / { at = index($0, " => "); if (!at) next; $0 = substr($0, at + 4); gsub(/ \| /, "\n") } { print }' \
    "$golden" > "$expected"
status=0
if [ -n "$runner" ]; then
    "$runner" "$cli" --no-config -f "$tasks" > "$actual.raw" || status=$?
    sed 's/\r$//' "$actual.raw" > "$actual"
else
    "$cli" --no-config -f "$tasks" > "$actual" || status=$?
fi
# A golden file may hold failing tasks: exit status 1 then, and only 0 or 1 is right.
if [ "$status" -gt 1 ]; then
    echo "golden file $(basename "$golden"): molvane-cli exited with $status"
    exit 1
fi
if ! diff -u "$expected" "$actual"; then
    echo "golden file $(basename "$golden"): output differs (- expected, + actual)"
    exit 1
fi
