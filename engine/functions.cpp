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

// Returns 0 or an error code; a code without a computation has the value 0.
int computeFunction(int code, double x, int angleUnit, double& value) {
    value = 0.0;
    const FunctionRow* row = functionRowOf(code);
    if (row == nullptr || row->compute == nullptr) return 0;
    return row->compute(x, halfTurn(angleUnit), value);
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
