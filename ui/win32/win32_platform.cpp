// SPDX-License-Identifier: MIT
#include "ui/win32/win32_platform.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "ui/failure_message.h"
#include "ui/keypad.h"
#include "ui/menu_table.h"
#include "ui/web_site.h"
#include "ui/win32/dialogs.h"
#include "ui/win32/wide_text.h"
#include "ui/window_logic.h"

namespace molvane {

namespace {

constexpr const wchar_t* kMainWindowClass = L"myWindowClass";
constexpr const wchar_t* kTextWindowClass = L"MolvaneTextWindow";
constexpr DWORD kMainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kMainWindowExtendedStyle = WS_EX_STATICEDGE;
constexpr int kCompositionText = 4105;

// The client area below the toolbar, in pixels at 96 dots per inch: full, and
// cut just below the input line for Show Display Only.
constexpr int kClientWidth = 261;
constexpr int kClientHeight = 370;
constexpr int kDisplayOnlyHeight = 136;

const COLORREF kDisplayGrey = RGB(232, 232, 232);
const COLORREF kTaskGreen = RGB(0, 128, 0);
const COLORREF kActiveIndicator = RGB(1, 1, 1);
const COLORREF kInactiveIndicator = RGB(192, 192, 192);
const COLORREF kLinkBlue = RGB(0, 0, 255);

constexpr const char* kHelpNotShownMessage = "The help could not be shown.";

bool isDisplayControl(int id) {
    return (id >= UpperTaskLine && id <= SecondRootLabel) || (id >= MemoryIndicator && id <= GradsIndicator);
}

bool isIndicator(int id) { return id >= MemoryIndicator && id <= GradsIndicator; }

bool isCheckItem(int id) {
    return (id >= FormatAutomatic && id <= FormatFunctionSeparator) ||
           (id >= ViewDisplayOnly && id <= ViewTaskNumbering && id != ViewNumberFormat);
}

// The zoom of the Qt program's fixed layout has no Windows counterpart yet:
// the system's own scaling enlarges the window.
// The menu flags are long constants; the calls take them unsigned.
UINT menuFlags(long how, long state) { return static_cast<UINT>(how | state); }

bool isZoomCommand(int id) { return id >= ViewZoomIn && id <= ViewActualSize; }

int standardImage(ToolbarImage image) {
    switch (image) {
        case ToolbarImage::Delete: return STD_DELETE;
        case ToolbarImage::Undo: return STD_UNDO;
        case ToolbarImage::Cut: return STD_CUT;
        case ToolbarImage::Copy: return STD_COPY;
        case ToolbarImage::Paste: return STD_PASTE;
        case ToolbarImage::Save: return STD_FILESAVE;
        case ToolbarImage::PrintPreview: return STD_PRINTPRE;
        case ToolbarImage::Properties: return STD_PROPERTIES;
        case ToolbarImage::Replace: return STD_REPLACE;
        case ToolbarImage::None: break;
    }
    return 0;
}

std::wstring windowText(HWND window) {
    if (!window) return {};
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

// The Windows line end in a multi-line edit; the history's own texts already use it.
std::wstring withWindowsLineEnds(std::wstring text) {
    std::wstring converted;
    converted.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r')) converted += L'\r';
        converted += text[i];
    }
    return converted;
}

}  // namespace

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {}

Win32Platform::~Win32Platform() {
    if (main_) DestroyWindow(main_);
    for (HFONT font : fonts_) {
        if (font) DeleteObject(font);
    }
    if (displayBrush_) DeleteObject(displayBrush_);
}

bool Win32Platform::registerWindowClass(const wchar_t* name, WNDPROC procedure) const {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance_;
    // With no small icon of its own, Windows picks the small size from the same icon resource.
    windowClass.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(kProgramIcon));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = name;
    // A second window in one process (the tests make several) finds the class there.
    return RegisterClassExW(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Win32Platform::create() {
    bool registered = registerWindowClass(kMainWindowClass, mainWindowProc) &&
                      registerWindowClass(kTextWindowClass, textWindowProc) &&
                      registerWindowClass(kProgressWindowClass, progressWindowProc) &&
                      registerWindowClass(kPreviewWindowClass, previewWindowProc);
    if (!registered) {
        MessageBoxW(nullptr, L"Window Registration Failed!", L"Error!", MB_ICONWARNING | MB_OK);
        return false;
    }
    buildMenu();
    CreateWindowExW(kMainWindowExtendedStyle, kMainWindowClass, L"Molvane", kMainWindowStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, scaled(267), scaled(414), nullptr, menu_, instance_, this);
    if (!main_) {
        MessageBoxW(nullptr, L"Window Creation Failed!", L"Error!", MB_ICONWARNING | MB_OK);
        return false;
    }
    int height = windowHeight(false);
    // The creation's width was reckoned before the window knew its resolution.
    int width = scaled(267);
    SetWindowPos(main_, nullptr, GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2,
                 GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    history_ = CreateDialogParamW(instance_, MAKEINTRESOURCEW(kHistoryDialog), main_, historyDialogProc, 0);
    composition_ = createTextWindow(L"Composition", kCompositionText);
    if (!history_ || !composition_) {
        MessageBoxW(nullptr, L"Dialog Creation Failed!", L"Error!", MB_ICONWARNING | MB_OK);
        return false;
    }
    return true;
}

HWND Win32Platform::control(int id) const {
    auto found = controls_.find(id);
    if (found != controls_.end()) return found->second;
    if (id == kHistoryText && history_) return GetDlgItem(history_, kHistoryText);
    return nullptr;
}

int Win32Platform::scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }

// The frame's height for a client of the layout's height; a menu bar that
// wraps onto a second line at this width is measured, not guessed.
int Win32Platform::windowHeight(bool displayOnly) const {
    int clientHeight = toolbarHeight_ + scaled(displayOnly ? kDisplayOnlyHeight : kClientHeight);
    RECT wanted{0, 0, scaled(kClientWidth), clientHeight};
    AdjustWindowRectEx(&wanted, kMainWindowStyle, TRUE, kMainWindowExtendedStyle);
    int height = wanted.bottom - wanted.top;
    if (!main_) return height;
    RECT frame{};
    RECT client{};
    GetWindowRect(main_, &frame);
    GetClientRect(main_, &client);
    int frameExtra = (frame.bottom - frame.top) - (client.bottom - client.top);
    return frameExtra > 0 ? clientHeight + frameExtra : height;
}

LRESULT CALLBACK Win32Platform::mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* creation = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* platform = static_cast<Win32Platform*>(creation->lpCreateParams);
        platform->main_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(platform));
    }
    auto* platform = reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!platform) return DefWindowProcW(window, message, wParam, lParam);
    // The last message a window gets: from here on the platform has no main window.
    if (message == WM_NCDESTROY) {
        platform->main_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return platform->handleMessage(message, wParam, lParam);
}

