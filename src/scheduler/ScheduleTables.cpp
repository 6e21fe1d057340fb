// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/ScheduleTables.h"

#include <QSet>
#include <QVariant>

#include "db/DatabaseConnection.h"
#include "db/DatabaseSchema.h"
#include "db/TableColumns.h"

namespace {

namespace Phone = PhoneScheduleColumns;
namespace Pc = ReminderColumns;

// Every column but the slot, as AddScheduleRow and UpdateScheduleRow set them.
void setEntryColumns(Recordset& rows, const ScheduleEntry& entry) {
    rows.setValue(Phone::Type, entry.type);
    rows.setValue(Phone::Year, entry.year);
    rows.setValue(Phone::Month, entry.month);
    rows.setValue(Phone::Date, entry.date);
    rows.setValue(Phone::Hour, entry.hour);
    rows.setValue(Phone::Minute, entry.minute);
    rows.setValue(Phone::AlarmHour, entry.alarmHour);
    rows.setValue(Phone::AlarmMinute, entry.alarmMinute);
    rows.setValue(Phone::Contents, entry.contents);
    rows.setValue(Phone::AlarmState, entry.alarm != 0);
}

bool matches(const ScheduleSelection& selection, int year, int month, int day, int hour,
             const QString& contents) {
    return year == selection.year && month == selection.month && day == selection.day &&
           (selection.hour < 0 || hour == selection.hour) &&
           contents.compare(selection.contents, Qt::CaseSensitive) == 0;
}

// Walks from the first row; stops on the first row the test accepts.
template <typename Test>
bool walkTo(Recordset& rows, Test test) {
    rows.Requery();
    for (bool more = rows.MoveFirst(); more && !rows.IsEOF(); more = rows.MoveNext()) {
        if (test()) {
            return true;
        }
    }
    return false;
}

}  // namespace

CPhoneScheduleDB::CPhoneScheduleDB()
    : Recordset(kSchedulerDbFile, QStringLiteral("phone_schedule")) {}

bool CPhoneScheduleDB::FindScheduleIndex(int index) {
    return walkTo(*this, [&] { return intValue(Phone::Index) == index; });
}

int CPhoneScheduleDB::FindFreeScheduleIndex() {
    Requery();
    const int count = FullRecordCount();
    if (count >= ScheduleCapacity) {
        return -1;
    }
    QSet<int> used;
    for (bool more = MoveFirst(); more && !IsEOF(); more = MoveNext()) {
        used.insert(intValue(Phone::Index));
    }
    for (int index = 0; index < count; ++index) {
        if (!used.contains(index)) {
            return index;
        }
    }
    return count;
}

bool CPhoneScheduleDB::AddScheduleRow(const ScheduleEntry& entry) {
    if (GetRecordCount() > 0) {
        MoveLast();
    }
    bool ok = AddNew();
    ok = ok && setValue(Phone::Index, entry.index);
    setEntryColumns(*this, entry);
    ok = Update() && ok;
    Requery();
    return ok;
}

bool CPhoneScheduleDB::UpdateScheduleRow(const ScheduleEntry& entry) {
    if (!FindScheduleIndex(entry.index)) {
        return false;
    }
    bool ok = Edit();
    setEntryColumns(*this, entry);
    ok = Update() && ok;
    Requery();
    return ok;
}

bool CPhoneScheduleDB::DeleteAllSchedules() {
    Requery();
    if (GetRecordCount() == 0) {
        return true;
    }
    return deleteAllRows();
}

ScheduleEntry CPhoneScheduleDB::currentEntry() const {
    ScheduleEntry entry;
    entry.index = intValue(Phone::Index);
    entry.type = intValue(Phone::Type);
    entry.alarm = boolValue(Phone::AlarmState) ? 1 : 0;
    entry.year = intValue(Phone::Year);
    entry.month = intValue(Phone::Month);
    entry.date = intValue(Phone::Date);
    entry.hour = intValue(Phone::Hour);
    entry.minute = intValue(Phone::Minute);
    entry.alarmHour = intValue(Phone::AlarmHour);
    entry.alarmMinute = intValue(Phone::AlarmMinute);
    entry.contents = textValue(Phone::Contents);
    return entry;
}

QList<ScheduleEntry> CPhoneScheduleDB::entries() {
    QList<ScheduleEntry> out;
    Requery();
    for (bool more = MoveFirst(); more && !IsEOF(); more = MoveNext()) {
        out.append(currentEntry());
    }
    return out;
}

