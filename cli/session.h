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
};

// What one line gives: the text for standard output, the text for standard
// error (a terse run's messages) and whether the line gave no answer (a failed
// task, or a line refused as too long).
struct LineOutput {
    std::string out;
    std::string err;
    bool failed = false;
};

// Runs one line of task text, decoded as decodeTaskText decodes it: UTF-8 or
// Windows-1252 (LF line ends in the output). A line that begins with "="
// is a comment: nothing runs, and only JSON says so. A line longer than the
// input line accepts is refused and changes nothing.
LineOutput runLine(CliSession& session, std::string_view line);

// What a line refused as too long before it was read whole gives.
LineOutput refuseLine(const CliSession& session);

// True when a task gave no answer: runTask failed, or a memory directive
// returned its error code ("#20" returns 20 and is no failure).
bool taskFailed(int kind, const CalcState& record);

// The name of the task's kind in JSON: "plain", "functions", "formula",
// "formulaFunctions", "quadratic", "directive" or "failed".
std::string_view kindName(int kind, const CalcState& record);

}  // namespace molvane
