// SPDX-License-Identifier: MIT
#include "ui/qt/number_format_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/about_texts.h"
#include "ui/qt/about_dialog.h"

namespace molvane {

namespace {

// Typing and the arrows read the places from the same text: the field's first
// 61 characters.
std::string placesText(const QString& text) { return text.left(61).toStdString(); }

// Three radio buttons that the dialog checks itself, as the commands say;
// `chosen` runs with the index of the one clicked.
template <typename Chosen>
void makeChoiceButtons(QWidget* group, const char* const (&names)[3], QRadioButton* (&buttons)[3], Chosen chosen) {
    for (int i = 0; i < 3; ++i) {
        buttons[i] = new QRadioButton(names[i], group);
        buttons[i]->setAutoExclusive(false);
        QObject::connect(buttons[i], &QRadioButton::clicked, group, [chosen, i] { chosen(i); });
    }
}

void checkOnly(QRadioButton* (&buttons)[3], int chosen) {
    for (int i = 0; i < 3; ++i) buttons[i]->setChecked(i == chosen);
}

}  // namespace

NumberFormatDialog::NumberFormatDialog(QWidget* owner, WindowLogic& logic) : QDialog(owner), choices_(logic) {
    setWindowTitle("Number Format");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildHeading());
    layout->addWidget(buildNumberGroup());
    layout->addWidget(buildAngleGroup());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    buttons->button(QDialogButtonBox::Cancel)->setText("Cancel");
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &NumberFormatDialog::reject);
    layout->addWidget(buttons);

    showMode();
    checkOnly(units_, choices_.angleUnit());
    decimals_->setText(QString::number(choices_.decimals()));
    grouping_->setChecked(choices_.digitGrouping());
    // Connected once the controls show the opening values, so that showing
    // them applies nothing.
    connect(decimals_, &QLineEdit::textChanged, this,
            [this](const QString& text) { choices_.typeDecimals(placesText(text)); });
    connect(grouping_, &QCheckBox::toggled, this, [this](bool on) { choices_.setDigitGrouping(on); });
    buttons->button(QDialogButtonBox::Ok)->setFocus();
}

QWidget* NumberFormatDialog::buildHeading() {
    auto* heading = new QWidget(this);
    auto* layout = new QHBoxLayout(heading);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(aboutIconLabel(heading), 0, Qt::AlignTop);
    auto* lines = new QVBoxLayout;
    for (const char* line : kNumberFormatHeading) {
        auto* label = new QLabel(QString::fromUtf8(line), heading);
        label->setAlignment(Qt::AlignCenter);
        lines->addWidget(label);
    }
    auto* notice = new QLabel(QString::fromUtf8(kDistributionNotice), heading);
    notice->setWordWrap(true);
    lines->addWidget(notice);
    layout->addLayout(lines, 1);
    return heading;
}

QWidget* NumberFormatDialog::buildNumberGroup() {
    auto* group = new QGroupBox(" Number Format ", this);
    auto* grid = new QGridLayout(group);
    makeChoiceButtons(group, {"&Automatic", "&Scientific", "&Fixed"}, modes_, [this](int mode) {
        choices_.chooseNumberMode(mode);
        showMode();
    });
    for (int mode = 0; mode < 3; ++mode) grid->addWidget(modes_[mode], mode, 0);
    decimals_ = new QLineEdit(group);
    decimals_->setAccessibleName("Decimal places");
    decimals_->setAlignment(Qt::AlignCenter);
    decimals_->setMaximumWidth(fontMetrics().horizontalAdvance("0000") + 8);
    up_ = new QToolButton(group);
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(group);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* arrow : {up_, down_}) {
        arrow->setAutoRepeat(true);
        arrow->setFixedSize(16, 11);
    }
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(up_);
    arrows->addWidget(down_);
    placesLabel_ = new QLabel("Decimal places", group);
    auto* places = new QHBoxLayout;
    places->addLayout(arrows);
    places->addWidget(decimals_);
    places->addWidget(placesLabel_);
    places->addStretch();
    grid->addLayout(places, 1, 1);
    grouping_ = new QCheckBox("Digit grouping", group);
    grid->addWidget(grouping_, 2, 1);
    return group;
}

QWidget* NumberFormatDialog::buildAngleGroup() {
    auto* group = new QGroupBox(this);
    auto* row = new QHBoxLayout(group);
    makeChoiceButtons(group, {"&Radians", "&Degrees", "&Grads"}, units_, [this](int unit) {
        choices_.chooseAngleUnit(unit);
        checkOnly(units_, unit);
    });
    for (QRadioButton* unit : units_) row->addWidget(unit);
    return group;
}

void NumberFormatDialog::showMode() {
    checkOnly(modes_, choices_.numberMode());
    bool places = choices_.placesEnabled();
    for (QWidget* control : std::initializer_list<QWidget*>{decimals_, up_, down_, placesLabel_})
        control->setEnabled(places);
}

// The new text applies itself through the edit's change signal.
void NumberFormatDialog::step(int direction) {
    decimals_->setText(QString::number(steppedDecimals(placesText(decimals_->text()), direction)));
}

void NumberFormatDialog::reject() {
    choices_.cancel();
    QDialog::reject();
}

}  // namespace molvane
