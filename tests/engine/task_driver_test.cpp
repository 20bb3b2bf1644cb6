// runTask from typed lines to the record it leaves: sequences of tasks on one
// record, as successive presses of Enter run them.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/text.h"

namespace {

struct Outcome {
    int kind;
    std::string task, maths, result, answer, memory;
};

// Runs the lines in order on `state` and reports the last outcome.
Outcome runLines(CalcState& state, const std::vector<std::string>& lines) {
    int kind = 0;
    for (const std::string& line : lines) {
        writeTextCut(state.szTask, line);
        kind = runTask(state);
    }
    return {kind,
            std::string(textOf(state.szTask)),
            std::string(textOf(state.szMaths)),
            std::string(textOf(state.szResult)),
            std::string(textOf(state.szAnswer)),
            std::string(textOf(state.szMemory))};
}

std::string joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) all += "[" + line + "] ";
    return all;
}

constexpr const char* kAny = nullptr;

struct Row {
    std::vector<std::string> lines;
    int kind;
    const char* task;
    const char* answer;
    const char* memory;
};

void checkRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        CalcState state;
        Outcome outcome = runLines(state, row.lines);
        SCOPED_TRACE("lines " + joined(row.lines));
        EXPECT_EQ(outcome.kind, row.kind);
        if (row.task) {
            EXPECT_EQ(outcome.task, row.task);
        }
        if (row.answer) {
            EXPECT_EQ(outcome.answer, row.answer);
        }
        if (row.memory) {
            EXPECT_EQ(outcome.memory, row.memory);
        }
    }
}

}  // namespace

TEST(RunTask, TasksOfEveryKind) {
    checkRows({
        {{"2+3"}, Plain, "2+3", "5", ""},
        {{"2+3=4"}, Plain, "2+3", "5", kAny},
        {{"2\xD7" "3"}, Plain, "2*3", "6", kAny},
        {{"h2so4"}, Formula, "H2SO4", "98.07848", kAny},
        {{"2h2o"}, Formula, "2H2O", "36.03056", kAny},
        {{"#deg", "2sin30"}, Functions, "2:sin30", "1", kAny},
        {{"#deg", "#fun 0", "2sin30"}, Functions, "2sin30", "1", kAny},
        {{"sin(NaCl)"}, FormulaFunctions, kAny, kAny, kAny},
        {{"x^2-3x+2"}, Quadratic, "x^2-3x+2 = 0", "2", kAny},
        {{"5", "ans"}, Functions, ":ans", "5", kAny},
        {{"5", "#mem", "mem*2"}, Functions, ":mem*2", "10", "5"},
    });
}

TEST(RunTask, EmptyTasksClearTheTextsButKeepMemoryAndSettings) {
    for (const char* line : {"", "   ", "=5", "= comment"}) {
        CalcState state;
        runLines(state, {"#deg", "7", "#mem", "1+1"});
        Outcome outcome = runLines(state, {line});
        SCOPED_TRACE(std::string("line [") + line + "]");
        EXPECT_EQ(outcome.kind, Plain);
        EXPECT_EQ(outcome.task + outcome.maths + outcome.result + outcome.answer, "");
        EXPECT_EQ(outcome.memory, "7");
        EXPECT_EQ(state.angleUnit, Degrees);
    }
}

TEST(RunTask, DirectivesSetTheSettings) {
    struct DirectiveRow {
        std::vector<std::string> lines;
        int kind;
        int CalcState::*field;
        int expected;
    } rows[] = {
        {{"#dec 4"}, Directive, &CalcState::decimals, 4},
        {{"#dec"}, Directive, &CalcState::decimals, 0},
        {{"#dec 99"}, Directive, &CalcState::decimals, 99},
        {{"#dec -3"}, Directive, &CalcState::decimals, -3},
        {{"#dig 1"}, Directive, &CalcState::digitGrouping, 1},
        {{"#dig 1", "#dig"}, Directive, &CalcState::digitGrouping, 0},
        {{"#sci"}, Directive, &CalcState::numberMode, Scientific},
        {{"#dec 5", "#sci"}, Directive, &CalcState::decimals, 5},
        {{"#sci3"}, Directive, &CalcState::decimals, 3},
        {{"#scientific"}, Directive, &CalcState::numberMode, Scientific},
        {{"#fix 3"}, Directive, &CalcState::decimals, 3},
        {{"#fix"}, Directive, &CalcState::numberMode, Fixed},
        {{"#sci", "#auto"}, Directive, &CalcState::numberMode, Automatic},
        {{"#a"}, Directive, &CalcState::numberMode, Automatic},
        {{"#deg"}, Directive, &CalcState::angleUnit, Degrees},
        {{"#degree"}, Directive, &CalcState::angleUnit, Degrees},
        {{"#DEG"}, Directive, &CalcState::angleUnit, Degrees},
        {{"#grad"}, Directive, &CalcState::angleUnit, Grads},
        {{"#deg", "#rad"}, Directive, &CalcState::angleUnit, Radians},
        {{"#dec 5"}, Directive, &CalcState::angleUnit, Radians},
        {{"#comma"}, Directive, &CalcState::decimalComma, 1},
        {{"#c", "#dot"}, Directive, &CalcState::decimalComma, 0},
        {{"#fun 0"}, Directive, &CalcState::functionSeparator, 0},
        {{"#fun 7"}, Directive, &CalcState::functionSeparator, 7},
        {{"#dx"}, Directive, &CalcState::decimals, 2},
        {{"#fx"}, Directive, &CalcState::numberMode, Automatic},
        {{"#dec 5 = Round number to 5 decimal places"}, Directive, &CalcState::decimals, 5},
        {{"#dec 99999999999"}, Directive, &CalcState::decimals, INT_MAX},
        {{"#x"}, Failed, &CalcState::decimals, 2},
        {{"#-5"}, Failed, &CalcState::decimals, 2},
        {{"#0"}, 0, &CalcState::decimals, 2},
        {{"#20"}, 20, &CalcState::decimals, 2},
        {{"#501"}, 501, &CalcState::decimals, 2},
        {{"#99999999999"}, INT_MAX, &CalcState::decimals, 2},
    };
    for (const DirectiveRow& row : rows) {
        CalcState state;
        Outcome outcome = runLines(state, row.lines);
        SCOPED_TRACE("lines " + joined(row.lines));
        EXPECT_EQ(outcome.kind, row.kind);
        EXPECT_EQ(state.*row.field, row.expected);
        if (row.kind == Failed) {
            EXPECT_EQ(outcome.answer, "Unknown # command");
        }
    }
}

