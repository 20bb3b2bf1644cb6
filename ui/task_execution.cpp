// Enter, the display of the two records and the history text.
#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>

#include "engine/functions.h"
#include "engine/text.h"
#include "ui/local_time.h"
#include "ui/task_history.h"
#include "ui/window_logic.h"

namespace {

constexpr const char* kTooLongMessage = "Expression is too long !";

std::string field(std::span<const char> text) { return std::string(textOf(text)); }

// Forgets the last task; its answer, the memory and the settings stay.
void clearTaskTexts(CalcState& state) {
    state.szTask[0] = '\0';
    state.szMaths[0] = '\0';
    state.szResult[0] = '\0';
}

// The month's name and the time as the "C" locale writes them, so the header
// reads the same whatever the desktop's language.
std::string currentDateAndTime() {
    std::tm local = localTimeNow();
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::put_time(&local, "%B %d, %Y  %X");
    return out.str();
}

}  // namespace

void WindowLogic::showTaskResult() {
    std::string line = platform_.inputText();
    if (line.size() > kInputLineLimit) {
        platform_.setControlText(LowerResultLine, kTooLongMessage);
        return;
    }
    if (!line.empty() && line.front() == '=') {
        platform_.setInputText("");
        platform_.focusInputLine();
        return;
    }
    if (lastTaskKind_ == Quadratic) {
        showRootLabels(false);
        reassembleQuadratic(current_, previous_);
    }
    previous_ = current_;
    writeTextCut(current_.szTask, line);
    lastTaskKind_ = runTask(current_);
    if (lastTaskKind_ == Quadratic) {
        showRootLabels(true);
        splitQuadratic(current_, previous_);
    }
    // A directive may have changed the mode, the angle unit or the memory.
    refreshIndicators();
    showStates();

    bool numbering = view_.taskNumbering != 0;
    HistoryEntry entry = composeHistoryEntry(lastTaskKind_, current_, previous_, numbering, taskCounter_);
    if (!entry.recentTask.empty()) platform_.insertRecentTask(entry.recentTask);
    platform_.appendHistoryText(entry.text);
    platform_.setInputText("");
    platform_.focusInputLine();
}

void WindowLogic::showStates() {
    platform_.setControlText(LowerTaskLine, field(current_.szTask));
    platform_.setControlText(LowerResultLine, field(current_.szAnswer));
    platform_.setToolTip(LowerTaskLine, field(current_.szMaths));
    platform_.setControlText(UpperTaskLine, field(previous_.szTask));
    platform_.setControlText(UpperResultLine, field(previous_.szAnswer));
    platform_.setToolTip(UpperTaskLine, field(previous_.szMaths));
}

void WindowLogic::refreshBothAnswers() {
    formatAnswer(previous_);
    platform_.setControlText(UpperResultLine, field(previous_.szAnswer));
    formatAnswer(current_);
    platform_.setControlText(LowerResultLine, field(current_.szAnswer));
}

void WindowLogic::showRootLabels(bool shown) {
    platform_.setControlVisible(FirstRootLabel, shown);
    platform_.setControlVisible(SecondRootLabel, shown);
}

void WindowLogic::refreshIndicators() {
    platform_.setIndicatorActive(MemoryIndicator, !textOf(current_.szMemory).empty());
    for (int i = 0; i <= FixedIndicator - AutomaticIndicator; ++i) {
        platform_.setIndicatorActive(AutomaticIndicator + i, current_.numberMode == i);
        platform_.setIndicatorActive(RadiansIndicator + i, current_.angleUnit == i);
    }
}

void WindowLogic::resetHistory() {
    seedRandomGenerator(static_cast<unsigned>(std::time(nullptr)));
    platform_.setHistoryText(historyHeader(currentDateAndTime()));
}

void WindowLogic::clearDisplay() {
    for (int id : {UpperTaskLine, LowerTaskLine, UpperResultLine, LowerResultLine}) platform_.setControlText(id, "");
    platform_.setToolTip(UpperTaskLine, " ");
    platform_.setToolTip(LowerTaskLine, " ");
    platform_.focusInputLine();
}

void WindowLogic::clearHistory() {
    dispatchCommand(EditClearDisplay);
    clearTaskTexts(current_);
    previous_ = current_;
    platform_.clearRecentTasks();
    resetHistory();
}

void WindowLogic::newSession() {
    platform_.clearRecentTasks();
    clearTaskTexts(current_);
    current_.szAnswer[0] = '\0';
    current_.szMemory[0] = '\0';
    // A quadratic split over the two records would otherwise be put back
    // together by the Enter below and reappear on the upper lines.
    if (lastTaskKind_ == Quadratic) {
        showRootLabels(false);
        lastTaskKind_ = Plain;
    }
    platform_.setInputText("");
    dispatchCommand(EnterButton);
    taskCounter_ = 1;
    updateMemoryToolTip();
    resetHistory();
}
