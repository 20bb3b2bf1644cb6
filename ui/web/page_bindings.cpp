// SPDX-License-Identifier: MIT
// What the page's script may ask of the program: the window's tables to build
// its controls from, the commands to send, and the Number Format dialog's
// choices. The page holds no behaviour of its own beyond drawing.
#include <emscripten.h>
#include <emscripten/bind.h>

#include <filesystem>
#include <memory>

#include "session/utf16_text.h"
#include "ui/about_texts.h"
#include "ui/colour_contrast.h"
#include "ui/menu_table.h"
#include "ui/number_format.h"
#include "ui/task_file.h"
#include "ui/web/web_platform.h"
#include "ui/web_site.h"
#include "ui/window_layout.h"
#include "ui/window_logic.h"

namespace molvane {

namespace {

using emscripten::val;

// The one window of the page, made by start(); the page lives as long as they do.
std::unique_ptr<WebPlatform> thePlatform;
std::unique_ptr<WindowLogic> theLogic;

val engineText(std::string_view text) { return val(utf16OfEngineText(text)); }

val utf8(const char* text) { return val(std::string(text != nullptr ? text : "")); }

val colour(Colour shade) {
    val rgb = val::array();
    for (int part : {shade.red, shade.green, shade.blue}) rgb.call<void>("push", part);
    return rgb;
}

template <typename Row, typename Make>
val arrayOf(std::span<const Row> rows, Make make) {
    val array = val::array();
    for (const Row& row : rows) array.call<void>("push", make(row));
    return array;
}

// What the page makes of each kind of control.
const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::DisplayFrame: return "frame";
        case ControlKind::Indicator: return "indicator";
        case ControlKind::TaskLine: return "task";
        case ControlKind::ResultLine: return "result";
        case ControlKind::RootLabel: return "root";
        case ControlKind::RecentTasks: return "input";
        case ControlKind::Key: return "key";
        case ControlKind::EnterButton: return "enter";
    }
    return "";
}

val controlOf(const ControlLayout& control) {
    val made = val::object();
    RoleFont font = fontOf(control.font);
    made.set("id", control.id);
    made.set("kind", kindName(control.kind));
    made.set("onDisplay", isOnDisplay(control.kind));
    made.set("caption", engineText(control.caption));
    made.set("place", arrayOf<int>(std::initializer_list<int>{control.place.x, control.place.y, control.place.width,
                                                              control.place.height},
                                   [](int number) { return val(number); }));
    made.set("face", utf8(font.face));
    made.set("pixels", font.pixels);
    made.set("shown", control.shown);
    made.set("alignment", control.alignment == TextAlignment::Left     ? "left"
                          : control.alignment == TextAlignment::Centre ? "center"
                                                                       : "right");
    made.set("toolTip", engineText(control.toolTip));
    made.set("name", utf8(control.name.c_str()));
    return made;
}

Colour colourOf(const val& rgb) {
    auto part = [&](int i) { return static_cast<std::uint8_t>(rgb[i].as<int>()); };
    return {part(0), part(1), part(2)};
}

// The shortcuts that stay the browser's: a new window or tab, full screen, and
// the browser's own zoom, which scales the page as View > Zoom does. Their
// menu items still work.
constexpr const char* kBrowserKeys[] = {"Ctrl+N", "Ctrl+T", "F11", "Ctrl++", "Ctrl+-", "Ctrl+0"};

// The largest task file the page copies into its memory to run.
constexpr int kLargestTaskFileMegabytes = 256;

val buttonOf(const WindowButton& button) {
    val made = val::object();
    made.set("id", button.id);
    made.set("caption", utf8(button.caption));
    made.set("command", button.command);
    made.set("name", utf8(button.name));
    return made;
}

// The tables, and the numbers of the window that the script needs by name.
val windowTables() {
    val tables = val::object();
    tables.set("controls", arrayOf(mainWindowLayout(), controlOf));
    tables.set("menus", arrayOf(menuBarEntries(), [](const MenuEntry& entry) {
                   val made = val::object();
                   const char* kinds[] = {"begin", "end", "item", "separator"};
                   made.set("kind", kinds[static_cast<int>(entry.kind)]);
                   made.set("id", entry.id);
                   made.set("text", utf8(entry.text));
                   made.set("checked", entry.checked);
                   made.set("checkable", entry.checkable);
                   return made;
               }));
    tables.set("accelerators", arrayOf(acceleratorKeys(), [](const Accelerator& accelerator) {
                   val made = val::object();
                   made.set("keys", utf8(accelerator.keys));
                   made.set("id", accelerator.id);
                   return made;
               }));
    tables.set("largestTaskFile", static_cast<double>(kLargestTaskFileMegabytes) * 1024 * 1024);
    tables.set("browserKeys", arrayOf<const char*>(kBrowserKeys, utf8));
    tables.set("historyButtons", arrayOf(historyWindowButtons(), buttonOf));
    tables.set("compositionButtons", arrayOf(compositionWindowButtons(), buttonOf));
    val colours = val::object();
    colours.set("display", colour(kDisplayGrey));
    colours.set("task", colour(kTaskGreen));
    colours.set("active", colour(kActiveIndicator));
    colours.set("inactive", colour(kInactiveIndicator));
    tables.set("colours", colours);
    val size = val::object();
    size.set("width", kClientWidth);
    size.set("height", kClientHeight);
    size.set("displayOnlyHeight", kDisplayOnlyHeight);
    size.set("dropHeight", kRecentTasksDropHeight);
    tables.set("size", size);
    val ids = val::object();
    for (auto [name, id] : std::initializer_list<std::pair<const char*, int>>{
             {"enter", EnterButton},
             {"inverse", KeyInverse},
             {"recentTasks", RecentTasksList},
             {"inputLine", InputLine},
             {"recallOlder", RecallOlder},
             {"recallNewer", RecallNewer},
             {"fileOpen", FileOpen},
             {"exit", FileExit},
             {"history", ViewHistory},
             {"paste", EditPaste},
             {"zoomIn", ViewZoomIn},
             {"zoomOut", ViewZoomOut},
             {"actualSize", ViewActualSize},
             {"clicked", kNotifyClicked},
             {"doubleClicked", kNotifyAccelerator},
             {"accelerator", kNotifyAccelerator},
             {"confirmed", kNotifySelectionConfirmed},
             {"cancelled", kNotifySelectionCancelled},
             {"focusLost", kNotifyFocusLost},
             {"editPopup", EditPopup},
         })
        ids.set(name, id);
    tables.set("ids", ids);
    return tables;
}

