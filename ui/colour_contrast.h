// SPDX-License-Identifier: MIT
// How well one colour reads on another, and the choice of a colour that reads,
// for every toolkit: a desktop's palette may put any text on any background.
#pragma once

#include <initializer_list>

#include "ui/window_layout.h"

namespace molvane {

// The contrast at which ordinary text reads.
inline constexpr double kReadableContrast = 4.5;

// The contrast of two colours as the web's accessibility guidelines measure it:
// 1 for equal colours, 21 for black on white.
double contrast(Colour a, Colour b);

// The first of `candidates` that reads on `background`, or else the one that
// reads best.
Colour readableColour(Colour background, std::initializer_list<Colour> candidates);

// A link on a window: the desktop's link colour where it reads there; blue on
// a light window and light blue on a dark one otherwise.
Colour linkColour(Colour desktopLink, Colour background);

}  // namespace molvane
