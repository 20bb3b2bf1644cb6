// SPDX-License-Identifier: MIT
// The Composition window: opened by its command, beside the main window,
// following every Enter while it shows.
#include "logic_fixture.h"

namespace {

TEST_F(LogicTest, CompositionWindowFollowsEachEnter) {
    const std::string table =
        "H2SO4 = 98.07848\r\n\r\n"
        "  Element  Count     Mass  Percent\r\n"
        "  H            2  2.01588   2.0554\r\n"
        "  S            1   32.065  32.6932\r\n"
        "  O            4  63.9976  65.2514\r\n";
    enter("h2so4");
    EXPECT_EQ(platform.composition, "") << "a closed window is not written";
    run({
        {nullptr, ViewComposition, ViewComposition, table},
        {"2+3", EnterButton, ViewComposition, "No formula in the last task"},
        {"h2so4", EnterButton, ViewComposition, table},
        {nullptr, CompositionCopy, Clipboard, table},
        {"#2", EnterButton, ViewComposition, "No formula in the last task"},
    });
    EXPECT_EQ(platform.compositionLeft, 379 - 267);
    command(HideComposition);
    EXPECT_FALSE(platform.compositionShown);
}

// Left of the main window, or right of it where the screen's left edge leaves no room.
TEST(CompositionWindowTest, OpensBesideTheMainWindow) {
    const int rows[][2] = {{379, 112}, {267, 0}, {266, 533}};
    for (const auto& row : rows) {
        EXPECT_EQ(compositionWindowLeft({row[0], 177, 267, 414}), row[1]) << "main window at " << row[0];
    }
}

}  // namespace
