#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows installer as a user meets it: builds the installer and the
# portable zip, installs silently into a fresh Wine prefix, starts the installed
# program, types one task of each kind and saves the history through the Save As
# dialog, and compares the saved task lines with molvane-cli.exe's answers. Takes
# pictures of the main window, the history window and an open menu, and prints
# the sizes and the start-up time. Run by scripts/windows.sh, which has built
# the folder and opened the X display (DISPLAY) that Wine draws on.
# Usage: windows-smoke.sh [WINDOWS_BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
smoke=$PWD/$build/smoke
driver=$PWD/$build/tests/win32/smoke-driver.exe
[ -n "${DISPLAY:-}" ] || { echo "windows-smoke.sh: needs an X display (DISPLAY)" >&2; exit 1; }

fail() {
    echo "windows-smoke.sh: $*" >&2
    exit 1
}

# Both packages, from what the build made.
(cd "$build" && cpack -G "NSIS;ZIP" > "$smoke.cpack.log") || { cat "$smoke.cpack.log" >&2; exit 1; }
installer=$(ls "$build"/molvane-*-win64.exe)
# The installer shows the licence before anything is installed.
grep -q 'MUI_PAGE_LICENSE ".*LICENSE.txt"' "$build"/_CPack_Packages/win64/NSIS/project.nsi ||
    fail "the installer shows no licence page"
zip=$(ls "$build"/molvane-*-win64.zip)
zipped=$(unzip -Z1 "$zip")
for file in molvane.exe molvane-cli.exe help/molvane-help.html LICENSE.txt THIRD-PARTY-NOTICES.txt; do
    grep -qx "molvane-[0-9.]*-win64/$file" <<< "$zipped" || fail "the zip holds no $file"
done

# A new prefix, as on a Windows where Molvane was never installed.
rm -rf "$smoke"
mkdir -p "$smoke"
export WINEPREFIX=$smoke/wine-prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# A window manager frames the windows as a desktop does, the program's icon in
# their title bars.
openbox > /dev/null 2>&1 &
window_manager=$!
trap 'wineserver -k > /dev/null 2>&1 || true; kill "$window_manager" 2> /dev/null || true' EXIT
wineboot -i > /dev/null 2>&1 < /dev/null
wineserver -w
wineserver -p > /dev/null 2>&1 < /dev/null || true

wine "$installer" /S
folder="$WINEPREFIX/drive_c/Program Files/Molvane"
for file in molvane.exe molvane-cli.exe help/molvane-help.html LICENSE.txt Uninstall.exe; do
    [ -f "$folder/$file" ] || fail "the installer put no $file into Program Files\\Molvane"
done
menu_entry="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Molvane/Molvane.lnk"
grep -qaF 'C:\Program Files\Molvane\molvane.exe' "$menu_entry" || fail "the Start menu has no entry for the program"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Molvane'
wine reg query "$uninstall_key" /v UninstallString > /dev/null 2>&1 || fail "no uninstaller registered"
vendor_key='HKLM\Software\The Molvane developers'
wine reg query "$vendor_key" > /dev/null 2>&1 || fail "the installer wrote no key of its vendor's"

run() { wine "$driver" "$@" | tr -d '\r'; }
# The started program inherits the driver's output, so that goes to a file: a
# pipe would stay open as long as the program runs.
start() {
    wine "$driver" start 'C:\Program Files\Molvane\molvane.exe' > "$smoke/start.txt"
    tr -d '\r' < "$smoke/start.txt"
}
# The first start after installing fills Wine's caches; the later ones are what
# a user sees on every later day.
first_start=$(start)
warm_starts=""
for _ in 1 2 3; do
    run close
    warm_starts+="$(start) "
done

# One task of each kind: arithmetic (typed with the multiplication and division
# signs), a function, a formula, an equation and a "#" command, whose effect
# shows in the task after it.
cat > "$smoke/tasks.txt" << 'EOF'
2+3*4
2 × 3 ÷ 4
sqrt(2)*ln(10)
h2so4
x^2-3x+2
#fix 3
1/3
EOF
cp "$smoke/tasks.txt" "$WINEPREFIX/drive_c/users/Public/tasks.txt"
run tasks 'C:\users\Public\tasks.txt'
import -window root -crop "$(run rect main)" +repage "$smoke/main-window.png"
view_history=2304 # View > Task History (F9) shows and hides it
run command $view_history
import -window root -crop "$(run rect history)" +repage "$smoke/history-window.png"
run command $view_history
run open-menu
import -window root -crop "$(run rect menu)" +repage "$smoke/file-menu.png"
run close-menu

run save 'C:\users\Public\history.txt'
run close
wine "$folder/molvane-cli.exe" --no-config -f 'C:\users\Public\tasks.txt' | tr -d '\r' > "$smoke/cli.txt"
# One version: the program's, the installer's name and the About box's release.
version=$(wine "$folder/molvane-cli.exe" --version | tr -d '\r')
version=${version#molvane-cli }
[ "$(basename "$installer")" = "molvane-$version-win64.exe" ] || fail "$(basename "$installer") is not version $version"
grep -qaF "Molvane ver. ${version%.*}" "$folder/molvane.exe" || fail "the About box names no release ${version%.*}"
# The saved history: a header (its lines start with a tab), a blank line
# before each task, and after a line of "=" a footer.
tr -d '\r' < "$WINEPREFIX/drive_c/users/Public/history.txt" | sed '/^=====/,$d' | grep -v -e '^$' -e $'^\t' \
    > "$smoke/saved.txt"
diff -u "$smoke/cli.txt" "$smoke/saved.txt" || fail "the saved history differs from molvane-cli's answers"

# The portable zip's programs run wherever it is unpacked.
unzip -q "$zip" -d "$WINEPREFIX/drive_c/users/Public"
answer=$(wine "$WINEPREFIX"/drive_c/users/Public/molvane-*-win64/molvane-cli.exe --no-config '2+3' | tr -d '\r')
[ "$answer" = "2+3 = 5" ] || fail "molvane-cli.exe from the zip answered '$answer'"

# Even run in place (_?=), the uninstaller ends a moment before its work is done under Wine.
wine "$folder/Uninstall.exe" /S '_?=C:\Program Files\Molvane'
uninstalled() {
    [ ! -f "$folder/molvane.exe" ] && [ ! -f "$menu_entry" ] && ! wine reg query "$uninstall_key" > /dev/null 2>&1 &&
        ! wine reg query "$vendor_key" > /dev/null 2>&1
}
for _ in $(seq 50); do uninstalled && break; sleep 0.2; done
uninstalled || fail "the uninstaller left the program, its Start menu entry, its registration or its vendor's key"

# The prefix has served its purpose (about 700 MB); a failed run leaves it to look into.
wineserver -k
wineserver -w
rm -rf "$WINEPREFIX"

echo "installer $(stat -c %s "$installer") bytes, zip $(stat -c %s "$zip") bytes," \
    "molvane.exe $(unzip -p "$zip" '*/molvane.exe' | wc -c) bytes (stripped)"
echo "first window shown after ${first_start} ms (first start after installing), ${warm_starts}ms (warm)"
echo "saved history matches molvane-cli for $(wc -l < "$smoke/tasks.txt") tasks; pictures in $smoke"
