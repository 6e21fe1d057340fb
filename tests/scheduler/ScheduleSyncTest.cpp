// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "link/Transact.h"
#include "phone/PhoneLink.h"
#include "phone/SlotMirror.h"
#include "platform/Profile.h"
#include "scheduler/ScheduleSync.h"
#include "scheduler/ScheduleTestEntries.h"
#include "support/EnginePhoneLink.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

const ScheduleEntry kMeeting =
    scheduleEntry(3, ScheduleMeeting, 2001, 5, 14, 9, 30, "Budget, Q3", 9, 25);
const ScheduleEntry kBirthday = scheduleEntry(17, ScheduleBirthday, 2026, 12, 21, 0, 0, "Ann");

class ScheduleSyncTest : public ::testing::Test {
  protected:
    ScheduleSyncTest() { Profile::useFolder(dir.path()); }
    ~ScheduleSyncTest() override {
        phoneSim.reset();
        closeAllDatabases();
        Profile::useFolder({});
    }

    PhoneLink& connect(const QList<ScheduleEntry>& entries) {
        phoneSim = std::make_unique<EnginePhoneLink>(phoneWithSchedule(entries));
        EXPECT_TRUE(phoneSim->link().phoneFound);
        firstCommand = phoneSim->line().writes().size();
        return phoneSim->link();
    }
    std::map<int, PhoneSimScheduleEntry>& phoneSlots() {
        return phoneSim->engine().state().schedule;
    }
    // Command lines sent since connecting.
    QStringList commands() const {
        QStringList out;
        const QList<QByteArray>& writes = phoneSim->line().writes();
        for (qsizetype i = firstCommand; i < writes.size(); ++i) {
            out << QString::fromLatin1(writes[i]);
        }
        return out;
    }
    void setFaults(const QByteArray& errorPattern) {
        PhoneSimFaults faults;
        faults.errorPattern = errorPattern;
        phoneSim->engine().setFaults(faults);
    }
    // Notes the virtual time of every command line from now on.
    void timeCommands() {
        PhoneSimEngine* engine = &phoneSim->engine();
        FakeClock* clock = &phoneSim->clock();
        phoneSim->line().setResponder([this, engine, clock](const QByteArray& written) {
            sentAt.append({clock->nowMs(), written});
            return QList<FakeChunk>{FakeChunk{0, engine->feed(written), false}};
        });
    }
    void loadTable(PhoneLink& link) {
        ASSERT_TRUE(phoneTable.LoadScheduleFromPhone(link, progress).loaded());
        firstCommand = phoneSim->line().writes().size();
        progress.calls.clear();
    }
    PhoneSimScheduleEntry onPhone(int slot) { return phoneSlots().at(slot); }

    TempWorkDir dir;
    RecordingProgress progress;
    ScriptedPrompter prompter;
    CPhoneScheduleDB phoneTable;
    CReminderDB reminders;
    std::unique_ptr<EnginePhoneLink> phoneSim;
    qsizetype firstCommand = 0;
    QList<std::pair<qint64, QByteArray>> sentAt;
};

void expectRefusalNotice(const Notices& notices) {
    ASSERT_EQ(notices.size(), 1);
    EXPECT_EQ(notices[0].text, "The phone did not accept the schedule change.");
    EXPECT_EQ(notices[0].caption, "Schedule");
    EXPECT_EQ(notices[0].icon, PromptIcon::Warning);
}

}  // namespace

