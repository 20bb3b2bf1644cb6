// SPDX-License-Identifier: MIT
// molvane-cli from parsed options to exit status, on any streams (so tests can run it).
#pragma once

#include <iosfwd>

#include "cli/line_editor.h"
#include "cli/options.h"

namespace molvane {

// Exit status: 0 when every task gave an answer; 1 when a task failed (its
// message is still its answer), the configuration could not be saved or
// standard output could not be written; 2 for a usage error or a file that
// cannot be read. With `terminal`, lines are typed at a terminal: a banner
// first, and "help", "quit" and "exit" are words there.
int runCli(const CliOptions& options, std::istream& in, std::ostream& out, std::ostream& err,
           const TerminalReader& terminal);

// As above; `interactive` edits the lines typed at the terminal with the line
// editor, its history kept from run to run.
int runCli(const CliOptions& options, std::istream& in, std::ostream& out, std::ostream& err, bool interactive);

}  // namespace molvane
