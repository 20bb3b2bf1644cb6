// A started window logic on an in-memory platform, with its own settings folder.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
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

// What a step looks at besides a control's text (a control's tooltip is
// asked for by its id negated, the Composition window by the command that
// opens it; an indicator, and the inverse key, show whether they are lit).
constexpr int Clipboard = 1, HistoryBody = 2;

// One step of a user's session: the input line as typed ("[...]" marks the
// selection, "|" the caret, else the caret is at the end; nullptr leaves the
// line as the last step left it), a command, and what one control shows after.
struct Step {
    const char* typed;
    int command;
    int control;
    std::string expected;
    int notification = kNotifyClicked;
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
    void type(std::string marked) {
        std::size_t start = marked.find_first_of("[|"), end = marked.find(']');
        std::erase_if(marked, [](char c) { return c == '[' || c == ']' || c == '|'; });
        platform.setInputText(marked);
        if (start != std::string::npos) {
            platform.setInputSelection(static_cast<int>(start),
                                       static_cast<int>(end == std::string::npos ? start : end - 1));
        }
    }
    std::string shown(int id) {
        if (id < 0) return platform.toolTips[-id];
        if (id == Clipboard) return platform.clipboard;
        if (id == HistoryBody) return historyBody();
        if (id == ViewComposition) return platform.composition;
        if (id == InputLine) return platform.input;
        if (id == KeyInverse || (id >= MemoryIndicator && id <= GradsIndicator)) {
            return platform.active[id] || platform.checked[id] ? "lit" : "";
        }
        return platform.controlText(id);
    }
    void run(std::initializer_list<Step> steps) {
        for (const Step& step : steps) {
            if (step.typed) type(step.typed);
            logic.dispatchCommand(step.command, step.notification);
            EXPECT_EQ(shown(step.control), step.expected)
                << "typed '" << (step.typed ? step.typed : "") << "', command " << step.command << ", control "
                << step.control;
        }
    }
    // The history after its dated header.
    std::string historyBody() {
        std::size_t end = platform.history.find("\r\n\r\n");
        return end == std::string::npos ? platform.history : platform.history.substr(end + 4);
    }
};
