// SPDX-License-Identifier: MIT
// The one place where toolkit text meets engine text: Windows-1252 bytes.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace molvane {

// Typed or pasted text as the engine reads it, by the shared reading of
// session/encoding.h: '×' is 0xD7, '−' is '-', "x²" is "x^2", 'π' is "pi".
std::string toEngineText(const QString& text);

// Text the engine wrote and a control shows, read back byte for byte: each
// character becomes its Windows-1252 byte, or '?' when the code page lacks it.
std::string engineBytesOf(const QString& text);

QString fromEngineText(std::string_view text);

// Positions in the two forms of one text: a character outside the basic plane
// takes two places in a QString, and 'π' or a raising '²' two bytes in the
// engine's text. A position inside such a pair of bytes counts as after it.
int enginePosition(const QString& text, int qtPosition);
int qtPosition(const QString& text, int enginePosition);

}  // namespace molvane
