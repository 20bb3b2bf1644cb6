// The Task History window: the history text beside the main window.
#pragma once

#include <QPlainTextEdit>
#include <QWidget>
#include <functional>

class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    // `dispatch` runs a main-window command; `hidden` tells that the window
    // hid itself (its Hide button or close box).
    HistoryWindow(QWidget* owner, std::function<void(int)> dispatch, std::function<void()> hidden);

    void setText(const QString& text);
    void append(const QString& text);
    QString text() const;
    QPlainTextEdit* textEdit() const { return text_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPlainTextEdit* text_;
    std::function<void()> hidden_;
};
