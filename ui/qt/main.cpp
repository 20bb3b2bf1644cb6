// SPDX-License-Identifier: MIT
// molvane: the desktop calculator.
#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstring>

#include "molvane_version.h"
#include "settings/config_location.h"
#include "ui/qt/main_window.h"
#include "ui/window_logic.h"

namespace {

constexpr const char* kUsage =
    "Usage: molvane [--help | --version]\n"
    "Starts the Molvane desktop calculator: type a task on the input line and press\n"
    "Enter. The settings are read from the per-user mvn.cfg at start.\n"
    "For shells and scripts use molvane-cli (see molvane-cli --help).\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "  -V, --version  show the version and exit\n";

}  // namespace

int main(int argc, char* argv[]) {
    if (argc > 1 && (std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "-V") == 0)) {
        std::fputs("molvane " MOLVANE_VERSION "\n", stdout);
        return 0;
    }
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    QApplication application(argc, argv);
    molvane::MainWindow window;
    QApplication::setWindowIcon(window.windowIcon());
    molvane::WindowLogic logic(window, molvane::configurationFilePath());
    window.attach(&logic);
    window.centreOnScreen();
    // The configuration may resize the window, put it on top or show the
    // history beside it: all before the window is first shown.
    logic.startUp();
    window.show();
    int exitCode = application.exec();
    // The logic is destroyed before the window, which may still signal while it closes.
    window.attach(nullptr);
    return exitCode;
}
