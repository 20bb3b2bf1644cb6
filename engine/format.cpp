// SPDX-License-Identifier: MIT
// Result formatting: the raw result shown by the number settings.
#include "engine/format.h"

#include <cmath>
#include <string_view>

#include "engine/characters.h"
#include "engine/engine.h"
#include "engine/normalize.h"
#include "engine/numbers.h"
#include "engine/text.h"

namespace molvane {

namespace {

constexpr int kMinDecimals = 0;
constexpr int kMaxDecimals = 15;         // what a double can show and the menu offers
constexpr int kAutomaticDigits = 15;     // significant digits in Automatic mode
constexpr std::size_t kFixedLimit = 24;  // a longer fixed text is shown in exponent form
constexpr std::size_t kGroupSize = 3;
constexpr char kGroupSeparator = ' ';
constexpr char kDecimalComma = ',';

// The grouped answer is built here before it is cut into szAnswer.
using GroupingText = FixedText<kTaskLimit>;

// A result such as "1e-07" is shown exactly as the engine wrote it.
bool isShownAsWritten(std::string_view result) {
    return !isNumberText(result) || (result.size() > 1 && isLetter(result[1]));
}

// "#dec 99" and "#dec -3" are stored as typed; the display uses what it can show.
int shownDecimals(std::int32_t decimals) {
    if (decimals < kMinDecimals) return kMinDecimals;
    if (decimals > kMaxDecimals) return kMaxDecimals;
    return decimals;
}

NumberText writeByMode(double value, std::int32_t numberMode, int decimals) {
    if (numberMode == Scientific) return writeNumber(value, NumberStyle::Scientific, decimals);
    if (numberMode == Fixed) {
        NumberText fixed = writeNumber(value, NumberStyle::Fixed, decimals);
        if (fixed.view().size() <= kFixedLimit) return fixed;
        return writeNumber(value, NumberStyle::Scientific, decimals);
    }
    return writeNumber(value, NumberStyle::General, kAutomaticDigits);
}

// Whole-number digits, grouped from the last one leftward: "1234567" -> "1 234 567".
void groupWholeDigits(std::string_view digits, GroupingText& out) {
    for (std::size_t i = 0; i < digits.size(); ++i) {
        out.append(digits[i]);
        std::size_t remaining = digits.size() - i - 1;
        if (remaining > 0 && remaining % kGroupSize == 0) out.append(kGroupSeparator);
    }
}

// Fraction digits, grouped from the point rightward; a group that ends the
// digits gets no separator after it: "141592" -> "141 592".
void groupFractionDigits(std::string_view digits, GroupingText& out) {
    for (std::size_t i = 0; i < digits.size(); ++i) {
        out.append(digits[i]);
        std::size_t done = i + 1;
        if (done % kGroupSize == 0 && done < digits.size()) out.append(kGroupSeparator);
    }
}

// Spaces go between digit groups; no digit moves. In exponent form only the
// fraction of the mantissa is grouped, the exponent never.
void groupDigits(std::string_view number, GroupingText& out) {
    out.clear();
    if (!number.empty() && number.front() == '-') {
        out.append('-');
        number.remove_prefix(1);
    }
    std::size_t exponentAt = number.find('e');
    bool exponentForm = exponentAt != std::string_view::npos;
    std::string_view mantissa = number.substr(0, exponentAt);
    std::size_t pointAt = mantissa.find('.');
    std::string_view whole = mantissa.substr(0, pointAt);

    if (exponentForm) {
        out.append(whole);
    } else {
        groupWholeDigits(whole, out);
    }
    if (pointAt != std::string_view::npos) {
        out.append('.');
        groupFractionDigits(mantissa.substr(pointAt + 1), out);
    }
    if (exponentForm) out.append(number.substr(exponentAt));
}

}  // namespace

int formatAnswer(CalcState& state) {
    std::string_view result = textOf(state.szResult);
    if (result.empty()) {
        writeText(state.szAnswer, "");
        return 0;
    }
    double value = readNumber(result);
    // Messages, and a value that cannot be shown as digits, pass through untouched.
    if (isShownAsWritten(result) || !std::isfinite(value)) {
        writeTextCut(state.szAnswer, result);
        return 0;
    }

    // 0*-1 is a negative zero; a zero has no sign to show.
    if (value == 0) value = 0.0;
    NumberText number = writeByMode(value, state.numberMode, shownDecimals(state.decimals));
    GroupingText shown;
    if (state.digitGrouping != 0) {
        groupDigits(number.view(), shown);
    } else {
        shown.assign(number.view());
    }
    writeTextCut(state.szAnswer, shown.view());

    if (state.decimalComma != 0) {
        replaceDecimalPoint(state.szTask, kDecimalComma);
        replaceDecimalPoint(state.szMaths, kDecimalComma);
        replaceDecimalPoint(state.szAnswer, kDecimalComma);
    }
    return 0;
}

void replaceCharacter(std::span<char> text, char from, char to) {
    for (char& c : text) {
        if (c == '\0') break;
        if (c == from) c = to;
    }
}

void replaceDecimalPoint(std::span<char> text, char separator) { replaceCharacter(text, '.', separator); }

}  // namespace molvane
