// SPDX-License-Identifier: MIT
// What scripts/windows-monkey.sh asks the running molvane.exe between its
// random key presses, from outside as another program on the desktop can.
// Built by that script with mingw-w64; not part of the build or of CI.
//
//   probe keys    the id and screen centre of each shown key, of "=" and of
//                 the display's task and result lines (a click inserts their text)
//   probe state   "responding 1" when the main window answers WM_NULL within
//                 10 s, else "responding 0"; then a line "window CLASS<tab>
//                 CAPTION<tab>TEXT" for each other shown window of the program:
//                 a message box (TEXT is its message), a dialog, the progress
//   probe input   the input line's text, UTF-8
//   probe close   closes the program as its close box does and waits a minute for it to end
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "ui/command_ids.h"

using namespace molvane;

namespace {

constexpr UINT kPatienceMs = 10000;

std::string utf8(const std::wstring& text) {
    int length = static_cast<int>(text.size());
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// A window's text by WM_GETTEXT, given up on after a while: the program may
// hang, and the probe must still answer.
bool textOf(HWND window, std::wstring& text) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kPatienceMs, &length)) return false;
    text.assign(length + 1, L'\0');
    DWORD_PTR copied = 0;
    auto buffer = reinterpret_cast<LPARAM>(text.data());
    if (!SendMessageTimeoutW(window, WM_GETTEXT, length + 1, buffer, SMTO_ABORTIFHUNG, kPatienceMs, &copied))
        return false;
    text.resize(std::min<std::size_t>(copied, length));
    return true;
}

int printKeys(HWND main) {
    for (int id = KeyFirst; id <= LowerResultLine; ++id) {
        if (id > EnterButton && id < UpperTaskLine) continue;
        HWND key = GetDlgItem(main, id);
        RECT rect{};
        if (!key || !IsWindowVisible(key) || !GetWindowRect(key, &rect)) continue;
        std::printf("%d %ld %ld\n", id, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    return 0;
}

struct Program {
    HWND main;
    DWORD process;
};

BOOL CALLBACK printOtherWindow(HWND window, LPARAM data) {
    const auto& program = *reinterpret_cast<const Program*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (window == program.main || process != program.process || !IsWindowVisible(window)) return TRUE;
    wchar_t className[64] = L"";
    GetClassNameW(window, className, 64);
    wchar_t caption[128] = L"";
    GetWindowTextW(window, caption, 128);
    std::wstring message;
    if (HWND text = GetDlgItem(window, 0xFFFF)) textOf(text, message);
    std::replace_if(
        message.begin(), message.end(), [](wchar_t c) { return c == L'\r' || c == L'\n' || c == L'\t'; }, L' ');
    std::printf("window %s\t%s\t%s\n", utf8(className).c_str(), utf8(caption).c_str(), utf8(message).c_str());
    return TRUE;
}

int printState(HWND main) {
    DWORD_PTR ignored = 0;
    bool responding = SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kPatienceMs, &ignored) != 0;
    std::printf("responding %d\n", responding ? 1 : 0);
    Program program{main, 0};
    GetWindowThreadProcessId(main, &program.process);
    EnumWindows(printOtherWindow, reinterpret_cast<LPARAM>(&program));
    return responding ? 0 : 2;
}

int printInput(HWND main) {
    std::wstring text;
    if (!textOf(GetDlgItem(GetDlgItem(main, RecentTasksList), InputLine), text)) return 2;
    std::printf("%s\n", utf8(text).c_str());
    return 0;
}

int closeProgram(HWND main) {
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    PostMessageW(main, WM_CLOSE, 0, 0);
    bool ended = process && WaitForSingleObject(process, 60000) == WAIT_OBJECT_0;
    if (process) CloseHandle(process);
    return ended ? 0 : 2;
}

}  // namespace

int wmain(int count, wchar_t** words) {
    std::wstring action = count > 1 ? words[1] : L"";
    HWND main = FindWindowW(L"myWindowClass", nullptr);
    if (!main || !IsWindowVisible(main)) {
        std::fprintf(stderr, "probe: no main window\n");
        return 1;
    }
    if (action == L"keys") return printKeys(main);
    if (action == L"state") return printState(main);
    if (action == L"input") return printInput(main);
    if (action == L"close") return closeProgram(main);
    std::fprintf(stderr, "probe: unknown action\n");
    return 1;
}
