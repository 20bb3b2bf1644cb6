#include "engine/functions.h"

#include <cmath>
#include <random>
#include <string_view>

#include "engine/elementary_functions.h"
#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/function_names.h"
#include "engine/numbers.h"
#include "engine/text.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kThreeHalfPi = 4.71238898038469;
// How close, in radians, a reduced angle must come to a zero or a pole to snap to it.
constexpr double kSnap = 1e-8;

// The engine's only mutable global: "ran" and "rand" draw from it, and the
// history log reseeds it from the clock.
std::minstd_rand randomGenerator;

// Half a turn in the current angle unit; an unknown unit counts as radians.
double halfTurn(int angleUnit) {
    if (angleUnit == Degrees) return 180.0;
    if (angleUnit == Grads) return 200.0;
    return kPi;
}

bool near(double a, double b) { return std::fabs(a - b) < kSnap; }

// The turn count is truncated in floating point: an integer would overflow for
// large angles.
double reduceToFullTurn(double t) { return t - 2.0 * std::trunc(t / kTwoPi) * kPi; }
double reduceToHalfTurn(double t) { return t - std::trunc(t / kPi) * kPi; }

// Sine and cosine are exactly 0 where the angle is within kSnap of a zero, so that
// sin 180 in degrees is 0 and not 1.2e-16.
double snappedSine(double t) {
    double r = reduceToFullTurn(t);
    double size = std::fabs(r);
    if (near(size, kPi) || size < kSnap) return 0.0;
    return molvane::sine(r);
}

double snappedCosine(double t) {
    double r = reduceToFullTurn(t);
    double size = std::fabs(r);
    if (near(size, kHalfPi) || near(size, kThreeHalfPi)) return 0.0;
    return molvane::cosine(r);
}

int snappedTangent(double t, double& value) {
    double r = reduceToHalfTurn(t);
    double size = std::fabs(r);
    if (near(size, kHalfPi)) return Infinite;
    bool onZero = size < kSnap || near(size, kPi);
    value = onZero ? 0.0 : molvane::tangent(r);
    return 0;
}

int snappedCotangent(double t, double& value) {
    double r = reduceToHalfTurn(t);
    double size = std::fabs(r);
    if (size < kSnap || near(size, kPi)) return Infinite;
    value = near(size, kHalfPi) ? 0.0 : 1.0 / molvane::tangent(r);
    return 0;
}

// ln(x + sqrt(x^2 + 1)) cancels to ln 0 for large negative x, so the odd symmetry
// carries it; where x^2 overflows, x + sqrt(x^2 + 1) is 2|x| to double precision.
double inverseHyperbolicSine(double x) {
    double size = std::fabs(x);
    double magnitude = std::isinf(size * size) ? molvane::naturalLogarithm(2.0 * size)
                                               : molvane::naturalLogarithm(size + std::sqrt(size * size + 1.0));
    return x < 0.0 ? -magnitude : magnitude;
}

double inverseHyperbolicCosine(double x) {
    if (std::isinf(x * x)) return molvane::naturalLogarithm(2.0 * x);
    return molvane::naturalLogarithm(x + std::sqrt(x * x - 1.0));
}

// A draw of 0 to |n| - 1 for the integer part n of the argument; 0 when n is 0.
double randomBelow(double x) {
    double bound = std::fabs(std::trunc(x));
    if (bound == 0.0 || std::isnan(bound)) return 0.0;
    double draw = static_cast<double>(randomGenerator() - std::minstd_rand::min());
    return std::fmod(draw, bound);
}

// What a group of functions answers for a code that is not its own.
constexpr int kNotInGroup = -1;

// The trigonometric functions and their inverses, which read or give angles in
// units of the half turn h.
int computeAngleFunction(int code, double x, double h, double& value) {
    double t = x * kPi / h;
    bool insideUnit = x > -1.0 && x < 1.0;
    bool outsideUnit = x < -1.0 || x > 1.0;
    switch (code) {
        case 11:
        case 41:
            if (insideUnit) return ArgumentOutOfRange;
            value = molvane::arcSine(1.0 / x) * h / kPi;
            return 0;
        case 12:
        case 42: value = 1.0 / molvane::sine(t); return 0;
        case 13:
        case 15:
            if (outsideUnit) return ArgumentOutOfRange;
            value = molvane::arcCosine(x) * h / kPi;
            return 0;
        case 17: value = snappedCosine(t); return 0;
        case 18:
        case 20:
            if (outsideUnit) return ArgumentOutOfRange;
            value = molvane::arcSine(x) * h / kPi;
            return 0;
        case 22: value = snappedSine(t); return 0;
        case 23:
        case 25:
        case 28:
        case 30: value = molvane::arcTangent(1.0 / x) * h / kPi; return 0;
        case 27:
        case 32: return snappedCotangent(t, value);
        case 29:
        case 31:
        case 34:
        case 36: value = molvane::arcTangent(x) * h / kPi; return 0;
        case 33:
        case 38: return snappedTangent(t, value);
        case 39:
            if (insideUnit) return ArgumentOutOfRange;
            value = molvane::arcCosine(1.0 / x) * h / kPi;
            return 0;
        case 40: value = 1.0 / molvane::cosine(t); return 0;
        default: return kNotInGroup;
    }
}

