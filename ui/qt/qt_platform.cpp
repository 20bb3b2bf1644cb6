// The platform calls of the window logic, carried out on the main window's widgets.
#include <QAbstractButton>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QTextDocument>
#include <QUrl>

#include "ui/qt/cp1252.h"
#include "ui/qt/history_window.h"
#include "ui/qt/main_window.h"

void MainWindow::setControlText(int id, const std::string& text) {
    QWidget* widget = controls_.value(id);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(fromEngineText(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(fromEngineText(text));
    }
}

std::string MainWindow::controlText(int id) const {
    QWidget* widget = controls_.value(id);
    if (auto* label = qobject_cast<QLabel*>(widget)) return toEngineText(label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return toEngineText(button->text());
    return {};
}

void MainWindow::setToolTip(int id, const std::string& text) {
    QWidget* widget = controls_.value(id);
    if (!widget) return;
    QString tip = fromEngineText(text);
    // A tooltip that looks like markup is shown as markup; escape it.
    if (Qt::mightBeRichText(tip)) tip = "<p style='white-space:pre'>" + tip.toHtmlEscaped() + "</p>";
    widget->setToolTip(tip);
}

void MainWindow::setControlVisible(int id, bool visible) {
    if (QWidget* widget = controls_.value(id)) widget->setVisible(visible);
}

void MainWindow::setKeyChecked(int id, bool checked) {
    if (auto* button = qobject_cast<QAbstractButton*>(controls_.value(id))) button->setChecked(checked);
}

void MainWindow::setIndicatorActive(int id, bool active) {
    QWidget* indicator = controls_.value(id);
    if (!indicator) return;
    QPalette palette = indicator->palette();
    palette.setColor(QPalette::WindowText, active ? QColor(1, 1, 1) : QColor(192, 192, 192));
    indicator->setPalette(palette);
}

std::string MainWindow::inputText() const { return toEngineText(inputLine_->text()); }

void MainWindow::setInputText(const std::string& text) { inputLine_->setText(fromEngineText(text)); }

TextSelection MainWindow::inputSelection() const {
    QString text = inputLine_->text();
    if (!inputLine_->hasSelectedText()) {
        int caret = enginePosition(text, inputLine_->cursorPosition());
        return {caret, caret};
    }
    int start = inputLine_->selectionStart();
    return {enginePosition(text, start), enginePosition(text, start + inputLine_->selectedText().size())};
}

void MainWindow::setInputSelection(int start, int end) {
    QString text = inputLine_->text();
    int from = qtPosition(text, start);
    int to = qtPosition(text, end);
    if (from == to) {
        inputLine_->deselect();
        inputLine_->setCursorPosition(from);
    } else {
        inputLine_->setSelection(from, to - from);
    }
}

void MainWindow::replaceInputSelection(const std::string& text) { inputLine_->insert(fromEngineText(text)); }

void MainWindow::clearInputSelection() {
    if (inputLine_->hasSelectedText()) inputLine_->del();
}

void MainWindow::undoInput() { inputLine_->undo(); }

bool MainWindow::inputCanUndo() const { return inputLine_->isUndoAvailable(); }

// Giving the input line the focus also brings its window forward, as a click
// in the history window followed by a command of the main window should.
void MainWindow::focusInputLine() {
    if (isVisible() && !isActiveWindow()) activateWindow();
    inputLine_->setFocus();
}

template <typename Change>
void MainWindow::keepInputLine(Change change) {
    QString text = inputLine_->text();
    int caret = inputLine_->cursorPosition();
    change();
    if (inputLine_->text() != text) {
        inputLine_->setText(text);
        inputLine_->setCursorPosition(caret);
    }
}

void MainWindow::insertRecentTask(const std::string& task) {
    keepInputLine([&] { recentTasks_->insertItem(0, fromEngineText(task)); });
}

void MainWindow::clearRecentTasks() {
    keepInputLine([&] { recentTasks_->clear(); });
}

std::string MainWindow::selectedRecentTask() const {
    return toEngineText(recentTasks_->itemText(recentTasks_->currentIndex()));
}

WindowFrame MainWindow::mainWindowFrame() const {
    QRect frame = frameGeometry();
    return {frame.x(), frame.y(), frame.width(), frame.height()};
}

int MainWindow::screenRight() const {
    QScreen* screen = this->screen();
    if (!screen) return 0;
    QRect area = screen->geometry();
    return area.x() + area.width();
}

void MainWindow::closeMainWindow() { close(); }

bool MainWindow::historyWindowVisible() const { return history_->isVisible(); }

void MainWindow::showHistoryWindow(int left, int top) {
    history_->setFixedSize(frameGeometry().width(), fullHeight());
    history_->move(left, top);
    history_->show();
    history_->raise();
}

void MainWindow::hideHistoryWindow() { history_->hide(); }

void MainWindow::setHistoryText(const std::string& text) { history_->setText(fromEngineText(text)); }

void MainWindow::appendHistoryText(const std::string& text) { history_->append(fromEngineText(text)); }

std::string MainWindow::historyText() const { return toEngineText(history_->text()); }

std::string MainWindow::clipboardText() const { return toEngineText(QGuiApplication::clipboard()->text()); }

bool MainWindow::clipboardHasText() const {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

void MainWindow::setClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(fromEngineText(text));
}

void MainWindow::showErrorMessage(const std::string& caption, const std::string& text) {
    QMessageBox::critical(nullptr, fromEngineText(caption), fromEngineText(text));
}

void MainWindow::openDocument(const std::string& name) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(fromEngineText(name)));
}
