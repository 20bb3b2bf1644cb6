// The real main window, shown offscreen, with its logic and a settings folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "ui/qt/history_window.h"
#include "ui/qt/main_window.h"

using namespace molvane;

// Failures show a text as text, not as its UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

class WindowTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
    MainWindow window;
    WindowLogic logic{window, folder.filePath("mvn.cfg").toStdString()};

    void SetUp() override {
        window.attach(&logic);
        logic.startUp();
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        window.inputLine()->setFocus();
    }
    void TearDown() override {
        window.historyWindow()->hide();
        window.attach(nullptr);
    }

    QString text(int id) { return static_cast<QLabel*>(window.control(id))->text(); }
    void type(const QString& line) {
        QTest::keyClicks(window.inputLine(), line);
        QTest::keyClick(window.inputLine(), Qt::Key_Return);
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window.inputLine(), static_cast<Qt::Key>(key), modifiers);
    }
};
