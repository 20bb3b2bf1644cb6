#include <algorithm>
#include <map>
#include <vector>

#include "engine/function_names.h"
#include "engine/text.h"
#include "logic_fixture.h"
#include "ui/keypad.h"
#include "ui/menu_table.h"

using namespace molvane;

namespace {

// Every text key inserts its caption, and every Insert item what the engine reads as
// its kind: a fragment is a formula, a constant a number, a function name one code.
TEST_F(LogicTest, KeysAndInsertCommandsInsertTheirText) {
    const std::map<int, std::string> samples = {
        {1001, "sin"}, {1033, "E"},    {2214, "(Cr2O7)"}, {2220, "-273.15"}, {2232, "6.0221367e23"}, {2255, "sec"},
        {2256, "csc"}, {2261, "asec"}, {2262, "acsc"},    {2285, "!"},       {2286, "x^2+x"}};
    int inserting = 0;
    for (int id = KeyFirst; id <= InsertLast; id = id == KeyLast ? InsertFirst : id + 1) {
        if (id <= KeyLast && !isTextKey(id - KeyFirst)) continue;  // the other keys act: tested below
        SCOPED_TRACE("command " + std::to_string(id));
        typeWithSelection("1#2", 1, 2);
        command(id);
        ASSERT_TRUE(platform.input.starts_with("1") && platform.input.ends_with("2")) << platform.input;
        std::string text = platform.input == "1#2" ? "" : platform.input.substr(1, platform.input.size() - 2);
        inserting += !text.empty();
        if (samples.count(id)) {
            EXPECT_EQ(text, samples.at(id));
        }
        CalcState state;
        writeText(state.szTask, text);
        if (id <= KeyLast) {
            EXPECT_EQ(text, keyText(id - KeyFirst));
        } else if (id <= 2214) {
            EXPECT_EQ(runTask(state), Formula);
        } else if (id <= 2239 && !text.empty()) {
            EXPECT_EQ(runTask(state), Plain);
        } else if (id >= 2251 && id <= 2284) {
            EXPECT_EQ(encodeFunctionNames(state.szTask), 1);
            EXPECT_TRUE(state.szTask[0] == ':' && textOf(state.szTask).size() == 4) << state.szTask;
        }
    }
    EXPECT_EQ(inserting, 27 + 66);
}

TEST_F(LogicTest, InverseModeCaptionsAndRelease) {
    command(KeyInverse);
    EXPECT_TRUE(platform.checked[KeyInverse]);
    const int keys[] = {1001, 1002, 1003, 1004, 1006, 1007, 1012, 1030};
    const char* onCaptions[] = {"asin", "acos", "atan", "acot", "aln", "alog", "MC", "M-"};
    const char* offCaptions[] = {" sin", " cos", " tan", " cot", " ln", " log", "C", "M+"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(line(keys[i]), onCaptions[i]) << "key " << keys[i];

    command(1005);  // pi and digits leave inverse mode on
    platform.focusRequests = 0;
    command(1025);
    EXPECT_EQ(platform.focusRequests, 1) << "a key gives the focus back to the input line";
    command(1001);
    EXPECT_EQ(platform.input, "pi1asin");
    EXPECT_FALSE(platform.checked[KeyInverse]);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(line(keys[i]), offCaptions[i]) << "key " << keys[i];
}

TEST_F(LogicTest, MemoryKeysAndIndicator) {
    EXPECT_FALSE(platform.active[MemoryIndicator]);
    enter("2+3");
    command(KeyMemoryStore);
    EXPECT_EQ(memory(), "5");
    EXPECT_TRUE(platform.active[MemoryIndicator]);
    EXPECT_EQ(platform.toolTips[MemoryIndicator], "5");

    enter("3");
    command(KeyMemoryAdd);
    EXPECT_EQ(memory(), "8");
    command(KeyInverse);
    command(KeyMemoryAdd);  // M- subtracts and releases inverse mode
    EXPECT_EQ(memory(), "5");

    enter("1/0");  // a message is no number: the memory stays
    command(KeyMemoryStore);
    command(KeyMemoryAdd);
    EXPECT_EQ(memory(), "5");

    command(MemoryIndicator);  // with a number, MEM recalls it
    EXPECT_EQ(platform.input, "5");

    command(KeyInverse);
    command(KeyClear);  // MC
    EXPECT_EQ(memory(), "");
    EXPECT_FALSE(platform.active[MemoryIndicator]);

    enter("7");
    command(MemoryIndicator);  // with an empty memory, MEM stores
    EXPECT_EQ(memory(), "7");
    command(KeyClear);
    EXPECT_EQ(platform.input, " ");
}

TEST_F(LogicTest, EncloseReciprocalAndDeleteBackwards) {
    enter("2*4");
    const struct {
        std::string text;
        int start, end, id;
        std::string expected;
    } rows[] = {
        {"2+3", 3, 3, KeyReciprocal, "1/(2+3)"}, {"2+3", 2, 3, KeyReciprocal, "2+1/(3)"},
        {"", 0, 0, KeyReciprocal, "1/(8)"},      {"2+3", 0, 0, KeyReciprocal, "1/(2+3)"},
        {"2+3", 0, 0, EditEnclose, "2+3"},       {"2+3", 1, 1, EditEnclose, "(2+3)"},
        {"2+3", 0, 1, EditEnclose, "(2)+3"},     {"2+3", 3, 3, KeyEnclose, "(2+3)"},
        {"123", 0, 0, EditDelete, "123"},        {"123", 2, 2, EditDelete, "13"},
        {"123", 0, 1, EditDelete, "23"},         {"123", 3, 3, EditDelete, "12"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("'" + row.text + "' with " + std::to_string(row.start) + ".." + std::to_string(row.end));
        typeWithSelection(row.text, row.start, row.end);
        command(row.id);
        EXPECT_EQ(platform.input, row.expected);
    }
    typeWithSelection("2+3", 3, 3);
    command(KeyReciprocal);
    EXPECT_EQ(platform.selection.start, 7);
}

TEST_F(LogicTest, EditCommandsOnTheInputLine) {
    typeWithSelection("2+3", 0, 1);
    command(EditCopy);
    EXPECT_EQ(platform.clipboard, "2");
    command(EditCut);
    EXPECT_EQ(platform.input, "+3");
    command(EditUndo);
    EXPECT_EQ(platform.input, "2+3");
    platform.setClipboardText("4\r\n5");
    typeWithSelection("2+3", 1, 2);
    command(EditPaste);
    EXPECT_EQ(platform.input, "243");
    command(EditSelectAll);
    EXPECT_EQ(platform.selection.start, 0);
    EXPECT_EQ(platform.selection.end, 3);
    command(EditClearInput);
    EXPECT_EQ(platform.input, "");

    enter("2h2o");
    EXPECT_EQ(platform.toolTips[LowerTaskLine], "2*(1.00794*2+15.9994)") << "the maths behind the task";
    const std::pair<int, std::string> copies[] = {
        {EditCopyTask, "2H2O"}, {EditCopyResult, "36.03056"}, {EditCopyMaths, "2*(1.00794*2+15.9994)"}};
    for (const auto& [id, text] : copies) {
        command(id);
        EXPECT_EQ(platform.clipboard, text) << "command " << id;
    }
}

TEST_F(LogicTest, ClicksOnDisplayLinesInsertTheirText) {
    enter("2+3");
    logic.dispatchCommand(LowerTaskLine, 1);  // not a click
    EXPECT_EQ(platform.input, "");
    command(LowerTaskLine);
    command(LowerResultLine);
    EXPECT_EQ(platform.input, "2+35");

    platform.focusRequests = 0;
    enter("4");
    platform.selectedRecent = 1;
    logic.dispatchCommand(RecentTasksList, kNotifySelectionConfirmed);
    EXPECT_EQ(platform.input, "2+3");
    EXPECT_EQ(platform.selection.start, 3);
    EXPECT_EQ(platform.focusRequests, 2) << "Enter and a chosen task give the focus back to the input line";
}

// Each Decimal Places item sets the places its caption names, 0 to 15.
TEST_F(LogicTest, DecimalPlacesItemsMatchTheirCaptions) {
    std::span<const MenuEntry> menus = menuBarEntries();
    auto entry = std::find_if(menus.begin(), menus.end(), [](const MenuEntry& e) {
        return std::string_view(e.text).starts_with("&Decimal Places");
    });
    ASSERT_NE(entry, menus.end());
    int places = 0;
    for (++entry; entry->kind == MenuEntryKind::Item; ++entry, ++places) {
        command(entry->id);
        EXPECT_EQ(std::to_string(logic.currentState().decimals), entry->text);
    }
    EXPECT_EQ(places, 16);
}

TEST_F(LogicTest, NumberSettingsCommands) {
    enter("1234.5678");
    enter("2");
    command(FormatAutomatic + 1);
    EXPECT_EQ(line(UpperResultLine), "1.23e+03");
    EXPECT_EQ(line(LowerResultLine), "2.00e+00");
    command(FormatDecimalsFirst);
    EXPECT_EQ(line(UpperResultLine), "1e+03");
    command(FormatDecimalsFirst + 1);
    EXPECT_EQ(line(UpperResultLine), "1.2e+03");
    command(FixedIndicator);
    command(FormatDigitGrouping);
    EXPECT_EQ(line(UpperResultLine), "1 234.6");
    command(FormatComma);
    EXPECT_EQ(line(UpperResultLine), "1 234,6");
    EXPECT_EQ(line(UpperTaskLine), "1234,5678");
    command(EditCopyResult);
    EXPECT_EQ(platform.clipboard, "2,0");
    command(GradsIndicator);
    EXPECT_EQ(logic.currentState().angleUnit, Grads);
    command(FormatFunctionSeparator);
    EXPECT_EQ(logic.currentState().functionSeparator, 0);
}

TEST_F(LogicTest, MenuChecksAndIndicatorsFollowTheSettings) {
    // The ids of the popup's items that are checked (or enabled), in ascending order.
    auto idsOf = [this](int popup, bool MenuItemState::*flag) {
        std::vector<int> ids;
        for (const MenuItemState& item : logic.menuItemStates(popup)) {
            if (item.*flag) ids.push_back(item.id);
        }
        std::sort(ids.begin(), ids.end());
        return ids;
    };
    auto checkedIds = [&idsOf](int popup) { return idsOf(popup, &MenuItemState::checked); };
    auto enabledIds = [&idsOf]() { return idsOf(EditPopup, &MenuItemState::enabled); };
    EXPECT_EQ(checkedIds(FormatPopup), (std::vector<int>{2501, 2504, 2512, 2531, 2533}));
    enter("#deg");
    enter("#fix 3");
    enter("#dig 1");
    EXPECT_EQ(checkedIds(FormatPopup), (std::vector<int>{2503, 2505, 2508, 2513, 2531, 2533}));
    EXPECT_TRUE(platform.active[FixedIndicator] && platform.active[RadiansIndicator + 1]);
    EXPECT_FALSE(platform.active[AutomaticIndicator] || platform.active[RadiansIndicator]);
    command(ViewTaskNumbering);
    command(ViewAlwaysOnTop);
    EXPECT_EQ(checkedIds(ViewPopup), (std::vector<int>{2303, 2307}));
    EXPECT_TRUE(logic.menuItemStates(InsertPopup).empty());

    EXPECT_EQ(enabledIds(), std::vector<int>{});
    typeWithSelection("12", 0, 1);
    command(EditCopy);
    command(1013);  // "7" replaces the selection, which can be undone
    EXPECT_EQ(enabledIds(), (std::vector<int>{2101, 2104}));
    platform.setInputSelection(0, 1);
    EXPECT_EQ(enabledIds(), (std::vector<int>{2101, 2102, 2103, 2104}));
}

TEST_F(LogicTest, WindowCommands) {
    command(ViewHistory);
    EXPECT_TRUE(platform.historyShown);
    EXPECT_EQ(platform.historyLeft, historyWindowLeft(platform.frame, platform.screen));
    command(ViewHistory);
    EXPECT_FALSE(platform.historyShown);
    EXPECT_EQ(logic.viewFlags().historyVisible, 0);

    command(ViewDisplayOnly);
    command(ViewAlwaysOnTop);
    command(ViewHistory);
    EXPECT_TRUE(platform.displayOnly && platform.onTop && platform.historyShown);
    command(FormatResetDefaults);
    EXPECT_FALSE(platform.displayOnly || platform.onTop || platform.historyShown);
    EXPECT_EQ(logic.viewFlags().displayOnly + logic.viewFlags().alwaysOnTop + logic.viewFlags().historyVisible, 0);

    command(FileExit);
    EXPECT_TRUE(platform.closed);
    command(HelpTopics);
    command(HelpAbout);
    EXPECT_EQ(platform.helpRuns + platform.aboutRuns, 2);
}

TEST_F(LogicTest, HistoryWindowDocksBesideTheMainWindow) {
    const int rows[][3] = {{379, 1024, 646}, {757, 1024, 490}, {490, 1024, 757}, {491, 1024, 224}};
    for (const auto& row : rows) {
        EXPECT_EQ(historyWindowLeft({row[0], 177, 267, 414}, row[1]), row[2]) << "main window at " << row[0];
    }
}

TEST_F(LogicTest, NewClearDisplayClearHistoryAndReset) {
    command(ViewTaskNumbering);
    enter("2+3");
    enter("#sci");
    command(KeyMemoryStore);
    command(EditClearDisplay);
    EXPECT_EQ(line(LowerResultLine) + line(UpperTaskLine), "");
    EXPECT_EQ(platform.toolTips[LowerTaskLine], " ");
    EXPECT_EQ(std::string(logic.currentState().szAnswer), "5.00e+00");

    command(EditClearHistory);
    EXPECT_EQ(historyBody(), "");
    EXPECT_TRUE(platform.recentTasks.empty());
    EXPECT_EQ(std::string(logic.currentState().szTask) + logic.previousState().szTask, "");
    EXPECT_EQ(memory(), "5.00e+00");
    enter("1");
    EXPECT_EQ(historyBody(), "\r\n3. \t1 = 1.00e+00\r\n");

    command(FormatResetDefaults);
    EXPECT_EQ(line(LowerResultLine), "1");
    EXPECT_EQ(logic.taskCounter(), 1);
    EXPECT_TRUE(platform.active[AutomaticIndicator]);

    enter("x^2-3x+2");
    platform.setInputText("9");  // New runs nothing typed, only an empty Enter
    command(FileNew);
    EXPECT_EQ(line(UpperTaskLine) + line(LowerTaskLine) + line(UpperResultLine) + line(LowerResultLine), "");
    EXPECT_EQ(memory(), "");
    EXPECT_EQ(historyBody(), "");
    EXPECT_TRUE(platform.recentTasks.empty());
    EXPECT_FALSE(platform.visible[FirstRootLabel]);
    EXPECT_EQ(logic.taskCounter(), 1);
}

TEST_F(LogicTest, ConfigurationIsAppliedAtStartUpAndSaved) {
    writeFile(folder / "loaded.cfg", "#deg\r\n#sci 4\r\n#501\r\n#502\r\n#503\r\n#503\r\n#504\r\n#504\r\n#505\r\n");
    FreshWindow window(folder / "loaded.cfg", {});
    EXPECT_TRUE(window.platform.displayOnly && window.platform.onTop && window.platform.historyShown);
    EXPECT_TRUE(window.platform.active[RadiansIndicator + 1]);

    window.logic.dispatchCommand(FormatSaveSettings);
    CalcState saved;
    saved.angleUnit = Degrees, saved.numberMode = Scientific, saved.decimals = 4;
    EXPECT_EQ(readFile(folder / "loaded.cfg"), configurationText(saved, {1, 1, 1, 1}));
    EXPECT_TRUE(window.platform.messages.empty());

    std::filesystem::create_directories(folder / "mvn.cfg");  // a folder where this window's file would go
    command(FormatSaveSettings);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].starts_with(std::string("Molvane: ") + kSaveFailedMessage + "\n\n" +
                                                 (folder / "mvn.cfg").string() + "\n"))
        << platform.messages[0];
}

TEST_F(LogicTest, NumberFormatDialogBringsThePreviousRecordInLine) {
    enter("1234.56");
    enter("#fix 1");
    EXPECT_EQ(line(UpperResultLine), "1234.56");
    command(ViewNumberFormat);
    EXPECT_EQ(platform.numberFormatRuns, 1);
    EXPECT_EQ(line(UpperResultLine), "1234.6");
}

}  // namespace
