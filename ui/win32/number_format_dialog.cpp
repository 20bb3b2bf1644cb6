// SPDX-License-Identifier: MIT
#include <optional>
#include <string>

#include "ui/number_format.h"
#include "ui/win32/dialogs.h"
#include "ui/win32/wide_text.h"
#include "ui/window_logic.h"

namespace molvane {

namespace {

enum NumberFormatControl {
    AutomaticChoice = 3010,
    FixedChoice = 3012,
    RadiansChoice = 3020,
    GradsChoice = 3022,
    PlacesEdit = 3031,
    PlacesArrows = 3032,
    GroupingBox = 3033,
    PlacesLabel = 3034,
};

// Typing and the arrows read the places from the edit's first 61 characters.
constexpr int kPlacesTextLength = 61;

struct NumberFormatSession {
    const Platform& platform;
    WindowLogic& logic;
    std::optional<NumberFormatChoices> choices;
    // Off while the dialog fills its controls, so that showing the opening
    // values applies nothing.
    bool ready = false;
};

std::string placesText(HWND dialog) {
    wchar_t text[kPlacesTextLength + 1] = L"";
    GetDlgItemTextW(dialog, PlacesEdit, text, kPlacesTextLength + 1);
    return toEngineText(text);
}

void showMode(HWND dialog, const NumberFormatChoices& choices) {
    CheckRadioButton(dialog, AutomaticChoice, FixedChoice, AutomaticChoice + choices.numberMode());
    for (int id : {PlacesEdit, PlacesArrows, PlacesLabel})
        EnableWindow(GetDlgItem(dialog, id), choices.placesEnabled());
}

// The dialog sits beside the main window on the side with room, as the Task
// History window does.
void placeBesideOwner(HWND dialog, const Platform& platform) {
    WindowFrame owner = platform.mainWindowFrame();
    SetWindowPos(dialog, nullptr, dockedWindowLeft(owner, platform.screenRight()), owner.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}

void initialise(HWND dialog, NumberFormatSession& session) {
    NumberFormatChoices& choices = session.choices.emplace(session.logic);
    placeBesideOwner(dialog, session.platform);
    setAboutTexts(dialog);
    showMode(dialog, choices);
    CheckRadioButton(dialog, RadiansChoice, GradsChoice, RadiansChoice + choices.angleUnit());
    SetDlgItemTextW(dialog, PlacesEdit, std::to_wstring(choices.decimals()).c_str());
    CheckDlgButton(dialog, GroupingBox, choices.digitGrouping() ? BST_CHECKED : BST_UNCHECKED);
    SetFocus(GetDlgItem(dialog, IDOK));
    session.ready = true;
}

bool command(HWND dialog, NumberFormatSession& session, int id, int notification) {
    NumberFormatChoices& choices = *session.choices;
    if (id == IDOK || id == IDCANCEL) {
        if (id == IDCANCEL) choices.cancel();
        EndDialog(dialog, id == IDOK ? 1 : 0);
        return true;
    }
    if (id >= AutomaticChoice && id <= FixedChoice) {
        choices.chooseNumberMode(id - AutomaticChoice);
        showMode(dialog, choices);
        return true;
    }
    if (id >= RadiansChoice && id <= GradsChoice) {
        choices.chooseAngleUnit(id - RadiansChoice);
        CheckRadioButton(dialog, RadiansChoice, GradsChoice, id);
        return true;
    }
    if (id == PlacesEdit && notification == EN_CHANGE && session.ready) choices.typeDecimals(placesText(dialog));
    if (id == GroupingBox && session.ready) {
        choices.setDigitGrouping(IsDlgButtonChecked(dialog, GroupingBox) == BST_CHECKED);
        return true;
    }
    return false;
}

// The new text applies itself through the edit's change notification.
void step(HWND dialog, int scrollCode) {
    int direction = scrollCode == SB_LINEUP ? 1 : scrollCode == SB_LINEDOWN ? -1 : 0;
    int places = steppedDecimals(placesText(dialog), direction);
    SetDlgItemTextW(dialog, PlacesEdit, std::to_wstring(places).c_str());
}

INT_PTR CALLBACK numberFormatProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        initialise(dialog, *reinterpret_cast<NumberFormatSession*>(lParam));
        return FALSE;
    }
    auto* session = reinterpret_cast<NumberFormatSession*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!session || !session->choices) return FALSE;
    switch (message) {
        case WM_COMMAND: return command(dialog, *session, LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        case WM_VSCROLL: step(dialog, LOWORD(wParam)); return TRUE;
        default: return FALSE;
    }
}

}  // namespace

void runNumberFormatDialog(HINSTANCE instance, HWND owner, const Platform& platform, WindowLogic& logic) {
    NumberFormatSession session{platform, logic, std::nullopt};
    DialogBoxParamW(instance, MAKEINTRESOURCEW(kNumberFormatDialog), owner, numberFormatProc,
                    reinterpret_cast<LPARAM>(&session));
}

}  // namespace molvane
