#include "engine/quadratic.h"

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "engine/engine.h"
#include "engine/text.h"

using namespace molvane;

namespace {

struct Outcome {
    int code;
    std::string result;
    std::string maths;
};

// Runs the solver on fields as large as the task record's, with "old" standing
// in the result field so that a failure can be seen to leave it alone.
Outcome solve(const std::string& equation, std::string_view answer = "", std::string_view memory = "",
              int angleUnit = Radians) {
    char maths[kMathsLimit + 1] = {};
    char result[kResultLimit + 1] = {};
    writeTextCut(maths, equation);
    writeTextCut(result, "old");
    int code = solveQuadratic(maths, result, angleUnit, answer, memory);
    return {code, std::string(textOf(result)), std::string(textOf(maths))};
}

struct Row {
    std::string equation;
    Outcome expected;
    const char* answer = "";
    const char* memory = "";
};

void checkRows(std::span<const Row> rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE("equation '" + row.equation + "'");
        Outcome got = solve(row.equation, row.answer, row.memory);
        EXPECT_EQ(got.code, row.expected.code);
        EXPECT_EQ(got.result, row.expected.result);
        EXPECT_EQ(got.maths, row.expected.maths);
    }
}

const std::string kSyntax = "Incorrect syntax";

// The worked equations, typed, live in the golden files; these rows check what
// the solver leaves in its fields and the forms only sign preparation hands over.
TEST(SolveQuadratic, EquationsAndTheirFailures) {
    const Row rows[] = {
        {"(1/0)x^2+1", {1028, "old", "Cannot divide by zero!"}},
        // The short forms of a and b.
        {"-x^2+9", {0, "3", "-3"}},
        {"x^2+-x", {0, "0", "1"}},
        // Only the square is solved.
        {"x^20", {1028, "old", kSyntax}},
        {"x^2.5+1", {1028, "old", kSyntax}},
        {"2x+x^2", {1028, "old", kSyntax}},
        {"x^", {1028, "old", kSyntax}},
        {"*x^2+1", {1028, "old", kSyntax}},
        // Roots are written without the exponent's '+'.
        {"x^2+-1e-40", {0, "1e-20", "-1e-20"}},
    };
    checkRows(rows);
}

TEST(SolveQuadratic, NamedValuesAndFunctionsInCoefficients) {
    const Row rows[] = {
        {"x^2+-1*:62;", {0, "2", "-2"}, "4"},
        {"x^2+-1*:63;", {0, "3", "-3"}, "", "9"},
        {"x^2+-1*:43;16", {0, "2", "-2"}},
        {"x^2+-1*:62;", {1028, "old", "Previous answer isn't number"}, "Cannot divide by zero!"},
        {"x^2+-:63;", {1028, "old", "No number in memory"}},
        // Any other letter is no number, and no element either.
        {"x^2+y", {1028, "old", kSyntax}},
        {"x^2+x+x", {1028, "old", kSyntax}},
        {"x^2+H", {1028, "old", kSyntax}},
        {"Ox^2+1", {1028, "old", kSyntax}},
    };
    checkRows(rows);

    // The angle unit reaches the coefficients' functions: sin30 is 0.5 in degrees.
    Outcome inDegrees = solve("x^2+-4*:22;30", "", "", Degrees);
    EXPECT_EQ(inDegrees.result, "1.4142135623731");
    EXPECT_EQ(inDegrees.maths, "-1.4142135623731");
}

TEST(SolveQuadratic, CoefficientsUpTo125Characters) {
    // Texts of 125 characters worth 1, 0 and -4; one more "0" makes 126.
    std::string one = "1";
    while (one.size() < 125) one += "+0";
    std::string zero = "0";
    while (zero.size() < 125) zero += "+0";
    std::string minusFour = "-4";
    while (minusFour.size() < 124) minusFour += "+0";
    minusFour += "0";
    const Outcome tooLong{1028, "old", "Expression is too long"};
    const Row rows[] = {
        {one + "x^2+-4", {0, "2", "-2"}},
        {one + "0x^2+-4", tooLong},
        {"x^2+" + one + "x", {0, "0", "-1"}},
        {"x^2+" + one + "0x", tooLong},
        {"x^2+" + minusFour, {0, "2", "-2"}},
        {"x^2+" + minusFour + "0", tooLong},
        // Each coefficient is judged on its own, not the whole text after x^2.
        {"x^2+" + zero + "x+" + minusFour, {0, "2", "-2"}},
    };
    checkRows(rows);
}

}  // namespace
