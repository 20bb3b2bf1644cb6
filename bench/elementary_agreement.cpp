// SPDX-License-Identifier: MIT
// Counts, for each of the engine's elementary functions, the random arguments on
// which it gives another double than the C library's <cmath>, and the largest
// distance in units in the last place. Not a test: the C library is not correctly
// rounded everywhere, so a few disagreements are expected; the figures show how
// close the portable functions stay to the answers Linux gave before them.
// Usage: molvane_elementary_agreement [COUNT]   (COUNT arguments a function, default 1000000)
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "engine/elementary_functions.h"
#include "engine/trigonometric_functions.h"

namespace {

std::int64_t orderedBits(double x) {
    std::int64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return bits < 0 ? INT64_MIN - bits : bits;
}

struct Tally {
    long disagreements = 0;
    std::int64_t largestDistance = 0;
    double example = 0.0;
};

void count(Tally& tally, double argument, double ours, double library) {
    if (std::memcmp(&ours, &library, sizeof ours) == 0 || (std::isnan(ours) && std::isnan(library))) return;
    ++tally.disagreements;
    std::int64_t distance = std::llabs(orderedBits(ours) - orderedBits(library));
    if (distance > tally.largestDistance) {
        tally.largestDistance = distance;
        tally.example = argument;
    }
}

void report(const char* name, const char* range, long total, const Tally& tally) {
    std::printf("%-6s %-28s %9ld of %ld differ, at most %lld ulp (at %.17g)\n", name, range, tally.disagreements, total,
                static_cast<long long>(tally.largestDistance), tally.example);
}

}  // namespace

int main(int argc, char** argv) {
    long total = argc > 1 ? std::atol(argv[1]) : 1000000;
    std::mt19937_64 generator(20261207);
    auto uniform = [&generator](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(generator);
    };
    // Sizes spread evenly over the exponents from 10^low to 10^high, either sign.
    auto spread = [&](double low, double high) {
        double size = std::pow(10.0, uniform(low, high));
        return generator() % 2 ? size : -size;
    };
    struct Unary {
        const char* name;
        const char* range;
        double (*ours)(double);
        double (*library)(double);
        double low, high;
        bool spreadOut;
    };
    const Unary functions[] = {
        {"sin", "(-2pi, 2pi)", molvane::sine, std::sin, -6.3, 6.3, false},
        {"sin", "+-10^-3 .. 10^22", molvane::sine, std::sin, -3, 22, true},
        {"cos", "(-2pi, 2pi)", molvane::cosine, std::cos, -6.3, 6.3, false},
        {"cos", "+-10^-3 .. 10^22", molvane::cosine, std::cos, -3, 22, true},
        {"tan", "(-pi, pi)", molvane::tangent, std::tan, -3.15, 3.15, false},
        {"tan", "+-10^-3 .. 10^22", molvane::tangent, std::tan, -3, 22, true},
        {"asin", "(-1, 1)", molvane::arcSine, std::asin, -1, 1, false},
        {"acos", "(-1, 1)", molvane::arcCosine, std::acos, -1, 1, false},
        {"atan", "+-10^-8 .. 10^8", molvane::arcTangent, std::atan, -8, 8, true},
        {"sinh", "(-30, 30)", molvane::hyperbolicSine, std::sinh, -30, 30, false},
        {"sinh", "+-10^-8 .. 710", molvane::hyperbolicSine, std::sinh, -8, 2.85, true},
        {"cosh", "(-30, 30)", molvane::hyperbolicCosine, std::cosh, -30, 30, false},
        {"cosh", "+-10^-8 .. 710", molvane::hyperbolicCosine, std::cosh, -8, 2.85, true},
        {"tanh", "(-20, 20)", molvane::hyperbolicTangent, std::tanh, -20, 20, false},
        {"exp", "(-745, 709.7)", molvane::exponential, std::exp, -745, 709.7, false},
        {"exp", "+-10^-8 .. 10^2.85", molvane::exponential, std::exp, -8, 2.85, true},
        {"log", "10^-300 .. 10^300", molvane::naturalLogarithm, std::log, -300, 300, true},
        {"log", "(0.5, 2)", molvane::naturalLogarithm, std::log, 0.5, 2, false},
        {"log10", "10^-300 .. 10^300", molvane::commonLogarithm, std::log10, -300, 300, true},
    };
    for (const Unary& function : functions) {
        Tally tally;
        for (long i = 0; i < total; ++i) {
            double x = function.spreadOut ? spread(function.low, function.high) : uniform(function.low, function.high);
            if (function.spreadOut && function.library == static_cast<double (*)(double)>(std::log)) x = std::fabs(x);
            if (function.spreadOut && function.library == static_cast<double (*)(double)>(std::log10)) x = std::fabs(x);
            count(tally, x, function.ours(x), function.library(x));
        }
        report(function.name, function.range, total, tally);
    }
    struct Binary {
        const char* range;
        double xLow, xHigh, yLow, yHigh;
        bool integerY;
    };
    const Binary powers[] = {
        {"x 10^-5..10^5, y (-60, 60)", -5, 5, -60, 60, false},
        {"x 10^-300..10^300, y (-1, 1)", -300, 300, -1, 1, false},
        {"x +-10^-3..10^3, y int -99..99", -3, 3, -99, 99, true},
    };
    for (const Binary& range : powers) {
        Tally tally;
        for (long i = 0; i < total; ++i) {
            double x = spread(range.xLow, range.xHigh);
            double y = range.integerY ? std::round(uniform(range.yLow, range.yHigh)) : uniform(range.yLow, range.yHigh);
            if (!range.integerY) x = std::fabs(x);
            count(tally, x, molvane::power(x, y), std::pow(x, y));
        }
        report("pow", range.range, total, tally);
    }
    return 0;
}
