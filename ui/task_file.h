// SPDX-License-Identifier: MIT
// The tasks of a task file, one a line.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace molvane {

// CR LF, LF and CR all end a line, and a file that ends in a line end has one
// more, empty, task after it. The whole file is decoded as decodeTaskText
// decodes task text: UTF-8 when all of it is well-formed UTF-8, Windows-1252
// otherwise. Control characters (NUL, tabs, DEL) are no part of a task and are
// dropped: the rest of the line stays.
std::vector<std::string> taskFileLines(std::string_view bytes);

// What the user is told of a task file that is not run, and why.
std::string taskFileNotRunMessage(const std::filesystem::path& file, std::string_view reason);

}  // namespace molvane
