#include "engine/functions.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/numbers.h"
#include "engine/text.h"

using namespace molvane;

namespace {

struct Row {
    const char* name;  // for the failure message
    int function;
    std::string argument;
    int angleUnit;
    std::string result;  // the value text on success, or kAnyValue
    int code = 0;
};

constexpr const char* kAnyValue = "any";
constexpr int R = Radians;
constexpr int D = Degrees;
constexpr int G = Grads;

std::string operandOf(int function, const std::string& argument) {
    std::string code = std::to_string(function);
    return ":" + std::string(code.size() < 2 ? "0" : "") + code + ";" + argument;
}

void expectApplies(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        std::string input = operandOf(row.function, row.argument);
        SCOPED_TRACE(std::string(row.name) + " '" + input + "' in unit " + std::to_string(row.angleUnit));
        char operand[kMathsLimit + 1] = {};
        writeText(operand, input);
        EXPECT_EQ(applyFunction(operand, row.angleUnit), row.code);
        if (row.code == 0 && row.result != kAnyValue) {
            EXPECT_EQ(std::string(operand), row.result);
        }
    }
}

// The typed names and edge cases live in the golden files; these rows need any
// value at all: what counts is a run free of undefined behaviour.
TEST(ApplyFunction, HugeArgumentsOfPeriodicFunctions) {
    expectApplies({
        {"sin", 22, "1e300", R, kAnyValue},
        {"cot", 27, "1e300", D, kAnyValue},
        {"tan", 38, "-1e300", G, kAnyValue},
    });
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
