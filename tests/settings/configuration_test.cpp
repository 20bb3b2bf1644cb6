#include "settings/configuration.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <optional>
#include <tuple>
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

// Sets, or with no value unsets, a variable of this test process; the tests that
// read one set it first, so none is put back.
void setVariable(const char* name, const std::optional<std::string>& value) {
#ifdef _WIN32
    // Windows unsets a variable that is given an empty value.
    ::_putenv_s(name, value ? value->c_str() : "");
#else
    if (value)
        ::setenv(name, value->c_str(), 1);
    else
        ::unsetenv(name);
#endif
}

// The commands read, and the view options they switch on.
ConfigurationCommandHandler recordInto(ViewFlags& view, std::vector<int>& commands) {
    return [&view, &commands](int command) {
        commands.push_back(command);
        switchOnViewOption(view, command);
    };
}

// A fresh folder for each test, removed afterwards.
class ConfigurationFile : public ::testing::Test {
protected:
    TemporaryFolder scratch;
    fs::path folder = scratch.path();
};

std::size_t entriesIn(const fs::path& where) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(where), fs::directory_iterator()));
}

TEST(ConfigurationText, DefaultFileByteForByte) {
    EXPECT_EQ(configurationText(CalcState{}, ViewFlags{}), kDefaultFile);
}

CalcState settings(int angle, int mode, int decimals = 2, int grouping = 0, int separator = 1, int comma = 0) {
    CalcState state;
    state.angleUnit = angle, state.numberMode = mode, state.decimals = decimals;
    state.digitGrouping = grouping, state.functionSeparator = separator, state.decimalComma = comma;
    return state;
}

TEST(ConfigurationText, VariantLines) {
    const CalcState extremes = settings(Radians, Automatic, INT32_MIN, INT32_MAX);
    const std::tuple<CalcState, ViewFlags, std::string> rows[] = {
        {settings(Degrees, Automatic), {}, "\r\n#deg   = Set angle unit to degrees\r\n"},
        {settings(Grads, Automatic), {}, "\r\n#grad   = Set angle unit to grads\r\n"},
        {settings(7, Automatic), {}, "\r\n#rad   = Set angle unit"},
        {settings(Radians, Scientific), {}, "\r\n#sci   = Scientific mode for displaying numbers\r\n"},
        {settings(Radians, Fixed), {}, "\r\n#fix   = Fixed mode for displaying numbers\r\n"},
        {settings(Radians, -1), {}, "\r\n#auto  = Automatic mode"},
        {settings(Radians, Automatic, 2, 0, 1, 1), {}, "\r\n#comma = Use comma (,) as decimal separator\r\n"},
        {settings(Radians, Automatic, 2, 0, 1, 2), {}, "\r\n#dot   = Use dot (.)"},
        {settings(Radians, Automatic, 15, 1, 0), {}, "\r\n#dec 15 = Round number to 15 decimal places\r\n#dig 1 = "},
        {settings(Radians, Automatic, 15, 1, 0), {}, "\r\n#fun 0 = Use colon"},
        {extremes, {}, "\r\n#dec -2147483648 = Round number to -2147483648 decimal places\r\n"},
        {extremes, {}, "\r\n#dig 2147483647 = "},
        {CalcState{}, {1, 1, 1, 1}, "CALCULATOR =\r\n#501   = Show display only\r\n#502   = Always on top\r\n"},
        {CalcState{}, {1, 1, 1, 1}, "\r\n#503   = View history\r\n#504   = Task numbering\r\n\r\r\n"},
        {CalcState{}, {0, 0, 1, 0}, "CALCULATOR =\r\n#503   = View history\r\n\r\r\n"},
    };
    for (const auto& [state, view, expected] : rows) {
        std::string text = configurationText(state, view);
        EXPECT_NE(text.find(expected), std::string::npos) << "no [" << expected << "] in\n" << text;
    }
}

TEST_F(ConfigurationFile, SaveThenLoadRestoresEverySetting) {
    const std::pair<CalcState, ViewFlags> rows[] = {
        {CalcState{}, {}},
        {settings(Degrees, Scientific, 4, 1, 0, 1), {1, 1, 1, 1}},
        {settings(Grads, Fixed, 15, 0, 1, 0), {1, 0, 1, 0}},
        {settings(Radians, Automatic, 0, 1, 1, 1), {0, 1, 0, 1}},
    };
    const fs::path file = folder / "nested" / "mvn.cfg";
    for (const auto& [state, view] : rows) {
        ASSERT_TRUE(saveConfiguration(file, state, view));
        EXPECT_EQ(entriesIn(file.parent_path()), 1u) << "a temporary file was left behind";
        CalcState loaded;
        ViewFlags loadedView;
        std::vector<int> commands;
        ASSERT_TRUE(loadConfiguration(file, loaded, recordInto(loadedView, commands)));
        // The file's text names every setting and view option.
        EXPECT_EQ(configurationText(loaded, loadedView), configurationText(state, view));
    }
}

