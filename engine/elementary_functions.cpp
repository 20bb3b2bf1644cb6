// SPDX-License-Identifier: MIT
#include "engine/elementary_functions.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/double_double.h"
#include "engine/series_coefficients.h"

// Built with floating-point contraction off (see CMakeLists.txt): the error-free
// transformations rely on every product and sum being rounded on its own.

namespace molvane {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Below this size an odd function's value rounds to its argument and an even one's to 1.
constexpr double kTiny = 0x1p-30;
// Past this size x^2 + 1 and x^2 - 1 are x^2 to far better than a double, and x^2
// would leave the range in which double-double products are exact.
constexpr double kHuge = 0x1p500;

constexpr DoubleDouble kLn2{0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};
constexpr DoubleDouble kLn10{0x1.26bb1bbb55516p+1, -0x1.f48ad494ea3e9p-53};

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
    return roundScaled(value, k);
}

// e^x - 1 with full relative precision, for |x| below about 700.
DoubleDouble exponentialMinusOne(DoubleDouble x) {
    if (std::fabs(x.hi) <= 1.0) return exponentialMinusOneKernel(x);
    int k = 0;
    DoubleDouble u = exponentialParts(x, k);
    return add(scale(add(u, 1.0), k), -1.0);
}

// 2 atanh s = 2 (s + s^3/3 + s^5/5 + ...) = ln((1 + s)/(1 - s)) for |s| < 0.172.
DoubleDouble doubleArcTanhSeries(DoubleDouble s) {
    DoubleDouble square = multiply(s, s);
    DoubleDouble sum = kInverseOdds[23];
    for (int k = 22; k >= 0; --k) sum = add(multiply(sum, square), kInverseOdds[k]);
    return scale(multiply(sum, s), 1);
}

// ln x for finite x > 0: x = m 2^e with m in [sqrt(1/2), sqrt 2), and ln m by
// the series with s = (m - 1)/(m + 1), in which m - 1 is exact.
DoubleDouble logarithmParts(DoubleDouble x) {
    int e = 0;
    std::frexp(x.hi, &e);
    DoubleDouble m = scale(x, -e);
    if (m.hi < 0x1.6a09e667f3bcdp-1) {
        m = scale(m, 1);
        --e;
    }
    DoubleDouble s = divide(add(m, -1.0), add(m, 1.0));
    return add(multiply(kLn2, static_cast<double>(e)), doubleArcTanhSeries(s));
}

DoubleDouble logarithmParts(double x) { return logarithmParts({x, 0.0}); }

// Whether ln(1 + u) is best taken from u itself: 1 + u within [sqrt(1/2), sqrt 2).
bool nearOne(DoubleDouble u) { return u.hi > -0.2928 && u.hi < 0.4142; }

// ln(1 + u) with the relative precision of u, however small, for u near 0
// (nearOne): s = u/(2 + u) needs no 1 + u, which would lose u's last bits.
DoubleDouble logarithmOfOnePlus(DoubleDouble u) { return doubleArcTanhSeries(divide(u, add(u, 2.0))); }

// ln(1 + u) for any u > -1.
DoubleDouble logarithmOfOnePlusAny(DoubleDouble u) {
    return nearOne(u) ? logarithmOfOnePlus(u) : logarithmParts(add(u, 1.0));
}

// ln((p + q)/(p - q)) / 2 for finite p and q whose ratio is positive: from the
// ratio less 1, 2q/(p - q), near 1 (atanh of a small x), from the ratio itself
// elsewhere (atanh next to 1), each kept exact enough to be rounded once.
double halfLogarithmOfRatio(double p, double q) {
    DoubleDouble difference = twoSum(p, -q);
    DoubleDouble ratioLessOne = divide({2.0 * q, 0.0}, difference);
    DoubleDouble logarithm =
        nearOne(ratioLessOne) ? logarithmOfOnePlus(ratioLessOne) : logarithmParts(divide(twoSum(p, q), difference));
    return scale(logarithm, -1).hi;
}

bool isInteger(double y) { return std::trunc(y) == y; }

bool isOddInteger(double y) { return isInteger(y) && std::fabs(y) < 0x1p53 && std::fmod(y, 2.0) != 0.0; }

__extension__ using Wide = unsigned __int128;

