// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "phone/PhoneLink.h"
#include "platform/Profile.h"
#include "scheduler/ScheduleEditing.h"
#include "scheduler/ScheduleTestEntries.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"
#include "support/TranscriptReplay.h"

// Recorded exchanges of the calendar pages' own phone work: Delete Day and Move.

namespace {

const ScheduleEntry kReview =
    scheduleEntry(0, ScheduleMeeting, 2026, 12, 9, 10, 30, "Project review", 10, 15);
const ScheduleEntry kNight = scheduleEntry(2, ScheduleReminder, 2026, 12, 10, 1, 0, "Night");
const ScheduleEntry kNextDay = scheduleEntry(3, ScheduleCall, 2026, 12, 10, 9, 0, "0123");

class ScheduleEditingTranscriptTest : public ::testing::Test {
  protected:
    ScheduleEditingTranscriptTest() { Profile::useFolder(dir.path()); }
    ~ScheduleEditingTranscriptTest() override {
        closeAllDatabases();
        Profile::useFolder({});
    }
    // Both tables as the first showing leaves them, without phone traffic.
    void mirror(const QList<ScheduleEntry>& entries) {
        for (const ScheduleEntry& entry : entries) {
            table.AddScheduleRow(entry);
            reminders.StoreReminder(entry, false, false);
        }
    }

    TempWorkDir dir;
    ScriptedPrompter prompter;
    CPhoneScheduleDB table;
    CReminderDB reminders;
};

}  // namespace

TEST_F(ScheduleEditingTranscriptTest, DeleteDayEmptiesTheSlotsOfItsHourRows) {
    mirror({kReview, kNight, kNextDay});
    TranscriptReplay replay("schedule_delete_day", phoneWithSchedule({kReview, kNight, kNextDay}));
    const DayRemoval removal = removeDaySchedules(&replay.connectThenReplay(), table, reminders,
                                                  QDate(2026, 12, 9), DayRule::HourRows);
    EXPECT_EQ(removal.phoneRowsDeleted, 2);
    EXPECT_EQ(removal.remindersDeleted, 2);
    EXPECT_EQ(table.entries(), QList<ScheduleEntry>{kNextDay});
    EXPECT_TRUE(replay.matched());
}

TEST_F(ScheduleEditingTranscriptTest, MoveRewritesTheEntrysOwnSlot) {
    mirror({kReview, kNextDay});
    TranscriptReplay replay("schedule_move", phoneWithSchedule({kReview, kNextDay}));
    ScheduleEntry target = kReview;
    target.date = 11;
    target.hour = 15;
    target.minute = 0;
    target.alarmHour = 14;
    target.alarmMinute = 45;
    const CopyMoveResult result = copyOrMoveEntry(&replay.connectThenReplay(), table, reminders,
                                                  {2026, 12, 9, 10, "Project review"}, true, target,
                                                  QDateTime(QDate(2026, 12, 8), QTime(12, 0)));
    EXPECT_EQ(result.phone.result, ScheduleStoreResult::Stored);
    EXPECT_EQ(result.phone.index, 0);
    EXPECT_EQ(table.entries(), (QList<ScheduleEntry>{target, kNextDay}));
    EXPECT_TRUE(replay.matched());
}
