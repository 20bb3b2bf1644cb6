// SPDX-License-Identifier: MIT
// A task file of arbitrary bytes walked through the window logic, as File >
// Open runs it, against the in-memory platform: whatever the file holds, both
// records stay sound, the walk ends, and every line that ran left its entry.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/record_checks.h"
#include "tests/support/fake_platform.h"
#include "ui/task_file.h"
#include "ui/window_logic.h"

using namespace molvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    FakePlatform platform;
    WindowLogic logic(platform, "/nonexistent/molvane-fuzz/mvn.cfg");
    logic.startUp();
    std::size_t headerLength = platform.history.size();

    std::vector<std::string> lines = taskFileLines(bytes);
    logic.runTaskLines(lines);

    requireTerminatedTexts(logic.currentState(), bytes);
    requireTerminatedTexts(logic.previousState(), bytes);
    // Every line is pressed through Enter: the history grows unless every line
    // was refused as too long or was a comment line beginning with "=".
    bool anyRan = false;
    for (const std::string& line : lines) {
        anyRan = anyRan || (line.size() <= kInputLineLimit && (line.empty() || line.front() != '='));
    }
    if (anyRan && platform.history.size() <= headerLength) failInvariant("a line ran but left no history entry", bytes);
    return 0;
}
