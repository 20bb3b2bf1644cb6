// SPDX-License-Identifier: MIT
// The platform calls of the window logic, carried out by the page's script.
//
// Each call goes to the method of the same name on the script's page object,
// with texts as the browser's UTF-16 strings and caret positions counted in
// them; the engine's Windows-1252 is converted here, at the edge, as the
// desktop programs convert at theirs.
#pragma once

#include <emscripten/val.h>

#include <filesystem>
#include <string>

#include "ui/platform.h"

namespace molvane {

// Where the page keeps its files in the module's memory: the settings as read
// at start and saved, a picked task file, and a saved history on its way to
// the browser's download.
inline constexpr const char* kSettingsFile = "/settings/mvn.cfg";
inline constexpr const char* kPickedFolder = "/picked";
inline constexpr const char* kSavedFolder = "/saved";

class WebPlatform : public Platform {
public:
    explicit WebPlatform(emscripten::val page) : page_(std::move(page)) {}

    void setControlText(int id, const std::string& text) override;
    std::string controlText(int id) const override;
    void setToolTip(int id, const std::string& text) override;
    void setControlVisible(int id, bool visible) override;
    void setKeyChecked(int id, bool checked) override;
    void setIndicatorActive(int id, bool active) override;
    void setControlName(int id, const std::string& name) override;
    void announce(const std::string& text) override;

    std::string inputText() const override;
    void setInputText(const std::string& text) override;
    TextSelection inputSelection() const override;
    void setInputSelection(int start, int end) override;
    void replaceInputSelection(const std::string& text) override;
    void clearInputSelection() override;
    void undoInput() override;
    bool inputCanUndo() const override;
    void focusInputLine() override;

    void insertRecentTask(const std::string& task) override;
    void clearRecentTasks() override;
    std::string selectedRecentTask() const override;

    void setDisplayOnly(bool displayOnly) override;
    void setAlwaysOnTop(bool onTop) override;
    WindowFrame mainWindowFrame() const override;
    int screenRight() const override;
    void closeMainWindow() override;

    bool historyWindowVisible() const override;
    void showHistoryWindow(int left, int top) override;
    void hideHistoryWindow() override;
    void setHistoryText(const std::string& text) override;
    void appendHistoryText(const std::string& text) override;
    std::string historyText() const override { return history_; }

    bool compositionWindowVisible() const override;
    void showCompositionWindow(int left, int top) override;
    void hideCompositionWindow() override;
    void setCompositionText(const std::string& text) override;

    std::string clipboardText() const override;
    bool clipboardHasText() const override;
    void setClipboardText(const std::string& text) override;

    void showErrorMessage(const std::string& caption, const std::string& text) override;

    std::filesystem::path chooseFileToOpen() override;
    std::filesystem::path chooseFileToSave(const std::string& suggestedName) override;
    PlatformResult printText(const std::string& documentName, const std::string& text, bool preview) override;
    void runNumberFormatDialog() override;
    void runAboutDialog() override;
    PlatformResult showHelp() override;

    void beginProgress(const std::string& label, int total) override;
    bool reportProgress(int done) override;
    void endProgress() override;

private:
    // A call of the page's method `name`; the result as the page gives it.
    template <typename... Arguments>
    emscripten::val call(const char* name, Arguments&&... arguments) const {
        return page_.call<emscripten::val>(name, std::forward<Arguments>(arguments)...);
    }
    std::string engineTextFrom(const char* method) const;

    emscripten::val page_;
    // The history as the logic wrote it, byte for byte: the page shows it,
    // and Save, Print and Copy take it from here.
    std::string history_;
    double progressStarted_ = 0;
    double lastProgressUpdate_ = 0;
    bool progressShown_ = false;
    std::string progressLabel_;
    int progressTotal_ = 0;
};

}  // namespace molvane