bool CPhoneScheduleDB::FindSelected(const ScheduleSelection& selection) {
    return walkTo(*this, [&] {
        return matches(selection, intValue(Phone::Year), intValue(Phone::Month),
                       intValue(Phone::Date), intValue(Phone::Hour), textValue(Phone::Contents));
    });
}

bool CPhoneScheduleDB::replaceAll(const QList<ScheduleEntry>& entries) {
    QList<QVariantList> values;
    values.reserve(entries.size());
    for (const ScheduleEntry& e : entries) {
        values.append(QVariantList{e.index, e.type, e.year, e.month, e.date, e.hour, e.minute,
                                   e.alarmHour, e.alarmMinute, e.contents, e.alarm != 0});
    }
    // The old rows go only together with the arrival of every new one.
    DbTransaction transaction(kSchedulerDbFile);
    const bool ok = deleteAllRows() &&
                    addRows({Phone::Index, Phone::Type, Phone::Year, Phone::Month, Phone::Date,
                             Phone::Hour, Phone::Minute, Phone::AlarmHour, Phone::AlarmMinute,
                             Phone::Contents, Phone::AlarmState},
                            values) &&
                    transaction.commit();
    Requery();
    return ok;
}

CReminderDB::CReminderDB() : Recordset(kSchedulerDbFile, QStringLiteral("reminder")) {}

bool CReminderDB::AddReminderRow(int type, int startYear, int startMonth, int startDay,
                                 int startHour, int startMinute, int alarmHour, int alarmMinute,
                                 const QString& title) {
    if (GetRecordCount() > 0) {
        MoveLast();
    }
    bool ok = AddNew();
    ok = ok && setValue(Pc::Type, type) && setValue(Pc::StartYear, startYear) &&
         setValue(Pc::StartMonth, startMonth) && setValue(Pc::StartDay, startDay) &&
         setValue(Pc::StartHour, startHour) && setValue(Pc::StartMinute, startMinute) &&
         setValue(Pc::AlarmHour, alarmHour) && setValue(Pc::AlarmMinute, alarmMinute) &&
         setValue(Pc::Title, title);
    ok = Update() && ok;
    Requery();
    return ok;
}

bool CReminderDB::DeleteAllReminders() {
    Requery();
    if (GetRecordCount() == 0) {
        return true;
    }
    return deleteAllRows();
}

bool CReminderDB::StoreReminder(const ScheduleEntry& entry, bool done, bool editCurrent) {
    bool ok = false;
    if (editCurrent) {
        ok = Edit();
    } else {
        if (GetRecordCount() > 0) {
            MoveLast();
        }
        ok = AddNew();
    }
    ok = ok && setValue(Pc::Type, entry.type) && setValue(Pc::Title, entry.contents) &&
         setValue(Pc::StartYear, entry.year) && setValue(Pc::StartMonth, entry.month) &&
         setValue(Pc::StartDay, entry.date) && setValue(Pc::StartHour, entry.hour) &&
         setValue(Pc::StartMinute, entry.minute) && setValue(Pc::AlarmHour, entry.alarmHour) &&
         setValue(Pc::AlarmMinute, entry.alarmMinute) &&
         setValue(Pc::AlarmState, entry.alarm != 0) && setValue(Pc::Enable, done);
    ok = Update() && ok;
    Requery();
    return ok;
}

ReminderRow CReminderDB::currentRow() const {
    ReminderRow row;
    row.entry.type = intValue(Pc::Type);
    row.entry.alarm = boolValue(Pc::AlarmState) ? 1 : 0;
    row.entry.year = intValue(Pc::StartYear);
    row.entry.month = intValue(Pc::StartMonth);
    row.entry.date = intValue(Pc::StartDay);
    row.entry.hour = intValue(Pc::StartHour);
    row.entry.minute = intValue(Pc::StartMinute);
    row.entry.alarmHour = intValue(Pc::AlarmHour);
    row.entry.alarmMinute = intValue(Pc::AlarmMinute);
    row.entry.contents = textValue(Pc::Title);
    row.done = boolValue(Pc::Enable);
    return row;
}

QList<ReminderRow> CReminderDB::rows() {
    QList<ReminderRow> out;
    Requery();
    for (bool more = MoveFirst(); more && !IsEOF(); more = MoveNext()) {
        out.append(currentRow());
    }
    return out;
}

bool CReminderDB::FindSelected(const ScheduleSelection& selection) {
    return walkTo(*this, [&] {
        return matches(selection, intValue(Pc::StartYear), intValue(Pc::StartMonth),
                       intValue(Pc::StartDay), intValue(Pc::StartHour), textValue(Pc::Title));
    });
}
