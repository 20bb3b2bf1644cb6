#include "ui/qt/cp1252.h"

#include <QList>

#include "session/encoding.h"

namespace molvane {

std::string toEngineText(const QString& text) {
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

}  // namespace molvane
