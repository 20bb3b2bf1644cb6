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
    std::string tooLongWithControls = tooLong;
    for (std::size_t i = 0; i < 60; ++i) tooLongWithControls.insert(i * 11, i % 2 ? "\x1B" : std::string(1, '\0'));
    // What the history and the lower result line show after the file's tasks.
    const std::tuple<const char*, std::string, std::string, std::string> rows[] = {
        {"CR LF, LF, CR and NUL", std::string("1+1\r\n\n2\0+3\r3+3", 14),
         "\r\n1+1 = 2\r\n\r\n\r\n2+3 = 5\r\n\r\n3+3 = 6\r\n", "6"},
        {"a final line end", "1+1\n", "\r\n1+1 = 2\r\n\r\n", ""},
        {"700 characters, then a task", tooLong + "\n1+1", "\r\n1+1 = 2\r\n", "2"},
        {"700 characters last", "1+1\n" + tooLong, "\r\n1+1 = 2\r\n", "Expression is too long !"},
        {"700 characters and 60 control bytes last", "1+1\n" + tooLongWithControls, "\r\n1+1 = 2\r\n",
         "Expression is too long !"},
        {"control bytes and the code page's gaps", "2\x01*\x1F\t3\x7F\x81\x9D" + std::string(30, ' '),
         "\r\n2*3 = 6\r\n", "6"},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF-6 \xC3\xB7 3", "\r\n-6/3 = -2\r\n", "-2"},
        {"Windows-1252", "6 \xF7 3", "\r\n6/3 = 2\r\n", "2"},
    };
    platform.openName = folder / "tasks.txt";
    for (const auto& [name, bytes, body, lowerResult] : rows) {
        SCOPED_TRACE(name);
        command(EditClearHistory);
        writeFile(platform.openName, bytes);
        platform.focusRequests = 0;
        command(FileOpen);
        EXPECT_EQ(platform.focusRequests, 1) << "the keys go back once, when the file ends";
        EXPECT_EQ(shown(HistoryBody), body);
        EXPECT_EQ(shown(LowerResultLine), lowerResult);
        EXPECT_EQ(platform.input, lowerResult.starts_with("Expression") ? tooLong : "") << "the input line after";
    }
    EXPECT_TRUE(platform.messages.empty());
    command(EnterButton);
    EXPECT_EQ(platform.focusRequests, 2) << "a task typed after the file asks for the keys again";
    command(EditCopyHistory);
    EXPECT_EQ(platform.clipboard, platform.history);
}

// A long file leaves the window as typing its lines one by one does, across
// the batches in which its history and recent tasks reach the window.
TEST_F(LogicTest, LongTaskFileEndsAsItsLinesTyped) {
    const std::string tasks[] = {"2+3*4", "#dig 1", "h2so4", std::string(600, '1'), "x^2-3x+2", "#mem+", "1/0", ""};
    FakePlatform byHand;
    WindowLogic typing{byHand, folder / "typing.cfg"};
    typing.startUp();
    typing.dispatchCommand(ViewComposition);
    command(ViewComposition);
    std::string file;
    for (int i = 0; i < 300; ++i) {
        file += tasks[i % 8] + "\n";
        byHand.setInputText(tasks[i % 8]);
        typing.dispatchCommand(EnterButton);
    }
    platform.openName = folder / "tasks.txt";
    writeFile(platform.openName, file.substr(0, file.size() - 1));
    command(FileOpen);
    EXPECT_EQ(platform.historyAppends, 2) << "the history grows 256 lines at a time";
    auto body = [](const std::string& history) { return history.substr(history.find("\r\n\r\n")); };
    EXPECT_EQ(body(platform.history), body(byHand.history));
    EXPECT_EQ(std::tie(platform.texts, platform.toolTips, platform.visible, platform.active, platform.composition,
                       platform.input, platform.recentTasks, platform.announced.back()),
              std::tie(byHand.texts, byHand.toolTips, byHand.visible, byHand.active, byHand.composition, byHand.input,
                       byHand.recentTasks, byHand.announced.back()));
    command(RecallOlder);
    typing.dispatchCommand(RecallOlder);
    EXPECT_EQ(platform.input, byHand.input) << "Up after the file";
}

TEST_F(LogicTest, TaskFileCancelAndFailure) {
    platform.openName = folder / "tasks.txt";
    writeFile(platform.openName, "1+1\n2+2\n3+3");
    for (int cancelAt : {0, 1}) {
        type("7");
        platform.cancelAt = cancelAt;
        command(FileOpen);
        EXPECT_EQ(platform.input, cancelAt ? "" : "7") << "cancelled before any line: as typed";
    }
    EXPECT_EQ(shown(HistoryBody), "\r\n1+1 = 2\r\n");
    EXPECT_EQ(platform.progressTotal, 3);
    EXPECT_TRUE(platform.progressEnded);

    // A file that is mostly not text is refused before any of it runs.
    std::string binary;
    for (int i = 0; i < 3000; ++i) binary += static_cast<char>((i * 37) % 256);
    writeFile(platform.openName, binary);
    command(FileOpen);
    EXPECT_EQ(shown(HistoryBody), "\r\n1+1 = 2\r\n");
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{"Molvane: The task file was not run.\n\n" + platform.openName.string() +
                                       "\nIt does not look like a text file."});
    platform.messages.clear();

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

// Printing and the help say why they failed in the same words on every
// platform; a cancelled print dialog says nothing.
TEST_F(LogicTest, PrintAndHelpFailuresAreWordedOnce) {
    const std::filesystem::path help = folder / "help" / "molvane-help.html";
    const struct {
        int command;
        PlatformResult result;
        std::string message;
    } rows[] = {
        {FilePrint, PlatformResult::cancelled(), ""},
        {FilePrint, {}, ""},
        {FilePrint, PlatformResult::failed(FailureReason::NoPrinter),
         "The history could not be printed.\n\nNo printer is installed."},
        {FilePrint, PlatformResult::failed(FailureReason::PrintDialogFailed, {}, 4107),
         "The history could not be printed.\n\nThe print dialog failed (error 4107)."},
        {FilePrintPreview, PlatformResult::failed(FailureReason::PrinterNotStarted, "Office laser"),
         "The history could not be printed.\n\nOffice laser\nThe printer could not be started."},
        {HelpTopics, PlatformResult::failed(FailureReason::FileMissing, help),
         "The help could not be shown.\n\n" + help.string() + "\nThe file is missing."},
        {HelpTopics, PlatformResult::failed(FailureReason::NoViewer, help),
         "The help could not be shown.\n\n" + help.string() + "\nNo program to show it could be started."},
    };
    for (const auto& row : rows) {
        platform.messages.clear();
        platform.printResult = platform.helpResult = row.result;
        command(row.command);
        EXPECT_EQ(platform.messages.empty() ? "" : platform.messages.front(),
                  row.message.empty() ? "" : "Molvane: " + row.message)
            << "command " << row.command;
    }
}

}  // namespace
