// SPDX-License-Identifier: MIT
// The main window of the Windows program and the platform calls of the window
// logic, carried out on its controls through the wide Windows API.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "ui/platform.h"
#include "ui/window_layout.h"

struct IAccPropServices;

namespace molvane {

class WindowLogic;

// The accelerator table of the main window in the resources.
constexpr int kAcceleratorTable = 201;
// The program's icon in the resources.
constexpr int kProgramIcon = 501;
// The controls of the Task History window beside its buttons: the web site's
// link and the history text; the text of the Composition window.
constexpr int kHistoryLink = 701;
constexpr int kHistoryText = 4005;
constexpr int kCompositionText = 4105;
// The classes of the program's own windows beside the main window.
constexpr const wchar_t* kTextWindowClass = L"MolvaneTextWindow";
constexpr const wchar_t* kProgressWindowClass = L"MolvaneProgress";
constexpr const wchar_t* kPreviewWindowClass = L"MolvanePrintPreview";
// The Task History window's dialog template in the resources.
constexpr int kHistoryDialog = 4000;
// The Composition window's height when it opens, and at least, at 96 dots per inch.
constexpr int kCompositionHeight = 240;
// A window manager offers a newly shown window the keys within this long; the
// timer that makes the history window take them again after that.
constexpr UINT kWindowManagerSettleMs = 500;
constexpr UINT_PTR kActivatableTimer = 1;
// The controls of the print preview: its buttons and the page it shows.
enum PreviewControl { PreviewPrevious = 101, PreviewNext, PreviewPrint, PreviewClose, PreviewPageLabel };

class Win32Platform : public Platform {
public:
    explicit Win32Platform(HINSTANCE instance);
    ~Win32Platform() override;
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    // Registers the window classes and creates the main window with every
    // control, centred on the screen, and the hidden history window. A failure
    // has been told to the user when this returns false.
    bool create();
    void attach(WindowLogic* logic) { logic_ = logic; }

    HWND mainWindow() const { return main_; }
    HWND historyWindow() const { return history_; }
    HWND progressWindow() const { return progress_; }
    HWND previewWindow() const { return preview_; }
    HWND compositionWindow() const { return composition_; }
    // Takes a message of the message loop where it belongs first: the main
    // window's shortcut keys, or a secondary window's own keys. True when it
    // has been handled; otherwise the loop translates and dispatches it.
    bool routeMessage(MSG& message);
    // The window of a control by its command id, or null.
    HWND control(int id) const;

    void setControlText(int id, const std::string& text) override;
    std::string controlText(int id) const override;
    void setToolTip(int id, const std::string& text) override;
    void setControlVisible(int id, bool visible) override;
    void setKeyChecked(int id, bool checked) override;
    void setIndicatorActive(int id, bool active) override;
    void setControlName(int id, const std::string& name) override;
    void announce(const std::string& text) override;
    // The name a screen reader is given for the control.
    std::wstring controlName(int id) const;

    std::string inputText() const override;
    void setInputText(const std::string& text) override;
    TextSelection inputSelection() const override;
    void setInputSelection(int start, int end) override;
    void replaceInputSelection(const std::string& text) override;
    void clearInputSelection() override;
    void undoInput() override;
    bool inputCanUndo() const override;
    void focusInputLine() override;

    void insertRecentTask(const std::string& task) override;
    void clearRecentTasks() override;
    std::string selectedRecentTask() const override;

    void setDisplayOnly(bool displayOnly) override;
    void setAlwaysOnTop(bool onTop) override;
    WindowFrame mainWindowFrame() const override;
    int screenRight() const override;
    void closeMainWindow() override;

    bool historyWindowVisible() const override;
    void showHistoryWindow(int left, int top) override;
    void hideHistoryWindow() override;
    void setHistoryText(const std::string& text) override;
    void appendHistoryText(const std::string& text) override;
    std::string historyText() const override;

    bool compositionWindowVisible() const override;
    void showCompositionWindow(int left, int top) override;
    void hideCompositionWindow() override;
    void setCompositionText(const std::string& text) override;

