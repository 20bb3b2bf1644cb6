// SPDX-License-Identifier: MIT
// The main window's behaviour, free of any toolkit.
//
// Holds the two task records, the view flags and the history numbering, and
// turns every command id into its effect on the platform. A command that runs
// another calls dispatchCommand again, synchronously, as a click would.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/engine.h"
#include "session/enter_line.h"
#include "settings/atomic_file.h"
#include "settings/configuration.h"
#include "ui/command_ids.h"
#include "ui/platform.h"

namespace molvane {

struct MenuItemState {
    int id = 0;
    bool enabled = true;
    bool checked = false;
};

class WindowLogic {
public:
    WindowLogic(Platform& platform, std::filesystem::path configurationFile);

    // Before the window is first shown: the display and keys in their start
    // state, the history header, then the configuration file.
    void startUp();

    void dispatchCommand(int id, int notification = kNotifyClicked);

    // The enabled items and check marks of one popup of the menu bar, by its
    // position, as it opens; empty for popups that need no refresh. Once it has
    // closed every item is enabled again: a greyed item would also silence its
    // shortcut, and the shortcuts act whatever the menu showed when last open.
    std::vector<MenuItemState> menuItemStates(int popupPosition, bool opening = true) const;

    const CalcState& currentState() const { return session_.current; }
    const CalcState& previousState() const { return session_.previous; }
    // The view options as saved; whether the history shows is the window's own state.
    ViewFlags viewFlags() const;
    bool inverseMode() const { return inverseMode_; }
    int taskCounter() const { return session_.taskCounter; }
    int lastTaskKind() const { return session_.lastKind; }

    // Enter: runs the input line and shows and logs its outcome.
    void showTaskResult();
    // Starts the history text anew under a dated header.
    void resetHistory();
    // Runs each line as if typed and entered, until the user cancels.
    void runTaskLines(const std::vector<std::string>& lines);

    // The Number Format dialog's decimal places and digit grouping, written
    // into both records; the display follows with the next mode command.
    void setNumberFormatFields(int decimals, int digitGrouping);

    // How a saved history reaches the disk; tests put a failing writer here.
    void setFileWriter(FileWriter writer) { fileWriter_ = std::move(writer); }

private:
    // Keys and the input line.
    void pressKey(int key);
    void pressTextKey(int key);
    void toggleInverseMode();
    void pressClearKey();
    void storeMemory();
    void addToMemory();
    void insertText(std::string_view text);
    void encloseText(std::string_view prefix, bool reciprocal);
    void deleteBackwards();
    void cutInput();
    void copyInput();
    void pasteInput();
    void insertDisplayLine(int id, int notification);
    void chooseRecentTask(int notification);
    void recallTask(int step);
    void addRecentTask(const std::string& task);
    void clearRecentTasks();
    void copyToClipboard(std::string_view text);

    // Settings and view.
    void setNumberMode(int mode);
    void setAngleUnit(int unit);
    void setDecimals(int decimals);
    void toggleDigitGrouping();
    void setDecimalComma(int comma);
    void toggleDisplayOnly();
    void toggleAlwaysOnTop();
    void toggleHistoryWindow();
    void showCompositionWindow();
    void refreshComposition();
    void afterNumberFormatDialog();
    void resetToDefaults();
    void saveSettings();
    void applyConfigurationCommand(int command);

    // Documents and the display.
    void newSession();
    void clearDisplay();
    void clearHistory();
    void loadTaskFile();
    void saveHistoryFile();
    void printHistory(bool preview);
    void showHelp();
    // Tells the user when `result` is a failure, under the words `what`.
    void reportFailure(std::string_view what, const PlatformResult& result);
    void refreshBothAnswers();
    void showStates();
    void refreshIndicators();
    void announceAnswer();
    void updateMemoryToolTip();
    void showRootLabels(bool shown);
    // A task file's line entered without the window; the run's end shows it.
    EnterOutcome enterFileLine(const std::string& line);
    void appendPendingHistory();
    void flushFileRun();
    void showEnteredTask();
    // Runs a memory directive on a copy of the current record, so only the
    // memory can change, and only to a number.
    void runMemoryDirective(std::string_view directive, std::string_view result);

    bool dispatchSettingsCommand(int id);
    bool dispatchEditCommand(int id, int notification);

    Platform& platform_;
    std::filesystem::path configurationFile_;
    TaskSession session_;
    // historyVisible stays 0: the history window can hide itself, so it is asked.
    ViewFlags view_;
    bool inverseMode_ = false;
    // The indicators as the platform shows them, a bit each from the memory's
    // (id - MemoryIndicator); none is known before the first refresh.
    unsigned activeIndicators_ = 0;
    bool indicatorsShown_ = false;
    // The recent-tasks list as the platform holds it, oldest first, and how
    // far back Up and Down have gone from the newest (-1: not at all, the line
    // as typed).
    std::vector<std::string> recentTasks_;
    int recalled_ = -1;
    // What a task file's lines leave for the window, given to it in batches:
    // one widget update a line cost more than the tasks themselves.
    std::string pendingHistory_;
    std::vector<std::string> pendingRecentTasks_;
    EnteredLine fileLine_;
    FileWriter fileWriter_ = writeAllBytes;
};

// Where a window docked beside the main window goes (the Task History window,
// the Number Format dialog): on its right, or on its left when the screen has
// no room on the right.
int dockedWindowLeft(const WindowFrame& mainWindow, int screenRight);

// Where the Composition window goes: on the side the history leaves free, the
// main window's left, unless the screen has no room there.
int compositionWindowLeft(const WindowFrame& mainWindow);

// Whether a window of this size fits the screen's work area, and where it goes
// to be all on it: moved no further than it must, its top left kept in view
// when it is larger than the screen.
bool fitsOnScreen(const WindowFrame& window, const WindowFrame& workArea);
WindowFrame keptOnScreen(WindowFrame window, const WindowFrame& workArea);

// A window beside the main window, given a new size: it grows away from the
// main window rather than over it, to the side with more room when its own has
// too little, and stays on the screen.
WindowFrame resizedBeside(WindowFrame window, int width, int height, const WindowFrame& mainWindow,
                          const WindowFrame& workArea);

}  // namespace molvane
