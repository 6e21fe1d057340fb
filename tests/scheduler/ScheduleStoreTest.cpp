// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "scheduler/ScheduleTables.h"
#include "scheduler/ScheduleTestEntries.h"
#include "scheduler/ScheduleTexts.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

class ScheduleStoreTest : public ::testing::Test {
  protected:
    ~ScheduleStoreTest() override { closeAllDatabases(); }

    void addSlots(const QList<int>& indexes) {
        for (int index : indexes) {
            ASSERT_TRUE(table.AddScheduleRow(
                scheduleEntry(index, ScheduleReminder, 2026, 12, 1, 9, 0, QString::number(index))));
        }
    }
    QList<int> slotsInTableOrder() {
        QList<int> out;
        for (const ScheduleEntry& entry : table.entries()) {
            out << entry.index;
        }
        return out;
    }

    TempWorkDir dir;
    ScriptedPrompter prompter;
    CPhoneScheduleDB table;
    CReminderDB reminders;
};

}  // namespace

TEST_F(ScheduleStoreTest, FreeIndexIsTheLowestGapOrTheCount) {
    EXPECT_EQ(table.FindFreeScheduleIndex(), 0);
    addSlots({0, 1, 3});
    EXPECT_EQ(table.FindFreeScheduleIndex(), 2);
    table.DeleteAllSchedules();
    addSlots({0, 1, 2});
    EXPECT_EQ(table.FindFreeScheduleIndex(), 3);
    table.DeleteAllSchedules();
    addSlots({5, 6, 7});
    EXPECT_EQ(table.FindFreeScheduleIndex(), 0);
    EXPECT_TRUE(prompter.prompts().isEmpty());
}

TEST_F(ScheduleStoreTest, FiftyRowsAreFullWhateverTheirIndexes) {
    QList<int> indexes;
    for (int i = 0; i < 50; ++i) {
        indexes << i * 3;  // gaps everywhere
    }
    addSlots(indexes);
    EXPECT_EQ(table.FindFreeScheduleIndex(), -1);
}

TEST_F(ScheduleStoreTest, RowsKeepEveryColumnAndTheirOrder) {
    const ScheduleEntry alarmed =
        scheduleEntry(12, ScheduleMeeting, 2001, 5, 14, 9, 30, "Budget, Q3", 9, 0);
    const ScheduleEntry plain = scheduleEntry(3, ScheduleBirthday, 2026, 12, 21, 0, 0, "O'Brien");
    ASSERT_TRUE(table.AddScheduleRow(alarmed));
    ASSERT_TRUE(table.AddScheduleRow(plain));
    EXPECT_EQ(table.entries(), (QList<ScheduleEntry>{alarmed, plain}));
    EXPECT_EQ(table.FullRecordCount(), 2);

    ASSERT_TRUE(table.FindScheduleIndex(3));
    EXPECT_EQ(table.currentEntry(), plain);
    EXPECT_FALSE(table.FindScheduleIndex(4));
}

TEST_F(ScheduleStoreTest, UpdateChangesTheRowInPlaceAndNothingForAnUnknownSlot) {
    addSlots({4, 9, 2});
    ScheduleEntry changed = scheduleEntry(9, ScheduleCall, 2027, 1, 2, 23, 59, "0123", 23, 30);
    EXPECT_TRUE(table.UpdateScheduleRow(changed));
    EXPECT_EQ(slotsInTableOrder(), (QList<int>{4, 9, 2}));
    ASSERT_TRUE(table.FindScheduleIndex(9));
    EXPECT_EQ(table.currentEntry(), changed);

    const QList<ScheduleEntry> before = table.entries();
    changed.index = 10;
    EXPECT_FALSE(table.UpdateScheduleRow(changed));
    EXPECT_EQ(table.entries(), before);
}

TEST_F(ScheduleStoreTest, EmptyingAnEmptyTableIsQuiet) {
    EXPECT_TRUE(table.DeleteAllSchedules());
    EXPECT_TRUE(reminders.DeleteAllReminders());
    addSlots({1, 2});
    reminders.AddReminderRow(1, 2026, 1, 1, 8, 0, 7, 55, "a");
    EXPECT_TRUE(table.DeleteAllSchedules());
    EXPECT_TRUE(reminders.DeleteAllReminders());
    EXPECT_EQ(table.FullRecordCount(), 0);
    EXPECT_EQ(reminders.FullRecordCount(), 0);
    EXPECT_TRUE(prompter.prompts().isEmpty());
}

