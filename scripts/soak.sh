#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Soak run: a million generated tasks (arithmetic, functions, formulas, quadratic
# equations, directives, the memory and the previous answer) through one
# molvane-cli process. Prints tasks per second and the peak memory of a short
# run (the first 10 000 tasks) beside that of the whole run: a flat memory gives
# the same figure for both. The memory is also sampled while the long run goes.
# With --huge it then feeds a 200 MB task file and a 200 MB configuration file.
# Not part of CI.
# Usage: scripts/soak.sh [--huge] [MOLVANE_CLI]   (default: build/molvane-cli)
set -euo pipefail
cd "$(dirname "$0")/.."
huge=0
if [ "${1:-}" = "--huge" ]; then huge=1; shift; fi
cli=${1:-build/molvane-cli}
tasks=${TASKS:-1000000}
if [ ! -x "$cli" ]; then
    echo "soak.sh: no molvane-cli at $cli (build it first or name it)" >&2
    exit 2
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The same tasks every run: mawk's generator with a fixed seed.
awk -v count="$tasks" 'BEGIN {
    srand(20261206)
    split("sin30|cos(pi/3)|tan45|sqrt2|ln10|log1000|exp1|asin0.5|abs-7|int7.9|sgn-2|sqr12|alog2|aln1|5!|ran10|2sin30+cos60", fn, "|")
    split("H2O|NaCl|C6H12O6|2H2SO4|Ca(OH)2|Fe2(SO4)3|CuSO4*5H2O|He-1|KMnO4|C2H5OH", formula, "|")
    split("x^2-3x+2|2x^2+x-1|x^2+1|-x^2+4|x^2-2x+1|3x^2-pi", quadratic, "|")
    split("#deg|#rad|#grad|#fix 4|#sci 3|#auto|#dig 1|#dig 0|#fun 0|#fun 1|#comma|#dot|#dec 6", directive, "|")
    split("#mem|#mem+|#mem-|mem*2|ans+1|*2|+mem|-3|#20", memory, "|")
    for (i = 0; i < count; i++) {
        kind = int(rand() * 6)
        a = int(rand() * 1000); b = int(rand() * 100) + 1; c = int(rand() * 10)
        if (kind == 0) {
            if (rand() < 0.5) printf "%d+%d*%d\n", a, b, c
            else printf "(%d-%d.%d)/%d^2\n", a, b, c, b
        } else if (kind == 1) print fn[int(rand() * 17) + 1]
        else if (kind == 2) print formula[int(rand() * 10) + 1]
        else if (kind == 3) print quadratic[int(rand() * 6) + 1]
        else if (kind == 4) print directive[int(rand() * 13) + 1]
        else print memory[int(rand() * 9) + 1]
    }
}' > "$work/tasks.txt"
head -n 10000 "$work/tasks.txt" > "$work/first.txt"

# peak KB and seconds of one run, from GNU time
measure() {
    /usr/bin/time -f '%M %e' -o "$work/time.txt" "$cli" --no-config -f "$1" > /dev/null
    cat "$work/time.txt"
}

read -r shortPeak shortSeconds < <(measure "$work/first.txt")

# The long run, with the resident memory sampled every second.
/usr/bin/time -f '%M %e' -o "$work/long.txt" "$cli" --no-config -f "$work/tasks.txt" > /dev/null &
timer=$!
: > "$work/samples.txt"
while kill -0 "$timer" 2> /dev/null; do
    for pid in $(cat "/proc/$timer/task/$timer/children" 2> /dev/null); do
        sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\).*/\1/p' "/proc/$pid/status" 2> /dev/null >> "$work/samples.txt" || true
    done
    sleep 0.2
done
wait "$timer"
read -r longPeak longSeconds < "$work/long.txt"

rate=$(awk -v n="$tasks" -v s="$longSeconds" 'BEGIN { printf "%.0f", (s > 0 ? n / s : n) }')
echo "== Soak: $tasks tasks in one molvane-cli =="
echo "tasks per second:           $rate ($longSeconds s)"
echo "peak memory, first 10000:   $shortPeak KB ($shortSeconds s)"
echo "peak memory, all $tasks: $longPeak KB"
if [ -s "$work/samples.txt" ]; then
    echo "resident memory sampled:    first $(head -n 1 "$work/samples.txt") KB, last $(tail -n 1 "$work/samples.txt") KB ($(wc -l < "$work/samples.txt") samples, five a second)"
fi
growth=$((longPeak - shortPeak))
echo "growth from start to end:   $growth KB"

if [ "$huge" -eq 1 ]; then
    echo "== 200 MB files =="
    # One line with no line end: refused as too long, in bounded memory or not.
    head -c 209715200 /dev/zero | tr '\0' '7' > "$work/huge.txt"
    echo "task file, one 200 MB line:      $(measure "$work/huge.txt" | awk '{ print $1 " KB peak, " $2 " s" }')"
    # 200 MB of tasks in lines.
    : > "$work/lines.txt"
    while [ "$(stat -c %s "$work/lines.txt")" -lt 209715200 ]; do cat "$work/tasks.txt" >> "$work/lines.txt"; done
    head -c 209715200 "$work/lines.txt" > "$work/huge.txt"
    rm -f "$work/lines.txt"
    echo "task file, 200 MB of lines:      $(measure "$work/huge.txt" | awk '{ print $1 " KB peak, " $2 " s" }')"
    # A configuration file of binary junk is read in pieces.
    head -c 209715200 /dev/urandom > "$work/huge.cfg"
    /usr/bin/time -f '%M %e' -o "$work/time.txt" "$cli" --config "$work/huge.cfg" 1+1 > /dev/null
    echo "configuration, 200 MB of junk:   $(awk '{ print $1 " KB peak, " $2 " s" }' "$work/time.txt")"
fi
