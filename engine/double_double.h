// SPDX-License-Identifier: MIT
// Double-double arithmetic: a number as the unevaluated sum of two doubles,
// about 106 bits, in which the elementary functions are worked out so that
// their one rounding at the end gives the correctly rounded double.
//
// Every file that includes this must be built with floating-point contraction
// off (see CMakeLists.txt): the error-free transformations rely on every
// product and sum being rounded on its own, and a fused multiply-add would give
// other bits on another platform.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace molvane {

// A double's bits and back, copied: emscripten's libc++ 14 has no
// std::bit_cast, and the compilers make the same one move of a copy.
inline std::uint64_t bitsOf(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
inline double doubleOf(std::uint64_t bits) {
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A number as hi + lo, with |lo| at most half an ulp of hi.
struct DoubleDouble {
    double hi;
    double lo;
};

// The rounded sum and its exact rounding error.
inline DoubleDouble twoSum(double a, double b) {
    double s = a + b;
    double v = s - a;
    return {s, (a - (s - v)) + (b - v)};
}

// The same when |a| >= |b| or a is 0.
inline DoubleDouble quickTwoSum(double a, double b) {
    double s = a + b;
    return {s, b - (s - a)};
}

// The rounded product and its exact rounding error (Dekker): each factor is split
// into halves of 26 bits, whose products are exact. Factors must stay far below
// 2^996, where the split would overflow, and the product above 2^-969, where its
// error would fall into the subnormals.
inline DoubleDouble twoProduct(double a, double b) {
    constexpr double kSplitter = 134217729.0;  // 2^27 + 1
    double ta = kSplitter * a;
    double aHigh = ta - (ta - a);
    double aLow = a - aHigh;
    double tb = kSplitter * b;
    double bHigh = tb - (tb - b);
    double bLow = b - bHigh;
    double p = a * b;
    return {p, ((aHigh * bHigh - p) + aHigh * bLow + aLow * bHigh) + aLow * bLow};
}

// The same with both factors given in halves of at most 26 bits, a = aHigh + aLow
// and b = bHigh + bLow, as a table can hold them or as they come from another split.
inline DoubleDouble twoProduct(double a, double aHigh, double aLow, double b, double bHigh, double bLow) {
    double p = a * b;
    return {p, ((aHigh * bHigh - p) + aHigh * bLow + aLow * bHigh) + aLow * bLow};
}

// A double in halves of at most 26 bits (Dekker's split, as in twoProduct).
inline DoubleDouble splitInHalves(double a) {
    constexpr double kSplitter = 134217729.0;  // 2^27 + 1
    double t = kSplitter * a;
    double high = t - (t - a);
    return {high, a - high};
}

inline DoubleDouble add(DoubleDouble a, DoubleDouble b) {
    DoubleDouble s = twoSum(a.hi, b.hi);
    DoubleDouble t = twoSum(a.lo, b.lo);
    s.lo += t.hi;
    s = quickTwoSum(s.hi, s.lo);
    s.lo += t.lo;
    return quickTwoSum(s.hi, s.lo);
}

inline DoubleDouble add(DoubleDouble a, double b) {
    DoubleDouble s = twoSum(a.hi, b);
    s.lo += a.lo;
    return quickTwoSum(s.hi, s.lo);
}

inline DoubleDouble negate(DoubleDouble a) { return {-a.hi, -a.lo}; }

inline DoubleDouble subtract(DoubleDouble a, DoubleDouble b) { return add(a, negate(b)); }

inline DoubleDouble multiply(DoubleDouble a, DoubleDouble b) {
    DoubleDouble p = twoProduct(a.hi, b.hi);
    p.lo += a.hi * b.lo + a.lo * b.hi;
    return quickTwoSum(p.hi, p.lo);
}

inline DoubleDouble multiply(DoubleDouble a, double b) {
    DoubleDouble p = twoProduct(a.hi, b);
    p.lo += a.lo * b;
    return quickTwoSum(p.hi, p.lo);
}

inline DoubleDouble divide(DoubleDouble a, DoubleDouble b) {
    double q1 = a.hi / b.hi;
    DoubleDouble r = subtract(a, multiply(b, q1));
    double q2 = r.hi / b.hi;
    r = subtract(r, multiply(b, q2));
    double q3 = r.hi / b.hi;
    return add(quickTwoSum(q1, q2), q3);
}

// n/d within about 2^-100 of its value, with a single division, for the fast
// paths: q = n (1/d) is within 2^-51, its remainder n - q d is exact (twoProduct,
// and Sterbenz) but for the lower parts, and the remainder times 1/d corrects it.
inline DoubleDouble quickDivide(DoubleDouble n, DoubleDouble d) {
    double inverse = 1.0 / d.hi;
    double q = n.hi * inverse;
    DoubleDouble product = twoProduct(q, d.hi);
    return {q, (((n.hi - product.hi) - product.lo) + (n.lo - q * d.lo)) * inverse};
}

// The root of z = hi + lo > 0 (z.hi above 2^-960, |lo| at most 2^-51 of hi), within
// about 2^-103 of its value, for the fast paths: one Newton step from the root of
// the leading part, whose square's difference with that part is exact (twoProduct,
// and Sterbenz), dividing by 2 root as root/(2 hi), a division that runs beside the
// root's. The lower part is within about two ulps of the leading one.
inline DoubleDouble quickSquareRoot(DoubleDouble z) {
    double root = std::sqrt(z.hi);
    double half = 0.5 / z.hi;
    DoubleDouble square = twoProduct(root, root);
    return {root, (((z.hi - square.hi) - square.lo) + z.lo) * (root * half)};
}

// 1/d the same way, for a d of one part: the quotient is then correctly rounded and
// its lower part at most half an ulp.
inline DoubleDouble quickReciprocal(double d) {
    double q = 1.0 / d;
    DoubleDouble product = twoProduct(q, d);
    return {q, ((1.0 - product.hi) - product.lo) * q};
}

// Exact: a power of two only moves the exponent.
inline DoubleDouble scale(DoubleDouble a, int exponent) {
    return {std::ldexp(a.hi, exponent), std::ldexp(a.lo, exponent)};
}

// One Newton step from the square root of the leading part, which IEEE arithmetic
// rounds correctly on every platform.
inline DoubleDouble squareRoot(DoubleDouble a) {
    if (a.hi <= 0.0) return {0.0, 0.0};
    double s = std::sqrt(a.hi);
    DoubleDouble rest = subtract(a, twoProduct(s, s));
    return quickTwoSum(s, rest.hi / (2.0 * s));
}

// The double to which every number within `error` of hi + lo rounds, or NaN when
// they do not all round to the same one: the test that lets a fast evaluation
// with a known error bound answer, and sends the rare value too near a rounding
// boundary to the double-double path. For hi + lo in the normal range,
// |lo| <= |hi|, and an error far below an ulp. Rounding is monotone, so the two
// ends of the interval decide; the 2^-100 covers the roundings of rest +- margin.
inline double surelyRounded(double hi, double lo, double error) {
    double y = hi + lo;
    double rest = (hi - y) + lo;  // y + rest is hi + lo exactly
    double margin = error + std::fabs(y) * 0x1p-100;
    bool sure = y + (rest + margin) == y && y + (rest - margin) == y;
    return sure ? y : std::numeric_limits<double>::quiet_NaN();
}

// The same test, shorter, for a lower part far below the leading one (|lo| at most
// 2^-10 |hi|) and an error that also covers 2^-52 |lo|: rounding hi + t is monotone
// in t, so that when hi + (lo - error) and hi + (lo + error) round alike, every number
// between does; the roundings of lo +- error are within the error's share of lo.
inline double surelyRoundedSum(double hi, double lo, double error) {
    double y = hi + (lo + error);
    return y == hi + (lo - error) ? y : std::numeric_limits<double>::quiet_NaN();
}

// The double nearest a 2^exponent, rounded once, into the subnormals and to
// infinity as the true value goes. Below 2^-1021 the doubles are the multiples
// of 2^-1074, so the value is rounded to one of them from all its bits, not once
// to 53 bits and again on scaling.
inline double roundScaled(DoubleDouble a, int exponent) {
    double scaled = std::ldexp(a.hi, exponent);
    if (std::fabs(scaled) >= 0x1p-1021 || std::isnan(scaled)) return scaled;
    DoubleDouble units = scale(a, exponent + 1074);
    double nearest = std::nearbyint(units.hi);  // ties to even
    // hi is a tie only when it lies halfway: then lo says on which side the value is.
    double off = units.hi - nearest;
    if (off == 0.5 && units.lo > 0.0) nearest += 1.0;
    if (off == -0.5 && units.lo < 0.0) nearest -= 1.0;
    return std::ldexp(nearest, -1074);
}

}  // namespace molvane
