#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs molvane_functions_bench builds of two commits in turn, several times, and
prints for each function its CPU time per call before and after, the C library's
in the same runs, and the ratio of the after to the C library's (the median of
each run's ratio, as a shared machine's speed changes from run to run).

Usage: function_ratios.py BEFORE_BENCH AFTER_BENCH [--runs N] [--min-time S] [--filter REGEX]
    (REGEX as Google Benchmark's --benchmark_filter; the C library's runs are kept beside)"""
import argparse
import json
import statistics
import subprocess


def run(bench, min_time, pattern):
    done = subprocess.run([bench, f"--benchmark_min_time={min_time}", "--benchmark_format=json",
                           f"--benchmark_filter={pattern}"], capture_output=True, check=True)
    return {b["name"]: b["cpu_time"] for b in json.loads(done.stdout)["benchmarks"]}


def library_name(name):
    """The C library's benchmark beside an engine one: BM_sin/deg runs beside BM_libc_sin."""
    base = name.split("/")[0][3:]
    return "BM_libc_pow" if base == "Power" else "BM_libc_" + base


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("before")
    parser.add_argument("after")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--min-time", default="0.1")
    parser.add_argument("--filter", default="")
    options = parser.parse_args()
    pattern = f"({options.filter})|BM_libc_" if options.filter else "."
    before, after = [], []
    for _ in range(options.runs):
        before.append(run(options.before, options.min_time, pattern))
        after.append(run(options.after, options.min_time, pattern))
    print(f"{'function':14} {'before ns':>10} {'after ns':>9} {'libc ns':>8} {'after/libc':>10}")
    for name in after[0]:
        if name.startswith("BM_libc_"):
            continue
        library = library_name(name)
        old = statistics.median(r[name] for r in before if name in r) if name in before[0] else float("nan")
        new = statistics.median(r[name] for r in after)
        if library in after[0]:
            libc = statistics.median(r[library] for r in after)
            ratio = f"{statistics.median(r[name] / r[library] for r in after):10.2f}"
            libc_text = f"{libc:8.2f}"
        else:
            ratio, libc_text = f"{'':>10}", f"{'':>8}"
        print(f"{name[3:]:14} {old:10.1f} {new:9.2f} {libc_text} {ratio}")


main()
