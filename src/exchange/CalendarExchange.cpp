// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/CalendarExchange.h"

#include <QFile>
#include <functional>

#include "exchange/CalendarParts.h"
#include "phone/PhoneLink.h"
#include "platform/Progress.h"
#include "scheduler/ScheduleSync.h"

namespace {

bool readFile(const QString& path, QByteArray& bytes, ExchangeResult& result) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    bytes = file.readAll();
    return true;
}

// How storing one read row ended.
struct ImportStep {
    enum class Kind { Imported, Skipped, PhoneLost };
    Kind kind = Kind::Imported;
    QString why;  // a skip's reason, after the row's name

    static ImportStep skipped(const QString& why) { return {Kind::Skipped, why}; }
};

// One list's import: what the progress says, how a row is named in a skip reason, whether it
// is already there, and how it is stored.
template <typename Row>
struct CalendarImport {
    QString caption;
    QString listName;  // "the schedule": "... is already in the schedule"
    std::function<QString(const Row&)> contents;
    std::function<bool(const Row&)> alreadyThere;
    std::function<ImportStep(const Row&)> store;
};

// Every readable component is stored in file order, under the progress window; one the file
// cannot give whole, or that is already there, or that the store refuses is skipped with its
// reason. A phone that stops answering ends the import, saying how far it got.
template <typename Row>
ExchangeResult importCalendar(Progress& progress, const CalendarRead<Row>& read,
                              const CalendarImport<Row>& plan) {
    ExchangeResult result;
    const int total = static_cast<int>(read.items.size());
    progress.show(plan.caption, QStringLiteral("Importing...."));
    progress.setValue(0);
    for (int i = 0; i < total; ++i) {
        const auto& item = read.items[i];
        progress.setValue(100 * i / total);
        if (!item.problem.isEmpty()) {
            result.skip(item.problem);
            continue;
        }
        const QString name = quoted(plan.contents(item.row));
        if (plan.alreadyThere(item.row)) {
            result.skip(lineReason(item.line,
                                   QStringLiteral("%1 is already in %2").arg(name, plan.listName)));
            continue;
        }
        const ImportStep step = plan.store(item.row);
        if (step.kind != ImportStep::Kind::Imported) {
            result.skip(lineReason(item.line, name + QStringLiteral(": ") + step.why));
            if (step.kind == ImportStep::Kind::PhoneLost) {
                result.error = ExchangeResult::phoneLostText(result.imported, total);
                break;
            }
            continue;
        }
        ++result.imported;
    }
    progress.setValue(100);
    progress.destroy();
    return result;
}

}  // namespace

ExchangeResult importScheduleCalendar(const QString& file, PhoneLink* phoneOrNull,
                                      Progress& progress) {
    return importScheduleCalendar(file, phoneOrNull, progress, QTimeZone::systemTimeZone());
}

// Each event as a new entry of the scheduler view: the phone and phone_schedule first while
// the phone answers, then reminder; an event the phone does not take goes nowhere. The
// program finds an entry by its date, hour and text, so an event that matches an entry
// already there would only make that lookup ambiguous: it is skipped.
ExchangeResult importScheduleCalendar(const QString& file, PhoneLink* phoneOrNull,
                                      Progress& progress, const QTimeZone& zone) {
    ExchangeResult failed;
    QByteArray bytes;
    if (!readFile(file, bytes, failed)) {
        return failed;
    }
    const CalendarRead<ReminderRow> read = readScheduleCalendar(bytes, zone);
    if (!read.error.isEmpty()) {
        return ExchangeResult::failed(read.error);
    }
    PhoneLink* link = phoneOrNull && phoneOrNull->phoneFound ? phoneOrNull : nullptr;
    CPhoneScheduleDB phoneSchedule;
    CReminderDB reminders;
    QList<ScheduleEntry> present;
    for (const ReminderRow& row : reminders.rows()) {
        present.append(row.entry);
    }
    if (link) {
        present.append(phoneSchedule.entries());
    }

    CalendarImport<ReminderRow> plan;
    plan.caption = QStringLiteral("Schedule Import");
    plan.listName = QStringLiteral("the schedule");
    plan.contents = [](const ReminderRow& row) { return row.entry.contents; };
    plan.alreadyThere = [&](const ReminderRow& row) {
        const ScheduleEntry& e = row.entry;
        for (const ScheduleEntry& p : present) {
            if (p.year == e.year && p.month == e.month && p.date == e.date && p.hour == e.hour &&
                p.contents == e.contents) {
                return true;
            }
        }
        return false;
    };
    plan.store = [&](const ReminderRow& row) {
        ScheduleEntry entry = row.entry;
        if (link) {
            // A scheduler write takes the phone a while: its answer is polled slowly.
            const ScheduleStoreOutcome outcome =
                phoneSchedule.StoreScheduleEntry(*link, entry, PollRate::Slow);
            if (outcome.result != ScheduleStoreResult::Stored) {
                const QString why =
                    outcome.notices.isEmpty() ? kScheduleRefusedText : outcome.notices.last().text;
                const bool lost =
                    outcome.result == ScheduleStoreResult::Refused && !link->Identify();
                return ImportStep{lost ? ImportStep::Kind::PhoneLost : ImportStep::Kind::Skipped,
                                  why};
            }
        }
        entry.index = -1;
        if (!reminders.StoreReminder(entry, row.done, false)) {
            return ImportStep::skipped(QStringLiteral("the schedule table could not be written"));
        }
        present.append(entry);
        return ImportStep{};
    };
    return importCalendar(progress, read, plan);
}

