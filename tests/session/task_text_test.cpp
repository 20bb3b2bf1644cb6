// SPDX-License-Identifier: MIT
#include "session/task_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "session/encoding.h"

using namespace molvane;

// How characters then read (a raising '²', a hydrate's '·') is the encoding's
// test and the golden files'; here, which encoding a text is read in.
TEST(TaskText, Utf8OrWindows1252) {
    const std::string bom = "\xEF\xBB\xBF", times = "\xD7", utf8Times = "\xC3\x97";
    const std::pair<std::string, std::string> rows[] = {
        {"2 " + utf8Times + " 3", "2 " + times + " 3"},  // UTF-8
        {"2 " + times + " 3", "2 " + times + " 3"},      // Windows-1252: not broken UTF-8
        {bom + "6" + utf8Times, "6" + times},            // a byte-order mark goes
        {bom + "6" + times, "6" + times},                // before Windows-1252 too
        {"\xC3\xA4" + times, "\xC3\xA4" + times},        // one byte that is no UTF-8 makes all Windows-1252
        {std::string("1+2+3+4\0+5", 10), "1+2+3+4+5"},   // NUL is no text, among eight bytes checked at once
        {"1234567" + times + "8", "1234567" + times + "8"},
        {"", ""},
    };
    for (const auto& [bytes, cp1252] : rows) {
        EXPECT_EQ(decodeTaskText(bytes), cp1252) << "bytes " << bytes;
        std::string scratch;
        EXPECT_EQ(decodeTaskText(bytes, scratch), cp1252) << "bytes " << bytes;
    }
}

// ASCII is taken as it is, without the conversion: every byte from 1 to 127,
// alone and inside a line long enough to be checked eight bytes at a time,
// must come out of the whole conversion unchanged.
TEST(TaskText, AsciiNeedsNoConversion) {
    for (int byte = 1; byte < 128; ++byte) {
        for (std::string line :
             {std::string(1, static_cast<char>(byte)), "12345678" + std::string(9, static_cast<char>(byte)) + "+1"}) {
            std::string scratch;
            std::string_view decoded = decodeTaskText(line, scratch);
            EXPECT_EQ(decoded.data(), line.data()) << "byte " << byte << " was converted";
            EXPECT_EQ(utf8ToCp1252(line), line) << "the conversion changes byte " << byte;
        }
    }
}
