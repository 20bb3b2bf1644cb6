// SPDX-License-Identifier: MIT
#include "ui/failure_message.h"

#include "session/encoding.h"

namespace molvane {

namespace {

std::string reasonText(const PlatformResult& result) {
    switch (result.reason) {
        case FailureReason::NoPrinter: return "No printer is installed.";
        case FailureReason::PrintDialogFailed:
            return "The print dialog failed (error " + std::to_string(result.code) + ").";
        case FailureReason::PrinterNotStarted: return "The printer could not be started.";
        case FailureReason::FileMissing: return "The file is missing.";
        case FailureReason::NoViewer: return "No program to show it could be started.";
        case FailureReason::None: break;
    }
    return "The system gave no reason.";
}

}  // namespace

std::string fileFailureMessage(std::string_view what, const std::filesystem::path& file, std::string_view reason) {
    std::string message(what);
    message += "\n\n";
    if (!file.empty()) {
        std::u8string path = file.u8string();
        message += utf8ToCp1252(std::string_view(reinterpret_cast<const char*>(path.data()), path.size()));
        message += '\n';
    }
    message += reason;
    return message;
}

std::string fileFailureMessage(std::string_view what, const std::filesystem::path& file, std::error_code reason) {
    return fileFailureMessage(what, file, reason.message());
}

std::string fileFailureMessage(std::string_view what, const PlatformResult& result) {
    return fileFailureMessage(what, result.subject, reasonText(result));
}

}  // namespace molvane
