// SPDX-License-Identifier: MIT
#include <vector>

#include "logic_fixture.h"

using namespace molvane;

namespace {

// The upper lines show the task before the last, the lower ones the last; a
// quadratic's roots take both result lines until the next task puts the
// records back together.
TEST_F(LogicTest, DisplayShowsTheLastTwoTasks) {
    run({
        {"2+3", EnterButton, Display, "||2+3|5"},
        {"=5", EnterButton, Display, "||2+3|5"},  // a comment changes nothing
        {"x^2-3x+2", EnterButton, Display, "x^2-3x+2 = 0|x1 = 1||x2 = 2"},
    });
    EXPECT_EQ(shown(-UpperTaskLine), "Quadratic Equation");
    EXPECT_EQ(platform.recentTasks.front(), "x^2-3x+2 = 0");
    run({
        {"1+1", EnterButton, Display, "x^2-3x+2 = 0|2|1+1|2"},
        {"#sci", EnterButton, Display, "1+1|2|#sci|2.00e+00"},
        {"", EnterButton, Display, "#sci|2.00e+00||"},
        {"1/0", EnterButton, Display, "||1/0|Cannot divide by zero!"},
    });
}

// A line too long is refused and kept for editing; a comment is not run: neither is logged.
TEST_F(LogicTest, EnterEdgeCases) {
    const std::string longest = "0" + std::string(508, '1'), tooLong(510, '1');
    run({
        {longest.c_str(), EnterButton, LowerTaskLine, longest},
        {"2+3", EnterButton, InputLine, ""},
        {tooLong.c_str(), EnterButton, InputLine, tooLong},
        {nullptr, EnterButton, LowerResultLine, "Expression is too long !"},
        {"=5", EnterButton, InputLine, ""},
        {"2+3", EnterButton, InputLine, ""},
    });
    EXPECT_EQ(platform.recentTasks, (std::vector<std::string>{"2+3", "2+3", longest}));
}

// A screen reader hears each answer once, a quadratic's two roots together and
// a refusal too; the switches say whether they are on, the keys what they do
// in inverse mode.
TEST_F(LogicTest, AnswersAreAnnouncedAndSwitchesNamed) {
    enter("2+3");
    enter("x^2-3x+2");
    enter(std::string(510, '1'));
    EXPECT_EQ(platform.announced, (std::vector<std::string>{"5", "x1 = 1, x2 = 2", "Expression is too long !"}));
    enter("#deg");
    EXPECT_EQ(platform.names[RadiansIndicator + 1], "Angle unit: degrees, on");
    EXPECT_EQ(platform.names[RadiansIndicator], "Angle unit: radians, off");
    command(KeyInverse);
    EXPECT_EQ(platform.names[KeyInverse], "Inverse functions, on");
    EXPECT_EQ(platform.names[KeyFirst + 6], "Inverse natural logarithm");
    EXPECT_EQ(platform.names[KeyClear], "Memory clear");
    command(KeyInverse);
    EXPECT_EQ(platform.names[KeyMemoryAdd], "Memory add");
}

}  // namespace
