#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Times molvane-cli builds side by side on the same function-heavy lines.

Writes a seeded file of tasks that each call two to four functions of the table
(every function, in radians, degrees and grads), runs each molvane-cli on it in
turn, several rounds, and prints the best time of each and its ratio to the
first. A benchmark, not a test.

    bench/functions_cli.py OLD_CLI NEW_CLI [--lines 200000] [--rounds 3]
"""
import argparse
import os
import random
import subprocess
import tempfile
import time

FUNCTIONS = ["sin", "cos", "tan", "cot", "sec", "csc", "asin", "acos", "atan", "acot", "asec", "acsc",
             "sinh", "cosh", "tanh", "coth", "asinh", "acosh", "atanh", "acoth", "exp", "ln", "log",
             "alog", "sqr", "sqrt"]
# Arguments each function takes.
RANGES = {"asin": (-1, 1), "acos": (-1, 1), "atanh": (-0.99, 0.99), "asec": (1, 50), "acsc": (1, 50),
          "acosh": (1, 100), "acoth": (1.01, 50), "ln": (0.01, 1000), "log": (0.01, 1000),
          "sqrt": (0, 1000), "exp": (-50, 50), "alog": (-20, 20), "sinh": (-20, 20), "cosh": (-20, 20)}


def task(rng):
    calls = []
    for _ in range(rng.randint(2, 4)):
        name = rng.choice(FUNCTIONS)
        low, high = RANGES.get(name, (-400, 400))
        calls.append(f"{name}{rng.uniform(low, high):.{rng.randint(1, 8)}f}")
    return "+".join(calls)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("clis", nargs="+")
    parser.add_argument("--lines", type=int, default=200000)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    units = ["#rad", "#deg", "#grad"]
    with tempfile.TemporaryDirectory() as work:
        path = os.path.join(work, "tasks.txt")
        with open(path, "w") as out:
            for i in range(args.lines):
                out.write((units[i // 1000 % 3] if i % 1000 == 0 else task(rng)) + "\n")
        best = [float("inf")] * len(args.clis)
        for _ in range(args.rounds):
            for i, cli in enumerate(args.clis):
                start = time.monotonic()
                subprocess.run([cli, "--no-config", "-t", "-f", path], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
                best[i] = min(best[i], time.monotonic() - start)
    for cli, seconds in zip(args.clis, best):
        print(f"{seconds:7.2f} s  {seconds / best[0]:5.2f}x  {cli}")


if __name__ == "__main__":
    main()
