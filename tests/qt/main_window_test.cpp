// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QToolButton>
#include <cmath>
#include <fstream>

#include "tests/support/files.h"
#include "tests/support/typed_tasks.h"
#include "ui/keypad.h"
#include "ui/menu_table.h"
#include "ui/qt/colour_contrast.h"
#include "ui/qt/composition_window.h"
#include "ui/qt/cp1252.h"
#include "ui/qt/desktop_settings.h"
#include "window_fixture.h"

// Counts, for the whole test program, the probes of the file system that
// fail, as strace -c would.
int failedAccesses = 0;
extern "C" int access(const char* path, int mode) {
    long result = syscall(SYS_faccessat, AT_FDCWD, path, mode, 0);
    failedAccesses += result != 0;
    return static_cast<int>(result);
}

namespace {

using MainWindowTest = WindowTest;

// Without a theme of the desktop's own the toolbar's icons are the program's,
// with no search through the fallback theme's folders (49,000 failed probes
// of the disk at each start).
TEST(MainWindowStart, SearchesNoIconThemeForTheToolbar) {
    QTemporaryDir themes;
    QString index = "[Icon Theme]\nDirectories=";
    for (int size = 1; size <= 100; ++size) index += QString("%1/actions,").arg(size);
    for (int size = 1; size <= 100; ++size) index += QString("\n[%1/actions]\nSize=%1").arg(size);
    QDir(themes.path()).mkpath("hicolor");
    writeFile(themes.filePath("hicolor/index.theme").toStdString(), index.toStdString());
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName("hicolor");
    failedAccesses = 0;
    MainWindow window;
    EXPECT_LT(failedAccesses, 100);
}

// What the window logic decides is tested against the in-memory platform; these
// tests check that each widget shows it and passes the user's actions on.
TEST_F(MainWindowTest, TypedTaskReachesTheLabelsHistoryAndRecentList) {
    // Pasted text is read as the command-line program reads it, and shown so;
    // a label never reads results as markup.
    for (const TypedTask& row : kTypedTasks) {
        window.inputLine()->setText(QString::fromUtf8(row.typed));
        press(Qt::Key_Return);
        EXPECT_EQ(text(LowerTaskLine), QString::fromUtf8(row.task)) << row.typed;
        EXPECT_EQ(text(LowerResultLine), QString::fromUtf8(row.result)) << row.typed;
        EXPECT_EQ(window.control(SecondRootLabel)->isVisible(), *row.task == 0) << row.typed << ": the roots' labels";
        EXPECT_TRUE(window.historyWindow()->text().contains(QString::fromUtf8(row.logged))) << row.typed;
    }

    // What the list holds, and picking from it, is the recall test's.
    logic.dispatchCommand(EditClearHistory);
    EXPECT_EQ(window.recentTasks()->count(), 0);
}

TEST_F(MainWindowTest, KeypadByMouse) {
    for (int key : {1026, 1028, 1027, 1022, 1019})
        QTest::mouseClick(static_cast<QPushButton*>(window.control(key)), Qt::LeftButton);
    QTest::mouseClick(static_cast<QPushButton*>(window.control(EnterButton)), Qt::LeftButton);
    EXPECT_EQ(text(LowerResultLine), "14");
    QTest::mouseClick(window.control(LowerResultLine), Qt::LeftButton);
    EXPECT_EQ(window.inputLine()->text(), "14") << "a click on a display line inserts its text";

    auto* inverse = static_cast<QPushButton*>(window.control(KeyInverse));
    QTest::mouseClick(inverse, Qt::LeftButton);
    EXPECT_EQ(static_cast<QPushButton*>(window.control(1001))->text(), "asin");
    QTest::mouseClick(static_cast<QPushButton*>(window.control(1001)), Qt::LeftButton);
    EXPECT_FALSE(inverse->isChecked());
    EXPECT_EQ(window.inputLine()->text(), "14asin");
    EXPECT_TRUE(window.inputLine()->hasFocus());
}

TEST_F(MainWindowTest, AcceleratorsActInsideTheInputLine) {
    HistoryWindow* history = window.historyWindow();
    press(Qt::Key_F9);
    EXPECT_TRUE(history->isVisible());
    // The show, and whatever activation it brings, is processed.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return QApplication::activeWindow() == &window && window.inputLine()->hasFocus(); }, 5000))
        << "F9 leaves the keys with the main window's input line";
    QString before = history->text();
    QTest::keyClicks(history->textEdit(), "99");
    QTest::keyClick(history->textEdit(), Qt::Key_Backspace);
    EXPECT_EQ(history->text(), before) << "the history is read-only to the keyboard";
    press(Qt::Key_F9);
    EXPECT_FALSE(history->isVisible());

    type("2+3");
    press(Qt::Key_F6);
    EXPECT_EQ(window.control(MemoryIndicator)->palette().color(QPalette::WindowText), QColor(1, 1, 1));
    EXPECT_EQ(window.control(MemoryIndicator)->toolTip(), "5");
    const Qt::KeyboardModifier ctrl = Qt::ControlModifier, none = Qt::NoModifier;
    const std::tuple<Qt::Key, Qt::KeyboardModifier, QString> steps[] = {
        {Qt::Key_F7, none, "5"},    {Qt::Key_Y, ctrl, "(5)"}, {Qt::Key_A, ctrl, "(5)"}, {Qt::Key_C, ctrl, "(5)"},
        {Qt::Key_Escape, none, ""}, {Qt::Key_V, ctrl, "(5)"}, {Qt::Key_Z, ctrl, ""}};
    for (const auto& [key, modifier, input] : steps) {
        press(key, modifier);
        EXPECT_EQ(window.inputLine()->text(), input)
            << QKeySequence(QKeyCombination(modifier, key)).toString().toStdString();
    }
    for (bool keypadShown : {false, true}) {
        press(Qt::Key_F12);
        EXPECT_EQ(window.control(1031)->visibleRegion().intersects(window.control(1031)->rect()), keypadShown);
    }
}

// Up and Down reach the shared recall; the walk itself is the logic's test.
TEST_F(MainWindowTest, UpRecallsTheNewestTaskFirst) {
    for (const char* task : {"33", "44", "55"}) type(task);
    const std::pair<Qt::Key, QString> steps[] = {{Qt::Key_Up, "55"}, {Qt::Key_Up, "44"}, {Qt::Key_Down, "55"}};
    for (const auto& [key, shown] : steps) {
        press(key);
        EXPECT_EQ(window.inputLine()->text(), shown);
    }
    // The list opens on the newest task; Enter there only picks, a second Enter runs.
    window.inputLine()->clear();
    window.recentTasks()->showPopup();
    QAbstractItemView* list = window.recentTasks()->view();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(window.inputLine()->text(), "44");
    EXPECT_EQ(text(LowerTaskLine), "55");
    QApplication::setActiveWindow(&window);
    press(Qt::Key_Return);
    EXPECT_EQ(text(LowerTaskLine), "44");
}

TEST_F(MainWindowTest, LongHistoryLinesAreCutOnlyInTheWindow) {
    std::string entry = "\r\n" + std::string(94000, '7') + "\r\n";
    window.appendHistoryText(entry);
    EXPECT_TRUE(window.historyText().ends_with(entry)) << "the saved and copied text stays whole";
    EXPECT_LE(window.historyWindow()->textEdit()->document()->characterCount(), 4100)
        << "a line this long would make every key slow";
}

// The configuration asks for the history before the window is shown.
class StartUpTest : public WindowTest {
    void SetUp() override {
        std::ofstream(folder.filePath("mvn.cfg").toStdString()) << "#503\r\n";
        window.move(0, 0);  // room on the right
        WindowTest::SetUp();
    }
};

TEST_F(StartUpTest, HistoryFromTheConfigurationOpensBesideTheShownWindow) {
    QTest::qWait(50);
    QRect main = window.frameGeometry();
    QRect history = window.historyWindow()->frameGeometry();
    EXPECT_TRUE(window.historyWindow()->isVisible());
    EXPECT_EQ(history, QRect(main.right() + 1, main.top(), main.width(), history.height()));
}

// From the screen's corner (800 x 800 offscreen) the zoom moves the window to
// keep all of it in view, and stops where it would no longer fit.
TEST_F(MainWindowTest, ZoomScalesTheWholeLayoutAndIsRemembered) {
    const QRect screen = window.screen()->availableGeometry();
    window.move(screen.bottomRight() - window.frameGeometry().bottomRight() + window.pos());
    const std::pair<Qt::Key, int> steps[] = {{Qt::Key_Plus, 125}, {Qt::Key_Plus, 150},  {Qt::Key_Plus, 175},
                                             {Qt::Key_Plus, 175}, {Qt::Key_Minus, 150}, {Qt::Key_0, 100}};
    QWidget* indicator = window.control(MemoryIndicator);
    for (const auto& [key, percent] : steps) {
        press(key, Qt::ControlModifier);
        QApplication::processEvents();
        EXPECT_EQ(window.centralWidget()->width(), qRound(261 * percent / 100.0)) << percent << "%";
        EXPECT_EQ(indicator->font().pixelSize(), qRound(8 * percent / 100.0)) << percent << "%";
        EXPECT_EQ(indicator->geometry().left(), qRound(115 * percent / 100.0)) << percent << "%";
        EXPECT_EQ(window.toolbar()->iconSize(), QSize(16, 16) * (percent / 100.0)) << percent << "%";
        EXPECT_TRUE(screen.contains(window.frameGeometry())) << percent << "%";
        EXPECT_EQ(savedZoom(), percent);
    }

    // At 150% the keys still keep apart, and the Number Format dialog opens
    // beside the grown window, not over it.
    press(Qt::Key_Plus, Qt::ControlModifier);
    press(Qt::Key_Plus, Qt::ControlModifier);
    QRect seven = window.control(1013)->geometry(), eight = window.control(1014)->geometry();
    EXPECT_EQ(seven.width(), 63);
    EXPECT_LE(eight.left() - seven.right(), 1);
    EXPECT_LE(seven.right() - eight.left(), 1) << "neighbours share no more than their border";
    QTest::qWait(20);
    withModal([&] { press(Qt::Key_F10); },
              [&](QWidget* dialog) {
                  EXPECT_FALSE(dialog->frameGeometry().intersects(window.frameGeometry()));
                  EXPECT_EQ(dialog->frameGeometry().top(), window.frameGeometry().top());
              });
}

TEST_F(MainWindowTest, DarkPaletteKeepsEveryTextReadable) {
    const QPalette light = QApplication::palette();
    // From a dark button and window colour Qt makes white texts on a black base.
    const QPalette dark(QColor(60, 60, 60), QColor(45, 45, 45));
    QApplication::setPalette(dark);
    QTest::qWait(20);  // every widget hears of the new palette
    type("x^2-3x+2");
    window.inputLine()->setText("12+3");
    const QColor grey(232, 232, 232);
    auto text = [&](int id) {
        return window.control(id)->palette().color(id == InputLine ? QPalette::Text : QPalette::WindowText);
    };
    // The colours the display fixes stay; the texts it leaves open must read on its grey.
    const std::pair<int, QColor> fixed[] = {{UpperTaskLine, QColor(0, 128, 0)},
                                            {FixedIndicator, QColor(192, 192, 192)}};
    for (const auto& [id, colour] : fixed) EXPECT_EQ(text(id), colour) << id;
    for (int id : {UpperResultLine, LowerResultLine, FirstRootLabel, SecondRootLabel, InputLine})
        EXPECT_GE(contrast(text(id), grey), 4.5) << id;
    EXPECT_EQ(window.inputLine()->palette().color(QPalette::Base), grey);
    const QPalette link = window.historyWindow()->link()->palette();
    EXPECT_GE(contrast(link.color(QPalette::Link), link.color(QPalette::Window)), 4.5) << "the web site's link";
    if (QString shots = qEnvironmentVariable("MOLVANE_SCREENSHOTS"); !shots.isEmpty()) {
        window.grab().save(shots + "/window-dark.png");
        QApplication::setPalette(light);
        QTest::qWait(20);
        window.grab().save(shots + "/window-light.png");
    }
    QApplication::setPalette(light);
}

TEST_F(MainWindowTest, MenuChecksFollowTypedDirectives) {
    type("#deg");
    emit window.menuBar()->actions().at(FormatPopup)->menu()->aboutToShow();
    EXPECT_TRUE(window.menuAction(2505)->isChecked());
    EXPECT_FALSE(window.menuAction(2504)->isChecked());
}

TEST_F(MainWindowTest, EveryMenuItemShowsItsTextAndShortcut) {
    int items = 0;
    for (const MenuEntry& entry : menuBarEntries()) {
        if (entry.kind != MenuEntryKind::Item) continue;
        ++items;
        QAction* action = window.menuAction(entry.id);
        ASSERT_NE(action, nullptr) << "item " << entry.id;
        // A tab that ends a label ("t0\t-273.15 \u00B0C") is no shortcut.
        QString shown = action->text();
        if (!action->shortcut().isEmpty()) shown += "\t" + action->shortcut().toString();
        EXPECT_EQ(shown, QString::fromUtf8(entry.text).replace(" + ", "+").replace("SHIFT", "Shift")) << entry.id;
    }
    EXPECT_EQ(items, 125);
    QAction* help = window.menuBar()->actions().at(HelpPopup);
    EXPECT_LE(window.menuBar()->actionGeometry(help).right(), window.menuBar()->width()) << "Help is cut off";
    EXPECT_LE(window.toolbar()->sizeHint().width(), window.centralWidget()->width()) << "the toolbar widens the window";
}

// The Composition window's keys are its own: Ctrl+A and Ctrl+C there select
// and copy its table, not the main window's input line. The window fits its
// table; the copies have the line ends of Linux.
TEST_F(MainWindowTest, CtrlKOpensTheComposition) {
    type("(NH4)2SO4+Al2(SO4)3+24H2O");
    press(Qt::Key_K, Qt::ControlModifier);
    CompositionWindow* composition = window.compositionWindow();
    ASSERT_TRUE(composition && composition->isVisible());
    QPlainTextEdit* table = composition->textEdit();
    QTest::qWait(20);
    EXPECT_EQ(table->horizontalScrollBar()->maximum(), 0) << "the whole width of the table shows";
    EXPECT_EQ(table->verticalScrollBar()->maximum(), 0) << "every line shows";
    window.inputLine()->setText("12");
    QGuiApplication::clipboard()->clear();
    QApplication::setActiveWindow(composition);
    table->setFocus();
    QTest::keyClick(table, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("Element  Count")) << "the table, by keyboard";
    EXPECT_FALSE(window.inputLine()->hasSelectedText());

    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(composition->findChild<QPushButton*>(), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), table->toPlainText()) << "the Copy button";
    logic.dispatchCommand(EditCopyHistory);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), fromEngineText(window.historyText()).remove('\r'));
    QList<QPushButton*> buttons = composition->findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 2);
    QTest::mouseClick(buttons.back(), Qt::LeftButton);
    EXPECT_FALSE(composition->isVisible()) << "the Hide button";
    EXPECT_TRUE(QFontInfo(table->font()).fixedPitch()) << "the columns line up";
}

