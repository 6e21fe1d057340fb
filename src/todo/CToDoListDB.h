// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "db/Recordset.h"
#include "platform/Notice.h"

class PhoneLink;
class Progress;
struct MirrorOutcome;

// The phone keeps at most this many items; the list's total line counts against it.
inline constexpr int kTodoCapacity = 50;
// How many characters an item's contents hold (the item dialog's field).
inline constexpr int kTodoContentsLimit = 42;
// What the item dialog refuses, in its order: empty contents ("You must input contents
// field"), then text the phone's command line cannot carry. Empty when neither.
QString todoContentsProblem(const QString& contents);
// Indexes 0 to 50 are read when the list is loaded.
inline constexpr int kTodoLastPhoneIndex = 50;

// One record of table Todolist.
struct TodoItem {
    int index = -1;
    QString contents;
    int priority = 0;  // 0 or 1, shown as 1 and 2
    int year = 0;
    int month = 0;
    int day = 0;
    bool mark = false;  // done
    QString doneDate;   // "day-month-year hour:minute" as the phone stamped it; empty if not done

    QDate untilDate() const { return QDate(year, month, day); }
    bool operator==(const TodoItem&) const = default;
};

// Columns of a list row: Contents, Priority, Until Date, Mark, Done Date.
enum TodoColumn {
    TodoContentsColumn = 0,
    TodoPriorityColumn = 1,
    TodoUntilColumn = 2,
    TodoMarkColumn = 3,
    TodoDoneColumn = 4
};
enum TodoTab { TodoTabAll = 0, TodoTabToday = 1, TodoTabCompleted = 2, TodoTabPriority = 3 };

// One list row: the five column texts and, not shown, the index of the record it came from.
struct TodoRow {
    int index = -1;
    QStringList texts;
};

enum class TodoSaveOutcome {
    Stored,          // phone (when used) and table agree
    PhoneRefused,    // the table holds the item, the phone refused it
    RewriteRefused,  // the phone refused the rewrite: the old item was written back, the
                     // record is unchanged
    UnsafeText,      // contents that cannot go on the command line: nothing sent or stored
    TableFailed,     // the table could not be written
};

struct TodoSaveResult {
    TodoSaveOutcome outcome = TodoSaveOutcome::Stored;
    int index = -1;  // the index the item has (a new item's chosen index)

    bool phoneRefused() const {
        return outcome == TodoSaveOutcome::PhoneRefused ||
               outcome == TodoSaveOutcome::RewriteRefused;
    }
};

// The to-do list's table in ToDoListDB.mdb, and the only code that sends the to-do commands:
// phone first (while the phone was found at start-up), then the table.
class CToDoListDB : public Recordset {
  public:
    CToDoListDB();

    // Reads indexes 0 to kTodoLastPhoneIndex and replaces the table after a complete pass.
    MirrorOutcome LoadFromPhone(PhoneLink& link, Progress& progress);
    // index -1 (or any index no record has) creates a new item, always stored not done.
    TodoSaveResult SaveItem(PhoneLink& link, int index, const QString& contents, int priority,
                            int year, int month, int day, bool mark, const QString& doneDate);
    TodoSaveResult SaveItem(PhoneLink& link, const TodoItem& item) {
        return SaveItem(link, item.index, item.contents, item.priority, item.year, item.month,
                        item.day, item.mark, item.doneDate);
    }
    // True when the record went; a record whose deletion the phone refused stays.
    bool DeleteByIndex(PhoneLink& link, int index);
    // The records behind the rows, found by their texts; returns how many went.
    int DeleteSelectedRows(PhoneLink& link, const QList<TodoRow>& selectedRows);
    // Every row the list shows (only those), with the "ToDoList Delete" progress.
    int DeleteAllRows(PhoneLink& link, Progress& progress, const QList<TodoRow>& listedRows);

    // The smallest index from 1 up to the record count that no record holds, else count + 1.
    int NextFreeIndex();
    bool IndexExists(int index);
    bool AddRecord(const TodoItem& item);
    // Changes the record holding item.index in place; false when there is none.
    bool UpdateRecord(const TodoItem& item);
    // The first record, in the current sort order, whose texts match the row's (contents,
    // priority, until date, done or not); the recordset is left on it.
    std::optional<TodoItem> FindRecordForRow(const QStringList& rowTexts);
    std::optional<TodoItem> itemWithIndex(int index);

    // Every record in the current sort order.
    QList<TodoItem> items();
    // The rows the list shows on a tab: All; Today (until date is today); Completed (sub-filter
    // 0 done, 1 not done); Priority (sub-filter 0 priority 1, 1 priority 2).
    QList<TodoRow> ListRows(int tab, int subFilter, const QDate& today = QDate::currentDate());

    // A heading click: the column's descending order, or its ascending one when the descending
    // one is already set. Applies at the next ListRows.
    void ToggleSort(int column);
    static QString sortFor(int column, bool descending);

    static QStringList RowTexts(const TodoItem& item);
    static QString TotalText(int rowCount);
    // "%d-%d-%d" of day, month and year; ParseUntilText reads it back (invalid date on failure).
    static QString UntilText(int year, int month, int day);
    static QDate ParseUntilText(const QString& text);

  private:
    TodoItem currentItem() const;
    bool writeCurrent(const TodoItem& item);
    TodoSaveResult saveExisting(PhoneLink& link, const TodoItem& old, const TodoItem& wanted);
    TodoSaveResult saveNew(PhoneLink& link, TodoItem item);
};

// The one warning a command gives when the phone refused one or more of its items.
inline Notice todoPhoneRefusedNotice() {
    return Notice{QStringLiteral("The phone did not accept the to-do item."),
                  QStringLiteral("To Do List"), PromptIcon::Warning};
}
