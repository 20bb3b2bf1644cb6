#include "engine/numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include "engine/characters.h"

using namespace molvane;

TEST(ReadNumber, ReadsAsAtofDoes) {
    const double inf = std::numeric_limits<double>::infinity();
    // Beyond the range of doubles, the digits and the exponent together say
    // whether a text is too large or too small.
    const std::string digits400 = "1" + std::string(400, '0');
    const std::string zeros400 = "0." + std::string(400, '0') + "1";
    const std::string zerosAndExponent = "00." + std::string(300, '0') + "5e-30";
    struct Row {
        const char* text;
        double expected;
    } rows[] = {
        {digits400.c_str(), inf},
        {zeros400.c_str(), 0},
        {zerosAndExponent.c_str(), 0},
        {"00012.5e400", inf},
        {"12.5e-400", 0},
        {"1000e-330", 0},
        {"0.001e312", inf},
        {"2.5", 2.5},
        {"-3", -3},
        {"+2", 2},
        {"  7x", 7},
        {".5", 0.5},
        {"1e-05", 1e-5},
        {"1e", 1},
        {"1e-", 1},
        {"2E3", 2000},
        {"1e+400", inf},
        {"--3", 0},
        {"+-3", 0},
        {"", 0},
        {"abc", 0},
        {"5!", 5},
        {"1e999", inf},
        {"-1e999", -inf},
        {"1e-999", 0},
        {"0.0001e-400", 0},
        {"12345e-2", 123.45},
        {"0.000e999", 0},
        {"1234.5", 1234.5},
        {"3.1415926535897932", 3.141592653589793},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(readNumber(row.text), row.expected) << "text: " << row.text;
    }
    EXPECT_TRUE(std::isnan(readNumber("nan")));
    EXPECT_EQ(readNumber("inf"), inf);
}

TEST(ReadInteger, ReadsAsAtoiDoesAndSaturates) {
    struct Row {
        const char* text;
        int expected;
    } rows[] = {
        {"4.7!", 4},
        {"-3", -3},
        {"+12", 12},
        {"", 0},
        {"x5", 0},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"00012", 12},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(readInteger(row.text), row.expected) << "text: " << row.text;
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
        {1e15, G, 15, "1e+15"},
        {123456789012345.0, G, 15, "123456789012345"},
        {-0.0, G, 15, "-0"},
        {1234567.891, NumberStyle::Fixed, 2, "1234567.89"},
        {0.5, NumberStyle::Fixed, 0, "0"},
        {2.5, NumberStyle::Fixed, -4, "2"},
        {inf, G, 15, "inf"},
        {-inf, G, 15, "-inf"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(std::string(writeNumber(row.value, row.style, row.precision).view()), row.expected)
            << "value " << row.value << " precision " << row.precision;
    }
    EXPECT_TRUE(isLetter(writeNumber(std::nan(""), NumberStyle::General, 15).view().back()));
}
