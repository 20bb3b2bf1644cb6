// SPDX-License-Identifier: MIT
// Element symbols typed in any case: h2so4 becomes H2SO4.
#pragma once

#include <span>

namespace molvane {

// Sets the case of the letters of `task` so that every element symbol stands as
// a capital, or a capital and a small letter. Returns `kind` promoted (Plain to
// Formula, Functions to FormulaFunctions) when a capital was met, or TooLong when the task is longer than 510
// characters (the task then unchanged). Only the case of letters changes.
int normalizeElementSymbols(std::span<char> task, int kind);

}  // namespace molvane
