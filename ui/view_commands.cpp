// SPDX-License-Identifier: MIT
// The Format and View commands: number settings, window options, defaults.
#include "engine/text.h"
#include "session/composition_table.h"
#include "ui/failure_message.h"
#include "ui/window_logic.h"

namespace molvane {

bool WindowLogic::dispatchSettingsCommand(int id) {
    if (id >= AutomaticIndicator && id <= FixedIndicator) {
        setNumberMode(id - AutomaticIndicator);
    } else if (id >= RadiansIndicator && id <= GradsIndicator) {
        setAngleUnit(id - RadiansIndicator);
    } else if (id >= FormatAutomatic && id <= FormatFixed) {
        setNumberMode(id - FormatAutomatic);
    } else if (id >= FormatRadians && id <= FormatGrads) {
        setAngleUnit(id - FormatRadians);
    } else if (id >= FormatDecimalsFirst && id <= FormatDecimalsLast) {
        setDecimals(id - FormatDecimalsFirst);
    } else if (id == FormatDot || id == FormatComma) {
        setDecimalComma(id - FormatDot);
    } else if (id == FormatDigitGrouping) {
        toggleDigitGrouping();
    } else if (id == FormatFunctionSeparator) {
        // The previous record follows at the next Enter, which copies it whole.
        session_.current.functionSeparator = !session_.current.functionSeparator;
    } else if (id == FormatSaveSettings) {
        saveSettings();
    } else if (id == FormatResetDefaults) {
        resetToDefaults();
    } else {
        return false;
    }
    return true;
}

void WindowLogic::setNumberMode(int mode) {
    session_.current.numberMode = mode;
    session_.previous.numberMode = mode;
    refreshIndicators();
    refreshBothAnswers();
}

// Only the current record: the angle unit matters for the next task, and the
// previous record takes it with the next Enter.
void WindowLogic::setAngleUnit(int unit) {
    session_.current.angleUnit = unit;
    refreshIndicators();
}

void WindowLogic::setDecimals(int decimals) {
    session_.current.decimals = decimals;
    session_.previous.decimals = decimals;
    refreshBothAnswers();
}

void WindowLogic::toggleDigitGrouping() {
    session_.current.digitGrouping = !session_.current.digitGrouping;
    session_.previous.digitGrouping = session_.current.digitGrouping;
    refreshBothAnswers();
}

// The comma also changes the points of the task and the expression, so both
// task lines and their tooltips are shown again.
void WindowLogic::setDecimalComma(int comma) {
    session_.current.decimalComma = comma;
    session_.previous.decimalComma = comma;
    formatAnswer(session_.previous);
    formatAnswer(session_.current);
    showStates();
}

void WindowLogic::toggleDisplayOnly() {
    view_.displayOnly = !view_.displayOnly;
    platform_.setDisplayOnly(view_.displayOnly != 0);
}

void WindowLogic::toggleAlwaysOnTop() {
    view_.alwaysOnTop = !view_.alwaysOnTop;
    platform_.setAlwaysOnTop(view_.alwaysOnTop != 0);
}

void WindowLogic::toggleHistoryWindow() {
    if (platform_.historyWindowVisible()) {
        platform_.hideHistoryWindow();
        return;
    }
    WindowFrame main = platform_.mainWindowFrame();
    platform_.showHistoryWindow(dockedWindowLeft(main, platform_.screenRight()), main.top);
    platform_.focusInputLine();
}

// Opened where it was left when it shows already; the input line keeps the
// focus, so the next task can be typed at once.
void WindowLogic::showCompositionWindow() {
    WindowFrame main = platform_.mainWindowFrame();
    if (!platform_.compositionWindowVisible()) platform_.showCompositionWindow(compositionWindowLeft(main), main.top);
    refreshComposition();
    platform_.focusInputLine();
}

void WindowLogic::refreshComposition() {
    platform_.setCompositionText(compositionWindowText(session_.lastKind, session_.current));
}

void WindowLogic::afterNumberFormatDialog() {
    session_.previous.numberMode = session_.current.numberMode;
    session_.previous.decimals = session_.current.decimals;
    session_.previous.digitGrouping = session_.current.digitGrouping;
    formatAnswer(session_.previous);
    platform_.setControlText(UpperResultLine, std::string(textOf(session_.previous.szAnswer)));
}

void WindowLogic::setNumberFormatFields(int decimals, int digitGrouping) {
    session_.current.decimals = decimals;
    session_.previous.decimals = decimals;
    session_.current.digitGrouping = digitGrouping;
    session_.previous.digitGrouping = digitGrouping;
}

// The box keeps its familiar words and adds the file and the system's reason,
// so the user can put it right.
void WindowLogic::saveSettings() {
    std::error_code error = saveConfigurationReporting(configurationFile_, session_.current, viewFlags());
    if (error)
        platform_.showErrorMessage(kMessageCaption, fileFailureMessage(kSaveFailedMessage, configurationFile_, error));
}

// The window is brought in line with the cleared flags, so that the check
// marks and what the user sees agree.
void WindowLogic::resetToDefaults() {
    session_.taskCounter = 1;
    if (view_.displayOnly) platform_.setDisplayOnly(false);
    if (view_.alwaysOnTop) platform_.setAlwaysOnTop(false);
    if (platform_.historyWindowVisible()) platform_.hideHistoryWindow();
    view_ = ViewFlags{};
    // The settings of a fresh record; the texts stay as they are.
    const CalcState defaults;
    for (CalcState* state : {&session_.current, &session_.previous}) {
        state->angleUnit = defaults.angleUnit;
        state->numberMode = defaults.numberMode;
        state->decimals = defaults.decimals;
        state->digitGrouping = defaults.digitGrouping;
        state->functionSeparator = defaults.functionSeparator;
        state->decimalComma = defaults.decimalComma;
    }
    refreshBothAnswers();
    refreshIndicators();
}

}  // namespace molvane
