#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""molvane-cli timed side by side in one run: against `bc -l` on the same
arithmetic lines, against the engine calls alone (molvane_engine_loop, the same
calls on lines already in memory, writing at memcpy's cost), and against another
build of molvane-cli, such as one of the commit before.

Each workload (bench/workloads.py) runs in every program in turn, round after
round, and each run's processor time (user and system) is taken; the medians,
and the best runs, are compared. Processor time, not wall-clock time: the
machine is shared, and other programs only ever add to a run's time, so the
best of many runs is the steadiest figure. The programs write to a file
(--output: another path, such as /dev/null). Then the start-up of a one-task
run against bc -l given the same task, in interleaved runs, by wall-clock and
processor time.

    bench/cli_speed.py BUILD [--baseline OTHER_BUILD] [--lines 200000] [--rounds 5]
                       [--startup-runs 20] [--instructions LINES] [--output PATH]

--instructions also counts each program's instructions under callgrind on the
first LINES lines of each workload (the engine loop's own loop only).
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import workloads  # noqa: E402

# name: (lines, molvane-cli options, engine loop options, bc reads it too)
WORKLOADS = {
    "arithmetic": ("arithmetic", [], [], True),
    "formulas": ("formulas", [], [], False),
    "functions": ("functions", [], [], False),
    "json": ("mixed", ["--json"], ["--json"], False),
}


def processor_time(argv, stdin_path, stdout_path, env=None):
    """Runs argv; returns its processor seconds (user and system) and its wall-clock seconds."""
    with open(stdin_path or os.devnull, "rb") as stdin, open(stdout_path, "wb") as stdout:
        start = time.perf_counter()
        child = subprocess.Popen(argv, stdin=stdin, stdout=stdout, stderr=subprocess.DEVNULL, env=env)
        _, status, usage = os.wait4(child.pid, 0)
        wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) not in (0, 1):
        sys.exit(f"cli_speed: {argv[0]} exited with {os.waitstatus_to_exitcode(status)}")
    return usage.ru_utime + usage.ru_stime, wall


def loop_time(argv):
    """The engine loop times itself (its lines in memory); returns processor seconds for all lines."""
    done = subprocess.run(argv, capture_output=True, text=True, check=True)
    tasks, nanoseconds = re.match(r"(\d+) tasks, ([\d.]+) ns", done.stdout).groups()
    return int(tasks) * float(nanoseconds) / 1e9


def instructions(argv, stdin_path, toggle=None):
    command = ["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null"]
    if toggle:
        command.append(f"--toggle-collect={toggle}")
    with open(stdin_path or os.devnull, "rb") as stdin:
        done = subprocess.run(command + argv, stdin=stdin, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                              text=True)
    return int(re.search(r"Collected : (\d+)", done.stderr).group(1))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build")
    parser.add_argument("--baseline", help="another build folder of molvane-cli, e.g. of the commit before")
    parser.add_argument("--lines", type=int, default=200000)
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--startup-runs", type=int, default=20)
    parser.add_argument("--instructions", type=int, default=0, metavar="LINES")
    parser.add_argument("--output", help="where the programs write (default: a file in a new folder)")
    args = parser.parse_args()

    cli = os.path.join(args.build, "molvane-cli")
    loop = os.path.join(args.build, "bench", "molvane_engine_loop")
    baseline = os.path.join(args.baseline, "molvane-cli") if args.baseline else None
    bc = shutil.which("bc")
    env = dict(os.environ, BC_LINE_LENGTH="0", LC_ALL="C")
    folder = tempfile.mkdtemp(prefix="molvane_speed_")
    out = args.output or os.path.join(folder, "out.txt")
    print(f"{args.lines} lines a workload, {args.rounds} rounds, processor time (user + system), output to {out}\n")
    print(f"{'workload':11s} {'program':14s} {'median a task':>13s} {'whole':>8s} {'vs molvane-cli':>14s}   "
          f"{'best a task':>11s} {'vs molvane-cli':>14s}")
    for name, (kind, cli_options, loop_options, bc_reads) in WORKLOADS.items():
        tasks = os.path.join(folder, f"{name}.txt")
        workloads.write(kind, args.lines, tasks)
        programs = {"molvane-cli": lambda: processor_time([cli, "--no-config"] + cli_options + ["-f", tasks],
                                                         None, out)[0],
                    "engine loop": lambda: loop_time([loop] + loop_options + [tasks, "1"])}
        if baseline:
            programs["baseline cli"] = lambda: processor_time(
                [baseline, "--no-config"] + cli_options + ["-f", tasks], None, out)[0]
        if bc and bc_reads:
            programs["bc -l"] = lambda: processor_time([bc, "-l"], tasks, out, env)[0]
        times = {program: [] for program in programs}
        for _ in range(args.rounds):
            for program, run in programs.items():
                times[program].append(run())
        medians = {program: statistics.median(values) for program, values in times.items()}
        bests = {program: min(values) for program, values in times.items()}
        for program, seconds in medians.items():
            best = bests[program]
            print(f"{name:11s} {program:14s} {seconds / args.lines * 1e6:10.2f} us {seconds:7.3f} s "
                  f"{seconds / medians['molvane-cli']:13.2f}x   {best / args.lines * 1e6:8.2f} us "
                  f"{best / bests['molvane-cli']:13.2f}x")
        if args.instructions:
            first = os.path.join(folder, f"{name}.first.txt")
            with open(first, "w") as part:
                part.writelines(line + "\n" for line in workloads.lines(kind, args.instructions))
            counted = {"molvane-cli": instructions([cli, "--no-config"] + cli_options + ["-f", first], None),
                       "engine loop": instructions([loop] + loop_options + [first, "1"], None, "*runOnce*")}
            if baseline:
                counted["baseline cli"] = instructions([baseline, "--no-config"] + cli_options + ["-f", first], None)
            for program, count in counted.items():
                print(f"{name:11s} {program:14s} {count / args.instructions:10.0f} instr. a task "
                      f"{count / counted['molvane-cli']:8.3f}x")
        print()

    print(f"Start-up: one task (2+3), {args.startup_runs} interleaved runs, medians")
    task = os.path.join(folder, "one.txt")
    with open(task, "w") as one:
        one.write("2+3\n")
    config = dict(os.environ, XDG_CONFIG_HOME=os.path.join(folder, "config"))
    starts = {"molvane-cli 2+3": lambda: processor_time([cli, "2+3"], None, out, config)}
    if baseline:
        starts["baseline 2+3"] = lambda: processor_time([baseline, "2+3"], None, out, config)
    if bc:
        starts["bc -l < 2+3"] = lambda: processor_time([bc, "-l"], task, out, env)
    runs = {program: [] for program in starts}
    for _ in range(args.startup_runs):
        for program, run in starts.items():
            runs[program].append(run())
    reference = statistics.median(wall for _, wall in runs["molvane-cli 2+3"])
    reference_cpu = statistics.median(cpu for cpu, _ in runs["molvane-cli 2+3"])
    for program, values in runs.items():
        wall = statistics.median(w for _, w in values)
        cpu = statistics.median(c for c, _ in values)
        print(f"  {program:18s} {wall * 1e3:7.2f} ms wall ({wall / reference:5.2f}x)  "
              f"{cpu * 1e3:7.2f} ms processor ({cpu / reference_cpu:5.2f}x)")
    shutil.rmtree(folder)


if __name__ == "__main__":
    main()
