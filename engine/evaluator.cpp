// SPDX-License-Identifier: MIT
#include "engine/evaluator.h"

#include <cmath>

#include "engine/characters.h"
#include "engine/elementary_functions.h"
#include "engine/engine.h"
#include "engine/errors.h"
#include "engine/functions.h"
#include "engine/numbers.h"
#include "engine/text.h"

namespace molvane {

namespace {

// The longest operand that an operator step or a function may take: the
// longest line the Enter key accepts (kInputLineLimit), so every typed operand
// fits and only values written back into a long expression can pass it.
constexpr std::size_t kOperandLimit = kInputLineLimit;

// The operators in the order they are resolved. '-' is no operator: it is the
// sign of the number that follows it.
constexpr std::string_view kOperators = "^_/*+";

using WorkingText = FixedText<kMathsLimit>;

bool isOperator(char c) { return kOperators.find(c) != std::string_view::npos; }

// The value of one operand text. A function code or a factorial is computed
// first, in a copy of the operand, so the working text is left as it is.
int readOperand(std::string_view operand, int angleUnit, double& value) {
    if (operand.size() > kOperandLimit) return TooLong;
    bool isFunction = !operand.empty() && operand.front() == ':';
    if (!isFunction && (operand.empty() || operand.back() != '!')) {
        value = readNumber(operand);
        return 0;
    }
    char rewritten[kOperandLimit + 1];
    writeText(rewritten, operand);
    int code = isFunction ? applyFunction(rewritten, angleUnit) : applyFactorial(rewritten);
    if (code != 0) return code;
    value = readNumber(textOf(rewritten));
    return 0;
}

// Two operators in a row, or one at either end of a group, leave an operator
// without a number on one side.
int readOperatorOperand(std::string_view operand, int angleUnit, double& value) {
    if (operand.empty() || operand == "-") return IncorrectSyntax;
    return readOperand(operand, angleUnit, value);
}

double applyOperator(char op, double left, double right) {
    switch (op) {
        case '^': return molvane::power(left, right);
        case '_': return molvane::power(right, 1.0 / left);
        case '/': return left / right;
        case '*': return left * right;
        default: return left + right;
    }
}

// Resolves the operator at `position`: its operands reach to the nearest operator
// on either side (position 0 never counts as a boundary, so a leading '+' stays
// with its number) and the pair is replaced by its value text. On success
// `position` is moved past that text, where the next search may start: no
// operator stands before it.
int resolveOperator(WorkingText& work, std::size_t& position, int angleUnit, double& value) {
    std::string_view text = work.view();
    std::size_t start = 0;
    for (std::size_t i = position; i > 1;) {
        if (isOperator(text[--i])) {
            start = i + 1;
            break;
        }
    }
    std::size_t end = position + 1;
    while (end < text.size() && !isOperator(text[end])) ++end;

    double left = 0.0;
    double right = 0.0;
    int code = readOperatorOperand(text.substr(start, position - start), angleUnit, left);
    if (code == 0) code = readOperatorOperand(text.substr(position + 1, end - position - 1), angleUnit, right);
    if (code != 0) return code;

    char op = text[position];
    if (op == '/' && right == 0.0) return DivideByZero;
    value = applyOperator(op, left, right);
    if (!std::isfinite(value)) return Indeterminate;

    if (start == 0 && end == text.size()) {
        // The last step: its text would be read no more, the caller keeps the value.
        work.clear();
        position = 0;
        return 0;
    }
    NumberText written = writeEngineNumber(value, kEngineDigits);
    work.erase(start, end - start);
    position = start + written.view().size();
    return work.insert(start, written.view()) ? 0 : TooLong;
}

// A value of a group or of the whole expression, without the noise in the last
// digit: when the 7th to 15th digits after the point of the 16-digit mantissa
// are within 1e-8 of all 0 or all 9, nine significant digits are enough.
// Why: a double carries about 16 digits, and a few operations leave their
// rounding error in the last ones (0.1+0.2 is 0.30000000000000004). Digits 7
// to 15 that are all 0 or all 9 but for that noise (1e-8 of the nine-digit run
// is its last digit) mark a short decimal carrying noise; nine significant
// digits drop the noise and keep every digit of such a number.
NumberText writeFinalValue(double value) {
    NumberText mantissa = writeNumber(value, NumberStyle::Scientific, 15);
    std::string_view text = mantissa.view();
    std::size_t point = text.find('.');
    int precision = kEngineDigits;
    if (point != std::string_view::npos && point + 15 < text.size()) {
        double digits = 0.0;
        for (std::size_t i = point + 7; i <= point + 15; ++i) digits = digits * 10.0 + (text[i] - '0');
        double fraction = digits / 1e9;
        if (fraction < 1e-8 || 1.0 - fraction < 1e-8) precision = 9;
    }
    return writeEngineNumber(value, precision);
}

// Evaluates a text without brackets into its final value text.
int evaluateFlatText(std::string_view text, int angleUnit, NumberText& result) {
    if (text.size() > kMathsLimit) return TooLong;
    double value = 0.0;
    if (text.find_first_of(kOperators) == std::string_view::npos) {
        // A lone operand; an empty one (the group "()") reads as 0.
        int code = readOperand(text, angleUnit, value);
        if (code != 0) return code;
        if (!std::isfinite(value)) return Indeterminate;
    } else {
        WorkingText work;
        work.assign(text);
        for (char op : kOperators) {
            for (std::size_t p = work.view().find(op); p != std::string_view::npos; p = work.view().find(op, p)) {
                int code = resolveOperator(work, p, angleUnit, value);
                if (code != 0) return code;
            }
        }
    }
    result = writeFinalValue(value);
    return 0;
}

// Checks what stands after the first ')' and finds its '('. Returns 0 and the
// position of the '(' or an error code.
int findInnermostGroup(std::string_view text, std::size_t close, std::size_t& open) {
    if (close + 1 < text.size()) {
        char next = text[close + 1];
        if (next == '(') return NoOperatorBetween;
        if (std::string_view("^_/*+-)").find(next) == std::string_view::npos) return NoOperatorAfter;
    }
    open = text.rfind('(', close);
    if (open == std::string_view::npos) return MissingLeftBracket;
    if (open > 0 && isDigit(text[open - 1])) return NoOperatorBefore;
    return 0;
}

}  // namespace

int evaluateExpression(std::string_view expression, std::span<char> result, int angleUnit) {
    if (expression.size() > kMathsLimit) return TooLong;
    WorkingText work;
    work.assign(expression);

    // Innermost groups first, and of several the leftmost first.
    // The value text holds no bracket, so the search for the next ')' goes on after it.
    NumberText value;
    std::size_t close = work.view().find(')');
    while (close != std::string_view::npos) {
        std::size_t open = 0;
        int code = findInnermostGroup(work.view(), close, open);
        if (code == 0) code = evaluateFlatText(work.view().substr(open + 1, close - open - 1), angleUnit, value);
        if (code != 0) return code;
        work.erase(open, close + 1 - open);
        if (!work.insert(open, value.view())) return TooLong;
        close = work.view().find(')', open + value.view().size());
    }
    if (work.view().find('(') != std::string_view::npos) return MissingRightBracket;

    int code = evaluateFlatText(work.view(), angleUnit, value);
    if (code != 0) return code;
    if (value.view().size() > kResultLimit) return TooLong;
    return writeText(result, value.view()) ? 0 : TooLong;
}

int evaluateFlat(std::span<char> text, int angleUnit) {
    NumberText value;
    int code = evaluateFlatText(textOf(text), angleUnit, value);
    if (code != 0) return code;
    return writeText(text, value.view()) ? 0 : TooLong;
}

int applyFactorial(std::span<char> operand) {
    int n = readInteger(textOf(operand));
    if (n > 170) return Indeterminate;
    if (n < 0) return FactorialRange;
    return writeText(operand, writeEngineNumber(factorial(n), kEngineDigits).view()) ? 0 : TooLong;
}

}  // namespace molvane
