// SPDX-License-Identifier: MIT
// The toolkits' UTF-16 edge, shared by the Qt and Windows programs: a
// character outside the basic plane (two UTF-16 units) counts as one character
// and one byte, and the bytes above 0x7F come back as their characters.
#include "session/utf16_text.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace molvane;

namespace {

TEST(Utf16Text, ConvertsAtTheEdge) {
    EXPECT_EQ(engineTextOfUtf16(u"a\U0001F600b\xD800x\u00B2"), "a?b?x^2")
        << "a pair is one character, a lone half none";
    EXPECT_EQ(utf16OfEngineText("2 \x80 \xD7"), u"2 \u20AC \u00D7");
    EXPECT_EQ(engineBytesOfUtf16(u"2 \u20AC \u00D7"), "2 \x80 \xD7") << "the history as the program saves it";
    EXPECT_EQ(utf16OfUtf8("\xC3\x97\xF0\x9F\x98\x80\xFF"), u"\u00D7\U0001F600\uFFFD") << "a stray byte is U+FFFD";
}

// A place in the UTF-16 text and the same place in the engine's: "x²π" is "x^2pi".
TEST(Utf16Text, PositionsMatchAcrossTheEdge) {
    const std::tuple<std::u16string_view, int, int> places[] = {
        {u"a\U0001F600b", 3, 2}, {u"x\u00B2\u03C0", 2, 3}, {u"x\u00B2\u03C0", 3, 5}, {u"ab", 0, 0}};
    for (const auto& [text, utf16, engine] : places) {
        EXPECT_EQ(enginePositionOfUtf16(text, utf16), engine) << utf16;
        EXPECT_EQ(utf16PositionOfEngine(text, engine), utf16) << engine;
    }
    EXPECT_EQ(utf16PositionOfEngine(u"x\u00B2\u03C0", 4), 3) << "inside \"pi\" counts as after it";
}

}  // namespace
