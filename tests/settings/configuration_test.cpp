#include "settings/configuration.h"
#include "settings/atomic_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <vector>

#include "settings/config_location.h"

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

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeAll(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
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
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() / ("molvane-" + std::to_string(::getpid()) + "-" + test->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    std::size_t entriesIn(const fs::path& where) const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(where), fs::directory_iterator()));
    }
    fs::path folder;
};

TEST(ConfigurationText, DefaultFileByteForByte) {
    EXPECT_EQ(configurationText(CalcState{}, ViewFlags{}), kDefaultFile);
}

TEST(ConfigurationText, VariantLines) {
    struct Row {
        const char* name;
        void (*change)(CalcState&, ViewFlags&);
        const char* expectedLines;
    };
    const Row rows[] = {
        {"degrees", [](CalcState& s, ViewFlags&) { s.angleUnit = Degrees; }, "\r\n#deg   = Set angle unit to degrees\r\n"},
        {"grads", [](CalcState& s, ViewFlags&) { s.angleUnit = Grads; }, "\r\n#grad   = Set angle unit to grads\r\n"},
        {"unknown angle unit", [](CalcState& s, ViewFlags&) { s.angleUnit = 7; }, "\r\n#rad   = Set angle unit"},
        {"scientific", [](CalcState& s, ViewFlags&) { s.numberMode = Scientific; },
         "\r\n#sci   = Scientific mode for displaying numbers\r\n"},
        {"fixed", [](CalcState& s, ViewFlags&) { s.numberMode = Fixed; }, "\r\n#fix   = Fixed mode for displaying numbers\r\n"},
        {"unknown mode", [](CalcState& s, ViewFlags&) { s.numberMode = -1; }, "\r\n#auto  = Automatic mode"},
        {"comma", [](CalcState& s, ViewFlags&) { s.decimalComma = 1; }, "\r\n#comma = Use comma (,) as decimal separator\r\n"},
        {"comma other than 1", [](CalcState& s, ViewFlags&) { s.decimalComma = 2; }, "\r\n#dot   = Use dot (.)"},
        {"numbers", [](CalcState& s, ViewFlags&) { s.decimals = 15, s.digitGrouping = 1, s.functionSeparator = 0; },
         "\r\n#dec 15 = Round number to 15 decimal places\r\n#dig 1 = Use space as thousands separator (0 = OFF, 1 = "
         "ON)\r\n#fun 0 = Use colon (:) as function separator (0 = OFF, 1 = ON)\r\n"},
        {"32-bit extremes", [](CalcState& s, ViewFlags&) { s.decimals = INT32_MIN, s.digitGrouping = INT32_MAX; },
         "\r\n#dec -2147483648 = Round number to -2147483648 decimal places\r\n#dig 2147483647 = "},
        {"every view option", [](CalcState&, ViewFlags& v) { v = {1, 1, 1, 1}; },
         "CALCULATOR =\r\n#501   = Show display only\r\n#502   = Always on top\r\n#503   = View history\r\n"
         "#504   = Task numbering\r\n\r\r\n"},
        {"history only", [](CalcState&, ViewFlags& v) { v.historyVisible = 1; },
         "CALCULATOR =\r\n#503   = View history\r\n\r\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CalcState state;
        ViewFlags view;
        row.change(state, view);
        EXPECT_NE(configurationText(state, view).find(row.expectedLines), std::string::npos)
            << configurationText(state, view);
    }
}

TEST_F(ConfigurationFile, SaveThenLoadRestoresEverySetting) {
    struct Row {
        CalcState state;
        ViewFlags view;
    };
    auto settings = [](int angle, int mode, int decimals, int grouping, int separator, int comma) {
        CalcState state;
        state.angleUnit = angle, state.numberMode = mode, state.decimals = decimals;
        state.digitGrouping = grouping, state.functionSeparator = separator, state.decimalComma = comma;
        return state;
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
        const CalcState& saved = rows[i].state;
        EXPECT_EQ(loaded.angleUnit, saved.angleUnit);
        EXPECT_EQ(loaded.numberMode, saved.numberMode);
        EXPECT_EQ(loaded.decimals, saved.decimals);
        EXPECT_EQ(loaded.digitGrouping, saved.digitGrouping);
        EXPECT_EQ(loaded.functionSeparator, saved.functionSeparator);
        EXPECT_EQ(loaded.decimalComma, saved.decimalComma);
        EXPECT_EQ(view.displayOnly, rows[i].view.displayOnly);
        EXPECT_EQ(view.alwaysOnTop, rows[i].view.alwaysOnTop);
        EXPECT_EQ(view.historyVisible, rows[i].view.historyVisible);
        EXPECT_EQ(view.taskNumbering, rows[i].view.taskNumbering);
    }
}

TEST(ApplyConfigurationText, LinesRunAsTasks) {
    const std::string longLine = "#dec 7" + std::string(594, ' ');  // 600 characters
    const std::string fullLine = "#dec 7" + std::string(504, ' ');  // 510: as much as a task holds
    struct Row {
        const char* name;
        std::string bytes;
        std::int32_t numberMode;
        std::int32_t decimals;
        std::int32_t angleUnit;
        std::vector<int> commands;
    };
    const Row rows[] = {
        {"#fix with a line break", "#fix\n", Fixed, 2, Radians, {}},
        {"#fix without one", "#fix", Automatic, 2, Radians, {}},
        {"CR LF line end", "#fix\r\n", Fixed, 2, Radians, {}},
        {"#sci 4", "#sci 4\r\n", Scientific, 4, Radians, {}},
        {"#505", "#505\r\n", Automatic, 2, Radians, {505}},
        {"commands in file order", "#504\n#deg\n#501\n#505\n#20\n#503\n#502\n", Automatic, 2, Degrees,
         {504, 501, 505, 503, 502}},
        {"failed lines are passed over", "#x\n(3\nJ2O\n#deg\n", Automatic, 2, Degrees, {}},
        {"600 characters skipped", longLine + "\n#sci\n", Scientific, 2, Radians, {}},
        {"510 characters run", fullLine + "\n", Automatic, 7, Radians, {}},
        {"NUL ends the task", std::string("#deg\0#fix 5\n#sci\n", 17), Scientific, 2, Degrees, {}},
        {"bare CR is no line end", "#deg\r#fix 5\n", Automatic, 2, Degrees, {}},
        {"no line end at all", std::string(100000, '#') + "fix", Automatic, 2, Radians, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CalcState state;
        ViewFlags view;
        std::vector<int> commands;
        applyConfigurationText(row.bytes, state, recordInto(view, commands));
        EXPECT_EQ(state.numberMode, row.numberMode);
        EXPECT_EQ(state.decimals, row.decimals);
        EXPECT_EQ(state.angleUnit, row.angleUnit);
        EXPECT_EQ(commands, row.commands);
    }
}

TEST(ApplyConfigurationText, MegabytesOfJunkLoadWithoutHarm) {
    std::mt19937 random(20261206);
    std::string junk(3 << 20, '\0');
    for (char& c : junk) c = static_cast<char>(random());
    junk += "\n#dec 9\n";
    CalcState state;
    applyConfigurationText(junk, state, nullptr);
    EXPECT_EQ(state.decimals, 9);
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
    writeAll(blocker, oldBytes);
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
         [](int descriptor, std::string_view bytes) {
             writeAllBytes(descriptor, bytes.substr(0, 40));
             return false;
         }},
        {"no writer", file, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        writeAll(file, oldBytes);
        EXPECT_FALSE(replaceFile(row.target, configurationText(changed, {}), row.writer));
        EXPECT_EQ(readAll(file), oldBytes);
        EXPECT_EQ(readAll(blocker), oldBytes);
        EXPECT_EQ(entriesIn(folder), 2u) << "a temporary file was left behind";
    }
    EXPECT_FALSE(saveConfiguration(blocker / "mvn.cfg", changed, {}));
    EXPECT_EQ(readAll(blocker), oldBytes);
    ASSERT_TRUE(saveConfiguration(file, changed, {}));
    EXPECT_EQ(readAll(file), configurationText(changed, {}));
}

TEST(ConfigurationFilePath, PerUserFolder) {
    struct Row {
        const char* configHome;  // nullptr: unset
        const char* home;
        const char* expected;
    };
    const Row rows[] = {
        {"/etc/xdg-user", "/home/ada", "/etc/xdg-user/molvane/mvn.cfg"},
        {nullptr, "/home/ada", "/home/ada/.config/molvane/mvn.cfg"},
        {"", "/home/ada", "/home/ada/.config/molvane/mvn.cfg"},
        {"relative/config", "/home/ada", "/home/ada/.config/molvane/mvn.cfg"},
    };
    const char* savedConfigHome = std::getenv("XDG_CONFIG_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string configHomeBefore = savedConfigHome ? savedConfigHome : "";
    const std::string homeBefore = savedHome ? savedHome : "";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.configHome ? row.configHome : "(unset)");
        if (row.configHome) {
            ::setenv("XDG_CONFIG_HOME", row.configHome, 1);
        } else {
            ::unsetenv("XDG_CONFIG_HOME");
        }
        ::setenv("HOME", row.home, 1);
        EXPECT_EQ(configurationFilePath(), fs::path(row.expected));
    }
    if (savedConfigHome) {
        ::setenv("XDG_CONFIG_HOME", configHomeBefore.c_str(), 1);
    } else {
        ::unsetenv("XDG_CONFIG_HOME");
    }
    if (savedHome) ::setenv("HOME", homeBefore.c_str(), 1);
}

}  // namespace
