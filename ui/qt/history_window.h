// The Task History window: the history text beside the main window, under a
// link to the program's web site.
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QWidget>
#include <functional>

namespace molvane {

class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    // `dispatch` runs a main-window command.
    HistoryWindow(QWidget* owner, std::function<void(int)> dispatch);

    void setText(const QString& text);
    void append(const QString& text);
    QString text() const;
    QPlainTextEdit* textEdit() const { return text_; }
    QLabel* link() const { return link_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    QLabel* link_;
    QPlainTextEdit* text_;
};

// Opens the program's web site in the desktop's browser: always the one fixed
// address, never a text the user typed.
void openWebSite();

// A label that shows the web site's address as a link and opens it when clicked.
QLabel* webSiteLink(QWidget* parent);

}  // namespace molvane