TEST_F(ScheduleSyncTest, LoadReadsTheFiftySlotsIntoTheTable) {
    PhoneLink& link = connect({kMeeting, kBirthday});
    phoneTable.AddScheduleRow(scheduleEntry(40, 1, 2000, 1, 1, 1, 1, "Stale"));

    EXPECT_TRUE(phoneTable.LoadScheduleFromPhone(link, progress).loaded());
    EXPECT_EQ(phoneTable.entries(), (QList<ScheduleEntry>{kMeeting, kBirthday}));

    QStringList expected;
    for (int i = 0; i < 50; ++i) {
        expected << QString("at+schr=%1\r").arg(i);
    }
    EXPECT_EQ(commands(), expected);
    ASSERT_GE(progress.calls.size(), 3);
    EXPECT_EQ(progress.calls.first(), "show Schedule Load|Loading....");
    EXPECT_EQ(progress.calls[1], "value 0");
    EXPECT_EQ(progress.calls[progress.calls.size() - 2], "value 98");
    EXPECT_EQ(progress.calls.last(), "destroy");
    EXPECT_TRUE(prompter.prompts().isEmpty());
}

TEST_F(ScheduleSyncTest, OffLineLoadTouchesNothing) {
    PhoneLink& link = connect({kMeeting});
    link.phoneFound = false;
    phoneTable.AddScheduleRow(kBirthday);
    EXPECT_FALSE(phoneTable.LoadScheduleFromPhone(link, progress).loaded());
    EXPECT_TRUE(commands().isEmpty());
    EXPECT_EQ(phoneTable.entries(), (QList<ScheduleEntry>{kBirthday}));
    EXPECT_TRUE(progress.calls.isEmpty());
}

TEST_F(ScheduleSyncTest, RefusedReadOfAPresentPhoneCountsAsAnEmptySlot) {
    PhoneLink& link = connect({kMeeting, kBirthday});
    PhoneSimEngine* engine = &phoneSim->engine();
    phoneSim->line().setResponder([engine](const QByteArray& written) {
        const QByteArray answer =
            written == "at+schr=3\r" ? written + "\r\nERROR\r\n" : engine->feed(written);
        return QList<FakeChunk>{FakeChunk{0, answer, false}};
    });
    EXPECT_TRUE(phoneTable.LoadScheduleFromPhone(link, progress).loaded());
    EXPECT_EQ(phoneTable.entries(), (QList<ScheduleEntry>{kBirthday}));
    // The failed read was followed by the presence probe, then the load went on.
    const QStringList sent = commands();
    const qsizetype failed = sent.indexOf("at+schr=3\r");
    ASSERT_GE(failed, 0);
    EXPECT_EQ(sent.value(failed + 1), "atz\r");
    EXPECT_TRUE(sent.contains("at+schr=49\r"));
}

TEST_F(ScheduleSyncTest, PhoneLostMidLoadKeepsBothTablesAndSaysSo) {
    QList<ScheduleEntry> entries;
    for (int i = 0; i < 10; ++i) {
        entries << scheduleEntry(i, ScheduleReminder, 2026, 12, 1 + i, 8, 0,
                                 "E" + QString::number(i));
    }
    PhoneLink& link = connect(entries);
    phoneTable.AddScheduleRow(kMeeting);
    reminders.AddReminderRow(ScheduleCall, 2026, 3, 4, 5, 6, 0, 0, "PC only");
    const QList<ReminderRow> remindersBefore = reminders.rows();
    phoneSim->silenceAfter(5);

    const MirrorOutcome outcome = RebuildRemindersFromPhone(link, progress, phoneTable, reminders);
    EXPECT_EQ(outcome.kind, MirrorOutcome::Kind::PhoneLost);
    EXPECT_EQ(phoneTable.entries(), (QList<ScheduleEntry>{kMeeting}));
    EXPECT_EQ(reminders.rows(), remindersBefore);
    ASSERT_TRUE(outcome.notice);
    EXPECT_EQ(outcome.notice->text,
              "Detected off-line during the Schedule Loading!\nTry again after confirming the PC "
              "connection");
    EXPECT_EQ(outcome.notice->caption, "Schedule Load");
    EXPECT_EQ(outcome.notice->icon, PromptIcon::Error);
    EXPECT_EQ(progress.calls.last(), "destroy");
    // The probe ended the pass at the first silent slot.
    EXPECT_FALSE(commands().contains("at+schr=6\r"));
}

