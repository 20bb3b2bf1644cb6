#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Checks every function's answers against 40-digit values.

Draws a seeded sample of single-function tasks (each function of the table in
radians, degrees and grads, x^y and n!) over typical and extreme arguments,
runs them through molvane-cli, and counts the answers that differ from the
exact value (mpmath, 40 digits) rounded once to a double and written as the
engine writes a result. The exact side keeps the calculator's own rules: an
angle within 1e-8 radians of a zero or a pole of its function snaps to it, the
secant and cosecant of an angle that is exactly a pole in degrees or grads take
the angle as x*pi/h in doubles (so that sec 90 in degrees stays 1.63312393531954e16),
and refused arguments give their messages.

Needs Debian's python3-mpmath, found by /usr/bin/python3.

With --values (build/bench/molvane_function_values) the same sample is also checked
to the last bit of each function's double, which the 15 digits shown hide.

Usage: check-rounding.py --cli build/molvane-cli [--values TOOL] [--seed N] [--count N] [--show N]
Exit status: 0 when every answer matches, 1 when one misses, 2 on a usage error,
77 when mpmath is missing.
"""
import argparse
import json
import math
import random
import subprocess
import sys
import tempfile
import time
from fractions import Fraction

try:
    import mpmath
    from mpmath import mpf
except ImportError:
    print("check-rounding: needs Debian's python3-mpmath, found by /usr/bin/python3", file=sys.stderr)
    sys.exit(77)  # the test suite's "skipped"

WORKING_BITS = 300
SNAP = mpf(1e-8)  # the snapping tolerance, in radians, as the double the engine holds

OUT_OF_RANGE = "Argument must be from -1 to 1"
ROOT_OF_NEGATIVE = "Root of a negative number"
LOG_OF_ZERO = "Logarithm of zero"
LOG_OF_NEGATIVE = "Logarithm of a negative number"
INDETERMINATE = "<Indeterminate number>"
INFINITE = "<Infinite number>"

UNITS = {"rad": None, "deg": 180, "grad": 200}
FORWARD_TRIG = ["sin", "cos", "tan", "cot", "sec", "csc"]
INVERSE_TRIG = ["asin", "acos", "atan", "acot", "asec", "acsc"]
OTHERS = ["sinh", "cosh", "tanh", "coth", "asinh", "acosh", "atanh", "acoth",
          "exp", "ln", "log", "alog", "sqr", "sqrt", "x^y", "n!"]
FUNCTIONS = FORWARD_TRIG + INVERSE_TRIG + OTHERS


# --- The exact side -----------------------------------------------------------

def quarter_turns(x, unit):
    """The angle x in `unit` as q quarter turns (mod 4) and the rest in radians,
    |rest| <= pi/4, both exact to the working precision."""
    if unit == "rad":
        exponent = max(0, math.frexp(x)[1])
        with mpmath.workprec(WORKING_BITS + exponent):
            turns = mpmath.nint(mpf(x) / (mpmath.pi / 2))
            rest = mpf(x) - turns * (mpmath.pi / 2)
            return int(turns) % 4, +rest
    h = UNITS[unit]
    d = Fraction(x) % (2 * h)
    q = round(d / Fraction(h, 2))
    rest = d - q * Fraction(h, 2)
    return q % 4, mpf(rest.numerator) / rest.denominator * mpmath.pi / h


def forward_trig(name, x, unit):
    q, r = quarter_turns(x, unit)
    small = abs(r) < SNAP
    if name in ("sec", "csc") and unit != "rad" and r == 0 and (q % 2 == 1) == (name == "sec"):
        # Exactly at a pole the angle is taken as the doubles give it.
        t = mpf(x * math.pi / UNITS[unit])
        value = mpmath.cos(t) if name == "sec" else mpmath.sin(t)
        return INDETERMINATE if value == 0 else 1 / value
    if small and name in ("sin", "cos", "tan", "cot"):
        zero = {"sin": 0, "cos": 1, "tan": 0, "cot": 1}[name]
        if q % 2 == zero:
            return mpf(0)
        if name in ("tan", "cot"):
            return INFINITE
    s, c = mpmath.sin(r), mpmath.cos(r)
    sine = [s, c, -s, -c][q]
    cosine = [c, -s, -c, s][q]
    if name == "sin":
        return sine
    if name == "cos":
        return cosine
    if name == "tan":
        return sine / cosine
    if name == "cot":
        return cosine / sine
    value = cosine if name == "sec" else sine
    return INDETERMINATE if value == 0 else 1 / value


def in_unit(radians, unit):
    return radians if unit == "rad" else radians * UNITS[unit] / mpmath.pi


def inverse_trig(name, x, unit):
    X = mpf(x)
    if name in ("asin", "acos") and abs(x) > 1:
        return OUT_OF_RANGE
    if name in ("asec", "acsc") and abs(x) < 1:
        return OUT_OF_RANGE
    if name == "asin":
        return in_unit(mpmath.asin(X), unit)
    if name == "acos":
        return in_unit(mpmath.acos(X), unit)
    if name == "atan":
        return in_unit(mpmath.atan(X), unit)
    if name == "acot":
        return in_unit(mpmath.pi / 2 if x == 0 else mpmath.atan(1 / X), unit)
    if name == "asec":
        return in_unit(mpmath.acos(1 / X), unit)
    return in_unit(mpmath.asin(1 / X), unit)


def other(name, x, y):
    X = mpf(x)
    if name == "sinh":
        return mpmath.sinh(X)
    if name == "cosh":
        return mpmath.cosh(X)
    if name == "tanh":
        return mpmath.tanh(X)
    if name == "coth":
        return INDETERMINATE if x == 0 else 1 / mpmath.tanh(X)
    if name == "asinh":
        return mpmath.asinh(X)
    if name == "acosh":
        return INFINITE if x < 1 else mpmath.acosh(X)
    if name == "atanh":
        return OUT_OF_RANGE if abs(x) > 1 else INDETERMINATE if abs(x) == 1 else mpmath.atanh(X)
    if name == "acoth":
        return INFINITE if abs(x) < 1 else INDETERMINATE if abs(x) == 1 else mpmath.atanh(1 / X)
    if name == "exp":
        return mpmath.exp(X)
    if name in ("ln", "log"):
        if x == 0:
            return LOG_OF_ZERO
        if x < 0:
            return LOG_OF_NEGATIVE
        return mpmath.log(X) if name == "ln" else mpmath.log10(X)
    if name == "alog":
        return mpmath.power(10, X)
    if name == "sqr":
        return X * X
    if name == "sqrt":
        return ROOT_OF_NEGATIVE if x < 0 else mpmath.sqrt(X)
    if name == "x^y":
        if x == 0:
            return INDETERMINATE if y < 0 else mpf(1) if y == 0 else mpf(0)
        if x < 0 and y != int(y):
            return INDETERMINATE
        if y == 0 or x == 1:
            return mpf(1)
        return mpmath.power(X, mpf(y))
    n = int(x)
    return INDETERMINATE if n > 170 else mpmath.factorial(n)


def exact(name, unit, x, y):
    with mpmath.workprec(WORKING_BITS):
        if name in FORWARD_TRIG:
            return forward_trig(name, x, unit)
        if name in INVERSE_TRIG:
            return inverse_trig(name, x, unit)
        return other(name, x, y)


def without_plus(text):
    return text.replace("+", "", 1)


def engine_text(value):
    """A double as the engine writes a function's value and then a task's
    result: 15 digits, read back, then nine digits where digits 7 to 15 of the
    16-digit mantissa are all 0 or all 9 but for noise."""
    if math.isinf(value) or math.isnan(value):
        return INDETERMINATE
    value = float(without_plus("%.15g" % value))
    mantissa = "%.15e" % value
    point = mantissa.index(".")
    fraction = int(mantissa[point + 7:point + 16]) / 1e9
    precision = 9 if fraction < 1e-8 or 1.0 - fraction < 1e-8 else 15
    return without_plus("%.*g" % (precision, value))


def rounded(value):
    """The 40-digit value rounded once to a double; a message stays as it is."""
    if isinstance(value, str):
        return value
    return float(mpmath.nstr(value, 40, min_fixed=1, max_fixed=0))


# --- The sample ---------------------------------------------------------------

def number_text(x):
    """A double as a user types it: the shortest text that reads back as it.
    A zero has no sign: the exact side knows none."""
    text = repr(x + 0.0)
    return text[:-2] if text.endswith(".0") else without_plus(text)


def decimal(rng, low, high):
    """A typed decimal of a few digits, as users type them."""
    return float(f"{rng.uniform(low, high):.{rng.randint(0, 6)}f}")


def spread(rng, low_exponent, high_exponent, signed=True):
    """A full double, evenly over the decimal exponents, either sign."""
    x = 10.0 ** rng.uniform(low_exponent, high_exponent)
    return -x if signed and rng.random() < 0.5 else x


def nudged(rng, x):
    """x moved by a relative 1e-16 to 1e-5, or left as it is."""
    return x * (1.0 + rng.choice([-1, 1, 0]) * 10.0 ** rng.uniform(-16, -5))


def forward_argument(rng, unit):
    roll = rng.random()
    if unit == "rad":
        if roll < 0.5:
            return rng.uniform(-10, 10)
        if roll < 0.6:
            return decimal(rng, -7, 7)
        if roll < 0.8:  # next to a zero or a pole, inside and outside the snapping
            return rng.randint(-40, 40) * math.pi / 2 + rng.choice([-1, 1]) * 10.0 ** rng.uniform(-15, -3)
        return spread(rng, -320, 308)
    h = UNITS[unit]
    if roll < 0.3:
        return float(rng.randint(-4 * h, 4 * h))
    if roll < 0.55:
        return decimal(rng, -2 * h, 2 * h)
    if roll < 0.7:
        return rng.uniform(-1e4, 1e4)
    if roll < 0.85:
        return rng.randint(-40, 40) * h / 2 + rng.choice([-1, 1]) * 10.0 ** rng.uniform(-14, -3)
    return spread(rng, -320, 308)


def inverse_argument(rng, name):
    roll = rng.random()
    if name in ("asin", "acos"):
        if roll < 0.6:
            return rng.uniform(-1, 1)
        if roll < 0.75:
            return decimal(rng, -1, 1)
        if roll < 0.9:
            return rng.choice([-1, 1]) * (1 - 10.0 ** rng.uniform(-16, -1))
        return spread(rng, -320, 0)
    if name in ("asec", "acsc"):
        if roll < 0.5:
            return rng.choice([-1, 1]) * rng.uniform(1, 20)
        if roll < 0.7:
            return rng.choice([-1, 1]) * (1 + 10.0 ** rng.uniform(-16, -1))
        return spread(rng, 0, 308)
    if roll < 0.5:
        return rng.uniform(-20, 20)
    if roll < 0.65:
        return decimal(rng, -100, 100)
    return spread(rng, -320, 308)


def other_argument(rng, name):
    roll = rng.random()
    typical = roll < 0.65
    if name in ("sinh", "cosh", "tanh", "coth"):
        return rng.uniform(-20, 20) if typical else spread(rng, -320, 2.86)
    if name == "asinh":
        return rng.uniform(-1000, 1000) if typical else spread(rng, -320, 308)
    if name == "acosh":
        if typical:
            return rng.uniform(1, 1000)
        return 1 + 10.0 ** rng.uniform(-16, 0) if roll < 0.8 else spread(rng, 0, 308, False)
    if name == "atanh":
        if typical:
            return rng.uniform(-1, 1)
        return rng.choice([-1, 1]) * (1 - 10.0 ** rng.uniform(-16, 0)) if roll < 0.8 else spread(rng, -320, 0)
    if name == "acoth":
        if typical:
            return rng.choice([-1, 1]) * rng.uniform(1, 100)
        return rng.choice([-1, 1]) * (1 + 10.0 ** rng.uniform(-16, 0)) if roll < 0.8 else spread(rng, 0, 308)
    if name == "exp":
        return rng.uniform(-50, 50) if typical else rng.uniform(-746, 710) if roll < 0.85 else spread(rng, -320, 2)
    if name in ("ln", "log"):
        if typical:
            return spread(rng, -5, 5, False)
        return nudged(rng, 1.0) if roll < 0.8 else spread(rng, -323, 308, False)
    if name == "alog":
        return decimal(rng, -20, 20) if typical else rng.uniform(-324, 308.3)
    if name in ("sqr", "sqrt"):
        return rng.uniform(-1000, 1000) if typical else spread(rng, -320, 308)
    return float(rng.randint(0, 175))


def power_arguments(rng):
    roll = rng.random()
    if roll < 0.1:  # whole powers of whole numbers: exact, or halfway between two doubles
        return float(rng.randint(2, 2 ** rng.randint(2, 27))), float(rng.randint(2, 12))
    if roll < 0.4:
        return spread(rng, -3, 3, False), decimal(rng, -10, 10)
    if roll < 0.6:  # a negative base takes whole powers
        return -spread(rng, -3, 3, False), float(rng.randint(-20, 20))
    if roll < 0.8:
        return nudged(rng, 1.0), spread(rng, 0, 18)
    x = spread(rng, -300, 300, False)
    return x, rng.uniform(-700, 700) / math.log(x)


def draw_task(rng):
    name = rng.choice(FUNCTIONS)
    unit = rng.choice(list(UNITS))
    y = None
    if name in FORWARD_TRIG:
        x = forward_argument(rng, unit)
    elif name in INVERSE_TRIG:
        x = inverse_argument(rng, name)
    elif name == "x^y":
        x, y = power_arguments(rng)
    else:
        x = other_argument(rng, name)
    x = float(number_text(x))  # the argument is what its text reads as
    if name == "x^y":
        y = float(number_text(y))
        text = number_text(x) + "^" + number_text(y)
    elif name == "n!":
        text = number_text(x) + "!"
    else:
        text = name + number_text(x)
    return name, unit, x, y, text


def run_cli(cli, tasks):
    """The raw result of each task, run in its unit."""
    lines = []
    for unit in UNITS:
        lines.append("#" + unit)
        lines.extend(task[4] for task in tasks if task[1] == unit)
    with tempfile.NamedTemporaryFile("w", suffix=".txt") as file:
        file.write("\n".join(lines) + "\n")
        file.flush()
        done = subprocess.run([cli, "--no-config", "--json", "-f", file.name], capture_output=True, text=True)
    if done.returncode > 1:
        sys.exit(f"{cli} failed: {done.stderr.strip()}")
    records = [json.loads(line) for line in done.stdout.splitlines()]
    if len(records) != len(lines):
        sys.exit(f"{cli} answered {len(records)} lines of {len(lines)}")
    results = {}
    record = iter(records)
    for unit in UNITS:
        next(record)
        for i, task in enumerate(tasks):
            if task[1] == unit:
                results[i] = next(record)["szResult"]
    return [results[i] for i in range(len(tasks))]


def run_values(tool, tasks):
    """Each task's double as the function table gives it, or None when refused."""
    units = list(UNITS)
    lines = [f"{task[0]} {units.index(task[1])} {task[2]!r} {task[3]!r}" for task in tasks]
    done = subprocess.run([tool], input="\n".join(lines) + "\n", capture_output=True, text=True, check=True)
    return [None if line.startswith("refused") else float.fromhex(line) for line in done.stdout.splitlines()]


