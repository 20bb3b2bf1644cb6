// SPDX-License-Identifier: MIT
// The Task History window: the history text beside the main window, under a
// link to the program's web site.
#pragma once

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>
#include <functional>
#include <span>

#include "ui/window_layout.h"

namespace molvane {

class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    // `dispatch` runs a main-window command.
    HistoryWindow(QWidget* owner, std::function<void(int)> dispatch);

    // The full history, "\r\n" line ends; the window shows each line cut at
    // kShownLineLimit characters, so one huge line cannot make it slow.
    void setText(const QString& text);
    void append(const QString& text);
    QString text() const { return text_; }
    QPlainTextEdit* textEdit() const { return shown_; }
    QLabel* link() const { return link_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void fitTabStops();
    // The part of `added` that the window shows, its lines cut where needed.
    QString shownPart(const QString& added);

    QLabel* link_;
    QPlainTextEdit* shown_;
    QString text_;
    qsizetype lastLineLength_ = 0;  // of the full text's last line
};

// Longer lines are shown cut, ending in an ellipsis; the text saved, copied
// and printed keeps them whole.
inline constexpr qsizetype kShownLineLimit = 3000;

// Opens the program's web site in the desktop's browser: always the one fixed
// address, never a text the user typed.
void openWebSite();

// A row of buttons under a secondary window's text, each running its command.
QHBoxLayout* buttonRow(QWidget* window, std::span<const WindowButton> buttons,
                       const std::function<void(int)>& dispatch);

// A label that shows the web site's address as a link and opens it when clicked.
QLabel* webSiteLink(QWidget* parent);

}  // namespace molvane
