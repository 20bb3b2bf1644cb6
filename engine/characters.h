// SPDX-License-Identifier: MIT
// Character classes of engine texts. Engine texts are single-byte and the
// process locale must not matter, so these never go through <cctype>.
#pragma once

namespace molvane {

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool isCapital(char c) { return c >= 'A' && c <= 'Z'; }
constexpr bool isSmall(char c) { return c >= 'a' && c <= 'z'; }
constexpr bool isLetter(char c) { return isCapital(c) || isSmall(c); }
constexpr char toCapital(char c) { return isSmall(c) ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char toSmall(char c) { return isCapital(c) ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace molvane
