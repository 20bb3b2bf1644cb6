#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Times molvane-cli against the calculators people would otherwise use.

Generates a file of plain arithmetic that every tool reads the same way
(numbers, + * / and brackets, one task a line), runs `molvane-cli -f` on it,
then `bc -l`, `python3` and `qalc` on the same lines where they are installed,
checks that the answers agree to 12 significant digits, and prints the times
and ratios. A benchmark, not a test.

    bench/peers/compare.py --cli build/molvane-cli [--lines 1000000] [--install]
"""
import argparse
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

QALC_LINE_LIMIT = 20000  # qalc is slow; it runs on the first lines and is scaled


def number(rng):
    if rng.random() < 0.5:
        return str(rng.randint(1, 9999))
    return f"{rng.randint(1, 999)}.{rng.randint(1, 99)}"


def expression(rng, depth=0):
    parts = [number(rng) if depth > 1 or rng.random() < 0.7 else "(" + expression(rng, depth + 1) + ")"]
    for _ in range(rng.randint(1, 4)):
        parts.append(rng.choice("+*/"))
        parts.append(number(rng) if depth > 1 or rng.random() < 0.8 else "(" + expression(rng, depth + 1) + ")")
    return "".join(parts)


def write_tasks(path, count, seed=1):
    rng = random.Random(seed)
    with open(path, "w") as out:
        for _ in range(count):
            out.write(expression(rng) + "\n")


def run(command, stdin_path=None, preamble=""):
    if preamble:
        # bc -l keeps 20 decimals; tiny quotients need more to show 12 significant digits.
        with open(stdin_path) as source, open(stdin_path + ".bc", "w") as out:
            out.write(preamble)
            shutil.copyfileobj(source, out)
        stdin_path += ".bc"
    start = time.perf_counter()
    with open(stdin_path) if stdin_path else open(os.devnull) as stdin:
        done = subprocess.run(command, stdin=stdin, capture_output=True, text=True, env=dict(os.environ, BC_LINE_LENGTH="0"))
    seconds = time.perf_counter() - start
    if done.returncode != 0:
        sys.exit(f"{command[0]} failed: {done.stderr[:400]}")
    return seconds, done.stdout.splitlines()


def agree(a, b):
    x, y = float(a), float(b)
    return abs(x - y) <= 5e-12 * max(abs(x), abs(y), 1e-300)


def check(name, reference, answers):
    bad = [i for i, (r, a) in enumerate(zip(reference, answers)) if not agree(r, a)]
    if len(answers) != len(reference) and len(answers) < len(reference):
        reference = reference[: len(answers)]
    status = "agree" if not bad else f"{len(bad)} disagree, first at line {bad[0] + 1}: {reference[bad[0]]} vs {answers[bad[0]]}"
    print(f"  {name:10s} answers {status} (to 12 significant digits, {len(answers)} lines)")
    return not bad


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--cli", default="build/molvane-cli")
    parser.add_argument("--lines", type=int, default=1000000)
    parser.add_argument("--install", action="store_true", help="install bc and qalc with apt-get first")
    args = parser.parse_args()

    if args.install:
        sudo = [] if os.geteuid() == 0 else ["sudo"]
        subprocess.run(sudo + ["apt-get", "install", "-y", "-qq", "bc", "qalc"], check=True)

    folder = tempfile.mkdtemp(prefix="molvane_peers_")
    tasks = os.path.join(folder, "tasks.txt")
    write_tasks(tasks, args.lines)
    print(f"{args.lines} tasks of plain arithmetic in {tasks}")

    times = {}
    seconds, lines = run([args.cli, "--no-config", "-f", tasks])
    molvane = [line.rsplit(" = ", 1)[1] for line in lines]
    times["molvane"] = seconds / len(molvane)
    check("molvane", molvane, molvane)

    if shutil.which("bc"):
        seconds, answers = run(["bc", "-l"], tasks, preamble="scale=80\n")
        times["bc -l"] = seconds / len(answers)
        check("bc -l", molvane, answers)
    if shutil.which("python3"):
        program = "import sys\nfor line in sys.stdin: print(repr(float(eval(line))))"
        seconds, answers = run(["python3", "-c", program], tasks)
        times["python3"] = seconds / len(answers)
        check("python3", molvane, answers)
    if shutil.which("qalc"):
        subset = os.path.join(folder, "qalc.txt")
        with open(tasks) as source, open(subset, "w") as out:
            for i, line in enumerate(source):
                if i >= QALC_LINE_LIMIT:
                    break
                out.write(line)
        # No currencies: qalc then needs no exchange rates from the network.
        seconds, answers = run(["qalc", "-defaults", "-nocurrencies", "-t", "-s", "precision 16", "-f", subset])
        times["qalc"] = seconds / len(answers)
        check("qalc", molvane, [a.replace("E", "e") for a in answers])

    print(f"\n{'tool':10s} {'per task':>12s} {'whole file':>12s} {'vs molvane':>11s}")
    for name, per_task in times.items():
        whole = per_task * args.lines
        print(f"{name:10s} {per_task * 1e6:10.2f} us {whole:10.2f} s {per_task / times['molvane']:10.1f}x")
    if "qalc" in times and args.lines > QALC_LINE_LIMIT:
        print(f"(qalc ran the first {QALC_LINE_LIMIT} lines; its whole-file time is scaled)")
    shutil.rmtree(folder)


if __name__ == "__main__":
    main()
