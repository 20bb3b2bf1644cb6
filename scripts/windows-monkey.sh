#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Random input to the Windows program under Wine, as careless hands give it:
# for a while (600 s unless told) seeded random typing from a table of tasks,
# 600-character lines, Unicode, hostile pastes through the clipboard, Enter,
# Esc, Up, Down, Backspace, F9, Ctrl+K, F10, clicks on the keypad and the
# display, and every so often File > Open of a generated task file: text, long,
# CR-only, empty and binary ones. Everything goes through the X display to the
# real window, as a user's keyboard and mouse do. A message box is closed with
# Enter. A crash (the process gone, or Wine's "Program Error" window) and a
# hang (no answer for 10 s) are logged with the actions before them, and the
# program is started again after a crash. At the end it prints what was sent,
# what was opened, the crashes and hangs, and the input line's text.
# Not part of CI.
# Usage: scripts/windows-monkey.sh [--seconds N] [--seed N] [--program EXE] [WINDOWS_BUILD]
#   WINDOWS_BUILD   a folder built by scripts/windows.sh (default build-windows)
#   --program EXE   another molvane.exe, e.g. one from the unpacked portable zip
# The state of the program (does it answer, which windows it shows, the input
# line's text) is read by scripts/windows-monkey-probe.cpp, built here. The log
# of the run and the program's own output are kept in WINDOWS_BUILD/monkey.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=600
seed=20261207
program=""
while [ $# -gt 0 ]; do
    case $1 in
        --seconds) seconds=$2; shift 2 ;;
        --seed) seed=$2; shift 2 ;;
        --program) program=$2; shift 2 ;;
        *) break ;;
    esac
done
build=${1:-build-windows}
program=${program:-$build/ui/win32/molvane.exe}
[ -f "$program" ] || { echo "windows-monkey.sh: no $program (run scripts/windows.sh first)" >&2; exit 2; }
program=$(realpath "$program")

bash scripts/install-deps.sh g++-mingw-w64-x86-64-posix xvfb openbox wine wine64 xdotool xclip x11-xserver-utils \
    > /dev/null

work=$PWD/$build/monkey
mkdir -p "$work"
probe=$work/probe.exe
if [ ! "$probe" -nt scripts/windows-monkey-probe.cpp ]; then
    x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -Wpedantic -municode -static -I. \
        scripts/windows-monkey-probe.cpp -o "$probe" || exit 2
fi
events=$work/events.log
: > "$events"
: > "$work/actions.log"
# A prefix of its own, made once: the build's prefix stays as the tests left it.
export WINEPREFIX=$work/wine-prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$display_file" > /dev/null 2>&1 &
xvfb_pid=$!
window_manager=""
cleanup() {
    wineserver -k > /dev/null 2>&1 || true
    [ -n "$window_manager" ] && kill "$window_manager" 2> /dev/null
    kill "$xvfb_pid" 2> /dev/null
    rm -f "$display_file"
}
trap cleanup EXIT
for _ in $(seq 50); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$display_file")
openbox > /dev/null 2>&1 &
window_manager=$!
# The typed Unicode characters get keys of their own, two to a key, before
# Wine reads the keyboard: a key xdotool maps only while it types is not
# seen by Wine, which drops the character.
unused_keys=($(xmodmap -pke | awk 'NF == 3 && $2 > 8 { print $2 }'))
set -- multiply division twosuperior periodcentered Greek_pi U2212 onehalf onequarter EuroSign Greek_OMEGA U221A U00B3
for key in "${unused_keys[@]:0:6}"; do
    xmodmap -e "keycode $key = $1 $2"
    shift 2
done
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i > /dev/null 2>&1 < /dev/null
    wineserver -w
fi
wineserver -p > /dev/null 2>&1 < /dev/null || true
# Without Wine's crash dialog its debugger writes the backtrace into the
# program's output, which is kept; a "Program Error" window is still watched for.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f > /dev/null 2>&1
# Every run starts from the default settings.
rm -f "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Molvane/mvn.cfg

# The same numbers for the same seed; a value is drawn into $drawn, never in a
# subshell, which would draw the same number again.
RANDOM=$seed
draw() { drawn=$((RANDOM % $1)); }

