// SPDX-License-Identifier: MIT
#include "ui/win32/wide_text.h"

#include <vector>

#include "session/encoding.h"

namespace molvane {

namespace {

bool isHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// A lone surrogate stays itself, which the engine's reading turns into '?'.
std::u32string codePointsOf(std::wstring_view text) {
    std::u32string codePoints;
    codePoints.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t unit = static_cast<char32_t>(text[i]);
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
            ++i;
        }
        codePoints += unit;
    }
    return codePoints;
}

std::size_t codePointsBefore(std::wstring_view text, int widePosition) {
    std::size_t count = 0;
    for (int i = 0; i < widePosition && static_cast<std::size_t>(i) < text.size(); ++i) {
        if (!isLowSurrogate(text[static_cast<std::size_t>(i)]) || i == 0 ||
            !isHighSurrogate(text[static_cast<std::size_t>(i - 1)]))
            ++count;
    }
    return count;
}

}  // namespace

std::string toEngineText(std::wstring_view text) { return codePointsToCp1252(codePointsOf(text)); }

std::string engineBytesOf(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (char32_t character : codePointsOf(text)) bytes += cp1252ByteOf(character);
    return bytes;
}

std::wstring fromEngineText(std::string_view text) {
    std::wstring characters;
    characters.reserve(text.size());
    for (char byte : text) {
        characters += static_cast<wchar_t>(codePointOfCp1252(static_cast<unsigned char>(byte)));
    }
    return characters;
}

std::wstring fromUtf8(std::string_view text) {
    std::wstring characters;
    std::size_t i = 0;
    while (i < text.size()) {
        auto byte = static_cast<unsigned char>(text[i]);
        int length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        char32_t codePoint = length == 1 ? byte : byte & (0x7F >> length);
        for (int k = 1; k < length && i + static_cast<std::size_t>(k) < text.size(); ++k) {
            codePoint = (codePoint << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3F);
        }
        i += static_cast<std::size_t>(length);
        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            characters += static_cast<wchar_t>(0xD800 + (codePoint >> 10));
            characters += static_cast<wchar_t>(0xDC00 + (codePoint & 0x3FF));
        } else {
            characters += static_cast<wchar_t>(codePoint);
        }
    }
    return characters;
}

int enginePosition(std::wstring_view text, int widePosition) {
    std::size_t count = codePointsBefore(text, widePosition);
    if (count == 0) return 0;
    std::vector<std::size_t> ends;
    codePointsToCp1252(codePointsOf(text), &ends);
    return static_cast<int>(ends[count - 1]);
}

int widePosition(std::wstring_view text, int enginePosition) {
    std::vector<std::size_t> ends;
    codePointsToCp1252(codePointsOf(text), &ends);
    std::size_t wanted = enginePosition < 0 ? 0 : static_cast<std::size_t>(enginePosition);
    std::size_t characters = 0;
    std::size_t i = 0;
    while (i < text.size() && (characters == 0 ? 0 : ends[characters - 1]) < wanted) {
        i += (isHighSurrogate(text[i]) && i + 1 < text.size()) ? 2u : 1u;
        ++characters;
    }
    return static_cast<int>(i);
}

}  // namespace molvane
