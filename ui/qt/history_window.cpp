#include "ui/qt/history_window.h"

#include <QDesktopServices>
#include <QEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/command_ids.h"
#include "ui/web_site.h"

namespace molvane {

void openWebSite() { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kWebSiteAddress))); }

QLabel* webSiteLink(QWidget* parent) {
    QString address = QString::fromLatin1(kWebSiteAddress).toHtmlEscaped();
    auto* link = new QLabel("<a href=\"" + address + "\">" + address + "</a>", parent);
    link->setTextFormat(Qt::RichText);
    QObject::connect(link, &QLabel::linkActivated, link, [] { openWebSite(); });
    return link;
}

HistoryWindow::HistoryWindow(QWidget* owner, std::function<void(int)> dispatch)
    : QWidget(owner, Qt::Window), link_(webSiteLink(this)), text_(new QPlainTextEdit(this)) {
    setWindowTitle("Task History");
    link_->setAlignment(Qt::AlignCenter);
    // The history only grows: an undo stack would keep a copy of every entry.
    text_->setUndoRedoEnabled(false);
    // The log is the program's record: it can be selected and copied, never typed into.
    text_->setReadOnly(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Showing the history must not take the keys from the input line.
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    // Four buttons share the width of the main window.
    auto fit = [](QPushButton* button) { button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed); };
    const std::pair<const char*, int> commands[] = {
        {"&Save", FileSaveAs}, {"&Print", FilePrint}, {"&Copy", EditCopyHistory}};
    for (const auto& [caption, id] : commands) {
        auto* button = new QPushButton(caption, this);
        fit(button);
        connect(button, &QPushButton::clicked, this, [dispatch, id = id] { dispatch(id); });
        buttons->addWidget(button);
    }
    auto* hide = new QPushButton("&Hide", this);
    fit(hide);
    connect(hide, &QPushButton::clicked, this, &QWidget::hide);
    buttons->addWidget(hide);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(link_);
    layout->addWidget(text_);
    layout->addLayout(buttons);
}

// The text widget keeps "\n" line ends; the history's own are "\r\n".
void HistoryWindow::setText(const QString& text) {
    text_->setPlainText(QString(text).remove('\r'));
    text_->moveCursor(QTextCursor::End);
}

// The caret is at the end (it goes back there whenever the window is left),
// so an entry lands at the end and the view follows it.
void HistoryWindow::append(const QString& text) {
    text_->moveCursor(QTextCursor::End);
    text_->insertPlainText(QString(text).remove('\r'));
    text_->verticalScrollBar()->setValue(text_->verticalScrollBar()->maximum());
}

QString HistoryWindow::text() const { return text_->toPlainText().replace('\n', "\r\n"); }

void HistoryWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) text_->moveCursor(QTextCursor::End);
    QWidget::changeEvent(event);
}

}  // namespace molvane
