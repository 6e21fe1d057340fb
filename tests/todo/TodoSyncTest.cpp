// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "link/Transact.h"
#include "phone/SlotMirror.h"
#include "platform/Profile.h"
#include "support/EnginePhoneLink.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"
#include "todo/CToDoListDB.h"

namespace {

TodoItem item(int index, const QString& contents, int priority = 0,
              const QDate& until = QDate(2026, 12, 10), bool mark = false,
              const QString& doneDate = {}) {
    return TodoItem{index,         contents,    priority, until.year(),
                    until.month(), until.day(), mark,     doneDate};
}

class TodoSyncTest : public ::testing::Test {
  protected:
    TodoSyncTest() {
        Profile::useFolder(dir.path());
        state.fixedClock = QDateTime(QDate(2026, 12, 7), QTime(21, 5));
    }
    ~TodoSyncTest() override {
        closeAllDatabases();
        Profile::useFolder({});
    }

    PhoneLink& connect() {
        phoneSim = std::make_unique<EnginePhoneLink>(state);
        mark = static_cast<int>(phoneSim->line().writes().size());
        return phoneSim->link();
    }
    PhoneSimState& phone() { return phoneSim->engine().state(); }
    void failCommandsHolding(const QByteArray& pattern) {
        PhoneSimFaults faults;
        faults.errorPattern = pattern;
        phoneSim->engine().setFaults(faults);
    }
    // Command lines sent since connect() or the last call.
    QStringList sent() {
        QStringList out;
        const QList<QByteArray>& writes = phoneSim->line().writes();
        for (int i = mark; i < writes.size(); ++i) {
            out << QString::fromLatin1(writes[i]);
        }
        mark = static_cast<int>(writes.size());
        return out;
    }
    QList<int> indexes() {
        QList<int> out;
        for (const TodoItem& i : table.items()) {
            out << i.index;
        }
        return out;
    }

    TempWorkDir dir;
    RecordingProgress progress;
    PhoneSimState state;
    std::unique_ptr<EnginePhoneLink> phoneSim;
    CToDoListDB table;
    int mark = 0;
};

}  // namespace

TEST_F(TodoSyncTest, LoadReadsIndexesZeroToFiftyIntoTheTable) {
    state.todos[0] = {0, 1, 2026, 12, 10, "First, with comma", {}, {}};
    state.todos[7] = {2, 0, 2001, 10, 9, "Done", "2001/10/9", "14:05"};
    state.todos[50] = {0, 0, 2027, 1, 2, "Last", {}, {}};
    PhoneLink& link = connect();
    ASSERT_TRUE(link.phoneFound);
    table.AddRecord(item(3, "stale"));

    EXPECT_EQ(table.LoadFromPhone(link, progress).kind, MirrorOutcome::Kind::Loaded);
    const QList<TodoItem> items = table.items();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0], item(0, "First, with comma", 1, QDate(2026, 12, 10)));
    EXPECT_EQ(items[1], item(7, "Done", 0, QDate(2001, 10, 9), true, "9-10-2001 14:05"));
    EXPECT_EQ(items[2], item(50, "Last", 0, QDate(2027, 1, 2)));

    const QStringList commands = sent();
    ASSERT_EQ(commands.size(), 51);
    EXPECT_EQ(commands.first(), "at+ctdr=0\r");
    EXPECT_EQ(commands.last(), "at+ctdr=50\r");
    EXPECT_EQ(progress.calls.first(), "show To Do List Load|Loading....");
    EXPECT_EQ(progress.calls[1], "value 0");
    EXPECT_TRUE(progress.calls.contains("value 14"));
    EXPECT_EQ(progress.calls[progress.calls.size() - 2], "value 100");
    EXPECT_EQ(progress.calls.last(), "destroy");
}

TEST_F(TodoSyncTest, LoadFromAnEmptyPhoneEmptiesTheTable) {
    PhoneLink& link = connect();
    table.AddRecord(item(3, "stale"));
    EXPECT_EQ(table.LoadFromPhone(link, progress).kind, MirrorOutcome::Kind::Loaded);
    EXPECT_TRUE(table.items().isEmpty());
}

