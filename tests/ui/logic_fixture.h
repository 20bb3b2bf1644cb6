// SPDX-License-Identifier: MIT
// A started window logic on an in-memory platform, with its own settings folder.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "tests/support/fake_platform.h"
#include "tests/support/files.h"
#include "ui/command_ids.h"
#include "ui/window_logic.h"

using namespace molvane;

// What a step looks at besides a control's text: the clipboard, the history
// after its dated header, the four display lines as "upper task|upper
// result|lower task|lower result" (the results after their root labels when
// these show), a control's tooltip (asked for by its id negated) and the
// Composition window (by the command that opens it). The inverse key and the
// indicators show "on" or nothing.
constexpr int Clipboard = 1, HistoryBody = 2, Display = 3;

// One step of a user's session: the input line as typed ("[...]" marks the
// selection, "[]" the caret, else the caret is at the end; nullptr leaves the
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
        std::size_t start = marked.find('['), end = marked.find(']');
        std::erase_if(marked, [](char c) { return c == '[' || c == ']'; });
        platform.setInputText(marked);
        if (start != std::string::npos) platform.setInputSelection(static_cast<int>(start), static_cast<int>(end - 1));
    }
    std::string shown(int id) {
        if (id < 0) return platform.toolTips[-id];
        if (id == Clipboard) return platform.clipboard;
        if (id == HistoryBody) return platform.history.substr(platform.history.find("\r\n\r\n") + 4);
        if (id == ViewComposition) return platform.composition;
        if (id == InputLine) return platform.input;
        if (id == Display) {
            return shown(UpperTaskLine) + "|" + (platform.visible[FirstRootLabel] ? "x1 = " : "") +
                   shown(UpperResultLine) + "|" + shown(LowerTaskLine) + "|" +
                   (platform.visible[SecondRootLabel] ? "x2 = " : "") + shown(LowerResultLine);
        }
        if (id == KeyInverse || (id >= MemoryIndicator && id <= GradsIndicator)) {
            return platform.active[id] || platform.checked[id] ? "on" : "";
        }
        return platform.controlText(id);
    }
    void run(std::initializer_list<Step> steps) {
        for (const Step& step : steps) {
            if (step.typed) type(step.typed);
            logic.dispatchCommand(step.command, step.notification);
            EXPECT_EQ(shown(step.control), step.expected)
                << "'" << (step.typed ? step.typed : "") << "', " << step.command;
        }
    }
};
