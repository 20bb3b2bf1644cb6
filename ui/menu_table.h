// SPDX-License-Identifier: MIT
// The menu bar, the accelerator keys and the toolbar, as data.
//
// Texts are UTF-8 (the menus' own, not engine texts). A tab separates an item's
// text from its shortcut column; '&' marks the mnemonic.
#pragma once

#include <span>

namespace molvane {

enum class MenuEntryKind {
    PopupBegin,  // a popup or submenu with `text`; entries up to its PopupEnd belong to it
    PopupEnd,
    Item,
    Separator,
};

struct MenuEntry {
    MenuEntryKind kind;
    int id;
    const char* text;
    bool checked;            // a check mark at start
    bool checkable = false;  // the item shows a check mark or none: a setting or a view option
};

std::span<const MenuEntry> menuBarEntries();

// A key and the command it runs wherever the focus is in the main window.
// Keys are written as a toolkit reads them ("Ctrl+A", "Shift+F1", "Esc").
struct Accelerator {
    const char* keys;
    int id;
};

std::span<const Accelerator> acceleratorKeys();

// The accelerator of command `id`, or nullptr.
const char* acceleratorOf(int id);

enum class ToolbarImage { None, Delete, Undo, Cut, Copy, Paste, Save, PrintPreview, Properties, Replace };

struct ToolbarButton {
    ToolbarImage image;  // None: a separator
    int id;
    const char* toolTip;
};

std::span<const ToolbarButton> toolbarButtons();

}  // namespace molvane