TEST_F(TodoSyncTest, PhoneLostMidLoadKeepsThePreviousTable) {
    state.todos[1] = {0, 0, 2026, 1, 1, "on phone", {}, {}};
    PhoneLink& link = connect();
    table.AddRecord(item(3, "kept"));
    table.AddRecord(item(4, "kept too"));
    phoneSim->silenceAfter(20);

    const MirrorOutcome outcome = table.LoadFromPhone(link, progress);
    EXPECT_EQ(outcome.kind, MirrorOutcome::Kind::PhoneLost);
    EXPECT_EQ(indexes(), (QList<int>{3, 4}));
    ASSERT_TRUE(outcome.notice);
    EXPECT_EQ(outcome.notice->text, "Now is OFF line");
    EXPECT_EQ(outcome.notice->caption, "Load");
    EXPECT_EQ(outcome.notice->icon, PromptIcon::Error);
    EXPECT_EQ(progress.calls.last(), "destroy");
    // The probe after the first unanswered read ends the load: no read of every remaining index.
    EXPECT_FALSE(sent().contains("at+ctdr=50\r"));
}

TEST_F(TodoSyncTest, RefusedReadOfAPresentPhoneCountsAsAnEmptySlot) {
    state.todos[4] = {0, 0, 2026, 1, 1, "unreadable", {}, {}};
    state.todos[5] = {0, 0, 2026, 1, 1, "readable", {}, {}};
    PhoneLink& link = connect();
    failCommandsHolding("ctdr=4");
    EXPECT_EQ(table.LoadFromPhone(link, progress).kind, MirrorOutcome::Kind::Loaded);
    EXPECT_EQ(indexes(), (QList<int>{5}));
}

TEST_F(TodoSyncTest, OfflineLoadIsSkippedSilently) {
    state.maker = "Other";
    PhoneLink& link = connect();
    ASSERT_FALSE(link.phoneFound);
    table.AddRecord(item(3, "kept"));
    sent();
    EXPECT_EQ(table.LoadFromPhone(link, progress).kind, MirrorOutcome::Kind::Skipped);
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(indexes(), (QList<int>{3}));
    EXPECT_TRUE(progress.calls.isEmpty());
}

TEST_F(TodoSyncTest, NewItemTakesTheFreeIndexAndIsNeverStoredDone) {
    PhoneLink& link = connect();
    table.AddRecord(item(1, "a"));
    table.AddRecord(item(2, "b"));
    table.AddRecord(item(4, "d"));
    const TodoSaveResult result =
        table.SaveItem(link, -1, "Copied done row", 1, 2026, 12, 24, true, "1-12-2026 10:00");
    EXPECT_EQ(result.outcome, TodoSaveOutcome::Stored);
    EXPECT_EQ(result.index, 3);
    EXPECT_EQ(sent(), (QStringList{"at+ctdw=3,0,1,2026,12,24,\"Copied done row\"\r"}));
    EXPECT_EQ(table.itemWithIndex(3), item(3, "Copied done row", 1, QDate(2026, 12, 24)));
    EXPECT_EQ(phone().todos.at(3).status, 0);
}

TEST_F(TodoSyncTest, RefusedNewItemIsKeptAndReported) {
    PhoneLink& link = connect();
    failCommandsHolding("ctdw");
    const TodoSaveResult result = table.SaveItem(link, -1, "x", 0, 2026, 1, 1, false, {});
    EXPECT_EQ(result.outcome, TodoSaveOutcome::PhoneRefused);
    EXPECT_TRUE(result.phoneRefused());
    EXPECT_TRUE(table.IndexExists(1));
}

TEST_F(TodoSyncTest, UnsafeContentsAreNeitherSentNorStored) {
    PhoneLink& link = connect();
    const TodoSaveResult result = table.SaveItem(link, -1, "say \"hi\"", 0, 2026, 1, 1, false, {});
    EXPECT_EQ(result.outcome, TodoSaveOutcome::UnsafeText);
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_TRUE(table.items().isEmpty());
}

TEST_F(TodoSyncTest, UnmarkingDeletesThenRewritesNotDone) {
    state.todos[5] = {2, 1, 2026, 12, 1, "Done item", "2026/12/01", "09:00"};
    PhoneLink& link = connect();
    table.AddRecord(item(5, "Done item", 1, QDate(2026, 12, 1), true, "01-12-2026 09:00"));
    phoneSim->clock().clearRecords();

    const TodoSaveResult result =
        table.SaveItem(link, 5, "Done item", 1, 2026, 12, 1, false, QString());
    EXPECT_EQ(result.outcome, TodoSaveOutcome::Stored);
    EXPECT_EQ(sent(), (QStringList{"at+ctdd=5\r", "at+ctdw=5,0,1,2026,12,1,\"Done item\"\r"}));
    EXPECT_EQ(phoneSim->clock().sleeps(), QList<int>{100});
    EXPECT_EQ(table.itemWithIndex(5), item(5, "Done item", 1, QDate(2026, 12, 1)));
    EXPECT_EQ(phone().todos.at(5).status, 0);
}

