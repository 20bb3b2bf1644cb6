// SPDX-License-Identifier: MIT
#include "ui/qt/main_window.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <cmath>
#include <vector>

#include "ui/keypad.h"
#include "ui/menu_table.h"
#include "ui/qt/colour_contrast.h"
#include "ui/qt/desktop_settings.h"
#include "ui/qt/display_widgets.h"
#include "ui/qt/history_window.h"

// The resources live in a static library: they are linked in only when named,
// and the name must be declared outside any namespace.
static void loadResources() { Q_INIT_RESOURCE(molvane); }

namespace molvane {

namespace {

// The client area in pixels at 96 dots per inch: full, and cut just below the
// input line for Show Display Only.
constexpr int kClientWidth = 261;
constexpr int kClientHeight = 370;
constexpr int kDisplayOnlyHeight = 136;

const QColor kDisplayGrey(232, 232, 232);
const QColor kTaskGreen(0, 128, 0);

// The display's grey is fixed, the colour of its other texts is the desktop's:
// a dark theme's light text would vanish on the grey, so it reads black there.
QColor readableOnDisplay(const QColor& colour) {
    constexpr double kReadableContrast = 4.5;
    return contrast(colour, kDisplayGrey) >= kReadableContrast ? colour : QColor(Qt::black);
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

// The desktop's icon theme first; where it lacks a name, the program's own drawing.
QIcon toolbarIcon(ToolbarImage image) {
    const char* name = "";
    switch (image) {
        case ToolbarImage::Delete: name = "edit-delete"; break;
        case ToolbarImage::Undo: name = "edit-undo"; break;
        case ToolbarImage::Cut: name = "edit-cut"; break;
        case ToolbarImage::Copy: name = "edit-copy"; break;
        case ToolbarImage::Paste: name = "edit-paste"; break;
        case ToolbarImage::Save: name = "document-save"; break;
        case ToolbarImage::PrintPreview: name = "document-print-preview"; break;
        case ToolbarImage::Properties: name = "document-properties"; break;
        case ToolbarImage::Replace: name = "view-restore"; break;
        case ToolbarImage::None: return {};
    }
    return QIcon::fromTheme(name, QIcon(QString(":/icons/%1.svg").arg(name)));
}

// A menu item shows the icon of the toolbar button that runs the same command.
QIcon commandIcon(int id) {
    for (const ToolbarButton& button : toolbarButtons()) {
        if (button.id == id) return toolbarIcon(button.image);
    }
    return {};
}

bool isCheckItem(int id) {
    return (id >= FormatAutomatic && id <= FormatFunctionSeparator) ||
           (id >= ViewDisplayOnly && id <= ViewTaskNumbering && id != ViewNumberFormat);
}

}  // namespace

MainWindow::MainWindow() {
    loadResources();
    if (QScreen* primary = QGuiApplication::primaryScreen())
        scale_ = std::max(1.0, primary->logicalDotsPerInch() / 96.0);
    setWindowTitle("Molvane");
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setContextMenuPolicy(Qt::PreventContextMenu);
    client_ = new QWidget(this);
    setCentralWidget(client_);
    baseScale_ = scale_;
    clientFont_ = client_->font();
    menuFont_ = menuBar()->font();
    buildDisplay(client_);
    buildInputLine(client_);
    buildKeypad(client_);
    buildToolbar();
    buildMenus();
    buildAccelerators();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    history_ = new HistoryWindow(this, [this](int id) { dispatch(id); });
    QIcon icon(":/molvane.svg");
    setWindowIcon(icon);
    history_->setWindowIcon(icon);
    historyFont_ = history_->font();
    setFocusProxy(inputLine_);
    inputLine_->setFocus();
    zoom_ = savedZoom();
    applyZoom();
    fitDisplayColours();
}

MainWindow::~MainWindow() = default;

int MainWindow::scaled(int pixels) const { return static_cast<int>(pixels * scale_ + 0.5); }

void MainWindow::place(QWidget* widget, int x, int y, int width, int height) {
    placed_.append({widget, QRect(x, y, width, height)});
    widget->setGeometry(scaled(x), scaled(y), scaled(width), scaled(height));
}

void MainWindow::setPixelFont(QWidget* widget, const char* family, int pixels) {
    QFont font(family);
    // "San Serif" is asked for by name; where no such face exists the
    // sans-serif hint makes the font system pick the platform's own.
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(scaled(pixels));
    widget->setFont(font);
    fontPixels_.append({widget, pixels});
}

// The zoom is the window's own business: the logic never sees these commands.
void MainWindow::dispatch(int id, int notification) {
    switch (id) {
        case ViewZoomIn: setZoom(zoom_ + kZoomStep); return;
        case ViewZoomOut: setZoom(zoom_ - kZoomStep); return;
        case ViewActualSize: setZoom(kZoomSmallest); return;
        default: break;
    }
    if (logic_) logic_->dispatchCommand(id, notification);
}

void MainWindow::setZoom(int percent) {
    percent = std::clamp(percent, kZoomSmallest, kZoomLargest);
    if (percent == zoom_) return;
    zoom_ = percent;
    saveZoom(zoom_);
    applyZoom();
}

// Every fixed position, size and font of the window grows by the zoom; so do
// the fonts the window leaves to the system, and the history beside it.
void MainWindow::applyZoom() {
    double factor = zoom_ / 100.0;
    scale_ = baseScale_ * factor;
    auto zoomed = [factor](QFont font) {
        if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * factor);
        if (font.pixelSize() > 0) font.setPixelSize(static_cast<int>(font.pixelSize() * factor + 0.5));
        return font;
    };
    client_->setFont(zoomed(clientFont_));
    menuBar()->setFont(zoomed(menuFont_));
    history_->setFont(zoomed(historyFont_));
    for (const Placed& item : placed_) {
        item.widget->setGeometry(scaled(item.base.x()), scaled(item.base.y()), scaled(item.base.width()),
                                 scaled(item.base.height()));
    }
    for (const auto& [widget, pixels] : fontPixels_) {
        QFont font = widget->font();
        font.setPixelSize(scaled(pixels));
        widget->setFont(font);
    }
    client_->setFixedSize(scaled(kClientWidth), scaled(displayOnly_ ? kDisplayOnlyHeight : kClientHeight));
    if (history_->isVisible()) {
        // The history follows once the window has taken its new size.
        QTimer::singleShot(0, this, [this] {
            history_->setFixedSize(width(), fullHeight());
            history_->move(historyWindowLeft(mainWindowFrame(), screenRight()), frameGeometry().top());
        });
    }
}

ClickableLabel* MainWindow::addLabel(QWidget* client, int id, const QString& text, QRect geometry, bool elide) {
    auto* label = new ClickableLabel(text, elide, client);
    // Engine texts such as "<Complex number>" must never be read as markup.
    label->setTextFormat(Qt::PlainText);
    place(label, geometry.x(), geometry.y(), geometry.width(), geometry.height());
    connect(label, &ClickableLabel::activated, this, [this, id](int notification) { dispatch(id, notification); });
    controls_[id] = label;
    return label;
}

void MainWindow::buildDisplay(QWidget* client) {
    auto* frame = new QFrame(client);
    place(frame, 0, 0, 260, 135);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(2);
    frame->setAutoFillBackground(true);
    QPalette grey = frame->palette();
    grey.setColor(QPalette::Window, kDisplayGrey);
    frame->setPalette(grey);

    auto addIndicator = [&](int id, const char* text, int x) {
        ClickableLabel* indicator = addLabel(client, id, text, QRect(x, 10, 25, 18), false);
        indicator->setAlignment(Qt::AlignCenter);
        setPixelFont(indicator, "San Serif", 8);
    };
    addIndicator(MemoryIndicator, "MEM", 115);
    const char* modes[] = {"AUTO", "SCI", "FIX"};
    const char* units[] = {"RAD", "DEG", "GRAD"};
    for (int i = 0; i < 3; ++i) {
        addIndicator(AutomaticIndicator + i, modes[i], 10 + 29 * i);
        addIndicator(RadiansIndicator + i, units[i], 164 + 29 * i);
    }

    for (int row = 0; row < 2; ++row) {
        ClickableLabel* task = addLabel(client, UpperTaskLine + row, "", QRect(12, 26 + 42 * row, 240, 18), true);
        setPixelFont(task, "Arial", 12);
        task->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        setTextColour(task, kTaskGreen);
        ClickableLabel* result = addLabel(client, UpperResultLine + row, "", QRect(40, 44 + 40 * row, 207, 20), false);
        result->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ClickableLabel* root =
            addLabel(client, FirstRootLabel + row, row == 0 ? "x1 =" : "x2 =", QRect(12, 44 + 40 * row, 30, 20), false);
        root->hide();
    }
}

void MainWindow::buildInputLine(QWidget* client) {
    recentTasks_ = new RecentTasksBox(client);
    recentTasks_->setEditable(true);
    recentTasks_->setInsertPolicy(QComboBox::NoInsert);
    recentTasks_->setCompleter(nullptr);
    place(recentTasks_, 6, 106, 250, 22);
    setPixelFont(recentTasks_, "Arial", 12);
    inputLine_ = recentTasks_->lineEdit();
    controls_[RecentTasksList] = recentTasks_;
    controls_[InputLine] = inputLine_;
    connect(recentTasks_, &QComboBox::activated, this,
            [this](int) { dispatch(RecentTasksList, kNotifySelectionConfirmed); });
    inputLine_->installEventFilter(this);
    recentTasks_->installEventFilter(this);
}

void MainWindow::buildKeypad(QWidget* client) {
    for (int key = 0; key < kKeyCount; ++key) {
        int row = key / kKeyColumns;
        int column = key % kKeyColumns;
        bool functionRow = row < kFunctionKeyRows;
        int top = functionRow ? 24 * row + 166 : 35 * row + 152;
        auto* button = new KeyButton(QString::fromLatin1(keyText(key)), client);
        place(button, 41 * column + 7, top, 42, functionRow ? 25 : 36);
        button->setToolTip(QString::fromLatin1(keyToolTip(key)));
        if (key == InverseKey) button->setCheckable(true);
        if (key == MinusKey) setPixelFont(button, "San Serif", 20);
        // Keys with words on them (sin, MS, C) take the smaller font.
        if ((functionRow || column == 0) && key != InverseKey) setPixelFont(button, "San Serif", 12);
        if (key >= EqualsKey) button->hide();
        connect(button, &QPushButton::clicked, this, [this, key] { dispatch(KeyFirst + key); });
        controls_[KeyFirst + key] = button;
    }
    auto* equals = new KeyButton("=", client);
    place(equals, 171, 327, 83, 36);
    connect(equals, &QPushButton::clicked, this, [this] { dispatch(EnterButton); });
    controls_[EnterButton] = equals;
}

void MainWindow::buildToolbar() {
    toolbar_ = new QToolBar("Toolbar", this);
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    // Small icons, as on Windows, so that the buttons fit the window's 267 pixels.
    toolbar_->setIconSize(QSize(scaled(16), scaled(16)));
    addToolBar(Qt::TopToolBarArea, toolbar_);
    for (const ToolbarButton& button : toolbarButtons()) {
        if (button.image == ToolbarImage::None) {
            toolbar_->addSeparator();
            continue;
        }
        QAction* action = toolbar_->addAction(toolbarIcon(button.image), "");
        action->setToolTip(button.toolTip);
        action->setData(button.id);
        connect(action, &QAction::triggered, this, [this, id = button.id] { dispatch(id); });
    }
}

void MainWindow::buildMenus() {
    // Six titles share a window 267 pixels wide: tighter padding keeps Help in view.
    // Styled items lose the palette's colours unless they are named.
    menuBar()->setStyleSheet(
        "QMenuBar { spacing: 0px; } QMenuBar::item { padding: 2px 5px; background: transparent; color: "
        "palette(window-text); }"
        " QMenuBar::item:selected { background: palette(highlight); color: palette(highlighted-text); }");
    std::vector<QMenu*> open;
    QMenu* editMenu = nullptr;
    int position = 0;
    for (const MenuEntry& entry : menuBarEntries()) {
        switch (entry.kind) {
            case MenuEntryKind::PopupBegin: {
                QMenu* menu = open.empty() ? menuBar()->addMenu(entry.text) : open.back()->addMenu(entry.text);
                if (open.empty()) {
                    if (position == EditPopup) editMenu = menu;
                    connect(menu, &QMenu::aboutToShow, this, [this, position] { refreshMenu(position); });
                    ++position;
                }
                open.push_back(menu);
                break;
            }
            case MenuEntryKind::PopupEnd: open.pop_back(); break;
            case MenuEntryKind::Separator: open.back()->addSeparator(); break;
            case MenuEntryKind::Item: {
                QString text = QString::fromUtf8(entry.text);
                const char* keys = acceleratorOf(entry.id);
                if (keys) text = text.section('\t', 0, 0);
                QAction* action = open.back()->addAction(commandIcon(entry.id), text);
                if (keys) action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
                action->setData(entry.id);
                action->setCheckable(isCheckItem(entry.id));
                action->setChecked(entry.checked);
                connect(action, &QAction::triggered, this, [this, id = entry.id] {
                    dispatch(id);
                    refreshMenu(FormatPopup);
                    refreshMenu(ViewPopup);
                });
                menuActions_[entry.id] = action;
                break;
            }
        }
    }
    // A greyed item would also silence its shortcut; the accelerators act
    // whatever the menu showed when it was last open.
    connect(editMenu, &QMenu::aboutToHide, this, [editMenu] {
        for (QAction* action : editMenu->actions()) action->setEnabled(true);
    });
}

// Keys without a menu item of their own (Enter, and the memory keys F6 and F7)
// get a shortcut here; every key is kept for the input line's filter.
void MainWindow::buildAccelerators() {
    for (const Accelerator& accelerator : acceleratorKeys()) {
        QKeySequence keys(QString::fromLatin1(accelerator.keys));
        acceleratorSequences_.append(keys);
        if (menuActions_.contains(accelerator.id)) continue;
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this,
                [this, id = accelerator.id] { dispatch(id, kNotifyAccelerator); });
    }
}

