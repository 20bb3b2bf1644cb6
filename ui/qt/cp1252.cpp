// SPDX-License-Identifier: MIT
#include "ui/qt/cp1252.h"

#include <QList>
#include <string>
#include <vector>

#include "session/encoding.h"

namespace molvane {

namespace {

std::u32string codePointsOf(const QString& text) {
    std::u32string codePoints;
    for (char32_t character : text.toUcs4()) codePoints += character;
    return codePoints;
}

// Code points in the first `qtPosition` places of `text`.
std::size_t codePointsBefore(const QString& text, int qtPosition) {
    std::size_t count = 0;
    for (int i = 0; i < qtPosition && i < text.size(); ++i) {
        if (!text.at(i).isLowSurrogate()) ++count;
    }
    return count;
}

}  // namespace

std::string toEngineText(const QString& text) { return codePointsToCp1252(codePointsOf(text)); }

std::string engineBytesOf(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t character : text.toUcs4()) bytes += cp1252ByteOf(character);
    return bytes;
}

QString fromEngineText(std::string_view text) {
    QString characters;
    characters.reserve(static_cast<qsizetype>(text.size()));
    for (char byte : text) {
        characters += QChar(static_cast<char16_t>(codePointOfCp1252(static_cast<unsigned char>(byte))));
    }
    return characters;
}

int enginePosition(const QString& text, int qtPosition) {
    std::size_t count = codePointsBefore(text, qtPosition);
    if (count == 0) return 0;
    std::vector<std::size_t> ends;
    codePointsToCp1252(codePointsOf(text), &ends);
    return static_cast<int>(ends[count - 1]);
}

int qtPosition(const QString& text, int enginePosition) {
    std::vector<std::size_t> ends;
    codePointsToCp1252(codePointsOf(text), &ends);
    std::size_t wanted = enginePosition < 0 ? 0 : static_cast<std::size_t>(enginePosition);
    std::size_t characters = 0;
    int i = 0;
    while (i < text.size() && (characters == 0 ? 0 : ends[characters - 1]) < wanted) {
        i += (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        ++characters;
    }
    return i;
}

}  // namespace molvane
