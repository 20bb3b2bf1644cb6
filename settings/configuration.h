// SPDX-License-Identifier: MIT
// The configuration file "mvn.cfg": "#" directives between banner lines.
//
// Reading runs every line through runTask, so the file needs no parser of its
// own; the window options ("#501" to "#505", DirectiveNumber) are handed to the caller, since the
// library never touches a window. Writing builds the file anew.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>

#include "engine/engine.h"

namespace molvane {

// The four view options kept in the file beside the six settings; each 0 or 1.
struct ViewFlags {
    int displayOnly = 0;
    int alwaysOnTop = 0;
    int historyVisible = 0;
    int taskNumbering = 0;
};

// Switches on the view option that a window option of the file stands for
// (OptionDisplayOnly to OptionTaskNumbering); OptionClearHistory and every
// other number change nothing.
void switchOnViewOption(ViewFlags& view, int command);

// Told of each window option (isWindowOption) as the file is read, in file order.
using ConfigurationCommandHandler = std::function<void(int command)>;

// Runs every line of `bytes` ended by a line feed through runTask on `state`; a
// last line without a line feed is not run, failures are ignored, and a line
// too long for a task is skipped.
void applyConfigurationText(std::string_view bytes, CalcState& state, const ConfigurationCommandHandler& onCommand);

// Reads `file` and applies it as above. Returns false (and changes nothing)
// when the file cannot be read.
bool loadConfiguration(const std::filesystem::path& file, CalcState& state,
                       const ConfigurationCommandHandler& onCommand);

// The 22 lines of the file for these settings and view options, byte for byte.
std::string configurationText(const CalcState& state, const ViewFlags& view);

// Writes the file through a temporary file in the same folder and a rename, so
// the old file stays whole when anything fails; creates the folder if needed.
// Returns false on failure.
bool saveConfiguration(const std::filesystem::path& file, const CalcState& state, const ViewFlags& view);

// saveConfiguration that says why it failed: the system's error, or none.
std::error_code saveConfigurationReporting(const std::filesystem::path& file, const CalcState& state,
                                           const ViewFlags& view);

// The text of the message box shown when saving fails.
extern const char* const kSaveFailedMessage;

}  // namespace molvane
