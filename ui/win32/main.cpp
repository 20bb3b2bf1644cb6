// SPDX-License-Identifier: MIT
// molvane.exe: the desktop calculator for Windows.
#include "settings/config_location.h"
#include "ui/win32/win32_platform.h"
#include "ui/window_logic.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    molvane::Win32Platform platform(instance);
    if (!platform.create()) return 0;
    molvane::WindowLogic logic(platform, molvane::configurationFilePath());
    platform.attach(&logic);
    // The configuration may resize the window, put it on top or show the
    // history beside it: all before the window is first shown.
    logic.startUp();
    ShowWindow(platform.mainWindow(), show);
    UpdateWindow(platform.mainWindow());
    HACCEL accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(molvane::kAcceleratorTable));

    // The history window gets its dialog keys; while it has the focus the main
    // window's shortcuts stay quiet. Elsewhere the shortcuts come first, even
    // inside the input line, so Enter and Esc are commands.
    MSG message;
    BOOL status = 0;
    while ((status = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        HWND history = platform.historyWindow();
        if (history && IsDialogMessageW(history, &message)) continue;
        if (accelerators && platform.mainWindow() &&
            TranslateAcceleratorW(platform.mainWindow(), accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    platform.attach(nullptr);
    return status;
}
