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

    // Inside the main window the shortcuts come first, even in the input
    // line, so Enter and Esc are commands; the windows beside it keep their keys.
    MSG message;
    BOOL status = 0;
    while ((status = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (platform.routeMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    platform.attach(nullptr);
    return status;
}