// Every control carries the shared table's name for a screen reader, and a
// display line gives what it shows as its value.
TEST_F(MainWindowTest, NamesForScreenReaders) {
    for (const ControlLayout& layout : mainWindowLayout()) {
        if (layout.id == kDisplayFrame) continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(window.control(layout.id));
        ASSERT_NE(accessible, nullptr) << layout.id;
        EXPECT_TRUE(accessible->text(QAccessible::Name).startsWith(QString::fromStdString(layout.name))) << layout.id;
    }
    type("2+3");
    QAccessibleInterface* answer = QAccessible::queryAccessibleInterface(window.control(LowerResultLine));
    EXPECT_EQ(answer->text(QAccessible::Name), "Answer");
    EXPECT_EQ(answer->text(QAccessible::Value), "5");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window.control(KeyInverse))->text(QAccessible::Name),
              "Inverse functions, off");
}

// Each answer appears once as a notification in the answer line's status bar,
// which is what a screen reader speaks, and the focus stays in the input line.
TEST_F(MainWindowTest, AnswerIsAnnouncedWithoutMovingTheFocus) {
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(window.control(LowerResultLine))->child(0);
    QAccessibleInterface* news = bar ? bar->child(0) : nullptr;
    ASSERT_TRUE(news && bar->role() == QAccessible::StatusBar && news->role() == QAccessible::Notification);
    struct ShowCounter : QObject {
        int shown = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            shown += event->type() == QEvent::Show;
            return false;
        }
    } counter;
    news->object()->installEventFilter(&counter);
    // Typed, and said.
    const char* const rows[][2] = {
        {"2+3", "5"}, {"2+3", "5"}, {"x^2-5x+6", "x1 = 2, x2 = 3"}, {"1/0", "Cannot divide by zero!"}};
    for (const auto& [typed, said] : rows) {
        int before = counter.shown;
        type(typed);
        EXPECT_EQ(counter.shown - before, 1) << typed << ": said once";
        EXPECT_EQ(news->text(QAccessible::Name), said) << typed;
        EXPECT_TRUE(!news->state().invisible && window.inputLine()->hasFocus()) << typed << ": shown, focus kept";
    }
}

