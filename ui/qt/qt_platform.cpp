// SPDX-License-Identifier: MIT
// The platform calls of the window logic, carried out on the main window's widgets.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QTextDocument>
#include <QTimer>

#include "ui/qt/about_dialog.h"
#include "ui/qt/answer_announcer.h"
#include "ui/qt/cp1252.h"
#include "ui/qt/desktop_settings.h"
#include "ui/qt/display_widgets.h"
#include "ui/qt/help_window.h"
#include "ui/qt/history_printing.h"
#include "ui/qt/history_window.h"
#include "ui/qt/main_window.h"
#include "ui/qt/number_format_dialog.h"
#include "ui/window_layout.h"

namespace molvane {

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
    if (auto* label = qobject_cast<QLabel*>(widget)) return engineBytesOf(label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return engineBytesOf(button->text());
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

// Every Enter refreshes every indicator; a palette copied only to change
// nothing would cost each line of a long task file.
void MainWindow::setIndicatorActive(int id, bool active) {
    QWidget* indicator = controls_.value(id);
    Colour shade = active ? kActiveIndicator : kInactiveIndicator;
    QColor colour(shade.red, shade.green, shade.blue);
    if (!indicator || indicator->palette().color(QPalette::WindowText) == colour) return;
    QPalette palette = indicator->palette();
    palette.setColor(QPalette::WindowText, colour);
    indicator->setPalette(palette);
}

void MainWindow::setControlName(int id, const std::string& name) {
    if (QWidget* widget = controls_.value(id)) widget->setAccessibleName(QString::fromUtf8(name));
}

void MainWindow::announce(const std::string& text) {
    if (announcer_) announcer_->announce(fromEngineText(text));
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
    return {enginePosition(text, start),
            enginePosition(text, start + static_cast<int>(inputLine_->selectedText().size()))};
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

// Giving the input line the focus also brings its window forward when another
// window of the program has the keys, as after a click in the history window
// followed by a command of the main window; never when another program has them.
void MainWindow::focusInputLine() {
    if (isVisible() && !isActiveWindow() && QApplication::activeWindow()) activateWindow();
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

void MainWindow::insertRecentTasks(const std::vector<std::string>& tasks) {
    QStringList newestFirst;
    newestFirst.reserve(std::ssize(tasks));
    for (auto task = tasks.rbegin(); task != tasks.rend(); ++task) newestFirst.append(fromEngineText(*task));
    keepInputLine([&] { recentTasks_->insertItems(0, newestFirst); });
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

// Until the main window is shown its frame is a guess; a history asked for
// before then (the configuration at start-up) is placed once it is shown.
bool MainWindow::historyWindowVisible() const { return history_->isVisible() || historyAfterShow_; }

void MainWindow::showHistoryWindow(int left, int top) {
    if (!isVisible()) {
        historyAfterShow_ = true;
        return;
    }
    // The two frames are the same width when the clients are.
    history_->setFixedSize(width(), fullHeight());
    history_->move(left, top);
    history_->show();
    history_->raise();
    // A window manager may activate the new window once it is mapped, after
    // this call has returned: the keys go back to the input line after that.
    QTimer::singleShot(0, this, [this] {
        alignHistoryTop();
        activateWindow();
        inputLine_->setFocus();
    });
    // The frames' sizes arrive from the window manager later still.
    constexpr int kFrameSettleMs = 250;
    QTimer::singleShot(kFrameSettleMs, this, [this] { alignHistoryTop(); });
}

// A frame's top is only known once the window manager has framed the window,
// and toolkits disagree on whether a position includes it; the two windows'
// contents are always known, and their tops are aligned by them.
void MainWindow::alignHistoryTop() {
    if (!history_->isVisible()) return;
    int shift = geometry().top() - history_->geometry().top();
    if (shift != 0) history_->move(history_->pos() + QPoint(0, shift));
}

void MainWindow::hideHistoryWindow() {
    historyAfterShow_ = false;
    history_->hide();
}

void MainWindow::setHistoryText(const std::string& text) { history_->setText(fromEngineText(text)); }

void MainWindow::appendHistoryText(const std::string& text) { history_->append(fromEngineText(text)); }

std::string MainWindow::historyText() const { return engineBytesOf(history_->text()); }

std::string MainWindow::clipboardText() const { return toEngineText(QGuiApplication::clipboard()->text()); }

bool MainWindow::clipboardHasText() const {
    const QMimeData* content = QGuiApplication::clipboard()->mimeData();
    return content && content->hasText();
}

// The logic's texts end their lines as Windows does; Qt's clipboard takes
// "\n", which is what programs expect here, and gives Windows its own.
void MainWindow::setClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(fromEngineText(text).replace("\r\n", "\n"));
}

void MainWindow::showErrorMessage(const std::string& caption, const std::string& text) {
    // Owned by the main window, the box stays above it even when it is kept on top.
    QMessageBox::critical(this, fromEngineText(caption), fromEngineText(text));
}

namespace {

std::filesystem::path toPath(const QString& name) { return std::filesystem::path(name.toStdU16String()); }

// "*" rather than "*.*": a Linux file name need not have a dot.
const QStringList kTextFileFilters{"Text Files (*.txt)", "All Files (*)"};

}  // namespace

std::filesystem::path MainWindow::chooseFileToOpen() {
    QFileDialog dialog(this, "Open");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // No default suffix: the dialog would add it to a name that exists as typed.
    dialog.setNameFilters(kTextFileFilters);
    dialog.setDirectory(lastFolder(FileKind::TaskFile));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    rememberFolder(FileKind::TaskFile, dialog.selectedFiles().constFirst());
    return toPath(dialog.selectedFiles().constFirst());
}

// The dialog asks before it lets an existing file be chosen.
std::filesystem::path MainWindow::chooseFileToSave(const std::string& suggestedName) {
    QFileDialog dialog(this, "Save As");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(kTextFileFilters);
    dialog.setDirectory(lastFolder(FileKind::SavedHistory));
    dialog.selectFile(fromEngineText(suggestedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    rememberFolder(FileKind::SavedHistory, dialog.selectedFiles().constFirst());
    // A new name without a dot gets ".txt"; a name that exists is kept as typed.
    QString file = dialog.selectedFiles().constFirst();
    if (QFileInfo::exists(file) || QFileInfo(file).fileName().contains('.')) return toPath(file);
    file += ".txt";
    if (QFileInfo::exists(file) &&
        QMessageBox::question(this, "Save As",
                              QFileInfo(file).fileName() + " already exists.\nDo you want to replace it?") !=
            QMessageBox::Yes)
        return {};
    return toPath(file);
}

PlatformResult MainWindow::printText(const std::string& documentName, const std::string& text, bool preview) {
    QString printer = printHistoryText(this, documentName, text, preview);
    if (printer.isEmpty()) return {};
    return PlatformResult::failed(FailureReason::PrinterNotStarted, toPath(printer));
}

void MainWindow::runNumberFormatDialog() {
    if (!logic_) return;
    NumberFormatDialog dialog(this, *logic_);
    dialog.adjustSize();
    dialog.move(dockedWindowLeft(mainWindowFrame(), screenRight()), frameGeometry().top());
    dialog.exec();
}

void MainWindow::runAboutDialog() {
    AboutDialog dialog(this);
    dialog.exec();
}

// The document is built into the program: it is always there to show.
PlatformResult MainWindow::showHelp() {
    if (!help_) help_ = new HelpWindow(this);
    help_->show();
    help_->raise();
    help_->activateWindow();
    return {};
}

void MainWindow::beginProgress(const std::string& label, int total) {
    progressLabel_ = fromEngineText(label);
    progressTotal_ = total;
    lastProgressUpdate_ = 0;
    progressCancelled_ = progressHadKeys_ = false;
    progressClock_.start();
}

// Checking the clock is all a short file pays; a long one shows its dialog
// and lets it paint and take a Cancel a few times a second, not every line.
bool MainWindow::reportProgress(int done) {
    qint64 elapsed = progressClock_.elapsed();
    if (elapsed < progressDelay) return true;
    if (!progress_) {
        progress_ = new QProgressDialog(progressLabel_, "Cancel", 0, progressTotal_, this);
        progress_->setWindowTitle(kMessageCaption);
        progress_->setWindowModality(Qt::ApplicationModal);
        progress_->setMinimumDuration(0);
        progress_->setAutoClose(false);
        progress_->setAutoReset(false);
        // Cancel, Esc and the close box end the run, and whether the dialog
        // had the keys then says whether they go back to the main window: the
        // dialog's own cancel, which hides it first, goes. It was connected by
        // name, and only a disconnection by name finds it.
        disconnect(progress_, SIGNAL(canceled()), progress_, SLOT(cancel()));
        connect(progress_, &QProgressDialog::canceled, this, [this] {
            progressCancelled_ = true;
            progressHadKeys_ = progress_->isActiveWindow();
        });
    }
    if (lastProgressUpdate_ == 0 || elapsed - lastProgressUpdate_ >= kProgressStepMs) {
        lastProgressUpdate_ = elapsed;
        progress_->setValue(std::max(1, done));
        QCoreApplication::processEvents();
    }
    return !progressCancelled_;
}

// The closed dialog hands the activation to no one, or to whatever the window
// manager picks: when it had the keys, they come back to the input line with
// one request; another program the user turned to meanwhile keeps them.
void MainWindow::endProgress() {
    if (!progress_) return;
    bool hadKeys = progressHadKeys_ || progress_->isActiveWindow();
    delete progress_;
    progress_ = nullptr;
    if (hadKeys) activateWindow();
    inputLine_->setFocus();
}

}  // namespace molvane
