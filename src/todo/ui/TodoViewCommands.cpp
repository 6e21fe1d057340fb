// SPDX-License-Identifier: GPL-3.0-or-later
// The to-do view's commands: each runs its dialog or question, then goes through CToDoListDB
// and refills the list.

#include <QTableWidget>

#include "phone/PhoneLink.h"
#include "phone/PhoneSafeText.h"
#include "phone/SlotMirror.h"
#include "platform/Notice.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"
#include "todo/ui/CTodolistView.h"
#include "todo/ui/TodoItemDialog.h"

namespace {

const QString kSelectFirst = QStringLiteral("Please Select To Do List");

void warn(const QString& text) {
    showMessage(text, QStringLiteral("Warning"), PromptIcon::Warning);
}

}  // namespace

bool CTodolistView::warnWithoutSelection() const {
    if (chosenRow() < 0) {
        warn(kSelectFirst);
        return true;
    }
    return false;
}

void CTodolistView::reloadTodo() {
    if (link_->Identify()) {
        const MirrorOutcome outcome = table_->LoadFromPhone(*link_, currentProgress());
        if (outcome.notice) {
            showNotice(*outcome.notice);
        }
    } else {
        showNotice(offLineNotice());
    }
    showTab(tab_, 0);
}

void CTodolistView::newTodo() {
    if (table_->NextFreeIndex() >= kTodoCapacity) {
        showMessage(QStringLiteral("You can't enter more todolist due to the maximum capacity "
                                   "excess!"),
                    QStringLiteral("Warining"), PromptIcon::Warning);
        return;
    }
    TodoItemDialog dialog(TodoItemDialog::Kind::New, this);
    if (runDialog(dialog) != QDialog::Accepted) {
        refill();
        return;
    }
    const TodoDialogValues values = dialog.values();
    report({table_->SaveItem(*link_, -1, values.contents, values.priority, values.until.year(),
                             values.until.month(), values.until.day(), false, QString())});
    showTab(TodoTabAll, 0);
}

void CTodolistView::editTodo() {
    if (warnWithoutSelection()) {
        return;
    }
    const std::optional<TodoItem> record = table_->FindRecordForRow(rowAt(chosenRow()).texts);
    if (!record) {
        refill();
        return;
    }
    TodoItemDialog dialog(TodoItemDialog::Kind::Edit, this);
    dialog.setValues({record->contents, record->priority, record->untilDate()});
    if (runDialog(dialog) != QDialog::Accepted || !dialog.changed()) {
        refill();
        return;
    }
    const TodoDialogValues values = dialog.values();
    report({table_->SaveItem(*link_, record->index, values.contents, values.priority,
                             values.until.year(), values.until.month(), values.until.day(),
                             record->mark, record->mark ? record->doneDate : QString())});
    showTab(tab_, 0);
}

void CTodolistView::copyTodo() {
    if (table_->NextFreeIndex() >= kTodoCapacity) {
        warn(QStringLiteral("Maximum Capacity Exceeded!"));
        return;
    }
    const QList<TodoRow> rows = selectedRows();
    if (rows.isEmpty()) {
        warn(kSelectFirst);
        return;
    }
    int copied = 0;
    int dropped = 0;
    QList<TodoSaveResult> results;
    QString unsafeContents;
    for (const TodoRow& row : rows) {
        const int priority = row.texts.value(TodoPriorityColumn).toInt() - 1;
        const QDate until = CToDoListDB::ParseUntilText(row.texts.value(TodoUntilColumn));
        const bool marked = row.texts.value(TodoMarkColumn) == QLatin1String("Done");
        const QString doneDate = marked ? row.texts.value(TodoDoneColumn) : QString();
        if (table_->NextFreeIndex() >= kTodoCapacity) {
            ++dropped;
            continue;
        }
        TodoItem item{-1,
                      row.texts.value(TodoContentsColumn),
                      priority,
                      until.year(),
                      until.month(),
                      until.day(),
                      marked,
                      doneDate};
        if (askQuestion(QStringLiteral("Do you want to edit selected Item?"),
                        QStringLiteral("Question")) == PromptAnswer::Yes) {
            TodoItemDialog dialog(TodoItemDialog::Kind::Edit, this);
            dialog.setValues({item.contents, item.priority, until});
            if (runDialog(dialog) != QDialog::Accepted) {
                continue;
            }
            const TodoDialogValues values = dialog.values();
            item.contents = values.contents;
            item.priority = values.priority;
            item.year = values.until.year();
            item.month = values.until.month();
            item.day = values.until.day();
        }
        const TodoSaveResult result = table_->SaveItem(*link_, item);
        results.append(result);
        if (result.outcome == TodoSaveOutcome::UnsafeText) {
            unsafeContents = item.contents;
        }
        if (result.outcome != TodoSaveOutcome::UnsafeText &&
            result.outcome != TodoSaveOutcome::TableFailed) {
            ++copied;
        }
    }
    refill();
    if (dropped > 0) {
        warn(QStringLiteral("%1 entries are copied. %2 entries are dropped. \nMaximum Capacity "
                            "Exceeded!")
                 .arg(copied)
                 .arg(dropped));
    }
    report(results, unsafeContents);
}

