// SPDX-License-Identifier: MIT
#include "engine/elementary_functions.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "engine/double_double.h"
#include "engine/function_tables.h"
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
constexpr double kSmallestNormal = std::numeric_limits<double>::min();
constexpr double kLargest = std::numeric_limits<double>::max();

constexpr DoubleDouble kLn2{0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};
constexpr DoubleDouble kLn10{0x1.26bb1bbb55516p+1, -0x1.f48ad494ea3e9p-53};

// The fast paths below work in doubles with a bound on their error, and answer
// only when every number within the bound rounds to the same double (surelyRounded):
// that double is then the correctly rounded value, which the double-double path
// gives too. Otherwise, about once in thousands of arguments, the double-double
// path answers. Their error bounds, relative to the value, add up the roundings
// named in each; the largest are taken four times over.

// Adding and taking away 1.5 2^52 rounds a number below 2^51 to a whole number.
constexpr double kRoundingShift = 0x1.8p52;

// 2^k for the exponent of a normal double, made from its bits.
double powerOfTwo(int k) { return doubleOf(static_cast<std::uint64_t>(k + 1023) << 52); }

// 2^(n/128) (1 + exact + small + q) as hi + lo: the table's step times the exact
// part is exact in two doubles (twoProduct), the rest is rounded.
DoubleDouble exponentialOfSteps(int n, double exact, double small, double q) {
    const DoubleDouble& step = kExp2Steps[n & 127];
    DoubleDouble product = twoProduct(step.hi, exact);
    DoubleDouble sum = quickTwoSum(step.hi, product.hi);
    double lo = sum.lo + (product.lo + (step.lo + (step.lo * exact + step.hi * (small + q))));
    double grow = powerOfTwo(n >> 7);
    return {sum.hi * grow, lo * grow};
}

// e^(a + b) as hi + lo for -700 <= a <= 708 and |b| <= 2^-40, within 2^-65 of
// hi + lo, with lo up to 2^-17 of hi (and scaled exactly by 2^k but for a lo in
// the subnormals, within 2^-1075): with a + b = (128 k + j) ln 2/128 + r, |r| <= ln 2/256,
// e^(a + b) = 2^k 2^(j/128) e^r, and e^r = 1 + r + q(r) with q its series from r^2/2
// to r^6/720, whose first term left out is below 2^-72. The table's 2^(j/128)
// times the exact part of r is exact in two doubles (twoProduct); what is rounded
// is q (about 2^-69, as r in it is rounded too), the sums of the small parts
// (5 of 2^-70) and the steps of ln 2/128 (2^-77): below 2^-67 in all.
DoubleDouble fastExponentialParts(double a, double b) {
    double steps = (a * kExpStepsPerLn2 + kRoundingShift) - kRoundingShift;
    double exact = a - steps * kExpStepHigh;  // Sterbenz: the product is exact and near a
    double small = b - steps * kExpStepLow;
    double r = exact + small;
    double q = r * r * (0.5 + r * (1.0 / 6.0 + r * (1.0 / 24.0 + r * (1.0 / 120.0 + r * (1.0 / 720.0)))));
    return exponentialOfSteps(static_cast<int>(steps), exact, small, q);
}

// e^(a + b) when the sum is known to within `argumentError`, which adds its share
// to the bound; NaN when the value lies too near a rounding boundary.
double fastExponential(double a, double b, double argumentError) {
    DoubleDouble parts = fastExponentialParts(a, b);
    return surelyRounded(parts.hi, parts.lo, parts.hi * (0x1p-65 + argumentError));
}

// ln x for a normal x > 0 as hi + lo, within the returned bound: x = 2^E m with
// m near 1 + i/128 (or m/2 near 1), and ln x = E ln 2 - ln r + ln(1 + z) with the
// table's r near 1/m, z = m r - 1 (|z| < 2^-8, exact in two doubles as m is taken
// in halves whose products with r are exact), and the series of ln(1 + z) to z^9,
// whose first term left out is below 2^-56 |z|^3. E ln 2 - ln r, both leading parts
// multiples of 2^-42, is exact, and so is its sum with z's leading part; z^2/2 is
// taken exactly and kept apart too, so that what is rounded is below 2^-24: the
// terms from z^3 on (2^-51 |z|^3 with their coefficients), the sum of the small
// parts (2^-77) and the smaller parts of ln 2 and ln r (2^-86 E). With no E and no
// r there is only the first of these. Without kExactSquare z^2 is rounded, which
// adds 2^-54 z^2: enough for ln x itself, not for a power's exponent. A number
// given in two parts, x + xLow with |xLow| at most two ulps of x and x from
// 2^-1000 to 2^1000, adds ln(1 + xLow/x) = w (1 - z + z^2) with w = xLow 2^-E r,
// to the small parts, off the path that waits on z: what it leaves out, w z^3 and
// w^2/2, and its roundings are below |w| (|z|^3 + 2^-50).
// The value comes as its two last sums leave it: its lower part may be up to 2^-10
// of the leading one, to be added by quickTwoSum where a product needs it small.
struct FastLogarithm {
    DoubleDouble value;
    double bound;
};

