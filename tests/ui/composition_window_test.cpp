// The Composition window: opened by its command, beside the main window,
// following every Enter while it shows.
#include "logic_fixture.h"

namespace {

TEST_F(LogicTest, CompositionWindowFollowsEachEnter) {
    enter("h2so4");
    EXPECT_EQ(platform.composition, "") << "a closed window is not written";
    command(ViewComposition);
    ASSERT_TRUE(platform.compositionShown);
    EXPECT_EQ(platform.compositionLeft, platform.frame.left - platform.frame.width);
    EXPECT_EQ(platform.compositionTop, platform.frame.top);

    struct Row {
        const char* task;
        const char* shown;
    } rows[] = {
        {"", "No formula in the last task"},
        {"h2so4",
         "H2SO4 = 98.07848\r\n\r\n"
         "  Element  Count     Mass  Percent\r\n"
         "  H            2  2.01588   2.0554\r\n"
         "  S            1   32.065  32.6932\r\n"
         "  O            4  63.9976  65.2514\r\n"},
        {"2+3", "No formula in the last task"},
        {"NaCl/2", "No composition: only '+' and coefficients may join the parts of a formula"},
        {"#comma", "No formula in the last task"},
        {"#2", "No formula in the last task"},
        {"Fe0,95O",
         "Fe0,95O = 69,05215\r\n\r\n"
         "  Element  Count      Mass  Percent\r\n"
         "  Fe        0,95  53,05275  76,8300\r\n"
         "  O            1   15,9994  23,1700\r\n"},
    };
    for (const Row& row : rows) {
        enter(row.task);
        EXPECT_EQ(platform.composition, row.shown) << row.task;
    }
    command(CompositionCopy);
    EXPECT_EQ(platform.clipboard, platform.composition);

    // The screen's left edge leaves no room: the window goes to the right.
    platform.compositionShown = false;
    platform.frame.left = 100;
    command(ViewComposition);
    EXPECT_EQ(platform.compositionLeft, 100 + platform.frame.width);
}

}  // namespace
