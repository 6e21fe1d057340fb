// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QMainWindow>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

#include "app/NavigationContents.h"
#include "app/ResourceSets.h"
#include "platform/ProgramLauncher.h"
#include "shell/LinkedProgram.h"

class CGfxOutBarCtrl;
class CPhoneScheduleDB;
class CReminderDB;
class LoadProgressWindow;
class PhoneLink;
class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;
class QToolButton;
class Recordset;

// Makes the view of a view number (0 phonebook, 1 messages, 2 call log, 3 scheduler,
// 4 to-do). Tests hand in their own.
using ViewFactory = std::function<QWidget*(int view)>;
QWidget* createFeatureView(int view);

// Work of other parts of the program that the frame starts at fixed moments.
struct FrameHooks {
    // Every tick of the 30-second timer while the phone was not found.
    std::function<void()> alarmCheck;
    // The first time the scheduler folder opens while the phone was found: load the phone's
    // schedule and rebuild the PC's copy from it, before the view shows. Empty: the frame's
    // own tables are loaded and rebuilt from its link.
    std::function<void()> loadPhoneSchedule;
    // The first time the scheduler folder opens, after the view shows: past entries.
    std::function<void()> previousScheduleCheck;
    // The program file dialog and the way programs are started; empty: the real ones.
    ProgramChooser chooseProgram;
    // The file chooser of the Export and Import dialogs; empty: the system's file dialog.
    std::function<QString(const QString& suggested)> chooseExchangeFile;
    ProgramLauncher* launcher = nullptr;
    // "Connect to Phone": the start-up connection once more; empty: the command does nothing.
    std::function<void()> reconnect;
};

// The one top-level window: the navigation bar and the feature view side by side, the menus
// and toolbar of the feature mask, the status bar, the "Phone Data Load" window and the
// 30-second timer.
class CMainFrame : public QMainWindow {
    Q_OBJECT

  public:
    static constexpr int AlarmPeriodMs = 30000;
    static constexpr int BarWidth = 130;
    // Shows the weekly and monthly pages whole on a 1366 by 768 screen.
    static constexpr QSize DefaultSize{1340, 700};

    CMainFrame(PhoneLink* link, int featureMask, ViewFactory viewFactory = {},
               FrameHooks hooks = {});
    ~CMainFrame() override;

    // Opens the bar's folder at this position: the view of its feature.
    void SwitchFolder(int position);
    // Replaces the right-hand pane with a view of this number, unless it shows already.
    void ShowView(int view);
    // Opens the folder as a click on its header does (the bar's own keys and Ctrl+1 to Ctrl+5).
    void openFolder(int position);
    // The bar's folder that shows this view; -1 when none does.
    int folderOfView(int view) const;
    // After a new connection: the link the views and commands use, and the status line.
    void setLink(PhoneLink* link);
    // Makes the view that shows now anew, so that it reads its data as on its first showing.
    void recreateView();
    // Menus and folders of another feature mask, its first folder open.
    void setFeatureMask(int mask);
    // The next start's first view and scheduler visit load from the phone again.
    void forgetFirstVisits();
    // "On line: <maker> on <device>" or "Off line".
    QString connectionText() const;
    QLabel* connectionPane() const { return connectionPane_; }

    int featureMask() const { return featureMask_; }
    PhoneLink* link() const { return link_; }
    CGfxOutBarCtrl* bar() const { return bar_; }
    QSplitter* splitter() const { return splitter_; }
    QWidget* view() const { return view_; }
    int currentView() const { return currentView_; }
    int currentFolder() const { return currentFolder_; }
    bool todoPriorityOn() const { return todoPriorityOn_; }
    bool schedulerNotVisited() const { return schedulerNotVisited_; }
    LoadProgressWindow& progressWindow() const { return *progress_; }
    const QTimer& alarmTimer() const { return alarmTimer_; }
    QToolBar* toolBar() const { return toolBar_; }
    // The toolbar's New button; a drop-down of the four schedule kinds on the scheduler.
    QToolButton* newButton() const;
    // The action of a command of the menu bar or toolbar, by its menu (or "Toolbar") and text.
    QAction* commandAction(const QString& menuTitle, const QString& text) const;
    // One of the six recordsets the views share, by table name ("reminder", "sim", "ms", "SMS",
    // "Todolist", "phone_schedule"); open from construction to closing.
    Recordset* sharedRecordset(const QString& tableName) const;
    // The two scheduler tables among them.
    CPhoneScheduleDB* phoneSchedule() const;
    CReminderDB* reminders() const;

  public slots:
    // A click on an item of the open folder.
    void itemClicked(int item);
    // One tick of the 30-second timer.
    void alarmTick();

    void about();
    // Help on the view that shows (F1).
    void helpOnView();
    // F6 and Shift+F6: the focus goes from the bar to the view and back.
    void switchPane();
    void connectToPhone();
    // Commands that open help, start linked programs or talk to the service centre come with
    // their own parts of the program; the views forward them here.
    void helpContents();
    void linkProgram();
    void executeLinkedProgram();
    void sca();
    void hyperTerminal();
    // File menu: the Export and Import dialogs.
    void exportData();
    void importData();

    void setToolBarShown(bool shown);
    void setStatusBarShown(bool shown);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct RoutedAction {
        QAction* action;
        CommandSpec command;
    };

    void openSharedRecordsets();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void createClient();
    QAction* addCommand(QMenu* menu, const CommandSpec& command, const QString& menuTitle);
    QAction* makeAction(const CommandSpec& command, const QString& group);
    void runCommand(const CommandSpec& command);
    void updateCommandStates();
    void setNewButtonDropDown(bool dropDown);
    void emptyDeletionTables();
    void createKeyboardShortcuts();
    void fillBar(const QList<FolderSpec>& folders);
    void focusView();
    void restoreWindowGeometry();
    void saveWindowGeometry() const;

    PhoneLink* link_;
    int featureMask_;
    ViewFactory viewFactory_;
    FrameHooks hooks_;
    std::vector<std::unique_ptr<Recordset>> recordsets_;
    QList<RoutedAction> actions_;
    QToolBar* toolBar_ = nullptr;
    QAction* newAction_ = nullptr;
    QMenu* newScheduleMenu_ = nullptr;
    QSplitter* splitter_ = nullptr;
    CGfxOutBarCtrl* bar_ = nullptr;
    QWidget* view_ = nullptr;
    int currentView_ = -1;
    int currentFolder_ = 0;
    bool schedulerNotVisited_ = true;
    bool todoPriorityOn_ = true;
    ProgramLauncher& launcher();

    std::unique_ptr<LoadProgressWindow> progress_;
    ProcessLauncher processLauncher_;
    QTimer alarmTimer_;
    QLabel* connectionPane_ = nullptr;
    bool closed_ = false;
};
