// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTimeZone>

#include "exchange/ExchangeResult.h"
#include "scheduler/ScheduleTables.h"
#include "todo/CToDoListDB.h"

class PhoneLink;
class Progress;

// The scheduler and the to-do list as iCalendar files. Exports write the cache tables as they
// are; `stamp` is the file's DTSTAMP, so the same tables give the same bytes. Imports read
// iCalendar and vCalendar 1.0 and add what they read, phone first while one answers. The
// phone's times are wall-clock times of the PC's own zone; the overloads with a zone are for
// callers that know better (and for tests).

// A VEVENT per reminder row, or per phone_schedule row when `phoneTable` is set.
ExchangeResult exportScheduleCalendar(const QString& file, bool phoneTable, const QDateTime& stamp);
ExchangeResult exportScheduleCalendar(const QString& file, bool phoneTable, const QDateTime& stamp,
                                      const QTimeZone& zone);
// For a backup: every phone_schedule row, then the reminder rows the phone lacks (same type,
// day, time and contents), so that neither the phone's calendar nor the PC's own entries are
// left out.
ExchangeResult exportScheduleBackup(const QString& file, const QDateTime& stamp);
// Every readable VEVENT becomes a reminder row; while a phone answers it goes to the phone
// first (as a new entry of the scheduler view does), and an event the phone refuses or has no
// room for is skipped, not stored anywhere.
ExchangeResult importScheduleCalendar(const QString& file, PhoneLink* phoneOrNull,
                                      Progress& progress);
ExchangeResult importScheduleCalendar(const QString& file, PhoneLink* phoneOrNull,
                                      Progress& progress, const QTimeZone& zone);

// A VTODO per to-do item.
ExchangeResult exportTodoCalendar(const QString& file, const QDateTime& stamp);
ExchangeResult exportTodoCalendar(const QString& file, const QDateTime& stamp,
                                  const QTimeZone& zone);
// Every readable VTODO becomes a new to-do item, on the phone too while one answers.
ExchangeResult importTodoCalendar(const QString& file, PhoneLink* phoneOrNull, Progress& progress);
ExchangeResult importTodoCalendar(const QString& file, PhoneLink* phoneOrNull, Progress& progress,
                                  const QTimeZone& zone);

// The conversions behind them, without files or tables.
QByteArray scheduleCalendarText(const QList<ReminderRow>& rows, const QDateTime& stamp,
                                const QTimeZone& zone);
QByteArray todoCalendarText(const QList<TodoItem>& items, const QDateTime& stamp,
                            const QTimeZone& zone);

// What a calendar file holds for one list: every component in file order, each either read
// whole or with the reason ("line N: ...") it cannot be.
template <typename Row>
struct CalendarRead {
    struct Item {
        Row row;
        int line = 0;
        QString problem;
    };
    QString error;  // the file as a whole cannot be read ("line N: ...")
    QList<Item> items;
};
// An event's done mark travels in `ReminderRow::done`.
CalendarRead<ReminderRow> readScheduleCalendar(const QByteArray& bytes, const QTimeZone& zone);
// The item's index is not read: imported items take the next free one.
CalendarRead<TodoItem> readTodoCalendar(const QByteArray& bytes, const QTimeZone& zone);
