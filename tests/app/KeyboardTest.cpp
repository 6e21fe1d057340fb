#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QSplitter>
#include <QTest>
#include <QTextBrowser>

#include "AppTestSupport.h"
#include "RecordingView.h"
#include "app/CMainFrame.h"
#include "app/HelpWindow.h"
#include "controls/GfxOutBarCtrl.h"
#include "db/DatabaseConnection.h"
#include "phone/PhoneLink.h"

namespace {
class KeyboardTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        RecordingView::log.clear();
    }
    void TearDown() override {
        closeAllDatabases();
        AppTest::TearDown();
    }
    // Shortcuts answer only in the active window.
    static void activate(QWidget& frame) {
        frame.show();
        QApplication::setActiveWindow(&frame);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    }
    std::unique_ptr<PhoneLink> offline = makeTestLink(false);
};

ViewFactory recordingViews() {
    return [](int view) { return new RecordingView(view); };
}
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

TEST_F(KeyboardTest, F6MovesBetweenBarAndViewAndTheBarWorksWithArrowsAndEnter) {
    CMainFrame frame(offline.get(), 15);
    activate(frame);
    QTest::keyClick(&frame, Qt::Key_F6);
    CGfxOutBarCtrl* bar = frame.bar();
    ASSERT_TRUE(bar->hasFocus());
    EXPECT_EQ(bar->keyCursor(), (CGfxOutBarCtrl::HitResult{CGfxOutBarCtrl::HitFolder, 0}));

    // Down walks the open folder's five items, then reaches the next header.
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(bar, Qt::Key_Down);
    }
    EXPECT_EQ(bar->keyCursor(), (CGfxOutBarCtrl::HitResult{CGfxOutBarCtrl::HitFolder, 1}));
    QTest::keyClick(bar, Qt::Key_Return);
    EXPECT_EQ(frame.currentView(), SmsViewNo);
    EXPECT_EQ(bar->selFolder(), 1);
    QTest::keyClick(bar, Qt::Key_Up);
    EXPECT_EQ(bar->keyCursor(), (CGfxOutBarCtrl::HitResult{CGfxOutBarCtrl::HitFolder, 0}));

    QTest::keyClick(&frame, Qt::Key_F6);
    EXPECT_FALSE(bar->hasFocus());
    EXPECT_TRUE(frame.view()->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(&frame, Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(bar->hasFocus());
}

TEST_F(KeyboardTest, BarEnterOnAnItemClicksIt) {
    CMainFrame frame(offline.get(), 15, recordingViews());
    activate(frame);
    frame.openFolder(2);
    frame.bar()->setFocus();
    QTest::keyClick(frame.bar(), Qt::Key_Down);
    QTest::keyClick(frame.bar(), Qt::Key_Down);
    QTest::keyClick(frame.bar(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(RecordingView::log, QStringList{"3 newSchedule(2)"});
}

TEST_F(KeyboardTest, AFeatureCommandFromAnotherViewSwitchesAndRuns) {
    CMainFrame frame(offline.get(), 15, recordingViews());
    QAction* reply = frame.commandAction("SMS", "Reply to Message");
    QAction* reminder = frame.commandAction("Scheduler", "Reminder");
    QAction* filter = frame.commandAction("Option", "Filter Setting");
    ASSERT_TRUE(reply && reminder && filter);
    EXPECT_TRUE(reply->isEnabled());
    reply->trigger();
    EXPECT_EQ(frame.currentView(), SmsViewNo);
    EXPECT_EQ(frame.bar()->selFolder(), 1);
    reminder->trigger();
    EXPECT_EQ(frame.currentView(), SchedulerViewNo);
    filter->trigger();
    EXPECT_EQ(frame.currentView(), PhonebookViewNo);
    EXPECT_EQ(RecordingView::log,
              (QStringList{"1 replyMessage", "3 newSchedule(1)", "0 filterSetting"}));

    // Without a folder for its feature a command stays greyed.
    CMainFrame noScheduler(offline.get(), 12, recordingViews());
    for (QAction* action : noScheduler.findChildren<QAction*>()) {
        if (action->text() == "&Reminder") {
            EXPECT_FALSE(action->isEnabled());
        }
    }
}

TEST_F(KeyboardTest, F1OpensTheHelpAtTheShownViewsSection) {
    CMainFrame frame(offline.get(), 15, recordingViews());
    activate(frame);
    const std::pair<int, QString> cases[] = {
        {0, "phonebook"}, {1, "messages"}, {2, "scheduler"}, {3, "todo"}};
    for (const auto& [folder, anchor] : cases) {
        frame.openFolder(folder);
        QApplication::setActiveWindow(&frame);
        QTest::keyClick(&frame, Qt::Key_F1);
        auto* help = frame.findChild<HelpWindow*>();
        ASSERT_TRUE(help);
        EXPECT_EQ(help->browser()->source().fragment(), anchor);
    }
}
