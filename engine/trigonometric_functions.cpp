// SPDX-License-Identifier: MIT
#include "engine/trigonometric_functions.h"

#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>

#include "engine/double_double.h"
#include "engine/function_tables.h"
#include "engine/series_coefficients.h"

namespace molvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Below this size an odd function's value rounds to its argument and an even one's to 1.
constexpr double kTiny = 0x1p-30;
// A rest below kTinyRest is kept 2^kTinyScale times larger (ReducedAngle).
constexpr double kTinyRest = 0x1p-500;
constexpr int kTinyScale = 600;

constexpr DoubleDouble kHalfPi{0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};
// Adding and taking away 1.5 2^52 rounds a number below 2^51 to a whole number.
constexpr double kRoundingShift = 0x1.8p52;
static_assert(kRadiansHalfTurn == 2.0 * kHalfPi.hi, "the half turn of radians is twice the leading part of pi/2");
constexpr DoubleDouble kRadiansPerDegree{0x1.1df46a2529d39p-6, 0x1.5c1d8becdd291p-62};
constexpr DoubleDouble kRadiansPerGrad{0x1.015bf9217271ap-6, -0x1.c9bf81089c7a5p-61};
constexpr DoubleDouble kDegreesPerRadian{0x1.ca5dc1a63c1f8p+5, -0x1.1e7ab456405f9p-49};
constexpr DoubleDouble kGradsPerRadian{0x1.fd4bbab8b494cp+5, 0x1.1199fd79380f2p-50};

// The bits of 2/pi, 32 a word, most significant first: enough for the largest double.
constexpr std::uint32_t kTwoOverPi[] = {
    0xA2F9836E, 0x4E441529, 0xFC2757D1, 0xF534DDC0, 0xDB629599, 0x3C439041, 0xFE5163AB, 0xDEBBC561,
    0xB7246E3A, 0x424DD2E0, 0x06492EEA, 0x09D1921C, 0xFE1DEB1C, 0xB129A73E, 0xE88235F5, 0x2EBB4484,
    0xE99C7026, 0xB45F7E41, 0x3991D639, 0x835339F4, 0x9C845F8B, 0xBDF9283B, 0x1FF897FF, 0xDE05980F,
    0xEF2F118B, 0x5A0A6D1F, 0x6D367ECF, 0x27CB09B7, 0x4F463F66, 0x9E5FEA2D, 0x7527BAC7, 0xEBE5F17B,
    0x3D0739F7, 0x8A5292EA, 0x6BFB5FB1, 0x1F8D5D08, 0x56033046, 0xFC7B6BAB, 0xF0CFBC20, 0x9AF4361D,
};

// sin r and cos r for |r| <= pi/4, by their Taylor series; the first term left out
// is below 2^-110 of the sum.
DoubleDouble sineKernel(DoubleDouble r) {
    DoubleDouble minusSquare = negate(multiply(r, r));
    DoubleDouble sum = kInverseFactorials[29];
    for (int n = 27; n >= 1; n -= 2) sum = add(multiply(sum, minusSquare), kInverseFactorials[n]);
    return multiply(sum, r);
}

DoubleDouble cosineKernel(DoubleDouble r) {
    DoubleDouble minusSquare = negate(multiply(r, r));
    DoubleDouble sum = kInverseFactorials[28];
    for (int n = 26; n >= 0; n -= 2) sum = add(multiply(sum, minusSquare), kInverseFactorials[n]);
    return sum;
}

// The fast path's sine and cosine of the rest r = hi + lo, |r| <= pi/4 + 2^-30, each
// as hi + lo within 2^-65 of its value (4 times over in the bounds below). With
// r = a + b, a = i/64 and |b| <= 1/128, sin r = S + (C sin b + S (cos b - 1)) and
// cos r = C - (S sin b - C (cos b - 1)) from the table's S and C; the series of sin b
// and cos b - 1 stop below 2^-60 |b|^3 and 2^-70. The product of C (or S) with b
// is exact (twoProduct); the lo of r enters sin b as itself and cos b - 1 as -b lo;
// the rounded terms are below 2^-15 of the value, and their roundings add to less
// than 2^-65. Worked out on |r|: the sine takes the sign back at the end.
struct FastRest {
    double b;
    double lo;
    double sineRest;  // sin b - b
    double cosineLessOne;
    double sign;
    const SineStep* step;
};

FastRest fastRest(double hi, double lo) {
    double sign = std::copysign(1.0, hi);
    hi *= sign;
    double steps = (hi * 64.0 + kRoundingShift) - kRoundingShift;
    double b = hi - steps * 0x1p-6;  // exact: a has 6 bits and lies within 1/128 of hi
    double b2 = b * b;
    double b4 = b2 * b2;
    double sineRest = b * b2 * ((-1.0 / 6.0 + b2 * (1.0 / 120.0)) + b4 * (-1.0 / 5040.0));
    double cosineLessOne = b2 * ((-0.5 + b2 * (1.0 / 24.0)) + b4 * (-1.0 / 720.0 + b2 * (1.0 / 40320.0)));
    // The rest of an infinite or NaN angle is NaN: it takes the first step, the
    // fast value is NaN, and the exact path answers as it always did.
    auto step = steps >= 0 && steps < static_cast<double>(std::size(kSineSteps)) ? static_cast<std::size_t>(steps) : 0;
    return {b, lo * sign, sineRest, cosineLessOne, sign, &kSineSteps[step]};
}

