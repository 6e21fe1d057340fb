// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "support/TempWorkDir.h"
#include "todo/CToDoListDB.h"

namespace {

TodoItem item(int index, const QString& contents, int priority = 0,
              const QDate& until = QDate(2026, 12, 10), bool mark = false,
              const QString& doneDate = {}) {
    return TodoItem{index,         contents,    priority, until.year(),
                    until.month(), until.day(), mark,     doneDate};
}

class TodoStoreTest : public ::testing::Test {
  protected:
    ~TodoStoreTest() override { closeAllDatabases(); }

    void add(std::initializer_list<TodoItem> items) {
        for (const TodoItem& i : items) {
            ASSERT_TRUE(table.AddRecord(i));
        }
    }
    QList<int> indexesOf(const QList<TodoRow>& rows) {
        QList<int> out;
        for (const TodoRow& row : rows) {
            out << row.index;
        }
        return out;
    }

    TempWorkDir dir;
    CToDoListDB table;
};

}  // namespace

TEST_F(TodoStoreTest, NextFreeIndexFillsTheFirstGapFromOne) {
    EXPECT_EQ(table.NextFreeIndex(), 1);
    add({item(1, "a"), item(2, "b"), item(4, "d")});
    EXPECT_EQ(table.NextFreeIndex(), 3);
    add({item(3, "c")});
    EXPECT_EQ(table.NextFreeIndex(), 5);
}

TEST_F(TodoStoreTest, NextFreeIndexNeverChoosesZero) {
    add({item(0, "zero")});
    EXPECT_EQ(table.NextFreeIndex(), 1);
    add({item(1, "a"), item(2, "b")});
    EXPECT_EQ(table.NextFreeIndex(), 3);
}

TEST_F(TodoStoreTest, IndexExistsAndUpdateRecord) {
    EXPECT_FALSE(table.IndexExists(1));
    add({item(1, "a"), item(5, "e")});
    EXPECT_TRUE(table.IndexExists(5));
    EXPECT_FALSE(table.IndexExists(2));
    EXPECT_TRUE(table.UpdateRecord(item(5, "changed", 1, QDate(2027, 1, 2), true, "x")));
    EXPECT_EQ(table.itemWithIndex(5), item(5, "changed", 1, QDate(2027, 1, 2), true, "x"));
    EXPECT_FALSE(table.UpdateRecord(item(9, "nobody")));
    EXPECT_EQ(table.items().size(), 2);
}

TEST_F(TodoStoreTest, RowTextsAndTotal) {
    EXPECT_EQ(CToDoListDB::RowTexts(item(3, "Pay", 1, QDate(2001, 10, 9), true, "9-10-2001 14:05")),
              (QStringList{"Pay", "2", "9-10-2001", "Done", "9-10-2001 14:05"}));
    EXPECT_EQ(CToDoListDB::RowTexts(item(3, "Pay", 0, QDate(2026, 1, 2))),
              (QStringList{"Pay", "1", "2-1-2026", "Undo", ""}));
    EXPECT_EQ(CToDoListDB::TotalText(7), "TOTAL : 7/50");
}

TEST_F(TodoStoreTest, FindRecordForRowMatchesEveryShownColumn) {
    add({item(1, "Same", 0, QDate(2026, 5, 1)), item(2, "Same", 1, QDate(2026, 5, 1)),
         item(3, "Same", 1, QDate(2026, 5, 1), true, "1-5-2026 10:00"),
         item(4, "Same", 1, QDate(2026, 5, 2))});
    auto find = [&](const QStringList& texts) {
        const std::optional<TodoItem> found = table.FindRecordForRow(texts);
        return found ? found->index : -1;
    };
    EXPECT_EQ(find({"Same", "1", "1-5-2026", "Undo", ""}), 1);
    EXPECT_EQ(find({"Same", "2", "1-5-2026", "Undo", ""}), 2);
    EXPECT_EQ(find({"Same", "2", "1-5-2026", "Done", "1-5-2026 10:00"}), 3);
    EXPECT_EQ(find({"Same", "2", "2-5-2026", "Undo", ""}), 4);
    EXPECT_EQ(find({"same", "1", "1-5-2026", "Undo", ""}), -1);
    EXPECT_EQ(find({"Same", "1", "3-5-2026", "Undo", ""}), -1);
    EXPECT_EQ(find({"Same", "x", "1-5-2026", "Undo", ""}), -1);
}

