// SPDX-License-Identifier: MIT
// The main window's layout, which every toolkit builds by one loop: each
// control lies inside the client area, no two of those the user clicks
// overlap, and every id names one control.
#include "ui/window_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "ui/colour_contrast.h"
#include "ui/command_ids.h"

using namespace molvane;

namespace {

// Neighbouring keys share their one-pixel border, as push buttons in a grid do.
bool overlap(const Rectangle96& a, const Rectangle96& b) {
    return a.x < b.right() - 1 && b.x < a.right() - 1 && a.y < b.bottom() - 1 && b.y < a.bottom() - 1;
}

bool inside(const Rectangle96& inner, const Rectangle96& outer) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.right() <= outer.right() &&
           inner.bottom() <= outer.bottom();
}

TEST(WindowLayoutTest, ControlsFitTheClientAreaWithoutOverlapping) {
    const Rectangle96 client{0, 0, kClientWidth, kClientHeight};
    const Rectangle96 frame = controlLayoutOf(kDisplayFrame)->place;
    std::set<int> ids;
    int keysShown = 0;
    for (const ControlLayout& control : mainWindowLayout()) {
        SCOPED_TRACE("control " + std::to_string(control.id));
        EXPECT_TRUE(ids.insert(control.id).second) << "the id names one control";
        EXPECT_TRUE(inside(control.place, client));
        EXPECT_NE(control.caption, nullptr);
        EXPECT_NE(control.toolTip, nullptr);
        // The display's texts lie on its grey; the indicators and lines overlap
        // there by a pixel or two, as they may: they take clicks on their text.
        if (isOnDisplay(control.kind)) {
            EXPECT_TRUE(inside(control.place, frame));
            continue;
        }
        // The input line sits on the grey too, above the cut of Show Display Only.
        if (control.kind == ControlKind::RecentTasks) {
            EXPECT_TRUE(inside(control.place, frame));
            EXPECT_LE(control.place.bottom(), kDisplayOnlyHeight);
        } else {
            EXPECT_FALSE(overlap(control.place, frame));
        }
        keysShown += control.kind == ControlKind::Key && control.shown;
        for (const ControlLayout& other : mainWindowLayout()) {
            if (&other == &control || other.id == kDisplayFrame || !other.shown || !control.shown) continue;
            EXPECT_FALSE(overlap(control.place, other.place)) << "and control " << other.id;
        }
    }
    EXPECT_EQ(keysShown, 34) << "the wide = takes the place of the last two keys";
    EXPECT_TRUE(overlap(controlLayoutOf(KeyLast)->place, controlLayoutOf(EnterButton)->place));
}

// A screen reader tells the controls of one window apart by their names.
TEST(WindowLayoutTest, EveryControlHasItsOwnName) {
    std::set<std::string> names;
    for (const ControlLayout& control : mainWindowLayout()) {
        EXPECT_FALSE(control.name.empty()) << control.id;
        EXPECT_TRUE(names.insert(control.name).second) << control.name;
    }
    for (auto buttons : {historyWindowButtons(), compositionWindowButtons()}) {
        for (const WindowButton& button : buttons) EXPECT_TRUE(names.insert(button.name).second) << button.name;
    }
    EXPECT_EQ(controlLayoutOf(KeyFirst + 16)->name, "Power") << "a symbol's name is in words";
}

// The desktop's link colour where it reads on the window, ours where it does not.
TEST(WindowLayoutTest, LinksAndTablesAsShown) {
    const Colour white{255, 255, 255}, dark{45, 45, 48}, system{0, 102, 204};
    const std::tuple<Colour, Colour, Colour> links[] = {
        {system, white, system}, {{9, 9, 212}, dark, kLightLinkBlue}, {{255, 255, 0}, white, kLinkBlue}};
    for (const auto& [desktop, window, shown] : links) EXPECT_EQ(linkColour(desktop, window), shown);
    EXPECT_EQ(readableColour({128, 128, 128}, {{100, 100, 100}, white}), white) << "none reads: the best";
    EXPECT_NEAR(contrast(white, {0, 0, 0}), 21, 1e-9);
    EXPECT_NEAR(contrast({9, 9, 9}, {0, 0, 0}), 1.0546, 1e-4) << "a dark channel is linear";
    TextExtent table = textExtent("ab\r\ncde\r\n");
    EXPECT_EQ(std::pair(table.columns, table.lines), std::pair(3, 3)) << "the empty line after the last line end";
}

}  // namespace
