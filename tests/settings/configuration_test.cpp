#include "settings/configuration.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <vector>

#include "settings/atomic_file.h"
#include "settings/config_location.h"
#include "tests/support/files.h"

using namespace molvane;

namespace fs = std::filesystem;

namespace {

const std::string kDefaultFile =
    "==============================\r\n"
    "= CONFIGURATION FILE FOR MVN =\r\n"
    "==============================\r\n"
    "\r\r\n"
    "= CHANGES THE APPERANCE OF THE CALCULATOR =\r\n"
    "\r\r\n"
    "= CHANGES THE UNIT OF ANGLE MEASUREMENT =\r\n"
    "#rad   = Set angle unit to radians\r\n"
    "\r\r\n"
    "= CHANGES THE DISPLAYED NUMBER FORMATS =\r\n"
    "#auto  = Automatic mode for displaying numbers\r\n"
    "#dec 2 = Round number to 2 decimal places\r\n"
    "#dig 0 = Use space as thousands separator (0 = OFF, 1 = ON)\r\n"
    "#fun 1 = Use colon (:) as function separator (0 = OFF, 1 = ON)\r\n"
    "#dot   = Use dot (.) as decimal separator\r\n"
    "\r\r\n"
    "= END OF CONFIGURATION FILE  =\r\n"
    "==============================\r\n";

// Sets a variable of the environment, or with no value unsets it.
void setVariable(const char* name, const std::optional<std::string>& value) {
    if (value) {
        ::setenv(name, value->c_str(), 1);
    } else {
        ::unsetenv(name);
    }
}

// The view options as the window would set them from the commands read.
ConfigurationCommandHandler recordInto(ViewFlags& view, std::vector<int>& commands) {
    return [&view, &commands](int command) {
        commands.push_back(command);
        if (command == 501) view.displayOnly = 1;
        if (command == 502) view.alwaysOnTop = 1;
        if (command == 503) view.historyVisible = 1;
        if (command == 504) view.taskNumbering = 1;
    };
}

// A fresh folder for each test, removed afterwards.
class ConfigurationFile : public ::testing::Test {
protected:
    std::size_t entriesIn(const fs::path& where) const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(where), fs::directory_iterator()));
    }
    TemporaryFolder folderOfTheTest;
    fs::path folder = folderOfTheTest.path();
};

TEST(ConfigurationText, DefaultFileByteForByte) {
    EXPECT_EQ(configurationText(CalcState{}, ViewFlags{}), kDefaultFile);
}

CalcState settings(int angle, int mode, int decimals = 2, int grouping = 0, int separator = 1, int comma = 0) {
    CalcState state;
    state.angleUnit = angle, state.numberMode = mode, state.decimals = decimals;
    state.digitGrouping = grouping, state.functionSeparator = separator, state.decimalComma = comma;
    return state;
}

// The six settings and four view options that the file keeps.
std::vector<int> fieldsOf(const CalcState& s, const ViewFlags& v) {
    return {s.angleUnit,    s.numberMode,  s.decimals,    s.digitGrouping,  s.functionSeparator,
            s.decimalComma, v.displayOnly, v.alwaysOnTop, v.historyVisible, v.taskNumbering};
}

TEST_F(ConfigurationFile, SaveThenLoadRestoresEverySetting) {
    struct Row {
        CalcState state;
        ViewFlags view;
    };
    const Row rows[] = {
        {CalcState{}, {}},
        {settings(Degrees, Scientific, 4, 1, 0, 1), {1, 1, 1, 1}},
        {settings(Grads, Fixed, 15, 0, 1, 0), {1, 0, 1, 0}},
        {settings(Radians, Automatic, 0, 1, 1, 1), {0, 1, 0, 1}},
        {settings(Degrees, Fixed, 9, 0, 0, 0), {0, 0, 0, 1}},
    };
    const fs::path file = folder / "nested" / "mvn.cfg";
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        ASSERT_TRUE(saveConfiguration(file, rows[i].state, rows[i].view));
        EXPECT_EQ(entriesIn(file.parent_path()), 1u) << "a temporary file was left behind";
        CalcState loaded;
        ViewFlags view;
        std::vector<int> commands;
        ASSERT_TRUE(loadConfiguration(file, loaded, recordInto(view, commands)));
        EXPECT_EQ(fieldsOf(loaded, view), fieldsOf(rows[i].state, rows[i].view));
    }
}

