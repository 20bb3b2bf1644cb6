// One row per function code: its name, its Insert-menu label and its value.
#include "engine/function_table.h"

#include <array>
#include <cmath>
#include <random>

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

// An angle in the current unit in radians, and back.
double toRadians(double x, double h) { return x * kPi / h; }
double fromRadians(double r, double h) { return r * h / kPi; }

bool insideUnit(double x) { return x > -1.0 && x < 1.0; }
bool outsideUnit(double x) { return x < -1.0 || x > 1.0; }

// The turn count is truncated in floating point: an integer would overflow for
// large angles.
double reduceToFullTurn(double t) { return t - 2.0 * std::trunc(t / kTwoPi) * kPi; }
double reduceToHalfTurn(double t) { return t - std::trunc(t / kPi) * kPi; }

// Sine and cosine are exactly 0 where the angle is within kSnap of a zero, so that
// sin 180 in degrees is 0 and not 1.2e-16.
int sine(double x, double h, double& value) {
    double r = reduceToFullTurn(toRadians(x, h));
    double size = std::fabs(r);
    value = near(size, kPi) || size < kSnap ? 0.0 : std::sin(r);
    return 0;
}

int cosine(double x, double h, double& value) {
    double r = reduceToFullTurn(toRadians(x, h));
    double size = std::fabs(r);
    value = near(size, kHalfPi) || near(size, kThreeHalfPi) ? 0.0 : std::cos(r);
    return 0;
}

int tangent(double x, double h, double& value) {
    double r = reduceToHalfTurn(toRadians(x, h));
    double size = std::fabs(r);
    if (near(size, kHalfPi)) return Infinite;
    bool onZero = size < kSnap || near(size, kPi);
    value = onZero ? 0.0 : std::tan(r);
    return 0;
}

int cotangent(double x, double h, double& value) {
    double r = reduceToHalfTurn(toRadians(x, h));
    double size = std::fabs(r);
    if (size < kSnap || near(size, kPi)) return Infinite;
    value = near(size, kHalfPi) ? 0.0 : 1.0 / std::tan(r);
    return 0;
}

// Secant and cosecant neither reduce nor snap: where the sine or cosine is
// merely tiny the value is a very large number.
int secant(double x, double h, double& value) {
    value = 1.0 / std::cos(toRadians(x, h));
    return 0;
}

int cosecant(double x, double h, double& value) {
    value = 1.0 / std::sin(toRadians(x, h));
    return 0;
}

int inverseSine(double x, double h, double& value) {
    if (outsideUnit(x)) return ArgumentOutOfRange;
    value = fromRadians(std::asin(x), h);
    return 0;
}

int inverseCosine(double x, double h, double& value) {
    if (outsideUnit(x)) return ArgumentOutOfRange;
    value = fromRadians(std::acos(x), h);
    return 0;
}

int inverseTangent(double x, double h, double& value) {
    value = fromRadians(std::atan(x), h);
    return 0;
}

// atan(1/x), so its values lie between -90 and 90 degrees.
int inverseCotangent(double x, double h, double& value) {
    value = fromRadians(std::atan(1.0 / x), h);
    return 0;
}

int inverseSecant(double x, double h, double& value) {
    if (insideUnit(x)) return ArgumentOutOfRange;
    value = fromRadians(std::acos(1.0 / x), h);
    return 0;
}

int inverseCosecant(double x, double h, double& value) {
    if (insideUnit(x)) return ArgumentOutOfRange;
    value = fromRadians(std::asin(1.0 / x), h);
    return 0;
}

// The hyperbolic functions and their inverses take plain numbers, no angles.
int hyperbolicSine(double x, double, double& value) {
    value = std::sinh(x);
    return 0;
}

int hyperbolicCosine(double x, double, double& value) {
    value = std::cosh(x);
    return 0;
}

int hyperbolicTangent(double x, double, double& value) {
    value = std::tanh(x);
    return 0;
}

int hyperbolicCotangent(double x, double, double& value) {
    if (x == 0.0) return Indeterminate;
    value = 1.0 / std::tanh(x);
    return 0;
}

// ln(x + sqrt(x^2 + 1)) cancels to ln 0 for large negative x, so the odd symmetry
// carries it; where x^2 overflows, x + sqrt(x^2 + 1) is 2|x| to double precision.
int inverseHyperbolicSine(double x, double, double& value) {
    double size = std::fabs(x);
    double magnitude = std::isinf(size * size) ? std::log(2.0 * size) : std::log(size + std::sqrt(size * size + 1.0));
    value = x < 0.0 ? -magnitude : magnitude;
    return 0;
}

int inverseHyperbolicCosine(double x, double, double& value) {
    if (x < 1.0) return Infinite;
    value = std::isinf(x * x) ? std::log(2.0 * x) : std::log(x + std::sqrt(x * x - 1.0));
    return 0;
}

int inverseHyperbolicTangent(double x, double, double& value) {
    if (outsideUnit(x)) return ArgumentOutOfRange;
    if (x == -1.0 || x == 1.0) return Indeterminate;
    value = 0.5 * std::log((1.0 + x) / (1.0 - x));
    return 0;
}

