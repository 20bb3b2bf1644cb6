// SPDX-License-Identifier: MIT
// An in-memory platform: every control is a field the tests can read.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "ui/platform.h"

using namespace molvane;

class FakePlatform : public Platform {
public:
    std::map<int, std::string> texts, toolTips, names;
    std::vector<std::string> announced;
    std::map<int, bool> visible, checked, active;
    std::string input;
    TextSelection selection;
    std::vector<std::string> undoTexts, recentTasks;
    int selectedRecent = 0;
    bool displayOnly = false, onTop = false, historyShown = false, compositionShown = false;
    int historyLeft = 0, compositionLeft = 0;
    WindowFrame frame{379, 177, 267, 414};
    std::string history, clipboard, composition;
    std::vector<std::string> messages;
    int focusRequests = 0;
    std::filesystem::path openName, saveName;  // empty: the dialog is cancelled
    int progressTotal = -1, cancelAt = -1, historyAppends = 0;
    bool progressEnded = false;
    std::string opened;                      // the dialogs and the help opened, and Exit, in order
    PlatformResult printResult, helpResult;  // what printing and the help report

    void setControlText(int id, const std::string& text) override { texts[id] = text; }
    std::string controlText(int id) const override { return texts.count(id) ? texts.at(id) : ""; }
    void setToolTip(int id, const std::string& text) override { toolTips[id] = text; }
    void setControlVisible(int id, bool shown) override { visible[id] = shown; }
    void setKeyChecked(int id, bool on) override { checked[id] = on; }
    void setIndicatorActive(int id, bool on) override { active[id] = on; }
    void setControlName(int id, const std::string& name) override { names[id] = name; }
    void announce(const std::string& text) override { announced.push_back(text); }

    std::string inputText() const override { return input; }
    void setInputText(const std::string& text) override {
        input = text, selection = {static_cast<int>(text.size()), static_cast<int>(text.size())}, undoTexts.clear();
    }
    TextSelection inputSelection() const override { return selection; }
    void setInputSelection(int start, int end) override { selection = {start, end}; }
    void replaceInputSelection(const std::string& text) override {
        undoTexts.push_back(input);
        input.replace(static_cast<std::size_t>(selection.start),
                      static_cast<std::size_t>(selection.end - selection.start), text);
        selection.start += static_cast<int>(text.size());
        selection.end = selection.start;
    }
    void clearInputSelection() override {
        if (selection.start != selection.end) replaceInputSelection("");
    }
    void undoInput() override {
        if (undoTexts.empty()) return;
        input = undoTexts.back(), undoTexts.pop_back();
        selection = {static_cast<int>(input.size()), static_cast<int>(input.size())};
    }
    bool inputCanUndo() const override { return !undoTexts.empty(); }
    void focusInputLine() override { ++focusRequests; }

    void insertRecentTask(const std::string& task) override { recentTasks.insert(recentTasks.begin(), task); }
    void clearRecentTasks() override { recentTasks.clear(); }
    std::string selectedRecentTask() const override { return recentTasks.at(static_cast<std::size_t>(selectedRecent)); }

    void setDisplayOnly(bool on) override { displayOnly = on; }
    void setAlwaysOnTop(bool on) override { onTop = on; }
    WindowFrame mainWindowFrame() const override { return frame; }
    int screenRight() const override { return 1024; }
    void closeMainWindow() override { opened += "Exit;"; }

    bool historyWindowVisible() const override { return historyShown; }
    void showHistoryWindow(int left, int) override { historyShown = true, historyLeft = left; }
    void hideHistoryWindow() override { historyShown = false; }
    void setHistoryText(const std::string& text) override { history = text; }
    void appendHistoryText(const std::string& text) override { history += text, ++historyAppends; }
    std::string historyText() const override { return history; }

    bool compositionWindowVisible() const override { return compositionShown; }
    void showCompositionWindow(int left, int) override { compositionShown = true, compositionLeft = left; }
    void hideCompositionWindow() override { compositionShown = false; }
    void setCompositionText(const std::string& text) override { composition = text; }

    std::string clipboardText() const override { return clipboard; }
    bool clipboardHasText() const override { return !clipboard.empty(); }
    void setClipboardText(const std::string& text) override { clipboard = text; }
    void showErrorMessage(const std::string& caption, const std::string& text) override {
        messages.push_back(caption + ": " + text);
    }
    std::filesystem::path chooseFileToOpen() override { return openName; }
    std::filesystem::path chooseFileToSave(const std::string&) override { return saveName; }
    PlatformResult printText(const std::string&, const std::string&, bool) override { return printResult; }
    void runNumberFormatDialog() override { opened += "Number Format;"; }
    void runAboutDialog() override { opened += "About;"; }
    PlatformResult showHelp() override {
        opened += "Help;";
        return helpResult;
    }
    void beginProgress(const std::string&, int total) override { progressTotal = total; }
    bool reportProgress(int done) override { return done != cancelAt; }
    void endProgress() override { progressEnded = true; }
};
