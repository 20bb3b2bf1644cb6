// SPDX-License-Identifier: MIT
// The "#" directive language: settings, the memory and command numbers.
#pragma once

#include "engine/engine.h"

namespace molvane {

// Applies the directive in state.szTask (already normalised). Returns
// 9 (Directive) after a setting or memory change, the number itself for a "#"
// followed by digits, UnknownDirective for an unknown keyword, or a memory operation's error
// code (the memory then as it was).
int applyDirective(CalcState& state);

}  // namespace molvane
