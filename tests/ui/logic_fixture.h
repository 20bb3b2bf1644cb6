// A started window logic on an in-memory platform, with its own settings folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "tests/support/fake_platform.h"
#include "ui/command_ids.h"
#include "ui/window_logic.h"

using namespace molvane;

inline std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

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
    static std::filesystem::path freshFolder() {
        // ctest runs tests in parallel processes: each needs a folder of its own.
        static const unsigned process = std::random_device{}();
        static int count = 0;
        auto folder = std::filesystem::temp_directory_path() /
                      ("molvane_ui_test_" + std::to_string(process) + "_" + std::to_string(++count));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        return folder;
    }

    std::filesystem::path folder = freshFolder();
    FakePlatform platform;
    WindowLogic logic{platform, folder / "mvn.cfg"};

    void SetUp() override { logic.startUp(); }
    void TearDown() override { std::filesystem::remove_all(folder); }

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