void CTodolistView::deleteTodo() {
    const QList<TodoRow> rows = selectedRows();
    if (rows.isEmpty()) {
        warn(kSelectFirst);
        return;
    }
    // Nothing on the phone brings a deleted item back: ask first, No by default.
    const int count = static_cast<int>(rows.size());
    Prompt question{count == 1
                        ? QStringLiteral("Do you want to delete the selected item?")
                        : QStringLiteral("Do you want to delete the %1 selected items?").arg(count),
                    QStringLiteral("Delete"), PromptIcon::Question, PromptButtons::YesNo};
    question.defaultAnswer = PromptAnswer::No;
    if (currentPrompter().ask(question) != PromptAnswer::Yes) {
        return;
    }
    table_->DeleteSelectedRows(*link_, rows);
    refill();
}

void CTodolistView::deleteAllTodo() {
    if (askQuestion(QStringLiteral("Do you want to delete all To Do List data?"),
                    QStringLiteral("Delete All")) == PromptAnswer::Yes) {
        QList<TodoRow> listed;
        for (int row = 0; row < list_->rowCount(); ++row) {
            listed.append(rowAt(row));
        }
        table_->DeleteAllRows(*link_, currentProgress(), listed);
    }
    refill();
}

void CTodolistView::markTodo() {
    mark(true);
}

void CTodolistView::unmarkTodo() {
    mark(false);
}

void CTodolistView::mark(bool done) {
    if (warnWithoutSelection()) {
        return;
    }
    const TodoRow row = rowAt(chosenRow());
    // Already in the wanted state: nothing to do.
    if (row.texts.value(TodoMarkColumn) == (done ? QLatin1String("Done") : QLatin1String("Undo"))) {
        refill();
        return;
    }
    std::optional<TodoItem> record = table_->FindRecordForRow(row.texts);
    if (!record) {
        refill();
        return;
    }
    record->mark = done;
    record->doneDate.clear();  // marking: the phone stamps the date
    report({table_->SaveItem(*link_, *record)}, record->contents);
    showTab(TodoTabAll, 0);
}

void CTodolistView::viewContents() {
    const int chosen = chosenRow();
    if (chosen < 0) {
        warn(kSelectFirst);
        return;
    }
    const TodoRow row = rowAt(chosen);
    const std::optional<TodoItem> record = table_->FindRecordForRow(row.texts);
    if (!record) {
        return;
    }
    TodoContentsDialog dialog(contentsText(*record, row.texts.value(TodoMarkColumn)), this);
    runDialog(dialog);
}

QString CTodolistView::contentsText(const TodoItem& item, const QString& markText) {
    const QString end = QStringLiteral("\r\n");
    return QStringLiteral("Contents : ") + item.contents + end + QStringLiteral("Order : ") +
           QString::number(item.priority + 1) + end + QStringLiteral("Until Date : ") +
           CToDoListDB::UntilText(item.year, item.month, item.day) + end +
           QStringLiteral("Mark : ") + markText + end + QStringLiteral("Done Date : ") +
           (item.mark ? item.doneDate : QStringLiteral("None")) + end;
}

void CTodolistView::report(const QList<TodoSaveResult>& results, const QString& contents) {
    bool refused = false;
    bool unsafe = false;
    for (const TodoSaveResult& result : results) {
        refused = refused || result.phoneRefused();
        unsafe = unsafe || result.outcome == TodoSaveOutcome::UnsafeText;
    }
    if (unsafe) {
        warn(phoneSafeTextProblem(contents, PhoneTextKind::Contents));
    }
    if (refused) {
        showNotice(todoPhoneRefusedNotice());
    }
}
