#include "chemistry/element_symbols.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/text.h"

using namespace molvane;

namespace {

struct CaseRow {
    const char* typed;
    int kind;
    const char* expected;
    int expectedKind;
};

TEST(ElementSymbols, LettersTakeTheCaseOfTheirSymbols) {
    const int F = Formula, Fn = Functions, FF = FormulaFunctions;
    const CaseRow rows[] = {
        {"h2so4", F, "H2SO4", F},
        {"nacl", Fn, "NaCl", FF},
        {"NACL", Fn, "NaCl", FF},
        {"kmno4", F, "KMnO4", F},  // n after M skipped, o after small n capital
        {"ca(oh)2", F, "Ca(OH)2", F},
        {"pb(no3)2", F, "Pb(NO3)2", F},
        {"nh4no3", F, "NH4NO3", F},
        {"hcooh", F, "HCOOH", F},
        {"k2cr2o7", F, "K2Cr2O7", F},
        // Ambiguous small pairs resolve to two one-letter elements.
        {"co", F, "CO", F},
        {"Co", F, "Co", F},
        {"sc2o3", Fn, "SC2O3", FF},
        {"cs", F, "CS", F},
        {"hf", F, "HF", F},
        {"po", Fn, "PO", FF},
        // A capital that cannot stand alone takes the small letter after it...
        {"mg", Fn, "Mg", FF},
        {"zn", F, "Zn", F},
        {"rb", F, "Rb", F},
        {"tl", Fn, "Tl", FF},
        {"xe", F, "Xe", F},
        {"rg", F, "Rg", F},
        {"ds", Fn, "Ds", FF},
        // ...or becomes the second letter of the symbol before it.
        {"MG", Fn, "Mg", FF},
        {"AL", Fn, "Al", FF},
        {"AG", F, "Ag", F},
        {"HE", F, "He", F},
        {"BR", F, "Br", F},
        {"NI", F, "NI", F},
        {"CU", F, "CU", F},
        {"ZN", F, "zN", F},
        // Exponents, equations and letters without a row.
        {"1e-5", F, "1e-5", F},
        {"2.5e-3", Fn, "2.5e-3", Fn},
        {"2e5*h", Fn, "2e5*H", FF},
        {"x^2+5x+6", Quadratic, "x^2+5x+6", Quadratic},
        {"jq", F, "jQ", F},
        {"2*:22;30", Fn, "2*:22;30", Fn},
        {"", F, "", F},
    };
    for (const CaseRow& row : rows) {
        SCOPED_TRACE(row.typed);
        char task[kTaskLimit + 1] = {};
        ASSERT_TRUE(writeText(task, row.typed));
        EXPECT_EQ(normalizeElementSymbols(task, row.kind), row.expectedKind);
        EXPECT_STREQ(task, row.expected);
    }
}

TEST(ElementSymbols, LengthLimit) {
    struct LimitRow {
        std::size_t length;
        int expectedKind;
        char expectedFirst;
    };
    for (LimitRow row : {LimitRow{510, Formula, 'H'}, LimitRow{511, TooLong, 'h'}}) {
        SCOPED_TRACE(row.length);
        char task[kTaskLimit + 2] = {};
        std::string typed(row.length, 'h');
        ASSERT_TRUE(writeText(task, typed));
        EXPECT_EQ(normalizeElementSymbols(task, Formula), row.expectedKind);
        EXPECT_EQ(textOf(task).size(), row.length);
        EXPECT_EQ(task[0], row.expectedFirst);
        EXPECT_EQ(task[row.length - 1], row.expectedFirst);
    }
}

TEST(ElementSymbols, AnyByteOnlyChangesTheCaseOfLetters) {
    std::vector<char> task(kTaskLimit + 1, '\0');
    for (std::size_t i = 0; i < kTaskLimit; ++i) task[i] = static_cast<char>(1 + (i * 37) % 255);
    std::string before(textOf(task));
    normalizeElementSymbols(task, Plain);
    ASSERT_EQ(textOf(task).size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) {
        SCOPED_TRACE(i);
        char was = before[i] >= 'a' && before[i] <= 'z' ? static_cast<char>(before[i] - 32) : before[i];
        char is = task[i] >= 'a' && task[i] <= 'z' ? static_cast<char>(task[i] - 32) : task[i];
        EXPECT_EQ(is, was);
    }
}

}  // namespace