DoubleDouble normalized(DoubleDouble a) { return quickTwoSum(a.hi, a.lo); }

template <bool kExactSquare>
[[gnu::always_inline]] inline FastLogarithm fastLogarithm(double x, double xLow = 0.0) {
    auto bits = bitsOf(x);
    int e = static_cast<int>(bits >> 52) - 1023;
    std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    auto i = static_cast<int>((fraction + (std::uint64_t{1} << 44)) >> 45);
    double m = doubleOf(fraction | (std::uint64_t{1023} << 52));
    if (i == 128) {
        m *= 0.5;
        ++e;
        i = 0;
    }
    const LogStep& step = kLogSteps[i];
    double mHigh = doubleOf(bitsOf(m) & ~((std::uint64_t{1} << 27) - 1));
    DoubleDouble z = twoSum(mHigh * step.r - 1.0, (m - mHigh) * step.r);
    // w = xLow lowScale; the scale is found beside the lower part, which may come late.
    double lowScale = powerOfTwo(-e) * step.r;
    double exponent = static_cast<double>(e);
    // E ln 2 - ln r is 0 or larger than |z| (2^-7.9 at the least, for E = -1 and the
    // last r), and z larger than z^2/2, so that quickTwoSum keeps each sum exact.
    DoubleDouble head = quickTwoSum(exponent * kLn2High + step.logHigh, z.hi);
    DoubleDouble square = kExactSquare ? twoProduct(z.hi, z.hi) : DoubleDouble{z.hi * z.hi, 0.0};
    DoubleDouble withSquare = quickTwoSum(head.hi, -0.5 * square.hi);
    // The terms from z^3 on, paired so that their products do not wait on each other.
    double zz = z.hi;
    double z2 = square.hi;
    double z4 = z2 * z2;
    double cube =
        z2 * zz *
        ((1.0 / 3.0 - zz * 0.25) + z2 * (0.2 - zz * (1.0 / 6.0)) + z4 * ((1.0 / 7.0 - zz * 0.125) + z2 * (1.0 / 9.0)));
    double lowParts = z.lo - zz * z.lo;
    if (xLow != 0.0) lowParts += xLow * (lowScale * (1.0 - zz * (1.0 - zz)));
    double small = (exponent * kLn2Low + step.logLow) + lowParts + (cube - 0.5 * square.lo);
    double lo = head.lo + withSquare.lo + small;
    double cubeSize = std::fabs(z2 * zz);
    double bound = 0x1p-49 * cubeSize + std::fabs(withSquare.hi) * 0x1p-96 + (e == 0 && i == 0 ? 0.0 : 0x1p-75);
    if (!kExactSquare) bound += 0x1p-52 * z2;
    if (xLow != 0.0) bound += std::fabs(xLow * lowScale) * (cubeSize + 0x1p-50);
    return {{withSquare.hi, lo}, bound};
}

// x^y = e^(y ln x) for a normal x > 0 and |y| <= 2^64, when the fast paths can
// answer: ln x within its bound, times y exactly in two doubles but for y's
// product with the smaller part (2^-100 of the product), then e^ of it with the
// error of the exponent carried into the exponential's bound. A product below
// 2^-900 would lose its exact lower part to the subnormals. NaN when it cannot.
double fastPower(double x, double y) {
    FastLogarithm logarithm = fastLogarithm<true>(x);
    DoubleDouble value = normalized(logarithm.value);
    DoubleDouble product = twoProduct(value.hi, y);
    product.lo += value.lo * y;
    if (!(std::fabs(product.hi) > 0x1p-900 && product.hi >= -700.0 && product.hi <= 708.0)) return kNaN;
    double argumentError = std::fabs(y) * logarithm.bound + std::fabs(product.hi) * 0x1p-100;
    return fastExponential(product.hi, product.lo, argumentError);
}

