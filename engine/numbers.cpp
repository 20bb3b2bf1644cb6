// SPDX-License-Identifier: MIT
#include "engine/numbers.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>

#include "engine/characters.h"

namespace molvane {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// For a decimal text that from_chars found out of range: does it overflow
// (true) or underflow (false)? The decimal exponent of the first significant
// digit plus the written exponent tells; out of range means far from 0 either way.
bool decimalOverflows(std::string_view text) {
    std::size_t i = 0;
    long long integerDigits = 0;  // significant digits before the point
    while (i < text.size() && text[i] == '0') ++i;
    while (i < text.size() && isDigit(text[i])) ++i, ++integerDigits;
    long long magnitude = integerDigits - 1;
    if (i < text.size() && text[i] == '.') {
        ++i;
        long long zeros = 0;
        while (i < text.size() && text[i] == '0') ++i, ++zeros;
        if (integerDigits == 0) magnitude = -(zeros + 1);
        while (i < text.size() && isDigit(text[i])) ++i;
    }
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool negative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) negative = text[j++] == '-';
        for (; j < text.size() && isDigit(text[j]); ++j) {
            if (exponent < 100000000) exponent = exponent * 10 + (text[j] - '0');
        }
        if (negative) exponent = -exponent;
    }
    return magnitude + exponent > 0;
}

// Where the digits begin after the leading blanks and the one optional sign
// that atof and atoi both take.
std::size_t skipBlanksAndSign(std::string_view text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    return i;
}

}  // namespace

double readNumber(std::string_view text) {
    bool negative = false;
    std::string_view rest = text.substr(skipBlanksAndSign(text, negative));
    // from_chars takes no sign of its own here, so "--3" and "+-3" read as 0 like atof.
    if (rest.empty() || rest[0] == '+' || rest[0] == '-') return 0.0;
    double value = 0.0;
    std::errc error = std::from_chars(rest.data(), rest.data() + rest.size(), value, std::chars_format::general).ec;
    if (error == std::errc::result_out_of_range) {
        value = decimalOverflows(rest) ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc()) {
        // No number after the sign ("-e"): atof reads nothing, which is +0, so
        // 0*-e is 0 and not -0, and acot(-e) is 90 degrees.
        return 0.0;
    }
    return negative ? -value : value;
}

int readInteger(std::string_view text) {
    bool negative = false;
    long long value = 0;
    for (std::size_t i = skipBlanksAndSign(text, negative); i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

NumberText writeNumber(double value, NumberStyle style, int precision) {
    NumberText out;
    if (precision < 0) precision = 0;
    std::chars_format format = style == NumberStyle::General      ? std::chars_format::general
                               : style == NumberStyle::Scientific ? std::chars_format::scientific
                                                                  : std::chars_format::fixed;
    char* last = out.text + sizeof(out.text) - 1;
    if (std::isnan(value)) {
        // printf writes "nan" or "-nan"; to_chars agrees, but keep it explicit.
        std::string_view nan = std::signbit(value) ? "-nan" : "nan";
        nan.copy(out.text, nan.size());
        out.length = static_cast<int>(nan.size());
        return out;
    }
    auto [end, error] = std::to_chars(out.text, last, value, format, precision);
    if (error != std::errc()) end = out.text;
    *end = '\0';
    out.length = static_cast<int>(end - out.text);
    return out;
}

NumberText writeEngineNumber(double value, int precision) {
    NumberText number = writeNumber(value, NumberStyle::General, precision);
    std::size_t plus = number.view().find('+');
    if (plus == std::string_view::npos) return number;
    // The terminator moves along with the exponent's digits.
    std::memmove(number.text + plus, number.text + plus + 1, static_cast<std::size_t>(number.length) - plus);
    --number.length;
    return number;
}

std::string_view withoutSignOfZero(std::string_view number) {
    if (number.starts_with('-') && readNumber(number) == 0) number.remove_prefix(1);
    return number;
}

NumberText writeInteger(long long value) {
    NumberText out;
    auto [end, error] = std::to_chars(out.text, out.text + sizeof(out.text) - 1, value);
    if (error != std::errc()) end = out.text;
    *end = '\0';
    out.length = static_cast<int>(end - out.text);
    return out;
}

}  // namespace molvane
