// The Format and View commands: number settings, window options, defaults.
#include "engine/text.h"
#include "ui/window_logic.h"

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
        current_.functionSeparator = !current_.functionSeparator;
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
    current_.numberMode = mode;
    previous_.numberMode = mode;
    refreshIndicators();
    refreshBothAnswers();
}

// Only the current record: the angle unit matters for the next task, and the
// previous record takes it with the next Enter.
void WindowLogic::setAngleUnit(int unit) {
    current_.angleUnit = unit;
    refreshIndicators();
}

void WindowLogic::setDecimals(int decimals) {
    current_.decimals = decimals;
    previous_.decimals = decimals;
    refreshBothAnswers();
}

void WindowLogic::toggleDigitGrouping() {
    current_.digitGrouping = !current_.digitGrouping;
    previous_.digitGrouping = current_.digitGrouping;
    refreshBothAnswers();
}

// The comma also changes the points of the task and the expression, so both
// task lines and their tooltips are shown again.
void WindowLogic::setDecimalComma(int comma) {
    current_.decimalComma = comma;
    previous_.decimalComma = comma;
    formatAnswer(previous_);
    formatAnswer(current_);
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
    platform_.showHistoryWindow(historyWindowLeft(main, platform_.screenRight()), main.top);
    platform_.focusInputLine();
}

void WindowLogic::afterNumberFormatDialog() {
    previous_.numberMode = current_.numberMode;
    previous_.decimals = current_.decimals;
    previous_.digitGrouping = current_.digitGrouping;
    formatAnswer(previous_);
    platform_.setControlText(UpperResultLine, std::string(textOf(previous_.szAnswer)));
}

void WindowLogic::setNumberFormatFields(int decimals, int digitGrouping) {
    current_.decimals = decimals;
    previous_.decimals = decimals;
    current_.digitGrouping = digitGrouping;
    previous_.digitGrouping = digitGrouping;
}

void WindowLogic::saveSettings() {
    if (!saveConfiguration(configurationFile_, current_, viewFlags())) {
        platform_.showErrorMessage(kMessageCaption, kSaveFailedMessage);
    }
}

// The window is brought in line with the cleared flags, so that the check
// marks and what the user sees agree.
void WindowLogic::resetToDefaults() {
    taskCounter_ = 1;
    if (view_.displayOnly) platform_.setDisplayOnly(false);
    if (view_.alwaysOnTop) platform_.setAlwaysOnTop(false);
    if (platform_.historyWindowVisible()) platform_.hideHistoryWindow();
    view_ = ViewFlags{};
    for (CalcState* state : {&current_, &previous_}) {
        state->angleUnit = Radians;
        state->numberMode = Automatic;
        state->decimals = 2;
        state->digitGrouping = 0;
        state->functionSeparator = 1;
        state->decimalComma = 0;
    }
    refreshBothAnswers();
    refreshIndicators();
}
