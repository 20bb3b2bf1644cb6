#include "chemistry/element_symbols.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/text.h"

namespace {

struct CaseRow {
    const char* typed;
    int kind;
    const char* expected;
    int expectedKind;
};

TEST(ElementSymbols, LettersTakeTheCaseOfTheirSymbols) {
    const CaseRow rows[] = {
        {"h2so4", Formula, "H2SO4", Formula},
        {"nacl", Functions, "NaCl", FormulaFunctions},
        {"NACL", Functions, "NaCl", FormulaFunctions},
        {"kmno4", Formula, "KMnO4", Formula},  // n after M skipped, o after small n capital
        {"ca(oh)2", Formula, "Ca(OH)2", Formula},
        {"pb(no3)2", Formula, "Pb(NO3)2", Formula},
        {"nh4no3", Formula, "NH4NO3", Formula},
        {"hcooh", Formula, "HCOOH", Formula},
        {"k2cr2o7", Formula, "K2Cr2O7", Formula},
        // Ambiguous small pairs resolve to two one-letter elements.
        {"co", Formula, "CO", Formula},
        {"Co", Formula, "Co", Formula},
        {"sc2o3", Functions, "SC2O3", FormulaFunctions},
        {"cs", Formula, "CS", Formula},
        {"hf", Formula, "HF", Formula},
        {"po", Functions, "PO", FormulaFunctions},
        // A capital that cannot stand alone takes the small letter after it.
        {"mg", Functions, "Mg", FormulaFunctions},
        {"zn", Formula, "Zn", Formula},
        {"rb", Formula, "Rb", Formula},
        {"tl", Functions, "Tl", FormulaFunctions},
        {"xe", Formula, "Xe", Formula},
        {"rg", Formula, "Rg", Formula},
        {"ds", Functions, "Ds", FormulaFunctions},
        // ...or becomes the second letter of the symbol before it.
        {"MG", Functions, "Mg", FormulaFunctions},
        {"AL", Functions, "Al", FormulaFunctions},
        {"AG", Formula, "Ag", Formula},
        {"HE", Formula, "He", Formula},
        {"BR", Formula, "Br", Formula},
        {"NI", Formula, "NI", Formula},
        {"CU", Formula, "CU", Formula},
        {"ZN", Formula, "zN", Formula},
        // Exponents, equations and letters without a row.
        {"1e-5", Formula, "1e-5", Formula},
        {"2.5e-3", Functions, "2.5e-3", Functions},
        {"2e5*h", Functions, "2e5*H", FormulaFunctions},
        {"x^2+5x+6", Quadratic, "x^2+5x+6", Quadratic},
        {"jq", Formula, "jQ", Formula},
        {"2*:22;30", Functions, "2*:22;30", Functions},
        {"", Formula, "", Formula},
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
