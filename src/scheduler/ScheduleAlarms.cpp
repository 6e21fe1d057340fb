// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/ScheduleAlarms.h"

#include "phone/PhoneLink.h"
#include "scheduler/ScheduleCalendar.h"
#include "scheduler/ScheduleTexts.h"

namespace {
bool g_alarmShowing = false;

bool isDue(const ReminderRow& row, const QDateTime& now) {
    const QDate today = now.date();
    return row.entry.year == today.year() && row.entry.month == today.month() &&
           row.entry.date == today.day() && row.entry.alarmHour == now.time().hour() &&
           row.entry.alarmMinute == now.time().minute();
}
}  // namespace

QString alarmMessage(const ScheduleEntry& entry) {
    return QStringLiteral("%1:%2 %3 Schedule!")
        .arg(entry.hour)
        .arg(entry.minute)
        .arg(scheduleDateText(entry.year, entry.month, entry.date));
}

int RunAlarmCheck(const PhoneLink* link, CReminderDB& reminders, const QDateTime& now,
                  const AlarmShower& show) {
    if ((link && link->phoneFound) || g_alarmShowing) {
        return 0;
    }
    g_alarmShowing = true;
    int shown = 0;
    reminders.Requery();
    // Positions stay valid across the dialogs: nothing else changes the table while one shows.
    for (int position = 0; reminders.moveTo(position); ++position) {
        const ReminderRow row = reminders.currentRow();
        if (row.done || !isDue(row, now)) {
            continue;
        }
        // Marked first, so that a later tick in the same minute stays silent.
        if (reminders.Edit()) {
            reminders.setValue(QStringLiteral("enable"), true);
            reminders.Update();
        }
        ++shown;
        if (show) {
            show(row.entry.contents, alarmMessage(row.entry));
        }
        reminders.Requery();
    }
    g_alarmShowing = false;
    return shown;
}

QList<ScheduleEntry> previousSchedules(const QList<ScheduleEntry>& entries, const QDateTime& now) {
    QList<ScheduleEntry> out;
    for (const ScheduleEntry& entry : entries) {
        if (entryIsPast(entry, now)) {
            out.append(entry);
        }
    }
    return out;
}

QString previousScheduleLine(const ScheduleEntry& entry) {
    return QStringLiteral("%1%2(%3)")
        .arg(scheduleTypeMark(entry.type), entry.contents,
             scheduleDateText(entry.year, entry.month, entry.date));
}
