// SPDX-License-Identifier: MIT
// Replacing a file so that a failure never leaves half of it: the new bytes go
// to a temporary file beside the old one, reach the disk, and are renamed over it.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>
#include <system_error>

namespace molvane {

// Writes all of `bytes` to the open file `descriptor`; false when it cannot.
using FileWriter = std::function<bool(int descriptor, std::string_view bytes)>;

// The writer saveConfiguration uses: write() until every byte is out.
bool writeAllBytes(int descriptor, std::string_view bytes);

// Replaces `file` by `bytes`: writes them with `writeBytes` into a temporary file
// in the same folder, which must exist, flushes it to the disk and renames it
// over `file`. On any failure the temporary file is removed, `file` is left as it
// was, and the result tells why: the system's error, or an input/output error
// when a writer failed without saying why. Empty on success.
std::error_code replaceFileReporting(const std::filesystem::path& file, std::string_view bytes,
                                     const FileWriter& writeBytes);

}  // namespace molvane
