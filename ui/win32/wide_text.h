// SPDX-License-Identifier: MIT
// The edge between the Windows API's UTF-16 texts and the engine's
// Windows-1252 texts, by the shared reading of session/encoding.h.
#pragma once

#include <string>
#include <string_view>

namespace molvane {

// Typed or pasted text as the engine reads it: '×' is 0xD7, '−' is '-',
// "x²" is "x^2", 'π' is "pi".
std::string toEngineText(std::wstring_view text);

// Text the engine wrote and a control shows, read back byte for byte: each
// character becomes its Windows-1252 byte, or '?' when the code page lacks it.
std::string engineBytesOf(std::wstring_view text);

std::wstring fromEngineText(std::string_view text);

// The menus' own texts are UTF-8.
std::wstring fromUtf8(std::string_view text);

// Positions in the two forms of one text: a character outside the basic plane
// takes two places in UTF-16, and 'π' or a raising '²' two bytes in the
// engine's text. A position inside such a pair of bytes counts as after it.
int enginePosition(std::wstring_view text, int widePosition);
int widePosition(std::wstring_view text, int enginePosition);

}  // namespace molvane
