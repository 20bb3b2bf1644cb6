#include "engine/evaluator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/text.h"

using namespace molvane;

namespace {

struct Row {
    std::string input;
    std::string result;  // the value text on success
    int code = 0;
    int angleUnit = Radians;
};

void expectEvaluates(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        SCOPED_TRACE("expression '" + row.input + "'");
        char result[kResultLimit + 1] = "old";
        int code = evaluateExpression(row.input, result, row.angleUnit);
        EXPECT_EQ(code, row.code);
        EXPECT_EQ(std::string(result), row.code == 0 ? row.result : std::string("old"));
    }
}

std::string repeated(std::string_view piece, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += piece;
    return text;
}

TEST(EvaluateExpression, RefusesTextsPastTheirLimits) {
    std::string operand509 = repeated("0", 508) + "1";
    std::string oneThirds = repeated("1/3+", 158) + "1/3";  // each 1/3 grows by 14 characters
    expectEvaluates({
        {repeated("1+", 318) + "11", "329"},
        {repeated("1+", 319) + "1", "", TooLong},
        {operand509 + "*2", "2"},
        {"0" + operand509 + "*2", "", TooLong},
        {"2*0" + operand509, "", TooLong},
        {"0" + operand509, "", TooLong},
        {oneThirds, "", TooLong},
        {"(" + oneThirds + ")", "", TooLong},
        {repeated("1/3+", 30) + "1/3", "10.3333333333332"},
    });
}

}  // namespace
