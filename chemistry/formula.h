// SPDX-License-Identifier: MIT
// Formula translation: a chemical formula becomes an arithmetic expression.
#pragma once

#include <span>
#include <string_view>

namespace molvane {

// Writes the formula structure out with brackets, '+' and '*': H2SO4 becomes
// H*2+S+O*4. Returns 0 or TooLong; `maths` unchanged on failure.
int expandFormula(std::span<char> maths);

// Replaces element symbols by their mass texts and the codes of pi, ans and mem
// by numbers. Returns 0, TooLong, IncorrectSyntax, AnswerNotNumber,
// MemoryNotNumber or UnknownElement (the symbol is then written into `answer`);
// `maths` unchanged on failure.
int substituteValues(std::span<char> maths, std::span<char> answer, std::string_view memory);

}  // namespace molvane
