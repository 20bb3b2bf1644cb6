#include "ui/number_format.h"

#include "logic_fixture.h"

using namespace molvane;

namespace {

// Each choice shows both answers at once; Cancel puts every setting back.
TEST_F(LogicTest, NumberFormatAppliesLiveAndCancelRestores) {
    enter("1/3");
    enter("2/3");
    NumberFormatChoices choices(logic);
    EXPECT_FALSE(choices.placesEnabled()) << "opened in Automatic";
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
    const struct {
        const char* text;
        int step, expected;
    } rows[] = {{"14", 1, 15}, {"15", 1, 15},  {"1", -1, 0},   {"0", -1, 0},  {"abc", 1, 1},
                {"99", 1, 99}, {"99", -1, 98}, {"-2", -1, -2}, {"-2", 1, -1}, {" 7x", 1, 8}};
    for (const auto& row : rows) {
        EXPECT_EQ(steppedDecimals(row.text, row.step), row.expected) << row.text << " by " << row.step;
    }
}

}  // namespace
