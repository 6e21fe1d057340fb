// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "link/Transact.h"
#include "phone/PhoneLink.h"
#include "phone/SlotMirror.h"
#include "platform/Profile.h"
#include "scheduler/ScheduleSync.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"
#include "support/TranscriptReplay.h"

// Recorded exchanges of every scheduler operation, replayed byte for byte.

namespace {

ScheduleEntry entryOf(int index, const PhoneSimScheduleEntry& e) {
    return ScheduleEntry{index,  e.type,   e.alarm,     e.year,        e.month,   e.day,
                         e.hour, e.minute, e.alarmHour, e.alarmMinute, e.contents};
}

PhoneSimState schedulePhone() {
    PhoneSimState state;
    state.schedule[0] = {3, 1, 2026, 12, 9, 10, 30, 10, 15, "Project review"};
    state.schedule[1] = {4, 0, 2026, 12, 21, 0, 0, 0, 0, "Alice's birthday"};
    state.schedule[3] = {3, 1, 2026, 11, 27, 14, 0, 13, 30, "Budget, Q4"};
    return state;
}

class ScheduleTranscriptTest : public ::testing::Test {
  protected:
    ScheduleTranscriptTest() { Profile::useFolder(dir.path()); }
    ~ScheduleTranscriptTest() override {
        closeAllDatabases();
        Profile::useFolder({});
    }
    // The table as a load of schedulePhone() leaves it, without phone traffic.
    void mirrorThePhone() {
        for (const auto& [index, entry] : schedulePhone().schedule) {
            table.AddScheduleRow(entryOf(index, entry));
        }
    }

    TempWorkDir dir;
    RecordingProgress progress;
    ScriptedPrompter prompter;
    CPhoneScheduleDB table;
    CReminderDB reminders;
};

}  // namespace

TEST_F(ScheduleTranscriptTest, ReadASlot) {
    TranscriptReplay replay("schedule_read", schedulePhone());
    QString text;
    EXPECT_EQ(replay.connectThenReplay().ReadScheduleEntry(3, text), kTransactComplete);
    EXPECT_EQ(text, "3,3,1,2026/11/27,14:00,13:30,\"Budget, Q4\"\r\n\r\nOK\r\n");
    EXPECT_TRUE(replay.matched());
}

TEST_F(ScheduleTranscriptTest, ReadAnEmptySlot) {
    TranscriptReplay replay("schedule_read_empty", schedulePhone());
    QString text = "left over";
    EXPECT_EQ(replay.connectThenReplay().ReadScheduleEntry(2, text), kTransactComplete);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(replay.matched());
}

TEST_F(ScheduleTranscriptTest, WriteBothForms) {
    TranscriptReplay replay("schedule_write", schedulePhone());
    PhoneLink& link = replay.connectThenReplay();
    EXPECT_EQ(link.WriteScheduleEntry({7, 2, 1, 2001, 5, 14, 9, 30, 9, 25, "555"}),
              kTransactComplete);
    EXPECT_EQ(link.WriteScheduleEntry({8, 1, 0, 2001, 5, 14, 9, 30, 0, 0, "Lunch, Joe"}),
              kTransactComplete);
    EXPECT_TRUE(replay.matched());
}

TEST_F(ScheduleTranscriptTest, DeleteASlot) {
    TranscriptReplay replay("schedule_delete", schedulePhone());
    EXPECT_EQ(replay.connectThenReplay().DeleteScheduleEntry(1), kTransactComplete);
    EXPECT_TRUE(replay.matched());
}

TEST_F(ScheduleTranscriptTest, LoadAllSlots) {
    TranscriptReplay replay("schedule_load", schedulePhone());
    EXPECT_TRUE(table.LoadScheduleFromPhone(replay.connectThenReplay(), progress).loaded());
    EXPECT_EQ(table.FullRecordCount(), 3);
    EXPECT_TRUE(replay.matched());
}

TEST_F(ScheduleTranscriptTest, PhoneLostDuringTheLoad) {
    mirrorThePhone();
    const QList<ScheduleEntry> before = table.entries();
    // Written by hand (the simulated phone cannot record a hang-up), so never recorded over.
    Transcript lost;
    QString error;
    ASSERT_TRUE(Transcript::load("schedule_load_phone_lost", &lost, &error)) << error.toStdString();
    TranscriptReplay replay(lost, schedulePhone());
    const MirrorOutcome outcome = table.LoadScheduleFromPhone(replay.connectThenReplay(), progress);
    EXPECT_EQ(outcome.kind, MirrorOutcome::Kind::PhoneLost);
    EXPECT_TRUE(outcome.notice);
    EXPECT_EQ(table.entries(), before);
    EXPECT_TRUE(replay.matched());
}

TEST_F(ScheduleTranscriptTest, StoreAChangedEntry) {
    mirrorThePhone();
    TranscriptReplay replay("schedule_store_changed", schedulePhone());
    const ScheduleStoreOutcome outcome = table.StoreScheduleEntry(
        replay.connectThenReplay(), {0, 3, 1, 2026, 12, 9, 11, 0, 10, 30, "Project review"});
    EXPECT_EQ(outcome.result, ScheduleStoreResult::Stored);
    EXPECT_TRUE(replay.matched());
}

TEST_F(ScheduleTranscriptTest, StoreANewEntry) {
    mirrorThePhone();
    TranscriptReplay replay("schedule_store_new", schedulePhone());
    const ScheduleStoreOutcome outcome = table.StoreScheduleEntry(
        replay.connectThenReplay(), {-1, 1, 0, 2026, 12, 24, 18, 0, 0, 0, "Gifts"});
    EXPECT_EQ(outcome.index, 2);
    EXPECT_TRUE(replay.matched());
}

TEST_F(ScheduleTranscriptTest, RefusedRewriteWritesTheOldEntryBack) {
    mirrorThePhone();
    TranscriptReplay replay("schedule_store_refused", schedulePhone());
    PhoneSimFaults faults;
    faults.errorPattern = "Renamed";
    replay.engine().setFaults(faults);
    prompter.then(PromptAnswer::Ok);
    const ScheduleStoreOutcome outcome = table.StoreScheduleEntry(
        replay.connectThenReplay(), {0, 3, 1, 2026, 12, 9, 10, 30, 10, 15, "Renamed"});
    EXPECT_EQ(outcome.result, ScheduleStoreResult::Refused);
    EXPECT_TRUE(replay.matched());
}

TEST_F(ScheduleTranscriptTest, RemoveAnEntry) {
    mirrorThePhone();
    reminders.AddReminderRow(3, 2026, 11, 27, 14, 0, 13, 30, "Budget, Q4");
    TranscriptReplay replay("schedule_remove", schedulePhone());
    const ScheduleRemoval removal = RemoveScheduleEntry(
        &replay.connectThenReplay(), table, reminders, {2026, 11, 27, 14, "Budget, Q4"});
    EXPECT_TRUE(removal.phoneRowDeleted);
    EXPECT_TRUE(removal.reminderDeleted);
    EXPECT_TRUE(replay.matched());
}