// x^n exactly, rounded once, when x's odd significand to the n-th power fits in
// 106 bits: only such powers can be a double or lie halfway between two, where an
// approximation, however close, may fall on the wrong side. False otherwise.
bool exactWholePower(double x, double n, double& value) {
    int exponent = 0;
    auto m = static_cast<std::uint64_t>(std::ldexp(std::frexp(std::fabs(x), &exponent), 53));
    exponent -= 53;
    int zeros = std::countr_zero(m);
    m >>= zeros;
    exponent += zeros;
    if (n * static_cast<double>(std::bit_width(m)) > 106.0) return false;
    auto count = static_cast<int>(n);
    Wide product = 1;
    for (int i = 0; i < count; ++i) product *= m;
    // The product in two exact halves of 53 bits.
    constexpr Wide kHalf = Wide{1} << 53;
    DoubleDouble exact = twoSum(std::ldexp(static_cast<double>(static_cast<std::uint64_t>(product / kHalf)), 53),
                                static_cast<double>(static_cast<std::uint64_t>(product % kHalf)));
    value = roundScaled(exact, exponent * count);
    if (x < 0.0 && count % 2 != 0) value = -value;
    return true;
}

// x^y when the power may be exact: a whole y, or half a whole y with x a square.
bool exactPower(double x, double y, double& value) {
    if (y < 1.0 || y > 106.0) return false;
    if (isInteger(y)) return exactWholePower(x, y, value);
    if (!isInteger(2.0 * y) || x < 0x1p-900 || x > 0x1p900) return false;
    double root = std::sqrt(x);
    DoubleDouble square = twoProduct(root, root);
    return square.hi == x && square.lo == 0.0 && exactWholePower(root, 2.0 * y, value);
}

}  // namespace

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

// coth x = (u + 2)/u with u = e^(2x) - 1; near 0 it is 1/x + x/3, and below
// 2^-500 1/x, which IEEE division rounds correctly.
double hyperbolicCotangent(double x) {
    double size = std::fabs(x);
    if (std::isnan(x)) return x;
    if (size >= 40.0) return std::copysign(1.0, x);
    if (size < 0x1p-500) return 1.0 / x;
    if (size < kTiny) return add(divide({1.0, 0.0}, {x, 0.0}), x / 3.0).hi;
    DoubleDouble u = exponentialMinusOne({2.0 * size, 0.0});
    return std::copysign(divide(add(u, 2.0), u).hi, x);
}

// asinh x = ln(1 + u) with u = |x| + x^2/(1 + sqrt(1 + x^2)), the same as
// ln(|x| + sqrt(x^2 + 1)) without its cancellation near 0; the odd symmetry
// carries negative x, where the sum itself would cancel. Past kHuge it is
// ln(2|x|), as ln 2 + ln|x| rounded once.
double inverseHyperbolicSine(double x) {
    double size = std::fabs(x);
    if (size < kTiny || !std::isfinite(x)) return x;
    DoubleDouble value;
    if (size > kHuge) {
        value = add(logarithmParts(size), kLn2);
    } else {
        DoubleDouble square = twoProduct(size, size);
        DoubleDouble root = squareRoot(add(square, 1.0));
        value = logarithmOfOnePlusAny(add(divide(square, add(root, 1.0)), size));
    }
    return std::copysign(value.hi, x);
}

// acosh x = ln(1 + u) with u = (x - 1) + sqrt(x^2 - 1), where x - 1 and x^2 - 1
// are exact, so that next to 1 nothing cancels; past kHuge ln(2x) rounded once.
double inverseHyperbolicCosine(double x) {
    if (std::isnan(x) || x < 1.0) return kNaN;
    if (std::isinf(x)) return x;
    if (x > kHuge) return add(logarithmParts(x), kLn2).hi;
    DoubleDouble root = squareRoot(add(twoProduct(x, x), -1.0));
    return logarithmOfOnePlusAny(add(root, twoSum(x, -1.0))).hi;
}

// atanh x = ln((1 + x)/(1 - x))/2, which rounds to x below kTiny.
double inverseHyperbolicTangent(double x) {
    if (std::fabs(x) < kTiny || std::isnan(x)) return x;
    if (std::fabs(x) > 1.0) return kNaN;
    return halfLogarithmOfRatio(1.0, x);
}

// acoth x = ln((x + 1)/(x - 1))/2; past kHuge it is 1/x to far better than a
// double, which IEEE division rounds correctly.
double inverseHyperbolicCotangent(double x) {
    if (std::isnan(x) || std::fabs(x) < 1.0) return kNaN;
    if (std::fabs(x) > kHuge) return 1.0 / x;
    return halfLogarithmOfRatio(x, 1.0);
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
    double exact = 0.0;
    if (exactPower(x, y, exact)) return exact;
    double magnitude = exponentialOf(multiply(logarithmParts(size), y));
    return x < 0.0 && oddY ? -magnitude : magnitude;
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

}  // namespace molvane
