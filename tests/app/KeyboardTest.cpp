// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTextBrowser>

#include "FrameTest.h"
#include "app/CMainFrame.h"
#include "app/HelpWindow.h"
#include "controls/GfxOutBarCtrl.h"
#include "db/DatabaseConnection.h"
#include "phone/PhoneLink.h"

namespace {
class KeyboardTest : public FrameTest {
  protected:
    // Shortcuts answer only in the active window.
    static void activate(QWidget& frame) {
        frame.show();
        QApplication::setActiveWindow(&frame);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    }
};
}  // namespace

TEST_F(KeyboardTest, CtrlDigitsOpenTheFoldersInTheirOrder) {
    struct Case {
        int mask;
        Qt::Key key;
        int view;
    };
    // Mask 6 has only the SMS and Scheduler folders: Ctrl+3 and beyond change nothing.
    const Case cases[] = {{15, Qt::Key_3, SchedulerViewNo}, {15, Qt::Key_2, SmsViewNo},
                          {15, Qt::Key_4, TodoViewNo},      {15, Qt::Key_1, PhonebookViewNo},
                          {6, Qt::Key_2, SchedulerViewNo},  {6, Qt::Key_3, SmsViewNo},
                          {15, Qt::Key_5, PhonebookViewNo}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        CMainFrame frame(offline.get(), c.mask, recordingViews());
        activate(frame);
        QTest::keyClick(&frame, c.key, Qt::ControlModifier);
        EXPECT_EQ(frame.currentView(), c.view);
        EXPECT_EQ(frame.bar()->selFolder(), frame.folderOfView(c.view));
    }
}

TEST_F(KeyboardTest, F6ReachesTheBarWhoseArrowsAndEnterOpenFoldersAndClickItems) {
    CMainFrame frame(offline.get(), 15, recordingViews());
    activate(frame);
    CGfxOutBarCtrl* bar = frame.bar();
    QTest::keyClick(&frame, Qt::Key_F6);
    ASSERT_TRUE(bar->hasFocus());
    // Down walks the open folder's five items, then reaches the next header.
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(bar, Qt::Key_Down);
    }
    QTest::keyClick(bar, Qt::Key_Return);
    EXPECT_EQ(frame.currentView(), SmsViewNo);
    QTest::keyClick(bar, Qt::Key_Down);
    QTest::keyClick(bar, Qt::Key_Down);
    QTest::keyClick(bar, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(RecordingView::log, QStringList{"1 forwardMessage"});
    QTest::keyClick(&frame, Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_FALSE(bar->hasFocus());
}

TEST_F(KeyboardTest, AFeatureCommandFromAnotherViewSwitchesAndRuns) {
    CMainFrame frame(offline.get(), 15, recordingViews());
    const std::pair<QString, QString> commands[] = {
        {"SMS", "Reply to Message"}, {"Scheduler", "Reminder"}, {"Option", "Filter Setting"}};
    for (const auto& [menu, text] : commands) {
        QAction* action = frame.commandAction(menu, text);
        ASSERT_TRUE(action && action->isEnabled()) << text.toStdString();
        action->trigger();
    }
    EXPECT_EQ(frame.currentView(), PhonebookViewNo);
    EXPECT_EQ(RecordingView::log,
              (QStringList{"1 replyMessage", "3 newSchedule(1)", "0 filterSetting"}));
}

TEST_F(KeyboardTest, F1OpensTheHelpAtTheShownViewsSection) {
    CMainFrame frame(offline.get(), 15, recordingViews());
    activate(frame);
    const std::pair<int, QString> cases[] = {
        {0, "phonebook"}, {1, "messages"}, {2, "scheduler"}, {3, "todo"}};
    for (const auto& [folder, anchor] : cases) {
        frame.openFolder(folder);
        QTest::keyClick(&frame, Qt::Key_F1);
        ASSERT_TRUE(frame.findChild<HelpWindow*>());
        EXPECT_EQ(frame.findChild<HelpWindow*>()->browser()->source().fragment(), anchor);
    }
}
