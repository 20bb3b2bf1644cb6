// The one place where toolkit text meets engine text: Windows-1252 bytes.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace molvane {

// Each character becomes its Windows-1252 byte ('×' is 0xD7, '÷' 0xF7, '€' 0x80);
// a character the code page lacks becomes '?'.
std::string toEngineText(const QString& text);

QString fromEngineText(std::string_view text);

// Positions in the two forms of one text: a character outside the basic plane
// takes two places in a QString and one byte in the engine's text.
int enginePosition(const QString& text, int qtPosition);
int qtPosition(const QString& text, int enginePosition);

}  // namespace molvane
