// SPDX-License-Identifier: MIT
// runTask from typed lines to the record it leaves: sequences of tasks on one
// record, as successive presses of Enter run them. What a typed transcript shows
// lives in the golden files; these rows check kinds, fields and limits it cannot.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/text.h"

using namespace molvane;

namespace {

constexpr const char* kAny = nullptr;

// The lines run in order on one record; the kind is the last one's, and each
// text or setting given must be what the record holds at the end.
struct Row {
    std::vector<std::string> lines;
    int kind;
    const char* task;
    const char* answer;
    const char* memory;
    int CalcState::*setting = nullptr;
    int value = 0;
};

void checkRows(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE("lines " + testing::PrintToString(row.lines));
        CalcState state;
        int kind = 0;
        for (const std::string& line : row.lines) {
            writeTextCut(state.szTask, line);
            kind = runTask(state);
        }
        EXPECT_EQ(kind, row.kind);
        EXPECT_STREQ(state.szTask, row.task ? row.task : state.szTask);
        EXPECT_STREQ(state.szAnswer, row.answer ? row.answer : state.szAnswer);
        EXPECT_STREQ(state.szMemory, row.memory ? row.memory : state.szMemory);
        EXPECT_EQ(row.setting ? state.*row.setting : 0, row.setting ? row.value : 0);
    }
}

}  // namespace

TEST(RunTask, TasksOfEveryKind) {
    checkRows({
        {{"2+3"}, Plain, "2+3", "5", ""},
        {{"h2so4"}, Formula, "H2SO4", "98.07848", kAny},
        {{"#deg", "2sin30"}, Functions, "2:sin30", "1", kAny},
        {{"sin(NaCl)"}, FormulaFunctions, kAny, kAny, kAny},
        {{"x^2-3x+2"}, Quadratic, "x^2-3x+2 = 0", "2", kAny},
        // A message ending in a digit is no previous answer.
        {{"-3!", "+3"}, Failed, kAny, "Previous answer isn't number", kAny},
        {{"#dig 1", "#comma", "1234.5", "+1"}, Plain, kAny, "1 235,5", kAny},
        // Symbols without an entry give the line back exactly as typed, case included.
        {{"J2O"}, Failed, "J2O", "Unknown element symbol", kAny},
        {{"q"}, Failed, "q", "Incorrect syntax", kAny},
        // The line ends at '=': the rest is commentary, and here the task is empty.
        {{"1+1", "=5"}, Plain, "", "", kAny},
    });
}

std::string repeated(const std::string& piece, int count, const std::string& separator = "") {
    std::string text = piece;
    for (int i = 1; i < count; ++i) text += separator + piece;
    return text;
}

// A coefficient of 125 characters, the most one may have, worth what it begins with.
std::string coefficient125(std::string text) {
    while (text.size() < 124) text += "+0";
    return text.size() < 125 ? text + "0" : text;
}

// Each pass has a limit of its own: the typed task (510 characters) and what
// normalising, coding names, adding the answer and signs, and expanding
// formulas into masses make of it (638). One row at each side of each limit.
TEST(RunTask, TasksAtTheLimits) {
    const char* tooLong = "Expression is too long";
    const char* noRoots = "Error in quadratic equation";
    const std::string one = coefficient125("1");
    const std::string four = coefficient125("4");
    checkRows({
        {{std::string(511, '1')}, Failed, kAny, tooLong, kAny},
        {{std::string(300, '1') + std::string(200, ',')}, Failed, kAny, tooLong, kAny},
        {{"." + std::string(507, '1')}, Plain, kAny, "0.111111111111111", kAny},
        {{"." + std::string(508, '1')}, Failed, kAny, tooLong, kAny},
        {{"2", std::string(170, '-')}, Plain, kAny, "2", kAny},
        {{"2", std::string(171, '-')}, Failed, kAny, tooLong, kAny},
        {{"12", std::string(507, '0') + "+"}, Plain, kAny, "12", kAny},
        {{"12", std::string(508, '0') + "+"}, Failed, kAny, tooLong, kAny},
        {{"12", "+" + std::string(507, '0')}, Plain, kAny, "12", kAny},
        {{"12", "+" + std::string(508, '0')}, Failed, kAny, tooLong, kAny},
        {{repeated("1", 128, "-")}, Plain, kAny, "-126", kAny},
        {{repeated("1", 129, "-")}, Failed, kAny, tooLong, kAny},
        {{std::string(506, '0') + "pi"}, Functions, kAny, "0", kAny},
        {{std::string(507, '0') + "2pi"}, Failed, kAny, tooLong, kAny},
        {{repeated("pi", 33, "+")}, Functions, kAny, "103.672557568464", kAny},
        {{repeated("pi", 34, "+")}, Failed, kAny, tooLong, kAny},
        {{std::string(79, 'H')}, Formula, kAny, "79.62726", kAny},
        {{std::string(80, 'H')}, Failed, kAny, tooLong, kAny},
        // "cos" grows the text past 510 before "arcsin" shrinks it again: only the end counts.
        {{repeated("cos", 40) + repeated("arcsin", 60) + "0"}, Functions, kAny, "0.739085078689123", kAny},
        // Names shown again are longer than their codes: the task is cut at its field's end.
        {{repeated("arctan", 84) + "1"}, Functions, repeated(":arctan", 84).substr(0, kTaskLimit).c_str(), kAny, kAny},
        // Each coefficient of an equation is measured on its own, not the whole text after x^2.
        {{one + "x^2-4"}, Quadratic, kAny, "2", kAny},
        {{one + "0x^2-4"}, Failed, kAny, noRoots, kAny},
        {{"x^2+" + one + "x"}, Quadratic, kAny, "0", kAny},
        {{"x^2+" + one + "0x"}, Failed, kAny, noRoots, kAny},
        {{"x^2+" + coefficient125("0") + "x+" + four}, Quadratic, kAny, "<Complex number>", kAny},
        {{"x^2+" + four + "0"}, Failed, kAny, noRoots, kAny},
    });
}

