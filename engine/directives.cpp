// SPDX-License-Identifier: MIT
#include "engine/directives.h"

#include "engine/characters.h"
#include "engine/errors.h"
#include "engine/evaluator.h"
#include "engine/normalize.h"
#include "engine/numbers.h"
#include "engine/text.h"

namespace molvane {

namespace {

// Only the first 62 characters of a directive are looked at: the keyword
// (positions 1 to 3) and its number (from position 4) fit with room to spare,
// and whatever a configuration file writes after that is never read.
constexpr std::size_t kDirectiveWindow = 62;

char lowerAt(std::string_view text, std::size_t i) { return i < text.size() ? toSmall(text[i]) : '\0'; }

// The memory is only ever computed from a number: the last result must be one,
// and a failed evaluation leaves the memory as it was.
int applyMemory(CalcState& state, char operation) {
    FixedText<kMathsLimit> result;
    if (!takeNumberText(textOf(state.szResult), result)) return AnswerNotNumber;

    FixedText<kMathsLimit> memory;
    bool memoryEmpty = textOf(state.szMemory).empty();
    if (!memoryEmpty && !takeNumberText(textOf(state.szMemory), memory)) return MemoryNotNumber;

    // "#mem" without a '+' or '-' after it stores the result; so does adding to an empty memory.
    bool stores = (operation != '+' && operation != '-') || (operation == '+' && memoryEmpty);
    if (stores) return writeText(state.szMemory, withoutSignOfZero(result.view())) ? 0 : TooLong;

    // An empty memory counts as 0 when subtracting. A subtraction of a negative
    // result is the addition of its magnitude: "5+--3" would read the operand
    // "--3" as 0.
    FixedText<kMathsLimit> sum;
    sum.append(memoryEmpty ? std::string_view("0") : memory.view());
    std::string_view value = result.view();
    if (operation == '+') {
        sum.append('+');
        sum.append(value);
    } else if (!value.empty() && value.front() == '-') {
        sum.append('+');
        sum.append(value.substr(1));
    } else {
        sum.append("+-");
        sum.append(value);
    }
    if (sum.overflowed) return TooLong;

    char scratch[kMathsLimit + 1];
    writeText(scratch, sum.view());
    int code = evaluateFlat(scratch, state.angleUnit);
    if (code != 0) return code;
    return writeText(state.szMemory, withoutSignOfZero(textOf(scratch))) ? 0 : TooLong;
}

}  // namespace

int applyDirective(CalcState& state) {
    std::string_view text = textOf(state.szTask).substr(0, kDirectiveWindow);
    char keyword = lowerAt(text, 1);
    char second = lowerAt(text, 2);
    char third = lowerAt(text, 3);
    std::string_view argument = text.size() > 4 ? text.substr(4) : std::string_view();
    bool argumentIsDigit = isDigit(lowerAt(text, 4));

    if (isDigit(keyword)) return readInteger(text.substr(1));

    switch (keyword) {
        case 'a': state.numberMode = Automatic; break;
        case 'c': state.decimalComma = 1; break;
        case 'd':
            if (second == 'i' && third == 'g')
                state.digitGrouping = readInteger(argument);
            else if (second == 'e' && third == 'c')
                state.decimals = readInteger(argument);
            else if (second == 'e' && third == 'g')
                state.angleUnit = Degrees;
            else if (second == 'o')
                state.decimalComma = 0;
            break;
        case 'f':
            if (second == 'i') {
                state.numberMode = Fixed;
                if (argumentIsDigit) state.decimals = readInteger(argument);
            } else if (second == 'u') {
                state.functionSeparator = readInteger(argument);
            }
            break;
        case 'g': state.angleUnit = Grads; break;
        case 'm': {
            int code = applyMemory(state, lowerAt(text, 4));
            if (code != 0) return code;
            break;
        }
        case 'r': state.angleUnit = Radians; break;
        case 's':
            state.numberMode = Scientific;
            if (argumentIsDigit) state.decimals = readInteger(argument);
            break;
        default: return UnknownDirective;
    }
    formatAnswer(state);
    return Directive;
}

}  // namespace molvane
