// SPDX-License-Identifier: MIT
#include "ui/about_texts.h"
#include "ui/web_site.h"
#include "ui/win32/dialogs.h"
#include "ui/win32/wide_text.h"

namespace molvane {

namespace {

// Esc and the close box arrive as Cancel; every ending gives the same result.
INT_PTR CALLBACK aboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: setAboutTexts(dialog); return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
            return TRUE;
        default: return FALSE;
    }
}

}  // namespace

void setAboutTexts(HWND dialog) {
    const std::pair<int, const char*> texts[] = {
        {ProductText, kProductLine},
        {EditionText, kEditionLine},
        {ReleaseText, kReleaseDate},
        {WebSiteText, kWebSiteAddress},
        {DescriptionText, kDescriptionLines[0]},
        {DescriptionText + 1, kDescriptionLines[1]},
        {DescriptionText + 2, kDescriptionLines[2]},
        {NoticeText, kDistributionNotice},
        {RightsText, kRightsNotice},
    };
    for (const auto& [id, text] : texts) {
        if (HWND shown = GetDlgItem(dialog, id)) SetWindowTextW(shown, fromUtf8(text).c_str());
    }
}

void runAboutDialog(HINSTANCE instance, HWND owner) {
    DialogBoxParamW(instance, MAKEINTRESOURCEW(kAboutDialog), owner, aboutProc, 0);
}

}  // namespace molvane
