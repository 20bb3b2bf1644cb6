// SPDX-License-Identifier: MIT
// The composition of a formula: which elements its molar mass is made of.
#pragma once

#include <cstddef>

#include "engine/engine.h"

namespace molvane {

// An element stands once however often the formula names it, so no formula
// has more elements than the mass table has rows.
constexpr std::size_t kCompositionLimit = 111;

struct ElementShare {
    char symbol[3] = {};  // "H", "Cl"
    double count = 0;     // atoms in one formula unit; fractional after a coefficient such as 0.5O2
    double mass = 0;      // count times the atomic mass
    double percent = 0;   // the share of the molar mass, 0 to 100
};

struct Composition {
    ElementShare elements[kCompositionLimit];  // in order of first appearance
    std::size_t size = 0;
    double molarMass = 0;  // the sum of the masses: what the task answered
};

enum CompositionOutcome : int {
    Composed = 0,
    NoFormula = 1,             // no element symbol in the task, or the task failed: "2+3", "J2O"
    FormulaWithFunctions = 2,  // "sin(NaCl)", "NaCl*pi"
    NotPureFormula = 3,        // "NaCl/2", "NaCl-5H2O", "NaCl+2", "NaCl*H2O", "H2O^2", "0H2O"
};

// The composition of the task that `record` holds as runTask left it, `kind`
// being what runTask returned. Only a formula whose parts are joined by '+'
// and multiplied by positive coefficients has one: a subtraction (NaCl-5H2O)
// is arithmetic on two molar masses, not one substance, and is refused like
// a division. Returns a CompositionOutcome; `composition` is emptied first.
int composeFormula(int kind, const CalcState& record, Composition& composition);

// What the user reads when there is no composition: "No formula in the last task"
// and its kin; "" for Composed.
const char* compositionMessage(int outcome);

}  // namespace molvane
