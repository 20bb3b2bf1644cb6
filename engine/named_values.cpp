// SPDX-License-Identifier: MIT
// Named values: the codes of pi, ans and mem become numbers before evaluation.
#include "engine/named_values.h"

#include "engine/characters.h"
#include "engine/errors.h"
#include "engine/function_table.h"
#include "engine/normalize.h"
#include "engine/text.h"

namespace molvane {

namespace {

// More digits than a double holds, so that pi reads as the nearest double.
constexpr std::string_view kPiText = "3.1415926535897932";

using ExpressionText = FixedText<kExpressionLimit>;

// Appends the value that a value code stands for: pi, the previous answer or
// the memory; codes of the values' decade that name nothing stand for nothing.
// Returns 0, AnswerNotNumber or MemoryNotNumber.
int appendNamedValue(int code, std::string_view answer, std::string_view memory, ExpressionText& out) {
    FixedText<kMathsLimit> number;
    switch (code) {
        case kPiCode: out.append(kPiText); return 0;
        case kAnswerCode:
            if (!takeNumberText(answer, number)) return AnswerNotNumber;
            break;
        case kMemoryCode:
            if (!takeNumberText(memory, number)) return MemoryNotNumber;
            break;
        default: return 0;
    }
    out.append(number.view());
    return 0;
}

// A complete code of the values' decade (':60;' to ':69;') starts at i.
bool isValueCodeAt(std::string_view text, std::size_t i) {
    return i + 3 < text.size() && text[i] == ':' && isValueCodeTens(text[i + 1]) && isDigit(text[i + 2]) &&
           text[i + 3] == ';';
}

// A value keeps the forms that surround it: a subtraction after it stays "+-"
// (pi-1), and a number right after it multiplies (pi2 is twice pi).
void appendValueJunction(char after, ExpressionText& out) {
    if (after == '-') out.append('+');
    if (isDigit(after) || after == '.') out.append('*');
}

// Appends the value of the symbol of `symbolLength` letters at the start of
// `text`. Returns 0 or the lookup's error, with the symbol written into `answer`.
int appendSymbolValue(std::string_view text, std::size_t symbolLength, SymbolValues symbolValues,
                      std::span<char> answer, ExpressionText& out) {
    char symbol[kSymbolValueSize] = {};
    writeText(symbol, text.substr(0, symbolLength));
    int found = symbolValues == nullptr ? UnknownElement : symbolValues(std::span<char>(symbol));
    if (found != 0) {
        writeTextCut(answer, textOf(symbol));  // the symbol the user must correct
        return found;
    }
    out.append(textOf(symbol));
    return 0;
}

}  // namespace

int substituteNamedValues(std::span<char> maths, std::span<char> answer, std::string_view memory,
                          SymbolValues symbolValues) {
    std::string_view text = textOf(maths);
    if (text.size() > kExpressionLimit) return TooLong;

    ExpressionText out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char cur = text[i];
        if (isCapital(cur)) {
            std::size_t symbolLength = i + 1 < text.size() && isSmall(text[i + 1]) ? 2 : 1;
            int found = appendSymbolValue(text.substr(i), symbolLength, symbolValues, answer, out);
            if (found != 0) return found;
            i += symbolLength - 1;
        } else if (isSmall(cur) && cur != 'e') {
            return IncorrectSyntax;  // a letter that no symbol could take
        } else if (isValueCodeAt(text, i)) {
            int code = (text[i + 1] - '0') * 10 + (text[i + 2] - '0');
            int failure = appendNamedValue(code, textOf(answer), memory, out);
            if (failure != 0) return failure;
            i += 3;
            appendValueJunction(i + 1 < text.size() ? text[i + 1] : '\0', out);
        } else {
            out.append(cur);
        }
        if (out.overflowed) return TooLong;
    }
    if (!writeText(maths, out.view())) return TooLong;
    return 0;
}

}  // namespace molvane
