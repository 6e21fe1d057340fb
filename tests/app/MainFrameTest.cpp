// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include "FrameTest.h"
#include "RecordingView.h"
#include "app/CMainFrame.h"
#include "app/ResourceSets.h"
#include "controls/GfxOutBarCtrl.h"
#include "db/DatabaseConnection.h"
#include "db/DatabaseSchema.h"
#include "db/Recordset.h"
#include "phone/AppState.h"
#include "phone/PhoneLink.h"
#include "phonebook/ui/CPhonebookView.h"
#include "platform/ui/LoadProgressWindow.h"
#include "scheduler/ui/CSchedulerView.h"
#include "sms/CSmsDB.h"
#include "sms/ui/CSmsView.h"
#include "support/EnginePhoneLink.h"
#include "todo/ui/CTodolistView.h"

namespace {
QStringList menuTitles(const QMainWindow& frame) {
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions()) {
        titles.append(action->text().remove('&'));
    }
    return titles;
}

QStringList folderNames(const CGfxOutBarCtrl& bar) {
    QStringList names;
    for (int i = 0; i < bar.folderCount(); ++i) {
        names.append(bar.folderText(i));
    }
    return names;
}

class MainFrameTest : public FrameTest {
  protected:
    std::unique_ptr<PhoneLink> online = makeTestLink(true);
};
}  // namespace

TEST_F(MainFrameTest, Mask15HasEveryMenuAndFolderAndStartsOnThePhonebook) {
    CMainFrame frame(offline.get(), 15);
    EXPECT_EQ(menuTitles(frame), (QStringList{"File", "View", "Phone Book", "SMS", "Scheduler",
                                              "To Do List", "Option", "Help"}));
    EXPECT_EQ(folderNames(*frame.bar()),
              (QStringList{"Phone Book", "SMS", "Scheduler", "To Do List"}));
    EXPECT_EQ(frame.bar()->itemText(0, 0), "Copy to SIM   ");
    EXPECT_EQ(frame.bar()->selFolder(), 0);
    EXPECT_TRUE(frame.bar()->isSmallIconView());
    EXPECT_EQ(frame.currentView(), PhonebookViewNo);
    EXPECT_TRUE(qobject_cast<CPhonebookView*>(frame.view()));
    EXPECT_EQ(frame.size(), CMainFrame::DefaultSize);
}

TEST_F(MainFrameTest, TheWindowComesBackWithTheSizeAndPlaceItClosedWith) {
    {
        CMainFrame frame(offline.get(), 15);
        frame.show();
        frame.setGeometry(40, 50, 900, 600);
        frame.close();
    }
    CMainFrame again(offline.get(), 15);
    EXPECT_EQ(again.size(), QSize(900, 600));
    EXPECT_TRUE(again.property("geometryRestored").toBool());
}

TEST_F(MainFrameTest, Mask14HasNoToDoListAndMask12NoSchedulerNorToDoList) {
    CMainFrame frame14(offline.get(), 14);
    EXPECT_EQ(folderNames(*frame14.bar()), (QStringList{"Phone Book", "SMS", "Scheduler"}));
    EXPECT_FALSE(menuTitles(frame14).contains("To Do List"));
    CMainFrame frame12(offline.get(), 12);
    EXPECT_EQ(folderNames(*frame12.bar()), (QStringList{"Phone Book", "SMS"}));
    EXPECT_EQ(menuTitles(frame12),
              (QStringList{"File", "View", "Phone Book", "SMS", "Option", "Help"}));
}

TEST_F(MainFrameTest, AMaskWithoutPhonebookStartsOnItsFirstFoldersView) {
    CMainFrame frame(offline.get(), 6);
    EXPECT_EQ(folderNames(*frame.bar()), (QStringList{"SMS", "Scheduler"}));
    EXPECT_EQ(frame.currentView(), SmsViewNo);
    EXPECT_TRUE(qobject_cast<CSmsView*>(frame.view()));
}

