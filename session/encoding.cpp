// SPDX-License-Identifier: MIT
#include "session/encoding.h"

#include <cstdint>

namespace molvane {

namespace {

// Code points of the bytes 0x80 to 0x9F; the rest of Windows-1252 is Latin-1.
// clang-format off
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
// clang-format on

}  // namespace

char cp1252ByteOf(char32_t codePoint) {
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) return static_cast<char>(codePoint);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == codePoint) return static_cast<char>(0x80 + i);
    }
    return '?';
}

char32_t codePointOfCp1252(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return byte;
}

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Length of the UTF-8 sequence that starts at `i`, with its code point, or 0
// when the bytes there are not valid UTF-8 (overlong forms and surrogates included).
std::size_t decodeUtf8(std::string_view text, std::size_t i, char32_t& codePoint) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80           ? 1
                         : (lead >> 5) == 0x6  ? 2
                         : (lead >> 4) == 0xE  ? 3
                         : (lead >> 3) == 0x1E ? 4
                                               : 0;
    if (length == 0 || i + length > text.size()) return 0;
    char32_t value = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    for (std::size_t k = 1; k < length; ++k) {
        unsigned char next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80) return 0;
        value = (value << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    codePoint = value;
    return length;
}

}  // namespace

namespace {

constexpr char32_t kReplacement = 0xFFFD;  // a byte that is not UTF-8; it has no Windows-1252 byte
constexpr char32_t kPi = 0x03C0;

bool isDash(char32_t c) { return c == 0x2212 || (c >= 0x2010 && c <= 0x2015); }

bool isWideSpace(char32_t c) {
    return c == 0x00A0 || (c >= 0x2000 && c <= 0x200B) || c == 0x202F || c == 0x205F || c == 0x3000 || c == 0xFEFF;
}

bool isMiddleDot(char32_t c) { return c == 0x00B7 || c == 0x2219 || c == 0x22C5 || c == 0x2022; }

// The ASCII character a superscript digit or sign stands for, or 0.
char superscriptOf(char32_t c) {
    switch (c) {
        case 0x2070: return '0';
        case 0x00B9: return '1';
        case 0x00B2: return '2';
        case 0x00B3: return '3';
        case 0x207A: return '+';
        case 0x207B: return '-';
        default: return c >= 0x2074 && c <= 0x2079 ? static_cast<char>('4' + (c - 0x2074)) : '\0';
    }
}

// The ASCII character a subscript digit or sign stands for, or 0.
char subscriptOf(char32_t c) {
    if (c >= 0x2080 && c <= 0x2089) return static_cast<char>('0' + (c - 0x2080));
    if (c == 0x208A) return '+';
    if (c == 0x208B) return '-';
    return '\0';
}

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool isAsciiCapital(char c) { return c >= 'A' && c <= 'Z'; }

// A superscript after these raises to its power.
bool takesPower(char c) { return isAsciiLetter(c) || isAsciiDigit(c) || c == ')'; }

// What was written before the spaces that end it: a superscript and a middle
// dot look past spaces at what they follow, so '2 ²' is '2²'.
std::string_view withoutTrailingSpaces(std::string_view written) {
    while (!written.empty() && written.back() == ' ') written.remove_suffix(1);
    return written;
}

// The 'E' at i is an exponent, as the engine reads it: after a digit and before
// a digit or a sign ("2E5", "2E-5"), never an element's capital.
bool isExponent(std::string_view written, std::size_t i) {
    return written[i] == 'E' && i > 0 && isAsciiDigit(written[i - 1]) && i + 1 < written.size() &&
           (isAsciiDigit(written[i + 1]) || written[i + 1] == '-' || written[i + 1] == '+');
}

// The text written so far ends a formula term: see codePointsToCp1252.
bool endsFormulaTerm(std::string_view written) {
    written = withoutTrailingSpaces(written);
    if (written.empty() || !takesPower(written.back())) return false;
    for (std::size_t i = written.size(); i-- > 0;) {
        char c = written[i];
        if (isAsciiCapital(c) && !isExponent(written, i)) return true;
        if (!isAsciiLetter(c) && !isAsciiDigit(c) && c != '(' && c != ')') return false;
    }
    return false;
}

// What follows position `i` begins a formula term: a digit or a capital, spaces aside.
bool startsFormulaTerm(std::u32string_view text, std::size_t i) {
    while (i < text.size() && (text[i] == ' ' || isWideSpace(text[i]))) ++i;
    if (i >= text.size() || text[i] > 0x7F) return false;
    char c = static_cast<char>(text[i]);
    return isAsciiDigit(c) || isAsciiCapital(c);
}

}  // namespace

std::string codePointsToCp1252(std::u32string_view text, std::vector<std::size_t>* ends) {
    std::string out;
    out.reserve(text.size());
    if (ends != nullptr) ends->clear();
    bool inPower = false;  // the last character was a superscript that raised
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        char superscript = superscriptOf(c);
        char subscript = subscriptOf(c);
        if (superscript != '\0') {
            std::string_view before = withoutTrailingSpaces(out);
            if (!inPower && !before.empty() && takesPower(before.back())) {
                out += '^';
                inPower = true;
            }
            out += superscript;
        } else {
            inPower = false;
            if (subscript != '\0') {
                out += subscript;
            } else if (isDash(c)) {
                out += '-';
            } else if (isWideSpace(c)) {
                out += ' ';
            } else if (c == kPi) {
                out += "pi";
            } else if (isMiddleDot(c)) {
                out += endsFormulaTerm(out) && startsFormulaTerm(text, i + 1) ? '+' : '*';
            } else if (c != '\0') {
                out += cp1252ByteOf(c);
            }
        }
        if (ends != nullptr) ends->push_back(out.size());
    }
    return out;
}

std::string utf8ToCp1252(std::string_view utf8) {
    std::u32string codePoints;
    codePoints.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t codePoint = 0;
        std::size_t length = decodeUtf8(utf8, i, codePoint);
        codePoints += length == 0 ? kReplacement : codePoint;
        i += length == 0 ? 1 : length;
    }
    return codePointsToCp1252(codePoints);
}

std::string cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 4);
    for (char c : cp1252) appendUtf8(out, codePointOfCp1252(static_cast<unsigned char>(c)));
    return out;
}

bool isWellFormedUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t codePoint = 0;
        std::size_t length = decodeUtf8(bytes, i, codePoint);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::u32string utf8ToCodePoints(std::string_view utf8) {
    std::u32string codePoints;
    codePoints.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t codePoint = 0;
        std::size_t length = decodeUtf8(utf8, i, codePoint);
        codePoints += length == 0 ? kReplacement : codePoint;
        i += length == 0 ? 1 : length;
    }
    return codePoints;
}

}  // namespace molvane
