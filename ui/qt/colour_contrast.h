// SPDX-License-Identifier: MIT
// How well one colour reads on another.
#pragma once

#include <QColor>
#include <algorithm>
#include <cmath>

namespace molvane {

// The contrast of two colours as the web's accessibility guidelines measure it:
// 1 for equal colours, 21 for black on white; 4.5 reads as ordinary text.
inline double contrast(const QColor& a, const QColor& b) {
    auto luminance = [](const QColor& colour) {
        auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
        return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) + 0.0722 * linear(colour.blueF());
    };
    double lighter = std::max(luminance(a), luminance(b));
    double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

}  // namespace molvane
