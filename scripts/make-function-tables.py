#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes engine/function_tables.h, the tables of the fast paths of the
elementary functions, from 60-digit values (Debian's python3-mpmath):

    /usr/bin/python3 scripts/make-function-tables.py > engine/function_tables.h

Each value of more than a double is split into a leading double and the double
nearest the rest; a leading part that must be a multiple of some power of two
(so that products with it are exact) is rounded to that first."""
import math

from mpmath import mp, mpf, exp, log, sin, cos, atan, asin, hyp2f1, taylor, pi, floor

mp.dps = 60


def nearest(x):
    """The double nearest x, as C's hexadecimal form."""
    text = float(x).hex()
    if float(x) == 0:
        return "0.0"
    mantissa, exponent = text.split("p")
    return mantissa.rstrip("0").rstrip(".") + "p" + exponent


def on_grid(x, bits):
    """x rounded to a multiple of 2^-bits."""
    return floor(x * 2**bits + mpf(1) / 2) / 2**bits


def high_half(x):
    """The double x rounded to its 26 leading bits: what is left has 26 bits at most."""
    mantissa, exponent = math.frexp(x)
    return mpf(round(mantissa * 2**26)) * mpf(2) ** (exponent - 26)


def pair(x):
    hi = mpf(float(x))
    return f"{{{nearest(hi)}, {nearest(x - hi)}}}"


def step_row(value, slope):
    """A value in two parts, and its slope's leading part whole, in halves and the rest."""
    leading = mpf(float(slope))
    high = high_half(float(leading))
    return f"{{{pair(value)}, {nearest(leading)}, {nearest(high)}, {nearest(leading - high)}, {nearest(slope - leading)}}}"


def put_step_table(put, name, value_and_slope):
    """The 65 steps' values and slopes (in radians) in radians, degrees and grads."""
    put(f"inline constexpr ArcSineStep {name}[3][65] = {{")
    for unit in (mpf(1), 180 / pi, 200 / pi):
        put("    {")
        for i in range(65):
            value, slope = value_and_slope(i)
            put(f"        {step_row(value * unit, slope * unit)},")
        put("    },")
    put("};")
    put("")


def put_terms_table(put, name, f, point, degree):
    """The coefficients of h^2 to h^degree in f's series at each of the 65 points."""
    put(f"inline constexpr double {name}[65][{degree - 1}] = {{")
    for i in range(65):
        series = taylor(f, point(i), degree)
        put("    {" + ", ".join(nearest(t) for t in series[2:]) + "},")
    put("};")


def main():
    out = []
    put = out.append
    put("// SPDX-License-Identifier: MIT")
    put("// Made by scripts/make-function-tables.py; do not edit by hand.")
    put("// The tables of the fast paths of the elementary functions (elementary_functions.cpp,")
    put("// trigonometric_functions.cpp), each value to about 106 bits.")
    put("#pragma once")
    put("")
    put('#include "engine/double_double.h"')
    put("")
    put("namespace molvane {")
    put("")
    ln2 = log(2)
    step = ln2 / 128
    put("// 128/ln 2, and ln 2/128 as a multiple of 2^-42 (35 bits: its product with a")
    put("// whole number of steps below 2^18 is exact) and the double nearest the rest.")
    put(f"inline constexpr double kExpStepsPerLn2 = {nearest(128 / ln2)};")
    put(f"inline constexpr double kExpStepHigh = {nearest(on_grid(step, 42))};")
    put(f"inline constexpr double kExpStepLow = {nearest(step - on_grid(step, 42))};")
    put("")
    put("// ln 2 as a multiple of 2^-42 (its product with an exponent is exact) and the rest.")
    put(f"inline constexpr double kLn2High = {nearest(on_grid(ln2, 42))};")
    put(f"inline constexpr double kLn2Low = {nearest(ln2 - on_grid(ln2, 42))};")
    put("")
    put("// 1/ln 10.")
    put(f"inline constexpr DoubleDouble kInverseLn10 = {pair(1 / log(10))};")
    put("")
    put("// 2^(j/128) for j = 0 to 127.")
    put("inline constexpr DoubleDouble kExp2Steps[] = {")
    for j in range(128):
        put(f"    {pair(mpf(2) ** (mpf(j) / 128))},")
    put("};")
    put("")
    put("// For the significands m in [1 + (i - 1/2)/128, 1 + (i + 1/2)/128): r, near 1/(1 + i/128)")
    put("// and a multiple of 2^-20, so that m r is exact in two parts, and -ln r as a multiple")
    put("// of 2^-42 and the double nearest the rest. The first r is 1.")
    put("struct LogStep {")
    put("    double r;")
    put("    double logHigh;")
    put("    double logLow;")
    put("};")
    put("")
    put("inline constexpr LogStep kLogSteps[] = {")
    for i in range(128):
        r = on_grid(1 / (1 + mpf(i) / 128), 20)
        minus_log = -log(r)
        high = on_grid(minus_log, 42)
        put(f"    {{{nearest(r)}, {nearest(high)}, {nearest(minus_log - high)}}},")
    put("};")
    put("")
    half_pi = pi / 2
    first = on_grid(half_pi, 32)
    second = on_grid(half_pi - first, 65)
    third = on_grid(half_pi - first - second, 98)
    put("// 2/pi, and pi/2 in three parts of 33 bits (their products with a whole number of")
    put("// quarter turns below 2^20 are exact) and the double nearest the rest.")
    put(f"inline constexpr double kQuarterTurnsPerRadian = {nearest(2 / pi)};")
    put(f"inline constexpr double kHalfPiFirst = {nearest(first)};")
    put(f"inline constexpr double kHalfPiSecond = {nearest(second)};")
    put(f"inline constexpr double kHalfPiThird = {nearest(third)};")
    put(f"inline constexpr double kHalfPiRest = {nearest(half_pi - first - second - third)};")
    put("")
    put("// sin(i/64) and cos(i/64) for i = 0 to 51, which covers [0, pi/4 + 1/128].")
    put("struct SineStep {")
    put("    DoubleDouble sine;")
    put("    DoubleDouble cosine;")
    put("};")
    put("")
    put("inline constexpr SineStep kSineSteps[] = {")
    for i in range(52):
        a = mpf(i) / 64
        put(f"    {{{pair(sin(a))}, {pair(cos(a))}}},")
    put("};")
    put("")
    put("// atan(i/64) for i = 0 to 64.")
    put("inline constexpr DoubleDouble kArcTangentSteps[] = {")
    for i in range(65):
        put(f"    {pair(atan(mpf(i) / 64))},")
    put("};")
    put("")
    put("// For c = i/128, i = 0 to 64: asin c and its slope 1/sqrt(1 - c^2) in radians,")
    put("// degrees and grads, and in radians the coefficients of h^2 to h^9 in its series")
    put("// at c, asin(c + h) = asin c + slope h + ...")
    put("// The slope's leading part is also given in halves of 26 bits, high and low, whose")
    put("// products with the halves of another double are exact (twoProduct).")
    put("struct ArcSineStep {")
    put("    DoubleDouble value;")
    put("    double slope;")
    put("    double slopeHigh;")
    put("    double slopeLow;")
    put("    double slopeRest;")
    put("};")
    put("")
    put("// A row a line:")
    put("// clang-format off")
    asin_at = lambda i: mpf(i) / 128
    put_step_table(put, "kArcSineSteps", lambda i: (asin(asin_at(i)), 1 / mp.sqrt(1 - asin_at(i) ** 2)))
    put_terms_table(put, "kArcSineTerms", asin, asin_at, 9)
    put("")
    put("// For z = j/256, j = 0 to 64: g(z) = asin(sqrt z)/sqrt z and its slope, in radians,")
    put("// degrees and grads, and in radians the coefficients of h^2 to h^7 in its series")
    put("// at z, g(z + h) = g(z) + slope h + ...")
    g = lambda z: hyp2f1(mpf(1) / 2, mpf(1) / 2, mpf(3) / 2, z)  # asin(sqrt z)/sqrt z, also at 0
    g_at = lambda j: mpf(j) / 256
    put_step_table(put, "kArcSineOfRootSteps", lambda j: tuple(taylor(g, g_at(j), 1)))
    put_terms_table(put, "kArcSineOfRootTerms", g, g_at, 7)
    put("// clang-format on")
    put("")
    put("}  // namespace molvane")
    print("\n".join(out))


main()
