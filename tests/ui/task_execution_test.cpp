#include <set>
#include <vector>

#include "logic_fixture.h"

using namespace molvane;

namespace {

TEST_F(LogicTest, DisplayShowsTheLastTwoTasksByKind) {
    const struct {
        std::vector<std::string> tasks;
        std::string lowerTask, lowerResult, upperTask, upperResult;
    } rows[] = {
        {{"2+3"}, "2+3", "5", "", ""},
        {{"2h2o"}, "2H2O", "36.03056", "", ""},
        {{"2+3", "1/0"}, "1/0", "Cannot divide by zero!", "2+3", "5"},
        {{"2+3", "#sci"}, "#sci", "5.00e+00", "2+3", "5"},
        {{"2+3", "#fix 3"}, "#fix3", "5.000", "2+3", "5"},
        {{"2+3", ""}, "", "", "2+3", "5"},
        {{"2+3", "#20"}, "#20", "5", "2+3", "5"},
        {{"2+3", "#501"}, "#501", "5", "2+3", "5"},
        {{"2+3", "=5"}, "2+3", "5", "", ""},
        {{"2+3", "*2"}, "5*2", "10", "2+3", "5"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("tasks ending in '" + row.tasks.back() + "'");
        FreshWindow fresh(folder / "none.cfg", row.tasks);
        std::string shown[] = {row.lowerTask, row.lowerResult, row.upperTask, row.upperResult};
        int lines[] = {LowerTaskLine, LowerResultLine, UpperTaskLine, UpperResultLine};
        for (int i = 0; i < 4; ++i) EXPECT_EQ(fresh.platform.controlText(lines[i]), shown[i]) << "line " << lines[i];
        EXPECT_FALSE(fresh.platform.visible[FirstRootLabel]);
        EXPECT_EQ(fresh.platform.input, "");
    }
}

TEST_F(LogicTest, QuadraticIsSplitOverTheTwoRecordsAndPutBackTogether) {
    enter("x^2-3x+2");
    EXPECT_EQ(line(UpperTaskLine), "x^2-3x+2 = 0");
    EXPECT_EQ(line(LowerTaskLine), "");
    EXPECT_EQ((std::set<std::string>{line(UpperResultLine), line(LowerResultLine)}), (std::set<std::string>{"1", "2"}));
    EXPECT_EQ(platform.toolTips[UpperTaskLine], "Quadratic Equation");
    EXPECT_TRUE(platform.visible[FirstRootLabel] && platform.visible[SecondRootLabel]);
    EXPECT_EQ(historyBody(),
              "\r\nx^2-3x+2 = 0\r\nx1 = \t" + line(UpperResultLine) + "\r\nx2 = \t" + line(LowerResultLine) + "\r\n");
    EXPECT_EQ(platform.recentTasks.front(), "x^2-3x+2 = 0");

    std::string lowerRoot = line(LowerResultLine);
    enter("1+1");
    EXPECT_EQ(line(UpperTaskLine), "x^2-3x+2 = 0");
    EXPECT_EQ(line(UpperResultLine), lowerRoot);
    EXPECT_FALSE(platform.visible[FirstRootLabel] || platform.visible[SecondRootLabel]);
}

TEST_F(LogicTest, HistoryEntryForms) {
    const struct {
        std::vector<std::string> tasks;
        bool numbering;
        std::string body;
    } rows[] = {
        {{"2+3", "4*2"}, true, "\r\n1. \t2+3 = 5\r\n\r\n2. \t4*2 = 8\r\n"},
        {{"2+3", "#sci"}, false, "\r\n2+3 = 5\r\n\r\n#sci = 5.00e+00\r\n"},
        {{""}, true, "\r\n"},
        {{"", "2+3"}, true, "\r\n\r\n1. \t2+3 = 5\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("tasks ending in '" + row.tasks.back() + "'");
        FreshWindow fresh(folder / "none.cfg", row.tasks, row.numbering);
        EXPECT_EQ(fresh.platform.history, fresh.header + row.body);
    }
    // The header names the program and the date.
    EXPECT_EQ(platform.history.rfind("\r\n\t== Molvane ==\r\n\t", 0), 0u);
    EXPECT_EQ(platform.history.substr(platform.history.size() - 4), "\r\n\r\n");
    EXPECT_NE(platform.history.find(", 20"), std::string::npos);
}

TEST_F(LogicTest, EnterEdgeCases) {
    enter(std::string(509, '1').replace(0, 1, "0"));
    EXPECT_NE(line(LowerResultLine), "Expression is too long !");

    enter("2+3");
    std::string history = platform.history;
    platform.setInputText(std::string(510, '1'));
    command(EnterButton);
    EXPECT_EQ(line(LowerResultLine), "Expression is too long !");
    EXPECT_EQ(platform.input, std::string(510, '1'));
    EXPECT_EQ(platform.history, history);

    enter("=5");
    EXPECT_EQ(platform.input, "");
    EXPECT_EQ(platform.history, history);
    EXPECT_EQ(std::string(logic.currentState().szTask), "2+3");

    enter("2+3");
    EXPECT_EQ(platform.recentTasks, (std::vector<std::string>{"2+3", "2+3", std::string(509, '1').replace(0, 1, "0")}));
}

}  // namespace
