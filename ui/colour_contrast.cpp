// SPDX-License-Identifier: MIT
#include "ui/colour_contrast.h"

#include <algorithm>
#include <cmath>

namespace molvane {

namespace {

double luminance(Colour colour) {
    auto linear = [](std::uint8_t channel) {
        double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.red) + 0.7152 * linear(colour.green) + 0.0722 * linear(colour.blue);
}

}  // namespace

double contrast(Colour a, Colour b) {
    double lighter = std::max(luminance(a), luminance(b));
    double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

Colour readableColour(Colour background, std::initializer_list<Colour> candidates) {
    Colour best = *candidates.begin();
    for (Colour candidate : candidates) {
        if (contrast(candidate, background) >= kReadableContrast) return candidate;
        if (contrast(candidate, background) > contrast(best, background)) best = candidate;
    }
    return best;
}

Colour linkColour(Colour desktopLink, Colour background) {
    return readableColour(background, {desktopLink, kLinkBlue, kLightLinkBlue});
}

}  // namespace molvane
