// SPDX-License-Identifier: MIT
// The small widgets of the main window that plain Qt widgets do not cover.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace molvane {

// A display line or indicator: reports a click or the space bar
// (notification 0) and a double click (notification 1); a task line ends a
// text too long for it in "...". Tab reaches it, and its focus shows.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    ClickableLabel(const QString& text, bool elide, QWidget* parent);

signals:
    void activated(int notification);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool elide_;
};

// A key. Its pressed state belongs to the window logic, so a click never
// toggles it by itself; a click never takes the focus from the input line,
// while Tab reaches every key for those who work by keyboard alone.
class KeyButton : public QPushButton {
    Q_OBJECT
public:
    KeyButton(const QString& text, QWidget* parent);

protected:
    void nextCheckState() override {}
};

// The input line with its list of recent tasks, newest first. Up and Down
// are the recall commands of the window logic; the list opens on the newest
// task, and Enter there only picks the task into the input line, for a second
// Enter to run.
class RecentTasksBox : public QComboBox {
    Q_OBJECT
public:
    explicit RecentTasksBox(QWidget* parent);
    void showPopup() override;

signals:
    void recall(int command);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QObject* listKeepsEnter_ = nullptr;
};

}  // namespace molvane
