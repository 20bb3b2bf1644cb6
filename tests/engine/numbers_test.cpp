// SPDX-License-Identifier: MIT
#include "engine/numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <utility>

#include "engine/characters.h"

using namespace molvane;

TEST(ReadNumber, ReadsAsAtofDoes) {
    const double inf = std::numeric_limits<double>::infinity();
    // Beyond the range of doubles, the digits and the exponent together say
    // whether a text is too large or too small.
    const std::pair<std::string, double> rows[] = {
        {"1" + std::string(400, '0'), inf},
        {"0." + std::string(400, '0') + "1", 0},
        {"00." + std::string(300, '0') + "5e-30", 0},
        {"00012.5e400", inf},
        {"12.5e-400", 0},
        {"1000e-330", 0},
        {"0.001e312", inf},
        {"-3", -3},
        {"+2", 2},
        {"  7x", 7},
        {"1e-", 1},
        {"2E3", 2000},
        {"-1e999", -inf},
        {"--3", 0},
        {"abc", 0},
        {"3.1415926535897932", 3.141592653589793},
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(readNumber(text), expected) << "text: " << text;
    }
    EXPECT_TRUE(std::isnan(readNumber("nan")));
    EXPECT_EQ(readNumber("inf"), inf);
}

TEST(ReadInteger, ReadsAsAtoiDoesAndSaturates) {
    const std::pair<const char*, int> rows[] = {
        {"4.7!", 4},   {"-3", -3}, {"+12", 12}, {"", 0}, {"x5", 0}, {"99999999999", INT_MAX}, {"-99999999999", INT_MIN},
        {"00012", 12},
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(readInteger(text), expected) << "text: " << text;
    }
}

TEST(WriteNumber, WritesAsPrintfInTheCLocale) {
    const NumberStyle G = NumberStyle::General;
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        double value;
        NumberStyle style;
        int precision;
        const char* expected;
    } rows[] = {
        {1e21, G, 15, "1e+21"},
        {0.5, NumberStyle::Fixed, 0, "0"},
        {inf, G, 15, "inf"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(std::string(writeNumber(row.value, row.style, row.precision).view()), row.expected)
            << "value " << row.value << " precision " << row.precision;
    }
    EXPECT_TRUE(isLetter(writeNumber(std::nan(""), NumberStyle::General, 15).view().back()));
}
