// SPDX-License-Identifier: MIT
// The cost of one call of each function of the table, in each angle unit, over
// typical arguments (the value only: no text is read or written). Built against
// two commits, the figures give a change's cost per function side by side; the
// C library's own function on the same arguments runs beside each (BM_libc_*),
// so that the ratio comes from one run on the same busy machine.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <string>

#include "engine/elementary_functions.h"
#include "engine/function_table.h"
#include "engine/trigonometric_functions.h"

using namespace molvane;

namespace {

constexpr int kArguments = 64;

// kArguments values spread evenly from `low` to `high`, off any round number.
std::array<double, kArguments> spreadOver(double low, double high) {
    std::array<double, kArguments> values{};
    for (int i = 0; i < kArguments; ++i)
        values[static_cast<std::size_t>(i)] = low + (high - low) * (i + 0.37) / kArguments;
    return values;
}

enum class Angles { None, Taken, Given };

struct Case {
    const char* name;
    double low;
    double high;
    Angles angles;
};

// Arguments that each function takes, as users type them; angles taken are in
// degrees here, and in radians take the same share of a turn.
constexpr Case kCases[] = {
    {"sin", -400.0, 400.0, Angles::Taken},  {"cos", -400.0, 400.0, Angles::Taken}, {"tan", -80.0, 80.0, Angles::Taken},
    {"cot", 1.0, 80.0, Angles::Taken},      {"sec", -80.0, 80.0, Angles::Taken},   {"csc", 1.0, 170.0, Angles::Taken},
    {"asin", -1.0, 1.0, Angles::Given},     {"acos", -1.0, 1.0, Angles::Given},    {"atan", -50.0, 50.0, Angles::Given},
    {"acot", -50.0, 50.0, Angles::Given},   {"asec", 1.0, 50.0, Angles::Given},    {"acsc", 1.0, 50.0, Angles::Given},
    {"sinh", -20.0, 20.0, Angles::None},    {"cosh", -20.0, 20.0, Angles::None},   {"tanh", -5.0, 5.0, Angles::None},
    {"coth", 0.1, 5.0, Angles::None},       {"asinh", -50.0, 50.0, Angles::None},  {"acosh", 1.0, 50.0, Angles::None},
    {"atanh", -0.99, 0.99, Angles::None},   {"acoth", 1.01, 50.0, Angles::None},   {"exp", -50.0, 50.0, Angles::None},
    {"ln", 0.001, 1000.0, Angles::None},    {"log", 0.001, 1000.0, Angles::None},  {"alog", -20.0, 20.0, Angles::None},
    {"sqr", -1000.0, 1000.0, Angles::None}, {"sqrt", 0.0, 1000.0, Angles::None},
};

void callFunction(benchmark::State& state, const FunctionRow* row, double h, std::array<double, kArguments> x) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(row->value(x[i], h));
        i = (i + 1) % kArguments;
    }
}

// The C library's function of the same name, taking radians, or for those it
// lacks what a C program would write.
struct LibraryFunction {
    const char* name;
    double (*value)(double);
};

constexpr LibraryFunction kLibrary[] = {
    {"sin", [](double x) { return std::sin(x); }},
    {"cos", [](double x) { return std::cos(x); }},
    {"tan", [](double x) { return std::tan(x); }},
    {"asin", [](double x) { return std::asin(x); }},
    {"acos", [](double x) { return std::acos(x); }},
    {"atan", [](double x) { return std::atan(x); }},
    {"sinh", [](double x) { return std::sinh(x); }},
    {"cosh", [](double x) { return std::cosh(x); }},
    {"tanh", [](double x) { return std::tanh(x); }},
    {"asinh", [](double x) { return std::asinh(x); }},
    {"acosh", [](double x) { return std::acosh(x); }},
    {"atanh", [](double x) { return std::atanh(x); }},
    {"exp", [](double x) { return std::exp(x); }},
    {"ln", [](double x) { return std::log(x); }},
    {"log", [](double x) { return std::log10(x); }},
    {"alog", [](double x) { return std::pow(10.0, x); }},
    // Those it lacks, as a C program would write them.
    {"cot", [](double x) { return 1.0 / std::tan(x); }},
    {"sec", [](double x) { return 1.0 / std::cos(x); }},
    {"csc", [](double x) { return 1.0 / std::sin(x); }},
    {"acot", [](double x) { return std::atan(1.0 / x); }},
    {"asec", [](double x) { return std::acos(1.0 / x); }},
    {"acsc", [](double x) { return std::asin(1.0 / x); }},
    {"coth", [](double x) { return 1.0 / std::tanh(x); }},
    {"acoth", [](double x) { return std::atanh(1.0 / x); }},
};

void callLibrary(benchmark::State& state, double (*value)(double), std::array<double, kArguments> x) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value(x[i]));
        i = (i + 1) % kArguments;
    }
}

template <bool kLibraryPower>
void powerOn(benchmark::State& state) {
    std::array<double, kArguments> x = spreadOver(0.01, 100.0);
    std::array<double, kArguments> y = spreadOver(-10.0, 10.0);
    std::size_t i = 0;
    for (auto _ : state) {
        double a = x[i];
        double b = y[(i * 7) % kArguments];
        benchmark::DoNotOptimize(kLibraryPower ? std::pow(a, b) : power(a, b));
        i = (i + 1) % kArguments;
    }
}

void BM_Power(benchmark::State& state) { powerOn<false>(state); }
void BM_libc_pow(benchmark::State& state) { powerOn<true>(state); }

void BM_Factorial(benchmark::State& state) {
    int n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(factorial(n));
        n = (n + 1) % 171;
    }
}

// The trigonometric functions in all three units, the others once: their unit
// does not matter.
int registerAll() {
    const char* unitNames[] = {"rad", "deg", "grad"};
    for (const Case& c : kCases) {
        const FunctionRow* row = functionRowNamed(c.name);
        int units = c.angles == Angles::None ? 1 : 3;
        for (int unit = 0; unit < units; ++unit) {
            double h = halfTurn(unit);
            double scale = c.angles == Angles::Taken ? h / 180.0 : 1.0;
            std::string label = std::string("BM_") + c.name + (units > 1 ? std::string("/") + unitNames[unit] : "");
            benchmark::RegisterBenchmark(label.c_str(), callFunction, row, h,
                                         spreadOver(c.low * scale, c.high * scale));
        }
        for (const LibraryFunction& f : kLibrary) {
            if (std::string(f.name) != c.name) continue;
            double scale = c.angles == Angles::Taken ? kRadiansHalfTurn / 180.0 : 1.0;
            benchmark::RegisterBenchmark((std::string("BM_libc_") + c.name).c_str(), callLibrary, f.value,
                                         spreadOver(c.low * scale, c.high * scale));
        }
    }
    return 0;
}

const int kRegistered = registerAll();

}  // namespace

BENCHMARK(BM_Power);
BENCHMARK(BM_libc_pow);
BENCHMARK(BM_Factorial);

BENCHMARK_MAIN();
