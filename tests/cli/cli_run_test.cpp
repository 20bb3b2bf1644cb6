// SPDX-License-Identifier: MIT
// molvane-cli as scripts use it: arguments, standard input, files, JSON, exit status,
// and input nobody should feed a calculator (NUL bytes, broken UTF-8, megabyte
// lines, binary junk, folders, missing files).
#include "cli/cli_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <tuple>

#include "molvane_version.h"
#include "session/encoding.h"
#include "tests/support/files.h"

using namespace molvane;

namespace {

struct CliResult {
    int status;
    std::string out, err;
};

// Runs the whole program in the test process, with its streams captured.
CliResult runCliWith(const std::vector<std::string>& arguments, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    int status = runCli(parseOptions(arguments), in, out, err, false);
    return {status, out.str(), err.str()};
}

// Deterministic junk: every byte value but the ones named in `without`.
std::string junk(std::size_t size, std::string_view without = "") {
    std::mt19937 random(7);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        do c = static_cast<char>(random());
        while (without.find(c) != std::string_view::npos);
    }
    return bytes;
}

}  // namespace

// The typed tasks of every kind are replayed from the golden files; these rows
// check what the options and the ways of reading lines add.
TEST(CliRun, OptionsInputAndExitStatus) {
    const std::string megabyte(1 << 20, '1');
    const std::string usage = "Try 'molvane-cli --help'.\n";
    struct Row {
        std::vector<std::string> arguments;
        std::string input;
        int status;
        std::string out, err;
        bool wholeOut = true;  // false: the output need only hold `out`
    };
    const Row rows[] = {
        {{"2 \xC3\x97 3", "6 \xC3\xB7 2"}, "", 0, "2*3 = 6\n6/2 = 3\n", ""},
        {{"", "=5", "1"}, "", 0, "\n1 = 1\n", ""},
        {{"-5*2", "--", "-t"}, "", 1, "-5*2 = -10\n-t = Incorrect syntax\n", ""},
        {{std::string(510, '1')}, "", 1, "Expression is too long !\n", ""},
        // A line given back as typed never sends control characters to the terminal.
        {{"Jx\x1b[31m\r\x07"}, "", 1, "Jx?[31m?? = Unknown element symbol\n", ""},
        {{"Jx\x7F\x81\x8D"}, "", 1, "Jx??? = Unknown element symbol\n", ""},  // DEL and C1 controls
        {{"1/0", "2"}, "", 1, "1/0 = Cannot divide by zero!\n2 = 2\n", ""},
        {{"#mem"}, "", 1, "#mem = \n", ""},                      // a memory directive's error code
        {{"2", "#20"}, "", 0, "szTask     = #20\n", "", false},  // a command number is no failure
        {{"-t", "2+3", "x^2-1", "#deg"}, "", 0, "5\n-1 1\n1\n", ""},
        {{"--terse", "1/0", "2"}, "", 1, "2\n", "Cannot divide by zero!\n"},
        {{"--json", "=note", "x^2-3x+2"},
         "",
         0,
         "{\"skipped\":\"comment\"}\n{\"kind\":4,\"szTask\":\"x^2-3x+2 = 0\",\"szMaths\":\"1\",\"szResult\":\"2\","
         "\"szAnswer\":\"2\",\"szMemory\":\"\",\"angleUnit\":0,\"numberMode\":0,\"decimals\":2,\"digitGrouping\":0,"
         "\"functionSeparator\":1,\"decimalComma\":0,\"kindName\":\"quadratic\",\"answer\":\"2\",\"x1\":\"1\",\"x2\":"
         "\"2\"}\n",
         ""},
        {{"--json", "a\"b\\c\r\n\t\x01\x7F"}, "", 1, "\"szTask\":\"a\\\"b\\\\c\\r\\n\\t\\u0001\\u007f\"", "", false},
        // Past the first eight bytes, where words of eight are copied whole.
        {{"--json", "Jxxxxxxxxxxxxx\""}, "", 1, "\"szTask\":\"Jxxxxxxxxxxxxx\\\"\"", "", false},
        {{"--json", "J\xE2\x82\xAC\xC2\xB5"}, "", 1, "\"szTask\":\"J\xE2\x82\xAC\xC2\xB5\"", "", false},  // € and µ
        {{"--json", std::string(600, '2')}, "", 1, "{\"refused\":\"Expression is too long !\"}\n", ""},
        {{"--composition", "CuSO4+5H2O"},
         "",
         0,
         "CuSO4+5H2O = 249.685\n  Cu   1    63.546  25.4505\n  S    1    32.065  12.8422\n"
         "  O    9  143.9946  57.6705\n  H   10   10.0794   4.0368\n",
         ""},
        // The comma the answers use, in the table too.
        {{"--composition", "#comma", "Fe0,95O"},
         "",
         0,
         "#comma = \nFe0,95O = 69,05215\n  Fe  0,95  53,05275  76,8300\n  O      1   15,9994  23,1700\n",
         ""},
        {{"--composition", "NaCl/2", "sin(NaCl)", "2+3"},
         "",
         0,
         "NaCl/2 = 29.22138464\n  No composition: only '+' and coefficients may join the parts of a formula\n"
         ":sin(NaCl) = 0.94819053332082\n  No composition: the formula is mixed with functions\n2+3 = 5\n",
         ""},
        {{"--composition", "--json", "h2o"},
         "",
         0,
         "\"answer\":\"18.01528\",\"composition\":[{\"symbol\":\"H\",\"count\":2,\"mass\":2.01588,\"percent\":"
         "11.189834407236523},{\"symbol\":\"O\",\"count\":1,\"mass\":15.9994,\"percent\":88.81016559276347}]}\n",
         "",
         false},
        {{"--composition", "--json", "2+3"}, "", 0, "\"answer\":\"5\",\"composition\":null}\n", "", false},
        // Answers carry from standard input ("-") to the arguments after it.
        {{"--file=-", "+1"}, "h2o\r\n2*ans\n", 0, "H2O = 18.01528\n2*:ans = 36.03056\n36.03056+1 = 37.03056\n", ""},
        // "quit" is a word only at a terminal; a script's line is a task.
        {{}, "quit\n", 1, "qUIt = Incorrect syntax\n", ""},
        {{}, std::string("2+3\0\n1\0+2\n", 10), 0, "2+3 = 5\n1+2 = 3\n", ""},
        {{}, "\xFF\xFE(2+3)\n\xC3(\n2\xE2\x82\n", 1, "(2+3) = 5\n( = Missing right bracket ')'\n2 = 2\n", ""},
        // Each line is UTF-8 when it is well-formed UTF-8, and Windows-1252 when not.
        {{},
         "2\xD7"
         "3\r\n2\xC3\x97"
         "3\n\xEF\xBB\xBF"
         "6\xF7"
         "2\n",
         0,
         "2*3 = 6\n2*3 = 6\n6/2 = 3\n",
         ""},
        {{"-t"}, "4\n" + megabyte + "\n*2\n", 1, "4\n8\n", "Expression is too long !\n"},
        {{}, megabyte, 1, "Expression is too long !\n", ""},
        {{}, "7\n#mem\n" + junk(4000, "#") + "\nmem*2\n", 1, "\n:mem*2 = 14\n", "", false},
        // A lone CR ends a line, as the desktop's task files have them.
        {{}, "1\r2\r\n3\r\r4", 0, "1 = 1\n2 = 2\n3 = 3\n\n4 = 4\n", ""},
        {{"--help"}, "", 0, "'+' joins a hydrate and '*' multiplies", "", false},
        {{"-V"}, "", 0, "molvane-cli " MOLVANE_VERSION "\n", ""},
        // A refused command line ends with the way to the help.
        {{"--json", "-t"}, "", 2, "", "molvane-cli: --json and --terse exclude each other\n" + usage},
        {{"--config", "mvn.cfg"}, "", 2, "", "molvane-cli: --config and --no-config exclude each other\n" + usage},
        {{"--frobnicate"}, "", 2, "", "molvane-cli: unknown option --frobnicate\n" + usage},
        {{"-f"}, "", 2, "", "molvane-cli: option -f needs a value\n" + usage},
    };
    for (const Row& row : rows) {
        std::vector<std::string> arguments = row.arguments;
        arguments.insert(arguments.begin(), "--no-config");
        CliResult run = runCliWith(arguments, row.input);
        std::string name = arguments.back() + " with input " + row.input.substr(0, 20);
        EXPECT_EQ(run.status, row.status) << name;
        EXPECT_EQ(run.err, row.err) << name;
        if (row.wholeOut) {
            EXPECT_EQ(run.out, row.out) << name;
        } else {
            EXPECT_NE(run.out.find(row.out), std::string::npos) << name << ": no [" << row.out << "] in\n" << run.out;
        }
    }

    std::istringstream in;
    std::ostream closed(nullptr);
    std::ostringstream err;
    EXPECT_EQ(runCli(parseOptions({"--no-config", "1"}), in, closed, err, false), 1);
    EXPECT_TRUE(err.str().starts_with("molvane-cli: cannot write to standard output")) << err.str();
}

