// The dialogs, printing and task files through the real widgets.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QRegularExpression>
#include <QTimer>
#include <functional>

#include "ui/qt/about_dialog.h"
#include "ui/qt/help_window.h"
#include "ui/qt/history_printing.h"
#include "ui/qt/number_format_dialog.h"
#include "window_fixture.h"

using namespace molvane;

namespace {

class DialogsTest : public WindowTest {
protected:
    // Runs `act` on the modal dialog that `open` brings up; whatever `act`
    // leaves open is closed, so a test never hangs on a dialog.
    void withModal(const std::function<void()>& open, const std::function<void(QWidget*)>& act) {
        QTimer::singleShot(0, [act] {
            QWidget* modal = QApplication::activeModalWidget();
            act(modal);
            if (QWidget* left = QApplication::activeModalWidget()) left->close();
        });
        // Shortcuts reach only the active window; offscreen, a closed dialog
        // hands the activation back to no one.
        QApplication::setActiveWindow(&window);
        window.inputLine()->setFocus();
        open();
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
};

int pdfPages(const QString& file) {
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly)) return -1;
    return static_cast<int>(QString::fromLatin1(pdf.readAll()).count(QRegularExpression("/Type\\s*/Page\\b")));
}

TEST_F(DialogsTest, PrintingToPdfDrawsThePagesOfTheRange) {
    std::string history;
    for (int line = 1; line <= 150; ++line) history += "\r\n" + std::string(200, 'x');  // 150 x 3 printed lines
    const struct {
        const char* name;
        std::string text;
        int from, to, pages;
    } rows[] = {{"pages 2 to 3 of 9", history, 2, 3, 2}, {"an empty history", "", 0, 0, 1}};
    for (const auto& row : rows) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setOutputFileName(folder.filePath("history.pdf"));
        if (row.from > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(row.from, row.to);
        }
        EXPECT_EQ(paintHistory(printer, row.text), row.pages) << row.name;
        EXPECT_EQ(pdfPages(printer.outputFileName()), row.pages) << row.name;
    }
    withModal([&] { logic.dispatchCommand(FilePrintPreview); },
              [](QWidget* modal) { EXPECT_NE(qobject_cast<QPrintPreviewDialog*>(modal), nullptr); });
}

TEST_F(DialogsTest, NumberFormatAppliesTypedPlacesToBothAnswers) {
    type("1/3");
    type("2/3");
    QString upper, lower, disabledAtOpening;
    withModal([&] { press(Qt::Key_F10); },
              [&](QWidget* modal) {
                  auto* dialog = qobject_cast<NumberFormatDialog*>(modal);
                  ASSERT_NE(dialog, nullptr);
                  if (!dialog->decimalsEdit()->isEnabled()) disabledAtOpening = "disabled";
                  dialog->modeButton(Fixed)->click();
                  dialog->decimalsEdit()->selectAll();
                  QTest::keyClicks(dialog->decimalsEdit(), "7");
                  upper = text(UpperResultLine);
                  lower = text(LowerResultLine);
                  dialog->accept();
              });
    EXPECT_EQ(disabledAtOpening, "disabled");
    EXPECT_EQ(upper, "0.3333333");
    EXPECT_EQ(lower, "0.6666667");
    EXPECT_EQ(logic.currentState().decimals, 7);
    EXPECT_EQ(logic.previousState().decimals, 7);

    withModal([&] { press(Qt::Key_F10); },
              [](QWidget* modal) {
                  auto* dialog = qobject_cast<NumberFormatDialog*>(modal);
                  ASSERT_NE(dialog, nullptr);
                  for (int i = 0; i < 12; ++i) dialog->upArrow()->click();
                  EXPECT_EQ(dialog->decimalsEdit()->text(), "15");
                  QTest::keyClick(dialog, Qt::Key_Escape);
              });
    EXPECT_EQ(text(LowerResultLine), "0.6666667") << "Esc puts the places back";
}

TEST_F(DialogsTest, EscClosesAboutAndF1ShowsHelp) {
    bool closed = false;
    withModal([&] { press(Qt::Key_F1, Qt::ShiftModifier); },
              [&](QWidget* modal) {
                  ASSERT_NE(qobject_cast<AboutDialog*>(modal), nullptr);
                  QTest::keyClick(modal, Qt::Key_Escape);
                  closed = !modal->isVisible();
              });
    EXPECT_TRUE(closed);

    QApplication::setActiveWindow(&window);
    press(Qt::Key_F1);
    ASSERT_NE(window.helpWindow(), nullptr);
    EXPECT_TRUE(window.helpWindow()->isVisible());
    QString help = window.helpWindow()->browser()->toPlainText();
    for (const char* topic : {"Operator order", "acoth", "CuSO4+5H2O", "#mem+", "Shift+F1"}) {
        EXPECT_TRUE(help.contains(topic)) << topic;
    }
    window.helpWindow()->close();
}

TEST_F(DialogsTest, TaskFileOpenedThroughTheDialog) {
    QString file = folder.filePath("tasks.txt");
    {
        QFile tasks(file);
        ASSERT_TRUE(tasks.open(QIODevice::WriteOnly));
        tasks.write("1+1\n2*3\n");
    }
    withModal([&] { press(Qt::Key_O, Qt::ControlModifier); },
              [&](QWidget* modal) {
                  auto* dialog = qobject_cast<QFileDialog*>(modal);
                  ASSERT_NE(dialog, nullptr);
                  dialog->selectFile(file);
                  QMetaObject::invokeMethod(dialog, "accept");
              });
    EXPECT_EQ(text(UpperTaskLine), "2*3");
    EXPECT_EQ(text(UpperResultLine), "6");
    EXPECT_EQ(text(LowerTaskLine), "");
    EXPECT_TRUE(window.historyWindow()->text().endsWith("\r\n1+1 = 2\r\n\r\n2*3 = 6\r\n\r\n"));
    EXPECT_EQ(window.recentTasks()->count(), 2);
}

TEST_F(DialogsTest, HistoryCaretGoesToTheEndWhenTheWindowIsLeft) {
    type("2+3");
    logic.dispatchCommand(ViewHistory);
    HistoryWindow* history = window.historyWindow();
    // The offscreen platform leaves activation to the application.
    QApplication::setActiveWindow(history);
    history->textEdit()->moveCursor(QTextCursor::Start);
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(history->textEdit()->textCursor().atEnd());
    EXPECT_TRUE(history->link()->text().contains("https://"));
    history->close();
    EXPECT_FALSE(history->isVisible());
    EXPECT_EQ(logic.viewFlags().historyVisible, 0);
}

}  // namespace
