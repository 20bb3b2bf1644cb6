#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs molvane-cli under valgrind's memcheck: the golden replays, a few
# invocations (options, standard input, JSON, files good and hostile, a saved
# configuration) and the CLI's unit tests. Fails on any memcheck error or leak.
# Usage: scripts/valgrind-cli.sh      (BUILD_DIR defaults to build-valgrind)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-valgrind}

if ! command -v valgrind > /dev/null; then
    echo "valgrind-cli.sh: valgrind is needed (Debian: apt-get install valgrind)" >&2
    exit 2
fi
# Plain code: valgrind and the sanitizers do not mix, and valgrind takes glibc's
# checked memmove (the fortified build's) for an overlapping memcpy.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMOLVANE_SANITIZE=OFF -DMOLVANE_HARDENING=OFF \
    -DMOLVANE_BUILD_GUI=OFF -DMOLVANE_BUILD_BENCH=OFF -DMOLVANE_WERROR=ON > /dev/null
cli_tests=(cli_cli_run_test)
cmake --build "$build" -j "${JOBS:-2}" --target molvane-cli "${cli_tests[@]}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A status of its own for memcheck: 1 means a failed task, which the cases expect.
memcheck=(valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect)

# golden/replay.sh runs the program it is given: here, molvane-cli under memcheck.
cli=$(realpath "$build/molvane-cli")
cat > "$work/cli" <<EOF
#!/bin/sh
exec ${memcheck[*]} "$cli" "\$@"
EOF
chmod +x "$work/cli"

failures=0
check() {  # check NAME EXPECTED_STATUS COMMAND...
    local name=$1 expected=$2 status=0
    shift 2
    "$@" > "$work/out.txt" 2> "$work/err.txt" < "${input:-/dev/null}" || status=$?
    if [ "$status" -ne "$expected" ]; then
        echo "FAILED: $name (status $status, expected $expected)"
        cat "$work/err.txt"
        failures=$((failures + 1))
    else
        echo "ok: $name"
    fi
}

for golden in tests/golden/*.golden; do
    check "golden $(basename "$golden")" 0 bash tests/golden/replay.sh "$work/cli" "$golden"
done

printf '2+3\r\n*2\n#mem\n#20\nx^2-3x+2\nsin30\n' > "$work/tasks.txt"
{ printf '7\n#mem\n'; head -c 200000 /dev/urandom | tr -d '#'; printf '\nmem\n'; } > "$work/junk.txt"
{ head -c 1048576 /dev/zero | tr '\0' '9'; printf '\n1+1\n'; } > "$work/long.txt"
check "--help" 0 "$work/cli" --help
check "--version" 0 "$work/cli" --version
check "tasks as arguments" 1 "$work/cli" --no-config 2+3 '*2' '#deg' 'sin30' 'H2SO4' 'x^2+1' 1/0 '#20'
check "--json" 1 "$work/cli" --no-config --json 'x^2-3x+2' 'ans' 'Jq' "$(printf 'J\001"')"
input=$work/tasks.txt check "standard input" 0 "$work/cli" --no-config
check "task file" 0 "$work/cli" --no-config -f "$work/tasks.txt"
check "binary junk" 1 "$work/cli" --no-config -f "$work/junk.txt"
check "a megabyte line" 1 "$work/cli" --no-config -f "$work/long.txt"
check "missing file" 2 "$work/cli" --no-config -f "$work/absent.txt"
check "a folder as task file" 2 "$work/cli" --no-config -f "$work"
check "unknown option" 2 "$work/cli" --frobnicate
mkdir -p "$work/cfg"
check "save the configuration" 0 "$work/cli" --config "$work/cfg/mvn.cfg" '#deg' '#fix 4' --save-config
check "read it back" 0 "$work/cli" --config "$work/cfg/mvn.cfg" 'sin30'
check "junk as configuration" 0 "$work/cli" --config "$work/junk.txt" '1+1'
check "a save that fails" 1 "$work/cli" --config "$work/tasks.txt/mvn.cfg" --save-config

for test in "${cli_tests[@]}"; do
    check "$test" 0 "${memcheck[@]}" "$build/tests/$test" --gtest_brief=1
done

if [ "$failures" -ne 0 ]; then
    echo "valgrind-cli.sh: $failures failed"
    exit 1
fi
echo "valgrind-cli.sh: no memcheck error"
