// SPDX-License-Identifier: MIT
#include "ui/window_logic.h"

#include <algorithm>
#include <utility>

#include "engine/text.h"
#include "session/composition_table.h"
#include "ui/insert_texts.h"
#include "ui/keypad.h"
#include "ui/window_layout.h"

namespace molvane {

WindowLogic::WindowLogic(Platform& platform, std::filesystem::path configurationFile)
    : platform_(platform), configurationFile_(std::move(configurationFile)) {}

void WindowLogic::startUp() {
    for (int key = 0; key < kKeyCount; ++key) {
        platform_.setControlText(KeyFirst + key, std::string(keyText(key)));
    }
    platform_.setKeyChecked(KeyInverse, false);
    platform_.setControlName(KeyInverse, switchName(KeyInverse, false));
    showRootLabels(false);
    platform_.setToolTip(MemoryIndicator, "Memory");
    resetHistory();
    loadConfiguration(configurationFile_, session_.current,
                      [this](int command) { applyConfigurationCommand(command); });
    refreshIndicators();
}

// The window options of the configuration file go through the same commands
// as the menu, so flags, check marks and the window cannot disagree; an option
// written twice must not undo itself.
void WindowLogic::applyConfigurationCommand(int command) {
    switch (command) {
        case OptionDisplayOnly:
            if (!view_.displayOnly) dispatchCommand(ViewDisplayOnly);
            break;
        case OptionAlwaysOnTop:
            if (!view_.alwaysOnTop) dispatchCommand(ViewAlwaysOnTop);
            break;
        case OptionHistoryVisible:
            if (!platform_.historyWindowVisible()) dispatchCommand(ViewHistory);
            break;
        case OptionTaskNumbering:
            if (!view_.taskNumbering) dispatchCommand(ViewTaskNumbering);
            break;
        case OptionClearHistory: dispatchCommand(EditClearHistory); break;
        default: break;
    }
}

void WindowLogic::dispatchCommand(int id, int notification) {
    if (id >= KeyFirst && id <= KeyLast) {
        pressKey(id - KeyFirst);
        return;
    }
    if (id >= InsertFirst && id <= InsertLast) {
        insertText(insertedText(id));
        return;
    }
    if (dispatchEditCommand(id, notification) || dispatchSettingsCommand(id)) return;
    switch (id) {
        case EnterButton: showTaskResult(); break;
        case MemoryIndicator:
            dispatchCommand(textOf(session_.current.szMemory).empty() ? KeyMemoryStore : KeyMemoryRecall);
            break;
        case FileNew: newSession(); break;
        case FileOpen: loadTaskFile(); break;
        case FileSaveAs: saveHistoryFile(); break;
        case FilePrint: printHistory(false); break;
        case FilePrintPreview: printHistory(true); break;
        case FileExit: platform_.closeMainWindow(); break;
        case ViewDisplayOnly: toggleDisplayOnly(); break;
        case ViewAlwaysOnTop: toggleAlwaysOnTop(); break;
        case ViewHistory: toggleHistoryWindow(); break;
        case ViewNumberFormat:
            platform_.runNumberFormatDialog();
            afterNumberFormatDialog();
            break;
        case ViewTaskNumbering: view_.taskNumbering = !view_.taskNumbering; break;
        case ViewComposition: showCompositionWindow(); break;
        case CompositionCopy: copyToClipboard(compositionWindowText(session_.lastKind, session_.current)); break;
        case HideHistory:
            platform_.hideHistoryWindow();
            platform_.focusInputLine();
            break;
        case HideComposition:
            platform_.hideCompositionWindow();
            platform_.focusInputLine();
            break;
        case HelpTopics: showHelp(); break;
        case HelpAbout: platform_.runAboutDialog(); break;
        default: break;
    }
}

bool WindowLogic::dispatchEditCommand(int id, int notification) {
    switch (id) {
        case UpperTaskLine:
        case LowerTaskLine:
        case UpperResultLine:
        case LowerResultLine: insertDisplayLine(id, notification); return true;
        case RecentTasksList: chooseRecentTask(notification); return true;
        case RecallOlder: recallTask(1); return true;
        case RecallNewer: recallTask(-1); return true;
        case EditUndo: platform_.undoInput(); return true;
        case EditCut: cutInput(); return true;
        case EditCopy: copyInput(); return true;
        case EditPaste: pasteInput(); return true;
        case EditDelete: deleteBackwards(); return true;
        // An empty history leaves the clipboard as it was.
        case EditCopyHistory: copyToClipboard(platform_.historyText()); return true;
        case EditCopyMaths: copyToClipboard(textOf(session_.current.szMaths)); return true;
        case EditCopyResult: copyToClipboard(textOf(session_.current.szAnswer)); return true;
        case EditCopyTask: copyToClipboard(textOf(session_.current.szTask)); return true;
        case EditSelectAll: platform_.setInputSelection(0, static_cast<int>(platform_.inputText().size())); return true;
        case EditEnclose: encloseText("(", false); return true;
        case EditClearInput: platform_.setInputText(""); return true;
        case EditClearDisplay: clearDisplay(); return true;
        case EditClearHistory: clearHistory(); return true;
        default: return false;
    }
}

std::vector<MenuItemState> WindowLogic::menuItemStates(int popupPosition, bool opening) const {
    std::vector<MenuItemState> states;
    auto add = [&states, opening](int id, bool enabled, bool checked) {
        states.push_back({id, enabled || !opening, checked});
    };
    if (popupPosition == EditPopup) {
        TextSelection selection = platform_.inputSelection();
        bool selected = selection.start != selection.end;
        add(EditUndo, platform_.inputCanUndo(), false);
        add(EditCut, selected, false);
        add(EditCopy, selected, false);
        add(EditPaste, platform_.clipboardHasText(), false);
    } else if (popupPosition == FormatPopup) {
        for (int mode = 0; mode <= FormatFixed - FormatAutomatic; ++mode) {
            add(FormatAutomatic + mode, true, session_.current.numberMode == mode);
            add(FormatRadians + mode, true, session_.current.angleUnit == mode);
        }
        for (int id = FormatDecimalsFirst; id <= FormatDecimalsLast; ++id) {
            add(id, true, session_.current.decimals == id - FormatDecimalsFirst);
        }
        add(FormatDigitGrouping, true, session_.current.digitGrouping != 0);
        add(FormatFunctionSeparator, true, session_.current.functionSeparator != 0);
        add(FormatDot, true, session_.current.decimalComma == 0);
        add(FormatComma, true, session_.current.decimalComma == 1);
    } else if (popupPosition == ViewPopup) {
        add(ViewDisplayOnly, true, view_.displayOnly != 0);
        add(ViewAlwaysOnTop, true, view_.alwaysOnTop != 0);
        add(ViewHistory, true, platform_.historyWindowVisible());
        add(ViewTaskNumbering, true, view_.taskNumbering != 0);
    }
    return states;
}

ViewFlags WindowLogic::viewFlags() const {
    ViewFlags flags = view_;
    flags.historyVisible = platform_.historyWindowVisible() ? 1 : 0;
    return flags;
}

int dockedWindowLeft(const WindowFrame& mainWindow, int screenRight) {
    int mainRight = mainWindow.left + mainWindow.width;
    if (screenRight - mainRight > mainWindow.width - 1) return mainRight;
    return mainWindow.left - mainWindow.width;
}

int compositionWindowLeft(const WindowFrame& mainWindow) {
    if (mainWindow.left >= mainWindow.width) return mainWindow.left - mainWindow.width;
    return mainWindow.left + mainWindow.width;
}

bool fitsOnScreen(const WindowFrame& window, const WindowFrame& workArea) {
    return window.width <= workArea.width && window.height <= workArea.height;
}

WindowFrame resizedBeside(WindowFrame window, int width, int height, const WindowFrame& mainWindow,
                          const WindowFrame& workArea) {
    width = std::min(width, workArea.width);
    height = std::min(height, workArea.height);
    bool onLeft = 2 * window.left + window.width < 2 * mainWindow.left + mainWindow.width;
    const int leftRoom = mainWindow.left - workArea.left;
    const int rightRoom = workArea.left + workArea.width - mainWindow.left - mainWindow.width;
    if (width > (onLeft ? leftRoom : rightRoom) && std::max(leftRoom, rightRoom) >= mainWindow.width / 2) {
        // Too wide for its side: it goes to the side with more room, cut to
        // that room, where its scroll bars show the rest of the table rather
        // than the window covering the keys.
        onLeft = leftRoom > rightRoom;
        width = std::min(width, std::max(leftRoom, rightRoom));
        window.left = onLeft ? mainWindow.left - window.width : mainWindow.left + mainWindow.width;
    }
    if (onLeft) window.left += window.width - width;
    window.width = width;
    window.height = height;
    return keptOnScreen(window, workArea);
}

WindowFrame keptOnScreen(WindowFrame window, const WindowFrame& workArea) {
    window.left = std::max(std::min(window.left, workArea.left + workArea.width - window.width), workArea.left);
    window.top = std::max(std::min(window.top, workArea.top + workArea.height - window.height), workArea.top);
    return window;
}

}  // namespace molvane
