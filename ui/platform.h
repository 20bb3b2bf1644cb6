// SPDX-License-Identifier: MIT
// What the window logic needs from the toolkit, and no more.
//
// Every text crossing this interface is an engine text: single-byte
// Windows-1252, so the logic never converts and the implementation converts
// once, at the toolkit's edge. Controls are named by their command ids.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace molvane {

// The caption of every message box: the program's name.
inline constexpr const char* kMessageCaption = "Molvane";

struct TextSelection {
    int start = 0;
    int end = 0;  // start == end: no selection, the caret at start
};

// Why an operation of the platform failed. The platform says what happened;
// the window logic words the message, once for every toolkit.
enum class FailureReason {
    None,
    NoPrinter,          // no printer is installed
    PrintDialogFailed,  // the system's print dialog did not open; `code` is its error
    PrinterNotStarted,  // the printer `subject` did not take the document
    FileMissing,        // `subject` does not exist
    NoViewer,           // no program could be started to show `subject`
};

// How an operation that the user may cancel, or the system refuse, ended.
struct PlatformResult {
    enum class Outcome { Done, Cancelled, Failed };
    Outcome outcome = Outcome::Done;
    FailureReason reason = FailureReason::None;
    std::filesystem::path subject;  // the printer or file concerned, or empty
    unsigned long code = 0;

    static PlatformResult cancelled() { return {Outcome::Cancelled, FailureReason::None, {}, 0}; }
    static PlatformResult failed(FailureReason why, std::filesystem::path what = {}, unsigned long number = 0) {
        return {Outcome::Failed, why, std::move(what), number};
    }
};

// A window's frame on the screen, in the toolkit's pixels.
struct WindowFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

class Platform {
public:
    virtual ~Platform() = default;

    // The display lines, their tooltips, the key captions and the root labels.
    virtual void setControlText(int id, const std::string& text) = 0;
    virtual std::string controlText(int id) const = 0;
    virtual void setToolTip(int id, const std::string& text) = 0;
    virtual void setControlVisible(int id, bool visible) = 0;
    virtual void setKeyChecked(int id, bool checked) = 0;
    // An indicator reads dark when active and greyed otherwise.
    virtual void setIndicatorActive(int id, bool active) = 0;
    // What a screen reader calls the control from now on.
    virtual void setControlName(int id, const std::string& name) = 0;
    // Says `text` to a screen reader once, as the answer line's news, without
    // moving the focus from the input line.
    virtual void announce(const std::string& text) = 0;

    // The input line. replaceInputSelection and clearInputSelection can be undone.
    virtual std::string inputText() const = 0;
    virtual void setInputText(const std::string& text) = 0;
    virtual TextSelection inputSelection() const = 0;
    virtual void setInputSelection(int start, int end) = 0;
    virtual void replaceInputSelection(const std::string& text) = 0;
    virtual void clearInputSelection() = 0;
    virtual void undoInput() = 0;
    virtual bool inputCanUndo() const = 0;
    virtual void focusInputLine() = 0;

    // The recent-tasks list, newest first.
    virtual void insertRecentTask(const std::string& task) = 0;
    // Many at once, oldest first, as a task file leaves them: a toolkit whose
    // list moves every item for each insertion takes them in one go.
    virtual void insertRecentTasks(const std::vector<std::string>& tasks) {
        for (const std::string& task : tasks) insertRecentTask(task);
    }
    virtual void clearRecentTasks() = 0;
    virtual std::string selectedRecentTask() const = 0;

    // The main window: full height or cut below the input line; z-order; closing.
    virtual void setDisplayOnly(bool displayOnly) = 0;
    virtual void setAlwaysOnTop(bool onTop) = 0;
    virtual WindowFrame mainWindowFrame() const = 0;
    virtual int screenRight() const = 0;
    virtual void closeMainWindow() = 0;

    // The Task History window and its text ("\r\n" line ends).
    virtual bool historyWindowVisible() const = 0;
    virtual void showHistoryWindow(int left, int top) = 0;
    virtual void hideHistoryWindow() = 0;
    virtual void setHistoryText(const std::string& text) = 0;
    virtual void appendHistoryText(const std::string& text) = 0;
    virtual std::string historyText() const = 0;

    // The Composition window: a formula's elements beside the main window
    // ("\r\n" line ends). Showing it when it shows brings it to the front.
    virtual bool compositionWindowVisible() const = 0;
    virtual void showCompositionWindow(int left, int top) = 0;
    virtual void hideCompositionWindow() = 0;
    virtual void setCompositionText(const std::string& text) = 0;

    virtual std::string clipboardText() const = 0;
    virtual bool clipboardHasText() const = 0;
    virtual void setClipboardText(const std::string& text) = 0;

    virtual void showErrorMessage(const std::string& caption, const std::string& text) = 0;

    // Dialogs. A file dialog returns an empty path when the user cancelled;
    // the Save dialog asks before an existing file is replaced.
    virtual std::filesystem::path chooseFileToOpen() = 0;
    virtual std::filesystem::path chooseFileToSave(const std::string& suggestedName) = 0;
    // The print dialog, or a preview, for `text` laid out by layOutPages.
    virtual PlatformResult printText(const std::string& documentName, const std::string& text, bool preview) = 0;
    virtual void runNumberFormatDialog() = 0;
    virtual void runAboutDialog() = 0;
    // The program's own help document, in a window of its own.
    virtual PlatformResult showHelp() = 0;

    // A long operation: after about a second it shows its progress with a
    // Cancel button. reportProgress is false once the user has cancelled.
    virtual void beginProgress(const std::string& label, int total) = 0;
    virtual bool reportProgress(int done) = 0;
    virtual void endProgress() = 0;
};

}  // namespace molvane
