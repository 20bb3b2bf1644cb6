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
#include "ui/qt/accessible_display_line.h"
#include "ui/qt/answer_announcer.h"
#include "ui/qt/colour_contrast.h"
#include "ui/qt/desktop_settings.h"
#include "ui/qt/display_widgets.h"
#include "ui/qt/history_window.h"
#include "ui/window_layout.h"

// The resources live in a static library: they are linked in only when named,
// and the name must be declared outside any namespace.
static void loadResources() { Q_INIT_RESOURCE(molvane); }

namespace molvane {

namespace {

// The display's grey is fixed, the colour of its other texts is the desktop's:
// a dark theme's light text would vanish on the grey, so it reads black there.
QColor readableOnDisplay(const QColor& colour) {
    return qtColour(readableColour(kDisplayGrey, {colourOf(colour), Colour{0, 0, 0}}));
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

Qt::Alignment qtAlignment(TextAlignment alignment) {
    switch (alignment) {
        case TextAlignment::Centre: return Qt::AlignCenter;
        case TextAlignment::Right: return Qt::AlignRight | Qt::AlignVCenter;
        case TextAlignment::Left: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// The program's own drawing, unless the desktop names an icon theme that has
// the name. The fallback theme holds programs' icons, not these: searching its
// hundreds of folders for each name cost some 49,000 failing probes of the
// disk at every start, so it is never asked.
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
    QString theme = QIcon::themeName();
    bool desktopTheme = !theme.isEmpty() && theme != "hicolor" && theme != QIcon::fallbackThemeName();
    if (desktopTheme && QIcon::hasThemeIcon(name)) return QIcon::fromTheme(name);
    return QIcon(QString(":/icons/%1.svg").arg(name));
}

}  // namespace

MainWindow::MainWindow() {
    loadResources();
    installDisplayLineAccessibility();
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
    for (const ControlLayout& layout : mainWindowLayout()) buildControl(client_, layout);
    if (QWidget* answer = controls_.value(LowerResultLine)) announcer_ = new AnswerAnnouncer(answer);
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
    // A zoom saved on a larger screen comes down to one that fits this one.
    zoom_ = savedZoom();
    applyZoom();
    while (zoom_ > kZoomSmallest && !fitsOnScreen(mainWindowFrame(), workArea())) {
        zoom_ -= kZoomStep;
        applyZoom();
    }
    fitDisplayColours();
}

MainWindow::~MainWindow() = default;

int MainWindow::scaled(int pixels) const { return static_cast<int>(pixels * scale_ + 0.5); }

void MainWindow::place(QWidget* widget, const Rectangle96& place) {
    QRect base(place.x, place.y, place.width, place.height);
    placed_.append({widget, base});
    widget->setGeometry(scaled(base.x()), scaled(base.y()), scaled(base.width()), scaled(base.height()));
}

void MainWindow::setRoleFont(QWidget* widget, FontRole role) {
    RoleFont chosen = fontOf(role);
    if (!chosen.face) return;
    QFont font(chosen.face);
    // Where no face of the name exists, the sans-serif hint makes the font
    // system pick the platform's own.
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(scaled(chosen.pixels));
    widget->setFont(font);
    fontPixels_.append({widget, chosen.pixels});
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

// A zoom that would make the window larger than its screen is taken back.
void MainWindow::setZoom(int percent) {
    percent = std::clamp(percent, kZoomSmallest, kZoomLargest);
    if (percent == zoom_) return;
    int previous = zoom_;
    zoom_ = percent;
    applyZoom();
    if (zoom_ > previous && !fitsOnScreen(mainWindowFrame(), workArea())) {
        zoom_ = previous;
        applyZoom();
        return;
    }
    saveZoom(zoom_);
}

WindowFrame MainWindow::workArea() const {
    QRect area = screen() ? screen()->availableGeometry() : QRect();
    return {area.x(), area.y(), area.width(), area.height()};
}

// Every fixed position, size and font of the window grows by the zoom; so do
// the fonts the window leaves to the system, the toolbar's icons and the
// history beside it.
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
    toolbar_->setIconSize(QSize(scaled(16), scaled(16)));
    client_->setFixedSize(scaled(kClientWidth), scaled(displayOnly_ ? kDisplayOnlyHeight : kClientHeight));
    // The window takes its new size now, and grows back onto its screen where
    // it would grow off it.
    layout()->activate();
    WindowFrame frame = mainWindowFrame();
    WindowFrame kept = keptOnScreen(frame, workArea());
    if (kept.left != frame.left || kept.top != frame.top) move(kept.left, kept.top);
    if (history_->isVisible()) {
        // The history follows once the window has taken its new size.
        QTimer::singleShot(0, this, [this] {
            history_->setFixedSize(width(), fullHeight());
            history_->move(dockedWindowLeft(mainWindowFrame(), screenRight()), frameGeometry().top());
        });
    }
}

// One control of the layout, wired to the command of its id.
void MainWindow::buildControl(QWidget* client, const ControlLayout& layout) {
    QWidget* widget = nullptr;
    auto command = [this, id = layout.id](int notification = kNotifyClicked) { dispatch(id, notification); };
    switch (layout.kind) {
        case ControlKind::DisplayFrame: {
            auto* frame = new QFrame(client);
            frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            frame->setLineWidth(2);
            frame->setAutoFillBackground(true);
            QPalette grey = frame->palette();
            grey.setColor(QPalette::Window, qtColour(kDisplayGrey));
            frame->setPalette(grey);
            widget = frame;
            break;
        }
        case ControlKind::RecentTasks: widget = buildInputLine(client); break;
        case ControlKind::Key:
        case ControlKind::EnterButton: {
            auto* button = new KeyButton(QString::fromLatin1(layout.caption), client);
            button->setCheckable(layout.id == KeyInverse);
            connect(button, &QPushButton::clicked, this, [command] { command(); });
            widget = button;
            break;
        }
        default: {
            auto* label =
                new ClickableLabel(QString::fromLatin1(layout.caption), layout.kind == ControlKind::TaskLine, client);
            // Engine texts such as "<Complex number>" must never be read as markup.
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(qtAlignment(layout.alignment));
            if (layout.kind == ControlKind::TaskLine) setTextColour(label, qtColour(kTaskGreen));
            connect(label, &ClickableLabel::activated, this, command);
            widget = label;
            break;
        }
    }
    place(widget, layout.place);
    setRoleFont(widget, layout.font);
    widget->setToolTip(QString::fromLatin1(layout.toolTip));
    widget->setAccessibleName(QString::fromStdString(layout.name));
    if (!layout.shown) widget->hide();
    if (layout.id != kDisplayFrame) controls_[layout.id] = widget;
}

QWidget* MainWindow::buildInputLine(QWidget* client) {
    recentTasks_ = new RecentTasksBox(client);
    recentTasks_->setEditable(true);
    recentTasks_->setInsertPolicy(QComboBox::NoInsert);
    recentTasks_->setCompleter(nullptr);
    inputLine_ = recentTasks_->lineEdit();
    controls_[InputLine] = inputLine_;
    connect(recentTasks_, &QComboBox::activated, this,
            [this](int) { dispatch(RecentTasksList, kNotifySelectionConfirmed); });
    connect(recentTasks_, &RecentTasksBox::recall, this, [this](int command) { dispatch(command); });
    inputLine_->installEventFilter(this);
    recentTasks_->installEventFilter(this);
    return recentTasks_;
}

void MainWindow::buildToolbar() {
    toolbar_ = new QToolBar("Toolbar", this);
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    // Small icons, as on Windows, so that the buttons fit the window's 267
    // pixels; the zoom sets their size.
    addToolBar(Qt::TopToolBarArea, toolbar_);
    for (const ToolbarButton& button : toolbarButtons()) {
        if (button.image == ToolbarImage::None) {
            toolbar_->addSeparator();
            continue;
        }
        // Looked up once, for the button and the menu item of its command.
        QIcon icon = toolbarIcon(button.image);
        commandIcons_[button.id] = icon;
        QAction* action = toolbar_->addAction(icon, "");
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
                // A menu item shows the icon of the toolbar button that runs the same command.
                QAction* action = open.back()->addAction(commandIcons_.value(entry.id), text);
                if (keys) action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
                action->setData(entry.id);
                action->setCheckable(entry.checkable);
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
    connect(editMenu, &QMenu::aboutToHide, this, [this] { refreshMenu(EditPopup, false); });
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

void MainWindow::refreshMenu(int popupPosition, bool opening) {
    if (!logic_) return;
    for (const MenuItemState& item : logic_->menuItemStates(popupPosition, opening)) {
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
    input.setColor(QPalette::Base, qtColour(kDisplayGrey));
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
