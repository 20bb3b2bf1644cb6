// SPDX-License-Identifier: MIT
#include "engine/numbers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

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
        // A whole number in the fixed form has all its own digits, past the
        // shortest ones: 2^65 is 36893488147419103232, not ...03000.
        char whole[320];
        std::snprintf(whole, sizeof whole, "%.0f", value);
        fixed = whole;
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

// Rounding a double to a number of significant digits, exactly, in integers:
// a double is m * 2^q with a 53-bit m, and scaling it by a power of ten 10^s
// with |s| <= 27 needs 5^|s| < 2^64 and a product or quotient of at most 128
// bits. This is several times as fast as the C++ library's rounding to a
// precision, which serves every other case.
__extension__ using Wide = unsigned __int128;  // GCC and Clang, on every 64-bit target we build for and on WebAssembly

constexpr int kMostScale = 27;
constexpr int kMostRoundedDigits = 17;

// 10^n and 5^n for every n the rounding meets.
constexpr auto kPowers = [] {
    struct {
        std::uint64_t ten[20], five[kMostScale + 1];
    } powers{};
    powers.ten[0] = powers.five[0] = 1;
    for (int n = 1; n < 20; ++n) powers.ten[n] = powers.ten[n - 1] * 10;
    for (int n = 1; n <= kMostScale; ++n) powers.five[n] = powers.five[n - 1] * 5;
    return powers;
}();

// `quotient` rounded by `remainder` of `divisor`, half to even as printf rounds.
std::uint64_t roundedQuotient(Wide quotient, Wide remainder, Wide divisor) {
    Wide twice = remainder * 2;
    if (twice > divisor || (twice == divisor && (quotient & 1) != 0)) ++quotient;
    return static_cast<std::uint64_t>(quotient);
}

// m * 2^q * 10^s rounded to an integer, for |s| <= kMostScale and a result
// below 2^64.
std::uint64_t roundScaled(std::uint64_t m, int q, int s) {
    Wide five = kPowers.five[s < 0 ? -s : s];
    int shift = q + s;  // 10^s = 5^s * 2^s
    if (s >= 0) {
        Wide scaled = m * five;
        if (shift >= 0) return static_cast<std::uint64_t>(scaled << shift);
        return roundedQuotient(scaled >> -shift, scaled & ((Wide{1} << -shift) - 1), Wide{1} << -shift);
    }
    Wide numerator = shift >= 0 ? Wide{m} << shift : Wide{m};
    Wide divisor = shift >= 0 ? five : five << -shift;
    return roundedQuotient(numerator / divisor, numerator % divisor, divisor);
}

// |value| rounded to `digits` significant digits: `rounded` holds them, from
// 10^(digits-1) up, and `exponent` is the power of ten of the first. False
// for zero, subnormal numbers, infinity, NaN and a scale beyond kMostScale.
bool roundToDigits(double value, int digits, std::uint64_t& rounded, int& exponent) {
    if (!std::isnormal(value) || digits < 1 || digits > kMostRoundedDigits) return false;
    // A normal double: 52 stored bits of m below its leading 1, and q biased by 1075.
    // Copied rather than bit_cast, which emscripten's libc++ 14 lacks; the
    // compilers make the same one move of it.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t m = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    int q = biased - 1075;
    // |value| >= 2^(biased-1023): log10 2 is 78913 / 2^18 to within 2^-22.
    exponent = ((biased - 1023) * 78913) >> 18;
    const std::uint64_t lowest = kPowers.ten[digits - 1], highest = kPowers.ten[digits];
    for (int attempt = 0; attempt < 2; ++attempt) {
        int s = digits - 1 - exponent;
        if (s > kMostScale || s < -kMostScale) return false;
        rounded = roundScaled(m, q, s);
        if (rounded == highest) {
            // Rounded up to the next power of ten.
            rounded = lowest;
            ++exponent;
            return true;
        }
        if (rounded >= lowest && rounded < highest) return true;
        exponent += rounded > highest ? 1 : -1;
    }
    return false;
}

// The decimal digits of `number`, `count` of them with leading zeros, two at a time.
void writeDigits(std::uint64_t number, int count, char* out) {
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    int i = count;
    for (; i >= 2; i -= 2, number /= 100) {
        const char* pair = kPairs + 2 * (number % 100);
        out[i - 2] = pair[0];
        out[i - 1] = pair[1];
    }
    if (i == 1) out[0] = static_cast<char>('0' + number % 10);
}

// 'e', a sign and at least two digits, as printf writes an exponent.
char* writeExponent(int exponent, char* p) {
    *p++ = 'e';
    *p++ = exponent < 0 ? '-' : '+';
    int magnitude = exponent < 0 ? -exponent : exponent;
    if (magnitude >= 100) *p++ = static_cast<char>('0' + magnitude / 100);
    *p++ = static_cast<char>('0' + magnitude / 10 % 10);
    *p++ = static_cast<char>('0' + magnitude % 10);
    return p;
}

// "%.*g" and "%.*e" by roundToDigits; false where it cannot round.
bool writeRoundedNumber(double value, NumberStyle style, int precision, NumberText& out) {
    if (style == NumberStyle::Fixed) return false;
    int significant = style == NumberStyle::Scientific ? precision + 1 : precision == 0 ? 1 : precision;
    std::uint64_t rounded = 0;
    int exponent = 0;
    if (!roundToDigits(value, significant, rounded, exponent)) return false;
    char digits[kMostRoundedDigits];
    writeDigits(rounded, significant, digits);
    int count = significant;
    // %g drops the zeros that end the fraction, and a point with nothing after it.
    if (style == NumberStyle::General) {
        while (count > 1 && digits[count - 1] == '0') --count;
    }
    char* p = out.text;
    if (value < 0) *p++ = '-';
    if (style == NumberStyle::Scientific || exponent < -4 || exponent >= significant) {
        *p++ = digits[0];
        if (count > 1) *p++ = '.';
        for (int i = 1; i < count; ++i) *p++ = digits[i];
        p = writeExponent(exponent, p);
    } else if (exponent >= 0) {
        for (int i = 0; i <= exponent; ++i) *p++ = i < count ? digits[i] : '0';
        if (count > exponent + 1) *p++ = '.';
        for (int i = exponent + 1; i < count; ++i) *p++ = digits[i];
    } else {
        *p++ = '0';
        *p++ = '.';
        for (int i = exponent + 1; i < 0; ++i) *p++ = '0';
        for (int i = 0; i < count; ++i) *p++ = digits[i];
    }
    *p = '\0';
    out.length = static_cast<int>(p - out.text);
    return true;
}

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
    if (writeRoundedNumber(value, style, precision, out)) return out;
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
