// SPDX-License-Identifier: MIT
// The dialogs, printing and task files through the real widgets.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QRegularExpression>

#include "tests/support/files.h"
#include "ui/qt/about_dialog.h"
#include "ui/qt/composition_window.h"
#include "ui/qt/cp1252.h"
#include "ui/qt/help_window.h"
#include "ui/qt/history_printing.h"
#include "ui/qt/number_format_dialog.h"
#include "window_fixture.h"

namespace {

using DialogsTest = WindowTest;

// The text of a PDF as poppler-utils reads it back, a form feed after each page.
QString pdfText(const QString& file) {
    QProcess reader;
    reader.start("pdftotext", {"-layout", file, "-"});
    if (!reader.waitForFinished() || reader.exitCode() != 0) return "pdftotext (poppler-utils) failed";
    return QString::fromUtf8(reader.readAllStandardOutput());
}

// Every character but the spacing: the page and the window may space a tab,
// or cut a long line, differently, but neither may lose a character.
QString printedCharacters(QString text) { return text.remove(QRegularExpression("\\s")); }

TEST_F(DialogsTest, PrintingToPdfDrawsEveryCharacterOfThePagesOfTheRange) {
    logic.dispatchCommand(ViewTaskNumbering);
    for (const char* task : {"2+3", "h2so4", "x^2-5x+6"}) type(task);
    std::string history;
    for (int line = 1; line <= 150; ++line) history += "\r\n" + std::string(200, 'x');  // 150 x 3 printed lines
    // The print dialog keeps the page numbers it was given when All is chosen.
    const struct {
        const char* name;
        std::string text;
        QPrinter::PrintRange range;
        int from, to, pages;
    } rows[] = {{"numbered tasks and roots, with tabs", window.historyText(), QPrinter::AllPages, 1, 1, 1},
                {"a long history", history.substr(0, history.size() / 3), QPrinter::AllPages, 1, 1, 3},
                {"pages 2 to 3 of 9", history, QPrinter::PageRange, 2, 3, 2}};
    for (const auto& row : rows) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFileName(folder.filePath("history.pdf"));
        printer.setPrintRange(row.range);
        printer.setFromTo(row.from, row.to);
        EXPECT_EQ(paintHistory(printer, row.text), row.pages) << row.name;
        QString printed = pdfText(printer.outputFileName());
        EXPECT_EQ(printed.count('\f'), row.pages) << row.name;
        if (row.range == QPrinter::AllPages) {
            EXPECT_EQ(printedCharacters(printed), printedCharacters(fromEngineText(row.text))) << row.name;
        }
    }
    withModal([&] { logic.dispatchCommand(FilePrintPreview); },
              [](QWidget* modal) { EXPECT_NE(qobject_cast<QPrintPreviewDialog*>(modal), nullptr); });
}

TEST_F(DialogsTest, NumberFormatShowsTypedPlacesAtOnceAndEscPutsThemBack) {
    type("2/3");
    withModal([&] { press(Qt::Key_F10); },
              [&](QWidget* modal) {
                  auto* dialog = qobject_cast<NumberFormatDialog*>(modal);
                  ASSERT_NE(dialog, nullptr);
                  EXPECT_FALSE(dialog->decimalsEdit()->isEnabled()) << "no places in Automatic";
                  dialog->modeButton(Fixed)->click();
                  dialog->decimalsEdit()->selectAll();
                  QTest::keyClicks(dialog->decimalsEdit(), "7");
                  EXPECT_EQ(text(LowerResultLine), "0.6666667");
                  dialog->upArrow()->click();
                  EXPECT_EQ(text(LowerResultLine), "0.66666667");
                  QTest::keyClick(dialog, Qt::Key_Escape);
              });
    EXPECT_EQ(text(LowerResultLine), "0.666666666666667") << "Esc puts the places back";
}

TEST_F(DialogsTest, EscClosesAboutHelpAndTheWindowsBeside) {
    withModal([&] { press(Qt::Key_F1, Qt::ShiftModifier); },
              [&](QWidget* modal) {
                  ASSERT_NE(qobject_cast<AboutDialog*>(modal), nullptr);
                  QTest::keyClick(modal, Qt::Key_Escape);
                  EXPECT_FALSE(modal->isVisible());
              });

    QApplication::setActiveWindow(&window);
    press(Qt::Key_F1);
    ASSERT_TRUE(window.helpWindow() && window.helpWindow()->isVisible());
    QString help = window.helpWindow()->browser()->toPlainText();
    for (const char* topic : {"Operator order", "acoth", "CuSO4+5H2O", "#mem+", "Shift+F1"})
        EXPECT_TRUE(help.contains(topic)) << topic;
    // Esc closes every window beside the main one.
    type("h2o");
    for (int command : {ViewHistory, ViewComposition}) logic.dispatchCommand(command);
    QTest::qWait(50);  // the keys come back to the main window first
    for (QWidget* beside :
         std::initializer_list<QWidget*>{window.helpWindow(), window.historyWindow(), window.compositionWindow()}) {
        beside->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return beside->isActiveWindow(); }));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(beside->isVisible()) << beside->windowTitle().toStdString();
    }
}

