// SPDX-License-Identifier: MIT
#include "session/task_text.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "session/encoding.h"

namespace molvane {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The bytes 1 to 127 are the same characters in UTF-8 and in Windows-1252, and
// every character the conversion rewrites lies beyond them; only NUL is dropped.
// Eight bytes at a time: a byte that is 0 or has its high bit set leaves a
// high bit in (word - 0x0101..) | word, and no byte from 1 to 127 does.
bool isPlainAscii(std::string_view bytes) {
    constexpr std::uint64_t kOnes = 0x0101010101010101, kHighBits = 0x8080808080808080;
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        if (((word - kOnes) | word) & kHighBits) return false;
    }
    for (; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) - 1u >= 0x7Fu) return false;
    }
    return true;
}

// Windows-1252 bytes read as the characters they stand for.
std::string windows1252ToCp1252(std::string_view bytes) {
    std::u32string codePoints;
    codePoints.reserve(bytes.size());
    for (char c : bytes) codePoints += codePointOfCp1252(static_cast<unsigned char>(c));
    return codePointsToCp1252(codePoints);
}

}  // namespace

std::string decodeTaskText(std::string_view bytes) {
    std::string scratch;
    std::string_view text = decodeTaskText(bytes, scratch);
    return text.data() == scratch.data() ? std::move(scratch) : std::string(text);
}

std::string_view decodeTaskText(std::string_view bytes, std::string& scratch) {
    if (isPlainAscii(bytes)) return bytes;
    if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
    scratch = isWellFormedUtf8(bytes) ? utf8ToCp1252(bytes) : windows1252ToCp1252(bytes);
    return scratch;
}

}  // namespace molvane
