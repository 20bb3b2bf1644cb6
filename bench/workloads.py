# SPDX-License-Identifier: MIT
"""The task files that the speed checks run: the same lines for the same kind,
count and seed, on every machine and Python 3 version.

    arithmetic  numbers with + * / and brackets, as bc reads them too
    formulas    chemical formulas in any letter case, with brackets and hydrates
    functions   functions of the function table in all three angle units
    mixed       every kind: arithmetic, formulas, functions, quadratic
                equations, the answer and the memory, settings, malformed lines

The generators own their lines: a budget is counted on them, so a change here
changes every budget.

    bench/workloads.py KIND COUNT [SEED] > tasks.txt
"""
import random
import sys

ELEMENTS = ["H", "C", "N", "O", "Na", "Mg", "Al", "Si", "P", "S", "Cl", "K", "Ca", "Fe", "Cu", "Zn", "Br", "Ag",
            "I", "Ba", "Mn", "Cr", "Co", "Ni", "Pb", "Sn", "U", "Li", "B", "F"]
FUNCTIONS = ["sin", "cos", "tan", "cot", "asin", "acos", "atan", "sinh", "cosh", "tanh", "asinh", "ln", "log",
             "exp", "sqrt", "sqr", "alog", "aln", "abs", "int", "sgn"]
INVERSE = {"asin", "acos"}  # arguments from -1 to 1
UNITS = ["#rad", "#deg", "#grad"]
DIRECTIVES = ["#fix 4", "#sci 3", "#auto", "#dig 1", "#dig 0", "#comma", "#dot", "#fun 0", "#fun 1", "#mem",
              "#mem+", "#mem-", "#deg", "#rad"]


def number(rng):
    if rng.random() < 0.5:
        return str(rng.randint(1, 9999))
    return f"{rng.randint(1, 999)}.{rng.randint(1, 99)}"


def arithmetic(rng, depth=0):
    def operand():
        if depth > 1 or rng.random() < 0.75:
            return number(rng)
        return "(" + arithmetic(rng, depth + 1) + ")"
    parts = [operand()]
    for _ in range(rng.randint(1, 4)):
        parts.append(rng.choice("+*/"))
        parts.append(operand())
    return "".join(parts)


def formula_term(rng, depth=0):
    parts = []
    for _ in range(rng.randint(1, 3)):
        if depth == 0 and rng.random() < 0.15:
            parts.append("(" + formula_term(rng, 1) + ")" + str(rng.randint(2, 4)))
        else:
            count = rng.randint(1, 12)
            parts.append(rng.choice(ELEMENTS) + (str(count) if count > 1 else ""))
    return "".join(parts)


def formula(rng):
    text = formula_term(rng)
    if rng.random() < 0.2:
        text += "+" + str(rng.randint(1, 10)) + "H2O"
    if rng.random() < 0.4:
        text = text.lower()
    return text


def function_call(rng):
    name = rng.choice(FUNCTIONS)
    if name in INVERSE:
        argument = f"0.{rng.randint(1, 99)}"
    elif name in ("exp", "aln", "alog", "sinh", "cosh"):
        argument = f"{rng.randint(0, 20)}.{rng.randint(0, 9)}"
    else:
        argument = number(rng)
    text = name + argument
    if rng.random() < 0.3:
        text = number(rng) + rng.choice("+*/") + text
    return text


def quadratic(rng):
    return (rng.choice(["", "2", "-3", "0.5"]) + "x^2" + rng.choice("+-") + str(rng.randint(1, 9)) + "x"
            + rng.choice("+-") + str(rng.randint(0, 50)))


def mixed(rng):
    roll = rng.random()
    if roll < 0.35:
        return arithmetic(rng)
    if roll < 0.55:
        return formula(rng)
    if roll < 0.75:
        return function_call(rng)
    if roll < 0.82:
        return quadratic(rng)
    if roll < 0.88:
        return rng.choice(["ans*2", "mem+1", "*3", "+ans", "pi*ans"])
    if roll < 0.95:
        return rng.choice(DIRECTIVES)
    return "".join(rng.choice("0123456789+-*/^()x#=J ") for _ in range(rng.randint(1, 12)))


def lines(kind, count, seed=1):
    rng = random.Random(seed)
    out = []
    for i in range(count):
        if kind == "arithmetic":
            out.append(arithmetic(rng))
        elif kind == "formulas":
            out.append(formula(rng))
        elif kind == "functions":
            # Every 50 lines the angle unit changes, so all three are timed.
            out.append(UNITS[(i // 50) % 3] if i % 50 == 0 else function_call(rng))
        elif kind == "mixed":
            out.append(mixed(rng))
        else:
            raise ValueError(f"no workload {kind}")
    return out


def write(kind, count, path, seed=1):
    with open(path, "w", newline="\n") as out:
        for line in lines(kind, count, seed):
            out.write(line + "\n")


if __name__ == "__main__":
    for line in lines(sys.argv[1], int(sys.argv[2]), int(sys.argv[3]) if len(sys.argv) > 3 else 1):
        print(line)
