#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# What a screen reader says while tasks are typed and answered and the keypad
# is walked with Tab. Runs a built desktop program on a virtual X server (Xvfb)
# with a window manager (openbox), a D-Bus session, the accessibility bus
# (at-spi) and the Orca screen reader; types 2+3 and Enter (twice), a quadratic
# and a division by zero with xdotool, then Tabs through the keypad's first
# rows, switching the inverse key on and off; after each step it prints the
# lines Orca spoke, as its debug log records them, and after the last answer
# where the focus is, as the accessibility tree tells it. Speech goes through
# speech-dispatcher and espeak-ng to a silent output, so no sound card is
# needed. Takes about a minute.
# Not part of CI: it waits on a screen reader's own pace and shows what a
# listener hears; the widget test checks the announcement itself.
# Builds nothing. Needs Debian's orca, at-spi2-core, python3-pyatspi,
# speech-dispatcher, espeak-ng, xvfb, openbox and xdotool (installed when missing).
# Usage: scripts/screen-reader-transcript.sh [program [folder to keep the logs in]]
set -euo pipefail

if [ "${1:-}" = "--inside" ]; then
    # Inside the X server and the D-Bus session: $2 the program, $3 the work
    # folder; the caller's error output is on descriptor 3.
    exec 2>&3
    program=$2
    work=$3
    pids=()
    cleanup() {
        local pid
        for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
        if [ -f "$XDG_RUNTIME_DIR/speech-dispatcher/pid" ]; then
            kill "$(cat "$XDG_RUNTIME_DIR/speech-dispatcher/pid")" 2>/dev/null || true
        fi
    }
    trap cleanup EXIT
    # Waits up to $1 tenths of a second for the command that follows to succeed.
    wait_for() {
        local tenths=$1
        shift
        for _ in $(seq "$tenths"); do
            if "$@"; then return 0; fi
            sleep 0.1
        done
        return 1
    }
    # What Orca has spoken so far, a line each.
    speech() { sed -n "s/^.* - SPEECH OUTPUT: '\(.*\)' *{.*$/\1/p" "$work/orca-debug.txt" 2>/dev/null | sed 's/ *$//'; }
    spoken() { speech | grep "^$1" > /dev/null; }
    said() { speech | wc -l; }
    more_said() { [ "$(said)" -gt "$1" ]; }

    /usr/libexec/at-spi-bus-launcher --launch-immediately > "$work/at-spi.txt" 2>&1 &
    pids+=($!)
    openbox > "$work/openbox.txt" 2>&1 &
    pids+=($!)
    # Orca started as /usr/bin/orca would: its debug log written line by line,
    # so nothing said is lost when it is stopped, and without its check for
    # other Orcas, which would stop (--replace) or refuse to run beside an Orca
    # of the same user in another session on this machine.
    /usr/bin/python3 - "$work/orca-debug.txt" > "$work/orca.txt" 2>&1 << 'PY' &
