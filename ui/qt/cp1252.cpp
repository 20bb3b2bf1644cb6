// SPDX-License-Identifier: MIT
#include "ui/qt/cp1252.h"

#include "session/utf16_text.h"

namespace molvane {

namespace {

std::u16string_view unitsOf(const QString& text) {
    QStringView view(text);
    return {view.utf16(), static_cast<std::size_t>(view.size())};
}

}  // namespace

std::string toEngineText(const QString& text) { return engineTextOfUtf16(unitsOf(text)); }

std::string engineBytesOf(const QString& text) { return engineBytesOfUtf16(unitsOf(text)); }

QString fromEngineText(std::string_view text) {
    std::u16string units = utf16OfEngineText(text);
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size()));
}

int enginePosition(const QString& text, int qtPosition) { return enginePositionOfUtf16(unitsOf(text), qtPosition); }

int qtPosition(const QString& text, int enginePosition) { return utf16PositionOfEngine(unitsOf(text), enginePosition); }

}  // namespace molvane
