// SPDX-License-Identifier: MIT
// Function names and their codes: ':22;' stands for "sin" inside engine texts.
#pragma once

#include <cstddef>
#include <span>

namespace molvane {

// A function code is ':', two digits and ';'.
constexpr std::size_t kFunctionCodeLength = 4;

// The name of a function code (11 to 54, 61 to 63), or nullptr for any other.
const char* functionName(int code);

// What encodeFunctionNames found in a task.
enum NameCoding : int {
    NamesCoded = 1,   // at least one name was replaced by its code
    NoNameFound = 2,  // the task's letters are no names: element symbols only
};

// Replaces every function name and named value (pi, ans, mem) in `task` by its
// code, longer names first. Returns a NameCoding, or TooLong when the task is
// longer than kTaskLimit characters before or after coding (the task then
// unchanged).
int encodeFunctionNames(std::span<char> task);

// Turns the codes in `text` back into names for display: with separator 0 the
// whole code gives way to the name, with any other value the ':' stays in front
// of it. Codes outside the table are left as they are; a text that would pass
// the field is cut at its end. Never fails.
void decodeFunctionNames(std::span<char> text, int functionSeparator);

}  // namespace molvane
