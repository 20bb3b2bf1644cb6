// SPDX-License-Identifier: MIT
// A run of tasks on one record, as successive presses of Enter would run them.
#pragma once

#include <string>
#include <string_view>

#include "session/enter_line.h"

namespace molvane {

enum class OutputFormat { History, Json, Terse };

struct CliSession {
    TaskSession tasks;  // every task runs on tasks.current, as Enter runs them
    OutputFormat format = OutputFormat::History;
    bool showComposition = false;  // each formula task's elements follow its answer
    // Kept from line to line so that their storage is reused.
    std::string decoded;  // a line that decoding changed
    EnteredLine entered;
};

// What lines give: the text for standard output and the text for standard
// error (a terse run's messages), LF line ends.
struct LineOutput {
    std::string out;
    std::string err;
};

// Runs one line of task text, decoded as decodeTaskText decodes it, and
// appends what it gives to `output`, so that the answers of many lines can
// leave in one write. True when the line gave no answer: a failed task, or a
// line refused as too long. A line that begins with "=" is a comment: nothing
// runs, and only JSON says so. A line longer than the input line accepts is
// refused and changes nothing.
bool runLine(CliSession& session, std::string_view line, LineOutput& output);

// What a line refused as too long before it was read whole gives; it failed.
void refuseLine(const CliSession& session, LineOutput& output);

// True when a task gave no answer: runTask failed, or a memory directive
// returned its error code ("#20" returns 20 and is no failure).
bool taskFailed(int kind, const CalcState& record);

// The name of the task's kind in JSON: "plain", "functions", "formula",
// "formulaFunctions", "quadratic", "directive" or "failed".
std::string_view kindName(int kind, const CalcState& record);

}  // namespace molvane