TEST(RunTask, CommandNumbersLeaveEveryTextAsItWas) {
    CalcState state;
    runLines(state, {"2+3", "#mem"});
    Outcome outcome = runLines(state, {"#20"});
    EXPECT_EQ(outcome.kind, 20);
    EXPECT_EQ(outcome.task, "#20");
    EXPECT_EQ(outcome.maths, "2+3");
    EXPECT_EQ(outcome.result, "5");
    EXPECT_EQ(outcome.answer, "5");
    EXPECT_EQ(outcome.memory, "5");
}

TEST(RunTask, DirectivesShowTheAnswerAgain) {
    checkRows({
        {{"1234.5", "#dig 1"}, Directive, "#dig1", "1 234.5", kAny},
        {{"2.5", "#comma"}, Directive, "#comma", "2,5", kAny},
        {{"#comma", "1.5+1"}, Plain, "1,5+1", "2,5", kAny},
        {{"1234.5678", "#sci"}, Directive, kAny, "1.23e+03", kAny},
        {{"2/3", "#fix 99"}, Directive, kAny, "0.666666666666667", kAny},
        {{"2/3", "#fix", "#dec -3"}, Directive, kAny, "1", kAny},
        // A message stays a message under any settings.
        {{"-3!", "#sci"}, Directive, kAny, "n! must be from 0 to 170", kAny},
        {{"asin2", "#fix 3"}, Directive, kAny, "Argument must be from -1 to 1", kAny},
    });
}

TEST(RunTask, MemoryDirectives) {
    checkRows({
        {{"5", "#mem", "3", "#mem+"}, Directive, kAny, kAny, "8"},
        {{"5", "#mem", "3", "#mem-"}, Directive, kAny, kAny, "2"},
        {{"5", "#mem", "3", "#mem"}, Directive, kAny, kAny, "3"},
        {{"5", "#mem", "3", "#m+"}, Directive, kAny, kAny, "3"},
        {{"3", "#mem+"}, Directive, kAny, kAny, "3"},
        // Subtraction takes every result, negative ones too; an empty memory counts as 0.
        {{"5", "#mem", "-3", "#mem-"}, Directive, kAny, kAny, "8"},
        {{"3", "#mem-"}, Directive, kAny, kAny, "-3"},
        {{"-3", "#mem-"}, Directive, kAny, kAny, "3"},
        {{"5", "#mem", "-3", "#mem+"}, Directive, kAny, kAny, "2"},
        {{"1e20", "#mem", "#mem+"}, Directive, kAny, kAny, "2e20"},
        // A message is never a number: the memory stays as it was.
        {{"1/0", "#mem"}, AnswerNotNumber, kAny, kAny, ""},
        {{"2", "#mem", "1/0", "#mem+"}, AnswerNotNumber, kAny, kAny, "2"},
        {{"2", "#mem", "asin2", "#mem-"}, AnswerNotNumber, kAny, kAny, "2"},
        {{"#mem"}, AnswerNotNumber, kAny, kAny, ""},
        // A failed evaluation leaves the memory as it was.
        {{"1.7e308", "#mem", "#mem+"}, 1031, kAny, kAny, "1.7e308"},
    });
}

// Arithmetic, completion and failures are mostly covered by the golden files;
// these rows check what a typed transcript does not show.
TEST(RunTask, CompletionAndFailureEdges) {
    checkRows({
        {{"-3!", "+3"}, Failed, kAny, "Previous answer isn't number", kAny},
        {{"#dig 1", "#comma", "1234.5", "+1"}, Plain, kAny, "1 235,5", kAny},
        {{"5", "-3"}, Plain, "-3", "-3", kAny},
        // An unknown symbol gives the line back exactly as typed, case included.
        {{"Q2o"}, Failed, "Q2o", "Unknown element symbol", kAny},
        {{std::string(511, '1')}, Failed, kAny, "Expression is too long", kAny},
        {{std::string(300, '1') + std::string(200, ',')}, Failed, kAny, "Expression is too long", kAny},
    });
}
