// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "phone/PhoneLink.h"
#include "phone/SlotMirror.h"
#include "platform/Profile.h"
#include "platform/Progress.h"
#include "scheduler/ScheduleAlarms.h"
#include "scheduler/ScheduleEditing.h"
#include "scheduler/ScheduleTestEntries.h"
#include "support/EnginePhoneLink.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

const QDate kToday(2001, 5, 14);
const QDateTime kNineTwentyFive(kToday, QTime(9, 25, 10));

class ScheduleAlarmTest : public ::testing::Test {
  protected:
    ScheduleAlarmTest() { Profile::useFolder(dir.path()); }
    ~ScheduleAlarmTest() override {
        phoneSim.reset();
        closeAllDatabases();
        Profile::useFolder({});
    }

    void addReminder(const ScheduleEntry& entry, bool done = false) {
        ASSERT_TRUE(reminders.StoreReminder(entry, done, false));
    }
    AlarmShower recorder() {
        return [this](const QString& title, const QString& message) {
            shown.append(title + " | " + message);
        };
    }
    QList<bool> doneMarks() {
        QList<bool> out;
        for (const ReminderRow& row : reminders.rows()) {
            out << row.done;
        }
        return out;
    }
    PhoneLink& connect(const QList<ScheduleEntry>& entries) {
        phoneSim = std::make_unique<EnginePhoneLink>(phoneWithSchedule(entries));
        EXPECT_TRUE(phoneSim->link().phoneFound);
        EXPECT_TRUE(phoneTable.LoadScheduleFromPhone(phoneSim->link(), currentProgress()).loaded());
        return phoneSim->link();
    }

    TempWorkDir dir;
    ScriptedPrompter prompter;
    CPhoneScheduleDB phoneTable;
    CReminderDB reminders;
    std::unique_ptr<EnginePhoneLink> phoneSim;
    QStringList shown;
};

}  // namespace

TEST_F(ScheduleAlarmTest, DueAlarmRingsOnceWithItsEntryTime) {
    addReminder(scheduleEntry(-1, ScheduleMeeting, 2001, 5, 14, 9, 30, "Budget", 9, 25));
    EXPECT_EQ(RunAlarmCheck(nullptr, reminders, kNineTwentyFive.addSecs(-60), recorder()), 0);
    EXPECT_EQ(RunAlarmCheck(nullptr, reminders, kNineTwentyFive, recorder()), 1);
    EXPECT_EQ(shown, QStringList{"Budget | 9:30 14-May-2001 Schedule!"});
    EXPECT_EQ(doneMarks(), QList<bool>{true});
    // The second tick of the same minute.
    EXPECT_EQ(RunAlarmCheck(nullptr, reminders, kNineTwentyFive.addSecs(30), recorder()), 0);
    EXPECT_EQ(shown.size(), 1);
}

TEST_F(ScheduleAlarmTest, MessageWritesTheMinuteUnpadded) {
    addReminder(scheduleEntry(-1, ScheduleReminder, 2001, 5, 14, 9, 5, "Pills", 9, 5));
    RunAlarmCheck(nullptr, reminders, QDateTime(kToday, QTime(9, 5)), recorder());
    EXPECT_EQ(shown, QStringList{"Pills | 9:5 14-May-2001 Schedule!"});
}

TEST_F(ScheduleAlarmTest, EveryDueRowRingsInTableOrder) {
    addReminder(scheduleEntry(-1, ScheduleReminder, 2001, 5, 14, 9, 30, "Done before", 9, 25),
                true);
    addReminder(scheduleEntry(-1, ScheduleReminder, 2001, 5, 14, 9, 30, "First", 9, 25));
    addReminder(scheduleEntry(-1, ScheduleReminder, 2001, 5, 15, 9, 30, "Tomorrow", 9, 25));
    addReminder(scheduleEntry(-1, ScheduleCall, 2001, 5, 14, 9, 35, "0123", 9, 25));
    // Each row is marked before its dialog shows.
    QList<QList<bool>> marksWhileShown;
    RunAlarmCheck(nullptr, reminders, kNineTwentyFive,
                  [&](const QString& title, const QString& message) {
                      shown.append(title + " | " + message);
                      marksWhileShown.append(doneMarks());
                  });
    EXPECT_EQ(shown, (QStringList{"First | 9:30 14-May-2001 Schedule!",
                                  "0123 | 9:35 14-May-2001 Schedule!"}));
    EXPECT_EQ(marksWhileShown,
              (QList<QList<bool>>{{true, true, false, false}, {true, true, false, true}}));
}

