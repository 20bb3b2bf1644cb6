// SPDX-License-Identifier: MIT
#include "session/utf16_text.h"

#include <vector>

#include "session/encoding.h"

namespace molvane {

namespace {

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }
bool startsPair(std::u16string_view text, std::size_t i) {
    return isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]);
}

// A lone surrogate stays itself, which has no Windows-1252 byte.
std::u32string codePointsOf(std::u16string_view text) {
    std::u32string codePoints;
    codePoints.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (startsPair(text, i)) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            ++i;
        }
        codePoints += unit;
    }
    return codePoints;
}

// The engine text's length after each code point of `text`.
std::vector<std::size_t> engineEnds(std::u16string_view text) {
    std::vector<std::size_t> ends;
    codePointsToCp1252(codePointsOf(text), &ends);
    return ends;
}

}  // namespace

std::string engineTextOfUtf16(std::u16string_view text) { return codePointsToCp1252(codePointsOf(text)); }

std::string engineBytesOfUtf16(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (char32_t character : codePointsOf(text)) bytes += cp1252ByteOf(character);
    return bytes;
}

std::u16string utf16OfEngineText(std::string_view text) {
    std::u16string characters;
    characters.reserve(text.size());
    for (char byte : text) characters += static_cast<char16_t>(codePointOfCp1252(static_cast<unsigned char>(byte)));
    return characters;
}

std::u16string utf16OfUtf8(std::string_view utf8) {
    std::u16string characters;
    characters.reserve(utf8.size());
    for (char32_t codePoint : utf8ToCodePoints(utf8)) {
        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            characters += static_cast<char16_t>(0xD800 + (codePoint >> 10));
            characters += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
        } else {
            characters += static_cast<char16_t>(codePoint);
        }
    }
    return characters;
}

int enginePositionOfUtf16(std::u16string_view text, int utf16Position) {
    std::size_t codePoints = 0;
    for (std::size_t i = 0; static_cast<int>(i) < utf16Position && i < text.size(); ++i) {
        if (!isLowSurrogate(text[i]) || i == 0 || !isHighSurrogate(text[i - 1])) ++codePoints;
    }
    if (codePoints == 0) return 0;
    return static_cast<int>(engineEnds(text)[codePoints - 1]);
}

int utf16PositionOfEngine(std::u16string_view text, int enginePosition) {
    std::vector<std::size_t> ends = engineEnds(text);
    std::size_t wanted = enginePosition < 0 ? 0 : static_cast<std::size_t>(enginePosition);
    std::size_t characters = 0;
    std::size_t i = 0;
    while (i < text.size() && (characters == 0 ? 0 : ends[characters - 1]) < wanted) {
        i += startsPair(text, i) ? 2u : 1u;
        ++characters;
    }
    return static_cast<int>(i);
}

}  // namespace molvane