    std::string clipboardText() const override;
    bool clipboardHasText() const override;
    void setClipboardText(const std::string& text) override;

    void showErrorMessage(const std::string& caption, const std::string& text) override;

    std::filesystem::path chooseFileToOpen() override;
    std::filesystem::path chooseFileToSave(const std::string& suggestedName) override;
    PlatformResult printText(const std::string& documentName, const std::string& text, bool preview) override;
    void runNumberFormatDialog() override;
    void runAboutDialog() override;
    PlatformResult showHelp() override;

    void beginProgress(const std::string& label, int total) override;
    bool reportProgress(int done) override;
    void endProgress() override;

    // How long a long operation runs before its progress shows, in milliseconds.
    ULONGLONG progressDelay = kProgressDelayMs;

private:
    // The fonts by FontRole, the system's message font first, then the
    // fixed-pitch font of the Composition window's table.
    static constexpr int kMessageFont = static_cast<int>(FontRole::System);
    static constexpr int kFixedFont = static_cast<int>(FontRole::Display) + 1;
    static constexpr int kFontCount = kFixedFont + 1;

    static LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK compositionWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK historyDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK progressWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK previewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK inputLineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR data);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void buildControls();
    void moveFocus(HWND from, bool backwards);
    void startAccessibility();
    void stopAccessibility();
    void markLiveRegion(HWND window);
    void createFonts();
    void changeResolution(int dpi, const RECT& suggested);
    void buildControl(const ControlLayout& layout);
    void buildInputLine(HWND recentTasks);
    void buildToolbar();
    void loadToolbarImages();
    void measureToolbar();
    void buildMenu();
    HWND createCompositionWindow();
    void fitCompositionWindow(TextExtent extent);
    // The part of the main window's screen that windows may take, without the taskbar.
    WindowFrame workArea() const;
    // A window class of the program, with its icon; registering it again is no failure.
    bool registerWindowClass(const wchar_t* name, WNDPROC procedure) const;
    // A child window in the desktop's message font, placed in pixels.
    HWND addChild(HWND parent, int id, const wchar_t* className, const wchar_t* text, DWORD style, DWORD extendedStyle,
                  int x, int y, int width, int height);
    HFONT makeFont(const wchar_t* face, int pixels, DWORD pitchAndFamily);
    void addToolTip(HWND control, const std::wstring& text);
    void dispatch(int id, int notification);
    void refreshMenu(HMENU popup, int position, bool opening);
    void showProgressWindow();
    void showPrintPreview(const std::string& documentName, const std::string& text);
    int scaled(int pixels) const;
    int windowWidth() const;
    int windowHeight(bool displayOnly) const;

    HINSTANCE instance_;
    HWND main_ = nullptr;
    HWND history_ = nullptr;
    HWND composition_ = nullptr;
    HWND progress_ = nullptr;
    HWND preview_ = nullptr;
    HWND toolTips_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND recentTasks_ = nullptr;
    HWND inputLine_ = nullptr;
    HMENU menu_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HBRUSH displayBrush_ = nullptr;
    std::map<int, HWND> controls_;
    // Every control of the main window where the layout puts it at 96 dots
    // per inch, below the toolbar; a drop-down list is taller by its list.
    struct PlacedControl {
        HWND window;
        Rectangle96 place;
        int extraHeight;
    };
    std::vector<PlacedControl> placed_;
    std::map<int, bool> activeIndicators_;
    std::map<int, std::wstring> toolTipTexts_;
    std::map<int, std::wstring> controlNames_;
    IAccPropServices* accessibleProperties_ = nullptr;
    bool comStarted_ = false;
    HFONT fonts_[kFontCount] = {};
    int dpi_ = 96;
    int toolbarHeight_ = 0;
    bool displayOnly_ = false;
    std::wstring progressLabel_;
    int progressTotal_ = 0;
    ULONGLONG progressStarted_ = 0;
    ULONGLONG lastProgressUpdate_ = 0;
    bool progressCancelled_ = false;
    // From beginProgress to endProgress: the operation has not come back yet.
    bool progressRunning_ = false;
    WindowLogic* logic_ = nullptr;
};

}  // namespace molvane
