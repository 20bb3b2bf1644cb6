// SPDX-License-Identifier: MIT
#include "session/task_text.h"

#include <gtest/gtest.h>

#include <string>

#include "session/encoding.h"

using namespace molvane;

TEST(TaskText, Utf8OrWindows1252) {
    const struct {
        std::string bytes, cp1252;
    } rows[] = {
        {"2 \xC3\x97 3", "2 \xD7 3"},  // UTF-8
        {"2 \xD7 3", "2 \xD7 3"},      // Windows-1252: not broken UTF-8
        {"\xEF\xBB\xBF"
         "6\xC3\xB7"
         "3",
         "6\xF7"
         "3"},  // a byte-order mark goes
        {"\xEF\xBB\xBF"
         "6\xF7"
         "3",
         "6\xF7"
         "3"},                 // before Windows-1252 too
        {"x\xB2-1", "x^2-1"},  // read as characters: '²' raises
        {"CuSO4\xB7"
         "5H2O",
         "CuSO4+5H2O"},  // '·' joins a hydrate
        {"5\x96"
         "1\xA0+\x80",
         "5-1 +\x80"},                                  // an en dash, a no-break space, the euro
        {"\xC3\xA4\xD7", "\xC3\xA4\xD7"},               // one byte that is no UTF-8 makes all Windows-1252
        {std::string("1\0+2", 4), "1+2"},               // NUL is no text
        {std::string("1+2+3+4\0+5", 10), "1+2+3+4+5"},  // among eight bytes checked at once
        {"1234567\xD7"
         "8",
         "1234567\xD7"
         "8"},
        {std::string("\0", 1), ""},
        {"", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(decodeTaskText(row.bytes), row.cp1252) << "bytes " << row.bytes;
        std::string scratch;
        EXPECT_EQ(decodeTaskText(row.bytes, scratch), row.cp1252) << "bytes " << row.bytes;
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
