// SPDX-License-Identifier: MIT
#include "ui/qt/composition_window.h"

#include <QFontDatabase>
#include <QVBoxLayout>

#include "ui/qt/cp1252.h"
#include "ui/qt/history_window.h"
#include "ui/qt/main_window.h"
#include "ui/window_layout.h"

namespace molvane {

CompositionWindow::CompositionWindow(QWidget* owner, std::function<void(int)> dispatch)
    : QWidget(owner, Qt::Window), text_(new QPlainTextEdit(this)) {
    setWindowTitle("Composition");
    text_->setAccessibleName("Composition table");
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    // The table can be selected and copied from the keyboard too.
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(text_);
    layout->addLayout(buttonRow(this, compositionWindowButtons(), dispatch));
}

// The text widget keeps "\n" line ends; the window logic's are "\r\n".
void CompositionWindow::setText(const QString& text) { text_->setPlainText(QString(text).remove('\r')); }

// The platform calls of the Composition window. It is made when first shown:
// most sessions never open it.
bool MainWindow::compositionWindowVisible() const { return composition_ && composition_->isVisible(); }

void MainWindow::showCompositionWindow(int left, int top) {
    if (!composition_) {
        composition_ = new CompositionWindow(this, [this](int id) { dispatch(id); });
        composition_->setWindowIcon(windowIcon());
        composition_->resize(frameGeometry().width(), frameGeometry().height() / 2);
    }
    composition_->move(left, top);
    composition_->show();
    composition_->raise();
}

void MainWindow::hideCompositionWindow() {
    if (composition_) composition_->hide();
}

void MainWindow::setCompositionText(const std::string& text) {
    if (composition_) composition_->setText(fromEngineText(text));
}

}  // namespace molvane
