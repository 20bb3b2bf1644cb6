#!/usr/bin/env bash
# Runs a Windows program under Wine. Wine fails to start about once in a thousand
# runs with "failed to map the shared user data"; that one failure is retried, any
# other outcome is the program's own. WINEPREFIX comes from the caller.
set -uo pipefail
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
for attempt in 1 2 3; do
    wine "$@" 2> "$errors"
    status=$?
    if [ "$status" -ne 0 ] && grep -q "failed to map the shared user data" "$errors"; then
        echo "wine-run.sh: Wine failed to start (attempt $attempt), retrying" >&2
        continue
    fi
    cat "$errors" >&2
    exit "$status"
done
cat "$errors" >&2
exit "$status"