TEST_F(ScheduleAlarmTest, AlarmWithoutAlarmFlagStillRingsAtItsTime) {
    ScheduleEntry entry = scheduleEntry(-1, ScheduleReminder, 2001, 5, 14, 9, 30, "Quiet", 9, 25);
    entry.alarm = 0;
    addReminder(entry);
    EXPECT_EQ(RunAlarmCheck(nullptr, reminders, kNineTwentyFive, recorder()), 1);
}

TEST_F(ScheduleAlarmTest, NothingRingsOnLine) {
    PhoneLink& link = connect({});
    addReminder(scheduleEntry(-1, ScheduleMeeting, 2001, 5, 14, 9, 30, "Budget", 9, 25));
    EXPECT_EQ(RunAlarmCheck(&link, reminders, kNineTwentyFive, recorder()), 0);
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(doneMarks(), QList<bool>{false});
}

TEST_F(ScheduleAlarmTest, CheckDuringAShownAlarmStaysQuiet) {
    addReminder(scheduleEntry(-1, ScheduleReminder, 2001, 5, 14, 9, 30, "A", 9, 25));
    addReminder(scheduleEntry(-1, ScheduleReminder, 2001, 5, 14, 9, 30, "B", 9, 25));
    int nested = -1;
    RunAlarmCheck(nullptr, reminders, kNineTwentyFive, [&](const QString& title, const QString&) {
        shown.append(title);
        if (nested < 0) {
            nested = RunAlarmCheck(nullptr, reminders, kNineTwentyFive, recorder());
        }
    });
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(shown, (QStringList{"A", "B"}));
}

TEST_F(ScheduleAlarmTest, PastEntriesAndTheirLines) {
    const QList<ScheduleEntry> entries = {
        scheduleEntry(-1, ScheduleMeeting, 2001, 5, 14, 9, 25, "Budget"),
        scheduleEntry(-1, ScheduleBirthday, 2001, 5, 14, 9, 26, "Ann"),
        scheduleEntry(-1, ScheduleCall, 2000, 12, 31, 23, 59, "0123")};
    const QList<ScheduleEntry> past = previousSchedules(entries, kNineTwentyFive);
    ASSERT_EQ(past.size(), 2);
    EXPECT_EQ(previousScheduleLine(past[0]), "(M)Budget(14-May-2001)");
    EXPECT_EQ(previousScheduleLine(past[1]), "(C)0123(31-Dec-2000)");
}

TEST_F(ScheduleAlarmTest, DeleteDayTakesTheHourRowsOrTheCalendarDay) {
    addReminder(scheduleEntry(-1, ScheduleReminder, 2001, 5, 14, 5, 0, "Before six"));
    addReminder(scheduleEntry(-1, ScheduleReminder, 2001, 5, 14, 6, 0, "Six"));
    addReminder(scheduleEntry(-1, ScheduleReminder, 2001, 5, 15, 5, 59, "Night"));
    addReminder(scheduleEntry(-1, ScheduleReminder, 2001, 5, 15, 6, 0, "Next morning"));
    DayRemoval removal =
        removeDaySchedules(nullptr, phoneTable, reminders, kToday, DayRule::HourRows);
    EXPECT_EQ(removal.remindersDeleted, 2);
    QStringList left;
    for (const ReminderRow& row : reminders.rows()) {
        left << row.entry.contents;
    }
    EXPECT_EQ(left, (QStringList{"Before six", "Next morning"}));

    removal = removeDaySchedules(nullptr, phoneTable, reminders, kToday, DayRule::CalendarDay);
    EXPECT_EQ(removal.remindersDeleted, 1);
    EXPECT_EQ(reminders.rows().size(), 1);
}

