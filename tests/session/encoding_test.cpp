// SPDX-License-Identifier: MIT
#include "session/encoding.h"

#include <gtest/gtest.h>

#include <utility>

using namespace molvane;

TEST(Encoding, Utf8BecomesWindows1252) {
    const std::pair<const char*, const char*> rows[] = {
        {"2 \xC3\x97 3", "2 \xD7 3"},          // multiplication sign
        {"\xE2\x82\xAC", "\x80"},              // euro sign
        {"\xE4\xB8\xAD", "?"},                 // no Windows-1252 byte
        {"\xF0\x9F\x98\x80", "?"},             // outside the basic plane
        {"\xFF+", "?+"},                       // not UTF-8 at all
        {"\xC3", "?"},                         // cut short
        {"\xC0\xAF", "??"},                    // overlong form
        {"\xED\xA0\x80", "???"},               // surrogate
        {"\xED\xBF\xBF\xEE\x80\x80", "????"},  // the last surrogate, then U+E000
        {"\xF4\x90\x80\x80", "????"},          // past U+10FFFF
        {"\xF4\x8F\xBF\xBF", "?"},             // U+10FFFF itself
        {"\xC2\x80\xC4\x80", "??"},            // U+0080 and U+0100: no byte of their own
        // Text from other programs read as meant (the typed tasks and answers are in
        // tests/golden/unicode.golden): the cases an answer cannot show or no golden line types.
        {"x\u00B2\u00B3", "x^23"},  // a run of superscripts is one power
        {"CuSO4 \u2219 5H2O", "CuSO4 + 5H2O"},
        {"(NH4)2SO4\u22C5H2O", "(NH4)2SO4+H2O"},
        {"2\u2022H2O", "2*H2O"},
        {"CuSO4\u00B7x", "CuSO4*x"},
        {"1\u00A0000\u2009000\u202F1\u2000\u205F2", "1 000 000 1  2"},  // no-break, thin and other wide spaces
        {"\u00B5g", "\xB5g"},                                           // letters of Windows-1252 stay
    };
    for (const auto& [utf8, cp1252] : rows) {
        EXPECT_EQ(utf8ToCp1252(utf8), cp1252) << "input " << utf8;
    }
    EXPECT_EQ(utf8ToCp1252(std::string("1\0+", 3)), "1+") << "NUL bytes are dropped";
    EXPECT_FALSE(isWellFormedUtf8("\xD7 2")) << "a Windows-1252 byte first";
}

TEST(Encoding, Windows1252BecomesUtf8) {
    const std::pair<const char*, const char*> rows[] = {
        {"x1 = \t2", "x1 = \t2"}, {"\xD7\xF7", "\xC3\x97\xC3\xB7"}, {"\x80", "\xE2\x82\xAC"}, {"\x81", "\xC2\x81"},
        {"\xB0", "\xC2\xB0"},
    };
    for (const auto& [cp1252, utf8] : rows) {
        EXPECT_EQ(cp1252ToUtf8(cp1252), utf8) << "input " << cp1252;
        EXPECT_EQ(utf8ToCp1252(utf8), cp1252) << "round trip of " << cp1252;
    }
}
