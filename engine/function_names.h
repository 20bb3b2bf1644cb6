// Function names and their codes: ':22;' stands for "sin" inside engine texts.
#pragma once

#include <cstddef>
#include <span>

namespace molvane {

// A function code is ':', two digits and ';'.
constexpr std::size_t kFunctionCodeLength = 4;

// The name of a function code (11 to 54, 61 to 63), or nullptr for any other.
const char* functionName(int code);

// Replaces every function name and named value (pi, ans, mem) in `task` by its
// code, longer names first. Returns 1 when a name was replaced, 2 when none
// was, 1001 when the task is longer than 510 characters before or after coding
// (the task then unchanged).
int encodeFunctionNames(std::span<char> task);

// Turns the codes in `text` back into names for display: with separator 0 the
// whole code gives way to the name, with any other value the ':' stays in front
// of it. Codes outside the table are left as they are; a text that would pass
// the field is cut at its end. Never fails.
void decodeFunctionNames(std::span<char> text, int functionSeparator);

}  // namespace molvane
