// SPDX-License-Identifier: MIT
// How the answer line tells a screen reader its news without taking the focus
// from the input line.
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>

namespace molvane {

// A status bar carried by the answer line, with a notification in it that
// appears with the text to say. Orca speaks a notification as it appears, and
// one in a status bar by its text alone ("5"); Qt's AT-SPI bridge drops a
// value change on a label and sends a changed name without its text. Neither
// widget paints, takes clicks or takes the focus.
class AnswerAnnouncer : public QWidget {
    Q_OBJECT
public:
    explicit AnswerAnnouncer(QWidget* answerLine);

    // Says `text` once, even when it is the text said last.
    void announce(const QString& text);

private:
    QWidget* notification_;
    QTimer quiet_;
};

}  // namespace molvane
