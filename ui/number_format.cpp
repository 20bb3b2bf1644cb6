// SPDX-License-Identifier: MIT
#include "ui/number_format.h"

#include "engine/numbers.h"
#include "ui/window_logic.h"

namespace molvane {

namespace {

constexpr int kMostArrowDecimals = 15;

}  // namespace

NumberFormatChoices::NumberFormatChoices(WindowLogic& window)
    : window_(window),
      savedNumberMode_(window.currentState().numberMode),
      savedAngleUnit_(window.currentState().angleUnit),
      savedDecimals_(window.currentState().decimals),
      savedDigitGrouping_(window.currentState().digitGrouping) {
    window_.dispatchCommand(AutomaticIndicator + savedNumberMode_);
}

int NumberFormatChoices::numberMode() const { return window_.currentState().numberMode; }
int NumberFormatChoices::angleUnit() const { return window_.currentState().angleUnit; }
int NumberFormatChoices::decimals() const { return window_.currentState().decimals; }
bool NumberFormatChoices::digitGrouping() const { return window_.currentState().digitGrouping != 0; }

void NumberFormatChoices::chooseNumberMode(int mode) { window_.dispatchCommand(AutomaticIndicator + mode); }

void NumberFormatChoices::chooseAngleUnit(int unit) { window_.dispatchCommand(RadiansIndicator + unit); }

void NumberFormatChoices::typeDecimals(std::string_view text) {
    applyFields(readInteger(text), window_.currentState().digitGrouping);
}

void NumberFormatChoices::setDigitGrouping(bool on) { applyFields(decimals(), on ? 1 : 0); }

void NumberFormatChoices::cancel() {
    window_.setNumberFormatFields(savedDecimals_, savedDigitGrouping_);
    window_.dispatchCommand(AutomaticIndicator + savedNumberMode_);
    window_.dispatchCommand(RadiansIndicator + savedAngleUnit_);
}

// The mode command shows both answers again under the new fields.
void NumberFormatChoices::applyFields(int decimals, int digitGrouping) {
    window_.setNumberFormatFields(decimals, digitGrouping);
    window_.dispatchCommand(AutomaticIndicator + numberMode());
}

int steppedDecimals(std::string_view text, int step) {
    int places = readInteger(text);
    if (step > 0 && places < kMostArrowDecimals) return places + 1;
    if (step < 0 && places > 0) return places - 1;
    return places;
}

}  // namespace molvane