// e^a and e^-a for |a| < 40, each within 2^-65 of its value and with its lower part
// below an ulp. Their sum and difference are within 2^-65 of e^a + e^-a, so that the
// hyperbolic functions from 2^-5 on answer from them, the difference's bound
// growing as it cancels.
struct Exponentials {
    DoubleDouble up;
    DoubleDouble down;
};

// The two from one reduction: e^-a = 2^(-n/128) e^-r, whose series takes the
// even terms of e^r's and the odd ones negated.
Exponentials fastExponentials(double a) {
    double steps = (a * kExpStepsPerLn2 + kRoundingShift) - kRoundingShift;
    double exact = a - steps * kExpStepHigh;
    double small = -steps * kExpStepLow;
    double r = exact + small;
    double r2 = r * r;
    double even = r2 * (0.5 + r2 * (1.0 / 24.0 + r2 * (1.0 / 720.0)));
    double odd = r * r2 * (1.0 / 6.0 + r2 * (1.0 / 120.0));
    auto n = static_cast<int>(steps);
    DoubleDouble up = exponentialOfSteps(n, exact, small, even + odd);
    DoubleDouble down = exponentialOfSteps(-n, -exact, -small, even - odd);
    return {quickTwoSum(up.hi, up.lo), quickTwoSum(down.hi, down.lo)};
}

// From 4.5 on e^-a is below 2^-13 e^a, and 1/e^a in one division, within 2^-51.4
// of it, is within 2^-65 of e^a: the pair is as good and costs less.
constexpr double kDivideBeyond = 4.5;

Exponentials fastExponentialAndReciprocal(double a) {
    DoubleDouble up = fastExponentialParts(a, 0.0);
    up = quickTwoSum(up.hi, up.lo);
    return {up, {1.0 / up.hi, 0.0}};
}

// Below 2^-5 sinh x, tanh x and asinh x are x + x^3 P(x^2), their series to x^9,
// x^11 and x^11, whose first terms left out are below 2^-65 x^3; the part past x is rounded 6
// times at most, within 2^-52 x^3, taken 4 times over.
constexpr double kSmallHyperbolic = 0x1p-5;

double smallBound(double x) { return std::fabs(x * x * x) * 0x1p-50; }

double sineSeriesRest(double x) {
    double s = x * x;
    return x * s * (1.0 / 6.0 + s * (1.0 / 120.0 + s * (1.0 / 5040.0 + s * (1.0 / 362880.0))));
}

double arcSineSeriesRest(double x) {
    double s = x * x;
    return x * s * (-1.0 / 6.0 + s * (3.0 / 40.0 + s * (-5.0 / 112.0 + s * (35.0 / 1152.0 + s * (-63.0 / 2816.0)))));
}

double tangentSeriesRest(double x) {
    double s = x * x;
    return x * s *
           (-1.0 / 3.0 + s * (2.0 / 15.0 + s * (-17.0 / 315.0 + s * (62.0 / 2835.0 + s * (-1382.0 / 155925.0)))));
}