tasks=(
    # arithmetic
    "2+3*4" "1/0" "2^1000" "(1+2)*(3-4)/5" "0.1+0.2" "-7.5e-300*1e-20" "99999999999999999999*9"
    "1e308*10" "2**3" "3!" "170!" "171!" "-(-(-1))" "1/3" ".5+.5" "1,5+2" "ans+1" "mem*2" "*2" "+3"
    # functions
    "sin30" "cos(pi/3)" "tan90" "sqrt(2)*ln(10)" "asin2" "ln0" "log(-1)" "exp(1000)" "abs-7" "int7.9"
    "sgn-2" "sqr12" "alog2" "acosh0.5" "atanh1" "cot0" "2sin30+cos60"
    # formulas and equations
    "H2SO4" "h2so4" "NaCl" "ca(oh)2" "CuSO4*5H2O" "K4(Fe(CN)6)" "Fe0.95O" "(NH4)2SO4" "Xx2" "C6H12O6"
    "H2O^2" "UO2" "x^2-3x+2" "x^2+1" "2x^2+x-1" "x^2-2x+1"
    # directives
    "#deg" "#rad" "#grad" "#fix 3" "#sci 5" "#auto" "#dig 1" "#dig 0" "#comma" "#dot" "#mem" "#mem+"
    "#mem-" "#20" "#x" "#fun 0" "#fun 1" "#dec 7" "#fix 99" "#" "##" "#sci -1"
    # Unicode
    "2 × 3 ÷ 4" "x²-1" "x²-3x+2" "2·3" "π/2" "sin(π)" "5²" "2³" "CuSO4·5H2O" "√2" "−5+3" "½+¼" "€5" "Ωx"
    # malformed
    ")" "(((" "1+" "+" "sin" "=" "2==2" "1e" "1e99999" "0x1F" "abc" "H2O+)("
)

# A 600-character line of one of several makes.
long_line() {
    local piece
    draw 6
    case $drawn in
        0) piece="1+" ;;
        1) piece="(" ;;
        2) piece="sin(" ;;
        3) piece="H2O" ;;
        4) piece="9" ;;
        *) piece="2×π²÷" ;;
    esac
    line=""
    while [ ${#line} -lt 600 ]; do line+=$piece; done
    line=${line:0:600}
}

# The generated task files, in the prefix where the Open dialog reaches them.
files=$WINEPREFIX/drive_c/users/Public/monkey
rm -rf "$files"
mkdir -p "$files"
printf '%s\n' "${tasks[@]}" > "$work/tasks.txt"
/usr/bin/python3 - "$files" "$seed" "$work/tasks.txt" << 'EOF'
import random, sys
folder, seed, table = sys.argv[1], int(sys.argv[2]), open(sys.argv[3], encoding="utf-8").read().split("\n")[:-1]
rng = random.Random(seed)
def tasks(count):
    return [rng.choice(table) for _ in range(count)]
def write(name, data):
    open(f"{folder}/{name}", "wb").write(data)
for i in range(6):
    write(f"text-{i}.txt", ("\r\n" if i % 2 else "\n").join(tasks(rng.randint(5, 60))).encode("utf-8"))
write("long-0.txt", "\n".join(tasks(3000)).encode("utf-8"))
write("long-1.txt", b"(" * 100000 + b"\n1+1\n")
for i in range(2):
    write(f"cr-{i}.txt", "\r".join(tasks(20)).encode("utf-8"))
write("empty.txt", b"")
# Random bytes, NULs among them: refused as not text.
for i, size in enumerate([3000, 3000, 3000, 100000, 100000, 100000]):
    write(f"binary-{i}.bin", rng.randbytes(size))
# Text with a sprinkle of NULs, control bytes and bytes 0x80-0x9F: few enough to be run.
def sprinkled(count):
    out = bytearray()
    for line in tasks(count):
        for byte in line.encode("cp1252", "replace"):
            out.append(byte)
            if rng.random() < 0.06:
                out.append(rng.choice([0, 1, 7, 8, 11, 12, 27, 31, 127] + list(range(0x80, 0xA0))))
        out += b"\n"
    return bytes(out)
for i in range(3):
    write(f"sprinkled-{i}.txt", sprinkled(rng.randint(20, 400)))
# A UTF-16 mark before random bytes: read as UTF-16 whatever follows.
write("utf16-random-0.txt", b"\xff\xfe" + rng.randbytes(3000))
write("utf16-random-1.txt", b"\xfe\xff" + rng.randbytes(30000))
write("utf16-text.txt", "\ufeff".encode("utf-16-le") + "\r\n".join(tasks(30)).encode("utf-16-le"))
EOF
file_names=()
for path in "$files"/*; do file_names+=("$(basename "$path")"); done
file_kind() { kind=${1%%-*}; kind=${kind%.txt}; }

# A hostile paste: control characters, right-to-left marks, characters outside
# the basic plane, lone bytes that are no UTF-8, line ends, a NUL, huge texts.
paste_file=$work/paste.bin
make_paste() {
    draw 12
    paste_kind=$drawn
    /usr/bin/python3 - "$paste_file" "$paste_kind" "$RANDOM" << 'EOF'
import random, sys
path, kind, seed = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rng = random.Random(seed)
texts = [
    lambda: "1+2\r\n3*4\n5".encode(),
    lambda: "".join(rng.choice("0123456789+-*/^().E") for _ in range(100000)).encode(),
    lambda: "".join(chr(rng.choice(list(range(1, 32)) + list(range(0x7F, 0xA0)) + [0x31, 0x2B])) for _ in range(80)).encode(),
    lambda: "\u202e2+3\u202c \u0661\u0662\u0663 \u05d0+1".encode(),
    lambda: "\U0001F600+1 \U0001D7D0+\U0001D7D1".encode(),
    lambda: "2\u0301+3\u0338 a\u0308\u0308\u0308".encode(),
    lambda: "2\u200b+\u00a03\ufeff\u2060".encode(),
    lambda: "\u0081\u008d\u008f\u0090\u009d1".encode(),
    lambda: "\uff12\uff0b\uff13\u00d7\uff14".encode(),
    lambda: b"\xff\xfe\x80abc\xc3(\xed\xa0\x80",
    lambda: b"12\x0034\x00\x00+1",
    lambda: ("(" * 5000 + "2×3÷4²·π").encode(),
]
open(path, "wb").write(texts[kind]())
EOF
}
paste_names=(line-ends huge controls bidi astral combining invisible code-page-gaps fullwidth bad-utf8 nul parentheses)

