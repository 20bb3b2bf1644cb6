// SPDX-License-Identifier: MIT
#include "ui/qt/composition_window.h"

#include <QFontDatabase>
#include <QLayout>
#include <QScrollBar>
#include <QShortcut>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QtMath>

#include "ui/command_ids.h"
#include "ui/qt/cp1252.h"
#include "ui/qt/history_window.h"
#include "ui/qt/main_window.h"
#include "ui/window_layout.h"

namespace molvane {

CompositionWindow::CompositionWindow(QWidget* owner, QSize opening, std::function<void(int)> dispatch)
    : QWidget(owner, Qt::Window), text_(new QPlainTextEdit(this)), opening_(opening) {
    setWindowTitle("Composition");
    text_->setAccessibleName("Composition table");
    resize(opening);
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    // The table can be selected and copied from the keyboard too.
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(text_);
    layout->addLayout(buttonRow(this, compositionWindowButtons(), dispatch));
    // Esc hides it, as its Hide button does.
    new QShortcut(Qt::Key_Escape, this, [dispatch] { dispatch(HideComposition); });
}

// The text widget keeps "\n" line ends; the window logic's are "\r\n".
void CompositionWindow::setText(const QString& text) { text_->setPlainText(QString(text).remove('\r')); }

// The text's lines and margins, and whatever else the window holds around
// them as it is now laid out.
QSize CompositionWindow::sizeFor(TextExtent extent) {
    layout()->activate();
    QFontMetricsF metrics(text_->font());
    qreal margins = 2 * text_->document()->documentMargin();
    QSize shown(qCeil(metrics.horizontalAdvance(QString(extent.columns, '0')) + margins) + text_->cursorWidth(),
                qCeil(extent.lines * metrics.lineSpacing() + margins));
    return (size() + shown - text_->viewport()->size()).expandedTo(opening_);
}

// The platform calls of the Composition window. It is made when first shown:
// most sessions never open it.
bool MainWindow::compositionWindowVisible() const { return composition_ && composition_->isVisible(); }

void MainWindow::showCompositionWindow(int left, int top) {
    if (!composition_) {
        QSize opening(frameGeometry().width(), frameGeometry().height() / 2);
        composition_ = new CompositionWindow(this, opening, [this](int id) { dispatch(id); });
        composition_->setWindowIcon(windowIcon());
    }
    composition_->move(left, top);
    composition_->show();
    composition_->raise();
}

void MainWindow::hideCompositionWindow() {
    if (composition_) composition_->hide();
}

// The window takes the size its table needs, growing away from this one.
void MainWindow::setCompositionText(const std::string& text) {
    if (!composition_) return;
    composition_->setText(fromEngineText(text));
    QSize client = composition_->sizeFor(textExtent(text));
    QRect frame = composition_->frameGeometry();
    QSize margins = frame.size() - composition_->size();
    WindowFrame placed =
        resizedBeside({frame.x(), frame.y(), frame.width(), frame.height()}, client.width() + margins.width(),
                      client.height() + margins.height(), mainWindowFrame(), workArea());
    composition_->move(placed.left, placed.top);
    composition_->resize(placed.width - margins.width(), placed.height - margins.height());
}

}  // namespace molvane
