// SPDX-License-Identifier: MIT
#include "engine/evaluator.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/text.h"

using namespace molvane;

namespace {

std::string repeated(std::string_view piece, std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += piece;
    return text;
}

TEST(EvaluateExpression, RefusesTextsPastTheirLimits) {
    const std::string operand509 = std::string(508, '0') + "1";
    const std::string oneThirds = repeated("1/3+", 158) + "1/3";  // each 1/3 grows by 14 characters
    const struct {
        std::string input;
        int code;
        const char* result;  // a failure leaves the field as it was
    } rows[] = {
        {repeated("1+", 318) + "11", 0, "329"},
        {repeated("1+", 319) + "1", TooLong, "old"},
        {operand509 + "*2", 0, "2"},
        {"0" + operand509 + "*2", TooLong, "old"},
        {"2*0" + operand509, TooLong, "old"},
        {"0" + operand509, TooLong, "old"},
        {oneThirds, TooLong, "old"},
        {"(" + oneThirds + ")", TooLong, "old"},
        {repeated("1/3+", 30) + "1/3", 0, "10.3333333333332"},
    };
    for (const auto& row : rows) {
        char result[kResultLimit + 1] = "old";
        EXPECT_EQ(evaluateExpression(row.input, result, Radians), row.code) << row.input.substr(0, 60);
        EXPECT_STREQ(result, row.result) << row.input.substr(0, 60);
    }
}

}  // namespace
