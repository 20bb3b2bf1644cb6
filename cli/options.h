// SPDX-License-Identifier: MIT
// The command line of molvane-cli.
#pragma once

#include <string>
#include <vector>

#include "cli/session.h"

namespace molvane {

struct TaskSource {
    bool isFile = false;
    std::string value;  // a task, or the name of a file of tasks
};

struct CliOptions {
    std::vector<TaskSource> sources;  // in command-line order; none: standard input
    OutputFormat format = OutputFormat::History;
    bool terse = false;  // -t: OutputFormat::Terse once parsed
    bool readConfig = true;
    std::string configFile;  // empty: the per-user configuration file
    bool saveConfig = false;
    bool showComposition = false;  // the elements of each formula task after its answer
    bool showHelp = false;
    bool showVersion = false;
    std::string error;  // a usage error, or empty
};

CliOptions parseOptions(const std::vector<std::string>& arguments);

// The text that --help prints.
std::string usageText();

}  // namespace molvane
