#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the pictures of the README and of docs/:
# - docs/screenshot.png: the main window beside the Task History window, after
#   a few tasks typed for real with Task Numbering on, on a virtual X server
#   (Xvfb) with a window manager (openbox);
# - docs/printed-page.png: the first page of that history as the program
#   prints it (File > Print to a PDF file, read back with pdftoppm);
# - docs/window-light.png, docs/window-dark.png: the main window under the
#   light and a dark palette (the widget test, offscreen);
# - docs/qt-100.png, docs/qt-200.png: the main window with the Composition
#   window of a formula beside it, at 100% and at a zoom of 200%, on a screen
#   large enough for both.
# Needs xvfb, openbox, xdotool, imagemagick and poppler-utils (installed when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh xvfb openbox xdotool imagemagick poppler-utils

program=${1:-build/molvane}
widget_test=${2:-build/tests/qt/qt_main_window_test}
[ -x "$program" ] || { echo "build the desktop program first: $program is missing" >&2; exit 2; }
program=$(realpath "$program")
mkdir -p docs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Task Numbering on (#504), so the page shows numbered entries and their tabs.
mkdir -p "$work/config/molvane"
printf '#504\r\n' > "$work/config/molvane/mvn.cfg"

(cd "$work" && HOME="$work" XDG_CONFIG_HOME="$work/config" \
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -e
    openbox & wm=$!
    sleep 1
    "$0" & app=$!
    for _ in $(seq 50); do
        window=$(xdotool search --name "^Molvane$" 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.2
    done
    xdotool windowactivate --sync "$window"
    for task in "2+3" "h2so4" "x^2-5x+6" "#deg" "2sin30" "NaCl*2" "(1+2)*3^2"; do
        xdotool type --delay 20 "$task"
        xdotool key Return
    done
    xdotool key F9
    sleep 1
    import -window root screen.png
    # File > Print: with no printer installed the dialog prints to a PDF file
    # named after the document, in the current folder.
    xdotool windowactivate --sync "$window"
    xdotool key ctrl+p
    sleep 2
    xdotool key Return
    for _ in $(seq 50); do
        pdf=$(ls ./*.pdf 2>/dev/null | head -n 1 || true)
        [ -n "$pdf" ] && [ -s "$pdf" ] && break
        sleep 0.2
    done
    sleep 1
    kill $app $wm
' "$program")

# Cut the screen down to the two windows, side by side at the centre.
convert "$work/screen.png" -trim +repage docs/screenshot.png
echo "docs/screenshot.png written"

pdf=$(ls "$work"/*.pdf 2>/dev/null | head -n 1 || true)
[ -n "$pdf" ] || { echo "the program printed no PDF" >&2; exit 1; }
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$pdf" docs/printed-page
echo "docs/printed-page.png written (first page of the printed history)"

# A fresh configuration each time, with only the zoom the window starts at.
for zoom in 100 200; do
    rm -rf "$work/config/molvane"
    mkdir -p "$work/config/molvane"
    printf '[view]\nzoom=%s\n' "$zoom" > "$work/config/molvane/desktop.ini"
    (cd "$work" && HOME="$work" XDG_CONFIG_HOME="$work/config" \
        xvfb-run -a -s "-screen 0 1600x1200x24" bash -c '
        set -e
        openbox & wm=$!
        sleep 1
        "$0" & app=$!
        for _ in $(seq 50); do
            window=$(xdotool search --name "^Molvane$" 2>/dev/null | head -n 1 || true)
            [ -n "$window" ] && break
            sleep 0.2
        done
        xdotool windowactivate --sync "$window"
        xdotool type --delay 20 "(NH4)2SO4+Al2(SO4)3+24H2O"
        xdotool key Return ctrl+k
        sleep 1
        import -window root -trim +repage "qt-$1.png"
        kill $app $wm
    ' "$program" "$zoom")
    cp "$work/qt-$zoom.png" docs/
done
echo "docs/qt-100.png and docs/qt-200.png written"

if [ -x "$widget_test" ]; then
    QT_QPA_PLATFORM=offscreen MOLVANE_SCREENSHOTS="$PWD/docs" "$widget_test" \
        --gtest_filter='*DarkPalette*' > /dev/null
    echo "docs/window-light.png and docs/window-dark.png written"
fi