int inverseHyperbolicCotangent(double x, double, double& value) {
    if (insideUnit(x)) return Infinite;
    if (x == -1.0 || x == 1.0) return Indeterminate;
    value = 0.5 * std::log((x + 1.0) / (x - 1.0));
    return 0;
}

// Roots, powers, logarithms and the functions on plain numbers.
int squareRoot(double x, double, double& value) {
    if (x < 0.0) return RootOfNegative;
    value = std::sqrt(x);
    return 0;
}

int square(double x, double, double& value) {
    value = std::pow(x, 2.0);
    return 0;
}

int exponential(double x, double, double& value) {
    value = std::exp(x);
    return 0;
}

int antilogarithm10(double x, double, double& value) {
    value = std::pow(10.0, x);
    return 0;
}

int logarithmE(double x, double, double& value) {
    if (x == 0.0) return LogarithmOfZero;
    if (x < 0.0) return LogarithmOfNegative;
    value = std::log(x);
    return 0;
}

int logarithm10(double x, double, double& value) {
    if (x == 0.0) return LogarithmOfZero;
    if (x < 0.0) return LogarithmOfNegative;
    value = std::log10(x);
    return 0;
}

int absoluteValue(double x, double, double& value) {
    value = std::fabs(x);
    return 0;
}

// Adding 0 turns the -0 of int(-0.5) into 0.
int integerValue(double x, double, double& value) {
    value = std::trunc(x) + 0.0;
    return 0;
}

// A draw of 0 to |n| - 1 for the integer part n of the argument; 0 when n is 0.
int randomBelow(double x, double, double& value) {
    double bound = std::fabs(std::trunc(x));
    if (bound == 0.0 || std::isnan(bound)) {
        value = 0.0;
        return 0;
    }
    double draw = static_cast<double>(randomGenerator() - std::minstd_rand::min());
    value = std::fmod(draw, bound);
    return 0;
}

int signOf(double x, double, double& value) {
    value = x < 0.0 ? -1.0 : (x > 0.0 ? 1.0 : 0.0);
    return 0;
}

// clang-format off
constexpr FunctionRow kRows[] = {
    {11, "acosec", nullptr,                        inverseCosecant},
    {12, "cosec",  nullptr,                        cosecant},
    {13, "arccos", nullptr,                        inverseCosine},
    {14, "acosh",  "Inverse hyperbolic cosine",    inverseHyperbolicCosine},
    {15, "acos",   "Inverse cosine",               inverseCosine},
    {16, "cosh",   "Hyperbolic cosine",            hyperbolicCosine},
    {17, "cos",    "Cosine",                       cosine},
    {18, "arcsin", nullptr,                        inverseSine},
    {19, "asinh",  "Inverse hyperbolic sine",      inverseHyperbolicSine},
    {20, "asin",   "Inverse sine",                 inverseSine},
    {21, "sinh",   "Hyperbolic sine",              hyperbolicSine},
    {22, "sin",    "Sine",                         sine},
    {23, "arccot", nullptr,                        inverseCotangent},
    {24, "acoth",  "Inverse hyperbolic cotangent", inverseHyperbolicCotangent},
    {25, "acot",   "Inverse cotangent",            inverseCotangent},
    {26, "coth",   "Hyperbolic cotangent",         hyperbolicCotangent},
    {27, "cot",    "Cotangent",                    cotangent},
    {28, "arcctg", nullptr,                        inverseCotangent},
    {29, "arctg",  nullptr,                        inverseTangent},
    {30, "actg",   nullptr,                        inverseCotangent},
    {31, "atg",    nullptr,                        inverseTangent},
    {32, "ctg",    nullptr,                        cotangent},
    {33, "tg",     nullptr,                        tangent},
    {34, "arctan", nullptr,                        inverseTangent},
    {35, "atanh",  "Inverse hyperbolic tangent",   inverseHyperbolicTangent},
    {36, "atan",   "Inverse tangent",              inverseTangent},
    {37, "tanh",   "Hyperbolic tangent",           hyperbolicTangent},
    {38, "tan",    "Tangent",                      tangent},
    {39, "asec",   "Inverse secant",               inverseSecant},
    {40, "sec",    "Secant",                       secant},
    {41, "acsc",   "Inverse cosecant",             inverseCosecant},
    {42, "csc",    "Cosecant",                     cosecant},
    {43, "sqrt",   "Square root",                  squareRoot},
    {44, "sqr",    "Square",                       square},
    {45, "exp",    "Exponential function (e^x)",   exponential},
    {46, "aln",    "Antilogarithm base e",         exponential},
    {47, "alog",   "Antilogarithm base 10",        antilogarithm10},
    {48, "ln",     "Logarithm base e",             logarithmE},
    {49, "log",    "Logarithm base 10",            logarithm10},
    {50, "abs",    "Absolute value",               absoluteValue},
    {51, "int",    "Integer value",                integerValue},
    {52, "rand",   nullptr,                        randomBelow},
    {53, "ran",    "Random number (0 - X)",        randomBelow},
    {54, "sgn",    "Sign of a number",             signOf},
    {kPiCode,     "pi",  "Insert Pi number",        nullptr},
    {kAnswerCode, "ans", "Insert previous answer",  nullptr},
    {kMemoryCode, "mem", "Insert number in memory", nullptr},
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