void MainWindow::refreshMenu(int popupPosition) {
    if (!logic_) return;
    for (const MenuItemState& item : logic_->menuItemStates(popupPosition)) {
        QAction* action = menuActions_.value(item.id);
        if (!action) continue;
        action->setEnabled(item.enabled);
        if (action->isCheckable()) action->setChecked(item.checked);
    }
}

// The input line would take the editing keys for itself (Ctrl+C, Ctrl+Z, Esc,
// Enter); the accelerators come first, as they do wherever the focus is.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        acceleratorSequences_.contains(QKeySequence(static_cast<QKeyEvent*>(event)->keyCombination()))) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::focusInEvent(QFocusEvent* event) {
    QMainWindow::focusInEvent(event);
    inputLine_->setFocus();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // The recent-tasks list hands its own palette to the input line when the
    // palette changes, after this window has heard of it: the grey and the
    // text colour go back once every widget has.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        QTimer::singleShot(0, this, [this] { fitDisplayColours(); });
}

void MainWindow::fitDisplayColours() {
    // The menu bar's style sheet takes the palette's colours when it is set.
    QString sheet = menuBar()->styleSheet();
    menuBar()->setStyleSheet(QString());
    menuBar()->setStyleSheet(sheet);
    for (int id : {UpperResultLine, LowerResultLine, FirstRootLabel, SecondRootLabel}) {
        if (QWidget* line = controls_.value(id))
            setTextColour(line, readableOnDisplay(palette().color(QPalette::WindowText)));
    }
    if (!inputLine_) return;
    QPalette input = inputLine_->palette();
    input.setColor(QPalette::Base, kDisplayGrey);
    input.setColor(QPalette::Text, readableOnDisplay(palette().color(QPalette::Text)));
    inputLine_->setPalette(input);
}

// The history asked for at start-up is placed from this window's real frame,
// once the show has been processed.
void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!historyAfterShow_) return;
    QTimer::singleShot(0, this, [this] {
        if (!historyAfterShow_) return;
        historyAfterShow_ = false;
        dispatch(ViewHistory);
    });
}

int MainWindow::fullHeight() const {
    return menuBar()->sizeHint().height() + toolbar_->sizeHint().height() + scaled(kClientHeight);
}

void MainWindow::centreOnScreen() {
    QScreen* screen = this->screen();
    if (!screen) return;
    QRect area = screen->geometry();
    move(area.x() + area.width() / 2 - scaled(133), area.y() + area.height() / 2 - fullHeight() / 2);
}

void MainWindow::setDisplayOnly(bool displayOnly) {
    displayOnly_ = displayOnly;
    client_->setFixedHeight(scaled(displayOnly ? kDisplayOnlyHeight : kClientHeight));
    raise();
}

void MainWindow::setAlwaysOnTop(bool onTop) {
    bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown) show();
}

}  // namespace molvane
