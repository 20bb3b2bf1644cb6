#include <QMenuBar>
#include <QToolButton>

#include "ui/menu_table.h"
#include "ui/qt/cp1252.h"
#include "window_fixture.h"

using namespace molvane;

namespace {

using MainWindowTest = WindowTest;

// An item's text as the menu shows it: the label, a tab and the shortcut.
QString shownText(const QAction* action) {
    QString shown = action->text();
    if (!action->shortcut().isEmpty()) shown += "\t" + action->shortcut().toString();
    return shown;
}

// What the window logic decides is tested against the in-memory platform; these
// tests check that each widget shows it and passes the user's actions on.
TEST_F(MainWindowTest, TypedTaskReachesTheLabelsHistoryAndRecentList) {
    type("2h2o");
    EXPECT_EQ(text(LowerResultLine), "36.03056");
    EXPECT_EQ(window.control(LowerTaskLine)->toolTip(), "2*(1.00794*2+15.9994)");
    EXPECT_TRUE(window.historyWindow()->text().endsWith("\r\n2H2O = 36.03056\r\n"));
    type("x^2+x+1");
    EXPECT_EQ(text(LowerResultLine), "<Complex number>") << "a label never reads results as markup";

    window.recentTasks()->setCurrentIndex(1);
    emit window.recentTasks()->activated(1);
    EXPECT_EQ(window.inputLine()->text(), "2H2O");
    logic.dispatchCommand(EditClearHistory);
    EXPECT_EQ(window.recentTasks()->count(), 0);
}

TEST_F(MainWindowTest, KeypadByMouse) {
    for (int key : {1026, 1028, 1027, 1022, 1019}) {
        QTest::mouseClick(static_cast<QPushButton*>(window.control(key)), Qt::LeftButton);
    }
    EXPECT_EQ(window.inputLine()->text(), "2+3*4");
    QTest::mouseClick(static_cast<QPushButton*>(window.control(EnterButton)), Qt::LeftButton);
    EXPECT_EQ(text(LowerResultLine), "14");
    EXPECT_FALSE(window.control(1034)->isVisible());

    auto* inverse = static_cast<QPushButton*>(window.control(KeyInverse));
    QTest::mouseClick(inverse, Qt::LeftButton);
    EXPECT_TRUE(inverse->isChecked());
    EXPECT_EQ(static_cast<QPushButton*>(window.control(1001))->text(), "asin");
    QTest::mouseClick(static_cast<QPushButton*>(window.control(1001)), Qt::LeftButton);
    EXPECT_FALSE(inverse->isChecked());
    EXPECT_EQ(window.inputLine()->text(), "asin");
    EXPECT_TRUE(window.inputLine()->hasFocus());
}

TEST_F(MainWindowTest, AcceleratorsActInsideTheInputLine) {
    press(Qt::Key_F9);
    EXPECT_TRUE(window.historyWindow()->isVisible());
    EXPECT_EQ(window.historyWindow()->x(), window.frameGeometry().right() + 1);
    window.activateWindow();
    window.inputLine()->setFocus();
    press(Qt::Key_F9);
    EXPECT_FALSE(window.historyWindow()->isVisible());

    type("2+3");
    press(Qt::Key_F6);
    EXPECT_EQ(window.control(MemoryIndicator)->palette().color(QPalette::WindowText), QColor(1, 1, 1));
    EXPECT_EQ(window.control(MemoryIndicator)->toolTip(), "5");
    press(Qt::Key_F7);
    EXPECT_EQ(window.inputLine()->text(), "5");
    press(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(window.inputLine()->text(), "(5)");
    press(Qt::Key_A, Qt::ControlModifier);
    press(Qt::Key_C, Qt::ControlModifier);
    press(Qt::Key_Escape);
    EXPECT_EQ(window.inputLine()->text(), "");
    press(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window.inputLine()->text(), "(5)");
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.inputLine()->text(), "");
    press(Qt::Key_F12);
    EXPECT_TRUE(logic.viewFlags().displayOnly);
    EXPECT_FALSE(window.control(1031)->visibleRegion().boundingRect().intersects(window.control(1031)->rect()));
    press(Qt::Key_F12);
    EXPECT_FALSE(logic.viewFlags().displayOnly);
}

TEST_F(MainWindowTest, MenuChecksAndIndicatorsFollowTypedDirectives) {
    type("#deg");
    type("#fix 3");
    emit window.menuBar()->actions().at(FormatPopup)->menu()->aboutToShow();
    EXPECT_TRUE(window.menuAction(2505)->isChecked());
    EXPECT_FALSE(window.menuAction(2504)->isChecked());
    EXPECT_TRUE(window.menuAction(2503)->isChecked());
    EXPECT_EQ(window.control(FixedIndicator)->palette().color(QPalette::WindowText), QColor(1, 1, 1));
    EXPECT_EQ(window.control(AutomaticIndicator)->palette().color(QPalette::WindowText), QColor(192, 192, 192));
}

TEST_F(MainWindowTest, EveryMenuItemHasItsIdAndText) {
    int items = 0;
    for (const MenuEntry& entry : menuBarEntries()) {
        if (entry.kind != MenuEntryKind::Item) continue;
        ++items;
        QAction* action = window.menuAction(entry.id);
        ASSERT_NE(action, nullptr) << "item " << entry.id;
        QString expected = QString::fromUtf8(entry.text).replace(" + ", "+").replace("SHIFT", "Shift");
        EXPECT_EQ(shownText(action), expected) << "item " << entry.id;
        EXPECT_EQ(action->data().toInt(), entry.id);
    }
    EXPECT_EQ(items, 121);
    // Shortcuts as Qt writes them, and text beyond ASCII.
    EXPECT_EQ(shownText(window.menuAction(2402)), QString::fromUtf8("&About Vanta\tShift+F1"));
    EXPECT_EQ(shownText(window.menuAction(2220)), QString::fromUtf8("t0\t-273.15 \u00B0C"));
    QStringList titles;
    for (QAction* popup : window.menuBar()->actions()) titles << popup->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&Insert", "F&ormat", "&View", "&Help"}));
    QAction* help = window.menuBar()->actions().at(HelpPopup);
    EXPECT_LE(window.menuBar()->actionGeometry(help).right(), window.menuBar()->width()) << "Help is cut off";
}

TEST_F(MainWindowTest, ToolbarButtonsRunTheirCommands) {
    QAction* save = nullptr;
    QAction* history = nullptr;
    for (QAction* action : window.toolbar()->actions()) {
        if (action->data().toInt() == FileSaveAs) save = action;
        if (action->data().toInt() == ViewHistory) history = action;
    }
    ASSERT_TRUE(save && history);
    EXPECT_EQ(save->toolTip(), "Save history (CTRL+S)");
    QTest::mouseClick(window.toolbar()->widgetForAction(history), Qt::LeftButton);
    EXPECT_TRUE(window.historyWindow()->isVisible());
    EXPECT_TRUE(logic.viewFlags().historyVisible);
    window.historyWindow()->close();
    EXPECT_FALSE(logic.viewFlags().historyVisible);
}

// The byte mapping is the session's; here a character outside the basic plane
// (two UTF-16 units) must count as one character and one byte.
TEST(Cp1252Test, ConvertsAtTheEdge) {
    QString wide = QString::fromUtf8("a\U0001F600b \u00D7");
    EXPECT_EQ(toEngineText(wide), "a?b \xD7");
    EXPECT_EQ(fromEngineText("2 \xD7 3\x80"), QString::fromUtf8("2 \u00D7 3\u20AC"));
    EXPECT_EQ(enginePosition(wide, 3), 2);
    EXPECT_EQ(qtPosition(wide, 2), 3);
}

}  // namespace
