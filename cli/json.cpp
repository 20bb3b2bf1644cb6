// SPDX-License-Identifier: MIT
#include "cli/json.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "chemistry/composition.h"
#include "engine/numbers.h"
#include "engine/text.h"
#include "session/encoding.h"

namespace molvane {

namespace {

// A control character of a shown text: see appendTextField.
bool isShownControl(unsigned char byte) {
    char32_t c = codePointOfCp1252(byte);
    if (c == '\t' || c == '\n') return false;
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

// The bytes that go into a JSON string as they are: printable ASCII but the
// quote and the backslash.
bool isVerbatim(unsigned char byte) { return byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\'; }

// Writes a byte that JSON escapes, at `p`; returns the end.
char* putEscaped(char* p, unsigned char byte) {
    static constexpr char kHex[] = "0123456789abcdef";
    *p++ = '\\';
    switch (byte) {
        case '"': *p++ = '"'; break;
        case '\\': *p++ = '\\'; break;
        case '\n': *p++ = 'n'; break;
        case '\r': *p++ = 'r'; break;
        case '\t': *p++ = 't'; break;
        default:
            std::memcpy(p, "u00", 3);
            p[3] = kHex[byte >> 4];
            p[4] = kHex[byte & 0xF];
            p += 5;
    }
    return p;
}

// Writes a Windows-1252 byte beyond ASCII in UTF-8: two or three bytes.
char* putUtf8(char* p, unsigned char byte) {
    char32_t c = codePointOfCp1252(byte);
    if (c < 0x800) {
        *p++ = static_cast<char>(0xC0 | (c >> 6));
    } else {
        *p++ = static_cast<char>(0xE0 | (c >> 12));
        *p++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    *p++ = static_cast<char>(0x80 | (c & 0x3F));
    return p;
}

// True when none of the eight bytes of `word` needs more than copying: all
// are printable ASCII (see isPrintableWord in cli/session.cpp) and none is a
// quote or a backslash (one would leave a high bit in (x - 0x0101..) & ~x,
// where x is the word with that byte's value taken out of every byte).
bool isVerbatimWord(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101, kHighBits = 0x8080808080808080;
    std::uint64_t quote = word ^ (kOnes * '"'), backslash = word ^ (kOnes * '\\');
    std::uint64_t special = ((word - kOnes * ' ') & ~word) | ((word + kOnes) | word) | ((quote - kOnes) & ~quote) |
                            ((backslash - kOnes) & ~backslash);
    return (special & kHighBits) == 0;
}

// The most that putJsonText writes for `cp1252`: six bytes for a byte ("\u001b")
// and the quotes.
std::size_t jsonTextRoom(std::string_view cp1252) { return 6 * cp1252.size() + 2; }

// Copies a text of eight bytes or more that needs nothing but copying to
// `p`, eight bytes at a time, its last eight overlapping the word before;
// false, having written nothing that counts, when a byte needs more.
bool putVerbatim(char* p, std::string_view text) {
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < text.size(); i = std::min(i + 8, text.size() - 8)) {
        std::memcpy(&word, text.data() + i, sizeof word);
        if (!isVerbatimWord(word)) return false;
        std::memcpy(p + i, &word, sizeof word);
        if (i + 8 == text.size()) break;
    }
    return true;
}

// Writes `cp1252` in UTF-8 between quotes at `p`; returns the end.
char* putJsonText(char* p, std::string_view cp1252, bool controlsShown) {
    *p++ = '"';
    if (cp1252.size() >= 8 && putVerbatim(p, cp1252)) {
        p += cp1252.size();
    } else {
        for (char c : cp1252) {
            unsigned char byte = static_cast<unsigned char>(c);
            if (isVerbatim(byte)) {
                *p++ = c;
            } else if (controlsShown && isShownControl(byte)) {
                *p++ = '?';
            } else if (byte >= 0x80) {
                p = putUtf8(p, byte);
            } else {
                p = putEscaped(p, byte);
            }
        }
    }
    *p++ = '"';
    return p;
}

char* putText(char* p, std::string_view text) {
    std::memcpy(p, text.data(), text.size());
    return p + text.size();
}

// `name` (the comma, the name and the colon) and a number.
char* putNumberField(char* p, std::string_view name, long long value) {
    p = putText(p, name);
    return std::to_chars(p, p + 24, value).ptr;
}

// Room for `size` bytes at the end of `out`, where the caller writes; it gives
// back what it did not use with closeRoom.
char* openRoom(std::string& out, std::size_t size) {
    std::size_t used = out.size();
    out.resize(used + size);
    return out.data() + used;
}

void closeRoom(std::string& out, const char* end) { out.resize(static_cast<std::size_t>(end - out.data())); }

// The shortest text that reads back as the same double, whatever the locale.
void appendShortest(std::string& out, double value) { out += writeShortestNumber(value).view(); }

void appendElement(std::string& out, const ElementShare& element) {
    out += "{\"symbol\":";
    out += jsonString(element.symbol);
    out += ",\"count\":";
    appendShortest(out, element.count);
    out += ",\"mass\":";
    appendShortest(out, element.mass);
    out += ",\"percent\":";
    appendShortest(out, element.percent);
    out += '}';
}

}  // namespace

std::string jsonString(std::string_view utf8) {
    std::string out = "\"";
    for (char c : utf8) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (isVerbatim(byte) || byte >= 0x80) {
            out += c;
        } else {
            char escaped[6];
            out.append(escaped, putEscaped(escaped, byte));
        }
    }
    out += '"';
    return out;
}

void appendTextField(std::string& out, std::string_view name, std::string_view cp1252, bool controlsShown) {
    char* p = openRoom(out, name.size() + 4 + jsonTextRoom(cp1252));
    *p++ = ',';
    *p++ = '"';
    p = putText(p, name);
    *p++ = '"';
    *p++ = ':';
    closeRoom(out, putJsonText(p, cp1252, controlsShown));
}

void appendRecordJson(std::string& out, int kind, const CalcState& state) {
    const std::string_view texts[] = {textOf(state.szTask), textOf(state.szMaths), textOf(state.szResult),
                                      textOf(state.szAnswer), textOf(state.szMemory)};
    constexpr std::string_view kTextNames[] = {
        ",\"szTask\":", ",\"szMaths\":", ",\"szResult\":", ",\"szAnswer\":", ",\"szMemory\":"};
    // The names and seven numbers of at most 20 characters.
    std::size_t room = 300;
    for (std::string_view text : texts) room += jsonTextRoom(text);
    char* p = putNumberField(openRoom(out, room), "{\"kind\":", kind);
    for (std::size_t i = 0; i < std::size(texts); ++i) p = putJsonText(putText(p, kTextNames[i]), texts[i], false);
    p = putNumberField(p, ",\"angleUnit\":", state.angleUnit);
    p = putNumberField(p, ",\"numberMode\":", state.numberMode);
    p = putNumberField(p, ",\"decimals\":", state.decimals);
    p = putNumberField(p, ",\"digitGrouping\":", state.digitGrouping);
    p = putNumberField(p, ",\"functionSeparator\":", state.functionSeparator);
    closeRoom(out, putNumberField(p, ",\"decimalComma\":", state.decimalComma));
}

std::string refusedJson(std::string_view message) { return "{\"refused\":" + jsonString(message) + "}"; }

std::string skippedJson(std::string_view reason) { return "{\"skipped\":" + jsonString(reason) + "}"; }

void appendCompositionField(std::string& out, int kind, const CalcState& record) {
    Composition composition;
    out += ",\"composition\":";
    if (composeFormula(kind, record, composition) != Composed) {
        out += "null";
        return;
    }
    out += '[';
    for (std::size_t k = 0; k < composition.size; ++k) {
        if (k > 0) out += ',';
        appendElement(out, composition.elements[k]);
    }
    out += ']';
}

}  // namespace molvane
