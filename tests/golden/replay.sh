#!/usr/bin/env bash
# Replays a golden file through molvane-cli and compares the output.
# A golden file holds typed tasks on lines that begin with "> " and, after each,
# the lines molvane-cli must print for it. Lines that begin with "#!" are comments.
# Usage: replay.sh MOLVANE_CLI GOLDEN_FILE
set -euo pipefail
cli=$1
golden=$2
tasks=$(mktemp)
expected=$(mktemp)
actual=$(mktemp)
trap 'rm -f "$tasks" "$expected" "$actual"' EXIT
grep -v '^#!' "$golden" | sed -n 's/^> //p' > "$tasks"
grep -v '^#!' "$golden" | grep -v '^> ' > "$expected" || true
"$cli" --no-config -f "$tasks" > "$actual"
if ! diff -u "$expected" "$actual"; then
    echo "golden file $(basename "$golden"): output differs (- expected, + actual)"
    exit 1
fi
