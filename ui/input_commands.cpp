// SPDX-License-Identifier: MIT
// The keypad, the memory keys and the editing commands of the input line.
#include <algorithm>

#include "engine/normalize.h"
#include "engine/text.h"
#include "ui/keypad.h"
#include "ui/window_layout.h"
#include "ui/window_logic.h"

namespace molvane {

namespace {

// The key stores what the result line shows, an answer (kAnswerLimit); the
// memory field is two characters larger (kMemoryLimit) only because a memory
// directive writes its own number text there.
constexpr std::size_t kMemoryStoreLimit = kAnswerLimit;

std::string selectedPart(const std::string& text, TextSelection selection) {
    std::size_t start = std::min(static_cast<std::size_t>(std::max(selection.start, 0)), text.size());
    std::size_t end = std::min(static_cast<std::size_t>(std::max(selection.end, 0)), text.size());
    if (end < start) std::swap(start, end);
    return text.substr(start, end - start);
}

}  // namespace

void WindowLogic::pressKey(int key) {
    switch (key) {
        case KeyInverse - KeyFirst: toggleInverseMode(); return;
        case KeyEnclose - KeyFirst: dispatchCommand(EditEnclose); break;
        case KeyReciprocal - KeyFirst: encloseText("1/(", true); break;
        case KeyClear - KeyFirst: pressClearKey(); break;
        case KeyMemoryStore - KeyFirst: storeMemory(); break;
        case KeyMemoryRecall - KeyFirst: insertText(textOf(session_.current.szMemory)); break;
        case KeyMemoryAdd - KeyFirst: addToMemory(); break;
        default:
            if (!isTextKey(key)) return;
            pressTextKey(key);
            break;
    }
    platform_.focusInputLine();
}

// In inverse mode a function key takes its inverse ("sin" gives "asin") and
// releases inverse mode; digits and other texts leave it on.
void WindowLogic::pressTextKey(int key) {
    if (inverseMode_ && isInvertibleKey(key)) {
        insertText("a");
        dispatchCommand(KeyInverse);
    }
    insertText(keyText(key));
}

void WindowLogic::toggleInverseMode() {
    inverseMode_ = !inverseMode_;
    std::string prefix = inverseMode_ ? "a" : " ";
    platform_.setKeyChecked(KeyInverse, inverseMode_);
    platform_.setControlName(KeyInverse, switchName(KeyInverse, inverseMode_));
    platform_.setControlText(KeyClear, inverseMode_ ? "MC" : "C");
    platform_.setControlText(KeyMemoryAdd, inverseMode_ ? "M-" : "M+");
    for (int key = 0; key < kKeyCount; ++key) {
        if (isInvertibleKey(key))
            platform_.setControlText(KeyFirst + key, prefix + std::string(keyText(key).substr(0, 3)));
        if (isInvertibleKey(key) || key == ClearKey || key == MemoryAddKey)
            platform_.setControlName(KeyFirst + key, keyName(key, inverseMode_));
    }
    platform_.focusInputLine();
}

void WindowLogic::pressClearKey() {
    if (!inverseMode_) {
        platform_.setInputText(" ");
        return;
    }
    session_.current.szMemory[0] = '\0';
    refreshIndicators();
    updateMemoryToolTip();
    dispatchCommand(KeyInverse);
}

// The memory takes the answer as shown, grouping and comma included, but only
// when it reads as a number: a message leaves the memory as it was, as the
// memory directives do.
void WindowLogic::storeMemory() {
    std::string shown = platform_.controlText(LowerResultLine).substr(0, kMemoryStoreLimit);
    FixedText<kMathsLimit> number;
    if (takeNumberText(shown, number)) writeTextCut(session_.current.szMemory, shown);
    updateMemoryToolTip();
    refreshIndicators();
}

void WindowLogic::addToMemory() {
    bool subtract = inverseMode_;
    runMemoryDirective(subtract ? "#mem-" : "#mem+", textOf(session_.current.szResult));
    if (subtract) dispatchCommand(KeyInverse);
    updateMemoryToolTip();
    refreshIndicators();
}

void WindowLogic::runMemoryDirective(std::string_view directive, std::string_view result) {
    CalcState scratch = session_.current;
    writeTextCut(scratch.szResult, result);
    writeTextCut(scratch.szTask, directive);
    if (runTask(scratch) == Directive) writeTextCut(session_.current.szMemory, textOf(scratch.szMemory));
}

void WindowLogic::updateMemoryToolTip() {
    platform_.setToolTip(MemoryIndicator, std::string(textOf(session_.current.szMemory)));
}

void WindowLogic::insertText(std::string_view text) { platform_.replaceInputSelection(std::string(text)); }

// The whole line is read, not a fixed part of it, so wrapping never loses text;
// a line grown past the limit is refused at Enter like a typed one.
void WindowLogic::encloseText(std::string_view prefix, bool reciprocal) {
    TextSelection selection = platform_.inputSelection();
    std::string text = platform_.inputText();
    if (!reciprocal && selection.start == 0 && selection.end == 0) return;
    if (reciprocal && text.empty()) text = std::string(textOf(session_.current.szResult));
    if (selection.start == selection.end) {
        if (text.empty()) return;
        std::string enclosed = std::string(prefix) + text + ")";
        platform_.setInputText(enclosed);
        platform_.setInputSelection(static_cast<int>(enclosed.size()), static_cast<int>(enclosed.size()));
        return;
    }
    insertText(std::string(prefix) + selectedPart(text, selection) + ")");
    if (!reciprocal) platform_.focusInputLine();
}

void WindowLogic::deleteBackwards() {
    TextSelection selection = platform_.inputSelection();
    if (selection.start == 0 && selection.end == 0) return;
    if (selection.start == selection.end) platform_.setInputSelection(selection.start - 1, selection.start);
    platform_.clearInputSelection();
}

void WindowLogic::cutInput() {
    std::string selected = selectedPart(platform_.inputText(), platform_.inputSelection());
    if (selected.empty()) return;
    platform_.setClipboardText(selected);
    platform_.clearInputSelection();
}

void WindowLogic::copyInput() { copyToClipboard(selectedPart(platform_.inputText(), platform_.inputSelection())); }

// A one-line field takes a pasted text up to its first line break.
void WindowLogic::pasteInput() {
    if (!platform_.clipboardHasText()) return;
    std::string text = platform_.clipboardText();
    text = text.substr(0, text.find_first_of("\r\n"));
    insertText(text);
}

void WindowLogic::copyToClipboard(std::string_view text) {
    if (!text.empty()) platform_.setClipboardText(std::string(text));
}

void WindowLogic::insertDisplayLine(int id, int notification) {
    if (notification != kNotifyClicked) return;
    insertText(platform_.controlText(id));
    platform_.focusInputLine();
}

// Up walks back from the newest task, Down forward again and past the newest
// to an empty line; beyond either end the line stays as it is.
void WindowLogic::recallTask(int step) {
    int recalled = std::clamp(recalled_ + step, -1, static_cast<int>(recentTasks_.size()) - 1);
    if (recalled == recalled_) return;
    recalled_ = recalled;
    // The list is kept oldest first, so that a long task file only appends.
    platform_.setInputText(recalled < 0 ? std::string()
                                        : recentTasks_[recentTasks_.size() - 1 - static_cast<std::size_t>(recalled)]);
}

// A new task, or an emptied list, starts the recall at the newest again.
void WindowLogic::addRecentTask(const std::string& task) {
    recentTasks_.push_back(task);
    recalled_ = -1;
    platform_.insertRecentTask(task);
}

void WindowLogic::clearRecentTasks() {
    recentTasks_.clear();
    recalled_ = -1;
    platform_.clearRecentTasks();
}

void WindowLogic::chooseRecentTask(int notification) {
    if (notification == kNotifySelectionConfirmed) {
        std::string task = platform_.selectedRecentTask();
        platform_.setInputText(task);
        platform_.setInputSelection(static_cast<int>(task.size()), static_cast<int>(task.size()));
    }
    // Taking the focus back as it leaves would trap the keyboard in the input line.
    if (notification != kNotifyFocusLost && notification != kNotifySelectionCancelled) platform_.focusInputLine();
}

}  // namespace molvane
