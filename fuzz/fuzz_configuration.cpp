// SPDX-License-Identifier: MIT
// The configuration file's text on arbitrary bytes: whatever a file holds, the
// record's texts stay inside their fields, and the file written from the
// settings that result reads back to the same settings and view options.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/engine.h"
#include "fuzz/record_checks.h"
#include "settings/configuration.h"

using namespace molvane;

namespace {

ConfigurationCommandHandler noteViewFlags(ViewFlags& view, std::string_view input) {
    return [&view, input](int command) {
        if (command < 501 || command > 505) failInvariant("the caller was handed a number outside 501 to 505", input);
        switchOnViewOption(view, command);
    };
}

bool sameView(const ViewFlags& a, const ViewFlags& b) {
    return a.displayOnly == b.displayOnly && a.alwaysOnTop == b.alwaysOnTop && a.historyVisible == b.historyVisible &&
           a.taskNumbering == b.taskNumbering;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    seedRandomNumbers(1);
    std::string_view input(reinterpret_cast<const char*>(data), size);
    CalcState state;
    ViewFlags view;
    applyConfigurationText(input, state, noteViewFlags(view, input));
    requireTerminatedTexts(state, input);
    requireSettingsInRange(state, input);

    std::string written = configurationText(state, view);
    CalcState reread;
    ViewFlags rereadView;
    applyConfigurationText(written, reread, noteViewFlags(rereadView, written));
    if (!sameSettings(state, reread)) failInvariant("the written file reads back to other settings", input);
    if (!sameView(view, rereadView)) failInvariant("the written file reads back to other view options", input);
    return 0;
}