// tanh a, or coth a, for 2^-5 <= a < 40 as the quotient of e^a - e^-a and
// e^a + e^-a: the difference's error, 2^-65 of the sum, grows by sum/difference
// relative to it: the quotient q is within 2^-65 (1 + |q|) of tanh and 2^-65 |q|
// (1 + |q|) of coth, taken 4 times over with the quotient's own 2^-100. NaN when
// the value lies too near a rounding boundary.
double fastHyperbolicQuotient(double a, bool cotangent) {
    Exponentials e = fastExponentials(a);
    DoubleDouble difference = quickTwoSum(e.up.hi, -e.down.hi);
    difference.lo += e.up.lo - e.down.lo;
    DoubleDouble sum = quickTwoSum(e.up.hi, e.down.hi);
    sum.lo += e.up.lo + e.down.lo;
    DoubleDouble q = cotangent ? quickDivide(sum, difference) : quickDivide(difference, sum);
    double size = std::fabs(q.hi);
    return surelyRounded(q.hi, q.lo, 0x1p-63 * (1.0 + size) * (cotangent ? size : 1.0));
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

// The fast path's ln(x + sqrt(x^2 + one)) for one = 1 (asinh, x >= 2^-5) or -1
// (acosh, x > 1), x up to kHuge, from x^2 + one given exactly as leading + rest,
// |rest| at most 2^-51 of leading, so that the root can start from the leading
// part alone (quickSquareRoot): the root and the sum keep 103 bits, which add
// 2^-103 to the logarithm, and the fast logarithm of the sum in two parts, its
// lower part within about two ulps, with nothing cancelled, its own bound. NaN
// when it is not sure.
double fastLogarithmOfRoot(double x, double leading, double rest) {
    DoubleDouble root = quickSquareRoot({leading, rest});
    DoubleDouble sum = twoSum(root.hi, x);
    FastLogarithm logarithm = fastLogarithm<false>(sum.hi, sum.lo + root.lo);
    // The bound covers 2^-52 of the lower part, below 2^-25 with 2^-75 from E or r, below
    // |z|^3 without (surelyRoundedSum).
    double bound = logarithm.bound + std::fabs(logarithm.value.hi) * 0x1p-98 + 0x1p-101;
    return surelyRoundedSum(logarithm.value.hi, logarithm.value.lo, bound);
}

// x^2 + one as leading + rest, for x^2 + 1 and, from x = 2, x^2 - 1: x^2 exact in two
// parts (twoProduct) and its sum with one (twoSum), whose rounding and x^2's lower
// part are the rest.
double fastLogarithmOfRoot(double x, double one) {
    DoubleDouble product = twoProduct(x, x);
    DoubleDouble radicand = twoSum(product.hi, one);
    return fastLogarithmOfRoot(x, radicand.hi, radicand.lo + product.lo);
}

// The fast path's ln(plus/minus)/2 for plus and minus given in two parts (as
// fastLogarithm takes them), each from 2^-1000 to 2^1000, and known within
// `inputError` of the logarithm: ln plus - ln minus, the difference rounded
// within 2^-100 of the larger. NaN when it is not sure.
double fastHalfLogarithmOfRatio(DoubleDouble plus, DoubleDouble minus, double inputError) {
    FastLogarithm up = fastLogarithm<true>(plus.hi, plus.lo);
    FastLogarithm down = fastLogarithm<true>(minus.hi, minus.lo);
    DoubleDouble upValue = normalized(up.value);
    DoubleDouble downValue = normalized(down.value);
    DoubleDouble difference = twoSum(upValue.hi, -downValue.hi);
    double lo = difference.lo + (upValue.lo - downValue.lo);
    double rounding = (std::fabs(upValue.hi) + std::fabs(downValue.hi)) * 0x1p-100;
    return surelyRounded(0.5 * difference.hi, 0.5 * lo, 0.5 * (up.bound + down.bound + rounding) + inputError);
}

// atanh t as ln((1 + t)/(1 - t))/2 for 0 < t < 1 in two parts: 1 +- t is exact for
// a t of one part and of opposite signs, so that nothing cancels; a lower part of
// t is added with a rounding, below 2^-53 of the sum's lower part, whose share of
// the logarithm, however small t, goes into the bound.
double fastArcTanh(DoubleDouble t) {
    DoubleDouble plus = add({1.0, 0.0}, t);
    DoubleDouble minus = subtract({1.0, 0.0}, t);
    double inputError = t.lo == 0.0 ? 0.0 : (std::fabs(plus.lo) + std::fabs(minus.lo)) * 0x1p-50;
    return fastHalfLogarithmOfRatio(plus, minus, inputError);
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
    if (size < kSmallHyperbolic) {
        value = surelyRounded(x, sineSeriesRest(x), smallBound(x));
        if (!std::isnan(value)) return value;
    } else if (size < 40.0) {
        Exponentials e = size < kDivideBeyond ? fastExponentials(size) : fastExponentialAndReciprocal(size);
        DoubleDouble difference = quickTwoSum(e.up.hi, -e.down.hi);
        double lo = difference.lo + (e.up.lo - e.down.lo);
        double bound = (e.up.hi + e.down.hi) * 0x1p-64;  // half of 2^-63, as the value is halved
        value = surelyRounded(0.5 * difference.hi, 0.5 * lo, bound);
        if (!std::isnan(value)) return std::copysign(value, x);
    }
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
    Exponentials e = size < kDivideBeyond ? fastExponentials(size) : fastExponentialAndReciprocal(size);
    DoubleDouble sum = quickTwoSum(e.up.hi, e.down.hi);
    double lo = sum.lo + (e.up.lo + e.down.lo);
    double value = surelyRounded(0.5 * sum.hi, 0.5 * lo, sum.hi * 0x1p-64);
    if (!std::isnan(value)) return value;
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
    if (size < kSmallHyperbolic) {
        double value = surelyRounded(x, tangentSeriesRest(x), smallBound(x));
        if (!std::isnan(value)) return value;
    } else {
        double value = fastHyperbolicQuotient(size, false);
        if (!std::isnan(value)) return std::copysign(value, x);
    }
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
    double value = size >= kSmallHyperbolic ? fastHyperbolicQuotient(size, true) : kNaN;
    if (!std::isnan(value)) return std::copysign(value, x);
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
    double fast = size < kSmallHyperbolic ? surelyRounded(x, arcSineSeriesRest(x), smallBound(x))
                                          : fastLogarithmOfRoot(size, 1.0);
    if (!std::isnan(fast)) return std::copysign(fast, x);
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
    double fast = kNaN;
    if (x >= 2.0) {
        fast = fastLogarithmOfRoot(x, -1.0);
    } else if (x > 1.0) {
        // Next to 1, x^2 - 1 may be no larger than x^2's lower part: it is t (2 + t)
        // with t = x - 1, exact, and 2 + t in two parts (twoSum).
        double t = x - 1.0;
        DoubleDouble twoPlus = twoSum(2.0, t);
        DoubleDouble product = twoProduct(t, twoPlus.hi);
        fast = fastLogarithmOfRoot(x, product.hi, product.lo + t * twoPlus.lo);
    }
    if (!std::isnan(fast)) return fast;
    DoubleDouble root = squareRoot(add(twoProduct(x, x), -1.0));
    return logarithmOfOnePlusAny(add(root, twoSum(x, -1.0))).hi;
}

// atanh x = ln((1 + x)/(1 - x))/2, which rounds to x below kTiny.
double inverseHyperbolicTangent(double x) {
    double size = std::fabs(x);
    if (size < kTiny || std::isnan(x)) return x;
    if (size > 1.0) return kNaN;
    if (size < 1.0) {
        double value = fastArcTanh({size, 0.0});
        if (!std::isnan(value)) return std::copysign(value, x);
    }
    return halfLogarithmOfRatio(1.0, x);
}

// acoth x = ln((x + 1)/(x - 1))/2; past kHuge it is 1/x to far better than a
// double, which IEEE division rounds correctly.
double inverseHyperbolicCotangent(double x) {
    double size = std::fabs(x);
    if (std::isnan(x) || size < 1.0) return kNaN;
    if (size > kHuge) return 1.0 / x;
    if (size > 1.0) {
        // Up to 2^10 from x + 1 and x - 1, exact in two parts, with no division:
        // the logarithms' errors, absolute and about 2^-72, stay below 2^-62 of
        // the value, which is at least 2^-10. Beyond, as atanh(1/x) with 1/x in
        // two parts, where the logarithms do not cancel.
        double value = size <= 0x1p10 ? fastHalfLogarithmOfRatio(twoSum(size, 1.0), twoSum(size, -1.0), 0.0)
                                      : fastArcTanh(quickReciprocal(size));
        if (!std::isnan(value)) return std::copysign(value, x);
    }
    return halfLogarithmOfRatio(x, 1.0);
}

double exponential(double x) {
    if (std::fabs(x) < 0x1p-60) return 1.0;
    double value = x >= -700.0 && x <= 708.0 ? fastExponential(x, 0.0, 0.0) : kNaN;
    if (!std::isnan(value)) return value;
    if (std::isinf(x)) return x > 0.0 ? x : 0.0;
    return exponentialOf({x, 0.0});
}

double naturalLogarithm(double x) {
    if (x >= kSmallestNormal && x <= kLargest) {
        FastLogarithm fast = fastLogarithm<false>(x);
        double value = surelyRounded(fast.value.hi, fast.value.lo, fast.bound);
        if (!std::isnan(value)) return value;
    }
    if (std::isnan(x) || x < 0.0) return kNaN;
    if (x == 0.0) return -kInfinity;
    if (std::isinf(x)) return x;
    return logarithmParts(x).hi;
}

double commonLogarithm(double x) {
    if (x >= kSmallestNormal && x <= kLargest) {
        // The product with 1/ln 10 adds roundings below 2^-104 of the value.
        FastLogarithm fast = fastLogarithm<false>(x);
        DoubleDouble logarithm = normalized(fast.value);
        DoubleDouble product = twoProduct(logarithm.hi, kInverseLn10.hi);
        product.lo += logarithm.hi * kInverseLn10.lo + logarithm.lo * kInverseLn10.hi;
        double value = surelyRounded(product.hi, product.lo, 0.5 * fast.bound);
        if (!std::isnan(value)) return value;
    }
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
    double magnitude = size >= kSmallestNormal ? fastPower(size, y) : kNaN;
    if (std::isnan(magnitude)) magnitude = exponentialOf(multiply(logarithmParts(size), y));
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
