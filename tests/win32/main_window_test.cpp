// SPDX-License-Identifier: MIT
// The Windows program's main window, created for real and driven by the
// messages a user's clicks and keys send.
#include <gtest/gtest.h>

#include "ui/win32/win32_platform.h"
// The common controls need windows.h first.
#include <commctrl.h>
#include <dlgs.h>
#include <winspool.h>

#include <array>
#include <cwchar>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/typed_tasks.h"
#include "ui/about_texts.h"
#include "ui/menu_table.h"
#include "ui/print_layout.h"
#include "ui/win32/dialogs.h"
#include "ui/win32/wide_text.h"
#include "ui/window_layout.h"
#include "ui/window_logic.h"

using namespace molvane;

namespace {

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

RECT rectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

// A modal dialog runs its own message loop inside the command that opens it:
// a message posted before the command reaches a helper window from within that
// loop, before the loop first waits and so before the dialog is shown, which
// spares Wine's wait for the X server to map it.
std::function<void()> helperTask;

LRESULT CALLBACK dialogHelperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) helperTask();
    return DefWindowProcW(window, message, wParam, lParam);
}

class MainWindowTest : public ::testing::Test {
protected:
    TemporaryFolder temporary;
    std::filesystem::path folder = temporary.path();
    Win32Platform window{GetModuleHandleW(nullptr)};
    WindowLogic logic{window, folder / "mvn.cfg"};

    void SetUp() override {
        // An earlier test's main window ended with a quit message that no loop
        // took; left there it would end the next modal dialog at once.
        MSG quit{};
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
        ASSERT_TRUE(window.create());
        window.attach(&logic);
        logic.startUp();
    }
    void TearDown() override { window.attach(nullptr); }

