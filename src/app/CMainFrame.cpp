// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "app/AboutDialog.h"
#include "app/CommandRouting.h"
#include "app/HelpWindow.h"
#include "app/NavigationContents.h"
#include "app/ProgramFileDialog.h"
#include "app/ServiceCentreDialog.h"
#include "app/SplashWindow.h"
#include "app/ToolbarImages.h"
#include "calllog/ui/CallView.h"
#include "controls/GfxOutBarCtrl.h"
#include "controls/OutBarImages.h"
#include "db/DatabaseSchema.h"
#include "db/Recordset.h"
#include "exchange/ui/ExchangeDialogs.h"
#include "phone/PhoneLink.h"
#include "phonebook/DeletionTables.h"
#include "phonebook/ui/CPhonebookView.h"
#include "platform/ui/LoadProgressWindow.h"
#include "scheduler/ScheduleSync.h"
#include "scheduler/ScheduleTables.h"
#include "scheduler/ui/CSchedulerView.h"
#include "shell/ServiceCentre.h"
#include "sms/ui/CSmsView.h"
#include "todo/ui/CTodolistView.h"

namespace {
constexpr int kSplashWaitMs = 1500;

OutBarImageList featureImageList(int feature) {
    switch (feature) {
        case PhonebookFolder:
            return OutBarImages::phonebook();
        case SmsFolder:
            return OutBarImages::messages();
        case SchedulerFolder:
            return OutBarImages::scheduler();
        case TodoFolder:
            return OutBarImages::todo();
        default:
            return {};
    }
}

void waitShowingSplash() {
    QEventLoop loop;
    QTimer::singleShot(kSplashWaitMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
}  // namespace

QWidget* createFeatureView(int view) {
    switch (view) {
        case PhonebookViewNo:
            return new CPhonebookView;
        case SmsViewNo:
            return new CSmsView;
        case CallViewNo:
            return new CCallView;
        case SchedulerViewNo:
            return new CSchedulerView;
        case TodoViewNo:
            return new CTodolistView;
        default:
            return nullptr;
    }
}

CMainFrame::CMainFrame(PhoneLink* link, int featureMask, ViewFactory viewFactory, FrameHooks hooks)
    : link_(link),
      featureMask_(effectiveFeatureMask(featureMask)),
      viewFactory_(viewFactory ? std::move(viewFactory) : ViewFactory(createFeatureView)),
      hooks_(std::move(hooks)) {
    if (!hooks_.chooseProgram) {
        hooks_.chooseProgram = [this] { return ProgramFileDialog::choose(this); };
    }
    if (!hooks_.alarmCheck) {
        hooks_.alarmCheck = [this] { RunSchedulerAlarmCheck(link_, this); };
    }
    if (!hooks_.previousScheduleCheck) {
        hooks_.previousScheduleCheck = [this] {
            if (auto* scheduler = qobject_cast<CSchedulerView*>(view_)) {
                scheduler->runPreviousScheduleCheck();
            }
        };
    }
    if (!hooks_.loadPhoneSchedule) {
        hooks_.loadPhoneSchedule = [this] {
            const MirrorOutcome outcome = RebuildRemindersFromPhone(*link_, currentProgress(),
                                                                    *phoneSchedule(), *reminders());
            if (outcome.notice) {
                showNotice(*outcome.notice);
            }
        };
    }
    restoreWindowGeometry();

    createMenus();
    createKeyboardShortcuts();
    createToolBar();
    createStatusBar();

    if (SplashWindow::showIfEnabled()) {
        waitShowingSplash();
    }

    openSharedRecordsets();

    progress_ = std::make_unique<LoadProgressWindow>(this);
    progress_->create();
    setCurrentProgress(progress_.get());

    alarmTimer_.setInterval(AlarmPeriodMs);
    connect(&alarmTimer_, &QTimer::timeout, this, &CMainFrame::alarmTick);
    alarmTimer_.start();

    createClient();
}

CMainFrame::~CMainFrame() {
    if (&currentProgress() == progress_.get()) {
        setCurrentProgress(nullptr);
    }
}

void CMainFrame::openSharedRecordsets() {
    // Reminders, SIM, phone memory, messages, to-do items and the phone's schedule.
    const QList<std::pair<QString, QString>> tables = {
        {kSchedulerDbFile, "reminder"}, {kPhonebookDbFile, "sim"},
        {kPhonebookDbFile, "ms"},       {kSmsDbFile, "SMS"},
        {kToDoListDbFile, "Todolist"},  {kSchedulerDbFile, "phone_schedule"}};
    for (const auto& [file, table] : tables) {
        std::unique_ptr<Recordset> recordset;
        if (table == "phone_schedule") {
            recordset = std::make_unique<CPhoneScheduleDB>();
        } else if (table == "reminder") {
            recordset = std::make_unique<CReminderDB>();
        } else {
            recordset = std::make_unique<Recordset>(file, table);
        }
        recordset->Open();
        recordsets_.push_back(std::move(recordset));
    }
}

Recordset* CMainFrame::sharedRecordset(const QString& tableName) const {
    for (const std::unique_ptr<Recordset>& recordset : recordsets_) {
        if (recordset->tableName() == tableName) {
            return recordset.get();
        }
    }
    return nullptr;
}

CPhoneScheduleDB* CMainFrame::phoneSchedule() const {
    return static_cast<CPhoneScheduleDB*>(sharedRecordset(QStringLiteral("phone_schedule")));
}

CReminderDB* CMainFrame::reminders() const {
    return static_cast<CReminderDB*>(sharedRecordset(QStringLiteral("reminder")));
}

void CMainFrame::createClient() {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName("frameSplitter");
    splitter_->setChildrenCollapsible(true);
    splitter_->setOpaqueResize(false);
    splitter_->setHandleWidth(4);
    splitter_->setFrameShape(QFrame::NoFrame);

    bar_ = new CGfxOutBarCtrl(splitter_);
    bar_->setImageList(featureImageList(PhonebookFolder), CGfxOutBarCtrl::LargeImages);
    bar_->setImageList(OutBarImages::smallBullet(), CGfxOutBarCtrl::SmallImages);
    const QList<FolderSpec> folders = foldersForMask(featureMask_);
    fillBar(folders);
    bar_->setSelFolder(0);
    bar_->finishAnimation();
    bar_->setSmallIconView(true);
    connect(bar_, &CGfxOutBarCtrl::folderChanged, this, &CMainFrame::SwitchFolder);
    connect(bar_, &CGfxOutBarCtrl::itemClicked, this, &CMainFrame::itemClicked);
    splitter_->addWidget(bar_);

    // The first view is the one of the first folder: the phonebook's wherever the phone has one.
    const int firstView = folders.isEmpty() ? PhonebookViewNo : viewForFeature(folders[0].feature);
    view_ = viewFactory_(firstView);
    currentView_ = firstView;
    splitter_->addWidget(view_);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    const int client = width();
    // The view's pane takes what the bar leaves, and never less than a quarter of the width.
    splitter_->setSizes({BarWidth, std::max(client / 4, client - BarWidth)});
    setCentralWidget(splitter_);
    updateCommandStates();
    // The keyboard starts in the view; F6 reaches the bar.
    focusView();
}

void CMainFrame::fillBar(const QList<FolderSpec>& folders) {
    while (bar_->folderCount() > 0) {
        bar_->removeFolder(0);
    }
    for (const FolderSpec& folder : folders) {
        const int position = bar_->addFolder(folder.name, folder.feature);
        for (const QString& item : folder.items) {
            bar_->insertItem(position, -1, item, 0, 0);
        }
    }
}

void CMainFrame::setFeatureMask(int mask) {
    mask = effectiveFeatureMask(mask);
    if (mask == featureMask_) {
        return;
    }
    featureMask_ = mask;
    // The menus go; the toolbar's commands stay.
    for (qsizetype i = actions_.size() - 1; i >= 0; --i) {
        if (actions_[i].action->property("commandGroup").toString() != QLatin1String("Toolbar")) {
            delete actions_[i].action;
            actions_.removeAt(i);
        }
    }
    for (QMenu* menu : menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) {
        menu->deleteLater();
    }
    menuBar()->clear();
    createMenus();
    fillBar(foldersForMask(featureMask_));
    bar_->setSelFolder(0);
    bar_->finishAnimation();
    currentView_ = -1;
    SwitchFolder(0);
}

void CMainFrame::SwitchFolder(int position) {
    if (position < 0 || position >= bar_->folderCount()) {
        return;
    }
    currentFolder_ = position;
    todoPriorityOn_ = true;
    const int feature = bar_->folderData(position);
    if (feature != SchedulerFolder) {
        setNewButtonDropDown(false);
    }
    bar_->setImageList(featureImageList(feature), CGfxOutBarCtrl::LargeImages);
    switch (feature) {
        case PhonebookFolder:
            ShowView(PhonebookViewNo);
            break;
        case SmsFolder:
            ShowView(SmsViewNo);
            break;
        case SchedulerFolder:
            if (schedulerNotVisited_) {
                if (link_ && link_->phoneFound && hooks_.loadPhoneSchedule) {
                    hooks_.loadPhoneSchedule();
                }
                ShowView(SchedulerViewNo);
                if (hooks_.previousScheduleCheck) {
                    hooks_.previousScheduleCheck();
                }
                schedulerNotVisited_ = false;
            } else {
                ShowView(SchedulerViewNo);
            }
            setNewButtonDropDown(true);
            break;
        case TodoFolder:
            ShowView(TodoViewNo);
            break;
        default:
            break;
    }
    toolBar_->update();
}

void CMainFrame::ShowView(int view) {
    if (view == currentView_) {
        return;
    }
    QWidget* next = viewFactory_(view);
    if (!next) {
        return;
    }
    const QWidget* focused = QApplication::focusWidget();
    const bool focusInView = view_ && focused && (focused == view_ || view_->isAncestorOf(focused));
    QWidget* previous = splitter_->replaceWidget(1, next);
    view_ = next;
    currentView_ = view;
    if (previous) {
        previous->close();
        previous->deleteLater();
    }
    updateCommandStates();
    // Keyboard work in the pane goes on in the view that replaced it.
    if (focusInView) {
        focusView();
    }
}

void CMainFrame::itemClicked(int item) {
    const int feature = bar_->folderData(currentFolder_);
    if (feature == TodoFolder && item == 3) {
        todoPriorityOn_ = !todoPriorityOn_;
    }
    const std::optional<ViewCall> call = itemClickCall(feature, item, todoPriorityOn_);
    if (call && call->view == currentView_) {
        invokeCommand(view_, call->slot, call->arguments);
    }
}

void CMainFrame::alarmTick() {
    if ((!link_ || !link_->phoneFound) && hooks_.alarmCheck) {
        hooks_.alarmCheck();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        progress_->destroy();
        for (const std::unique_ptr<Recordset>& recordset : recordsets_) {
            recordset->Close();
        }
        emptyDeletionTables();
        alarmTimer_.stop();
        saveWindowGeometry();
    }
    event->accept();
}

void CMainFrame::emptyDeletionTables() {
    // Rows deleted during this run can be restored only during this run.
    EmptyPhonebookDeletionTables();
}
