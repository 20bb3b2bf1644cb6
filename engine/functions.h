// SPDX-License-Identifier: MIT
// The function library: the value of one function code applied to its argument.
#pragma once

#include <span>

namespace molvane {

// `operand` begins with a function code (':22;30'); writes the value over it
// with 15 significant digits. Angles are in `angleUnit`. Returns 0 or an error code;
// on failure the operand keeps its text (but for nested codes already evaluated).
int applyFunction(std::span<char> operand, int angleUnit);

}  // namespace molvane
