// SPDX-License-Identifier: MIT
// The calculation engine: the record a task runs in, and its two entry points.
//
// A caller writes a line into szTask, leaves every other field as the previous
// task left it (szAnswer is the previous answer, szMemory the memory) and calls
// runTask. formatAnswer shows the last result again after a settings change.
#pragma once

#include <cstddef>
#include <cstdint>

namespace molvane {

// Limits of the texts, in characters without the terminator.
constexpr std::size_t kTaskLimit = 510;       // a normalised task
constexpr std::size_t kMathsLimit = 638;      // the expression handed to the evaluator
constexpr std::size_t kResultLimit = 125;     // a raw result or a message
constexpr std::size_t kAnswerLimit = 125;     // a formatted answer
constexpr std::size_t kMemoryLimit = 127;     // the memory
constexpr std::size_t kInputLineLimit = 509;  // what the Enter key accepts

enum AngleUnit : std::int32_t { Radians = 0, Degrees = 1, Grads = 2 };
enum NumberMode : std::int32_t { Automatic = 0, Scientific = 1, Fixed = 2 };

// What runTask returns. A "#" followed by digits returns that number itself
// (see DirectiveNumber), and a failed memory add or subtract returns its error code.
enum TaskKind : int {
    Failed = -1,
    Plain = 0,             // digits, operators and brackets only
    Functions = 1,         // function names or pi, ans, mem; no element symbol
    Formula = 2,           // element symbols, no function name
    FormulaFunctions = 3,  // both
    Quadratic = 4,         // a quadratic equation in x
    Directive = 9,         // a "#" setting directive
};

// The numbers of "#" directives that mean something to the caller: the engine
// only hands them on.
enum DirectiveNumber : int {
    DumpRecord = 20,          // the history shows the whole record
    OptionDisplayOnly = 501,  // window options of the configuration file
    OptionAlwaysOnTop = 502,
    OptionHistoryVisible = 503,
    OptionTaskNumbering = 504,
    OptionClearHistory = 505,
};
constexpr bool isWindowOption(int number) { return number >= OptionDisplayOnly && number <= OptionClearHistory; }

// The record in which a task runs; a plain value, copied whole.
struct CalcState {
    char szTask[kTaskLimit + 1] = {};      // the line; normalised by runTask
    char szMaths[kMathsLimit + 1] = {};    // the expression; a quadratic's second root
    char szResult[kResultLimit + 1] = {};  // the raw result text, or a message
    char szAnswer[kAnswerLimit + 1] = {};  // the result as displayed, or a message
    char szMemory[kMemoryLimit + 1] = {};  // a number text, or empty
    std::int32_t angleUnit = Radians;
    std::int32_t numberMode = Automatic;
    std::int32_t decimals = 2;
    std::int32_t digitGrouping = 0;
    std::int32_t functionSeparator = 1;
    std::int32_t decimalComma = 0;
};

// Runs the line in state.szTask: normalises and classifies it, applies a "#"
// directive or translates and evaluates it, and formats the answer.
// Returns the TaskKind, a command number, or a memory directive's error code.
int runTask(CalcState& state);

// Formats szResult into szAnswer by the number settings; with the decimal comma
// on, also turns every '.' of szTask and szMaths into ','. Returns 0.
int formatAnswer(CalcState& state);

// Seeds the generator that "ran" and "rand" draw from; a front end seeds it
// from the clock when its history log starts, a test with a fixed number.
void seedRandomNumbers(unsigned seed);

}  // namespace molvane