    HWND control(int id) const { return GetDlgItem(id == InputLine ? recentTasks() : window.mainWindow(), id); }
    HWND recentTasks() const { return GetDlgItem(window.mainWindow(), RecentTasksList); }
    std::wstring text(int id) const { return textOf(control(id)); }
    void click(int id) const { SendMessageW(control(id), BM_CLICK, 0, 0); }
    void command(int id) const { SendMessageW(window.mainWindow(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // Typed text reaches the input line as the window's own text; "=" enters it.
    void type(const wchar_t* task) const {
        SetWindowTextW(control(InputLine), task);
        click(EnterButton);
    }
    std::wstring history() const { return textOf(GetDlgItem(window.historyWindow(), kHistoryText)); }
    // A key pressed with Ctrl held, through the program's own message loop.
    void pressWithCtrl(HWND target, int key) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        SetKeyboardState(keys);
        MSG down{target, WM_KEYDOWN, static_cast<WPARAM>(key), 0, 0, {}};
        if (!window.routeMessage(down)) {
            TranslateMessage(&down);
            DispatchMessageW(&down);
        }
        MSG posted;
        while (PeekMessageW(&posted, target, 0, 0, PM_REMOVE)) DispatchMessageW(&posted);
        keys[VK_CONTROL] = 0;
        SetKeyboardState(keys);
    }
    // Runs the command of a modal dialog with `caption`; `act` must end the dialog.
    void inDialog(int id, const wchar_t* caption, const std::function<void(HWND)>& act) const {
        whileRunning([&] { command(id); }, caption, act);
        EXPECT_EQ(FindWindowW(L"#32770", caption), nullptr) << caption << " has ended";
    }
    // `act` runs at the first message `run` takes from the queue, on the dialog
    // with `caption`, or with no caption on whatever window `run` shows.
    void whileRunning(const std::function<void()>& run, const wchar_t* caption,
                      const std::function<void(HWND)>& act) const {
        bool found = false;
        helperTask = [&] {
            HWND dialog = caption ? FindWindowW(L"#32770", caption) : nullptr;
            found = dialog || !caption;
            if (found) act(dialog);
        };
        HWND helper = CreateWindowExW(0, L"static", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        SetWindowLongPtrW(helper, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dialogHelperProc));
        PostMessageW(helper, WM_APP, 0, 0);
        run();
        DestroyWindow(helper);
        EXPECT_TRUE(found) << (caption ? caption : L"the helper's message");
    }
    // The program's own message loop, for a while.
    void runLoop(DWORD milliseconds) {
        for (ULONGLONG end = GetTickCount64() + milliseconds; GetTickCount64() < end;) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (window.routeMessage(message)) continue;
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
    }
    // The text of the message box `command` opens; the box must be the main window's.
    std::wstring messageOf(int id) const {
        std::wstring shown;
        inDialog(id, L"Molvane", [&](HWND box) {
            EXPECT_EQ(GetWindow(box, GW_OWNER), window.mainWindow()) << id;
            shown = textOf(GetDlgItem(box, 0xFFFF));
            SendMessageW(box, WM_COMMAND, IDOK, 0);
        });
        return shown;
    }
};

TEST_F(MainWindowTest, TypedTasksAreShownAndLogged) {
    for (const TypedTask& row : kTypedTasks) {
        type(fromUtf8(row.typed).c_str());
        EXPECT_EQ(text(LowerTaskLine), fromUtf8(row.task)) << row.typed;
        EXPECT_EQ(text(LowerResultLine), fromUtf8(row.result)) << row.typed;
        // The window stays unshown, which spares Wine's wait for the X server to
        // map it; the roots' labels show when their own style says so.
        EXPECT_EQ(GetWindowLongPtrW(control(SecondRootLabel), GWL_STYLE) & WS_VISIBLE, *row.task ? 0 : WS_VISIBLE)
            << row.typed;
        EXPECT_NE(history().find(fromUtf8(row.logged)), std::wstring::npos) << row.typed << ": logged";
    }
    EXPECT_EQ(SendMessageW(recentTasks(), CB_GETCOUNT, 0, 0), static_cast<LRESULT>(std::size(kTypedTasks)));
}

TEST_F(MainWindowTest, KeypadByClicks) {
    for (int key : {1026, 1028, 1027, 1022, 1019, int{EnterButton}}) click(key);
    EXPECT_EQ(text(LowerResultLine), L"14");
    SendMessageW(control(LowerResultLine), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(text(InputLine), L"14") << "a click on a display line inserts its text";

    click(KeyInverse);
    EXPECT_EQ(SendMessageW(control(KeyInverse), BM_GETCHECK, 0, 0), BST_CHECKED);
    click(1001);
    EXPECT_EQ(SendMessageW(control(KeyInverse), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(text(InputLine), L"14asin");
    EXPECT_EQ(GetFocus(), control(InputLine));
}

std::vector<HWND> announced;

void CALLBACK noteAnnouncement(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
    announced.push_back(window);
}

// By keyboard alone: Up and Down reach the shared recall, Tab walks the keypad
// row by row and back. Wine's accessibility proxies read the window texts and
// no annotations, so the names are checked where the program keeps them; an
// answer is announced by the system's event on the answer line.
TEST_F(MainWindowTest, KeyboardAndScreenReaders) {
    for (const ControlLayout& layout : mainWindowLayout()) {
        if (layout.id != kDisplayFrame) {
            EXPECT_TRUE(window.controlName(layout.id).starts_with(fromUtf8(layout.name)));
        }
    }
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                                         noteAnnouncement, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    for (const wchar_t* task : {L"11+1", L"22+2"}) type(task);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    UnhookWinEvent(hook);
    EXPECT_EQ(announced, std::vector<HWND>(2, control(LowerResultLine)));
    for (auto [key, shown] : {std::pair{VK_UP, L"22+2"}, std::pair{VK_UP, L"11+1"}, std::pair{VK_DOWN, L"22+2"}}) {
        SendMessageW(control(InputLine), WM_KEYDOWN, static_cast<WPARAM>(key), 0);
        EXPECT_EQ(text(InputLine), shown);
    }
    std::vector<HWND> visited;
    for (bool back : {false, false, true, true}) {
        std::array<BYTE, 256> keys{};
        keys[VK_SHIFT] = back ? 0x80 : 0;
        SetKeyboardState(keys.data());
        MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        EXPECT_TRUE(window.routeMessage(tab));
        visited.push_back(GetFocus());
    }
    SetKeyboardState(std::array<BYTE, 256>{}.data());
    EXPECT_EQ(visited, (std::vector<HWND>{control(1000), control(1001), control(1000), control(InputLine)}));
}

// The menus and the toolbar come from the shared tables, every item with its id and text.
TEST_F(MainWindowTest, MenuCommandsAndTheirCheckMarks) {
    HMENU menu = GetMenu(window.mainWindow());
    for (const MenuEntry& entry : menuBarEntries()) {
        if (entry.kind != MenuEntryKind::Item || (entry.id >= ViewZoomIn && entry.id <= ViewActualSize)) continue;
        wchar_t shown[128] = L"";
        GetMenuStringW(menu, static_cast<UINT>(entry.id), shown, 128, MF_BYCOMMAND);
        EXPECT_EQ(shown, fromUtf8(entry.text)) << entry.id;
    }
    HWND toolbar = FindWindowExW(window.mainWindow(), nullptr, TOOLBARCLASSNAMEW, nullptr);
    std::size_t button = 0;
    for (const ToolbarButton& expected : toolbarButtons()) {
        TBBUTTON shown{};
        SendMessageW(toolbar, TB_GETBUTTON, button++, reinterpret_cast<LPARAM>(&shown));
        EXPECT_EQ(shown.idCommand, expected.image == ToolbarImage::None ? 0 : expected.id) << button;
    }

    command(FormatDegrees);
    SendMessageW(window.mainWindow(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(menu, FormatPopup)),
                 FormatPopup);
    EXPECT_TRUE(GetMenuState(menu, FormatDegrees, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(menu, FormatRadians, MF_BYCOMMAND) & MF_CHECKED);

    LONG fullBottom = rectOf(window.mainWindow()).bottom;
    command(ViewDisplayOnly);
    EXPECT_LT(rectOf(window.mainWindow()).bottom, fullBottom);
    EXPECT_LE(rectOf(recentTasks()).bottom, rectOf(window.mainWindow()).bottom) << "the input line stays in view";
}

// Positions and texts cross between UTF-16 and the engine's bytes: 'π' is two
// bytes there, one character here.
TEST_F(MainWindowTest, CutPasteAndUndoInTheInputLine) {
    SetWindowTextW(control(InputLine), L"2\u00D73\u03C0");
    SendMessageW(control(InputLine), EM_SETSEL, 1, 3);
    command(EditCut);
    EXPECT_EQ(text(InputLine), L"2\u03C0");
    // The Windows edit keeps one step to undo, as every Windows edit does.
    command(EditUndo);
    EXPECT_EQ(text(InputLine), L"2\u00D73\u03C0");
    SendMessageW(control(InputLine), EM_SETSEL, 4, 4);
    command(EditPaste);
    EXPECT_EQ(text(InputLine), L"2\u00D73\u03C0\u00D73");
}

// The history shows beside the main window, as tall, with the program's link;
// its buttons act on the history. Ctrl+K shows the last formula's elements in
// a window that fits their table.
TEST_F(MainWindowTest, HistoryAndCompositionWindows) {
    const std::string formula = "(NH4)2SO4+Al2(SO4)3+24H2O = 906.6571172";
    type(L"(NH4)2SO4+Al2(SO4)3+24H2O");
    command(ViewHistory);
    HWND history = window.historyWindow();
    RECT main = rectOf(window.mainWindow());
    RECT beside = rectOf(history);
    EXPECT_EQ(std::tuple(beside.top, beside.bottom), std::tuple(main.top, main.bottom));
    EXPECT_TRUE(beside.left == main.right || beside.right == main.left) << "beside the main window";
    EXPECT_EQ(textOf(GetDlgItem(history, kHistoryLink)), L"https://molvane.example.org");

    window.setClipboardText("");
    SendMessageW(GetDlgItem(history, historyWindowButtons()[2].id), BM_CLICK, 0, 0);
    EXPECT_NE(window.clipboardText().find(formula), std::string::npos) << window.clipboardText();
    // The menu command and the window's own Hide button each hide it.
    command(ViewHistory);
    EXPECT_FALSE(IsWindowVisible(history));
    command(ViewHistory);
    SendMessageW(GetDlgItem(history, historyWindowButtons()[3].id), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(history));

    command(ViewComposition);
    HWND composition = window.compositionWindow();
    HWND table = GetDlgItem(composition, kCompositionText);
    EXPECT_TRUE(IsWindowVisible(composition));
    EXPECT_TRUE(textOf(table).starts_with(fromUtf8(formula) + L"\r\n"));
    HDC context = GetDC(table);
    SelectObject(context, reinterpret_cast<HFONT>(SendMessageW(table, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    ReleaseDC(table, context);
    EXPECT_EQ(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "a fixed pitch (the bit says variable)";
    RECT inside{};
    SendMessageW(table, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&inside));
    LRESULT lastLetter = SendMessageW(table, EM_POSFROMCHAR, textOf(table).find(L"Percent") + 6, 0);
    EXPECT_LE(static_cast<short>(LOWORD(lastLetter)) + metrics.tmAveCharWidth, inside.right) << "the whole header";

    // Ctrl+A and Ctrl+C there act on the table, not on the main window.
    SetWindowTextW(control(InputLine), L"12");
    window.setClipboardText("");
    for (int key : {'A', 'C'}) pressWithCtrl(table, key);
    EXPECT_EQ(window.clipboardText(), engineBytesOf(textOf(table)));
    window.setClipboardText("");
    SendMessageW(GetDlgItem(composition, compositionWindowButtons()[0].id), BM_CLICK, 0, 0);
    EXPECT_TRUE(window.clipboardText().starts_with(formula)) << "the Copy button";
    SendMessageW(GetDlgItem(composition, compositionWindowButtons()[1].id), BM_CLICK, 0, 0);
    EXPECT_FALSE(IsWindowVisible(composition)) << "the Hide button";
}

// Under a window manager (scripts/windows.sh runs one) F9 shows the history
// without taking the keys, the first time and again after F9 hid it: the key
// typed next reaches the input line.
TEST_F(MainWindowTest, HistoryShownByF9LeavesTheKeysWithTheInputLine) {
    ShowWindow(window.mainWindow(), SW_SHOWNORMAL);
    SetForegroundWindow(window.mainWindow());
    runLoop(500);
    for (WORD key : {WORD{VK_F9}, WORD{VK_F9}, WORD{VK_F9}, WORD{'7'}}) {
        INPUT strokes[2] = {};
        for (INPUT& stroke : strokes) stroke.type = INPUT_KEYBOARD, stroke.ki.wVk = key;
        strokes[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, strokes, sizeof(INPUT));
        runLoop(500);
    }
    EXPECT_TRUE(IsWindowVisible(window.historyWindow()));
    EXPECT_EQ(text(InputLine), L"7");
}

// Changes show on the display at once; Cancel, which the close box and Esc send
// too, puts the opening values back.
TEST_F(MainWindowTest, NumberFormatDialog) {
    type(L"2/3");
    auto press = [](HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); };
    const CalcState& state = logic.currentState();
    auto settings = std::tie(state.numberMode, state.angleUnit, state.decimals, state.digitGrouping);
    const std::tuple<int, int, int, int> opening{Automatic, Radians, 2, 0}, chosen{Fixed, Degrees, 6, 1};
    for (int end : {IDCANCEL, IDOK}) {
        inDialog(ViewNumberFormat, L"Number Format", [&](HWND dialog) {
            EXPECT_EQ(rectOf(dialog).left, rectOf(window.mainWindow()).right) << "beside, on the side with room";
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 3031))) << end << ": no places in Automatic";
            press(dialog, 3012);
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 3031))) << end;
            SetDlgItemTextW(dialog, 3031, L"7");
            press(dialog, 3021);
            press(dialog, 3033);
            // The arrows step the places shown in the edit (their limits are the shared logic's).
            for (int arrow : {SB_LINEUP, SB_LINEDOWN, SB_LINEDOWN})
                SendMessageW(dialog, WM_VSCROLL, static_cast<WPARAM>(arrow), 0);
            EXPECT_EQ(text(LowerResultLine), L"0.666 667") << end << ": shown at once";
            press(dialog, end);
        });
        EXPECT_EQ(settings, end == IDOK ? chosen : opening) << end;
    }
}

// Esc and the close box reach the About box as its Cancel button, by the
// system's dialog code. F1 looks for the help beside the program, never in the
// current folder, and says so when it is missing.
TEST_F(MainWindowTest, HelpMenu) {
    for (int button : {IDOK, IDCANCEL}) {
        inDialog(HelpAbout, L"About Molvane", [&](HWND dialog) {
            EXPECT_EQ(textOf(GetDlgItem(dialog, RightsText)), fromUtf8(kRightsNotice)) << button;
            SendMessageW(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
        });
    }
    std::wstring shown = messageOf(HelpTopics);
    EXPECT_TRUE(shown.starts_with(L"The help could not be shown.")) << shown;
    EXPECT_NE(shown.find(L"tests\\win32\\help\\molvane-help.html"), std::wstring::npos) << shown;
}

// Saved settings come back at the next start, the history beside the window
// before it is first shown.
TEST_F(MainWindowTest, SettingsFileAndStartUp) {
    command(ViewHistory);
    command(FormatSaveSettings);
    window.attach(nullptr);
    DestroyWindow(window.mainWindow());

    Win32Platform again{GetModuleHandleW(nullptr)};
    WindowLogic restarted{again, folder / "mvn.cfg"};
    ASSERT_TRUE(again.create());
    again.attach(&restarted);
    restarted.startUp();
    EXPECT_TRUE(IsWindowVisible(again.historyWindow()));
    EXPECT_FALSE(IsWindowVisible(again.mainWindow()));
    again.attach(nullptr);
}

// A task file chosen in the Open dialog runs line by line; its progress shows
// over the disabled main window once the delay has passed, and Cancel stops
// the file before its next line.
TEST_F(MainWindowTest, TaskFileProgressAndCancel) {
    std::filesystem::path tasks = folder / "tasks.txt";
    auto open = [&](const std::string& bytes) {
        writeFile(tasks, bytes);
        inDialog(FileOpen, L"Open", [&](HWND dialog) {
            SetDlgItemTextW(dialog, GetDlgItem(dialog, cmb13) ? cmb13 : edt1, tasks.c_str());
            SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
    };
    open("1+1\r\n2*3\n");
    EXPECT_EQ(text(UpperResultLine), L"6") << "the line end after the last line runs one more, empty, task";
    // Control bytes never reach the input line, which takes typing after the
    // file as usual; its last line, too long, stays there as the engine reads it.
    std::string tooLong(600, '1');
    for (std::size_t i = 1; i < 30; ++i) tooLong.insert(i * 20, i % 2 ? "\x1B" : std::string(1, '\0'));
    open(
        "1+1\n2\x01*\x7F"
        "3\x9D\n" +
        tooLong);
    EXPECT_EQ(text(LowerTaskLine), L"2*3");
    EXPECT_EQ(text(InputLine), std::wstring(600, L'1'));
    for (wchar_t typed : std::wstring(L"+2")) SendMessageW(control(InputLine), WM_CHAR, typed, 0);
    EXPECT_EQ(text(InputLine).size(), 602u);

    window.progressDelay = 0;
    auto runLines = [this] { logic.runTaskLines({"1+1", "2*3", "3*4"}); };
    for (auto [cancel, result] : {std::pair{false, L"12"}, std::pair{true, L"5"}}) {
        type(L"5");
        whileRunning(runLines, nullptr, [&](HWND) {
            HWND progress = window.progressWindow();
            EXPECT_TRUE(IsWindowVisible(progress)) << cancel;
            EXPECT_FALSE(IsWindowEnabled(window.mainWindow())) << cancel;
            if (cancel) SendMessageW(GetDlgItem(progress, IDCANCEL), BM_CLICK, 0, 0);
        });
        EXPECT_EQ(text(LowerResultLine), result) << cancel;
        EXPECT_EQ(window.progressWindow(), nullptr) << cancel;
        EXPECT_TRUE(IsWindowEnabled(window.mainWindow())) << cancel;
        EXPECT_EQ(GetFocus(), control(InputLine)) << cancel << ": the keys come back to the input line";
    }

    // A run that never comes back, as when Wine abandons the command whose text
    // drawing faulted in a control, is over once the message loop runs again.
    window.beginProgress("Running the tasks of the file...", 2);
    window.reportProgress(0);
    ASSERT_FALSE(IsWindowEnabled(window.mainWindow()));
    MSG next{window.mainWindow(), WM_NULL, 0, 0, 0, {}};
    window.routeMessage(next);
    EXPECT_EQ(window.progressWindow(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(window.mainWindow()));
}

// A PostScript printer of Wine's own driver whose port is a file: what the
// print path draws lands there, one moveto and a glyph name per character
// for each line drawn. The driver stays installed in the test's Wine prefix.
struct FilePrinter {
    static constexpr const wchar_t* kName = L"Molvane File Printer";
    explicit FilePrinter(const std::filesystem::path& output) {
        wchar_t folder[MAX_PATH] = L"";
        DWORD size = 0;
        GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof folder, &size);
        std::filesystem::path description = std::filesystem::path(folder) / "3" / "molvane-test.ppd";
        std::filesystem::create_directories(description.parent_path());
        writeFile(description, kPaperDescription);
        DRIVER_INFO_3W driver{};
        driver.cVersion = 3;
        driver.pName = const_cast<wchar_t*>(kName);
        driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
        driver.pConfigFile = driver.pDriverPath;
        driver.pDataFile = const_cast<wchar_t*>(L"molvane-test.ppd");
        AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES);
        std::wstring port = output.wstring();
        PRINTER_INFO_2W printer{};
        printer.pPrinterName = driver.pName;
        printer.pPortName = port.data();
        printer.pDriverName = driver.pName;
        printer.pPrintProcessor = const_cast<wchar_t*>(L"winprint");
        printer.pDatatype = const_cast<wchar_t*>(L"RAW");
        if (HANDLE added = AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer))) ClosePrinter(added);
        SetDefaultPrinterW(kName);
    }
    // Gone again, so that the next run starts with no printer.
    ~FilePrinter() {
        HANDLE printer = nullptr;
        PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
        if (OpenPrinterW(const_cast<wchar_t*>(kName), &printer, &access)) {
            DeletePrinter(printer);
            ClosePrinter(printer);
        }
    }
    // The paper the driver describes: A4, the only size it offers.
    static constexpr const char* kPaperDescription =
        "*PPD-Adobe: \"4.3\"\n*NickName: \"Molvane file printer\"\n*LanguageLevel: \"3\"\n*DefaultResolution: 300dpi\n"
        "*DefaultPageSize: A4\n*PageSize A4/A4: \"<</PageSize[595 842]>>setpagedevice\"\n"
        "*ImageableArea A4/A4: \"18 18 577 824\"\n*PaperDimension A4/A4: \"595 842\"\n";
};

// The lines of each page of the driver's output, read back from the glyph
// names it draws them with, a letter's name being the letter; a line with no
// characters leaves no mark.
std::vector<std::vector<std::string>> printedPages(const std::string& output) {
    std::vector<std::vector<std::string>> pages;
    std::istringstream lines(output);
    bool lineStarts = false;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("%%Page:")) pages.emplace_back();
        if (line.ends_with(" moveto")) lineStarts = true;
        if (!line.ends_with(" glyphshow") || pages.empty()) continue;
        std::string name = line.substr(1, line.size() - 1 - std::string(" glyphshow").size());
        if (lineStarts) pages.back().emplace_back();
        lineStarts = false;
        pages.back().back() += name == "space" ? ' ' : name.size() == 1 ? name[0] : '?';
    }
    return pages;
}