import sys
from orca import debug
debug.debugLevel = debug.LEVEL_ALL
debug.eventDebugLevel = debug.LEVEL_OFF
debug.debugFile = open(sys.argv[1], "w", buffering=1)
from orca import orca
manager = orca.getSettingsManager()
manager.activate(None, {})
sys.path.insert(0, manager.getPrefsDir())
sys.exit(orca.main())
PY
    pids+=($!)
    wait_for 300 spoken "Screen reader on." || { echo "Orca did not start: see $work/orca.txt" >&2; exit 1; }

    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" > "$work/program.txt" 2>&1 &
    pids+=($!)
    window=""
    find_window() { window=$(xdotool search --name "^Molvane$" 2>/dev/null | head -n 1); [ -n "$window" ]; }
    wait_for 200 find_window || { echo "no Molvane window came up" >&2; exit 1; }
    # Without --sync: openbox keeps no desktops' property, and xdotool would
    # wait for it in vain before typing.
    xdotool windowactivate "$window" 2> /dev/null || true
    wait_for 150 spoken "Task input" || echo "Orca did not say the input line got the focus" >&2
    sleep 1

    # Each step: what was done, then what Orca said after it, once it has
    # been quiet for a second (or after ten seconds).
    quiet() {
        local count
        count=$(said)
        sleep 1
        [ "$(said)" -eq "$count" ]
    }
    step() {
        local what=$1 before
        shift
        before=$(said)
        "$@"
        wait_for 100 more_said "$before" || echo "Orca said nothing within 10 seconds after: $what" >&2
        wait_for 10 quiet || true
        echo "$what"
        speech | tail -n "+$((before + 1))" > "$work/step.txt"
        sed 's/^/    /' "$work/step.txt"
    }
    echo "Orca said, on starting:"
    speech | sed 's/^/    /'
    # Each task and what must be said once after Enter (Orca ends a sentence
    # with a full stop).
    status=0
    for task in "2+3=5." "2+3=5." "x^2-3x+2=x1 = 1, x2 = 2." "1/0=Cannot divide by zero!"; do
        step "Typed ${task%%=*}:" xdotool type --delay 150 "${task%%=*}"
        step "Enter:" xdotool key Return
        if [ "$(grep -c -x -F "${task#*=}" "$work/step.txt")" -ne 1 ]; then
            echo "Orca did not say \"${task#*=}\" once after ${task%%=*} and Enter" >&2
            status=1
        fi
    done
    echo "The accessibility tree after the last answer:"
    /usr/bin/python3 - "$(basename "$program")" << 'PY' 2>&1 | tee "$work/at-spi-tree.txt"
import sys
import pyatspi

def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)

for app in pyatspi.Registry.getDesktop(0):
    if app is None or app.name != sys.argv[1]:
        continue
    for node in walk(app):
        states = node.getState()
        # The focus itself, not the window and the box around it.
        focus = states.contains(pyatspi.STATE_FOCUSED) and states.contains(pyatspi.STATE_FOCUSABLE) and not any(
            child is not None and child.getState().contains(pyatspi.STATE_FOCUSED) for child in node)
        if focus or node.getRole() == pyatspi.ROLE_NOTIFICATION:
            parent = node.parent
            print(f"  {node.getRoleName()} {node.name!r} in {parent.getRoleName()} {parent.name!r}:",
                  "focused," if states.contains(pyatspi.STATE_FOCUSED) else "not focused,",
                  "showing" if states.contains(pyatspi.STATE_SHOWING) else "not showing")
PY
    # The inverse key switched on and off: a key gives the focus back to the
    # input line, as a click would. Then the keypad row by row to Root.
    for _ in 1 2; do
        step "Tab:" xdotool key Tab
        step "Space:" xdotool key space
    done
    for _ in $(seq 18); do step "Tab:" xdotool key Tab; done
    exit "$status"
fi

cd "$(dirname "$0")/.."
bash scripts/install-deps.sh orca at-spi2-core python3-pyatspi speech-dispatcher speech-dispatcher-espeak-ng \
    speech-dispatcher-audio-plugins libao4 espeak-ng dbus xvfb xauth openbox xdotool

program=${1:-build/molvane}
[ -x "$program" ] || { echo "build the desktop program first: $program is missing" >&2; exit 2; }
program=$(realpath "$program")
work=$(mktemp -d)
keep=${2:-}
finish() {
    if [ -n "$keep" ]; then
        mkdir -p "$keep"
        cp "$work"/*.txt "$keep"/
    fi
    rm -rf "$work"
}
trap finish EXIT

# A home of its own: Orca's settings, the accessibility bus and
# speech-dispatcher's socket stay apart from any other session, and sound goes
# to libao's silent driver.
mkdir -p "$work/home/.config/speech-dispatcher"
chmod 700 "$work/home"
sed 's/^# *AudioOutputMethod .*/AudioOutputMethod "libao"/' /etc/speech-dispatcher/speechd.conf \
    > "$work/home/.config/speech-dispatcher/speechd.conf"
grep -q '^AudioOutputMethod' "$work/home/.config/speech-dispatcher/speechd.conf" ||
    echo 'AudioOutputMethod "libao"' >> "$work/home/.config/speech-dispatcher/speechd.conf"
echo "default_driver=null" > "$work/home/.libao"

HOME="$work/home" XDG_RUNTIME_DIR="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
    XDG_DATA_HOME="$work/home/.local/share" XDG_CACHE_HOME="$work/home/.cache" \
    xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    dbus-run-session -- bash "$0" --inside "$program" "$work" 3>&2 2> "$work/session.txt"