LRESULT Win32Platform::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: buildControls(); return 0;
        case WM_COMMAND: dispatch(LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_SETFOCUS:
            if (inputLine_) SetFocus(inputLine_);
            return 0;
        case WM_INITMENUPOPUP:
            if (!HIWORD(lParam)) refreshMenu(reinterpret_cast<HMENU>(wParam), LOWORD(lParam));
            return 0;
        // A greyed item would also silence its shortcut; the accelerators act
        // whatever the menu showed when it was last open.
        case WM_EXITMENULOOP: reenableMenu(GetSubMenu(menu_, EditPopup)); return 0;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->code == TTN_GETDISPINFOW) {
                auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
                auto tip = toolTipTexts_.find(static_cast<int>(header->idFrom));
                if (tip != toolTipTexts_.end() && header->hwndFrom != toolTips_)
                    info->lpszText = const_cast<wchar_t*>(tip->second.c_str());
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT: {
            auto* context = reinterpret_cast<HDC>(wParam);
            auto* child = reinterpret_cast<HWND>(lParam);
            int id = GetDlgCtrlID(child);
            bool display =
                isDisplayControl(id) || id == InputLine || child == inputLine_ || id == -1 || id == RecentTasksList;
            if (!display) break;
            if (id == UpperTaskLine || id == LowerTaskLine) SetTextColor(context, kTaskGreen);
            if (isIndicator(id)) SetTextColor(context, activeIndicators_[id] ? kActiveIndicator : kInactiveIndicator);
            SetBkMode(context, TRANSPARENT);
            return reinterpret_cast<LRESULT>(displayBrush_);
        }
        case WM_DPICHANGED: changeResolution(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
        case WM_CLOSE: DestroyWindow(main_); return 0;
        case WM_DESTROY:
            if (history_) DestroyWindow(history_);
            if (composition_) DestroyWindow(composition_);
            history_ = composition_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default: break;
    }
    return DefWindowProcW(main_, message, wParam, lParam);
}

