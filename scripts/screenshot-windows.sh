#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Pictures of the Windows program under Wine, at 100% and at 150% scaling
# (144 dots per inch, on a screen of 1920 x 1080), each after a formula with the Composition window open
# beside the main window: docs/windows-100.png and docs/windows-150.png.
# Each scaling gets a Wine prefix of its own, made afresh, on a virtual X
# server with a window manager; the program is driven from outside by the
# smoke driver, as scripts/windows-smoke.sh drives it.
# Usage: scripts/screenshot-windows.sh [WINDOWS_BUILD]   (default build-windows)
# Needs a build made by scripts/windows.sh, and wine, xvfb, openbox and
# imagemagick (installed when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build-windows}")
program=$build/ui/win32/molvane.exe
driver=$build/tests/win32/smoke-driver.exe
[ -f "$program" ] && [ -f "$driver" ] || { echo "run scripts/windows.sh first: $program is missing" >&2; exit 2; }
bash scripts/install-deps.sh wine wine64 xvfb openbox imagemagick > /dev/null
if [ -z "${MOLVANE_INSIDE_X:-}" ]; then
    MOLVANE_INSIDE_X=1 exec xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$build"
fi

mkdir -p docs
work=$build/screenshots
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
openbox > /dev/null 2>&1 &
window_manager=$!
trap 'wineserver -k > /dev/null 2>&1 || true; kill "$window_manager" 2> /dev/null || true' EXIT
printf '(NH4)2SO4+Al2(SO4)3+24H2O\n' > "$build/formula.txt"
view_composition=2308 # View > Composition (Ctrl+K)
for percent in 100 150; do
    export WINEPREFIX=$work/prefix-$percent
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot -i > /dev/null 2>&1 < /dev/null
    wineserver -w
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $((96 * percent / 100)) /f \
        > /dev/null 2>&1
    wineserver -w
    run() { wine "$driver" "$@" | tr -d '\r'; }
    # The started program keeps the driver's output open: it goes to a file.
    wine "$driver" start "$(winepath -w "$program")" > "$work/start-$percent.txt"
    run tasks "$(winepath -w "$build/formula.txt")" > /dev/null
    run command $view_composition > /dev/null
    sleep 1
    import -window root -trim +repage "docs/windows-$percent.png"
    run close > /dev/null || true
    wineserver -k > /dev/null 2>&1 || true
    wineserver -w
    echo "docs/windows-$percent.png written"
done
