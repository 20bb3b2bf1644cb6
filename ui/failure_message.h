// SPDX-License-Identifier: MIT
// The text of a box that says a file operation failed: what failed, the file,
// and the reason the system gave, so the user can put it right.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "ui/platform.h"

namespace molvane {

// "`what`", a blank line, the file's path and the reason, as an engine text;
// without a file, the reason alone under the blank line.
std::string fileFailureMessage(std::string_view what, const std::filesystem::path& file, std::string_view reason);
std::string fileFailureMessage(std::string_view what, const std::filesystem::path& file, std::error_code reason);

// The same for an operation of the platform that failed: its reason in words.
std::string fileFailureMessage(std::string_view what, const PlatformResult& result);

}  // namespace molvane