// The zoom commands are the Qt program's own; everything else is the logic's.
void Win32Platform::dispatch(int id, int notification) {
    if (isZoomCommand(id) || !logic_) return;
    logic_->dispatchCommand(id, notification);
}

void Win32Platform::buildMenu() {
    menu_ = CreateMenu();
    std::vector<HMENU> open{menu_};
    std::vector<bool> lastWasSeparator{false};
    for (const MenuEntry& entry : menuBarEntries()) {
        switch (entry.kind) {
            case MenuEntryKind::PopupBegin: {
                HMENU popup = CreatePopupMenu();
                AppendMenuW(open.back(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                            fromUtf8(entry.text).c_str());
                lastWasSeparator.back() = false;
                open.push_back(popup);
                lastWasSeparator.push_back(true);
                break;
            }
            case MenuEntryKind::PopupEnd:
                open.pop_back();
                lastWasSeparator.pop_back();
                break;
            case MenuEntryKind::Separator:
                if (!lastWasSeparator.back()) AppendMenuW(open.back(), MF_SEPARATOR, 0, nullptr);
                lastWasSeparator.back() = true;
                break;
            case MenuEntryKind::Item:
                if (isZoomCommand(entry.id)) break;
                AppendMenuW(open.back(), menuFlags(MF_STRING, entry.checked ? MF_CHECKED : MF_UNCHECKED),
                            static_cast<UINT_PTR>(entry.id), fromUtf8(entry.text).c_str());
                lastWasSeparator.back() = false;
                break;
        }
    }
}

void Win32Platform::refreshMenu(HMENU popup, int position) {
    if (!logic_ || GetSubMenu(menu_, position) != popup) return;
    for (const MenuItemState& item : logic_->menuItemStates(position)) {
        auto id = static_cast<UINT>(item.id);
        EnableMenuItem(menu_, id, menuFlags(MF_BYCOMMAND, item.enabled ? MF_ENABLED : MF_GRAYED));
        if (isCheckItem(item.id))
            CheckMenuItem(menu_, id, menuFlags(MF_BYCOMMAND, item.checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

void Win32Platform::reenableMenu(HMENU menu) {
    if (!menu) return;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) EnableMenuItem(menu, static_cast<UINT>(i), menuFlags(MF_BYPOSITION, MF_ENABLED));
}

HFONT Win32Platform::makeFont(const wchar_t* face, int pixels) {
    // "San Serif" is asked for by name; where no such face exists the Swiss
    // family makes the font mapper pick the system's own sans-serif.
    return CreateFontW(-scaled(pixels), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, face);
}

HWND Win32Platform::addChild(HWND parent, int id, const wchar_t* className, const wchar_t* text, DWORD style,
                             DWORD extendedStyle, int x, int y, int width, int height) {
    HWND child = CreateWindowExW(extendedStyle, className, text, WS_CHILD | style, x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    // Controls without a font of their own take the desktop's message font.
    if (child && fonts_[MessageFont]) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[MessageFont]), 0);
    return child;
}

HWND Win32Platform::addControl(int id, const wchar_t* className, const wchar_t* text, DWORD style, DWORD extendedStyle,
                               int x, int y, int width, int height) {
    HWND window = addChild(main_, id, className, text, style, extendedStyle, scaled(x), toolbarHeight_ + scaled(y),
                           scaled(width), scaled(height));
    if (window && id > 0) controls_[id] = window;
    if (window) placed_.push_back({window, x, y, width, height});
    return window;
}

void Win32Platform::addToolTip(HWND control, const std::wstring& text) {
    if (!toolTips_ || !control) return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = main_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.hinst = instance_;
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// The fonts at the window's present resolution.
void Win32Platform::createFonts() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi_)) ||
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        fonts_[MessageFont] = CreateFontIndirectW(&metrics.lfMessageFont);
    fonts_[MinusFont] = makeFont(L"San Serif", 20);
    fonts_[KeyFont] = makeFont(L"San Serif", 12);
    fonts_[IndicatorFont] = makeFont(L"San Serif", 8);
    fonts_[DisplayFont] = makeFont(L"Arial", 12);
}

namespace {

struct FontSwap {
    const HFONT* from;
    const HFONT* to;
    std::size_t count;
};

BOOL CALLBACK swapFont(HWND child, LPARAM lParam) {
    const auto* swap = reinterpret_cast<const FontSwap*>(lParam);
    auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    for (std::size_t i = 0; font && i < swap->count; ++i) {
        if (font == swap->from[i]) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(swap->to[i]), TRUE);
    }
    return TRUE;
}

}  // namespace

