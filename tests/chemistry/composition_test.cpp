// SPDX-License-Identifier: MIT
#include "chemistry/composition.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/engine.h"
#include "engine/numbers.h"
#include "engine/text.h"

using namespace molvane;

namespace {

struct CompositionRow {
    const char* task;
    int outcome;
    const char* counts;  // "symbol:count" in order of first appearance
};

std::string countsOf(const Composition& composition) {
    std::string counts;
    for (std::size_t k = 0; k < composition.size; ++k) {
        const ElementShare& element = composition.elements[k];
        counts += (k ? " " : "") + std::string(element.symbol) + ":";
        counts += writeEngineNumber(element.count, 12).view();
    }
    return counts;
}

TEST(Composition, FormulasAndRefusals) {
    const CompositionRow rows[] = {
        {"ca(oh)2", Composed, "Ca:1 O:2 H:2"},
        {"CH3COOH", Composed, "C:2 H:4 O:2"},
        {"(NH4)2SO4", Composed, "N:2 H:8 S:1 O:4"},
        {"K4(Fe(CN)6)", Composed, "K:4 Fe:1 C:6 N:6"},
        {"[Cu(NH3)4]SO4", Composed, "Cu:1 N:4 H:12 S:1 O:4"},
        {"0.5O2", Composed, "O:1"},
        {"Fe0.95O", Composed, "Fe:0.95 O:1"},
        {"1.5e-3NaCl", Composed, "Na:0.0015 Cl:0.0015"},
        // The point is a decimal point even in a hydrate's dot: O 4.5 times.
        {"CuSO4.5H2O", Composed, "Cu:1 S:1 O:5.5 H:2"},
        {"NaCl*pi", FormulaWithFunctions, ""},
        {"-NaCl", NotPureFormula, ""},
        {"NaCl+2", NotPureFormula, ""},
        {"CuSO4*5H2O", NotPureFormula, ""},
        {"H2O^2", NotPureFormula, ""},
        {"0H2O", NotPureFormula, ""},
        {"J2O", NoFormula, ""},
    };
    for (const CompositionRow& row : rows) {
        SCOPED_TRACE(row.task);
        CalcState state;
        ASSERT_TRUE(writeText(state.szTask, row.task));
        int kind = runTask(state);
        Composition composition;
        EXPECT_EQ(composeFormula(kind, state, composition), row.outcome);
        EXPECT_EQ(countsOf(composition), row.counts);
    }
}

}  // namespace
