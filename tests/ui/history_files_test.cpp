// SPDX-License-Identifier: MIT
// Task files and saved histories against the in-memory platform.
#include <cerrno>
#include <system_error>
#include <tuple>
#include <vector>

#include "logic_fixture.h"
#include "ui/history_file.h"
#include "ui/web_site.h"

using namespace molvane;

namespace {

// Each line runs as if typed, the last one too when it is empty; a line too
// long stays in the input line, as a typed one would.
TEST_F(LogicTest, TaskFileLinesRunAsIfTyped) {
    const std::string tooLong(700, '1');
    // What the history and the lower result line show after the file's tasks.
    const std::tuple<const char*, std::string, std::string, std::string> rows[] = {
        {"CR LF, LF, CR and NUL", std::string("1+1\r\n\n2\0+3\r3+3", 14),
         "\r\n1+1 = 2\r\n\r\n\r\n2+3 = 5\r\n\r\n3+3 = 6\r\n", "6"},
        {"a final line end", "1+1\n", "\r\n1+1 = 2\r\n\r\n", ""},
        {"700 characters, then a task", tooLong + "\n1+1", "\r\n1+1 = 2\r\n", "2"},
        {"700 characters last", "1+1\n" + tooLong, "\r\n1+1 = 2\r\n", "Expression is too long !"},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF-6 \xC3\xB7 3", "\r\n-6/3 = -2\r\n", "-2"},
        {"Windows-1252", "6 \xF7 3", "\r\n6/3 = 2\r\n", "2"},
    };
    platform.openName = folder / "tasks.txt";
    for (const auto& [name, bytes, body, lowerResult] : rows) {
        SCOPED_TRACE(name);
        command(EditClearHistory);
        writeFile(platform.openName, bytes);
        command(FileOpen);
        EXPECT_EQ(shown(HistoryBody), body);
        EXPECT_EQ(shown(LowerResultLine), lowerResult);
        EXPECT_EQ(platform.input.size(), lowerResult.starts_with("Expression") ? tooLong.size() : 0u);
    }
    EXPECT_TRUE(platform.messages.empty());
    command(EditCopyHistory);
    EXPECT_EQ(platform.clipboard, platform.history);
}

TEST_F(LogicTest, TaskFileCancelAndFailure) {
    platform.openName = folder / "tasks.txt";
    writeFile(platform.openName, "1+1\n2+2\n3+3");
    platform.cancelAt = 1;
    command(FileOpen);
    EXPECT_EQ(shown(HistoryBody), "\r\n1+1 = 2\r\n");
    EXPECT_EQ(platform.progressTotal, 3);
    EXPECT_TRUE(platform.progressEnded);

    // Only a regular file is opened: a pipe would block the window for ever.
    platform.openName = folder;
    command(FileOpen);
    EXPECT_EQ(platform.messages, std::vector<std::string>{"Molvane: The task file could not be read.\n\n" +
                                                          folder.string() + "\nIt is not a regular file."});
}

TEST_F(LogicTest, SavedHistoryFile) {
    std::tm fifthOfDecember{};
    fifthOfDecember.tm_mday = 5, fifthOfDecember.tm_mon = 11, fifthOfDecember.tm_year = 126;
    EXPECT_EQ(defaultHistoryFileName(fifthOfDecember), "mvn_05122026");

    command(FileSaveAs);  // cancelled: nothing written, nothing said

    enter("2+3");
    platform.saveName = folder / "history.txt";
    command(FileSaveAs);
    std::string footer = std::string("\r\n=======================\r\nCalculated by Molvane\r\n") + kWebSiteAddress;
    EXPECT_EQ(readFile(platform.saveName), platform.history + footer);

    platform.history.clear();
    command(FileSaveAs);
    EXPECT_EQ(readFile(platform.saveName), "") << "an empty history replaces the old file";
    EXPECT_TRUE(platform.messages.empty());

    // A failed save names the file and the system's reason.
    platform.history = "new history";
    logic.setFileWriter([](int, std::string_view) { return errno = ENOSPC, false; });
    command(FileSaveAs);
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{"Molvane: The history could not be saved.\n\n" + platform.saveName.string() +
                                       "\n" + std::make_error_code(std::errc::no_space_on_device).message()});
}

}  // namespace