TEST_F(ScheduleAlarmTest, DeleteDayOnLineEmptiesThePhoneToo) {
    const ScheduleEntry a = scheduleEntry(0, ScheduleReminder, 2001, 5, 14, 9, 0, "A");
    const ScheduleEntry b = scheduleEntry(4, ScheduleReminder, 2001, 5, 15, 1, 0, "B");
    const ScheduleEntry c = scheduleEntry(7, ScheduleReminder, 2001, 5, 15, 9, 0, "C");
    PhoneLink& link = connect({a, b, c});
    addReminder(a);
    addReminder(c);
    const DayRemoval removal =
        removeDaySchedules(&link, phoneTable, reminders, kToday, DayRule::HourRows);
    EXPECT_EQ(removal.phoneRowsDeleted, 2);
    EXPECT_EQ(removal.remindersDeleted, 1);
    EXPECT_EQ(phoneSim->engine().state().schedule.size(), 1u);
    EXPECT_EQ(phoneSim->engine().state().schedule.count(7), 1u);
    EXPECT_EQ(phoneTable.entries(), QList<ScheduleEntry>{c});
}

TEST_F(ScheduleAlarmTest, MoveRewritesTheSlotAndCopyTakesAFreeOne) {
    const ScheduleEntry a = scheduleEntry(3, ScheduleMeeting, 2001, 5, 14, 9, 0, "Budget", 9, 0);
    PhoneLink& link = connect({a});
    addReminder(a);
    const ScheduleSelection source{2001, 5, 14, 9, "Budget"};

    ScheduleEntry target = a;
    target.date = 20;
    target.hour = 11;
    target.alarmHour = 10;
    CopyMoveResult result =
        copyOrMoveEntry(&link, phoneTable, reminders, source, false, target, kNineTwentyFive);
    EXPECT_EQ(result.phone.result, ScheduleStoreResult::Stored);
    EXPECT_EQ(result.phone.index, 0);

    target.date = 1;  // into the past: never alerts
    target.month = 5;
    result = copyOrMoveEntry(&link, phoneTable, reminders, source, true, target, kNineTwentyFive);
    EXPECT_EQ(result.phone.index, 3);
    const auto& phoneSlots = phoneSim->engine().state().schedule;
    ASSERT_EQ(phoneSlots.size(), 2u);
    EXPECT_EQ(phoneSlots.at(3).day, 1);
    EXPECT_EQ(phoneSlots.at(0).day, 20);
    const QList<ReminderRow> rows = reminders.rows();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].entry.date, 1);
    EXPECT_TRUE(rows[0].done);
    EXPECT_EQ(rows[1].entry.date, 20);
    EXPECT_FALSE(rows[1].done);
}

TEST_F(ScheduleAlarmTest, SelectedEntryComesFromThePhoneTableOnLine) {
    const ScheduleEntry a = scheduleEntry(3, ScheduleMeeting, 2001, 5, 14, 9, 30, "Budget", 9, 0);
    ScheduleEntry pcCopy = a;
    pcCopy.alarmHour = 8;
    addReminder(pcCopy, true);
    const ScheduleSelection selection{2001, 5, 14, 9, "Budget"};
    SelectedEntry found = loadSelectedEntry(nullptr, phoneTable, reminders, selection);
    ASSERT_TRUE(found.found);
    EXPECT_FALSE(found.fromPhone);
    EXPECT_EQ(found.entry.alarmHour, 8);
    EXPECT_TRUE(found.done);

    PhoneLink& link = connect({a});
    found = loadSelectedEntry(&link, phoneTable, reminders, selection);
    EXPECT_TRUE(found.fromPhone);
    EXPECT_EQ(found.entry, a);
    EXPECT_FALSE(
        loadSelectedEntry(&link, phoneTable, reminders, {2001, 5, 14, 10, "Budget"}).found);
}