// Moved to a screen of another resolution: the layout's pixels and the fonts
// are made again for it, and the window takes the place the system suggests.
void Win32Platform::changeResolution(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    HFONT old[MessageFont + 1];
    std::copy(std::begin(fonts_), std::end(fonts_), old);
    createFonts();
    FontSwap swap{old, fonts_, std::size(old)};
    for (HWND window : {main_, composition_, progress_, preview_}) {
        if (window) EnumChildWindows(window, swapFont, reinterpret_cast<LPARAM>(&swap));
    }
    for (HFONT font : old) {
        if (font) DeleteObject(font);
    }
    if (toolbar_) {
        SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
        RECT bar{};
        GetWindowRect(toolbar_, &bar);
        toolbarHeight_ = bar.bottom - bar.top;
    }
    for (const PlacedControl& placed : placed_) {
        SetWindowPos(placed.window, nullptr, scaled(placed.x), toolbarHeight_ + scaled(placed.y), scaled(placed.width),
                     scaled(placed.height), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The frame is measured again at the new width, where the menu bar may wrap differently.
    SetWindowPos(main_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(main_, nullptr, 0, 0, suggested.right - suggested.left, windowHeight(displayOnly_),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Platform::buildControls() {
    UINT windowDpi = GetDpiForWindow(main_);
    if (windowDpi == 0) {
        HDC screen = GetDC(nullptr);
        windowDpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
        ReleaseDC(nullptr, screen);
    }
    dpi_ = std::max(96, static_cast<int>(windowDpi));
    displayBrush_ = CreateSolidBrush(kDisplayGrey);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    createFonts();

    toolTips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, main_, nullptr, instance_, nullptr);
    if (toolTips_) SetWindowPos(toolTips_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The toolbar comes first: the fixed layout sits below its measured height.
    buildToolbar();
    buildDisplay();
    buildKeypad();
    buildInputLine();
    SetFocus(inputLine_);
}

void Win32Platform::buildToolbar() {
    toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS,
                               0, 0, 0, 0, main_, nullptr, instance_, nullptr);
    if (!toolbar_) {
        MessageBoxW(main_, L"Could not create toolbar.", L"Error", MB_ICONERROR | MB_OK);
        return;
    }
    SendMessageW(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar_, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    std::vector<TBBUTTON> buttons;
    for (const ToolbarButton& button : toolbarButtons()) {
        TBBUTTON added{};
        added.fsState = TBSTATE_ENABLED;
        if (button.image == ToolbarImage::None) {
            added.fsStyle = BTNS_SEP;
        } else {
            added.iBitmap = standardImage(button.image);
            added.idCommand = button.id;
            added.fsStyle = BTNS_BUTTON;
            toolTipTexts_[button.id] = fromUtf8(button.toolTip);
        }
        buttons.push_back(added);
    }
    SendMessageW(toolbar_, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    RECT bar{};
    GetWindowRect(toolbar_, &bar);
    toolbarHeight_ = bar.bottom - bar.top;
}

void Win32Platform::buildDisplay() {
    HWND frame =
        addControl(-1, L"static", L"", WS_CHILD | WS_VISIBLE | WS_THICKFRAME, WS_EX_CLIENTEDGE, 0, 0, 260, 135);
    EnableWindow(frame, FALSE);

    auto addIndicator = [&](int id, const wchar_t* text, int x) {
        HWND indicator = addControl(id, L"static", text, WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_CENTER | SS_NOPREFIX,
                                    WS_EX_TRANSPARENT, x, 10, 25, 18);
        SendMessageW(indicator, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[IndicatorFont]), 0);
        return indicator;
    };
    addToolTip(addIndicator(MemoryIndicator, L"MEM", 115), toolTipTexts_[MemoryIndicator] = L"Memory");
    const wchar_t* modes[] = {L"AUTO", L"SCI", L"FIX"};
    const wchar_t* units[] = {L"RAD", L"DEG", L"GRAD"};
    for (int i = 0; i < 3; ++i) {
        addIndicator(AutomaticIndicator + i, modes[i], 10 + 29 * i);
        addIndicator(RadiansIndicator + i, units[i], 164 + 29 * i);
    }
    // Engine texts such as "2&3" are shown as they are: no mnemonic prefix.
    for (int row = 0; row < 2; ++row) {
        HWND task = addControl(UpperTaskLine + row, L"static", L"",
                               WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_ENDELLIPSIS | SS_NOPREFIX, WS_EX_TRANSPARENT, 12,
                               26 + 42 * row, 240, 18);
        SendMessageW(task, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[DisplayFont]), 0);
        addToolTip(task, toolTipTexts_[UpperTaskLine + row] = L"");
        addControl(UpperResultLine + row, L"static", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_RIGHT | SS_NOPREFIX,
                   WS_EX_TRANSPARENT, 40, 44 + 40 * row, 207, 20);
        addControl(FirstRootLabel + row, L"static", row == 0 ? L"x1 =" : L"x2 =", WS_CHILD | SS_NOPREFIX,
                   WS_EX_TRANSPARENT, 12, 44 + 40 * row, 30, 20);
    }
}

void Win32Platform::buildInputLine() {
    recentTasks_ = addControl(RecentTasksList, L"combobox", nullptr,
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_TABSTOP, 0, 6,
                              106, 250, 222);
    SendMessageW(recentTasks_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[DisplayFont]), 0);
    // The combobox's own edit is the input line, known by its id like every control.
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    if (GetComboBoxInfo(recentTasks_, &parts)) inputLine_ = parts.hwndItem;
    if (!inputLine_) inputLine_ = GetWindow(recentTasks_, GW_CHILD);
    SetWindowLongPtrW(inputLine_, GWLP_ID, InputLine);
    controls_[InputLine] = inputLine_;
    // The history can hold long tasks: no limit but memory.
    SendMessageW(inputLine_, EM_SETLIMITTEXT, 0, 0);
}

void Win32Platform::buildKeypad() {
    for (int key = 0; key < kKeyCount; ++key) {
        int row = key / kKeyColumns;
        int column = key % kKeyColumns;
        bool functionRow = row < kFunctionKeyRows;
        int top = functionRow ? 24 * row + 166 : 35 * row + 152;
        DWORD style = WS_CHILD | (key >= EqualsKey ? 0 : WS_VISIBLE) |
                      (key == InverseKey ? BS_CHECKBOX | BS_PUSHLIKE : BS_PUSHBUTTON);
        std::wstring caption = fromEngineText(keyText(key));
        HWND button = addControl(KeyFirst + key, L"button", caption.c_str(), style, 0, 41 * column + 7, top, 42,
                                 functionRow ? 25 : 36);
        if (key == MinusKey) SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[MinusFont]), 0);
        // Keys with words on them (sin, MS, C) take the smaller font.
        if ((functionRow || column == 0) && key != InverseKey && fonts_[KeyFont])
            SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[KeyFont]), 0);
        std::string_view tip = keyToolTip(key);
        if (!tip.empty()) addToolTip(button, toolTipTexts_[KeyFirst + key] = fromEngineText(tip));
    }
    addControl(EnterButton, L"button", L"=", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 171, 327, 83, 36);
}