TEST_F(ScheduleSyncTest, FirstShowingRebuildsRemindersFromThePhone) {
    PhoneLink& link = connect({kMeeting, kBirthday});
    reminders.AddReminderRow(ScheduleCall, 2026, 3, 4, 5, 6, 0, 0, "Old copy");
    EXPECT_TRUE(RebuildRemindersFromPhone(link, progress, phoneTable, reminders).loaded());
    const QList<ReminderRow> rows = reminders.rows();
    ASSERT_EQ(rows.size(), 2);
    ScheduleEntry expected = kMeeting;
    expected.index = -1;
    expected.alarm = 0;  // the new row's default, whatever the phone said
    EXPECT_EQ(rows[0], (ReminderRow{expected, false}));
    expected = kBirthday;
    expected.index = -1;
    EXPECT_EQ(rows[1], (ReminderRow{expected, false}));
}

TEST_F(ScheduleSyncTest, ReloadSaysOffLineWhenTheProbeFails) {
    PhoneLink& link = connect({kMeeting});
    phoneTable.AddScheduleRow(kBirthday);
    phoneSim->silenceAfter(0);
    const MirrorOutcome outcome = ReloadSchedule(link, progress, phoneTable);
    EXPECT_FALSE(outcome.loaded());
    EXPECT_EQ(outcome.notice, offLineNotice());
    EXPECT_EQ(phoneTable.entries(), (QList<ScheduleEntry>{kBirthday}));
    EXPECT_FALSE(commands().contains("at+schr=0\r"));
}

TEST_F(ScheduleSyncTest, ReloadLoadsWhenThePhoneAnswers) {
    PhoneLink& link = connect({kMeeting});
    reminders.AddReminderRow(1, 2026, 1, 1, 1, 1, 0, 0, "kept");
    EXPECT_TRUE(ReloadSchedule(link, progress, phoneTable).loaded());
    EXPECT_EQ(phoneTable.entries(), (QList<ScheduleEntry>{kMeeting}));
    EXPECT_EQ(reminders.rows().size(), 1);
}

TEST_F(ScheduleSyncTest, ChangedEntryDeletesWaitsAndRewritesItsSlot) {
    const ScheduleEntry slot12 = scheduleEntry(12, ScheduleMeeting, 2026, 12, 9, 10, 0, "Review");
    PhoneLink& link = connect({kMeeting, slot12, kBirthday});
    loadTable(link);
    timeCommands();
    phoneSim->clock().clearRecords();

    const ScheduleEntry changed =
        scheduleEntry(12, ScheduleCall, 2026, 12, 10, 11, 15, "0123", 11, 5);
    const ScheduleStoreOutcome outcome = phoneTable.StoreScheduleEntry(link, changed);
    EXPECT_EQ(outcome.result, ScheduleStoreResult::Stored);
    EXPECT_EQ(outcome.index, 12);

    ASSERT_EQ(sentAt.size(), 2);
    EXPECT_EQ(sentAt[0].second, "at+schd=12\r");
    EXPECT_EQ(sentAt[1].second, "at+schw=12,2,1,2026,12,10,11,15,11,5,\"0123\"\r");
    const qint64 gap = sentAt[1].first - sentAt[0].first;
    EXPECT_GE(gap, 100);
    EXPECT_LT(gap, 400);
    EXPECT_TRUE(phoneSim->clock().sleeps().contains(100));

    // The row changed in place: same slot, same position.
    EXPECT_EQ(phoneTable.entries(), (QList<ScheduleEntry>{kMeeting, changed, kBirthday}));
    EXPECT_EQ(onPhone(12), simScheduleEntry(changed));
    EXPECT_TRUE(prompter.prompts().isEmpty());
}

