// SPDX-License-Identifier: MIT
#include "engine/numbers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
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

// A double from the start of `text` as from_chars reads it in its general
// format, and a double as to_chars writes it to a precision: the C++ library's
// own where it has them for doubles; libc++ 14 (emscripten's) has them only
// for integers, and there the C library's, in the "C" locale that nothing in
// the program changes there, read and write the same digits.
#if defined(__cpp_lib_to_chars)
std::errc readDouble(std::string_view text, double& value) {
    return std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general).ec;
}

char* writeShortest(char* first, char* last, double value) {
    auto [end, error] = std::to_chars(first, last, value);
    return error == std::errc() ? end : first;
}

char* writeDouble(char* first, char* last, double value, NumberStyle style, int precision) {
    std::chars_format format = style == NumberStyle::General      ? std::chars_format::general
                               : style == NumberStyle::Scientific ? std::chars_format::scientific
                                                                  : std::chars_format::fixed;
    auto [end, error] = std::to_chars(first, last, value, format, precision);
    return error == std::errc() ? end : first;
}
#else
// strtod also takes blanks, a sign and hexadecimal digits, which from_chars
// does not: "0x1p3" is the 0 before the 'x'. Beyond the double range strtod
// gives what readNumber makes of from_chars's range error, infinity or 0.
std::errc readDouble(std::string_view text, double& value) {
    if (text.empty()) return std::errc::invalid_argument;
    char first = text[0];
    bool word = first == 'i' || first == 'I' || first == 'n' || first == 'N';
    if (!isDigit(first) && first != '.' && !word) return std::errc::invalid_argument;
    if (first == '0' && text.size() > 1 && (text[1] == 'x' || text[1] == 'X')) {
        value = 0.0;
        return {};
    }
    std::string terminated(text);
    char* end = nullptr;
    double read = std::strtod(terminated.c_str(), &end);
    if (end == terminated.c_str()) return std::errc::invalid_argument;
    value = read;
    return {};
}

char* writeDouble(char* first, char* last, double value, NumberStyle style, int precision) {
    const char* format = style == NumberStyle::General ? "%.*g" : style == NumberStyle::Scientific ? "%.*e" : "%.*f";
    // The room ends at `last`, where snprintf may put its terminator.
    int written = std::snprintf(first, static_cast<std::size_t>(last - first) + 1, format, precision, value);
    return written < 0 || written > last - first ? first : first + written;
}

// The fewest digits that read back as `value`, from "%.*e" at the least
// precision that does, in the shorter of to_chars's two forms, fixed on a tie.
char* writeShortest(char* first, char* last, double value) {
    if (!std::isfinite(value)) return writeDouble(first, last, value, NumberStyle::General, 0);
    char scientific[32];
    for (int precision = 0; precision < 17; ++precision) {
        std::snprintf(scientific, sizeof scientific, "%.*e", precision, value);
        if (std::strtod(scientific, nullptr) == value) break;
    }
    std::string_view written(scientific);
    std::string fixed = written.starts_with('-') ? "-" : "";
    std::string_view mantissa = written.substr(fixed.size(), written.find('e') - fixed.size());
    std::string digits(mantissa.substr(0, 1));
    if (mantissa.size() > 2) digits += mantissa.substr(2);
    int exponent = readInteger(written.substr(written.find('e') + 1));
    int lastDigit = static_cast<int>(digits.size()) - 1;
    if (exponent >= lastDigit) {
        fixed += digits + std::string(static_cast<std::size_t>(exponent - lastDigit), '0');
    } else if (exponent >= 0) {
        std::size_t point = static_cast<std::size_t>(exponent) + 1;
        fixed += digits.substr(0, point) + "." + digits.substr(point);
    } else {
        fixed += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    std::string_view chosen = fixed.size() <= written.size() ? std::string_view(fixed) : written;
    if (static_cast<std::ptrdiff_t>(chosen.size()) > last - first) return first;
    return std::copy(chosen.begin(), chosen.end(), first);
}
#endif

}  // namespace

double readNumber(std::string_view text) {
    bool negative = false;
    std::string_view rest = text.substr(skipBlanksAndSign(text, negative));
    // from_chars takes no sign of its own here, so "--3" and "+-3" read as 0 like atof.
    if (rest.empty() || rest[0] == '+' || rest[0] == '-') return 0.0;
    double value = 0.0;
    std::errc error = readDouble(rest, value);
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
    char* last = out.text + sizeof(out.text) - 1;
    if (std::isnan(value)) {
        // printf writes "nan" or "-nan"; to_chars agrees, but keep it explicit.
        std::string_view nan = std::signbit(value) ? "-nan" : "nan";
        nan.copy(out.text, nan.size());
        out.length = static_cast<int>(nan.size());
        return out;
    }
    char* end = writeDouble(out.text, last, value, style, precision);
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

NumberText writeShortestNumber(double value) {
    NumberText out;
    char* end = writeShortest(out.text, out.text + sizeof(out.text) - 1, value);
    *end = '\0';
    out.length = static_cast<int>(end - out.text);
    return out;
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