TEST_F(TodoStoreTest, IdenticalRowsLeadToTheFirstRecordInSortOrder) {
    add({item(8, "Twin"), item(2, "Twin")});
    EXPECT_EQ(table.FindRecordForRow(CToDoListDB::RowTexts(item(0, "Twin")))->index, 8);
    table.setSort("index ASC");
    EXPECT_EQ(table.FindRecordForRow(CToDoListDB::RowTexts(item(0, "Twin")))->index, 2);
}

TEST_F(TodoStoreTest, TabsFilterTheRows) {
    const QDate today(2026, 12, 8);
    add({item(1, "today, prio 1", 0, today), item(2, "today, prio 2, done", 1, today, true, "d"),
         item(3, "later, prio 2", 1, today.addDays(1)),
         item(4, "earlier, done", 0, today.addDays(-1), true, "d")});
    EXPECT_EQ(indexesOf(table.ListRows(TodoTabAll, 0, today)), (QList<int>{1, 2, 3, 4}));
    EXPECT_EQ(indexesOf(table.ListRows(TodoTabToday, 0, today)), (QList<int>{1, 2}));
    EXPECT_EQ(indexesOf(table.ListRows(TodoTabCompleted, 0, today)), (QList<int>{2, 4}));
    EXPECT_EQ(indexesOf(table.ListRows(TodoTabCompleted, 1, today)), (QList<int>{1, 3}));
    EXPECT_EQ(indexesOf(table.ListRows(TodoTabPriority, 0, today)), (QList<int>{1, 4}));
    EXPECT_EQ(indexesOf(table.ListRows(TodoTabPriority, 1, today)), (QList<int>{2, 3}));
}

TEST_F(TodoStoreTest, HeadingClicksSortDescendingThenAscending) {
    add({item(1, "b", 0, QDate(2026, 3, 1)), item(2, "a", 1, QDate(2027, 1, 1)),
         item(3, "c", 0, QDate(2026, 12, 31))});
    table.ToggleSort(TodoUntilColumn);
    EXPECT_EQ(table.sort(), "until_year DESC,until_month DESC,until_day DESC");
    EXPECT_EQ(indexesOf(table.ListRows(TodoTabAll, 0)), (QList<int>{2, 3, 1}));
    table.ToggleSort(TodoUntilColumn);
    EXPECT_EQ(table.sort(), "until_year ASC,until_month ASC,until_day ASC");
    EXPECT_EQ(indexesOf(table.ListRows(TodoTabAll, 0)), (QList<int>{1, 3, 2}));
    table.ToggleSort(TodoContentsColumn);
    EXPECT_EQ(table.sort(), "contents DESC");
    EXPECT_EQ(indexesOf(table.ListRows(TodoTabAll, 0)), (QList<int>{3, 1, 2}));
    table.ToggleSort(TodoPriorityColumn);
    EXPECT_EQ(table.sort(), "priority DESC");
    table.ToggleSort(TodoMarkColumn);
    EXPECT_EQ(table.sort(), "mark DESC");
    table.ToggleSort(TodoDoneColumn);
    table.ToggleSort(TodoDoneColumn);
    EXPECT_EQ(table.sort(), "done_date ASC");
}

TEST_F(TodoStoreTest, UntilTextRoundTrip) {
    EXPECT_EQ(CToDoListDB::UntilText(2026, 1, 9), "9-1-2026");
    EXPECT_EQ(CToDoListDB::ParseUntilText("9-1-2026"), QDate(2026, 1, 9));
    EXPECT_FALSE(CToDoListDB::ParseUntilText("2026/1/9").isValid());
}