TEST_F(TodoSyncTest, RefusedRewriteWritesTheOldItemBackAndKeepsTheRecord) {
    state.todos[5] = {2, 1, 2026, 12, 1, "Done item", "2026/12/01", "09:00"};
    PhoneLink& link = connect();
    const TodoItem old = item(5, "Done item", 1, QDate(2026, 12, 1), true, "01-12-2026 09:00");
    table.AddRecord(old);
    failCommandsHolding("ctdw=5,0");

    const TodoSaveResult result =
        table.SaveItem(link, 5, "Done item", 1, 2026, 12, 1, false, QString());
    EXPECT_EQ(result.outcome, TodoSaveOutcome::RewriteRefused);
    EXPECT_TRUE(result.phoneRefused());
    EXPECT_EQ(sent(), (QStringList{"at+ctdd=5\r", "at+ctdw=5,0,1,2026,12,1,\"Done item\"\r",
                                   "at+ctdw=5,2,1,2026,12,1,\"Done item\"\r"}));
    EXPECT_EQ(table.itemWithIndex(5), old);
    ASSERT_EQ(phone().todos.count(5), 1u);
    EXPECT_EQ(phone().todos.at(5).contents, "Done item");
    EXPECT_EQ(phone().todos.at(5).status, 2);
}

TEST_F(TodoSyncTest, MarkingAsksThePhoneToStampAndReadsTheDateBack) {
    state.todos[2] = {0, 0, 2026, 12, 10, "Pay", {}, {}};
    PhoneLink& link = connect();
    table.AddRecord(item(2, "Pay"));
    const TodoSaveResult result = table.SaveItem(link, 2, "Pay", 0, 2026, 12, 10, true, {});
    EXPECT_EQ(result.outcome, TodoSaveOutcome::Stored);
    EXPECT_EQ(sent(), (QStringList{"at+ctdw=2,1\r", "at+ctdr=2\r"}));
    EXPECT_EQ(table.itemWithIndex(2),
              item(2, "Pay", 0, QDate(2026, 12, 10), true, "07-12-2026 21:05"));
}

TEST_F(TodoSyncTest, MarkingWhoseReadBackFailsKeepsAnEmptyDoneDate) {
    state.todos[2] = {0, 0, 2026, 12, 10, "Pay", {}, {}};
    PhoneLink& link = connect();
    table.AddRecord(item(2, "Pay"));
    failCommandsHolding("ctdr=2");
    EXPECT_EQ(table.SaveItem(link, 2, "Pay", 0, 2026, 12, 10, true, {}).outcome,
              TodoSaveOutcome::Stored);
    EXPECT_EQ(table.itemWithIndex(2), item(2, "Pay", 0, QDate(2026, 12, 10), true, ""));
}

TEST_F(TodoSyncTest, MarkingWithChangedValuesWritesThemBeforeTheMark) {
    state.todos[2] = {0, 0, 2026, 12, 10, "Pay", {}, {}};
    PhoneLink& link = connect();
    table.AddRecord(item(2, "Pay", 0, QDate(2026, 12, 10), true, ""));
    EXPECT_EQ(table.SaveItem(link, 2, "Pay rent", 1, 2026, 12, 11, true, {}).outcome,
              TodoSaveOutcome::Stored);
    EXPECT_EQ(sent(), (QStringList{"at+ctdw=2,0,1,2026,12,11,\"Pay rent\"\r", "at+ctdw=2,1\r",
                                   "at+ctdr=2\r"}));
    EXPECT_EQ(phone().todos.at(2).contents, "Pay rent");
    EXPECT_EQ(phone().todos.at(2).status, 2);
    EXPECT_EQ(table.itemWithIndex(2),
              item(2, "Pay rent", 1, QDate(2026, 12, 11), true, "07-12-2026 21:05"));
}

