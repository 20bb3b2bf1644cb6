// SPDX-License-Identifier: MIT
// The shared colour rules for Qt's colours.
#pragma once

#include <QColor>

#include "ui/colour_contrast.h"

namespace molvane {

inline QColor qtColour(Colour colour) { return QColor(colour.red, colour.green, colour.blue); }

inline Colour colourOf(const QColor& colour) {
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

inline double contrast(const QColor& a, const QColor& b) { return contrast(colourOf(a), colourOf(b)); }

}  // namespace molvane
