// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

#include "db/DatabaseConnection.h"
#include "phone/PhoneLink.h"
#include "phone/SlotMirror.h"
#include "platform/PresentTime.h"
#include "platform/Profile.h"
#include "platform/Progress.h"
#include "scheduler/ScheduleTables.h"
#include "scheduler/ScheduleTestEntries.h"
#include "scheduler/ui/ScheduleContext.h"
#include "scheduler/ui/ScheduleEntryDialog.h"
#include "support/EnginePhoneLink.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

const QDateTime kMorning(QDate(2001, 3, 1), QTime(8, 0));

class ScheduleEntryDialogTest : public ::testing::Test {
  protected:
    ScheduleEntryDialogTest() : now(kMorning) {
        Profile::useFolder(dir.path());
        phoneTable.Open();
        reminders.Open();
        context.phoneSchedule = &phoneTable;
        context.reminders = &reminders;
    }
    ~ScheduleEntryDialogTest() override {
        phoneSim.reset();
        closeAllDatabases();
        Profile::useFolder({});
    }

    void goOnLine(const QList<ScheduleEntry>& entries) {
        phoneSim = std::make_unique<EnginePhoneLink>(phoneWithSchedule(entries));
        ASSERT_TRUE(phoneTable.LoadScheduleFromPhone(phoneSim->link(), currentProgress()).loaded());
        context.link = &phoneSim->link();
    }
    void select(int year, int month, int day, int hour, const QString& contents = {}) {
        context.selected = QDateTime(QDate(year, month, day), QTime(hour, 0));
        context.contents = contents;
    }
    // Fills a new dialog and presses OK.
    void storeNew(int type, const QString& contents, const QTime& time, int leadItem) {
        ScheduleEntryDialog dialog(type, context, false);
        dialog.contentsEdit()->setText(contents);
        dialog.timeEdit()->setTime(time);
        dialog.leadTimeList()->setCurrentIndex(leadItem);
        dialog.accept();
        ASSERT_EQ(dialog.result(), QDialog::Accepted);
    }

    TempWorkDir dir;
    ScopedPresentTime now;
    ScriptedPrompter prompter;
    CPhoneScheduleDB phoneTable;
    CReminderDB reminders;
    ScheduleContext context;
    std::unique_ptr<EnginePhoneLink> phoneSim;
};

}  // namespace

TEST_F(ScheduleEntryDialogTest, NewReminderStartsAtTheChosenCell) {
    select(2001, 3, 3, 14);
    ScheduleEntryDialog dialog(ScheduleReminder, context, false);
    EXPECT_EQ(dialog.windowTitle(), "Reminder ");
    EXPECT_EQ(dialog.dateEdit()->date(), QDate(2001, 3, 3));
    EXPECT_EQ(dialog.timeEdit()->time(), QTime(14, 0));
    EXPECT_EQ(dialog.leadTimeList()->currentText(), "The Exact Time");
    EXPECT_EQ(dialog.leadTimeList()->count(), 5);
    EXPECT_TRUE(dialog.alarmBox()->isChecked());
    EXPECT_TRUE(dialog.completedBox()->isHidden());
    EXPECT_EQ(dialog.pickerButton(), nullptr);
}

TEST_F(ScheduleEntryDialogTest, LeadTimeIsStoredAsRingTimeAndRecoveredOnReopening) {
    select(2001, 3, 3, 9);
    storeNew(ScheduleMeeting, "Budget", QTime(9, 30), 3);
    ASSERT_EQ(reminders.rows().size(), 1);
    const ReminderRow row = reminders.rows()[0];
    EXPECT_EQ(row.entry, scheduleEntry(-1, ScheduleMeeting, 2001, 3, 3, 9, 30, "Budget", 9, 0));
    EXPECT_FALSE(row.done);
    EXPECT_EQ(context.contents, "Budget");

    ScheduleEntryDialog reopened(ScheduleMeeting, context, true);
    EXPECT_EQ(reopened.windowTitle(), "Meeting Edit");
    EXPECT_EQ(reopened.contentsEdit()->text(), "Budget");
    EXPECT_EQ(reopened.timeEdit()->time(), QTime(9, 30));
    EXPECT_EQ(reopened.leadTimeList()->currentText(), "Before 30 Minutes");
    EXPECT_FALSE(reopened.completedBox()->isHidden());
}

