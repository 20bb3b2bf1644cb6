// SPDX-License-Identifier: MIT
// The desktop program with its real widgets (offscreen): a 20,000-line task
// file through the window logic, and the cost of appending to a long history.
// Prints its figures; run it with QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "ui/qt/history_window.h"
#include "ui/qt/main_window.h"
#include "ui/task_file.h"
#include "ui/window_logic.h"

using namespace molvane;

namespace {

long peakMemoryKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return -1;
}

std::string taskFile(int lines) {
    const char* tasks[] = {"2+3*4", "h2so4", "sin30", "x^2-3x+2", "1/3*3", "(1+2)*3^2", "ca(oh)2", "*2", "ans-1"};
    std::string bytes;
    for (int i = 0; i < lines; ++i) {
        bytes += tasks[i % 9];
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QTemporaryDir folder;
    MainWindow window;
    WindowLogic logic(window, folder.filePath("mvn.cfg").toStdString());
    window.attach(&logic);
    QElapsedTimer clock;
    clock.start();
    logic.startUp();
    window.show();
    QApplication::processEvents();
    std::printf("window built and shown:            %8.1f ms\n", static_cast<double>(clock.nsecsElapsed()) / 1e6);

    for (bool historyShown : {false, true}) {
        if (historyShown) logic.dispatchCommand(ViewHistory);
        logic.dispatchCommand(FileNew);
        std::vector<std::string> lines = taskFileLines(taskFile(20000));
        clock.restart();
        logic.runTaskLines(lines);
        QApplication::processEvents();
        std::printf("20,000 task-file lines (history %s): %8.1f ms, peak memory %ld kB\n",
                    historyShown ? "shown " : "hidden", static_cast<double>(clock.nsecsElapsed()) / 1e6,
                    peakMemoryKilobytes());
    }

    // Appending must not grow with the history's length: time the 100,000th entry.
    logic.dispatchCommand(FileNew);
    const std::string entry = "\r\n2+3*4 = 14\r\n";
    for (int i = 1; i < 100000; ++i) window.appendHistoryText(entry);
    clock.restart();
    window.appendHistoryText(entry);
    std::printf("the 100,000th history entry:       %8.1f us\n", static_cast<double>(clock.nsecsElapsed()) / 1e3);

    // A line of 94,000 characters (a pasted or generated task): appending it,
    // the entry after it and scrolling the window must each stay under 50 ms.
    if (!window.historyWindowVisible()) logic.dispatchCommand(ViewHistory);
    QApplication::processEvents();
    HistoryWindow* history = window.historyWindow();
    const std::string longLine = "\r\n" + std::string(94000, '7') + " = 7\r\n";
    clock.restart();
    window.appendHistoryText(longLine);
    history->grab();
    std::printf("a 94,000-character history line:   %8.1f ms\n", static_cast<double>(clock.nsecsElapsed()) / 1e6);
    clock.restart();
    window.appendHistoryText(entry);
    history->grab();
    std::printf("the entry after it:                %8.1f ms\n", static_cast<double>(clock.nsecsElapsed()) / 1e6);
    QScrollBar* scroll = history->textEdit()->verticalScrollBar();
    clock.restart();
    for (int step = 0; step < 10; ++step) {
        scroll->setValue(scroll->maximum() - step * scroll->pageStep());
        history->grab();
    }
    std::printf("scrolling a page (each of 10):     %8.1f ms\n", static_cast<double>(clock.nsecsElapsed()) / 1e7);
    window.attach(nullptr);
    return 0;
}