// A task file's control bytes never reach the input line: after a file whose
// last line is too long, the line holds that line as the engine reads it, and
// takes typing as usual.
TEST_F(DialogsTest, TaskFileOpenedThroughTheDialog) {
    // A name without a dot is opened as typed, not as "tasks.txt".
    QString file = folder.filePath("tasks");
    std::string tooLong(600, '1');
    for (std::size_t i = 1; i < 30; ++i) tooLong.insert(i * 20, "\x1B");
    writeFile(file.toStdString(),
              "1+1\n2\x01*\x7F"
              "3\x9D\n" +
                  tooLong);
    withModal([&] { press(Qt::Key_O, Qt::ControlModifier); },
              [&](QWidget* modal) {
                  auto* dialog = qobject_cast<QFileDialog*>(modal);
                  ASSERT_NE(dialog, nullptr);
                  dialog->findChild<QLineEdit*>("fileNameEdit")->setText(file);
                  QMetaObject::invokeMethod(dialog, "accept");
              });
    EXPECT_EQ(text(LowerTaskLine), "2*3");
    EXPECT_EQ(window.inputLine()->text(), QString(600, '1'));
    QTest::keyClicks(window.inputLine(), "+2");
    EXPECT_EQ(window.inputLine()->text().size(), 602);
    // Each kind of file remembers its own folder.
    const std::pair<int, QString> folders[] = {{FileOpen, folder.path()}, {FileSaveAs, QDir::homePath()}};
    for (const auto& [command, expected] : folders) {
        withModal([&] { logic.dispatchCommand(command); },
                  [&](QWidget* modal) {
                      EXPECT_EQ(static_cast<QFileDialog*>(modal)->directory().absolutePath(), expected) << command;
                  });
    }
}

// A history saved into a folder that does not exist is refused with the
// system's reason, and no folder is made.
TEST_F(DialogsTest, FailureBoxBelongsToTheMainWindow) {
    logic.dispatchCommand(ViewAlwaysOnTop);
    QDir(folder.path()).mkpath("mvn.cfg");  // a folder where the settings file should go
    withModal([&] { logic.dispatchCommand(FormatSaveSettings); },
              [&](QWidget* modal) {
                  ASSERT_NE(qobject_cast<QMessageBox*>(modal), nullptr);
                  EXPECT_EQ(modal->parentWidget(), &window) << "a box with no owner can open behind a window on top";
              });
    QString missing = folder.filePath("missing/history.txt");
    withModal([&] { logic.dispatchCommand(FileSaveAs); },
              [&](QWidget* modal) {
                  static_cast<QFileDialog*>(modal)->findChild<QLineEdit*>("fileNameEdit")->setText(missing);
                  QMetaObject::invokeMethod(modal, "accept");
              },
              [&](QWidget* modal) {
                  EXPECT_EQ(static_cast<QMessageBox*>(modal)->text(),
                            "The history could not be saved.\n\n" + missing + "\nNo such file or directory");
              });
    EXPECT_FALSE(QFileInfo::exists(folder.filePath("missing")));
}

// A long task file never takes the activation, from its own progress window
// or from another program, and gives the keys back once, when it ends (that
// the logic asks for them once a file is the in-memory test's).
TEST_F(DialogsTest, LongTaskFileGivesTheKeysBackOnceItEnds) {
    struct ActivationCount : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            count += event->type() == QEvent::WindowActivate;
            return false;
        }
    } activations;
    window.installEventFilter(&activations);
    window.progressDelay = 0;
    const std::vector<std::string> comments(1000000, "=");  // each one entered, and cheap
    for (bool elsewhere : {false, true}) {
        activations.count = 0;
        dialogWatch.start(0);  // its next look comes at the run's first step, however fast the run
        withModal([&] { logic.runTaskLines(comments); },
                  [&](QWidget* progress) {
                      EXPECT_EQ(progress->windowTitle(), "Molvane");
                      EXPECT_EQ(activations.count, 0) << elsewhere << ": mid-run";
                      QTest::qWait(20);  // the dialog, just shown, takes the activation
                      if (elsewhere) QApplication::setActiveWindow(nullptr);
                  });  // closed: cancelled
        dialogWatch.start(50);
        QTest::qWait(50);
        EXPECT_LE(activations.count, elsewhere ? 0 : 1) << elsewhere << ": after the run";
        EXPECT_EQ(window.inputLine()->hasFocus(), !elsewhere) << elsewhere << ": the input line has the keys";
    }
}

TEST_F(DialogsTest, HistoryCaretGoesToTheEndWhenTheWindowIsLeft) {
    logic.dispatchCommand(ViewHistory);
    HistoryWindow* history = window.historyWindow();
    // The offscreen platform leaves activation to the application.
    QApplication::setActiveWindow(history);
    history->textEdit()->moveCursor(QTextCursor::Start);
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(history->textEdit()->textCursor().atEnd());
    history->close();
    EXPECT_EQ(logic.viewFlags().historyVisible, 0) << "closing the window tells the logic";
}

}  // namespace
