// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/DatabaseConnection.h"
#include "db/DatabaseSchema.h"
#include "db/TableColumns.h"
#include "phone/PhoneLink.h"
#include "phone/PhoneSafeText.h"
#include "phone/SlotMirror.h"
#include "phone/TodoAnswers.h"
#include "platform/Progress.h"
#include "todo/CToDoListDB.h"

namespace {

constexpr int kPauseMs = 100;
constexpr int kNotDone = 0;
constexpr int kDone = 2;

TodoItem itemOf(const TodoAnswer& answer) {
    TodoItem item;
    item.index = answer.index;
    item.contents = answer.contents;
    item.priority = answer.priority;
    item.year = answer.year;
    item.month = answer.month;
    item.day = answer.day;
    item.mark = answer.done();
    item.doneDate = TodoDoneDateText(answer.doneDate, answer.doneTime);
    return item;
}

bool sameValues(const TodoItem& a, const TodoItem& b) {
    return a.contents == b.contents && a.priority == b.priority && a.year == b.year &&
           a.month == b.month && a.day == b.day;
}

int writeItem(PhoneLink& link, const TodoItem& item, int status) {
    return link.WriteTodo(item.index, status, item.priority, item.year, item.month, item.day,
                          item.contents);
}

}  // namespace

// A failed read is followed by the presence probe: an empty slot may fail, a phone that went
// away fails the probe too.
MirrorOutcome CToDoListDB::LoadFromPhone(PhoneLink& link, Progress& progress) {
    SlotStaging<QVariantList> staging;
    SlotMirrorPlan plan;
    plan.caption = QStringLiteral("To Do List Load");
    plan.startValue = 0;
    plan.first = 0;
    plan.last = kTodoLastPhoneIndex;
    plan.readSlot = [&](int slot) {
        QString answerText;
        const int code = link.ReadTodo(slot, answerText);
        if (code == kPhoneDone && !answerText.isEmpty()) {
            const TodoItem item = itemOf(ParseTodoAnswer(answerText));
            staging.add(item.index,
                        QVariantList{item.index, item.contents, item.priority, item.year,
                                     item.month, item.day, item.mark, item.doneDate});
        }
        return code;
    };
    plan.progressValue = [](int slot) { return 2 * slot; };
    plan.stagedCount = [&] { return staging.size(); };
    plan.replaceTable = [&] {
        namespace Col = TodoColumns;
        bool replaced = false;
        {
            DbTransaction transaction(kToDoListDbFile);
            replaced = deleteAllRows() &&
                       addRows({Col::Index, Col::Contents, Col::Priority, Col::UntilYear,
                                Col::UntilMonth, Col::UntilDay, Col::Mark, Col::DoneDate},
                               staging.rows()) &&
                       transaction.commit();
        }
        Requery();
        return replaced;
    };
    return mirrorSlots(link, progress, plan);
}

TodoSaveResult CToDoListDB::SaveItem(PhoneLink& link, int index, const QString& contents,
                                     int priority, int year, int month, int day, bool mark,
                                     const QString& doneDate) {
    if (!isPhoneSafeText(contents, PhoneTextKind::Contents)) {
        return {TodoSaveOutcome::UnsafeText, index};
    }
    TodoItem wanted{index, contents, priority, year, month, day, mark, doneDate};
    const std::optional<TodoItem> old = index >= 0 ? itemWithIndex(index) : std::nullopt;
    if (!old) {
        return saveNew(link, wanted);
    }
    return saveExisting(link, *old, wanted);
}

TodoSaveResult CToDoListDB::saveExisting(PhoneLink& link, const TodoItem& old,
                                         const TodoItem& wanted) {
    TodoItem stored = wanted;
    int code = kPhoneDone;
    if (link.phoneFound) {
        if (!wanted.mark) {
            // The phone cannot clear a done mark in place: the slot is emptied and written anew.
            link.DeleteTodo(wanted.index);
            link.sleepMs(kPauseMs);
            if (writeItem(link, wanted, kNotDone) != kPhoneDone) {
                // Put back what the slot held, so the phone does not lose the item.
                writeItem(link, old, old.mark ? kDone : kNotDone);
                return {TodoSaveOutcome::RewriteRefused, old.index};
            }
            stored.doneDate.clear();
        } else if (!wanted.doneDate.isEmpty()) {
            code = writeItem(link, wanted, kDone);
            link.sleepMs(kPauseMs);
        } else {
            // The short mark carries no values: changed values go to the slot first.
            if (!sameValues(old, wanted)) {
                code = writeItem(link, wanted, kNotDone);
                link.sleepMs(kPauseMs);
            }
            code = code == kPhoneDone ? link.MarkTodoDone(wanted.index, 1) : code;
            link.sleepMs(kPauseMs);
            QString answerText;
            if (link.ReadTodo(wanted.index, answerText) == kPhoneDone && !answerText.isEmpty()) {
                const TodoAnswer answer = ParseTodoAnswer(answerText);
                stored.doneDate = TodoDoneDateText(answer.doneDate, answer.doneTime);
            }
        }
    }
    if (!UpdateRecord(stored)) {
        return {TodoSaveOutcome::TableFailed, old.index};
    }
    return {code == kPhoneDone ? TodoSaveOutcome::Stored : TodoSaveOutcome::PhoneRefused,
            old.index};
}

TodoSaveResult CToDoListDB::saveNew(PhoneLink& link, TodoItem item) {
    item.index = NextFreeIndex();
    item.mark = false;
    item.doneDate.clear();
    int code = kPhoneDone;
    if (link.phoneFound) {
        code = writeItem(link, item, kNotDone);
    }
    // The table keeps the item even when the phone refused it: it is the user's copy.
    if (!AddRecord(item)) {
        return {TodoSaveOutcome::TableFailed, item.index};
    }
    return {code == kPhoneDone ? TodoSaveOutcome::Stored : TodoSaveOutcome::PhoneRefused,
            item.index};
}

bool CToDoListDB::DeleteByIndex(PhoneLink& link, int index) {
    bool deleted = false;
    if (itemWithIndex(index)) {
        if (!link.phoneFound || link.DeleteTodo(index) == kPhoneDone) {
            deleted = Delete();
        }
    }
    Requery();
    return deleted;
}

int CToDoListDB::DeleteSelectedRows(PhoneLink& link, const QList<TodoRow>& selectedRows) {
    int deleted = 0;
    for (const TodoRow& row : selectedRows) {
        if (const std::optional<TodoItem> item = FindRecordForRow(row.texts)) {
            deleted += DeleteByIndex(link, item->index) ? 1 : 0;
        }
    }
    return deleted;
}

int CToDoListDB::DeleteAllRows(PhoneLink& link, Progress& progress,
                               const QList<TodoRow>& listedRows) {
    if (FullRecordCount() == 0) {
        return 0;
    }
    const int count = static_cast<int>(listedRows.size());
    int deleted = 0;
    for (int done = 0; done < count; ++done) {
        progress.show(QStringLiteral("ToDoList Delete"), QStringLiteral("Delete..."));
        progress.setValue(0);
        progress.setValue(100 * done / count);
        if (const std::optional<TodoItem> item = FindRecordForRow(listedRows[done].texts)) {
            deleted += DeleteByIndex(link, item->index) ? 1 : 0;
        }
    }
    progress.destroy();
    return deleted;
}
