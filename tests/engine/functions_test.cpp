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

// The coded form of a function applied to its argument; both random functions have two-digit codes.
std::string operandOf(int function, const std::string& argument) {
    return ":" + std::to_string(function) + ";" + argument;
}

TEST(ApplyFunction, RandomDrawsStayBelowTheBoundAndRepeatAfterTheSameSeed) {
    const struct {
        const char* argument;
        int limit;
    } bounds[] = {{"10", 10}, {"-10", 10}, {"3.9", 3}, {"1", 1}, {"1e300", 2147483647}};
    for (const auto& bound : bounds) {
        SCOPED_TRACE(std::string("ran ") + bound.argument);
        seedRandomNumbers(7);
        std::set<std::string> seen;
        std::vector<std::string> first;
        for (int draw = 0; draw < 2000; ++draw) {
            char operand[64] = {};
            writeText(operand, operandOf(53, bound.argument));
            ASSERT_EQ(applyFunction(operand, Radians), 0);
            double value = readNumber(operand);
            ASSERT_TRUE(value >= 0 && value < bound.limit && value == static_cast<long long>(value)) << operand;
            seen.insert(operand);
            first.push_back(operand);
        }
        if (bound.limit <= 10) {
            EXPECT_EQ(seen.size(), static_cast<std::size_t>(bound.limit));
        }
        seedRandomNumbers(7);
        for (const std::string& expected : first) {
            char operand[64] = {};
            writeText(operand, operandOf(52, bound.argument));
            applyFunction(operand, Radians);
            ASSERT_EQ(std::string(operand), expected);
        }
    }
}

}  // namespace
