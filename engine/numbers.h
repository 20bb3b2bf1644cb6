// SPDX-License-Identifier: MIT
// Reading and writing numbers in engine texts, independent of the process locale.
//
// Numbers are read as the C library's atof and atoi read them and written as
// printf writes them in the "C" locale, so a desktop set to German never turns
// "1.5" into 1 or writes "2,5" on its own.
#pragma once

#include <string_view>

namespace molvane {

enum class NumberStyle {
    General,     // like "%.*g"
    Scientific,  // like "%.*e"
    Fixed,       // like "%.*f"
};

// Long enough for "%.15f" of the largest double.
struct NumberText {
    char text[400] = {};
    int length = 0;
    std::string_view view() const { return {text, static_cast<std::size_t>(length)}; }
};

// The value that atof reads from the start of `text`: leading blanks, an optional
// sign, digits with an optional point and exponent, or inf/nan; 0 when none.
// Values beyond the double range read as +-infinity, tiny ones as 0, as atof does.
double readNumber(std::string_view text);

// The integer that atoi reads from the start of `text`: leading blanks, an optional
// sign and digits; 0 when none. Saturates to the 32-bit range instead of overflowing.
int readInteger(std::string_view text);

// `value` written as printf writes it with the style's conversion and `precision`
// (a negative precision counts as 0). The exponent has at least two digits.
NumberText writeNumber(double value, NumberStyle style, int precision);

// The fewest digits that read back as `value`, as to_chars writes them without
// a precision: printf's "%f" or "%e" form, whichever is shorter.
NumberText writeShortestNumber(double value);

// `value` in decimal digits, with a '-' when negative.
NumberText writeInteger(long long value);

// The significant digits of a value between two engine steps: a double carries
// 15 exactly, so the text reads back without digits of noise.
constexpr int kEngineDigits = 15;

// `value` as every number between two engine steps is written: "%.*g" without
// the exponent's '+', which the next step would read as an addition.
NumberText writeEngineNumber(double value, int precision);

// A number text without the '-' of a negative zero ("-0" is "0"): a zero that
// is shown or kept has no sign.
std::string_view withoutSignOfZero(std::string_view number);

}  // namespace molvane