TEST_F(MainFrameTest, FolderSwitchShowsTheFeatureViewAndResetsTheFlags) {
    CMainFrame frame(offline.get(), 15);
    QSplitter* splitter = frame.splitter();
    frame.itemClicked(3);  // phonebook item, no effect on the flag
    for (int position : {1, 2, 3, 0}) {
        frame.SwitchFolder(position);
        EXPECT_TRUE(frame.todoPriorityOn());
        EXPECT_EQ(frame.currentFolder(), position);
        EXPECT_EQ(splitter->widget(1), frame.view());
    }
    frame.SwitchFolder(2);
    EXPECT_TRUE(qobject_cast<CSchedulerView*>(frame.view()));
    frame.SwitchFolder(3);
    EXPECT_TRUE(qobject_cast<CTodolistView*>(frame.view()));
    EXPECT_EQ(splitter->count(), 2);
}

TEST_F(MainFrameTest, ReopeningTheShownFolderKeepsItsView) {
    CMainFrame frame(offline.get(), 15);
    frame.SwitchFolder(1);
    QWidget* view = frame.view();
    frame.SwitchFolder(1);
    EXPECT_EQ(frame.view(), view);
}

TEST_F(MainFrameTest, ItemClicksReachTheViewSlotsWithMask15) {
    CMainFrame frame(offline.get(), 15, recordingViews());
    frame.itemClicked(0);
    frame.itemClicked(4);
    frame.SwitchFolder(1);
    frame.itemClicked(1);
    frame.SwitchFolder(2);
    frame.itemClicked(0);
    frame.itemClicked(3);
    frame.SwitchFolder(3);
    frame.itemClicked(2);
    frame.itemClicked(3);
    frame.itemClicked(3);
    frame.itemClicked(7);  // no such item
    EXPECT_EQ(
        RecordingView::log,
        (QStringList{"0 copyToSim", "0 print", "1 forwardMessage", "3 newSchedule(1)",
                     "3 newSchedule(4)", "4 showTab(2,0)", "4 showTab(3,0)", "4 showTab(3,1)"}));
}

TEST_F(MainFrameTest, ItemClicksFollowTheFeatureNotThePositionWithMask10) {
    // Mask 10: "Phone Book" at position 0, "Scheduler" at position 1.
    CMainFrame frame(offline.get(), 10, recordingViews());
    frame.SwitchFolder(1);
    EXPECT_EQ(frame.currentView(), SchedulerViewNo);
    frame.itemClicked(2);
    frame.SwitchFolder(0);
    frame.itemClicked(1);
    EXPECT_EQ(RecordingView::log, (QStringList{"3 newSchedule(3)", "0 copyToMs"}));
}

TEST_F(MainFrameTest, PriorityFlagStartsOnAfterEveryFolderSwitch) {
    CMainFrame frame(offline.get(), 15, recordingViews());
    frame.SwitchFolder(3);
    frame.itemClicked(3);
    frame.SwitchFolder(0);
    frame.SwitchFolder(3);
    frame.itemClicked(3);
    EXPECT_EQ(RecordingView::log, (QStringList{"4 showTab(3,0)", "4 showTab(3,0)"}));
}

TEST_F(MainFrameTest, BarClicksArriveAsSignals) {
    CMainFrame frame(offline.get(), 15, recordingViews());
    emit frame.bar()->folderChanged(1);
    EXPECT_EQ(frame.currentView(), SmsViewNo);
    emit frame.bar()->itemClicked(0);
    EXPECT_EQ(RecordingView::log, QStringList{"1 replyMessage"});
}

TEST_F(MainFrameTest, FirstSchedulerVisitOnlineLoadsBeforeShowingThenChecksPastEntries) {
    QStringList calls;
    CMainFrame* framePtr = nullptr;
    FrameHooks hooks;
    hooks.loadPhoneSchedule = [&] {
        calls.append(QString("load view=%1").arg(framePtr->currentView()));
    };
    hooks.previousScheduleCheck = [&] {
        calls.append(QString("previous view=%1").arg(framePtr->currentView()));
    };
    CMainFrame frame(online.get(), 15, recordingViews(), hooks);
    framePtr = &frame;
    frame.SwitchFolder(2);
    EXPECT_FALSE(frame.schedulerNotVisited());
    frame.SwitchFolder(0);
    frame.SwitchFolder(2);
    EXPECT_EQ(calls, (QStringList{"load view=0", "previous view=3"}));
}