TEST(CliRun, BinaryJunkGivesUtf8LinesOnly) {
    for (const std::string format : {"--composition", "--json"}) {
        CliResult run = runCliWith({"--no-config", format}, junk(128 * 1024));
        EXPECT_EQ(run.status, 1) << format << ": junk holds failing tasks";
        EXPECT_EQ(run.err, "") << format;
        EXPECT_TRUE(isWellFormedUtf8(run.out)) << format;
    }
}

TEST(CliRun, UnreadableSourcesStopWithAMessage) {
    TemporaryFolder folder;
    const std::string missing = (folder.path() / "vanished.txt").string();
    const std::string directory = folder.path().string();
    const std::string noFile = ": No such file or directory\n", isFolder = ": it is a directory\n";
    const std::tuple<std::vector<std::string>, const char*, std::string> rows[] = {
        {{"--no-config", "1+1", "-f", missing, "2+2"}, "1+1 = 2\n", missing + noFile},
        {{"--no-config", "1+1", "-f", directory, "2+2"}, "1+1 = 2\n", directory + isFolder},
        {{"--config", missing, "1+1"}, "", missing + noFile},
        {{"--config", directory, "1+1"}, "", directory + isFolder},
    };
    for (const auto& [arguments, out, reason] : rows) {
        SCOPED_TRACE(arguments[1] + " " + arguments[arguments.size() - 2]);
        CliResult run = runCliWith(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, out);
        EXPECT_EQ(run.err, "molvane-cli: cannot read " + reason);
    }
#ifdef __linux__
    // A file that opens but fails as it is read: once the run ended by an uncaught exception.
    CliResult failing = runCliWith({"--no-config", "1+1", "-f", "/proc/self/mem", "2+2"});
    EXPECT_EQ(failing.status, 2);
    EXPECT_EQ(failing.out, "1+1 = 2\n");
    EXPECT_EQ(failing.err, "molvane-cli: reading /proc/self/mem failed\n");
    std::ifstream input("/proc/self/mem", std::ios::binary);
    std::ostringstream out, err;
    EXPECT_EQ(runCli(parseOptions({"--no-config"}), input, out, err, false), 2);
    EXPECT_EQ(err.str(), "molvane-cli: reading standard input failed\n");
#endif
}

