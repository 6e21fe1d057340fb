#include "scheduler/ScheduleTables.h"

#include <QSet>
#include <QVariant>

#include "db/DatabaseConnection.h"
#include "db/DatabaseSchema.h"
#include "platform/Prompter.h"

namespace {

const QString kIndex = QStringLiteral("index");
const QString kType = QStringLiteral("type");
const QString kYear = QStringLiteral("year");
const QString kMonth = QStringLiteral("month");
const QString kDate = QStringLiteral("date");
const QString kHour = QStringLiteral("hour");
const QString kMinute = QStringLiteral("minute");
const QString kAlarmHour = QStringLiteral("alarm_hour");
const QString kAlarmMinute = QStringLiteral("alarm_minute");
const QString kContents = QStringLiteral("contents");
const QString kAlarmState = QStringLiteral("alarm_state");

const QString kTitle = QStringLiteral("title");
const QString kStartYear = QStringLiteral("start_year");
const QString kStartMonth = QStringLiteral("start_month");
const QString kStartDay = QStringLiteral("start_day");
const QString kStartHour = QStringLiteral("start_hour");
const QString kStartMinute = QStringLiteral("start_minute");
const QString kEnable = QStringLiteral("enable");

// Every column but the slot, as AddScheduleRow and UpdateScheduleRow set them.
void setEntryColumns(Recordset& rows, const ScheduleEntry& entry) {
    rows.setValue(kType, entry.type);
    rows.setValue(kYear, entry.year);
    rows.setValue(kMonth, entry.month);
    rows.setValue(kDate, entry.date);
    rows.setValue(kHour, entry.hour);
    rows.setValue(kMinute, entry.minute);
    rows.setValue(kAlarmHour, entry.alarmHour);
    rows.setValue(kAlarmMinute, entry.alarmMinute);
    rows.setValue(kContents, entry.contents);
    rows.setValue(kAlarmState, entry.alarm != 0);
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
    return walkTo(*this, [&] { return intValue(kIndex) == index; });
}

int CPhoneScheduleDB::FindFreeScheduleIndex() {
    Requery();
    const int count = FullRecordCount();
    if (count >= ScheduleCapacity) {
        showMessage(QStringLiteral("You can't insert Schedule due to maximum capacity excess."),
                    QStringLiteral("Insert failure"), PromptIcon::Warning);
        return -1;
    }
    QSet<int> used;
    for (bool more = MoveFirst(); more && !IsEOF(); more = MoveNext()) {
        used.insert(intValue(kIndex));
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
    ok = ok && setValue(kIndex, entry.index);
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
    entry.index = intValue(kIndex);
    entry.type = intValue(kType);
    entry.alarm = boolValue(kAlarmState) ? 1 : 0;
    entry.year = intValue(kYear);
    entry.month = intValue(kMonth);
    entry.date = intValue(kDate);
    entry.hour = intValue(kHour);
    entry.minute = intValue(kMinute);
    entry.alarmHour = intValue(kAlarmHour);
    entry.alarmMinute = intValue(kAlarmMinute);
    entry.contents = textValue(kContents);
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
        return matches(selection, intValue(kYear), intValue(kMonth), intValue(kDate),
                       intValue(kHour), textValue(kContents));
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
                    addRows({kIndex, kType, kYear, kMonth, kDate, kHour, kMinute, kAlarmHour,
                             kAlarmMinute, kContents, kAlarmState},
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
    ok = ok && setValue(kType, type) && setValue(kStartYear, startYear) &&
         setValue(kStartMonth, startMonth) && setValue(kStartDay, startDay) &&
         setValue(kStartHour, startHour) && setValue(kStartMinute, startMinute) &&
         setValue(kAlarmHour, alarmHour) && setValue(kAlarmMinute, alarmMinute) &&
         setValue(kTitle, title);
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
    ok = ok && setValue(kType, entry.type) && setValue(kTitle, entry.contents) &&
         setValue(kStartYear, entry.year) && setValue(kStartMonth, entry.month) &&
         setValue(kStartDay, entry.date) && setValue(kStartHour, entry.hour) &&
         setValue(kStartMinute, entry.minute) && setValue(kAlarmHour, entry.alarmHour) &&
         setValue(kAlarmMinute, entry.alarmMinute) && setValue(kAlarmState, entry.alarm != 0) &&
         setValue(kEnable, done);
    ok = Update() && ok;
    Requery();
    return ok;
}

ReminderRow CReminderDB::currentRow() const {
    ReminderRow row;
    row.entry.type = intValue(kType);
    row.entry.alarm = boolValue(kAlarmState) ? 1 : 0;
    row.entry.year = intValue(kStartYear);
    row.entry.month = intValue(kStartMonth);
    row.entry.date = intValue(kStartDay);
    row.entry.hour = intValue(kStartHour);
    row.entry.minute = intValue(kStartMinute);
    row.entry.alarmHour = intValue(kAlarmHour);
    row.entry.alarmMinute = intValue(kAlarmMinute);
    row.entry.contents = textValue(kTitle);
    row.done = boolValue(kEnable);
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
        return matches(selection, intValue(kStartYear), intValue(kStartMonth), intValue(kStartDay),
                       intValue(kStartHour), textValue(kTitle));
    });
}
