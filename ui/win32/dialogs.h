// SPDX-License-Identifier: MIT
// The modal dialogs of the Windows program, from the templates in its resources.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace molvane {

class Platform;
class WindowLogic;

// The dialog templates in the resources.
constexpr int kAboutDialog = 601;
constexpr int kNumberFormatDialog = 3000;

// The rights and distribution notices, in the About box and the Number Format
// dialog alike, and the rest of the About box's texts.
enum AboutText {
    ProductText = 610,
    EditionText,
    ReleaseText,
    WebSiteText,
    DescriptionText,
    NoticeText = 617,
    RightsText
};

// Fills whichever of the About texts `dialog` has.
void setAboutTexts(HWND dialog);

// The Number Format dialog beside the main window `owner` of `platform`:
// every change shows at once on the main window through the logic's own
// commands; Cancel puts back the opening values.
void runNumberFormatDialog(HINSTANCE instance, HWND owner, const Platform& platform, WindowLogic& logic);

// The About box; OK, Cancel, Esc and the close box all end it.
void runAboutDialog(HINSTANCE instance, HWND owner);

}  // namespace molvane
