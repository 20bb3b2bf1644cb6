// SPDX-License-Identifier: MIT
// The real main window, shown offscreen, with its logic and a settings folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <utility>

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
    QTimer dialogWatch;
    bool modalAllowed = false;  // a progress dialog is modal while its file runs

    void SetUp() override {
        // A modal dialog waits for a click that never comes: whatever the test
        // does not handle fails it at once and is closed, so a run never hangs.
        QObject::connect(&dialogWatch, &QTimer::timeout, [this] { meetModalDialog(); });
        dialogWatch.start(50);
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

    // Runs `act` on the modal dialog that `open` brings up, then closes it;
    // `then` on a second dialog that the first one leads to.
    void withModal(const std::function<void()>& open, const std::function<void(QWidget*)>& act,
                   const std::function<void(QWidget*)>& then = nullptr) {
        // Shortcuts reach only the active window; offscreen, a closed dialog
        // hands the activation back to no one.
        QApplication::setActiveWindow(&window);
        window.inputLine()->setFocus();
        handleModal_ = act;
        nextModal_ = then;
        modalAllowed = true;
        open();
        modalAllowed = false;
        EXPECT_FALSE(handleModal_) << "no dialog came up";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }

    QString text(int id) { return static_cast<QLabel*>(window.control(id))->text(); }
    void type(const QString& line) {
        QTest::keyClicks(window.inputLine(), line);
        QTest::keyClick(window.inputLine(), Qt::Key_Return);
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window.inputLine(), static_cast<Qt::Key>(key), modifiers);
    }

private:
    std::function<void(QWidget*)> handleModal_, nextModal_;

    void meetModalDialog() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || (modalAllowed && !handleModal_)) return;
        std::function<void(QWidget*)> act = std::exchange(handleModal_, std::exchange(nextModal_, nullptr));
        if (act) act(modal);
        EXPECT_TRUE(act) << "unexpected modal dialog \"" << modal->windowTitle().toStdString() << "\"";
        if (QWidget* left = QApplication::activeModalWidget()) left->close();
    }
};
