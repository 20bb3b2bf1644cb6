#include "chemistry/formula.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/text.h"

using namespace molvane;

namespace {

struct TranslationRow {
    const char* before;
    const char* expanded;
    const char* substituted;
};

// Both passes, with the previous answer "12.5" and the memory "3".
void checkTranslation(const TranslationRow& row) {
    SCOPED_TRACE(row.before);
    CalcState state;
    writeText(state.szAnswer, "12.5");
    writeText(state.szMemory, "3");
    ASSERT_TRUE(writeText(state.szMaths, row.before));
    ASSERT_EQ(expandFormula(state.szMaths), 0);
    EXPECT_STREQ(state.szMaths, row.expanded);
    ASSERT_TRUE(writeText(state.szMaths, row.expanded));
    EXPECT_EQ(substituteValues(state.szMaths, state.szAnswer, textOf(state.szMemory)), 0);
    EXPECT_STREQ(state.szMaths, row.substituted);
}

TEST(Formula, WorkedExamples) {
    const TranslationRow rows[] = {
        {"H2SO4", "H*2+S+O*4", "1.00794*2+32.065+15.9994*4"},
        {"Ca(OH)2", "Ca+(O+H)*2", "40.078+(15.9994+1.00794)*2"},
        {"(NH4)2SO4", "(N+H*4)*2+S+O*4", "(14.0067+1.00794*4)*2+32.065+15.9994*4"},
        {"Fe2(SO4)3", "Fe*2+(S+O*4)*3", "55.845*2+(32.065+15.9994*4)*3"},
        {"K4(Fe(CN)6)", "K*4+(Fe+(C+N)*6)", "39.0983*4+(55.845+(12.0107+14.0067)*6)"},
        {"C12H22O11", "C*12+H*22+O*11", "12.0107*12+1.00794*22+15.9994*11"},
        {"2H2O", "2*(H*2+O)", "2*(1.00794*2+15.9994)"},
        {"CuSO4+5H2O", "(Cu+S+O*4)+5*(H*2+O)", "(63.546+32.065+15.9994*4)+5*(1.00794*2+15.9994)"},
        {"Na2CO3+10H2O", "(Na*2+C+O*3)+10*(H*2+O)", "(22.98976928*2+12.0107+15.9994*3)+10*(1.00794*2+15.9994)"},
        {"CuSO4*5H2O", "(Cu+S+O*4)*5*(H*2+O)", "(63.546+32.065+15.9994*4)*5*(1.00794*2+15.9994)"},
        {"CuSO4.5H2O", "Cu+S+O*4.5+H*2+O", "63.546+32.065+15.9994*4.5+1.00794*2+15.9994"},
        {"NaCl-1*5H2O", "(Na+Cl)+-1*5*(H*2+O)", "(22.98976928+35.453)+-1*5*(1.00794*2+15.9994)"},
        {"Fe0.95O", "Fe*0.95+O", "55.845*0.95+15.9994"},
        {"H2O^2", "(H*2+O)^2", "(1.00794*2+15.9994)^2"},
        {"C*12", "(C)*12", "(12.0107)*12"},
        {"NaCl+:61;", "(Na+Cl)+:61;", "(22.98976928+35.453)+3.1415926535897932"},
        {"1.5e-3NaCl", "1.5e-3*(Na+Cl)", "1.5e-3*(22.98976928+35.453)"},
        {":22;(NaCl)", ":22;((Na+Cl))", ":22;((22.98976928+35.453))"},
        // One letter gets no brackets; any separator keeps every term's own.
        {"C", "C", "12.0107"},
        {"2*NaCl", "2*(Na+Cl)", "2*(22.98976928+35.453)"},
        {"NaCl*2", "(Na+Cl)*2", "(22.98976928+35.453)*2"},
        {"H2O/2", "(H*2+O)/2", "(1.00794*2+15.9994)/2"},
        {"NaCl2e5", "Na+Cl*2e5", "22.98976928+35.453*2e5"},
        {"NaCl2e-5", "Na+Cl*2e-5", "22.98976928+35.453*2e-5"},
        {"NaCl1.e-5", "Na+Cl*1.e-5", "22.98976928+35.453*1.e-5"},  // an exponent after a point
    };
    for (const TranslationRow& row : rows) checkTranslation(row);
}

// A term before a subtraction is closed wherever it stands, and a term after
// one is opened: the forms in which sign preparation hands these tasks over.
TEST(Formula, SubtractionBetweenTerms) {
    const TranslationRow rows[] = {
        {"C-1*1", "(C)+-1*1", "(12.0107)+-1*1"},  // C-1
        {"C+-1*1", "(C)+-1*1", "(12.0107)+-1*1"},
        {"He-1*1", "(He)+-1*1", "(4.002602)+-1*1"},  // He-1
        {"He-1", "(He)+-1", "(4.002602)+-1"},
        {"NaCl-H2O", "(Na+Cl)+-1*(H*2+O)", "(22.98976928+35.453)+-1*(1.00794*2+15.9994)"},
        {"H2SO4+-H2O", "(H*2+S+O*4)+-1*(H*2+O)", "(1.00794*2+32.065+15.9994*4)+-1*(1.00794*2+15.9994)"},
        {"-1*H2O", "-1*(H*2+O)", "-1*(1.00794*2+15.9994)"},
        {"2*-H", "2*-1*(H)", "2*-1*(1.00794)"},
        // The '-' after '(' signs the bracket's content; the term goes on.
        {"NaCl*(-2)", "(Na+Cl)*((-2))", "(22.98976928+35.453)*((-2))"},
        // A bracket that holds a function before a separator is no term.
        {"(:22;30)+NaCl", "(:22;30)+(Na+Cl)", "(:22;30)+(22.98976928+35.453)"},
    };
    for (const TranslationRow& row : rows) checkTranslation(row);
}

struct ValueRow {
    const char* maths;
    const char* answer;
    const char* memory;
    int code;
    const char* expected;        // szMaths after the pass
    const char* expectedAnswer;  // szAnswer after the pass
};

TEST(Formula, SubstituteValues) {
    const ValueRow rows[] = {
        {"2*:61;", "12.5", "3", 0, "2*3.1415926535897932", "12.5"},
        {":62;+1", "12.5", "3", 0, "12.5+1", "12.5"},
        {":63;-1", "12.5", "3", 0, "3+-1", "12.5"},
        {":61;-1", "", "", 0, "3.1415926535897932+-1", ""},
        {":61;2", "", "", 0, "3.1415926535897932*2", ""},  // a digit after a value multiplies
        {":62;2", "5", "", 0, "5*2", "5"},
        {":62;*2", "1 234,5", "", 0, "1234.5*2", "1 234,5"},
        {":22;30+:62;", "-3", "", 0, ":22;30+-3", "-3"},
        {":62;+1", "", "3", AnswerNotNumber, ":62;+1", ""},
        {":62;+1", "Incorrect syntax", "3", AnswerNotNumber, ":62;+1", "Incorrect syntax"},
        {":62;+1", "Argument must be from -1 to 1", "3", AnswerNotNumber, ":62;+1", "Argument must be from -1 to 1"},
        {":63;", "12.5", "", MemoryNotNumber, ":63;", "12.5"},
        {"zN", "12.5", "", IncorrectSyntax, "zN", "12.5"},
        {"J*2", "12.5", "", UnknownElement, "J*2", "J"},
        {"H+Cn", "12.5", "", UnknownElement, "H+Cn", "Cn"},
        {"Aj", "12.5", "", UnknownElement, "Aj", "Aj"},
        {":6", "", "", 0, ":6", ""},
    };
    for (const ValueRow& row : rows) {
        SCOPED_TRACE(row.maths);
        CalcState state;
        writeText(state.szMaths, row.maths);
        writeText(state.szAnswer, row.answer);
        writeText(state.szMemory, row.memory);
        EXPECT_EQ(substituteValues(state.szMaths, state.szAnswer, textOf(state.szMemory)), row.code);
        EXPECT_STREQ(state.szMaths, row.expected);
        EXPECT_STREQ(state.szAnswer, row.expectedAnswer);
    }
}

TEST(Formula, LengthLimits) {
    struct LimitRow {
        const char* name;
        std::string maths;
        int expandCode;
        int substituteCode;
    };
    const LimitRow rows[] = {
        {"638 digits", std::string(638, '1'), TooLong, TooLong},
        {"637 digits", std::string(637, '1'), 0, 0},
        {"pi near the limit", std::string(630, '1') + "+:61;", 0, TooLong},
        {"expansion grows past the limit", std::string(320, 'H') + "2", TooLong, TooLong},
    };
    for (const LimitRow& row : rows) {
        SCOPED_TRACE(row.name);
        CalcState state;
        ASSERT_TRUE(writeText(state.szMaths, row.maths));
        EXPECT_EQ(expandFormula(state.szMaths), row.expandCode);
        if (row.expandCode != 0) {
            EXPECT_EQ(textOf(state.szMaths), row.maths);
        }
        ASSERT_TRUE(writeText(state.szMaths, row.maths));
        EXPECT_EQ(substituteValues(state.szMaths, state.szAnswer, ""), row.substituteCode);
        if (row.substituteCode != 0) {
            EXPECT_EQ(textOf(state.szMaths), row.maths);
        }
    }
}

// Whatever the text holds, both passes stay inside fields of exactly their size
// (so the sanitizers see any stray access) and keep them terminated.
TEST(Formula, AnyBytesStayInsideTheField) {
    unsigned seed = 12345;
    const char alphabet[] = "HOCNaclJe(-)):;6123*+^_/.e-";
    for (int round = 0; round < 2000; ++round) {
        std::vector<char> maths(kMathsLimit + 1, '\0');
        std::vector<char> answer(kAnswerLimit + 1, '\0');
        writeText(answer, "12.5");
        std::size_t length = static_cast<std::size_t>(round) % maths.size();
        for (std::size_t i = 0; i < length; ++i) {
            seed = seed * 1103515245u + 12345u;
            maths[i] =
                round % 3 ? alphabet[(seed >> 16) % (sizeof alphabet - 1)] : static_cast<char>(1 + (seed >> 16) % 255);
        }
        SCOPED_TRACE(std::string(textOf(maths)));
        expandFormula(maths);
        substituteValues(maths, answer, "3");
        EXPECT_LT(textOf(maths).size(), maths.size());
        EXPECT_LT(textOf(answer).size(), answer.size());
    }
}

}  // namespace
