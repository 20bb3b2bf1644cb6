// SPDX-License-Identifier: MIT
// How many tasks runTask answers a second, by kind of task.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/text.h"

using namespace molvane;

namespace {

const std::vector<std::string> kShortArithmetic = {
    "2+3*4", "(1+2)*3", "8/2*4", "2^10-1", "1/3*3", "3-2^2", "4.35*100", "5!-3", "2_9+3_8", "-2.5*-4",
};

const std::vector<std::string> kFunctions = {
    "sin30", "2cos60", "tan45+1", "ln10", "log1000", "sqrt2*sqrt8", "asin0.5", "pi*2^2", "exp1", "abs-3",
};

const std::vector<std::string> kFormulas = {
    "H2SO4", "h2o", "NaCl", "Ca(OH)2", "(NH4)2SO4", "K4(Fe(CN)6)", "CuSO4+5H2O", "kmno4", "C12H22O11", "2h2o",
};

const std::vector<std::string> kQuadratics = {
    "x^2-3x+2", "2x^2+3x+1", "x^2-4", "x^2+x+1", "-x^2+4", "x^2+2x+1",
};

const std::vector<std::string> kDirectives = {"#deg", "#fix 3", "#sci", "#auto", "#dig 1", "#dig 0", "#rad"};

// A long task of plain arithmetic, about `length` characters.
std::string longArithmetic(std::size_t length) {
    std::string task = "1";
    const char* pieces[] = {"+2.5", "*3", "-4/2", "+(1+2)*3", "^1", "+7.25"};
    for (std::size_t i = 0; task.size() < length; ++i) task += pieces[i % 6];
    task.resize(length);
    while (!task.empty() && (task.back() < '0' || task.back() > '9')) task.pop_back();
    return task;
}

void runMix(benchmark::State& benchmarkState, const std::vector<std::string>& tasks) {
    CalcState state;
    std::size_t next = 0;
    for (auto _ : benchmarkState) {
        writeTextCut(state.szTask, tasks[next]);
        benchmark::DoNotOptimize(runTask(state));
        next = next + 1 == tasks.size() ? 0 : next + 1;
    }
    benchmarkState.SetItemsProcessed(benchmarkState.iterations());
}

void BM_ShortArithmetic(benchmark::State& state) { runMix(state, kShortArithmetic); }
void BM_Functions(benchmark::State& state) { runMix(state, kFunctions); }
void BM_Formulas(benchmark::State& state) { runMix(state, kFormulas); }
void BM_Quadratics(benchmark::State& state) { runMix(state, kQuadratics); }
void BM_Directives(benchmark::State& state) { runMix(state, kDirectives); }

// The cost of one task against its length; past 510 characters the task is
// refused as too long, which costs only the normalisation.
void BM_LongArithmetic(benchmark::State& state) {
    runMix(state, {longArithmetic(static_cast<std::size_t>(state.range(0)))});
}

}  // namespace

BENCHMARK(BM_ShortArithmetic);
BENCHMARK(BM_Functions);
BENCHMARK(BM_Formulas);
BENCHMARK(BM_Quadratics);
BENCHMARK(BM_Directives);
BENCHMARK(BM_LongArithmetic)->Arg(50)->Arg(100)->Arg(200)->Arg(300)->Arg(400)->Arg(500)->Arg(600);

BENCHMARK_MAIN();
