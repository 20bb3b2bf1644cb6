// SPDX-License-Identifier: MIT
#include "ui/qt/composition_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/command_ids.h"
#include "ui/qt/cp1252.h"
#include "ui/qt/main_window.h"

namespace molvane {

CompositionWindow::CompositionWindow(QWidget* owner, std::function<void(int)> dispatch)
    : QWidget(owner, Qt::Window), text_(new QPlainTextEdit(this)) {
    setWindowTitle("Composition");
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

    auto* copy = new QPushButton("&Copy", this);
    connect(copy, &QPushButton::clicked, this, [dispatch] { dispatch(CompositionCopy); });
    auto* hide = new QPushButton("&Hide", this);
    connect(hide, &QPushButton::clicked, this, &QWidget::hide);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    buttons->addWidget(copy);
    buttons->addWidget(hide);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(text_);
    layout->addLayout(buttons);
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

void MainWindow::setCompositionText(const std::string& text) {
    if (composition_) composition_->setText(fromEngineText(text));
}

}  // namespace molvane
