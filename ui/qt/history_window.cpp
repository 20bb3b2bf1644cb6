// SPDX-License-Identifier: MIT
#include "ui/qt/history_window.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/command_ids.h"
#include "ui/qt/colour_contrast.h"
#include "ui/web_site.h"

namespace molvane {

void openWebSite() { QDesktopServices::openUrl(QUrl(QString::fromLatin1(kWebSiteAddress))); }

// The buttons share the window's width, whatever their captions.
QHBoxLayout* buttonRow(QWidget* window, std::span<const WindowButton> buttons,
                       const std::function<void(int)>& dispatch) {
    auto* row = new QHBoxLayout;
    row->setSpacing(2);
    for (const WindowButton& button : buttons) {
        auto* pushButton = new QPushButton(button.caption, window);
        pushButton->setAccessibleName(button.name);
        pushButton->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        QObject::connect(pushButton, &QPushButton::clicked, window, [dispatch, id = button.command] { dispatch(id); });
        row->addWidget(pushButton);
    }
    return row;
}

namespace {

// The link's colour is the desktop's where it reads on the window, and is
// chosen again whenever the window's palette changes.
class WebSiteLink : public QLabel {
public:
    WebSiteLink(const QString& text, QWidget* parent) : QLabel(text, parent) { fitColour(); }

protected:
    void changeEvent(QEvent* event) override {
        QLabel::changeEvent(event);
        if (event->type() == QEvent::PaletteChange) fitColour();
    }

private:
    void fitColour() {
        const QPalette& window = parentWidget()->palette();
        QColor readable =
            qtColour(linkColour(colourOf(window.color(QPalette::Link)), colourOf(window.color(QPalette::Window))));
        if (palette().color(QPalette::Link) == readable) return;
        QPalette own = palette();
        own.setColor(QPalette::Link, readable);
        setPalette(own);
    }
};

}  // namespace

QLabel* webSiteLink(QWidget* parent) {
    QString address = QString::fromLatin1(kWebSiteAddress).toHtmlEscaped();
    auto* link = new WebSiteLink("<a href=\"" + address + "\">" + address + "</a>", parent);
    link->setTextFormat(Qt::RichText);
    QObject::connect(link, &QLabel::linkActivated, link, [] { openWebSite(); });
    return link;
}

HistoryWindow::HistoryWindow(QWidget* owner, std::function<void(int)> dispatch)
    : QWidget(owner, Qt::Window), link_(webSiteLink(this)), shown_(new QPlainTextEdit(this)) {
    setWindowTitle("Task History");
    shown_->setAccessibleName("Task history");
    link_->setAccessibleName("Molvane web site");
    link_->setAlignment(Qt::AlignCenter);
    // The history only grows: an undo stack would keep a copy of every entry.
    shown_->setUndoRedoEnabled(false);
    // The log is the program's record: it can be selected and copied, never typed into.
    shown_->setReadOnly(true);
    shown_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Showing the history must not take the keys from the input line.
    setAttribute(Qt::WA_ShowWithoutActivating);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(link_);
    layout->addWidget(shown_);
    fitTabStops();
    layout->addLayout(buttonRow(this, historyWindowButtons(), dispatch));
    // Esc hides it, as its Hide button does.
    new QShortcut(Qt::Key_Escape, this, [dispatch] { dispatch(HideHistory); });
}

// Four average characters keep the header's time and a numbered entry on one
// line; the toolkit's default of 80 pixels wraps them.
void HistoryWindow::fitTabStops() { shown_->setTabStopDistance(4 * QFontMetricsF(shown_->font()).averageCharWidth()); }

QString HistoryWindow::shownPart(const QString& added) {
    QString shown;
    shown.reserve(std::min(added.size(), kShownLineLimit + 2));
    qsizetype start = 0;
    while (true) {
        qsizetype end = added.indexOf('\n', start);
        QStringView line = QStringView(added).mid(start, (end < 0 ? added.size() : end) - start);
        if (line.endsWith('\r')) line.chop(1);
        qsizetype room = std::max<qsizetype>(0, kShownLineLimit - lastLineLength_);
        shown += line.left(room);
        if (line.size() > room && room > 0) shown += QChar(0x2026);
        lastLineLength_ += line.size();
        if (end < 0) break;
        shown += '\n';
        lastLineLength_ = 0;
        start = end + 1;
    }
    return shown;
}

void HistoryWindow::setText(const QString& text) {
    text_ = text;
    lastLineLength_ = 0;
    shown_->setPlainText(shownPart(text));
    shown_->moveCursor(QTextCursor::End);
}

// The caret is at the end (it goes back there whenever the window is left),
// so an entry lands at the end and the view follows it.
void HistoryWindow::append(const QString& text) {
    text_ += text;
    shown_->moveCursor(QTextCursor::End);
    shown_->insertPlainText(shownPart(text));
    shown_->verticalScrollBar()->setValue(shown_->verticalScrollBar()->maximum());
}

void HistoryWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()) shown_->moveCursor(QTextCursor::End);
    if (event->type() == QEvent::FontChange) fitTabStops();
    QWidget::changeEvent(event);
}

}  // namespace molvane