TEST(ApplyConfigurationText, LinesRunAsTasks) {
    const std::string longLine = "#dec 7" + std::string(594, ' ');  // 600 characters
    const std::string fullLine = "#dec 7" + std::string(504, ' ');  // 510: as much as a task holds
    struct Row {
        const char* name;
        std::string bytes;
        int numberMode, decimals, angleUnit;
        std::vector<int> commands;
    };
    const Row rows[] = {
        {"#fix with a line break", "#fix\n", Fixed, 2, Radians, {}},
        {"#fix without one", "#fix", Automatic, 2, Radians, {}},
        {"CR LF line end", "#fix\r\n", Fixed, 2, Radians, {}},
        {"#sci 4", "#sci 4\r\n", Scientific, 4, Radians, {}},
        {"#505", "#505\r\n", Automatic, 2, Radians, {505}},
        {"commands in file order",
         "#504\n#deg\n#501\n#505\n#20\n#503\n#502\n",
         Automatic,
         2,
         Degrees,
         {504, 501, 505, 503, 502}},
        {"failed lines are passed over", "#x\n(3\nJ2O\n#deg\n", Automatic, 2, Degrees, {}},
        {"600 characters skipped", longLine + "\n#sci\n", Scientific, 2, Radians, {}},
        {"510 characters run", fullLine + "\n", Automatic, 7, Radians, {}},
        {"bare CR is no line end", "#deg\r#fix 5\n", Automatic, 2, Degrees, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CalcState state;
        ViewFlags view;
        std::vector<int> commands;
        applyConfigurationText(row.bytes, state, recordInto(view, commands));
        EXPECT_EQ(std::vector<int>({state.numberMode, state.decimals, state.angleUnit}),
                  std::vector<int>({row.numberMode, row.decimals, row.angleUnit}));
        EXPECT_EQ(commands, row.commands);
    }
}

TEST_F(ConfigurationFile, LoadingAnUnreadableFileChangesNothing) {
    CalcState state;
    state.decimals = 6;
    EXPECT_FALSE(loadConfiguration(folder / "absent.cfg", state, nullptr));
    EXPECT_FALSE(loadConfiguration(folder, state, nullptr));
    EXPECT_EQ(state.decimals, 6);
}

TEST_F(ConfigurationFile, FailedSaveLeavesTheOldFile) {
    const std::string oldBytes = "#deg\r\nkept as it was\r\n";
    const fs::path file = folder / "mvn.cfg";
    const fs::path blocker = folder / "blocker";
    writeFile(blocker, oldBytes);
    CalcState changed;
    changed.numberMode = Fixed;

    struct Row {
        const char* name;
        fs::path target;
        FileWriter writer;
    };
    const Row rows[] = {
        {"folder is a regular file", blocker / "mvn.cfg", writeAllBytes},
        {"write fails", file, [](int, std::string_view) { return false; }},
        {"write fails halfway", file,
         [](int fd, std::string_view bytes) { return writeAllBytes(fd, bytes.substr(0, 40)) && false; }},
        {"no writer", file, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        writeFile(file, oldBytes);
        EXPECT_FALSE(replaceFile(row.target, configurationText(changed, {}), row.writer));
        EXPECT_EQ(readFile(file), oldBytes);
        EXPECT_EQ(readFile(blocker), oldBytes);
        EXPECT_EQ(entriesIn(folder), 2u) << "a temporary file was left behind";
    }
    EXPECT_FALSE(writeAllBytes(-1, "#deg")) << "a write that fails is no write";
    EXPECT_FALSE(saveConfiguration(blocker / "mvn.cfg", changed, {}));
    EXPECT_EQ(readFile(blocker), oldBytes);
    ASSERT_TRUE(saveConfiguration(file, changed, {}));
    EXPECT_EQ(readFile(file), configurationText(changed, {}));
}

TEST(ConfigurationFilePath, PerUserFolder) {
    const passwd* entry = ::getpwuid(::getuid());
    ASSERT_TRUE(entry && entry->pw_dir && *entry->pw_dir);
    const fs::path fromDatabase = fs::path(entry->pw_dir) / ".config/molvane/mvn.cfg";
    const fs::path fromHome = "/home/ada/.config/molvane/mvn.cfg";
    struct Row {
        const char* name;
        std::optional<std::string> configHome, home;
        fs::path expected;
    };
    const Row rows[] = {
        {"absolute XDG_CONFIG_HOME", "/etc/xdg-user", "/home/ada", "/etc/xdg-user/molvane/mvn.cfg"},
        {"XDG_CONFIG_HOME unset", std::nullopt, "/home/ada", fromHome},
        {"XDG_CONFIG_HOME empty", "", "/home/ada", fromHome},
        {"relative XDG_CONFIG_HOME", "relative/config", "/home/ada", fromHome},
        // Without HOME the password database names the home folder.
        {"HOME unset", std::nullopt, std::nullopt, fromDatabase},
        {"HOME empty", "", "", fromDatabase},
        {"relative XDG_CONFIG_HOME, no HOME", "relative/config", std::nullopt, fromDatabase},
    };
    std::optional<std::string> savedHome, savedConfigHome;
    if (const char* home = std::getenv("HOME")) savedHome = home;
    if (const char* configHome = std::getenv("XDG_CONFIG_HOME")) savedConfigHome = configHome;
    for (const Row& row : rows) {
        setVariable("HOME", row.home);
        setVariable("XDG_CONFIG_HOME", row.configHome);
        EXPECT_EQ(configurationFilePath(), row.expected) << row.name;
    }
    setVariable("HOME", savedHome);
    setVariable("XDG_CONFIG_HOME", savedConfigHome);
}

// A temporary file left behind by an earlier process with the same id.
TEST_F(ConfigurationFile, StaleTemporaryIsReplacedOrFailsTheSaveCleanly) {
    const fs::path file = folder / "mvn.cfg";
    const fs::path temporary = folder / ("mvn.cfg.tmp-" + std::to_string(::getpid()));
    writeFile(file, "old\r\n");
    writeFile(temporary, "left by a crash");
    CalcState state;
    state.angleUnit = Grads;
    ASSERT_TRUE(saveConfiguration(file, state, {}));
    EXPECT_EQ(readFile(file), configurationText(state, {}));
    EXPECT_FALSE(fs::exists(temporary));

    // A folder in the temporary's place, with something in it, survives the removal.
    fs::create_directories(temporary / "inside");
    EXPECT_FALSE(saveConfiguration(file, CalcState{}, {}));
    EXPECT_EQ(readFile(file), configurationText(state, {}));
    EXPECT_TRUE(fs::is_directory(temporary / "inside"));
}

}  // namespace
