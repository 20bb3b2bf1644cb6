// SPDX-License-Identifier: MIT
#include "engine/elementary_functions.h"

#include <cmath>
#include <cstdint>
#include <limits>

// Built with floating-point contraction off (see CMakeLists.txt): the error-free
// transformations below rely on every product and sum being rounded on its own.

namespace molvane {
namespace {

// A number as the unevaluated sum hi + lo, with |lo| at most half an ulp of hi.
struct DoubleDouble {
    double hi;
    double lo;
};

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Below this size an odd function's value rounds to its argument and an even one's to 1.
constexpr double kTiny = 0x1p-30;

constexpr DoubleDouble kHalfPi{0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};
constexpr double kPi = 2.0 * kHalfPi.hi;  // the half turn of radians, as the callers write it
constexpr DoubleDouble kLn2{0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};
constexpr DoubleDouble kLn10{0x1.26bb1bbb55516p+1, -0x1.f48ad494ea3e9p-53};

// 1/n! for n = 0 to 30.
constexpr DoubleDouble kInverseFactorials[] = {
    {0x1.0000000000000p+0, 0.0},
    {0x1.0000000000000p+0, 0.0},
    {0x1.0000000000000p-1, 0.0},
    {0x1.5555555555555p-3, 0x1.5555555555555p-57},
    {0x1.5555555555555p-5, 0x1.5555555555555p-59},
    {0x1.1111111111111p-7, 0x1.1111111111111p-63},
    {0x1.6c16c16c16c17p-10, -0x1.f49f49f49f49fp-65},
    {0x1.a01a01a01a01ap-13, 0x1.a01a01a01a01ap-73},
    {0x1.a01a01a01a01ap-16, 0x1.a01a01a01a01ap-76},
    {0x1.71de3a556c734p-19, -0x1.c154f8ddc6c00p-73},
    {0x1.27e4fb7789f5cp-22, 0x1.cbbc05b4fa99ap-76},
    {0x1.ae64567f544e4p-26, -0x1.c062e06d1f209p-80},
    {0x1.1eed8eff8d898p-29, -0x1.2aec959e14c06p-83},
    {0x1.6124613a86d09p-33, 0x1.f28e0cc748ebep-87},
    {0x1.93974a8c07c9dp-37, 0x1.05d6f8a2efd1fp-92},
    {0x1.ae7f3e733b81fp-41, 0x1.1d8656b0ee8cbp-97},
    {0x1.ae7f3e733b81fp-45, 0x1.1d8656b0ee8cbp-101},
    {0x1.952c77030ad4ap-49, 0x1.ac981465ddc6cp-103},
    {0x1.6827863b97d97p-53, 0x1.eec01221a8b0bp-107},
    {0x1.2f49b46814157p-57, 0x1.2650f61dbdcb4p-112},
    {0x1.e542ba4020225p-62, 0x1.ea72b4afe3c2fp-120},
    {0x1.71b8ef6dcf572p-66, -0x1.d043ae40c4647p-120},
    {0x1.0ce396db7f853p-70, -0x1.aebcdbd20331cp-124},
    {0x1.761b41316381ap-75, -0x1.3423c7d91404fp-130},
    {0x1.f2cf01972f578p-80, -0x1.9ada5fcc1ab14p-135},
    {0x1.3f3ccdd165fa9p-84, -0x1.58ddadf344487p-139},
    {0x1.88e85fc6a4e5ap-89, -0x1.71c37ebd16540p-143},
    {0x1.d1ab1c2dccea3p-94, 0x1.054d0c78aea14p-149},
    {0x1.0a18a2635085dp-98, 0x1.b9e2e28e1aa54p-153},
    {0x1.259f98b4358adp-103, 0x1.eaf8c39dd9bc5p-157},
    {0x1.3932c5047d60ep-108, 0x1.832b7b530a627p-162},
};

// 1/(2k + 1) for k = 0 to 23.
constexpr DoubleDouble kInverseOdds[] = {
    {0x1.0000000000000p+0, 0.0},
    {0x1.5555555555555p-2, 0x1.5555555555555p-56},
    {0x1.999999999999ap-3, -0x1.999999999999ap-57},
    {0x1.2492492492492p-3, 0x1.2492492492492p-57},
    {0x1.c71c71c71c71cp-4, 0x1.c71c71c71c71cp-58},
    {0x1.745d1745d1746p-4, -0x1.745d1745d1746p-59},
    {0x1.3b13b13b13b14p-4, -0x1.3b13b13b13b14p-58},
    {0x1.1111111111111p-4, 0x1.1111111111111p-60},
    {0x1.e1e1e1e1e1e1ep-5, 0x1.e1e1e1e1e1e1ep-61},
    {0x1.af286bca1af28p-5, 0x1.af286bca1af28p-59},
    {0x1.8618618618618p-5, 0x1.8618618618618p-59},
    {0x1.642c8590b2164p-5, 0x1.642c8590b2164p-60},
    {0x1.47ae147ae147bp-5, -0x1.eb851eb851eb8p-61},
    {0x1.2f684bda12f68p-5, 0x1.2f684bda12f68p-59},
    {0x1.1a7b9611a7b96p-5, 0x1.1a7b9611a7b96p-61},
    {0x1.0842108421084p-5, 0x1.0842108421084p-60},
    {0x1.f07c1f07c1f08p-6, -0x1.f07c1f07c1f08p-61},
    {0x1.d41d41d41d41dp-6, 0x1.0750750750750p-60},
    {0x1.bacf914c1bad0p-6, -0x1.bacf914c1bad0p-60},
    {0x1.a41a41a41a41ap-6, 0x1.0690690690690p-60},
    {0x1.8f9c18f9c18fap-6, -0x1.f3831f3831f38p-61},
    {0x1.7d05f417d05f4p-6, 0x1.7d05f417d05f4p-62},
    {0x1.6c16c16c16c17p-6, -0x1.f49f49f49f49fp-61},
    {0x1.5c9882b931057p-6, 0x1.310572620ae4cp-61},
};

// The bits of 2/pi, 32 a word, most significant first: enough for the largest double.
constexpr std::uint32_t kTwoOverPi[] = {
    0xA2F9836E, 0x4E441529, 0xFC2757D1, 0xF534DDC0, 0xDB629599, 0x3C439041, 0xFE5163AB, 0xDEBBC561,
    0xB7246E3A, 0x424DD2E0, 0x06492EEA, 0x09D1921C, 0xFE1DEB1C, 0xB129A73E, 0xE88235F5, 0x2EBB4484,
    0xE99C7026, 0xB45F7E41, 0x3991D639, 0x835339F4, 0x9C845F8B, 0xBDF9283B, 0x1FF897FF, 0xDE05980F,
    0xEF2F118B, 0x5A0A6D1F, 0x6D367ECF, 0x27CB09B7, 0x4F463F66, 0x9E5FEA2D, 0x7527BAC7, 0xEBE5F17B,
    0x3D0739F7, 0x8A5292EA, 0x6BFB5FB1, 0x1F8D5D08, 0x56033046, 0xFC7B6BAB, 0xF0CFBC20, 0x9AF4361D,
};

// The rounded sum and its exact rounding error.
DoubleDouble twoSum(double a, double b) {
    double s = a + b;
    double v = s - a;
    return {s, (a - (s - v)) + (b - v)};
}

// The same when |a| >= |b| or a is 0.
DoubleDouble quickTwoSum(double a, double b) {
    double s = a + b;
    return {s, b - (s - a)};
}

// The rounded product and its exact rounding error (Dekker): each factor is split
// into halves of 26 bits, whose products are exact. Factors here stay far below
// 2^996, where the split would overflow.
DoubleDouble twoProduct(double a, double b) {
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

DoubleDouble add(DoubleDouble a, DoubleDouble b) {
    DoubleDouble s = twoSum(a.hi, b.hi);
    DoubleDouble t = twoSum(a.lo, b.lo);
    s.lo += t.hi;
    s = quickTwoSum(s.hi, s.lo);
    s.lo += t.lo;
    return quickTwoSum(s.hi, s.lo);
}

DoubleDouble add(DoubleDouble a, double b) {
    DoubleDouble s = twoSum(a.hi, b);
    s.lo += a.lo;
    return quickTwoSum(s.hi, s.lo);
}

DoubleDouble negate(DoubleDouble a) { return {-a.hi, -a.lo}; }

DoubleDouble subtract(DoubleDouble a, DoubleDouble b) { return add(a, negate(b)); }

DoubleDouble multiply(DoubleDouble a, DoubleDouble b) {
    DoubleDouble p = twoProduct(a.hi, b.hi);
    p.lo += a.hi * b.lo + a.lo * b.hi;
    return quickTwoSum(p.hi, p.lo);
}

DoubleDouble multiply(DoubleDouble a, double b) {
    DoubleDouble p = twoProduct(a.hi, b);
    p.lo += a.lo * b;
    return quickTwoSum(p.hi, p.lo);
}

DoubleDouble divide(DoubleDouble a, DoubleDouble b) {
    double q1 = a.hi / b.hi;
    DoubleDouble r = subtract(a, multiply(b, q1));
    double q2 = r.hi / b.hi;
    r = subtract(r, multiply(b, q2));
    double q3 = r.hi / b.hi;
    return add(quickTwoSum(q1, q2), q3);
}

// Exact: a power of two only moves the exponent.
DoubleDouble scale(DoubleDouble a, int exponent) { return {std::ldexp(a.hi, exponent), std::ldexp(a.lo, exponent)}; }

// One Newton step from the square root of the leading part, which IEEE arithmetic
// rounds correctly on every platform.
DoubleDouble squareRoot(DoubleDouble a) {
    if (a.hi <= 0.0) return {0.0, 0.0};
    double s = std::sqrt(a.hi);
    DoubleDouble rest = subtract(a, twoProduct(s, s));
    return quickTwoSum(s, rest.hi / (2.0 * s));
}

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

// e^r - 1 for |r| <= 1: the series for r 2^-10, then ten times
// (1 + u)^2 - 1 = u (2 + u), which keeps the relative precision of a small u.
DoubleDouble exponentialMinusOneKernel(DoubleDouble r) {
    DoubleDouble small = scale(r, -10);
    DoubleDouble sum = kInverseFactorials[11];
    for (int n = 10; n >= 1; --n) sum = add(multiply(sum, small), kInverseFactorials[n]);
    DoubleDouble u = multiply(sum, small);
    for (int i = 0; i < 10; ++i) u = multiply(u, add(u, 2.0));
    return u;
}

// e^x = 2^k (1 + u) with x = k ln 2 + r, |r| <= ln 2 / 2; returns u and sets k.
// For |x| below about 745.
DoubleDouble exponentialParts(DoubleDouble x, int& k) {
    double turns = std::round(x.hi / kLn2.hi);
    k = static_cast<int>(turns);
    return exponentialMinusOneKernel(subtract(x, multiply(kLn2, turns)));
}

// e^x rounded once; overflows to infinity and underflows to 0 as the true value does.
double exponentialOf(DoubleDouble x) {
    if (std::isnan(x.hi)) return x.hi;
    if (x.hi > 709.8) return kInfinity;
    if (x.hi < -746.0) return 0.0;
    int k = 0;
    DoubleDouble value = add(exponentialParts(x, k), 1.0);
    if (std::ldexp(value.hi, k) >= 0x1p-1021) return std::ldexp(value.hi, k);
    // Below 2^-1021 the doubles are the multiples of 2^-1074: the value is rounded
    // to one of them from all its bits, not once to 53 bits and again on scaling.
    DoubleDouble units = scale(value, k + 1074);
    double whole = std::floor(units.hi);
    DoubleDouble rest = add({units.hi - whole, 0.0}, units.lo);
    if (rest.hi > 0.5 || (rest.hi == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    return std::ldexp(whole, -1074);
}

// e^x - 1 with full relative precision, for |x| below about 700.
DoubleDouble exponentialMinusOne(DoubleDouble x) {
    if (std::fabs(x.hi) <= 1.0) return exponentialMinusOneKernel(x);
    int k = 0;
    DoubleDouble u = exponentialParts(x, k);
    return add(scale(add(u, 1.0), k), -1.0);
}

// ln x for finite x > 0: x = m 2^e with m in [sqrt(1/2), sqrt 2), and
// ln m = 2 atanh s = 2 (s + s^3/3 + s^5/5 + ...) with s = (m - 1)/(m + 1), |s| < 0.172.
DoubleDouble logarithmParts(double x) {
    int e = 0;
    double m = std::frexp(x, &e);
    if (m < 0x1.6a09e667f3bcdp-1) {
        m *= 2.0;
        --e;
    }
    DoubleDouble s = divide({m - 1.0, 0.0}, twoSum(m, 1.0));
    DoubleDouble square = multiply(s, s);
    DoubleDouble sum = kInverseOdds[23];
    for (int k = 22; k >= 0; --k) sum = add(multiply(sum, square), kInverseOdds[k]);
    return add(multiply(kLn2, static_cast<double>(e)), scale(multiply(sum, s), 1));
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

bool isInteger(double y) { return std::trunc(y) == y; }

bool isOddInteger(double y) { return isInteger(y) && std::fabs(y) < 0x1p53 && std::fmod(y, 2.0) != 0.0; }

}  // namespace

double sine(double x) {
    if (std::fabs(x) < kTiny) return x;
    if (!std::isfinite(x)) return kNaN;
    DoubleDouble r;
    int q = reduceQuarterTurns(x, r);
    DoubleDouble value = q % 2 == 0 ? sineKernel(r) : cosineKernel(r);
    return q >= 2 ? -value.hi : value.hi;
}

double cosine(double x) {
    if (std::fabs(x) < kTiny) return 1.0;
    if (!std::isfinite(x)) return kNaN;
    DoubleDouble r;
    int q = reduceQuarterTurns(x, r);
    DoubleDouble value = q % 2 == 0 ? cosineKernel(r) : sineKernel(r);
    return q == 1 || q == 2 ? -value.hi : value.hi;
}

double tangent(double x) {
    if (std::fabs(x) < kTiny) return x;
    if (!std::isfinite(x)) return kNaN;
    DoubleDouble r;
    int q = reduceQuarterTurns(x, r);
    DoubleDouble s = sineKernel(r);
    DoubleDouble c = cosineKernel(r);
    return q % 2 == 0 ? divide(s, c).hi : -divide(c, s).hi;
}

double angleWithinTurns(double x, bool halfTurns) {
    if (!std::isfinite(x)) return kNaN;
    DoubleDouble r;
    int q = reduceQuarterTurns(std::fabs(x), r);
    if (halfTurns) q %= 2;
    DoubleDouble angle = add(multiply(kHalfPi, static_cast<double>(q)), r);
    // Just below a whole turn the remainder is counted back from it, as a negative r.
    if (angle.hi < 0.0) angle = add(angle, scale(kHalfPi, halfTurns ? 1 : 2));
    return std::copysign(angle.hi, x);
}

// An angle in radians in the unit whose half turn is `halfTurn` (pi, 180 or 200),
// converted before the one rounding, so that asin 0.608 in grads keeps its last digit.
double angleInUnit(DoubleDouble radians, double halfTurn) {
    if (halfTurn == kPi) return radians.hi;
    return multiply(radians, divide({halfTurn, 0.0}, scale(kHalfPi, 1))).hi;
}

double arcSineIn(double x, double halfTurn) {
    double size = std::fabs(x);
    if (std::isnan(x)) return x;
    if (size < kTiny) return angleInUnit({x, 0.0}, halfTurn);
    if (size > 1.0) return kNaN;
    if (size == 1.0) return angleInUnit(x < 0.0 ? negate(kHalfPi) : kHalfPi, halfTurn);
    DoubleDouble rest = subtract({1.0, 0.0}, twoProduct(x, x));
    return angleInUnit(arcTangentParts(divide({x, 0.0}, squareRoot(rest))), halfTurn);
}

// acos x = 2 atan(sqrt((1 - x)/(1 + x))), where 1 - x and 1 + x are exact.
double arcCosineIn(double x, double halfTurn) {
    if (std::isnan(x)) return x;
    if (std::fabs(x) > 1.0) return kNaN;
    if (x == 1.0) return 0.0;
    if (x == -1.0) return angleInUnit(scale(kHalfPi, 1), halfTurn);
    DoubleDouble ratio = divide(twoSum(1.0, -x), twoSum(1.0, x));
    return angleInUnit(scale(arcTangentParts(squareRoot(ratio)), 1), halfTurn);
}

double arcTangentIn(double x, double halfTurn) {
    if (std::isnan(x)) return x;
    if (std::fabs(x) < kTiny) return angleInUnit({x, 0.0}, halfTurn);
    return angleInUnit(arcTangentParts({x, 0.0}), halfTurn);
}

double arcSine(double x) { return arcSineIn(x, kPi); }
double arcCosine(double x) { return arcCosineIn(x, kPi); }
double arcTangent(double x) { return arcTangentIn(x, kPi); }

// Far from 0 the smaller exponential is below 2^-115 of the larger and is left
// out; e^x / 2 is then e^(x - ln 2), which stays finite where e^x overflows.
double hyperbolicSine(double x) {
    double size = std::fabs(x);
    if (size < kTiny || !std::isfinite(x)) return x;
    double value = 0.0;
    if (size < 1.0) {
        // (e^x - e^-x)/2 = (u + u/(1 + u))/2 with u = e^x - 1: no cancellation near 0.
        DoubleDouble u = exponentialMinusOneKernel({size, 0.0});
        value = scale(add(u, divide(u, add(u, 1.0))), -1).hi;
    } else if (size < 40.0) {
        int k = 0;
        DoubleDouble u = exponentialParts({size, 0.0}, k);
        DoubleDouble grown = scale(add(u, 1.0), k);
        value = scale(subtract(grown, divide({1.0, 0.0}, grown)), -1).hi;
    } else {
        value = exponentialOf(subtract({size, 0.0}, kLn2));
    }
    return std::copysign(value, x);
}

double hyperbolicCosine(double x) {
    double size = std::fabs(x);
    if (std::isnan(x)) return x;
    if (std::isinf(x)) return kInfinity;
    if (size < kTiny) return 1.0;
    if (size >= 40.0) return exponentialOf(subtract({size, 0.0}, kLn2));
    int k = 0;
    DoubleDouble u = exponentialParts({size, 0.0}, k);
    DoubleDouble grown = scale(add(u, 1.0), k);
    return scale(add(grown, divide({1.0, 0.0}, grown)), -1).hi;
}

// tanh x = u/(u + 2) with u = e^(2x) - 1; from 40 on it rounds to 1.
double hyperbolicTangent(double x) {
    double size = std::fabs(x);
    if (size < kTiny || std::isnan(x)) return x;
    if (size >= 40.0) return std::copysign(1.0, x);
    DoubleDouble u = exponentialMinusOne({2.0 * size, 0.0});
    return std::copysign(divide(u, add(u, 2.0)).hi, x);
}

double exponential(double x) {
    if (std::fabs(x) < 0x1p-60) return 1.0;
    if (std::isinf(x)) return x > 0.0 ? x : 0.0;
    return exponentialOf({x, 0.0});
}

double naturalLogarithm(double x) {
    if (std::isnan(x) || x < 0.0) return kNaN;
    if (x == 0.0) return -kInfinity;
    if (std::isinf(x)) return x;
    return logarithmParts(x).hi;
}

double factorial(int n) {
    DoubleDouble product{1.0, 0.0};
    int exponent = 0;  // the product's splitting would overflow near the top of the doubles
    for (int factor = n; factor >= 2; --factor) {
        product = multiply(product, static_cast<double>(factor));
        if (product.hi > 0x1p900) {
            product = scale(product, -512);
            exponent += 512;
        }
    }
    return std::ldexp(product.hi, exponent);
}

double halfLogarithmOfRatio(double p, double q) {
    DoubleDouble ratio = divide(twoSum(p, q), twoSum(p, -q));
    // ln(hi + lo) = ln hi + lo/hi to well past a double's precision, as |lo/hi| <= 2^-53.
    return scale(add(logarithmParts(ratio.hi), ratio.lo / ratio.hi), -1).hi;
}

double commonLogarithm(double x) {
    if (std::isnan(x) || x < 0.0) return kNaN;
    if (x == 0.0) return -kInfinity;
    if (std::isinf(x)) return x;
    return divide(logarithmParts(x), kLn10).hi;
}

// The special cases are those of C's pow; otherwise |x|^y = e^(y ln|x|), with the
// sign of x kept for an odd integer y.
double power(double x, double y) {
    if (y == 0.0 || x == 1.0) return 1.0;
    if (std::isnan(x) || std::isnan(y)) return kNaN;
    bool oddY = isOddInteger(y);
    if (x == 0.0) {
        double magnitude = y < 0.0 ? kInfinity : 0.0;
        return oddY ? std::copysign(magnitude, x) : magnitude;
    }
    if (std::isinf(x)) {
        double magnitude = y < 0.0 ? 0.0 : kInfinity;
        return x < 0.0 && oddY ? -magnitude : magnitude;
    }
    if (x < 0.0 && !isInteger(y)) return kNaN;
    double size = std::fabs(x);
    if (size == 1.0) return oddY ? -1.0 : 1.0;
    // Past 2^64 even the |x| nearest 1 gives a power far beyond the doubles.
    if (std::fabs(y) > 0x1p64) return (size < 1.0) == (y < 0.0) ? kInfinity : 0.0;
    double magnitude = exponentialOf(multiply(logarithmParts(size), y));
    return x < 0.0 && oddY ? -magnitude : magnitude;
}

}  // namespace molvane
