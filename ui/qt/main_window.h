// SPDX-License-Identifier: MIT
// The main window: display, input line, keypad, toolbar and menus, and the
// platform calls of the window logic carried out on them.
#pragma once

#include <QComboBox>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QLineEdit>
#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QProgressDialog>
#include <QPushButton>
#include <QToolBar>

#include "ui/platform.h"
#include "ui/qt/display_widgets.h"
#include "ui/window_layout.h"
#include "ui/window_logic.h"

namespace molvane {

class AnswerAnnouncer;
class CompositionWindow;
class HelpWindow;
class HistoryWindow;

class MainWindow : public QMainWindow, public Platform {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    // The logic that every command goes to; set once, before start-up.
    void attach(WindowLogic* logic) { logic_ = logic; }
    // Places the window centred on its screen at full height.
    void centreOnScreen();

    QLineEdit* inputLine() const { return inputLine_; }
    QComboBox* recentTasks() const { return recentTasks_; }
    HistoryWindow* historyWindow() const { return history_; }
    QWidget* control(int id) const { return controls_.value(id); }
    QAction* menuAction(int id) const { return menuActions_.value(id); }
    QToolBar* toolbar() const { return toolbar_; }
    // Brings the check marks and enabled items of one popup up to date, as it
    // opens or once it has closed.
    void refreshMenu(int popupPosition, bool opening = true);

    // Platform
    void setControlText(int id, const std::string& text) override;
    std::string controlText(int id) const override;
    void setToolTip(int id, const std::string& text) override;
    void setControlVisible(int id, bool visible) override;
    void setKeyChecked(int id, bool checked) override;
    void setIndicatorActive(int id, bool active) override;
    void setControlName(int id, const std::string& name) override;
    void announce(const std::string& text) override;
    std::string inputText() const override;
    void setInputText(const std::string& text) override;
    TextSelection inputSelection() const override;
    void setInputSelection(int start, int end) override;
    void replaceInputSelection(const std::string& text) override;
    void clearInputSelection() override;
    void undoInput() override;
    bool inputCanUndo() const override;
    void focusInputLine() override;
    void insertRecentTask(const std::string& task) override;
    void insertRecentTasks(const std::vector<std::string>& tasks) override;
    void clearRecentTasks() override;
    std::string selectedRecentTask() const override;
    void setDisplayOnly(bool displayOnly) override;
    void setAlwaysOnTop(bool onTop) override;
    WindowFrame mainWindowFrame() const override;
    int screenRight() const override;
    void closeMainWindow() override;
    bool historyWindowVisible() const override;
    void showHistoryWindow(int left, int top) override;
    void hideHistoryWindow() override;
    void setHistoryText(const std::string& text) override;
    void appendHistoryText(const std::string& text) override;
    std::string historyText() const override;
    bool compositionWindowVisible() const override;
    void showCompositionWindow(int left, int top) override;
    void hideCompositionWindow() override;
    void setCompositionText(const std::string& text) override;
    std::string clipboardText() const override;
    bool clipboardHasText() const override;
    void setClipboardText(const std::string& text) override;
    void showErrorMessage(const std::string& caption, const std::string& text) override;
    std::filesystem::path chooseFileToOpen() override;
    std::filesystem::path chooseFileToSave(const std::string& suggestedName) override;
    PlatformResult printText(const std::string& documentName, const std::string& text, bool preview) override;
    void runNumberFormatDialog() override;
    void runAboutDialog() override;
    PlatformResult showHelp() override;
    void beginProgress(const std::string& label, int total) override;
    bool reportProgress(int done) override;
    void endProgress() override;

    HelpWindow* helpWindow() const { return help_; }
    CompositionWindow* compositionWindow() const { return composition_; }
    QProgressDialog* progressDialog() const { return progress_; }
    // How long a long operation runs before its progress shows, in milliseconds.
    qint64 progressDelay = kProgressDelayMs;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int scaled(int pixels) const;
    // A child at its place in 96-dpi pixels, and its font of a size in them;
    // both are kept so that a zoom can place them again.
    void place(QWidget* widget, const Rectangle96& place);
    void setRoleFont(QWidget* widget, FontRole role);
    // The display's texts whose colour is the desktop's, made readable on its fixed grey.
    void fitDisplayColours();
    void alignHistoryTop();
    void setZoom(int percent);
    void applyZoom();
    // The part of this window's screen that windows may take, without its panels.
    WindowFrame workArea() const;
    void dispatch(int id, int notification = 0);
    void buildControl(QWidget* client, const ControlLayout& layout);
    QWidget* buildInputLine(QWidget* client);
    void buildToolbar();
    void buildMenus();
    void buildAccelerators();
    int fullHeight() const;
    // Runs `change` on the recent-tasks list without letting the list touch
    // the input line, which the list would fill from its first entry.
    template <typename Change>
    void keepInputLine(Change change);

    WindowLogic* logic_ = nullptr;
    double scale_ = 1.0;      // screen pixels per 96-dpi pixel, zoom included
    double baseScale_ = 1.0;  // the same at 100%
    int zoom_ = 100;          // percent
    bool displayOnly_ = false;
    struct Placed {
        QWidget* widget;
        QRect base;
    };
    QList<Placed> placed_;
    QList<std::pair<QWidget*, int>> fontPixels_;
    QFont clientFont_, menuFont_, historyFont_;
    QWidget* client_ = nullptr;
    RecentTasksBox* recentTasks_ = nullptr;
    QLineEdit* inputLine_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    HistoryWindow* history_ = nullptr;
    HelpWindow* help_ = nullptr;
    CompositionWindow* composition_ = nullptr;
    // The history was asked for before this window was first shown.
    bool historyAfterShow_ = false;
    // A long task file: its progress dialog appears once it has run a second.
    QString progressLabel_;
    int progressTotal_ = 0;
    QElapsedTimer progressClock_;
    qint64 lastProgressUpdate_ = 0;
    QProgressDialog* progress_ = nullptr;
    bool progressCancelled_ = false;
    bool progressHadKeys_ = false;  // the dialog had them when it was cancelled
    QMap<int, QWidget*> controls_;
    AnswerAnnouncer* announcer_ = nullptr;
    QMap<int, QAction*> menuActions_;
    QMap<int, QIcon> commandIcons_;  // the toolbar's, by command
    QList<QKeySequence> acceleratorSequences_;
};

}  // namespace molvane
