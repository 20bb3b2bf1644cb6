// SPDX-License-Identifier: MIT
// The Task History and Composition windows beside the main window: a text,
// the web site's link over the history, and a row of buttons that run the main
// window's commands.
#include "ui/win32/win32_platform.h"
// The shell's calls need windows.h first.
#include <shellapi.h>

#include <algorithm>

#include "ui/colour_contrast.h"
#include "ui/command_ids.h"
#include "ui/web_site.h"
#include "ui/win32/wide_text.h"
#include "ui/window_layout.h"
#include "ui/window_logic.h"

namespace molvane {

namespace {

constexpr const wchar_t* kPlatformProperty = L"MolvanePlatform";
// The Composition window's buttons, at 96 dots per inch.
constexpr int kButtonHeight = 24;

Colour colourOf(COLORREF colour) { return {GetRValue(colour), GetGValue(colour), GetBValue(colour)}; }

void sendCommand(HWND window, int command) {
    SendMessageW(GetWindow(window, GW_OWNER), WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

// A button of the window's row runs its command; Esc, which the dialog
// handling turns into Cancel, hides the window as its Hide button does.
bool runButton(HWND window, int id, int hideCommand) {
    if (id == IDCANCEL) {
        sendCommand(window, hideCommand);
        return true;
    }
    for (auto buttons : {historyWindowButtons(), compositionWindowButtons()}) {
        for (const WindowButton& button : buttons) {
            if (button.id != id) continue;
            sendCommand(window, button.command);
            return true;
        }
    }
    return false;
}

// The text fills the window between the link and the row of buttons, which
// share its width.
void layOut(HWND window, int width, int height, int linkHeight, int buttonHeight, int textId,
            std::span<const WindowButton> buttons) {
    if (HWND link = GetDlgItem(window, kHistoryLink)) MoveWindow(link, 0, 0, width, linkHeight, TRUE);
    auto count = static_cast<int>(buttons.size());
    for (int i = 0; i < count; ++i) {
        int left = width * i / count;
        int right = width * (i + 1) / count;
        if (HWND button = GetDlgItem(window, buttons[static_cast<std::size_t>(i)].id))
            MoveWindow(button, left, height - buttonHeight, right - left, buttonHeight, TRUE);
    }
    if (HWND text = GetDlgItem(window, textId))
        MoveWindow(text, 0, linkHeight, width, std::max(0, height - linkHeight - buttonHeight), TRUE);
}

}  // namespace

// The table in a fixed-pitch font, so that its columns line up.
HWND Win32Platform::createCompositionWindow() {
    RECT frame{};
    GetWindowRect(main_, &frame);
    HWND window = CreateWindowExW(
        WS_EX_TOOLWINDOW, kTextWindowClass, L"Composition", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, frame.left,
        frame.top, frame.right - frame.left, scaled(kCompositionHeight), main_, nullptr, instance_, this);
    if (!window) return nullptr;
    HWND text = addChild(window, kCompositionText, L"edit", L"",
                         WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY |
                             ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                         WS_EX_CLIENTEDGE, 0, 0, 0, 0);
    SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[kFixedFont]), 0);
    for (const WindowButton& button : compositionWindowButtons())
        addChild(window, button.id, L"button", fromUtf8(button.caption).c_str(), WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0,
                 0);
    RECT client{};
    GetClientRect(window, &client);
    SendMessageW(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    return window;
}

// The window grows to show its whole table, away from the main window; a
// smaller table takes it back toward the size it opened with. The edit's
// formatting rectangle is where its text goes, scroll bars and borders aside.
void Win32Platform::fitCompositionWindow(TextExtent extent) {
    HWND table = GetDlgItem(composition_, kCompositionText);
    HDC context = GetDC(table);
    HGDIOBJ font = SelectObject(context, fonts_[kFixedFont]);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    SelectObject(context, font);
    ReleaseDC(table, context);
    RECT text{};
    SendMessageW(table, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    RECT frame{};
    GetWindowRect(composition_, &frame);
    WindowFrame main = mainWindowFrame();
    // The caret takes a pixel after the longest line.
    int width = frame.right - frame.left - (text.right - text.left) + extent.columns * metrics.tmAveCharWidth + 1;
    int height = frame.bottom - frame.top - (text.bottom - text.top) + extent.lines * metrics.tmHeight;
    WindowFrame placed =
        resizedBeside({frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top},
                      std::max(width, main.width), std::max(height, scaled(kCompositionHeight)), main, workArea());
    SetWindowPos(composition_, nullptr, placed.left, placed.top, placed.width, placed.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK Win32Platform::compositionWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetPropW(window, kPlatformProperty, reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    auto* platform = static_cast<Win32Platform*>(GetPropW(window, kPlatformProperty));
    switch (message) {
        case WM_SIZE:
            if (platform)
                layOut(window, LOWORD(lParam), HIWORD(lParam), 0, platform->scaled(kButtonHeight), kCompositionText,
                       compositionWindowButtons());
            return 0;
        case WM_COMMAND:
            if (runButton(window, LOWORD(wParam), HideComposition)) return 0;
            break;
        case WM_CLOSE: sendCommand(window, HideComposition); return 0;
        case WM_NCDESTROY: RemovePropW(window, kPlatformProperty); break;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The history's buttons act as the main window's own commands; Hide, Esc and
// the close box hide the window, which keeps its text.
INT_PTR CALLBACK Win32Platform::historyDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetDlgItemTextW(window, kHistoryLink, fromEngineText(kWebSiteAddress).c_str());
            // The history can grow without limit but memory.
            SendDlgItemMessageW(window, kHistoryText, EM_SETLIMITTEXT, 0, 0);
            RECT client{};
            GetClientRect(window, &client);
            SendMessageW(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
            return TRUE;
        }
        // The link and the buttons keep their heights in dialog units, which
        // change with the screen's resolution.
        case WM_SIZE: {
            RECT heights{0, 0, 10, 14};
            MapDialogRect(window, &heights);
            layOut(window, LOWORD(lParam), HIWORD(lParam), heights.right, heights.bottom, kHistoryText,
                   historyWindowButtons());
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == kHistoryLink) {
                if (HIWORD(wParam) == STN_CLICKED)
                    ShellExecuteW(GetWindow(window, GW_OWNER), L"open", fromEngineText(kWebSiteAddress).c_str(),
                                  nullptr, nullptr, SW_SHOWNORMAL);
                return TRUE;
            }
            return runButton(window, LOWORD(wParam), HideHistory) ? TRUE : FALSE;
        case WM_SETCURSOR:
            if (GetDlgCtrlID(reinterpret_cast<HWND>(wParam)) != kHistoryLink) return FALSE;
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            SetWindowLongPtrW(window, DWLP_MSGRESULT, TRUE);
            return TRUE;
        // The desktop's link colour where it reads on the window.
        case WM_CTLCOLORSTATIC: {
            if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != kHistoryLink) return FALSE;
            Colour link = linkColour(colourOf(GetSysColor(COLOR_HOTLIGHT)), colourOf(GetSysColor(COLOR_BTNFACE)));
            SetTextColor(reinterpret_cast<HDC>(wParam), RGB(link.red, link.green, link.blue));
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        }
        // Leaving the history puts its caret back at the end, where the next entry goes.
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND text = GetDlgItem(window, kHistoryText);
                int end = GetWindowTextLengthW(text);
                SendMessageW(text, EM_SETSEL, static_cast<WPARAM>(end), end);
            }
            return FALSE;
        case WM_TIMER:
            if (wParam != kActivatableTimer) return FALSE;
            KillTimer(window, kActivatableTimer);
            SetWindowLongPtrW(window, GWL_EXSTYLE, GetWindowLongPtrW(window, GWL_EXSTYLE) & ~WS_EX_NOACTIVATE);
            return TRUE;
        case WM_CLOSE: sendCommand(window, HideHistory); return TRUE;
        default: return FALSE;
    }
}

}  // namespace molvane
