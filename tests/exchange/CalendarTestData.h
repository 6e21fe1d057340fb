// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTimeZone>

#include "scheduler/ScheduleTables.h"
#include "scheduler/ScheduleTestEntries.h"
#include "todo/CToDoListDB.h"

// Rows and files the calendar exchange tests share.

inline QString calendarDataPath(const QString& name) {
    return QDir::cleanPath(QStringLiteral(QT_TESTCASE_SOURCEDIR "/data/exchange/") + name);
}

inline QByteArray calendarData(const QString& name) {
    QFile file(calendarDataPath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The PC's zone in these tests: one hour east of UTC, no daylight saving.
inline QTimeZone calendarTestZone() {
    return QTimeZone(3600);
}

inline void PrintTo(const ReminderRow& row, std::ostream* out) {
    PrintTo(row.entry, out);
    *out << (row.done ? " done" : "");
}

inline void PrintTo(const TodoItem& item, std::ostream* out) {
    *out << "{" << item.index << ", \"" << item.contents.toStdString() << "\", priority "
         << item.priority << ", " << item.year << '/' << item.month << '/' << item.day
         << (item.mark ? ", done " : ", open ") << item.doneDate.toStdString() << "}";
}

inline ReminderRow reminderRow(int type, int year, int month, int day, int hour, int minute,
                               const QString& text, int alarmHour = -1, int alarmMinute = 0,
                               bool done = false) {
    ReminderRow row;
    row.entry.type = type;
    row.entry.year = year;
    row.entry.month = month;
    row.entry.date = day;
    row.entry.hour = hour;
    row.entry.minute = minute;
    row.entry.contents = text;
    if (alarmHour >= 0) {
        row.entry.alarm = 1;
        row.entry.alarmHour = alarmHour;
        row.entry.alarmMinute = alarmMinute;
    }
    row.done = done;
    return row;
}

// Every type, an alarm at the entry's time, before it, on the previous day, none, a done
// entry and a text that needs escaping in iCalendar.
inline QList<ReminderRow> sampleReminders() {
    return {
        reminderRow(ScheduleMeeting, 2001, 5, 14, 9, 30, "Budget, Q3; room 4", 9, 0),
        reminderRow(ScheduleCall, 2026, 12, 9, 10, 0, "+441234567", 10, 0),
        reminderRow(ScheduleReminder, 2026, 12, 10, 0, 10, "Night train", 23, 40),
        reminderRow(ScheduleBirthday, 2027, 2, 1, 0, 0, "Ann"),
        reminderRow(ScheduleReminder, 2025, 1, 2, 8, 5, "Renew pass", 7, 5, true),
    };
}

inline TodoItem todoItem(int index, const QString& text, int priority, int year, int month, int day,
                         bool mark = false, const QString& doneDate = {}) {
    return TodoItem{index, text, priority, year, month, day, mark, doneDate};
}

inline QList<TodoItem> sampleTodos() {
    return {
        todoItem(1, "Call the bank", 0, 2026, 12, 11),
        todoItem(2, "Tax return, part 2", 1, 2027, 4, 30),
        todoItem(3, "Buy stamps", 1, 2026, 12, 1, true, "9-10-2001 14:05"),
        todoItem(4, "Water plants", 0, 2026, 11, 30, true, "01-12-2026 09:07"),
    };
}