def print_table(title, totals, misses):
    print(title)
    print("function  " + "".join(f"{unit:>14}" for unit in UNITS))
    for name in FUNCTIONS:
        cells = [f"{misses.get((name, unit), 0)} of {totals.get((name, unit), 0)}" for unit in UNITS]
        print(f"{name:<10}" + "".join(f"{cell:>14}" for cell in cells))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--cli", required=True)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=20000)
    parser.add_argument("--values", help="molvane_function_values, for a check to the last bit")
    parser.add_argument("--show", type=int, default=10, help="misses to print")
    args = parser.parse_args()

    start = time.monotonic()
    rng = random.Random(args.seed)
    tasks = [draw_task(rng) for _ in range(args.count)]
    answers = run_cli(args.cli, tasks)
    values = run_values(args.values, tasks) if args.values else [None] * len(tasks)
    totals, misses, bit_misses, shown = {}, {}, {}, []
    for task, answer, value in zip(tasks, answers, values):
        name, unit, x, y, text = task
        key = (name, unit)
        totals[key] = totals.get(key, 0) + 1
        exact_double = rounded(exact(name, unit, x, y))
        expected = exact_double if isinstance(exact_double, str) else engine_text(exact_double)
        if answer != expected:
            misses[key] = misses.get(key, 0) + 1
            if len(shown) < args.show:
                shown.append(f"  #{unit} {text}: {answer}, exactly {expected}")
        if value is not None and not isinstance(exact_double, str) and value != exact_double:
            bit_misses[key] = bit_misses.get(key, 0) + 1
            if len(shown) < args.show:
                shown.append(f"  #{unit} {text}: {value!r}, exactly {exact_double!r}")

    print(f"seed {args.seed}: {args.count} tasks, {sum(misses.values())} differ from the exact value "
          f"({time.monotonic() - start:.1f} s)")
    print_table("Answers that differ, by function and unit:", totals, misses)
    if args.values:
        print_table(f"Doubles that differ in the last bit ({sum(bit_misses.values())}):", totals, bit_misses)
    if shown:
        print("Misses (answer, then the exact value as the engine writes it):")
        print("\n".join(shown))
    return 1 if misses or bit_misses else 0


if __name__ == "__main__":
    sys.exit(main())