// The hyperbolic functions and their inverses: plain numbers, no angles.
int computeHyperbolicFunction(int code, double x, double& value) {
    switch (code) {
        case 14:
            if (x < 1.0) return Infinite;
            value = inverseHyperbolicCosine(x);
            return 0;
        case 16: value = molvane::hyperbolicCosine(x); return 0;
        case 19: value = inverseHyperbolicSine(x); return 0;
        case 21: value = molvane::hyperbolicSine(x); return 0;
        case 24:
            if (x > -1.0 && x < 1.0) return Infinite;
            if (x == -1.0 || x == 1.0) return Indeterminate;
            value = 0.5 * molvane::naturalLogarithm((x + 1.0) / (x - 1.0));
            return 0;
        case 26:
            if (x == 0.0) return Indeterminate;
            value = 1.0 / molvane::hyperbolicTangent(x);
            return 0;
        case 35:
            if (x < -1.0 || x > 1.0) return ArgumentOutOfRange;
            if (x == -1.0 || x == 1.0) return Indeterminate;
            value = 0.5 * molvane::naturalLogarithm((1.0 + x) / (1.0 - x));
            return 0;
        case 37: value = molvane::hyperbolicTangent(x); return 0;
        default: return kNotInGroup;
    }
}

// Roots, powers, logarithms and the functions on plain numbers.
int computeNumberFunction(int code, double x, double& value) {
    switch (code) {
        case 43:
            if (x < 0.0) return RootOfNegative;
            value = std::sqrt(x);
            return 0;
        case 44: value = molvane::power(x, 2.0); return 0;
        case 45:
        case 46: value = molvane::exponential(x); return 0;
        case 47: value = molvane::power(10.0, x); return 0;
        case 48:
        case 49:
            if (x == 0.0) return LogarithmOfZero;
            if (x < 0.0) return LogarithmOfNegative;
            value = code == 48 ? molvane::naturalLogarithm(x) : molvane::commonLogarithm(x);
            return 0;
        case 50: value = std::fabs(x); return 0;
        // Adding 0 turns the -0 of int(-0.5) into 0.
        case 51: value = std::trunc(x) + 0.0; return 0;
        case 52:
        case 53: value = randomBelow(x); return 0;
        case 54: value = x < 0.0 ? -1.0 : (x > 0.0 ? 1.0 : 0.0); return 0;
        default: return kNotInGroup;
    }
}

// Returns 0 or an error code; an unknown code has the value 0.
int computeFunction(int code, double x, int angleUnit, double& value) {
    value = 0.0;
    int outcome = computeAngleFunction(code, x, halfTurn(angleUnit), value);
    if (outcome == kNotInGroup) outcome = computeHyperbolicFunction(code, x, value);
    if (outcome == kNotInGroup) outcome = computeNumberFunction(code, x, value);
    return outcome == kNotInGroup ? 0 : outcome;
}

}  // namespace

int applyFunction(std::span<char> operand, int angleUnit) {
    std::string_view text = textOf(operand);
    if (text.size() <= kFunctionCodeLength) return MissingArgument;
    if (text[kFunctionCodeLength] == ':') {
        // Nested codes are evaluated innermost first, each value through its text.
        int code = applyFunction(operand.subspan(kFunctionCodeLength), angleUnit);
        if (code != 0) return code;
        text = textOf(operand);
    }
    int code = readInteger(text.substr(1));
    double x = readNumber(text.substr(kFunctionCodeLength));
    double value = 0.0;
    int failure = computeFunction(code, x, angleUnit, value);
    if (failure != 0) return failure;
    if (!std::isfinite(value)) return Indeterminate;
    return writeText(operand, writeEngineNumber(value, kEngineDigits).view()) ? 0 : TooLong;
}

void seedRandomGenerator(unsigned seed) { randomGenerator.seed(seed); }