# Actions by kind, files by kind, message boxes by text.
declare -A sent=()
declare -A opened=()
declare -A boxes=()
crashes=0
ignored=0
hangs=0
longest_run=0
starts=0
recent=()
# Times and the process's state are read without starting a process: the
# machine may be busy, and every fork slows the hands down.
started_at=${EPOCHREALTIME/./}
now() {
    local ms=$(((${EPOCHREALTIME/./} - started_at) / 1000))
    elapsed=$((ms / 1000)).$((ms % 1000 / 100))
}
note() {
    now
    recent+=("${elapsed}s $1")
    echo "${elapsed}s $1" >> "$work/actions.log"
    [ ${#recent[@]} -gt 15 ] && recent=("${recent[@]:1}")
    sent[${1%% *}]=$((${sent[${1%% *}]:-0} + 1))
}
event() {
    now
    {
        echo "== ${elapsed}s: $1"
        echo "   last actions before it:"
        printf '     %s\n' "${recent[@]}"
    } | tee -a "$events"
}

run_probe() { timeout 40 wine "$probe" "$@" 2> /dev/null | tr -d '\r'; }

# A child that has ended stays a zombie until it is waited for.
alive() {
    local stat
    read -r stat 2> /dev/null < "/proc/$program_pid/stat" || return 1
    stat=${stat##*) }
    [[ $stat != Z* ]]
}

# The probe's lines for a message box and for the Number Format and Open dialogs.
message_box=$'window #32770\tMolvane'

main_window=""
start_program() {
    starts=$((starts + 1))
    # Wine's note of a fault it caught and ignored is let through: the command
    # that was running is abandoned, with no crash to see.
    WINEDEBUG=-all,err+seh wine "$program" > "$work/program-$starts.log" 2>&1 &
    program_pid=$!
    ignored_seen=0
    main_window=""
    for _ in $(seq 600); do
        main_window=$(xdotool search --onlyvisible --name '^Molvane$' 2> /dev/null | head -1)
        [ -n "$main_window" ] && break
        sleep 0.1
    done
    [ -n "$main_window" ] || { echo "windows-monkey.sh: the program showed no window" >&2; exit 1; }
    key_ids=()
    key_places=()
    for _ in $(seq 20); do
        sleep 1
        while read -r id x y; do
            key_ids+=("$id")
            key_places+=("$x $y")
        done < <(run_probe keys)
        [ ${#key_ids[@]} -gt 0 ] && return
    done
    echo "windows-monkey.sh: the probe found no keys" >&2
    exit 1
}

activate_main() { timeout 5 xdotool windowactivate --sync "$main_window" > /dev/null 2>&1; }

# Most actions go to the main window; some go wherever the focus was left,
# the Task History or Composition window perhaps.
maybe_activate() {
    draw 100
    [ "$drawn" -lt 85 ] && activate_main
}

# The program's other windows, as the probe sees them; returns 2 for a hang.
read_state() {
    state=$(run_probe state)
    local status=$?
    [[ $state == *"responding 1"* ]] && return 0
    # The probe could not find the window: the program may have just ended.
    [[ $state == *"responding 0"* ]] || [ "$status" -eq 124 ] && return 2
    return 1
}

other_molvane_windows() {
    xdotool search --onlyvisible --name '^Molvane$' 2> /dev/null | grep -vx "$main_window"
}

# Closes message boxes with Enter, and a Number Format or Open dialog left open with Esc.
tidy_windows() {
    local line caption text
    while IFS=$'\t' read -r line caption text; do
        case "$line|$caption" in
            "window #32770|Molvane")
                boxes[$text]=$((${boxes[$text]:-0} + 1))
                [[ $state == *MolvaneProgress* ]] && continue
                for box in $(other_molvane_windows); do
                    timeout 5 xdotool windowactivate --sync "$box" key Return > /dev/null 2>&1
                done
                note "close-box"
                ;;
            "window #32770|Number Format" | "window #32770|Open")
                for dialog in $(xdotool search --onlyvisible --name "^$caption\$" 2> /dev/null); do
                    timeout 5 xdotool windowactivate --sync "$dialog" key Escape > /dev/null 2>&1
                done
                note "close-${caption// /-}"
                ;;
            "window #32770|Task History") ;;
            "window #32770|"*)
                # A box of the file dialog's own ("Invalid character(s) in
                # path", for a path typed while keys were lost): its OK.
                for dialog in $(xdotool search --onlyvisible --name "^${caption//[()]/.}\$" 2> /dev/null); do
                    timeout 5 xdotool windowactivate --sync "$dialog" key Return > /dev/null 2>&1
                done
                note "close-box ${caption}"
                ;;
        esac
    done <<< "$state"
}

# A fault inside a window procedure that Wine caught and ignored: the program
# lives on, but the command it was running stopped where the fault struck.
check_ignored() {
    local count
    count=$(grep -c "ignoring exception" "$work/program-$starts.log" 2> /dev/null)
    [ "${count:-0}" -gt "$ignored_seen" ] || return 1
    ignored=$((ignored + count - ignored_seen))
    ignored_seen=$count
    event "a fault that Wine ignored ($count so far in this start): the running command was abandoned"
}

# Waits up to $2 seconds for a shown window whose name matches $1; its id goes to $found_window.
wait_for_window() {
    local until=$((SECONDS + $2))
    while [ $SECONDS -le $until ]; do
        found_window=$(xdotool search --onlyvisible --name "$1" 2> /dev/null | head -1)
        [ -n "$found_window" ] && return 0
        sleep 0.2
    done
    return 1
}

program_error_window() { xdotool search --onlyvisible --name 'Program Error' 2> /dev/null | head -1; }

# A crash: the process gone, or Wine's crash window shown. Logged with the
# backtrace Wine's debugger wrote, and the program started again.
check_crash() {
    local error_window=""
    [ "${1:-}" = "--look" ] && error_window=$(program_error_window)
    if [ -z "$error_window" ] && alive; then return 1; fi
    crashes=$((crashes + 1))
    if [ -n "$error_window" ]; then
        event "crash $crashes: Wine's \"Program Error\" window"
        timeout 5 xdotool windowactivate --sync "$error_window" key Return > /dev/null 2>&1
        sleep 2
        kill "$program_pid" 2> /dev/null
    else
        wait "$program_pid"
        event "crash $crashes: the program ended, exit status $?"
    fi
    wait "$program_pid" 2> /dev/null
    grep -a -A 12 -i "unhandled\|exception\|backtrace" "$work/program-$starts.log" | head -40 | sed 's/^/   | /' |
        tee -a "$events"
    check_ignored
    start_program
    return 0
}

# A hang: no answer to WM_NULL for 10 s. Given another minute to recover, then ended.
check_hang() {
    read_state
    local status=$?
    if [ $status -eq 0 ]; then
        tidy_windows
        return 0
    fi
    alive || return 0
    [ $status -eq 2 ] || return 0
    hangs=$((hangs + 1))
    event "hang $hangs: the window did not answer for 10 s"
    for _ in $(seq 6); do
        read_state && { echo "   it answered again" | tee -a "$events"; return 0; }
    done
    echo "   still no answer after a minute more: ended" | tee -a "$events"
    check_ignored
    kill "$program_pid" 2> /dev/null
    wait "$program_pid" 2> /dev/null
    start_program
}

type_text() { timeout 60 xdotool type --delay "$1" -- "$2" > /dev/null 2>&1; }
press() { xdotool key --delay 30 "$@" > /dev/null 2>&1; }

# File > Open with a path typed into the dialog; the run that follows is
# waited for, and a message box closed.
open_file() {
    draw ${#file_names[@]}
    local name=${file_names[$drawn]}
    file_kind "$name"
    note "open $name"
    activate_main
    press ctrl+o
    local dialog="" outcome=ran status
    if ! wait_for_window '^Open$' 10; then
        opened[$kind no-dialog]=$((${opened[$kind no-dialog]:-0} + 1))
        read_state
        echo "   no Open dialog; the program's state: ${state//$'\n'/ | }" >> "$work/actions.log"
        return
    fi
    dialog=$found_window
    sleep 0.5
    timeout 5 xdotool windowactivate --sync "$dialog" > /dev/null 2>&1
    type_text 5 "C:\\users\\Public\\monkey\\$name"
    press Return
    # The run shows a progress window after a second; the state is read until
    # the program's own windows are gone. A run whose progress is still shown
    # after two minutes has stopped: the main window stays disabled, so the
    # program is as good as hung, and is started again.
    local run_started=$SECONDS
    while true; do
        sleep 0.5
        check_crash --look && { outcome=crashed; break; }
        read_state
        status=$?
        [ $status -eq 2 ] && { check_hang; outcome=hung; break; }
        [ $status -eq 1 ] && continue
        if [[ $state == *MolvaneProgress* ]]; then
            [ $((SECONDS - run_started)) -lt 120 ] && continue
            hangs=$((hangs + 1))
            outcome=stuck
            event "hang $hangs: the run of $name still shows its progress after 120 s; the main window is disabled"
            check_ignored
            kill "$program_pid" 2> /dev/null
            wait "$program_pid" 2> /dev/null
            start_program
            break
        fi
        if [[ $state == *"$message_box"* ]]; then
            outcome=refused
        elif [[ $state == *$'#32770\tOpen'* ]]; then
            outcome=not-opened
        else
            break
        fi
        tidy_windows
    done
    check_ignored && outcome=$outcome-after-fault
    opened[$kind $outcome]=$((${opened[$kind $outcome]:-0} + 1))
    [ "$outcome" = ran ] && [ $((SECONDS - run_started)) -gt "$longest_run" ] && longest_run=$((SECONDS - run_started))
    now
    echo "${elapsed}s   $outcome" >> "$work/actions.log"
}

start_program
echo "windows-monkey.sh: ${seconds} s of random input, seed $seed, display $DISPLAY, logs in $work"
deadline=$((SECONDS + seconds))
last_check=$SECONDS
while [ $SECONDS -lt $deadline ]; do
    draw 100
    roll=$drawn
    if [ $roll -lt 26 ]; then
        draw ${#tasks[@]}
        maybe_activate
        note "type ${tasks[$drawn]}"
        type_text 8 "${tasks[$drawn]}"
    elif [ $roll -lt 29 ]; then
        long_line
        maybe_activate
        note "type-long ${line:0:12}..."
        type_text 1 "$line"
    elif [ $roll -lt 35 ]; then
        make_paste
        xclip -selection clipboard -i "$paste_file" > /dev/null 2>&1
        maybe_activate
        note "paste ${paste_names[$paste_kind]}"
        press ctrl+v
    elif [ $roll -lt 49 ]; then
        maybe_activate
        note "enter"
        press Return
    elif [ $roll -lt 53 ]; then
        note "esc"
        press Escape
    elif [ $roll -lt 58 ]; then
        note "up"
        press Up
    elif [ $roll -lt 61 ]; then
        note "down"
        press Down
    elif [ $roll -lt 66 ]; then
        note "backspace"
        press BackSpace BackSpace
    elif [ $roll -lt 68 ]; then
        maybe_activate
        note "f9"
        press F9
    elif [ $roll -lt 70 ]; then
        maybe_activate
        note "ctrl+k"
        press ctrl+k
    elif [ $roll -lt 72 ]; then
        activate_main
        note "f10"
        press F10
        # Esc closes the dialog once it shows; a busy program shows it late.
        if wait_for_window '^Number Format$' 5; then
            timeout 5 xdotool windowactivate --sync "$found_window" key Escape > /dev/null 2>&1
        fi
    elif [ $roll -lt 86 ]; then
        draw ${#key_ids[@]}
        activate_main
        note "click ${key_ids[$drawn]}"
        read -r x y <<< "${key_places[$drawn]}"
        xdotool mousemove "$x" "$y" click 1 > /dev/null 2>&1
    elif [ $roll -lt 89 ]; then
        # Resting over the display shows the task lines' tooltips.
        draw ${#key_ids[@]}
        note "hover ${key_ids[$drawn]}"
        read -r x y <<< "${key_places[$drawn]}"
        xdotool mousemove "$x" "$y" > /dev/null 2>&1
        sleep 1
    elif [ $roll -lt 97 ]; then
        open_file
    else
        note "pause"
        sleep 1
    fi
    draw 200
    printf -v pause '0.%03d' $((50 + drawn))
    sleep "$pause"
    check_crash
    if [ $((SECONDS - last_check)) -ge 5 ]; then
        check_crash --look || check_hang
        check_ignored
        last_check=$SECONDS
    fi
done

# The input line's text, read twice: by the probe, and as a user would copy it.
check_hang
input=$(run_probe input)
activate_main
# Copying an empty line leaves the clipboard as it was: it is emptied first.
printf '' | xclip -selection clipboard -i > /dev/null 2>&1
press ctrl+a ctrl+c
sleep 1
copied=$(timeout 5 xclip -o -selection clipboard 2> /dev/null | tr -d '\r')
closed="yes"
run_probe close > /dev/null || closed="no"

echo
total=0
for count in "${sent[@]}"; do total=$((total + count)); done
echo "== ${seconds} s, seed $seed: $total actions, $crashes crashes, $hangs hangs," \
    "$ignored faults that Wine ignored, $starts starts"
echo "actions by kind:"
for kind in "${!sent[@]}"; do printf '  %-16s %5d\n' "$kind" "${sent[$kind]}"; done | sort
echo "files opened by kind and what came of it (ran, refused with a message, not opened, stuck), the longest run ${longest_run} s:"
for kind in "${!opened[@]}"; do printf '  %-22s %5d\n' "$kind" "${opened[$kind]}"; done | sort
echo "message boxes:"
for text in "${!boxes[@]}"; do printf '  %5d  %s\n' "${boxes[$text]}" "$text"; done | sort -rn
# A long text is shown by its ends; the whole of both is kept in files.
printf '%s' "$input" > "$work/input-line.txt"
printf '%s' "$copied" > "$work/copied.txt"
shown() {
    if [ ${#1} -le 400 ]; then echo "[$1]"; else echo "[${1:0:200}] ... [${1: -200}] (whole in $2)"; fi
}
echo "input line at the end, ${#input} characters: $(shown "$input" "$work/input-line.txt")"
echo "copied with Ctrl+A, Ctrl+C, ${#copied} characters: $(shown "$copied" "$work/copied.txt")"
[ "$input" = "$copied" ] && echo "the two agree" || echo "the two differ"
echo "closed normally at the end: $closed"
echo "events (crashes, hangs, ignored faults) in $events: $(grep -c '^==' "$events")"
