// SPDX-License-Identifier: MIT
#include "engine/numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <utility>

#include "engine/characters.h"

using namespace molvane;

TEST(ReadNumber, ReadsAsAtofDoes) {
    const double inf = std::numeric_limits<double>::infinity();
    // Beyond the range of doubles, the digits and the exponent together say
    // whether a text is too large or too small.
    const std::string zeros(400, '0');
    // clang-format off
    const std::pair<std::string, double> rows[] = {
        {"1" + zeros, inf}, {"0." + zeros + "1", 0}, {"00." + zeros + "5e-30", 0}, {"00012.5e400", inf},
        {"12.5e-400", 0}, {"1000e-330", 0}, {"0.001e312", inf}, {"-3", -3}, {"+2", 2}, {"  7x", 7}, {"1e-", 1},
        {"2E3", 2000}, {"-1e999", -inf}, {"--3", 0}, {"abc", 0}, {"3.1415926535897932", 3.141592653589793}};
    // clang-format on
    for (const auto& [text, expected] : rows) EXPECT_EQ(readNumber(text), expected) << "text: " << text;
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

// The C library's printf is the reference for "%.*g" and "%.*e": values with
// every number of significant digits from 1 to 17, far and near the switch to
// the exponent form and the ends of the fast rounding's range, halves that
// round to even, random bit patterns, and the extremes of the range.
TEST(WriteNumber, GeneralAndScientificAgreeWithPrintf) {
    std::mt19937_64 random(25);
    std::vector<double> values = {2.0 / 3.0};
    std::istringstream listed(
        "0 -0 1e-5 9.99999999999999e-5 0.0001 999999999999999 1e15 9999999999999998 5e-324 2.2250738585072014e-308 "
        "1.7976931348623157e308 0.1 0.3 0.30000000000000004 123456789012345.6 0.5 1.5 2.5 1e-13 1e-12 9.5e41 1e42 "
        "1e43 1234567890123455 1234567890123465");
    for (std::string text; listed >> text;) values.push_back(std::strtod(text.c_str(), nullptr));
    for (int i = 0; i < 5000; ++i) {
        std::uint64_t bits = random();
        double value = 0.0;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value)) values.push_back(value);
        int digits = 1 + static_cast<int>(random() % 17);
        long long mantissa =
            static_cast<long long>(random() % 100000000000000000ULL) % static_cast<long long>(std::pow(10.0, digits));
        int exponent = static_cast<int>(random() % 81) - 40;
        values.push_back(std::strtod((std::to_string(mantissa) + "e" + std::to_string(exponent)).c_str(), nullptr));
    }
    int mismatches = 0;
    for (double value : values) {
        for (int precision = 0; precision <= 17; ++precision) {
            for (auto [style, conversion] :
                 {std::pair{NumberStyle::General, "%.*g"}, {NumberStyle::Scientific, "%.*e"}}) {
                char expected[400];
                std::snprintf(expected, sizeof expected, conversion, precision, value);
                std::string written(writeNumber(value, style, precision).view());
                if (written != expected && ++mismatches <= 5) {
                    ADD_FAILURE() << conversion << " with " << precision << ": " << expected << " written as "
                                  << written;
                }
            }
        }
    }
    EXPECT_EQ(mismatches, 0);
}
