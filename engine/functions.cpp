// SPDX-License-Identifier: MIT
#include "engine/functions.h"

#include <cmath>
#include <string_view>

#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/function_names.h"
#include "engine/function_table.h"
#include "engine/numbers.h"
#include "engine/text.h"

namespace molvane {

namespace {

// Returns 0 or the error code of a refused argument; a code without a
// function has the value 0.
int computeFunction(int code, double x, int angleUnit, double& value) {
    value = 0.0;
    const FunctionRow* row = functionRowOf(code);
    if (row == nullptr || row->value == nullptr) return 0;
    double h = halfTurn(angleUnit);
    int refused = row->refusal == nullptr ? 0 : row->refusal(x, h);
    if (refused != 0) return refused;
    value = row->value(x, h);
    return 0;
}

}  // namespace

int applyFunction(std::span<char> operand, int angleUnit) {
    std::string_view text = textOf(operand);
    if (text.size() <= kFunctionCodeLength) return MissingArgument;
    if (text[kFunctionCodeLength] == ':') {
        // Nested codes are evaluated innermost first, each value through its text.
        int code = applyFunction(operand.subspan(kFunctionCodeLength), angleUnit);
        if (code != 0) return code;
        text = textOf(operand);
    }
    int code = readInteger(text.substr(1));
    double x = readNumber(text.substr(kFunctionCodeLength));
    double value = 0.0;
    int failure = computeFunction(code, x, angleUnit, value);
    if (failure != 0) return failure;
    if (!std::isfinite(value)) return Indeterminate;
    return writeText(operand, writeEngineNumber(value, kEngineDigits).view()) ? 0 : TooLong;
}

}  // namespace molvane