TEST_F(ScheduleSyncTest, NewEntryGoesToTheFirstFreeSlot) {
    PhoneLink& link = connect({scheduleEntry(0, 1, 2026, 1, 1, 8, 0, "a"),
                               scheduleEntry(1, 1, 2026, 1, 1, 9, 0, "b"), kBirthday});
    loadTable(link);
    ScheduleEntry fresh = scheduleEntry(-1, ScheduleReminder, 2026, 12, 24, 18, 0, "Gifts");
    const ScheduleStoreOutcome outcome = phoneTable.StoreScheduleEntry(link, fresh);
    EXPECT_EQ(outcome.result, ScheduleStoreResult::Stored);
    EXPECT_EQ(outcome.index, 2);
    EXPECT_EQ(commands(), QStringList{"at+schw=2,1,0,2026,12,24,18,0,\"Gifts\"\r"});
    fresh.index = 2;
    EXPECT_EQ(phoneTable.entries().last(), fresh);
    EXPECT_EQ(onPhone(2), simScheduleEntry(fresh));

    // A slot no row holds counts as new too.
    fresh.index = 30;
    EXPECT_EQ(phoneTable.StoreScheduleEntry(link, fresh).index, 3);
}

TEST_F(ScheduleSyncTest, RefusedRewritePutsTheOldEntryBack) {
    const ScheduleEntry slot12 = scheduleEntry(12, ScheduleMeeting, 2026, 12, 9, 10, 0, "Review");
    PhoneLink& link = connect({slot12});
    loadTable(link);
    setFaults("Changed");

    ScheduleEntry changed = slot12;
    changed.contents = "Changed";
    const ScheduleStoreOutcome outcome = phoneTable.StoreScheduleEntry(link, changed);
    EXPECT_EQ(outcome.result, ScheduleStoreResult::Refused);
    EXPECT_EQ(commands(),
              (QStringList{"at+schd=12\r", "at+schw=12,3,0,2026,12,9,10,0,\"Changed\"\r",
                           "at+schw=12,3,0,2026,12,9,10,0,\"Review\"\r"}));
    EXPECT_EQ(onPhone(12), simScheduleEntry(slot12));
    EXPECT_EQ(phoneTable.entries(), QList<ScheduleEntry>{slot12});
    expectRefusalNotice(outcome.notices);
}

TEST_F(ScheduleSyncTest, SlotLostForGoodLeavesNoRowBehind) {
    const ScheduleEntry slot12 = scheduleEntry(12, ScheduleMeeting, 2026, 12, 9, 10, 0, "Review");
    PhoneLink& link = connect({slot12, kBirthday});
    loadTable(link);
    setFaults("schw");

    ScheduleEntry changed = slot12;
    changed.hour = 11;
    const ScheduleStoreOutcome outcome = phoneTable.StoreScheduleEntry(link, changed);
    EXPECT_EQ(outcome.result, ScheduleStoreResult::Refused);
    EXPECT_EQ(phoneSlots().count(12), 0u);
    EXPECT_EQ(phoneTable.entries(), QList<ScheduleEntry>{kBirthday});
    expectRefusalNotice(outcome.notices);
}

TEST_F(ScheduleSyncTest, RefusedDeleteAndWriteLeaveTheRowAsItWas) {
    const ScheduleEntry slot12 = scheduleEntry(12, ScheduleMeeting, 2026, 12, 9, 10, 0, "Review");
    PhoneLink& link = connect({slot12});
    loadTable(link);
    setFaults("=12");  // the delete and both writes of slot 12

    ScheduleEntry changed = slot12;
    changed.minute = 45;
    const ScheduleStoreOutcome outcome = phoneTable.StoreScheduleEntry(link, changed);
    EXPECT_EQ(outcome.result, ScheduleStoreResult::Refused);
    EXPECT_EQ(onPhone(12), simScheduleEntry(slot12));
    EXPECT_EQ(phoneTable.entries(), QList<ScheduleEntry>{slot12});
    expectRefusalNotice(outcome.notices);
}

