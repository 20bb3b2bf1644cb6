// SPDX-License-Identifier: MIT
// One row per function code: its name, its Insert-menu label and its value.
#include "engine/function_table.h"

#include <array>
#include <cmath>
#include <random>

#include "engine/elementary_functions.h"
#include "engine/engine.h"
#include "engine/errors.h"

namespace molvane {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kThreeHalfPi = 4.71238898038469;
// How close, in radians, a reduced angle must come to a zero or a pole to snap
// to it: well above the rounding of a degree or grad angle turned into radians
// (about 1e-14 for a few turns), well below any angle a user means.
constexpr double kSnap = 1e-8;

// The engine's only mutable global: "ran" and "rand" draw from it, and the
// front ends reseed it from the clock.
std::minstd_rand randomGenerator;

bool near(double a, double b) { return std::fabs(a - b) < kSnap; }

// An angle in the current unit in radians.
double toRadians(double x, double h) { return x * kPi / h; }
// Radians as they are: x * pi / pi is not always x again.
double radiansOf(double x, double h) { return h == kPi ? x : toRadians(x, h); }

bool insideUnit(double x) { return x > -1.0 && x < 1.0; }
bool outsideUnit(double x) { return x < -1.0 || x > 1.0; }

// An angle in radians less its whole turns, with its sign, for the snapping and
// the poles. Degrees and grads lose their turns exactly, by fmod, before they
// become radians; radians lose theirs against the true pi. Either way sin 1e22
// keeps its place in the turn, where subtracting a rounded count of a rounded pi
// would leave only noise.
double reduceToFullTurn(double x, double h) {
    return h == kPi ? angleWithinTurns(x, false) : toRadians(std::fmod(x, 2.0 * h), h);
}
double reduceToHalfTurn(double x, double h) {
    return h == kPi ? angleWithinTurns(x, true) : toRadians(std::fmod(x, h), h);
}

// Degrees and grads lose their whole quarter turns exactly, so that only the
// rest, at most an eighth of a turn, is rounded on its way to radians: cos 91.5
// is -sin 1.5 to the last digit. `quarter` is the count of quarter turns mod 4.
struct QuarterTurns {
    int quarter;
    double rest;  // in radians
};
QuarterTurns quarterTurnsOf(double x, double h) {
    double d = std::fmod(x, 2.0 * h);
    if (std::isnan(d)) return {0, d};  // an infinite angle, which has no place in the turn
    double q = std::nearbyint(d / (h / 2.0));
    return {static_cast<int>(q) & 3, toRadians(d - q * (h / 2.0), h)};
}

// The kernels reduce radians against the true pi themselves.
double sineOf(double x, double h) {
    if (h == kPi) return molvane::sine(x);
    auto [quarter, rest] = quarterTurnsOf(x, h);
    double value = quarter % 2 == 0 ? molvane::sine(rest) : molvane::cosine(rest);
    return quarter >= 2 ? -value : value;
}
double cosineOf(double x, double h) {
    if (h == kPi) return molvane::cosine(x);
    auto [quarter, rest] = quarterTurnsOf(x, h);
    double value = quarter % 2 == 0 ? molvane::cosine(rest) : molvane::sine(rest);
    return quarter == 1 || quarter == 2 ? -value : value;
}
double tangentOf(double x, double h) {
    if (h == kPi) return molvane::tangent(x);
    auto [quarter, rest] = quarterTurnsOf(x, h);
    return quarter % 2 == 0 ? molvane::tangent(rest) : -1.0 / molvane::tangent(rest);
}

// Sine and cosine are exactly 0 where the angle is within kSnap of a zero, so that
// sin 180 in degrees is 0 and not 1.2e-16.
double sine(double x, double h) {
    double r = reduceToFullTurn(x, h);
    double size = std::fabs(r);
    // Against the true pi, the double nearest a whole turn falls just short of it.
    return near(size, kPi) || size < kSnap || near(size, kTwoPi) ? 0.0 : sineOf(x, h);
}

double cosine(double x, double h) {
    double r = reduceToFullTurn(x, h);
    double size = std::fabs(r);
    return near(size, kHalfPi) || near(size, kThreeHalfPi) ? 0.0 : cosineOf(x, h);
}

double tangent(double x, double h) {
    double r = reduceToHalfTurn(x, h);
    double size = std::fabs(r);
    return size < kSnap || near(size, kPi) ? 0.0 : tangentOf(x, h);
}

double cotangent(double x, double h) {
    double r = reduceToHalfTurn(x, h);
    return near(std::fabs(r), kHalfPi) ? 0.0 : 1.0 / tangentOf(x, h);
}

// Secant and cosecant neither reduce nor snap: where the sine or cosine is
// merely tiny the value is a very large number.
double secant(double x, double h) { return 1.0 / molvane::cosine(radiansOf(x, h)); }
double cosecant(double x, double h) { return 1.0 / molvane::sine(radiansOf(x, h)); }

double inverseSine(double x, double h) { return molvane::arcSineIn(x, h); }
double inverseCosine(double x, double h) { return molvane::arcCosineIn(x, h); }
double inverseTangent(double x, double h) { return molvane::arcTangentIn(x, h); }
// atan(1/x), so its values lie between -90 and 90 degrees.
double inverseCotangent(double x, double h) { return molvane::arcTangentIn(1.0 / x, h); }
double inverseSecant(double x, double h) { return molvane::arcCosineIn(1.0 / x, h); }
double inverseCosecant(double x, double h) { return molvane::arcSineIn(1.0 / x, h); }

// The hyperbolic functions and their inverses take plain numbers, no angles.
double hyperbolicSine(double x, double) { return molvane::hyperbolicSine(x); }
double hyperbolicCosine(double x, double) { return molvane::hyperbolicCosine(x); }
double hyperbolicTangent(double x, double) { return molvane::hyperbolicTangent(x); }
double hyperbolicCotangent(double x, double) { return 1.0 / molvane::hyperbolicTangent(x); }

// ln(x + sqrt(x^2 + 1)) cancels to ln 0 for large negative x, so the odd symmetry
// carries it; where x^2 overflows, x + sqrt(x^2 + 1) is 2|x| to double precision,
// and ln 2 + ln|x| because 2|x| itself overflows near the largest double.
double inverseHyperbolicSine(double x, double) {
    double size = std::fabs(x);
    double magnitude = std::isinf(size * size) ? molvane::naturalLogarithm(2.0) + molvane::naturalLogarithm(size)
                                               : molvane::naturalLogarithm(size + std::sqrt(size * size + 1.0));
    return x < 0.0 ? -magnitude : magnitude;
}

double inverseHyperbolicCosine(double x, double) {
    return std::isinf(x * x) ? molvane::naturalLogarithm(2.0) + molvane::naturalLogarithm(x)
                             : molvane::naturalLogarithm(x + std::sqrt(x * x - 1.0));
}

double inverseHyperbolicTangent(double x, double) { return molvane::halfLogarithmOfRatio(1.0, x); }
double inverseHyperbolicCotangent(double x, double) { return molvane::halfLogarithmOfRatio(x, 1.0); }

// Roots, powers, logarithms and the functions on plain numbers.
double squareRoot(double x, double) { return std::sqrt(x); }
double square(double x, double) { return molvane::power(x, 2.0); }
double exponential(double x, double) { return molvane::exponential(x); }
double antilogarithm10(double x, double) { return molvane::power(10.0, x); }
double logarithmE(double x, double) { return molvane::naturalLogarithm(x); }
double logarithm10(double x, double) { return molvane::commonLogarithm(x); }
double absoluteValue(double x, double) { return std::fabs(x); }
// Adding 0 turns the -0 of int(-0.5) into 0.
double integerValue(double x, double) { return std::trunc(x) + 0.0; }
double signOf(double x, double) { return x < 0.0 ? -1.0 : (x > 0.0 ? 1.0 : 0.0); }

// A draw of 0 to |n| - 1 for the integer part n of the argument; 0 when n is 0.
double randomBelow(double x, double) {
    double bound = std::fabs(std::trunc(x));
    if (bound == 0.0 || std::isnan(bound)) return 0.0;
    double draw = static_cast<double>(randomGenerator() - std::minstd_rand::min());
    return std::fmod(draw, bound);
}

// The refused arguments: each returns the error code that refuses x, or 0.
int refuseOutsideUnit(double x, double) { return outsideUnit(x) ? ArgumentOutOfRange : 0; }
int refuseInsideUnit(double x, double) { return insideUnit(x) ? ArgumentOutOfRange : 0; }
int refuseBelowOne(double x, double) { return x < 1.0 ? Infinite : 0; }
int refuseZero(double x, double) { return x == 0.0 ? Indeterminate : 0; }
int refuseNegative(double x, double) { return x < 0.0 ? RootOfNegative : 0; }
bool isUnit(double x) { return x == -1.0 || x == 1.0; }

int refuseForInverseHyperbolicTangent(double x, double) {
    if (outsideUnit(x)) return ArgumentOutOfRange;
    return isUnit(x) ? Indeterminate : 0;
}

int refuseForInverseHyperbolicCotangent(double x, double) {
    if (insideUnit(x)) return Infinite;
    return isUnit(x) ? Indeterminate : 0;
}

int refuseForLogarithm(double x, double) {
    if (x == 0.0) return LogarithmOfZero;
    return x < 0.0 ? LogarithmOfNegative : 0;
}

// The tangent has its poles where the reduced angle is a quarter turn, the
// cotangent where it is 0 or a half turn.
int refuseTangentPole(double x, double h) { return near(std::fabs(reduceToHalfTurn(x, h)), kHalfPi) ? Infinite : 0; }

int refuseCotangentPole(double x, double h) {
    double size = std::fabs(reduceToHalfTurn(x, h));
    return size < kSnap || near(size, kPi) ? Infinite : 0;
}

// clang-format off
constexpr FunctionRow kRows[] = {
    {11, "acosec", nullptr,                        inverseCosecant,            refuseInsideUnit},
    {12, "cosec",  nullptr,                        cosecant,                   nullptr},
    {13, "arccos", nullptr,                        inverseCosine,              refuseOutsideUnit},
    {14, "acosh",  "Inverse hyperbolic cosine",    inverseHyperbolicCosine,    refuseBelowOne},
    {15, "acos",   "Inverse cosine",               inverseCosine,              refuseOutsideUnit},
    {16, "cosh",   "Hyperbolic cosine",            hyperbolicCosine,           nullptr},
    {17, "cos",    "Cosine",                       cosine,                     nullptr},
    {18, "arcsin", nullptr,                        inverseSine,                refuseOutsideUnit},
    {19, "asinh",  "Inverse hyperbolic sine",      inverseHyperbolicSine,      nullptr},
    {20, "asin",   "Inverse sine",                 inverseSine,                refuseOutsideUnit},
    {21, "sinh",   "Hyperbolic sine",              hyperbolicSine,             nullptr},
    {22, "sin",    "Sine",                         sine,                       nullptr},
    {23, "arccot", nullptr,                        inverseCotangent,           nullptr},
    {24, "acoth",  "Inverse hyperbolic cotangent", inverseHyperbolicCotangent, refuseForInverseHyperbolicCotangent},
    {25, "acot",   "Inverse cotangent",            inverseCotangent,           nullptr},
    {26, "coth",   "Hyperbolic cotangent",         hyperbolicCotangent,        refuseZero},
    {27, "cot",    "Cotangent",                    cotangent,                  refuseCotangentPole},
    {28, "arcctg", nullptr,                        inverseCotangent,           nullptr},
    {29, "arctg",  nullptr,                        inverseTangent,             nullptr},
    {30, "actg",   nullptr,                        inverseCotangent,           nullptr},
    {31, "atg",    nullptr,                        inverseTangent,             nullptr},
    {32, "ctg",    nullptr,                        cotangent,                  refuseCotangentPole},
    {33, "tg",     nullptr,                        tangent,                    refuseTangentPole},
    {34, "arctan", nullptr,                        inverseTangent,             nullptr},
    {35, "atanh",  "Inverse hyperbolic tangent",   inverseHyperbolicTangent,   refuseForInverseHyperbolicTangent},
    {36, "atan",   "Inverse tangent",              inverseTangent,             nullptr},
    {37, "tanh",   "Hyperbolic tangent",           hyperbolicTangent,          nullptr},
    {38, "tan",    "Tangent",                      tangent,                    refuseTangentPole},
    {39, "asec",   "Inverse secant",               inverseSecant,              refuseInsideUnit},
    {40, "sec",    "Secant",                       secant,                     nullptr},
    {41, "acsc",   "Inverse cosecant",             inverseCosecant,            refuseInsideUnit},
    {42, "csc",    "Cosecant",                     cosecant,                   nullptr},
    {43, "sqrt",   "Square root",                  squareRoot,                 refuseNegative},
    {44, "sqr",    "Square",                       square,                     nullptr},
    {45, "exp",    "Exponential function (e^x)",   exponential,                nullptr},
    {46, "aln",    "Antilogarithm base e",         exponential,                nullptr},
    {47, "alog",   "Antilogarithm base 10",        antilogarithm10,            nullptr},
    {48, "ln",     "Logarithm base e",             logarithmE,                 refuseForLogarithm},
    {49, "log",    "Logarithm base 10",            logarithm10,                refuseForLogarithm},
    {50, "abs",    "Absolute value",               absoluteValue,              nullptr},
    {51, "int",    "Integer value",                integerValue,               nullptr},
    {52, "rand",   nullptr,                        randomBelow,                nullptr},
    {53, "ran",    "Random number (0 - X)",        randomBelow,                nullptr},
    {54, "sgn",    "Sign of a number",             signOf,                     nullptr},
    {kPiCode,     "pi",  "Insert Pi number",        nullptr, nullptr},
    {kAnswerCode, "ans", "Insert previous answer",  nullptr, nullptr},
    {kMemoryCode, "mem", "Insert number in memory", nullptr, nullptr},
};
// clang-format on

// Codes have two digits.
constexpr int kCodeCount = 100;

// The row index of each code, or -1; built once from the rows.
constexpr std::array<int, kCodeCount> kRowOfCode = [] {
    std::array<int, kCodeCount> index{};
    index.fill(-1);
    for (int row = 0; row < static_cast<int>(std::size(kRows)); ++row) {
        index[static_cast<std::size_t>(kRows[row].code)] = row;
    }
    return index;
}();

}  // namespace

double halfTurn(int angleUnit) {
    if (angleUnit == Degrees) return 180.0;
    if (angleUnit == Grads) return 200.0;
    return kPi;
}

std::span<const FunctionRow> functionRows() { return kRows; }

const FunctionRow* functionRowOf(int code) {
    if (code < 0 || code >= kCodeCount) return nullptr;
    int row = kRowOfCode[static_cast<std::size_t>(code)];
    return row < 0 ? nullptr : &kRows[row];
}

const FunctionRow* functionRowNamed(std::string_view name) {
    for (const FunctionRow& row : kRows) {
        if (name == row.name) return &row;
    }
    return nullptr;
}

void seedRandomNumbers(unsigned seed) { randomGenerator.seed(seed); }

}  // namespace molvane
