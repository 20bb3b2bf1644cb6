// SPDX-License-Identifier: MIT
// A saved history: its suggested file name and its bytes.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace molvane {

// "mvn_" and the day, month and year, as "mvn_05122026" for 5 December 2026.
std::string defaultHistoryFileName(const std::tm& date);

// The history as UTF-8 with the footer that names the program and its web
// site; an empty history gives an empty file, without the footer.
std::string savedHistoryBytes(std::string_view history);

}  // namespace molvane