TEST_F(ScheduleStoreTest, NewReminderRowsStartWithoutAlarmAndNotDone) {
    ASSERT_TRUE(reminders.AddReminderRow(ScheduleCall, 2026, 12, 9, 10, 30, 10, 15, "555"));
    ASSERT_EQ(reminders.rows().size(), 1);
    const ReminderRow row = reminders.rows()[0];
    EXPECT_EQ(row.entry.contents, "555");
    EXPECT_EQ(row.entry.type, ScheduleCall);
    EXPECT_EQ(row.entry.year, 2026);
    EXPECT_EQ(row.entry.hour, 10);
    EXPECT_EQ(row.entry.minute, 30);
    EXPECT_EQ(row.entry.alarmHour, 10);
    EXPECT_EQ(row.entry.alarmMinute, 15);
    // The alarm flag and the done mark keep the new row's defaults.
    EXPECT_EQ(row.entry.alarm, 0);
    EXPECT_FALSE(row.done);
}

TEST_F(ScheduleStoreTest, WalksFindTheFirstRowByDateHourAndExactContents) {
    // Two equal entries: the first in table order is the one found.
    table.AddScheduleRow(scheduleEntry(7, ScheduleReminder, 2026, 12, 9, 10, 0, "Call Joe"));
    table.AddScheduleRow(scheduleEntry(2, ScheduleReminder, 2026, 12, 9, 10, 45, "Call Joe"));
    table.AddScheduleRow(scheduleEntry(5, ScheduleReminder, 2026, 12, 9, 10, 0, "call joe"));

    ScheduleSelection selection{2026, 12, 9, 10, "Call Joe"};
    ASSERT_TRUE(table.FindSelected(selection));
    EXPECT_EQ(table.currentEntry().index, 7);
    // Case counts, though the column compares without case in filters.
    selection.contents = "call joe";
    ASSERT_TRUE(table.FindSelected(selection));
    EXPECT_EQ(table.currentEntry().index, 5);
    selection.contents = "Call";
    EXPECT_FALSE(table.FindSelected(selection));
    selection = {2026, 12, 9, 11, "Call Joe"};
    EXPECT_FALSE(table.FindSelected(selection));
    // Without an hour any hour of the day matches.
    selection.hour = -1;
    EXPECT_TRUE(table.FindSelected(selection));

    reminders.AddReminderRow(1, 2026, 12, 9, 10, 0, 0, 0, "Call Joe");
    reminders.AddReminderRow(2, 2026, 12, 9, 10, 30, 0, 0, "Call Joe");
    ASSERT_TRUE(reminders.FindSelected({2026, 12, 9, 10, "Call Joe"}));
    EXPECT_EQ(reminders.currentRow().entry.type, 1);
    EXPECT_FALSE(reminders.FindSelected({2026, 12, 10, 10, "Call Joe"}));
}

TEST(ScheduleTexts, CellDateAndTimeTexts) {
    EXPECT_EQ(scheduleCellText(ScheduleMeeting, "Budget"), "(M)Budget");
    EXPECT_EQ(scheduleCellText(ScheduleReminder, "a"), "(R)a");
    EXPECT_EQ(scheduleCellText(ScheduleCall, "5"), "(C)5");
    EXPECT_EQ(scheduleCellText(ScheduleBirthday, "Ann"), "(B)Ann");
    EXPECT_EQ(contentsOfCellText("(M)Budget (R)x(B)"), "Budget x");
    EXPECT_EQ(scheduleDateText(2001, 5, 14), "14-May-2001");
    EXPECT_EQ(scheduleDateText(2026, 12, 1), "1-Dec-2026");
    EXPECT_EQ(scheduleDateText(2026, 1, 31), "31-Jan-2026");
    EXPECT_EQ(scheduleTimeText(9, 5), "9:05");
    EXPECT_EQ(scheduleTimeText(23, 40), "23:40");
}