// What each directive shows is in the golden files; these rows check the
// spellings and arguments it accepts, and what it leaves in the memory.
TEST(RunTask, DirectivesSetTheSettingsAndTheMemory) {
    using S = CalcState;
    const int D = Directive;
    const char* unknown = "Unknown # command";
    checkRows({
        {{"#dec"}, D, kAny, kAny, kAny, &S::decimals, 0},
        {{"#dig 1", "#dig"}, D, kAny, kAny, kAny, &S::digitGrouping, 0},
        {{"#dec 5", "#sci"}, D, kAny, kAny, kAny, &S::decimals, 5},
        {{"#sci3"}, D, kAny, kAny, kAny, &S::decimals, 3},
        {{"#scientific"}, D, kAny, kAny, kAny, &S::numberMode, Scientific},
        {{"#a"}, D, kAny, kAny, kAny, &S::numberMode, Automatic},
        {{"#degree"}, D, kAny, kAny, kAny, &S::angleUnit, Degrees},
        {{"#DEG"}, D, kAny, kAny, kAny, &S::angleUnit, Degrees},
        {{"#c", "#dot"}, D, kAny, kAny, kAny, &S::decimalComma, 0},
        {{"#fun 7"}, D, kAny, kAny, kAny, &S::functionSeparator, 7},
        {{"#dx"}, D, kAny, kAny, kAny, &S::decimals, 2},
        {{"#fx"}, D, kAny, kAny, kAny, &S::numberMode, Automatic},
        {{"#dec 5 = Round number to 5 decimal places"}, D, kAny, kAny, kAny, &S::decimals, 5},
        {{"#dec 99999999999"}, D, kAny, kAny, kAny, &S::decimals, INT_MAX},
        // Only 62 characters are read.
        {{"#dec" + std::string(57, '0') + "12"}, D, kAny, kAny, kAny, &S::decimals, 1},
        {{"#x"}, Failed, kAny, unknown, kAny, &S::decimals, 2},
        {{"#-5"}, Failed, kAny, unknown, kAny, &S::decimals, 2},
        {{"#0"}, 0, kAny, kAny, kAny, &S::decimals, 2},
        {{"#501"}, 501, kAny, kAny, kAny, &S::decimals, 2},
        {{"#99999999999"}, INT_MAX, kAny, kAny, kAny, &S::decimals, 2},
        {{"5", "#mem", "3", "#mem-"}, D, kAny, kAny, "2"},
        {{"5", "#mem", "3", "#m+"}, D, kAny, kAny, "3"},
        // Subtraction takes every result, negative ones too; an empty memory counts as 0.
        {{"3", "#mem-"}, D, kAny, kAny, "-3"},
        {{"5", "#mem", "-3", "#mem+"}, D, kAny, kAny, "2"},
        {{"1e20", "#mem", "#mem+"}, D, kAny, kAny, "2e20"},
        // No answer yet is no number (a message neither: see the golden memory lines).
        {{"#mem"}, AnswerNotNumber, kAny, kAny, ""},
        // A failed evaluation leaves the memory as it was.
        {{"1.7e308", "#mem", "#mem+"}, 1031, kAny, kAny, "1.7e308"},
    });
}

TEST(ErrorMessage, CodesWithoutAnEntryShareOneMessage) {
    for (unsigned code : {1008u, 1010u, 1020u, 1029u, 1030u, 5000u, 0u}) {
        SCOPED_TRACE(code);
        EXPECT_STREQ(errorMessage(code), "Unexcepted error");
        char shortBuffer[8];
        EXPECT_EQ(writeErrorMessage(code, shortBuffer), 0);
        EXPECT_STREQ(shortBuffer, "Unexcep");
    }
}
