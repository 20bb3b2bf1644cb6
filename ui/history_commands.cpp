// SPDX-License-Identifier: MIT
// Save As and Print: the history as a file and on paper.
#include "settings/atomic_file.h"
#include "ui/failure_message.h"
#include "ui/history_file.h"
#include "ui/local_time.h"
#include "ui/print_layout.h"
#include "ui/window_logic.h"

namespace molvane {

namespace {

constexpr const char* kHistoryNotSavedMessage = "The history could not be saved.";

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
    platform_.printText(kPrintDocumentName, platform_.historyText(), preview);
}

}  // namespace molvane
