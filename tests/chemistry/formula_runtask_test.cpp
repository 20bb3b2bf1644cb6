// Formulas typed as the user types them, through the whole task pipeline.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "chemistry/atomic_masses.h"
#include "engine/engine.h"
#include "engine/numbers.h"
#include "engine/text.h"

namespace {

struct TaskRow {
    const char* typed;
    int kind;
    const char* task;    // szTask afterwards
    const char* answer;  // szAnswer afterwards
};

TEST(FormulaTasks, MolarMassesOfTypedFormulas) {
    const TaskRow rows[] = {
        {"h2so4", Formula, "H2SO4", "98.07848"},
        {"2h2o", Formula, "2H2O", "36.03056"},
        {"NACL", Formula, "NaCl", "58.44276928"},
        {"kmno4", Formula, "KMnO4", "158.033945"},
        {"ca(oh)2", Formula, "Ca(OH)2", "74.09268"},
        {"pb(no3)2", Formula, "Pb(NO3)2", "331.2098"},
        {"k2cr2o7", Formula, "K2Cr2O7", "294.1846"},
        {"co", Formula, "CO", "28.0101"},
        {"Co", Formula, "Co", "58.933195"},
        {"sc2o3", Formula, "SC2O3", "104.0846"},
        {"mg", Formula, "Mg", "24.305"},
        {"rg", Formula, "Rg", "280"},
        {"ds", Formula, "Ds", "281"},
        {"CuSO4+5H2O", Formula, "CuSO4+5H2O", "249.685"},
        {"ZN", Failed, "zN", "Incorrect syntax"},
        {"J2O", Failed, "J2O", "Unknown element symbol"},
        {"q", Failed, "q", "Incorrect syntax"},
        {"Q", Failed, "Q", "Unknown element symbol"},
        // Subtraction between terms.
        {"C-1", Formula, "C-1", "11.0107"},
        {"He-1", Formula, "He-1", "3.002602"},
        {"NaCl-H2O", Formula, "NaCl-H2O", "40.42748928"},
        {"h2so4-h2o", Formula, "H2SO4-H2O", "80.0632"},
        {"NaCl-5H2O", Formula, "NaCl-5H2O", "-31.63363072"},
    };
    for (const TaskRow& row : rows) {
        SCOPED_TRACE(row.typed);
        CalcState state;
        writeText(state.szTask, row.typed);
        EXPECT_EQ(runTask(state), row.kind);
        EXPECT_STREQ(state.szTask, row.task);
        EXPECT_STREQ(state.szAnswer, row.answer);
    }
}

TEST(FormulaTasks, EverySymbolAloneGivesItsMass) {
    for (const AtomicMass& entry : atomicMassTable()) {
        SCOPED_TRACE(entry.symbol);
        CalcState state;
        writeText(state.szTask, entry.symbol);
        EXPECT_EQ(runTask(state), Formula);
        EXPECT_EQ(textOf(state.szResult), writeNumber(readNumber(entry.mass), NumberStyle::General, 15).view());
    }
}

}  // namespace
