// SPDX-License-Identifier: MIT
// Save As, Print and Help: the history as a file and on paper, and the help.
#include "settings/atomic_file.h"
#include "ui/failure_message.h"
#include "ui/history_file.h"
#include "ui/local_time.h"
#include "ui/print_layout.h"
#include "ui/window_logic.h"

namespace molvane {

namespace {

constexpr const char* kHistoryNotSavedMessage = "The history could not be saved.";
constexpr const char* kHistoryNotPrintedMessage = "The history could not be printed.";
constexpr const char* kHelpNotShownMessage = "The help could not be shown.";

}  // namespace

// Written beside the old file and renamed over it, so a failed save never
// leaves half a history where a whole one was.
void WindowLogic::saveHistoryFile() {
    std::filesystem::path file = platform_.chooseFileToSave(defaultHistoryFileName(localTimeNow()));
    if (file.empty()) return;
    std::error_code error = replaceFileReporting(file, savedHistoryBytes(platform_.historyText()), fileWriter_);
    if (error) platform_.showErrorMessage(kMessageCaption, fileFailureMessage(kHistoryNotSavedMessage, file, error));
}

void WindowLogic::printHistory(bool preview) {
    reportFailure(kHistoryNotPrintedMessage, platform_.printText(kPrintDocumentName, platform_.historyText(), preview));
}

void WindowLogic::showHelp() { reportFailure(kHelpNotShownMessage, platform_.showHelp()); }

// A cancelled dialog is the user's choice and says nothing.
void WindowLogic::reportFailure(std::string_view what, const PlatformResult& result) {
    if (result.outcome == PlatformResult::Outcome::Failed)
        platform_.showErrorMessage(kMessageCaption, fileFailureMessage(what, result));
}

}  // namespace molvane
