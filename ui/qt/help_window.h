// SPDX-License-Identifier: MIT
// The program's own help document, offline, in a window of its own.
#pragma once

#include <QTextBrowser>
#include <QWidget>

namespace molvane {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* owner);
    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

}  // namespace molvane
