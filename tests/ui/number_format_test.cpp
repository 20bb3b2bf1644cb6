// SPDX-License-Identifier: MIT
#include "ui/number_format.h"

#include <tuple>

#include "logic_fixture.h"

using namespace molvane;

namespace {

// Each choice shows both answers at once; Cancel puts every setting back.
TEST_F(LogicTest, NumberFormatAppliesLiveAndCancelRestores) {
    enter("1/3");
    enter("2/3");
    NumberFormatChoices choices(logic);
    choices.chooseNumberMode(Fixed);
    EXPECT_TRUE(choices.placesEnabled());
    choices.typeDecimals("7");
    EXPECT_EQ(shown(UpperResultLine), "0.3333333");
    choices.typeDecimals("places");
    EXPECT_EQ(shown(LowerResultLine), "1");
    choices.setDigitGrouping(true);
    EXPECT_TRUE(choices.digitGrouping());
    choices.chooseAngleUnit(Grads);
    EXPECT_EQ(shown(GradsIndicator), "on");

    choices.cancel();
    EXPECT_EQ(logic.currentState().digitGrouping, 0);
    EXPECT_EQ(logic.previousState().decimals, 2);
    EXPECT_EQ(shown(LowerResultLine), "0.666666666666667");
    EXPECT_EQ(shown(AutomaticIndicator) + shown(RadiansIndicator), "onon");
}

TEST(NumberFormatArrowsTest, StopAtZeroAndFifteen) {
    // The text in the box, the arrow (1 up, -1 down) and the places it gives.
    const std::tuple<const char*, int, int> rows[] = {{"14", 1, 15}, {"15", 1, 15}, {"1", -1, 0},   {"0", -1, 0},
                                                      {"abc", 1, 1}, {"99", 1, 99}, {"99", -1, 98}, {"-2", -1, -2},
                                                      {"-2", 1, -1}, {" 7x", 1, 8}};
    for (const auto& [text, step, expected] : rows) {
        EXPECT_EQ(steppedDecimals(text, step), expected) << text << " by " << step;
    }
}

}  // namespace