HWND Win32Platform::createTextWindow(const wchar_t* title, int textId) {
    RECT frame{};
    GetWindowRect(main_, &frame);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kTextWindowClass, title, WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                                  frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top, main_,
                                  nullptr, instance_, nullptr);
    if (!window) return nullptr;
    // The window lays its text out as it is sized, below.
    HWND text =
        addChild(window, textId, L"edit", L"",
                 WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                 WS_EX_CLIENTEDGE, 0, 0, 0, 0);
    SendMessageW(text, EM_SETLIMITTEXT, 0, 0);
    RECT client{};
    GetClientRect(window, &client);
    SendMessageW(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    return window;
}

// The text fills the window between the link and the row of buttons, which
// share its width.
void Win32Platform::layOutTextWindow(HWND window, int width, int height) {
    auto heights = static_cast<DWORD>(GetWindowLongPtrW(window, GWLP_USERDATA));
    int linkHeight = LOWORD(heights);
    int buttonHeight = HIWORD(heights);
    if (HWND link = GetDlgItem(window, kHistoryLink)) MoveWindow(link, 0, 0, width, linkHeight, TRUE);
    for (int id = HistorySave; id <= HistoryHide; ++id) {
        int left = width * (id - HistorySave) / 4;
        int right = width * (id - HistorySave + 1) / 4;
        if (HWND button = GetDlgItem(window, id))
            MoveWindow(button, left, height - buttonHeight, right - left, buttonHeight, TRUE);
    }
    HWND text = GetDlgItem(window, kHistoryText);
    if (!text) text = GetDlgItem(window, kCompositionText);
    if (text) MoveWindow(text, 0, linkHeight, width, std::max(0, height - linkHeight - buttonHeight), TRUE);
}

