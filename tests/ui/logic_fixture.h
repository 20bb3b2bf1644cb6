// A started window logic on an in-memory platform, with its own settings folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/fake_platform.h"
#include "tests/support/files.h"
#include "ui/command_ids.h"
#include "ui/window_logic.h"

using namespace molvane;

// Runs the tasks on a window of its own, with task numbering on or off.
struct FreshWindow {
    FakePlatform platform;
    WindowLogic logic;
    FreshWindow(const std::filesystem::path& config, const std::vector<std::string>& tasks, bool numbering = false)
        : logic(platform, config) {
        logic.startUp();
        if (numbering) logic.dispatchCommand(ViewTaskNumbering);
        header = platform.history;
        for (const std::string& task : tasks) {
            platform.setInputText(task);
            logic.dispatchCommand(EnterButton);
        }
    }
    std::string header;
};

class LogicTest : public ::testing::Test {
protected:
    TemporaryFolder temporary;
    std::filesystem::path folder = temporary.path();
    FakePlatform platform;
    WindowLogic logic{platform, folder / "mvn.cfg"};

    void SetUp() override { logic.startUp(); }

    void enter(const std::string& line) {
        platform.setInputText(line);
        logic.dispatchCommand(EnterButton);
    }
    void command(int id) { logic.dispatchCommand(id); }
    void typeWithSelection(const std::string& text, int start, int end) {
        platform.setInputText(text);
        platform.setInputSelection(start, end);
    }
    std::string line(int id) { return platform.controlText(id); }
    std::string memory() { return logic.currentState().szMemory; }
    // The history after its dated header.
    std::string historyBody() {
        std::size_t end = platform.history.find("\r\n\r\n");
        return end == std::string::npos ? platform.history : platform.history.substr(end + 4);
    }
};
