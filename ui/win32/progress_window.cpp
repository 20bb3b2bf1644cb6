// SPDX-License-Identifier: MIT
// The progress of a long operation (a task file) with its Cancel button: a
// small window owned by the main window, which stays disabled while it shows.
#include "ui/win32/win32_platform.h"
// The common controls and dialogs need windows.h first.
#include <commctrl.h>

#include "ui/win32/wide_text.h"

namespace molvane {

namespace {

constexpr int kProgressLabel = 100;
constexpr int kProgressBar = 101;

}  // namespace

LRESULT CALLBACK Win32Platform::progressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* cancelled = reinterpret_cast<bool*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        // Cancel, Esc and the close box all cancel; the operation ends the window.
        case WM_COMMAND:
            if (LOWORD(wParam) != IDCANCEL) break;
            [[fallthrough]];
        case WM_CLOSE:
            if (cancelled) *cancelled = true;
            return 0;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Win32Platform::beginProgress(const std::string& label, int total) {
    progressLabel_ = fromEngineText(label);
    progressTotal_ = total;
    progressStarted_ = GetTickCount64();
    lastProgressUpdate_ = 0;
    progressCancelled_ = false;
    progressRunning_ = true;
}

void Win32Platform::showProgressWindow() {
    const int width = scaled(300);
    const int height = scaled(110);
    RECT frame{};
    GetWindowRect(main_, &frame);
    RECT outer{0, 0, width, height};
    AdjustWindowRectEx(&outer, WS_POPUP | WS_CAPTION, FALSE, WS_EX_DLGMODALFRAME);
    int outerWidth = outer.right - outer.left;
    int outerHeight = outer.bottom - outer.top;
    progress_ =
        CreateWindowExW(WS_EX_DLGMODALFRAME, kProgressWindowClass, L"Molvane", WS_POPUP | WS_CAPTION,
                        (frame.left + frame.right - outerWidth) / 2, (frame.top + frame.bottom - outerHeight) / 2,
                        outerWidth, outerHeight, main_, nullptr, instance_, nullptr);
    if (!progress_) return;
    SetWindowLongPtrW(progress_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&progressCancelled_));
    auto add = [&](int id, const wchar_t* className, const wchar_t* text, DWORD style, int x, int y, int w, int h) {
        return addChild(progress_, id, className, text, WS_VISIBLE | style, 0, scaled(x), scaled(y), scaled(w),
                        scaled(h));
    };
    add(kProgressLabel, L"static", progressLabel_.c_str(), SS_LEFT | SS_NOPREFIX, 12, 10, 276, 18);
    HWND bar = add(kProgressBar, PROGRESS_CLASSW, nullptr, 0, 12, 34, 276, 18);
    SendMessageW(bar, PBM_SETRANGE32, 0, progressTotal_);
    add(IDCANCEL, L"button", L"Cancel", BS_DEFPUSHBUTTON | WS_TABSTOP, 208, 70, 80, 26);
    // The whole program waits for the operation: only Cancel takes input.
    for (HWND window : {main_, history_, composition_}) {
        if (window) EnableWindow(window, FALSE);
    }
    ShowWindow(progress_, SW_SHOWNORMAL);
    UpdateWindow(progress_);
    // Enter, the space bar and Esc cancel as the button does.
    SetFocus(GetDlgItem(progress_, IDCANCEL));
}

bool Win32Platform::reportProgress(int done) {
    ULONGLONG elapsed = GetTickCount64() - progressStarted_;
    if (!progress_) {
        if (elapsed < progressDelay || progressCancelled_) return !progressCancelled_;
        showProgressWindow();
        if (!progress_) return true;
    } else if (elapsed - lastProgressUpdate_ < kProgressStepMs) {
        return !progressCancelled_;
    }
    lastProgressUpdate_ = elapsed;
    SendDlgItemMessageW(progress_, kProgressBar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
    // The tasks run inside the main window's own message handling, so the
    // window's messages are taken here: that is how a click on Cancel arrives.
    MSG message;
    while (progress_ && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The loop outside still has to see it.
            PostQuitMessage(static_cast<int>(message.wParam));
            progressCancelled_ = true;
            break;
        }
        if (IsDialogMessageW(progress_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return !progressCancelled_;
}

void Win32Platform::endProgress() {
    progressRunning_ = false;
    if (!progress_) return;
    // The windows are enabled before the progress goes, so the activation
    // returns to the main window and not to another program.
    for (HWND window : {main_, history_, composition_}) {
        if (window) EnableWindow(window, TRUE);
    }
    DestroyWindow(progress_);
    progress_ = nullptr;
    if (inputLine_) SetFocus(inputLine_);
}

}  // namespace molvane
