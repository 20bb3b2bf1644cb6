#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets (clang, AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each for SECONDS seconds (default 30) from its seeds in fuzz/corpus/<target>/.
# A fuzz/<target>.dict, when there is one, gives the fuzzer the words of its input.
# Fails on any crash, hang, leak or sanitizer report; the input that caused it is
# kept as BUILD_DIR/fuzz/artifacts/<target>-crash-... to reproduce with
#   BUILD_DIR/fuzz/<target> FILE
# Usage: scripts/fuzz.sh [SECONDS]     (BUILD_DIR defaults to build-fuzzing)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=${BUILD_DIR:-build-fuzzing}

if ! command -v clang++ > /dev/null; then
    echo "fuzz.sh: clang++ is needed (Debian: apt-get install clang libclang-rt-dev)" >&2
    exit 2
fi
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMOLVANE_FUZZ=ON -DMOLVANE_SANITIZE=ON -DMOLVANE_BUILD_GUI=OFF -DMOLVANE_BUILD_TESTS=OFF \
    -DMOLVANE_BUILD_BENCH=OFF -DMOLVANE_WERROR=ON > /dev/null
cmake --build "$build" -j "${JOBS:-2}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
mkdir -p "$build/fuzz/artifacts"
status=0
for fuzzer in "$build"/fuzz/fuzz_*; do
    [ -x "$fuzzer" ] || continue
    name=$(basename "$fuzzer")
    seeds=fuzz/corpus/$name
    # New inputs go to a working corpus in the build folder; the seeds stay as they are.
    work=$build/fuzz/corpus/$name
    mkdir -p "$work"
    log=$build/fuzz/$name.log
    dictionary=()
    if [ -f "fuzz/$name.dict" ]; then dictionary=(-dict="fuzz/$name.dict"); fi
    echo "== $name: $seconds s =="
    if "$fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
           -print_final_stats=1 -artifact_prefix="$build/fuzz/artifacts/$name-" "${dictionary[@]}" \
           "$work" "$seeds" > "$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
        echo "$name: ${runs:-?} executions in $seconds s, no crash"
    else
        tail -40 "$log"
        echo "$name: FAILED (log: $log)"
        status=1
    fi
done
exit $status
