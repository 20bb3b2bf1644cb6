// SPDX-License-Identifier: MIT
// A task file run through the window logic as File > Open runs it, on the
// in-memory platform: the desktop program's own work for each line, without
// a toolkit, for the instruction budgets that bench/check_budgets.py guards.
//
//     molvane_task_file_workload TASK_FILE
//
// Prints the lines run and the size of the history they left.
#include <cstdio>
#include <filesystem>

#include "tests/support/fake_platform.h"
#include "ui/command_ids.h"
#include "ui/window_logic.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: molvane_task_file_workload TASK_FILE\n");
        return 2;
    }
    FakePlatform platform;
    platform.openName = argv[1];
    // No configuration file: every run starts from the same settings.
    WindowLogic logic(platform, std::filesystem::path(argv[1]).parent_path() / "absent" / "mvn.cfg");
    logic.startUp();
    logic.dispatchCommand(FileOpen);
    if (!platform.messages.empty()) {
        std::fprintf(stderr, "%s\n", platform.messages.front().c_str());
        return 1;
    }
    std::printf("%d lines, a history of %zu bytes\n", platform.progressTotal, platform.history.size());
    return 0;
}
