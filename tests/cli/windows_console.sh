#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# molvane-cli.exe as a Windows console program: UTF-8 arguments and piped input
# whatever the code page, CR LF line ends, and the exit statuses of the Linux build.
# Usage: windows_console.sh RUNNER MOLVANE_CLI_EXE
set -uo pipefail
runner=$1
cli=$2
failures=0
check() {
    local name=$1 expected=$2 actual=$3
    if [ "$expected" != "$actual" ]; then
        echo "$name: expected $(printf '%q' "$expected"), got $(printf '%q' "$actual")"
        failures=$((failures + 1))
    fi
}
# The trailing "." keeps the line ends that $( ) would strip.
check "UTF-8 argument" $'2*3 = 6\r\n.' "$("$runner" "$cli" --no-config $'2 \xC3\x97 3'; echo .)"
# Ctrl-Z is no end of piped input.
check "UTF-8 input" $'6/2 = 3\r\n\r\n1+1 = 2\r\n.' \
    "$(printf '6 \xC3\xB7 2\r\n\x1a\n1+1\n' | "$runner" "$cli" --no-config; echo .)"
"$runner" "$cli" --bogus > /dev/null 2>&1
check "usage error status" 2 $?
"$runner" "$cli" --no-config 1+1 > /dev/null 2>&1
check "success status" 0 $?
exit $((failures > 0))
