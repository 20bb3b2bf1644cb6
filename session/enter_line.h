// SPDX-License-Identifier: MIT
// One press of Enter, shared by every front end: the length check, comment
// lines, the run on the current record and the history entry.
#pragma once

#include <functional>
#include <string_view>

#include "engine/engine.h"
#include "session/task_history.h"

namespace molvane {

// What the front end shows when a line is longer than the input line accepts.
inline constexpr std::string_view kTooLongMessage = "Expression is too long !";

// The records one front end keeps from Enter to Enter: the task just run, the
// one before it (which also holds a quadratic's other half) and the numbering.
struct TaskSession {
    CalcState current;
    CalcState previous;
    int lastKind = Plain;
    int taskCounter = 1;
};

enum class EnterOutcome {
    Ran,      // the line ran; `entry` is what the history logs
    Comment,  // a line that begins with "=": nothing ran, nothing changed
    Refused,  // longer than the input line accepts: nothing ran, nothing changed
};

struct EnteredLine {
    EnterOutcome outcome = EnterOutcome::Ran;
    HistoryEntry entry;
};

// Sees the record as runTask left it, before a quadratic's roots are split
// over the two records.
using RanTaskObserver = std::function<void(int kind, const CalcState& record)>;

// Runs one Windows-1252 line as the Enter key does: the current record is kept
// as the previous one, the line runs on the current record, a quadratic's roots
// are split over the two, and the entry is composed (numbered when
// `taskNumbering` is on).
EnteredLine enterLine(TaskSession& session, std::string_view line, bool taskNumbering,
                      const RanTaskObserver& observer = {});

// As above, written over `entered`, whose texts keep their storage from line
// to line.
void enterLine(TaskSession& session, std::string_view line, bool taskNumbering, const RanTaskObserver& observer,
               EnteredLine& entered);

// As above, without the history's entry: for a front end that shows the
// records its own way.
EnterOutcome enterTask(TaskSession& session, std::string_view line, const RanTaskObserver& observer = {});

}  // namespace molvane
