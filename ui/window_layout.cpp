// SPDX-License-Identifier: MIT
#include "ui/window_layout.h"

#include <algorithm>
#include <array>
#include <utility>

#include "ui/command_ids.h"
#include "ui/keypad.h"
#include "ui/line_ends.h"

namespace molvane {

namespace {

constexpr int kIndicatorCount = 7;
constexpr int kDisplayLineCount = 6;
// The frame, the indicators, the display lines, the recent tasks, the keys and "=".
constexpr std::size_t kControlCount = 1 + kIndicatorCount + kDisplayLineCount + 1 + kKeyCount + 1;

using enum TextAlignment;

ControlLayout control(int id, ControlKind kind, const char* caption, Rectangle96 place, FontRole font,
                      TextAlignment alignment, std::string name, const char* toolTip = "", bool shown = true) {
    return {id, kind, caption, place, font, shown, alignment, toolTip, std::move(name)};
}

ControlLayout indicator(int id, const char* caption, int x, const char* name, const char* toolTip = "") {
    return control(id, ControlKind::Indicator, caption, {x, 10, 25, 18}, FontRole::Indicator, Centre, name, toolTip);
}

// Function keys in the two top rows are shorter than the digit keys below.
ControlLayout key(int index) {
    int row = index / kKeyColumns;
    int column = index % kKeyColumns;
    bool functionRow = row < kFunctionKeyRows;
    Rectangle96 place{41 * column + 7, functionRow ? 24 * row + 166 : 35 * row + 152, 42, functionRow ? 25 : 36};
    // Keys with words on them (sin, MS, C) take the smaller font; the minus
    // sign a larger one, or it would be a dot.
    FontRole font = index == MinusKey                                     ? FontRole::Minus
                    : (functionRow || column == 0) && index != InverseKey ? FontRole::Key
                                                                          : FontRole::System;
    // A key without a tooltip has an empty view, which points nowhere.
    std::string_view toolTip = keyToolTip(index);
    return control(KeyFirst + index, ControlKind::Key, keyText(index).data(), place, font, Centre,
                   keyName(index, false), toolTip.empty() ? "" : toolTip.data(), index < EqualsKey);
}

std::array<ControlLayout, kControlCount> makeLayout() {
    std::array<ControlLayout, kControlCount> layout{};
    std::size_t next = 0;
    auto add = [&](ControlLayout made) { layout[next++] = std::move(made); };
    add(control(kDisplayFrame, ControlKind::DisplayFrame, "", {0, 0, 260, 135}, FontRole::System, Left, "Display"));
    for (int index = 0; index < kKeyCount; ++index) add(key(index));
    // The wide "=" covers the last two keys, which never show.
    add(control(EnterButton, ControlKind::EnterButton, "=", {171, 327, 83, 36}, FontRole::System, Centre, "Equals"));
    add(indicator(MemoryIndicator, "MEM", 115, "Memory", "Memory"));
    const char* modes[] = {"AUTO", "SCI", "FIX"};
    const char* modeNames[] = {"Number format: automatic", "Number format: scientific", "Number format: fixed"};
    const char* units[] = {"RAD", "DEG", "GRAD"};
    const char* unitNames[] = {"Angle unit: radians", "Angle unit: degrees", "Angle unit: grads"};
    for (int i = 0; i < 3; ++i) add(indicator(AutomaticIndicator + i, modes[i], 10 + 29 * i, modeNames[i]));
    for (int i = 0; i < 3; ++i) add(indicator(RadiansIndicator + i, units[i], 164 + 29 * i, unitNames[i]));
    for (int row = 0; row < 2; ++row) {
        bool upper = row == 0;
        add(control(UpperTaskLine + row, ControlKind::TaskLine, "", {12, 26 + 42 * row, 240, 18}, FontRole::Display,
                    Left, upper ? "Previous task" : "Task"));
        add(control(UpperResultLine + row, ControlKind::ResultLine, "", {40, 44 + 40 * row, 207, 20}, FontRole::System,
                    Right, upper ? "Previous answer" : "Answer"));
        add(control(FirstRootLabel + row, ControlKind::RootLabel, upper ? "x1 =" : "x2 =", {12, 44 + 40 * row, 30, 20},
                    FontRole::System, Left, upper ? "First root" : "Second root", "", false));
    }
    add(control(RecentTasksList, ControlKind::RecentTasks, "", {6, 106, 250, 22}, FontRole::Display, Left,
                "Task input"));
    return layout;
}

// Made once, at first use: the keys' captions come from the keypad's table.
const std::array<ControlLayout, kControlCount>& layout() {
    static const std::array<ControlLayout, kControlCount> table = makeLayout();
    return table;
}

constexpr WindowButton kHistoryButtons[] = {
    {4001, "&Save", FileSaveAs, "Save history"},
    {4002, "&Print", FilePrint, "Print history"},
    {4003, "&Copy", EditCopyHistory, "Copy history"},
    {4004, "&Hide", HideHistory, "Hide history"},
};

constexpr WindowButton kCompositionButtons[] = {
    {4101, "&Copy", CompositionCopy, "Copy composition"},
    {4102, "&Hide", HideComposition, "Hide composition"},
};

}  // namespace

RoleFont fontOf(FontRole role) {
    switch (role) {
        case FontRole::Minus: return {"San Serif", 20};
        case FontRole::Key: return {"San Serif", 12};
        case FontRole::Indicator: return {"San Serif", 8};
        case FontRole::Display: return {"Arial", 12};
        case FontRole::System: break;
    }
    return {nullptr, 0};
}

std::span<const ControlLayout> mainWindowLayout() { return layout(); }

const ControlLayout* controlLayoutOf(int id) {
    for (const ControlLayout& control : layout()) {
        if (control.id == id) return &control;
    }
    return nullptr;
}

std::string switchName(int id, bool on) {
    const ControlLayout* control = controlLayoutOf(id);
    if (control == nullptr) return {};
    return control->name + (on ? ", on" : ", off");
}

bool isOnDisplay(ControlKind kind) {
    switch (kind) {
        case ControlKind::DisplayFrame:
        case ControlKind::Indicator:
        case ControlKind::TaskLine:
        case ControlKind::ResultLine:
        case ControlKind::RootLabel: return true;
        default: return false;
    }
}

TextExtent textExtent(std::string_view text) {
    TextExtent extent;
    for (std::string_view line : splitLines(text)) {
        extent.columns = std::max(extent.columns, static_cast<int>(line.size()));
        ++extent.lines;
    }
    return extent;
}

std::span<const WindowButton> historyWindowButtons() { return kHistoryButtons; }

std::span<const WindowButton> compositionWindowButtons() { return kCompositionButtons; }

}  // namespace molvane