ExchangeResult importTodoCalendar(const QString& file, PhoneLink* phoneOrNull, Progress& progress) {
    return importTodoCalendar(file, phoneOrNull, progress, QTimeZone::systemTimeZone());
}

// Each item as a new item of the to-do view, done ones marked afterwards as the view's Mark
// does. The phone's refusal leaves nothing behind: the store keeps a refused new item in the
// table, so the import takes it out again.
ExchangeResult importTodoCalendar(const QString& file, PhoneLink* phoneOrNull, Progress& progress,
                                  const QTimeZone& zone) {
    ExchangeResult failed;
    QByteArray bytes;
    if (!readFile(file, bytes, failed)) {
        return failed;
    }
    const CalendarRead<TodoItem> read = readTodoCalendar(bytes, zone);
    if (!read.error.isEmpty()) {
        return ExchangeResult::failed(read.error);
    }
    PhoneLink* link = phoneOrNull && phoneOrNull->phoneFound ? phoneOrNull : nullptr;
    CToDoListDB todo;
    QList<TodoItem> present = todo.items();
    const auto dropRecord = [&](int index) {
        if (todo.itemWithIndex(index)) {
            todo.Delete();
        }
        todo.Requery();
    };
    const QString tableFailed = QStringLiteral("the to-do table could not be written");

    CalendarImport<TodoItem> plan;
    plan.caption = QStringLiteral("To Do List Import");
    plan.listName = QStringLiteral("the to-do list");
    plan.contents = [](const TodoItem& item) { return item.contents; };
    plan.alreadyThere = [&](const TodoItem& item) {
        for (const TodoItem& p : present) {
            if (p.contents == item.contents && p.priority == item.priority &&
                p.untilDate() == item.untilDate()) {
                return true;
            }
        }
        return false;
    };
    plan.store = [&](const TodoItem& fileItem) {
        TodoItem item = fileItem;
        if (todo.NextFreeIndex() >= kTodoCapacity) {
            return ImportStep::skipped(QStringLiteral(
                "You can't enter more todolist due to the maximum capacity excess!"));
        }
        if (link) {
            const TodoSaveResult added = todo.SaveItem(*link, -1, item.contents, item.priority,
                                                       item.year, item.month, item.day, false, {});
            bool refused = added.outcome != TodoSaveOutcome::Stored;
            if (!refused && item.mark) {
                const TodoSaveResult marked =
                    todo.SaveItem(*link, added.index, item.contents, item.priority, item.year,
                                  item.month, item.day, true, item.doneDate);
                if (marked.outcome != TodoSaveOutcome::Stored) {
                    // Not the item the file holds: take it off the phone again.
                    link->DeleteTodo(added.index);
                    refused = true;
                }
            }
            if (refused) {
                if (added.outcome == TodoSaveOutcome::TableFailed) {
                    return ImportStep::skipped(tableFailed);
                }
                dropRecord(added.index);
                const bool lost =
                    added.outcome == TodoSaveOutcome::PhoneRefused && !link->Identify();
                return ImportStep{lost ? ImportStep::Kind::PhoneLost : ImportStep::Kind::Skipped,
                                  todoPhoneRefusedNotice().text};
            }
        } else {
            // Off line a new item and its mark only reach the table: the same record the
            // store's save writes there.
            item.index = todo.NextFreeIndex();
            if (!item.mark) {
                item.doneDate.clear();
            }
            if (!todo.AddRecord(item)) {
                return ImportStep::skipped(tableFailed);
            }
        }
        present.append(item);
        return ImportStep{};
    };
    return importCalendar(progress, read, plan);
}
