// SPDX-License-Identifier: MIT
// One row per function code: its name, its Insert-menu label and its value.
#include "engine/function_table.h"

#include <array>
#include <cmath>
#include <random>

#include "engine/elementary_functions.h"
#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/trigonometric_functions.h"

namespace molvane {

namespace {

constexpr double kPi = 3.141592653589793;
// How close, in radians, an angle must come to a zero or a pole to snap to it:
// well below any angle a user means, well above the noise of an angle typed in
// radians next to a multiple of pi (pi itself is 1.2e-16 off the true one).
constexpr double kSnap = 1e-8;

// The engine's only mutable global: "ran" and "rand" draw from it, and the
// front ends reseed it from the clock.
std::minstd_rand randomGenerator;

bool insideUnit(double x) { return x > -1.0 && x < 1.0; }
bool outsideUnit(double x) { return x < -1.0 || x > 1.0; }

// Zeros and poles are whole quarter turns: the sine's zeros and the cosine's
// poles are the even ones, the cosine's zeros and the tangent's poles the odd
// ones. An angle snaps to one when what is left of it after its whole quarter
// turns, reckoned exactly (sin 1e22 keeps its place in the turn), is within
// kSnap of it: sin 180 in degrees is 0, not 1.2e-16, and so is the sine of the
// double nearest 2 pi, just short of the whole turn.
bool nearQuarter(ReducedAngle angle) { return std::ldexp(std::fabs(angle.rest), angle.exponent) < kSnap; }
bool atEvenQuarter(ReducedAngle angle) { return angle.quarter % 2 == 0 && nearQuarter(angle); }
bool atOddQuarter(ReducedAngle angle) { return angle.quarter % 2 != 0 && nearQuarter(angle); }

double sine(double x, double h) {
    ReducedAngle angle = reduceAngle(x, h);
    return atEvenQuarter(angle) ? 0.0 : sineOf(angle);
}

double cosine(double x, double h) {
    ReducedAngle angle = reduceAngle(x, h);
    return atOddQuarter(angle) ? 0.0 : cosineOf(angle);
}

double tangent(double x, double h) {
    ReducedAngle angle = reduceAngle(x, h);
    return atEvenQuarter(angle) ? 0.0 : tangentOf(angle);
}

double cotangent(double x, double h) {
    ReducedAngle angle = reduceAngle(x, h);
    return atOddQuarter(angle) ? 0.0 : cotangentOf(angle);
}

// Secant and cosecant never snap: where the cosine or sine is merely tiny the
// value is a very large number. An angle in degrees or grads that is exactly a
// pole is taken as x pi/h in doubles, which falls just beside it, so that sec 90
// is 1.63312393531954e16 and csc 180 is 8.16561967659768e15 in degrees; the
// cosecant of 0 stays infinite. Radians are taken as typed, and are never a
// pole but at 0.
double secant(double x, double h) {
    ReducedAngle angle = reduceAngle(x, h);
    bool pole = h != kPi && angle.rest == 0.0 && angle.quarter % 2 != 0;
    return secantOf(pole ? reduceAngle(x * kPi / h, kPi) : angle);
}

double cosecant(double x, double h) {
    ReducedAngle angle = reduceAngle(x, h);
    bool pole = h != kPi && angle.rest == 0.0 && angle.quarter % 2 == 0;
    return cosecantOf(pole ? reduceAngle(x * kPi / h, kPi) : angle);
}

double inverseSine(double x, double h) { return arcSineIn(x, h); }
double inverseCosine(double x, double h) { return arcCosineIn(x, h); }
double inverseTangent(double x, double h) { return arcTangentIn(x, h); }
double inverseCotangent(double x, double h) { return arcCotangentIn(x, h); }
double inverseSecant(double x, double h) { return arcSecantIn(x, h); }
double inverseCosecant(double x, double h) { return arcCosecantIn(x, h); }

// The hyperbolic functions and their inverses take plain numbers, no angles.
double hyperbolicSine(double x, double) { return molvane::hyperbolicSine(x); }
double hyperbolicCosine(double x, double) { return molvane::hyperbolicCosine(x); }
double hyperbolicTangent(double x, double) { return molvane::hyperbolicTangent(x); }
double hyperbolicCotangent(double x, double) { return molvane::hyperbolicCotangent(x); }
double inverseHyperbolicSine(double x, double) { return molvane::inverseHyperbolicSine(x); }
double inverseHyperbolicCosine(double x, double) { return molvane::inverseHyperbolicCosine(x); }
double inverseHyperbolicTangent(double x, double) { return molvane::inverseHyperbolicTangent(x); }
double inverseHyperbolicCotangent(double x, double) { return molvane::inverseHyperbolicCotangent(x); }

// Roots, powers, logarithms and the functions on plain numbers.
double squareRoot(double x, double) { return std::sqrt(x); }
// IEEE rounds the product correctly, into the subnormals and to infinity.
double square(double x, double) { return x * x; }
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

// The tangent has its poles at the odd quarter turns, the cotangent at the even ones.
int refuseTangentPole(double x, double h) { return atOddQuarter(reduceAngle(x, h)) ? Infinite : 0; }
int refuseCotangentPole(double x, double h) { return atEvenQuarter(reduceAngle(x, h)) ? Infinite : 0; }

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
