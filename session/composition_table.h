// SPDX-License-Identifier: MIT
// A formula's composition as text, the same for the terminal and the window.
//
// Texts are engine texts (Windows-1252); the front end converts them at its edge.
#pragma once

#include <string>
#include <string_view>

#include "chemistry/composition.h"
#include "engine/engine.h"

namespace molvane {

// One line per element: symbol, count, mass and percent (4 decimals) in
// columns aligned on the right, each line indented by two blanks and ended by
// `lineEnd`. `withHeader` puts the columns' names on a first line; with
// `decimalComma` the numbers have commas, as the answers do.
std::string compositionTable(const Composition& composition, bool withHeader, bool decimalComma,
                             std::string_view lineEnd);

// What the Composition window shows for the task that `record` holds as runTask
// left it: the task and its answer over the table, or why there is none
// ("No formula in the last task"). "\r\n" line ends.
std::string compositionWindowText(int kind, const CalcState& record);

}  // namespace molvane
