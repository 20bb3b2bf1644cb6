// SPDX-License-Identifier: MIT
// The numeric ids of every command of the main window.
//
// Menus, shortcuts, keys, the toolbar and clicks on the display all reach the
// window logic as one of these ids, so a command has one meaning wherever it
// comes from.
#pragma once

namespace molvane {

enum CommandId : int {
    // The keypad: key index = id - KeyFirst, 6 keys a row.
    KeyFirst = 1000,
    KeyInverse = 1000,
    KeyEnclose = 1010,
    KeyReciprocal = 1011,
    KeyClear = 1012,
    KeyMemoryStore = 1018,
    KeyMemoryRecall = 1024,
    KeyMemoryAdd = 1030,
    KeyLast = 1035,
    EnterButton = 1075,

    UpperTaskLine = 1110,
    LowerTaskLine = 1111,
    UpperResultLine = 1120,
    LowerResultLine = 1121,
    FirstRootLabel = 1122,
    SecondRootLabel = 1123,

    MemoryIndicator = 1200,
    AutomaticIndicator = 1210,  // + numberMode
    FixedIndicator = 1212,
    RadiansIndicator = 1220,  // + angleUnit
    GradsIndicator = 1222,

    RecentTasksList = 1300,
    // Up and Down in the input line: through the recent tasks, as a shell recalls.
    RecallOlder = 1301,
    RecallNewer = 1302,
    InputLine = 1310,

    FileNew = 2001,
    FileOpen = 2002,
    FileSaveAs = 2003,
    FilePrint = 2005,
    FilePrintPreview = 2006,
    FileExit = 2008,

    EditUndo = 2101,
    EditCut = 2102,
    EditCopy = 2103,
    EditPaste = 2104,
    EditDelete = 2105,
    EditCopyHistory = 2106,
    EditCopyMaths = 2107,
    EditCopyResult = 2108,
    EditCopyTask = 2109,
    EditSelectAll = 2110,
    EditEnclose = 2111,
    EditClearInput = 2112,
    EditClearDisplay = 2113,
    EditClearHistory = 2114,

    InsertFirst = 2201,  // molecule fragments, constants and function names
    InsertLast = 2286,

    ViewDisplayOnly = 2302,
    ViewAlwaysOnTop = 2303,
    ViewHistory = 2304,
    ViewNumberFormat = 2305,
    ViewTaskNumbering = 2307,
    ViewComposition = 2308,
    CompositionCopy = 2309,  // the Copy button of the Composition window
    // The desktop program's own zoom of its fixed layout, fonts included.
    ViewZoomIn = 2310,
    ViewZoomOut = 2311,
    ViewActualSize = 2312,
    // The Hide buttons of the Task History and Composition windows.
    HideHistory = 2313,
    HideComposition = 2314,

    HelpTopics = 2401,
    HelpAbout = 2402,

    FormatAutomatic = 2501,  // + numberMode
    FormatScientific = 2502,
    FormatFixed = 2503,
    FormatRadians = 2504,  // + angleUnit
    FormatDegrees = 2505,
    FormatGrads = 2506,
    FormatDigitGrouping = 2508,
    FormatDecimalsFirst = 2510,  // + decimals
    FormatDecimalsLast = 2525,
    FormatDot = 2531,  // + decimalComma
    FormatComma = 2532,
    FormatFunctionSeparator = 2533,
    FormatSaveSettings = 2540,
    FormatResetDefaults = 2541,
};

// Notification codes that matter: a display line acts on a click only, the
// recent-tasks list only when a choice from its list is confirmed.
constexpr int kNotifyClicked = 0;
constexpr int kNotifySelectionConfirmed = 9;
// The recent-tasks list has lost the keyboard focus (to Tab, or a click
// elsewhere), and as it goes it closes its list without a choice.
constexpr int kNotifyFocusLost = 4;
constexpr int kNotifySelectionCancelled = 10;
// A command that comes from a shortcut key rather than a menu or a click.
constexpr int kNotifyAccelerator = 1;

// The popups of the menu bar, by position.
enum MenuPopup : int { FilePopup = 0, EditPopup = 1, InsertPopup = 2, FormatPopup = 3, ViewPopup = 4, HelpPopup = 5 };

}  // namespace molvane