TEST_F(ScheduleEntryDialogTest, RingBeforeMidnightStaysUnderTheEntryDate) {
    select(2001, 3, 3, 0);
    storeNew(ScheduleReminder, "Late", QTime(0, 10), 3);
    EXPECT_EQ(reminders.rows()[0].entry,
              scheduleEntry(-1, ScheduleReminder, 2001, 3, 3, 0, 10, "Late", 23, 40));
    ScheduleEntryDialog reopened(ScheduleReminder, context, true);
    EXPECT_EQ(reopened.leadTimeList()->currentIndex(), 3);
}

TEST_F(ScheduleEntryDialogTest, HourBeforeIsRecoveredFromEitherTable) {
    const ScheduleEntry meeting =
        scheduleEntry(4, ScheduleMeeting, 2001, 3, 3, 10, 0, "Review", 9, 0);
    reminders.StoreReminder(meeting, false, false);
    select(2001, 3, 3, 10, "Review");
    {
        ScheduleEntryDialog offLine(ScheduleMeeting, context, true);
        EXPECT_EQ(offLine.leadTimeList()->currentText(), "Before 1 Hour");
    }
    ScheduleEntry onPhone = meeting;
    onPhone.alarmMinute = 0;
    goOnLine({onPhone});
    reminders.DeleteAllReminders();
    ScheduleEntryDialog onLine(ScheduleMeeting, context, true);
    EXPECT_EQ(onLine.leadTimeList()->currentText(), "Before 1 Hour");
    EXPECT_TRUE(onLine.completedBox()->isHidden());
}

TEST_F(ScheduleEntryDialogTest, UnknownRingTimeSurvivesAnEdit) {
    // Two hours before: no item gives it, so OK must keep it.
    reminders.StoreReminder(scheduleEntry(-1, ScheduleReminder, 2001, 3, 3, 11, 0, "Far", 9, 0),
                            false, false);
    select(2001, 3, 3, 11, "Far");
    ScheduleEntryDialog dialog(ScheduleReminder, context, true);
    EXPECT_EQ(dialog.leadTimeList()->currentIndex(), -1);
    dialog.contentsEdit()->setText("Farther");
    dialog.accept();
    ASSERT_EQ(reminders.rows().size(), 1);
    EXPECT_EQ(reminders.rows()[0].entry,
              scheduleEntry(-1, ScheduleReminder, 2001, 3, 3, 11, 0, "Farther", 9, 0));
}

TEST_F(ScheduleEntryDialogTest, AlarmBoxSwitchesTheLeadTimeList) {
    select(2001, 3, 3, 9);
    ScheduleEntryDialog dialog(ScheduleReminder, context, false);
    dialog.show();
    QTest::mouseClick(dialog.alarmBox(), Qt::LeftButton, {},
                      QPoint(5, dialog.alarmBox()->height() / 2));
    EXPECT_FALSE(dialog.alarmBox()->isChecked());
    EXPECT_FALSE(dialog.alarmFlag());
    EXPECT_FALSE(dialog.leadTimeList()->isEnabled());
    QTest::mouseClick(dialog.alarmBox(), Qt::LeftButton, {},
                      QPoint(5, dialog.alarmBox()->height() / 2));
    EXPECT_TRUE(dialog.alarmBox()->isChecked());
    EXPECT_TRUE(dialog.leadTimeList()->isEnabled());
}

