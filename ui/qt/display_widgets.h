// SPDX-License-Identifier: MIT
// The small widgets of the main window that plain Qt widgets do not cover.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace molvane {

// A display line or indicator: reports a click (notification 0) and a double
// click (notification 1); a task line ends a text too long for it in "...".
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    ClickableLabel(const QString& text, bool elide, QWidget* parent);

signals:
    void activated(int notification);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool elide_;
};

// A key. Its pressed state belongs to the window logic, so a click never
// toggles it by itself; it never takes the focus from the input line.
class KeyButton : public QPushButton {
    Q_OBJECT
public:
    KeyButton(const QString& text, QWidget* parent);

protected:
    void nextCheckState() override {}
};

// The input line with its list of recent tasks, newest first. Up recalls the
// newest task and walks back in time, Down walks forward to an empty line, as
// a shell does; the list opens on the newest task, and Enter there only picks
// the task into the input line, for a second Enter to run.
class RecentTasksBox : public QComboBox {
    Q_OBJECT
public:
    explicit RecentTasksBox(QWidget* parent);
    void showPopup() override;
    // A task was added or the list emptied: the next Up starts at the newest again.
    void restartRecall() { recalled_ = -1; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int recalled_ = -1;
    QObject* listKeepsEnter_ = nullptr;  // the entry in the input line, -1 for the line being typed
};

}  // namespace molvane
