// The rewriters between the task line and the evaluator.
#include "engine/normalize.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "engine/errors.h"

using namespace molvane;

namespace {

struct NormalizeRow {
    std::string line;
    std::string normalized;  // ignored when kind is 1001
    int kind;
};

TEST(NormalizeText, RewritesAndClassifiesEachLine) {
    auto negations = [](int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += "-1*";
        return text;
    };
    const NormalizeRow rows[] = {
        {".5", "0.5", 0},
        {"2,5", "2.5", 0},
        {"-.5", "-0.5", 0},
        {"1 234", "1234", 0},
        {"5--3", "5-1*-3", 0},
        {"5---3", "5-1*-1*-3", 0},
        {"2++3", "2+3", 0},
        {"2**3", "2^3", 0},
        {"_9", "2_9", 0},
        {"3*_4", "3*2_4", 0},
        {"8_3", "8_3", 0},
        {"-_4", "-2_4", 0},
        {"2E5", "2e5", 0},
        {"2e+5", "2e5", 0},
        {"2E-5", "2e-5", 0},
        {"2E", "2E", 0},
        {"1.e-5", "1.e-5", 0},
        {"2 \xD7 3", "2*3", 0},
        {"6\xF7"
         "2",
         "6/2", 0},
        {"2+3=4", "2+3", 0},
        {"=5", "", 0},
        {" \t\r\n:;<>?@\\`|~\"'$%&\x01\xFF", "", 0},
        {"2+3", "2+3", 0},
        {"x^2+3x-4", "x^2+3x-4", 4},
        {"x**2-1", "x^2-1", 4},
        {"X^2", "X^2", 4},
        {"#x^2", "#x^2", 4},
        {"NaCl", "NaCl", 1},
        {"H2O", "H2O", 2},
        {"sin(30)", "sin(30)", 1},
        {"Hsin", "Hsin", 1},
        {"#rad", "#rad", 9},
        {"sin#", "sin#", 9},
        {"#dec 5 = five places", "#dec5", 9},
        {"x^2#", "x^2#", 9},
        {"x^2sin", "x^2sin", 4},
        {"[2]{3}!", "[2]{3}!", 0},
        {std::string(638, '1'), std::string(638, '1'), 0},
        {std::string(639, '1'), "", TooLong},
        {std::string(213, '-'), negations(212) + "-", 0},
        {std::string(214, '-'), "", TooLong},
        {std::string(320, ','), "", TooLong},
        {std::string(320, '_'), "", TooLong},
    };
    for (const NormalizeRow& row : rows) {
        SCOPED_TRACE("line \"" + row.line.substr(0, 40) + "\" of " + std::to_string(row.line.size()));
        FixedText<kMathsLimit> out;
        ASSERT_EQ(normalizeText(row.line, out), row.kind);
        if (row.kind != TooLong) {
            EXPECT_EQ(out.view(), row.normalized);
        }
    }
}

TEST(NormalizeTask, RefusesTasksLongerThanTheField) {
    struct Row {
        std::string line;
        bool fits;
    };
    const Row rows[] = {
        {std::string(509, '1'), true},        {std::string(510, '1'), true},
        {"." + std::string(508, '1'), true},   // "0." makes 510
        {"." + std::string(509, '1'), false},  // "0." makes 511
        {std::string(170, '-'), true},         // grows to 508
        {std::string(171, '-'), false},        // grows to 511
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("line of " + std::to_string(row.line.size()) + " starting " + row.line.substr(0, 3));
        CalcState state;
        ASSERT_TRUE(writeText(state.szTask, row.line));
        int kind = normalizeTask(state);
        EXPECT_EQ(kind, row.fits ? 0 : TooLong);
        if (!row.fits) {
            EXPECT_EQ(textOf(state.szTask), row.line);
        }
    }
}

TEST(TakeNumberText, AcceptsOnlyNumbers) {
    const std::pair<std::string, std::string> rows[] = {
        // text, number ("" when none)
        {"12", "12"},
        {"1 234,5", "1234.5"},
        {"-3", "-3"},
        {"1e-05", "1e-05"},
        {"1e+300", "1e300"},
        {"2,5e-3", "2.5e-3"},
        {"", ""},
        {"Incorrect syntax", ""},
        {"Cannot divide by zero!", ""},
        {"Argument must be from -1 to 1", ""},
        {"n! must be from 0 to 170", ""},
        {"inf", ""},
        {"<Complex number>", ""},
        {"5.", ""},
        {"He2", ""},
    };
    for (const auto& [text, expected] : rows) {
        SCOPED_TRACE("text \"" + text + "\"");
        FixedText<kMathsLimit> number;
        EXPECT_EQ(takeNumberText(text, number), !expected.empty());
        EXPECT_EQ(number.view(), expected);
    }
}

TEST(AddPreviousAnswer, CompletesTasksAtEitherEnd) {
    struct Row {
        std::string task, answer, completed;
        int code;
    };
    const std::string long508 = std::string(507, '1') + "+";
    const Row rows[] = {
        {"+3", "12", "12+3", 0},
        {"*2+", "12", "12*2+12", 0},
        {":22;", "12", ":22;12", 0},
        {":61;", "12", ":61;", 0},
        {"-3", "12", "-3", 0},
        {"2_", "12", "2_12", 0},
        {"^2", "12", "12^2", 0},
        {"/2", "12", "12/2", 0},
        {"3", "", "3", 0},
        {"+1", "1 234,5", "1234.5+1", 0},
        {"+3", "", "+3", AnswerNotNumber},
        {"+3", "Incorrect syntax", "+3", AnswerNotNumber},
        {"+3", "Argument must be from -1 to 1", "+3", AnswerNotNumber},
        {"5-", "-3", "5-1*-3", 0},
        {"-", "-3", "-1*-3", 0},
        {"2*", "-3", "2*-3", 0},
        {"+2", "-3", "-3+2", 0},
        {long508, "12", long508 + "12", 0},
        {"1" + long508, "12", "1" + long508, TooLong},
        {"+" + std::string(508, '1'), "12", "+" + std::string(508, '1'), TooLong},
        {"*" + long508, "1", "*" + long508, TooLong},
        {std::string(510, '1'), "", std::string(510, '1'), 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("task \"" + row.task.substr(0, 20) + "\" of " + std::to_string(row.task.size()) + ", answer \"" +
                     row.answer + "\"");
        char task[kTaskLimit + 1];
        ASSERT_TRUE(writeText(task, row.task));
        EXPECT_EQ(addPreviousAnswer(task, row.answer), row.code);
        EXPECT_EQ(textOf(task), row.completed);
    }
    char unterminated[kTaskLimit + 1];  // a task of 511 characters
    std::fill(std::begin(unterminated), std::end(unterminated), '1');
    EXPECT_EQ(addPreviousAnswer(unterminated, "12"), TooLong);
}

TEST(PrepareSigns, WritesTheEvaluatorsForms) {
    auto repeated = [](std::string text, const char* piece, int count) {  // "1-1-1": each '-' grows by three
        for (int i = 0; i < count; ++i) text += piece;
        return text;
    };
    struct Row {
        std::string maths, expected;
        int code = 0;
    };
    const Row rows[] = {
        {"3-5", "3+-1*5"},
        {"2*-5", "2*-5"},
        {"2^-3", "2^-3"},
        {"(-5)", "(-5)"},
        {"2/-5", "2/-5"},
        {"3-(2+1)", "3+-1*(2+1)"},
        {"1e-5", "1e-5"},
        {"2-:22;30", "2+-1*:22;30"},
        {":22;-3", ":22;-3"},
        {"-(2+3)", "-1*(2+3)"},
        {"-5", "-5"},
        {"-:22;1", "-1*:22;1"},
        {"5-1*-3", "5+-1*1*-3"},
        {"2:22;30", "2*:22;30"},
        {"[2+{3}]", "(2+(3))"},
        {"x^2+3x-4", "x^2+3x-1*4"},
        {"", ""},
        // A '-' after a factorial or a trailing point subtracts.
        {"5!-3", "5!+-1*3"},
        {"3*5!-2", "3*5!+-1*2"},
        {"5.-3", "5.+-1*3"},
        // Only an 'e' after a digit or a point starts an exponent.
        {"2.5e-3", "2.5e-3"},
        {"1.e-5", "1.e-5"},
        {"He-1", "He-1*1"},
        {"Fe-1", "Fe-1*1"},
        // Brackets of every shape close a term alike.
        {"[2]-3", "(2)+-1*3"},
        {"{-5}", "(-5)"},
        {"2-[1]", "2+-1*(1)"},
        // The grown text must fit the field; a refused one stays as it was.
        {repeated("1", "-1", 127), repeated("1", "+-1*1", 127)},
        {std::string(510, '1'), std::string(510, '1')},
        {repeated("1", "-1", 128), repeated("1", "-1", 128), TooLong},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("expression \"" + row.maths.substr(0, 40) + "\" of " + std::to_string(row.maths.size()));
        CalcState state;
        ASSERT_TRUE(writeText(state.szTask, row.maths) && writeText(state.szMaths, row.maths));
        EXPECT_EQ(prepareSigns(state), row.code);
        EXPECT_EQ(textOf(state.szMaths), row.expected);
    }
    CalcState unterminated;  // a task of 511 characters
    std::fill(std::begin(unterminated.szTask), std::end(unterminated.szTask), '1');
    EXPECT_EQ(prepareSigns(unterminated), TooLong);
}

}  // namespace