TEST_F(ScheduleSyncTest, RefusedNewEntryAddsNoRow) {
    PhoneLink& link = connect({kBirthday});
    loadTable(link);
    setFaults("schw");
    const ScheduleStoreOutcome outcome = phoneTable.StoreScheduleEntry(
        link, scheduleEntry(-1, ScheduleReminder, 2026, 12, 24, 18, 0, "Gifts"));
    EXPECT_EQ(outcome.result, ScheduleStoreResult::Refused);
    EXPECT_EQ(phoneTable.entries(), QList<ScheduleEntry>{kBirthday});
    expectRefusalNotice(outcome.notices);
}

TEST_F(ScheduleSyncTest, FullPhoneSendsNothing) {
    PhoneLink& link = connect({});
    for (int i = 0; i < 50; ++i) {
        phoneTable.AddScheduleRow(scheduleEntry(i, 1, 2026, 1, 1, 8, 0, "x"));
    }
    const ScheduleStoreOutcome outcome = phoneTable.StoreScheduleEntry(
        link, scheduleEntry(-1, ScheduleReminder, 2026, 12, 24, 18, 0, "Gifts"));
    EXPECT_EQ(outcome.result, ScheduleStoreResult::Full);
    EXPECT_TRUE(commands().isEmpty());
    EXPECT_EQ(phoneTable.FullRecordCount(), 50);
    ASSERT_EQ(outcome.notices.size(), 1);
    EXPECT_EQ(outcome.notices[0].text, "You can't insert Schedule due to maximum capacity excess.");
    EXPECT_EQ(outcome.notices[0].caption, "Insert failure");
    EXPECT_EQ(outcome.notices[0].icon, PromptIcon::Warning);
}

TEST_F(ScheduleSyncTest, UnsafeContentsAreShownAndNothingIsSentOrStored) {
    PhoneLink& link = connect({});
    const ScheduleEntry quoted =
        scheduleEntry(-1, ScheduleReminder, 2026, 12, 24, 18, 0, "say \"hi\"");
    const ScheduleStoreOutcome stored = phoneTable.StoreScheduleEntry(link, quoted);
    EXPECT_EQ(stored.result, ScheduleStoreResult::Unsafe);
    const ScheduleSave save = SaveScheduleEntry(&link, phoneTable, reminders, quoted, false);
    EXPECT_TRUE(save.unsafe);
    EXPECT_TRUE(commands().isEmpty());
    EXPECT_EQ(phoneTable.FullRecordCount(), 0);
    EXPECT_EQ(reminders.FullRecordCount(), 0);
    ASSERT_EQ(stored.notices.size(), 1);
    ASSERT_EQ(save.notices.size(), 1);
    EXPECT_FALSE(stored.notices[0].text.isEmpty());
    EXPECT_EQ(stored.notices[0].icon, PromptIcon::Warning);
}

TEST_F(ScheduleSyncTest, RemovalTakesTheFirstMatchFromThePhoneAndBothTables) {
    const ScheduleEntry first = scheduleEntry(4, ScheduleReminder, 2026, 12, 9, 10, 0, "Call Joe");
    const ScheduleEntry second = scheduleEntry(9, ScheduleCall, 2026, 12, 9, 10, 30, "Call Joe");
    PhoneLink& link = connect({first, second});
    ASSERT_TRUE(RebuildRemindersFromPhone(link, progress, phoneTable, reminders).loaded());
    firstCommand = phoneSim->line().writes().size();

    const ScheduleRemoval removal =
        RemoveScheduleEntry(&link, phoneTable, reminders, {2026, 12, 9, 10, "Call Joe"});
    EXPECT_TRUE(removal.phoneRowDeleted);
    EXPECT_TRUE(removal.reminderDeleted);
    EXPECT_EQ(commands(), QStringList{"at+schd=4\r"});
    EXPECT_EQ(phoneSlots().count(4), 0u);
    EXPECT_EQ(phoneTable.entries(), QList<ScheduleEntry>{second});
    ASSERT_EQ(reminders.rows().size(), 1);
    EXPECT_EQ(reminders.rows()[0].entry.type, ScheduleCall);
}

