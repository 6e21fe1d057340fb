// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "link/Transact.h"
#include "phone/PhoneLink.h"
#include "phone/SlotMirror.h"
#include "platform/Profile.h"
#include "support/RecordingProgress.h"
#include "support/TempWorkDir.h"
#include "support/TranscriptReplay.h"
#include "todo/CToDoListDB.h"

// Recorded exchanges of every to-do operation, replayed byte for byte.

namespace {

PhoneSimState todoPhone() {
    PhoneSimState state;
    state.fixedClock = QDateTime(QDate(2026, 12, 7), QTime(21, 5));
    state.todos[3] = {0, 1, 2026, 12, 10, "Renew, insurance", {}, {}};
    state.todos[7] = {2, 0, 2001, 10, 9, "Call Ann", "2001/10/09", "14:05"};
    return state;
}

class TodoTranscriptTest : public ::testing::Test {
  protected:
    TodoTranscriptTest() { Profile::useFolder(dir.path()); }
    ~TodoTranscriptTest() override {
        closeAllDatabases();
        Profile::useFolder({});
    }
    TempWorkDir dir;
    RecordingProgress progress;
};

}  // namespace

TEST_F(TodoTranscriptTest, ReadAnItem) {
    TranscriptReplay replay("todo_read", todoPhone());
    QString text;
    EXPECT_EQ(replay.connectThenReplay().ReadTodo(3, text), kTransactComplete);
    EXPECT_EQ(text, "3,1,2026/12/10,\"Renew, insurance\",,\r\n\r\nOK\r\n");
    EXPECT_TRUE(replay.matched());
}

TEST_F(TodoTranscriptTest, ReadAnEmptySlot) {
    TranscriptReplay replay("todo_read_empty", todoPhone());
    QString text = "left over";
    EXPECT_EQ(replay.connectThenReplay().ReadTodo(4, text), kTransactComplete);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(replay.matched());
}

TEST_F(TodoTranscriptTest, WriteAnItem) {
    TranscriptReplay replay("todo_write", todoPhone());
    EXPECT_EQ(replay.connectThenReplay().WriteTodo(5, 0, 1, 2027, 1, 2, "Buy milk"),
              kTransactComplete);
    EXPECT_TRUE(replay.matched());
}

TEST_F(TodoTranscriptTest, MarkDone) {
    TranscriptReplay replay("todo_mark_done", todoPhone());
    EXPECT_EQ(replay.connectThenReplay().MarkTodoDone(3, 1), kTransactComplete);
    EXPECT_TRUE(replay.matched());
}

TEST_F(TodoTranscriptTest, DeleteAnItem) {
    TranscriptReplay replay("todo_delete", todoPhone());
    EXPECT_EQ(replay.connectThenReplay().DeleteTodo(7), kTransactComplete);
    EXPECT_TRUE(replay.matched());
}

TEST_F(TodoTranscriptTest, LoadTheList) {
    TranscriptReplay replay("todo_load", todoPhone());
    PhoneLink& link = replay.connectThenReplay();
    CToDoListDB table;
    EXPECT_TRUE(table.LoadFromPhone(link, progress).loaded());
    const QList<TodoItem> items = table.items();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items[1].doneDate, "09-10-2001 14:05");
    EXPECT_TRUE(replay.matched());
}

TEST_F(TodoTranscriptTest, MarkThroughTheStoreReadsTheStampBack) {
    TranscriptReplay replay("todo_save_mark", todoPhone());
    PhoneLink& link = replay.connectThenReplay();
    CToDoListDB table;
    table.AddRecord(TodoItem{3, "Renew, insurance", 1, 2026, 12, 10, false, {}});
    EXPECT_EQ(table.SaveItem(link, 3, "Renew, insurance", 1, 2026, 12, 10, true, {}).outcome,
              TodoSaveOutcome::Stored);
    EXPECT_EQ(table.itemWithIndex(3)->doneDate, "07-12-2026 21:05");
    EXPECT_TRUE(replay.matched());
}

TEST_F(TodoTranscriptTest, UnmarkDeletesThenRewrites) {
    TranscriptReplay replay("todo_save_unmark", todoPhone());
    PhoneLink& link = replay.connectThenReplay();
    CToDoListDB table;
    table.AddRecord(TodoItem{7, "Call Ann", 0, 2001, 10, 9, true, "09-10-2001 14:05"});
    EXPECT_EQ(table.SaveItem(link, 7, "Call Ann", 0, 2001, 10, 9, false, {}).outcome,
              TodoSaveOutcome::Stored);
    EXPECT_TRUE(replay.matched());
}

TEST_F(TodoTranscriptTest, RefusedRewritePutsTheItemBack) {
    TranscriptReplay replay("todo_save_unmark_refused", todoPhone());
    PhoneSimFaults faults;
    faults.errorPattern = "ctdw=7,0";
    replay.engine().setFaults(faults);
    PhoneLink& link = replay.connectThenReplay();
    CToDoListDB table;
    const TodoItem old{7, "Call Ann", 0, 2001, 10, 9, true, "09-10-2001 14:05"};
    table.AddRecord(old);
    EXPECT_EQ(table.SaveItem(link, 7, "Call Ann", 0, 2001, 10, 9, false, {}).outcome,
              TodoSaveOutcome::RewriteRefused);
    EXPECT_EQ(table.itemWithIndex(7), old);
    EXPECT_TRUE(replay.matched());
}

TEST_F(TodoTranscriptTest, NewItemAndDeleteThroughTheStore) {
    TranscriptReplay replay("todo_save_new_delete", todoPhone());
    PhoneLink& link = replay.connectThenReplay();
    CToDoListDB table;
    const TodoSaveResult added =
        table.SaveItem(link, -1, "Water plants", 0, 2026, 12, 9, false, {});
    EXPECT_EQ(added.outcome, TodoSaveOutcome::Stored);
    EXPECT_EQ(added.index, 1);
    EXPECT_TRUE(table.DeleteByIndex(link, 1));
    EXPECT_TRUE(replay.matched());
}