TEST_F(ScheduleEntryDialogTest, ContentsStopAtTheTypesLimit) {
    select(2001, 3, 3, 9);
    ScheduleEntryDialog birthday(ScheduleBirthday, context, false);
    birthday.show();
    QTest::keyClicks(birthday.contentsEdit(), "Seventeen chars!!");
    EXPECT_EQ(birthday.contentsEdit()->text(), "Seventeen chars!");
    EXPECT_EQ(ScheduleEntryDialog::contentsLimit(ScheduleReminder), 28);
    EXPECT_EQ(ScheduleEntryDialog::contentsLimit(ScheduleCall), 42);
    EXPECT_EQ(ScheduleEntryDialog::contentsLimit(ScheduleMeeting), 28);
}

TEST_F(ScheduleEntryDialogTest, PastEntryWithAlarmSaysItWasAlerted) {
    reminders.StoreReminder(scheduleEntry(-1, ScheduleMeeting, 2001, 2, 27, 9, 0, "Rang", 9, 0),
                            true, false);
    ScheduleEntry silent = scheduleEntry(-1, ScheduleMeeting, 2001, 2, 27, 10, 0, "Quiet");
    reminders.StoreReminder(silent, false, false);
    select(2001, 2, 27, 9, "Rang");
    {
        ScheduleEntryDialog dialog(ScheduleMeeting, context, true);
        EXPECT_EQ(dialog.windowTitle(), "Meeting - This Entry is alerted");
        EXPECT_TRUE(dialog.completedBox()->isChecked());
    }
    select(2001, 2, 27, 10, "Quiet");
    ScheduleEntryDialog dialog(ScheduleMeeting, context, true);
    EXPECT_EQ(dialog.windowTitle(), "Meeting Edit");
    EXPECT_FALSE(dialog.alarmBox()->isChecked());
    EXPECT_FALSE(dialog.leadTimeList()->isEnabled());
}

TEST_F(ScheduleEntryDialogTest, EmptyOrUnsafeContentsKeepTheDialogOpen) {
    select(2001, 3, 3, 9);
    prompter.then(PromptAnswer::Ok).then(PromptAnswer::Ok);
    ScheduleEntryDialog call(ScheduleCall, context, false);
    ASSERT_NE(call.pickerButton(), nullptr);
    call.accept();
    call.contentsEdit()->setText("0123\"");
    call.accept();
    ASSERT_EQ(prompter.prompts().size(), 2);
    EXPECT_EQ(prompter.prompts()[0].text, "You must input Call Number!");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Warning);
    EXPECT_FALSE(prompter.prompts()[1].text.isEmpty());
    EXPECT_EQ(call.result(), QDialog::Rejected);
    EXPECT_EQ(call.contentsEdit()->text(), "0123\"");
    EXPECT_TRUE(reminders.rows().isEmpty());
    EXPECT_EQ(ScheduleEntryDialog::emptyContentsMessage(ScheduleReminder),
              "You must input Reminder Contents!");
    EXPECT_EQ(ScheduleEntryDialog::emptyContentsMessage(ScheduleBirthday),
              "You must input Birthday Contents!");
}

TEST_F(ScheduleEntryDialogTest, OnLineOkWritesThePhoneAndBothTables) {
    goOnLine({scheduleEntry(0, ScheduleReminder, 2001, 3, 9, 9, 0, "Other")});
    select(2001, 3, 3, 9);
    storeNew(ScheduleCall, "0123456", QTime(9, 15), 1);
    ASSERT_EQ(phoneSim->engine().state().schedule.count(1), 1u);
    const PhoneSimScheduleEntry& slot = phoneSim->engine().state().schedule.at(1);
    EXPECT_EQ(slot.contents, "0123456");
    EXPECT_EQ(slot.alarmHour, 9);
    EXPECT_EQ(slot.alarmMinute, 10);
    EXPECT_EQ(phoneTable.entries().size(), 2);
    EXPECT_EQ(reminders.rows().size(), 1);
}