// "help", "quit" and "exit" are words only at a terminal.
TEST(CliRun, TerminalWordsAndBanner) {
    std::vector<std::string> typed = {"2+3", " help ", "quit", "9"};
    std::size_t next = 0;
    TerminalReader terminal = [&](std::string& line) {
        if (next == typed.size()) return false;
        line = typed[next++];
        return true;
    };
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(runCli(parseOptions({"--no-config"}), in, out, err, terminal), 0);
    EXPECT_TRUE(
        out.str().starts_with("molvane-cli " MOLVANE_VERSION " - Ctrl-D quits, help for help\n2+3 = 5\nType a task"))
        << out.str();
    EXPECT_EQ(out.str().find("9 = 9"), std::string::npos) << "quit ends the run";
}

TEST(CliRun, SavesTheSettingsAndKeepsTheFilesViewOptions) {
    TemporaryFolder folder;
    std::filesystem::path config = folder.path() / "mvn.cfg";
    writeFile(config, "#503   = View history\r\n#dig 1\r\n");

    CliResult run = runCliWith({"--config", config.string(), "#deg", "#fix 4", "1234.5", "--save-config"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "#deg = \n#fix4 = \n1234.5 = 1 234.500 0\n") << "the file's grouping applies";
    // The settings after the tasks, beside the file's own view option.
    std::string bytes = readFile(config);
    for (const char* line : {"#503   = View history\r\n", "#fix   = Fixed mode for displaying numbers\r\n"}) {
        EXPECT_NE(bytes.find(line), std::string::npos) << "missing line " << line;
    }

    // The folder of a file named by --config is never made: the save fails with the desktop program's message.
    CliResult failed = runCliWith({"--config", (folder.path() / "new" / "mvn.cfg").string(), "--save-config", "1"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.err.starts_with("ERROR - Save failed !\n\nNot able to save")) << failed.err;
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "new"));
}
