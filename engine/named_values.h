// SPDX-License-Identifier: MIT
// Named values: the codes of pi, ans and mem become numbers before evaluation.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "engine/engine.h"

namespace molvane {

// The longest expression that the passes hand on to the evaluator.
constexpr std::size_t kExpressionLimit = kMathsLimit - 1;

// Bytes of the buffer that a symbol's value is written into.
constexpr std::size_t kSymbolValueSize = 12;

// The value of an element symbol: `symbol` (kSymbolValueSize bytes) holds a
// capital and an optional small letter. Returns 0 and overwrites it with the
// value text, or an error code with the buffer unchanged.
using SymbolValues = int (*)(std::span<char> symbol);

// Replaces the codes of pi, ans and mem in `maths` by numbers and each element
// symbol by the text that `symbolValues` gives it, in one pass from the left:
// the first failure in the text wins. Returns 0, TooLong, IncorrectSyntax (a
// small letter no symbol could take), AnswerNotNumber, MemoryNotNumber or the
// error of `symbolValues`, whose symbol is then written into `answer` for the
// user to correct. Without `symbolValues` every symbol is UnknownElement.
// `maths` is unchanged on failure.
int substituteNamedValues(std::span<char> maths, std::span<char> answer, std::string_view memory,
                          SymbolValues symbolValues);

}  // namespace molvane
