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
    } rows[] = {
        {{"2 \xC3\x97 3", "6 \xC3\xB7 2"}, "2*3 = 6\n6/2 = 3\n"},
        {{"#deg", "2sin30"}, "#deg = \n2:sin30 = 1\n"},
        {{"", "1"}, "\n1 = 1\n"},
        {{"=5", "1"}, "1 = 1\n"},
        {{"--", "-5*2"}, "-5*2 = -10\n"},
        {{"-5*2"}, "-5*2 = -10\n"},
        {{std::string(510, '1')}, "Expression is too long !\n"},
        // A line given back as typed never sends control characters to the terminal.
        {{"Jx\x1b[31m\r\x07"}, "Jx?[31m?? = Unknown element symbol\n"},
    };
    for (const Row& row : rows) {
        CliResult run = runWith(row.arguments);
        EXPECT_EQ(run.status, 0) << row.arguments.front();
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
              "\"functionSeparator\":1,\"decimalComma\":0}");
    EXPECT_NE(second.find("\"szAnswer\":\"10\""), std::string::npos) << second;

    EXPECT_EQ(runWith({"--json", std::string(600, '2')}).out, "{\"refused\":\"Expression is too long !\"}\n");
    // A quadratic's record before the display splits it: first root in szResult, the other in szMaths.
    std::string quadratic = runWith({"--json", "x^2-3x+2"}).out;
    EXPECT_NE(quadratic.find("\"kind\":4,\"szTask\":\"x^2-3x+2 = 0\",\"szMaths\":\"1\",\"szResult\":\"2\""),
              std::string::npos)
        << quadratic;
}

TEST(CliRun, JsonStringsAreEscaped) {
    EXPECT_EQ(jsonString("a\"b\\c\n\t\x01\x7F"), "\"a\\\"b\\\\c\\n\\t\\u0001\\u007f\"");
}

TEST(CliRun, ReadsLinesFromStandardInputAndFiles) {
    EXPECT_EQ(runWith({}, "1+1\r\n*3\n").out, "1+1 = 2\n2*3 = 6\n");
    EXPECT_EQ(runWith({}, "4").out, "4 = 4\n") << "a last line without a line end still runs";

    TemporaryFolder folder;
    std::filesystem::path file = folder.path() / "tasks.txt";
    writeFile(file, "h2o\r\n2*ans\n");
    CliResult run = runWith({"-f", file.string(), "+1"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "H2O = 18.01528\n2*:ans = 36.03056\n36.03056+1 = 37.03056\n");
}

TEST(CliRun, UsageErrorsAndUnreadableFilesExitWithTwo) {
    struct Row {
        std::vector<std::string> arguments;
        const char* errorPart;
    } rows[] = {
        {{"--frobnicate"}, "unknown option --frobnicate"},
        {{"-f"}, "needs a value"},
    };
    for (const Row& row : rows) {
        CliResult run = runWith(row.arguments);
        EXPECT_EQ(run.status, 2) << row.arguments.front();
        EXPECT_NE(run.err.find(row.errorPart), std::string::npos) << run.err;
    }
    EXPECT_EQ(runWith({"--help"}).status, 0);
    EXPECT_NE(runWith({"--version"}).out.find("molvane-cli "), std::string::npos);
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
    for (const char* line :
         {"#503   = View history\r\n", "#deg   = Set angle unit to degrees\r\n",
          "#fix   = Fixed mode for displaying numbers\r\n", "#dec 4 = Round number to 4 decimal places\r\n"}) {
        EXPECT_NE(bytes.find(line), std::string::npos) << "missing line " << line;
    }

    // A folder in place of the file: the save fails with the desktop program's message.
    std::filesystem::path blocked = folder / "blocked" / "mvn.cfg";
    std::filesystem::create_directories(blocked);
    CliResult failed = runCliWith({"--config", blocked.string(), "--save-config", "1"});
    EXPECT_EQ(failed.status, 1);
    EXPECT_NE(failed.err.find("ERROR - Save failed !"), std::string::npos) << failed.err;
}