// The display's texts in the page's text colour where it reads on the grey,
// black otherwise; links in a blue that reads on the page's background.
val readableColours(val pageText, val pageBackground) {
    val chosen = val::object();
    chosen.set("onDisplay", colour(readableColour(kDisplayGrey, {colourOf(pageText), Colour{0, 0, 0}})));
    chosen.set("link", colour(linkColour(kLinkBlue, colourOf(pageBackground))));
    return chosen;
}

val aboutTexts() {
    val texts = val::object();
    texts.set("product", utf8(kProductLine));
    texts.set("edition", utf8(kEditionLine));
    texts.set("released", utf8(kReleaseDate));
    texts.set("description", arrayOf<const char*>(kDescriptionLines, utf8));
    texts.set("notice", utf8(kDistributionNotice));
    texts.set("numberFormatHeading", arrayOf<const char*>(kNumberFormatHeading, utf8));
    texts.set("rights", utf8(kRightsNotice));
    texts.set("webSite", utf8(kWebSiteAddress));
    return texts;
}

// The window's start: the settings file, which the page has put in place,
// is read as the desktop programs read theirs.
void start(val page) {
    std::filesystem::create_directories(kPickedFolder);
    std::filesystem::create_directories(kSavedFolder);
    std::filesystem::current_path(kPickedFolder);
    thePlatform = std::make_unique<WebPlatform>(std::move(page));
    theLogic = std::make_unique<WindowLogic>(*thePlatform, kSettingsFile);
    theLogic->startUp();
}

val menuItemStates(int popupPosition, bool opening) {
    val states = val::array();
    for (const MenuItemState& item : theLogic->menuItemStates(popupPosition, opening)) {
        val state = val::object();
        state.set("id", item.id);
        state.set("enabled", item.enabled);
        state.set("checked", item.checked);
        states.call<void>("push", state);
    }
    return states;
}

// A task file too large to copy into the page's memory is refused as the
// logic refuses one it will not run.
void refuseLargeTaskFile(const std::u16string& name) {
    std::string reason =
        "It is larger than the " + std::to_string(kLargestTaskFileMegabytes) + " MB the page can read.";
    thePlatform->showErrorMessage(kMessageCaption, taskFileNotRunMessage(std::filesystem::path(name), reason));
}

// The dialog's choices act on the one window; the script deletes them as the dialog closes.
NumberFormatChoices* openNumberFormat() { return new NumberFormatChoices(*theLogic); }

// Typing and the arrows read the places from the same text, the field's first
// 61 characters, as the desktop dialogs do.
std::string placesText(const std::u16string& typed) { return engineTextOfUtf16(typed.substr(0, 61)); }

}  // namespace

}  // namespace molvane

// A command from the page, as a click or a key sends it. Called through ccall
// with {async: true}: a long task file gives the page back to the browser while
// it runs.
extern "C" EMSCRIPTEN_KEEPALIVE void molvane_dispatch(int id, int notification) {
    if (molvane::theLogic) molvane::theLogic->dispatchCommand(id, notification);
}

EMSCRIPTEN_BINDINGS(molvane_page) {
    using namespace emscripten;
    using molvane::NumberFormatChoices;
    function("windowTables", &molvane::windowTables);
    function("aboutTexts", &molvane::aboutTexts);
    function("readableColours", &molvane::readableColours);
    function("start", &molvane::start);
    function("menuItemStates", &molvane::menuItemStates);
    function("refuseLargeTaskFile", &molvane::refuseLargeTaskFile);
    function("openNumberFormat", &molvane::openNumberFormat, allow_raw_pointers());
    function("steppedDecimals", optional_override([](const std::u16string& typed, int step) {
                 return molvane::steppedDecimals(molvane::placesText(typed), step);
             }));
    class_<NumberFormatChoices>("NumberFormatChoices")
        .function("numberMode", &NumberFormatChoices::numberMode)
        .function("angleUnit", &NumberFormatChoices::angleUnit)
        .function("decimals", &NumberFormatChoices::decimals)
        .function("digitGrouping", &NumberFormatChoices::digitGrouping)
        .function("placesEnabled", &NumberFormatChoices::placesEnabled)
        .function("chooseNumberMode", &NumberFormatChoices::chooseNumberMode)
        .function("chooseAngleUnit", &NumberFormatChoices::chooseAngleUnit)
        .function("typeDecimals", optional_override([](NumberFormatChoices& choices, const std::u16string& typed) {
                      choices.typeDecimals(molvane::placesText(typed));
                  }))
        .function("setDigitGrouping", &NumberFormatChoices::setDigitGrouping)
        .function("cancel", &NumberFormatChoices::cancel);
}
