// SPDX-License-Identifier: MIT
// The edge between the toolkits' UTF-16 texts (Qt's strings, the Windows API's
// wide strings) and the engine's Windows-1252 texts, shared by every desktop
// front end so that typed text and caret positions mean the same in each.
#pragma once

#include <string>
#include <string_view>

namespace molvane {

// Typed or pasted text as the engine reads it, by codePointsToCp1252: '×' is
// 0xD7, '−' is '-', "x²" is "x^2", 'π' is "pi". A lone surrogate becomes '?'.
std::string engineTextOfUtf16(std::u16string_view text);

// Text the engine wrote and a control shows, read back byte for byte: each
// character becomes its Windows-1252 byte, or '?' when the code page lacks it.
std::string engineBytesOfUtf16(std::u16string_view text);

std::u16string utf16OfEngineText(std::string_view text);

// The program's own UTF-8 texts (menus, labels); a byte that is not
// well-formed UTF-8 becomes U+FFFD.
std::u16string utf16OfUtf8(std::string_view utf8);

// Positions in the two forms of one text: a character outside the basic plane
// takes two places in UTF-16, and 'π' or a raising '²' two bytes in the
// engine's text. A position inside such a pair of bytes counts as after it.
int enginePositionOfUtf16(std::u16string_view text, int utf16Position);
int utf16PositionOfEngine(std::u16string_view text, int enginePosition);

}  // namespace molvane
