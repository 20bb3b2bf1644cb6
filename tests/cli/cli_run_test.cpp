// molvane-cli as scripts use it: arguments, standard input, files, JSON, exit status.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli/json.h"
#include "cli_helpers.h"
#include "tests/support/files.h"

using namespace molvane;

namespace {

CliResult runWith(std::vector<std::string> arguments, const std::string& input = "") {
    arguments.insert(arguments.begin(), "--no-config");
    return runCliWith(arguments, input);
}

}  // namespace

// The typed tasks of every kind are replayed from the golden files; these rows
// check what arguments add: UTF-8, empty and comment lines, "--" and refusals.
TEST(CliRun, PrintsTasksAsTheHistoryLogsThem) {
    struct Row {
        std::vector<std::string> arguments;
        const char* out;
        int status = 0;
    } rows[] = {
        {{"2 \xC3\x97 3", "6 \xC3\xB7 2"}, "2*3 = 6\n6/2 = 3\n"},
        {{"", "1"}, "\n1 = 1\n"},
        {{"=5", "1"}, "1 = 1\n"},
        {{"--", "-5*2"}, "-5*2 = -10\n"},
        {{"-5*2"}, "-5*2 = -10\n"},
        {{std::string(510, '1')}, "Expression is too long !\n", 1},
        // A line given back as typed never sends control characters to the terminal.
        {{"Jx\x1b[31m\r\x07"}, "Jx?[31m?? = Unknown element symbol\n", 1},
    };
    for (const Row& row : rows) {
        CliResult run = runWith(row.arguments);
        EXPECT_EQ(run.status, row.status) << row.arguments.front();
        EXPECT_EQ(run.out, row.out) << row.arguments.front();
    }
}

TEST(CliRun, JsonHoldsTheRecordAsRunTaskLeftIt) {
    CliResult run = runWith({"--json", "2+3", "*2"});
    EXPECT_EQ(run.status, 0);
    std::istringstream lines(run.out);
    std::string first, second;
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_EQ(first,
              "{\"kind\":0,\"szTask\":\"2+3\",\"szMaths\":\"2+3\",\"szResult\":\"5\",\"szAnswer\":\"5\","
              "\"szMemory\":\"\",\"angleUnit\":0,\"numberMode\":0,\"decimals\":2,\"digitGrouping\":0,"
              "\"functionSeparator\":1,\"decimalComma\":0,\"kindName\":\"plain\",\"answer\":\"5\"}");
    EXPECT_NE(second.find("\"szAnswer\":\"10\""), std::string::npos) << second;

    EXPECT_EQ(runWith({"--json", std::string(600, '2')}).out, "{\"refused\":\"Expression is too long !\"}\n");
    // A quadratic's record before the display splits it: first root in szResult, the other in szMaths.
    std::string quadratic = runWith({"--json", "x^2-3x+2"}).out;
    EXPECT_NE(quadratic.find("\"kind\":4,\"szTask\":\"x^2-3x+2 = 0\",\"szMaths\":\"1\",\"szResult\":\"2\""),
              std::string::npos)
        << quadratic;
}

