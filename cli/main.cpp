// molvane-cli: the calculator's engine for shells and scripts.
#include <fcntl.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_run.h"

int main(int argc, char** argv) {
    // A closed standard output could be taken over by the next file opened.
    if (fcntl(STDOUT_FILENO, F_GETFD) == -1) {
        std::cerr << "molvane-cli: cannot write to standard output: it is closed\n";
        return 1;
    }
    std::ios::sync_with_stdio(false);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    molvane::CliOptions options = molvane::parseOptions(arguments);
    bool interactive = options.sources.empty() && isatty(STDIN_FILENO);
    return molvane::runCli(options, std::cin, std::cout, std::cerr, interactive);
}
