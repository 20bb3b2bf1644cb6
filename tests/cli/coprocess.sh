#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# molvane-cli as a co-process: a script writes one task, waits for its answer
# and only then writes the next, as a program that drives a calculator does.
# Each answer must arrive while the pipe stays open, before any more input;
# answers held back until the end of the input would stall the script here.
# Usage: coprocess.sh MOLVANE_CLI
set -uo pipefail
cli=$1
failures=0
ask() {  # ask TASK EXPECTED; false when no answer came, so the rest is skipped
    local task=$1 expected=$2 answer
    printf '%s\n' "$task" >&"${calculator[1]}"
    if ! IFS= read -r -t 10 answer <&"${calculator[0]}"; then
        echo "no answer to '$task' within 10 seconds"
        failures=$((failures + 1))
        return 1
    fi
    if [ "$answer" != "$expected" ]; then
        echo "'$task': expected '$expected', got '$answer'"
        failures=$((failures + 1))
    fi
}
for options in "" "-f -" --json; do
    coproc calculator { "$cli" --no-config $options; }
    if [ "$options" != --json ]; then
        ask '2+3' '2+3 = 5' && ask '*4' '5*4 = 20' && ask 'h2o' 'H2O = 18.01528'
    else
        ask '2+3' '{"kind":0,"szTask":"2+3","szMaths":"2+3","szResult":"5","szAnswer":"5","szMemory":"","angleUnit":0,"numberMode":0,"decimals":2,"digitGrouping":0,"functionSeparator":1,"decimalComma":0,"kindName":"plain","answer":"5"}' &&
            ask '=note' '{"skipped":"comment"}'
    fi
    exec {calculator[1]}>&-
    wait "$calculator_PID" || { echo "molvane-cli $options ended with $?"; failures=$((failures + 1)); }
done
exit $((failures > 0))
