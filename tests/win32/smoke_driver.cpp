// SPDX-License-Identifier: MIT
// Drives an installed molvane.exe from outside, as another program on the same
// desktop can: it finds the main window by its class and sends the messages a
// user's typing and clicks send. scripts/windows-smoke.sh runs it one step at a
// time and takes its pictures between the steps.
//
//   smoke-driver start EXE        starts EXE, waits for its window, prints the time it took
//   smoke-driver tasks FILE       types each line of FILE (UTF-8) and presses "="
//   smoke-driver command ID       sends the menu command ID
//   smoke-driver open-menu        opens the File menu and leaves it open
//   smoke-driver close-menu       closes it again
//   smoke-driver save PATH        saves the history through Save As, typing PATH in its dialog
//   smoke-driver rect main|history|menu   prints the window's place as WxH+X+Y for a picture
//   smoke-driver close            closes the program and waits for it to end
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "ui/command_ids.h"
#include "ui/win32/wide_text.h"

using namespace molvane;

namespace {

// Polls `found` until it gives a window, for a minute or more.
template <typename Find>
HWND waitFor(Find found) {
    for (int i = 0; i < 6000; ++i) {
        if (HWND window = found()) return window;
        Sleep(10);
    }
    return nullptr;
}

// A shown top-level window of the class and caption given (null for any):
// the program's main window, its history window, a dialog or an open menu.
HWND shown(const wchar_t* className, const wchar_t* caption = nullptr) {
    HWND window = FindWindowW(className, caption);
    return window && IsWindowVisible(window) ? window : nullptr;
}

int fail(const char* why) {
    std::fprintf(stderr, "smoke-driver: %s\n", why);
    return 1;
}

int start(const std::wstring& program) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    auto started = std::chrono::steady_clock::now();
    if (!CreateProcessW(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return fail("cannot start the program");
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!waitFor([] { return shown(L"myWindowClass"); })) return fail("no main window appeared");
    auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    std::printf("%lld\n", static_cast<long long>(took.count()));
    return 0;
}

int typeTasks(HWND main, const std::wstring& file) {
    std::ifstream tasks(std::filesystem::path(file), std::ios::binary);
    if (!tasks) return fail("cannot read the tasks");
    HWND input = GetDlgItem(GetDlgItem(main, RecentTasksList), InputLine);
    HWND enter = GetDlgItem(main, EnterButton);
    for (std::string line; std::getline(tasks, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        SetWindowTextW(input, fromUtf8(line).c_str());
        SendMessageW(enter, BM_CLICK, 0, 0);
    }
    return 0;
}

int save(HWND main, const std::wstring& path) {
    // Posted: the command does not return while its dialog is open.
    PostMessageW(main, WM_COMMAND, FileSaveAs, 0);
    HWND dialog = waitFor([] { return shown(L"#32770", L"Save As"); });
    if (!dialog) return fail("no Save As dialog appeared");
    // The name box is a combo box in the Explorer-style dialog, an edit box in the old one.
    SetDlgItemTextW(dialog, GetDlgItem(dialog, 0x47c) ? 0x47c : 0x480, path.c_str());
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    auto saved = [&path, main]() -> HWND {
        return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES && !shown(L"#32770", L"Save As") ? main
                                                                                                            : nullptr;
    };
    return waitFor(saved) ? 0 : fail("the history was not saved");
}

int printRect(HWND main, const std::wstring& which) {
    HWND other = which == L"menu" ? shown(L"#32768") : which == L"history" ? shown(L"#32770", L"Task History") : main;
    RECT rect{};
    RECT frame{};
    if (!other || !GetWindowRect(other, &rect) || !GetWindowRect(main, &frame)) return fail("that window is not shown");
    // A menu is pictured with the window it drops from.
    if (which == L"menu") UnionRect(&rect, &rect, &frame);
    std::printf("%ldx%ld+%ld+%ld\n", rect.right - rect.left, rect.bottom - rect.top, rect.left, rect.top);
    return 0;
}

int close(HWND main) {
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageW(main, WM_CLOSE, 0, 0);
    bool ended = process && WaitForSingleObject(process, 60000) == WAIT_OBJECT_0;
    if (process) CloseHandle(process);
    return ended ? 0 : fail("the program did not end");
}

}  // namespace

int wmain(int count, wchar_t** words) {
    std::wstring action = count > 1 ? words[1] : L"";
    std::wstring argument = count > 2 ? words[2] : L"";
    if (action == L"start") return start(argument);

    HWND main = shown(L"myWindowClass");
    if (!main) return fail("no main window");
    if (action == L"tasks") return typeTasks(main, argument);
    if (action == L"command") {
        SendMessageW(main, WM_COMMAND, static_cast<WPARAM>(std::stoi(argument)), 0);
        return 0;
    }
    if (action == L"open-menu") {
        PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, 'f');
        return waitFor([] { return shown(L"#32768"); }) ? 0 : fail("no menu opened");
    }
    if (action == L"close-menu") {
        SendMessageW(main, WM_CANCELMODE, 0, 0);
        return 0;
    }
    if (action == L"save") return save(main, argument);
    if (action == L"rect") return printRect(main, argument);
    if (action == L"close") return close(main);
    return fail("unknown action");
}
