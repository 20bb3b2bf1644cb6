#include "ui/qt/cp1252.h"

#include <QList>

namespace {

// The characters of bytes 0x80 to 0x9F; the five bytes the code page leaves
// undefined stand for the control characters of the same value.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char byteOf(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) return static_cast<char>(character);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == character) return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

std::string toEngineText(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t character : text.toUcs4()) bytes += byteOf(character);
    return bytes;
}

QString fromEngineText(std::string_view text) {
    QString characters;
    characters.reserve(static_cast<qsizetype>(text.size()));
    for (char byte : text) {
        auto value = static_cast<unsigned char>(byte);
        characters += (value >= 0x80 && value < 0xA0) ? QChar(kHighControls[value - 0x80]) : QChar(value);
    }
    return characters;
}

int enginePosition(const QString& text, int qtPosition) {
    int position = 0;
    for (int i = 0; i < qtPosition && i < text.size(); ++i) {
        if (!text.at(i).isLowSurrogate()) ++position;
    }
    return position;
}

int qtPosition(const QString& text, int enginePosition) {
    int characters = 0;
    int i = 0;
    while (i < text.size() && characters < enginePosition) {
        i += (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        ++characters;
    }
    return i;
}
