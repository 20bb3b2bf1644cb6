// SPDX-License-Identifier: MIT
// The About box, and the icon it shares with the Number Format dialog.
#pragma once

#include <QDialog>
#include <QLabel>

namespace molvane {

// The program's icon at dialog size.
QLabel* aboutIconLabel(QWidget* parent);

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* owner);
};

}  // namespace molvane
