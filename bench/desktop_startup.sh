#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Time from process start to the main window shown, and the memory when idle,
# for the real desktop program on a virtual X server, side by side in one loop
# with the desktop calculators a user would otherwise start (SpeedCrunch and
# galculator, where installed), so that a busy machine slows them all alike.
# Prints each run, then the median of each program and its ratio to Molvane's.
# Needs xvfb and xdotool; the peers are never installed by this script.
# Usage: bench/desktop_startup.sh [build/molvane] [runs]
set -euo pipefail
program=$(realpath "${1:-build/molvane}")
runs=${2:-5}
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
# Each program with the title its main window shows.
contenders=("$program" "^Molvane$")
for peer in speedcrunch:SpeedCrunch galculator:galculator; do
    command -v "${peer%%:*}" > /dev/null && contenders+=("$(command -v "${peer%%:*}")" "^${peer#*:}$")
done
XDG_CONFIG_HOME="$config" xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    runs=$1
    shift
    for run in $(seq "$runs"); do
        for ((i = 1; i <= $#; i += 2)); do
            binary=${!i}
            title_index=$((i + 1))
            title=${!title_index}
            start=$(date +%s%N)
            "$binary" > /dev/null 2>&1 & app=$!
            for _ in $(seq 2000); do
                xdotool search --onlyvisible --name "$title" > /dev/null 2>&1 && break
                sleep 0.005
            done
            shown=$(date +%s%N)
            sleep 1.5
            rss=$(awk "/VmRSS/ {print \$2}" /proc/$app/status)
            echo "run $run: $(basename "$binary"): window shown after $(( (shown - start) / 1000000 )) ms; idle memory ${rss} kB"
            kill $app
            wait $app 2> /dev/null || true
        done
    done
' bash "$runs" "${contenders[@]}" 2> /dev/null | tee "$config/runs.txt"
# The median of each program's times, and each against Molvane's.
awk '{ name = $3; sub(":", "", name); times[name] = times[name] " " $7; if (!(name in seen)) { seen[name] = 1; names[++count] = name } }
     END {
         for (k = 1; k <= count; k++) {
             name = names[k]
             n = split(times[name], values, " ")
             for (a = 1; a <= n; a++) for (b = a + 1; b <= n; b++) if (values[b] < values[a]) { t = values[a]; values[a] = values[b]; values[b] = t }
             median[name] = n % 2 ? values[(n + 1) / 2] : (values[n / 2] + values[n / 2 + 1]) / 2
             runs[name] = n
         }
         for (k = 1; k <= count; k++) {
             name = names[k]
             printf "%s: median %d ms over %d runs (%.2f x the first)\n", name, median[name], runs[name], median[name] / median[names[1]]
         }
     }' "$config/runs.txt"