DoubleDouble fastSineOrCosine(const FastRest& r, bool cosine) {
    // The value is base + times sin b + base (cos b - 1).
    DoubleDouble base = cosine ? r.step->cosine : r.step->sine;
    DoubleDouble times = cosine ? negate(r.step->sine) : r.step->cosine;
    DoubleDouble product = twoProduct(times.hi, r.b);
    DoubleDouble sum = quickTwoSum(base.hi, product.hi);  // base is 0 or larger than |product|
    double rest = ((sum.lo + product.lo) + (base.lo + times.lo * r.b)) +
                  (times.hi * (r.lo + r.sineRest) + base.hi * (r.cosineLessOne - r.b * r.lo));
    DoubleDouble value = quickTwoSum(sum.hi, rest);
    if (cosine) return value;
    return {value.hi * r.sign, value.lo * r.sign};
}

// The double nearest the fast sine or cosine, or NaN when it is not sure.
double fastSineOrCosineRounded(double hi, double lo, bool cosine) {
    DoubleDouble v = fastSineOrCosine(fastRest(hi, lo), cosine);
    return surelyRounded(v.hi, v.lo, std::fabs(v.hi) * 0x1p-63);
}

// n/d from the fast sine and cosine, each within 2^-65: within 2^-64 (4 times over).
double fastQuotientRounded(DoubleDouble n, DoubleDouble d) {
    DoubleDouble q = quickDivide(n, d);
    return surelyRounded(q.hi, q.lo, std::fabs(q.hi) * 0x1p-62);
}

