#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes random task lines of every kind, the same lines for the same seed.

Used to compare two builds of molvane-cli on identical input: an old and a new
commit, or the Linux and the Windows build. Every kind of task is drawn:
arithmetic with every operator, functions in all three angle units, formulas in
any letter case, quadratic equations, memory and settings directives, and
malformed lines.

Usage: scripts/random-tasks.py [--seed N] [--count N]
"""
import argparse
import random

FUNCTIONS = ["sin", "cos", "tan", "cot", "sec", "csc", "asin", "acos", "atan", "acot", "asec",
             "acsc", "sinh", "cosh", "tanh", "coth", "asinh", "acosh", "atanh", "acoth", "sqrt",
             "sqr", "exp", "aln", "alog", "ln", "log", "abs", "int", "sgn", "tg", "ctg", "arctg"]
FORMULAS = ["H2SO4", "h2so4", "NaCl", "nacl", "Ca(OH)2", "ca(oh)2", "CuSO4+5H2O", "2h2o", "KMnO4",
            "kmno4", "C6H12O6", "(NH4)2SO4", "Fe2(SO4)3", "K4(Fe(CN)6)", "CH3COOH", "c12h22o11",
            "NaCl-5H2O", "Fe0.95O", "H2O^2", "0.5O2", "co2", "Co", "cmn", "UO2", "HNO3", "Mg3(PO4)2"]
DIRECTIVES = ["#deg", "#rad", "#grad", "#auto", "#sci", "#sci 3", "#fix", "#fix 4", "#dec 2",
              "#dec 7", "#dig 1", "#dig 0", "#comma", "#dot", "#fun 0", "#fun 1", "#mem", "#mem+",
              "#mem-", "#x", "#20"]
NAMED = ["pi", "ans", "mem"]


def number(rng):
    kind = rng.random()
    if kind < 0.35:
        return str(rng.randint(0, 1000))
    if kind < 0.6:
        return f"{rng.uniform(-100, 100):.{rng.randint(0, 6)}f}"
    if kind < 0.75:
        return f"{rng.uniform(0, 10):.3f}e{rng.randint(-30, 30)}"
    if kind < 0.85:
        return str(rng.choice([0, 1, 2, 30, 45, 60, 90, 180, 270, 360, 100, 200, 0.5, -1]))
    return rng.choice(NAMED)


def operand(rng, depth):
    roll = rng.random()
    if depth < 2 and roll < 0.2:
        return "(" + expression(rng, depth + 1) + ")"
    if roll < 0.45:
        return rng.choice(FUNCTIONS) + ("(" + expression(rng, depth + 1) + ")" if depth < 2 and rng.random() < 0.3
                                        else number(rng))
    if roll < 0.5:
        return str(rng.randint(0, 25)) + "!"
    return number(rng)


def expression(rng, depth=0):
    parts = [operand(rng, depth)]
    for _ in range(rng.randint(0, 3)):
        op = rng.choice("++--**//^_")
        parts.append(op)
        # Powers and roots of small numbers stay finite more often than not.
        parts.append(str(rng.choice([2, 3, 0.5, -1, 1.5])) if op in "^_" else operand(rng, depth))
    return "".join(parts)


def quadratic(rng):
    def coefficient():
        return rng.choice(["", "", "2", "-3", "0.5", "4", "-1", "pi", "10"])
    return (coefficient() + "x^2" + rng.choice(["+", "-"]) + coefficient() + "x" + rng.choice(["+", "-"])
            + str(rng.randint(0, 50)))


def malformed(rng):
    alphabet = "0123456789+-*/^_()[]{}!.,=#eExJQjq sinlog"
    return "".join(rng.choice(alphabet) for _ in range(rng.randint(1, 20)))


def task(rng):
    roll = rng.random()
    if roll < 0.40:
        return expression(rng)
    if roll < 0.55:
        return rng.choice(FORMULAS) + (rng.choice(["*2", "/3", "+H2O", ""]) if rng.random() < 0.3 else "")
    if roll < 0.65:
        return quadratic(rng)
    if roll < 0.78:
        return rng.choice(DIRECTIVES)
    if roll < 0.90:
        return rng.choice(["*2", "+1", "/3", "-4", "sqrt", "^2"])
    return malformed(rng)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=20000)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    lines = [task(rng) for _ in range(args.count)]
    print("\n".join(lines))


if __name__ == "__main__":
    main()
