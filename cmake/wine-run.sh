#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs a Windows program under Wine. Wine fails to start about once in a thousand
# runs with "failed to map the shared user data"; that one failure is retried, any
# other outcome is the program's own. Without a WINEPREFIX from the caller, the
# prefix is wine-prefix in the build folder that holds the program.
set -uo pipefail
if [ -z "${WINEPREFIX:-}" ]; then
    folder=$(cd "$(dirname "$1")" && pwd)
    while [ "$folder" != / ] && [ ! -f "$folder/CMakeCache.txt" ]; do folder=$(dirname "$folder"); done
    export WINEPREFIX=$folder/wine-prefix
fi
export WINEDEBUG=${WINEDEBUG:--all}
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
