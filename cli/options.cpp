// SPDX-License-Identifier: MIT
#include "cli/options.h"

#include <string_view>

namespace molvane {

namespace {

// "--file=NAME": the value stands in the argument itself.
bool carriesValue(std::string_view argument, std::string_view name) {
    return argument.size() > name.size() && argument.starts_with(name) && argument[name.size()] == '=';
}

// An option that takes a value, as "--file NAME", "--file=NAME" or "-f NAME".
void takeValue(const std::vector<std::string>& arguments, std::size_t& i, std::string_view name, std::string& value,
               std::string& error) {
    const std::string& argument = arguments[i];
    if (carriesValue(argument, name)) {
        value = argument.substr(name.size() + 1);
    } else if (i + 1 >= arguments.size()) {
        error = "option " + argument + " needs a value";
    } else {
        value = arguments[++i];
    }
}

bool isOption(std::string_view argument, std::string_view longName, std::string_view shortName = {}) {
    if (argument == longName || (!shortName.empty() && argument == shortName)) return true;
    return carriesValue(argument, longName);
}

}  // namespace

CliOptions parseOptions(const std::vector<std::string>& arguments) {
    CliOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size() && options.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded) {
            options.sources.push_back({false, argument});
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (isOption(argument, "--file", "-f")) {
            TaskSource file{true, {}};
            takeValue(arguments, i, "--file", file.value, options.error);
            options.sources.push_back(file);
        } else if (isOption(argument, "--config")) {
            takeValue(arguments, i, "--config", options.configFile, options.error);
        } else if (argument == "--json") {
            options.format = OutputFormat::Json;
        } else if (argument == "--terse" || argument == "-t") {
            options.terse = true;
        } else if (argument == "--composition") {
            options.showComposition = true;
        } else if (argument == "--no-config") {
            options.readConfig = false;
        } else if (argument == "--save-config") {
            options.saveConfig = true;
        } else if (argument == "--help" || argument == "-h") {
            options.showHelp = true;
        } else if (argument == "--version" || argument == "-V") {
            options.showVersion = true;
        } else if (argument.size() > 2 && argument.compare(0, 2, "--") == 0) {
            options.error = "unknown option " + argument;
        } else {
            // Anything else is a task, so "-5*2" needs no "--" in front.
            options.sources.push_back({false, argument});
        }
    }
    if (options.error.empty() && !options.readConfig && !options.configFile.empty()) {
        options.error = "--config and --no-config exclude each other";
    }
    if (options.terse) {
        if (options.error.empty() && options.format == OutputFormat::Json) {
            options.error = "--json and --terse exclude each other";
        }
        options.format = OutputFormat::Terse;
    }
    return options;
}

std::string usageText() {
    return "Usage: molvane-cli [options] [TASK ...]\n"
           "Runs each TASK as the calculator's Enter key would, on one record: the previous\n"
           "answer, the memory and the settings carry over from task to task. Without TASKs\n"
           "and without -f, tasks are read from standard input, one a line.\n"
           "\n"
           "Options:\n"
           "  -f, --file FILE   run every line of FILE as a task (\"-\": standard input);\n"
           "                    lines end at LF, CR LF or CR\n"
           "  -t, --terse       print only the answers, one line per task (a quadratic's\n"
           "                    roots x1 x2 on one line); a failure's message goes to stderr\n"
           "      --json        print one JSON object per input line\n"
           "      --composition after each formula task, its elements: symbol, count, mass and\n"
           "                    percent of the molar mass (with --json, a \"composition\" array)\n"
           "      --config FILE read the settings from FILE instead of the user's mvn.cfg\n"
           "      --no-config   read no configuration file\n"
           "      --save-config write the settings, as they stand after the last task, to the\n"
           "                    configuration file in use\n"
           "  -h, --help        show this help\n"
           "  -V, --version     show the version\n"
           "\n"
           "In a formula '+' joins a hydrate and '*' multiplies: CuSO4+5H2O is the\n"
           "hydrate (249.685), CuSO4*5H2O the product of the two masses.\n"
           "Text pasted from elsewhere reads as meant: 5\u22121, x\u00B2, H\u2082O, \u03C0, CuSO4\u00B75H2O.\n"
           "\n"
           "Exit status: 0 when every task gave an answer, 1 when a task failed (its\n"
           "message is still printed), the settings could not be saved or the output\n"
           "could not be written, 2 for a usage error or a file that cannot be read.\n"
           "\n"
           "Examples:\n"
           "  molvane-cli '2+3' '*2'          # 2+3 = 5, then 5*2 = 10\n"
           "  molvane-cli h2so4               # H2SO4 = 98.07848\n"
           "  molvane-cli --composition h2so4 # and how much of it is H, S and O\n"
           "  molvane-cli '#deg' '2sin30'     # sine in degrees\n"
           "  molvane-cli 'x^2-3x+2'          # both roots of the equation\n";
}

}  // namespace molvane
