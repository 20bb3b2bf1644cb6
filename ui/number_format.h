// SPDX-License-Identifier: MIT
// What the Number Format dialog does with its controls, free of any toolkit.
//
// Every change applies at once through the main window's own indicator
// commands, so the display shows it while the dialog is open; Cancel puts back
// the four values of the moment the dialog opened.
#pragma once

#include <string_view>

#include "engine/engine.h"

namespace molvane {

class WindowLogic;

class NumberFormatChoices {
public:
    // Opening: remembers the values for Cancel and shows the current mode.
    explicit NumberFormatChoices(WindowLogic& window);

    int numberMode() const;
    int angleUnit() const;
    int decimals() const;
    bool digitGrouping() const;
    // The decimal places mean nothing in Automatic mode.
    bool placesEnabled() const { return numberMode() != Automatic; }

    void chooseNumberMode(int mode);
    void chooseAngleUnit(int unit);
    // The places as typed: the leading integer, letters giving 0. Formatting
    // bounds what it shows, so a typed value is taken as it is.
    void typeDecimals(std::string_view text);
    void setDigitGrouping(bool on);
    void cancel();

private:
    void applyFields(int decimals, int digitGrouping);

    WindowLogic& window_;
    int savedNumberMode_;
    int savedAngleUnit_;
    int savedDecimals_;
    int savedDigitGrouping_;
};

// The places after an arrow of the dialog (`step` +1 or -1) from the text typed:
// the arrows go no further than 0 and 15.
int steppedDecimals(std::string_view text, int step);

}  // namespace molvane