TEST_F(ScheduleSyncTest, RefusedPhoneDeleteKeepsTheMirrorRow) {
    PhoneLink& link = connect({kMeeting});
    ASSERT_TRUE(RebuildRemindersFromPhone(link, progress, phoneTable, reminders).loaded());
    setFaults("schd");
    const ScheduleRemoval removal =
        RemoveScheduleEntry(&link, phoneTable, reminders, {2001, 5, 14, 9, "Budget, Q3"});
    EXPECT_FALSE(removal.phoneRowDeleted);
    EXPECT_TRUE(removal.phoneRefused);
    EXPECT_TRUE(removal.reminderDeleted);
    EXPECT_EQ(phoneTable.entries(), QList<ScheduleEntry>{kMeeting});
    EXPECT_EQ(phoneSlots().count(3), 1u);
    EXPECT_EQ(reminders.FullRecordCount(), 0);
    expectRefusalNotice(removal.notices);
}

TEST_F(ScheduleSyncTest, OffLineRemovalAndSaveTouchOnlyReminders) {
    PhoneLink& link = connect({kMeeting});
    loadTable(link);
    link.phoneFound = false;
    reminders.AddReminderRow(ScheduleMeeting, 2001, 5, 14, 9, 30, 9, 25, "Budget, Q3");

    const ScheduleRemoval removal =
        RemoveScheduleEntry(&link, phoneTable, reminders, {2001, 5, 14, 9, "Budget, Q3"});
    EXPECT_FALSE(removal.phoneRowDeleted);
    EXPECT_TRUE(removal.reminderDeleted);
    EXPECT_EQ(phoneTable.entries(), QList<ScheduleEntry>{kMeeting});

    const ScheduleSave save = SaveScheduleEntry(
        nullptr, phoneTable, reminders,
        scheduleEntry(-1, ScheduleReminder, 2026, 12, 24, 18, 0, "Gifts", 17, 30), true);
    EXPECT_FALSE(save.phoneTried);
    EXPECT_TRUE(save.reminderStored);
    EXPECT_TRUE(commands().isEmpty());
    ASSERT_EQ(reminders.rows().size(), 1);
    EXPECT_EQ(
        reminders.rows()[0],
        (ReminderRow{scheduleEntry(-1, ScheduleReminder, 2026, 12, 24, 18, 0, "Gifts", 17, 30),
                     true}));
}

TEST_F(ScheduleSyncTest, SavingAnEditKeepsTheSlotAndRewritesTheReminderRow) {
    PhoneLink& link = connect({kMeeting, kBirthday});
    ASSERT_TRUE(RebuildRemindersFromPhone(link, progress, phoneTable, reminders).loaded());
    firstCommand = phoneSim->line().writes().size();

    ScheduleEntry moved = kMeeting;
    moved.index = -1;
    moved.date = 15;
    moved.contents = "Budget";
    const ScheduleSelection was{2001, 5, 14, 9, "Budget, Q3"};
    const ScheduleSave save = SaveScheduleEntry(&link, phoneTable, reminders, moved, false, &was);
    EXPECT_TRUE(save.phoneTried);
    EXPECT_EQ(save.phone.result, ScheduleStoreResult::Stored);
    EXPECT_EQ(save.phone.index, 3);
    EXPECT_EQ(commands().first(), "at+schd=3\r");
    moved.index = 3;
    EXPECT_EQ(phoneTable.entries().first(), moved);
    const QList<ReminderRow> rows = reminders.rows();
    ASSERT_EQ(rows.size(), 2);
    moved.index = -1;
    EXPECT_EQ(rows[0], (ReminderRow{moved, false}));

    // A new entry on line: a free slot and a new reminder row.
    const ScheduleSave fresh =
        SaveScheduleEntry(&link, phoneTable, reminders,
                          scheduleEntry(-1, ScheduleReminder, 2026, 12, 24, 18, 0, "Gifts"), false);
    EXPECT_EQ(fresh.phone.index, 0);
    EXPECT_EQ(reminders.FullRecordCount(), 3);
}
