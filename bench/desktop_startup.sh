#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Time from process start to the main window shown, and the memory when idle,
# for the real desktop program on a virtual X server. Needs xvfb and xdotool.
# Usage: bench/desktop_startup.sh [build/molvane] [runs]
set -euo pipefail
program=$(realpath "${1:-build/molvane}")
runs=${2:-5}
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
XDG_CONFIG_HOME="$config" xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    for run in $(seq "$1"); do
        start=$(date +%s%N)
        "$0" & app=$!
        for _ in $(seq 2000); do
            xdotool search --onlyvisible --name "^Molvane$" > /dev/null 2>&1 && break
            sleep 0.005
        done
        shown=$(date +%s%N)
        sleep 1.5
        rss=$(awk "/VmRSS/ {print \$2}" /proc/$app/status)
        echo "run $run: window shown after $(( (shown - start) / 1000000 )) ms; idle memory ${rss} kB"
        kill $app
        wait $app 2> /dev/null || true
    done
' "$program" "$runs" 2> /dev/null