// Tab goes from the input line through every shown control in the layout's
// order, the keypad row by row, and back to the input line.
TEST_F(MainWindowTest, TabVisitsEveryControlInOrder) {
    std::vector<QWidget*> expected, visited;
    for (const ControlLayout& layout : mainWindowLayout()) {
        if (layout.shown && layout.id != kDisplayFrame) expected.push_back(window.control(layout.id));
    }
    while (visited.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget() == window.inputLine() ? window.recentTasks()
                                                                            : QApplication::focusWidget());
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(MainWindowTest, ToolbarButtonsRunTheirCommands) {
    // Without an icon theme (as here), every button and its menu item shows the program's own icon.
    const char* names =
        "edit-delete edit-undo edit-cut edit-copy edit-paste document-save document-print-preview "
        "document-properties view-restore";
    const QStringList icons = QString(names).split(' ');
    QList<QAction*> buttons = window.toolbar()->actions();
    buttons.removeIf([](QAction* action) { return action->isSeparator(); });
    ASSERT_EQ(buttons.size(), icons.size());
    for (int i = 0; i < buttons.size(); ++i) {
        SCOPED_TRACE(icons[i].toStdString());
        QImage own = QIcon(":/icons/" + icons[i] + ".svg").pixmap(16).toImage();
        ASSERT_FALSE(own.isNull());
        EXPECT_EQ(buttons[i]->icon().pixmap(16).toImage(), own);
        EXPECT_EQ(window.menuAction(buttons[i]->data().toInt())->icon().pixmap(16).toImage(), own);
    }
    EXPECT_EQ(buttons[5]->toolTip(), "Save history (CTRL+S)");
    QTest::mouseClick(window.toolbar()->widgetForAction(buttons[6]), Qt::LeftButton);
    EXPECT_TRUE(window.historyWindow()->isVisible()) << "the View history button";
}

}  // namespace