LRESULT CALLBACK Win32Platform::textWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: layOutTextWindow(window, LOWORD(lParam), HIWORD(lParam)); return 0;
        case WM_CLOSE: ShowWindow(window, SW_HIDE); return 0;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The history's buttons act as the main window's own commands; Hide and the
// close box hide the window, which keeps its text.
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
            SetWindowLongPtrW(window, GWLP_USERDATA, MAKELONG(heights.right, heights.bottom));
            layOutTextWindow(window, LOWORD(lParam), HIWORD(lParam));
            return TRUE;
        }
        case WM_COMMAND: {
            HWND owner = GetWindow(window, GW_OWNER);
            auto send = [owner](int command) { SendMessageW(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0); };
            switch (LOWORD(wParam)) {
                case HistorySave: send(FileSaveAs); break;
                case HistoryPrint: send(FilePrint); break;
                case HistoryCopy: send(EditCopyHistory); break;
                case HistoryHide: ShowWindow(window, SW_HIDE); break;
                case kHistoryLink:
                    if (HIWORD(wParam) == STN_CLICKED)
                        ShellExecuteW(owner, L"open", fromEngineText(kWebSiteAddress).c_str(), nullptr, nullptr,
                                      SW_SHOWNORMAL);
                    break;
                default: return FALSE;
            }
            return TRUE;
        }
        case WM_SETCURSOR:
            if (GetDlgCtrlID(reinterpret_cast<HWND>(wParam)) != kHistoryLink) return FALSE;
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            SetWindowLongPtrW(window, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_CTLCOLORSTATIC:
            if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != kHistoryLink) return FALSE;
            SetTextColor(reinterpret_cast<HDC>(wParam), kLinkBlue);
            SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        // Leaving the history puts its caret back at the end, where the next entry goes.
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND text = GetDlgItem(window, kHistoryText);
                int end = GetWindowTextLengthW(text);
                SendMessageW(text, EM_SETSEL, static_cast<WPARAM>(end), end);
            }
            return FALSE;
        case WM_CLOSE: ShowWindow(window, SW_HIDE); return TRUE;
        default: return FALSE;
    }
}

void Win32Platform::setControlText(int id, const std::string& text) {
    if (HWND window = control(id)) SetWindowTextW(window, fromEngineText(text).c_str());
}

std::string Win32Platform::controlText(int id) const { return engineBytesOf(windowText(control(id))); }

