// SPDX-License-Identifier: MIT
#include "ui/menu_table.h"

#include <array>
#include <string>
#include <string_view>

#include "engine/function_table.h"
#include "ui/command_ids.h"
#include "ui/insert_texts.h"

namespace molvane {

namespace {

using enum MenuEntryKind;

// An item without a text inserts a function's name: it shows the function's
// label, with the name in the shortcut column.
constexpr MenuEntry kMenuBar[] = {
    {PopupBegin, 0, "&File", false},
    {Item, FileNew, "&New\tCtrl + N", false},
    {Item, FileOpen, "&Open...\tCtrl + O", false},
    {Item, FileSaveAs, "&Save As...\tCtrl + S", false},
    {Separator, 0, "", false},
    {Item, FilePrint, "&Print...\tCtrl + P", false},
    {Item, FilePrintPreview, "Print Pre&view", false},
    {Separator, 0, "", false},
    {Item, FileExit, "E&xit", false},
    {PopupEnd, 0, "", false},

    {PopupBegin, 0, "&Edit", false},
    {Item, EditUndo, "&Undo\tCtrl + Z", false},
    {Separator, 0, "", false},
    {Item, EditCut, "Cu&t\tCtrl + X", false},
    {Item, EditCopy, "&Copy\tCtrl + C", false},
    {Item, EditPaste, "&Paste\tCtrl + V", false},
    {Item, EditDelete, "&Delete\tBackspace", false},
    {Separator, 0, "", false},
    {Item, EditCopyMaths, "Copy &Math Expression\tCtrl + E", false},
    {Item, EditCopyResult, "Copy &Result\tCtrl + R", false},
    {Item, EditCopyTask, "Copy &Task\tCtrl + T", false},
    {Separator, 0, "", false},
    {Item, EditSelectAll, "Select &All\tCtrl + A", false},
    {Item, EditEnclose, "&Enclose Expression\tCtrl + Y", false},
    {Separator, 0, "", false},
    {Item, EditClearInput, "Clear Input Line\tEsc", false},
    {Item, EditClearDisplay, "Clear Display\tCtrl + D", false},
    {Separator, 0, "", false},
    {Item, EditCopyHistory, "Copy &History", false},
    {Item, EditClearHistory, "Clear History", false},
    {PopupEnd, 0, "", false},

    {PopupBegin, 0, "&Insert", false},
    {PopupBegin, 0, "&Functions", false},
    {Item, 2285, "Factorial\t!", false},
    {Item, 2280, nullptr, false},
    {Item, 2279, nullptr, false},
    {Item, 2281, nullptr, false},
    {Item, 2274, nullptr, false},
    {Item, 2276, nullptr, false},
    {Item, 2275, nullptr, false},
    {Item, 2277, nullptr, false},
    {Item, 2278, nullptr, false},
    {Item, 2271, nullptr, false},
    {Item, 2272, nullptr, false},
    {Item, 2273, nullptr, false},
    {Separator, 0, "", false},
    {Item, 2282, nullptr, false},
    {Item, 2283, nullptr, false},
    {Item, 2284, nullptr, false},
    {Separator, 0, "", false},
    {Item, 2286, "Solve quadratic equation\tx^2+x", false},
    {PopupEnd, 0, "", false},
    {PopupBegin, 0, "...&Trigonometric", false},
    {Item, 2251, nullptr, false},
    {Item, 2252, nullptr, false},
    {Item, 2253, nullptr, false},
    {Item, 2254, nullptr, false},
    {Item, 2255, nullptr, false},
    {Item, 2256, nullptr, false},
    {Separator, 0, "", false},
    {Item, 2257, nullptr, false},
    {Item, 2258, nullptr, false},
    {Item, 2259, nullptr, false},
    {Item, 2260, nullptr, false},
    {Item, 2261, nullptr, false},
    {Item, 2262, nullptr, false},
    {PopupEnd, 0, "", false},
    {PopupBegin, 0, "...&Hyperbolic", false},
    {Item, 2263, nullptr, false},
    {Item, 2264, nullptr, false},
    {Item, 2265, nullptr, false},
    {Item, 2266, nullptr, false},
    {Separator, 0, "", false},
    {Item, 2267, nullptr, false},
    {Item, 2268, nullptr, false},
    {Item, 2269, nullptr, false},
    {Item, 2270, nullptr, false},
    {PopupEnd, 0, "", false},
    {PopupBegin, 0, "&Molecule Fragments", false},
    {Item, 2201, "H2O", false},
    {Item, 2202, "OH", false},
    {Item, 2203, "CN", false},
    {Item, 2204, "CH2", false},
    {Item, 2205, "CO3", false},
    {Separator, 0, "", false},
    {Item, 2206, "NO2", false},
    {Item, 2207, "NO3", false},
    {Item, 2208, "NH3", false},
    {Item, 2209, "NH4", false},
    {Separator, 0, "", false},
    {Item, 2210, "SO3", false},
    {Item, 2211, "SO4", false},
    {Item, 2212, "PO4", false},
    {Item, 2213, "CrO4", false},
    {Item, 2214, "Cr2O7", false},
    {PopupEnd, 0, "", false},
    {PopupBegin, 0, "&Constants", false},
    {Item, 2231, "Atomic mass unit\t1.6605402e-27 kg", false},
    {Item, 2232, "Avogadro constant\t6.0221367e23 1/mol", false},
    {Item, 2233, "Boltzmann constant\t1.380658e-23 J/K", false},
    {Item, 2234, "Electron mass\t9.1093897e-31 kg", false},
    {Item, 2235, "Electronvolt\t1.6021892e-19 J", false},
    {Item, 2236, "Elementary charge\t1.60217733e-19 C", false},
    {Item, 2237, "Permeability of vacuum\t12.566370614e-7 N/A2", false},
    {Item, 2238, "Permittivity of vacuum\t8.854187817e-12 F/m", false},
    {Item, 2239, "Planck constant\t6.6260755e-34 Js", false},
    {PopupEnd, 0, "", false},
    {Separator, 0, "", false},
    {Item, 2215, "Pi\t3.14159265358979", false},
    {Item, 2216, "e\t2.71828182845905", false},
    {Item, 2217, "F\t96485.309 C/mol", false},
    {Item, 2218, "R\t8.314510 J/molK", false},
    {Item, 2219, "p0\t101325 Pa", false},
    {Item, 2220, "t0\t-273.15 \u00B0C", false},
    {Item, 2221, "Vm\t0.0224141 m3/mol", false},
    {PopupEnd, 0, "", false},

    {PopupBegin, 0, "F&ormat", false},
    {Item, FormatRadians, "Angle Unit in &Radians\t#rad", true},
    {Item, FormatDegrees, "Angle Unit in &Degrees\t#deg", false},
    {Item, FormatGrads, "Angle Unit in &Grads\t#grad", false},
    {Separator, 0, "", false},
    {Item, FormatAutomatic, "&Automatic Mode\t#auto", true},
    {Item, FormatScientific, "&Scientific Mode\t#sci", false},
    {Item, FormatFixed, "&Fixed Mode\t#fix", false},
    {Separator, 0, "", false},
    {PopupBegin, 0, "&Decimal Places\t#dec", false},
    {Item, FormatDecimalsFirst, "0", false},
    {Item, FormatDecimalsFirst + 1, "1", false},
    {Item, FormatDecimalsFirst + 2, "2", false},
    {Item, FormatDecimalsFirst + 3, "3", false},
    {Item, FormatDecimalsFirst + 4, "4", false},
    {Item, FormatDecimalsFirst + 5, "5", false},
    {Item, FormatDecimalsFirst + 6, "6", false},
    {Item, FormatDecimalsFirst + 7, "7", false},
    {Item, FormatDecimalsFirst + 8, "8", false},
    {Item, FormatDecimalsFirst + 9, "9", false},
    {Item, FormatDecimalsFirst + 10, "10", false},
    {Item, FormatDecimalsFirst + 11, "11", false},
    {Item, FormatDecimalsFirst + 12, "12", false},
    {Item, FormatDecimalsFirst + 13, "13", false},
    {Item, FormatDecimalsFirst + 14, "14", false},
    {Item, FormatDecimalsLast, "15", false},
    {PopupEnd, 0, "", false},
    {Item, FormatDigitGrouping, "Use Digit Grouping\t#dig", false},
    {Item, FormatFunctionSeparator, "Use Function Separator\t#fun", true},
    {PopupBegin, 0, "Decimal Separator", false},
    {Item, FormatDot, "Dot (0.5)\t#dot", true},
    {Item, FormatComma, "Comma (0,5)\t#comma", false},
    {PopupEnd, 0, "", false},
    {Separator, 0, "", false},
    {Item, FormatSaveSettings, "Save Current Settings", false},
    {Item, FormatResetDefaults, "Reset to Defaults", false},
    {PopupEnd, 0, "", false},

    {PopupBegin, 0, "&View", false},
    {Item, ViewDisplayOnly, "Show Display Only\tF12", false},
    {Item, ViewAlwaysOnTop, "Always on &Top\tF11", false},
    {Separator, 0, "", false},
    {Item, ViewHistory, "View History...\tF9", false},
    {Item, ViewNumberFormat, "Number &Format...\tF10", false},
    {Separator, 0, "", false},
    {Item, ViewTaskNumbering, "Task Numbering", false},
    {Separator, 0, "", false},
    {Item, ViewZoomIn, "Zoom &In\tCtrl++", false},
    {Item, ViewZoomOut, "Zoom &Out\tCtrl+-", false},
    {Item, ViewActualSize, "&Actual Size\tCtrl+0", false},
    {Separator, 0, "", false},
    {Item, ViewComposition, "&Composition\tCtrl + K", false},
    {PopupEnd, 0, "", false},

    {PopupBegin, 0, "&Help", false},
    {Item, HelpTopics, "Help &Topics\tF1", false},
    {Item, HelpAbout, "&About Vanta\tSHIFT + F1", false},
    {PopupEnd, 0, "", false},
};

constexpr Accelerator kAccelerators[] = {
    {"Ctrl+A", EditSelectAll},  {"Ctrl+C", EditCopy},        {"Ctrl+D", EditClearDisplay}, {"Ctrl+E", EditCopyMaths},
    {"Ctrl+N", FileNew},        {"Ctrl+O", FileOpen},        {"Ctrl+P", FilePrint},        {"Ctrl+R", EditCopyResult},
    {"Ctrl+S", FileSaveAs},     {"Ctrl+T", EditCopyTask},    {"Ctrl+V", EditPaste},        {"Ctrl+X", EditCut},
    {"Ctrl+Y", EditEnclose},    {"Ctrl+Z", EditUndo},        {"F1", HelpTopics},           {"Shift+F1", HelpAbout},
    {"F6", KeyMemoryStore},     {"F7", KeyMemoryRecall},     {"F9", ViewHistory},          {"F10", ViewNumberFormat},
    {"F11", ViewAlwaysOnTop},   {"F12", ViewDisplayOnly},    {"Return", EnterButton},      {"Enter", EnterButton},
    {"Esc", EditClearInput},    {"Ctrl+K", ViewComposition}, {"Ctrl++", ViewZoomIn},       {"Ctrl+-", ViewZoomOut},
    {"Ctrl+0", ViewActualSize},
};

constexpr ToolbarButton kToolbar[] = {
    {ToolbarImage::Delete, EditDelete, "Delete (Backspace)"},
    {ToolbarImage::Undo, EditUndo, "Undo (CTRL+Z)"},
    {ToolbarImage::None, 0, ""},
    {ToolbarImage::Cut, EditCut, "Cut (CTRL+X)"},
    {ToolbarImage::Copy, EditCopy, "Copy (CTRL+C)"},
    {ToolbarImage::Paste, EditPaste, "Paste (CTRL+V)"},
    {ToolbarImage::None, 0, ""},
    {ToolbarImage::Save, FileSaveAs, "Save history (CTRL+S)"},
    {ToolbarImage::PrintPreview, ViewHistory, "View history (F9)"},
    {ToolbarImage::None, 0, ""},
    {ToolbarImage::Properties, ViewNumberFormat, "Number format (F10)"},
    {ToolbarImage::None, 0, ""},
    {ToolbarImage::Replace, ViewDisplayOnly, "Show display only (F12)"},
};

// The number settings and the view options are on or off; the other items act.
bool isCheckItem(int id) {
    return (id >= FormatAutomatic && id <= FormatFunctionSeparator) ||
           (id >= ViewDisplayOnly && id <= ViewTaskNumbering && id != ViewNumberFormat);
}

// The menu bar with the texts of the function items filled in, built in place
// once, so that each entry's text points into its own string.
class MenuBar {
public:
    MenuBar() {
        for (std::size_t i = 0; i < std::size(kMenuBar); ++i) {
            entries_[i] = kMenuBar[i];
            entries_[i].checkable = kMenuBar[i].kind == Item && isCheckItem(kMenuBar[i].id);
            if (kMenuBar[i].text != nullptr) continue;
            if (const FunctionRow* row = functionRowOf(insertedFunctionCode(kMenuBar[i].id))) {
                texts_[i] = row->menuLabel != nullptr ? row->menuLabel : "";
                texts_[i].append("\t").append(row->name);
            }
            entries_[i].text = texts_[i].c_str();
        }
    }
    std::span<const MenuEntry> entries() const { return entries_; }

private:
    std::array<MenuEntry, std::size(kMenuBar)> entries_{};
    std::array<std::string, std::size(kMenuBar)> texts_;
};

}  // namespace

std::span<const MenuEntry> menuBarEntries() {
    static const MenuBar menuBar;
    return menuBar.entries();
}

std::span<const Accelerator> acceleratorKeys() { return kAccelerators; }

const char* acceleratorOf(int id) {
    for (const Accelerator& accelerator : kAccelerators) {
        if (accelerator.id == id) return accelerator.keys;
    }
    return nullptr;
}

std::span<const ToolbarButton> toolbarButtons() { return kToolbar; }

}  // namespace molvane
