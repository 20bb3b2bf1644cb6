// SPDX-License-Identifier: MIT
#include "ui/win32/win32_platform.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "settings/config_location.h"
#include "ui/menu_table.h"
#include "ui/win32/dialogs.h"
#include "ui/win32/wide_text.h"
#include "ui/window_logic.h"

namespace molvane {

namespace {

constexpr const wchar_t* kMainWindowClass = L"myWindowClass";
constexpr DWORD kMainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kMainWindowExtendedStyle = WS_EX_STATICEDGE;

COLORREF colourRef(Colour colour) { return RGB(colour.red, colour.green, colour.blue); }

// The window class and style of a control of the layout.
struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD extendedStyle;
};

DWORD alignmentStyle(TextAlignment alignment) {
    switch (alignment) {
        case TextAlignment::Centre: return SS_CENTER;
        case TextAlignment::Right: return SS_RIGHT;
        case TextAlignment::Left: break;
    }
    return SS_LEFT;
}

// The display's texts are engine texts such as "2&3", shown as they are: no
// mnemonic prefix; they report clicks, which insert their text.
ControlClass controlClass(const ControlLayout& layout) {
    DWORD shown = layout.shown ? WS_VISIBLE : 0;
    DWORD text = shown | SS_NOPREFIX | alignmentStyle(layout.alignment);
    switch (layout.kind) {
        case ControlKind::DisplayFrame: return {L"static", shown | WS_THICKFRAME, WS_EX_CLIENTEDGE};
        case ControlKind::Indicator:
        case ControlKind::ResultLine: return {L"static", text | SS_NOTIFY, WS_EX_TRANSPARENT};
        case ControlKind::TaskLine: return {L"static", text | SS_NOTIFY | SS_ENDELLIPSIS, WS_EX_TRANSPARENT};
        case ControlKind::RootLabel: return {L"static", text, WS_EX_TRANSPARENT};
        case ControlKind::RecentTasks:
            return {L"combobox", shown | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_TABSTOP, 0};
        case ControlKind::Key:
            if (layout.id == KeyInverse) return {L"button", shown | WS_TABSTOP | BS_CHECKBOX | BS_PUSHLIKE, 0};
            break;
        case ControlKind::EnterButton: break;
    }
    return {L"button", shown | WS_TABSTOP | BS_PUSHBUTTON, 0};
}

// The zoom of the Qt program's fixed layout has no Windows counterpart yet:
// the system's own scaling enlarges the window.
bool isZoomCommand(int id) { return id >= ViewZoomIn && id <= ViewActualSize; }

// The menu flags are long constants; the calls take them unsigned.
UINT menuFlags(long how, long state) { return static_cast<UINT>(how | state); }

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
    stopAccessibility();
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
                      registerWindowClass(kTextWindowClass, compositionWindowProc) &&
                      registerWindowClass(kProgressWindowClass, progressWindowProc) &&
                      registerWindowClass(kPreviewWindowClass, previewWindowProc);
    if (!registered) {
        MessageBoxW(nullptr, L"Window Registration Failed!", L"Error!", MB_ICONWARNING | MB_OK);
        return false;
    }
    startAccessibility();
    buildMenu();
    CreateWindowExW(kMainWindowExtendedStyle, kMainWindowClass, L"Molvane", kMainWindowStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, windowWidth(), windowHeight(false), nullptr, menu_, instance_, this);
    if (!main_) {
        MessageBoxW(nullptr, L"Window Creation Failed!", L"Error!", MB_ICONWARNING | MB_OK);
        return false;
    }
    // The creation's size was reckoned before the window knew its resolution.
    int height = windowHeight(false);
    int width = windowWidth();
    SetWindowPos(main_, nullptr, GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2,
                 GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    history_ = CreateDialogParamW(instance_, MAKEINTRESOURCEW(kHistoryDialog), main_, historyDialogProc, 0);
    composition_ = createCompositionWindow();
    accelerators_ = LoadAcceleratorsW(instance_, MAKEINTRESOURCEW(kAcceleratorTable));
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

int Win32Platform::windowWidth() const {
    RECT wanted{0, 0, scaled(kClientWidth), 1};
    AdjustWindowRectEx(&wanted, kMainWindowStyle, TRUE, kMainWindowExtendedStyle);
    return wanted.right - wanted.left;
}

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

// The keys in the layout's order, the "=" button and the input line, round:
// the controls that take the focus and show it.
void Win32Platform::moveFocus(HWND from, bool backwards) {
    std::vector<HWND> stops;
    for (const ControlLayout& layout : mainWindowLayout()) {
        bool focusable = (layout.kind == ControlKind::Key && layout.shown) || layout.kind == ControlKind::EnterButton;
        if (focusable) stops.push_back(control(layout.id));
    }
    stops.push_back(inputLine_);
    if (from == recentTasks_) from = inputLine_;
    auto at = std::find(stops.begin(), stops.end(), from);
    std::size_t index = at == stops.end() ? stops.size() - 1 : static_cast<std::size_t>(at - stops.begin());
    index = (index + (backwards ? stops.size() - 1 : 1)) % stops.size();
    SetFocus(stops[index]);
}

// A key for the main window acts wherever the focus is inside it, and Tab
// walks its keypad, the "=" button and the input line; inside the Task
// History and Composition windows the keys are theirs: Tab and Esc move and
// hide as in a dialog, Ctrl+A selects their whole text, Ctrl+C copies it.
bool Win32Platform::routeMessage(MSG& message) {
    // An operation takes its messages itself until it ends, so one still
    // running here was cut short: Wine abandons a whole command when its text
    // drawing faults inside a control (a small tilde in the input line, for
    // one), and that run's progress would keep the windows disabled for good.
    if (progressRunning_) endProgress();
    for (HWND window : {history_, composition_}) {
        if (!window || (message.hwnd != window && !IsChild(window, message.hwnd))) continue;
        if (message.message == WM_KEYDOWN && message.wParam == 'A' && GetKeyState(VK_CONTROL) < 0) {
            SendMessageW(message.hwnd, EM_SETSEL, 0, -1);
            return true;
        }
        return IsDialogMessageW(window, &message) != 0;
    }
    bool inMain = main_ && (message.hwnd == main_ || IsChild(main_, message.hwnd));
    if (inMain && message.message == WM_KEYDOWN && message.wParam == VK_TAB) {
        moveFocus(message.hwnd, GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    return inMain && accelerators_ && TranslateAcceleratorW(main_, accelerators_, &message);
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
            if (!HIWORD(lParam)) refreshMenu(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), true);
            return 0;
        case WM_EXITMENULOOP: refreshMenu(GetSubMenu(menu_, EditPopup), EditPopup, false); return 0;
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
        // The display's controls and the input line sit on the display's grey;
        // the task lines are green and the indicators dark or greyed.
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT: {
            auto* context = reinterpret_cast<HDC>(wParam);
            auto* child = reinterpret_cast<HWND>(lParam);
            int id = GetDlgCtrlID(child);
            const ControlLayout* layout = controlLayoutOf(id);
            bool display = child == inputLine_ || (layout && (isOnDisplay(layout->kind) || id == RecentTasksList));
            if (!display) break;
            if (layout && layout->kind == ControlKind::TaskLine) SetTextColor(context, colourRef(kTaskGreen));
            if (layout && layout->kind == ControlKind::Indicator)
                SetTextColor(context, colourRef(activeIndicators_[id] ? kActiveIndicator : kInactiveIndicator));
            SetBkMode(context, TRANSPARENT);
            return reinterpret_cast<LRESULT>(displayBrush_);
        }
        // The toolbar spans the window, whatever its width.
        case WM_SIZE:
            if (toolbar_) SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
            return 0;
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

void Win32Platform::refreshMenu(HMENU popup, int position, bool opening) {
    if (!logic_ || !popup || GetSubMenu(menu_, position) != popup) return;
    for (const MenuItemState& item : logic_->menuItemStates(position, opening)) {
        auto id = static_cast<UINT>(item.id);
        EnableMenuItem(menu_, id, menuFlags(MF_BYCOMMAND, item.enabled ? MF_ENABLED : MF_GRAYED));
        CheckMenuItem(menu_, id, menuFlags(MF_BYCOMMAND, item.checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

// Where no face of the name exists, the family makes the font mapper pick the
// system's own: a sans-serif one, or one of fixed pitch.
HFONT Win32Platform::makeFont(const wchar_t* face, int pixels, DWORD pitchAndFamily) {
    return CreateFontW(-scaled(pixels), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitchAndFamily, face);
}

HWND Win32Platform::addChild(HWND parent, int id, const wchar_t* className, const wchar_t* text, DWORD style,
                             DWORD extendedStyle, int x, int y, int width, int height) {
    HWND child = CreateWindowExW(extendedStyle, className, text, WS_CHILD | style, x, y, width, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    // Controls without a font of their own take the desktop's message font.
    if (child && fonts_[kMessageFont])
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_[kMessageFont]), 0);
    return child;
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
        fonts_[kMessageFont] = CreateFontIndirectW(&metrics.lfMessageFont);
    for (FontRole role : {FontRole::Minus, FontRole::Key, FontRole::Indicator, FontRole::Display}) {
        RoleFont chosen = fontOf(role);
        fonts_[static_cast<int>(role)] =
            makeFont(fromUtf8(chosen.face).c_str(), chosen.pixels, FF_SWISS | DEFAULT_PITCH);
    }
    fonts_[kFixedFont] = makeFont(L"Courier New", 13, FF_MODERN | FIXED_PITCH);
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

// Moved to a screen of another resolution: the layout's pixels, the fonts and
// the toolbar's images are made again for it, and the window takes the place
// the system suggests.
void Win32Platform::changeResolution(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    HFONT old[kFontCount];
    std::copy(std::begin(fonts_), std::end(fonts_), old);
    createFonts();
    FontSwap swap{old, fonts_, std::size(old)};
    for (HWND window : {main_, history_, composition_, progress_, preview_}) {
        if (window) EnumChildWindows(window, swapFont, reinterpret_cast<LPARAM>(&swap));
    }
    for (HFONT font : old) {
        if (font) DeleteObject(font);
    }
    if (toolbar_) {
        loadToolbarImages();
        measureToolbar();
    }
    for (const PlacedControl& placed : placed_) {
        SetWindowPos(placed.window, nullptr, scaled(placed.place.x), toolbarHeight_ + scaled(placed.place.y),
                     scaled(placed.place.width), scaled(placed.extraHeight + placed.place.height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The frame is measured again at the new width, where the menu bar may wrap differently.
    SetWindowPos(main_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(main_, nullptr, 0, 0, windowWidth(), windowHeight(displayOnly_),
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
    displayBrush_ = CreateSolidBrush(colourRef(kDisplayGrey));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    createFonts();

    toolTips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, main_, nullptr, instance_, nullptr);
    if (toolTips_) SetWindowPos(toolTips_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The toolbar comes first: the fixed layout sits below its measured height.
    buildToolbar();
    for (const ControlLayout& layout : mainWindowLayout()) buildControl(layout);
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
    loadToolbarImages();
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
    measureToolbar();
}

// The system's standard images come 16 and 24 pixels wide: the larger ones
// once the screen has half as many dots per inch again.
void Win32Platform::loadToolbarImages() {
    bool large = scaled(16) >= 24;
    int size = large ? 24 : 16;
    HIMAGELIST images = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 15, 0);
    auto old =
        reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)));
    if (old) ImageList_Destroy(old);
    SendMessageW(toolbar_, TB_LOADIMAGES, large ? IDB_STD_LARGE_COLOR : IDB_STD_SMALL_COLOR,
                 reinterpret_cast<LPARAM>(HINST_COMMCTRL));
}

void Win32Platform::measureToolbar() {
    SendMessageW(toolbar_, TB_AUTOSIZE, 0, 0);
    RECT bar{};
    GetWindowRect(toolbar_, &bar);
    toolbarHeight_ = bar.bottom - bar.top;
}

// One control of the layout, below the toolbar, in the font of its role.
void Win32Platform::buildControl(const ControlLayout& layout) {
    ControlClass kind = controlClass(layout);
    // The recent tasks' height is the drop-down list's too.
    int extraHeight = layout.kind == ControlKind::RecentTasks ? kRecentTasksDropHeight : 0;
    HWND window = addChild(main_, layout.id, kind.name, fromEngineText(layout.caption).c_str(), kind.style,
                           kind.extendedStyle, scaled(layout.place.x), toolbarHeight_ + scaled(layout.place.y),
                           scaled(layout.place.width), scaled(layout.place.height + extraHeight));
    if (!window) return;
    placed_.push_back({window, layout.place, extraHeight});
    if (layout.kind == ControlKind::DisplayFrame) {
        EnableWindow(window, FALSE);
        return;
    }
    controls_[layout.id] = window;
    if (HFONT font = fonts_[static_cast<int>(layout.font)])
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    if (*layout.toolTip || layout.kind == ControlKind::TaskLine)
        addToolTip(window, toolTipTexts_[layout.id] = fromEngineText(layout.toolTip));
    if (layout.kind == ControlKind::RecentTasks) buildInputLine(window);
    setControlName(layout.id, layout.name);
    if (layout.id == LowerResultLine) markLiveRegion(window);
}

// The combobox's own edit is the input line, known by its id like every
// control; Up and Down there recall tasks rather than move through the list.
void Win32Platform::buildInputLine(HWND recentTasks) {
    recentTasks_ = recentTasks;
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    if (GetComboBoxInfo(recentTasks_, &parts)) inputLine_ = parts.hwndItem;
    if (!inputLine_) inputLine_ = GetWindow(recentTasks_, GW_CHILD);
    SetWindowLongPtrW(inputLine_, GWLP_ID, InputLine);
    controls_[InputLine] = inputLine_;
    // The history can hold long tasks: no limit but memory.
    SendMessageW(inputLine_, EM_SETLIMITTEXT, 0, 0);
    SetWindowSubclass(inputLine_, inputLineProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

// Up and Down without a modifier, while the list is closed; Alt+Down still
// opens it, and inside the open list they move through it.
LRESULT CALLBACK Win32Platform::inputLineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR data) {
    auto* platform = reinterpret_cast<Win32Platform*>(data);
    bool arrow = message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN);
    if (arrow && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0 &&
        !SendMessageW(platform->recentTasks_, CB_GETDROPPEDSTATE, 0, 0)) {
        platform->dispatch(wParam == VK_UP ? RecallOlder : RecallNewer, 0);
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(window, inputLineProc, 0);
    return DefSubclassProc(window, message, wParam, lParam);
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

WindowFrame Win32Platform::workArea() const {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoW(MonitorFromWindow(main_, MONITOR_DEFAULTTOPRIMARY), &monitor)) area = monitor.rcWork;
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
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

// The history shows beside the main window, as tall, and the keys stay with
// the input line. A window manager may offer the new window the keys once it
// has mapped it, after this call: the window refuses them until that has
// passed, and takes them again when clicked.
void Win32Platform::showHistoryWindow(int left, int top) {
    RECT frame{};
    GetWindowRect(main_, &frame);
    SetWindowLongPtrW(history_, GWL_EXSTYLE, GetWindowLongPtrW(history_, GWL_EXSTYLE) | WS_EX_NOACTIVATE);
    SetWindowPos(history_, nullptr, left, top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetTimer(history_, kActivatableTimer, kWindowManagerSettleMs, nullptr);
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
    SetWindowPos(composition_, HWND_TOP, left, top, frame.right - frame.left, scaled(kCompositionHeight),
                 SWP_SHOWWINDOW);
}

void Win32Platform::hideCompositionWindow() { ShowWindow(composition_, SW_HIDE); }

void Win32Platform::setCompositionText(const std::string& text) {
    SetWindowTextW(GetDlgItem(composition_, kCompositionText), withWindowsLineEnds(fromEngineText(text)).c_str());
    fitCompositionWindow(textExtent(text));
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
    if (logic_) molvane::runNumberFormatDialog(instance_, main_, *this, *logic_);
}

void Win32Platform::runAboutDialog() { molvane::runAboutDialog(instance_, main_); }

// The help document is installed beside the program; its path is made from the
// program's own, never from the current folder.
PlatformResult Win32Platform::showHelp() {
    std::filesystem::path folder = programFolder();
    std::filesystem::path help = folder / L"help" / L"molvane-help.html";
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_regular_file(help, error))
        return PlatformResult::failed(FailureReason::FileMissing, help);
    auto opened =
        reinterpret_cast<INT_PTR>(ShellExecuteW(main_, L"open", help.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (opened <= 32) return PlatformResult::failed(FailureReason::NoViewer, help);
    return {};
}

}  // namespace molvane
