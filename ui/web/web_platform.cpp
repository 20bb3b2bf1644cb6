// SPDX-License-Identifier: MIT
#include "ui/web/web_platform.h"

#include <emscripten.h>

#include "session/utf16_text.h"
#include "ui/print_layout.h"
#include "ui/window_layout.h"

namespace molvane {

namespace {

using emscripten::val;

val text(std::string_view engineText) { return val(utf16OfEngineText(engineText)); }

std::u16string units(const val& text) { return text.isString() ? text.as<std::u16string>() : std::u16string(); }

// The page prints at the browser's 96 pixels an inch on the shorter of the two
// common papers (Letter, 11 inches), so a page of lines fits A4 too; a 10-point
// line of the fixed-pitch font takes 16 pixels.
constexpr int kPrintPaperHeight = 11 * 96;
constexpr int kPrintLineHeight = 16;

}  // namespace

std::string WebPlatform::engineTextFrom(const char* method) const { return engineTextOfUtf16(units(call(method))); }

void WebPlatform::setControlText(int id, const std::string& shown) { call("setControlText", id, text(shown)); }

// Read back byte for byte, as the desktop programs read their labels.
std::string WebPlatform::controlText(int id) const { return engineBytesOfUtf16(units(call("controlText", id))); }

void WebPlatform::setToolTip(int id, const std::string& tip) { call("setToolTip", id, text(tip)); }

void WebPlatform::setControlVisible(int id, bool visible) { call("setControlVisible", id, visible); }

void WebPlatform::setKeyChecked(int id, bool checked) { call("setKeyChecked", id, checked); }

void WebPlatform::setIndicatorActive(int id, bool active) { call("setIndicatorActive", id, active); }

// Names are the program's own UTF-8, which embind reads as such.
void WebPlatform::setControlName(int id, const std::string& name) { call("setControlName", id, val(name)); }

void WebPlatform::announce(const std::string& news) { call("announce", text(news)); }

std::string WebPlatform::inputText() const { return engineTextFrom("inputText"); }

void WebPlatform::setInputText(const std::string& line) { call("setInputText", text(line)); }

TextSelection WebPlatform::inputSelection() const {
    std::u16string line = units(call("inputText"));
    val selection = call("inputSelection");
    return {enginePositionOfUtf16(line, selection[0].as<int>()), enginePositionOfUtf16(line, selection[1].as<int>())};
}

void WebPlatform::setInputSelection(int start, int end) {
    std::u16string line = units(call("inputText"));
    call("setInputSelection", utf16PositionOfEngine(line, start), utf16PositionOfEngine(line, end));
}

void WebPlatform::replaceInputSelection(const std::string& inserted) { call("replaceInputSelection", text(inserted)); }

void WebPlatform::clearInputSelection() { call("replaceInputSelection", val(std::u16string())); }

void WebPlatform::undoInput() { call("undoInput"); }

bool WebPlatform::inputCanUndo() const { return call("inputCanUndo").as<bool>(); }

void WebPlatform::focusInputLine() { call("focusInputLine"); }

void WebPlatform::insertRecentTask(const std::string& task) { call("insertRecentTask", text(task)); }

void WebPlatform::clearRecentTasks() { call("clearRecentTasks"); }

std::string WebPlatform::selectedRecentTask() const { return engineTextFrom("selectedRecentTask"); }

void WebPlatform::setDisplayOnly(bool displayOnly) { call("setDisplayOnly", displayOnly); }

// A page cannot keep its window above the others: the option is kept, and
// saved with the settings, for the desktop programs that read the same file.
void WebPlatform::setAlwaysOnTop(bool) {}

WindowFrame WebPlatform::mainWindowFrame() const {
    val frame = call("mainWindowFrame");
    return {frame["left"].as<int>(), frame["top"].as<int>(), frame["width"].as<int>(), frame["height"].as<int>()};
}

int WebPlatform::screenRight() const { return call("screenRight").as<int>(); }

void WebPlatform::closeMainWindow() { call("closeMainWindow"); }

bool WebPlatform::historyWindowVisible() const { return call("historyWindowVisible").as<bool>(); }

void WebPlatform::showHistoryWindow(int, int) { call("showHistoryWindow"); }

void WebPlatform::hideHistoryWindow() { call("hideHistoryWindow"); }

void WebPlatform::setHistoryText(const std::string& history) {
    history_ = history;
    call("setHistoryText", text(history));
}

void WebPlatform::appendHistoryText(const std::string& added) {
    history_ += added;
    call("appendHistoryText", text(added));
}

bool WebPlatform::compositionWindowVisible() const { return call("compositionWindowVisible").as<bool>(); }

void WebPlatform::showCompositionWindow(int, int) { call("showCompositionWindow"); }

void WebPlatform::hideCompositionWindow() { call("hideCompositionWindow"); }

void WebPlatform::setCompositionText(const std::string& table) { call("setCompositionText", text(table)); }

std::string WebPlatform::clipboardText() const { return engineTextFrom("clipboardText"); }

bool WebPlatform::clipboardHasText() const { return call("clipboardHasText").as<bool>(); }

void WebPlatform::setClipboardText(const std::string& copied) { call("setClipboardText", text(copied)); }

void WebPlatform::showErrorMessage(const std::string& caption, const std::string& message) {
    call("showErrorMessage", text(caption), text(message));
}

// The browser's file picker cannot be waited for: the page opens it first and
// runs File > Open once a file is picked, copied into kPickedFolder, which is
// the working folder, so that a message names the file as the user knows it.
std::filesystem::path WebPlatform::chooseFileToOpen() { return std::filesystem::path(units(call("takePickedFile"))); }

// The browser's download asks where to keep the file, or keeps it in its
// folder; the page hands over what the logic writes here once it is written.
std::filesystem::path WebPlatform::chooseFileToSave(const std::string& suggestedName) {
    std::u16string name = utf16OfEngineText(suggestedName);
    if (!std::filesystem::path(name).has_extension()) name += u".txt";
    call("expectSaved", val(name));
    return std::filesystem::path(kSavedFolder) / name;
}

PlatformResult WebPlatform::printText(const std::string& documentName, const std::string& history, bool preview) {
    PrintGeometry geometry = printGeometry(kPrintPaperHeight, 96, 96, kPrintLineHeight);
    val pages = val::array();
    for (const PrintedPage& page : layOutPages(history, geometry.linesPerPage, {})) {
        val lines = val::array();
        for (const std::string& line : page.lines) lines.call<void>("push", text(expandedTabs(line)));
        pages.call<void>("push", lines);
    }
    call("printPages", text(documentName), pages, preview);
    return {};
}

void WebPlatform::runNumberFormatDialog() { call("showNumberFormat"); }

void WebPlatform::runAboutDialog() { call("showAbout"); }

PlatformResult WebPlatform::showHelp() {
    if (call("showHelp").as<bool>()) return {};
    return PlatformResult::failed(FailureReason::NoViewer, "molvane-help.html");
}

void WebPlatform::beginProgress(const std::string& label, int total) {
    progressLabel_ = label;
    progressTotal_ = total;
    progressStarted_ = emscripten_get_now();
    lastProgressUpdate_ = 0;
    progressShown_ = false;
}

// A short file pays a look at the clock. A long one shows its progress and
// gives the page back to the browser a few times a second, so that it draws
// and takes a click on Cancel: the logic's loop waits there, unwound by
// Asyncify, and goes on where it was.
bool WebPlatform::reportProgress(int done) {
    double elapsed = emscripten_get_now() - progressStarted_;
    if (elapsed < kProgressDelayMs) return true;
    if (!progressShown_) {
        progressShown_ = true;
        call("showProgress", text(progressLabel_), progressTotal_);
    }
    if (lastProgressUpdate_ == 0 || elapsed - lastProgressUpdate_ >= kProgressStepMs) {
        lastProgressUpdate_ = elapsed;
        call("setProgress", done);
        emscripten_sleep(0);
    }
    return !call("progressCancelled").as<bool>();
}

// The keys come back to the input line once the progress has shown.
void WebPlatform::endProgress() {
    if (!progressShown_) return;
    progressShown_ = false;
    call("endProgress");
    focusInputLine();
}

}  // namespace molvane
