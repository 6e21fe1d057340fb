// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "app/AppTestSupport.h"
#include "app/CMainFrame.h"
#include "app/ModalScript.h"
#include "phone/PhoneLink.h"
#include "platform/PresentTime.h"
#include "scheduler/ScheduleTables.h"
#include "scheduler/ScheduleTestEntries.h"
#include "scheduler/ui/AlarmDialog.h"
#include "scheduler/ui/CSchedulerView.h"

namespace {

const QDateTime kNineTwentyFive(QDate(2001, 5, 14), QTime(9, 25, 20));

class SchedulerFrameTest : public AppTest {
  protected:
    void addReminder(const ScheduleEntry& entry) {
        CReminderDB reminders;
        reminders.Open();
        reminders.StoreReminder(entry, false, false);
    }
    ScopedPresentTime now{kNineTwentyFive};
};

}  // namespace

TEST_F(SchedulerFrameTest, OffLineTickShowsTheDueAlarm) {
    addReminder(scheduleEntry(-1, ScheduleMeeting, 2001, 5, 14, 9, 30, "Budget", 9, 25));
    std::unique_ptr<PhoneLink> offline = makeTestLink(false);
    CMainFrame frame(offline.get(), 15);
    ModalScript script;
    QString message;
    script.then([&](QWidget* widget) {
        auto* alarm = qobject_cast<AlarmDialog*>(widget);
        ASSERT_NE(alarm, nullptr);
        message = alarm->titleEdit()->text() + " | " + alarm->messageLabel()->text();
        alarm->accept();
    });
    frame.alarmTick();
    frame.alarmTick();
    EXPECT_EQ(script.titles, QStringList{"Alarm "});
    EXPECT_EQ(message, "Budget | 9:30 14-May-2001 Schedule!");
}

TEST_F(SchedulerFrameTest, OnLineTickStaysSilent) {
    addReminder(scheduleEntry(-1, ScheduleMeeting, 2001, 5, 14, 9, 30, "Budget", 9, 25));
    std::unique_ptr<PhoneLink> online = makeTestLink(true);
    CMainFrame frame(online.get(), 15);
    ModalScript script;
    frame.alarmTick();
    EXPECT_TRUE(script.titles.isEmpty());
    CReminderDB reminders;
    EXPECT_FALSE(reminders.rows()[0].done);
}

TEST_F(SchedulerFrameTest, FirstSchedulerVisitListsPastEntriesOnce) {
    addReminder(scheduleEntry(-1, ScheduleReminder, 2001, 5, 13, 9, 0, "Dentist"));
    std::unique_ptr<PhoneLink> offline = makeTestLink(false);
    CMainFrame frame(offline.get(), 15);
    ModalScript script;
    QStringList lines;
    script.then([&](QWidget* widget) {
        auto* list = widget->findChild<QListWidget*>();
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < list->count(); ++i) {
            lines << list->item(i)->text();
        }
        qobject_cast<QDialog*>(widget)->accept();
    });
    frame.SwitchFolder(2);
    ASSERT_NE(qobject_cast<CSchedulerView*>(frame.view()), nullptr);
    frame.SwitchFolder(0);
    frame.SwitchFolder(2);
    EXPECT_EQ(script.titles, QStringList{"Previous Schedule List"});
    EXPECT_EQ(lines, QStringList{"(R)Dentist(13-May-2001)"});
}
