// SPDX-License-Identifier: MIT
// The tasks of a task file, one a line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace molvane {

// CR LF, LF and CR all end a line, and a file that ends in a line end has one
// more, empty, task after it. Valid UTF-8 (a byte-order mark dropped) becomes
// Windows-1252, and so does UTF-16 under its byte-order mark; any other file
// is taken as Windows-1252 already. Control characters (NUL, tabs, DEL) are no
// part of a task and are dropped: the rest of the line stays.
std::vector<std::string> taskFileLines(std::string_view bytes);

}  // namespace molvane
