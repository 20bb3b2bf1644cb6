#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Counts what fixed workloads cost under valgrind's callgrind, per task, and
compares it with the budgets in bench/budgets.txt. Fails when a workload costs
more than 5% above its budget; prints every figure beside its budget.

Wall-clock time on a shared machine varies by a factor of two from run to run;
the instructions a program executes do not. They miss one thing: the kernel's
work for a system call, which valgrind does not see. One write a line made
molvane-cli twice as slow and added 1% of instructions, so system calls are
counted too, each as 10,000 instructions: a write to a file or a pipe took 1.6
to 2.1 us on the machines measured, the time of 15,000 to 20,000 of molvane-cli's
instructions. The cost of a task is its instructions plus 10,000 for each system
call.

A change that must cost more raises the budget in a commit of its own that says
why: run with --update and commit bench/budgets.txt.

    bench/check_budgets.py BUILD_FOLDER [--update]
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import workloads  # noqa: E402

BUDGETS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "budgets.txt")
SYSTEM_CALL_COST = 10000  # instructions
TOLERANCE = 0.05

# glibc picks its string functions (memchr, memcpy, strlen, ...) by the
# processor; they are pinned here to the SSE2 versions that every x86-64
# processor has, so that the count does not depend on the machine.
PINNED_STRING_FUNCTIONS = ("glibc.cpu.hwcaps=-AVX2,-AVX,-AVX_Fast_Unaligned_Load,-ERMS,-FSRM,-AVX512F,-AVX512VL,"
                           "-AVX512BW,-AVX512DQ,-BMI1,-BMI2,-LZCNT,-MOVBE,-RTM,-SSE4_2,-SSSE3,-SSE4_1,-POPCNT,"
                           "-FMA,-FMA4,-F16C,-XSAVEC,-EVEX")

# name: (workload lines, count, how molvane-cli or the workload program runs them)
WORKLOADS = {
    "arithmetic": ("arithmetic", 4000, ["cli", "--no-config"], "stdin"),
    "formulas": ("formulas", 4000, ["cli", "--no-config", "-f"], "file"),
    "functions": ("functions", 2000, ["cli", "--no-config", "-f"], "file"),
    "json": ("mixed", 3000, ["cli", "--no-config", "--json"], "stdin"),
    "start-up": (None, 1, ["cli", "2+3"], None),
    "task-file": ("mixed", 2000, ["task-file"], "file"),
}


def programs(build):
    found = {"cli": os.path.join(build, "molvane-cli"),
             "task-file": os.path.join(build, "bench", "molvane_task_file_workload")}
    for path in found.values():
        if not os.access(path, os.X_OK):
            sys.exit(f"check_budgets: {path} is not built")
    return found


def measure(name, build_programs, folder):
    kind, count, command, feed = WORKLOADS[name]
    tasks = os.path.join(folder, f"{name}.txt")
    if kind:
        workloads.write(kind, count, tasks)
    argv = [build_programs[command[0]]] + command[1:] + ([tasks] if feed == "file" else [])
    out = os.path.join(folder, f"{name}.callgrind")
    environment = dict(os.environ, GLIBC_TUNABLES=PINNED_STRING_FUNCTIONS, LC_ALL="C",
                       HOME=folder, XDG_CONFIG_HOME=os.path.join(folder, "config"),
                       XDG_STATE_HOME=os.path.join(folder, "state"))
    with open(tasks if feed == "stdin" else os.devnull, "rb") as stdin:
        done = subprocess.run(["valgrind", "--tool=callgrind", "--collect-systime=yes",
                               f"--callgrind-out-file={out}"] + argv,
                              stdin=stdin, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=environment)
    if done.returncode not in (0, 1):  # 1: a workload may hold failing tasks
        sys.exit(f"check_budgets: {name} failed:\n{done.stderr.decode(errors='replace')[-2000:]}")
    with open(out) as profile:
        totals = next(line for line in profile if line.startswith("totals:")).split()
    instructions, system_calls = int(totals[1]), int(totals[2])
    return instructions / count, system_calls / count


def read_budgets():
    budgets = {}
    with open(BUDGETS) as lines:
        for line in lines:
            if line.strip() and not line.startswith("#"):
                name, instructions, system_calls = line.split()
                budgets[name] = (float(instructions), float(system_calls))
    return budgets


def write_budgets(figures):
    with open(BUDGETS) as old:
        header = [line for line in old if line.startswith("#")]
    with open(BUDGETS, "w") as out:
        out.writelines(header)
        for name, (instructions, system_calls) in figures.items():
            out.write(f"{name:12s} {instructions:12.0f} {system_calls:12.4f}\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build", help="a build folder (RelWithDebInfo, as the test command builds)")
    parser.add_argument("--update", action="store_true", help="write the figures measured as the new budgets")
    args = parser.parse_args()
    if not shutil.which("valgrind"):
        sys.exit("check_budgets: valgrind is needed (Debian: apt-get install valgrind)")
    build_programs = programs(args.build)
    budgets = {} if args.update else read_budgets()
    figures = {}
    failed = []
    print(f"{'workload':12s} {'instructions':>12s} {'budget':>9s}  {'system calls':>12s} {'budget':>9s}  "
          f"{'cost/budget':>11s}   (per task; a system call costs {SYSTEM_CALL_COST} instructions)")
    with tempfile.TemporaryDirectory(prefix="molvane_budgets_") as folder:
        for name in WORKLOADS:
            instructions, system_calls = figures[name] = measure(name, build_programs, folder)
            if args.update:
                print(f"{name:12s} {instructions:12.0f} {'':9s}  {system_calls:12.4f}")
                continue
            if name not in budgets:
                sys.exit(f"check_budgets: no budget for {name} in {BUDGETS}")
            budget_instructions, budget_calls = budgets[name]
            ratio = ((instructions + SYSTEM_CALL_COST * system_calls) /
                     (budget_instructions + SYSTEM_CALL_COST * budget_calls))
            verdict = "over budget" if ratio > 1 + TOLERANCE else "ok"
            if ratio > 1 + TOLERANCE:
                failed.append(name)
            print(f"{name:12s} {instructions:12.0f} {budget_instructions:9.0f}  {system_calls:12.4f} "
                  f"{budget_calls:9.4f}  {ratio:10.1%}   {verdict}")
    if args.update:
        write_budgets(figures)
        print(f"written to {BUDGETS}")
        return 0
    if failed:
        print(f"check_budgets: {', '.join(failed)} cost more than {TOLERANCE:.0%} above budget. If the cost is "
              "meant, raise the budget (--update) in a commit of its own that says why.")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
