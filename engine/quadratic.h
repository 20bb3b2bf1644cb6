// SPDX-License-Identifier: MIT
// The quadratic equation solver: a*x^2 + b*x + c = 0.
#pragma once

#include <span>
#include <string_view>

namespace molvane {

// `maths` holds the prepared equation text. Writes the result root into `result`
// and the other root into `maths` ("<Complex number>" for a root that is no finite
// real number). The coefficients may use function codes and pi, ans and mem,
// read from `answer` and `memory`. Returns 0, or QuadraticError with the failing
// coefficient's message in `maths` (`result` untouched).
int solveQuadratic(std::span<char> maths, std::span<char> result, int angleUnit, std::string_view answer,
                   std::string_view memory);

}  // namespace molvane
