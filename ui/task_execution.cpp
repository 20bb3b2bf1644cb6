// SPDX-License-Identifier: MIT
// Enter, the display of the two records and the history text.
#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>

#include "engine/text.h"
#include "ui/local_time.h"
#include "ui/window_layout.h"
#include "ui/window_logic.h"

namespace molvane {

namespace {

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
    EnteredLine entered = enterLine(session_, platform_.inputText(), view_.taskNumbering != 0);
    if (entered.outcome == EnterOutcome::Refused) {
        platform_.setControlText(LowerResultLine, std::string(kTooLongMessage));
        platform_.announce(std::string(kTooLongMessage));
        return;
    }
    if (entered.outcome == EnterOutcome::Ran) {
        showEnteredTask();
        if (!entered.entry.recentTask.empty()) addRecentTask(entered.entry.recentTask);
        platform_.appendHistoryText(entered.entry.text);
        if (platform_.compositionWindowVisible()) refreshComposition();
        announceAnswer();
    }
    platform_.setInputText("");
    platform_.focusInputLine();
}

void WindowLogic::showEnteredTask() {
    showRootLabels(session_.lastKind == Quadratic);
    // A directive may have changed the mode, the angle unit or the memory.
    refreshIndicators();
    showStates();
}

void WindowLogic::showStates() {
    platform_.setControlText(LowerTaskLine, field(session_.current.szTask));
    platform_.setControlText(LowerResultLine, field(session_.current.szAnswer));
    platform_.setToolTip(LowerTaskLine, field(session_.current.szMaths));
    platform_.setControlText(UpperTaskLine, field(session_.previous.szTask));
    platform_.setControlText(UpperResultLine, field(session_.previous.szAnswer));
    platform_.setToolTip(UpperTaskLine, field(session_.previous.szMaths));
}

void WindowLogic::refreshBothAnswers() {
    formatAnswer(session_.previous);
    platform_.setControlText(UpperResultLine, field(session_.previous.szAnswer));
    formatAnswer(session_.current);
    platform_.setControlText(LowerResultLine, field(session_.current.szAnswer));
}

void WindowLogic::showRootLabels(bool shown) {
    platform_.setControlVisible(FirstRootLabel, shown);
    platform_.setControlVisible(SecondRootLabel, shown);
}

// A quadratic's roots stand on both result lines; a screen reader hears both.
void WindowLogic::announceAnswer() {
    std::string answer = field(session_.current.szAnswer);
    if (session_.lastKind == Quadratic) answer = "x1 = " + field(session_.previous.szAnswer) + ", x2 = " + answer;
    platform_.announce(answer);
}

// Only a change reaches the platform: every Enter refreshes every indicator.
void WindowLogic::refreshIndicators() {
    auto show = [this](int id, bool active) {
        unsigned bit = 1u << static_cast<unsigned>(id - MemoryIndicator) % 32u;
        if (indicatorsShown_ && ((activeIndicators_ & bit) != 0) == active) return;
        activeIndicators_ = active ? activeIndicators_ | bit : activeIndicators_ & ~bit;
        platform_.setIndicatorActive(id, active);
        platform_.setControlName(id, switchName(id, active));
    };
    show(MemoryIndicator, !textOf(session_.current.szMemory).empty());
    for (int i = 0; i <= FixedIndicator - AutomaticIndicator; ++i) {
        show(AutomaticIndicator + i, session_.current.numberMode == i);
        show(RadiansIndicator + i, session_.current.angleUnit == i);
    }
    indicatorsShown_ = true;
}

void WindowLogic::resetHistory() {
    seedRandomNumbers(static_cast<unsigned>(std::time(nullptr)));
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
    clearTaskTexts(session_.current);
    session_.previous = session_.current;
    clearRecentTasks();
    resetHistory();
}

void WindowLogic::newSession() {
    clearRecentTasks();
    clearTaskTexts(session_.current);
    session_.current.szAnswer[0] = '\0';
    session_.current.szMemory[0] = '\0';
    // A quadratic split over the two records would otherwise be put back
    // together by the Enter below and reappear on the upper lines.
    if (session_.lastKind == Quadratic) {
        showRootLabels(false);
        session_.lastKind = Plain;
    }
    platform_.setInputText("");
    dispatchCommand(EnterButton);
    session_.taskCounter = 1;
    updateMemoryToolTip();
    resetHistory();
}

}  // namespace molvane