// Every exit status, and what each option prints, as a script sees them.
TEST(CliRun, ExitStatusesAndOptions) {
    struct Row {
        std::vector<std::string> arguments;
        const char* input;
        int status;
        const char* out;  // nullptr: not checked
        const char* err;
    } rows[] = {
        {{"2+3", "x^2-1"}, "", 0, "2+3 = 5\nx^2-1 = 0\nx1 = \t-1\nx2 = \t1\n", ""},
        {{"1/0", "2"}, "", 1, "1/0 = Cannot divide by zero!\n2 = 2\n", ""},
        {{"#mem"}, "", 1, nullptr, ""},      // a memory directive's error code
        {{"2", "#20"}, "", 0, nullptr, ""},  // a command number is no failure
        {{"-t", "2+3", "x^2-1", "#deg"}, "", 0, "5\n-1 1\n1\n", ""},
        {{"--terse", "1/0", "2"}, "", 1, "2\n", "Cannot divide by zero!\n"},
        {{"-t", std::string(600, '1')}, "", 1, "", "Expression is too long !\n"},
        {{"-f", "-"}, "2\r3", 0, "2 = 2\n3 = 3\n", ""},
        {{"--json", "=note", "x^2-1"}, "", 0, nullptr, ""},
        {{"--json", "-t"}, "", 2, "", "molvane-cli: --json and --terse exclude each other\n"},
        {{"--help"}, "", 0, nullptr, ""},
        {{"--frobnicate"}, "", 2, "", "molvane-cli: unknown option --frobnicate\n"},
        {{"-f"}, "", 2, "", "molvane-cli: option -f needs a value\n"},
    };
    for (const Row& row : rows) {
        CliResult run = runWith(row.arguments, row.input);
        std::string name = row.arguments.front() + " " + row.arguments.back();
        EXPECT_EQ(run.status, row.status) << name;
        if (row.out) {
            EXPECT_EQ(run.out, row.out) << name;
        }
        // A refused command line ends with the way to the help.
        EXPECT_EQ(run.err, row.err + std::string(run.status == 2 ? "Try 'molvane-cli --help'.\n" : "")) << name;
    }

    std::string json = runWith({"--json", "=note", "x^2-1"}).out;
    EXPECT_TRUE(json.starts_with("{\"skipped\":\"comment\"}\n")) << json;
    EXPECT_TRUE(json.ends_with("\"kindName\":\"quadratic\",\"answer\":\"1\",\"x1\":\"-1\",\"x2\":\"1\"}\n")) << json;
    EXPECT_NE(runWith({"--help"}).out.find("'+' joins a hydrate and '*' multiplies"), std::string::npos);
    EXPECT_TRUE(runWith({"--version"}).out.starts_with("molvane-cli ")) << "--version";

    std::istringstream in;
    std::ostream closed(nullptr);
    std::ostringstream err;
    EXPECT_EQ(runCli(parseOptions({"--no-config", "1"}), in, closed, err, false), 1);
    EXPECT_TRUE(err.str().starts_with("molvane-cli: cannot write to standard output")) << err.str();
}

// "help", "quit" and "exit" are words only at a terminal; a script's line is a task.
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
    EXPECT_TRUE(out.str().starts_with("molvane-cli ")) << out.str();
    EXPECT_NE(out.str().find(" - Ctrl-D quits, help for help\n2+3 = 5\nType a task"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("9 = 9"), std::string::npos) << "quit ends the run";
    EXPECT_EQ(runWith({}, "quit\n").out, "qUIt = Incorrect syntax\n");
}

TEST(CliRun, JsonStringsAreEscaped) {
    EXPECT_EQ(jsonString("a\"b\\c\n\t\x01\x7F"), "\"a\\\"b\\\\c\\n\\t\\u0001\\u007f\"");
}

TEST(CliRun, AnswersCarryFromAFileToTheArguments) {
    TemporaryFolder folder;
    std::filesystem::path file = folder.path() / "tasks.txt";
    writeFile(file, "h2o\r\n2*ans\n");
    CliResult run = runWith({"-f", file.string(), "+1"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "H2O = 18.01528\n2*:ans = 36.03056\n36.03056+1 = 37.03056\n");
}

TEST(CliRun, SavesTheSettingsAndKeepsTheFilesViewOptions) {
    TemporaryFolder temporary;
    const std::filesystem::path& folder = temporary.path();
    std::filesystem::path config = folder / "mvn.cfg";
    writeFile(config, "#503   = View history\r\n#dig 1\r\n");

    CliResult run = runCliWith({"--config", config.string(), "#deg", "#fix 4", "1234.5", "--save-config"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "#deg = \n#fix4 = \n1234.5 = 1 234.500 0\n") << "the file's grouping applies";

    std::string bytes = readFile(config);
    // The settings after the tasks, beside the file's own view option.
    for (const char* line : {"#503   = View history\r\n", "#fix   = Fixed mode for displaying numbers\r\n"}) {
        EXPECT_NE(bytes.find(line), std::string::npos) << "missing line " << line;
    }

    // A folder in place of the file: the save fails with the desktop program's message.
    std::filesystem::path blocked = folder / "blocked" / "mvn.cfg";
    std::filesystem::create_directories(blocked);
    CliResult failed = runCliWith({"--config", blocked.string(), "--save-config", "1"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("ERROR - Save failed !"), std::string::npos) << failed.err;
    // The folder of a file named by --config is never made.
    EXPECT_EQ(runCliWith({"--config", (folder / "new" / "mvn.cfg").string(), "--save-config", "1"}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(folder / "new"));
}
