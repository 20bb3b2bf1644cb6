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
# A golden file may hold failing tasks: exit status 1 then, and only 0 or 1 is right.
status=0
"$cli" --no-config -f "$tasks" > "$actual" || status=$?
if [ "$status" -gt 1 ]; then
    echo "golden file $(basename "$golden"): molvane-cli exited with $status"
    exit 1
fi
if ! diff -u "$expected" "$actual"; then
    echo "golden file $(basename "$golden"): output differs (- expected, + actual)"
    exit 1
fi