TEST_F(MainFrameTest, FirstSchedulerVisitOfflineStillChecksPastEntries) {
    QStringList calls;
    FrameHooks hooks;
    hooks.loadPhoneSchedule = [&] { calls.append("load"); };
    hooks.previousScheduleCheck = [&] { calls.append("previous"); };
    CMainFrame frame(offline.get(), 15, recordingViews(), hooks);
    frame.SwitchFolder(2);
    frame.SwitchFolder(2);
    EXPECT_EQ(calls, QStringList{"previous"});
}

TEST_F(MainFrameTest, TickRunsTheAlarmCheckOnlyWhileThePhoneIsMissing) {
    int checks = 0;
    FrameHooks hooks;
    hooks.alarmCheck = [&] { ++checks; };
    CMainFrame offlineFrame(offline.get(), 15, recordingViews(), hooks);
    EXPECT_TRUE(offlineFrame.alarmTimer().isActive());
    EXPECT_EQ(offlineFrame.alarmTimer().interval(), 30000);
    offlineFrame.alarmTick();
    offlineFrame.alarmTick();
    EXPECT_EQ(checks, 2);
    CMainFrame onlineFrame(online.get(), 15, recordingViews(), hooks);
    onlineFrame.alarmTick();
    EXPECT_EQ(checks, 2);
}

TEST_F(MainFrameTest, ToolbarHasTenButtonsAndNewDropsDownOnlyOnTheScheduler) {
    CMainFrame frame(offline.get(), 15);
    QStringList tips;
    for (QAction* action : frame.toolBar()->actions()) {
        tips.append(action->toolTip());
    }
    EXPECT_EQ(tips, (QStringList{"New", "Edit/View", "Copy", "Move", "Delete", "DeleteAll",
                                 "Reload", "Connect to Phone", "Help", "Exit"}));
    EXPECT_EQ(frame.toolBar()->iconSize(), QSize(32, 32));
    EXPECT_EQ(frame.newButton()->menu(), nullptr);
    frame.SwitchFolder(2);
    ASSERT_NE(frame.newButton()->menu(), nullptr);
    EXPECT_EQ(frame.newButton()->menu()->actions().size(), 4);
    frame.SwitchFolder(3);
    EXPECT_EQ(frame.newButton()->menu(), nullptr);
}

TEST_F(MainFrameTest, CommandsGoToTheirViewAndTheToolbarToTheShownOne) {
    CMainFrame frame(offline.get(), 15, recordingViews());
    QAction* copyToSim = frame.commandAction("Phone Book", "Copy to SIM");
    QAction* reply = frame.commandAction("SMS", "Reply to Message");
    QAction* toolbarNew = frame.commandAction("Toolbar", "New");
    ASSERT_TRUE(copyToSim && reply && toolbarNew);
    copyToSim->trigger();
    toolbarNew->trigger();
    frame.SwitchFolder(1);
    reply->trigger();
    toolbarNew->trigger();
    EXPECT_EQ(RecordingView::log,
              (QStringList{"0 copyToSim", "0 newEntry", "1 replyMessage", "1 newEntry"}));
}

TEST_F(MainFrameTest, SmsMenuGreysReplyForwardAndResendByTheClickedLine) {
    EnginePhoneLink phone;  // the demo SIM holds received, stored and sent messages
    CMainFrame frame(offline.get(), 15, [&phone](int view) -> QWidget* {
        if (view == SmsViewNo) {
            return new CSmsView(phone.link(), true);
        }
        return new RecordingView(view);
    });
    frame.SwitchFolder(1);
    auto* sms = qobject_cast<CSmsView*>(frame.view());
    ASSERT_TRUE(sms);
    QAction* reply = frame.commandAction("SMS", "Reply to Message");
    QAction* forward = frame.commandAction("SMS", "Forward Message");
    QAction* resend = frame.commandAction("SMS", "Resend Message");
    ASSERT_TRUE(reply && forward && resend);
    auto clickStatus = [&](const QString& status) {
        QTreeWidget* list = sms->list();
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            if (list->topLevelItem(i)->text(4) == status) {
                list->clearSelection();
                list->setCurrentItem(list->topLevelItem(i));
                sms->clickLine(i);
                for (QAction* title : frame.menuBar()->actions()) {
                    if (title->menu()) {
                        emit title->menu()->aboutToShow();
                    }
                }
                return;
            }
        }
        FAIL() << "no line with status " << status.toStdString();
    };
    clickStatus("Read");
    EXPECT_TRUE(reply->isEnabled());
    EXPECT_TRUE(forward->isEnabled());
    EXPECT_FALSE(resend->isEnabled());
    clickStatus("Sent");
    EXPECT_FALSE(reply->isEnabled());
    EXPECT_FALSE(forward->isEnabled());
    EXPECT_TRUE(resend->isEnabled());
    appState().messagesLoaded = 0;
}