// x = q pi/2 + r with |r| <= pi/4, for every finite x; returns q mod 4. The product
// x 2/pi is worked out in integers to 224 bits of 2/pi past the last bit of x
// (Payne and Hanek's reduction), so that even an angle of 10^300 keeps its exact
// place in the turn: the bits of 2/pi that only add whole turns are skipped.
int reduceQuarterTurns(double x, DoubleDouble& r) {
    double size = std::fabs(x);
    if (size <= 0x1.921fb54442d18p-1) {
        r = {x, 0.0};
        return 0;
    }
    int exponent = 0;
    double mantissa = std::frexp(size, &exponent);
    auto m = static_cast<std::uint64_t>(std::ldexp(mantissa, 53));
    int e = exponent - 53;  // size = m 2^e, m an integer of 53 bits
    // Bit i of 2/pi weighs 2^-i; those before `first` add multiples of 4 quarter turns.
    int first = e - 1 > 1 ? e - 1 : 1;
    int word = (first - 1) / 32;
    int shift = (first - 1) % 32;
    std::uint32_t window[7];  // 224 bits of 2/pi from bit `first`, least significant word first
    for (int j = 0; j < 7; ++j) {
        std::uint64_t high = kTwoOverPi[word + j];
        std::uint64_t low = kTwoOverPi[word + j + 1];
        std::uint64_t bits = shift == 0 ? high : (high << shift) | (low >> (32 - shift));
        window[6 - j] = static_cast<std::uint32_t>(bits);
    }
    // The product m window, least significant word first; its last fractionBits bits are the fraction.
    std::uint32_t product[9] = {};
    const std::uint64_t halves[2] = {m & 0xFFFFFFFFu, m >> 32};
    for (int i = 0; i < 2; ++i) {
        std::uint64_t carry = 0;
        for (int j = 0; j < 7; ++j) {
            std::uint64_t t = halves[i] * window[j] + product[i + j] + carry;
            product[i + j] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        product[i + 7] = static_cast<std::uint32_t>(carry);
    }
    const int fractionBits = first + 223 - e;
    auto bitAt = [&product](int b) { return b < 288 ? (product[b / 32] >> (b % 32)) & 1u : 0u; };
    int quarterTurns = static_cast<int>(bitAt(fractionBits) + 2 * bitAt(fractionBits + 1));
    // From half a quarter turn on, the angle is counted back from the next quarter
    // turn: the two's complement of the fraction, exact in integers.
    bool fromNext = bitAt(fractionBits - 1) != 0;
    if (fromNext) {
        ++quarterTurns;
        std::uint64_t carry = 1;
        for (std::uint32_t& w : product) {
            std::uint64_t t = static_cast<std::uint64_t>(~w) + carry;
            w = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
    }
    // Least significant words first, so that the sum keeps every bit that matters.
    DoubleDouble fraction{0.0, 0.0};
    for (int i = 0; i < 9 && 32 * i < fractionBits; ++i) {
        std::uint32_t w = product[i];
        int inside = fractionBits - 32 * i;
        if (inside < 32) w &= (1u << inside) - 1u;
        fraction = add(fraction, std::ldexp(static_cast<double>(w), 32 * i - fractionBits));
    }
    r = multiply(fraction, kHalfPi);
    if (fromNext) r = negate(r);
    if (x < 0.0) {
        r = negate(r);
        quarterTurns = -quarterTurns;
    }
    return quarterTurns & 3;
}

// atan x for |x| <= 1: three halvings, atan x = 2 atan(x / (1 + sqrt(1 + x^2))),
// bring x below tan(pi/32) < 0.099, where 19 terms of the series suffice.
DoubleDouble arcTangentKernel(DoubleDouble x) {
    for (int i = 0; i < 3; ++i) x = divide(x, add(squareRoot(add(multiply(x, x), 1.0)), 1.0));
    DoubleDouble minusSquare = negate(multiply(x, x));
    DoubleDouble sum = kInverseOdds[18];
    for (int k = 17; k >= 0; --k) sum = add(multiply(sum, minusSquare), kInverseOdds[k]);
    return scale(multiply(sum, x), 3);
}

// atan x for any x, infinities included: beyond 1, atan x = pi/2 - atan(1/x).
DoubleDouble arcTangentParts(DoubleDouble x) {
    bool negative = x.hi < 0.0;
    if (negative) x = negate(x);
    DoubleDouble angle;
    if (x.hi > 0x1p60)
        angle = add(kHalfPi, -1.0 / x.hi);
    else if (x.hi > 1.0)
        angle = subtract(kHalfPi, arcTangentKernel(divide({1.0, 0.0}, x)));
    else
        angle = arcTangentKernel(x);
    return negative ? negate(angle) : angle;
}

// One unit of `halfTurn` in radians, and one radian in that unit.
DoubleDouble radiansPerUnit(double halfTurn) {
    if (halfTurn == 180.0) return kRadiansPerDegree;
    if (halfTurn == 200.0) return kRadiansPerGrad;
    return divide(scale(kHalfPi, 1), {halfTurn, 0.0});
}

inline DoubleDouble unitsPerRadian(double halfTurn) {
    if (halfTurn == 180.0) return kDegreesPerRadian;
    if (halfTurn == 200.0) return kGradsPerRadian;
    return divide({halfTurn, 0.0}, scale(kHalfPi, 1));
}

// An angle in radians in the unit, converted before the one rounding, so that
// asin 0.608 in grads keeps its last digit. A tiny angle is taken 2^600 times
// larger, so that its rounding into the subnormals is its only one.
double angleInUnit(DoubleDouble radians, double halfTurn) {
    if (halfTurn == kRadiansHalfTurn) return radians.hi;
    DoubleDouble ratio = unitsPerRadian(halfTurn);
    if (std::fabs(radians.hi) < 0x1p-900) return roundScaled(multiply(scale(radians, 600), ratio), -600);
    return multiply(radians, ratio).hi;
}

// The fast path's atan x, or pi/2 - atan x (complement), for 0 <= x <= 1 given in
// two parts (|x.lo| below an ulp of x.hi), as hi + lo within `bound` of the value.
// With c = i/64 nearest x, atan x = atan c + atan t, t = (x - c)/(1 + x c), |t| <=
// 2^-7: x - c is exact (Sterbenz), and so is x c, x taken in halves of 26 and 27
// bits, but for x.lo c (2^-105 of the sum); quickDivide keeps t to 2^-100.
// The series of atan t to t^9 leaves out less than 2^-70 t; its part past t is
// rounded within 2^-52 t^3, the sums of the small parts within 2^-104 of the value,
// taken 4 times over.
struct FastAngle {
    DoubleDouble radians;
    double bound;
};

FastAngle fastArcTangent(DoubleDouble x, bool complement) {
    double steps = (x.hi * 64.0 + kRoundingShift) - kRoundingShift;
    double c = steps * 0x1p-6;
    double xHigh = doubleOf(bitsOf(x.hi) & ~((std::uint64_t{1} << 27) - 1));
    DoubleDouble numerator = twoSum(x.hi - c, x.lo);
    DoubleDouble denominator = twoSum(1.0 + xHigh * c, (x.hi - xHigh) * c);
    denominator.lo += x.lo * c;
    DoubleDouble t = quickDivide(numerator, denominator);
    double t2 = t.hi * t.hi;
    double rest = t.hi * t2 * (-1.0 / 3.0 + t2 * (0.2 + t2 * (-1.0 / 7.0 + t2 * (1.0 / 9.0))));
    const DoubleDouble& step = kArcTangentSteps[static_cast<int>(steps)];
    DoubleDouble base = step;
    double sign = 1.0;
    if (complement) {
        base = twoSum(kHalfPi.hi, -step.hi);  // pi/2 - atan c is at least pi/4
        base.lo += kHalfPi.lo - step.lo;
        sign = -1.0;
    }
    DoubleDouble sum = quickTwoSum(base.hi, sign * t.hi);  // base is 0 or larger than |t|
    double lo = sum.lo + (base.lo + sign * (t.lo + rest));
    double size = std::fabs(t.hi);
    return {quickTwoSum(sum.hi, lo), 0x1p-50 * size * size * size + std::fabs(sum.hi) * 0x1p-98};
}

// A fast angle in the unit, rounded once, or NaN when it is not sure; the ratio
// of the unit adds 2^-104 and scales the bound.
[[gnu::always_inline]] inline double fastAngleInUnit(FastAngle angle, double halfTurn) {
    if (halfTurn == kRadiansHalfTurn) return surelyRounded(angle.radians.hi, angle.radians.lo, angle.bound);
    DoubleDouble ratio = unitsPerRadian(halfTurn);
    DoubleDouble value = multiply(angle.radians, ratio);
    return surelyRounded(value.hi, value.lo, 2.0 * angle.bound * ratio.hi);
}

// The fast paths of the inverse sine and its like: an angle of quarters quarter
// turns and times asin s, for 0 <= s <= 1/2, with quarters 0, 1 or 2 and times 1,
// -1, 2 or -2, the angle then being at least a twelfth of a turn when there are
// quarter turns, so that nothing cancels. The tables hold their values in
// radians, degrees and grads, so that the angle needs no conversion: the units'
// quarter turns, and their leading part of a radian.
constexpr DoubleDouble kQuarterTurns[] = {kHalfPi, {90.0, 0.0}, {100.0, 0.0}};
constexpr double kUnitsPerRadian[] = {1.0, kDegreesPerRadian.hi, kGradsPerRadian.hi};

int arcSineUnit(double halfTurn) {
    if (halfTurn == 180.0) return 1;
    if (halfTurn == 200.0) return 2;
    return halfTurn == kRadiansHalfTurn ? 0 : -1;
}

// The step of a table on a grid of 1/perStep (a power of two) nearest x, for 0 <= x
// below 128 steps: its index, read from the last bits of the shifted sum, its point,
// and x less the point, exact (Sterbenz, or the point is 0).
struct GridStep {
    int index;
    double point;
    double offset;
};

GridStep nearestGridStep(double x, double perStep) {
    double shifted = x * perStep + kRoundingShift;
    double point = (shifted - kRoundingShift) / perStep;
    return {static_cast<int>(bitsOf(shifted) & 127), point, x - point};
}

// The quarter turns in the unit: 0, 1 or 2 times exact products.
DoubleDouble quarterTurnsIn(int unit, int quarters) {
    if (quarters == 0) return {0.0, 0.0};
    auto times = static_cast<double>(quarters);
    return {kQuarterTurns[unit].hi * times, kQuarterTurns[unit].lo * times};
}

// The angle for s in two parts (kLowPart) or one, s known within 2^-100 of itself,
// rounded once in the unit, or NaN when it is not sure or the unit is not one of
// the table's. With c = i/128 nearest s and d = s.hi - c, exact (Sterbenz),
// asin s = asin c + slope d + d^2 P(d) + s.lo asin'(s.hi) from the table's series
// at c to d^9, whose first term left out is below 2^-75 of the value. The slope's
// product with d is exact in two doubles but for its lower parts (2^-104); d^2 P(d),
// below 2^-15 of the value, is rounded within 2^-50 of itself; s.lo, at most half
// an ulp of s.hi (a reciprocal rounded once), takes the derivative's series to d
// (2^-69 of the value left out), so that nothing waits on s.lo but the last sums; the quarter turns are exact in
// degrees and grads and within 2^-106 in radians. As d^2 P(d) is below 2^-15 of asin s, and asin s below the angle when
// there are quarter turns, the angle is within 2^-63.9 of its value, and its lower part below 2^-14 (surelyRoundedSum).
template <bool kLowPart>
[[gnu::always_inline]] inline double fastArcSineInUnit(DoubleDouble s, int quarters, double times, double halfTurn) {
    int unit = arcSineUnit(halfTurn);
    if (unit < 0) return kNaN;
    GridStep grid = nearestGridStep(s.hi, 128.0);
    const ArcSineStep& step = kArcSineSteps[unit][grid.index];
    const double* p = kArcSineTerms[grid.index];
    double d = grid.offset;
    // d in halves from the halves of s.hi, split beside the step's look-up: s.hi's high
    // half less c is exact, a multiple of its last bit no larger than d, in 26 bits.
    DoubleDouble halves = splitInHalves(s.hi);
    DoubleDouble product = twoProduct(step.slope, step.slopeHigh, step.slopeLow, d, halves.hi - grid.point, halves.lo);
    DoubleDouble base = quarterTurnsIn(unit, quarters);
    // The quarter turns and asin c first, beside the product: each sum is exact, the
    // first term being 0 or the larger.
    DoubleDouble head =
        quarters == 0 ? DoubleDouble{times * step.value.hi, 0.0} : quickTwoSum(base.hi, times * step.value.hi);
    DoubleDouble total = quickTwoSum(head.hi, times * product.hi);
    double ratio = kUnitsPerRadian[unit];
    double d2 = d * d;
    // The series, the last to be ready, is added last, already times over.
    double tail =
        d2 * (ratio * times) *
        (((p[0] + d * p[1]) + d2 * (p[2] + d * p[3])) + d2 * d2 * ((p[4] + d * p[5]) + d2 * (p[6] + d * p[7])));
    double rest = (step.value.lo + step.slopeRest * d) + product.lo;
    if (kLowPart) rest += s.lo * (step.slope + ratio * (d * (2.0 * p[0])));
    double lo = (((total.lo + head.lo) + base.lo) + times * rest) + tail;
    return surelyRoundedSum(total.hi, lo, std::fabs(total.hi) * 0x1p-63);
}

// The angle for s = sqrt z, 2^-54 <= z <= 1/4 in two parts, rounded once in the
// unit, or NaN: asin(sqrt z) = sqrt(z) g(z), where g(z) = asin(sqrt z)/sqrt z comes
// from the table's series at j/256 nearest z, to h^7, whose first term left out is
// below 2^-75 (g is near 1), without waiting for the root. h = z.hi - j/256 is
// exact (Sterbenz); g's leading part and the slope's product with h are exact in
// two doubles, what is rounded of the rest below 2^-72 of g; z.lo, at most 2^-51.4
// of z when there is one (kLowPart), takes g's derivative to h, which leaves out
// below 2^-72; the root keeps 103 bits (quickSquareRoot) and its product with g is
// exact in two doubles but for the lower parts (2^-104).
template <bool kLowPart>
[[gnu::always_inline]] inline double fastArcSineOfRootInUnit(DoubleDouble z, int quarters, double times,
                                                             double halfTurn) {
    int unit = arcSineUnit(halfTurn);
    if (unit < 0) return kNaN;
    GridStep grid = nearestGridStep(z.hi, 256.0);
    const ArcSineStep& step = kArcSineOfRootSteps[unit][grid.index];
    const double* p = kArcSineOfRootTerms[grid.index];
    double h = grid.offset;
    DoubleDouble hHalves = splitInHalves(h);
    DoubleDouble product = twoProduct(step.slope, step.slopeHigh, step.slopeLow, h, hHalves.hi, hHalves.lo);
    DoubleDouble g = quickTwoSum(step.value.hi, product.hi);  // g is near 1, the product below 2^-11
    double ratio = kUnitsPerRadian[unit];
    double h2 = h * h;
    double tail = h2 * ratio * (((p[0] + h * p[1]) + h2 * (p[2] + h * p[3])) + h2 * h2 * (p[4] + h * p[5]));
    double rest = (step.value.lo + step.slopeRest * h) + tail;
    if (kLowPart) rest += z.lo * (step.slope + ratio * (2.0 * p[0] * h));
    g.lo += product.lo + rest;
    DoubleDouble root = quickSquareRoot(z);
    DoubleDouble angle = twoProduct(root.hi, g.hi);
    angle.lo += root.hi * g.lo + root.lo * g.hi;
    DoubleDouble base = quarterTurnsIn(unit, quarters);
    DoubleDouble total = quickTwoSum(base.hi, times * angle.hi);  // base is 0 or the larger
    double lo = (total.lo + base.lo) + times * angle.lo;
    return surelyRoundedSum(total.hi, lo, std::fabs(total.hi) * 0x1p-63);
}

// The angle 1/x in the unit, for |x| above 2^60, where the inverse tangent,
// sine and their like of 1/x are 1/x to far better than a double. The quotient
// is taken 2^600 times larger, so that one in the subnormals is rounded once.
double reciprocalAngleInUnit(double x, double halfTurn) {
    if (std::isinf(x)) return 1.0 / x;
    DoubleDouble ratio = halfTurn == kRadiansHalfTurn ? DoubleDouble{1.0, 0.0} : unitsPerRadian(halfTurn);
    return roundScaled(divide(ratio, {std::ldexp(x, -600), 0.0}), -600);
}

}  // namespace

namespace {

// Any angle, to the last bit of its rest: the bits of 2/pi for radians, fmod for
// degrees and grads. Kept out of line, so that the short reductions below do not
// pay for its frame.
[[gnu::noinline]] ReducedAngle reduceAngleExactly(double x, double halfTurn) {
    if (!std::isfinite(x)) return {0, kNaN, 0.0, 0};
    if (halfTurn == kRadiansHalfTurn) {
        if (std::fabs(x) < kTinyRest) return {0, std::ldexp(x, kTinyScale), 0.0, -kTinyScale};
        DoubleDouble rest{0.0, 0.0};
        int quarter = reduceQuarterTurns(x, rest);
        return {quarter, rest.hi, rest.lo, 0};
    }
    // Degrees and grads lose their whole turns and quarter turns exactly, in the
    // unit itself: only the rest, at most an eighth of a turn, becomes radians,
    // in double-double, so that cos 91.5 is -sin 1.5 to the last digit.
    double withinTurn = std::fmod(x, 2.0 * halfTurn);
    double quarterTurn = halfTurn / 2.0;
    double turns = std::nearbyint(withinTurn / quarterTurn);
    double rest = withinTurn - turns * quarterTurn;
    int exponent = std::fabs(rest) < kTinyRest ? -kTinyScale : 0;
    DoubleDouble radians = multiply(radiansPerUnit(halfTurn), std::ldexp(rest, -exponent));
    return {static_cast<int>(turns) & 3, radians.hi, radians.lo, exponent};
}

}  // namespace

// The angles users type take a short way: in radians below 2^20 the quarter turns
// k come off in doubles (Cody and Waite), k pi/2 in three exact products and a
// fourth rounded one, past the 150th bit of pi/2, so that the rest is kept to its
// own 106 bits whenever it is above 2^-24; in degrees and grads below 2^40 the
// whole quarter turns k, times 90 or 100, are exact, and so is their difference
// with x. Every other angle, and a radian rest nearer a quarter turn than 2^-24,
// takes the exact reduction.
ReducedAngle reduceAngle(double x, double halfTurn) {
    double size = std::fabs(x);
    if (halfTurn == kRadiansHalfTurn) {
        if (size >= kTinyRest && size <= 0x1.921fb54442d18p-1) return {0, x, 0.0, 0};
        if (size < 0x1p20) {
            double k = (x * kQuarterTurnsPerRadian + kRoundingShift) - kRoundingShift;
            DoubleDouble first = twoSum(x - k * kHalfPiFirst, -k * kHalfPiSecond);  // the difference is exact
            DoubleDouble second = twoSum(first.hi, -k * kHalfPiThird);
            DoubleDouble rest = quickTwoSum(second.hi, (first.lo + second.lo) - k * kHalfPiRest);
            if (std::fabs(rest.hi) > 0x1p-24) return {static_cast<int>(k) & 3, rest.hi, rest.lo, 0};
        }
    } else if ((halfTurn == 180.0 || halfTurn == 200.0) && size < 0x1p40) {
        bool degrees = halfTurn == 180.0;
        double quarterTurn = degrees ? 90.0 : 100.0;
        double k = (x * (degrees ? 1.0 / 90.0 : 0.01) + kRoundingShift) - kRoundingShift;
        double rest = x - k * quarterTurn;
        if (std::fabs(rest) >= kTinyRest) {
            DoubleDouble radians = multiply(degrees ? kRadiansPerDegree : kRadiansPerGrad, rest);
            return {static_cast<int>(static_cast<std::int64_t>(k) & 3), radians.hi, radians.lo, 0};
        }
    }
    return reduceAngleExactly(x, halfTurn);
}

namespace {

// A rest below kTinyRest: sin r and tan r round to r, cos r to 1, and 1/sin r
// and 1/tan r to 1/r, the first terms of their series, each rounded once from
// the scaled rest.
double tinyRest(const ReducedAngle& angle) { return roundScaled({angle.rest, angle.restLow}, angle.exponent); }
double tinyRestReciprocal(const ReducedAngle& angle) {
    return roundScaled(divide({1.0, 0.0}, {angle.rest, angle.restLow}), -angle.exponent);
}

// sin or cos of the rest in double-double, for the values the fast path leaves:
// out of line, so that the fast path does not pay for its frame.
[[gnu::noinline]] DoubleDouble restKernel(const ReducedAngle& angle, bool cosine) {
    DoubleDouble r{angle.rest, angle.restLow};
    return cosine ? cosineKernel(r) : sineKernel(r);
}

// What a quotient of the rest's functions divides: 1, its sine or its cosine.
enum RestPart { kOne, kSine, kCosine };

DoubleDouble fastPart(const FastRest& r, RestPart part) {
    return part == kOne ? DoubleDouble{1.0, 0.0} : fastSineOrCosine(r, part == kCosine);
}

[[gnu::noinline]] DoubleDouble exactPart(const ReducedAngle& angle, RestPart part) {
    return part == kOne ? DoubleDouble{1.0, 0.0} : restKernel(angle, part == kCosine);
}

// The quotient of two of the rest's functions, rounded once.
double restQuotient(const ReducedAngle& angle, RestPart numerator, RestPart denominator) {
    FastRest r = fastRest(angle.rest, angle.restLow);
    double value = fastQuotientRounded(fastPart(r, numerator), fastPart(r, denominator));
    if (!std::isnan(value)) return value;
    return divide(exactPart(angle, numerator), exactPart(angle, denominator)).hi;
}

}  // namespace

// Each function of the whole angle is, by the quarter turns, the sine or the
// cosine of the rest or their quotient, with a sign.
double sineOf(const ReducedAngle& angle) {
    bool even = angle.quarter % 2 == 0;
    double value = 0.0;
    if (angle.exponent != 0) {
        value = even ? tinyRest(angle) : 1.0;
    } else {
        value = fastSineOrCosineRounded(angle.rest, angle.restLow, !even);
        if (std::isnan(value)) value = restKernel(angle, !even).hi;
    }
    return angle.quarter >= 2 ? -value : value;
}

double cosineOf(const ReducedAngle& angle) {
    bool even = angle.quarter % 2 == 0;
    double value = 0.0;
    if (angle.exponent != 0) {
        value = even ? 1.0 : tinyRest(angle);
    } else {
        value = fastSineOrCosineRounded(angle.rest, angle.restLow, even);
        if (std::isnan(value)) value = restKernel(angle, even).hi;
    }
    return angle.quarter == 1 || angle.quarter == 2 ? -value : value;
}

// The tangent and the reciprocal functions divide the sine and the cosine of the
// rest, fast or in double-double: 1/tan of a rounded tangent would be rounded twice.
double tangentOf(const ReducedAngle& angle) {
    bool even = angle.quarter % 2 == 0;
    if (angle.exponent != 0) return even ? tinyRest(angle) : -tinyRestReciprocal(angle);
    double value = restQuotient(angle, even ? kSine : kCosine, even ? kCosine : kSine);
    return even ? value : -value;
}

double cotangentOf(const ReducedAngle& angle) {
    bool even = angle.quarter % 2 == 0;
    if (angle.exponent != 0) return even ? tinyRestReciprocal(angle) : -tinyRest(angle);
    double value = restQuotient(angle, even ? kCosine : kSine, even ? kSine : kCosine);
    return even ? value : -value;
}

double secantOf(const ReducedAngle& angle) {
    bool even = angle.quarter % 2 == 0;
    double value = angle.exponent != 0 ? (even ? 1.0 : tinyRestReciprocal(angle))
                                       : restQuotient(angle, kOne, even ? kCosine : kSine);
    return angle.quarter == 1 || angle.quarter == 2 ? -value : value;
}

double cosecantOf(const ReducedAngle& angle) {
    bool even = angle.quarter % 2 == 0;
    double value = angle.exponent != 0 ? (even ? tinyRestReciprocal(angle) : 1.0)
                                       : restQuotient(angle, kOne, even ? kSine : kCosine);
    return angle.quarter >= 2 ? -value : value;
}

double sine(double x) { return std::fabs(x) < kTiny ? x : sineOf(reduceAngle(x, kRadiansHalfTurn)); }
double cosine(double x) { return std::fabs(x) < kTiny ? 1.0 : cosineOf(reduceAngle(x, kRadiansHalfTurn)); }
double tangent(double x) { return std::fabs(x) < kTiny ? x : tangentOf(reduceAngle(x, kRadiansHalfTurn)); }

// Up to 1/2 from the table's series; beyond, asin x = pi/2 - 2 asin(sqrt((1 - x)/2)),
// where (1 - x)/2 is exact (the root keeps 103 bits).
double arcSineIn(double x, double halfTurn) {
    double size = std::fabs(x);
    if (std::isnan(x)) return x;
    // Below 2^-30 the angle in radians rounds to x, but the next term of the
    // series still decides the last bit of some angles in degrees and grads.
    if (size < kTiny) return angleInUnit({x, x * x * x / 6.0}, halfTurn);
    if (size > 1.0) return kNaN;
    if (size == 1.0) return angleInUnit(x < 0.0 ? negate(kHalfPi) : kHalfPi, halfTurn);
    double value = size <= 0.5 ? fastArcSineInUnit<false>({size, 0.0}, 0, 1.0, halfTurn)
                               : fastArcSineOfRootInUnit<false>({(1.0 - size) * 0.5, 0.0}, 1, -2.0, halfTurn);
    if (!std::isnan(value)) return x < 0.0 ? -value : value;
    DoubleDouble rest = subtract({1.0, 0.0}, twoProduct(x, x));
    return angleInUnit(arcTangentParts(divide({x, 0.0}, squareRoot(rest))), halfTurn);
}

// acos x = 2 atan(sqrt((1 - x)/(1 + x))), where 1 - x and 1 + x are exact. The
// fast path: pi/2 - asin x up to 1/2 in size, beyond 2 asin(sqrt((1 - x)/2)) and
// pi - 2 asin(sqrt((1 + x)/2)).
double arcCosineIn(double x, double halfTurn) {
    if (std::isnan(x)) return x;
    if (std::fabs(x) > 1.0) return kNaN;
    if (x == 1.0) return 0.0;
    if (x == -1.0) return angleInUnit(scale(kHalfPi, 1), halfTurn);
    double value = 0.0;
    if (std::fabs(x) <= 0.5)
        value = x < 0.0 ? fastArcSineInUnit<false>({-x, 0.0}, 1, 1.0, halfTurn)
                        : fastArcSineInUnit<false>({x, 0.0}, 1, -1.0, halfTurn);
    else if (x > 0.0)
        value = fastArcSineOfRootInUnit<false>({(1.0 - x) * 0.5, 0.0}, 0, 2.0, halfTurn);
    else
        value = fastArcSineOfRootInUnit<false>({(1.0 + x) * 0.5, 0.0}, 2, -2.0, halfTurn);
    if (!std::isnan(value)) return value;
    DoubleDouble ratio = divide(twoSum(1.0, -x), twoSum(1.0, x));
    return angleInUnit(scale(arcTangentParts(squareRoot(ratio)), 1), halfTurn);
}

double arcTangentIn(double x, double halfTurn) {
    if (std::isnan(x)) return x;
    double size = std::fabs(x);
    if (size < kTiny) return angleInUnit({x, x * x * x / -3.0}, halfTurn);
    if (size <= 0x1p60) {
        // beyond 1, atan x = pi/2 - atan(1/x)
        FastAngle angle =
            size <= 1.0 ? fastArcTangent({size, 0.0}, false) : fastArcTangent(quickReciprocal(size), true);
        double value = fastAngleInUnit(angle, halfTurn);
        if (!std::isnan(value)) return std::copysign(value, x);
    }
    return angleInUnit(arcTangentParts({x, 0.0}), halfTurn);
}

// atan(1/x): below 1 in size it is a quarter turn less atan x, which gives
// 90 degrees at 0 as 1/0 would, and -90 at -0.
double arcCotangentIn(double x, double halfTurn) {
    double size = std::fabs(x);
    if (std::isnan(x)) return x;
    if (size > 0x1p60) return reciprocalAngleInUnit(x, halfTurn);
    FastAngle fast = size > 1.0 ? fastArcTangent(quickReciprocal(size), false) : fastArcTangent({size, 0.0}, true);
    double value = fastAngleInUnit(fast, halfTurn);
    if (!std::isnan(value)) return std::signbit(x) ? -value : value;
    DoubleDouble angle = size > 1.0 ? arcTangentKernel(divide({1.0, 0.0}, {size, 0.0}))
                                    : subtract(kHalfPi, arcTangentKernel({size, 0.0}));
    return angleInUnit(std::signbit(x) ? negate(angle) : angle, halfTurn);
}

namespace {

// The fast paths of acos(1/x) and asin(1/x) for 1 < |x| <= 2^60 take asin u, u = 1/|x|
// in two parts (within 2^-100), from 2 on, and below 2 asin(sqrt((1 - u)/2)), where
// (1 - u)/2 = (|x| - 1)/(2|x|) and |x| - 1 is exact.
[[gnu::always_inline]] inline double fastReciprocalArcSine(double size, int quarters, double times, double halfTurn) {
    return fastArcSineInUnit<true>(quickReciprocal(size), quarters, times, halfTurn);
}
double fastReciprocalArcSineOfRoot(double size, int quarters, double times, double halfTurn) {
    return fastArcSineOfRootInUnit<true>(quickDivide({size - 1.0, 0.0}, {2.0 * size, 0.0}), quarters, times, halfTurn);
}

}  // namespace

// acos(1/x) = 2 atan(sqrt((x - 1)/(x + 1))), where x - 1 and x + 1 are exact;
// past 2^60 it is a quarter turn less 1/x.
double arcSecantIn(double x, double halfTurn) {
    double size = std::fabs(x);
    if (size > 1.0 && size <= 0x1p60) {
        // acos u = pi/2 - asin u, and acos(-u) = pi - acos u
        // Each sign has its own copy, whose times is a constant.
        double value = 0.0;
        if (size < 2.0)
            value = x < 0.0 ? fastReciprocalArcSineOfRoot(size, 2, -2.0, halfTurn)
                            : fastReciprocalArcSineOfRoot(size, 0, 2.0, halfTurn);
        else
            value = x < 0.0 ? fastReciprocalArcSine(size, 1, 1.0, halfTurn)
                            : fastReciprocalArcSine(size, 1, -1.0, halfTurn);
        if (!std::isnan(value)) return value;
    }
    if (!(size >= 1.0)) return kNaN;  // NaN too
    if (size > 0x1p60) return angleInUnit(add(kHalfPi, -1.0 / x), halfTurn);
    if (x == -1.0) return angleInUnit(scale(kHalfPi, 1), halfTurn);
    DoubleDouble ratio = divide(twoSum(x, -1.0), twoSum(x, 1.0));
    return angleInUnit(scale(arcTangentParts(squareRoot(ratio)), 1), halfTurn);
}

// asin(1/x) is the angle whose cotangent is sqrt(x^2 - 1), where x^2 - 1 is exact.
double arcCosecantIn(double x, double halfTurn) {
    double size = std::fabs(x);
    if (size > 1.0 && size <= 0x1p60) {
        double value = size >= 2.0 ? fastReciprocalArcSine(size, 0, 1.0, halfTurn)
                                   : fastReciprocalArcSineOfRoot(size, 1, -2.0, halfTurn);
        if (!std::isnan(value)) return x < 0.0 ? -value : value;
    }
    if (!(size >= 1.0)) return kNaN;  // NaN too
    if (size > 0x1p60) return reciprocalAngleInUnit(x, halfTurn);
    DoubleDouble cotangent = squareRoot(add(twoProduct(size, size), -1.0));
    DoubleDouble angle = cotangent.hi < 1.0 ? subtract(kHalfPi, arcTangentKernel(cotangent))
                                            : arcTangentKernel(divide({1.0, 0.0}, cotangent));
    return angleInUnit(x < 0.0 ? negate(angle) : angle, halfTurn);
}

double arcSine(double x) { return arcSineIn(x, kRadiansHalfTurn); }
double arcCosine(double x) { return arcCosineIn(x, kRadiansHalfTurn); }
double arcTangent(double x) { return arcTangentIn(x, kRadiansHalfTurn); }

}  // namespace molvane
