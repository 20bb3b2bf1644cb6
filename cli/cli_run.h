// molvane-cli from parsed options to exit status, on any streams (so tests can run it).
#pragma once

#include <iosfwd>

#include "cli/options.h"

namespace molvane {

// Exit status: 0 when every task ran (a failed task's message is its answer),
// 1 when the configuration could not be saved, 2 for a usage error or a file
// that cannot be read.
int runCli(const CliOptions& options, std::istream& in, std::ostream& out, std::ostream& err, bool interactive);

}  // namespace molvane
