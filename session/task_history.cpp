// SPDX-License-Identifier: MIT
#include "session/task_history.h"

#include "engine/format.h"
#include "engine/numbers.h"
#include "engine/text.h"

namespace molvane {

namespace {

// Starts an entry for a task that is logged: numbered when numbering is on.
void startEntry(std::string& text, bool taskNumbering, int& taskCounter) {
    text = "\r\n";
    if (!taskNumbering) return;
    text += writeInteger(taskCounter++).view();
    text += ". \t";
}

std::string recordDump(const CalcState& state) {
    std::string dump;
    dump += "\r\nszTask     = ";
    dump += textOf(state.szTask);
    dump += "\r\nszMaths = ";
    dump += textOf(state.szMaths);
    dump += "\r\nszResult   = ";
    dump += textOf(state.szResult);
    dump += "\r\nszAnswer  = ";
    dump += textOf(state.szAnswer);
    dump += "\r\nszMemory  = ";
    dump += textOf(state.szMemory);
    dump += "\r\n";
    return dump;
}

}  // namespace

void reassembleQuadratic(CalcState& current, const CalcState& previous) {
    writeTextCut(current.szTask, textOf(previous.szTask));
    writeTextCut(current.szMaths, textOf(previous.szResult));
}

void splitQuadratic(CalcState& current, CalcState& previous) {
    writeTextCut(previous.szTask, textOf(current.szTask));
    current.szTask[0] = '\0';
    writeTextCut(previous.szResult, textOf(current.szMaths));
    // The math root was shown with the decimal comma; a raw result is read with a
    // point, or "-1,5" would come back as -1.
    replaceCharacter(previous.szResult, ',', '.');
    formatAnswer(previous);
    writeTextCut(previous.szMaths, "Quadratic Equation");
}

void composeHistoryEntry(int kind, const CalcState& current, const CalcState& previous, bool taskNumbering,
                         int& taskCounter, HistoryEntry& entry) {
    std::string_view task = textOf(current.szTask);
    if (!task.empty()) {
        startEntry(entry.text, taskNumbering, taskCounter);
        entry.text += task;
        entry.recentTask = task;
        entry.text += " = ";
        entry.text += textOf(current.szAnswer);
        entry.text += "\r\n";
    } else if (kind == Quadratic) {
        startEntry(entry.text, taskNumbering, taskCounter);
        entry.recentTask = textOf(previous.szTask);
        entry.text += entry.recentTask;
        entry.text += "\r\nx1 = \t";
        entry.text += textOf(previous.szAnswer);
        entry.text += "\r\nx2 = \t";
        entry.text += textOf(current.szAnswer);
        entry.text += "\r\n";
    } else {
        entry.text = "\r\n";
        entry.recentTask.clear();
    }
    if (kind == DumpRecord) entry.text = recordDump(current);
}

HistoryEntry composeHistoryEntry(int kind, const CalcState& current, const CalcState& previous, bool taskNumbering,
                                 int& taskCounter) {
    HistoryEntry entry;
    composeHistoryEntry(kind, current, previous, taskNumbering, taskCounter, entry);
    return entry;
}

std::string historyHeader(const std::string& dateAndTime) {
    return "\r\n\t== Molvane ==\r\n\t" + dateAndTime + "\r\n\r\n";
}

}  // namespace molvane
