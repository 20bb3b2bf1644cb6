// SPDX-License-Identifier: MIT
// The Composition window: the elements of the last formula task beside the
// main window, in a fixed-pitch font so that the columns line up.
#pragma once

#include <QPlainTextEdit>
#include <QWidget>
#include <functional>

#include "ui/window_layout.h"

namespace molvane {

class CompositionWindow : public QWidget {
    Q_OBJECT
public:
    // `dispatch` runs a main-window command; `opening` is its size at first,
    // and at least, as the table needs no more.
    CompositionWindow(QWidget* owner, QSize opening, std::function<void(int)> dispatch);

    void setText(const QString& text);
    QPlainTextEdit* textEdit() const { return text_; }
    // The size that shows a text of this extent whole, without scrolling.
    QSize sizeFor(TextExtent extent);

private:
    QPlainTextEdit* text_;
    QSize opening_;
};

}  // namespace molvane
