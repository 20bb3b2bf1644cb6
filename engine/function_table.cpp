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

double sineInUnit(double x, double h) {
    ReducedAngle angle = reduceAngle(x, h);
    return atEvenQuarter(angle) ? 0.0 : sineOf(angle);
}

double cosineInUnit(double x, double h) {
    ReducedAngle angle = reduceAngle(x, h);
    return atOddQuarter(angle) ? 0.0 : cosineOf(angle);
}

double tangentInUnit(double x, double h) {
    ReducedAngle angle = reduceAngle(x, h);
    return atEvenQuarter(angle) ? 0.0 : tangentOf(angle);
}

double cotangentInUnit(double x, double h) {
    ReducedAngle angle = reduceAngle(x, h);
    return atOddQuarter(angle) ? 0.0 : cotangentOf(angle);
}

// Secant and cosecant never snap: where the cosine or sine is merely tiny the
// value is a very large number. An angle in degrees or grads that is exactly a
// pole is taken as x pi/h in doubles, which falls just beside it, so that sec 90
// is 1.63312393531954e16 and csc 180 is 8.16561967659768e15 in degrees; the
// cosecant of 0 stays infinite. Radians are taken as typed, and are never a
// pole but at 0.
double secantInUnit(double x, double h) {
    ReducedAngle angle = reduceAngle(x, h);
    bool pole = h != kRadiansHalfTurn && angle.rest == 0.0 && angle.quarter % 2 != 0;
    return secantOf(pole ? reduceAngle(x * kRadiansHalfTurn / h, kRadiansHalfTurn) : angle);
}

double cosecantInUnit(double x, double h) {
    ReducedAngle angle = reduceAngle(x, h);
    bool pole = h != kRadiansHalfTurn && angle.rest == 0.0 && angle.quarter % 2 == 0;
    return cosecantOf(pole ? reduceAngle(x * kRadiansHalfTurn / h, kRadiansHalfTurn) : angle);
}

double inverseSineInUnit(double x, double h) { return arcSineIn(x, h); }
double inverseCosineInUnit(double x, double h) { return arcCosineIn(x, h); }
double inverseTangentInUnit(double x, double h) { return arcTangentIn(x, h); }
double inverseCotangentInUnit(double x, double h) { return arcCotangentIn(x, h); }
double inverseSecantInUnit(double x, double h) { return arcSecantIn(x, h); }
double inverseCosecantInUnit(double x, double h) { return arcCosecantIn(x, h); }

// The hyperbolic functions and their inverses take plain numbers, no angles.
double hyperbolicSineValue(double x, double) { return hyperbolicSine(x); }
double hyperbolicCosineValue(double x, double) { return hyperbolicCosine(x); }
double hyperbolicTangentValue(double x, double) { return hyperbolicTangent(x); }
double hyperbolicCotangentValue(double x, double) { return hyperbolicCotangent(x); }
double inverseHyperbolicSineValue(double x, double) { return inverseHyperbolicSine(x); }
double inverseHyperbolicCosineValue(double x, double) { return inverseHyperbolicCosine(x); }
double inverseHyperbolicTangentValue(double x, double) { return inverseHyperbolicTangent(x); }
double inverseHyperbolicCotangentValue(double x, double) { return inverseHyperbolicCotangent(x); }

// Roots, powers, logarithms and the functions on plain numbers.
double squareRoot(double x, double) { return std::sqrt(x); }
// IEEE rounds the product correctly, into the subnormals and to infinity.
double square(double x, double) { return x * x; }
double exponentialValue(double x, double) { return exponential(x); }
double antilogarithm10(double x, double) { return power(10.0, x); }
double logarithmE(double x, double) { return naturalLogarithm(x); }
double logarithm10(double x, double) { return commonLogarithm(x); }
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
    {11, "acosec", nullptr,                        inverseCosecantInUnit,            refuseInsideUnit},
    {12, "cosec",  nullptr,                        cosecantInUnit,                   nullptr},
    {13, "arccos", nullptr,                        inverseCosineInUnit,              refuseOutsideUnit},
    {14, "acosh",  "Inverse hyperbolic cosine",    inverseHyperbolicCosineValue,    refuseBelowOne},
    {15, "acos",   "Inverse cosine",               inverseCosineInUnit,              refuseOutsideUnit},
    {16, "cosh",   "Hyperbolic cosine",            hyperbolicCosineValue,           nullptr},
    {17, "cos",    "Cosine",                       cosineInUnit,                     nullptr},
    {18, "arcsin", nullptr,                        inverseSineInUnit,                refuseOutsideUnit},
    {19, "asinh",  "Inverse hyperbolic sine",      inverseHyperbolicSineValue,      nullptr},
    {20, "asin",   "Inverse sine",                 inverseSineInUnit,                refuseOutsideUnit},
    {21, "sinh",   "Hyperbolic sine",              hyperbolicSineValue,             nullptr},
    {22, "sin",    "Sine",                         sineInUnit,                       nullptr},
    {23, "arccot", nullptr,                        inverseCotangentInUnit,           nullptr},
    {24, "acoth",  "Inverse hyperbolic cotangent", inverseHyperbolicCotangentValue, refuseForInverseHyperbolicCotangent},
    {25, "acot",   "Inverse cotangent",            inverseCotangentInUnit,           nullptr},
    {26, "coth",   "Hyperbolic cotangent",         hyperbolicCotangentValue,        refuseZero},
    {27, "cot",    "Cotangent",                    cotangentInUnit,                  refuseCotangentPole},
    {28, "arcctg", nullptr,                        inverseCotangentInUnit,           nullptr},
    {29, "arctg",  nullptr,                        inverseTangentInUnit,             nullptr},
    {30, "actg",   nullptr,                        inverseCotangentInUnit,           nullptr},
    {31, "atg",    nullptr,                        inverseTangentInUnit,             nullptr},
    {32, "ctg",    nullptr,                        cotangentInUnit,                  refuseCotangentPole},
    {33, "tg",     nullptr,                        tangentInUnit,                    refuseTangentPole},
    {34, "arctan", nullptr,                        inverseTangentInUnit,             nullptr},
    {35, "atanh",  "Inverse hyperbolic tangent",   inverseHyperbolicTangentValue,   refuseForInverseHyperbolicTangent},
    {36, "atan",   "Inverse tangent",              inverseTangentInUnit,             nullptr},
    {37, "tanh",   "Hyperbolic tangent",           hyperbolicTangentValue,          nullptr},
    {38, "tan",    "Tangent",                      tangentInUnit,                    refuseTangentPole},
    {39, "asec",   "Inverse secant",               inverseSecantInUnit,              refuseInsideUnit},
    {40, "sec",    "Secant",                       secantInUnit,                     nullptr},
    {41, "acsc",   "Inverse cosecant",             inverseCosecantInUnit,            refuseInsideUnit},
    {42, "csc",    "Cosecant",                     cosecantInUnit,                   nullptr},
    {43, "sqrt",   "Square root",                  squareRoot,                 refuseNegative},
    {44, "sqr",    "Square",                       square,                     nullptr},
    {45, "exp",    "Exponential function (e^x)",   exponentialValue,                nullptr},
    {46, "aln",    "Antilogarithm base e",         exponentialValue,                nullptr},
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
    return kRadiansHalfTurn;
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