void Win32Platform::setToolTip(int id, const std::string& text) {
    HWND window = control(id);
    if (!window || !toolTips_) return;
    std::wstring& stored = toolTipTexts_[id];
    stored = fromEngineText(text);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = main_;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.hinst = instance_;
    tool.lpszText = stored.data();
    SendMessageW(toolTips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32Platform::setControlVisible(int id, bool visible) {
    if (HWND window = control(id)) ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
}

void Win32Platform::setKeyChecked(int id, bool checked) {
    if (HWND window = control(id)) SendMessageW(window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Every Enter refreshes every indicator: only a change is repainted.
void Win32Platform::setIndicatorActive(int id, bool active) {
    bool& shown = activeIndicators_[id];
    if (shown == active) return;
    shown = active;
    if (HWND window = control(id)) InvalidateRect(window, nullptr, TRUE);
}

std::string Win32Platform::inputText() const { return toEngineText(windowText(inputLine_)); }

void Win32Platform::setInputText(const std::string& text) {
    SetWindowTextW(inputLine_, fromEngineText(text).c_str());
    int end = GetWindowTextLengthW(inputLine_);
    SendMessageW(inputLine_, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(inputLine_, EM_EMPTYUNDOBUFFER, 0, 0);
}

TextSelection Win32Platform::inputSelection() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(inputLine_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    std::wstring text = windowText(inputLine_);
    return {enginePosition(text, static_cast<int>(start)), enginePosition(text, static_cast<int>(end))};
}

void Win32Platform::setInputSelection(int start, int end) {
    std::wstring text = windowText(inputLine_);
    SendMessageW(inputLine_, EM_SETSEL, static_cast<WPARAM>(widePosition(text, start)), widePosition(text, end));
}

void Win32Platform::replaceInputSelection(const std::string& text) {
    SendMessageW(inputLine_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(fromEngineText(text).c_str()));
}

void Win32Platform::clearInputSelection() {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(inputLine_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start != end) SendMessageW(inputLine_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

void Win32Platform::undoInput() { SendMessageW(inputLine_, EM_UNDO, 0, 0); }

bool Win32Platform::inputCanUndo() const { return SendMessageW(inputLine_, EM_CANUNDO, 0, 0) != 0; }

void Win32Platform::focusInputLine() { SetFocus(inputLine_); }

void Win32Platform::insertRecentTask(const std::string& task) {
    SendMessageW(recentTasks_, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(fromEngineText(task).c_str()));
}

// Emptying the list empties its edit too: the input line keeps its text.
void Win32Platform::clearRecentTasks() {
    std::wstring text = windowText(inputLine_);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(inputLine_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SendMessageW(recentTasks_, CB_RESETCONTENT, 0, 0);
    if (windowText(inputLine_) != text) {
        SetWindowTextW(inputLine_, text.c_str());
        SendMessageW(inputLine_, EM_SETSEL, start, static_cast<LPARAM>(end));
    }
}

std::string Win32Platform::selectedRecentTask() const {
    LRESULT index = SendMessageW(recentTasks_, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return {};
    LRESULT length = SendMessageW(recentTasks_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(recentTasks_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return toEngineText(text);
}

void Win32Platform::setDisplayOnly(bool displayOnly) {
    displayOnly_ = displayOnly;
    RECT frame{};
    GetWindowRect(main_, &frame);
    SetWindowPos(main_, nullptr, 0, 0, frame.right - frame.left, windowHeight(displayOnly),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Platform::setAlwaysOnTop(bool onTop) {
    SetWindowPos(main_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

WindowFrame Win32Platform::mainWindowFrame() const {
    RECT frame{};
    GetWindowRect(main_, &frame);
    return {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
}

int Win32Platform::screenRight() const {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(main_, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return GetSystemMetrics(SM_CXSCREEN);
    return monitor.rcMonitor.right;
}

void Win32Platform::closeMainWindow() { PostMessageW(main_, WM_CLOSE, 0, 0); }

bool Win32Platform::historyWindowVisible() const { return history_ && IsWindowVisible(history_); }

// The history shows beside the main window, as tall, and the keys stay with the input line.
void Win32Platform::showHistoryWindow(int left, int top) {
    RECT frame{};
    GetWindowRect(main_, &frame);
    SetWindowPos(history_, nullptr, left, top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetFocus(inputLine_);
}

void Win32Platform::hideHistoryWindow() { ShowWindow(history_, SW_HIDE); }

void Win32Platform::setHistoryText(const std::string& text) {
    SetWindowTextW(GetDlgItem(history_, kHistoryText), withWindowsLineEnds(fromEngineText(text)).c_str());
}

void Win32Platform::appendHistoryText(const std::string& text) {
    HWND edit = GetDlgItem(history_, kHistoryText);
    int end = GetWindowTextLengthW(edit);
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(edit, EM_REPLACESEL, FALSE,
                 reinterpret_cast<LPARAM>(withWindowsLineEnds(fromEngineText(text)).c_str()));
}

std::string Win32Platform::historyText() const { return engineBytesOf(windowText(GetDlgItem(history_, kHistoryText))); }

bool Win32Platform::compositionWindowVisible() const { return composition_ && IsWindowVisible(composition_); }

void Win32Platform::showCompositionWindow(int left, int top) {
    RECT frame{};
    GetWindowRect(main_, &frame);
    SetWindowPos(composition_, HWND_TOP, left, top, frame.right - frame.left, scaled(240), SWP_SHOWWINDOW);
}

void Win32Platform::setCompositionText(const std::string& text) {
    SetWindowTextW(GetDlgItem(composition_, kCompositionText), withWindowsLineEnds(fromEngineText(text)).c_str());
}

std::string Win32Platform::clipboardText() const {
    std::string text;
    if (!OpenClipboard(main_)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* characters = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = toEngineText(characters);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

bool Win32Platform::clipboardHasText() const { return IsClipboardFormatAvailable(CF_UNICODETEXT) != 0; }

void Win32Platform::setClipboardText(const std::string& text) {
    std::wstring characters = withWindowsLineEnds(fromEngineText(text));
    std::size_t bytes = (characters.size() + 1) * sizeof(wchar_t);
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!data) return;
    if (void* target = GlobalLock(data)) {
        std::copy_n(characters.c_str(), characters.size() + 1, static_cast<wchar_t*>(target));
        GlobalUnlock(data);
    }
    if (!OpenClipboard(main_)) {
        GlobalFree(data);
        return;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, data)) GlobalFree(data);
    CloseClipboard();
}

void Win32Platform::showErrorMessage(const std::string& caption, const std::string& text) {
    MessageBoxW(main_, fromEngineText(text).c_str(), fromEngineText(caption).c_str(), MB_ICONERROR | MB_OK);
}

namespace {

constexpr wchar_t kTextFileFilter[] = L"Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0";

// What the Open and Save As dialogs share: the owner, the text-file filter and
// the name buffer of MAX_PATH characters.
OPENFILENAMEW textFileDialog(HWND owner, wchar_t* chosen) {
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kTextFileFilter;
    dialog.lpstrFile = chosen;
    dialog.nMaxFile = MAX_PATH;
    return dialog;
}

}  // namespace

std::filesystem::path Win32Platform::chooseFileToOpen() {
    wchar_t chosen[MAX_PATH] = L"";
    OPENFILENAMEW dialog = textFileDialog(main_, chosen);
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileNameW(&dialog)) return {};
    return std::filesystem::path(chosen);
}

std::filesystem::path Win32Platform::chooseFileToSave(const std::string& suggestedName) {
    wchar_t chosen[MAX_PATH] = L"";
    std::wstring suggested = fromEngineText(suggestedName);
    suggested.resize(std::min<std::size_t>(suggested.size(), MAX_PATH - 1));
    std::copy(suggested.begin(), suggested.end(), chosen);
    OPENFILENAMEW dialog = textFileDialog(main_, chosen);
    dialog.lpstrDefExt = L"txt";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&dialog)) return {};
    return std::filesystem::path(chosen);
}

void Win32Platform::runNumberFormatDialog() {
    if (logic_) molvane::runNumberFormatDialog(instance_, main_, *logic_);
}

void Win32Platform::runAboutDialog() { molvane::runAboutDialog(instance_, main_); }

// The help document is installed beside the program; its path is made from the
// program's own, never from the current folder.
void Win32Platform::showHelp() {
    std::wstring program(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()))) == program.size())
        program.resize(program.size() * 2);
    program.resize(length);
    std::filesystem::path help = std::filesystem::path(program).parent_path() / L"help" / L"molvane-help.html";
    std::error_code error;
    if (!std::filesystem::is_regular_file(help, error)) {
        showErrorMessage(kMessageCaption, fileFailureMessage(kHelpNotShownMessage, help, "The file is missing."));
        return;
    }
    auto opened =
        reinterpret_cast<INT_PTR>(ShellExecuteW(main_, L"open", help.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (opened <= 32) {
        showErrorMessage(kMessageCaption,
                         fileFailureMessage(kHelpNotShownMessage, help, "No program to show it could be started."));
    }
}

}  // namespace molvane
