// SPDX-License-Identifier: MIT
// What a screen reader reads of a display line or indicator: the name the
// layout gives it ("Answer") and, as its value, the text it shows ("5").
#pragma once

namespace molvane {

// Makes the accessibility of every ClickableLabel the one above; once is enough.
void installDisplayLineAccessibility();

}  // namespace molvane
