#!/usr/bin/env bash
# Makes docs/screenshot.png: the main window beside the Task History window,
# after a few tasks typed for real, on a virtual X server (Xvfb).
# Needs xvfb, xdotool and imagemagick (installed when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
for package in xvfb xdotool imagemagick; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$package"
    fi
done

program=${1:-build/molvane}
[ -x "$program" ] || { echo "build the desktop program first: $program is missing" >&2; exit 2; }
mkdir -p docs
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT

XDG_CONFIG_HOME="$config" xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -e
    "$0" & app=$!
    for _ in $(seq 50); do
        window=$(xdotool search --name "^Molvane$" 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.2
    done
    xdotool windowfocus --sync "$window"
    for task in "2h2o" "#deg" "2sin30" "x^2-3x+2" "NaCl*2" "(1+2)*3^2"; do
        xdotool type --delay 20 "$task"
        xdotool key Return
    done
    xdotool key F9
    sleep 1
    import -window root /tmp/molvane_screen.png
    kill $app
' "$program"

# Cut the screen down to the two windows, side by side at the centre.
convert /tmp/molvane_screen.png -trim +repage docs/screenshot.png
rm -f /tmp/molvane_screen.png
echo "docs/screenshot.png written"
