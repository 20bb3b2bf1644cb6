// A run of tasks on one record, as successive presses of Enter would run them.
#pragma once

#include <string>
#include <string_view>

#include "session/enter_line.h"

namespace molvane {

enum class OutputFormat { History, Json };

struct CliSession {
    TaskSession tasks;  // every task runs on tasks.current, as Enter runs them
    OutputFormat format = OutputFormat::History;
    bool showComposition = false;  // each formula task's elements follow its answer
};

// Runs one UTF-8 line and returns what to print for it (LF line ends; empty
// when nothing is logged, as for a line that begins with "="). A line longer
// than the input line accepts is refused and changes nothing.
std::string runLine(CliSession& session, std::string_view utf8Line);

// What to print for a line that was refused as too long before it was read whole.
std::string refuseLine(const CliSession& session);

}  // namespace molvane
