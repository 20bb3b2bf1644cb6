#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Counts the misses of the engine's functions against 40-digit values on a large
seeded sample of random arguments: typical ones, the whole range of the doubles,
and arguments next to the places where a fast path changes its table step or
its branch. Each double is compared to the last bit, through
build/bench/molvane_function_values. A measurement, not a test: a million
arguments a function take about a minute each (Debian's python3-mpmath).

Usage: rounding_sample.py TOOL [--count N] [--seed S] FUNCTION...
    (FUNCTION as molvane_function_values reads it: exp, ln, log, alog, x^y, sin ...;
    sin/1 is the sine in degrees, sin/2 in grads)
Exit status: 0 when no value misses, 1 otherwise."""
import argparse
import math
import random
import subprocess
import sys
from fractions import Fraction

import mpmath
from mpmath import mpf

mpmath.mp.dps = 40


def signed(rng, x):
    return x if rng.random() < 0.5 else -x


def magnitude(rng, low, high):
    """2^e for e uniform in [low, high), with a random significand."""
    return rng.uniform(1.0, 2.0) * 2.0 ** rng.randint(low, high - 1)


def near_one(rng):
    return 1.0 + signed(rng, magnitude(rng, -52, -3))


def argument(rng, name, unit):
    pick = rng.random()
    if name == "exp":
        return rng.uniform(-745.0, 709.7) if pick < 0.6 else signed(rng, magnitude(rng, -60, 9))
    if name in ("ln", "log"):
        if pick < 0.4:
            return magnitude(rng, -1074, 1024)
        return near_one(rng) if pick < 0.7 else rng.uniform(0.0, 1000.0)
    if name == "alog":
        return rng.uniform(-307.0, 308.0) if pick < 0.8 else signed(rng, magnitude(rng, -60, 8))
    if name in ("sin", "cos", "tan"):
        turn = (math.pi, 180.0, 200.0)[unit]
        if pick < 0.5:
            return rng.uniform(-2.25, 2.25) * turn
        if pick < 0.7:
            # just off a quarter turn, beyond where the table snaps to a zero or a pole (1e-8 radians)
            return rng.randint(-1000, 1000) * turn / 2 + signed(rng, magnitude(rng, -26 if unit == 0 else -20, -1))
        return signed(rng, magnitude(rng, -26 if unit == 0 else -20, 1000 if pick < 0.8 else 40))
    if name in ("sinh", "cosh", "tanh", "coth", "asinh"):
        if pick < 0.5:
            return rng.uniform(-45.0, 45.0)
        return signed(rng, magnitude(rng, -35, 10 if name != "asinh" else 1000))
    if name == "acosh":
        return rng.uniform(1.0, 60.0) if pick < 0.4 else (near_one(rng) if pick < 0.7 else magnitude(rng, 0, 1000))
    if name == "atanh":
        return rng.uniform(-1.0, 1.0) if pick < 0.5 else signed(rng, magnitude(rng, -35, 0))
    if name == "acoth":
        if pick < 0.4:
            return signed(rng, rng.uniform(1.0, 60.0))
        return signed(rng, near_one(rng) if pick < 0.7 else magnitude(rng, 0, 1000))
    if name in ("atan", "acot"):
        return rng.uniform(-60.0, 60.0) if pick < 0.5 else signed(rng, magnitude(rng, -35, 70))
    if name in ("asin", "acos"):
        if pick < 0.4:
            return rng.uniform(-1.0, 1.0)
        if pick < 0.6:
            # next to a step of the table, or to 1/2 where the root takes over
            return signed(rng, rng.randint(0, 64) / 128 + signed(rng, magnitude(rng, -60, -9)))
        if pick < 0.8:
            return signed(rng, 1.0 - magnitude(rng, -53, -1))
        return signed(rng, magnitude(rng, -35, -1))
    if name in ("asec", "acsc"):
        if pick < 0.4:
            return signed(rng, rng.uniform(1.0, 60.0))
        if pick < 0.6:
            return signed(rng, near_one(rng) if pick < 0.5 else 2.0 + signed(rng, magnitude(rng, -52, -4)))
        return signed(rng, magnitude(rng, 0, 70))
    raise SystemExit(f"rounding_sample: no arguments for {name}")


def power_arguments(rng):
    pick = rng.random()
    if pick < 0.5:
        return magnitude(rng, -20, 20), rng.uniform(-50.0, 50.0)
    if pick < 0.7:
        return near_one(rng), signed(rng, magnitude(rng, 0, 60))
    if pick < 0.9:
        return rng.uniform(0.0, 100.0), rng.uniform(-10.0, 10.0)
    return -float(rng.randint(1, 1000)), float(rng.randint(-100, 100))


def exact(name, unit, x, y):
    if name == "x^y":
        if y == int(y) and abs(y) <= 1100:
            # exactly: a whole power can have more than 40 digits and lie next to a boundary
            return Fraction(x) ** int(y)
        return mpmath.power(mpf(x), mpf(y))
    x = mpf(x)
    if name == "exp":
        return mpmath.exp(x)
    if name == "ln":
        return mpmath.log(x)
    if name == "log":
        return mpmath.log10(x)
    if name == "alog":
        return mpmath.power(10, x)
    if name in ("sinh", "cosh", "tanh", "asinh", "acosh", "atanh"):
        return getattr(mpmath, name)(x)
    if name == "coth":
        return mpmath.coth(x)
    if name == "acoth":
        return mpmath.acoth(x)
    if name in ("atan", "acot"):
        # acot is atan(1/x), between -90 and 90 degrees, with acot 0 a quarter turn
        angle = mpmath.atan(x) if name == "atan" else (mpmath.atan(1 / x) if x != 0 else mpmath.pi / 2)
        return angle * (1, 180, 200)[unit] / (1, mpmath.pi, mpmath.pi)[unit]
    if name in ("asin", "acos", "asec", "acsc"):
        sine = x if name in ("asin", "acos") else 1 / x
        angle = mpmath.asin(sine) if name in ("asin", "acsc") else mpmath.acos(sine)
        return angle * (1, 180, 200)[unit] / (1, mpmath.pi, mpmath.pi)[unit]
    # whole turns in degrees and grads go first, exactly, as the engine takes them
    if unit:
        half_turn = (180, 200)[unit - 1]
        within = Fraction(math.fmod(float(x), 2 * half_turn))
        quarter = Fraction(half_turn, 2)
        if abs(within - round(within / quarter) * quarter) * Fraction(math.pi) / half_turn < Fraction(1e-8):
            return None  # the table snaps an angle this near a zero or a pole
    radians = mpf(math.fmod(float(x), 2 * (180, 200)[unit - 1])) * mpmath.pi / (180, 200)[unit - 1] if unit else x
    return {"sin": mpmath.sin, "cos": mpmath.cos, "tan": mpmath.tan}[name](radians)


def rounded(value):
    if isinstance(value, Fraction):
        return float(value)  # correctly rounded from the exact value
    return float(mpmath.nstr(value, 40, min_fixed=1, max_fixed=0))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("tool")
    parser.add_argument("functions", nargs="+")
    parser.add_argument("--count", type=int, default=1000000)
    parser.add_argument("--seed", type=int, default=1)
    options = parser.parse_args()
    missed = 0
    for function in options.functions:
        name, _, unit = function.partition("/")
        unit = int(unit or 0)
        rng = random.Random(f"{options.seed} {function}")
        tasks = []
        while len(tasks) < options.count:
            x, y = power_arguments(rng) if name == "x^y" else (argument(rng, name, unit), 0.0)
            tasks.append((x, y))
        lines = "".join(f"{name} {unit} {x!r} {y!r}\n" for x, y in tasks)
        done = subprocess.run([options.tool], input=lines.encode(), capture_output=True, check=True)
        misses = 0
        for (x, y), text in zip(tasks, done.stdout.decode().split("\n")):
            if text.startswith("refused"):
                continue
            ours = float.fromhex(text)
            value = exact(name, unit, x, y)
            if value is None:
                continue
            if not isinstance(value, Fraction) and mpmath.isinf(value) or abs(value) > sys.float_info.max:
                continue
            want = rounded(value)
            if ours != want and not (math.isinf(ours) and math.isinf(want)):
                misses += 1
                if misses <= 5:
                    print(f"  {function} {x!r} {y!r}: {ours!r}, exact {want!r}")
        print(f"{function:8} {len(tasks):9} arguments  {misses} misses", flush=True)
        missed += misses
    return 1 if missed else 0


sys.exit(main())
