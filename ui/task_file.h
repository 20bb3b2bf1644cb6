// SPDX-License-Identifier: MIT
// The tasks of a task file, one a line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace molvane {

// CR LF, LF and CR all end a line, and a file that ends in a line end has one
// more, empty, task after it. Valid UTF-8 (a byte-order mark dropped) becomes
// Windows-1252; any other file is taken as Windows-1252 already. NUL bytes are
// no text and are dropped.
std::vector<std::string> taskFileLines(std::string_view bytes);

}  // namespace molvane
