// SPDX-License-Identifier: MIT
// One row per function code: its name, its Insert-menu label and its value.
//
// The coder, the decoder, the function library and the Insert menu all read
// this table, so a function is added or changed in one place.
#pragma once

#include <span>
#include <string_view>

namespace molvane {

// The codes of the named values, which the rules single out.
constexpr int kPiCode = 61;
constexpr int kAnswerCode = 62;
constexpr int kMemoryCode = 63;

// Codes whose first digit is 6 are values, not functions: they are replaced by
// numbers before evaluation and take no argument. The whole decade is kept for
// values, whether or not a row names the code.
constexpr int kValueCodeTens = 6;
constexpr bool isValueCode(int code) { return code / 10 == kValueCodeTens; }
// The same test on the first of a code's two digits, as it stands in a text.
constexpr bool isValueCodeTens(char digit) { return digit - '0' == kValueCodeTens; }

// The value of a function at x, with angles in units of `halfTurn` (180 for
// degrees). Called only for an x that the row's refusal lets through.
using FunctionValue = double (*)(double x, double halfTurn);

// The error code that refuses x as an argument, or 0 when the function takes it.
using FunctionRefusal = int (*)(double x, double halfTurn);

struct FunctionRow {
    int code;
    const char* name;         // as typed, in lower case
    const char* menuLabel;    // the Insert menu's text; nullptr when the menu has no item for it
    FunctionValue value;      // nullptr for a named value
    FunctionRefusal refusal;  // nullptr when every argument is taken
};

// Half a turn in `angleUnit`: the unit that FunctionComputation reads angles
// in. An unknown unit counts as radians.
double halfTurn(int angleUnit);

// Every row in code order, which is also the order of replacement: each name
// comes after every longer name that contains it.
std::span<const FunctionRow> functionRows();

// The row of `code`, or nullptr when no name has that code.
const FunctionRow* functionRowOf(int code);

// The row whose name is exactly `name`, or nullptr.
const FunctionRow* functionRowNamed(std::string_view name);

}  // namespace molvane
