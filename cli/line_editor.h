// SPDX-License-Identifier: MIT
// Lines typed at a terminal: editing, and a history recalled with Up and Down
// that lasts from run to run.
#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>

namespace molvane {

// Reads one typed line into `line`; false at the end of the input (Ctrl-D).
using TerminalReader = std::function<bool(std::string& line)>;

// $XDG_STATE_HOME/molvane/cli_history, or ~/.local/state/molvane/cli_history;
// empty when neither folder is known.
std::filesystem::path terminalHistoryPath();

// A reader that shows `prompt` and edits the line with libedit, keeping the
// history in `historyFile` (none when empty). Without libedit, lines are read
// from `in` after the prompt is written to `out`.
TerminalReader lineEditor(const std::string& prompt, const std::filesystem::path& historyFile, std::istream& in,
                          std::ostream& out);

}  // namespace molvane
