// SPDX-License-Identifier: GPL-3.0-or-later
#include "todo/CToDoListDB.h"

#include <QSet>

#include "db/DatabaseSchema.h"
#include "db/TableColumns.h"
#include "phone/PhoneSafeText.h"

namespace {

namespace Col = TodoColumns;

// The columns each list column sorts by, in order.
QStringList sortColumnsOf(int column) {
    switch (column) {
        case TodoContentsColumn:
            return {Col::Contents};
        case TodoPriorityColumn:
            return {Col::Priority};
        case TodoUntilColumn:
            return {Col::UntilYear, Col::UntilMonth, Col::UntilDay};
        case TodoMarkColumn:
            return {Col::Mark};
        case TodoDoneColumn:
            return {Col::DoneDate};
        default:
            return {};
    }
}

bool passesTab(const TodoItem& item, int tab, int subFilter, const QDate& today) {
    switch (tab) {
        case TodoTabToday:
            return item.untilDate() == today;
        case TodoTabCompleted:
            return item.mark == (subFilter == 0);
        case TodoTabPriority:
            return item.priority == (subFilter == 0 ? 0 : 1);
        default:
            return true;
    }
}

// Reads "day-month-year".
bool untilParts(const QString& text, int* year, int* month, int* day) {
    const QStringList parts = text.split('-');
    if (parts.size() != 3) {
        return false;
    }
    bool okDay = false;
    bool okMonth = false;
    bool okYear = false;
    *day = parts[0].toInt(&okDay);
    *month = parts[1].toInt(&okMonth);
    *year = parts[2].toInt(&okYear);
    return okDay && okMonth && okYear;
}

}  // namespace

QString todoContentsProblem(const QString& contents) {
    if (contents.isEmpty()) {
        return QStringLiteral("You must input contents field");
    }
    return phoneSafeTextProblem(contents, PhoneTextKind::Contents);
}

CToDoListDB::CToDoListDB() : Recordset(kToDoListDbFile, QStringLiteral("Todolist")) {}

TodoItem CToDoListDB::currentItem() const {
    TodoItem item;
    item.index = intValue(Col::Index);
    item.contents = textValue(Col::Contents);
    item.priority = intValue(Col::Priority);
    item.year = intValue(Col::UntilYear);
    item.month = intValue(Col::UntilMonth);
    item.day = intValue(Col::UntilDay);
    item.mark = boolValue(Col::Mark);
    item.doneDate = textValue(Col::DoneDate);
    return item;
}

bool CToDoListDB::writeCurrent(const TodoItem& item) {
    return setValue(Col::Index, item.index) && setValue(Col::Contents, item.contents) &&
           setValue(Col::Priority, item.priority) && setValue(Col::UntilYear, item.year) &&
           setValue(Col::UntilMonth, item.month) && setValue(Col::UntilDay, item.day) &&
           setValue(Col::Mark, item.mark) && setValue(Col::DoneDate, item.doneDate);
}

QList<TodoItem> CToDoListDB::items() {
    QList<TodoItem> out;
    if (!Requery()) {
        return out;
    }
    for (MoveFirst(); !IsEOF(); MoveNext()) {
        out.append(currentItem());
    }
    return out;
}

int CToDoListDB::NextFreeIndex() {
    QSet<int> used;
    const QList<TodoItem> all = items();
    for (const TodoItem& item : all) {
        used.insert(item.index);
    }
    const int count = static_cast<int>(all.size());
    for (int index = 1; index <= count; ++index) {
        if (!used.contains(index)) {
            return index;
        }
    }
    return count + 1;
}

bool CToDoListDB::IndexExists(int index) {
    return itemWithIndex(index).has_value();
}

std::optional<TodoItem> CToDoListDB::itemWithIndex(int index) {
    if (!Requery()) {
        return std::nullopt;
    }
    for (MoveFirst(); !IsEOF(); MoveNext()) {
        if (intValue(Col::Index) == index) {
            return currentItem();
        }
    }
    return std::nullopt;
}

bool CToDoListDB::AddRecord(const TodoItem& item) {
    if (GetRecordCount() > 0) {
        MoveLast();
    }
    if (!AddNew()) {
        return false;
    }
    if (!writeCurrent(item)) {
        CancelUpdate();
        return false;
    }
    const bool stored = Update();
    Requery();
    return stored;
}

bool CToDoListDB::UpdateRecord(const TodoItem& item) {
    if (!itemWithIndex(item.index) || !Edit()) {
        return false;
    }
    if (!writeCurrent(item)) {
        CancelUpdate();
        return false;
    }
    const bool stored = Update();
    Requery();
    return stored;
}

std::optional<TodoItem> CToDoListDB::FindRecordForRow(const QStringList& rowTexts) {
    const QString contents = rowTexts.value(TodoContentsColumn);
    bool numeric = false;
    const int shownPriority = rowTexts.value(TodoPriorityColumn).trimmed().toInt(&numeric);
    int year = 0;
    int month = 0;
    int day = 0;
    const bool dated = untilParts(rowTexts.value(TodoUntilColumn), &year, &month, &day);
    const bool done = rowTexts.value(TodoMarkColumn) == QLatin1String("Done");
    if (!numeric || !dated || !Requery()) {
        return std::nullopt;
    }
    for (MoveFirst(); !IsEOF(); MoveNext()) {
        const TodoItem item = currentItem();
        if (item.contents == contents && item.priority + 1 == shownPriority && item.year == year &&
            item.month == month && item.day == day && item.mark == done) {
            return item;
        }
    }
    return std::nullopt;
}

QList<TodoRow> CToDoListDB::ListRows(int tab, int subFilter, const QDate& today) {
    QList<TodoRow> rows;
    for (const TodoItem& item : items()) {
        if (passesTab(item, tab, subFilter, today)) {
            rows.append(TodoRow{item.index, RowTexts(item)});
        }
    }
    return rows;
}

QString CToDoListDB::sortFor(int column, bool descending) {
    QStringList terms = sortColumnsOf(column);
    for (QString& term : terms) {
        term += descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC");
    }
    return terms.join(',');
}

void CToDoListDB::ToggleSort(int column) {
    const QString descending = sortFor(column, true);
    if (descending.isEmpty()) {
        return;
    }
    setSort(sort() == descending ? sortFor(column, false) : descending);
}

QStringList CToDoListDB::RowTexts(const TodoItem& item) {
    return {item.contents, item.priority == 0 ? QStringLiteral("1") : QStringLiteral("2"),
            UntilText(item.year, item.month, item.day),
            item.mark ? QStringLiteral("Done") : QStringLiteral("Undo"), item.doneDate};
}

QString CToDoListDB::TotalText(int rowCount) {
    return QStringLiteral("TOTAL : %1/%2").arg(rowCount).arg(kTodoCapacity);
}

QString CToDoListDB::UntilText(int year, int month, int day) {
    return QStringLiteral("%1-%2-%3").arg(day).arg(month).arg(year);
}

QDate CToDoListDB::ParseUntilText(const QString& text) {
    int year = 0;
    int month = 0;
    int day = 0;
    return untilParts(text, &year, &month, &day) ? QDate(year, month, day) : QDate();
}