// The preview pages through the history, and printing with no printer says so.
// On a printer the dialog's OK draws the history, tabs expanded, on the pages
// the layout makes for the printer's paper and font, all of them or those the
// dialog's range names.
TEST_F(MainWindowTest, PrintPreviewAndPrinting) {
    std::string lines;
    for (int i = 0; i < 200; ++i)
        lines += std::string{static_cast<char>('a' + i % 26), '\t'} +
                 std::string(static_cast<std::size_t>(1 + i / 26), 'z') + "\r\n";
    window.setHistoryText(lines);
    command(FilePrintPreview);
    HWND preview = window.previewWindow();
    auto page = [preview] { return textOf(GetDlgItem(preview, PreviewPageLabel)); };
    int pages = 0;
    ASSERT_EQ(std::swscanf(page().c_str(), L"Page 1 of %d", &pages), 1) << page();
    EXPECT_GT(pages, 1) << "200 lines do not fit one page";
    for (int i = 1; i < pages; ++i) SendMessageW(GetDlgItem(preview, PreviewNext), BM_CLICK, 0, 0);
    EXPECT_EQ(page(), L"Page " + std::to_wstring(pages) + L" of " + std::to_wstring(pages));
    SendMessageW(GetDlgItem(preview, PreviewPrevious), BM_CLICK, 0, 0);
    EXPECT_EQ(page(), L"Page " + std::to_wstring(pages - 1) + L" of " + std::to_wstring(pages));
    EXPECT_NE(messageOf(FilePrint).find(L"The history could not be printed."), std::wstring::npos);

    std::filesystem::path output = folder / "printed.ps";
    FilePrinter printer(output);
    HDC context = CreateDCW(L"WINSPOOL", FilePrinter::kName, nullptr, nullptr);
    ASSERT_NE(context, nullptr);
    // The printer's resolution and the line height of the font the print path asks for.
    int dotsPerInchY = GetDeviceCaps(context, LOGPIXELSY);
    HFONT font =
        CreateFontW(-MulDiv(10, dotsPerInchY, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"Courier New");
    SelectObject(context, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    PrintGeometry geometry = printGeometry(GetDeviceCaps(context, PHYSICALHEIGHT), GetDeviceCaps(context, LOGPIXELSX),
                                           dotsPerInchY, metrics.tmHeight + metrics.tmExternalLeading);
    DeleteDC(context);
    DeleteObject(font);
    ASSERT_GT(layOutPages(lines, geometry.linesPerPage, {}).size(), 2u) << "200 lines take more than two pages";

    for (PageRange range : {PageRange{}, PageRange{2, 2}}) {
        std::filesystem::remove(output);
        inDialog(FilePrint, L"Print", [&range](HWND dialog) {
            if (range.last != kLastPrintedPage) {
                SendMessageW(GetDlgItem(dialog, rad3), BM_CLICK, 0, 0);
                SetDlgItemInt(dialog, edt1, static_cast<UINT>(range.first), FALSE);
                SetDlgItemInt(dialog, edt2, static_cast<UINT>(range.last), FALSE);
            }
            SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
        // The spooler hands the job to its port as the document ends; a slower one gets a bounded wait.
        for (int i = 0; i < 100 && !std::filesystem::exists(output); ++i) Sleep(50);
        std::string printed = readFile(output);
        EXPECT_NE(printed.find(std::string("%%Title: ") + kPrintDocumentName), std::string::npos);

        std::vector<std::vector<std::string>> expected;
        for (const PrintedPage& laidOut : layOutPages(lines, geometry.linesPerPage, range)) {
            expected.emplace_back();
            for (const std::string& line : laidOut.lines) expected.back().push_back(expandedTabs(line));
        }
        EXPECT_EQ(printedPages(printed), expected) << "pages " << range.first << " to " << range.last;
    }
}

// Moved to a screen of half as many dots per inch again (150%), the layout,
// its fonts and the toolbar's images grow by half, the keys keep apart, the
// window takes the place the system suggests, and the Number Format dialog
// docks beside it rather than over it.
TEST_F(MainWindowTest, ResolutionChangeRescalesTheLayout) {
    // A key in the program's own font and a button in the system's: their
    // widths, heights and font sizes.
    auto measure = [this] {
        std::vector<LONG> sizes;
        for (int id : {1001, int{EnterButton}}) {
            RECT rect = rectOf(control(id));
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control(id), WM_GETFONT, 0, 0)), sizeof font, &font);
            sizes.insert(sizes.end(), {rect.right - rect.left, rect.bottom - rect.top, font.lfHeight});
        }
        return sizes;
    };
    auto imageSize = [](HWND toolbar) {
        int width = 0, height = 0;
        ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0)), &width,
                              &height);
        return width;
    };
    HWND toolbar = FindWindowExW(window.mainWindow(), nullptr, TOOLBARCLASSNAMEW, nullptr);
    EXPECT_EQ(imageSize(toolbar), 16);
    std::vector<LONG> before = measure();
    RECT main = rectOf(window.mainWindow());
    auto grown = [](LONG length) { return length * 3 / 2; };
    RECT suggested{100, 50, 100 + grown(main.right - main.left), 50 + grown(main.bottom - main.top)};
    auto dpi = static_cast<WORD>(grown(static_cast<LONG>(GetDpiForWindow(window.mainWindow()))));
    SendMessageW(window.mainWindow(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    std::vector<LONG> after = measure();
    for (std::size_t i = 0; i < after.size(); ++i) EXPECT_NEAR(after[i], grown(before[i]), 1) << i;
    main = rectOf(window.mainWindow());
    EXPECT_EQ(std::pair(main.left, main.top), std::pair(100L, 50L));
    EXPECT_GE(main.bottom, rectOf(control(EnterButton)).bottom) << "the keypad stays inside the window";
    EXPECT_EQ(imageSize(toolbar), 24);
    RECT client{};
    GetClientRect(window.mainWindow(), &client);
    EXPECT_EQ(rectOf(toolbar).right - rectOf(toolbar).left, client.right) << "the toolbar spans the window";
    RECT seven = rectOf(control(1013)), eight = rectOf(control(1014)), four = rectOf(control(1019));
    EXPECT_LE(seven.right - eight.left, 2) << "neighbours share no more than their border";
    EXPECT_LE(seven.bottom - four.top, 2);
    inDialog(ViewNumberFormat, L"Number Format", [&](HWND dialog) {
        RECT docked = rectOf(dialog), overlap{};
        EXPECT_FALSE(IntersectRect(&overlap, &docked, &main)) << docked.left << " beside " << main.right;
        SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
}

// Every shortcut of the shared table is in the resources' table, and no other.
TEST_F(MainWindowTest, ShortcutKeysMatchTheSharedTable) {
    HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kAcceleratorTable));
    std::vector<ACCEL> entries(static_cast<std::size_t>(CopyAcceleratorTableW(table, nullptr, 0)));
    CopyAcceleratorTableW(table, entries.data(), static_cast<int>(entries.size()));
    std::set<std::tuple<int, int, int>> loaded;
    for (const ACCEL& entry : entries) loaded.emplace(entry.fVirt & ~FNOINVERT, entry.key, entry.cmd);

    std::set<std::tuple<int, int, int>> shared;
    for (const Accelerator& accelerator : acceleratorKeys()) {
        if (accelerator.id >= ViewZoomIn && accelerator.id <= ViewActualSize) continue;  // the Qt program's zoom
        std::string keys = accelerator.keys;
        int flags = FVIRTKEY;
        for (auto [prefix, flag] : {std::pair{"Ctrl+", FCONTROL}, std::pair{"Shift+", FSHIFT}}) {
            if (keys.starts_with(prefix)) flags |= flag, keys.erase(0, std::string(prefix).size());
        }
        // Any other name is Return or Enter.
        int key = keys.size() == 1 ? keys[0]
                  : keys == "Esc"  ? VK_ESCAPE
                  : keys[0] == 'F' ? VK_F1 + std::stoi(keys.substr(1)) - 1
                                   : VK_RETURN;
        shared.emplace(flags, key, accelerator.id);
    }
    EXPECT_EQ(loaded, shared);

    // Enter in the input line is the "=" button, as the message loop translates it.
    SetWindowTextW(control(InputLine), L"6*7");
    MSG enter{control(InputLine), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(TranslateAcceleratorW(window.mainWindow(), table, &enter));
    EXPECT_EQ(text(LowerResultLine), L"42");
}

}  // namespace