TEST_F(MainFrameTest, ToolbarButtonsTheViewCannotHandleAreGreyed) {
    CMainFrame frame(offline.get(), 15);
    frame.SwitchFolder(1);  // the message view has no Copy or Move
    EXPECT_FALSE(frame.commandAction("Toolbar", "Move")->isEnabled());
    EXPECT_TRUE(frame.commandAction("Toolbar", "Delete")->isEnabled());
    EXPECT_TRUE(frame.commandAction("Toolbar", "Exit")->isEnabled());
}

TEST_F(MainFrameTest, StatusBarAndToolbarCanBeHidden) {
    CMainFrame frame(offline.get(), 15);
    frame.show();
    QAction* toolbar = frame.commandAction("&View", "&Toolbar");
    QAction* status = frame.commandAction("&View", "&Status Bar");
    ASSERT_TRUE(toolbar && status);
    EXPECT_TRUE(toolbar->isChecked());
    toolbar->setChecked(false);
    status->setChecked(false);
    EXPECT_FALSE(frame.toolBar()->isVisible());
    EXPECT_FALSE(frame.statusBar()->isVisible());
    for (const char* pane : {"CAP", "NUM", "SCRL"}) {
        EXPECT_TRUE(frame.statusBar()->findChild<QWidget*>(pane)) << pane;
    }
}

TEST_F(MainFrameTest, SplitterGivesTheBar130PixelsAndTheViewTheRest) {
    CMainFrame frame(offline.get(), 15);
    frame.show();
    const QList<int> sizes = frame.splitter()->sizes();
    ASSERT_EQ(sizes.size(), 2);
    EXPECT_EQ(sizes[0], CMainFrame::BarWidth);
    EXPECT_GE(sizes[1], frame.width() / 4);
}

TEST_F(MainFrameTest, ProgressWindowIsInstalledHiddenAndGoesWithTheFrame) {
    auto frame = std::make_unique<CMainFrame>(offline.get(), 15);
    ASSERT_TRUE(frame->progressWindow().window());
    EXPECT_FALSE(frame->progressWindow().window()->isVisible());
    EXPECT_EQ(&currentProgress(), &frame->progressWindow());
    currentProgress().show("Phone Book Load", "Loading.......");
    EXPECT_TRUE(frame->progressWindow().window()->isVisible());
    frame->close();
    EXPECT_EQ(frame->progressWindow().window(), nullptr);
    EXPECT_FALSE(frame->alarmTimer().isActive());
    frame.reset();
    EXPECT_EQ(dynamic_cast<LoadProgressWindow*>(&currentProgress()), nullptr);
}

TEST_F(MainFrameTest, ClosingEmptiesTheThreeDeletionTablesAndNothingElse) {
    for (const char* table : {"mTemp", "sTemp", "pTemp", "sim"}) {
        Recordset rows(kPhonebookDbFile, table);
        ASSERT_TRUE(rows.Open()) << table;
        ASSERT_TRUE(rows.addRows({"Number", "Name"}, {{1, "Ann"}, {2, "O'Brien"}})) << table;
    }
    CMainFrame frame(offline.get(), 15);
    ASSERT_TRUE(frame.sharedRecordset("sim"));
    EXPECT_TRUE(frame.sharedRecordset("sim")->IsOpen());
    EXPECT_TRUE(frame.sharedRecordset("phone_schedule")->IsOpen());
    frame.close();
    EXPECT_FALSE(frame.sharedRecordset("sim")->IsOpen());
    for (const char* table : {"mTemp", "sTemp", "pTemp"}) {
        Recordset rows(kPhonebookDbFile, table);
        ASSERT_TRUE(rows.Open());
        EXPECT_EQ(rows.FullRecordCount(), 0) << table;
    }
    Recordset sim(kPhonebookDbFile, "sim");
    ASSERT_TRUE(sim.Open());
    EXPECT_EQ(sim.FullRecordCount(), 2);
}
