// SPDX-License-Identifier: MIT
// Open: every line of a text file run through the "=" button, as if typed.
#include "ui/task_file.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include "session/task_text.h"
#include "ui/failure_message.h"
#include "ui/line_ends.h"
#include "ui/window_logic.h"

namespace molvane {

namespace {

constexpr const char* kUnreadableFileMessage = "The task file could not be read.";
constexpr const char* kNotRunMessage = "The task file was not run.";
constexpr const char* kNotTextReason = "It does not look like a text file.";

bool isControlByte(char byte) {
    auto code = static_cast<unsigned char>(byte);
    return code < 0x20 || code == 0x7F;
}

// A text file has few control bytes besides its line ends and tabs; a picture
// or a program has many, and would run as thousands of tasks of garbage.
bool looksLikeText(std::string_view bytes) {
    std::size_t control = 0;
    for (char byte : bytes) control += isControlByte(byte) && byte != '\r' && byte != '\n' && byte != '\t';
    return control * 10 <= bytes.size();
}

// The five bytes that Windows-1252 leaves undefined stand for control characters too.
bool isCodePageGap(char byte) {
    auto code = static_cast<unsigned char>(byte);
    return code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D;
}

// The engine drops control characters (NUL, tabs, DEL); an edit control shows
// them as boxes, or worse, so a line goes into the input line without them.
std::string withoutControlCharacters(std::string_view line) {
    std::string kept;
    kept.reserve(line.size());
    for (char byte : line) {
        if (!isControlByte(byte) && !isCodePageGap(byte)) kept += byte;
    }
    return kept;
}

constexpr const char* kNotRegularFileReason = "It is not a regular file.";

// Only a regular file is opened: a named pipe or a device would block the
// window in the open call, and a folder reads as nothing.
std::string readWholeFile(const std::filesystem::path& file, std::string& bytes) {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(file, error);
    if (error) return error.message();
    if (!std::filesystem::is_regular_file(status)) return kNotRegularFileReason;
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::generic_category().message(errno != 0 ? errno : EIO);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return std::generic_category().message(EIO);
    return {};
}

}  // namespace

std::vector<std::string> taskFileLines(std::string_view bytes) {
    std::string text = decodeTaskText(bytes);
    std::vector<std::string> lines;
    for (std::string_view line : splitLines(text)) lines.push_back(withoutControlCharacters(line));
    return lines;
}

std::string taskFileNotRunMessage(const std::filesystem::path& file, std::string_view reason) {
    return fileFailureMessage(kNotRunMessage, file, reason);
}

void WindowLogic::loadTaskFile() {
    std::filesystem::path file = platform_.chooseFileToOpen();
    if (file.empty()) return;
    std::string bytes;
    std::string failure = readWholeFile(file, bytes);
    if (!failure.empty()) {
        platform_.showErrorMessage(kMessageCaption, fileFailureMessage(kUnreadableFileMessage, file, failure));
        return;
    }
    if (!looksLikeText(bytes)) {
        platform_.showErrorMessage(kMessageCaption, taskFileNotRunMessage(file, kNotTextReason));
        return;
    }
    runTaskLines(taskFileLines(bytes));
}

// Each line runs as if typed and entered, but the window is told once what
// the last line leaves on the display, in the input line and in the recent
// tasks, and the history grows a batch of lines at a time: a widget update per
// line cost fifteen times what the tasks did. The keys go back to the input
// line once, when the run ends: asked for after every line, they were taken
// from the progress window, or from another program the user had turned to.
void WindowLogic::runTaskLines(const std::vector<std::string>& lines) {
    constexpr int kLinesPerBatch = 256;
    int total = static_cast<int>(lines.size());
    platform_.beginProgress("Running the tasks of the file...", total);
    int done = 0;
    bool ran = false;
    EnterOutcome last = EnterOutcome::Ran;
    for (; done < total; ++done) {
        if (!platform_.reportProgress(done)) break;
        last = enterFileLine(lines[static_cast<std::size_t>(done)]);
        ran = ran || last == EnterOutcome::Ran;
        if ((done + 1) % kLinesPerBatch == 0) appendPendingHistory();
    }
    flushFileRun();
    if (ran) {
        showEnteredTask();
        if (platform_.compositionWindowVisible()) refreshComposition();
    }
    if (done > 0 && last == EnterOutcome::Refused) {
        // A refused line stays in the input line, as a typed one does.
        platform_.setControlText(LowerResultLine, std::string(kTooLongMessage));
        platform_.announce(std::string(kTooLongMessage));
        platform_.setInputText(lines[static_cast<std::size_t>(done - 1)]);
    } else if (done > 0) {
        if (ran) announceAnswer();
        platform_.setInputText("");
    }
    platform_.endProgress();
    platform_.focusInputLine();
}

EnterOutcome WindowLogic::enterFileLine(const std::string& line) {
    enterLine(session_, line, view_.taskNumbering != 0, {}, fileLine_);
    if (fileLine_.outcome == EnterOutcome::Ran) {
        if (!fileLine_.entry.recentTask.empty()) pendingRecentTasks_.push_back(fileLine_.entry.recentTask);
        pendingHistory_ += fileLine_.entry.text;
    }
    return fileLine_.outcome;
}

void WindowLogic::appendPendingHistory() {
    if (!pendingHistory_.empty()) platform_.appendHistoryText(pendingHistory_);
    pendingHistory_.clear();
}

void WindowLogic::flushFileRun() {
    appendPendingHistory();
    if (pendingRecentTasks_.empty()) return;
    recentTasks_.insert(recentTasks_.end(), pendingRecentTasks_.begin(), pendingRecentTasks_.end());
    recalled_ = -1;
    platform_.insertRecentTasks(pendingRecentTasks_);
    pendingRecentTasks_.clear();
}

}  // namespace molvane