TEST_F(TodoSyncTest, EditingADoneItemRewritesItDone) {
    state.todos[2] = {2, 0, 2026, 12, 10, "Pay", "2026/12/01", "08:00"};
    PhoneLink& link = connect();
    table.AddRecord(item(2, "Pay", 0, QDate(2026, 12, 10), true, "01-12-2026 08:00"));
    EXPECT_EQ(
        table.SaveItem(link, 2, "Pay rent", 1, 2026, 12, 11, true, "01-12-2026 08:00").outcome,
        TodoSaveOutcome::Stored);
    EXPECT_EQ(sent(), (QStringList{"at+ctdw=2,2,1,2026,12,11,\"Pay rent\"\r"}));
    EXPECT_EQ(table.itemWithIndex(2),
              item(2, "Pay rent", 1, QDate(2026, 12, 11), true, "01-12-2026 08:00"));
}

TEST_F(TodoSyncTest, RefusedDoneRewriteStillChangesTheTableAndIsReported) {
    PhoneLink& link = connect();
    table.AddRecord(item(2, "Pay", 0, QDate(2026, 12, 10), true, "01-12-2026 08:00"));
    failCommandsHolding("ctdw");
    EXPECT_EQ(
        table.SaveItem(link, 2, "Pay rent", 0, 2026, 12, 10, true, "01-12-2026 08:00").outcome,
        TodoSaveOutcome::PhoneRefused);
    EXPECT_EQ(table.itemWithIndex(2)->contents, "Pay rent");
}

TEST_F(TodoSyncTest, OfflineChangesTouchOnlyTheTable) {
    state.maker = "Other";
    PhoneLink& link = connect();
    table.AddRecord(item(2, "Pay", 0, QDate(2026, 12, 10), true, "x"));
    sent();
    EXPECT_EQ(table.SaveItem(link, 2, "Pay", 0, 2026, 12, 10, false, {}).outcome,
              TodoSaveOutcome::Stored);
    EXPECT_EQ(table.SaveItem(link, -1, "New", 0, 2026, 12, 10, false, {}).index, 1);
    EXPECT_TRUE(table.DeleteByIndex(link, 2));
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(indexes(), (QList<int>{1}));
}

TEST_F(TodoSyncTest, DeleteByIndexKeepsARecordThePhoneRefused) {
    state.todos[2] = {0, 0, 2026, 12, 10, "a", {}, {}};
    state.todos[3] = {0, 0, 2026, 12, 10, "b", {}, {}};
    PhoneLink& link = connect();
    table.AddRecord(item(2, "a"));
    table.AddRecord(item(3, "b"));
    failCommandsHolding("ctdd=3");
    EXPECT_TRUE(table.DeleteByIndex(link, 2));
    EXPECT_FALSE(table.DeleteByIndex(link, 3));
    EXPECT_FALSE(table.DeleteByIndex(link, 9));
    EXPECT_EQ(sent(), (QStringList{"at+ctdd=2\r", "at+ctdd=3\r"}));
    EXPECT_EQ(indexes(), (QList<int>{3}));
    EXPECT_EQ(phone().todos.count(2), 0u);
}

TEST_F(TodoSyncTest, DeleteAllRowsDeletesOnlyTheListedRowsWithProgress) {
    const QDate today = QDate::currentDate();
    PhoneLink& link = connect();
    table.AddRecord(item(1, "today a", 0, today));
    table.AddRecord(item(2, "tomorrow", 0, today.addDays(1)));
    table.AddRecord(item(3, "today b", 1, today));
    const QList<TodoRow> todayRows = table.ListRows(TodoTabToday, 0, today);
    ASSERT_EQ(todayRows.size(), 2);

    EXPECT_EQ(table.DeleteAllRows(link, progress, todayRows), 2);
    EXPECT_EQ(indexes(), (QList<int>{2}));
    EXPECT_EQ(sent(), (QStringList{"at+ctdd=1\r", "at+ctdd=3\r"}));
    EXPECT_EQ(progress.calls,
              (QStringList{"show ToDoList Delete|Delete...", "value 0", "value 0",
                           "show ToDoList Delete|Delete...", "value 0", "value 50", "destroy"}));
}

TEST_F(TodoSyncTest, DeleteSelectedRowsFindsRecordsByTheirTexts) {
    PhoneLink& link = connect();
    table.AddRecord(item(4, "x"));
    table.AddRecord(item(9, "y", 1));
    const QList<TodoRow> rows = {TodoRow{-1, CToDoListDB::RowTexts(item(0, "y", 1))},
                                 TodoRow{-1, CToDoListDB::RowTexts(item(0, "missing"))}};
    EXPECT_EQ(table.DeleteSelectedRows(link, rows), 1);
    EXPECT_EQ(indexes(), (QList<int>{4}));
    EXPECT_EQ(sent(), (QStringList{"at+ctdd=9\r"}));
}
