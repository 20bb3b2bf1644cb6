// SPDX-License-Identifier: MIT
// The Composition window: the elements of the last formula task beside the
// main window, in a fixed-pitch font so that the columns line up.
#pragma once

#include <QPlainTextEdit>
#include <QWidget>
#include <functional>

namespace molvane {

class CompositionWindow : public QWidget {
    Q_OBJECT
public:
    // `dispatch` runs a main-window command.
    CompositionWindow(QWidget* owner, std::function<void(int)> dispatch);

    void setText(const QString& text);
    QPlainTextEdit* textEdit() const { return text_; }

private:
    QPlainTextEdit* text_;
};

}  // namespace molvane
