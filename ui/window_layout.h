// SPDX-License-Identifier: MIT
// What the windows look like, as data: every toolkit builds the main window by
// one loop over this table and scales it by its own resolution or zoom, so the
// programs cannot drift apart in what the user sees.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace molvane {

// The main window's client area below the menu bar and the toolbar, in pixels
// at 96 dots per inch: full, and cut just below the input line for Show
// Display Only, which leaves the display and the input line in view.
constexpr int kClientWidth = 261;
constexpr int kClientHeight = 370;
constexpr int kDisplayOnlyHeight = 136;
// The recent-tasks list drops down this far below its edit.
constexpr int kRecentTasksDropHeight = 200;

// The id of the display frame, which no command names.
constexpr int kDisplayFrame = -1;

enum class ControlKind {
    DisplayFrame,  // the sunken grey panel behind the display
    Indicator,     // MEM, AUTO, SCI, FIX, RAD, DEG, GRAD: dark when active, grey otherwise
    TaskLine,      // a task as entered, green, ending in "..." when too long
    ResultLine,    // an answer
    RootLabel,     // "x1 =" or "x2 =", shown beside the roots of a quadratic
    RecentTasks,   // the input line with its drop-down list of recent tasks
    Key,           // a keypad key; the inverse key stays pressed while inverse mode is on
    EnterButton,   // the wide "=" button that runs the task
};

// The fonts of the main window. "San Serif" is asked for by name; where no
// such face exists the toolkit picks its own sans-serif face.
enum class FontRole { System, Minus, Key, Indicator, Display };

struct RoleFont {
    const char* face;  // nullptr for the toolkit's own font
    int pixels;        // the character height at 96 dots per inch
};

RoleFont fontOf(FontRole role);

enum class TextAlignment { Left, Centre, Right };

struct Rectangle96 {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
};

struct ControlLayout {
    int id;
    ControlKind kind;
    const char* caption;  // the text at start, an engine text
    Rectangle96 place;
    FontRole font;
    bool shown;
    TextAlignment alignment;
    const char* toolTip;  // "" for none
    // What a screen reader calls the control, in words where the caption is
    // a symbol ("Power" for "^"); an indicator and the inverse key add ", on"
    // or ", off", and the keys take other names in inverse mode (keyName).
    std::string name;
};

// Every control of the main window in the order it is made: the display
// frame first, so that the display's texts lie above it.
std::span<const ControlLayout> mainWindowLayout();

// The layout of control `id`, or nullptr.
const ControlLayout* controlLayoutOf(int id);

// The name of an indicator or of the inverse key as it shows now.
std::string switchName(int id, bool on);

// True for the controls that sit on the display's grey.
bool isOnDisplay(ControlKind kind);

struct Colour {
    std::uint8_t red, green, blue;
    friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour kDisplayGrey{232, 232, 232};
inline constexpr Colour kTaskGreen{0, 128, 0};
inline constexpr Colour kActiveIndicator{1, 1, 1};
inline constexpr Colour kInactiveIndicator{192, 192, 192};
inline constexpr Colour kLinkBlue{0, 0, 255};
inline constexpr Colour kLightLinkBlue{138, 180, 248};  // for dark windows

// A button of a secondary window and the main-window command it runs.
struct WindowButton {
    int id;  // the button's own control id
    const char* caption;
    int command;
    const char* name;  // for a screen reader: the caption says it within its window only
};

// Save, Print, Copy and Hide under the Task History window's text.
std::span<const WindowButton> historyWindowButtons();
// Copy and Hide under the Composition window's table.
std::span<const WindowButton> compositionWindowButtons();

// The size of a text in characters: its longest line and its number of
// lines, a last empty line after a line end included. A window that shows a
// table in a fixed-pitch font is sized by it.
struct TextExtent {
    int columns = 0;
    int lines = 0;
};
TextExtent textExtent(std::string_view text);

// A long operation shows its progress only after this long, so a short task
// file never flashes a window, and redraws it at most this often, so drawing
// does not slow the work it reports.
constexpr int kProgressDelayMs = 1000;
constexpr int kProgressStepMs = 50;

}  // namespace molvane
