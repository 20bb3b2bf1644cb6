// SPDX-License-Identifier: MIT
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
    const std::map<int, std::string> samples = {{2214, "(Cr2O7)"}, {2220, "-273.15"}, {2232, "6.0221367e23"},
                                                {2255, "sec"},     {2262, "acsc"},    {2286, "x^2+x"}};
    int inserting = 0;
    for (int id = KeyFirst; id <= InsertLast; id = id == KeyLast ? InsertFirst : id + 1) {
        if (id <= KeyLast && !isTextKey(id - KeyFirst)) continue;  // the other keys act: tested below
        SCOPED_TRACE("command " + std::to_string(id));
        type("[#]");
        command(id);
        std::string text = platform.input == "#" ? "" : platform.input;
        inserting += !text.empty();
        CalcState state;
        writeText(state.szTask, text);
        if (id <= KeyLast) {
            EXPECT_EQ(text, keyText(id - KeyFirst));
        } else if (samples.count(id)) {
            EXPECT_EQ(text, samples.at(id));
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

// In inverse mode a function key (sin to cot, ln, log) takes its inverse and
// releases the mode, as M- does; pi and the digits leave it on. The memory
// takes only numbers, and MEM stores into an empty memory, else recalls it.
TEST_F(LogicTest, InverseModeAndMemoryKeys) {
    run({
        {"", KeyInverse, KeyInverse, "on"},
        {nullptr, 1005, 1007, "alog"},
        {nullptr, 1025, 1004, "acot"},
        {nullptr, 1001, KeyInverse, ""},
        {nullptr, 1004, 1001, " sin"},
        {nullptr, 1006, InputLine, "pi1asincotln"},
        {"2+3", EnterButton, MemoryIndicator, ""},
        {nullptr, KeyMemoryStore, -MemoryIndicator, "5"},
        {"3", EnterButton, MemoryIndicator, "on"},
        {nullptr, KeyMemoryAdd, -MemoryIndicator, "8"},
        {nullptr, KeyInverse, KeyMemoryAdd, "M-"},
        {nullptr, KeyMemoryAdd, -MemoryIndicator, "5"},
        {"1/0", EnterButton, KeyMemoryAdd, "M+"},
        {nullptr, KeyMemoryStore, -MemoryIndicator, "5"},
        {"", MemoryIndicator, InputLine, "5"},
        {nullptr, KeyInverse, KeyClear, "MC"},
        {nullptr, KeyClear, MemoryIndicator, ""},
        {"7", EnterButton, -MemoryIndicator, ""},
        {nullptr, MemoryIndicator, -MemoryIndicator, "7"},
        {nullptr, KeyClear, InputLine, " "},
    });
}

TEST_F(LogicTest, InputLineCommands) {
    platform.setClipboardText("4\r\n5");
    platform.selectedRecent = 1;
    run({
        {"2[+]3", EditPaste, InputLine, "243"},  // up to the first line break
        {"2*4", EnterButton, InputLine, ""},
        {"2+3", KeyReciprocal, InputLine, "1/(2+3)"},
        {nullptr, 1013, InputLine, "1/(2+3)7"},  // the caret after the bracket
        {"2+[3]", KeyReciprocal, InputLine, "2+1/(3)"},
        {"", KeyReciprocal, InputLine, "1/(8)"},  // the last result
        {"[]2+3", KeyReciprocal, InputLine, "1/(2+3)"},
        {"[]2+3", EditEnclose, InputLine, "2+3"},
        {"2[]+3", EditEnclose, InputLine, "(2+3)"},
        {"[2]+3", EditEnclose, InputLine, "(2)+3"},
        {"[]123", EditDelete, InputLine, "123"},
        {"12[]3", EditDelete, InputLine, "13"},
        {"[1]23", EditDelete, InputLine, "23"},
        {"123", EditDelete, InputLine, "12"},
        {"[2]+3", EditCopy, Clipboard, "2"},
        {nullptr, EditCut, InputLine, "+3"},
        {nullptr, EditUndo, InputLine, "2+3"},
        {"2h2o", EnterButton, -LowerTaskLine, "2*(1.00794*2+15.9994)"},  // the maths behind the task
        {nullptr, EditCopyTask, Clipboard, "2H2O"},
        {nullptr, EditCopyResult, Clipboard, "36.03056"},
        {nullptr, EditCopyMaths, Clipboard, "2*(1.00794*2+15.9994)"},
        {"", LowerTaskLine, InputLine, "", kNotifyAccelerator},  // not a click
        {nullptr, LowerTaskLine, InputLine, "2H2O"},
        {nullptr, LowerResultLine, InputLine, "2H2O36.03056"},
        {"4", EnterButton, InputLine, ""},
        {nullptr, RecentTasksList, InputLine, "2H2O", kNotifySelectionConfirmed},
        {nullptr, 1013, InputLine, "2H2O7"},
    });
}

// Up and Down walk through the recent tasks as a shell does: Up from the
// newest back, Down forward to an empty line; past either end the line stays.
TEST_F(LogicTest, UpAndDownRecallTheRecentTasks) {
    run({
        {"7", RecallOlder, InputLine, "7"},  // nothing to recall yet
        {"11+1", EnterButton, InputLine, ""},
        {"22+2", EnterButton, InputLine, ""},
        {nullptr, RecallOlder, InputLine, "22+2"},
        {nullptr, RecallOlder, InputLine, "11+1"},
        {nullptr, RecallOlder, InputLine, "11+1"},
        {nullptr, RecallNewer, InputLine, "22+2"},
        {nullptr, RecallNewer, InputLine, ""},
        {"9", RecallNewer, InputLine, "9"},
        {"4*4", EnterButton, InputLine, ""},  // a new task starts again at the newest
        {nullptr, RecallOlder, InputLine, "4*4"},
        {nullptr, EditClearHistory, InputLine, "4*4"},
        {nullptr, RecallOlder, InputLine, "4*4"},  // the list is empty
    });
}

TEST_F(LogicTest, CommandsGiveTheFocusBackToTheInputLine) {
    const int ids[] = {1025,        KeyInverse,      KeyMemoryStore,   EnterButton, LowerTaskLine,   RecentTasksList,
                       ViewHistory, ViewComposition, EditClearDisplay, EditEnclose, HideComposition, HideHistory};
    for (int id : ids) {
        type("[2]");
        platform.focusRequests = 0;
        command(id);
        EXPECT_GT(platform.focusRequests, 0) << "command " << id;
    }
    platform.focusRequests = 0;
    logic.dispatchCommand(RecentTasksList, kNotifyFocusLost);
    logic.dispatchCommand(RecentTasksList, kNotifySelectionCancelled);
    EXPECT_EQ(platform.focusRequests, 0) << "Tab may leave the input line";
}

TEST_F(LogicTest, DialogHelpAndExitCommandsReachThePlatform) {
    for (int id : {ViewNumberFormat, HelpAbout, HelpTopics, FileExit}) command(id);
    EXPECT_EQ(platform.opened, "Number Format;About;Help;Exit;");
}

// Every menu entry has its text, the function items' made at start-up; each
// Decimal Places item sets the places its caption names, 0 to 15.
TEST_F(LogicTest, DecimalPlacesItemsMatchTheirCaptions) {
    int places = 0;
    for (const MenuEntry& entry : menuBarEntries()) {
        ASSERT_NE(entry.text, nullptr) << "item " << entry.id;
        if (entry.id < FormatDecimalsFirst || entry.id > FormatDecimalsLast) continue;
        command(entry.id);
        EXPECT_EQ(std::to_string(logic.currentState().decimals), entry.text);
        ++places;
    }
    EXPECT_EQ(places, 16);
}

// A setting shows both records' answers again at once; after the Number
// Format dialog the previous record takes the current one's settings.
TEST_F(LogicTest, NumberSettingsCommands) {
    run({
        {"1234.5678", EnterButton, InputLine, ""},
        {"2", EnterButton, InputLine, ""},
        {nullptr, FormatScientific, LowerResultLine, "2.00e+00"},
        {nullptr, FormatDecimalsFirst, UpperResultLine, "1e+03"},
        {nullptr, FormatDecimalsFirst + 1, UpperResultLine, "1.2e+03"},
        {nullptr, FormatFixed, FixedIndicator, "on"},
        {nullptr, FormatDigitGrouping, UpperResultLine, "1 234.6"},
        {nullptr, FormatComma, UpperTaskLine, "1234,5678"},
        {nullptr, EditCopyResult, Clipboard, "2,0"},
        {"#sci 2", EnterButton, UpperResultLine, "2,0"},
        {nullptr, ViewNumberFormat, UpperResultLine, "2,00e+00"},
        {nullptr, FormatGrads, GradsIndicator, "on"},
        {nullptr, FormatRadians, RadiansIndicator, "on"},
        {nullptr, FormatAutomatic, UpperResultLine, "2"},
    });
}

TEST_F(LogicTest, MenuChecksAndWindowOptions) {
    // The ids of the popup's items that are checked (or enabled), in ascending order.
    auto ids = [this](int popup, bool MenuItemState::*flag) {
        std::vector<int> found;
        for (const MenuItemState& item : logic.menuItemStates(popup)) {
            if (item.*flag) found.push_back(item.id);
        }
        std::sort(found.begin(), found.end());
        return found;
    };
    constexpr auto checked = &MenuItemState::checked, enabled = &MenuItemState::enabled;
    EXPECT_EQ(ids(FormatPopup, checked), (std::vector<int>{2501, 2504, 2512, 2531, 2533}));
    for (const char* directive : {"#deg", "#fix 3", "#dig 1"}) enter(directive);
    EXPECT_EQ(shown(FixedIndicator) + shown(RadiansIndicator + 1) + shown(AutomaticIndicator), "onon");
    command(FormatFunctionSeparator);
    command(FormatComma);
    EXPECT_EQ(ids(FormatPopup, checked), (std::vector<int>{2503, 2505, 2508, 2513, 2532}));

    for (int id : {ViewHistory, ViewHistory, ViewDisplayOnly, ViewAlwaysOnTop, ViewHistory}) command(id);
    EXPECT_TRUE(platform.displayOnly && platform.onTop && platform.historyShown);
    EXPECT_EQ(platform.historyLeft, 379 + 267);
    EXPECT_EQ(ids(ViewPopup, checked), (std::vector<int>{2302, 2303, 2304}));
    command(HideHistory);
    EXPECT_EQ(ids(ViewPopup, checked), (std::vector<int>{2302, 2303}));
    command(ViewHistory);
    command(FormatResetDefaults);
    EXPECT_FALSE(platform.displayOnly || platform.onTop || platform.historyShown);
    EXPECT_EQ(ids(ViewPopup, checked), std::vector<int>{});
    EXPECT_EQ(ids(FormatPopup, checked), (std::vector<int>{2501, 2504, 2512, 2531, 2533}));
    EXPECT_EQ(shown(AutomaticIndicator), "on");

    EXPECT_EQ(ids(EditPopup, enabled), std::vector<int>{});
    type("[1]2");
    command(EditCopy);
    command(1013);  // "7" replaces the selection, which can be undone
    EXPECT_EQ(ids(EditPopup, enabled), (std::vector<int>{2101, 2104}));
    platform.setInputSelection(0, 1);
    EXPECT_EQ(ids(EditPopup, enabled), (std::vector<int>{2101, 2102, 2103, 2104}));
    platform.setInputSelection(0, 0);
    std::vector<MenuItemState> closed = logic.menuItemStates(EditPopup, false);
    EXPECT_TRUE(std::all_of(closed.begin(), closed.end(), [](const MenuItemState& item) { return item.enabled; }))
        << "a closed menu silences no shortcut";
}

// A window beside the main one docks on the side with room, grows away from
// the main window and keeps to the screen's work area.
TEST_F(LogicTest, HistoryWindowDocksBesideTheMainWindow) {
    const int rows[][3] = {{379, 1024, 646}, {757, 1024, 490}, {490, 1024, 757}, {491, 1024, 224}};
    for (const auto& row : rows) {
        EXPECT_EQ(dockedWindowLeft({row[0], 177, 267, 414}, row[1]), row[2]) << "main window at " << row[0];
    }
    const WindowFrame main{379, 177, 267, 414}, screen{0, 20, 1024, 748};
    const std::tuple<WindowFrame, int, int, WindowFrame> grown[] = {
        {{112, 177, 267, 240}, 300, 300, {79, 177, 300, 300}},   // on the left
        {{646, 177, 300, 240}, 400, 600, {0, 168, 379, 600}},    // too wide: the side with more room
        {{379, 177, 267, 240}, 300, 300, {379, 177, 300, 300}},  // over it: as on the right
        {{646, 0, 267, 240}, 2000, 1000, {0, 20, 379, 748}},
        {{646, 177, 267, 240}, 300, 300, {646, 177, 300, 300}}};
    for (const auto& [window, width, height, expected] : grown) {
        WindowFrame placed = resizedBeside(window, width, height, main, screen);
        EXPECT_EQ(std::tie(placed.left, placed.top, placed.width, placed.height),
                  std::tie(expected.left, expected.top, expected.width, expected.height))
            << width;
    }
    EXPECT_TRUE(fitsOnScreen({900, 900, 1024, 748}, screen));
    EXPECT_FALSE(fitsOnScreen({0, 20, 1024, 749}, screen));
}

// Clear Display keeps the records, Clear History forgets the tasks but not
// the answer, the memory or the count; Reset keeps the texts; New forgets all.
TEST_F(LogicTest, NewClearDisplayClearHistoryAndReset) {
    command(ViewTaskNumbering);
    run({
        {"2+3", EnterButton, InputLine, ""},
        {"#sci", EnterButton, InputLine, ""},
        {nullptr, KeyMemoryStore, -MemoryIndicator, "5.00e+00"},
        {nullptr, EditClearDisplay, Display, "|||"},
        {nullptr, EditClearDisplay, -LowerTaskLine, " "},
        {nullptr, EditCopyResult, Clipboard, "5.00e+00"},
        {nullptr, EditClearHistory, HistoryBody, ""},
        {nullptr, EditCopyTask, Clipboard, "5.00e+00"},  // no task left to copy
        {"1", EnterButton, HistoryBody, "\r\n3. \t1 = 1.00e+00\r\n"},
        {nullptr, FormatResetDefaults, LowerResultLine, "1"},
    });
    EXPECT_EQ(logic.taskCounter(), 1);
    command(ViewTaskNumbering);
    run({
        {"x^2-3x+2", EnterButton, InputLine, ""},
        {"9", FileNew, Display, "|||"},  // New runs nothing typed, only an empty Enter
        {nullptr, FileNew, -MemoryIndicator, ""},
        {"2", EnterButton, HistoryBody, "\r\n1. \t2 = 2\r\n"},
    });
    EXPECT_EQ(platform.recentTasks, std::vector<std::string>{"2"});
}

TEST_F(LogicTest, ConfigurationIsAppliedAtStartUpAndSaved) {
    writeFile(folder / "loaded.cfg", "#deg\r\n#sci 4\r\n#501\r\n#502\r\n#503\r\n#503\r\n#504\r\n#504\r\n#505\r\n");
    FakePlatform loaded;
    WindowLogic window(loaded, folder / "loaded.cfg");
    window.startUp();
    EXPECT_TRUE(loaded.displayOnly && loaded.onTop && loaded.historyShown);
    EXPECT_TRUE(loaded.active[RadiansIndicator + 1]);

    window.dispatchCommand(FormatSaveSettings);
    CalcState saved;
    saved.angleUnit = Degrees, saved.numberMode = Scientific, saved.decimals = 4;
    EXPECT_EQ(readFile(folder / "loaded.cfg"), configurationText(saved, {1, 1, 1, 1}));

    std::filesystem::create_directories(folder / "mvn.cfg");  // a folder where this window's file would go
    command(FormatSaveSettings);
    EXPECT_EQ(platform.messages.size(), 1u);
}

}  // namespace
