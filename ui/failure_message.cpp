// SPDX-License-Identifier: MIT
#include "ui/failure_message.h"

#include "session/encoding.h"

namespace molvane {

std::string fileFailureMessage(std::string_view what, const std::filesystem::path& file, std::string_view reason) {
    std::u8string path = file.u8string();
    std::string message(what);
    message += "\n\n";
    message += utf8ToCp1252(std::string_view(reinterpret_cast<const char*>(path.data()), path.size()));
    message += '\n';
    message += reason;
    return message;
}

std::string fileFailureMessage(std::string_view what, const std::filesystem::path& file, std::error_code reason) {
    return fileFailureMessage(what, file, reason.message());
}

}  // namespace molvane
