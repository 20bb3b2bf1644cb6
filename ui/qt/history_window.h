// The Task History window: the history text beside the main window.
#pragma once

#include <QLabel>
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
    QLabel* link() const { return link_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QLabel* link_;
    QPlainTextEdit* text_;
    std::function<void()> hidden_;
};

// Opens the program's web site in the desktop's browser: always the one fixed
// address, never a text the user typed.
void openWebSite();
