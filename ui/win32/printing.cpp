// SPDX-License-Identifier: MIT
// Printing the history through the print dialog, and its preview: both draw
// the pages of the shared layout in a fixed-pitch font, tabs expanded.
#include "ui/win32/win32_platform.h"
// The common controls and dialogs need windows.h first.
#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <memory>

#include "ui/command_ids.h"
#include "ui/print_layout.h"
#include "ui/win32/wide_text.h"

namespace molvane {

namespace {

constexpr int kPrintPointSize = 10;
// The preview's paper: a page of the user's usual size at this resolution.
constexpr int kPreviewDotsPerInch = 100;
constexpr int kPreviewButtonsHeight = 32;

HFONT printFont(int dotsPerInchY) {
    return CreateFontW(-MulDiv(kPrintPointSize, dotsPerInchY, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FIXED_PITCH | FF_MODERN, L"Courier New");
}

int lineHeightOf(HDC context) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    return metrics.tmHeight + metrics.tmExternalLeading;
}

// `origin` is where the paper's corner lies in the context's coordinates.
void drawPage(HDC context, const PrintGeometry& geometry, POINT origin, const PrintedPage& page) {
    int top = origin.y + geometry.top;
    for (const std::string& line : page.lines) {
        std::wstring shown = fromEngineText(expandedTabs(line));
        TextOutW(context, origin.x + geometry.left, top, shown.c_str(), static_cast<int>(shown.size()));
        top += geometry.lineHeight;
    }
}

enum class PrintOutcome { Printed, Cancelled, Failed };

// Draws the pages on a printer.
PrintOutcome printPages(HDC printer, const std::string& documentName, const std::string& text, PageRange range,
                        int copies) {
    int dotsPerInchX = GetDeviceCaps(printer, LOGPIXELSX);
    int dotsPerInchY = GetDeviceCaps(printer, LOGPIXELSY);
    int paperHeight = GetDeviceCaps(printer, PHYSICALHEIGHT);
    if (paperHeight <= 0) paperHeight = GetDeviceCaps(printer, VERTRES);
    // The margins count from the paper's edge; the device's origin is the
    // corner of its printable area.
    POINT origin{-GetDeviceCaps(printer, PHYSICALOFFSETX), -GetDeviceCaps(printer, PHYSICALOFFSETY)};
    HFONT font = printFont(dotsPerInchY);
    HGDIOBJ previous = SelectObject(printer, font);
    PrintGeometry geometry = printGeometry(paperHeight, dotsPerInchX, dotsPerInchY, lineHeightOf(printer));
    std::vector<PrintedPage> pages = layOutPages(text, geometry.linesPerPage, range);
    // A printer that cannot make copies itself gets the document again.
    std::vector<PrintedPage> once = pages;
    for (int copy = 1; copy < copies; ++copy) pages.insert(pages.end(), once.begin(), once.end());
    std::wstring name = fromEngineText(documentName);
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = name.c_str();
    bool started = StartDocW(printer, &document) > 0;
    // Printing to a file asks for its name; giving none is no failure.
    bool cancelled = !started && GetLastError() == ERROR_CANCELLED;
    bool printed = started;
    for (std::size_t i = 0; printed && i < pages.size(); ++i) {
        printed = StartPage(printer) > 0;
        if (!printed) break;
        // Some drivers reset the context at each page.
        SelectObject(printer, font);
        SetBkMode(printer, TRANSPARENT);
        drawPage(printer, geometry, origin, pages[i]);
        printed = EndPage(printer) > 0;
    }
    if (printed) {
        printed = EndDoc(printer) > 0;
    } else if (started) {
        AbortDoc(printer);
    }
    SelectObject(printer, previous);
    DeleteObject(font);
    return printed ? PrintOutcome::Printed : cancelled ? PrintOutcome::Cancelled : PrintOutcome::Failed;
}

std::wstring printerName(HGLOBAL names) {
    std::wstring name;
    if (const auto* device = static_cast<const DEVNAMES*>(names ? GlobalLock(names) : nullptr)) {
        name = reinterpret_cast<const wchar_t*>(device) + device->wDeviceOffset;
        GlobalUnlock(names);
    }
    return name;
}

bool anyPrinter() {
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    return needed > 0;
}

struct Preview {
    std::string documentName;
    std::string text;
    SIZE paper{};
    PrintGeometry geometry;
    std::vector<PrintedPage> pages;
    int shown = 0;
};

// Letter where the user measures in inches, A4 elsewhere.
SIZE previewPaper() {
    wchar_t measure[2] = L"0";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IMEASURE, measure, 2);
    if (measure[0] == L'1') return {85 * kPreviewDotsPerInch / 10, 11 * kPreviewDotsPerInch};
    return {MulDiv(210, kPreviewDotsPerInch * 10, 254), MulDiv(297, kPreviewDotsPerInch * 10, 254)};
}

void showPreviewPage(HWND window, const Preview& preview) {
    std::wstring shown =
        L"Page " + std::to_wstring(preview.shown + 1) + L" of " + std::to_wstring(preview.pages.size());
    SetDlgItemTextW(window, PreviewPageLabel, shown.c_str());
    EnableWindow(GetDlgItem(window, PreviewPrevious), preview.shown > 0);
    EnableWindow(GetDlgItem(window, PreviewNext), preview.shown + 1 < static_cast<int>(preview.pages.size()));
    InvalidateRect(window, nullptr, TRUE);
}

// The paper scaled to fit below the buttons, its shape kept.
void paintPreview(HWND window, const Preview& preview, int buttonsHeight) {
    PAINTSTRUCT paint;
    HDC context = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    int margin = buttonsHeight / 4;
    int areaWidth = std::max(1L, client.right - 2 * margin);
    int areaHeight = std::max(1L, client.bottom - buttonsHeight - 2 * margin);
    int width = areaWidth;
    int height = MulDiv(width, preview.paper.cy, preview.paper.cx);
    if (height > areaHeight) {
        height = areaHeight;
        width = MulDiv(height, preview.paper.cx, preview.paper.cy);
    }
    RECT paper{(client.right - width) / 2, buttonsHeight + margin, 0, 0};
    paper.right = paper.left + width;
    paper.bottom = paper.top + height;
    FillRect(context, &client, GetSysColorBrush(COLOR_APPWORKSPACE));
    FillRect(context, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(context, &paper, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SaveDC(context);
    SetMapMode(context, MM_ISOTROPIC);
    SetWindowExtEx(context, preview.paper.cx, preview.paper.cy, nullptr);
    SetViewportExtEx(context, width, height, nullptr);
    SetViewportOrgEx(context, paper.left, paper.top, nullptr);
    HFONT font = printFont(kPreviewDotsPerInch);
    SelectObject(context, font);
    SetBkMode(context, TRANSPARENT);
    if (!preview.pages.empty())
        drawPage(context, preview.geometry, {0, 0}, preview.pages[static_cast<std::size_t>(preview.shown)]);
    RestoreDC(context, -1);
    DeleteObject(font);
    EndPaint(window, &paint);
}

}  // namespace

PlatformResult Win32Platform::printText(const std::string& documentName, const std::string& text, bool preview) {
    if (preview) {
        showPrintPreview(documentName, text);
        return {};
    }
    // With no printer the print dialog would open only to warn; the main
    // window's own box says why nothing can be printed.
    if (!anyPrinter()) return PlatformResult::failed(FailureReason::NoPrinter);
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = main_;
    dialog.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOSELECTION;
    dialog.nFromPage = 1;
    dialog.nToPage = 1;
    dialog.nMinPage = 1;
    dialog.nMaxPage = 0xFFFF;
    dialog.nCopies = 1;
    if (!PrintDlgW(&dialog)) {
        DWORD failure = CommDlgExtendedError();
        if (failure == 0) return PlatformResult::cancelled();
        return PlatformResult::failed(FailureReason::PrintDialogFailed, {}, failure);
    }
    PageRange range;
    if (dialog.Flags & PD_PAGENUMS) range = {dialog.nFromPage, std::max(dialog.nFromPage, dialog.nToPage)};
    std::wstring printer = printerName(dialog.hDevNames);
    PrintOutcome outcome = dialog.hDC
                               ? printPages(dialog.hDC, documentName, text, range, std::max<int>(1, dialog.nCopies))
                               : PrintOutcome::Failed;
    if (dialog.hDC) DeleteDC(dialog.hDC);
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    if (outcome == PrintOutcome::Failed)
        return PlatformResult::failed(FailureReason::PrinterNotStarted, std::filesystem::path(printer));
    return {};
}

void Win32Platform::showPrintPreview(const std::string& documentName, const std::string& text) {
    if (preview_) DestroyWindow(preview_);
    auto preview = std::make_unique<Preview>();
    preview->documentName = documentName;
    preview->text = text;
    preview->paper = previewPaper();
    HDC screen = GetDC(nullptr);
    HFONT font = printFont(kPreviewDotsPerInch);
    HGDIOBJ previous = SelectObject(screen, font);
    preview->geometry =
        printGeometry(preview->paper.cy, kPreviewDotsPerInch, kPreviewDotsPerInch, lineHeightOf(screen));
    SelectObject(screen, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    preview->pages = layOutPages(text, preview->geometry.linesPerPage, {});

    // As tall as the screen allows, beside the main window where there is room.
    RECT frame{};
    GetWindowRect(main_, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(main_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    int width = std::min<int>(scaled(520), work.right - work.left);
    int height = std::min<int>(scaled(720), work.bottom - work.top);
    int left = std::clamp<int>(frame.left, work.left, std::max<int>(work.left, work.right - width));
    int top = std::clamp<int>(frame.top, work.top, std::max<int>(work.top, work.bottom - height));
    preview_ = CreateWindowExW(0, kPreviewWindowClass, L"Print Preview", WS_OVERLAPPEDWINDOW, left, top, width, height,
                               main_, nullptr, instance_, this);
    if (!preview_) return;
    SetWindowLongPtrW(preview_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(preview.release()));
    const std::pair<const wchar_t*, int> buttons[] = {{L"&Previous", PreviewPrevious},
                                                      {L"&Next", PreviewNext},
                                                      {L"&Print...", PreviewPrint},
                                                      {L"&Close", PreviewClose}};
    int buttonLeft = 6;
    for (const auto& [caption, id] : buttons) {
        addChild(preview_, id, L"button", caption, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, scaled(buttonLeft),
                 scaled(4), scaled(76), scaled(24));
        buttonLeft += 80;
    }
    addChild(preview_, PreviewPageLabel, L"static", L"", WS_VISIBLE | SS_LEFT, 0, scaled(buttonLeft + 6), scaled(9),
             scaled(110), scaled(20));
    showPreviewPage(preview_, *reinterpret_cast<Preview*>(GetWindowLongPtrW(preview_, GWLP_USERDATA)));
    ShowWindow(preview_, SW_SHOWNORMAL);
}

LRESULT CALLBACK Win32Platform::previewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* creation = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetPropW(window, L"MolvanePlatform", creation->lpCreateParams);
    }
    auto* platform = static_cast<Win32Platform*>(GetPropW(window, L"MolvanePlatform"));
    auto* preview = reinterpret_cast<Preview*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_PAINT:
            if (!preview || !platform) break;
            paintPreview(window, *preview, platform->scaled(kPreviewButtonsHeight));
            return 0;
        case WM_SIZE: InvalidateRect(window, nullptr, TRUE); return 0;
        case WM_COMMAND:
            if (!preview) break;
            switch (LOWORD(wParam)) {
                case PreviewPrevious:
                case PreviewNext: {
                    int step = LOWORD(wParam) == PreviewNext ? 1 : -1;
                    int last = static_cast<int>(preview->pages.size()) - 1;
                    preview->shown = std::clamp(preview->shown + step, 0, std::max(0, last));
                    showPreviewPage(window, *preview);
                    return 0;
                }
                // The preview gives way to the print dialog, which prints the history.
                case PreviewPrint:
                    DestroyWindow(window);
                    if (platform) platform->dispatch(FilePrint, 0);
                    return 0;
                case PreviewClose: DestroyWindow(window); return 0;
                default: break;
            }
            break;
        case WM_NCDESTROY:
            delete preview;
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            RemovePropW(window, L"MolvanePlatform");
            if (platform && platform->preview_ == window) platform->preview_ = nullptr;
            break;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace molvane
