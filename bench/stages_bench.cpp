// SPDX-License-Identifier: MIT
// The cost of each stage of a task on its own, so that a slow stage shows.
#include <benchmark/benchmark.h>

#include "chemistry/element_symbols.h"
#include "chemistry/formula.h"
#include "engine/engine.h"
#include "engine/evaluator.h"
#include "engine/function_names.h"
#include "engine/normalize.h"
#include "engine/quadratic.h"
#include "engine/text.h"

using namespace molvane;

namespace {

void BM_NormalizeTask(benchmark::State& benchmarkState) {
    CalcState state;
    for (auto _ : benchmarkState) {
        writeText(state.szTask, "2 * (3,5 + 4) - 1e-3 * x");
        benchmark::DoNotOptimize(normalizeTask(state));
    }
}

void BM_EncodeFunctionNames(benchmark::State& benchmarkState) {
    char task[kTaskLimit + 1];
    for (auto _ : benchmarkState) {
        writeText(task, "sin30+cos(pi/3)*sqrt2+ln10");
        benchmark::DoNotOptimize(encodeFunctionNames(task));
    }
}

void BM_DecodeFunctionNames(benchmark::State& benchmarkState) {
    char task[kTaskLimit + 1];
    for (auto _ : benchmarkState) {
        writeText(task, ":22;30+:17;(:61;/3)*:43;2+:48;10");
        decodeFunctionNames(task, 1);
        benchmark::DoNotOptimize(task[0]);
    }
}

void BM_PrepareSigns(benchmark::State& benchmarkState) {
    CalcState state;
    for (auto _ : benchmarkState) {
        writeText(state.szTask, "3-5*(2-1)-2^-3+4-:22;30");
        writeText(state.szMaths, "3-5*(2-1)-2^-3+4-:22;30");
        benchmark::DoNotOptimize(prepareSigns(state));
    }
}

void BM_NormalizeElementSymbols(benchmark::State& benchmarkState) {
    char task[kTaskLimit + 1];
    for (auto _ : benchmarkState) {
        writeText(task, "k4(fe(cn)6)+cuso4*5h2o");
        benchmark::DoNotOptimize(normalizeElementSymbols(task, Formula));
    }
}

void BM_ExpandAndSubstitute(benchmark::State& benchmarkState) {
    char maths[kMathsLimit + 1];
    char answer[kAnswerLimit + 1] = "12.5";
    for (auto _ : benchmarkState) {
        writeText(maths, "K4(Fe(CN)6)+CuSO4*5H2O");
        expandFormula(maths);
        benchmark::DoNotOptimize(substituteValues(maths, answer, "3"));
    }
}

void BM_EvaluateExpression(benchmark::State& benchmarkState) {
    char result[kResultLimit + 1];
    for (auto _ : benchmarkState) {
        benchmark::DoNotOptimize(evaluateExpression("2*(3+4)/5+2^10+-1*3_8", result, Radians));
    }
}

void BM_EvaluateFunctions(benchmark::State& benchmarkState) {
    char result[kResultLimit + 1];
    for (auto _ : benchmarkState) {
        benchmark::DoNotOptimize(evaluateExpression(":22;30+:17;60*:43;2+:48;10", result, Degrees));
    }
}

void BM_SolveQuadratic(benchmark::State& benchmarkState) {
    char maths[kMathsLimit + 1];
    char result[kResultLimit + 1];
    for (auto _ : benchmarkState) {
        writeText(maths, "2*x^2+-1*3*x+1");
        benchmark::DoNotOptimize(solveQuadratic(maths, result, Radians, "", ""));
    }
}

void BM_FormatAnswer(benchmark::State& benchmarkState) {
    CalcState state;
    state.digitGrouping = 1;
    writeText(state.szResult, "1234567.891011");
    for (auto _ : benchmarkState) benchmark::DoNotOptimize(formatAnswer(state));
}

}  // namespace

BENCHMARK(BM_NormalizeTask);
BENCHMARK(BM_EncodeFunctionNames);
BENCHMARK(BM_DecodeFunctionNames);
BENCHMARK(BM_PrepareSigns);
BENCHMARK(BM_NormalizeElementSymbols);
BENCHMARK(BM_ExpandAndSubstitute);
BENCHMARK(BM_EvaluateExpression);
BENCHMARK(BM_EvaluateFunctions);
BENCHMARK(BM_SolveQuadratic);
BENCHMARK(BM_FormatAnswer);
