// Runs molvane-cli's whole program in the test process, with its streams captured.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_run.h"

using namespace molvane;

struct CliResult {
    int status;
    std::string out, err;
};

inline CliResult runCliWith(const std::vector<std::string>& arguments, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    int status = runCli(parseOptions(arguments), in, out, err, false);
    return {status, out.str(), err.str()};
}