// Each line runs as a typed task, whether the bytes come whole or from a file,
// which is read in pieces of 16 KiB: a line may straddle two.
TEST_F(ConfigurationFile, LinesRunAsTasks) {
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
        {"commands in order", "#504\n#deg\n#501\n#20\n#503\n#502\n", Automatic, 2, Degrees, {504, 501, 503, 502}},
        {"failed lines are passed over", "#x\n(3\nJ2O\n#deg\n", Automatic, 2, Degrees, {}},
        {"600 characters skipped", longLine + "\n#sci\n", Scientific, 2, Radians, {}},
        {"510 characters run", fullLine + "\n", Automatic, 7, Radians, {}},
        {"bare CR is no line end", "#deg\r#fix 5\n", Automatic, 2, Degrees, {}},
        {"broken UTF-8 around directives", "\xFF\xFE#grad\r\n\xC3#sci 3\r\n", Scientific, 3, Grads, {}},
        {"NUL ends a line's task", std::string("#deg\0#sci\r\n#fix 4\r\n", 19), Fixed, 4, Degrees, {}},
        {"a line end alone in a second read", std::string(16370, '=') + "\n#deg\r\n#fix 6\r\n", Fixed, 6, Degrees, {}},
        {"megabytes without a line end", "#deg\n" + std::string(2 << 20, '#'), Automatic, 2, Degrees, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        writeFile(folder / "mvn.cfg", row.bytes);
        for (bool fromFile : {false, true}) {
            CalcState state;
            ViewFlags view;
            std::vector<int> commands;
            if (fromFile) {
                ASSERT_TRUE(loadConfiguration(folder / "mvn.cfg", state, recordInto(view, commands)));
            } else {
                applyConfigurationText(row.bytes, state, recordInto(view, commands));
            }
            EXPECT_EQ(std::vector<int>({state.numberMode, state.decimals, state.angleUnit}),
                      std::vector<int>({row.numberMode, row.decimals, row.angleUnit}));
            EXPECT_EQ(commands, row.commands);
        }
    }
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
}

#ifdef _WIN32
// The folder of this test program, where a portable mvn.cfg would stand.
fs::path programFolder() {
    wchar_t name[MAX_PATH * 4];
    DWORD length = ::GetModuleFileNameW(nullptr, name, MAX_PATH * 4);
    return fs::path(name, name + length).parent_path();
}

TEST(ConfigurationFilePath, PerUserFolderUnlessOneBesideTheProgram) {
    const fs::path beside = programFolder() / "mvn.cfg";
    ASSERT_FALSE(fs::exists(beside)) << "a mvn.cfg already stands next to the test program";
    struct Row {
        const char* name;
        std::optional<std::string> appData;
        bool fileBeside;
        fs::path expected;
    };
    const Row rows[] = {
        {"APPDATA", "C:\\Users\\ada\\AppData\\Roaming", false, "C:\\Users\\ada\\AppData\\Roaming\\Molvane\\mvn.cfg"},
        {"no APPDATA", std::nullopt, false, "mvn.cfg"},
        {"a file beside the program wins", "C:\\Users\\ada\\AppData\\Roaming", true, beside},
        {"a file beside the program, no APPDATA", std::nullopt, true, beside},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        setVariable("APPDATA", row.appData);
        if (row.fileBeside) writeFile(beside, "#deg\r\n");
        EXPECT_EQ(configurationFilePath(), row.expected);
        fs::remove(beside);
    }
}

// The first save creates the folder beneath APPDATA.
TEST_F(ConfigurationFile, FirstSaveCreatesTheFolder) {
    setVariable("APPDATA", folder.string());
    const fs::path file = configurationFilePath();
    ASSERT_EQ(file, folder / "Molvane" / "mvn.cfg");
    ASSERT_TRUE(saveConfiguration(file, CalcState{}, {}));
    EXPECT_EQ(readFile(file), kDefaultFile);
}
#else
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
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        setVariable("HOME", row.home);
        setVariable("XDG_CONFIG_HOME", row.configHome);
        EXPECT_EQ(configurationFilePath(), row.expected);
    }
}
#endif

// A temporary file left behind by an earlier process with the same id.
TEST_F(ConfigurationFile, StaleTemporaryIsReplacedOrFailsTheSaveCleanly) {
    const fs::path file = folder / "mvn.cfg";
    const fs::path temporary = folder / ("mvn.cfg.tmp-" + std::to_string(processId()));
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
