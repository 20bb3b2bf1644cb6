// The real main window, shown offscreen, with its logic and a settings folder of its own.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "ui/qt/history_window.h"
#include "ui/qt/main_window.h"

using namespace molvane;

// A modal dialog that no test expects would wait for a click that never comes
// and hang the run: the guard fails the test at once and closes the dialog.
class StrayDialogGuard {
public:
    bool expected = false;  // a test opening a dialog on purpose sets this

    StrayDialogGuard() {
        QObject::connect(&timer_, &QTimer::timeout, [this] { closeStrayDialog(); });
        timer_.start(kCheckMilliseconds);
    }

private:
    static constexpr int kCheckMilliseconds = 50;

    void closeStrayDialog() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || expected) return;
        ADD_FAILURE() << "unexpected modal dialog \"" << modal->windowTitle().toStdString() << "\"";
        if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->done(QDialog::Rejected);
        } else {
            modal->close();
        }
    }

    QTimer timer_;
};

// Failures show a text as text, not as its UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

class WindowTest : public ::testing::Test {
protected:
    StrayDialogGuard strayDialogs;
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
