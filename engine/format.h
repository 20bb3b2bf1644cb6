// SPDX-License-Identifier: MIT
// Result formatting: the raw result shown by the number settings.
// formatAnswer itself is declared in engine/engine.h.
#pragma once

#include <span>

namespace molvane {

// Overwrites every `from` of `text`, up to its terminator, by `to`.
void replaceCharacter(std::span<char> text, char from, char to);

// Overwrites every '.' of `text` by `separator`.
void replaceDecimalPoint(std::span<char> text, char separator);

}  // namespace molvane
