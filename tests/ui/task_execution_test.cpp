#include <vector>

#include "logic_fixture.h"

using namespace molvane;

namespace {

// The lower lines show the last task, the upper ones the one before.
TEST_F(LogicTest, DisplayShowsTheLastTwoTasks) {
    const struct {
        const char* typed;
        std::string lowerTask, lowerResult, upperTask, upperResult;
    } rows[] = {
        {"2+3", "2+3", "5", "", ""},
        {"=5", "2+3", "5", "", ""},  // a comment changes nothing
        {"#sci", "#sci", "5.00e+00", "2+3", "5"},
        {"", "", "", "#sci", "5.00e+00"},
        {"1/0", "1/0", "Cannot divide by zero!", "", ""},
    };
    for (const auto& row : rows) {
        enter(row.typed);
        std::string expected[] = {row.lowerTask, row.lowerResult, row.upperTask, row.upperResult};
        int lines[] = {LowerTaskLine, LowerResultLine, UpperTaskLine, UpperResultLine};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(shown(lines[i]), expected[i]) << "'" << row.typed << "', line " << lines[i];
    }
}

// The roots take both result lines and the equation the upper task line; the
// next task puts the records back together.
TEST_F(LogicTest, QuadraticIsSplitOverTheTwoRecordsAndPutBackTogether) {
    enter("x^2-3x+2");
    EXPECT_EQ(shown(UpperTaskLine), "x^2-3x+2 = 0");
    EXPECT_EQ(shown(LowerTaskLine), "");
    EXPECT_EQ(shown(-UpperTaskLine), "Quadratic Equation");
    EXPECT_TRUE(platform.visible[FirstRootLabel] && platform.visible[SecondRootLabel]);
    EXPECT_EQ(platform.recentTasks.front(), "x^2-3x+2 = 0");

    std::string lowerRoot = shown(LowerResultLine);
    enter("1+1");
    EXPECT_EQ(shown(UpperTaskLine), "x^2-3x+2 = 0");
    EXPECT_EQ(shown(UpperResultLine), lowerRoot);
    EXPECT_FALSE(platform.visible[FirstRootLabel] || platform.visible[SecondRootLabel]);
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
    // The history's header names the program and the date.
    EXPECT_TRUE(platform.history.starts_with("\r\n\t== Molvane ==\r\n\t")) << platform.history;
    EXPECT_NE(platform.history.find(", 20"), std::string::npos);
}

}  // namespace
