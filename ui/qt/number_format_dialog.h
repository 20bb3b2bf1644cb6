// SPDX-License-Identifier: MIT
// The Number Format dialog: mode, decimal places, grouping and angle unit,
// applied to the main window's display while the dialog is open.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

#include "ui/number_format.h"

namespace molvane {

class NumberFormatDialog : public QDialog {
    Q_OBJECT
public:
    NumberFormatDialog(QWidget* owner, WindowLogic& logic);

    QRadioButton* modeButton(int mode) const { return modes_[mode]; }
    QRadioButton* angleButton(int unit) const { return units_[unit]; }
    QLineEdit* decimalsEdit() const { return decimals_; }
    QToolButton* upArrow() const { return up_; }
    QToolButton* downArrow() const { return down_; }
    QCheckBox* groupingBox() const { return grouping_; }

public slots:
    // Cancel, Esc and the close box put the values of the opening back.
    void reject() override;

private:
    QWidget* buildHeading();
    QWidget* buildNumberGroup();
    QWidget* buildAngleGroup();
    void showMode();
    void step(int direction);

    NumberFormatChoices choices_;
    QRadioButton* modes_[3] = {};
    QRadioButton* units_[3] = {};
    QLabel* placesLabel_ = nullptr;
    QLineEdit* decimals_ = nullptr;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    QCheckBox* grouping_ = nullptr;
};

}  // namespace molvane
