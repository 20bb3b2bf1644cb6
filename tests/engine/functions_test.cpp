// SPDX-License-Identifier: MIT
#include "engine/functions.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/numbers.h"
#include "engine/text.h"

using namespace molvane;

namespace {

// One draw of "ran" (code 53) or "rand" (code 52) from the engine's generator.
std::string draw(int function, const std::string& argument) {
    char operand[64] = {};
    writeText(operand, ":" + std::to_string(function) + ";" + argument);
    EXPECT_EQ(applyFunction(operand, Radians), 0);
    return operand;
}

TEST(ApplyFunction, RandomDrawsStayBelowTheBoundAndRepeatAfterTheSameSeed) {
    const struct {
        const char* argument;
        int limit;
    } bounds[] = {{"10", 10}, {"-10", 10}, {"3.9", 3}, {"1", 1}, {"1e300", 2147483647}};
    for (const auto& bound : bounds) {
        SCOPED_TRACE(std::string("ran ") + bound.argument);
        seedRandomNumbers(7);
        std::vector<std::string> first;
        for (int i = 0; i < 2000; ++i) {
            first.push_back(draw(53, bound.argument));
            double value = readNumber(first.back());
            ASSERT_TRUE(value >= 0 && value < bound.limit && value == static_cast<long long>(value)) << first.back();
        }
        // Small bounds: every value turns up.
        if (bound.limit <= 10) {
            EXPECT_EQ(std::set<std::string>(first.begin(), first.end()).size(), static_cast<std::size_t>(bound.limit));
        }
        seedRandomNumbers(7);
        for (const std::string& expected : first) ASSERT_EQ(draw(52, bound.argument), expected);
    }
}

}  // namespace
