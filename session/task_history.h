// SPDX-License-Identifier: MIT
// How one Enter is recorded: the two-record display scheme and the history entry.
//
// Toolkit-free, so the desktop program and molvane-cli log tasks the same way.
#pragma once

#include <string>

#include "engine/engine.h"

namespace molvane {

// Before a new task runs: a quadratic result is split over the two records (the
// equation and one root in `previous`); this puts the task back into `current`
// as runTask left it, so the copy into `previous` holds the whole equation.
void reassembleQuadratic(CalcState& current, const CalcState& previous);

// After runTask returned Quadratic: the equation and the other root move to
// `previous` (its expression reads "Quadratic Equation"); `current` keeps an empty
// task and the result root.
void splitQuadratic(CalcState& current, CalcState& previous);

struct HistoryEntry {
    std::string text;        // appended to the history; "\r\n" line ends
    std::string recentTask;  // put at the top of the recent tasks; empty for none
};

// The entry for the task just run (after splitQuadratic for an equation).
// Numbered entries take `taskCounter` and advance it.
HistoryEntry composeHistoryEntry(int kind, const CalcState& current, const CalcState& previous, bool taskNumbering,
                                 int& taskCounter);

// As above, written over `entry`, whose texts keep their storage: a run of
// many tasks then allocates nothing for its entries.
void composeHistoryEntry(int kind, const CalcState& current, const CalcState& previous, bool taskNumbering,
                         int& taskCounter, HistoryEntry& entry);

// The header that starts the history: the program's name and the date and time
// as the caller formatted them.
std::string historyHeader(const std::string& dateAndTime);

}  // namespace molvane
