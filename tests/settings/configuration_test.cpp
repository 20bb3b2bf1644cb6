// SPDX-License-Identifier: MIT
#include "settings/configuration.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <pwd.h>
#include <unistd.h>
#endif

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
    value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
#endif
}

std::size_t entriesIn(const fs::path& where) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(where), fs::directory_iterator()));
}

// Each line of a file runs as a typed task, and the file saved afterwards shows
// the settings and view options that resulted. Reads come in pieces of 16 KiB,
// so a line may straddle two. The first save makes the folder; a later one
// replaces a temporary file left by a crash of an earlier process with the same id.
TEST(ConfigurationFile, ReadThenSaved) {
    EXPECT_EQ(configurationText(CalcState{}, ViewFlags{}), kDefaultFile);
    const std::string fullLine = "#dec 7" + std::string(504, ' ');  // 510: as much as a task holds
    const std::string longLine = "#dec 9" + std::string(594, ' ');  // 600: skipped, not cut
    struct Row {
        const char* name;
        std::string bytes;
        std::vector<std::string> saved;  // each must stand in the saved file
        std::vector<int> commands = {};  // the window options, in file order
    };
    const Row rows[] = {
        {"every view option; failed lines are passed over",
         "#x\n(3\n#deg\n#sci 15\n#dig 1\n#fun 0\n#comma\n#20\n#504\n#501\n#502\n#503\n#505\n",
         {"#501   = Show display only\r\n#502   = Always on top\r\n"
          "#503   = View history\r\n#504   = Task numbering\r\n",
          "#deg   = Set angle unit to degrees\r\n",
          "#sci   = Scientific mode for displaying numbers\r\n#dec 15 = Round number to 15 decimal places\r\n"
          "#dig 1 = Use space as thousands separator (0 = OFF, 1 = ON)\r\n"
          "#fun 0 = Use colon (:) as function separator (0 = OFF, 1 = ON)\r\n"
          "#comma = Use comma (,) as decimal separator\r\n"},
         {504, 501, 502, 503, 505}},
        {"one view option",
         "#grad\n#fix 0\n#503\n",
         {"CALCULATOR =\r\n#503   = View history\r\n\r\r\n", "#grad   = Set angle unit to grads\r\n",
          "#fix   = Fixed mode for displaying numbers\r\n#dec 0 = Round number to 0 decimal places\r\n"},
         {503}},
        {"a last line without a line feed does not run", "#sci 4\r\n#fix", {"#sci ", "#dec 4 "}},
        {"a line as long as a task runs", fullLine + "\n" + longLine + "\n#sci\n", {"#sci ", "#dec 7 "}},
        {"NUL ends a line's task", std::string("#deg\0#sci\r\n#fix 4\r\n", 19), {"#deg ", "#fix ", "#dec 4 "}},
        {"a line end in a second read", std::string(16370, '=') + "\n#grad\r\n#fix 6\r\n", {"#grad ", "#dec 6 "}},
    };
    TemporaryFolder scratch;
    const fs::path source = scratch.path() / "read.cfg", file = scratch.path() / "nested" / "mvn.cfg";
    for (const Row& row : rows) {
        writeFile(source, row.bytes);
        CalcState state;
        ViewFlags view;
        std::vector<int> commands;
        auto note = [&](int command) {
            commands.push_back(command);
            switchOnViewOption(view, command);
        };
        ASSERT_TRUE(loadConfiguration(source, state, note)) << row.name;
        ASSERT_TRUE(saveConfiguration(file, state, view)) << row.name;
        const std::string text = readFile(file);
        for (const std::string& part : row.saved) {
            EXPECT_NE(text.find(part), std::string::npos) << row.name << ": no [" << part << "] in\n" << text;
        }
        EXPECT_EQ(commands, row.commands) << row.name;
        EXPECT_EQ(entriesIn(file.parent_path()), 1u) << "a temporary file was left behind";
        writeFile(file.string() + ".tmp-" + std::to_string(processId()), "left by a crash");
    }

    // A failed save leaves the old file whole, and no temporary file; a writer
    // that fails without saying why is an input/output error.
    const std::string old = readFile(file);
    auto failHalfway = [](int fd, std::string_view bytes) { return writeAllBytes(fd, bytes.substr(0, 40)) && false; };
    EXPECT_EQ(replaceFileReporting(file, kDefaultFile, failHalfway), std::errc::io_error);
    EXPECT_FALSE(saveConfiguration(file / "mvn.cfg", CalcState{}, {})) << "a file stands where the folder would";
    EXPECT_EQ(readFile(file), old);
    EXPECT_EQ(entriesIn(file.parent_path()), 1u) << "a temporary file was left behind";
    EXPECT_FALSE(writeAllBytes(-1, "#deg")) << "a write that fails is no write";
}

// Each row sets one variable; the others stay as the rows before left them.
TEST(ConfigurationFilePath, PerUserFolder) {
#ifdef _WIN32
    wchar_t name[MAX_PATH * 4];
    DWORD length = ::GetModuleFileNameW(nullptr, name, MAX_PATH * 4);
    const fs::path beside = fs::path(name, name + length).parent_path() / "mvn.cfg";
    ASSERT_FALSE(fs::exists(beside)) << "a mvn.cfg already stands next to the test program";
    const std::tuple<const char*, std::optional<std::string>, fs::path> rows[] = {
        {"APPDATA", "C:\\Users\\ada", "C:\\Users\\ada\\Molvane\\mvn.cfg"},
        {"APPDATA", std::nullopt, "mvn.cfg"},
    };
#else
    const passwd* entry = ::getpwuid(::getuid());
    ASSERT_TRUE(entry && entry->pw_dir && *entry->pw_dir);
    // Without HOME the password database names the home folder.
    const fs::path fromDatabase = fs::path(entry->pw_dir) / ".config/molvane/mvn.cfg";
    const std::tuple<const char*, std::optional<std::string>, fs::path> rows[] = {
        {"XDG_CONFIG_HOME", "/etc/xdg-user", "/etc/xdg-user/molvane/mvn.cfg"},
        {"HOME", "/home/ada", "/etc/xdg-user/molvane/mvn.cfg"},
        {"XDG_CONFIG_HOME", "relative/config", "/home/ada/.config/molvane/mvn.cfg"},  // a relative one is ignored
        {"HOME", "", fromDatabase},
        {"XDG_CONFIG_HOME", "", fromDatabase},
        {"HOME", std::nullopt, fromDatabase},
        {"XDG_CONFIG_HOME", std::nullopt, fromDatabase},
    };
#endif
    for (const auto& [variable, value, expected] : rows) {
        setVariable(variable, value);
        EXPECT_EQ(configurationFilePath(), expected) << variable << " " << value.value_or("unset");
    }
#ifdef _WIN32
    // A mvn.cfg beside the program wins: a portable copy keeps its settings with it.
    writeFile(beside, "#deg\r\n");
    EXPECT_EQ(configurationFilePath(), beside);
    fs::remove(beside);
#endif
}

}  // namespace
